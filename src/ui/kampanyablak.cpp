#include "kampanyablak.h"

#include "catalogue/behozatal.h"
#include "catalogue/statisztika.h"
#include "engine/kategoriak.h"
#include "engine/szovegek.h"
#include "form1.h"
#include "kampanyfelvetel.h"
#include "painters/betu.h"
#include "painters/hatargorbe.h"
#include "painters/idosor.h"
#include "rajzlap.h"
#include "readers/robbantasnaplo.h"
#include "rezgesjelablak.h"
#include "rezgesjelbetoltes.h"
#include "tervezeslap.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QThread>
#include <QTimeZone>
#include <QTimer>
#include <QVBoxLayout>

#include <map>

namespace {

const QTimeZone& magyarIdő() {
    static const QTimeZone zóna(QByteArrayLiteral("Europe/Budapest"));
    return zóna;
}

// An exceedance's row in red, one not judged in grey.
class ÍtéletSzín : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* o, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(o, index);
        const auto í =
            Katalógus::Ítélet(index.data(Katalógus::KampányModell::ÍtéletSzerep).toInt());
        if (í == Katalógus::Ítélet::Túllépi)
            o->palette.setColor(QPalette::Text, QColor(190, 0, 0));
        else if (í == Katalógus::Ítélet::NincsMegítélve)
            o->palette.setColor(QPalette::Text, o->palette.color(QPalette::PlaceholderText));
    }
};

QString szám(const std::optional<double>& v, int tizedesek) {
    return v ? Határérték::Szám(*v, tizedesek) : QString();
}

QString százalék(const std::optional<qint64>& v) {
    return v ? Határérték::Százalék(*v) : QString();
}

} // namespace

KampányAblak* KampányAblak::Megnyit(const QString& cím, QWidget* főablak) {
    QString miért;
    std::optional<Katalógus::Cím> c = Katalógus::CímOlvas(cím, &miért);
    std::unique_ptr<Katalógus::Katalógusfájl> k;
    if (c) {
        auto m = Katalógus::Katalógusfájl::Megnyit(*c, false);
        if (auto* h = std::get_if<Katalógus::Hiba>(&m))
            miért = h->részlet;
        else
            k = std::move(std::get<std::unique_ptr<Katalógus::Katalógusfájl>>(m));
    }
    if (!k) {
        QMessageBox::warning(főablak, QStringLiteral("Katalógus megnyitása"),
                             QStringLiteral("A(z) %1 nem nyitható meg:\n%2")
                                 .arg(QDir::toNativeSeparators(cím), miért));
        return nullptr;
    }
    auto* ablak = new KampányAblak(*c, std::move(k), főablak);
    ablak->setAttribute(Qt::WA_DeleteOnClose);
    if (főablak)
        ablak->elhelyez(*főablak);
    ablak->show();
    ablak->Frissít();
    return ablak;
}

