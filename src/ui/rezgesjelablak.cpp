#include "rezgesjelablak.h"

#include "analysis/feldolgozas.h"
#include "analysis/tablazat.h"
#include "engine/kategoriak.h"
#include "engine/szovegek.h"
#include "meresadatokablak.h"
#include "nyomlap.h"
#include "painters/attekintes.h"
#include "painters/hatargorbe.h"
#include "painters/jelrajz.h"
#include "report/jelentes.h"
#include "runtime/app.h"
#include "runtime/errors.h"
#include "runtime/settings_store.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
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

namespace {

// A widget that draws with a painter function.
class Rajzlap : public QWidget {
public:
    Rajzlap(std::function<void(QPainter&, const QRectF&)> rajzol, const QString& név,
            QWidget* szülő)
        : QWidget(szülő), rajzol_(std::move(rajzol)) {
        setAccessibleName(név);
        setMinimumSize(240, 160);
    }

    void kattintásra(std::function<void(QPointF)> kattintás) {
        kattintás_ = std::move(kattintás);
        setCursor(Qt::PointingHandCursor);
    }
    // A drag along it: from where, to where, and whether the button is released.
    void húzásra(std::function<void(QPointF, QPointF, bool)> húzás) { húzás_ = std::move(húzás); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter festő(this);
        festő.fillRect(rect(), palette().color(QPalette::Base));
        rajzol_(festő, QRectF(rect()));
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) {
            innen_ = e->position();
            húz_ = false;
        }
        QWidget::mousePressEvent(e);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (innen_ && húzás_ && (e->buttons() & Qt::LeftButton)) {
            húz_ = húz_ || std::abs(e->position().x() - innen_->x()) >= 4;
            if (húz_)
                húzás_(*innen_, e->position(), false);
        }
        QWidget::mouseMoveEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (innen_ && e->button() == Qt::LeftButton) {
            const QPointF innen = *innen_;
            innen_.reset();
            if (húz_ && húzás_)
                húzás_(innen, e->position(), true);
            else if (kattintás_)
                kattintás_(e->position());
        }
        QWidget::mouseReleaseEvent(e);
    }

private:
    std::function<void(QPainter&, const QRectF&)> rajzol_;
    std::function<void(QPointF)> kattintás_;
    std::function<void(QPointF, QPointF, bool)> húzás_;
    std::optional<QPointF> innen_; // where the left button went down
    bool húz_ = false;
};

// An event's window, or a span, analysed with its samples: its view, drawn; the samples go.
RezgésjelAblak::Nézet eseményNézet(Elemzés::Esemény e) {
    std::vector<Rajz::Rajzadat> rajzok = Rajz::Rajzadatok(e.felvétel);
    e.felvétel.mintákElenged();
    return {std::move(e.felvétel), std::move(e.megállapítás), std::move(rajzok), e.ablak};
}

} // namespace

