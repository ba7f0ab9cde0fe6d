#include "osszeallitas.h"

#include <cmath>
#include <map>

namespace Rezgésjel {

namespace {

Hiba hiba(Hiba::Fajta fajta, QString részlet = {}) {
    Hiba h;
    h.fajta = fajta;
    h.részlet = std::move(részlet);
    return h;
}

} // namespace

std::variant<double, Hiba> Szorzó(const MintaFajta& fajta, const Beállítás& b) {
    using F = Hiba::Fajta;
    if (fajta.egység) { // the file names a physical unit
        const QString mondja =
            QStringLiteral("a fájl szerint a minták mértékegysége %1").arg(fajta.egységSzöveg);
        if (b.érzékenység)
            return hiba(F::ÉrzékenységFölösleges, mondja);
        if (b.egység && *b.egység != *fajta.egység)
            return hiba(F::EgységEllentmond, mondja);
        return MilliméterreVált(*fajta.egység);
    }
    if (fajta.count) {
        const QString egész = QStringLiteral("a minták egész számok (count)");
        if (!b.érzékenység)
            return hiba(F::ÉrzékenységKell, egész);
        if (b.egység)
            return hiba(F::EgységFölösleges, egész);
        return 1.0 / *b.érzékenység;
    }
    if (b.érzékenység && b.egység)
        return hiba(F::ÉrzékenységÉsEgység);
    if (b.érzékenység)
        return 1.0 / *b.érzékenység;
    return MilliméterreVált(b.egység.value_or(Egység::MilliméterPerSec));
}

Olvasás Összeállít(const QString& fájl, std::vector<NyersCsatorna>&& csatornák) {
    Olvasás o;
    auto hibás = [&](const NyersCsatorna& cs, QString részlet) {
        Hiba h;
        h.fájl = fájl;
        h.csatorna = cs.kód.név();
        h.részlet = std::move(részlet);
        o.hiba = std::move(h);
        return std::move(o);
    };
    if (csatornák.empty()) {
        Hiba h;
        h.fájl = fájl;
        h.részlet = QStringLiteral("nincs benne rezgésjel");
        o.hiba = std::move(h);
        return o;
    }
    std::vector<QString> sorrend;
    std::map<QString, std::vector<NyersCsatorna*>> állomások;
    for (NyersCsatorna& cs : csatornák) {
        auto& lista = állomások[cs.kód.állomásNév()];
        if (lista.empty())
            sorrend.push_back(cs.kód.állomásNév());
        lista.push_back(&cs);
    }
    for (const QString& állomás : sorrend) {
        const auto& lista = állomások[állomás];
        const NyersCsatorna& első = *lista.front();
        Felvétel f;
        f.fájl = fájl;
        f.állomás = állomás;
        f.mintavétel = első.mintavétel;
        f.kezdetMikro = első.kezdetMikro;
        f.mintaszám = első.minták.size(); // before its samples move on
        for (NyersCsatorna* cs : lista) {
            if (!(cs->mintavétel > 0) || !std::isfinite(cs->mintavétel))
                return hibás(*cs, QStringLiteral("érvénytelen mintavételi frekvencia"));
            if (cs->minták.size() < 3)
                return hibás(*cs, QStringLiteral("túl rövid (%1 minta)").arg(cs->minták.size()));
            if (std::fabs(cs->mintavétel - első.mintavétel) > 1e-9 * első.mintavétel)
                return hibás(*cs, QStringLiteral("a mintavételi frekvencia (%1 Hz) eltér a(z) %2 "
                                                 "csatornáétól (%3 Hz)")
                                      .arg(QString::number(cs->mintavétel), első.kód.név(),
                                           QString::number(első.mintavétel)));
            if (cs->kezdetMikro.has_value() != első.kezdetMikro.has_value() ||
                (cs->kezdetMikro &&
                 std::fabs(double(*cs->kezdetMikro - *első.kezdetMikro)) > 0.5e6 / első.mintavétel))
                return hibás(
                    *cs,
                    QStringLiteral("a kezdőidő eltér a(z) %1 csatornáétól").arg(első.kód.név()));
            if (cs->minták.size() != f.mintaszám)
                return hibás(*cs,
                             QStringLiteral("%1 minta, a(z) %2 csatornában %3: a hosszuk eltér")
                                 .arg(cs->minták.size())
                                 .arg(első.kód.név())
                                 .arg(f.mintaszám));
            Csatorna c;
            c.kód = cs->kód;
            c.függőleges = Függőleges(cs->kód.csatorna);
            c.minták = std::move(cs->minták);
            f.csatornák.push_back(std::move(c));
        }
        o.felvételek.push_back(std::move(f));
    }
    return o;
}

} // namespace Rezgésjel
