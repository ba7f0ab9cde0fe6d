#include "rezgesjelablak.h"

#include "analysis/tablazat.h"
#include "engine/szovegek.h"
#include "hibaszoveg.h"
#include "meresadatokablak.h"
#include "nyomlap.h"
#include "painters/attekintes.h"
#include "painters/hatargorbe.h"
#include "painters/jelrajz.h"
#include "rajzlap.h"
#include "report/jelentes.h"
#include "runtime/app.h"
#include "runtime/errors.h"
#include "runtime/settings_store.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableWidget>
#include <QThread>
#include <QTimeZone>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>
#include <functional>

QList<RezgésjelAblak*> RezgésjelAblak::Létrehoz(Feldolgozás::Feldolgozott& kész, int kategória,
                                                QWidget* szülő) {
    QList<RezgésjelAblak*> ablakok;
    const bool többÁllomás = kész.felvételek.size() > 1;
    for (Feldolgozás::ElemzettFelvétel& e : kész.felvételek) {
        auto* ablak = new RezgésjelAblak(FelvételModell(std::move(e), kategória), szülő);
        QStringList mi; // the station, and the continuous segment where gaps split its trace
        if (többÁllomás && !ablak->Felvétel().állomás.isEmpty())
            mi << ablak->Felvétel().állomás;
        if (ablak->Felvétel().szakaszok > 0)
            mi << ablak->Felvétel().szakaszNév();
        if (!mi.isEmpty()) {
            ablak->setWindowTitle(ablak->windowTitle() + QStringLiteral(" – ") +
                                  mi.join(QStringLiteral(", ")));
            ablak->setAccessibleName(ablak->windowTitle());
        }
        ablakok.append(ablak);
    }
    return ablakok;
}