KampányAblak::KampányAblak(Katalógus::Cím cím, std::unique_ptr<Katalógus::Katalógusfájl> olvasó,
                           QWidget* főablak)
    : QMainWindow(nullptr), cím_(std::move(cím)), olvasó_(std::move(olvasó)), főablak_(főablak) {
    setObjectName(QStringLiteral("KampányAblak"));
    setWindowTitle(QStringLiteral("Kampány – %1").arg(QFileInfo(cím_.név()).fileName()));
    setAcceptDrops(true);
    modell_ = new Katalógus::KampányModell(this);
    szűrő_ = new Katalógus::KampánySzűrő(this);
    szűrő_->setSourceModel(modell_);

    // the filter
    pont_ = new QComboBox;
    pont_->setAccessibleName(QStringLiteral("Pont"));
    pont_->addItem(QStringLiteral("minden pont"), QString());
    robbantás_ = new QLineEdit;
    robbantás_->setPlaceholderText(QStringLiteral("azonosító vagy része"));
    robbantás_->setAccessibleName(QStringLiteral("Robbantás"));
    robbantás_->setClearButtonEnabled(true);
    időszak_ = new QCheckBox(QStringLiteral("Időszak:"));
    tól_ = new QDateEdit(QDate::currentDate().addMonths(-1));
    ig_ = new QDateEdit(QDate::currentDate());
    for (QDateEdit* d : {tól_, ig_}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy.MM.dd."));
        d->setEnabled(false);
    }
    tól_->setAccessibleName(QStringLiteral("Ettől"));
    ig_->setAccessibleName(QStringLiteral("Eddig"));
    ítélet_ = new QComboBox;
    ítélet_->setAccessibleName(QStringLiteral("Megítélés"));
    ítélet_->addItem(QStringLiteral("mind"), -1);
    ítélet_->addItem(QStringLiteral("megfelel"), int(Katalógus::Ítélet::Megfelel));
    ítélet_->addItem(QStringLiteral("túllépi"), int(Katalógus::Ítélet::Túllépi));
    ítélet_->addItem(Határérték::NincsMegítélve(), int(Katalógus::Ítélet::NincsMegítélve));
    auto* szűrősor = new QHBoxLayout;
    auto címke = [&](const QString& t, QWidget* mező) {
        auto* l = new QLabel(t);
        l->setBuddy(mező);
        szűrősor->addWidget(l);
        szűrősor->addWidget(mező);
    };
    címke(QStringLiteral("&Pont:"), pont_);
    címke(QStringLiteral("&Robbantás:"), robbantás_);
    szűrősor->addSpacing(8);
    szűrősor->addWidget(időszak_);
    szűrősor->addWidget(tól_);
    szűrősor->addWidget(new QLabel(QStringLiteral("–")));
    szűrősor->addWidget(ig_);
    szűrősor->addSpacing(8);
    címke(QStringLiteral("&Megítélés:"), ítélet_);
    szűrősor->addStretch(1);
    connect(pont_, &QComboBox::currentIndexChanged, this, [this] { szűrőFrissít(); });
    connect(ítélet_, &QComboBox::currentIndexChanged, this, [this] { szűrőFrissít(); });
    connect(robbantás_, &QLineEdit::textChanged, this, [this] { szűrőFrissít(); });
    connect(időszak_, &QCheckBox::toggled, this, [this](bool be) {
        tól_->setEnabled(be);
        ig_->setEnabled(be);
        szűrőFrissít();
    });
    connect(tól_, &QDateEdit::dateChanged, this, [this] { szűrőFrissít(); });
    connect(ig_, &QDateEdit::dateChanged, this, [this] { szűrőFrissít(); });

    // the table
    táblázat_ = new QTableView;
    táblázat_->setAccessibleName(QStringLiteral("Mérések"));
    táblázat_->setModel(szűrő_);
    táblázat_->setSortingEnabled(true);
    táblázat_->sortByColumn(Katalógus::KampányModell::IdőOszlop, Qt::AscendingOrder);
    táblázat_->setSelectionBehavior(QAbstractItemView::SelectRows);
    táblázat_->setSelectionMode(QAbstractItemView::SingleSelection);
    táblázat_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    táblázat_->setItemDelegate(new ÍtéletSzín(táblázat_));
    táblázat_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    táblázat_->verticalHeader()->hide();
    táblázat_->horizontalHeader()->setStretchLastSection(true);
    táblázat_->setWordWrap(false);
    connect(táblázat_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& i) { MérésMegnyit(i.row()); });

    // the statistics and the charts
    statisztika_ = new QTableWidget;
    statisztika_->setAccessibleName(QStringLiteral("Statisztika"));
    statisztika_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    statisztika_->verticalHeader()->hide();
    statisztika_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    const QStringList fejléc = {QStringLiteral("Pont"),
                                QStringLiteral("Hónap"),
                                QStringLiteral("Mérés"),
                                QStringLiteral("Robbantás"),
                                QStringLiteral("Túllépés"),
                                QStringLiteral("Nincs\nmegítélve"),
                                QStringLiteral("Legnagyobb\nkihasználtság (%)"),
                                QStringLiteral("Hol"),
                                QStringLiteral("PPV P50\n(mm/s)"),
                                QStringLiteral("PPV P95\n(mm/s)"),
                                QStringLiteral("Kihasználtság\nP50 (%)"),
                                QStringLiteral("Kihasználtság\nP95 (%)"),
                                QStringLiteral("> 50 %"),
                                QStringLiteral("> 80 %"),
                                QStringLiteral("> 100 %")};
    statisztika_->setColumnCount(int(fejléc.size()));
    statisztika_->setHorizontalHeaderLabels(fejléc);
    idősor_ = new Rajzlap(
        [this](QPainter& festő, const QRectF& r) {
            QString pont = szűrő_->Feltételek().pont;
            if (pont.isEmpty() && !látható_.empty())
                pont = látható_.front().mérés.pont; // the first point, named in the title
            std::vector<Rajz::Időpont> pontok;
            int kategória = 0;
            for (const Katalógus::ListaSor& s : látható_) {
                const Katalógus::Mérés& m = s.mérés;
                const std::optional<qint64> idő = Katalógus::Időpontja(m);
                if (m.pont != pont || !idő)
                    continue;
                kategória = m.kategória;
                Rajz::Időpont p;
                p.mikro = *idő;
                p.ppv = m.ppv;
                if (m.határSzázad)
                    p.határ = double(*m.határSzázad) / 100.0;
                p.túllépi = m.ítélet == Katalógus::Ítélet::Túllépi;
                p.nemÍtélt = m.ítélet == Katalógus::Ítélet::NincsMegítélve;
                pontok.push_back(p);
            }
            QString cím =
                pont.isEmpty()
                    ? QStringLiteral("Nincs mérés")
                    : QStringLiteral("%1 – %2").arg(pont, Határérték::KategóriaNév(kategória));
            if (szűrő_->Feltételek().pont.isEmpty() && modell_->Pontok().size() > 1)
                cím += QStringLiteral(" (a Pont szűrővel választható)");
            Rajz::Idősor(festő, r.size(), palette(), font(), cím, Rajz::KategóriaSzín(kategória),
                         std::move(pontok));
        },
        QStringLiteral("PPV időben"), this);
    felhőHely_ = new QComboBox;
    felhőHely_->setAccessibleName(QStringLiteral("Hely"));
    felhőHely_->addItem(Határérték::HelyNév(Elemzés::Hely::Alap), int(Elemzés::Hely::Alap));
    felhőHely_->addItem(Határérték::HelyNév(Elemzés::Hely::Födém), int(Elemzés::Hely::Födém));
    connect(felhőHely_, &QComboBox::currentIndexChanged, this, [this] { felhő_->update(); });
    felhő_ = new Rajzlap(
        [this](QPainter& festő, const QRectF& r) {
            const int hely = felhőHely_->currentData().toInt();
            std::vector<Rajz::Pont> pontok;
            std::map<int, int> kategóriák;
            for (const Katalógus::ListaSor& s : látható_) {
                const Katalógus::Mérés& m = s.mérés;
                if (m.hely != hely || !m.ppv || !m.frekvencia)
                    continue;
                ++kategóriák[m.kategória];
                Rajz::Pont p;
                p.frekvencia = *m.frekvencia;
                p.sebesség = *m.ppv;
                p.szín = Rajz::KategóriaSzín(m.kategória);
                p.túllépi = m.ítélet == Katalógus::Ítélet::Túllépi;
                p.nemÍtélt = m.ítélet == Katalógus::Ítélet::NincsMegítélve;
                pontok.push_back(p);
            }
            int kiemelt = Határérték::AlapKategória;
            int legtöbb = 0;
            for (const auto& [k, db] : kategóriák)
                if (db > legtöbb) {
                    kiemelt = k;
                    legtöbb = db;
                }
            Rajz::Felhő(festő, r.size(), palette(), font(), kiemelt,
                        hely == int(Elemzés::Hely::Födém), pontok);
        },
        QStringLiteral("Megfelelőség"), this);
    auto* felhőLap = new QWidget;
    auto* felhőSor = new QHBoxLayout;
    auto* helyCímke = new QLabel(QStringLiteral("&Hely:"));
    helyCímke->setBuddy(felhőHely_);
    felhőSor->addWidget(helyCímke);
    felhőSor->addWidget(felhőHely_);
    felhőSor->addStretch(1);
    auto* felhőElrendezés = new QVBoxLayout(felhőLap);
    felhőElrendezés->setContentsMargins(0, 4, 0, 0);
    felhőElrendezés->addLayout(felhőSor);
    felhőElrendezés->addWidget(felhő_, 1);
    auto* lapok = new QTabWidget;
    lapok->addTab(statisztika_, QStringLiteral("&Statisztika"));
    lapok->addTab(idősor_, QStringLiteral("PPV &időben"));
    lapok->addTab(felhőLap, QStringLiteral("Megfelelőségi á&bra"));
    tervezés_ = new TervezésLap(&látható_, &legnagyobb_);
    lapok->addTab(tervezés_, QStringLiteral("&Tervezés"));

    auto* osztó = new QSplitter(Qt::Vertical);
    osztó->addWidget(táblázat_);
    osztó->addWidget(lapok);
    osztó->setStretchFactor(0, 3);
    osztó->setStretchFactor(1, 2);
    auto* közép = new QWidget;
    auto* elrendezés = new QVBoxLayout(közép);
    elrendezés->setContentsMargins(6, 6, 6, 0);
    elrendezés->addLayout(szűrősor);
    elrendezés->addWidget(osztó, 1);
    setCentralWidget(közép);

    // the status line: the counts, an import's progress and its stop
    állapot_ = new QLabel;
    haladás_ = new QProgressBar;
    haladás_->setAccessibleName(QStringLiteral("Haladás"));
    haladás_->setMaximumWidth(220);
    mégse_ = new QPushButton(QStringLiteral("Mégse"));
    haladás_->hide();
    mégse_->hide();
    statusBar()->addWidget(állapot_, 1);
    statusBar()->addPermanentWidget(haladás_);
    statusBar()->addPermanentWidget(mégse_);
    connect(mégse_, &QPushButton::clicked, this, [this] {
        if (felvétel_) {
            felvétel_->Leállít();
            állapot_->setText(QStringLiteral("Leállítás a folyó fájl után…"));
        }
    });
    menük();
}

