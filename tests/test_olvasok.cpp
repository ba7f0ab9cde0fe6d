// The record readers on bytes, as the program's doors hand them over: the format told from
// the bytes, headers that keep what the file says, one kind of fault that says where, and
// start times to the microsecond.
#include "exportwriter.h"
#include "mseed3writer.h"
#include "testfile.h"
#include "testlocale.h"

#ifndef Q_MOC_RUN // moc's parser takes no accented namespace names
#include "readers/idosorolvaso.h"
#include "readers/meresadatok.h"
#include "readers/mseed/osszefuzes.h"
#include "readers/mseed3.h"
#include "readers/osszesito.h"
#include "readers/rezgesjel.h"
#include "readers/robbantasnaplo.h"
#include "readers/stationxml.h"
#endif

#include <QBuffer>
#include <QDateTime>
#include <QFileInfo>
#include <QMap>
#include <QStringEncoder>
#include <QTimeZone>
#include <QtEndian>
#include <QtTest>

#include <cmath>

namespace {

std::vector<MseedChannel> channels(int n) {
    std::vector<MseedChannel> c(3);
    const char* names[] = {"HHZ", "HHN", "HHE"};
    for (int i = 0; i < 3; ++i) {
        c[std::size_t(i)].channel = names[i];
        c[std::size_t(i)].rate = 1000;
        for (int s = 0; s < n; ++s)
            c[std::size_t(i)].samples.push_back(
                std::round(800 * std::sin(0.05 * s + i) * std::exp(-s / 900.0)));
    }
    return c;
}

// Three channels as TIMESERIES blocks, each with its own start time.
QByteArray timeseries(const QList<QByteArray>& starts) {
    QByteArray text;
    const char* names[] = {"HHZ", "HHN", "HHE"};
    for (int c = 0; c < starts.size(); ++c) {
        text += QByteArray("TIMESERIES HU_KOV1_00_") + names[c] + "_D, 6 samples, 1000 sps, " +
                starts[c] + ", SLIST, FLOAT, MM/S\n1 -2 3 -4 5 -6\n";
    }
    return text;
}

// The records of a file cut apart, `recordLength` bytes each.
QList<QByteArray> records(const QByteArray& bytes, int recordLength) {
    QList<QByteArray> r;
    for (qsizetype at = 0; at < bytes.size(); at += recordLength)
        r << bytes.mid(at, recordLength);
    return r;
}

// A SEED control or volume header record: its sequence number, its type, and blanks.
QByteArray control(int sequence, char type, const QByteArray& body, int length = 4096) {
    QByteArray r = QByteArray::number(sequence).rightJustified(6, '0') + type + ' ' + body;
    return r + QByteArray(length - r.size(), ' ');
}

// A SEED 2.4 data record by hand, in an encoding libmseed reads but does not write.
QByteArray handRecord(int encoding, const QList<quint16>& words) {
    QByteArray r(512, '\0');
    std::memcpy(r.data(), "000001D BUD1 00HHZHU", 20);
    qToBigEndian<quint16>(2026, r.data() + 20);
    qToBigEndian<quint16>(342, r.data() + 22);
    qToBigEndian<quint16>(quint16(words.size()), r.data() + 30);
    qToBigEndian<qint16>(100, r.data() + 32);
    qToBigEndian<qint16>(1, r.data() + 34);
    r[39] = 1;
    qToBigEndian<quint16>(64, r.data() + 44);
    qToBigEndian<quint16>(48, r.data() + 46);
    qToBigEndian<quint16>(1000, r.data() + 48);
    r[52] = char(encoding);
    r[53] = 1;
    r[54] = 9;
    for (qsizetype i = 0; i < words.size(); ++i)
        qToBigEndian<quint16>(words[i], r.data() + 64 + 2 * i);
    return r;
}

QByteArray stationXmlText(const QByteArray& channels) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<FDSNStationXML xmlns=\"http://www.fdsn.org/xml/station/1\" schemaVersion=\"1.1\">\n"
           "<Source>test</Source><Network code=\"HU\"><Station code=\"BUD1\">\n" +
           channels + "</Station></Network></FDSNStationXML>\n";
}

QByteArray xmlChannel(const char* code, const char* value, const char* unit,
                      const char* start = "2020-01-01T00:00:00", const char* end = nullptr) {
    return QByteArray("<Channel code=\"") + code + "\" locationCode=\"00\" startDate=\"" + start +
           "\"" + (end ? QByteArray(" endDate=\"") + end + "\"" : QByteArray()) +
           "><Response><InstrumentSensitivity><Value>" + value +
           "</Value><Frequency>10</Frequency><InputUnits><Name>" + unit +
           "</Name></InputUnits><OutputUnits><Name>COUNTS</Name></OutputUnits>"
           "</InstrumentSensitivity></Response></Channel>\n";
}

// The samples of every channel of the first record, by channel name.
QMap<QString, std::vector<double>> samplesOf(const Rezgésjel::Olvasás& o) {
    QMap<QString, std::vector<double>> m;
    if (!o.felvételek.empty())
        for (const Rezgésjel::Csatorna& c : o.felvételek[0].csatornák)
            m[c.kód.név()] = c.minták;
    return m;
}

Rezgésjel::Beállítás counts(double sensitivity = 100) {
    Rezgésjel::Beállítás b;
    b.érzékenység = sensitivity;
    return b;
}

qint64 micro(const char* iso) {
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate).toMSecsSinceEpoch() * 1000;
}

} // namespace

