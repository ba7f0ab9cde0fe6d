#pragma once

#include "cim.h"
#include "hiba.h"
#include "meres.h"
#include "readers/robbantasnaplo.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>

#include <memory>
#include <optional>
#include <unordered_map>
#include <variant>
#include <vector>

// A campaign's catalogue: its measuring points, the files imported with their original bytes
// (compressed, with their SHA-256) and every measurement of them, on SQLite or PostgreSQL.
// A file goes in whole or not at all, once: a second import of the same bytes, by this
// process or another one at the same time, is named and skipped.
namespace Katalógus {

// A measuring point as it is kept: its building's category and the place judged.
struct Pont {
    QString kód;
    int kategória = 0;
    int hely = 0;
    std::optional<double> eovY, eovX, szélesség, hosszúság; // where given
    std::optional<qint64> óraEltérésMikro; // its instrument's clock ahead of true time, µs
    QString érzékelő, műszer, kalibrálás;  // the sensor's place, the instrument, its calibration
};

// The site a catalogue is of.
struct Helyszín {
    QString név, megrendelő, megjegyzés;
};

// What pairing the measurements with the blasts found.
struct Párosítás {
    int párosítva = 0;
    QStringList nincs;            // measurements with no blast before them within the window
    QStringList kétértelmű;       // …with more than one, each named with its candidates
    bool robbantásNélkül = false; // the catalogue has no blast at all: nothing was paired
};

// Which measurements a listing takes.
struct Szűrő {
    std::optional<qint64> tólMikro, igMikro; // the record's start, µs since 1970 UTC, [tól, ig)
    QString pont;                            // a point's code
    bool csakTúllépő = false;
};

// A listed measurement, with its file and blast.
struct ListaSor {
    Mérés mérés;
    QString fájl;
    QString robbantás;
    qint64 id = 0, fájlId = 0; // the measurement's and its file's keys
};

// A file as it was imported: its name, its original bytes and how it was read.
struct Eredeti {
    QString név;
    QByteArray bájtok;
    QString beállítás;
};

class Katalógusfájl {
public:
    // Opens the catalogue; to write, an SQLite file that is not there yet is made, and the
    // tables are made or brought up to this version. One of a newer version opens to read
    // only (ÚjabbSéma when it is to be written). A file that is something else or damaged
    // is refused and never written.
    static std::variant<std::unique_ptr<Katalógusfájl>, Hiba> Megnyit(const Cím& cím, bool írásra);
    ~Katalógusfájl();
    Katalógusfájl(const Katalógusfájl&) = delete;
    Katalógusfájl& operator=(const Katalógusfájl&) = delete;

    const Cím& cím() const { return cím_; }
    int séma() const { return séma_; }

    // Whether a file of these bytes is in already.
    std::variant<bool, Hiba> benne(const QByteArray& bájtok);
    // The point as the catalogue holds it, if it does.
    std::variant<std::optional<Pont>, Hiba> pont(const QString& kód);
    // Every point (or the one of this code), by code.
    std::variant<std::vector<Pont>, Hiba> pontok(const QString& kód = QString());
    // The site's name, client and notes (empty where none was given).
    std::variant<Helyszín, Hiba> helyszín();

    enum class Eredmény { Felvéve, MárBenne };
    // One file's measurements, in one transaction: the points made where new (with their
    // category), the file's bytes and every measurement. MárBenne, writing nothing, where
    // the same bytes are in already. A point that meanwhile got another category is an
    // Ellentmondás, and nothing is written.
    std::variant<Eredmény, Hiba> felvesz(const QString& név, const QByteArray& bájtok,
                                         const QString& beállítás, const std::vector<Pont>& pontok,
                                         const std::vector<Mérés>& mérések);

    // A blast log's blasts, in one transaction; those in already with the same time and
    // charge are passed over (their count in `márBenne`); one in already with other data is
    // an Ellentmondás, and nothing is written.
    std::variant<int, Hiba> robbantásokFelvesz(const std::vector<Robbantásnapló::Robbantás>& r,
                                               int* márBenne);
    // Each measurement with no blast yet gets the one whose time precedes its trigger (its
    // start where it has none; both on true time, its point's clock offset taken off) by at
    // most `ablakMikro`, where exactly one does: its charge per
    // delay, and the distance from the coordinates where the point and the blast both have
    // them in one system; none or several is said, never guessed.
    std::variant<Párosítás, Hiba> párosít(qint64 ablakMikro);

    // The measurements that pass the filter, by their start, then point.
    std::variant<std::vector<ListaSor>, Hiba> lista(const Szűrő& szűrő);

    // Each measurement's largest velocity component's PPV (mm/s), by the measurement's key;
    // one with no velocity component that has a PPV is not in it.
    std::variant<std::unordered_map<qint64, double>, Hiba> legnagyobbSebességek();

    // The files that have a measurement not judged (of the point, where given), by their key;
    // a summary table's rows are none of them (their figures are what they are).
    std::variant<std::vector<qint64>, Hiba> megítéletlenFájlok(const QString& pont);
    // A file's measurements replaced, in one transaction, by those of a new reading with these
    // settings; each keeps the blast, distance and charge of the one it replaces.
    std::variant<bool, Hiba> újraFelvesz(qint64 fájlId, const QString& beállítás,
                                         const std::vector<Mérés>& mérések);

    // A file's original bytes, checked against their SHA-256 (a mismatch is an Ellentmondás:
    // the evidence is not what was imported).
    std::variant<Eredeti, Hiba> eredeti(qint64 fájlId);

    // The site's name, client and notes, where given (an empty one leaves what is there).
    std::optional<Hiba> helyszínBeállít(const QString& név, const QString& megrendelő,
                                        const QString& megjegyzés);

    // The SHA-256 of bytes as the catalogue keys files by (hex).
    static QString Ujjlenyomat(const QByteArray& bájtok);

private:
    Katalógusfájl() = default;
    Cím cím_;
    QString kapcsolat_;
    int séma_ = 0;
    bool postgres_ = false;
};

} // namespace Katalógus