KampányAblak::~KampányAblak() {
    if (betöltés_)
        betöltés_->wait();
    delete felvétel_.data(); // waits for the file being taken in
}

void KampányAblak::menük() {
    QMenu* fájl = menuBar()->addMenu(QStringLiteral("&Fájl"));
    fájl->addAction(QStringLiteral("&Felvétel a katalógusba…"), QKeySequence(Qt::CTRL | Qt::Key_I),
                    this, [this] { felvételPárbeszéddel(); });
    fájl->addAction(QStringLiteral("&Robbantásnapló felvétele…"),
                    QKeySequence(Qt::CTRL | Qt::Key_R), this, [this] { naplóPárbeszéddel(); });
    fájl->addSeparator();
    fájl->addAction(QStringLiteral("Mérés &megnyitása"), QKeySequence(Qt::Key_Return), this,
                    [this] {
                        const QModelIndex i = táblázat_->currentIndex();
                        if (i.isValid())
                            MérésMegnyit(i.row());
                    });
    fájl->addAction(QStringLiteral("F&rissítés"), QKeySequence(Qt::Key_F5), this,
                    [this] { Frissít(); });
    fájl->addSeparator();
    fájl->addAction(QStringLiteral("&Bezárás"), QKeySequence(Qt::CTRL | Qt::Key_W), this,
                    [this] { close(); });
}

