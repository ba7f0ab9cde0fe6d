#include "form1.h"

#include "elrendezes.h"
#include "engine/hatarertek.h"
#include "painters/betu.h"
#include "rezgesjelablak.h"
#include "rezgesjelbetoltes.h"
#include "runtime/text.h"
#include "ui/application.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QIconEngine>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTimer>

#include "gorgeto.h"
#include "hatargorbek.h"

namespace {

// The widgets a label names ("labelFor") or is named by ("labelledBy") for assistive
// technology, besides its buddy and its titled group box.
const char* const LabelFor = "labelFor";
const char* const LabelledBy = "labelledBy";

// A label of the window to assistive technology: its text as its name, as Qt's own label
// has it, and its ties to its caption or to the values and inputs it names.
class TiedLabel : public QAccessibleWidget {
public:
    explicit TiedLabel(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        auto found = QAccessibleWidget::relations(match); // captions with it as their buddy
        auto add = [&](QObject* other, QAccessible::Relation relation) {
            if (!other || !(match & relation))
                return;
            if (QAccessibleInterface* a = QAccessible::queryAccessibleInterface(other))
                found.append({a, relation});
        };
        add(static_cast<const QLabel*>(widget())->buddy(), QAccessible::Labelled);
        for (QObject* other : widget()->property(LabelFor).value<QObjectList>())
            add(other, QAccessible::Labelled);
        for (QObject* other : widget()->property(LabelledBy).value<QObjectList>())
            add(other, QAccessible::Label);
        return found;
    }
};

// Assistive technology sees the windows as frames (a plain widget would be a filler).
QAccessibleInterface* windowAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("Form1") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    if (className == QLatin1String("QWidget") && object && object->isWidgetType() &&
        static_cast<QWidget*>(object)->isWindow() &&
        object->objectName() == u"Rezgésjel") // a record window
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    if (auto* label = qobject_cast<QLabel*>(object); label && qobject_cast<Form1*>(label->window()))
        return new TiedLabel(label);
    return nullptr;
}

// An icon whose images are read from their files when first asked for, not at start.
class KésleltetettIkon : public QIconEngine {
public:
    explicit KésleltetettIkon(QList<std::pair<QSize, QString>> fájlok)
        : fájlok_(std::move(fájlok)) {}

    QPixmap pixmap(const QSize& méret, QIcon::Mode mód, QIcon::State) override {
        // the smallest image at least as large, else the largest; scaled to the size asked
        const auto* választott = &fájlok_.constLast();
        for (const auto& f : fájlok_) {
            if (f.first.width() >= méret.width() && f.first.height() >= méret.height()) {
                választott = &f;
                break;
            }
        }
        QPixmap& kép = betöltött_[választott->second];
        if (kép.isNull())
            kép.load(választott->second);
        QPixmap eredmény = kép.size() == méret
                               ? kép
                               : kép.scaled(méret, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (mód == QIcon::Disabled) {
            QStyleOption opció;
            eredmény = QApplication::style()->generatedIconPixmap(mód, eredmény, &opció);
        }
        return eredmény;
    }
    void paint(QPainter* festő, const QRect& hely, QIcon::Mode mód, QIcon::State állapot) override {
        const qreal arány = festő->device() ? festő->device()->devicePixelRatioF() : 1.0;
        QPixmap kép = pixmap(hely.size() * arány, mód, állapot);
        kép.setDevicePixelRatio(arány);
        festő->drawPixmap(hely, kép);
    }
    QSize actualSize(const QSize& méret, QIcon::Mode, QIcon::State) override {
        for (const auto& f : fájlok_)
            if (f.first.width() >= méret.width() && f.first.height() >= méret.height())
                return méret;
        return fájlok_.constLast().first.boundedTo(méret);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> méretek;
        for (const auto& f : fájlok_)
            méretek << f.first;
        return méretek;
    }
    QIconEngine* clone() const override { return new KésleltetettIkon(*this); }
    QString key() const override { return QStringLiteral("velorix-lazy"); }

private:
    QList<std::pair<QSize, QString>> fájlok_;
    QHash<QString, QPixmap> betöltött_;
};

QRect pixels(const Vezérlő& v) {
    return {rt::toPixels(float(v.left)), rt::toPixels(float(v.top)), rt::toPixels(float(v.width)),
            rt::toPixels(float(v.height))};
}

QString text(const char16_t* s) {
    return s ? QString::fromUtf16(s) : QString();
}

} // namespace

