#pragma once

#include <QString>

#include <optional>

// What stopped reading an input: the one kind of fault of every reader and of the log
// evaluation. It says what went wrong, where, and what was found; the remedy (which
// option or control to set) is phrased by the program's door that shows it.
struct Hiba {
    enum class Fajta {
        NincsFájl,            // no such file
        Mappa,                // a folder, not a file
        NemOlvasható,         // the system refused it (részlet: its words)
        IsmeretlenFormátum,   // neither a record format nor text
        NemSzöveg,            // text was wanted: binary data, or bytes not of its encoding
        Csonka,               // a record cut short, or bytes after the last whole record
        RekordokKözött,       // bytes between records that start no record (bájt)
        HibásRekord,          // a record that does not hold together (bájt, részlet)
        Crc,                  // a record whose checksum does not match (bájt)
        Hézag,                // a gap between a channel's records (időMikro)
        Átfedés,              // records that overlap (időMikro)
        MintavételEltér,      // a channel's records differ in their rate
        NemVégesMinta,        // a sample that is no finite number
        NincsHullámforma,     // no waveform: no data record, or no channel that measures motion
        HibásFejléc,          // a header that does not hold together (TIMESERIES, a table's)
        NincsFejlécsor,       // no header row that names the columns wanted
        OszlopKétszer,        // a column named twice
        MezőszámEltér,        // a row with another count of fields than the header's
        NemSzám,              // a cell or value that is no number (or no allowed one)
        IsmeretlenEgység,     // a unit the program does not know
        IsmeretlenKulcs,      // a key the particulars do not have
        Tartalom,             // anything else not as its format wants (részlet: what was found)
        ÉrzékenységKell,      // integer counts, and no sensitivity was given
        EgységKell,           // velocity samples whose unit nothing states (asked for)
        EgységEllentmond,     // the file names another unit than the one given
        MintavételKell,       // no time column, and no sample rate was given
        MintavételEllentmond, // the time column gives another rate than the one given
        Írás,                 // the output could not be written
    };
    Fajta fajta = Fajta::Tartalom;
    QString fájl;                   // the input as the user named it
    QString csatorna;               // the channel or column at fault, if one is
    QString állomás;                // its station (NET.STA.LOC), where the file names one
    qint64 sor = 0;                 // the line, from 1; 0: no line
    int oszlop = 0;                 // the column, from 1; 0: no column
    QString oszlopNév;              // the column's role ("frekvencia")
    std::optional<qint64> időMikro; // the time at fault, µs since 1970 UTC
    qint64 bájt = -1;               // the offset of the record at fault, from 0
    QString részlet;                // what was found, without the remedy
};

// A file that could not be written: `fájl` (or "kimenet", the output), and why, if known.
Hiba ÍrásiHiba(const QString& fájl, const QString& miért = {});

// The sentence that follows a fault to say how to mend it, with the mark that joins it on
// (", …" or ": …"); or nothing.
using Orvoslás = QString (*)(Hiba::Fajta);

// The fault in words, without the file: "12. sor: Z: nem szám: \"x\"",
// "HU.KOV1.00.HHZ: hézag a felvételben 2026-12-04T09:41:12.250000 körül". The one place
// where a fault's code becomes words; its remedy is the door's.
QString Leírás(const Hiba& hiba, Orvoslás orvoslás);

// A time as the messages give it: 2026-12-04T09:41:12.250000 (UTC).
QString MikroIdő(qint64 mikro);