void KampányAblak::elhelyez(const QWidget& főablak) {
    const QScreen* képernyő =
        főablak.screen() ? főablak.screen() : QGuiApplication::primaryScreen();
    const QRect terület = képernyő->availableGeometry();
    const QRect fő = főablak.frameGeometry();
    constexpr int Keret = 40;
    const int jobbra = terület.right() - fő.right() - 16, balra = fő.left() - terület.left() - 16;
    const int mellette = std::max(jobbra, balra);
    const int széles = std::min(1200, mellette >= 700 ? mellette : terület.width() - 16);
    resize(széles, std::min(860, terület.height() - Keret));
    QPoint hol = mellette >= 700
                     ? (jobbra >= balra ? QPoint(fő.right() + 8, fő.top())
                                        : QPoint(fő.left() - 8 - width(), fő.top()))
                     : QPoint(std::min(fő.left() + 200, terület.right() - width()), terület.top());
    hol.setX(
        std::clamp(hol.x(), terület.left(), std::max(terület.left(), terület.right() - width())));
    hol.setY(std::clamp(hol.y(), terület.top(),
                        std::max(terület.top(), terület.bottom() - height() - Keret)));
    move(hol);
}

void KampányAblak::Frissít() {
    if (betöltés_ && betöltés_->isRunning()) {
        újraKell_ = true; // once this one is in
        return;
    }
    állapot_->setText(QStringLiteral("A mérések olvasása…"));
    if (betöltés_)
        betöltés_.release()->deleteLater();
    betöltés_.reset(QThread::create([this] {
        // this thread's own connection; 100 000 rows take a moment, the window answers meanwhile
        betöltésHiba_.clear();
        betöltött_.clear();
        betöltöttLegnagyobb_.clear();
        auto k = Katalógus::Katalógusfájl::Megnyit(cím_, false);
        if (auto* h = std::get_if<Katalógus::Hiba>(&k)) {
            betöltésHiba_ = h->részlet;
            return;
        }
        auto& katalógus = *std::get<std::unique_ptr<Katalógus::Katalógusfájl>>(k);
        auto sorok = katalógus.lista({});
        if (auto* h = std::get_if<Katalógus::Hiba>(&sorok)) {
            betöltésHiba_ = h->részlet;
            return;
        }
        betöltött_ = std::move(std::get<std::vector<Katalógus::ListaSor>>(sorok));
        auto legnagyobb = katalógus.legnagyobbSebességek();
        if (auto* h = std::get_if<Katalógus::Hiba>(&legnagyobb))
            betöltésHiba_ = h->részlet;
        else
            betöltöttLegnagyobb_ = std::move(std::get<0>(legnagyobb));
    }));
    connect(betöltés_.get(), &QThread::finished, this, [this] {
        if (!betöltésHiba_.isEmpty()) {
            állapot_->setText(QStringLiteral("A katalógus nem olvasható: %1").arg(betöltésHiba_));
        } else {
            modell_->Betölt(std::move(betöltött_));
            betöltött_ = {};
            legnagyobb_ = std::move(betöltöttLegnagyobb_);
            betöltöttLegnagyobb_ = {};
            // the points to choose from, keeping the one chosen
            const QString választott = pont_->currentData().toString();
            const QSignalBlocker csend(pont_);
            while (pont_->count() > 1)
                pont_->removeItem(1);
            for (const QString& p : modell_->Pontok())
                pont_->addItem(p, p);
            pont_->setCurrentIndex(std::max(0, pont_->findData(választott)));
            // the period offered: the catalogue's, until one is chosen
            if (!időszak_->isChecked()) {
                std::optional<qint64> első, utolsó;
                for (const Katalógus::ListaSor& s : modell_->Sorok())
                    if (const std::optional<qint64> t = Katalógus::Időpontja(s.mérés)) {
                        első = std::min(első.value_or(*t), *t);
                        utolsó = std::max(utolsó.value_or(*t), *t);
                    }
                if (első) {
                    const QSignalBlocker a(tól_), b(ig_);
                    tól_->setDate(QDateTime::fromMSecsSinceEpoch(*első / 1000, magyarIdő()).date());
                    ig_->setDate(
                        QDateTime::fromMSecsSinceEpoch(*utolsó / 1000, magyarIdő()).date());
                }
            }
            szűrőFrissít();
            táblázat_->resizeColumnsToContents();
        }
        if (std::exchange(újraKell_, false))
            Frissít();
        else if (betöltve_)
            betöltve_();
    });
    betöltés_->start();
}

