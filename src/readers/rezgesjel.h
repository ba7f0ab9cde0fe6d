#pragma once

#include "felvetel.h"

#include <QByteArray>

class QIODevice;

// Recognises a record's format from its bytes and hands them to its reader: miniSEED, a
// TIMESERIES text, a blast monitor's Full Waveform export, or a CSV or TSV with one column
// per component.
namespace Rezgésjel {

// Whether the bytes start as a record does (miniSEED, TIMESERIES, an instrument's export),
// never as a log or a plain table would.
bool RezgésjelKezdet(QByteArrayView eleje);

// The records in the bytes; `név` names the input in faults and in the records.
Olvasás Olvas(QByteArray bájtok, const QString& név, const Beállítás& beállítás);
// The same from an open device, read to its end.
Olvasás Olvas(QIODevice& eszköz, const QString& név, const Beállítás& beállítás);
// The file, opened and read once.
Olvasás FájlOlvas(const QString& fájl, const Beállítás& beállítás);

} // namespace Rezgésjel
