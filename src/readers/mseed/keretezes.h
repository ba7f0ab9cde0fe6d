#pragma once

#include "dekodolas.h"
#include "readers/felvetel.h"
#include "readers/hiba.h"

#include <QByteArray>

#include <variant>
#include <vector>

// Framing the bytes of a miniSEED file into its records: version-2 records where libmseed
// finds them, version-3 records, and a SEED volume's control and header records passed over.
// Bytes between records and a cut last record are faults.
namespace Rezgésjel::Mseed {

// How far libmseed's own file reader steps over bytes that start no record.
inline constexpr qsizetype Lépés = 128;
// The shortest logical record of a SEED volume.
inline constexpr qsizetype LegrövidebbRekord = 256;

// One data record: a version-2 record where it lies in the bytes, decoded only when its
// channel is put together (so that a long record is never held twice); a version-3 record
// decoded.
struct Darab {
    qint64 kezdetMikro = 0;
    double mintavétel = 0;
    bool nyers = false;
    std::size_t mintaszám = 0;
    qsizetype hely = -1; // the version-2 record's offset, or -1
    int hossz = 0;       // its length
    std::vector<double> minták;
};

// A channel's records, in the order of the file.
struct Csatornaadat {
    Csatornakód kód;
    std::vector<Darab> darabok;
};

struct Keretek {
    std::vector<Csatornaadat> csatornák; // in the order they first appear
    bool vezérlő = false;                // a SEED volume's control or header records
    bool adatrekord = false;             // any data record at all
};

// A SEED control or volume header record: a sequence number, then V, A, S or T.
bool VezérlőRekord(QByteArrayView bájtok);

// The records of `bájtok` (which libmseed takes to change); the fault, without the file's
// name, where they are not whole records end to end.
std::variant<Keretek, Hiba> Keretez(QByteArray& bájtok, Dekódoló& dekódoló);

} // namespace Rezgésjel::Mseed