void előkészít() {
    rt::describeApplication();
    rt::installQtTranslation();
    // The layout is absolute and made for the classic look: keep one style everywhere.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
    QApplication::setFont(Rajz::Betű(AlapBetűméret));
    QGuiApplication::setDesktopFileName(QStringLiteral("hu.example.Velorix"));
    QAccessible::installFactory(windowAccessible);
    // Every size from 16 to 128 px, decoded only when the window system asks for one.
    QList<std::pair<QSize, QString>> ikonok;
    for (const int size : {16, 32, 48, 64, 128})
        ikonok.append({QSize(size, size), QStringLiteral(":/icons/velorix-%1.png").arg(size)});
    const QIcon icon(new KésleltetettIkon(ikonok));
    QApplication::setWindowIcon(icon);
}

const rt::Screens& Form1::systemScreens() {
    static const rt::SystemScreens screens;
    return screens;
}

Form1::Form1(const rt::Screens& képernyő, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      AblakHelyzet(képernyő), ablak_(*this, rt::vbFixedSingle) {
    felépít();
    bekapcsol();
    Form_Load();
}

Form1::~Form1() = default;

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
    CímkeFeliratFrekvencia->setProperty(LabelFor,
                                        QVariant::fromValue(QObjectList{CímkeFrekvencia}));
    CímkeFrekvencia->setProperty(LabelledBy,
                                 QVariant::fromValue(QObjectList{CímkeFeliratFrekvencia}));
    // Overlapping strips: the later one is drawn on top, as in the table's order.
    Label2->raise();
    Label3->raise();
}

void Form1::bekapcsol() {
    connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, this,
            [this] { HatárgörbékMegnyit(); });
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
            [this] { Másol(); });
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this,
            [this] { RezgésjelPárbeszéddel(); });
    setAcceptDrops(true);
    Frame1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Frame1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& hol) { eredményMenü(Frame1->mapToGlobal(hol)); });
    for (QRadioButton* gomb : Választó) {
        connect(gomb, &QRadioButton::toggled, this, [this, gomb](bool kijelölt) {
            if (kijelölt)
                rt::guarded([&] { Választó_Click(std::int16_t(gomb->property("Index").toInt())); });
        });
    }
    connect(GörgetőFrekvencia, &QScrollBar::valueChanged, this,
            [this] { rt::guarded([this] { görgetőVáltozott(); }); });
    connect(GörgetőFrekvencia, &QScrollBar::sliderPressed, this,
            [this] { húzásKezdete_ = GörgetőFrekvencia->value(); });
    connect(GörgetőFrekvencia, &QScrollBar::sliderReleased, this, [this] {
        if (GörgetőFrekvencia->value() != húzásKezdete_)
            rt::guarded([this] { GörgetőFrekvencia_Change(); });
    });
}

// While the thumb is dragged every movement is a Scroll; the end of the drag, and
// every other change, a Change.
void Form1::görgetőVáltozott() {
    if (GörgetőFrekvencia->isSliderDown())
        GörgetőFrekvencia_Scroll();
    else
        GörgetőFrekvencia_Change();
}

void Form1::Form_Load() {
    Épülettípus = 1;
    AblakHelyzetBetöltés(ablak_);
}

void Form1::Form_Unload(std::int16_t& Cancel) {
    AblakHelyzetMentés(ablak_);
    (void)Cancel;
}

void Form1::GörgetőFrekvencia_Change() {
    frekvenciaFrissít();
}

void Form1::GörgetőFrekvencia_Scroll() {
    frekvenciaFrissít();
}

