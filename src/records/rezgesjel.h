#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

// A seismograph record: the velocity time histories of one station's components, sampled
// together. What the readers yield and the analysis takes.
namespace Rezgésjel {

enum class Egység { MilliméterPerSec, MéterPerSec, HüvelykPerSec };

// The unit's factor to mm/s.
double MilliméterreVált(Egység egység);
// "m/s", "mm/s", "in/s" (any case, blanks ignored); none for anything else.
std::optional<Egység> EgységKeres(const QString& szöveg);

struct Csatorna {
    QString név;      // NET.STA.LOC.CHA for miniSEED, the channel or column name otherwise
    bool függőleges = false;
    std::vector<double> minták; // mm/s
};

struct Felvétel {
    QString fájl;
    QString állomás;               // NET.STA.LOC, or empty
    std::optional<QDateTime> kezdet; // the first sample, UTC
    double mintavétel = 0;          // samples per second
    std::vector<Csatorna> csatornák;

    std::size_t hossz() const { return csatornák.empty() ? 0 : csatornák.front().minták.size(); }
};

// How to read the samples where the file does not say.
struct Beállítás {
    std::optional<double> érzékenység; // counts per mm/s
    std::optional<Egység> egység;       // of floating-point samples
};

// What a reader returns: the records of the file, or the fault that stopped it.
struct Eredmény {
    std::vector<Felvétel> felvételek;
    QString hiba; // empty when read
};

// A component's role from its name: a channel code ending in Z, or a column named Z, V,
// "függőleges" or "vertical", is vertical.
bool Függőleges(const QString& csatornaKód);

// Reads a record file of any kind this program knows: miniSEED, a TIMESERIES text, or a
// CSV or TSV with one column per component.
Eredmény Olvas(const QString& fájl, const Beállítás& beállítás);

} // namespace Rezgésjel
