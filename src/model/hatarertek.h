#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The limit engine: the permissible velocity for any real frequency, in exact hundredths
// of mm/s, and the judgement of one measurement. At every whole hertz it gives exactly
// what the main window shows; between them it follows the continuous limit curve, and
// above the top of the scale it keeps the value at the top.
namespace Határérték {

inline constexpr int KategóriákSzáma = 3;
inline constexpr double AlsóSávhatár = 10;       // Hz: below it the category's constant
inline constexpr double FelsőSávhatár = 50;      // Hz: above it the upper band
inline constexpr int LegkisebbFrekvencia = 0;    // Hz, the window's scale
inline constexpr int LegnagyobbFrekvencia = 100; // Hz; above it this value applies

bool ÉrvényesKategória(int kategória);

// The permissible velocity at the foundation in hundredths of mm/s, computed by the
// window's steps (band by frequency, single-precision storage, the 0.002 allowance, cut
// to hundredths). Above LegnagyobbFrekvencia the value there. The frequency must be a
// finite number; a category outside 0..2 gives 0.
int AlaponSzázad(int kategória, double frekvencia);
// The category's lowest foundation value (its constant below 10 Hz), in hundredths.
int LegkisebbAlaponSzázad(int kategória);
// The permissible velocity at the top floor slab, in hundredths of mm/s.
int FelsőFödémSzázad(int kategória);

// Hundredths as a number text with two decimals and the given decimal mark ("15,10").
QString SzázadSzöveg(int század, QChar tizedesjel);

// The judgement of one peak velocity against a limit.
struct Megítélés {
    int határSzázad = 0;        // the limit, hundredths of mm/s
    double kihasználtság = 0;   // the velocity as a percentage of the limit
    bool megfelel = true;       // velocity <= limit
    bool százHzFeletti = false; // the frequency lay above the scale: its top value applied

    double határ() const { return határSzázad / 100.0; }
    // The utilisation in tenths of a percent, rounded to the nearest; an exceeding
    // velocity never shows 100.0 % or less.
    std::int64_t kihasználtságTized() const;
};

// A measured peak velocity (mm/s, finite, not negative) at a frequency (Hz, finite, not
// negative), judged against the foundation limit of the category.
Megítélés AlaponMegítél(int kategória, double frekvencia, double sebesség);
// The same against any limit in hundredths (the top floor slab's, a fallback value).
Megítélés Megítél(int határSzázad, double sebesség);

} // namespace Határérték