// What Change and Scroll both do: the frequency from the scroll bar, the foundation value
// and the frequency label.
void Form1::frekvenciaFrissít() {
    Frekvencia = std::int16_t(GörgetőFrekvencia->value());
    Számít();
    CímkeFelirás();
    CímkeFrekvencia->setText(rt::IntegerText(Frekvencia));
    görbékFrissít();
}

void Form1::Választó_Click(std::int16_t Index) {
    Épülettípus = Index;
    Frekvencia = std::int16_t(GörgetőFrekvencia->value());
    Számít();
    CímkeFelirás();
    if (const auto felirat = FelsőFödémSzöveg(Index))
        CímkeMaxSebesség[1]->setText(*felirat);
    görbékFrissít();
}

void Form1::görbékFrissít() {
    if (görbék_)
        görbék_->Beállít(Épülettípus, Frekvencia);
    for (const QPointer<RezgésjelAblak>& ablak : rezgésjelek_)
        if (ablak)
            ablak->KategóriaBeállít(Épülettípus);
}

QString Form1::RezgésjelSzűrő() {
    return QStringLiteral("Rezgésjelek (*.mseed *.miniseed *.msd *.txt *.csv *.tsv *.ascii);;"
                          "miniSEED (*.mseed *.miniseed *.msd);;"
                          "Szöveges rezgésjel (*.txt *.csv *.tsv *.ascii);;Minden fájl (*)");
}

QList<RezgésjelAblak*> Form1::NyitottRezgésjelek() const {
    QList<RezgésjelAblak*> nyitott;
    for (const QPointer<RezgésjelAblak>& ablak : rezgésjelek_)
        if (ablak)
            nyitott << ablak.data();
    return nyitott;
}

RezgésjelBetöltés* Form1::RezgésjelBetölt(const QString& fájl,
                                          std::function<void(QList<RezgésjelAblak*>)> utána) {
    // its progress in the place of its window, cascaded below those still loading
    int lépcső = 0;
    for (const QPointer<RezgésjelBetöltés>& b : betöltések_)
        lépcső += b && b->isVisible();
    auto* betöltés = new RezgésjelBetöltés(
        fájl, [this] { return int(Épülettípus); }, this, lépcső,
        [this, lépcső, utána = std::move(utána)](const QList<RezgésjelAblak*>& ablakok) {
            // a file of several stations: a window each, cascaded so that none hides another
            for (qsizetype i = 0; i < ablakok.size(); ++i) {
                rezgésjelek_ << ablakok[i];
                ablakok[i]->Elhelyez(*this, lépcső + int(i));
                ablakok[i]->show();
            }
            if (utána)
                utána(ablakok);
        });
    betöltések_.removeAll(nullptr);
    betöltések_ << betöltés;
    betöltés->Indít();
    return betöltés;
}

QList<RezgésjelAblak*> Form1::RezgésjelMegnyit(const QString& fájl) {
    QList<RezgésjelAblak*> ablakok;
    QEventLoop várakozás;
    bool kész = false;
    RezgésjelBetölt(fájl, [&](QList<RezgésjelAblak*> a) {
        ablakok = std::move(a);
        kész = true;
        várakozás.quit();
    });
    if (!kész)
        várakozás.exec();
    return ablakok;
}

void Form1::RezgésjelPárbeszéddel() {
    const QStringList fájlok = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Rezgésjel megnyitása"), QString(), RezgésjelSzűrő());
    for (const QString& fájl : fájlok)
        RezgésjelBetölt(fájl);
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> címek = event->mimeData()->urls();
    if (!címek.isEmpty() &&
        std::all_of(címek.begin(), címek.end(), [](const QUrl& u) { return u.isLocalFile(); }))
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
    const QList<QUrl> címek = event->mimeData()->urls();
    event->acceptProposedAction();
    // after the drop has ended, so that a message box does not hold the dragging program
    QTimer::singleShot(0, this, [this, címek] {
        for (const QUrl& cím : címek)
            RezgésjelBetölt(cím.toLocalFile());
    });
}

