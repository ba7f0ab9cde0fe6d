#pragma once

#include "elemzes.h"

#include <QList>
#include <QString>
#include <QStringList>

// The findings of a record as the record window's table and the report write them.
namespace Elemzés {

// The column titles.
QStringList TáblázatFejléc();
// One row per component, then the peak vector sum; empty cells for what is not known.
QList<QStringList> TáblázatSorok(const Megállapítás& megállapítás);
// The record's verdict as a sentence: "Megfelel: a legnagyobb kihasználtság 82,4 % (HHN)".
QString Ítélet(const Megállapítás& megállapítás);

} // namespace Elemzés
