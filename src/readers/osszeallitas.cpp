#include "osszeallitas.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace Rezgésjel {

Olvasás HibásOlvasás(const QString& fájl, Hiba::Fajta fajta, qint64 sor, QString részlet,
                     int oszlop, const QString& csatorna) {
    Hiba h;
    h.fajta = fajta;
    h.fájl = fájl;
    h.sor = sor;
    h.oszlop = oszlop;
    h.csatorna = csatorna;
    h.részlet = std::move(részlet);
    Olvasás o;
    o.hiba = std::move(h);
    return o;
}

Olvasás MezőszámHiba(const QString& fájl, qint64 sor, qsizetype mezők, qsizetype oszlopok) {
    return HibásOlvasás(
        fájl, Hiba::Fajta::MezőszámEltér, sor,
        QStringLiteral("%1 mező a fejléc %2 oszlopa helyett").arg(mezők).arg(oszlopok));
}

QString MegadottEgység(double szorzó) {
    for (const IsmertEgység& e : IsmertEgységek)
        if (e.felsorolt && e.mennyiség == Mennyiség::Sebesség && e.szorzó == szorzó)
            return QStringLiteral("megadott mértékegység: %1").arg(QString::fromUtf16(e.név));
    // counts in floats, with the sensitivity given for them
    return QStringLiteral("megadott érzékenység: %1 count per mm/s")
        .arg(QString::number(1 / szorzó, 'g', 9));
}

std::variant<std::monostate, Átváltás, Hiba> Átvált(const Csatornakód& kód, const MintaFajta& fajta,
                                                    const Beállítás& b,
                                                    std::optional<qint64> kezdetMikro) {
    Átváltás á;
    if (fajta.egység) { // the file names a physical unit
        á.mennyiség = fajta.egység->mennyiség;
        á.szorzó = fajta.egység->szorzó;
        if (á.mennyiség == Mennyiség::Sebesség && b.egység && *b.egység != á.szorzó) {
            Hiba h;
            h.fajta = Hiba::Fajta::EgységEllentmond;
            h.részlet =
                QStringLiteral("a fájl szerint a minták mértékegysége %1").arg(fajta.egységSzöveg);
            return h;
        }
        á.forrás = QStringLiteral("a fájl szerint %1").arg(fajta.egységSzöveg);
        return á;
    }
    const std::optional<Mennyiség> műszer =
        kód.seed ? MűszerMennyiség(kód.csatorna) : std::optional(Mennyiség::Sebesség);
    if (!műszer)
        return std::monostate{};
    á.mennyiség = *műszer;
    const QString állomás = kód.állomásNév();
    const std::optional<double> érzékenység =
        b.állomásÉrzékenység.contains(állomás) ? std::optional(b.állomásÉrzékenység.value(állomás))
                                               : b.érzékenység;
    const std::optional<double> egység = b.állomásEgység.contains(állomás)
                                             ? std::optional(b.állomásEgység.value(állomás))
                                             : b.egység;
    // the station's response: counts per unit, for integer counts and for floats of no unit
    // (counts kept as floats by a processing step)
    auto állomásszerint = [&]() -> std::optional<Átváltás> {
        if (!b.állomásadatok)
            return std::nullopt;
        const auto é = b.állomásadatok->keres(kód, kezdetMikro);
        if (!é || !(é->countPerEgység > 0))
            return std::nullopt;
        Átváltás a;
        a.mennyiség = é->mennyiség;
        a.szorzó = 1.0 / é->countPerEgység;
        a.forrás = QStringLiteral("StationXML: %1 count per %2")
                       .arg(QString::number(é->countPerEgység, 'g', 6), AlapEgység(a.mennyiség));
        return a;
    };
    if (fajta.nyers) {
        if (const std::optional<Átváltás> a = állomásszerint())
            return *a;
        if (á.mennyiség == Mennyiség::Sebesség) {
            if (!érzékenység && b.érzékenységKésőbb) {
                á.nyers = true;
                á.érzékenységreVár = true;
                á.forrás = QStringLiteral("count, érzékenységre vár");
                return á;
            }
            if (!érzékenység) {
                Hiba h;
                h.fajta = Hiba::Fajta::ÉrzékenységKell;
                h.részlet = QStringLiteral("a minták egész számok (count)");
                return h;
            }
            á.szorzó = 1.0 / *érzékenység;
            á.érzékenységből = true;
            á.forrás = QStringLiteral("megadott érzékenység: %1 count per mm/s")
                           .arg(QString::number(*érzékenység, 'g', 9));
            return á;
        }
        á.nyers = true; // shown in counts; a velocity sensitivity does not apply
        á.forrás = QStringLiteral("count, érzékenység nélkül");
        return á;
    }
    if (á.mennyiség == Mennyiség::Sebesség && egység) {
        á.szorzó = *egység;
        á.forrás = MegadottEgység(á.szorzó);
    } else if (const std::optional<Átváltás> a =
                   á.mennyiség == Mennyiség::Sebesség ? állomásszerint() : std::nullopt) {
        á = *a;
    } else if (á.mennyiség == Mennyiség::Sebesség) {
        á.egységIsmeretlen = true;
        á.forrás = QStringLiteral("ismeretlen mértékegység");
    } else {
        á.forrás = QStringLiteral("%1 (alapértelmezés)").arg(AlapEgység(á.mennyiség));
    }
    return á;
}

