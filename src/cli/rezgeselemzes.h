#pragma once

#include "analysis/elemzes.h"
#include "analysis/feldolgozas.h"
#include "analysis/jelentestetel.h"
#include "engine/kategoriak.h"
#include "readers/felvetel.h"
#include "readers/meresadatok.h"
#include "sitelaw/kampany.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <functional>

// --elemez: seismograph records to figures and a verdict, as semicolon-separated rows.
namespace RezgésElemzés {

// What writes the report: the program gives it, for it draws (the command line draws nothing).
struct Jelentésíró {
    std::function<std::optional<Hiba>(const QString& pdf,
                                      const std::vector<Feldolgozás::Jelentéstétel>& tételek)>
        ír;
    std::function<std::size_t(const std::vector<Feldolgozás::Jelentéstétel>& tételek)> oldalszám;
    // the campaign report of a catalogue
    std::function<std::optional<Hiba>(const QString& pdf, const Kampány::Adatok& adatok)> kampány;
    std::function<std::size_t(const Kampány::Adatok& adatok)> kampányOldalszám;
};

struct Kérés {
    QStringList fájlok;
    int kategória = Határérték::AlapKategória;
    Elemzés::Hely hely = Elemzés::Hely::Alap;
    Elemzés::Módszer módszer = Elemzés::Módszer::ZC;
    Rezgésjel::Beállítás beállítás;
    QString jelentés;                         // a PDF report of every record, when given…
    const Jelentésíró* jelentésíró = nullptr; // …by this writer
    Mérésadatok adatok;                       // the particulars the report carries
    std::optional<double> küszöb;             // mm/s: the events of long records, not the whole
    std::optional<double> intervallum;        // s: interval peaks, not the whole
    QString kimenet; // a .csv or .xlsx file for the rows instead of standard output
};

// The header rows of the output, exactly: of whole records, of events, of interval peaks.
extern const char* const Fejléc;
extern const char* const EseményFejléc;
extern const char* const IntervallumFejléc;

// One record's rows: each component, then the peak vector sum (UTF-8, decimal comma, LF);
// `elé` goes between the file and the channel (an event's number and start).
QByteArray Sorok(const Rezgésjel::Felvétel& felvétel, const Elemzés::Megállapítás& megállapítás,
                 const QByteArray& elé = {});
// One record's summary for standard error.
QString Összegzés(const Rezgésjel::Felvétel& felvétel, const Elemzés::Megállapítás& megállapítás);

// Analyses every file, several at a time over the cores, writes the rows in the order of
// the files to `ki` and the summaries and faults to `hibák`. Exit status: 0 all within,
// 1 any exceeds, 2 any fault (the other files are still analysed).
int Elemez(const Kérés& kérés, std::FILE* ki, std::FILE* hibák);

QString Súgó();

} // namespace RezgésElemzés