RezgésjelAblak::RezgésjelAblak(FelvételModell modell, QWidget* szülő)
    : QWidget(szülő, Qt::Window), modell_(std::move(modell)) {
    setObjectName(QStringLiteral("Rezgésjel"));
    setAttribute(Qt::WA_DeleteOnClose);
    const QString név = QFileInfo(modell_.Felvétel().fájl).fileName();
    setWindowTitle(QStringLiteral("Rezgésjel – %1").arg(név));
    setAccessibleName(windowTitle());
    resize(1000, 900); // until it is placed beside the main window

    fejléc_ = new QLabel(this);
    fejléc_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    helyVálasztó_ = new QComboBox(this);
    helyVálasztó_->addItems(
        {Határérték::HelyNév(Elemzés::Hely::Alap), Határérték::HelyNév(Elemzés::Hely::Födém)});
    helyVálasztó_->setAccessibleName(QStringLiteral("Hely"));
    módszerVálasztó_ = new QComboBox(this);
    módszerVálasztó_->addItems({Határérték::MódszerNév(Elemzés::Módszer::ZC),
                                Határérték::MódszerNév(Elemzés::Módszer::FFT)});
    módszerVálasztó_->setAccessibleName(QStringLiteral("Módszer"));
    adatok_ = MérésadatokPárbeszéd::Betölt(modell_.Felvétel().állomás);
    auto* adatok = new QPushButton(QStringLiteral("Mérés &adatai…"), this);
    connect(adatok, &QPushButton::clicked, this, [this] { AdatokPárbeszéddel(); });
    auto* jelentés = new QPushButton(QStringLiteral("&Jelentés PDF-be…"), this);
    connect(jelentés, &QPushButton::clicked, this, [this] { JelentésPárbeszéddel(); });
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, this,
            [this] { JelentésPárbeszéddel(); });
    // Esc closes too (keyPressEvent): as a key, not a shortcut, so that a list dropped down
    // takes it first and closes alone
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_W), this), &QShortcut::activated, this,
            &QWidget::close);
    connect(helyVálasztó_, &QComboBox::currentIndexChanged, this,
            [this](int i) { HelyBeállít(i == 0 ? Elemzés::Hely::Alap : Elemzés::Hely::Födém); });
    connect(módszerVálasztó_, &QComboBox::currentIndexChanged, this, [this](int i) {
        MódszerBeállít(i == 0 ? Elemzés::Módszer::ZC : Elemzés::Módszer::FFT);
    });

    nyomok_ = new Nyomlap(
        [this](QPainter& p, const QRectF& r, std::optional<Nyomlap::Tartomány> t) {
            return Rajz::Nyomvonalak(p, r.adjusted(4, 4, -4, -4), palette(), font(),
                                     modell_.Megállapítás(), modell_.Rajzok(), t);
        },
        [this] { return Rajz::NyomHossz(modell_.Megállapítás(), modell_.Rajzok()); },
        QStringLiteral("Rezgéssebesség az idő függvényében"), this);
    spektrumok_ = new Rajzlap(
        [this](QPainter& p, const QRectF& r) {
            Rajz::Spektrumok(p, r.adjusted(4, 4, -4, -4), palette(), font(), modell_.Megállapítás(),
                             modell_.Rajzok());
        },
        QStringLiteral("Amplitúdóspektrumok"), this);
    ábra_ = new Rajzlap(
        [this](QPainter& p, const QRectF& r) {
            Rajz::Megfelelőség(p, r.size(), palette(), font(), modell_.Kategória(),
                               modell_.Hely() == Elemzés::Hely::Födém,
                               Rajz::ÖsszetevőPontok(modell_.Megállapítás(), modell_.Módszer()));
        },
        QStringLiteral("Határgörbe a komponensek pontjaival"), this);

    if (modell_.Figyelés()) {
        eseményVálasztó_ = new QComboBox(this);
        eseményVálasztó_->setAccessibleName(QStringLiteral("Esemény"));
        eseményVálasztó_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        for (int i = 0; i < modell_.NézetekSzáma(); ++i)
            eseményVálasztó_->addItem(modell_.NézetNév(i));
        connect(eseményVálasztó_, &QComboBox::currentIndexChanged, this,
                [this](int i) { NézetBeállít(i); });
        auto* lap = new Rajzlap(
            [this](QPainter& p, const QRectF& r) {
                Rajz::Áttekintés a;
                const FelvételModell::Nézet& egész = *modell_.NézetAdat(0);
                for (std::size_t i = 0; i < egész.felvétel.csatornák.size(); ++i)
                    if (egész.felvétel.csatornák[i].mennyiség == Rezgésjel::Mennyiség::Sebesség &&
                        i < egész.rajzok.size()) {
                        a.összetevők.push_back(&egész.rajzok[i]);
                        a.színek.push_back(int(i));
                    }
                a.hossz = modell_.Hossz();
                a.ablakok = modell_.Eseményablakok();
                a.kiválasztott =
                    modell_.AktívNézet() < modell_.NézetekSzáma() ? modell_.AktívNézet() - 1 : -1;
                a.küszöb = Elemzés::AlapKüszöb;
                a.kijelölés = modell_.KijelölésSáv();
                áttekintésKeret_ = Rajz::ÁttekintéstRajzol(p, r, palette(), font(), a);
            },
            QStringLiteral("A teljes felvétel az eseményekkel"), this);
        lap->setMinimumSize(240, 64);
        lap->setFixedHeight(std::max(72, fontMetrics().height() * 6));
        lap->kattintásra([this](QPointF hol) {
            // the event nearest the click
            if (modell_.NézetekSzáma() < 2 || !(áttekintésKeret_.width() > 0))
                return;
            NézetBeállít(modell_.LegközelebbiEsemény(áttekintésIdő(hol)));
        });
        lap->húzásra([this](QPointF innen, QPointF ide, bool kész) {
            // a span chosen by hand: shown as it is dragged, analysed when let go
            if (!(áttekintésKeret_.width() > 0))
                return;
            modell_.KijelölésSáv(áttekintésIdő(innen), áttekintésIdő(ide));
            áttekintés_->update();
            if (kész)
                SzakaszKijelöl(modell_.KijelölésSáv()->first, modell_.KijelölésSáv()->second);
        });
        áttekintés_ = lap;
    }

    táblázat_ = new QTableWidget(this);
    táblázat_->setAccessibleName(QStringLiteral("Komponensek"));
    táblázat_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    táblázat_->verticalHeader()->hide();
    táblázat_->setColumnCount(int(Elemzés::TáblázatFejléc().size()));
    {
        // the unit under its quantity, so that the columns stay narrow; the verdict's column
        // takes the rest of the width and wraps its remark
        QStringList fejléc = Elemzés::TáblázatFejléc();
        for (QString& f : fejléc)
            f.replace(QStringLiteral(" ("), QStringLiteral("\n("));
        táblázat_->setHorizontalHeaderLabels(fejléc);
    }
    táblázat_->setWordWrap(true);
    táblázat_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QHeaderView* fej = táblázat_->horizontalHeader();
    fej->setSectionResizeMode(QHeaderView::ResizeToContents);
    fej->setSectionResizeMode(fej->count() - 1, QHeaderView::Stretch);
    connect(fej, &QHeaderView::sectionResized, this, [this](int oszlop) {
        if (oszlop == táblázat_->columnCount() - 1)
            táblázatMagasság();
    });
    connect(táblázat_->horizontalScrollBar(), &QScrollBar::rangeChanged, this,
            [this] { táblázatMagasság(); });
    ítélet_ = new QLabel(this);
    QFont vastag = font();
    vastag.setBold(true);
    vastag.setPointSizeF(font().pointSizeF() * 1.25);
    ítélet_->setFont(vastag);

    auto* vezérlők = new QHBoxLayout;
    auto* helyCímke = new QLabel(QStringLiteral("&Hely:"), this);
    helyCímke->setBuddy(helyVálasztó_);
    auto* módszerCímke = new QLabel(QStringLiteral("&Módszer:"), this);
    módszerCímke->setBuddy(módszerVálasztó_);
    vezérlők->addWidget(helyCímke);
    vezérlők->addWidget(helyVálasztó_);
    vezérlők->addSpacing(12);
    vezérlők->addWidget(módszerCímke);
    vezérlők->addWidget(módszerVálasztó_);
    vezérlők->addStretch();
    vezérlők->addWidget(adatok);
    vezérlők->addWidget(jelentés);

    auto* alsó = new QSplitter(Qt::Horizontal, this);
    alsó->addWidget(spektrumok_);
    alsó->addWidget(ábra_);
    auto* ábrák = new QSplitter(Qt::Vertical, this);
    ábrák->addWidget(nyomok_);
    ábrák->addWidget(alsó);
    ábrák->setStretchFactor(0, 1);
    ábrák->setStretchFactor(1, 1);
    ábrák->setSizes({420, 340}); // in proportion: the traces and, below, spectra and chart

    auto* elrendezés = new QVBoxLayout(this);
    elrendezés->addWidget(fejléc_);
    elrendezés->addLayout(vezérlők);
    if (áttekintés_) { // a row of its own, so that the window stays as narrow as before
        auto* eseménySor = new QHBoxLayout;
        auto* eseményCímke = new QLabel(QStringLiteral("&Esemény:"), this);
        eseményCímke->setBuddy(eseményVálasztó_);
        eseménySor->addWidget(eseményCímke);
        eseménySor->addWidget(eseményVálasztó_);
        eseménySor->addStretch();
        elrendezés->addLayout(eseménySor);
        elrendezés->addWidget(áttekintés_);
    }
    elrendezés->addWidget(ábrák, 1);
    elrendezés->addWidget(táblázat_);
    elrendezés->addWidget(ítélet_);
    megjegyzések_ = new QLabel(this);
    megjegyzések_->setWordWrap(true);
    megjegyzések_->setObjectName(QStringLiteral("Megjegyzések"));
    elrendezés->addWidget(megjegyzések_);
    // a monitoring record opens on its worst event
    if (eseményVálasztó_) {
        const QSignalBlocker csend(eseményVálasztó_);
        eseményVálasztó_->setCurrentIndex(modell_.AktívNézet());
    }
    frissít();
}