RezgésjelAblak::Előkészítés
RezgésjelAblak::Előkészít(const QString& fájl, const Rezgésjel::Beállítás& beállítás, int kategória,
                          std::vector<Rezgésjel::Felvétel> olvasott, std::atomic<int>& szakasz,
                          const std::atomic<bool>& megszakítva) {
    Előkészítés ki;
    Feldolgozás::Kérés k;
    k.kategória = kategória;
    k.beállítás = beállítás;
    k.beállítás.érzékenységKésőbb = true; // counts are read once, before the question
    k.mintákkal = true;
    k.egészHatár = HosszúFelvétel; // a monitoring record's whole: when asked for
    Feldolgozás::Feldolgozott f = olvasott.empty()
                                      ? Feldolgozás::Fájl(fájl, k)
                                      : Feldolgozás::Felvételekből(std::move(olvasott), k);
    ki.hiba = std::move(f.hiba);
    ki.érzékenységreVár = std::move(f.érzékenységreVár);
    for (Feldolgozás::ElemzettFelvétel& e : f.felvételek) {
        if (megszakítva)
            return {};
        szakasz = Rajzolás;
        Előkészített p;
        if (e.egészElemezve) {
            p.rajzok = Rajz::Rajzadatok(e.felvétel);
        } else {
            // a monitoring record: its envelope for the strip, its events, each with its own
            // drawing; the whole is analysed when it is asked for
            p.rajzok = Rajz::Rajzadatok(e.felvétel, false);
            szakasz = Eseménykeresés;
            std::vector<Elemzés::Esemény> események =
                Elemzés::Események(e.felvétel, Elemzés::AlapKüszöb, kategória, Elemzés::Hely::Alap,
                                   Elemzés::Módszer::ZC, true);
            // the worst; the first where none is judged (the whole is not analysed yet)
            p.legrosszabb =
                std::max(Elemzés::Legrosszabb(események) + 1, események.empty() ? 0 : 1);
            for (Elemzés::Esemény& es : események)
                p.események.push_back(eseményNézet(std::move(es)));
            if (p.események.empty()) { // none: the whole record is all there is to show
                e.megállapítás = Elemzés::Elemez(e.felvétel, kategória, Elemzés::Hely::Alap,
                                                 Elemzés::Módszer::ZC);
                e.egészElemezve = true;
                p.rajzok = Rajz::Rajzadatok(e.felvétel);
                p.események.push_back({});
            }
            // its samples stay, for a span chosen on its strip
            auto minták = std::make_shared<Rezgésjel::Felvétel>();
            std::vector<std::vector<double>> tár(e.felvétel.csatornák.size());
            for (std::size_t i = 0; i < tár.size(); ++i)
                tár[i].swap(e.felvétel.csatornák[i].minták);
            *minták = e.felvétel;
            for (std::size_t i = 0; i < tár.size(); ++i)
                minták->csatornák[i].minták.swap(tár[i]);
            p.minták = std::move(minták);
        }
        e.felvétel.mintákElenged();
        p.elemzett = std::move(e);
        ki.felvételek.push_back(std::move(p));
    }
    return ki;
}

QList<RezgésjelAblak*> RezgésjelAblak::Létrehoz(Előkészítés& kész, int kategória, QWidget* szülő) {
    QList<RezgésjelAblak*> ablakok;
    for (Előkészített& p : kész.felvételek) {
        Feldolgozás::ElemzettFelvétel& e = p.elemzett;
        const bool többÁllomás = kész.felvételek.size() > 1;
        auto* ablak = new RezgésjelAblak(std::move(e.felvétel), std::move(e.megállapítás),
                                         std::move(p.rajzok), std::move(p.események), p.legrosszabb,
                                         e.egészElemezve, kategória, szülő);
        ablak->minták_ = std::move(p.minták);
        if (többÁllomás && !ablak->felvétel_.állomás.isEmpty()) {
            ablak->setWindowTitle(ablak->windowTitle() +
                                  QStringLiteral(" – %1").arg(ablak->felvétel_.állomás));
            ablak->setAccessibleName(ablak->windowTitle());
        }
        ablakok.append(ablak);
    }
    return ablakok;
}

