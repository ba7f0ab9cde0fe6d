#include "rezgesjel.h"

#include "mseedolvaso.h"
#include "runtime/text.h"
#include "szovegforras.h"
#include "szovegjel.h"

#include <QFile>

#include <cmath>
#include <map>

namespace Rezgésjel {

double MilliméterreVált(Egység egység) {
    switch (egység) {
    case Egység::MéterPerSec:
        return 1000.0;
    case Egység::HüvelykPerSec:
        return 25.4;
    default:
        return 1.0;
    }
}

std::optional<Egység> EgységKeres(const QString& szöveg) {
    QString kulcs = rt::NameKey(szöveg);
    kulcs.remove(u' ');
    if (kulcs == u"mm/s")
        return Egység::MilliméterPerSec;
    if (kulcs == u"m/s")
        return Egység::MéterPerSec;
    if (kulcs == u"in/s" || kulcs == u"ips")
        return Egység::HüvelykPerSec;
    return std::nullopt;
}

bool Függőleges(const QString& csatornaKód) {
    const QString kulcs = rt::NameKey(csatornaKód);
    if (kulcs == u"v" || kulcs == u"z" || kulcs == u"fuggoleges" || kulcs == u"vertical")
        return true;
    return csatornaKód.size() >= 2 && csatornaKód.endsWith(u'Z');
}

std::optional<double> Szorzó(const MintaFajta& fajta, const Beállítás& b, QString* hiba,
                             bool* érzékenységKell) {
    if (fajta.egység) { // the file names a physical unit
        if (b.érzékenység) {
            *hiba = QStringLiteral("a fájl szerint a minták mértékegysége %1, az érzékenység "
                                   "(--erzekenyseg) nem alkalmazható rájuk")
                        .arg(fajta.egységSzöveg);
            return std::nullopt;
        }
        if (b.egység && *b.egység != *fajta.egység) {
            *hiba = QStringLiteral("a fájl szerint a minták mértékegysége %1, ez ellentmond a "
                                   "megadott --egyseg értéknek")
                        .arg(fajta.egységSzöveg);
            return std::nullopt;
        }
        return MilliméterreVált(*fajta.egység);
    }
    if (fajta.count) {
        if (!b.érzékenység) {
            if (érzékenységKell)
                *érzékenységKell = true;
            *hiba = QStringLiteral("a minták egész számok (count): a mm/s-ra váltáshoz adja meg "
                                   "az érzékenységet (--erzekenyseg, count per mm/s)");
            return std::nullopt;
        }
        if (b.egység) {
            *hiba = QStringLiteral("a minták egész számok (count): az --egyseg nem alkalmazható "
                                   "rájuk, csak az --erzekenyseg");
            return std::nullopt;
        }
        return 1.0 / *b.érzékenység;
    }
    if (b.érzékenység && b.egység) {
        *hiba = QStringLiteral("az --erzekenyseg és az --egyseg együtt nem adható meg");
        return std::nullopt;
    }
    if (b.érzékenység)
        return 1.0 / *b.érzékenység;
    return MilliméterreVált(b.egység.value_or(Egység::MilliméterPerSec));
}

Eredmény Összeállít(const QString& fájl, std::vector<NyersCsatorna>&& csatornák) {
    Eredmény e;
    if (csatornák.empty()) {
        e.hiba = QStringLiteral("nincs benne rezgésjel");
        return e;
    }
    // one station and location is one record, in the order they first appear
    std::vector<QString> sorrend;
    std::map<QString, std::vector<NyersCsatorna*>> állomások;
    for (NyersCsatorna& cs : csatornák) {
        auto& lista = állomások[cs.állomás];
        if (lista.empty())
            sorrend.push_back(cs.állomás);
        lista.push_back(&cs);
    }
    for (const QString& állomás : sorrend) {
        const auto& lista = állomások[állomás];
        const NyersCsatorna& első = *lista.front();
        const std::size_t hossz = első.minták.size(); // before its samples move on
        Felvétel f;
        f.fájl = fájl;
        f.állomás = állomás;
        f.mintavétel = első.mintavétel;
        if (első.kezdetMikro)
            f.kezdet = QDateTime::fromMSecsSinceEpoch(*első.kezdetMikro / 1000, Qt::UTC);
        for (NyersCsatorna* cs : lista) {
            if (!(cs->mintavétel > 0) || !std::isfinite(cs->mintavétel)) {
                e.hiba = QStringLiteral("%1: érvénytelen mintavételi frekvencia").arg(cs->név);
                return e;
            }
            if (cs->minták.size() < 3) {
                e.hiba =
                    QStringLiteral("%1: túl rövid (%2 minta)").arg(cs->név).arg(cs->minták.size());
                return e;
            }
            if (std::fabs(cs->mintavétel - első.mintavétel) > 1e-9 * első.mintavétel) {
                e.hiba = QStringLiteral("%1: a mintavételi frekvencia (%2 Hz) eltér a(z) %3 "
                                        "csatornáétól (%4 Hz)")
                             .arg(cs->név, QString::number(cs->mintavétel), első.név,
                                  QString::number(első.mintavétel));
                return e;
            }
            if (cs->kezdetMikro.has_value() != első.kezdetMikro.has_value() ||
                (cs->kezdetMikro && std::fabs(double(*cs->kezdetMikro - *első.kezdetMikro)) >
                                        0.5e6 / első.mintavétel)) {
                e.hiba = QStringLiteral("%1: a kezdőidő eltér a(z) %2 csatornáétól")
                             .arg(cs->név, első.név);
                return e;
            }
            if (cs->minták.size() != hossz) {
                e.hiba = QStringLiteral("%1: %2 minta, a(z) %3 csatornában %4: a hosszuk eltér")
                             .arg(cs->név)
                             .arg(cs->minták.size())
                             .arg(első.név)
                             .arg(hossz);
                return e;
            }
            Csatorna c;
            c.név = cs->név;
            c.függőleges = Függőleges(cs->kód);
            c.minták = std::move(cs->minták);
            f.csatornák.push_back(std::move(c));
        }
        e.felvételek.push_back(std::move(f));
    }
    return e;
}

Eredmény Olvas(const QString& fájl, const Beállítás& beállítás) {
    QFile be;
    Eredmény e;
    if (!Szöveg::FájlMegnyit(fájl, be, QIODevice::ReadOnly, &e.hiba))
        return e;
    const QByteArray eleje = be.read(256);
    be.close();
    e = MseedFájl(eleje) ? MseedOlvas(fájl, beállítás) : SzövegOlvas(fájl, beállítás);
    if (!e.hiba.isEmpty())
        e.felvételek.clear(); // a fault in one record is a fault of the file
    else
        e.érzékenységKell = false;
    return e;
}

} // namespace Rezgésjel
