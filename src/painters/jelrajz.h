#pragma once

#include "analysis/elemzes.h"
#include "analysis/rajzadat.h"
#include "hatargorbe.h"

#include <QFont>
#include <QPalette>
#include <QRectF>
#include <QString>

#include <optional>
#include <utility>

class QPainter;

// What the record window and the report draw of a record: every component's trace on one
// time axis with its peak marked (the velocities on one scale in mm/s, an accelerometer's or
// a microphone's in its own unit), and the velocities' amplitude spectra with each dominant
// frequency.
namespace Rajz {

// The component's colour, by its place in the record.
QColor ÖsszetevőSzín(int index);

// `tartomány` shows only that span (s from the record's start), the whole record without it.
// Returns the time axis's extent in `hely` (for finding where a pointer is in time).
QRectF Nyomvonalak(QPainter& festő, const QRectF& hely, const QPalette& paletta, const QFont& betű,
                   const Elemzés::Megállapítás& megállapítás, const std::vector<Rajzadat>& rajzok,
                   std::optional<std::pair<double, double>> tartomány = std::nullopt);
// The record's span in seconds as Nyomvonalak draws it (its longest component).
double NyomHossz(const Elemzés::Megállapítás& megállapítás, const std::vector<Rajzadat>& rajzok);

// Each velocity component's (frequency, PPV) point for the limit chart, by the judging
// method's frequency; a component with no frequency, or whose samples are not in mm/s
// (counts, an unknown unit), has none.
std::vector<Pont> ÖsszetevőPontok(const Elemzés::Megállapítás& megállapítás,
                                  Elemzés::Módszer módszer);

void Spektrumok(QPainter& festő, const QRectF& hely, const QPalette& paletta, const QFont& betű,
                const Elemzés::Megállapítás& megállapítás, const std::vector<Rajzadat>& rajzok);

} // namespace Rajz
