#include "tablazatjel.h"

#include "cella.h"
#include "csvolvaso.h"
#include "osszeallitas.h"
#include "runtime/text.h"

#include <cmath>

namespace Rezgésjel {

Olvasás TáblázatOlvas(Szöveg::Forrás& forrás, const QString& fájl, const Beállítás& beállítás) {
    Olvasás e;
    CsvOlvasó csv(forrás);
    std::vector<QByteArrayView> mezők;
    auto hibás = [&](qint64 sor, const QString& mi, const QString& csatorna = {},
                     Hiba::Fajta fajta = Hiba::Fajta::Tartalom) {
        Hiba h;
        h.fajta = fajta;
        h.fájl = fájl;
        h.sor = sor;
        h.csatorna = csatorna;
        h.részlet = mi;
        e.hiba = std::move(h);
        return std::move(e);
    };
    // the header: the first line that is not empty
    CsvOlvasó::Állapot r;
    while ((r = csv.következő()) == CsvOlvasó::Rekord) {
        csv.feloszt(0, mezők);
        if (!std::all_of(mezők.begin(), mezők.end(), Cella::Üres))
            break;
    }
    if (r == CsvOlvasó::Hibás)
        return hibás(csv.hibásSor(), csv.hiba()->részlet, {}, csv.hiba()->fajta);
    if (r == CsvOlvasó::Vége)
        return hibás(0, QStringLiteral("üres, nincs fejlécsora"), {}, Hiba::Fajta::NincsFejlécsor);
    const char elválasztó = csv.elválasztótVálaszt(mezők);
    const qint64 fejlécSor = csv.sor();
    // The time column: named idő or time (t only where no other is), with a time unit or
    // none. "T [mm/s]" is the transverse component.
    auto időEgység = [](const QString& egység) -> std::optional<double> {
        const QString k = rt::NameKey(egység);
        if (k.isEmpty() || k == u"s")
            return 1.0;
        if (k == u"ms")
            return 1e-3;
        return std::nullopt;
    };
    int időOszlop = -1;
    double időSzorzó = 1;
    for (const bool rövid : {false, true}) {
        for (std::size_t i = 0; i < mezők.size(); ++i) {
            const auto [név, egység] = Cella::OszlopNév(mezők[i]);
            const QString kulcs = rt::NameKey(név);
            const bool névSzerint = rövid ? kulcs == u"t" : (kulcs == u"ido" || kulcs == u"time");
            if (!névSzerint || EgységKeres(egység))
                continue;
            if (!időEgység(egység))
                return hibás(
                    fejlécSor,
                    QStringLiteral("az idő mértékegysége másodperc (s), nem %1").arg(egység), {},
                    Hiba::Fajta::IsmeretlenEgység);
            if (időOszlop >= 0)
                return hibás(fejlécSor, QStringLiteral("két időoszlop"), {},
                             Hiba::Fajta::OszlopKétszer);
            időOszlop = int(i);
            időSzorzó = *időEgység(egység);
        }
        if (időOszlop >= 0)
            break;
    }
    std::vector<NyersCsatorna> csatornák;
    std::vector<int> oszlopok;
    QStringList kihagyott;
    for (std::size_t i = 0; i < mezők.size(); ++i) {
        if (int(i) == időOszlop)
            continue;
        const auto [név, egység] = Cella::OszlopNév(mezők[i]);
        if (név.isEmpty())
            return hibás(fejlécSor, QStringLiteral("névtelen oszlop (%1.)").arg(i + 1), {},
                         Hiba::Fajta::HibásFejléc);
        MintaFajta fajta;
        if (!egység.isEmpty()) {
            fajta.egység = EgységKeres(egység);
            fajta.egységSzöveg = egység;
            if (!fajta.egység)
                return hibás(fejlécSor,
                             QStringLiteral("ismeretlen mértékegység: \"%1\" (%2)")
                                 .arg(egység, EgységFelsorolás()),
                             név, Hiba::Fajta::IsmeretlenEgység);
        }
        NyersCsatorna cs;
        cs.kód.csatorna = név;
        std::variant<std::monostate, Átváltás, Hiba> átváltás =
            Átvált(cs.kód, fajta, beállítás, std::nullopt);
        if (Hiba* h = std::get_if<Hiba>(&átváltás)) {
            h->fájl = fájl;
            h->csatorna = név;
            e.hiba = std::move(*h);
            return e;
        }
        cs.átváltás = std::get<Átváltás>(átváltás); // a column always measures something
        csatornák.push_back(std::move(cs));
        oszlopok.push_back(int(i));
    }
    if (csatornák.empty())
        return hibás(fejlécSor, QStringLiteral("nincs rezgésjel-oszlop"), {},
                     Hiba::Fajta::NincsHullámforma);
    if (időOszlop < 0 && !beállítás.mintavétel)
        return hibás(0, QStringLiteral("nincs időoszlop (idő, time vagy t)"), {},
                     Hiba::Fajta::MintavételKell);
    const std::size_t oszlopSzám = mezők.size();
    std::vector<double> idők;
    while ((r = csv.következő()) == CsvOlvasó::Rekord) {
        csv.feloszt(elválasztó, mezők);
        if (std::all_of(mezők.begin(), mezők.end(), Cella::Üres))
            continue;
        if (mezők.size() != oszlopSzám)
            return hibás(csv.sor(),
                         QStringLiteral("%1 mező a fejléc %2 oszlopa helyett")
                             .arg(mezők.size())
                             .arg(oszlopSzám),
                         {}, Hiba::Fajta::MezőszámEltér);
        QString miért;
        if (időOszlop >= 0) {
            const auto t = Cella::SzámOlvas(mezők[std::size_t(időOszlop)], &miért);
            if (!t)
                return hibás(csv.sor(), QStringLiteral("idő: %1").arg(miért), {},
                             Hiba::Fajta::NemSzám);
            idők.push_back(t->érték * időSzorzó);
        }
        for (std::size_t c = 0; c < csatornák.size(); ++c) {
            const auto v = Cella::SzámOlvas(mezők[std::size_t(oszlopok[c])], &miért);
            if (!v)
                return hibás(csv.sor(), miért, csatornák[c].kód.név(), Hiba::Fajta::NemSzám);
            csatornák[c].minták.push_back(v->érték * csatornák[c].átváltás.szorzó);
        }
    }
    if (r == CsvOlvasó::Hibás)
        return hibás(csv.hibásSor(), csv.hiba()->részlet, {}, csv.hiba()->fajta);
    double mintavétel = beállítás.mintavétel.value_or(0);
    if (időOszlop >= 0) {
        if (idők.size() < 2)
            return hibás(0, QStringLiteral("túl rövid: %1 minta").arg(idők.size()));
        const double lépés = (idők.back() - idők.front()) / double(idők.size() - 1);
        if (!(lépés > 0))
            return hibás(0, QStringLiteral("az idő nem növekszik"));
        for (std::size_t i = 1; i < idők.size(); ++i) {
            if (std::fabs((idők[i] - idők[i - 1]) - lépés) > 0.01 * lépés)
                return hibás(0, QStringLiteral("nem egyenletes mintavétel: %1 s után %2 s a "
                                               "%3 s-os lépés helyett")
                                    .arg(idők[i - 1])
                                    .arg(idők[i])
                                    .arg(lépés));
        }
        if (beállítás.mintavétel && std::fabs(*beállítás.mintavétel * lépés - 1) > 1e-3)
            return hibás(0,
                         QStringLiteral("az időoszlop szerint %1 Hz a mintavétel").arg(1 / lépés),
                         {}, Hiba::Fajta::MintavételEllentmond);
        mintavétel = 1.0 / lépés;
    }
    for (NyersCsatorna& cs : csatornák)
        cs.mintavétel = mintavétel;
    return Összeállít(fájl, std::move(csatornák));
}

} // namespace Rezgésjel
