#pragma once

#include "analysis/elemzes.h"
#include "records/rezgesjel.h"

#include <QString>

#include <vector>

// The event report on paper: A4, Hungarian, vector drawing through QPdfWriter, a page per
// record with its header, table, traces, spectra, limit chart and verdict.
namespace Jelentés {

struct Tétel {
    Rezgésjel::Felvétel felvétel; // its file, station, start, rate and channel names
    Elemzés::Eredmény eredmény;   // with the drawing data
    int kategória = 1;
    Elemzés::Hely hely = Elemzés::Hely::Alap;
    Elemzés::Módszer módszer = Elemzés::Módszer::ZC;
};

// Writes the report of the records, in their order, to `pdf`; false with the reason.
bool Ír(const QString& pdf, const std::vector<Tétel>& tételek, QString* hiba);

} // namespace Jelentés
