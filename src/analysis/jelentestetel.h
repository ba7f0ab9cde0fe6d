#pragma once

#include "elemzes.h"
#include "engine/kategoriak.h"
#include "esemenyek.h"
#include "feldolgozas.h"
#include "rajzadat.h"
#include "readers/felvetel.h"
#include "readers/meresadatok.h"

#include <span>
#include <vector>

namespace Feldolgozás {

// What a report page shows of one record: the view in detail (its header, figures and
// drawings), how it was judged, the particulars, and a monitoring record's events (without
// their samples), summed up on pages of their own after it.
struct Jelentéstétel {
    Rezgésjel::Felvétel felvétel; // its header: file, station, start, rate, channels
    Elemzés::Megállapítás megállapítás;
    std::vector<Rajz::Rajzadat> rajzok; // each component's drawing
    int kategória = Határérték::AlapKategória;
    Elemzés::Hely hely = Elemzés::Hely::Alap;
    Elemzés::Módszer módszer = Elemzés::Módszer::ZC;
    Mérésadatok adatok;
    std::vector<Elemzés::Esemény> események;
    int részletes = 0;     // the event the page shows (from 1), or 0
    bool kijelölt = false; // the page shows a span of the record chosen by hand
    double küszöb = 0;     // mm/s, the events' trigger
};

// How a record is judged.
struct Ítélés {
    int kategória = Határérték::AlapKategória;
    Elemzés::Hely hely = Elemzés::Hely::Alap;
    Elemzés::Módszer módszer = Elemzés::Módszer::ZC;
};

// A record's report item: `részletes` in detail, judged by `ítélés`, with `adatok` over
// what an instrument's export states of itself; after it the summary of
// `események` (a monitoring record's events, in order, each judged alike). `sorszám` is the
// number of the event shown (0 for none), `kijelölt` says it is a span chosen by hand.
Jelentéstétel Jelentéstételt(const Nézet& részletes, std::span<const Nézet> események,
                             const Ítélés& ítélés, const Mérésadatok& adatok, double küszöb,
                             int sorszám = 0, bool kijelölt = false);

} // namespace Feldolgozás
