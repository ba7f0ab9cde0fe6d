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

// A table as the command line writes it (a header row, then rows; any of the separators, either
// decimal mark, the input's encoding, as --ertekel echoes its input) into the file, its
// numbers typed: a column whose every filled cell is a number is one of numbers; the units of
// the known columns (ppv, határérték, kihasználtság…) named where the header gives none.
std::optional<QString> SzövegbőlÍr(const QString& fájl, const QByteArray& szöveg);

} // namespace Táblakimenet