RezgésjelAblak::RezgésjelAblak(Rezgésjel::Felvétel felvétel, Elemzés::Megállapítás megállapítás,
                               std::vector<Rajz::Rajzadat> rajzok, std::vector<Nézet> események,
                               int legrosszabb, bool egészElemezve, int kategória, QWidget* szülő)
    : QWidget(szülő, Qt::Window), felvétel_(std::move(felvétel)),
      megállapítás_(std::move(megállapítás)), rajzok_(std::move(rajzok)), kategória_(kategória) {
    if (!események.empty()) {
        nézetek_.push_back(
            {felvétel_, megállapítás_, rajzok_, Elemzés::Teljes(felvétel_), egészElemezve});
        if (!(események.size() == 1 && események.front().rajzok.empty()))
            for (Nézet& n : események)
                nézetek_.push_back(std::move(n));
    }
    setObjectName(QStringLiteral("Rezgésjel"));
    setAttribute(Qt::WA_DeleteOnClose);
    const QString név = QFileInfo(felvétel_.fájl).fileName();
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
    adatok_ = MérésadatokPárbeszéd::Betölt(felvétel_.állomás);
    auto* adatok = new QPushButton(QStringLiteral("Mérés &adatai…"), this);
    connect(adatok, &QPushButton::clicked, this, [this] { AdatokPárbeszéddel(); });
    auto* jelentés = new QPushButton(QStringLiteral("&Jelentés PDF-be…"), this);
    connect(jelentés, &QPushButton::clicked, this, [this] { JelentésPárbeszéddel(); });
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, this,
            [this] { JelentésPárbeszéddel(); });
    for (const QKeySequence& bezár :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(bezár, this), &QShortcut::activated, this, &QWidget::close);
    connect(helyVálasztó_, &QComboBox::currentIndexChanged, this,
            [this](int i) { HelyBeállít(i == 0 ? Elemzés::Hely::Alap : Elemzés::Hely::Födém); });
    connect(módszerVálasztó_, &QComboBox::currentIndexChanged, this, [this](int i) {
        MódszerBeállít(i == 0 ? Elemzés::Módszer::ZC : Elemzés::Módszer::FFT);
    });

    nyomok_ = new Nyomlap(
        [this](QPainter& p, const QRectF& r, std::optional<Nyomlap::Tartomány> t) {
            return Rajz::Nyomvonalak(p, r.adjusted(4, 4, -4, -4), palette(), font(), megállapítás_,
                                     rajzok_, t);
        },
        [this] { return Rajz::NyomHossz(megállapítás_, rajzok_); },
        QStringLiteral("Rezgéssebesség az idő függvényében"), this);
    spektrumok_ = new Rajzlap(
        [this](QPainter& p, const QRectF& r) {
            Rajz::Spektrumok(p, r.adjusted(4, 4, -4, -4), palette(), font(), megállapítás_,
                             rajzok_);
        },
        QStringLiteral("Amplitúdóspektrumok"), this);
    ábra_ = new Rajzlap(
        [this](QPainter& p, const QRectF& r) {
            Rajz::Megfelelőség(p, r.size(), palette(), font(), kategória_,
                               hely_ == Elemzés::Hely::Födém,
                               Rajz::ÖsszetevőPontok(megállapítás_, módszer_));
        },
        QStringLiteral("Határgörbe a komponensek pontjaival"), this);

    if (!nézetek_.empty()) {
        eseményVálasztó_ = new QComboBox(this);
        eseményVálasztó_->setAccessibleName(QStringLiteral("Esemény"));
        eseményVálasztó_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        for (int i = 0; i < int(nézetek_.size()); ++i)
            eseményVálasztó_->addItem(nézetNév(i));
        connect(eseményVálasztó_, &QComboBox::currentIndexChanged, this,
                [this](int i) { NézetBeállít(i); });
        auto* lap = new Rajzlap(
            [this](QPainter& p, const QRectF& r) {
                Rajz::Áttekintés a;
                const Nézet& egész = nézetek_.front();
                for (std::size_t i = 0; i < egész.felvétel.csatornák.size(); ++i)
                    if (egész.felvétel.csatornák[i].mennyiség == Rezgésjel::Mennyiség::Sebesség &&
                        i < egész.rajzok.size()) {
                        a.összetevők.push_back(&egész.rajzok[i]);
                        a.színek.push_back(int(i));
                    }
                a.hossz = másodperc(egész.ablak.végMikro);
                for (std::size_t i = 1; i < nézetek_.size(); ++i)
                    a.ablakok.push_back({másodperc(nézetek_[i].ablak.kezdetMikro),
                                         másodperc(nézetek_[i].ablak.végMikro)});
                a.kiválasztott = nézet_ < int(nézetek_.size()) ? nézet_ - 1 : -1;
                a.küszöb = Elemzés::AlapKüszöb;
                a.kijelölés = kijelölésSáv_;
                áttekintésKeret_ = Rajz::ÁttekintéstRajzol(p, r, palette(), font(), a);
            },
            QStringLiteral("A teljes felvétel az eseményekkel"), this);
        lap->setMinimumSize(240, 64);
        lap->setFixedHeight(std::max(72, fontMetrics().height() * 6));
        lap->kattintásra([this](QPointF hol) {
            // the event nearest the click
            if (nézetek_.size() < 2 || !(áttekintésKeret_.width() > 0))
                return;
            const double t = áttekintésIdő(hol);
            int legközelebbi = 1;
            double távolság = 1e300;
            for (int i = 1; i < int(nézetek_.size()); ++i) {
                const double eleje = másodperc(nézetek_[std::size_t(i)].ablak.kezdetMikro);
                const double vége = másodperc(nézetek_[std::size_t(i)].ablak.végMikro);
                const double d = t < eleje ? eleje - t : t > vége ? t - vége : 0;
                if (d < távolság) {
                    távolság = d;
                    legközelebbi = i;
                }
            }
            NézetBeállít(legközelebbi);
        });
        lap->húzásra([this](QPointF innen, QPointF ide, bool kész) {
            // a span chosen by hand: shown as it is dragged, analysed when let go
            if (!(áttekintésKeret_.width() > 0))
                return;
            const double t0 = áttekintésIdő(innen), t1 = áttekintésIdő(ide);
            kijelölésSáv_ = {std::min(t0, t1), std::max(t0, t1)};
            áttekintés_->update();
            if (kész)
                SzakaszKijelöl(kijelölésSáv_->first, kijelölésSáv_->second);
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
    frissít();
    // a monitoring record opens on its worst event
    if (legrosszabb > 0 && legrosszabb < int(nézetek_.size()))
        NézetBeállít(legrosszabb);
}

QString RezgésjelAblak::nézetNév(int nézet) const {
    const Nézet& n = *nézetAdat(nézet);
    if (nézet == 0)
        return QStringLiteral("teljes felvétel (%1 esemény)").arg(nézetek_.size() - 1);
    const bool kijelölt = nézet == int(nézetek_.size());
    const bool óra = n.felvétel.kezdetMikro && nézetek_.front().felvétel.kezdetMikro;
    auto idő = [&](qint64 mikro) {
        if (óra)
            return QDateTime::fromMSecsSinceEpoch(mikro / 1000, QTimeZone::utc())
                .toString(QStringLiteral("HH:mm:ss,zzz"));
        return Határérték::Szám(másodperc(mikro), 3);
    };
    QString szöveg = kijelölt ? QStringLiteral("kijelölt szakasz: %1 – %2")
                                    .arg(idő(n.ablak.kezdetMikro), idő(n.ablak.végMikro))
                              : QStringLiteral("%1. %2").arg(nézet).arg(idő(n.ablak.kezdetMikro));
    szöveg += óra ? QStringLiteral(" UTC") : QStringLiteral(" s");
    if (n.megállapítás.pvsVan)
        szöveg += QStringLiteral(" – PVS %1 mm/s").arg(Határérték::Szám(n.megállapítás.pvs, 3));
    return szöveg;
}

double RezgésjelAblak::másodperc(qint64 mikro) const {
    return double(mikro - nézetek_.front().ablak.kezdetMikro) / 1e6;
}

double RezgésjelAblak::áttekintésIdő(QPointF hol) const {
    const double hossz = másodperc(nézetek_.front().ablak.végMikro);
    return std::clamp(hossz * (hol.x() - áttekintésKeret_.left()) / áttekintésKeret_.width(), 0.0,
                      hossz);
}

const RezgésjelAblak::Nézet* RezgésjelAblak::nézetAdat(int nézet) const {
    if (nézet >= 0 && nézet < int(nézetek_.size()))
        return &nézetek_[std::size_t(nézet)];
    if (kijelölés_ && nézet == int(nézetek_.size()))
        return &*kijelölés_;
    return nullptr;
}

void RezgésjelAblak::NézetBeállít(int nézet) {
    const Nézet* adat = nézetAdat(nézet);
    if (!adat)
        return;
    if (!adat->elemezve) {
        // a monitoring record's whole: analysed now, away from the window system; until
        // then the view shown stays, and so does the chooser
        {
            const QSignalBlocker csend(eseményVálasztó_);
            eseményVálasztó_->setCurrentIndex(nézet_);
        }
        if (minták_)
            háttérben(
                [minták = minták_, kategória = kategória_] {
                    Nézet n;
                    n.megállapítás = Elemzés::Elemez(*minták, kategória, Elemzés::Hely::Alap,
                                                     Elemzés::Módszer::ZC);
                    n.rajzok = Rajz::Rajzadatok(*minták);
                    return n;
                },
                [this, nézet](Nézet n) {
                    Nézet& egész = nézetek_[std::size_t(nézet)];
                    egész.megállapítás = std::move(n.megállapítás);
                    egész.rajzok = std::move(n.rajzok);
                    egész.elemezve = true;
                    NézetBeállít(nézet);
                });
        return;
    }
    nézet_ = nézet;
    const Nézet& n = *adat;
    felvétel_ = n.felvétel;
    megállapítás_ = n.megállapítás;
    rajzok_ = n.rajzok;
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
    if (!minták_ || nézetek_.empty())
        return;
    const Elemzés::Szakasz egész = nézetek_.front().ablak;
    auto mikro = [&](double t) {
        return std::clamp(egész.kezdetMikro + qint64(std::llround(t * 1e6)), egész.kezdetMikro,
                          egész.végMikro);
    };
    const Elemzés::Szakasz szakasz{mikro(std::min(eleje, vége)), mikro(std::max(eleje, vége))};
    kijelölésSáv_ = {másodperc(szakasz.kezdetMikro), másodperc(szakasz.végMikro)};
    áttekintés_->update();
    // analysed as an event's window is
    háttérben(
        [minták = minták_, szakasz, kategória = kategória_] {
            return eseményNézet(Elemzés::SzakaszElemez(*minták, szakasz, kategória,
                                                       Elemzés::Hely::Alap, Elemzés::Módszer::ZC));
        },
        [this](Nézet n) {
            kijelölés_ = std::move(n);
            const int hely = int(nézetek_.size());
            {
                const QSignalBlocker csend(eseményVálasztó_);
                if (eseményVálasztó_->count() > hely)
                    eseményVálasztó_->setItemText(hely, nézetNév(hely));
                else
                    eseményVálasztó_->addItem(nézetNév(hely));
            }
            NézetBeállít(hely);
        });
}

void RezgésjelAblak::háttérben(std::function<Nézet()> munka, std::function<void(Nézet)> kész) {
    // one job at a time; only the latest one asked for is shown
    if (háttérSzál_)
        háttérSzál_->wait();
    const int sorszám = ++háttérSorszám_;
    auto eredmény = std::make_shared<Nézet>();
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

namespace {

const QString HelySzekció = QStringLiteral("Rezgesjel");

} // namespace

void RezgésjelAblak::closeEvent(QCloseEvent* esemény) {
    // where the user left it, for the next record window
    rt::SettingsWriter író(rt::App::Title());
    const QRect g = geometry();
    író.SaveSetting(
        HelySzekció, QStringLiteral("Hely"),
        QStringLiteral("%1 %2 %3 %4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()));
    író.commit(); // a store that cannot be written: the window closes all the same
    QWidget::closeEvent(esemény);
}

void RezgésjelAblak::Elhelyez(QWidget& ablak, const QWidget& főablak, int lépcső) {
    const QScreen* képernyő =
        főablak.screen() ? főablak.screen() : QGuiApplication::primaryScreen();
    const QRect terület = képernyő->availableGeometry();
    const QRect fő = főablak.frameGeometry();
    constexpr int Keret = 40;      // the window system's frame and title, about
    const int lépés = 32 * lépcső; // a cascade stays on the screen
    const int magas = std::min(900, terület.height() - Keret - lépés);
    // beside the main window, on its roomier side, if a useful width is left there
    const int jobbra = terület.right() - fő.right() - 8, balra = fő.left() - terület.left() - 8;
    const int mellette = std::max(jobbra, balra) - 8;
    const int széles = std::min(1000, (mellette >= 700 ? mellette : terület.width() - 16) - lépés);
    ablak.resize(std::max(széles, ablak.minimumSizeHint().width()),
                 std::max(magas, ablak.minimumSizeHint().height()));
    QPoint hol;
    if (mellette >= 700)
        hol = jobbra >= balra ? QPoint(fő.right() + 8, fő.top())
                              : QPoint(fő.left() - 8 - ablak.width(), fő.top());
    else // no room beside it: over its right part, its left part (the categories) still free
        hol = QPoint(std::min(fő.left() + 200, terület.right() - ablak.width()), terület.top());
    hol += QPoint(lépés, lépés);
    // where the user left the last one, if it fits this screen
    try {
        const rt::SettingsReader olvasó(rt::App::Title());
        const QStringList t = olvasó.GetSetting(HelySzekció, QStringLiteral("Hely")).split(u' ');
        if (t.size() == 4) {
            const QRect tárolt(t[0].toInt(), t[1].toInt(), t[2].toInt(), t[3].toInt());
            if (tárolt.isValid() && terület.contains(tárolt.translated(lépés, lépés))) {
                ablak.resize(tárolt.size());
                hol = tárolt.topLeft() + QPoint(lépés, lépés);
            }
        }
    } catch (const rt::RuntimeError&) {
        // an unreadable store: the place worked out above
    }
    hol.setX(std::clamp(hol.x(), terület.left(),
                        std::max(terület.left(), terület.right() - ablak.width())));
    hol.setY(std::clamp(hol.y(), terület.top(),
                        std::max(terület.top(), terület.bottom() - ablak.height() - Keret)));
    ablak.move(hol);
}

void RezgésjelAblak::KategóriaBeállít(int kategória) {
    if (!Határérték::ÉrvényesKategória(kategória) || kategória == kategória_)
        return;
    kategória_ = kategória;
    frissít();
}

void RezgésjelAblak::HelyBeállít(Elemzés::Hely hely) {
    hely_ = hely;
    helyVálasztó_->setCurrentIndex(hely == Elemzés::Hely::Alap ? 0 : 1);
    frissít();
}

void RezgésjelAblak::MódszerBeállít(Elemzés::Módszer módszer) {
    módszer_ = módszer;
    módszerVálasztó_->setCurrentIndex(módszer == Elemzés::Módszer::ZC ? 0 : 1);
    frissít();
}

void RezgésjelAblak::frissít() {
    Elemzés::Megítél(megállapítás_, kategória_, hely_, módszer_);
    QStringList csatornák;
    for (const Rezgésjel::Csatorna& c : felvétel_.csatornák)
        csatornák << c.kód.név();
    fejléc_->setText(
        QStringLiteral("%1   •   %2   •   kezdet: %3   •   %4 Hz   •   %5")
            .arg(QFileInfo(felvétel_.fájl).fileName(),
                 felvétel_.állomás.isEmpty() ? csatornák.join(QStringLiteral(", "))
                                             : felvétel_.állomás,
                 felvétel_.kezdet() ? felvétel_.kezdet()->toString(
                                          nézet_ > 0 ? QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")
                                                     : QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
                                          QStringLiteral(" UTC")
                                    : QStringLiteral("–"),
                 Határérték::Szám(felvétel_.mintavétel, 0), Határérték::KategóriaNév(kategória_)));

    const QList<QStringList> sorok = Elemzés::TáblázatSorok(megállapítás_);
    táblázat_->setRowCount(int(sorok.size()));
    for (int r = 0; r < sorok.size(); ++r) {
        const bool túl = r < int(megállapítás_.összetevők.size()) &&
                         megállapítás_.összetevők[std::size_t(r)].megítélt &&
                         !megállapítás_.összetevők[std::size_t(r)].megítélés.megfelel;
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

    ítélet_->setText(Elemzés::Ítélet(megállapítás_));
    QPalette p = ítélet_->palette();
    p.setColor(QPalette::WindowText,
               megállapítás_.megfelel ? QColor(0, 110, 40) : QColor(190, 0, 0));
    ítélet_->setPalette(p);
    ítélet_->setAccessibleName(ítélet_->text());
    QAccessibleEvent esemény(ítélet_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&esemény);
    setAccessibleDescription(ítélet_->text());
    update();
    for (QWidget* w : {static_cast<QWidget*>(nyomok_), spektrumok_, ábra_})
        w->update();
}

bool RezgésjelAblak::JelentésÍr(const QString& pdf, QString* hiba) const {
    Jelentés::Tétel t;
    t.felvétel = felvétel_;
    t.megállapítás = megállapítás_;
    t.rajzok = rajzok_;
    t.kategória = kategória_;
    t.hely = hely_;
    t.módszer = módszer_;
    t.adatok = adatok_;
    // a monitoring record: the event shown, then the summary of them all, judged alike
    for (std::size_t i = 1; i < nézetek_.size(); ++i) {
        Elemzés::Esemény e;
        e.sorszám = int(i);
        e.ablak = nézetek_[i].ablak;
        e.felvétel = nézetek_[i].felvétel;
        e.megállapítás = nézetek_[i].megállapítás;
        Elemzés::Megítél(e.megállapítás, kategória_, hely_, módszer_);
        t.események.push_back(std::move(e));
    }
    t.részletes = nézet_ < int(nézetek_.size()) ? nézet_ : 0;
    t.kijelölt = kijelölés_ && nézet_ == int(nézetek_.size());
    t.küszöb = Elemzés::AlapKüszöb;
    return Jelentés::Ír(pdf, {t}, hiba);
}

bool RezgésjelAblak::AdatokBeállít(const Mérésadatok& adatok, QString* hiba) {
    adatok_ = adatok; // for this window's reports, whether or not the store takes them
    return MérésadatokPárbeszéd::Ment(felvétel_.állomás, adatok, hiba);
}

void RezgésjelAblak::AdatokPárbeszéddel() {
    MérésadatokPárbeszéd kérdés(felvétel_.állomás, adatok_, this);
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
    const QString javaslat = QFileInfo(felvétel_.fájl).completeBaseName() + QStringLiteral(".pdf");
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
