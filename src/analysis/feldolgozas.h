#pragma once

#include "elemzes.h"
#include "esemenyek.h"
#include "intervallumok.h"
#include "readers/felvetel.h"

#include <QByteArray>
#include <QString>

// One way from an input to analysed records, for the command line, the record window and
// the report: read, analyse each record, let the samples go unless they are asked for.
namespace Feldolgozás {

struct Kérés {
    int kategória = 1;
    Elemzés::Hely hely = Elemzés::Hely::Alap;
    Elemzés::Módszer módszer = Elemzés::Módszer::ZC;
    Rezgésjel::Beállítás beállítás;
    bool mintákkal = false;            // keep the samples (for drawing them)
    bool egész = true;                 // analyse each record as a whole…
    std::optional<double> egészHatár;  // s: …only one spanning at most this long
    std::optional<double> küszöb;      // mm/s: find and analyse the events
    std::optional<qint64> intervallum; // µs: the interval peaks
};

struct ElemzettFelvétel {
    Rezgésjel::Felvétel felvétel;       // its header; its samples only when asked for
    Elemzés::Megállapítás megállapítás; // of the whole record, when asked for…
    bool egészElemezve = false;         // …and so analysed
    std::vector<Elemzés::Esemény> események;
    std::vector<Elemzés::Intervallum> intervallumok;
};

struct Feldolgozott {
    std::vector<ElemzettFelvétel> felvételek;
    std::optional<Hiba> hiba; // the input's fault; then no records
    // Read with érzékenységKésőbb, records whose velocity counts need a sensitivity: kept
    // as read (with the fault that says so), for Felvételekből once it is given.
    std::vector<Rezgésjel::Felvétel> érzékenységreVár;
};

Feldolgozott Fájl(const QString& fájl, const Kérés& kérés);
Feldolgozott Bájtok(QByteArray bájtok, const QString& név, const Kérés& kérés);
// Records already read (waiting for a sensitivity), with the request's sensitivity applied.
Feldolgozott Felvételekből(std::vector<Rezgésjel::Felvétel> felvételek, const Kérés& kérés);

} // namespace Feldolgozás
