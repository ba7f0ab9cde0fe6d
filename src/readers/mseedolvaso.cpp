#include "mseedolvaso.h"

#include "mseed/dekodolas.h"
#include "mseed/keretezes.h"
#include "mseed/osszefuzes.h"
#include "mseed/uzenetek.h"
#include "osszeallitas.h"

#include <libmseed.h>

#include <algorithm>
#include <utility>

// The miniSEED reader's door: the records framed, each channel's joined, its unit found, its
// samples decoded into it, the record put together.
namespace Rezgésjel {

bool MseedAdat(QByteArrayView eleje) {
    const Mseed::Üzenetek csendben; // what libmseed says of the bytes is not printed
    return Mseed3::Kezdődik(eleje) || Mseed::VezérlőRekord(eleje) ||
           (eleje.size() >= 48 &&
            ms_detect(eleje.data(), int(std::min<qsizetype>(eleje.size(), 1 << 20))) != -1);
}

Olvasás MseedOlvas(QByteArray bájtok, const QString& név, const Beállítás& beállítás) {
    Olvasás o;
    auto hibás = [&](Hiba h) {
        h.fájl = név;
        o.hiba = std::move(h);
        return std::move(o);
    };
    Mseed::Dekódoló dekódoló;
    std::variant<Mseed::Keretek, Hiba> keretezett = Mseed::Keretez(bájtok, dekódoló);
    if (Hiba* h = std::get_if<Hiba>(&keretezett))
        return hibás(std::move(*h));
    Mseed::Keretek& keretek = std::get<Mseed::Keretek>(keretezett);
    char* adat = bájtok.data();

    // Each channel's records in time order, joined; its unit; then decoded into it.
    std::vector<NyersCsatorna> kész;
    QStringList kihagyott;
    for (Mseed::Csatornaadat& cs : keretek.csatornák) {
        const QString csatorna = cs.kód.név();
        std::vector<std::size_t> szakaszok;
        if (std::optional<Hiba> h = Mseed::Összefűz(cs, szakaszok))
            return hibás(std::move(*h));
        const Mseed::Darab& első = cs.darabok.front();
        std::size_t összes = 0;
        bool nyers = false;
        for (const Mseed::Darab& d : cs.darabok) {
            összes += d.mintaszám;
            nyers = nyers || d.nyers;
        }
        MintaFajta fajta;
        fajta.nyers = nyers;
        std::variant<std::monostate, Átváltás, Hiba> átváltás =
            Átvált(cs.kód, fajta, beállítás, első.kezdetMikro);
        if (Hiba* h = std::get_if<Hiba>(&átváltás)) {
            h->fájl = név;
            h->csatorna = csatorna;
            h->állomás = cs.kód.állomásNév();
            return hibás(std::move(*h));
        }
        if (std::holds_alternative<std::monostate>(átváltás)) {
            kihagyott << csatorna;
            continue;
        }
        // one trace for each continuous segment: a gap never joins two silently
        NyersCsatorna n;
        n.kód = cs.kód;
        n.átváltás = std::get<Átváltás>(átváltás);
        n.mintavétel = első.mintavétel;
        n.kezdetMikro = első.kezdetMikro;
        n.szakaszok = int(szakaszok.size()) + 1;
        n.minták.reserve(szakaszok.empty() ? összes : 0);
        std::size_t következő = 0; // the next segment's place among szakaszok
        for (std::size_t i = 0; i < cs.darabok.size(); ++i) {
            Mseed::Darab& d = cs.darabok[i];
            if (következő < szakaszok.size() && szakaszok[következő] == i) {
                NyersCsatorna új;
                új.kód = n.kód;
                új.átváltás = n.átváltás;
                új.mintavétel = n.mintavétel;
                új.kezdetMikro = d.kezdetMikro;
                új.szakaszok = n.szakaszok;
                új.szakasz = int(++következő);
                kész.push_back(std::exchange(n, std::move(új)));
            }
            if (d.hely >= 0) { // decoded now, straight into the channel
                QString miért;
                const int állapot = dekódoló.Rekord(adat + d.hely, d.hossz, d.hossz, true, &miért);
                if (állapot != MS_NOERROR || dekódoló.Msr()->numsamples != int64_t(d.mintaszám)) {
                    Hiba h;
                    h.fajta = Hiba::Fajta::HibásRekord;
                    h.bájt = d.hely;
                    h.csatorna = csatorna;
                    h.részlet = állapot != MS_NOERROR
                                    ? miért
                                    : QStringLiteral("a mintaszám nem egyezik a fejlécével");
                    return hibás(std::move(h));
                }
            }
            // the record just decoded, or the samples decoded before (version 3)
            const std::size_t eddig = n.minták.size();
            const double szorzó = n.átváltás.szorzó;
            const std::optional<std::size_t> nemVéges =
                d.hely < 0 ? Mseed::Hozzáfűz(d.minták.data(), d.minták.size(), szorzó, n.minták)
                           : Mseed::Mintatípussal(
                                 dekódoló.Msr(), [&](const auto* minták, std::size_t szám) {
                                     return Mseed::Hozzáfűz(minták, szám, szorzó, n.minták);
                                 });
            if (nemVéges) {
                Hiba h;
                h.fajta = Hiba::Fajta::NemVégesMinta;
                h.csatorna = csatorna;
                h.részlet = QStringLiteral("nem véges minta (%1.)").arg(eddig + *nemVéges + 1);
                return hibás(std::move(h));
            }
            std::vector<double>().swap(d.minták);
        }
        kész.push_back(std::move(n));
    }
    QString formátum;
    if (!keretek.adatrekord)
        formátum = keretek.vezérlő
                       ? QStringLiteral("SEED-kötet adatrekord nélkül, csak vezérlő- és "
                                        "fejlécrekordokkal")
                       : QStringLiteral("miniSEED adatrekord nélkül");
    else if (kész.empty() && kihagyott.isEmpty())
        formátum = QStringLiteral("miniSEED, csak szöveges vagy üres rekordokkal");
    return Összeállít(név, std::move(kész), kihagyott, formátum);
}

} // namespace Rezgésjel
