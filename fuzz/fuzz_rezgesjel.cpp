// libFuzzer target: any bytes as a record (miniSEED, TIMESERIES, an instrument's export,
// CSV), read with and without a sensitivity, then analysed and judged, as a whole, by its events
// and by interval peaks. A fault must be a message, never a crash, and a record that reads must
// give finite figures and keep its header; events lie inside the record, in time order (their
// windows may overlap: the next one's lead-in can reach into the last one's tail).
#include "analysis/elemzes.h"
#include "analysis/esemenyek.h"
#include "analysis/intervallumok.h"
#include "readers/rezgesjel.h"

#include <QByteArray>

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const bool counts : {false, true}) {
        Rezgésjel::Beállítás settings;
        if (counts)
            settings.érzékenység = 100;
        else
            settings.mintavétel = 250;
        const Rezgésjel::Olvasás read = Rezgésjel::Olvas(bytes, QStringLiteral("fuzz"), settings);
        if (read.hiba.has_value() == !read.felvételek.empty())
            std::abort(); // records or a fault, never both or neither
        for (const Rezgésjel::Felvétel& record : read.felvételek) {
            std::size_t samples = 0;
            for (const Rezgésjel::Csatorna& c : record.csatornák) {
                if (c.minták.size() != c.mintaszám || !(c.mintavétel > 0))
                    std::abort(); // the header counts what was read
                samples += c.mintaszám;
            }
            if (record.csatornák.empty() || record.mintaszám != record.csatornák[0].mintaszám)
                std::abort();
            if (samples > 600'000)
                continue; // bounded work per input
            const Elemzés::Megállapítás e =
                Elemzés::Elemez(record, 1, Elemzés::Hely::Alap, Elemzés::Módszer::FFT);
            for (const Elemzés::Összetevő& c : e.összetevők)
                if (!std::isfinite(c.jellemzők.ppv) || !std::isfinite(c.jellemzők.idő) ||
                    !std::isfinite(c.jellemzők.elmozdulás))
                    std::abort();
            if (e.pvsVan && !std::isfinite(e.pvs))
                std::abort();
            (void)Elemzés::FejlécEltérések(record, e); // an export's stated figures
            const Elemzés::Szakasz whole = Elemzés::Teljes(record);
            qint64 last = whole.kezdetMikro - 1;
            for (const Elemzés::Esemény& ev :
                 Elemzés::Események(record, 0.01, 1, Elemzés::Hely::Alap, Elemzés::Módszer::ZC)) {
                if (ev.ablak.kezdetMikro <= last || ev.ablak.végMikro < ev.ablak.kezdetMikro ||
                    ev.ablak.kezdetMikro < whole.kezdetMikro || ev.ablak.végMikro > whole.végMikro)
                    std::abort(); // in time order, inside the record
                last = ev.ablak.kezdetMikro;
                if (ev.megállapítás.pvsVan && !std::isfinite(ev.megállapítás.pvs))
                    std::abort();
            }
            for (const Elemzés::Intervallum& iv :
                 Elemzés::Intervallumok(record, 1'000'000, 1, Elemzés::Hely::Födém))
                for (const Elemzés::IntervallumCsúcs& p : iv.csúcsok)
                    if (!std::isfinite(p.ppv) || p.csatorna >= record.csatornák.size())
                        std::abort();
        }
    }
    return 0;
}
