#include "dekodolas.h"

#include <QtEndian>

#include <cstring>

namespace Rezgésjel::Mseed {

namespace {

std::vector<double> mintákból(const MSRecord* msr) {
    return Mintatípussal(msr, [](const auto* minták, std::size_t n) {
        return std::vector<double>(minták, minták + n);
    });
}

} // namespace

bool CountKódolás(int kódolás) {
    return kódolás != DE_FLOAT32 && kódolás != DE_FLOAT64;
}

Dekódoló::~Dekódoló() {
    msr_free(&msr_);
}

int Dekódoló::Rekord(char* adat, int hossz, int rekordHossz, bool mintákkal, QString* miért) {
    jel_ = üzenetek_.Jel();
    const int állapot = msr_parse(adat, hossz, &msr_, rekordHossz, mintákkal ? 1 : 0, 0);
    if (miért && állapot != MS_NOERROR)
        *miért = üzenetek_.Szöveg(állapot, jel_);
    return állapot;
}

bool Dekódoló::Elfér() const {
    int bájt;
    switch (msr_->encoding) {
    case DE_ASCII:
        bájt = 1;
        break;
    case DE_INT16:
    case DE_GEOSCOPE163:
    case DE_GEOSCOPE164:
    case DE_CDSN:
    case DE_SRO:
    case DE_DWWSSN:
        bájt = 2;
        break;
    case DE_GEOSCOPE24:
        bájt = 3;
        break;
    case DE_INT32:
    case DE_FLOAT32:
        bájt = 4;
        break;
    case DE_FLOAT64:
        bájt = 8;
        break;
    default:
        return true;
    }
    if (!msr_->fsdh || msr_->samplecnt < 0)
        return false;
    const int64_t hely = msr_->reclen - int64_t(msr_->fsdh->data_offset);
    return msr_->samplecnt * bájt <= hely;
}

std::optional<std::vector<double>> Dekódoló::Mseed3Minták(const Mseed3::Rekord& r, QString* miért) {
    const qsizetype n = r.mintaszám;
    // the plain encodings: little-endian words of a fixed size
    auto olvas = [&](auto minta) -> std::optional<std::vector<double>> {
        using T = decltype(minta);
        if (r.adat.size() < n * qsizetype(sizeof(T))) {
            *miért = QStringLiteral("a miniSEED 3 rekord adatai rövidebbek a mintaszámnál");
            return std::nullopt;
        }
        std::vector<double> v(static_cast<std::size_t>(n));
        for (qsizetype i = 0; i < n; ++i)
            v[std::size_t(i)] = double(qFromLittleEndian<T>(r.adat.data() + sizeof(T) * i));
        return v;
    };
    switch (r.kódolás) {
    case DE_INT16:
        return olvas(qint16());
    case DE_INT32:
        return olvas(qint32());
    case DE_FLOAT32:
        return olvas(float());
    case DE_FLOAT64:
        return olvas(double());
    default:
        break;
    }
    if (n > 65535) {
        *miért = QStringLiteral("túl sok minta egy miniSEED 3 rekordban (%1)").arg(n);
        return std::nullopt;
    }
    qsizetype hossz = 128;
    while (hossz < 64 + r.adat.size())
        hossz <<= 1;
    if (hossz > MAXRECLEN) {
        *miért = QStringLiteral("túl hosszú miniSEED 3 rekord");
        return std::nullopt;
    }
    QByteArray b(hossz, '\0');
    std::memcpy(b.data(), "000001D WRAP   HHZXX", 20);
    qToBigEndian<quint16>(2000, b.data() + 20); // the time is the version-3 header's
    qToBigEndian<quint16>(1, b.data() + 22);
    qToBigEndian<quint16>(quint16(n), b.data() + 30);
    qToBigEndian<qint16>(1, b.data() + 32);
    qToBigEndian<qint16>(1, b.data() + 34);
    b[39] = 1; // one blockette
    qToBigEndian<quint16>(64, b.data() + 44);
    qToBigEndian<quint16>(48, b.data() + 46);
    qToBigEndian<quint16>(1000, b.data() + 48);
    b[52] = char(r.kódolás);
    b[53] = 1; // big endian, as compressed frames are
    int kitevő = 0;
    while ((qsizetype(1) << kitevő) < hossz)
        ++kitevő;
    b[54] = char(kitevő);
    std::memcpy(b.data() + 64, r.adat.data(), std::size_t(r.adat.size()));
    const int állapot = Rekord(b.data(), int(hossz), int(hossz), true, nullptr);
    if (állapot != MS_NOERROR || msr_->numsamples != n) {
        *miért = QStringLiteral("a miniSEED 3 rekord mintái nem olvashatók (%1)")
                     .arg(üzenetek_.Szöveg(állapot, jel_));
        return std::nullopt;
    }
    return mintákból(msr_);
}

} // namespace Rezgésjel::Mseed
