#pragma once

#include "felvetel.h"

#include <QByteArray>

// The TIMESERIES text that seismology tools write: a header line per channel
// (TIMESERIES NET_STA_LOC_CHA_Q, N samples, R sps, START, SLIST|TSPAIR, INTEGER|FLOAT, UNIT)
// and its samples after it.
namespace Rezgésjel {

// The UTF-8 text's channels, one record per station and location.
Olvasás IdősorOlvas(const QByteArray& szöveg, const QString& fájl, const Beállítás& beállítás);

// A start time as such a header writes it, "2026-12-04T09:41:12.000600" (a Z after it, and
// any number of decimals, allowed), to the microsecond: µs since 1970 UTC; none when it is
// not a time.
std::optional<qint64> KezdetMikro(const QString& szöveg);

} // namespace Rezgésjel
