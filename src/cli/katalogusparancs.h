#pragma once

#include "catalogue/behozatal.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>
#include <variant>

// --katalogus: a campaign's catalogue from the command line: files imported into it
// (--felvesz) and its measurements listed (--lista).
namespace KatalógusParancs {

struct Felvétel {
    QString katalógus;
    QString robbantások; // a blast log, taken in before the files
    QStringList fájlok;
    Katalógus::Behozatal behozatal;
    qint64 párosításMikro = 120'000'000; // a blast's time to the trigger, at most
    bool újraMegítél = false;            // the stored measurements not judged, judged again
};

struct Lista {
    QString katalógus;
    Katalógus::Szűrő szűrő;
    bool statisztika = false; // the figures per point and month instead of the rows
    QString kimenet;          // a .csv or .xlsx file instead of standard output
};

// The header rows of the listing and of the statistics, exactly.
extern const char* const ListaFejléc;
extern const char* const StatisztikaFejléc;

// Takes in the blast log, then each file, one at a time, each whole or not at all, then
// pairs the measurements with no blast yet; says on `hibák` what became of each. Exit status: 2 for
// any fault (the other files still go in), then 1 for a measurement that exceeds, then 3 where none
// of the new ones could be judged, else 0.
int Felvesz(const Felvétel& kérés, std::FILE* hibák);

// The measurements that pass the filter, a row each, to `ki`; what the filter took on
// `hibák`. Exit status: 1 if any listed exceeds, 3 if none listed could be judged, else 0.
int Listáz(const Lista& kérés, std::FILE* ki, std::FILE* hibák);

// A day ("2026-09-14", Hungarian local time, its start; with `vége` the next day's start)
// or a time as a blast log writes it (Robbantásnapló::Időpont), µs since 1970.
std::optional<qint64> Időpont(const QString& szöveg, bool vége);

// The catalogue at the address, or the message that says why it does not open.
std::variant<std::unique_ptr<Katalógus::Katalógusfájl>, QString> Megnyit(const QString& cím,
                                                                         bool írásra);

QString Súgó();

} // namespace KatalógusParancs