double RezgésjelAblak::áttekintésIdő(QPointF hol) const {
    const double hossz = modell_.Hossz();
    return std::clamp(hossz * (hol.x() - áttekintésKeret_.left()) / áttekintésKeret_.width(), 0.0,
                      hossz);
}

void RezgésjelAblak::NézetBeállít(int nézet) {
    const FelvételModell::Nézet* adat = modell_.NézetAdat(nézet);
    if (!adat)
        return;
    if (!adat->elemezve) {
        // a monitoring record's whole: analysed now, away from the window system; until
        // then the view shown stays, and so does the chooser
        {
            const QSignalBlocker csend(eseményVálasztó_);
            eseményVálasztó_->setCurrentIndex(modell_.AktívNézet());
        }
        if (std::function<FelvételModell::Nézet()> munka = modell_.EgészMunka())
            háttérben(std::move(munka), [this, nézet](FelvételModell::Nézet n) {
                modell_.EgészKész(std::move(n));
                NézetBeállít(nézet);
            });
        return;
    }
    modell_.NézetBeállít(nézet);
    nyomok_->Mindet(); // another span: shown whole
    {
        const QSignalBlocker csend(eseményVálasztó_);
        eseményVálasztó_->setCurrentIndex(nézet);
    }
    frissít();
}

