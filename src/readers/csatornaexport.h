#pragma once

#include "felvetel.h"

#include <QByteArray>

// A second blast monitor vendor's CSV export: "key","value" lines (File, Serial number, Date
// of calibration, Date & Time, Time, Pretrigger, Sampling rate, Note 1..3, Longitude,
// Latitude), a "Frequency - Zero crossing" block ("Channel: 1","14 Hz"…), then a quoted table
// "Time","Channel 1 (mm/s)",…,"Channel 4 (Pa)","Vector sum 1 (mm/s)", each row ending with a
// comma. The time is clock time or elapsed milliseconds; the line ends may be LF CR.
namespace Rezgésjel {

// Whether a text's first line is such an export's: "File","…".
bool CsatornaExport(QByteArrayView eleje);

// The export's one record. Its channels are numbered only: which is vertical comes from
// `beállítás.függőleges` (a channel number), else none is known. The Vector sum column is
// the instrument's own PVS, a stated figure, never a component.
Olvasás CsatornaExportOlvas(const QByteArray& szöveg, const QString& fájl,
                            const Beállítás& beállítás);

} // namespace Rezgésjel
