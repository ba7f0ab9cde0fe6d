#pragma once

#include "hiba.h"
#include "meresadatok.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

// A seismograph record: the velocity time histories of one station's components, sampled
// together, with the header that says what and when they are. What the readers yield and
// the analysis takes.
namespace Rezgésjel {

// Where a channel comes from: a SEED source (network, station, location, channel codes) or
// a table's column (its name as the channel, the rest empty).
struct Csatornakód {
    QString hálózat, állomás, hely, csatorna;
    bool seed = false;

    // "NET.STA.LOC" of a SEED source; empty for a column.
    QString állomásNév() const;
    // "NET.STA.LOC.CHA" of a SEED source; the column's name.
    QString név() const;
};

// What a channel measures.
enum class Mennyiség { Sebesség, Gyorsulás, Nyomás };

// A physical unit: what it measures and its factor to the program's unit of that
// quantity (mm/s, m/s², Pa).
struct Egység {
    Mennyiség mennyiség = Mennyiség::Sebesség;
    double szorzó = 1;
};
// The units the program knows: the name it shows, the key it is found by (any case, blanks
// ignored, "²" as "2"), what it measures, its factor; the listed ones are named in messages,
// the others are other spellings.
struct IsmertEgység {
    const char16_t* név;
    const char16_t* kulcs;
    Mennyiség mennyiség;
    double szorzó;
    bool felsorolt;
};
inline constexpr IsmertEgység IsmertEgységek[] = {
    {u"m/s", u"m/s", Mennyiség::Sebesség, 1000, true},
    {u"mm/s", u"mm/s", Mennyiség::Sebesség, 1, true},
    {u"in/s", u"in/s", Mennyiség::Sebesség, 25.4, true},
    {u"ips", u"ips", Mennyiség::Sebesség, 25.4, false},
    {u"m/s²", u"m/s2", Mennyiség::Gyorsulás, 1, true},
    {u"mm/s²", u"mm/s2", Mennyiség::Gyorsulás, 1e-3, false},
    {u"g", u"g", Mennyiség::Gyorsulás, 9.80665, true},
    {u"Pa", u"pa", Mennyiség::Nyomás, 1, true},
    {u"hPa", u"hpa", Mennyiség::Nyomás, 100, true},
    {u"kPa", u"kpa", Mennyiség::Nyomás, 1000, false},
    {u"mbar", u"mbar", Mennyiség::Nyomás, 100, true},
};
// "mm/s", "m/s", "in/s", "m/s²" ("m/s**2", "m/s^2"), "g", "Pa", "hPa", "mbar"… (any case,
// blanks ignored); none for anything else.
std::optional<Egység> EgységKeres(const QString& szöveg);
// The listed units (of one quantity, if given) and the further ones, as a message names
// them: "m/s, mm/s vagy in/s".
QString EgységFelsorolás(std::optional<Mennyiség> csak = std::nullopt,
                         const QStringList& továbbiak = {});
// The name of a listed unit by its quantity and factor (1000, velocity: "m/s"); the
// program's unit where none is listed so.
QString EgységNeve(Mennyiség mennyiség, double szorzó);
// The program's unit of a quantity: "mm/s", "m/s²", "Pa".
QString AlapEgység(Mennyiség mennyiség);

struct Csatorna {
    Csatornakód kód;
    Mennyiség mennyiség = Mennyiség::Sebesség;
    bool függőleges = false;
    bool nyers = false;                // the samples are counts: no sensitivity for them
    bool érzékenységreVár = false;     // velocity counts waiting for their sensitivity
    bool egységIsmeretlen = false;     // velocity whose unit nothing states: not judged
    bool irányIsmeretlen = false;      // a numbered channel: whether it is vertical, unknown
    bool érzékenységből = false;       // made mm/s with the sensitivity the user gave
    QString átváltás;                  // how the samples became the quantity, and from what
    double mintavétel = 0;             // samples per second
    std::optional<qint64> kezdetMikro; // the first sample, µs since 1970 UTC
    std::size_t mintaszám = 0;         // as read
    std::vector<double> minták;        // in AlapEgység(mennyiség), or counts

