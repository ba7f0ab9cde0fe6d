#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// A table the command line writes (its rows as on standard output: ';' between the cells,
// decimal commas, a header row first) into a file for a spreadsheet: ".csv" as Hungarian
// Excel opens it (UTF-8 with a byte order mark, CRLF), ".xlsx" a workbook with typed numbers,
// local times as dates, units in the header and the header row frozen.
namespace Táblakimenet {

struct Oszlop {
    enum class Fajta { Szöveg, Szám, Egész, Időpont };
    const char16_t* egység = nullptr; // the unit the xlsx header names, if any
    Fajta fajta = Fajta::Szöveg;
};

// Whether the file's name asks for a workbook (".xlsx") or a CSV (".csv"); none for another.
bool Ismert(const QString& fájl);

// Writes the table, whole or not at all; the reason where it fails.
std::optional<QString> Ír(const QString& fájl, const std::vector<Oszlop>& oszlopok,
                          const QByteArray& sorok);

} // namespace Táblakimenet
