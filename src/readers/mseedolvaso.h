#pragma once

#include "felvetel.h"

#include <QByteArray>

// miniSEED (SEED 2.4 data records) through libmseed.
namespace Rezgésjel {

// Whether the bytes start with a miniSEED data record.
bool MseedAdat(QByteArrayView eleje);

// Every data record of the bytes, one record per station and location. A gap or overlap
// in a channel, bytes that are not whole records (a cut last record, data between
// records), or channels that differ in rate, start or length are faults.
Olvasás MseedOlvas(QByteArray bájtok, const QString& név, const Beállítás& beállítás);

} // namespace Rezgésjel
