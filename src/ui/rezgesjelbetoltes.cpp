#include "rezgesjelbetoltes.h"

#include "erzekenyseg.h"
#include "hibaszoveg.h"
#include "mertekegyseg.h"

#include <QCloseEvent>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

RezgésjelBetöltés::RezgésjelBetöltés(const QString& fájl, std::function<int()> kategória,
                                     QWidget* főablak, int lépcső, Kész kész)
    : QWidget(főablak, Qt::Window), fájl_(fájl), kategória_(std::move(kategória)),
      főablak_(főablak), lépcső_(lépcső), kész_(std::move(kész)) {
    setObjectName(QStringLiteral("RezgésjelBetöltés"));
    const QString név = QFileInfo(fájl).fileName();
    // the record window's title, and that it is still opening (for the task bar, and so that
    // a screen reader or a script does not take it for the record window)
    setWindowTitle(QStringLiteral("Rezgésjel – %1 (megnyitás…)").arg(név));
    setAccessibleName(windowTitle());
    szöveg_ = new QLabel(this);
    szöveg_->setWordWrap(true);
    haladás_ = new QProgressBar(this);
    haladás_->setRange(0, 0); // how long a step takes is not known: the bar shows it is busy
    haladás_->setAccessibleName(QStringLiteral("Haladás"));
    mégse_ = new QPushButton(QStringLiteral("Mégse"), this);
    connect(mégse_, &QPushButton::clicked, this, [this] { Leállít(); });
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            [this] { Leállít(); });

    auto* sor = new QHBoxLayout;
    sor->addWidget(haladás_, 1);
    sor->addWidget(mégse_);
    auto* elrendezés = new QVBoxLayout(this);
    elrendezés->addStretch(1);
    elrendezés->addWidget(szöveg_);
    elrendezés->addLayout(sor);
    elrendezés->addStretch(2);
    elrendezés->setContentsMargins(48, 24, 48, 24);

    óra_ = new QTimer(this);
    óra_->setInterval(50);
    connect(óra_, &QTimer::timeout, this, [this] { lépésMutat(); });
    lépésMutat();
}

RezgésjelBetöltés::~RezgésjelBetöltés() {
    megszakítva_ = true;
    if (szál_)
        szál_->wait();
}

void RezgésjelBetöltés::Bájtokból(QByteArray bájtok, const Rezgésjel::Beállítás& beállítás) {
    bájtok_ = std::move(bájtok);
    beállítás_ = beállítás;
}

void RezgésjelBetöltés::Indít() {
    if (főablak_)
        RezgésjelAblak::Elhelyez(*this, *főablak_, lépcső_);
    show();
    futtat({});
}

void RezgésjelBetöltés::futtat(std::vector<Rezgésjel::Felvétel> olvasott) {
    szakasz_ = int(Feldolgozás::Lépés::Olvasás);
    if (szál_) // the last run's, ended: let go once its signal has been delivered
        szál_.release()->deleteLater();
    szál_.reset(
        QThread::create([this, kategória = kategória_(), korábbi = std::move(olvasott)]() mutable {
            Feldolgozás::Kérés k = FelvételModell::Kérése(kategória, beállítás_);
            k.egységetKér = true;
            k.egységNélkül = egységNélkül_;
            k.lépésre = [this](Feldolgozás::Lépés l) { szakasz_ = int(l); };
            k.megszakítva = &megszakítva_;
            if (!korábbi.empty())
                eredmény_ = Feldolgozás::Felvételekből(std::move(korábbi), k);
            else if (bájtok_)
                eredmény_ = Feldolgozás::Bájtok(*bájtok_, fájl_, k);
            else
                eredmény_ = Feldolgozás::Fájl(fájl_, k);
        }));
    connect(szál_.get(), &QThread::finished, this, [this] { befejeződött(); });
    óra_->start();
    szál_->start();
}

