#pragma once

#include "analysis/feldolgozas.h"
#include "readers/meresadatok.h"

#include <QString>

#include <optional>
#include <vector>

// A measurement as the catalogue keeps it: one record analysed whole, or one event of a long
// record, with every component's figures and judgement and the record's verdict, in the
// program's units (mm/s, Hz, m/s², mm, Pa), the limit in hundredths of mm/s and the
// utilisation in tenths of a per cent exactly as the verdict texts write them.
namespace Katalógus {

// A measurement's verdict, as the exit statuses have it.
enum class Ítélet { Megfelel = 0, Túllépi = 1, NincsMegítélve = 3 };

struct Komponens {
    QString csatorna;
    int mennyiség = 0; // Rezgésjel::Mennyiség
    std::optional<double> ppv, idő, zc, fft, gyorsulás, elmozdulás;
    std::optional<qint64> határSzázad, kihasználtságTized;
    QString ítélet; // the row's verdict text, or why it was not judged
};

struct Mérés {
    QString pont;    // NET.STA.LOC, or the instrument's serial
    int sorszám = 0; // the record's place in its file, from 0
    int esemény = 0; // an event's number in a long record; 0 for a whole record
    std::optional<qint64> kezdetMikro, végMikro, indításMikro; // µs since 1970 UTC
    double mintavétel = 0;
    qint64 mintaszám = 0;
    int kategória = 0;
    int hely = 0;    // Elemzés::Hely
    int módszer = 0; // Elemzés::Módszer
    Ítélet ítélet = Ítélet::NincsMegítélve;
    QString miért; // why nothing was judged
    QString döntő; // the deciding component
    std::optional<double> ppv, frekvencia;
    std::optional<qint64> határSzázad, kihasználtságTized;
    std::optional<double> pvs, légnyomás;
    std::optional<double> távolság, töltet, arányosTávolság;
    std::vector<Komponens> komponensek;
};

// The measurements of one analysed file: each record analysed whole, or each event of one
// that was not; with the particulars' distance and charge for its station.
std::vector<Mérés> Mérések(const Feldolgozás::Feldolgozott& feldolgozott,
                           const Mérésadatok& adatok);

} // namespace Katalógus
