#pragma once

#include "felvetel.h"

#include <QByteArrayView>

// miniSEED 3 (FDSN, 2023): a 40-byte little-endian fixed header, the FDSN source
// identifier, extra headers, then the samples in the encodings of miniSEED 2. Read by hand,
// as the system's libmseed knows version 2 only.
namespace Rezgésjel::Mseed3 {

inline constexpr qsizetype FejHossz = 40;

// Whether a version-3 record starts here.
bool Kezdődik(QByteArrayView bájtok);

struct Rekord {
    qsizetype hossz = 0; // bytes, the whole record
    Csatornakód kód;
    qint64 kezdetMikro = 0;
    double mintavétel = 0;
    quint8 kódolás = 0;
    quint32 mintaszám = 0;
    QByteArrayView adat; // the encoded samples
};

// The record's header, its identifier and its place; the fault (HibásRekord, Csonka, Crc,
// without its place) where the header does not hold together or its CRC is wrong.
std::variant<Rekord, Hiba> Fejléc(QByteArrayView bájtok);

// "FDSN:HU_KOV1_00_H_H_Z" -> HU, KOV1, 00, HHZ; none for anything else.
std::optional<Csatornakód> Azonosító(QStringView sid);

// CRC-32C (Castagnoli), as the record's CRC field holds it.
quint32 Crc32c(QByteArrayView bájtok, quint32 crc = 0);

} // namespace Rezgésjel::Mseed3
