#pragma once

#include "rezgesjel.h"

// Records as text: the TIMESERIES blocks that seismology tools write (SLIST or TSPAIR, one
// block per channel), or a CSV or TSV with one column per component and optionally a time
// column (idő, time or t, in seconds) that gives the sample rate.
namespace Rezgésjel {

Eredmény SzövegOlvas(const QString& fájl, const Beállítás& beállítás);

} // namespace Rezgésjel