class TestReaders : public QObject {
    Q_OBJECT

private slots:
    // A start time read from its digits, not through Qt's milliseconds.
    void startTimes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("micro"); // -1: not a time
        const qint64 t = micro("2026-12-04T09:41:12Z");
        QTest::newRow(".000600") << QStringLiteral("2026-12-04T09:41:12.000600") << t + 600;
        QTest::newRow(".000400") << QStringLiteral("2026-12-04T09:41:12.000400") << t + 400;
        QTest::newRow(".9996 (no rounding up)")
            << QStringLiteral("2026-12-04T09:41:12.9996Z") << t + 999600;
        QTest::newRow("nine digits")
            << QStringLiteral("2026-12-04T09:41:12.123456789") << t + 123456;
        QTest::newRow("whole second") << QStringLiteral("2026-12-04T09:41:12Z") << t;
        QTest::newRow("a point and nothing")
            << QStringLiteral("2026-12-04T09:41:12.Z") << qint64(-1);
        QTest::newRow("no time") << QStringLiteral("tegnap") << qint64(-1);
    }
    void startTimes() {
        QFETCH(QString, text);
        QFETCH(qint64, micro);
        QCOMPARE(Rezgésjel::KezdetMikro(text).value_or(-1), micro);
    }

    // Channels of one station are one record however their starts differ; each keeps its
    // own start to the microsecond, and the record starts with the earliest.
    void channelsStartingApart_data() {
        QTest::addColumn<QList<QByteArray>>("starts");
        QTest::addColumn<int>("earliest");
        QTest::newRow("200 µs apart")
            << QList<QByteArray>{"2026-12-04T09:41:12.000400", "2026-12-04T09:41:12.000600",
                                 "2026-12-04T09:41:12.000200"}
            << 2;
        QTest::newRow("2.2 s apart")
            << QList<QByteArray>{"2026-12-04T09:41:14.200000", "2026-12-04T09:41:14.200000",
                                 "2026-12-04T09:41:12.000000"}
            << 2;
    }
    void channelsStartingApart() {
        QFETCH(QList<QByteArray>, starts);
        QFETCH(int, earliest);
        const Rezgésjel::Olvasás o =
            Rezgésjel::Olvas(timeseries(starts), QStringLiteral("t.txt"), {});
        QVERIFY(!o.hiba);
        const Rezgésjel::Felvétel& f = o.felvételek.at(0);
        QCOMPARE(*f.kezdetMikro, *Rezgésjel::KezdetMikro(QString::fromLatin1(starts[earliest])));
        for (qsizetype c = 0; c < starts.size(); ++c) {
            QCOMPARE(*f.csatornák[std::size_t(c)].kezdetMikro,
                     *Rezgésjel::KezdetMikro(QString::fromLatin1(starts[c])));
            QCOMPARE(f.csatornák[std::size_t(c)].mintaszám, std::size_t(6));
        }
    }

    // The bytes, a device and the path give the same records, and a header keeps its codes,
    // rate, start and sample count after the samples are let go.
    void bytesDeviceAndPathAgree() {
        const QByteArray bytes = mseed(channels(3000), DE_STEIM2, 512);
        QTemporaryDir dir;
        const QString path = saveFile(dir, QStringLiteral("r.mseed"), bytes);
        Rezgésjel::Beállítás settings;
        settings.érzékenység = 100;
        const Rezgésjel::Olvasás fromBytes = Rezgésjel::Olvas(bytes, path, settings);
        Rezgésjel::Olvasás fromPath = Rezgésjel::FájlOlvas(path, settings);
        QByteArray copy = bytes;
        QBuffer device(&copy);
        device.open(QIODevice::ReadOnly);
        const Rezgésjel::Olvasás fromDevice = Rezgésjel::Olvas(device, path, settings);
        for (const Rezgésjel::Olvasás* o :
             std::initializer_list<const Rezgésjel::Olvasás*>{&fromBytes, &fromPath, &fromDevice}) {
            QVERIFY(!o->hiba);
            QCOMPARE(o->felvételek.size(), std::size_t(1));
            const Rezgésjel::Felvétel& f = o->felvételek[0];
            QCOMPARE(f.fájl, path);
            QCOMPARE(f.állomás, QStringLiteral("HU.BUD1.00"));
            QCOMPARE(f.mintavétel, 1000.0);
            QCOMPARE(f.mintaszám, std::size_t(3000));
            QCOMPARE(f.csatornák.size(), std::size_t(3));
            for (std::size_t c = 0; c < 3; ++c) {
                QCOMPARE(f.csatornák[c].minták, fromBytes.felvételek[0].csatornák[c].minták);
                QCOMPARE(f.csatornák[c].kód.hálózat, QStringLiteral("HU"));
                QCOMPARE(f.csatornák[c].kód.hely, QStringLiteral("00"));
            }
            QCOMPARE(f.csatornák[1].kód.név(), QStringLiteral("HU.BUD1.00.HHN"));
            QVERIFY(f.csatornák[0].függőleges && !f.csatornák[2].függőleges);
        }
        Rezgésjel::Felvétel& f = fromPath.felvételek[0];
        const qint64 start = *f.kezdetMikro;
        f.mintákElenged();
        QCOMPARE(f.mintaszám, std::size_t(3000));
        QCOMPARE(*f.kezdetMikro, start);
        QVERIFY(f.csatornák[0].minták.empty());
    }

    // One kind of fault, saying where: the file always, then the line, the channel or the
    // time that apply, and its kind where a setting would mend it.
    void faultsSayWhere_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kind");
        QTest::addColumn<qint64>("line");
        QTest::addColumn<QString>("channel");
        QTest::addColumn<bool>("time");
        const QByteArray records = mseed(channels(3000), DE_STEIM2, 512);
        QTest::newRow("counts, no sensitivity")
            << records << int(Hiba::Fajta::ÉrzékenységKell) << qint64(0)
            << QStringLiteral("HU.BUD1.00.HHZ") << false;
        QTest::newRow("a record cut")
            << records.left(records.size() - 100) << int(Hiba::Fajta::Csonka) << qint64(0)
            << QString() << false;
        QTest::newRow("a record twice")
            << records.left(512 * 2) + records.mid(512) << int(Hiba::Fajta::Átfedés) << qint64(0)
            << QStringLiteral("HU.BUD1.00.HHZ") << true;
        QTest::newRow("bytes after the last record")
            << records + QByteArray(512, 'x') << int(Hiba::Fajta::Csonka) << qint64(0) << QString()
            << false;
        QTest::newRow("bytes between records")
            << records.left(512) + QByteArray(128, 'x') + records.mid(512)
            << int(Hiba::Fajta::RekordokKözött) << qint64(0) << QString() << false;
        QTest::newRow("not a number")
            << QByteArray("idő;Z [mm/s]\n0;1\n0,001;x\n0,002;2\n") << int(Hiba::Fajta::NemSzám)
            << qint64(3) << QStringLiteral("Z") << false;
        QTest::newRow("an unknown unit")
            << QByteArray("t;Z [furlong/s]\n0;1\n0,01;2\n0,02;3\n")
            << int(Hiba::Fajta::IsmeretlenEgység) << qint64(1) << QStringLiteral("Z") << false;
        QTest::newRow("a row short of fields")
            << QByteArray("t;Z;N\n0;1;2\n0,01;2\n0,02;3;4\n") << int(Hiba::Fajta::MezőszámEltér)
            << qint64(3) << QString() << false;
        QTest::newRow("no time column")
            << QByteArray("Z;N\n1;2\n3;4\n5;6\n") << int(Hiba::Fajta::MintavételKell) << qint64(0)
            << QString() << false;
        QTest::newRow("a unit against the one given")
            << QByteArray("t;Z [m/s]\n0;1\n0,01;2\n0,02;3\n") << int(Hiba::Fajta::EgységEllentmond)
            << qint64(0) << QStringLiteral("Z") << false;
        QTest::newRow("a sample beyond the doubles once in mm/s")
            << QByteArray("t;Z [in/s]\n0;1\n0,01;1e308\n0,02;3\n")
            << int(Hiba::Fajta::NemVégesMinta) << qint64(0) << QStringLiteral("Z") << false;
    }
    void faultsSayWhere() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, kind);
        QFETCH(qint64, line);
        QFETCH(QString, channel);
        QFETCH(bool, time);
        Rezgésjel::Beállítás settings;
        if (kind == int(Hiba::Fajta::EgységEllentmond))
            settings.egység = 1; // mm/s
        const Rezgésjel::Olvasás o = Rezgésjel::Olvas(bytes, QStringLiteral("be.dat"), settings);
        QVERIFY(o.hiba);
        QVERIFY(o.felvételek.empty());
        QCOMPARE(o.hiba->fájl, QStringLiteral("be.dat"));
        QCOMPARE(int(o.hiba->fajta), kind);
        QCOMPARE(o.hiba->sor, line);
        QCOMPARE(o.hiba->csatorna, channel);
        QCOMPARE(o.hiba->időMikro.has_value(), time);
        const QString words = Leírás(*o.hiba, nullptr);
        QVERIFY(!words.contains(QStringLiteral("--")));
        if (time)
            QVERIFY2(words.contains(MikroIdő(*o.hiba->időMikro)), qPrintable(words));
    }

    // Records join where the one before ends, within half a sample interval, at a rate within
    // a ten-thousandth of the first's; beyond that a gap, an overlap, or rates that differ.
    void joiningTolerances_data() {
        QTest::addColumn<double>("offset"); // sample intervals off the first record's end
        QTest::addColumn<double>("rate");   // the second record's rate, as a share of the first's
        QTest::addColumn<int>("kind");      // the fault, or -1: joined
        QTest::addColumn<int>("segments");  // continuous segments, where joined
        QTest::newRow("on time") << 0.0 << 1.0 << -1 << 1;
        QTest::newRow("0,4 late") << 0.4 << 1.0 << -1 << 1;
        QTest::newRow("0,4 early") << -0.4 << 1.0 << -1 << 1;
        QTest::newRow("0,6 late: a gap") << 0.6 << 1.0 << -1 << 2;
        QTest::newRow("0,6 early") << -0.6 << 1.0 << int(Hiba::Fajta::Átfedés) << 0;
        QTest::newRow("rate 0,5e-4 off") << 0.0 << 1.00005 << -1 << 1;
        QTest::newRow("rate 2e-4 off") << 0.0 << 1.0002 << int(Hiba::Fajta::MintavételEltér) << 0;
    }
    void joiningTolerances() {
        QFETCH(double, offset);
        QFETCH(double, rate);
        QFETCH(int, kind);
        QFETCH(int, segments);
        Rezgésjel::Mseed::Csatornaadat cs;
        cs.kód = {QStringLiteral("HU"), QStringLiteral("BUD1"), QStringLiteral("00"),
                  QStringLiteral("HHZ"), true};
        const qint64 start = 1'764'000'000'000'000; // µs
        // the later record first: they are put in time order
        cs.darabok.push_back({start + 100'000 + qint64(std::llround(offset * 1000)),
                              1000 * rate,
                              true,
                              100,
                              -1,
                              0,
                              {}});
        cs.darabok.push_back({start, 1000, true, 100, -1, 0, {}});
        std::vector<std::size_t> starts;
        const std::optional<Hiba> h = Rezgésjel::Mseed::Összefűz(cs, starts);
        QCOMPARE(h ? int(h->fajta) : -1, kind);
        if (!h)
            QCOMPARE(int(starts.size()) + 1, segments);
        QCOMPARE(cs.darabok.front().kezdetMikro, start);
        if (h) {
            QCOMPARE(h->csatorna, QStringLiteral("HU.BUD1.00.HHZ"));
            if (kind != int(Hiba::Fajta::MintavételEltér)) // the last sample before it
                QCOMPARE(*h->időMikro, start + 99'000);
        }
    }

    // Records of a channel in any order are joined by their times; what is still missing
    // after that is a gap, which splits the station's record into continuous segments.
    void recordsInAnyOrder_data() {
        QTest::addColumn<QList<int>>("order"); // of the record indices; -1: left out
        QTest::addColumn<bool>("whole");
        QTest::newRow("as written") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8} << true;
        QTest::newRow("reversed") << QList<int>{8, 7, 6, 5, 4, 3, 2, 1, 0} << true;
        QTest::newRow("cat b a") << QList<int>{5, 6, 7, 8, 0, 1, 2, 3, 4} << true;
        QTest::newRow("shuffled") << QList<int>{4, 0, 8, 2, 6, 1, 7, 3, 5} << true;
        QTest::newRow("one twice") << QList<int>{0, 1, 2, 1, 3, 4, 5, 6, 7, 8} << false;
    }
    void recordsInAnyOrder() {
        QFETCH(QList<int>, order);
        QFETCH(bool, whole);
        const QByteArray bytes = mseed(channels(1200), DE_STEIM2, 512);
        const QList<QByteArray> r = records(bytes, 512);
        QCOMPARE(r.size(), qsizetype(9)); // three records a channel
        QByteArray joined;
        for (const int i : order)
            joined += r[i];
        const auto expected = samplesOf(Rezgésjel::Olvas(bytes, QStringLiteral("a"), counts()));
        const Rezgésjel::Olvasás o = Rezgésjel::Olvas(joined, QStringLiteral("b"), counts());
        QCOMPARE(!o.hiba, whole);
        if (whole)
            QCOMPARE(samplesOf(o), expected);
        else
            QVERIFY2(o.hiba->időMikro && !o.hiba->csatorna.isEmpty(), qPrintable(o.hiba->részlet));
    }

    // A record missing from the middle of a channel: two continuous segments, each its own
    // record with its span, their samples those of the whole less the missing record's;
    // never one trace joined over the gap.
    void gapsSplitIntoSegments() {
        const QByteArray bytes = mseed(channels(1200), DE_STEIM2, 512);
        const QList<QByteArray> r = records(bytes, 512);
        const auto whole = Rezgésjel::Olvas(bytes, QStringLiteral("a"), counts());
        QByteArray gapped;
        for (int i = 0; i < r.size(); ++i)
            if (i != 1) // the first channel's middle record
                gapped += r[i];
        const Rezgésjel::Olvasás o = Rezgésjel::Olvas(gapped, QStringLiteral("g"), counts());
        QVERIFY2(!o.hiba, qPrintable(o.hiba ? o.hiba->részlet : QString()));
        QCOMPARE(o.felvételek.size(), std::size_t(2));
        const Rezgésjel::Felvétel& first = o.felvételek[0];
        const Rezgésjel::Felvétel& second = o.felvételek[1];
        QCOMPARE(first.szakaszNév(), QStringLiteral("1/2. folytonos szakasz"));
        QCOMPARE(second.szakaszNév(), QStringLiteral("2/2. folytonos szakasz"));
        QCOMPARE(first.csatornák.size(), std::size_t(3)); // the gap is in one channel only
        QCOMPARE(second.csatornák.size(), std::size_t(1));
        const Rezgésjel::Csatorna& full = whole.felvételek[0].csatornák[0];
        const Rezgésjel::Csatorna& before = first.csatornák[0];
        const Rezgésjel::Csatorna& after = second.csatornák[0];
        QCOMPARE(after.kód.név(), full.kód.név());
        // the segments' samples are the whole's, the missing record's left out
        const std::size_t missing = full.minták.size() - before.minták.size() - after.minták.size();
        QVERIFY(missing > 0);
        QVERIFY(std::equal(before.minták.begin(), before.minták.end(), full.minták.begin()));
        QVERIFY(std::equal(after.minták.begin(), after.minták.end(),
                           full.minták.end() - std::ptrdiff_t(after.minták.size())));
        // the second starts where the samples resume, not where the first ends
        const qint64 step = std::llround(1e6 / full.mintavétel);
        QCOMPARE(*after.kezdetMikro,
                 *full.kezdetMikro + qint64(before.minták.size() + missing) * step);
    }

    // A SEED volume: control and header records wherever they sit are passed over; a volume
    // with no data record says what it is.
    void seedVolumes() {
        const QByteArray data = mseed(channels(3000), DE_STEIM2, 4096);
        const QByteArray volume = control(1, 'V', "010003702.412~2026,342~~Velorix~");
        const QByteArray abbreviations = control(2, 'A', "0300045Steim2 Integer Compression~");
        const QByteArray station = control(3, 'S', "0500070BUD1 +47.5+19.0~");
        const auto expected = samplesOf(Rezgésjel::Olvas(data, QStringLiteral("d"), counts()));
        const QList<QByteArray> r = records(data, 4096);
        QByteArray full =
            volume + abbreviations + station + r[0] + control(9, 'T', "070") + r.mid(1).join();
        const Rezgésjel::Olvasás o = Rezgésjel::Olvas(full, QStringLiteral("v.seed"), counts());
        QVERIFY2(!o.hiba, qPrintable(o.hiba ? o.hiba->részlet : QString()));
        QCOMPARE(samplesOf(o), expected);
        // the same with the volume's own record length unknown (no blockette 010)
        const Rezgésjel::Olvasás short_ = Rezgésjel::Olvas(
            control(1, 'S', "0500070BUD1~", 256) + data, QStringLiteral("s.seed"), counts());
        QCOMPARE(samplesOf(short_), expected);
        // a dataless volume, padded with blank records as volumes are
        const QByteArray blank =
            QByteArray::number(4).rightJustified(6, '0') + QByteArray(4090, ' ');
        const Rezgésjel::Olvasás dataless = Rezgésjel::Olvas(
            volume + abbreviations + station + blank, QStringLiteral("dataless.seed"), counts());
        QVERIFY(dataless.hiba);
        QCOMPARE(dataless.hiba->fajta, Hiba::Fajta::NincsHullámforma);
        QVERIFY2(
            dataless.hiba->részlet.startsWith(QStringLiteral("nincs benne rezgésjel (SEED-kötet")),
            qPrintable(dataless.hiba->részlet));
        // data records padded with a blank one of their length (the field data's "noise
        // record"): the samples, never called cut
        const QByteArray padded = data + QByteArray("000099") + QByteArray(4090, ' ');
        QCOMPARE(samplesOf(Rezgésjel::Olvas(padded, QStringLiteral("p.mseed"), counts())),
                 expected);
    }

    // miniSEED 3 gives what version 2 of the same samples gives, in every encoding.
    void miniSeed3_data() {
        QTest::addColumn<int>("encoding");
        QTest::newRow("INT16") << int(DE_INT16);
        QTest::newRow("INT32") << int(DE_INT32);
        QTest::newRow("FLOAT32") << int(DE_FLOAT32);
        QTest::newRow("FLOAT64") << int(DE_FLOAT64);
        QTest::newRow("Steim-1") << int(DE_STEIM1);
        QTest::newRow("Steim-2") << int(DE_STEIM2);
    }
    void miniSeed3() {
        QFETCH(int, encoding);
        const auto c = channels(2500);
        const Rezgésjel::Beállítás b = counts();
        const Rezgésjel::Olvasás v2 = Rezgésjel::Olvas(mseed(c, encoding), QStringLiteral("2"), b);
        const Rezgésjel::Olvasás v3 = Rezgésjel::Olvas(mseed3(c, encoding), QStringLiteral("3"), b);
        QVERIFY2(!v3.hiba, qPrintable(v3.hiba ? v3.hiba->részlet : QString()));
        QCOMPARE(samplesOf(v3), samplesOf(v2));
        const Rezgésjel::Felvétel& f = v3.felvételek[0];
        QCOMPARE(f.kezdetMikro, v2.felvételek[0].kezdetMikro);
        QCOMPARE(f.mintavétel, 1000.0);
        QCOMPARE(f.csatornák[0].kód.név(), QStringLiteral("HU.BUD1.00.HHZ"));
    }

    // A blast monitor's Full Waveform export, as its software writes it: read with its rate,
    // units, clock (Hungarian local time, the pre-trigger before it) and particulars; cut
    // short or with a non-number, a fault naming the line.
    void fullWaveformExport_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<double>("factor"); // mm/s per stated unit
        QTest::addColumn<int>("fault");     // -1: none
        QTest::addColumn<int>("row");       // the table row at fault, from 0
        QTest::addColumn<int>("remarks");
        FullWaveform w;
        QTest::newRow("CRLF, mm/s") << w.bytes() << 1.0 << -1 << 0 << 0;
        FullWaveform inches = w;
        inches.units = "in/s and ";
        inches.lineEnd = "\n";
        QTest::newRow("LF, in/s") << inches.bytes() << 25.4 << -1 << 0 << 0;
        FullWaveform mac = w;
        mac.lineEnd = "\r";
        mac.microphone = true;
        mac.units = "mm/s and Pa";
        QTest::newRow("old Mac CR, a microphone in Pa") << mac.bytes() << 1.0 << -1 << 0 << 0;
        FullWaveform old = w;
        old.calibration = "December 20, 2024 by Instantel";
        old.testResult = "Failed";
        QTest::newRow("an old calibration, a failed check") << old.bytes() << 1.0 << -1 << 0 << 4;
        FullWaveform cut = w;
        cut.rowsLeftOut = 100;
        const int rows = int(std::lround((w.recordTime + w.preTrigger) * w.rate));
        QTest::newRow("cut short")
            << cut.bytes() << 1.0 << int(Hiba::Fajta::Csonka) << rows - 100 - 1 << 0;
        FullWaveform bad = w;
        bad.badRow = 17;
        QTest::newRow("a cell no number")
            << bad.bytes() << 1.0 << int(Hiba::Fajta::NemSzám) << 17 << 0;
        FullWaveform unit = w;
        unit.units = "mm and ";
        QTest::newRow("an unknown unit")
            << unit.bytes() << 1.0 << int(Hiba::Fajta::IsmeretlenEgység) << -1 << 0;
        FullWaveform csv = mac;
        csv.csv = true;
        csv.calibration = "December 20, 2025 by \"\"Instantel\"\""; // a comma, doubled quotes
        QTest::newRow("the CSV form, a microphone") << csv.bytes() << 1.0 << -1 << 0 << 0;
        FullWaveform csvCut = csv;
        csvCut.badRow = 17;
        QTest::newRow("the CSV form, a cell no number")
            << csvCut.bytes() << 1.0 << int(Hiba::Fajta::NemSzám) << 17 << 0;
        // a pre-trigger or record time no instrument has: no clock or length is built on it
        FullWaveform absurd = w;
        absurd.preTriggerText = "-" + QByteArray(22, '9') + " sec";
        QTest::newRow("a pre-trigger of 10^22 s")
            << absurd.bytes() << 1.0 << int(Hiba::Fajta::HibásFejléc) << -1 << 0;
        FullWaveform hour = w;
        hour.preTriggerText = "-3600.001 sec";
        QTest::newRow("a pre-trigger just over an hour")
            << hour.bytes() << 1.0 << int(Hiba::Fajta::HibásFejléc) << -1 << 0;
        FullWaveform endless = w;
        endless.recordTimeText = "10000000.0 sec";
        QTest::newRow("a record time of 10^7 s")
            << endless.bytes() << 1.0 << int(Hiba::Fajta::HibásFejléc) << -1 << 0;
    }
    void fullWaveformExport() {
        QFETCH(QByteArray, bytes);
        QFETCH(double, factor);
        QFETCH(int, fault);
        QFETCH(int, row);
        QFETCH(int, remarks);
        const Rezgésjel::Olvasás o = Rezgésjel::Olvas(bytes, QStringLiteral("e.TXT"), {});
        QByteArray lines = bytes; // the header: the lines before the first blank one
        lines.replace("\r\n", "\n").replace('\r', '\n');
        const qint64 headerLines = lines.left(lines.indexOf("\n\n")).count('\n') + 1;
        if (fault >= 0) {
            QVERIFY(o.hiba);
            QCOMPARE(int(o.hiba->fajta), fault);
            if (row >= 0) // after the header, a blank line and the table's header row
                QCOMPARE(o.hiba->sor, headerLines + 2 + row + 1);
            return;
        }
        QVERIFY2(!o.hiba, qPrintable(o.hiba ? o.hiba->részlet : QString()));
        QCOMPARE(o.felvételek.size(), std::size_t(1));
        const Rezgésjel::Felvétel& f = o.felvételek[0];
        const FullWaveform w;
        QCOMPARE(f.mintavétel, w.rate);
        QCOMPARE(f.állomás, QStringLiteral("UM99999"));
        const bool microphone = bytes.contains("MicL");
        QCOMPARE(f.csatornák.size(), std::size_t(microphone ? 4 : 3));
        QVERIFY(f.csatornák[1].függőleges && !f.csatornák[0].függőleges);
        if (microphone)
            QCOMPARE(f.csatornák[3].mennyiség, Rezgésjel::Mennyiség::Nyomás);
        for (std::size_t c = 0; c < f.csatornák.size(); ++c)
            QVERIFY(qFuzzyCompare(f.csatornák[c].minták[5],
                                  QByteArray::number(w.sample(int(c), 5), 'f', 3).toDouble() *
                                      (c < 3 ? factor : 1)));
        // the trigger at 15:41:05 in Budapest (summer time), the first sample 0.25 s before
        const QDateTime trigger(QDate(2026, 6, 26), QTime(15, 41, 5),
                                QTimeZone(QByteArrayLiteral("Europe/Budapest")));
        QCOMPARE(f.kezdetMikro.value_or(0), trigger.toMSecsSinceEpoch() * 1000 - 250000);
        QVERIFY(f.műszer);
        QCOMPARE(f.műszer->indítás.value_or(0), w.preTrigger);
        QCOMPARE(f.műszer->méréshatár.value_or(0), 254.0);
        QCOMPARE(f.műszer->adatok.végezte, QStringLiteral("Kiss Anna"));
        QCOMPARE(f.műszer->adatok.helyszín, QStringLiteral("Kővágóörs"));
        QVERIFY2(f.műszer->adatok.kalibrálás.endsWith(u"-12-20 (Instantel)") ||
                     f.műszer->adatok.kalibrálás.endsWith(u"-12-20 (\"Instantel\")"),
                 qPrintable(f.műszer->adatok.kalibrálás));
        QCOMPARE(f.műszer->megjegyzések.size(), qsizetype(remarks));
        QCOMPARE(f.műszer->állított.size(), std::size_t(3 * 1 + 1)); // three PPVs and the PVS
    }

    // A blast log as the users' tools save it: its columns found by their names in either
    // language, times with a zone or in Hungarian local time, decimal commas; a fault names
    // its line.
    void blastLog_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("fault"); // -1: none
        QTest::addColumn<int>("line");
        const QString hungarian = QStringLiteral(
            "Kőfejtő robbantási napló\r\n"
            "azonosító;idő;töltet késleltetésenként (kg);összes töltet (kg);késleltetések "
            "száma;EOV Y (m);EOV X (m)\r\n"
            "R-01;2026.09.14. 08:30;25,5;300;12;650100,5;230200\r\n"
            ";;;;;;\r\n"
            "R-02;2026-09-14T12:15:00+02:00;30;;;;\r\n");
        auto encoded = [](const char* encoding, const QString& text) {
            QStringEncoder e(encoding);
            return QByteArray(e(text));
        };
        QTest::newRow("Hungarian Excel: Windows-1250, semicolons, CRLF")
            << encoded("windows-1250", hungarian) << -1 << 0;
        QString tabs = hungarian;
        tabs.replace(u';', u'\t');
        QTest::newRow("Unicode text: UTF-16LE, BOM, TAB")
            << "\xFF\xFE" + encoded("UTF-16LE", tabs) << -1 << 0;
        QTest::newRow("LibreOffice, English, quoted, old Mac CR")
            << QByteArray(
                   "\"id\",\"time\",\"charge per delay\",\"total charge\",\"delays\","
                   "\"EOV Y\",\"EOV X\"\r\"R-01\",\"2026-09-14 08:30:00\",\"25.5\","
                   "\"300\",\"12\",\"650100.5\",\"230200\"\r\"R-02\",\"2026-09-14T10:15:00Z\","
                   "\"30\",,,,\r")
            << -1 << 0;
        QTest::newRow("no time column")
            << QByteArray("azonosító;töltet\nR-01;2\n") << int(Hiba::Fajta::NincsFejlécsor) << 0;
        QTest::newRow("a time that is none")
            << QByteArray("id;time\nR-01;2026-09-14T08:30:00Z\nR-02;reggel\n")
            << int(Hiba::Fajta::NemSzám) << 3;
        QTest::newRow("an identifier twice")
            << QByteArray("id;time\nR-01;2026-09-14T08:30:00Z\nR-01;2026-09-14T09:30:00Z\n")
            << int(Hiba::Fajta::Tartalom) << 3;
    }
    void blastLog() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, fault);
        QFETCH(int, line);
        const auto read = Robbantásnapló::Olvas(bytes, QStringLiteral("naplo.csv"));
        if (fault >= 0) {
            QVERIFY(std::holds_alternative<Hiba>(read));
            QCOMPARE(int(std::get<Hiba>(read).fajta), fault);
            if (line > 0)
                QCOMPARE(std::get<Hiba>(read).sor, qint64(line));
            return;
        }
        if (const Hiba* h = std::get_if<Hiba>(&read))
            QFAIL(qPrintable(h->részlet));
        const auto& blasts = std::get<std::vector<Robbantásnapló::Robbantás>>(read);
        QCOMPARE(blasts.size(), std::size_t(2));
        // 08:30 in Budapest in September is 06:30 UTC; the second 10:15 UTC either way
        const QDateTime first(QDate(2026, 9, 14), QTime(6, 30), QTimeZone::utc());
        QCOMPARE(blasts[0].időMikro, first.toMSecsSinceEpoch() * 1000);
        QCOMPARE(blasts[1].időMikro - blasts[0].időMikro, qint64(3 * 3600 + 45 * 60) * 1000000);
        QCOMPARE(blasts[0].azonosító, QStringLiteral("R-01"));
        QCOMPARE(blasts[0].töltet.value_or(0), 25.5);
        QCOMPARE(blasts[0].összesTöltet.value_or(0), 300.0);
        QCOMPARE(blasts[0].késleltetések.value_or(0), 12);
        QCOMPARE(blasts[0].eovY.value_or(0), 650100.5);
        QVERIFY(!blasts[1].összesTöltet && !blasts[1].eovY);
    }

    // A summary table as engineers keep one: the components' PPV each with the frequency after
    // it, units in the header or in a row of their own (under the header or after the last
    // row), in the encodings users save; the units converted, never guessed.
    void summaryTable_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<double>("given");  // mm/s per unit of an unstated one; 0: none
        QTest::addColumn<int>("fault");     // -1: none
        QTest::addColumn<double>("factor"); // the first row's Tran in mm/s over 0,67
        auto encoded = [](const char* encoding, const QString& text) {
            QStringEncoder e(encoding);
            return QByteArray(e(text));
        };
        const QString hungarian = QStringLiteral(
            "Kőfejtő, 2026. szeptember\r\n"
            "Mérési pont;Dátum;Idő;Távolság (m);Töltet (kg);Tran (mm/s);Freq (Hz);Vert (mm/s);"
            "Freq (Hz);Long (mm/s);Freq (Hz);PVS (mm/s);Légnyomás (dB)\r\n"
            "Lakóház;2026.09.14.;08:30:12;785;5,40;0,67;30,00;0,60;15,00;0,56;13,00;0,83;"
            "55,10\r\n"
            "Lakóház;2026.09.15.;09:10:00;790;5,4;0,58;27;0,32;18;0,27;22;0,64;59,6\r\n");
        QTest::newRow("Hungarian Excel: Windows-1250, units in the header")
            << encoded("windows-1250", hungarian) << 0.0 << -1 << 1.0;
        QString tabs = hungarian;
        tabs.replace(u';', u'\t');
        QTest::newRow("Unicode text: UTF-16LE, TAB")
            << "\xFF\xFE" + encoded("UTF-16LE", tabs) << 0.0 << -1 << 1.0;
        QTest::newRow("units in a row after the last, quoted")
            << QByteArray("Pont;Idő;Táv;Töltet;Trans;Freq;Vert;Freq;Long;Freq;PVS;PSPL\n"
                          "Lakóház;2026-09-14T06:30:12Z;785;\"5,40\";\"0,67\";\"30,00\";\"0,60\";"
                          "\"15,00\";\"0,56\";\"13,00\";\"0,83\";\"55,10\"\n"
                          "Lakóház;2026-09-15T07:10:00Z;790;5,4;0,58;27;0,32;18;0,27;22;0,64;59,6\n"
                          ";;( mtr );( Kg );(mm/s);( Hz);(mm/s);( Hz);(mm/s);( Hz);(mm/s);( dB )\n")
            << 0.0 << -1 << 1.0;
        QTest::newRow("in/s, English, old Mac CR")
            << QByteArray(
                   "\"station\",\"time\",\"distance (ft)\",\"charge per delay (lb)\","
                   "\"Tran (in/s)\",\"Freq\",\"Vert (in/s)\",\"Freq\",\"Long (in/s)\","
                   "\"Freq\",\"PVS (in/s)\",\"air overpressure (dB)\"\r"
                   "Lakóház,2026-09-14T06:30:12Z,2575.46,11.905,0.67,30,0.6,15,0.56,13,0.83,"
                   "55.1\r"
                   "Lakóház,2026-09-15T07:10:00Z,2591.86,11.905,0.58,27,0.32,18,0.27,22,0.64,"
                   "59.6\r")
            << 0.0 << -1 << 25.4;
        const QByteArray noUnit =
            "Pont;Idő;Tran;Freq;Vert;Freq;Long;Freq;PVS;PSPL (dB)\n"
            "Lakóház;2026-09-14T06:30:12Z;0,67;30;0,6;15;0,56;13;0,83;55,1\n"
            "Lakóház;2026-09-15T07:10:00Z;0,58;27;0,32;18;0,27;22;0,64;59,6\n";
        QTest::newRow("no velocity unit: none guessed")
            << noUnit << 0.0 << int(Hiba::Fajta::EgységKell) << 0.0;
        QTest::newRow("no velocity unit, but given") << noUnit << 1.0 << -1 << 1.0;
        QTest::newRow("a unit it does not know")
            << QByteArray("Pont;Tran (mm/min);Freq\nA;1;20\n") << 0.0
            << int(Hiba::Fajta::IsmeretlenEgység) << 0.0;
        QTest::newRow("a PPV that is no number")
            << QByteArray("Pont;PPV (mm/s);Frekvencia (Hz)\nA;1,2;20\nB;sok;20\n") << 0.0
            << int(Hiba::Fajta::NemSzám) << 0.0;
        // figures a double holds as written, but not in mm/s or Pa
        QTest::newRow("an air level of 55210 dB")
            << QByteArray("Pont;PPV (mm/s);Frekvencia (Hz);Légnyomás (dB)\nA;1,2;20;55210\n") << 0.0
            << int(Hiba::Fajta::NemSzám) << 0.0;
        QTest::newRow("a PPV of 1e308 in/s")
            << QByteArray("Pont;PPV (in/s);Frekvencia (Hz)\nA;1e308;20\n") << 0.0
            << int(Hiba::Fajta::NemSzám) << 0.0;
    }
    void summaryTable() {
        QFETCH(QByteArray, bytes);
        QFETCH(double, given);
        QFETCH(int, fault);
        QFETCH(double, factor);
        QVERIFY(Összesítő::Felismer(bytes));
        const auto read = Összesítő::Olvas(bytes, QStringLiteral("osszesito.csv"),
                                           given > 0 ? std::optional<double>(given) : std::nullopt);
        if (fault >= 0) {
            QVERIFY(std::holds_alternative<Hiba>(read));
            QCOMPARE(int(std::get<Hiba>(read).fajta), fault);
            return;
        }
        if (const Hiba* h = std::get_if<Hiba>(&read))
            QFAIL(qPrintable(h->részlet));
        const auto& rows = std::get<std::vector<Összesítő::Sor>>(read);
        QCOMPARE(rows.size(), std::size_t(2));
        const Összesítő::Sor& r = rows[0];
        QCOMPARE(r.pont, QStringLiteral("Lakóház"));
        QCOMPARE(r.összetevők.size(), std::size_t(3));
        QCOMPARE(r.összetevők[0].név, QStringLiteral("Tran"));
        QVERIFY(r.összetevők[1].függőleges && !r.összetevők[0].függőleges);
        QVERIFY(std::abs(*r.összetevők[0].ppv - 0.67 * factor) < 1e-9);
        QCOMPARE(r.összetevők[1].frekvencia.value_or(0), 15.0); // its own, not the first's
        QVERIFY(std::abs(r.pvs.value_or(0) - 0.83 * factor) < 1e-9);
        if (r.távolság) // feet and pounds to metres and kilograms
            QVERIFY2(std::abs(*r.távolság - 785) < 0.01 && std::abs(*r.töltet - 5.4) < 0.01,
                     qPrintable(QString::number(*r.távolság)));
        if (r.légnyomás) // 55,1 dB(L) over 20 µPa
            QVERIFY(std::abs(20 * std::log10(*r.légnyomás / 20e-6) - 55.1) < 1e-9);
        if (r.időMikro) // 08:30:12 in Budapest in September is 06:30:12 UTC
            QCOMPARE(*r.időMikro, QDateTime(QDate(2026, 9, 14), QTime(6, 30, 12), QTimeZone::utc())
                                          .toMSecsSinceEpoch() *
                                      1000);
    }

    // A record's table is no summary: a time series names no frequency, distance or point.
    void timeSeriesIsNoSummary() {
        QVERIFY(!Összesítő::Felismer(FullWaveform().bytes()));
        QVERIFY(!Összesítő::Felismer("time;Tran;Vert;Long\n0;0,1;0,2;0,3\n0,001;0,2;0,1;0\n"));
    }

    // Another IANA zone for the instrument's clock: the same wall time, another instant.
    void exportClockZone() {
        Rezgésjel::Beállítás tokyo;
        tokyo.időzóna = QByteArrayLiteral("Asia/Tokyo");
        const QByteArray bytes = FullWaveform().bytes();
        const auto here = Rezgésjel::Olvas(bytes, QStringLiteral("e.TXT"), {});
        const auto there = Rezgésjel::Olvas(bytes, QStringLiteral("e.TXT"), tokyo);
        QVERIFY(!here.hiba && !there.hiba);
        // Budapest in June is UTC+2, Tokyo UTC+9: the same clock reading, 7 hours earlier
        QCOMPARE(*here.felvételek[0].kezdetMikro - *there.felvételek[0].kezdetMikro,
                 qint64(7) * 3600 * 1000000);
    }

    // The second vendor's CSV: numbered channels in their units, the vector sum the
    // instrument's own figure (never a component), the clock time or elapsed milliseconds,
    // LF CR line ends; the vertical only where given.
    void vendorCsvExport_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("vertical"); // 0: none given
        QTest::addColumn<int>("fault");    // -1: none
        VendorCsv v;
        QTest::newRow("clock time, LF CR") << v.bytes() << 0 << -1;
        VendorCsv elapsed = v;
        elapsed.clockTime = false;
        elapsed.lineEnd = "\r\n";
        QTest::newRow("elapsed ms, CRLF, vertical 3") << elapsed.bytes() << 3 << -1;
        VendorCsv bad = v;
        bad.badRow = 40;
        QTest::newRow("a cell no number") << bad.bytes() << 0 << int(Hiba::Fajta::NemSzám);
        VendorCsv absurd = v;
        absurd.preTrigger = QByteArray(22, '9') + " ms";
        QTest::newRow("a pre-trigger of 10^19 s")
            << absurd.bytes() << 0 << int(Hiba::Fajta::HibásFejléc);
    }
    void vendorCsvExport() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, vertical);
        QFETCH(int, fault);
        Rezgésjel::Beállítás b;
        if (vertical > 0)
            b.függőleges = vertical;
        const Rezgésjel::Olvasás o = Rezgésjel::Olvas(bytes, QStringLiteral("v.csv"), b);
        if (fault >= 0) {
            QVERIFY(o.hiba);
            QCOMPARE(int(o.hiba->fajta), fault);
            if (fault == int(Hiba::Fajta::NemSzám)) { // 10 key lines, the table header
                QCOMPARE(o.hiba->sor, qint64(10 + 1 + 40 + 1));
                QCOMPARE(o.hiba->oszlop, 3);
            }
            return;
        }
        QVERIFY2(!o.hiba, qPrintable(o.hiba ? o.hiba->részlet : QString()));
        const Rezgésjel::Felvétel& f = o.felvételek.at(0);
        QCOMPARE(f.mintavétel, 2048.0);
        QCOMPARE(f.mintaszám, std::size_t(600));
        QCOMPARE(f.csatornák.size(), std::size_t(4)); // the vector sum is no channel
        QCOMPARE(f.csatornák[3].mennyiség, Rezgésjel::Mennyiség::Nyomás);
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(f.csatornák[std::size_t(c)].függőleges, c + 1 == vertical);
            QCOMPARE(f.csatornák[std::size_t(c)].irányIsmeretlen, vertical == 0);
        }
        // 12:44:41.96 in Budapest (summer time) either way: the first row's clock, or the
        // trigger at 12:44:42 less the 40 ms pre-trigger
        const QDateTime trigger(QDate(2024, 7, 9), QTime(12, 44, 42),
                                QTimeZone(QByteArrayLiteral("Europe/Budapest")));
        QCOMPARE(*f.kezdetMikro, trigger.toMSecsSinceEpoch() * 1000 - 40000);
        QVERIFY(f.műszer);
        QCOMPARE(f.műszer->adatok.kalibrálás, QStringLiteral("2024-03-01"));
        QVERIFY(f.műszer->adatok.megjegyzés.contains(u"Kővágóörs, kőfejtő"));
        QVERIFY(f.műszer->megjegyzések.isEmpty());           // calibrated four months before
        QCOMPARE(f.műszer->állított.size(), std::size_t(2)); // a ZC frequency and the PVS
    }

    // Real files that are no waveform, or not whole records: said for what they are; a
    // record padded with a blank one is read.
    void fieldFilesSayWhatTheyAre_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("kind"); // -1: read
        QTest::newRow("a dataless SEED volume")
            << "AU.MEEK.seed" << int(Hiba::Fajta::NincsHullámforma);
        QTest::newRow("a record and a blank one after it")
            << "single_record_plus_noise_record.mseed" << -1;
        QTest::newRow("a record cut short") << "brokenlastrecord.mseed" << int(Hiba::Fajta::Csonka);
    }
    void fieldFilesSayWhatTheyAre() {
        QFETCH(QString, file);
        QFETCH(int, kind);
        const QString path = QStringLiteral(VELORIX_FIELD_DATA "/mseed/") + file;
        if (!QFileInfo::exists(path))
            QSKIP("the field data are not beside the project");
        const Rezgésjel::Olvasás o = Rezgésjel::FájlOlvas(path, counts());
        if (kind < 0) { // its one record: IM.NV32..BHE, 277 samples at 40/s
            QVERIFY2(!o.hiba, qPrintable(o.hiba ? o.hiba->részlet : QString()));
            QCOMPARE(o.felvételek.size(), std::size_t(1));
            QCOMPARE(o.felvételek[0].csatornák[0].kód.név(), QStringLiteral("IM.NV32..BHE"));
            QCOMPARE(o.felvételek[0].csatornák[0].minták.size(), std::size_t(277));
            return;
        }
        QVERIFY(o.hiba);
        QCOMPARE(int(o.hiba->fajta), kind);
        QVERIFY(o.felvételek.empty());
    }

    // A real record with gaps: read as its continuous segments, each said to be one.
    void fieldGapsGiveSegments() {
        const QString path = QStringLiteral(VELORIX_FIELD_DATA "/mseed/gaps.mseed");
        if (!QFileInfo::exists(path))
            QSKIP("the field data are not beside the project");
        Rezgésjel::Beállítás b = counts();
        b.érzékenységKésőbb = true;
        const Rezgésjel::Olvasás o = Rezgésjel::FájlOlvas(path, b);
        QVERIFY2(!o.hiba, qPrintable(o.hiba ? o.hiba->részlet : QString()));
        QVERIFY(o.felvételek.size() > 1);
        for (const Rezgésjel::Felvétel& f : o.felvételek)
            QVERIFY2(f.szakaszok > 1 && f.szakasz >= 1 && f.szakasz <= f.szakaszok,
                     qPrintable(f.szakaszNév()));
    }

    // A version-3 record's CRC and identifier are checked; an unknown binary is no CSV.
    void miniSeed3Faults() {
        QCOMPARE(Rezgésjel::Mseed3::Crc32c(QByteArrayView("123456789")), 0xE3069283u);
        QByteArray bytes = mseed3(channels(500), DE_INT32);
        bytes[200] = char(bytes[200] ^ 0x10);
        Rezgésjel::Olvasás o = Rezgésjel::Olvas(bytes, QStringLiteral("crc.ms3"), counts());
        QVERIFY(o.hiba);
        QCOMPARE(o.hiba->fajta, Hiba::Fajta::Crc);
        QCOMPARE(o.hiba->bájt, 0);
        const auto sid = Rezgésjel::Mseed3::Azonosító(u"FDSN:XX_LONGSTA__B_H_Z");
        QVERIFY(sid);
        QCOMPARE(sid->név(), QStringLiteral("XX.LONGSTA..BHZ"));
        QVERIFY(!Rezgésjel::Mseed3::Azonosító(u"HU_BUD1_00_HHZ"));
        QByteArray binary("\x7F"
                          "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0",
                          16);
        binary += QByteArray(2000, '\x01');
        o = Rezgésjel::Olvas(binary, QStringLiteral("a.out"), {});
        QVERIFY(o.hiba);
        QCOMPARE(o.hiba->fajta, Hiba::Fajta::IsmeretlenFormátum);
    }

    // What a channel measures: the file's unit first, then the SEED instrument letter.
    void channelKinds_data() {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QByteArray>("unit");
        QTest::addColumn<int>("kind"); // -1: left out
        QTest::addColumn<bool>("counts");
        QTest::newRow("seismometer, counts")
            << QByteArray("HHZ") << QByteArray("COUNTS") << 0 << false;
        QTest::newRow("short period") << QByteArray("EHE") << QByteArray("M/S") << 0 << false;
        QTest::newRow("geophone") << QByteArray("DPN") << QByteArray() << 0 << false;
        QTest::newRow("accelerometer, counts")
            << QByteArray("HNZ") << QByteArray("COUNTS") << 1 << true;
        QTest::newRow("accelerometer, g") << QByteArray("HNZ") << QByteArray("G") << 1 << false;
        QTest::newRow("acceleration by unit")
            << QByteArray("HHZ") << QByteArray("M/S**2") << 1 << false;
        QTest::newRow("microphone, Pa") << QByteArray("HDF") << QByteArray("PA") << 2 << false;
        QTest::newRow("microphone, mbar") << QByteArray("BDF") << QByteArray("MBAR") << 2 << false;
        QTest::newRow("mass position") << QByteArray("VMZ") << QByteArray("COUNTS") << -1 << false;
        QTest::newRow("state of health") << QByteArray("LCQ") << QByteArray() << -1 << false;
    }
    void channelKinds() {
        QFETCH(QByteArray, code);
        QFETCH(QByteArray, unit);
        QFETCH(int, kind);
        QFETCH(bool, counts);
        const QByteArray type = unit == "COUNTS" ? "INTEGER" : "FLOAT";
        const QByteArray text =
            "TIMESERIES HU_KOV1_00_HHN_D, 4 samples, 100 sps, 2026-12-04T09:41:12.000000, SLIST, "
            "FLOAT, MM/S\n1 -2 3 -1\nTIMESERIES HU_KOV1_00_" +
            code + "_D, 4 samples, 100 sps, 2026-12-04T09:41:12.000000, SLIST, " + type + ", " +
            unit + "\n100 -200 300 -100\n";
        Rezgésjel::Beállítás settings;
        settings.érzékenység = 100;
        const Rezgésjel::Olvasás o = Rezgésjel::Olvas(text, QStringLiteral("k.txt"), settings);
        QVERIFY2(!o.hiba, qPrintable(o.hiba ? o.hiba->részlet : QString()));
        const Rezgésjel::Felvétel& f = o.felvételek[0];
        if (kind < 0) {
            QCOMPARE(f.csatornák.size(), std::size_t(1));
            QCOMPARE(f.kihagyott,
                     QStringList{QStringLiteral("HU.KOV1.00.") + QString::fromLatin1(code)});
            return;
        }
        QCOMPARE(f.csatornák.size(), std::size_t(2));
        QCOMPARE(int(f.csatornák[1].mennyiség), kind);
        QCOMPARE(f.csatornák[1].nyers, counts);
    }

    // A table's columns: the time column by its name and a time unit (or none); T, V, L and
    // the other component names are components, the vertical among them known.
    void tableColumns_data() {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QStringList>("components");
        QTest::addColumn<int>("vertical");
        QTest::addColumn<double>("rate");
        QTest::newRow("T/V/L with units") << QByteArray("idő [s];T [mm/s];V [mm/s];L [mm/s]")
                                          << QStringList{"T", "V", "L"} << 1 << 100.0;
        QTest::newRow("Tran/Vert/Long") << QByteArray("Time;Tran;Vert;Long")
                                        << QStringList{"Tran", "Vert", "Long"} << 1 << 100.0;
        QTest::newRow("t beside time")
            << QByteArray("time (s);T;Vertical;Longitudinal")
            << QStringList{"T", "Vertical", "Longitudinal"} << 1 << 100.0;
        QTest::newRow("t alone") << QByteArray("t;x;y;z") << QStringList{"x", "y", "z"} << 2
                                 << 100.0;
        QTest::newRow("milliseconds")
            << QByteArray("idő [ms];keresztirányú;függőleges;hosszirányú")
            << QStringList{"keresztirányú", "függőleges", "hosszirányú"} << 1 << 100000.0;
    }
    void tableColumns() {
        QFETCH(QByteArray, header);
        QFETCH(QStringList, components);
        QFETCH(int, vertical);
        QFETCH(double, rate);
        QByteArray text = header + "\r\n";
        for (int i = 0; i < 5; ++i) // 0,00 to 0,04 (in the header's unit)
            text += "0,0" + QByteArray::number(i) + ';' + QByteArray::number(i % 3) + ";-" +
                    QByteArray::number(i) + ";1\r\n";
        const Rezgésjel::Olvasás o = Rezgésjel::Olvas(text, QStringLiteral("t.csv"), {});
        QVERIFY2(!o.hiba, qPrintable(o.hiba ? o.hiba->részlet : QString()));
        const Rezgésjel::Felvétel& f = o.felvételek[0];
        QStringList names;
        for (const Rezgésjel::Csatorna& c : f.csatornák)
            names << c.kód.név();
        QCOMPARE(names, components);
        for (int c = 0; c < 3; ++c)
            QCOMPARE(f.csatornák[std::size_t(c)].függőleges, c == vertical);
        QCOMPARE(f.mintavétel, rate);
    }

    // The options apply where they mean something: a sensitivity to velocity counts, a unit
    // to velocity floats with none of their own; only a file's own unit can contradict.
    void optionsWhereTheyApply_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<double>("factor"); // of the first sample read; 0, -1: a fault
        const QByteArray countsFile = "TIMESERIES HU_A_00_HHZ_D, 3 samples, 100 sps, "
                                      "2026-12-04T09:41:12, SLIST, INTEGER, COUNTS\n100 -200 50\n";
        const QByteArray floats = "TIMESERIES HU_A_00_HHZ_D, 3 samples, 100 sps, "
                                  "2026-12-04T09:41:12, SLIST, FLOAT\n100 -200 50\n";
        const QByteArray metres = "TIMESERIES HU_A_00_HHZ_D, 3 samples, 100 sps, "
                                  "2026-12-04T09:41:12, SLIST, FLOAT, M/S\n100 -200 50\n";
        const QByteArray millimetres = "t;Z [mm/s]\n0;100\n0,01;-200\n0,02;50\n";
        QTest::newRow("counts: the sensitivity") << countsFile << 1.0 / 1000;
        QTest::newRow("floats: the unit") << floats << 1000.0;
        QTest::newRow("the file's m/s, as given") << metres << 1000.0;
        QTest::newRow("the file's mm/s against m/s") << millimetres << 0.0;
        QByteArray huge = floats;
        huge.replace("100 -200", "100 1e306");
        QTest::newRow("floats the unit takes beyond the doubles") << huge << -1.0;
    }
    void optionsWhereTheyApply() {
        QFETCH(QByteArray, bytes);
        QFETCH(double, factor);
        Rezgésjel::Beállítás b = counts(1000);
        b.egység = 1000; // m/s
        const Rezgésjel::Olvasás o = Rezgésjel::Olvas(bytes, QStringLiteral("o"), b);
        QCOMPARE(!o.hiba, factor > 0);
        if (!(factor > 0)) {
            QCOMPARE(int(o.hiba->fajta),
                     int(factor == 0 ? Hiba::Fajta::EgységEllentmond : Hiba::Fajta::NemVégesMinta));
            return;
        }
        QCOMPARE(o.felvételek[0].csatornák[0].minták[0], 100 * factor);
    }

    // Gain-ranged encodings decode to floating point, yet they are counts.
    void gainRangedAreCounts() {
        QList<quint16> words;
        for (int i = 0; i < 100; ++i)
            words << quint16(0x0800 + (i * 97) % 1500);
        const QByteArray record = handRecord(DE_GEOSCOPE163, words);
        Rezgésjel::Olvasás o = Rezgésjel::Olvas(record, QStringLiteral("g.mseed"), {});
        QVERIFY(o.hiba);
        QCOMPARE(int(o.hiba->fajta), int(Hiba::Fajta::ÉrzékenységKell));
        o = Rezgésjel::Olvas(record, QStringLiteral("g.mseed"), counts(10));
        QVERIFY2(!o.hiba, qPrintable(o.hiba ? o.hiba->részlet : QString()));
        QCOMPARE(o.felvételek[0].mintaszám, std::size_t(100));
    }

    // A header that counts more samples than its record holds is a fault, never a read past
    // the record's end (uncompressed encodings, where the decoder trusts the count).
    void samplesBeyondTheRecord_data() {
        QTest::addColumn<int>("encoding");
        QTest::newRow("INT16") << int(DE_INT16);
        QTest::newRow("FLOAT32") << int(DE_FLOAT32);
        QTest::newRow("GEOSCOPE") << int(DE_GEOSCOPE164);
    }
    void samplesBeyondTheRecord() {
        QFETCH(int, encoding);
        QByteArray record = handRecord(encoding, QList<quint16>(40, 0x0801));
        QCOMPARE(Rezgésjel::Olvas(record, QStringLiteral("r"), counts()).hiba.has_value(), false);
        qToBigEndian<quint16>(60000, record.data() + 30);
        const Rezgésjel::Olvasás o = Rezgésjel::Olvas(record, QStringLiteral("r"), counts());
        QVERIFY(o.hiba);
        QCOMPARE(o.hiba->fajta, Hiba::Fajta::HibásRekord);
        QCOMPARE(o.hiba->bájt, 0);
    }

    // StationXML: each channel's sensitivity in its epoch, in counts per the program's unit;
    // a channel it lacks falls back to the sensitivity given, or is named in the fault.
    void stationXml_data() {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<bool>("fallback");
        QTest::addColumn<QString>("missing"); // the channel a fault names; empty: read
        const QByteArray all =
            xmlChannel("HHZ", "1.0E6", "M/S") + xmlChannel("HHN", "1000000", "m/s") +
            xmlChannel("HHE", "1E+6", "M/S", "2020-01-01T00:00:00", "2026-01-01T00:00:00") +
            xmlChannel("HHE", "1E+6", "M/S", "2026-01-01T00:00:00");
        QTest::newRow("every channel") << stationXmlText(all) << false << QString();
        const QByteArray two = xmlChannel("HHZ", "1.0E6", "M/S") + xmlChannel("HHN", "1E6", "M/S");
        QTest::newRow("one missing, a sensitivity given")
            << stationXmlText(two) << true << QString();
        QTest::newRow("one missing")
            << stationXmlText(two) << false << QStringLiteral("HU.BUD1.00.HHE");
        QTest::newRow("an epoch that ended")
            << stationXmlText(two + xmlChannel("HHE", "1E6", "M/S", "2020-01-01T00:00:00",
                                               "2021-01-01T00:00:00"))
            << false << QStringLiteral("HU.BUD1.00.HHE");
    }
    void stationXml() {
        QFETCH(QByteArray, xml);
        QFETCH(bool, fallback);
        QFETCH(QString, missing);
        auto parsed = Rezgésjel::StationXml::Olvas(xml, QStringLiteral("s.xml"));
        QVERIFY(std::holds_alternative<std::shared_ptr<Rezgésjel::StationXml>>(parsed));
        Rezgésjel::Beállítás b;
        if (fallback)
            b.érzékenység = 1000;
        b.állomásadatok = std::get<std::shared_ptr<Rezgésjel::StationXml>>(parsed);
        const QByteArray bytes = mseed(channels(600), DE_STEIM2);
        const Rezgésjel::Olvasás o = Rezgésjel::Olvas(bytes, QStringLiteral("r"), b);
        if (!missing.isEmpty()) {
            QVERIFY(o.hiba);
            QCOMPARE(o.hiba->csatorna, missing);
            QCOMPARE(int(o.hiba->fajta), int(Hiba::Fajta::ÉrzékenységKell));
            return;
        }
        QVERIFY2(!o.hiba, qPrintable(o.hiba ? o.hiba->részlet : QString()));
        // 10^6 counts per m/s is 1000 counts per mm/s
        QCOMPARE(samplesOf(o),
                 samplesOf(Rezgésjel::Olvas(bytes, QStringLiteral("r"), counts(1000))));
    }

    void stationXmlFaults() {
        auto broken = Rezgésjel::StationXml::Olvas(
            "<FDSNStationXML>\n<Network code=\"HU\">\n</Station>", QStringLiteral("b.xml"));
        QVERIFY(std::holds_alternative<Hiba>(broken));
        QCOMPARE(std::get<Hiba>(broken).sor, qint64(3));
        auto none = Rezgésjel::StationXml::Olvas(stationXmlText(xmlChannel("HHZ", "5", "V")),
                                                 QStringLiteral("v.xml"));
        QVERIFY(std::holds_alternative<Hiba>(none)); // volts give no motion's sensitivity
    }

    // The particulars as an engineer writes them: Hungarian or English keys, accents or
    // none, a unit after the key, comments; an unknown key or a bad number names its line.
    void particulars_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qint64>("faultLine"); // 0: read
        QTest::newRow("Hungarian")
            << QByteArray("# kőfejtő\nhelyszín = Kővágóörs\nMérést végezte = Kiss "
                          "Anna\ntávolság a robbantástól (m) = 250\ntöltet "
                          "késleltetésenként [kg] = 25\n")
            << qint64(0);
        QTest::newRow("English, no accents")
            << QByteArray("\xEF\xBB\xBFsite = Kovagoors\r\noperator = "
                          "Kiss Anna\r\ndistance=250\r\nCHARGE = 25,0\r\n")
            << qint64(0);
        QTest::newRow("an unknown key")
            << QByteArray("helyszín = x\n\nszél = 3 m/s\n") << qint64(3);
        QTest::newRow("a distance that is no number")
            << QByteArray("distance = sok\n") << qint64(1);
        QTest::newRow("a negative charge") << QByteArray("\ncharge = -2\n") << qint64(2);
        QTest::newRow("no equals sign") << QByteArray("helyszín Kővágóörs\n") << qint64(1);
        QTest::newRow("a section's unknown category")
            << QByteArray("site = x\n[HU.KOV1.00]\nkategória = iroda\n") << qint64(3);
        QTest::newRow("a section that names neither a station nor a serial")
            << QByteArray("[HU.KOV1]\ndistance = 3\n") << qint64(1);
    }

    // Sections: a station's keys over the common ones, for that station alone; its category
    // and place judge it; one distance for several stations is named as common.
    void particularsByStation() {
        const QByteArray text = "operator = Kiss Anna\ndistance = 250\n"
                                "[HU.KOV1.00]\ndistance = 120\nkategória = műemlék\nhely = födém\n"
                                "[HU.KOV2.00]\noperator = Nagy Béla\n";
        const auto read = Mérésadatok::Olvas(text, QStringLiteral("adatok.txt"));
        QVERIFY(std::holds_alternative<Mérésadatok>(read));
        const Mérésadatok& a = std::get<Mérésadatok>(read);
        const Mérésadatok one = a.állomásra(QStringLiteral("HU.KOV1.00"));
        const Mérésadatok two = a.állomásra(QStringLiteral("HU.KOV2.00"));
        const Mérésadatok other = a.állomásra(QStringLiteral("HU.BUD1.00"));
        QCOMPARE(one.távolság.value_or(0), 120.0);
        QCOMPARE(one.végezte, QStringLiteral("Kiss Anna"));
        QCOMPARE(one.kategória.value_or(-1), 2);
        QCOMPARE(one.hely.value_or(Határérték::Hely::Alap), Határérték::Hely::Födém);
        QCOMPARE(two.végezte, QStringLiteral("Nagy Béla"));
        QCOMPARE(two.távolság.value_or(0), 250.0);
        QVERIFY(!two.kategória && !other.kategória);
        QCOMPARE(a.KözösTávolság({QStringLiteral("HU.KOV1.00"), QStringLiteral("HU.KOV2.00")}),
                 QStringList{QStringLiteral("HU.KOV2.00")});
        QVERIFY(a.KözösTávolság({QStringLiteral("HU.KOV1.00")}).isEmpty()); // one station
    }
    void particulars() {
        QFETCH(QByteArray, text);
        QFETCH(qint64, faultLine);
        const auto read = Mérésadatok::Olvas(text, QStringLiteral("adatok.txt"));
        if (faultLine > 0) {
            QVERIFY(std::holds_alternative<Hiba>(read));
            QCOMPARE(std::get<Hiba>(read).sor, faultLine);
            QCOMPARE(std::get<Hiba>(read).fájl, QStringLiteral("adatok.txt"));
            return;
        }
        QVERIFY(std::holds_alternative<Mérésadatok>(read));
        const Mérésadatok& a = std::get<Mérésadatok>(read);
        QCOMPARE(a.végezte, QStringLiteral("Kiss Anna"));
        QCOMPARE(*a.távolság, 250.0);
        QCOMPARE(*a.töltet, 25.0);
        QCOMPARE(*a.arányosTávolság(), 50.0); // 250 m / √25 kg
        QVERIFY(a.sorok().contains(
            {QStringLiteral("Arányos távolság (D/√W)"), QStringLiteral("50,00 m/kg½")}));
    }

    void timesInMessages() {
        QCOMPARE(MikroIdő(micro("2026-12-04T09:41:12Z") + 250600),
                 QStringLiteral("2026-12-04T09:41:12.250600"));
        QCOMPARE(MikroIdő(-1), QStringLiteral("1969-12-31T23:59:59.999999"));
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    checkExpectedLocale();
    TestReaders test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_olvasok.moc"