void RezgésjelBetöltés::lépésMutat() {
    static const char16_t* const szövegek[] = {u"olvasása és elemzése", u"rajzolása",
                                               u"eseményeinek keresése"};
    const QString név = QFileInfo(fájl_).fileName();
    if (megszakítva_) {
        szöveg_->setText(QStringLiteral("%1: leállítás…").arg(név));
        return;
    }
    const int most = std::clamp(int(szakasz_), 0, Feldolgozás::LépésekSzáma - 1);
    szöveg_->setText(QStringLiteral("%1 %2…").arg(név, QString::fromUtf16(szövegek[most])));
}

void RezgésjelBetöltés::Leállít() {
    if (lezárva_)
        return;
    megszakítva_ = true;
    lépésMutat();
    hide(); // gone at once; the work ends at its next step
}

void RezgésjelBetöltés::closeEvent(QCloseEvent* esemény) {
    Leállít();
    esemény->accept();
}

void RezgésjelBetöltés::befejeződött() {
    óra_->stop();
    szál_->wait();
    if (megszakítva_) {
        vége({});
        return;
    }
    Feldolgozás::Feldolgozott kész = std::move(eredmény_);
    eredmény_ = {};
    if (kész.hiba) {
        if (kérdez(*kész.hiba)) {
            futtat(std::move(kész.válaszraVár));
            return;
        }
        if (megszakítva_) {
            vége({});
            return;
        }
        hide();
        QMessageBox::warning(
            főablak_, QStringLiteral("Rezgésjel megnyitása"),
            QStringLiteral("A(z) %1 nem nyitható meg:\n%2")
                .arg(QDir::toNativeSeparators(fájl_), Ablak::HibaSzöveg(*kész.hiba)));
        vége({});
        return;
    }
    // offered again for the station's records
    for (auto i = beállítás_.állomásÉrzékenység.cbegin(); i != beállítás_.állomásÉrzékenység.cend();
         ++i)
        if (!i.key().isEmpty())
            ÉrzékenységPárbeszéd::Megjegyez(i.key(), i.value());
    for (auto i = beállítás_.állomásEgység.cbegin(); i != beállítás_.állomásEgység.cend(); ++i)
        MértékegységPárbeszéd::Megjegyez(i.key(), i.value());
    vége(RezgésjelAblak::Létrehoz(kész, kategória_(), főablak_));
}

bool RezgésjelBetöltés::kérdez(const Hiba& hiba) {
    const QString& állomás = hiba.állomás;
    const QString név = QFileInfo(fájl_).fileName();
    if (hiba.fajta == Hiba::Fajta::ÉrzékenységKell &&
        !beállítás_.állomásÉrzékenység.contains(állomás)) {
        // counts: the sensitivity, or the StationXML, is asked for, station by station
        szöveg_->setText(QStringLiteral("%1: a műszer érzékenységére vár…").arg(név));
        ÉrzékenységPárbeszéd kérdés(fájl_, hiba.csatorna, this);
        if (const double előző = ÉrzékenységPárbeszéd::Megjegyzett(állomás); előző > 0)
            kérdés.Mező()->setValue(előző);
        if (kérdés.exec() != QDialog::Accepted || megszakítva_)
            return false;
        if (kérdés.Állomásadatok() && kérdés.Állomásadatok() != beállítás_.állomásadatok)
            beállítás_.állomásadatok = kérdés.Állomásadatok();
        else
            beállítás_.állomásÉrzékenység.insert(állomás, kérdés.Érzékenység());
        return true;
    }
    if (hiba.fajta == Hiba::Fajta::EgységKell && !beállítás_.állomásEgység.contains(állomás)) {
        szöveg_->setText(QStringLiteral("%1: a minták mértékegységére vár…").arg(név));
        MértékegységPárbeszéd kérdés(fájl_, állomás, this);
        const bool megadva = kérdés.exec() == QDialog::Accepted;
        if (megszakítva_)
            return false;
        if (megadva && kérdés.Szorzó())
            beállítás_.állomásEgység.insert(állomás, *kérdés.Szorzó());
        else
            egységNélkül_.insert(állomás); // analysed, and what has no unit is not judged
        return true;
    }
    return false;
}

void RezgésjelBetöltés::vége(const QList<RezgésjelAblak*>& ablakok) {
    lezárva_ = true;
    // the record windows first, in this window's place, then this one goes
    if (kész_)
        kész_(ablakok);
    hide();
    deleteLater();
}
