#include "intervallumok.h"

#include <cmath>
#include <map>

namespace Elemzés {

namespace {

qint64 lefelé(qint64 a, qint64 b) { // floor(a / b), b > 0
    const qint64 q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

} // namespace

std::vector<Intervallum> Intervallumok(const Rezgésjel::Felvétel& f, qint64 hosszMikro,
                                       int kategória, Hely hely) {
    std::map<qint64, Intervallum> szerint; // by the interval's number
    for (std::size_t c = 0; c < f.csatornák.size(); ++c) {
        const Rezgésjel::Csatorna& cs = f.csatornák[c];
        if (cs.mennyiség != Rezgésjel::Mennyiség::Sebesség || cs.minták.empty() ||
            !(cs.mintavétel > 0))
            continue;
        const qint64 eleje = cs.kezdetMikro.value_or(f.kezdetMikro.value_or(0));
        const double* v = cs.minták.data();
        const std::size_t n = cs.minták.size();
        auto idő = [&](std::size_t i) {
            return eleje + std::llround(double(i) * 1e6 / cs.mintavétel);
        };
        std::size_t i = 0;
        while (i < n) {
            const qint64 k = lefelé(idő(i), hosszMikro);
            const qint64 vége = (k + 1) * hosszMikro; // the next interval's start
            // the interval's last sample: an estimate, then corrected to the exact times
            auto j = std::size_t(std::max<double>(
                double(i + 1), std::ceil(double(vége - eleje) * cs.mintavétel / 1e6)));
            j = std::min(j, n);
            while (j > i + 1 && idő(j - 1) >= vége)
                --j;
            while (j < n && idő(j) < vége)
                ++j;
            const double átlag = Átlag(v + i, j - i);
            IntervallumCsúcs cs1;
            cs1.csatorna = c;
            std::size_t csúcs = i;
            for (std::size_t t = i; t < j; ++t) {
                const double a = std::fabs(v[t] - átlag);
                if (a > cs1.ppv) {
                    cs1.ppv = a;
                    csúcs = t;
                }
            }
            if (cs1.ppv > 0)
                cs1.zc = Nullátmenet(v + i, j - i, átlag, csúcs - i, cs.mintavétel);
            cs1.nemÍtéltMiért =
                NemÍtélhetőMiért(cs.mintavétel, cs1.ppv, cs.egységIsmeretlen).value_or(QString());
            const auto m =
                cs1.nemÍtéltMiért.isEmpty()
                    ? Határérték::ÖsszetevőMegítél(kategória, hely, cs1.zc, cs1.ppv, cs.függőleges)
                    : std::nullopt;
            cs1.megítélt = m.has_value();
            cs1.megítélés = m.value_or(Határérték::Megítélés{});
            Intervallum& iv = szerint[k];
            iv.kezdetMikro = k * hosszMikro;
            iv.csúcsok.push_back(cs1);
            i = j;
        }
    }
    std::vector<Intervallum> ki;
    ki.reserve(szerint.size());
    for (auto& [k, iv] : szerint)
        ki.push_back(std::move(iv));
    return ki;
}

bool Megfelel(const std::vector<Intervallum>& intervallumok) {
    for (const Intervallum& iv : intervallumok)
        for (const IntervallumCsúcs& cs : iv.csúcsok)
            if (cs.megítélt && !cs.megítélés.megfelel)
                return false;
    return true;
}

} // namespace Elemzés
