#pragma once

#include "kategoriak.h"

#include <cstdint>
#include <optional>

// The limit engine: the permissible velocity for any real frequency, in exact hundredths
// of mm/s, and the judgement of one measurement. At every whole hertz it gives exactly
// what the main window shows; between them it follows the continuous limit curve, and
// above the top of the scale it keeps the value at the top.
namespace Határérték {

inline constexpr double AlsóSávhatár = 10;       // Hz: below it the category's constant
inline constexpr double FelsőSávhatár = 50;      // Hz: above it the upper band
inline constexpr int LegkisebbFrekvencia = 0;    // Hz, the window's scale
inline constexpr int LegnagyobbFrekvencia = 100; // Hz; above it this value applies

// The band formula of a valid category at a frequency, in mm/s, before it is stored or
// cut: the constant below 10 Hz, then the middle and the upper band. Not held at the top
// of the scale.
double SávÉrték(int kategória, double frekvencia);
// A stored value cut to whole hundredths, with the allowance that brings a single held
// just below a hundredth back onto it (8.28 is held as 8.2799997 and stays 8.28). Returns
// the count of hundredths.
double SzázadraVág(double érték);

// The permissible velocity at the foundation in hundredths of mm/s: the band formula
// stored as a single, then cut. Above LegnagyobbFrekvencia the value there. The frequency
// must not be NaN; a category outside the table gives 0.
int AlaponSzázad(int kategória, double frekvencia);
// The category's lowest foundation value (its constant below 10 Hz), in hundredths.
int LegkisebbAlaponSzázad(int kategória);
// The permissible velocity at the top floor slab, in hundredths of mm/s.
int FelsőFödémSzázad(int kategória);

// Where a measurement is judged, and which frequency of a record judges it.
enum class Hely { Alap, Födém }; // the foundation, the top floor slab
enum class Módszer { ZC, FFT };  // zero crossings, the spectrum's peak

// The judgement of one peak velocity against a limit.
struct Megítélés {
    int határSzázad = 0;           // the limit, hundredths of mm/s
    double kihasználtság = 0;      // the velocity as a percentage of the limit
    bool megfelel = true;          // velocity <= limit
    bool százHzFeletti = false;    // the frequency lay above the scale: its top value applied
    bool frekvenciaNélkül = false; // no frequency: the category's lowest value applied

    double határ() const { return határSzázad / 100.0; }
    // The utilisation in tenths of a percent, rounded to the nearest; an exceeding
    // velocity never shows 100.0 % or less.
    std::int64_t kihasználtságTized() const;
};

// A peak velocity (mm/s, finite, not negative) against any limit in hundredths.
Megítélés Megítél(int határSzázad, double sebesség);
// The same at a frequency (Hz, finite, not negative), against the category's foundation
// limit there.
Megítélés AlaponMegítél(int kategória, double frekvencia, double sebesség);
// One component of a record at a place: at the foundation by its frequency (without one,
// the category's lowest value), at the top floor slab the horizontal components against
// the slab's value. None where the place does not judge it (the vertical at the slab).
std::optional<Megítélés> ÖsszetevőMegítél(int kategória, Hely hely,
                                          std::optional<double> frekvencia, double sebesség,
                                          bool függőleges);

} // namespace Határérték
