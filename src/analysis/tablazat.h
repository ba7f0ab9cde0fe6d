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
// What a component that measures no velocity shows instead of a verdict: its kind, its
// peak in its unit (a pressure also in dB(L)), and that it is not judged.
QString NemSebesség(const Összetevő& összetevő);
// A pressure peak in dB(L): 20 log10(p / 20 µPa).
double DecibelL(double pascal);
// What a judged component's verdict adds where its rate may underestimate its peak: " (a
// 500/s mintavétel 87,5 Hz-en a csúcsot legfeljebb 7,4 %-kal becsülheti alá)"; empty if not.
QString AlulbecslésSzöveg(const Összetevő& összetevő, Módszer módszer);
// What a judged component's verdict adds where its samples reached the instrument's range:
// " (túlvezérelt: a csúcs legalább a műszer 254,0 mm/s-os méréshatára)"; empty if not.
QString TúlvezérlésSzöveg(const Összetevő& összetevő);
// A judged component's verdict cell: the verdict, then the underestimate where there is one.
QString ÍtéletCella(const Összetevő& összetevő, Módszer módszer);

// The peak vector sum's remark for a summary: over what span, or why there is none.
QString PvsSzöveg(const Megállapítás& megállapítás);

// A time as the command line's rows give it: "2026-12-04T09:41:12.250Z" (UTC, to the
// millisecond below).
QString UtcIdő(qint64 mikro);

// Why the record's first component that could not be judged at all was not; where none
// says, that it has no velocity channel, or at the top floor slab only the vertical; empty if
// none.
QString NemÍtéltMiért(const Megállapítás& megállapítás);

// The record's verdict as a sentence: "Megfelel: a legnagyobb kihasználtság 82,4 % (HHN)".
QString ÍtéletMondat(const Megállapítás& megállapítás);

} // namespace Elemzés
