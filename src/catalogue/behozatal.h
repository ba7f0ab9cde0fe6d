#pragma once

#include "katalogus.h"
#include "readers/hiba.h"

#include <QStringList>

#include <optional>

// One input file into the catalogue: read and analysed as --elemez does (a long record by its
// events), each station judged by its point's category (the catalogue's for a known point;
// for a new one the particulars' section or the given one), then stored whole or not at all.
namespace Katalógus {

struct Behozatal {
    std::optional<int> kategória;      // for new points without their own
    std::optional<Elemzés::Hely> hely; // likewise; the foundation by default
    Elemzés::Módszer módszer = Elemzés::Módszer::ZC;
    Rezgésjel::Beállítás beállítás; // how to read the samples
    Mérésadatok adatok;             // distances, charges, sections' categories
    QString pont;                   // the point of records that name no station
};

struct FájlEredmény {
    enum class Mi { Felvéve, MárBenne, Hibás };
    Mi mi = Mi::Hibás;
    std::vector<Mérés> mérések;    // what was stored
    std::optional<::Hiba> olvasás; // the input's fault…
    std::optional<Hiba> katalógus; // …or the catalogue's
    QStringList megjegyzések;      // what the reading remarked (gaps, skipped channels)
};

// How a stored file was read at its import, to read it the same way again.
struct Olvasásmód {
    Rezgésjel::Beállítás beállítás;
    Elemzés::Módszer módszer = Elemzés::Módszer::ZC;
};
Olvasásmód BeállításOlvas(const QString& tárolt);

// The stored files with a measurement not judged (of `pont`, where given), each read again from
// its stored bytes with its stored settings and those given now (`behozatal`'s unit,
// sensitivity, station data, rate, zone, vertical), judged by its points' buildings, and its
// measurements replaced whole or not at all; each keeps its blast, distance and charge. One
// result a file, its name the stored one.
std::variant<std::vector<std::pair<QString, FájlEredmény>>, Hiba>
ÚjraMegítél(Katalógusfájl& katalógus, const QString& pont, const Behozatal& behozatal);

FájlEredmény FájltFelvesz(Katalógusfájl& katalógus, const QString& fájl,
                          const Behozatal& behozatal);

} // namespace Katalógus