Határgörbék* Form1::HatárgörbékMegnyit() {
    if (!görbék_) {
        görbék_ = new Határgörbék(this);
        görbékFrissít();
    }
    görbék_->show();
    görbék_->raise();
    görbék_->activateWindow();
    return görbék_;
}

QString Form1::VágólapSzöveg() const {
    QString kategória;
    for (const QRadioButton* gomb : Választó)
        if (gomb->isChecked())
            kategória = gomb->text().remove(u'&');
    return QStringLiteral("%1, %2 Hz: alapon %3, legfelső födémszinten %4")
        .arg(kategória, CímkeFrekvencia->text(), rt::Trim(CímkeMaxSebesség[0]->text()),
             rt::Trim(CímkeMaxSebesség[1]->text()));
}

void Form1::Másol() {
    QGuiApplication::clipboard()->setText(VágólapSzöveg());
}

void Form1::eredményMenü(const QPoint& hol) {
    QMenu menü(this);
    QAction* görbék = menü.addAction(QStringLiteral("Határgörbék…"));
    görbék->setShortcut(QKeySequence(Qt::Key_F2));
    connect(görbék, &QAction::triggered, this, [this] { HatárgörbékMegnyit(); });
    QAction* másolás = menü.addAction(QStringLiteral("Másolás"));
    másolás->setShortcut(QKeySequence::Copy);
    connect(másolás, &QAction::triggered, this, [this] { Másol(); });
    QAction* megnyitás = menü.addAction(QStringLiteral("Rezgésjel megnyitása…"));
    megnyitás->setShortcut(QKeySequence::Open);
    connect(megnyitás, &QAction::triggered, this, [this] { RezgésjelPárbeszéddel(); });
    menü.exec(hol);
}

QString Form1::CímkeMaxSebességFelirat(std::int16_t index) const {
    return CímkeMaxSebesség.at(std::size_t(index))->text();
}

void Form1::CímkeMaxSebességFeliratÍr(std::int16_t index, const QString& felirat) {
    CímkeMaxSebesség.at(std::size_t(index))->setText(felirat);
}

// Until the window system has framed the window its outer size is the client size, and
// it may place the frame where the client area was asked to be. While it settles the
// window after the first show, keep the whole frame on the screen.
void Form1::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    keretEllenőrzés();
}

void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!megjelenésÓta_.isValid()) {
        megjelenésÓta_.start();
        // not every window system reports each of its moves: look again as it settles
        for (const int ms : {0, 100, 400, 1000, 1450})
            QTimer::singleShot(ms, this, [this] { keretEllenőrzés(); });
    }
    keretEllenőrzés();
}

void Form1::keretEllenőrzés() {
    constexpr qint64 elhelyezésIdeje = 1500; // ms for the window system to frame and place it
    if (!megjelenésÓta_.isValid() || megjelenésÓta_.elapsed() > elhelyezésIdeje ||
        frameGeometry() == geometry())
        return;
    rt::guarded([this] { KépernyőnTart(ablak_); });
}

void Form1::closeEvent(QCloseEvent* event) {
    std::int16_t cancel = 0;
    rt::guarded([&] { Form_Unload(cancel); });
    if (cancel != 0) {
        event->ignore();
        return;
    }
    event->accept();
    if (görbék_) // the curves and the records go with the window they follow
        görbék_->close();
    for (const QPointer<RezgésjelAblak>& ablak : rezgésjelek_)
        if (ablak)
            ablak->close();
    for (const QPointer<RezgésjelBetöltés>& betöltés : betöltések_)
        if (betöltés)
            betöltés->Leállít();
}

// Two tab stops, as on the platform the window was made for: the option group (its
// selected option) and the scroll bar.
bool Form1::focusNextPrevChild(bool next) {
    QWidget* fókusz = focusWidget();
    const bool csoportban = std::find(Választó.begin(), Választó.end(), fókusz) != Választó.end();
    if (csoportban) {
        GörgetőFrekvencia->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    for (QRadioButton* gomb : Választó) {
        if (gomb->isChecked()) {
            gomb->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return QWidget::focusNextPrevChild(next);
}
