// libFuzzer target: any bytes as a summary table the site's law is fitted to (--terjedes
// TÁBLA). Whatever the figures, a fit that may predict has finite, meaningful figures; its
// bound lies above its line; a charge it gives puts the bound onto the limit.
#include "sitelaw/adatpontok.h"

#include <QByteArray>

#include <cmath>
#include <cstdlib>

namespace {

void ellenőriz(const Terjedés::Illesztés& i) {
    if (!i.használható())
        return;
    for (const double v : {i.K, i.béta, i.R2, i.s, i.sdMin, i.sdMax, i.t})
        if (!std::isfinite(v))
            std::abort();
    if (!(i.béta > 0) || i.R2 < Terjedés::LegkisebbR2 || i.R2 > 1 + 1e-9 || i.s < 0 ||
        i.n < Terjedés::LegkevesebbMérés)
        std::abort();
    const double sd = std::sqrt(i.sdMin * i.sdMax);
    const auto e = Terjedés::Előrejelez(i, sd * 5, 25);
    if (const auto* p = std::get_if<Terjedés::Előrejelzés>(&e))
        if (!(p->ppv95 >= p->ppv50) || !std::isfinite(p->ppv95))
            std::abort();
    for (const double határ : {5.0, 20.0, 52.5}) {
        const auto w = Terjedés::MaxTöltet(i, 200, határ);
        if (const auto* t = std::get_if<Terjedés::Töltet>(&w)) {
            if (!(t->w95 > 0) || !std::isfinite(t->w95))
                std::abort();
            if (std::fabs(i.ppv95(t->sd95) - határ) > 1e-6 * határ)
                std::abort();
        } else if (std::get<QString>(w).isEmpty()) {
            std::abort(); // a refusal says why
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const auto mérték : {Terjedés::Mérték::LegnagyobbÖsszetevő, Terjedés::Mérték::Pvs}) {
        const auto g = Terjedés::Táblából(bytes, QStringLiteral("fuzz.csv"), 1.0,
                                          QStringLiteral("P"), mérték, {});
        if (!std::holds_alternative<Terjedés::Gyűjtés>(g))
            return 0;
        const Terjedés::Gyűjtés& gy = std::get<Terjedés::Gyűjtés>(g);
        for (const int gyök : {2, 3})
            ellenőriz(Terjedés::Illeszt(gy.pontok, gyök));
    }
    return 0;
}
