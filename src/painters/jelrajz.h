#pragma once

#include "analysis/elemzes.h"
#include "hatargorbe.h"
#include "rajzadat.h"

#include <QFont>
#include <QPalette>
#include <QRectF>
#include <QString>

class QPainter;

// What the record window and the report draw of a record: the velocity traces on one
// time axis with each peak marked, and the amplitude spectra with each dominant frequency.
namespace Rajz {

// The component's colour, by its place in the record.
QColor ÖsszetevőSzín(int index);

void Nyomvonalak(QPainter& festő, const QRectF& hely, const QPalette& paletta, const QFont& betű,
                 const Elemzés::Megállapítás& megállapítás, const std::vector<Rajzadat>& rajzok);

// Each component's (frequency, PPV) point for the limit chart, by the judging method's
// frequency; a component with no frequency has none.
std::vector<Pont> ÖsszetevőPontok(const Elemzés::Megállapítás& megállapítás,
                                  Elemzés::Módszer módszer);

void Spektrumok(QPainter& festő, const QRectF& hely, const QPalette& paletta, const QFont& betű,
                const Elemzés::Megállapítás& megállapítás, const std::vector<Rajzadat>& rajzok);

} // namespace Rajz
