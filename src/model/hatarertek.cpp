#include "hatarertek.h"

#include "rezgesmodell.h"

#include <cmath>

namespace Határérték {

bool ÉrvényesKategória(int kategória) {
    return kategória >= 0 && kategória < KategóriákSzáma;
}

int AlaponSzázad(int kategória, double frekvencia) {
    if (!ÉrvényesKategória(kategória) || std::isnan(frekvencia))
        return 0;
    const Kategória& k = Kategóriák[std::size_t(kategória)];
    const double f = std::min(frekvencia, double(LegnagyobbFrekvencia));
    double érték;
    if (f < AlsóSávhatár)
        érték = k.állandó;
    else if (f <= FelsőSávhatár)
        érték = (f - AlsóSávhatár) * k.középMeredekség + k.középAlap;
    else
        érték = (f - FelsőSávhatár) * k.felsőMeredekség + k.felsőAlap;
    // stored as a single, then cut to hundredths with the window's allowance
    const float egyszeres = static_cast<float>(érték);
    return int(std::floor((double(egyszeres) + 0.002) * 100.0));
}

int LegkisebbAlaponSzázad(int kategória) {
    return AlaponSzázad(kategória, LegkisebbFrekvencia);
}

int FelsőFödémSzázad(int kategória) {
    if (!ÉrvényesKategória(kategória))
        return 0;
    return int(std::lround(Kategóriák[std::size_t(kategória)].felsőFödémÉrték * 100.0));
}

QString SzázadSzöveg(int század, QChar tizedesjel) {
    const int egész = század / 100, tört = std::abs(század % 100);
    return QString::number(egész) + tizedesjel + QChar(u'0' + tört / 10) + QChar(u'0' + tört % 10);
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

} // namespace Határérték
