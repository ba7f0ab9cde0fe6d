#pragma once

#include "analysis/elemzes.h"
#include "analysis/esemenyek.h"
#include "painters/rajzadat.h"
#include "readers/felvetel.h"
#include "readers/meresadatok.h"

#include <QString>

#include <vector>

// The event report on paper: A4, Hungarian, vector drawing through QPdfWriter, a page per
// record with its header, table, traces, spectra, limit chart and verdict.
namespace Jelentés {

struct Tétel {
    Rezgésjel::Felvétel felvétel; // its header: file, station, start, rate, channels
    Elemzés::Megállapítás megállapítás;
    std::vector<Rajz::Rajzadat> rajzok; // each component's drawing
    int kategória = 1;
    Elemzés::Hely hely = Elemzés::Hely::Alap;
    Elemzés::Módszer módszer = Elemzés::Módszer::ZC;
    Mérésadatok adatok; // the measurement's particulars, where given
    // A monitoring record's events (without their samples): summed up on pages of their
    // own after this page, which shows event `részletes` (counted from 1), or none.
    std::vector<Elemzés::Esemény> események;
    int részletes = 0;
    bool kijelölt = false; // the page shows a span of the record chosen by hand
    double küszöb = 0;     // mm/s, the events' trigger
};

// The pages the report of the records takes: a page each, and a monitoring record's summary.
std::size_t Oldalszám(const std::vector<Tétel>& tételek);

// Writes the report of the records, in their order, to `pdf`; false with the reason.
bool Ír(const QString& pdf, const std::vector<Tétel>& tételek, QString* hiba);

} // namespace Jelentés