void KampányAblak::IdőszakBeállít(QDate tól, QDate ig) {
    const QSignalBlocker a(tól_), b(ig_), c(időszak_);
    tól_->setDate(tól);
    ig_->setDate(ig);
    időszak_->setChecked(true);
    tól_->setEnabled(true);
    ig_->setEnabled(true);
    szűrőFrissít();
}

void KampányAblak::szűrőFrissít() {
    Katalógus::KampánySzűrő::Feltétel f;
    f.pont = pont_->currentData().toString();
    f.robbantás = robbantás_->text().trimmed();
    if (const int í = ítélet_->currentData().toInt(); í >= 0)
        f.ítélet = Katalógus::Ítélet(í);
    if (időszak_->isChecked()) { // whole local days, the last one too
        f.tólMikro = QDateTime(tól_->date(), QTime(0, 0), magyarIdő()).toMSecsSinceEpoch() * 1000;
        f.igMikro =
            QDateTime(ig_->date().addDays(1), QTime(0, 0), magyarIdő()).toMSecsSinceEpoch() * 1000;
    }
    szűrő_->FeltételBeállít(f);
    nézetekFrissít();
}

void KampányAblak::nézetekFrissít() {
    látható_ = szűrő_->Látható();
    int túl = 0;
    for (const Katalógus::ListaSor& s : látható_)
        túl += s.mérés.ítélet == Katalógus::Ítélet::Túllépi;
    if (!felvétel_)
        állapot_->setText(QStringLiteral("%1 mérés a katalógusban; %2 látható, ebből %3 túllépi")
                              .arg(modell_->rowCount())
                              .arg(látható_.size())
                              .arg(túl));
    // the statistics of what is shown: each point's whole, then the site's (by month in the
    // command line's output)
    std::vector<Katalógus::Statisztikasor> sorok;
    for (Katalógus::Statisztikasor& s : Katalógus::Statisztika(látható_))
        if (s.hónap.isEmpty())
            sorok.push_back(std::move(s));
    statisztika_->setRowCount(int(sorok.size()));
    for (int i = 0; i < int(sorok.size()); ++i) {
        const Katalógus::Statisztikasor& s = sorok[std::size_t(i)];
        const QStringList cellák = {s.pont.isEmpty() ? QStringLiteral("helyszín") : s.pont,
                                    QStringLiteral("teljes időszak"),
                                    QString::number(s.mérések),
                                    QString::number(s.robbantások),
                                    QString::number(s.túllépések),
                                    QString::number(s.nincsMegítélve),
                                    százalék(s.legnagyobbTized),
                                    s.hol,
                                    szám(s.ppv50, 3),
                                    szám(s.ppv95, 3),
                                    százalék(s.kihasználtság50),
                                    százalék(s.kihasználtság95),
                                    QString::number(s.fölött50),
                                    QString::number(s.fölött80),
                                    QString::number(s.fölött100)};
        for (int o = 0; o < int(cellák.size()); ++o) {
            auto* cella = new QTableWidgetItem(cellák[o]);
            if (o >= 2 && o != 7)
                cella->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            statisztika_->setItem(i, o, cella);
        }
    }
    statisztika_->resizeColumnsToContents();
    idősor_->update();
    felhő_->update();
    tervezés_->Frissít();
}

