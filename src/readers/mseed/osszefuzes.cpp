#include "osszefuzes.h"

#include <algorithm>
#include <cmath>

namespace Rezgésjel::Mseed {

std::optional<Hiba> Összefűz(Csatornaadat& cs, std::vector<std::size_t>& szakaszok,
                             const Tűrés& tűrés) {
    szakaszok.clear();
    std::stable_sort(cs.darabok.begin(), cs.darabok.end(),
                     [](const Darab& a, const Darab& b) { return a.kezdetMikro < b.kezdetMikro; });
    const Darab& első = cs.darabok.front();
    for (std::size_t i = 0; i < cs.darabok.size(); ++i) {
        const Darab& d = cs.darabok[i];
        if (!(d.mintavétel > 0) ||
            std::fabs(d.mintavétel - első.mintavétel) > tűrés.mintavételArány * első.mintavétel) {
            Hiba h;
            h.fajta = Hiba::Fajta::MintavételEltér;
            h.csatorna = cs.kód.név();
            h.részlet = QStringLiteral("a mintavételi frekvencia rekordonként eltér (%1 és %2 Hz)")
                            .arg(első.mintavétel)
                            .arg(d.mintavétel);
            return h;
        }
        if (i == 0)
            continue;
        const Darab& előző = cs.darabok[i - 1];
        const double lépés = 1e6 / első.mintavétel;
        const double várt = double(előző.kezdetMikro) + double(előző.mintaszám) * lépés;
        const double eltérés = double(d.kezdetMikro) - várt;
        if (eltérés > lépés * tűrés.illesztésMinta) { // a gap: the next segment starts here
            szakaszok.push_back(i);
            continue;
        }
        if (-eltérés > lépés * tűrés.illesztésMinta) {
            Hiba h;
            h.fajta = Hiba::Fajta::Átfedés;
            h.csatorna = cs.kód.név();
            h.időMikro = előző.kezdetMikro +
                         qint64(double(std::max<std::size_t>(előző.mintaszám, 1) - 1) * lépés);
            return h;
        }
    }
    return std::nullopt;
}

} // namespace Rezgésjel::Mseed
