#pragma once

#include "hiba.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>
#include <vector>

// A summary table as engineers keep a campaign: a row a measurement, with its point (or
// station), its date and time, distance and charge per delay, and either one PPV with its
// frequency or each component's (`Tran;Freq;Vert;Freq;Long;Freq;PVS`), the air overpressure
// optional. Header names in Hungarian or English, any case, with or without accents, a unit
// in brackets after the name; a row of units under the header or after the last row; the
// encodings, separators and line ends of the other tables. No figure's unit is guessed: a
// velocity column needs its unit stated (or `egység`, mm/s per unit of an unstated one).
namespace Összesítő {

struct Összetevő {
    QString név; // "Tran", "Vert", "Long", or "PPV" for a single one
    bool függőleges = false;
    std::optional<double> ppv;        // mm/s
    std::optional<double> frekvencia; // Hz
};

struct Sor {
    qint64 sor = 0; // the line in the file, from 1
    QString pont;
    std::optional<qint64> időMikro; // µs since 1970 UTC; without a zone, Hungarian local time
    std::optional<double> távolság, töltet; // m, kg per delay
    std::vector<Összetevő> összetevők;
    std::optional<double> pvs;       // mm/s
    std::optional<double> légnyomás; // Pa
};

// Whether the bytes begin like a summary table: a header row naming a velocity column and a
// frequency, distance, charge or point column (a time series' table names none of these).
bool Felismer(const QByteArray& bájtok);

// The rows of the table, or the fault that names the line.
std::variant<std::vector<Sor>, Hiba> Olvas(const QByteArray& bájtok, const QString& név,
                                           std::optional<double> egység = std::nullopt);

} // namespace Összesítő