KampányFelvétel* KampányAblak::Felvesz(const QStringList& fájlok, std::optional<int> kategória) {
    if (felvétel_ || fájlok.isEmpty())
        return nullptr;
    Katalógus::Behozatal b;
    b.kategória = kategória;
    // the summary when done; the table read again
    auto kész = [this](const KampányFelvétel::Összegzés& ö) {
        haladás_->hide();
        mégse_->hide();
        if (felvétel_)
            felvétel_->deleteLater();
        felvétel_.clear();
        QString szöveg = QStringLiteral("%1 fájl felvéve (%2 mérés), %3 már a katalógusban volt, "
                                        "%4 nem vehető fel.")
                             .arg(ö.felvéve)
                             .arg(ö.mérések)
                             .arg(ö.márBenne)
                             .arg(ö.hibás);
        if (ö.leállítva)
            szöveg += QStringLiteral("\nLeállítva: a többi fájl nincs felvéve.");
        állapot_->setText(szöveg.section(u'\n', 0, 0));
        Frissít();
        auto* doboz = new QMessageBox(ö.hibás ? QMessageBox::Warning : QMessageBox::Information,
                                      QStringLiteral("Felvétel a katalógusba"), szöveg,
                                      QMessageBox::Ok, this);
        doboz->setDetailedText(ö.sorok.join(u'\n'));
        doboz->setAttribute(Qt::WA_DeleteOnClose);
        doboz->open();
        utolsóFelvétel_ = ö;
    };
    felvétel_ = new KampányFelvétel(cím_, fájlok, b, kész, this);
    KampányFelvétel* f = felvétel_;
    haladás_->setRange(0, f->Összes());
    haladás_->setValue(0);
    haladás_->show();
    mégse_->show();
    auto* óra = new QTimer(f);
    connect(óra, &QTimer::timeout, this, [this, f] {
        haladás_->setValue(f->Elkészült());
        állapot_->setText(
            QStringLiteral("Felvétel: %1 / %2 fájl…").arg(f->Elkészült()).arg(f->Összes()));
    });
    óra->start(100);
    connect(f, &QObject::destroyed, óra, &QTimer::stop);
    f->Indít();
    return f;
}