RezgésjelAblak::~RezgésjelAblak() {
    if (háttérSzál_)
        háttérSzál_->wait();
}

void RezgésjelAblak::SzakaszKijelöl(double eleje, double vége) {
    std::function<FelvételModell::Nézet()> munka = modell_.SzakaszMunka(eleje, vége);
    if (!munka)
        return;
    áttekintés_->update();
    // analysed as an event's window is
    háttérben(std::move(munka), [this](FelvételModell::Nézet n) {
        const int hely = modell_.SzakaszKész(std::move(n));
        {
            const QSignalBlocker csend(eseményVálasztó_);
            if (eseményVálasztó_->count() > hely)
                eseményVálasztó_->setItemText(hely, modell_.NézetNév(hely));
            else
                eseményVálasztó_->addItem(modell_.NézetNév(hely));
        }
        NézetBeállít(hely);
    });
}

void RezgésjelAblak::háttérben(std::function<FelvételModell::Nézet()> munka,
                               std::function<void(FelvételModell::Nézet)> kész) {
    // one job at a time; only the latest one asked for is shown
    if (háttérSzál_)
        háttérSzál_->wait();
    const int sorszám = ++háttérSorszám_;
    auto eredmény = std::make_shared<FelvételModell::Nézet>();
    háttérSzál_.reset(QThread::create([munka, eredmény] { *eredmény = munka(); }));
    connect(háttérSzál_.get(), &QThread::finished, this, [this, sorszám, eredmény, kész] {
        if (sorszám != háttérSorszám_)
            return;
        unsetCursor();
        kész(std::move(*eredmény));
    });
    setCursor(Qt::BusyCursor);
    háttérSzál_->start();
}

void RezgésjelAblak::táblázatMagasság() {
    // every row in sight, as high as its wrapped remark, and the horizontal scroll bar below
    // them when the window is too narrow even for that
    // (a hidden table's columns are not laid out yet: its rows keep one line until shown)
    táblázat_->setWordWrap(táblázat_->isVisible());
    táblázat_->resizeRowsToContents();
    táblázat_->setWordWrap(true);
    int magasság = táblázat_->horizontalHeader()->height() + 2 * táblázat_->frameWidth();
    for (int r = 0; r < táblázat_->rowCount(); ++r)
        magasság += táblázat_->rowHeight(r);
    const QScrollBar* sáv = táblázat_->horizontalScrollBar();
    if (táblázat_->isVisible() && sáv->maximum() > 0)
        magasság += sáv->sizeHint().height();
    táblázat_->setFixedHeight(magasság);
}

