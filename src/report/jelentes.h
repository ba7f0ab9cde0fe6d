#pragma once

#include "analysis/elemzes.h"
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
};

// Writes the report of the records, in their order, to `pdf`; false with the reason.
bool Ír(const QString& pdf, const std::vector<Tétel>& tételek, QString* hiba);

} // namespace Jelentés
