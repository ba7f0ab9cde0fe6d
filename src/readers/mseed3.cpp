#include "mseed3.h"

#include <QDateTime>
#include <QtEndian>

#include <array>
#include <cmath>
#include <cstring>

namespace Rezgésjel::Mseed3 {

namespace {

template <class T> T le(QByteArrayView b, qsizetype hol) {
    return qFromLittleEndian<T>(b.data() + hol);
}

constexpr std::array<quint32, 256> crcTábla() {
    std::array<quint32, 256> t{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? (c >> 1) ^ 0x82F63B78u : c >> 1;
        t[i] = c;
    }
    return t;
}

} // namespace

bool Kezdődik(QByteArrayView b) {
    return b.size() >= FejHossz && b[0] == 'M' && b[1] == 'S' && b[2] == 3;
}

quint32 Crc32c(QByteArrayView bájtok, quint32 crc) {
    static constexpr std::array<quint32, 256> tábla = crcTábla();
    crc = ~crc;
    for (const char c : bájtok)
        crc = tábla[(crc ^ uchar(c)) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::optional<Csatornakód> Azonosító(QStringView sid) {
    if (!sid.startsWith(u"FDSN:"))
        return std::nullopt;
    const QList<QStringView> r = sid.mid(5).split(u'_');
    if (r.size() != 6 || r[1].isEmpty())
        return std::nullopt;
    Csatornakód k;
    k.hálózat = r[0].toString();
    k.állomás = r[1].toString();
    k.hely = r[2].toString();
    const bool egybetűs = r[3].size() == 1 && r[4].size() == 1 && r[5].size() == 1;
    for (int i = 3; i < 6; ++i) {
        if (i > 3 && !egybetűs)
            k.csatorna += u'_';
        k.csatorna += r[i];
    }
    k.seed = true;
    return k;
}

namespace {

Hiba hiba(Hiba::Fajta fajta, QString részlet) {
    Hiba h;
    h.fajta = fajta;
    h.részlet = std::move(részlet);
    return h;
}

} // namespace

std::variant<Rekord, Hiba> Fejléc(QByteArrayView b) {
    using F = Hiba::Fajta;
    if (!Kezdődik(b))
        return hiba(F::HibásRekord, QStringLiteral("nem miniSEED 3 rekord"));
    Rekord r;
    const quint8 sidHossz = le<quint8>(b, 33);
    const quint16 extraHossz = le<quint16>(b, 34);
    const quint32 adatHossz = le<quint32>(b, 36);
    r.hossz = FejHossz + sidHossz + extraHossz + qsizetype(adatHossz);
    if (r.hossz > b.size())
        return hiba(F::Csonka, QStringLiteral("csonka miniSEED 3 rekord (%1 bájt kellene, %2 van)")
                                   .arg(r.hossz)
                                   .arg(b.size()));
    // the CRC over the record with its own field as zeros
    const quint32 crc = le<quint32>(b, 28);
    quint32 számolt = Crc32c(b.first(28));
    számolt = Crc32c(QByteArrayView("\0\0\0\0", 4), számolt);
    számolt = Crc32c(b.sliced(32, r.hossz - 32), számolt);
    if (crc != számolt)
        return hiba(F::Crc, QStringLiteral("hibás CRC a miniSEED 3 rekordban"));
    const QString sid = QString::fromUtf8(b.sliced(FejHossz, sidHossz));
    const std::optional<Csatornakód> kód = Azonosító(sid);
    if (!kód)
        return hiba(F::HibásRekord, QStringLiteral("ismeretlen forrásazonosító: \"%1\"").arg(sid));
    r.kód = *kód;
    const quint32 nano = le<quint32>(b, 4);
    const int év = le<quint16>(b, 8), nap = le<quint16>(b, 10);
    const int óra = le<quint8>(b, 12), perc = le<quint8>(b, 13), mp = le<quint8>(b, 14);
    if (év < 1 || év > 9999 || nap < 1 || nap > 366 || óra > 23 || perc > 59 || mp > 60 ||
        nano >= 1000000000u)
        return hiba(F::HibásRekord, QStringLiteral("hibás kezdőidő a miniSEED 3 rekordban"));
    const QDateTime nulla(QDate(év, 1, 1).addDays(nap - 1), QTime(0, 0), Qt::UTC);
    r.kezdetMikro =
        (nulla.toSecsSinceEpoch() + óra * 3600 + perc * 60 + mp) * 1000000 + qint64(nano / 1000);
    const double ráta = le<double>(b, 16);
    r.mintavétel = ráta < 0 ? -1.0 / ráta : ráta;
    r.kódolás = le<quint8>(b, 15);
    r.mintaszám = le<quint32>(b, 24);
    r.adat = b.sliced(FejHossz + sidHossz + extraHossz, adatHossz);
    return r;
}

} // namespace Rezgésjel::Mseed3