void RezgésjelAblak::keyPressEvent(QKeyEvent* esemény) {
    if (esemény->key() == Qt::Key_Escape && esemény->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(esemény);
}

void RezgésjelAblak::KategóriaBeállít(int kategória) {
    if (modell_.KategóriaBeállít(kategória))
        frissít();
}

void RezgésjelAblak::HelyBeállít(Elemzés::Hely hely) {
    modell_.HelyBeállít(hely);
    helyVálasztó_->setCurrentIndex(hely == Elemzés::Hely::Alap ? 0 : 1);
    frissít();
}

void RezgésjelAblak::MódszerBeállít(Elemzés::Módszer módszer) {
    modell_.MódszerBeállít(módszer);
    módszerVálasztó_->setCurrentIndex(módszer == Elemzés::Módszer::ZC ? 0 : 1);
    frissít();
}

void RezgésjelAblak::frissít() {
    fejléc_->setText(modell_.Fejléc());
    const QList<QStringList> sorok = modell_.TáblázatSorok();
    táblázat_->setRowCount(int(sorok.size()));
    for (int r = 0; r < sorok.size(); ++r) {
        const bool túl = modell_.SorTúllépi(r);
        for (int c = 0; c < sorok[r].size(); ++c) {
            auto* cella = táblázat_->item(r, c);
            if (!cella) {
                cella = new QTableWidgetItem;
                táblázat_->setItem(r, c, cella);
            }
            cella->setText(sorok[r][c]);
            cella->setTextAlignment(c == 0 || c == sorok[r].size() - 1
                                        ? Qt::AlignLeft | Qt::AlignVCenter
                                        : Qt::AlignRight | Qt::AlignVCenter);
            cella->setForeground(túl ? QColor(190, 0, 0) : palette().color(QPalette::Text));
        }
    }
    táblázatMagasság();

    ítélet_->setText(modell_.Ítélet());
    QPalette p = ítélet_->palette();
    // nothing judged: said in the text's own colour, never the green of a pass
    p.setColor(QPalette::WindowText, !modell_.Megítélt()  ? palette().color(QPalette::WindowText)
                                     : modell_.Megfelel() ? QColor(0, 110, 40)
                                                          : QColor(190, 0, 0));
    ítélet_->setPalette(p);
    const QStringList megjegyzések = modell_.Megjegyzések();
    megjegyzések_->setText(megjegyzések.join(u'\n'));
    megjegyzések_->setAccessibleName(megjegyzések_->text());
    megjegyzések_->setVisible(!megjegyzések.isEmpty());
    ítélet_->setAccessibleName(ítélet_->text());
    QAccessibleEvent esemény(ítélet_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&esemény);
    setAccessibleDescription(ítélet_->text());
    update();
    for (QWidget* w : {static_cast<QWidget*>(nyomok_), spektrumok_, ábra_})
        w->update();
}

bool RezgésjelAblak::JelentésÍr(const QString& pdf, QString* hiba) const {
    const std::optional<Hiba> h = Jelentés::Ír(pdf, {modell_.Jelentéstétel(adatok_)});
    if (h && hiba)
        *hiba = QDir::toNativeSeparators(h->fájl) + QStringLiteral(": ") + Ablak::HibaSzöveg(*h);
    return !h;
}

bool RezgésjelAblak::AdatokBeállít(const Mérésadatok& adatok, QString* hiba) {
    adatok_ = adatok; // for this window's reports, whether or not the store takes them
    const std::optional<Hiba> h = MérésadatokPárbeszéd::Ment(modell_.Felvétel().állomás, adatok);
    if (h && hiba)
        *hiba = h->részlet; // the store's reason
    return !h;
}

void RezgésjelAblak::AdatokPárbeszéddel() {
    MérésadatokPárbeszéd kérdés(modell_.Felvétel().állomás, adatok_, this);
    if (kérdés.exec() != QDialog::Accepted)
        return;
    QString hiba;
    if (!AdatokBeállít(kérdés.Adatok(), &hiba))
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("A mérés adatai ebben az ablakban érvényesek, de nem "
                                            "menthetők el:\n%1")
                                 .arg(hiba));
}

void RezgésjelAblak::JelentésPárbeszéddel() {
    const QString javaslat =
        QFileInfo(modell_.Felvétel().fájl).completeBaseName() + QStringLiteral(".pdf");
    QString fájl = QFileDialog::getSaveFileName(this, QStringLiteral("Jelentés PDF-be"), javaslat,
                                                QStringLiteral("PDF dokumentum (*.pdf)"));
    if (fájl.isEmpty())
        return;
    if (QFileInfo(fájl).suffix().isEmpty())
        fájl += QStringLiteral(".pdf");
    QString hiba;
    if (!JelentésÍr(fájl, &hiba))
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("A jelentés nem készült el: %1").arg(hiba));
}
