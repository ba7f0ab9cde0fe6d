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
    QString név; // NET.STA.LOC.CHA for miniSEED, the channel or column name otherwise
    bool függőleges = false;
    std::vector<double> minták; // mm/s
};

struct Felvétel {
    QString fájl;
    QString állomás;                 // NET.STA.LOC, or empty
    std::optional<QDateTime> kezdet; // the first sample, UTC
    double mintavétel = 0;           // samples per second
    std::vector<Csatorna> csatornák;

    std::size_t hossz() const { return csatornák.empty() ? 0 : csatornák.front().minták.size(); }
};

// How to read the samples where the file does not say.
struct Beállítás {
    std::optional<double> érzékenység; // counts per mm/s
    std::optional<Egység> egység;      // of floating-point samples
    std::optional<double> mintavétel;  // samples per second, for a CSV with no time column
};

// What a reader returns: the records of the file, or the fault that stopped it.
struct Eredmény {
    std::vector<Felvétel> felvételek;
    QString hiba;                 // empty when read
    bool érzékenységKell = false; // the fault: integer counts and no sensitivity given
};

// A component's role from its name: a channel code ending in Z, or a column named Z, V,
// "függőleges" or "vertical", is vertical.
bool Függőleges(const QString& csatornaKód);

// What the readers share. A channel as read, before the channels are put together.
struct NyersCsatorna {
    QString állomás; // the record it belongs to: NET.STA.LOC, or empty
    QString név;     // as the output names it
    QString kód;     // the channel code or column name that gives its role
    double mintavétel = 0;
    std::optional<qint64> kezdetMikro; // the first sample, µs since 1970 UTC
    std::vector<double> minták;        // mm/s
};

// What the file says of its samples' unit.
struct MintaFajta {
    bool count = false;           // integer counts (or the file says counts)
    std::optional<Egység> egység; // a physical unit the file names
    QString egységSzöveg;         // as written
};

// The factor from the samples to mm/s, or the reason there is none.
// `érzékenységKell` is set when the samples are counts and no sensitivity was given.
std::optional<double> Szorzó(const MintaFajta& fajta, const Beállítás& beállítás, QString* hiba,
                             bool* érzékenységKell = nullptr);

// The channels put together into records, one per station: the same sample rate, start
// and length in each, or the fault naming the channel that differs.
Eredmény Összeállít(const QString& fájl, std::vector<NyersCsatorna>&& csatornák);

// Reads a record file of any kind this program knows: miniSEED, a TIMESERIES text, or a
// CSV or TSV with one column per component.
Eredmény Olvas(const QString& fájl, const Beállítás& beállítás);

} // namespace Rezgésjel
