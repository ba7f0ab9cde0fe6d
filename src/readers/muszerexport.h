#pragma once

#include "felvetel.h"

#include <QByteArray>

// The ASCII "Full Waveform" export of a blast monitor's PC software: quoted "Key : value"
// lines (serial number, calibration, trigger, range, sample rate, units, the instrument's
// own figures), a blank line, then a tab-separated table headed Tran, Vert, Long (and MicL
// where a microphone was fitted) with the samples in the stated units.
namespace Rezgésjel {

// Whether a text's first line is such an export's: "Event Type : …" in quotes.
bool MűszerExport(QByteArrayView eleje);

// The export's one record: its channels, and in `műszer` what its header says. Its clock
// is read in `beállítás.időzóna` (Europe/Budapest by default). A table cut short of the
// stated record time, or a cell that is no number, is a fault naming the line.
Olvasás MűszerExportOlvas(const QByteArray& szöveg, const QString& fájl,
                          const Beállítás& beállítás);

} // namespace Rezgésjel
