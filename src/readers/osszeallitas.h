#pragma once

#include "felvetel.h"

#include <variant>

// What the record readers share: how a channel's samples become a physical quantity, and
// the channels as read put together into records.
namespace Rezgésjel {

// What the file says of a channel's samples.
struct MintaFajta {
    bool nyers = false;           // counts: integers, a gain-ranged encoding, or the file says so
    std::optional<Egység> egység; // a physical unit the file names
    QString egységSzöveg;         // as written
};

// How a channel's samples become its quantity in the program's unit.
struct Átváltás {
    Mennyiség mennyiség = Mennyiség::Sebesség;
    double szorzó = 1;
    bool nyers = false; // left in counts: a channel that is not judged, with no sensitivity
    bool érzékenységreVár = false; // velocity counts kept for a sensitivity given later
    bool egységIsmeretlen = false; // velocity floats whose unit nothing states: not judged
    bool érzékenységből = false;   // the factor is the sensitivity given by the user
    QString forrás;                // what the factor came from, for the report
};

// The channel's quantity and factor: the file's own unit first, then the station's
// metadata, then the command line (a sensitivity for velocity counts, a unit for velocity
// floats); velocity floats of which none states the unit are kept as they are, marked
// unknown, never taken as mm/s. None for a channel that measures no motion; a fault where a
// velocity in counts has no sensitivity or the file's unit contradicts the one given.
std::variant<std::monostate, Átváltás, Hiba> Átvált(const Csatornakód& kód, const MintaFajta& fajta,
                                                    const Beállítás& beállítás,
                                                    std::optional<qint64> kezdetMikro);

// A reader's fault at a line (and column, and channel), as an Olvasás.
Olvasás HibásOlvasás(const QString& fájl, Hiba::Fajta fajta, qint64 sor, QString részlet,
                     int oszlop = 0, const QString& csatorna = {});
// A row with another count of fields than its header's, at a line.
Olvasás MezőszámHiba(const QString& fájl, qint64 sor, qsizetype mezők, qsizetype oszlopok);

// How a report names a velocity unit given by the user: "megadott mértékegység: m/s", or
// for floats in counts the sensitivity the factor is the inverse of.
QString MegadottEgység(double szorzó);

// A channel as read, before the channels are put together.
struct NyersCsatorna {
    Csatornakód kód;
    Átváltás átváltás;
    double mintavétel = 0;
    std::optional<qint64> kezdetMikro; // the first sample, µs since 1970 UTC
    std::vector<double> minták;        // in the program's unit (or counts)
    int szakasz = 0;   // its continuous segment, from 0, where gaps split the channel
    int szakaszok = 1; // how many segments its channel has
};

// The channels put together into records, one per station and location (and continuous
// segment, where gaps split them), in the order they first appear. Channels may differ in rate,
// start and length; each needs a valid rate and three samples. `kihagyott` names channels left out
// as measuring no motion; `formátum` names what the input was, for a file with no channel at all.
Olvasás Összeállít(const QString& fájl, std::vector<NyersCsatorna>&& csatornák,
                   const QStringList& kihagyott = {}, const QString& formátum = {});

} // namespace Rezgésjel