QString KampányAblak::RobbantásnaplóFelvesz(const QString& napló) {
    auto olvasott = Robbantásnapló::FájlOlvas(napló);
    if (const Hiba* h = std::get_if<Hiba>(&olvasott))
        return QStringLiteral("A robbantásnapló nem olvasható: %1").arg(h->részlet);
    auto írható = Katalógus::Katalógusfájl::Megnyit(cím_, true);
    if (auto* h = std::get_if<Katalógus::Hiba>(&írható))
        return h->részlet;
    Katalógus::Katalógusfájl& k = *std::get<std::unique_ptr<Katalógus::Katalógusfájl>>(írható);
    int márBenne = 0;
    auto felvett =
        k.robbantásokFelvesz(std::get<std::vector<Robbantásnapló::Robbantás>>(olvasott), &márBenne);
    if (auto* h = std::get_if<Katalógus::Hiba>(&felvett))
        return QStringLiteral("A robbantások nincsenek felvéve: %1").arg(h->részlet);
    QString szöveg = QStringLiteral("%1 robbantás felvéve, %2 már a katalógusban volt.")
                         .arg(std::get<int>(felvett))
                         .arg(márBenne);
    auto p = k.párosít(120'000'000);
    if (auto* h = std::get_if<Katalógus::Hiba>(&p))
        szöveg += QStringLiteral("\nA párosítás nem sikerült: %1").arg(h->részlet);
    else
        szöveg += QStringLiteral("\n%1 mérés párosítva; %2 robbantás nélkül, %3 kétértelmű.")
                      .arg(std::get<Katalógus::Párosítás>(p).párosítva)
                      .arg(std::get<Katalógus::Párosítás>(p).nincs.size())
                      .arg(std::get<Katalógus::Párosítás>(p).kétértelmű.size());
    Frissít();
    return szöveg;
}

void KampányAblak::felvételPárbeszéddel() {
    const QStringList fájlok = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Felvétel a katalógusba"), QString(), Form1::RezgésjelSzűrő());
    if (!fájlok.isEmpty())
        if (const std::optional<std::optional<int>> k = újPontokKategóriája())
            Felvesz(fájlok, *k);
}

std::optional<std::optional<int>> KampányAblak::újPontokKategóriája() {
    QStringList választék;
    for (int k = 0; k < Határérték::KategóriákSzáma; ++k)
        választék << Határérték::KategóriaNév(k);
    választék << QStringLiteral("csak a katalógus ismert pontjai");
    bool rendben = false;
    const QString v =
        QInputDialog::getItem(this, QStringLiteral("Új mérési pontok"),
                              QStringLiteral("Az új mérési pontok épületének kategóriája:"),
                              választék, int(választék.size()) - 1, false, &rendben);
    if (!rendben)
        return std::nullopt;
    const int i = int(választék.indexOf(v));
    return i < Határérték::KategóriákSzáma ? std::optional<int>(i) : std::nullopt;
}

