#include "rajzadat.h"

#include "analysis/elemzes.h"

#include <algorithm>

namespace Rajz {

Rajzadat Rajzadatot(const std::vector<double>& minták, double mintavétel, bool spektrummal) {
    Rajzadat rajz;
    const std::size_t n = minták.size();
    if (n == 0)
        return rajz;
    const std::vector<double> v = Elemzés::Középre(minták);
    const bool mozdul = std::any_of(v.begin(), v.end(), [](double x) { return x != 0; });
    if (mozdul && spektrummal) { // up to the drawn limit, the largest amplitude of each step
        std::size_t m = 0;
        const std::vector<float> a = Elemzés::Spektrum(v, &m);
        const std::size_t utolsó =
            std::min(m / 2, std::size_t(SpektrumHatár * double(m) / mintavétel));
        const std::size_t csoport =
            std::max<std::size_t>(1, (utolsó + RajzOszlopok - 1) / RajzOszlopok);
        rajz.spektrumLépés = double(csoport) * mintavétel / double(m);
        for (std::size_t i = 0; i <= utolsó; i += csoport) {
            float legnagyobb = 0;
            for (std::size_t q = i; q < std::min(i + csoport, utolsó + 1); ++q)
                legnagyobb = std::max(legnagyobb, a[q]);
            rajz.spektrum.push_back(legnagyobb);
        }
    }
    rajz.hossz = double(n) / mintavétel;
    const std::size_t oszlopok = std::min(n, RajzOszlopok);
    rajz.legkisebb.assign(oszlopok, 0);
    rajz.legnagyobb.assign(oszlopok, 0);
    for (std::size_t o = 0; o < oszlopok; ++o) {
        const std::size_t eleje = o * n / oszlopok,
                          vége = std::max(eleje + 1, (o + 1) * n / oszlopok);
        float kicsi = float(v[eleje]), nagy = float(v[eleje]);
        for (std::size_t i = eleje; i < vége; ++i) {
            kicsi = std::min(kicsi, float(v[i]));
            nagy = std::max(nagy, float(v[i]));
        }
        rajz.legkisebb[o] = kicsi;
        rajz.legnagyobb[o] = nagy;
    }
    return rajz;
}

std::vector<Rajzadat> Rajzadatok(const Rezgésjel::Felvétel& felvétel, bool spektrummal) {
    std::vector<Rajzadat> rajzok;
    for (const Rezgésjel::Csatorna& cs : felvétel.csatornák) {
        rajzok.push_back(Rajzadatot(cs.minták, cs.mintavétel, spektrummal));
        if (cs.kezdetMikro && felvétel.kezdetMikro)
            rajzok.back().kezdet = double(*cs.kezdetMikro - *felvétel.kezdetMikro) / 1e6;
    }
    return rajzok;
}

} // namespace Rajz