    // A copy of everything but the samples.
    Csatorna fejléc() const;
};

// A figure an instrument's own file states, to be held against the one recomputed.
struct Állított {
    enum class Mi { Ppv, Zc, Pvs };
    Mi mi = Mi::Ppv;
    int csatorna = -1;    // the channel's place in the record; -1 for the peak vector sum
    double érték = 0;     // in the program's unit (mm/s, Hz)
    double kerekítés = 0; // half a unit of its last written digit
    QString szöveg;       // the key and value as written: "Tran PPV : 6.164 mm/s"
};

// What an instrument's export says beside its samples.
struct Műszeradatok {
    QString formátum;                 // "Full Waveform ASCII"
    Mérésadatok adatok;               // the particulars it fills (an --adatok file overrides them)
    QStringList megjegyzések;         // remarks on the verdict: an old calibration, a failed check
    std::vector<Állított> állított;   // its own figures
    std::optional<double> indítás;    // s from the first sample: the trigger
    std::optional<double> méréshatár; // mm/s: the geophone's range; a peak there is clipped
    QString időzóna;                  // the zone its clock was read in
};

struct Felvétel {
    QString fájl;                      // the input as the user named it
    QString állomás;                   // NET.STA.LOC, or empty
    std::optional<qint64> kezdetMikro; // the earliest channel's first sample, µs since 1970
    double mintavétel = 0;             // samples per second, of the first channel
    std::size_t mintaszám = 0;         // samples of the first channel
    std::vector<Csatorna> csatornák;   // without samples once they are let go
    QStringList kihagyott;             // channels that measure no motion, left out
    std::shared_ptr<const Műszeradatok> műszer; // an instrument export's header, if it is one
    int szakasz = 0;   // where gaps split the station's trace: this segment, from 1…
    int szakaszok = 0; // …of how many; 0 for a continuous trace

    // "2/3. folytonos szakasz" for a segment, empty for a whole trace.
    QString szakaszNév() const;

    // The first sample's time, to the millisecond, UTC.
    std::optional<QDateTime> kezdet() const;
    // Whether every channel has the same rate, start and length.
    bool egyenlőAblakok() const;
    // Lets the samples go, keeping the header.
    void mintákElenged();
    // A copy of the header alone (no sample is copied).
    Felvétel fejléc() const;
};

// A channel's sensitivity from an instrument's response: counts per the program's unit.
struct Érzékenység {
    double countPerEgység = 0;
    Mennyiség mennyiség = Mennyiség::Sebesség;
};

// Where sensitivities come from beyond the command line: a station's metadata.
class Állomásadatok {
public:
    virtual ~Állomásadatok() = default;
    // The channel's sensitivity at the time, if the metadata has one.
    virtual std::optional<Érzékenység> keres(const Csatornakód& kód,
                                             std::optional<qint64> időMikro) const = 0;
};

// How to read the samples where the file does not say.
struct Beállítás {
    std::optional<double> érzékenység; // counts per mm/s, for velocity channels in counts
    std::optional<double> egység;      // mm/s per unit of velocity channels in floats
    std::optional<double> mintavétel;  // samples per second, for a CSV with no time column
    QByteArray időzóna;                // IANA zone of an instrument's clock; empty: Europe/Budapest
    std::optional<int> függőleges;     // the vertical's channel number, where a file numbers them
    std::shared_ptr<const Állomásadatok> állomásadatok; // sensitivities by channel
    // What was given for one station (NET.STA.LOC; "" for a table's columns) alone: it comes
    // before `érzékenység` and `egység`, and never applies to another station.
    QHash<QString, double> állomásÉrzékenység; // counts per mm/s
    QHash<QString, double> állomásEgység;      // mm/s per unit of velocity floats
    // Velocity counts with no sensitivity are kept in counts, marked as waiting for one
    // (ÉrzékenységetAlkalmaz), instead of being a fault: a window asks for the sensitivity
    // without reading the file again.
    bool érzékenységKésőbb = false;
};

// What a reader gives: the records of the input, or the fault that stopped it.
struct Olvasás {
    std::vector<Felvétel> felvételek;
    std::optional<Hiba> hiba;
};

// Gives the channels that wait for a sensitivity (read with érzékenységKésőbb) the one
// `beállítás` has for them, as a reader would have: the samples become mm/s. A fault where
// it has none for a channel. Velocity channels of an unknown unit get the unit `beállítás`
// has for their station (or for every one), and stay unknown where it has none.
std::optional<Hiba> ÉrzékenységetAlkalmaz(Felvétel& felvétel, const Beállítás& beállítás);

// A component's role from its channel code or column name: a SEED channel code ending in
// Z, or a column named Z, V, Vert, Vertical or "függőleges", is vertical.
bool Függőleges(const QString& csatornaKód);
// What a SEED channel measures by its instrument letter (the second of three): H, L, P a
// seismometer or geophone (velocity), N an accelerometer, D a pressure sensor; none for
// the rest (mass position, state of health, logs).
std::optional<Mennyiség> MűszerMennyiség(const QString& csatornaKód);

} // namespace Rezgésjel
