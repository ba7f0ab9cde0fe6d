#pragma once

#include "analysis/elemzes.h"
#include "analysis/rajzadat.h"

#include <QFont>
#include <QPalette>
#include <QRectF>

#include <optional>
#include <vector>

class QPainter;

// A long record at a glance: every velocity component's envelope (its least and largest
// value in each column) over the whole record on one strip, the events' windows shaded, the
// chosen one outlined, a span chosen by hand, and the trigger threshold.
namespace Rajz {

struct Áttekintés {
    std::vector<const Rajzadat*> összetevők;        // the velocity components' drawings
    std::vector<int> színek;                        // each one's place in the record (its colour)
    double hossz = 0;                               // s, the record's span
    std::vector<std::pair<double, double>> ablakok; // the events', s from the record's start
    int kiválasztott = -1;                          // the chosen event, or -1
    double küszöb = 0;                              // mm/s
    // a span chosen on the strip (s from the record's start, in order), where one is
    std::optional<std::pair<double, double>> kijelölés;
};

// Draws the strip in `hely`; returns the time axis's extent in it (for finding a click).
QRectF ÁttekintéstRajzol(QPainter& festő, const QRectF& hely, const QPalette& paletta,
                         const QFont& betű, const Áttekintés& a);

} // namespace Rajz