namespace {

// A sample that its unit's factor took beyond the doubles (1e308 in/s), in words; none where
// every one is finite.
std::optional<QString> nemVéges(const std::vector<double>& minták) {
    const auto i =
        std::find_if(minták.begin(), minták.end(), [](double x) { return !std::isfinite(x); });
    if (i == minták.end())
        return std::nullopt;
    return QStringLiteral("a(z) %1. minta átváltva nem véges szám: ellenőrizze a mértékegységet "
                          "vagy az érzékenységet")
        .arg(i - minták.begin() + 1);
}

} // namespace

Olvasás Összeállít(const QString& fájl, std::vector<NyersCsatorna>&& csatornák,
                   const QStringList& kihagyott, const QString& formátum) {
    Olvasás o;
    auto hibás = [&](const NyersCsatorna& cs, QString részlet,
                     Hiba::Fajta fajta = Hiba::Fajta::Tartalom) {
        Hiba h;
        h.fajta = fajta;
        h.fájl = fájl;
        h.csatorna = cs.kód.név();
        h.részlet = std::move(részlet);
        o.hiba = std::move(h);
        return std::move(o);
    };
    if (csatornák.empty()) {
        Hiba h;
        h.fájl = fájl;
        h.fajta = Hiba::Fajta::NincsHullámforma;
        h.részlet = QStringLiteral("nincs benne rezgésjel");
        QStringList miért;
        if (!formátum.isEmpty())
            miért << formátum;
        if (!kihagyott.isEmpty())
            miért << QStringLiteral("csak nem rezgést mérő csatornák: %1")
                         .arg(kihagyott.join(QStringLiteral(", ")));
        if (!miért.isEmpty())
            h.részlet += QStringLiteral(" (%1)").arg(miért.join(QStringLiteral("; ")));
        o.hiba = std::move(h);
        return o;
    }
    using Kulcs = std::pair<QString, int>; // the station, the segment
    std::vector<Kulcs> sorrend;
    std::map<Kulcs, std::vector<NyersCsatorna*>> állomások;
    std::map<QString, int> szakaszszám, helye; // a station's segments, its first place
    for (NyersCsatorna& cs : csatornák) {
        const Kulcs k{cs.kód.állomásNév(), cs.szakasz};
        auto& lista = állomások[k];
        if (lista.empty())
            sorrend.push_back(k);
        lista.push_back(&cs);
        helye.try_emplace(k.first, int(helye.size()));
        szakaszszám[k.first] = std::max(szakaszszám[k.first], cs.szakaszok);
    }
    // the stations in the order they first appear, each one's segments in time order
    std::stable_sort(sorrend.begin(), sorrend.end(), [&](const Kulcs& a, const Kulcs& b) {
        return std::pair(helye[a.first], a.second) < std::pair(helye[b.first], b.second);
    });
    for (const auto& [állomás, szakasz] : sorrend) {
        const auto& lista = állomások[{állomás, szakasz}];
        Felvétel f;
        f.fájl = fájl;
        f.állomás = állomás;
        if (szakaszszám[állomás] > 1) {
            f.szakasz = szakasz + 1;
            f.szakaszok = szakaszszám[állomás];
        }
        f.mintavétel = lista.front()->mintavétel;
        f.mintaszám = lista.front()->minták.size();
        for (const QString& név : kihagyott)
            if (név.startsWith(állomás))
                f.kihagyott << név;
        for (NyersCsatorna* cs : lista) {
            if (!(cs->mintavétel > 0) || !std::isfinite(cs->mintavétel))
                return hibás(*cs, QStringLiteral("érvénytelen mintavételi frekvencia"));
            if (cs->minták.size() < 3)
                return hibás(*cs, QStringLiteral("túl rövid (%1 minta)").arg(cs->minták.size()));
            if (std::optional<QString> miért = nemVéges(cs->minták))
                return hibás(*cs, *miért, Hiba::Fajta::NemVégesMinta);
            if (cs->kezdetMikro && (!f.kezdetMikro || *cs->kezdetMikro < *f.kezdetMikro))
                f.kezdetMikro = cs->kezdetMikro;
            Csatorna c;
            c.kód = cs->kód;
            c.mennyiség = cs->átváltás.mennyiség;
            c.nyers = cs->átváltás.nyers;
            c.érzékenységreVár = cs->átváltás.érzékenységreVár;
            c.egységIsmeretlen = cs->átváltás.egységIsmeretlen;
            c.érzékenységből = cs->átváltás.érzékenységből;
            c.átváltás = cs->átváltás.forrás;
            c.függőleges = Függőleges(cs->kód.csatorna);
            c.mintavétel = cs->mintavétel;
            c.kezdetMikro = cs->kezdetMikro;
            c.mintaszám = cs->minták.size();
            c.minták = std::move(cs->minták);
            f.csatornák.push_back(std::move(c));
        }
        o.felvételek.push_back(std::move(f));
    }
    return o;
}

