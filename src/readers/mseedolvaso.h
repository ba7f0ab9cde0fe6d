#pragma once

#include "felvetel.h"

#include <QByteArray>

// miniSEED: data records of SEED 2.4 (through libmseed) and of miniSEED 3, with a SEED
// volume's control and header records passed over wherever they sit.
namespace Rezgésjel {

// Whether the bytes start as a miniSEED file or a SEED volume does.
bool MseedAdat(QByteArrayView eleje);

// Every data record, each channel's records put in time order and joined, one record per
// station and location. A gap or overlap that remains, bytes that are not whole records (a
// cut last record, data between records) are faults.
Olvasás MseedOlvas(QByteArray bájtok, const QString& név, const Beállítás& beállítás);

} // namespace Rezgésjel
