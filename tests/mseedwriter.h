#pragma once

// miniSEED written by libmseed itself, as a recorder or a seismology tool writes it.
#include <QByteArray>
#include <QString>

#include <libmseed.h>

#include <cstring>
#include <vector>

struct MseedChannel {
    const char* channel;         // "HHZ"
    std::vector<double> samples; // written as the encoding's type
    double rate = 200;
    hptime_t start = ms_time2hptime(2026, 342, 10, 0, 0, 0);
    const char* station = "BUD1";
    const char* location = "00";
};

inline void appendRecord(char* record, int length, void* data) {
    static_cast<QByteArray*>(data)->append(record, length);
}

// Records of `recordLength` bytes in the encoding: DE_STEIM1, DE_STEIM2, DE_INT16, DE_INT32
// (samples rounded), DE_FLOAT32, DE_FLOAT64.
inline QByteArray mseed(const std::vector<MseedChannel>& channels, int encoding,
                        int recordLength = 512) {
    QByteArray bytes;
    for (const MseedChannel& c : channels) {
        MSRecord* msr = msr_init(nullptr);
        std::strcpy(msr->network, "HU");
        std::strcpy(msr->station, c.station);
        std::strcpy(msr->location, c.location);
        std::strcpy(msr->channel, c.channel);
        msr->dataquality = 'D';
        msr->starttime = c.start;
        msr->samprate = c.rate;
        msr->reclen = recordLength;
        msr->encoding = int8_t(encoding);
        msr->byteorder = 1;
        std::vector<int32_t> ints;
        std::vector<int16_t> shorts;
        std::vector<float> floats;
        std::vector<double> doubles;
        switch (encoding) {
        case DE_FLOAT32:
            floats.assign(c.samples.begin(), c.samples.end());
            msr->datasamples = floats.data();
            msr->sampletype = 'f';
            break;
        case DE_FLOAT64:
            doubles = c.samples;
            msr->datasamples = doubles.data();
            msr->sampletype = 'd';
            break;
        default:
            for (const double s : c.samples)
                ints.push_back(int32_t(std::lround(s)));
            msr->datasamples = ints.data();
            msr->sampletype = 'i';
            break;
        }
        msr->numsamples = int64_t(c.samples.size());
        int64_t packed = 0;
        msr_pack(msr, appendRecord, &bytes, &packed, 1, 0);
        msr->datasamples = nullptr;
        msr_free(&msr);
    }
    return bytes;
}
