#pragma once

#include "elemzes.h"
#include "readers/felvetel.h"

#include <vector>

// Events in a long record (piling, compaction, traffic, a station's day file):
//  - the velocity components, each less its whole-record mean; a trigger sample is one
//    where any component's |v| reaches the threshold;
//  - trigger samples less than 1,0 s apart belong to one event;
//  - an event's window runs from 0,25 s before its first trigger sample to 1,0 s after its
//    last, cut to the record;
//  - each event is analysed as a record of its own (Elemez over the samples in its window),
//    its times from the window's start.
namespace Elemzés {

inline constexpr double AlapKüszöb = IndításiKüszöb; // mm/s
inline constexpr qint64 ÖsszevonásMikro = 1'000'000;
inline constexpr qint64 ElőtteMikro = 250'000;
inline constexpr qint64 UtánaMikro = 1'000'000;

// A span of the record's time, µs since 1970 UTC (or since the record's start where it has no
// clock), both ends included.
struct Szakasz {
    qint64 kezdetMikro = 0;
    qint64 végMikro = 0;
};

// The record's span: its earliest sample to its latest (by the header's sample counts, so
// also once the samples are let go).
Szakasz Teljes(const Rezgésjel::Felvétel& felvétel);

// The events' windows, in time order.
std::vector<Szakasz> Eseményablakok(const Rezgésjel::Felvétel& felvétel, double küszöb);

// The record cut to a span: every channel's samples that lie in it, the start the span's
// (a record without a clock stays without one, its times from the span's start).
Rezgésjel::Felvétel Kivág(const Rezgésjel::Felvétel& felvétel, const Szakasz& szakasz);

struct Esemény {
    int sorszám = 0; // from 1
    Szakasz ablak;
    Rezgésjel::Felvétel felvétel; // the window's header (and its samples, when kept)
    Megállapítás megállapítás;
};

// A span of the record analysed as a record of its own (its samples kept), as an event's
// window is; its number 0.
Esemény SzakaszElemez(const Rezgésjel::Felvétel& felvétel, const Szakasz& szakasz, int kategória,
                      Hely hely, Módszer módszer);

// Finds the events and analyses each; `mintákkal` keeps each window's samples.
std::vector<Esemény> Események(const Rezgésjel::Felvétel& felvétel, double küszöb, int kategória,
                               Hely hely, Módszer módszer, bool mintákkal = false);

// The event with the largest utilisation (an exceeding one before any that passes); -1 if none.
int Legrosszabb(const std::vector<Esemény>& események);

} // namespace Elemzés
