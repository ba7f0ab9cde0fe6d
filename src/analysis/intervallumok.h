#pragma once

#include "elemzes.h"
#include "readers/felvetel.h"

#include <vector>

// Interval peaks for site monitoring: the record's time cut at whole multiples of S seconds
// (in UTC; from the record's start where it has no clock), a first and last partial interval
// included. In each interval, each velocity component's samples less their mean there: the
// PPV, its zero-crossing frequency (as for a whole record), and its judgement at that
// frequency.
namespace Elemzés {

struct IntervallumCsúcs {
    std::size_t csatorna = 0; // its index in the record's channels
    double ppv = 0;           // mm/s
    std::optional<double> zc; // Hz
    bool megítélt = false;    // the vertical is not, at the top floor slab
    Határérték::Megítélés megítélés;
    QString nemÍtéltMiért; // why it could not be judged at all (Elemzés::NemÍtélhetőMiért)
};

struct Intervallum {
    qint64 kezdetMikro = 0;                // the interval's aligned start, µs
    std::vector<IntervallumCsúcs> csúcsok; // the velocity components with samples in it
};

// The intervals in time order; `hosszMikro` > 0.
std::vector<Intervallum> Intervallumok(const Rezgésjel::Felvétel& felvétel, qint64 hosszMikro,
                                       int kategória, Hely hely);

// Whether every judged peak is within its limit.
bool Megfelel(const std::vector<Intervallum>& intervallumok);

} // namespace Elemzés
