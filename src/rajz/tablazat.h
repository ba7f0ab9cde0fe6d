#pragma once

#include "analysis/elemzes.h"

#include <QString>
#include <QStringList>

// The figures of a record as the record window's table and the report show them.
namespace Rajz {

// The column titles.
QStringList TáblázatFejléc();
// One row per component, then the peak vector sum; empty cells for what is not known.
QList<QStringList> TáblázatSorok(const Elemzés::Eredmény& eredmény);
// The verdict in words: "Megfelel: a legnagyobb kihasználtság 82,4 % (HHN)".
QString Ítélet(const Elemzés::Eredmény& eredmény);
// "alap" / "legfelső födém", "nullátmenet (ZC)" / "spektrumcsúcs (FFT)".
QString HelyNév(Elemzés::Hely hely);
QString MódszerNév(Elemzés::Módszer módszer);

} // namespace Rajz
