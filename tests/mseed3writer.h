#pragma once

// miniSEED 3 records of the tests' own, made from the version-2 records that libmseed writes
// of the same samples: the same start, rate, encoding and samples (the plain encodings
// turned little-endian, Steim frames kept big-endian, as the FDSN format has them).
#include "mseedwriter.h"

#include <QtEndian>

// CRC-32C (Castagnoli), bit by bit.
inline quint32 crc32cBitwise(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= uchar(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0x82F63B78u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline QByteArray mseed3(const std::vector<MseedChannel>& channels, int encoding,
                         int recordLength = 512) {
    QByteArray v2 = mseed(channels, encoding, recordLength);
    QByteArray out;
    for (qsizetype at = 0; at + recordLength <= v2.size(); at += recordLength) {
        MSRecord* msr = nullptr;
        msr_parse(v2.data() + at, recordLength, &msr, recordLength, 0, 0);
        const char* record = v2.constData() + at;
        const int offset = qFromBigEndian<quint16>(record + 44);
        const int word = encoding == DE_INT16 ? 2 : encoding == DE_FLOAT64 ? 8 : 4;
        QByteArray payload;
        if (encoding == DE_STEIM1 || encoding == DE_STEIM2) {
            payload = QByteArray(record + offset, recordLength - offset);
        } else {
            for (int64_t i = 0; i < msr->samplecnt; ++i) {
                QByteArray w(record + offset + i * word, word);
                std::reverse(w.begin(), w.end()); // big to little endian
                payload += w;
            }
        }
        BTime t;
        ms_hptime2btime(msr->starttime, &t);
        const QByteArray sid = QByteArray("FDSN:") + msr->network + '_' + msr->station + '_' +
                               msr->location + '_' + msr->channel[0] + '_' + msr->channel[1] + '_' +
                               msr->channel[2];
        QByteArray h(40, '\0');
        h[0] = 'M';
        h[1] = 'S';
        h[2] = 3;
        const hptime_t fraction = msr->starttime % HPTMODULUS;
        qToLittleEndian<quint32>(quint32(fraction * (1000000000 / HPTMODULUS)), h.data() + 4);
        qToLittleEndian<quint16>(t.year, h.data() + 8);
        qToLittleEndian<quint16>(t.day, h.data() + 10);
        h[12] = char(t.hour);
        h[13] = char(t.min);
        h[14] = char(t.sec);
        h[15] = char(encoding);
        qToLittleEndian<double>(msr->samprate, h.data() + 16);
        qToLittleEndian<quint32>(quint32(msr->samplecnt), h.data() + 24);
        h[32] = 1;
        h[33] = char(sid.size());
        qToLittleEndian<quint32>(quint32(payload.size()), h.data() + 36);
        QByteArray r = h + sid + payload;
        qToLittleEndian<quint32>(crc32cBitwise(r), r.data() + 28);
        out += r;
        msr_free(&msr);
    }
    return out;
}
