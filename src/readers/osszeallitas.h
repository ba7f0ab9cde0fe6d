#pragma once

#include "felvetel.h"

#include <variant>

// What the record readers share: the factor from a file's samples to mm/s, and the
// channels as read put together into records.
namespace Rezgésjel {

// What the file says of its samples' unit.
struct MintaFajta {
    bool count = false;           // integer counts (or the file says counts)
    std::optional<Egység> egység; // a physical unit the file names
    QString egységSzöveg;         // as written
};

// The factor from the samples to mm/s, or the fault (its kind and what was found) when
// the settings do not fit the samples.
std::variant<double, Hiba> Szorzó(const MintaFajta& fajta, const Beállítás& beállítás);

// A channel as read, before the channels are put together.
struct NyersCsatorna {
    Csatornakód kód;
    double mintavétel = 0;
    std::optional<qint64> kezdetMikro; // the first sample, µs since 1970 UTC
    std::vector<double> minták;        // mm/s
};

// The channels put together into records, one per station and location, in the order
// they first appear: the same sample rate, start and length in each, or the fault naming
// the channel that differs.
Olvasás Összeállít(const QString& fájl, std::vector<NyersCsatorna>&& csatornák);

} // namespace Rezgésjel