void KampányAblak::naplóPárbeszéddel() {
    const QString napló = QFileDialog::getOpenFileName(
        this, QStringLiteral("Robbantásnapló felvétele"), QString(),
        QStringLiteral("Robbantásnapló (*.csv *.txt *.tsv);;Minden fájl (*)"));
    if (!napló.isEmpty())
        QMessageBox::information(this, QStringLiteral("Robbantásnapló felvétele"),
                                 RobbantásnaplóFelvesz(napló));
}

void KampányAblak::MérésMegnyit(int sor, std::function<void(RezgésjelAblak*)> utána) {
    const QModelIndex i = szűrő_->mapToSource(szűrő_->index(sor, 0));
    if (!i.isValid()) {
        if (utána)
            utána(nullptr);
        return;
    }
    const Katalógus::ListaSor s = modell_->Sor(i.row());
    if (s.mérés.mintaszám == 0) { // a summary table's row: figures, no waveform
        QMessageBox::information(this, QStringLiteral("Mérés megnyitása"),
                                 QStringLiteral("A mérés a(z) %1 összesítő táblázat %2. sora: "
                                                "rezgésjel nem tartozik hozzá.")
                                     .arg(s.fájl)
                                     .arg(s.mérés.sorszám));
        if (utána)
            utána(nullptr);
        return;
    }
    auto eredeti = olvasó_->eredeti(s.fájlId);
    if (auto* h = std::get_if<Katalógus::Hiba>(&eredeti)) {
        QMessageBox::warning(
            this, QStringLiteral("Mérés megnyitása"),
            QStringLiteral("A(z) %1 nem nyitható meg:\n%2").arg(s.fájl, h->részlet));
        if (utána)
            utána(nullptr);
        return;
    }
    Katalógus::Eredeti e = std::move(std::get<Katalógus::Eredeti>(eredeti));
    const Katalógus::Olvasásmód mód = Katalógus::BeállításOlvas(e.beállítás);
    const Katalógus::Mérés m = s.mérés;
    auto* betöltés = new RezgésjelBetöltés(
        e.név, [kategória = m.kategória] { return kategória; }, this, 0,
        [this, m, mód, utána](const QList<RezgésjelAblak*>& ablakok) {
            // the record of the measurement, on its event; the file's other records not opened
            RezgésjelAblak* ez = nullptr;
            for (qsizetype j = 0; j < ablakok.size(); ++j) {
                if (j == m.sorszám)
                    ez = ablakok[j];
                else
                    ablakok[j]->deleteLater();
            }
            if (ez) {
                ez->HelyBeállít(Elemzés::Hely(m.hely));
                ez->MódszerBeállít(mód.módszer);
                if (m.esemény > 0 && m.esemény < ez->NézetekSzáma())
                    ez->NézetBeállít(m.esemény);
                ez->setAttribute(Qt::WA_DeleteOnClose);
                ez->Elhelyez(*this);
                ez->show();
                rezgésjelek_ << ez;
            }
            if (utána)
                utána(ez);
        });
    betöltés->Bájtokból(std::move(e.bájtok), mód.beállítás);
    betöltés->Indít();
}

void KampányAblak::closeEvent(QCloseEvent* esemény) {
    if (felvétel_)
        felvétel_->Leállít(); // the file begun is finished; the window waits for it when it goes
    for (const QPointer<RezgésjelAblak>& a : rezgésjelek_)
        if (a)
            a->close();
    esemény->accept();
}

void KampányAblak::dragEnterEvent(QDragEnterEvent* esemény) {
    const QList<QUrl> címek = esemény->mimeData()->urls();
    if (!címek.isEmpty() &&
        std::all_of(címek.begin(), címek.end(), [](const QUrl& u) { return u.isLocalFile(); }))
        esemény->acceptProposedAction();
}

void KampányAblak::dropEvent(QDropEvent* esemény) {
    QStringList fájlok;
    for (const QUrl& u : esemény->mimeData()->urls())
        fájlok << u.toLocalFile();
    esemény->acceptProposedAction();
    // after the drop has ended, so that the question does not hold the dragging program
    QTimer::singleShot(0, this, [this, fájlok] {
        if (const std::optional<std::optional<int>> k = újPontokKategóriája())
            Felvesz(fájlok, *k);
    });
}
