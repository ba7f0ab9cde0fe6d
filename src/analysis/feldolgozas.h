#pragma once

#include "elemzes.h"
#include "engine/kategoriak.h"
#include "esemenyek.h"
#include "intervallumok.h"
#include "rajzadat.h"
#include "readers/felvetel.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

// One way from an input to finished records, for the command line, the record window and
// the report: read, analyse each record (as a whole, by its events, by intervals), draw what
// a door shows, let the samples go unless they are asked for.
namespace Feldolgozás {

// A record longer than this (s) is a monitoring record: a window shows it at a glance with
// its events, and the chosen one in detail.
inline constexpr double HosszúFelvétel = 60;

// The steps of the work, for a door that shows its progress.
enum class Lépés { Olvasás, Rajzolás, Eseménykeresés };
inline constexpr int LépésekSzáma = 3;

struct Kérés {
    int kategória = Határérték::AlapKategória;
    Elemzés::Hely hely = Elemzés::Hely::Alap;
    Elemzés::Módszer módszer = Elemzés::Módszer::ZC;
    Rezgésjel::Beállítás beállítás;
    bool egész = true;                 // analyse each record as a whole…
    std::optional<double> egészHatár;  // s: …only one spanning at most this long
    std::optional<double> küszöb;      // mm/s: find and analyse the events…
    bool csakHosszúEseményei = false;  // …only of a record not analysed whole (and analyse
                                       // that one whole after all when it has none)
    std::optional<qint64> intervallum; // µs: the interval peaks
    bool rajzokkal = false;            // each record's views, drawn (see Nézet)
    bool mintákMegtartva = false;      // a long record keeps its samples
    // Velocity counts read with érzékenységKésőbb analysed in counts and not judged (a
    // catalogue keeps them so until a sensitivity is given), instead of waiting for one.
    bool érzékenységNélkülIs = false;
    bool egységetKér = false;   // velocity floats of an unknown unit wait for one (EgységKell)…
    QSet<QString> egységNélkül; // …but for these stations', analysed and not judged
    std::function<void(Lépés)> lépésre;             // told of each step as it starts
    const std::atomic<bool>* megszakítva = nullptr; // when set, no record is finished after it
};

// What a door shows in detail: the whole record, an event's window or a span of it, analysed
// and drawn; without its samples.
struct Nézet {
    Rezgésjel::Felvétel felvétel;
    Elemzés::Megállapítás megállapítás;
    std::vector<Rajz::Rajzadat> rajzok; // of a record not analysed whole: the envelope only
    Elemzés::Szakasz ablak;
    int sorszám = 0;      // an event's number, from 1; 0 for the whole or a span
    bool elemezve = true; // a monitoring record's whole is analysed when first asked for
};

struct ElemzettFelvétel {
    Rezgésjel::Felvétel felvétel;            // its header
    Elemzés::Megállapítás megállapítás;      // of the whole record, when asked for…
    bool egészElemezve = false;              // …and so analysed
    bool hosszú = false;                     // longer than the request's egészHatár
    std::vector<Elemzés::Esemény> események; // without their samples
    std::vector<Elemzés::Intervallum> intervallumok;
    // With rajzokkal: the whole record first, then each event in order.
    std::vector<Nézet> nézetek;
    // With mintákMegtartva, of a long record: its samples, for the whole or a
    // span analysed later (Egészet, Szakaszt).
    std::shared_ptr<const Rezgésjel::Felvétel> minták;
};

struct Feldolgozott {
    std::vector<ElemzettFelvétel> felvételek;
    std::optional<Hiba> hiba; // the input's fault; then no records
    // Read with érzékenységKésőbb, records whose velocity counts need a sensitivity, or
    // (egységetKér) whose velocity floats need a unit: kept as read, with the fault that
    // says so and names the station, for Felvételekből once it is given.
    std::vector<Rezgésjel::Felvétel> válaszraVár;
};

Feldolgozott Fájl(const QString& fájl, const Kérés& kérés);
Feldolgozott Bájtok(QByteArray bájtok, const QString& név, const Kérés& kérés);
// Records already read (waiting for a sensitivity or a unit), with the request's applied.
Feldolgozott Felvételekből(std::vector<Rezgésjel::Felvétel> felvételek, const Kérés& kérés);

// The whole of a record kept with its samples, analysed and drawn as a view.
Nézet Egészet(const Rezgésjel::Felvétel& minták, int kategória, Elemzés::Hely hely,
              Elemzés::Módszer módszer);
// A span of it, analysed and drawn as an event's window is (its number 0).
Nézet Szakaszt(const Rezgésjel::Felvétel& minták, const Elemzés::Szakasz& szakasz, int kategória,
               Elemzés::Hely hely, Elemzés::Módszer módszer);
// The event with the largest utilisation (Elemzés::Legrosszabb), as a view's place in
// `nézetek` (the whole is 0); -1 for none.
int LegrosszabbNézet(const ElemzettFelvétel& felvétel);

} // namespace Feldolgozás
