#include "form1.h"

#include "kampanyablak.h"

#include "elrendezes.h"
#include "engine/hatarertek.h"
#include "engine/kategoriak.h"
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

const rt::Screens& Form1::systemScreens() {
    static const rt::SystemScreens screens;
    return screens;
}

Form1::Form1(const rt::Screens& képernyő, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      helyzet_(képernyő), ablak_(*this, rt::vbFixedSingle) {
    felépít();
    bekapcsol();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::bekapcsol() {
    connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, this,
            [this] { HatárgörbékMegnyit(); });
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
            [this] { Másol(); });
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this,
            [this] { RezgésjelPárbeszéddel(); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), this),
            &QShortcut::activated, this, [this] { KampányPárbeszéddel(); });
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
    Épülettípus = Határérték::AlapKategória;
    helyzet_.AblakHelyzetBetöltés(ablak_);
}

void Form1::Form_Unload(std::int16_t& Cancel) {
    helyzet_.AblakHelyzetMentés(ablak_);
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
    QAction* kampány = menü.addAction(QStringLiteral("Kampány megnyitása…"));
    kampány->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    connect(kampány, &QAction::triggered, this, [this] { KampányPárbeszéddel(); });
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
    rt::guarded([this] { helyzet_.KépernyőnTart(ablak_); });
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
    for (const QPointer<KampányAblak>& ablak : kampányok_)
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
