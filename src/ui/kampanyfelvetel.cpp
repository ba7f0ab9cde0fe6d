#include "kampanyfelvetel.h"

#include "hibaszoveg.h"

#include <QFileInfo>
#include <QThread>

KampányFelvétel::KampányFelvétel(Katalógus::Cím cím, QStringList fájlok,
                                 Katalógus::Behozatal behozatal, Kész kész, QObject* szülő)
    : QObject(szülő), cím_(std::move(cím)), fájlok_(std::move(fájlok)),
      behozatal_(std::move(behozatal)), utána_(std::move(kész)) {}

KampányFelvétel::~KampányFelvétel() {
    megszakítva_ = true;
    if (szál_)
        szál_->wait();
}

bool KampányFelvétel::Fut() const {
    return szál_ && szál_->isRunning();
}

void KampányFelvétel::Indít() {
    szál_.reset(QThread::create([this] {
        Összegzés& ö = összegzés_;
        // this thread's own connection: a catalogue's is used where it was opened
        auto megnyitott = Katalógus::Katalógusfájl::Megnyit(cím_, true);
        if (auto* h = std::get_if<Katalógus::Hiba>(&megnyitott)) {
            ö.hibás = int(fájlok_.size());
            ö.sorok << QStringLiteral("%1: %2").arg(cím_.név(), h->részlet);
            return;
        }
        Katalógus::Katalógusfájl& k =
            *std::get<std::unique_ptr<Katalógus::Katalógusfájl>>(megnyitott);
        for (const QString& fájl : fájlok_) {
            if (megszakítva_) {
                ö.leállítva = true;
                break;
            }
            const QString név = QFileInfo(fájl).fileName();
            const Katalógus::FájlEredmény e = Katalógus::FájltFelvesz(k, fájl, behozatal_);
            switch (e.mi) {
            case Katalógus::FájlEredmény::Mi::Felvéve:
                ++ö.felvéve;
                ö.mérések += int(e.mérések.size());
                ö.sorok << QStringLiteral("%1: felvéve, %2 mérés").arg(név).arg(e.mérések.size());
                break;
            case Katalógus::FájlEredmény::Mi::MárBenne:
                ++ö.márBenne;
                ö.sorok << QStringLiteral("%1: már a katalógusban van, kihagyva").arg(név);
                break;
            case Katalógus::FájlEredmény::Mi::Hibás:
                ++ö.hibás;
                ö.sorok << QStringLiteral("%1: nem vehető fel: %2")
                               .arg(név, e.olvasás ? Ablak::HibaSzöveg(*e.olvasás)
                                                   : e.katalógus->részlet);
                break;
            }
            ++kész_;
        }
        // the new measurements with their blasts, as the command line pairs them
        auto p = k.párosít(120'000'000);
        if (auto* h = std::get_if<Katalógus::Hiba>(&p))
            ö.sorok << QStringLiteral("párosítás: %1").arg(h->részlet);
        else if (const auto& pár = std::get<Katalógus::Párosítás>(p); !pár.robbantásNélkül)
            ö.sorok << QStringLiteral("%1 mérés párosítva robbantással").arg(pár.párosítva)
                    << pár.nincs << pár.kétértelmű;
    }));
    connect(szál_.get(), &QThread::finished, this, [this] {
        if (utána_)
            utána_(összegzés_);
    });
    szál_->start();
}
