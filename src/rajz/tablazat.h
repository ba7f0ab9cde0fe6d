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
// A utilisation in tenths of a percent as text: "156,9".
QString Százalék(std::int64_t tized);
// A component's verdict with its remark: "megfelel (100 Hz feletti: a 100 Hz-es érték)".
QString ÖsszetevőÍtélet(const Elemzés::Összetevő& összetevő);
// The verdict in words: "Megfelel: a legnagyobb kihasználtság 82,4 % (HHN)".
QString Ítélet(const Elemzés::Eredmény& eredmény);
// "alap" / "legfelső födém", "nullátmenet (ZC)" / "spektrumcsúcs (FFT)".
QString HelyNév(Elemzés::Hely hely);
QString MódszerNév(Elemzés::Módszer módszer);

} // namespace Rajz
