#pragma once

#include "readers/felvetel.h"

#include <vector>

// What the record window and the report draw of a component, reduced from its samples to a
// few thousand points: the trace's envelope in equal columns and the amplitude spectrum up
// to the highest frequency drawn.
namespace Rajz {

inline constexpr std::size_t RajzOszlopok = 2048; // envelope columns
inline constexpr double SpektrumHatár = 250;      // Hz, the highest drawn

struct Rajzadat {
    std::vector<float> legkisebb, legnagyobb; // the envelope, mm/s less the mean
    double kezdet = 0;                        // s from the record's start
    double hossz = 0;                         // s, the component's length
    std::vector<float> spektrum;              // amplitude, the largest in each step
    double spektrumLépés = 0;                 // Hz per point
};

// One component's drawing from its samples (mm/s); without `spektrummal` its envelope only.
Rajzadat Rajzadatot(const std::vector<double>& minták, double mintavétel, bool spektrummal = true);
// Every component's, in the record's order; the record must still hold its samples.
std::vector<Rajzadat> Rajzadatok(const Rezgésjel::Felvétel& felvétel, bool spektrummal = true);

} // namespace Rajz
