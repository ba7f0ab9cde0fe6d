#pragma once

#include "felvetel.h"
#include "szovegforras.h"

// A record as a table: a CSV or TSV with one column per component (its unit in brackets
// after the name) and optionally a time column (idő, time or t, in seconds) that gives the
// sample rate.
namespace Rezgésjel {

Olvasás TáblázatOlvas(Szöveg::Forrás& forrás, const QString& fájl, const Beállítás& beállítás);

} // namespace Rezgésjel