std::optional<Hiba> ÉrzékenységetAlkalmaz(Felvétel& f, const Beállítás& beállítás) {
    Beállítás b = beállítás;
    b.érzékenységKésőbb = false;
    auto szoroz = [&](Csatorna& cs, double szorzó) -> std::optional<Hiba> {
        for (double& x : cs.minták)
            x *= szorzó;
        std::optional<QString> miért = nemVéges(cs.minták);
        if (!miért)
            return std::nullopt;
        Hiba h;
        h.fajta = Hiba::Fajta::NemVégesMinta;
        h.fájl = f.fájl;
        h.csatorna = cs.kód.név();
        h.állomás = cs.kód.állomásNév();
        h.részlet = *miért;
        return h;
    };
    for (Csatorna& cs : f.csatornák) {
        if (cs.egységIsmeretlen) {
            MintaFajta fajta;
            std::variant<std::monostate, Átváltás, Hiba> á =
                Átvált(cs.kód, fajta, b, cs.kezdetMikro);
            if (const Átváltás* a = std::get_if<Átváltás>(&á); a && !a->egységIsmeretlen) {
                if (std::optional<Hiba> h = szoroz(cs, a->szorzó))
                    return h;
                cs.átváltás = a->forrás;
                cs.egységIsmeretlen = false;
            }
            continue;
        }
        if (!cs.érzékenységreVár)
            continue;
        MintaFajta fajta;
        fajta.nyers = true;
        std::variant<std::monostate, Átváltás, Hiba> á = Átvált(cs.kód, fajta, b, cs.kezdetMikro);
        if (Hiba* h = std::get_if<Hiba>(&á)) {
            h->fájl = f.fájl;
            h->csatorna = cs.kód.név();
            h->állomás = cs.kód.állomásNév();
            return std::move(*h);
        }
        const Átváltás& a = std::get<Átváltás>(á);
        if (std::optional<Hiba> h = szoroz(cs, a.szorzó))
            return h;
        cs.mennyiség = a.mennyiség;
        cs.nyers = a.nyers;
        cs.érzékenységből = a.érzékenységből;
        cs.átváltás = a.forrás;
        cs.érzékenységreVár = false;
    }
    return std::nullopt;
}

} // namespace Rezgésjel
