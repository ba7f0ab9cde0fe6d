#pragma once

#include "hiba.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>
#include <vector>

// A blast log: a CSV or TSV text (as Hungarian Excel, LibreOffice or a UTF-16 "Unicode text"
// save it) whose header row names its columns, in Hungarian or English, any case and
// accents, a unit in brackets allowed: the blast's identifier and time, then any of the
// charge per delay, the total charge, the number of delays, its place (EOV Y and X in
// metres, or latitude and longitude) and notes. Lines above the header (a title) are passed
// over; one blast a row; rows of nothing are skipped.
namespace Robbantásnapló {

struct Robbantás {
    QString azonosító;
    qint64 időMikro = 0;                        // µs since 1970 UTC
    std::optional<double> töltet, összesTöltet; // kg: per delay, in all
    std::optional<int> késleltetések;
    std::optional<double> eovY, eovX, szélesség, hosszúság;
    QString megjegyzés;
    qint64 sor = 0; // its line, from 1
};

// A time as the log writes it: ISO 8601 with its zone ("2026-09-14T08:30:00Z", "+02:00"), or
// without one, and "2026.09.14. 08:30:00", in Hungarian local time; µs since 1970 UTC.
std::optional<qint64> Időpont(const QString& szöveg);

// The blasts of the log; a fault names the line (a missing column, a time or a number that is
// none, an identifier twice).
std::variant<std::vector<Robbantás>, Hiba> Olvas(const QByteArray& bájtok, const QString& név);
std::variant<std::vector<Robbantás>, Hiba> FájlOlvas(const QString& fájl);

} // namespace Robbantásnapló
