// The main window built from its design-time description (the layout table).
#include "form1.h"

#include "akadalymentesseg.h"
#include "elrendezes.h"
#include "engine/hatarertek.h"
#include "gorgeto.h"
#include "painters/betu.h"
#include "runtime/text.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStatusBar>

namespace {

QRect pixels(const Vezérlő& v) {
    return {rt::toPixels(float(v.left)), rt::toPixels(float(v.top)), rt::toPixels(float(v.width)),
            rt::toPixels(float(v.height))};
}

QString text(const char16_t* s) {
    return s ? QString::fromUtf16(s) : QString();
}

} // namespace

void Form1::felépít() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(text(Ablakfelirat));
    setWindowIcon(QApplication::windowIcon());
    setFixedSize(rt::toPixels(ÜgyfélSzélesség), rt::toPixels(ÜgyfélMagasság));
    setFont(Rajz::Betű(AlapBetűméret));

    const QFont értékBetű = Rajz::Betű(ÉrtékBetűméret);
    for (const Vezérlő& v : Elrendezés) {
        QWidget* tároló = v.tároló ? static_cast<QWidget*>(Frame1) : this;
        QWidget* w = nullptr;
        switch (v.fajta) {
        case Fajta::Választó: {
            auto* gomb = new QRadioButton(text(v.felirat), tároló);
            gomb->setChecked(v.index == 1);
            Választó[std::size_t(v.index)] = gomb;
            w = gomb;
            break;
        }
        case Fajta::Címke:
        case Fajta::Értékcímke:
        case Fajta::Színsáv: {
            auto* címke = new QLabel(text(v.felirat), tároló);
            címke->setAutoFillBackground(true);
            címke->setWordWrap(false);
            címke->setTextFormat(Qt::PlainText);
            címke->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            if (v.fajta == Fajta::Értékcímke) {
                címke->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                címke->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
                címke->setFont(értékBetű);
                címke->setIndent(1);
            }
            QPalette színek = címke->palette();
            if (v.előtér != 0)
                színek.setColor(QPalette::WindowText, QColor(v.előtér));
            if (v.fajta == Fajta::Színsáv)
                színek.setColor(QPalette::Window, QColor(v.háttér));
            címke->setPalette(színek);
            w = címke;
            break;
        }
        case Fajta::Görgető: {
            auto* görgető = new Görgető(tároló);
            görgető->setRange(Határérték::LegkisebbFrekvencia, Határérték::LegnagyobbFrekvencia);
            görgető->setValue(0);
            görgető->setSingleStep(1);
            görgető->setPageStep(10);
            görgető->setAccessibleName(
                rt::Trim(text(Elrendezés[3].felirat)).chopped(1)); // its caption, no colon
            GörgetőFrekvencia = görgető;
            w = görgető;
            break;
        }
        case Fajta::Állapotsor: {
            auto* sáv = new QStatusBar(tároló);
            sáv->setSizeGripEnabled(false);
            sáv->setFont(Rajz::Betű(ÁllapotsorBetűméret));
            ÁllapotsorPanel = new QLabel(text(v.felirat));
            ÁllapotsorPanel->setObjectName(QStringLiteral("ÁllapotsorPanel"));
            ÁllapotsorPanel->setTextFormat(Qt::PlainText);
            sáv->addWidget(ÁllapotsorPanel, 1);
            sáv->setAccessibleName(text(v.felirat));
            Állapotsor = sáv;
            w = sáv;
            break;
        }
        case Fajta::Keret:
            Frame1 = new QGroupBox(text(v.felirat), tároló);
            w = Frame1;
            break;
        }
        w->setObjectName(text(v.név));
        if (v.index >= 0)
            w->setProperty("Index", v.index);
        w->setProperty("TabIndex", v.tabIndex);
        if (v.tipp)
            w->setToolTip(text(v.tipp));
        w->setGeometry(pixels(v));
    }
    CímkeFeliratFrekvencia = findChild<QLabel*>(QStringLiteral("CímkeFeliratFrekvencia"));
    CímkeFrekvencia = findChild<QLabel*>(QStringLiteral("CímkeFrekvencia"));
    Label1 = findChild<QLabel*>(QStringLiteral("Label1"));
    Label2 = findChild<QLabel*>(QStringLiteral("Label2"));
    Label3 = findChild<QLabel*>(QStringLiteral("Label3"));
    Label4 = findChild<QLabel*>(QStringLiteral("Label4"));
    Label5 = findChild<QLabel*>(QStringLiteral("Label5"));
    for (QLabel* címke : findChildren<QLabel*>(QStringLiteral("CímkeMaxSebesség")))
        CímkeMaxSebesség[std::size_t(címke->property("Index").toInt())] = címke;
    // Each value tied to its caption for assistive technology; the frequency caption names
    // both the value and the scroll bar. The names stay the labels' texts.
    Label4->setBuddy(CímkeMaxSebesség[0]);
    Label5->setBuddy(CímkeMaxSebesség[1]);
    CímkeFeliratFrekvencia->setBuddy(GörgetőFrekvencia);
    CímkeFeliratFrekvencia->setProperty(Akadálymentesség::LabelFor,
                                        QVariant::fromValue(QObjectList{CímkeFrekvencia}));
    CímkeFrekvencia->setProperty(Akadálymentesség::LabelledBy,
                                 QVariant::fromValue(QObjectList{CímkeFeliratFrekvencia}));
    // Overlapping strips: the later one is drawn on top, as in the table's order.
    Label2->raise();
    Label3->raise();
}
