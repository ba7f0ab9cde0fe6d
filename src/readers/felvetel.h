#pragma once

#include "hiba.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

// A seismograph record: the velocity time histories of one station's components, sampled
// together, with the header that says what and when they are. What the readers yield and
// the analysis takes.
namespace Rezgésjel {

// Where a channel comes from: a SEED source (network, station, location, channel codes) or
// a table's column (its name as the channel, the rest empty).
struct Csatornakód {
    QString hálózat, állomás, hely, csatorna;
    bool seed = false;

    // "NET.STA.LOC" of a SEED source; empty for a column.
    QString állomásNév() const;
    // "NET.STA.LOC.CHA" of a SEED source; the column's name.
    QString név() const;
};

struct Csatorna {
    Csatornakód kód;
    bool függőleges = false;
    std::vector<double> minták; // mm/s, as read
};

struct Felvétel {
    QString fájl;                      // the input as the user named it
    QString állomás;                   // NET.STA.LOC, or empty
    std::optional<qint64> kezdetMikro; // the first sample, µs since 1970 UTC
    double mintavétel = 0;             // samples per second
    std::size_t mintaszám = 0;         // samples in each channel, as read
    std::vector<Csatorna> csatornák;   // without samples once they are let go

    // The first sample's time, to the millisecond, UTC.
    std::optional<QDateTime> kezdet() const;
    // Lets the samples go, keeping the header.
    void mintákElenged();
};

enum class Egység { MilliméterPerSec, MéterPerSec, HüvelykPerSec };

// The unit's factor to mm/s.
double MilliméterreVált(Egység egység);
// "m/s", "mm/s", "in/s" (any case, blanks ignored); none for anything else.
std::optional<Egység> EgységKeres(const QString& szöveg);

// How to read the samples where the file does not say.
struct Beállítás {
    std::optional<double> érzékenység; // counts per mm/s
    std::optional<Egység> egység;      // of floating-point samples
    std::optional<double> mintavétel;  // samples per second, for a CSV with no time column
};

// What a reader gives: the records of the input, or the fault that stopped it.
struct Olvasás {
    std::vector<Felvétel> felvételek;
    std::optional<Hiba> hiba;
};

// A component's role from its channel code or column name: a SEED channel code ending in
// Z, or a column named Z, V, "függőleges" or "vertical", is vertical.
bool Függőleges(const QString& csatornaKód);

} // namespace Rezgésjel
