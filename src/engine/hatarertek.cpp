#include "hatarertek.h"

#include <algorithm>
#include <cmath>

namespace Határérték {

double SávÉrték(int kategória, double f) {
    const Kategória& k = Kategóriák[std::size_t(kategória)];
    if (f < AlsóSávhatár)
        return k.állandó;
    if (f <= FelsőSávhatár)
        return (f - AlsóSávhatár) * k.középMeredekség + k.középAlap;
    return (f - FelsőSávhatár) * k.felsőMeredekség + k.felsőAlap;
}

double SzázadraVág(double érték) {
    return std::floor((érték + 0.002) * 100.0);
}

int AlaponSzázad(int kategória, double frekvencia) {
    if (!ÉrvényesKategória(kategória) || std::isnan(frekvencia))
        return 0;
    const double f = std::min(frekvencia, double(LegnagyobbFrekvencia));
    return int(SzázadraVág(double(static_cast<float>(SávÉrték(kategória, f)))));
}

int LegkisebbAlaponSzázad(int kategória) {
    return AlaponSzázad(kategória, LegkisebbFrekvencia);
}

int FelsőFödémSzázad(int kategória) {
    if (!ÉrvényesKategória(kategória))
        return 0;
    return int(std::lround(Kategóriák[std::size_t(kategória)].felsőFödém * 100.0));
}

std::int64_t Megítélés::kihasználtságTized() const {
    const std::int64_t tized = std::llround(kihasználtság * 10.0);
    return megfelel ? tized : std::max<std::int64_t>(tized, 1001);
}

Megítélés Megítél(int határSzázad, double sebesség) {
    Megítélés m;
    m.határSzázad = határSzázad;
    const double határ = m.határ();
    m.kihasználtság = sebesség / határ * 100.0;
    m.megfelel = sebesség <= határ;
    return m;
}

Megítélés AlaponMegítél(int kategória, double frekvencia, double sebesség) {
    Megítélés m = Megítél(AlaponSzázad(kategória, frekvencia), sebesség);
    m.százHzFeletti = frekvencia > LegnagyobbFrekvencia;
    return m;
}

std::optional<Megítélés> ÖsszetevőMegítél(int kategória, Hely hely,
                                          std::optional<double> frekvencia, double sebesség,
                                          bool függőleges) {
    if (hely == Hely::Födém) {
        if (függőleges)
            return std::nullopt;
        return Megítél(FelsőFödémSzázad(kategória), sebesség);
    }
    if (frekvencia)
        return AlaponMegítél(kategória, *frekvencia, sebesség);
    Megítélés m = Megítél(LegkisebbAlaponSzázad(kategória), sebesség);
    m.frekvenciaNélkül = true;
    return m;
}

} // namespace Határérték
