#pragma once

#include "hiba.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringDecoder>

#include <optional>
#include <variant>

// A text file as spreadsheets and instruments save it, read in blocks and handed on as
// UTF-8: UTF-8 with or without a byte order mark, UTF-16 (little or big endian) with
// one, and Windows-1250, the Hungarian Windows code page, where the bytes are not UTF-8.
// Standard input ("-") is read once; a regular file can be read again from its start.
namespace Szöveg {

enum class Kódolás { Utf8, Utf8Bom, Utf16LE, Utf16BE, Windows1250 };

// The name of an encoding as a message or the help gives it.
QString KódolásNeve(Kódolás kódolás);

// Opens a file for reading; on failure the fault (no such file, a folder, or the system's
// own words). `szabályos` tells whether it is a regular file (one that can be read again
// from its start).
std::optional<Hiba> FájlMegnyit(const QString& fájl, QFile& be, QIODevice::OpenMode mód,
                                bool* szabályos = nullptr);

// Checks that bytes are UTF-8 (RFC 3629: no overlong forms, no surrogates, nothing above
// U+10FFFF), a block at a time: a sequence may be split between blocks.
class Utf8Ellenőr {
public:
    bool ellenőriz(const char* p, qsizetype n);
    // At the end of the input: no sequence left unfinished.
    bool lezárt() const { return függő_.isEmpty(); }

private:
    QByteArray függő_; // the start of a sequence that the last block cut
};

class Forrás {
public:
    Forrás() = default;
    Forrás(const Forrás&) = delete;
    Forrás& operator=(const Forrás&) = delete;

    // Opens the file, or standard input for "-"; on failure the fault.
    std::optional<Hiba> megnyit(const QString& fájl);
    // Reads from an already open device (tests, in-process callers).
    void megnyit(QIODevice* eszköz, bool újraolvasható);

    // Appends the next block of text, as UTF-8, to `cél`. False at the end of the input
    // or on a fault (hiba() then says what).
    bool olvas(QByteArray& cél);
    const std::optional<Hiba>& hiba() const { return hiba_; }

    // Whether the input can be read again from its start (a regular file).
    bool újraolvasható() const { return újraolvasható_; }
    // Back to the start, keeping the encoding found so far (or the one given).
    bool elölről(std::optional<Kódolás> kódolás = std::nullopt);
    // After a read that failed on bytes that are not UTF-8: back to the start to read the
    // input again as Windows-1250. False where that cannot help.
    bool kódlapraVált();

    // The encoding: from the byte order mark; otherwise UTF-8 until bytes that are not
    // UTF-8 show up. In a regular file these make olvas() fail with
    // nemUtf8() set, and the caller reads again from the start as Windows-1250; in a
    // stream they decide the encoding only within the first block.
    Kódolás kódolás() const { return kódolás_; }
    bool nemUtf8() const { return nemUtf8_; }

    static constexpr qint64 Blokk = 1 << 20;

private:
    bool nyersOlvas(QByteArray& cél);
    // `ellenőrzött`: UTF-8 already checked.
    bool dekódol(const QByteArray& nyers, QByteArray& cél, bool ellenőrzött = false);

    QFile fájl_;
    QIODevice* eszköz_ = nullptr;
    bool újraolvasható_ = false;
    bool első_ = true;
    bool nemUtf8_ = false;
    bool rögzített_ = false; // the encoding was given: no guessing
    Kódolás kódolás_ = Kódolás::Utf8;
    std::optional<QStringDecoder> dekóder_;
    Utf8Ellenőr utf8_;
    QByteArray nyers_;
    std::optional<Hiba> hiba_;
    void hibás(Hiba::Fajta fajta, QString részlet);
};

// Text in the encoding of an input, for writing it back the way it came: the byte order
// mark first where the input had one.
class Kódoló {
public:
    explicit Kódoló(Kódolás kódolás);
    // The bytes that start the output: the byte order mark or nothing.
    QByteArray eleje() const;
    // UTF-8 text in the output's encoding, appended to `cél`.
    void kódol(QByteArrayView utf8, QByteArray& cél);
    // Whether the text changes on the way (any encoding but UTF-8).
    bool átalakít() const { return kódoló_.has_value(); }

private:
    Kódolás kódolás_;
    std::optional<QStringEncoder> kódoló_;
};

// Bytes in memory read by `olvas` (a reader of a Forrás giving a variant with a Hiba): as
// UTF-8 first, then, where that failed on bytes that are not UTF-8, as Windows-1250.
template <class Olvasó> auto BájtokbólOlvas(const QByteArray& bájtok, Olvasó olvas) {
    QByteArray másolat = bájtok;
    QBuffer puffer(&másolat);
    puffer.open(QIODevice::ReadOnly);
    Forrás forrás;
    forrás.megnyit(&puffer, true);
    auto o = olvas(forrás);
    if (std::holds_alternative<Hiba>(o) && forrás.kódlapraVált())
        o = olvas(forrás);
    return o;
}

} // namespace Szöveg
