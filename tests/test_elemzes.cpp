// Seismograph records with known answers, written the way instruments and seismology tools
// write them (miniSEED by libmseed itself, TIMESERIES text, CSV), read and analysed.
#include "exportwriter.h"
#include "groundrecords.h"
#include "testfile.h"
#include "testlocale.h"

#ifndef Q_MOC_RUN // moc's parser takes no accented namespace names
#include "analysis/elemzes.h"
#include "analysis/feldolgozas.h"
#include "analysis/tablazat.h"
#include "cli/rezgeselemzes.h"
#include "engine/hatarertek.h"
#include "futtatas.h"
#include "readers/rezgesjel.h"
#endif

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

QTemporaryDir& dir() {
    static QTemporaryDir d;
    return d;
}

QString save(const QString& name, const QByteArray& bytes) {
    return saveFile(dir(), name, bytes);
}

constexpr double Rate = 1000;   // samples per second, as field instruments record
constexpr double Counts = 1000; // counts per mm/s

std::vector<double> sample(const Signal& s, int n, double scale = 1) {
    return ::sample(s, n, Rate, scale);
}

std::vector<MseedChannel> threeComponents(const Signal& z, const Signal& n, const Signal& e,
                                          int samples, double scale) {
    return ::threeComponents(z, n, e, samples, scale, Rate);
}

// The same three components as TIMESERIES blocks.
QByteArray timeseries(const std::vector<MseedChannel>& channels, bool pairs, const char* type,
                      const char* unit) {
    QByteArray text;
    for (const MseedChannel& c : channels) {
        text += QByteArray("TIMESERIES HU_BUD1_00_") + c.channel + "_D, " +
                QByteArray::number(qsizetype(c.samples.size())) + " samples, " +
                QByteArray::number(c.rate) + " sps, 2026-12-08T10:00:00.000000, " +
                (pairs ? "TSPAIR" : "SLIST") + ", " + type + ", " + unit + "\n";
        for (std::size_t i = 0; i < c.samples.size(); ++i) {
            const QByteArray value = QByteArray(type) == "INTEGER"
                                         ? QByteArray::number(qint64(std::lround(c.samples[i])))
                                         : QByteArray::number(c.samples[i], 'g', 10);
            if (pairs)
                text += "2026-12-08T10:00:" + QByteArray::number(i / Rate, 'f', 6) + "  " + value +
                        "\n";
            else
                text += value + ((i % 6 == 5) ? "\n" : "  ");
        }
        if (!pairs)
            text += "\n";
    }
    return text;
}

// As a spreadsheet: time, then the components with a unit in their names.
// How a test reads floats in mm/s: miniSEED names no unit, so the reader is told it.
Rezgésjel::Beállítás millimetres() {
    Rezgésjel::Beállítás b;
    b.egység = 1;
    return b;
}

QByteArray table(const std::vector<MseedChannel>& channels, char separator, bool comma) {
    QByteArray text = QByteArray("idő [s]") + separator + "Z [mm/s]" + separator + "N [mm/s]" +
                      separator + "E [mm/s]\r\n";
    for (std::size_t i = 0; i < channels[0].samples.size(); ++i) {
        QByteArray row = QByteArray::number(i / Rate, 'f', 4);
        for (const MseedChannel& c : channels)
            row += separator + QByteArray::number(c.samples[i], 'f', 6);
        if (comma)
            row.replace('.', ',');
        text += row + "\r\n";
    }
    return text;
}

double sine(double f, double t, double phase = 0) {
    return std::sin(2 * M_PI * f * t + phase);
}

// Three windowed bursts in thousandths of mm/s, times `scale`.
std::vector<MseedChannel> bursts(double scale) {
    const Signal z = [](double t) {
        return 3.5 * std::exp(-std::pow((t - 0.8) / 0.1, 2)) * sine(17, t, 0.4);
    };
    const Signal n = [](double t) {
        return 7.25 * std::exp(-std::pow((t - 1.1) / 0.08, 2)) * sine(30, t, 1.0);
    };
    const Signal e = [](double t) {
        return 1.5 * std::exp(-std::pow((t - 0.5) / 0.2, 2)) * sine(5, t, 2.0);
    };
    auto channels = threeComponents(z, n, e, 2000, 1);
    for (MseedChannel& c : channels)
        for (double& x : c.samples)
            x = std::round(x * 1000) / 1000 * scale;
    return channels;
}

} // namespace

class TestAnalysis : public QObject {
    Q_OBJECT

private slots:
    // Known answers: the PPV, the zero-crossing frequency to the printed precision, the FFT
    // frequency within one bin, and the verdict the limit engine gives at that frequency.
    void knownAnswers_data() {
        QTest::addColumn<double>("frequency");
        QTest::addColumn<double>("amplitude");
        QTest::addColumn<double>("offset");
        QTest::addColumn<double>("phase");
        QTest::newRow("5 Hz") << 5.0 << 4.0 << 0.0 << -1.0;
        QTest::newRow("17 Hz") << 17.0 << 6.5 << 0.0 << 0.3;
        QTest::newRow("30 Hz") << 30.0 << 12.0 << 0.0 << 1.1;
        QTest::newRow("60 Hz") << 60.0 << 16.0 << 0.0 << 0.2;
        QTest::newRow("120 Hz: the 100 Hz value") << 20.0 * 6 << 21.0 << 0.0 << 0.7;
        QTest::newRow("a DC offset") << 17.0 << 6.5 << 40.0 << 0.3;
        QTest::newRow("starts mid-cycle") << 30.0 << 3.0 << 0.0 << 2.4;
    }
    void knownAnswers() {
        QFETCH(double, frequency);
        QFETCH(double, amplitude);
        QFETCH(double, offset);
        QFETCH(double, phase);
        // whole cycles, so that the signal's own mean is nil and the offset all there is to remove
        const int n = int(std::lround(std::floor(4096 * frequency / Rate) * Rate / frequency));
        const Signal s = [&](double t) { return offset + amplitude * sine(frequency, t, phase); };
        std::vector<double> v = sample(s, n);
        double mean = 0;
        for (const double x : v)
            mean += x / n;
        double ppv = 0;
        for (const double x : v)
            ppv = std::max(ppv, std::fabs(x - mean));

        for (const int encoding : {DE_STEIM2, DE_FLOAT32, DE_FLOAT64}) {
            const double scale = encoding == DE_STEIM2 ? Counts : 1;
            const auto channels = threeComponents(s, s, s, n, scale);
            const QString file = save(QStringLiteral("sine.mseed"), mseed(channels, encoding));
            Rezgésjel::Beállítás settings;
            if (encoding == DE_STEIM2)
                settings.érzékenység = Counts;
            else
                settings.egység = 1; // floats in mm/s
            Rezgésjel::Olvasás read = Rezgésjel::FájlOlvas(file, settings);
            QVERIFY2(!read.hiba, qPrintable(read.hiba ? read.hiba->részlet : QString()));
            QCOMPARE(read.felvételek.size(), std::size_t(1));
            Rezgésjel::Felvétel& record = read.felvételek[0];
            QCOMPARE(record.csatornák.size(), std::size_t(3));
            QVERIFY(record.csatornák[0].függőleges && !record.csatornák[1].függőleges);
            QCOMPARE(record.mintavétel, Rate);
            const Elemzés::Megállapítás e =
                Elemzés::Elemez(record, 1, Elemzés::Hely::Alap, Elemzés::Módszer::ZC);
            for (const Elemzés::Összetevő& c : e.összetevők) {
                const double tolerance = encoding == DE_STEIM2 ? 0.6 / Counts : 1e-5 * amplitude;
                QVERIFY2(std::fabs(c.jellemzők.ppv - ppv) <= tolerance,
                         qPrintable(QString::number(c.jellemzők.ppv)));
                QVERIFY(c.jellemzők.zc);
                QVERIFY2(std::fabs(*c.jellemzők.zc - frequency) < 0.005 * frequency + 0.01,
                         qPrintable(QString::number(*c.jellemzők.zc)));
                QVERIFY(c.jellemzők.fft);
                const double bin = Rate / 4096;
                QVERIFY2(std::fabs(*c.jellemzők.fft - frequency) <= bin,
                         qPrintable(QString::number(*c.jellemzők.fft)));
                // the residential curve at the measured frequency, cut to hundredths
                const double f = std::min(*c.jellemzők.zc, 100.0);
                const double curve = f < 10    ? 5
                                     : f <= 50 ? 5 + 0.25 * (f - 10)
                                               : 15 + 0.1 * (f - 50);
                QVERIFY2(c.megítélés.határSzázad <= curve * 100 + 0.2 &&
                             c.megítélés.határSzázad > curve * 100 - 1,
                         qPrintable(QString::number(c.megítélés.határSzázad)));
                QCOMPARE(c.megítélés.megfelel, c.jellemzők.ppv * 100 <= c.megítélés.határSzázad);
                QCOMPARE(c.megítélés.százHzFeletti, frequency > 100);
                // acceleration and displacement of a sine, as the difference and the sum see it
                const double w = 2 * M_PI * frequency;
                QVERIFY(std::fabs(c.jellemzők.gyorsulás - ppv * std::sin(w / Rate) * Rate / 1000) <
                        0.02 * ppv * w / 1000);
                // a sine's displacement swings by ppv / w about its mean; the straight line
                // taken out of it over whole cycles moves its peak, never by a factor of two
                QVERIFY2(c.jellemzők.elmozdulás >= 0.5 * ppv / w &&
                             c.jellemzők.elmozdulás <= 3 * ppv / w + 1e-9,
                         qPrintable(QString::number(c.jellemzők.elmozdulás * w / ppv)));
            }
            QVERIFY(std::fabs(e.pvs - std::sqrt(3.0) * ppv) <= 1e-3 * ppv + 2.0 / Counts);
        }
    }

    // Counts read before their sensitivity is known wait for it and are never analysed as
    // velocities; given it later, their figures are those of a read with it.
    void sensitivityGivenLater() {
        const Signal s = [](double t) { return 4 * sine(20, t); };
        const QByteArray bytes = mseed(threeComponents(s, s, s, 2000, Counts), DE_STEIM2);
        Feldolgozás::Kérés later;
        later.beállítás.érzékenységKésőbb = true;
        Feldolgozás::Feldolgozott waiting =
            Feldolgozás::Bájtok(bytes, QStringLiteral("c.mseed"), later);
        QVERIFY(waiting.hiba && waiting.hiba->fajta == Hiba::Fajta::ÉrzékenységKell);
        QVERIFY(waiting.felvételek.empty());
        QCOMPARE(waiting.válaszraVár.size(), std::size_t(1));
        QCOMPARE(waiting.hiba->csatorna, waiting.válaszraVár[0].csatornák[0].kód.név());
        // still without one: the same fault, the records kept
        Feldolgozás::Feldolgozott again =
            Feldolgozás::Felvételekből(std::move(waiting.válaszraVár), later);
        QVERIFY(again.hiba && again.hiba->fajta == Hiba::Fajta::ÉrzékenységKell);
        QCOMPARE(again.válaszraVár.size(), std::size_t(1));
        Feldolgozás::Kérés given;
        given.beállítás.érzékenység = Counts;
        const Feldolgozás::Feldolgozott direct =
            Feldolgozás::Bájtok(bytes, QStringLiteral("c.mseed"), given);
        const Feldolgozás::Feldolgozott applied =
            Feldolgozás::Felvételekből(std::move(again.válaszraVár), given);
        QVERIFY(!direct.hiba && !applied.hiba);
        for (std::size_t c = 0; c < 3; ++c) {
            const auto& a = applied.felvételek[0];
            const auto& d = direct.felvételek[0];
            QCOMPARE(a.megállapítás.összetevők[c].jellemzők.ppv,
                     d.megállapítás.összetevők[c].jellemzők.ppv);
            QCOMPARE(a.felvétel.csatornák[c].átváltás, d.felvétel.csatornák[c].átváltás);
            QVERIFY(!a.felvétel.csatornák[c].nyers);
        }
    }

    // Where the two frequencies part: a strong low tone with a short high burst on its peak.
    void zeroCrossingAndFftDiffer() {
        const int n = 10000;
        const Signal s = [](double t) {
            const double burst = std::exp(-std::pow((t - 5.0) / 0.05, 2));
            return 2.0 * sine(8, t) + 9.0 * burst * sine(45, t - 5.0, M_PI / 2);
        };
        auto channels = threeComponents(s, s, s, n, 1);
        const QString file = save(QStringLiteral("two.mseed"), mseed(channels, DE_FLOAT64));
        Rezgésjel::Olvasás read = Rezgésjel::FájlOlvas(file, millimetres());
        QVERIFY2(!read.hiba, qPrintable(read.hiba ? read.hiba->részlet : QString()));
        Elemzés::Megállapítás zc =
            Elemzés::Elemez(read.felvételek[0], 2, Elemzés::Hely::Alap, Elemzés::Módszer::ZC);
        const Elemzés::Jellemzők& j = zc.összetevők[0].jellemzők;
        QVERIFY2(*j.zc > 30, qPrintable(QString::number(*j.zc)));
        QVERIFY2(std::fabs(*j.fft - 8) < 0.5, qPrintable(QString::number(*j.fft)));
        QCOMPARE(zc.összetevők[0].megítélés.határSzázad, Határérték::AlaponSzázad(2, *j.zc));
        Elemzés::Minősít(zc, 2, Elemzés::Hely::Alap, Elemzés::Módszer::FFT);
        QCOMPARE(zc.összetevők[0].megítélés.határSzázad, Határérték::AlaponSzázad(2, *j.fft));
    }

    // No crossing on one side of the peak: no frequency, the category's lowest value.
    void noFrequencyTakesTheLowestValue() {
        std::vector<double> v(500);
        for (std::size_t i = 0; i < v.size(); ++i)
            v[i] = double(i); // a ramp: one crossing only
        Rezgésjel::Felvétel f;
        f.mintavétel = Rate;
        Rezgésjel::Csatorna z;
        z.kód.csatorna = QStringLiteral("Z");
        z.függőleges = true;
        z.mintavétel = Rate;
        z.mintaszám = v.size();
        z.minták = v;
        f.csatornák.push_back(z);
        const Elemzés::Megállapítás e =
            Elemzés::Elemez(f, 0, Elemzés::Hely::Alap, Elemzés::Módszer::ZC);
        QVERIFY(!e.összetevők[0].jellemzők.zc);
        QVERIFY(e.összetevők[0].megítélés.frekvenciaNélkül);
        QCOMPARE(e.összetevők[0].megítélés.határSzázad, Határérték::LegkisebbAlaponSzázad(0));
    }

    // At the top floor slab: the horizontals against the category's value, the vertical
    // shown but not judged.
    void topFloorSlab() {
        const Signal big = [](double t) { return 30 * sine(12, t); };
        const Signal small = [](double t) { return 9 * sine(12, t); };
        auto channels = threeComponents(big, small, small, 1000, 1);
        Rezgésjel::Olvasás read = Rezgésjel::FájlOlvas(
            save(QStringLiteral("top.mseed"), mseed(channels, DE_FLOAT32)), millimetres());
        const Elemzés::Megállapítás e =
            Elemzés::Elemez(read.felvételek[0], 2, Elemzés::Hely::Födém, Elemzés::Módszer::ZC);
        QVERIFY(!e.összetevők[0].megítélt);
        QCOMPARE(e.összetevők[1].megítélés.határSzázad, Határérték::FelsőFödémSzázad(2));
        QVERIFY(!e.megfelel);
        QCOMPARE(e.döntő, 1);
    }

    // Every layout gives the same figures as the miniSEED of the same samples: windowed
    // bursts, so that each peak is one sample, held to thousandths of mm/s as counts are.
    void textLayouts_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("options");
        const auto mm = bursts(1);
        const auto counts = bursts(Counts);
        const auto metres = bursts(0.001);
        QTest::newRow("TIMESERIES SLIST, counts") << timeseries(counts, false, "INTEGER", "Counts")
                                                  << QStringList{"--erzekenyseg", "1000"};
        QTest::newRow("TIMESERIES TSPAIR, m/s")
            << timeseries(metres, true, "FLOAT", "M/S") << QStringList{};
        QTest::newRow("CSV, semicolons, decimal comma") << table(mm, ';', true) << QStringList{};
        QTest::newRow("TSV, decimal point") << table(mm, '\t', false) << QStringList{};
        QTest::newRow("miniSEED Steim-1")
            << mseed(counts, DE_STEIM1) << QStringList{"--sensitivity", "1000"};
        QTest::newRow("miniSEED INT16")
            << mseed(counts, DE_INT16) << QStringList{"--erzekenyseg", "1000"};
        QTest::newRow("miniSEED INT32, 4096-byte records")
            << mseed(counts, DE_INT32, 4096) << QStringList{"--erzekenyseg", "1000"};
        QTest::newRow("miniSEED FLOAT64 in m/s")
            << mseed(metres, DE_FLOAT64) << QStringList{"--egyseg", "m/s"};
    }
    void textLayouts() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, options);
        const QString reference = save(QStringLiteral("ref.mseed"), mseed(bursts(1), DE_FLOAT64));
        const QString file = save(QStringLiteral("layout.dat"), bytes);
        // the rows' fields after the file and channel names
        auto rows = [&](const QString& path, const QStringList& extra) {
            const Futás r = parancssor(QStringList{"--elemez", path, "-k", "1"} + extra);
            QList<QStringList> fields;
            for (const QByteArray& line : r.ki.split('\n'))
                fields << QString::fromUtf8(line).split(u';').mid(2);
            return std::make_pair(r.állapot, fields);
        };
        const auto expected = rows(reference, {"--egyseg", "mm/s"});
        const auto got = rows(file, options);
        QCOMPARE(got.first, expected.first);
        QCOMPARE(got.second.size(), expected.second.size());
        QCOMPARE(got.second.size(), 1 + 4 + 1);
        for (qsizetype r = 1; r < got.second.size(); ++r) {
            QCOMPARE(got.second[r].size(), expected.second[r].size());
            for (qsizetype c = 0; c < got.second[r].size(); ++c) {
                const QString& a = got.second[r][c];
                const QString& b = expected.second[r][c];
                bool number = false;
                const double x = QString(a).replace(u',', u'.').toDouble(&number);
                const double y = QString(b).replace(u',', u'.').toDouble();
                if (!number) {
                    QCOMPARE(a, b);
                    continue;
                }
                // within two units of the last printed digit
                const qsizetype decimals = a.size() - a.indexOf(u',') - 1;
                QVERIFY2(
                    std::fabs(x - y) <= 2 * std::pow(10.0, -double(decimals)) + 1e-12,
                    qPrintable(QStringLiteral("row %1 field %2: %3 / %4").arg(r).arg(c).arg(a, b)));
            }
        }
    }

    // Components whose windows differ are each analysed over their own samples: the PVS
    // over the span they share, or none where their rates differ; the summary says which.
    void unequalWindows_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("pvs");
        const Signal s = [](double t) { return 2 * sine(20, t); };
        const auto good = threeComponents(s, s, s, 1500, Counts);
        auto rates = good;
        rates[2].rate = 500; // judged, but not with the others in one vector sum
        QTest::newRow("unequal rates")
            << mseed(rates, DE_STEIM2) << "PVS nincs: a komponensek mintavétele eltér";
        auto lengths = good;
        lengths[1].samples.resize(1400);
        QTest::newRow("unequal lengths")
            << mseed(lengths, DE_STEIM2) << "(a komponensek közös szakaszán: 0,000–1,400 s)";
        auto starts = good;
        starts[2].start += HPTMODULUS / 10;
        QTest::newRow("unequal starts")
            << mseed(starts, DE_STEIM2) << "(a komponensek közös szakaszán: 0,100–1,500 s)";
    }
    void unequalWindows() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, pvs);
        const QString file = save(QStringLiteral("windows.mseed"), bytes);
        const Futás r = parancssor({"--elemez", file, "-k", "lakó", "--erzekenyseg", "1000"});
        QCOMPARE(r.állapot, 0);
        QVERIFY2(r.hibák.contains(pvs), qPrintable(r.hibák));
        const QList<QByteArray> lines = r.ki.split('\n');
        QCOMPARE(lines.size(), 1 + 3 + 1 + 1);
        for (int c = 1; c <= 3; ++c) // every component judged over its own samples
            QVERIFY2(lines[c].contains(";megfelel"), lines[c].constData());
    }

    // A record with a blast microphone and an accelerometer beside its velocity components:
    // only the velocities are judged and enter the PVS; the others are listed in their units;
    // a channel that measures no motion is named as left out.
    void channelKinds() {
        const Signal s = [](double t) { return 2 * sine(20, t); };
        auto channels = threeComponents(s, s, s, 1500, 1);
        MseedChannel pressure = channels[0];
        pressure.channel = "HDF";
        for (double& x : pressure.samples)
            x *= 40; // 80 Pa
        MseedChannel acceleration = channels[1];
        acceleration.channel = "HNZ";
        MseedChannel mass = channels[2];
        mass.channel = "VMZ";
        const QString three = save(QStringLiteral("three.mseed"), mseed(channels, DE_FLOAT64));
        auto more = channels;
        more.push_back(pressure);
        more.push_back(acceleration);
        more.push_back(mass);
        const QString all = save(QStringLiteral("kinds.mseed"), mseed(more, DE_FLOAT64));
        auto run = [](const QString& file) {
            const Futás r = parancssor({"--elemez", file, "-k", "lakó", "--egyseg", "mm/s"});
            return std::make_tuple(r.állapot, r.ki.split('\n'), r.hibák);
        };
        const auto [threeStatus, threeLines, threeErr] = run(three);
        const auto [status, lines, err] = run(all);
        QCOMPARE(status, threeStatus);
        QCOMPARE(lines.size(), threeLines.size() + 2);
        for (int c = 1; c <= 3; ++c)
            QCOMPARE(lines[c].mid(all.size()), threeLines[c].mid(three.size()));
        double mean = 0, peak = 0;
        for (const double x : pressure.samples)
            mean += x / double(pressure.samples.size());
        for (const double x : pressure.samples)
            peak = std::max(peak, std::fabs(x - mean));
        const QString decimal = QString::number(peak, 'f', 3).replace(u'.', u',');
        const QString db =
            QString::number(20 * std::log10(peak / 20e-6), 'f', 1).replace(u'.', u',');
        QVERIFY2(lines[4].contains(";HU.BUD1.00.HDF;;") &&
                     lines[4].endsWith(QStringLiteral("légnyomás: %1 Pa, %2 dB(L), nincs megítélve")
                                           .arg(decimal, db)
                                           .toUtf8()),
                 lines[4].constData());
        QVERIFY2(lines[5].contains(";HU.BUD1.00.HNZ;;") &&
                     lines[5].contains(";" + lines[2].split(';').value(2) + ";;;;") &&
                     lines[5].endsWith("gyorsulásmérő, nem sebesség, nincs megítélve"),
                 lines[5].constData());
        QCOMPARE(lines[6].mid(all.size()), threeLines[4].mid(three.size())); // the same PVS
        QVERIFY2(err.contains(all + QStringLiteral(": kihagyott csatornák (nem mérnek rezgést): "
                                                   "HU.BUD1.00.VMZ")),
                 qPrintable(err));
        // a microphone at rest: no overpressure, never an infinite level
        MseedChannel still = pressure;
        for (double& x : still.samples)
            x = 0;
        auto quiet = channels;
        quiet.push_back(still);
        const Futás r =
            parancssor({"--elemez", save(QStringLiteral("still.mseed"), mseed(quiet, DE_FLOAT64)),
                        "-k", "1", "--egyseg", "mm/s"});
        const QList<QByteArray> q = r.sorok();
        QVERIFY2(q.value(4).endsWith("légnyomás: 0,000 Pa, nincs túlnyomás, nincs megítélve") &&
                     !r.ki.contains("inf"),
                 r.ki.constData());
        // a record of no velocity: nothing judged, and the summary says why
        const Futás none = parancssor(
            {"--elemez",
             save(QStringLiteral("no-velocity.mseed"), mseed({pressure, acceleration}, DE_FLOAT64)),
             "-k", "1"});
        QCOMPARE(none.állapot, 3);
        QVERIFY2(none.hibák.contains(u"nincs megítélt összetevő: nincs sebességcsatorna"),
                 qPrintable(none.hibák));
    }

    // No verdict the program cannot justify: a rate too slow for the scale's top, or a peak no
    // ground near a building has, is analysed but not judged, says why, and gives status 3;
    // a fault still wins, then an exceedance.
    void verdictsNeverGuessed_data() {
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("amplitude"); // mm/s
        QTest::addColumn<QString>("why");      // empty: judged
        QTest::addColumn<QStringList>("unit");
        const QStringList mm{"--egyseg", "mm/s"};
        QTest::newRow("100 per second") << 100.0 << 2.0
                                        << "a mintavétel 100/s: a 100 Hz-ig terjedő megítéléshez "
                                           "legalább 200/s kell"
                                        << mm;
        QTest::newRow("200 per second") << 200.0 << 2.0 << QString() << mm;
        QTest::newRow("an implausible peak")
            << 1000.0 << 2000.0
            << "valószínűtlen érték 2000,000 mm/s: ellenőrizze a mértékegységet vagy az "
               "érzékenységet"
            << mm;
        QTest::newRow("a peak at the edge") << 1000.0 << 999.0 << QString() << mm;
        QTest::newRow("no unit stated")
            << 1000.0 << 2.0
            << "ismeretlen mértékegység: adja meg az --egyseg vagy az --allomas kapcsolóval"
            << QStringList{};
        QTest::newRow("a sensitivity for floats")
            << 1000.0 << 2.0
            << "ismeretlen mértékegység: adja meg az --egyseg vagy az --allomas kapcsolóval"
            << QStringList{"--erzekenyseg", "1000"};
        QTest::newRow("a unit given in m/s")
            << 1000.0 << 0.002 << QString() << QStringList{"--egyseg", "m/s"};
    }
    void verdictsNeverGuessed() {
        QFETCH(double, rate);
        QFETCH(double, amplitude);
        QFETCH(QString, why);
        QFETCH(QStringList, unit);
        const Signal s = [&](double t) { return amplitude * sine(5, t); };
        const QString file =
            save(QStringLiteral("v.mseed"),
                 mseed(::threeComponents(s, s, s, int(4 * rate), 1, rate), DE_FLOAT64));
        const Futás r = parancssor(QStringList{"--elemez", file, "-k", "ipari"} + unit);
        const QList<QByteArray> rows = r.sorok();
        QCOMPARE(rows.size(), 1 + 3 + 1);
        // a sensitivity no count took is named as unused
        QCOMPARE(r.hibák.contains(QStringLiteral("az --erzekenyseg értékét egyik felvétel sem")),
                 unit.contains(QStringLiteral("--erzekenyseg")));
        if (why.isEmpty()) {
            QCOMPARE(r.állapot, amplitude > 20 ? 1 : 0); // 20 mm/s below 10 Hz
            QVERIFY2(rows[4].split(';').value(2).size() > 0, rows[4].constData()); // a PVS
            return;
        }
        QCOMPARE(r.állapot, 3);
        for (int c = 1; c <= 3; ++c) {
            QVERIFY2(rows[c].endsWith(";;;" + why.toUtf8()), rows[c].constData());
            // figures of an unknown unit are never written as mm/s
            QCOMPARE(rows[c].split(';')[2].isEmpty(), why.startsWith(u"ismeretlen mértékegység"));
        }
        if (unit.isEmpty()) // figures of an unknown unit add up to no vector sum
            QVERIFY2(rows[4].endsWith("PVS;;;;;;;;;"), rows[4].constData());
        QVERIFY2(r.hibák.contains(QStringLiteral("nincs megítélt összetevő: ") + why),
                 qPrintable(r.hibák));
        // beside a record that exceeds, the exceedance decides; beside a fault, the fault
        const Signal loud = [](double t) { return 30 * sine(5, t); };
        const QString exceeds = save(QStringLiteral("x.mseed"),
                                     mseed(threeComponents(loud, loud, loud, 2000, 1), DE_FLOAT64));
        QCOMPARE(parancssor({"--elemez", file, exceeds, "-k", "ipari", "--egyseg", "mm/s"}).állapot,
                 1);
        QCOMPARE(parancssor(
                     {"--elemez", exceeds, file, "nincs.mseed", "-k", "ipari", "--egyseg", "mm/s"})
                     .állapot,
                 2);
    }

    // Below 1000/s a sampled peak may fall short of the true one by up to 1 - cos(pi f / fs):
    // the row states that share, and a sine whose crests and troughs all fall halfway
    // between two samples (a whole number of samples a half period) loses just that much.
    void underestimateStated_data() {
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("frequency");
        QTest::newRow("400/s, 100 Hz") << 400.0 << 100.0;
        QTest::newRow("600/s, 100 Hz") << 600.0 << 100.0;
        QTest::newRow("960/s, 96 Hz") << 960.0 << 96.0;
        QTest::newRow("1000/s: no remark") << 1000.0 << 95.0;
    }
    void underestimateStated() {
        QFETCH(double, rate);
        QFETCH(double, frequency);
        const double amplitude = 3;
        // the crest of every cycle halfway between two samples
        const double phase = M_PI / 2 - M_PI * frequency / rate;
        const Signal s = [&](double t) { return amplitude * sine(frequency, t, phase); };
        const int n = int(std::lround(std::floor(2 * frequency) * rate / frequency));
        const QString file = save(QStringLiteral("u.mseed"),
                                  mseed(::threeComponents(s, s, s, n, 1, rate), DE_FLOAT64));
        const Futás r = parancssor({"--elemez", file, "-k", "ipari", "--egyseg", "mm/s"});
        const QList<QByteArray> rows = r.sorok();
        QCOMPARE(rows.size(), 1 + 3 + 1);
        const QStringList row = QString::fromUtf8(rows[1]).split(u';');
        const double ppv = QString(row[2]).replace(u',', u'.').toDouble();
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("legfeljebb ([0-9]+,[0-9]) %-kal becsülheti alá"))
                .match(row.last());
        if (rate >= 1000) {
            QVERIFY2(!m.hasMatch() && row.last() == u"megfelel", qPrintable(row.last()));
            return;
        }
        QVERIFY2(m.hasMatch() && row.last().startsWith(u"megfelel (a "), qPrintable(row.last()));
        const double share = m.captured(1).replace(u',', u'.').toDouble() / 100;
        // what was lost is the share stated, to its rounding
        QVERIFY2(std::fabs((amplitude - ppv) / amplitude - share) <= 0.0006,
                 qPrintable(QStringLiteral("%1 / %2").arg(ppv).arg(share)));
    }

    // An instrument's export: its stated figures held against the recomputed ones (a warning
    // naming both where they differ beyond rounding and the offset), a peak at its range
    // clipped (so exceeding), its remarks said.
    void exportFiguresChecked_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("warning"); // empty: none
        QTest::addColumn<bool>("clipped");
        FullWaveform w;
        w.sample = [](int c, int i) { // 20 Hz, with an offset on Tran as real files have
            return (c == 0 ? 0.25 : 0) + (c + 1) * std::sin(2 * M_PI * 20 * i / 1024.0);
        };
        QTest::newRow("as stated, an offset") << w.bytes() << QString() << false;
        FullWaveform csv = w;
        csv.csv = true;
        QTest::newRow("as stated, the CSV form") << csv.bytes() << QString() << false;
        FullWaveform off = w;
        off.statedFactor = 1.2;
        QTest::newRow("PPV stated a fifth higher")
            << off.bytes() << QStringLiteral("figyelmeztetés: a fájl fejléce szerint \"Tran PPV : ")
            << false;
        FullWaveform clip = w;
        clip.range = 3.0; // Long's 3 mm/s peak is at the range
        QTest::newRow("clipped at the range") << clip.bytes() << QString() << true;
    }
    void exportFiguresChecked() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, warning);
        QFETCH(bool, clipped);
        const QString file = save(QStringLiteral("e.TXT"), bytes);
        const Futás r = parancssor({"--elemez", file, "-k", "ipari"});
        const QList<QByteArray> rows = r.sorok();
        QCOMPARE(rows.size(), 1 + 3 + 1);
        QVERIFY2(warning.isEmpty() ? !r.hibák.contains(u"figyelmeztetés")
                                   : r.hibák.contains(warning),
                 qPrintable(r.hibák));
        // 3 mm/s at 20 Hz is far within the industrial limit, unless the range cut it off
        QCOMPARE(r.állapot, clipped ? 1 : 0);
        QCOMPARE(rows[3].contains("túllépi (túlvezérelt: a csúcs legalább a műszer 3,0 mm/s-os "
                                  "méréshatára)"),
                 clipped);
    }

    // The second vendor's numbered channels: judged at the foundation as they are; at the
    // top floor slab only once the vertical is named; its vector sum borne out, unwarned.
    void vendorChannels_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::newRow("foundation") << QStringList{} << 0;
        QTest::newRow("top floor, no vertical") << QStringList{"--hely", "fodem"} << 3;
        QTest::newRow("top floor, vertical 3")
            << QStringList{"--hely", "fodem", "--fuggoleges", "3"} << 0;
    }
    void vendorChannels() {
        QFETCH(QStringList, options);
        QFETCH(int, status);
        const QString file = save(QStringLiteral("v.csv"), VendorCsv().bytes());
        const Futás r = parancssor(QStringList{"--elemez", file, "-k", "1"} + options);
        QCOMPARE(r.állapot, status);
        QVERIFY2(!r.hibák.contains(u"figyelmeztetés"), qPrintable(r.hibák));
        if (status == 3)
            QVERIFY2(r.hibák.contains(u"nem tudni, melyik csatorna a függőleges: adja meg a "
                                      u"--fuggoleges kapcsolóval"),
                     qPrintable(r.hibák));
    }

    // Two stations in one file: a section's category judges its station, the summary says so;
    // a distance given once for both is a fault naming the station without its own.
    void particularsPerStation() {
        const Signal s = [](double t) { return 6 * sine(20, t); };
        auto channels = threeComponents(s, s, s, 1500, Counts);
        auto second = channels;
        for (MseedChannel& c : second)
            c.station = "KOV2";
        channels.insert(channels.end(), second.begin(), second.end());
        const QString file = save(QStringLiteral("two.mseed"), mseed(channels, DE_STEIM2));
        const QString both =
            save(QStringLiteral("both.txt"), "distance = 200\n[HU.BUD1.00]\ndistance = 150\n");
        const Futás common = parancssor(
            {"--elemez", file, "-k", "ipari", "--erzekenyseg", "1000", "--adatok", both});
        QCOMPARE(common.állapot, 2);
        QVERIFY2(common.hibák.contains(u"csak közösen adott (HU.KOV2.00)"),
                 qPrintable(common.hibák));
        const QString sections = save(
            QStringLiteral("sections.txt"),
            "[HU.BUD1.00]\ndistance = 150\n[HU.KOV2.00]\ndistance = 90\nkategória = műemlék\n");
        const Futás r = parancssor(
            {"--elemez", file, "-k", "ipari", "--erzekenyseg", "1000", "--adatok", sections});
        const QList<QByteArray> rows = r.sorok();
        QCOMPARE(rows.size(), 1 + 2 * 4);
        // 6 mm/s at 20 Hz: within the industrial limit (25), beyond the monument's (4,25)
        QVERIFY2(rows[1].endsWith(";megfelel") && rows[5].endsWith(";túllépi"), r.ki.constData());
        QCOMPARE(r.állapot, 1);
        QVERIFY2(r.hibák.contains(u"kategória az --adatok szerint: Műemlék"), qPrintable(r.hibák));
    }

    // The blast monitor's real exports: every figure its header states is borne out by its
    // samples, its times are from the trigger as its own "Time of Peak" is, its old
    // calibration is remarked, and every component is judged.
    void fieldExports_data() {
        QTest::addColumn<QString>("file");
        for (const char* f :
             {"adcyazhou_STVMD_5m.TXT", "adcyazhou_STVMD_10m.TXT", "adcyazhou_STVMD_15m.TXT"})
            QTest::newRow(f) << QString::fromLatin1(f);
    }
    void fieldExports() {
        QFETCH(QString, file);
        const QString path = QStringLiteral(VELORIX_FIELD_DATA "/exports/") + file;
        if (!QFileInfo::exists(path))
            QSKIP("the field data are not beside the project");
        const Futás r = parancssor({"--elemez", path, "-k", "lakó"});
        QVERIFY2(!r.hibák.contains(u"figyelmeztetés"), qPrintable(r.hibák));
        QVERIFY2(r.hibák.contains(u"kalibrálása a mérés idején egy évnél régebbi"),
                 qPrintable(r.hibák));
        const QList<QByteArray> rows = r.sorok();
        QCOMPARE(rows.size(), 1 + 3 + 1);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString header = QString::fromLatin1(f.read(8192));
        const char* names[] = {"Tran", "Vert", "Long", "Peak Vector Sum"};
        for (int c = 1; c <= 4; ++c) {
            if (c <= 3)
                QVERIFY2(rows[c].contains(";megfelel") || rows[c].contains(";túllépi"),
                         rows[c].constData());
            const QRegularExpressionMatch stated =
                QRegularExpression(QStringLiteral("\"%1 (Time of Peak|Time) : ([0-9.]+) sec")
                                       .arg(QLatin1String(names[c - 1])))
                    .match(header);
            QVERIFY(stated.hasMatch());
            const double time =
                QString::fromLatin1(rows[c].split(';')[3]).replace(u',', u'.').toDouble();
            // to its written millisecond and one sample of the 4096/s
            QVERIFY2(std::fabs(time - stated.captured(2).toDouble()) <= 0.0005 + 1.0 / 4096,
                     rows[c].constData());
        }
        QVERIFY(r.állapot == 0 || r.állapot == 1);
    }

    // A gap: each continuous segment judged as a record of its own, named with its start;
    // the summary says there was a gap.
    void gapsJudgedBySegment() {
        const Signal s = [](double t) { return 2 * sine(20, t); };
        auto parts = threeComponents(s, s, s, 1500, Counts);
        MseedChannel later = parts[1];
        later.start += 20 * HPTMODULUS; // 20 s after the first part
        parts.push_back(later);
        const QString file = save(QStringLiteral("gap.mseed"), mseed(parts, DE_STEIM2));
        const Futás r = parancssor({"--elemez", file, "-k", "1", "--erzekenyseg", "1000"});
        QCOMPARE(r.állapot, 0);
        QVERIFY2(r.hibák.contains(u"a felvételben hézag van; folytonos szakaszonként elemezve (2 "
                                  u"szakasz)"),
                 qPrintable(r.hibák));
        QVERIFY2(r.hibák.contains(u"(HU.BUD1.00, 1/2. folytonos szakasz, ") &&
                     r.hibák.contains(u"(HU.BUD1.00, 2/2. folytonos szakasz, "),
                 qPrintable(r.hibák));
        QCOMPARE(r.sorok().size(), 1 + (3 + 1) + (1 + 1)); // the second segment: HHN alone
    }

    // A header written in another code page: its bytes shown escaped, never as garbage.
    void headerBytesShownSafely() {
        const Signal s = [](double t) { return 2 * sine(20, t); };
        auto channels = threeComponents(s, s, s, 1500, 1);
        for (MseedChannel& c : channels)
            c.location = "\xF0"
                         "A";
        const Futás r = parancssor(
            {"--elemez", save(QStringLiteral("bytes.mseed"), mseed(channels, DE_FLOAT64)), "-k",
             "1", "--egyseg", "mm/s"});
        QVERIFY2(r.ki.contains(";HU.BUD1.\\xF0A.HHZ;"), r.ki.constData());
        QVERIFY(!QString::fromUtf8(r.ki).contains(QChar(0xF0))); // never read as "ð"
    }

    // A report aimed at something that is not a regular file never replaces it: a device node
    // (made in the test's own folder, never /dev itself) stays, and the fault names it.
    void reportNeverReplacesADevice() {
        const QString node = dir().filePath(QStringLiteral("full"));
        if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
            QSKIP("device nodes can be made by root only");
        const Signal s = [](double t) { return 2 * sine(20, t); };
        const QString file =
            save(QStringLiteral("r.mseed"), mseed(threeComponents(s, s, s, 1500, 1), DE_FLOAT64));
        QProcess p;
        p.start(QStringLiteral(VELORIX_PROGRAM),
                QStringList{"--elemez", file, "-k", "1", "--egyseg", "mm/s", "--jelentes", node});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 2);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(err.contains(node) && !err.contains(QStringLiteral("elkészült")), qPrintable(err));
        struct stat st {};
        QVERIFY(::lstat(QFile::encodeName(node).constData(), &st) == 0 && S_ISCHR(st.st_mode));
    }

    // One command over a batch: the sensitivity goes to the counts, the unit to the floats,
    // a StationXML file's sensitivities equal the same ones given by hand, for counts and for
    // floats of no unit.
    void mixedBatch() {
        // a decaying 20 Hz tone: whole counts, 10^6 per m/s, and the same in m/s as floats
        const Signal s = [](double t) {
            return std::round(2000 * std::exp(-3 * t) * sine(20, t, 0.5)) / 1e6;
        };
        const auto metres = threeComponents(s, s, s, 1000, 1);
        const auto counts = threeComponents(s, s, s, 1000, 1e6);
        const QString floats = save(QStringLiteral("floats.mseed"), mseed(metres, DE_FLOAT64));
        const QString ints = save(QStringLiteral("ints.mseed"), mseed(counts, DE_STEIM2));
        const Futás both = parancssor(
            {"--elemez", ints, floats, "-k", "1", "--erzekenyseg", "1000", "--egyseg", "m/s"});
        QCOMPARE(both.állapot, 0);
        QVERIFY2(!both.hibák.contains(QStringLiteral("sem használta")), qPrintable(both.hibák));
        QList<QByteArray> lines = both.ki.split('\n');
        QCOMPARE(lines.size(), 1 + 2 * 4 + 1);
        for (int c = 1; c <= 4; ++c) // the same figures from both
            QCOMPARE(lines[c].mid(ints.size()), lines[c + 4].mid(floats.size()));
        QVERIFY(lines[1].contains(";1,9"));
        QByteArray xml = "<?xml version=\"1.0\"?><FDSNStationXML xmlns=\"http://www.fdsn.org/xml/"
                         "station/1\"><Network code=\"HU\"><Station code=\"BUD1\">";
        for (const char* c : {"HHZ", "HHN", "HHE"})
            xml += QByteArray("<Channel code=\"") + c +
                   "\" locationCode=\"00\"><Response><InstrumentSensitivity><Value>1E6</Value>"
                   "<InputUnits><Name>M/S</Name></InputUnits></InstrumentSensitivity></Response>"
                   "</Channel>";
        xml += "</Station></Network></FDSNStationXML>";
        const QString station = save(QStringLiteral("bud1.xml"), xml);
        const Futás q = parancssor({"--elemez", ints, "-k", "1", "--allomas", station});
        QCOMPARE(q.állapot, 0);
        const QList<QByteArray> fromXml = q.ki.split('\n');
        for (int c = 1; c <= 4; ++c)
            QCOMPARE(fromXml[c], lines[c]);
        // floats of no unit take the station's response as counts kept in floats: one count
        // per m/s gives the samples in m/s
        QByteArray one = xml;
        one.replace("<Value>1E6</Value>", "<Value>1</Value>");
        const Futás f = parancssor(
            {"--elemez", floats, "-k", "1", "--allomas", save(QStringLiteral("one.xml"), one)});
        QCOMPARE(f.állapot, 0);
        const QList<QByteArray> floatsFromXml = f.ki.split('\n');
        for (int c = 1; c <= 4; ++c)
            QCOMPARE(floatsFromXml[c], lines[c + 4]);
    }

    // The report's table is laid out from its text: above 100 Hz the longest remark wraps
    // in its cell, and every header and every cell is there whole.
    void reportTableNeverCuts() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const Signal high = [](double t) {
            return 3 * std::exp(-std::pow((t - 1.0) / 0.1, 2)) * sine(120, t);
        };
        const Signal low = [](double t) {
            return std::exp(-std::pow((t - 1.0) / 0.1, 2)) * sine(15, t);
        };
        const QString file = save(QStringLiteral("high.mseed"),
                                  mseed(threeComponents(high, high, low, 2000, 1), DE_FLOAT64));
        const QString pdf = dir().filePath(QStringLiteral("high.pdf"));
        QProcess p;
        p.start(QStringLiteral(VELORIX_PROGRAM),
                QStringList{"--elemez", file, "-k", "1", "--egyseg", "mm/s", "--jelentes", pdf});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QList<QByteArray> rows = p.readAllStandardOutput().split('\n').mid(1, 3);
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString content =
            QString::fromUtf8(text.readAllStandardOutput()).simplified(); // wrapped lines joined
        QStringList expected = Elemzés::TáblázatFejléc();
        for (const QByteArray& row : rows)
            for (const QByteArray& cell : row.split(';').mid(2))
                expected << QString::fromUtf8(cell);
        QVERIFY(expected.contains(QStringLiteral("megfelel (100 Hz feletti: a 100 Hz-es érték)")));
        for (const QString& e : expected)
            QVERIFY2(content.contains(e), qPrintable(e));
    }

    // Faults: exit 2, the file and the reason; the other files are still analysed.
    void faults_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("says");
        const Signal s = [](double t) { return 2 * sine(20, t); };
        const auto good = threeComponents(s, s, s, 1500, Counts);
        const QByteArray whole = mseed(good, DE_STEIM2);
        QTest::newRow("a cut last record")
            << whole.left(whole.size() - 200) << QStringList{"--erzekenyseg", "1000"}
            << "csonka: az utolsó teljes rekord után 312 bájt";
        auto overlap = good;
        MseedChannel later = overlap[1];
        later.start += HPTMODULUS / 2; // half a second into the first part
        QByteArray overlapping = mseed({overlap[0], overlap[1], overlap[2], later}, DE_STEIM2);
        QTest::newRow("an overlap")
            << overlapping << QStringList{"--erzekenyseg", "1000"} << "HU.BUD1.00.HHN: átfedés";
        QTest::newRow("counts without a sensitivity") << whole << QStringList{} << "--erzekenyseg";
        QTest::newRow("an unknown unit") << QByteArray("t;Z [cm/s]\n0;1\n0,01;2\n0,02;1\n")
                                         << QStringList{} << "ismeretlen mértékegység: \"cm/s\"";
        QTest::newRow("an unknown unit in TIMESERIES")
            << QByteArray(
                   "TIMESERIES HU_A_00_HHZ_D, 3 samples, 100 sps, 2026-12-08T10:00:00.000000, "
                   "SLIST, FLOAT, NM/S\n1 2 3\n")
            << QStringList{} << "ismeretlen mértékegység";
        QTest::newRow("fewer samples than the header says")
            << QByteArray(
                   "TIMESERIES HU_A_00_HHZ_D, 4 samples, 100 sps, 2026-12-08T10:00:00.000000, "
                   "SLIST, FLOAT, MM/S\n1 2 3\n")
            << QStringList{} << "4 minta, de 3";
        QTest::newRow("a header that claims a billion samples")
            << QByteArray("TIMESERIES HU_A_00_HHZ_D, 999999999 samples, 250 sps, "
                          "2026-12-08T10:00:00.000000, SLIST, FLOAT, MM/S\n1 2 3\n")
            << QStringList{} << "999999999 minta, de 3";
        QTest::newRow("uneven time column") << QByteArray("t;Z\n0;1\n0,01;2\n0,03;1\n0,04;1\n")
                                            << QStringList{} << "nem egyenletes";
        QByteArray random(4096, 0);
        QRandomGenerator r(7);
        for (char& c : random)
            c = char(r.bounded(256));
        QTest::newRow("random bytes") << random << QStringList{} << "bináris";
    }
    void faults() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, options);
        QFETCH(QString, says);
        const QString bad = save(QStringLiteral("bad.dat"), bytes);
        const Signal s = [](double t) { return 2 * sine(20, t); };
        const QString good = save(QStringLiteral("good.mseed"),
                                  mseed(threeComponents(s, s, s, 1000, 1), DE_FLOAT32));
        QProcess p;
#if !defined(__SANITIZE_ADDRESS__)
        // what a header says is no licence to take memory: 2 GB of address space is plenty
        p.setChildProcessModifier([] {
            const rlimit határ{rlim_t(2) << 30, rlim_t(2) << 30};
            setrlimit(RLIMIT_AS, &határ);
        });
#endif
        p.start(QStringLiteral(VELORIX_PROGRAM),
                QStringList{"--elemez", bad, good, "-k", "lakó", "--egyseg", "mm/s"} + options);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 2);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(err.contains(bad + QStringLiteral(": ")) && err.contains(says), qPrintable(err));
        const QByteArray out = p.readAllStandardOutput();
        QVERIFY2(out.contains(good.toUtf8() + ";PVS;") && !out.contains(bad.toUtf8()),
                 out.constData()); // the good file is still analysed
    }

    // A file that exists but cannot be read is told apart from a missing one.
    void unreadableFiles() {
        const QString loop = dir().filePath(QStringLiteral("loop-a.mseed"));
        QFile::link(dir().filePath(QStringLiteral("loop-b.mseed")), loop);
        QFile::link(loop, dir().filePath(QStringLiteral("loop-b.mseed")));
        for (const auto& [file, says] :
             {std::pair{loop, QStringLiteral(": nem olvasható: ")},
              std::pair{dir().filePath(QStringLiteral("none.mseed")),
                        QStringLiteral(": nincs ilyen fájl")},
              std::pair{dir().path(), QStringLiteral(": mappa, nem fájl")}}) {
            QProcess p;
            p.start(QStringLiteral(VELORIX_PROGRAM), {"--elemez", file, "-k", "1"});
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), 2);
            const QString err = QString::fromUtf8(p.readAllStandardError());
            QVERIFY2(err.contains(file + says), qPrintable(err));
        }
    }

    // The output: the header exactly, three decimals, comma, one PVS row per record, and
    // the files in the order given although they are analysed in parallel.
    void outputInArgumentOrder() {
        QStringList files;
        for (int i = 0; i < 6; ++i) {
            const double f = 5 + 10 * i;
            const Signal s = [f](double t) { return 4 * sine(f, t); };
            files << save(QStringLiteral("order-%1.mseed").arg(i),
                          mseed(threeComponents(s, s, s, 3000 + 2000 * (5 - i), 1), DE_FLOAT64));
        }
        QProcess p;
        p.start(QStringLiteral(VELORIX_PROGRAM),
                QStringList{"--analyze"} + files + QStringList{"-k", "0", "--unit", "mm/s"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        const QList<QByteArray> lines = p.readAllStandardOutput().split('\n');
        QCOMPARE(lines[0], QByteArray(RezgésElemzés::Fejléc));
        QCOMPARE(lines.size(), 1 + 6 * 4 + 1);
        for (int i = 0; i < 6; ++i) {
            QVERIFY(lines[1 + 4 * i].startsWith(files[i].toUtf8() + ";HU.BUD1.00.HHZ;4,000;"));
            QVERIFY(lines[4 + 4 * i].startsWith(files[i].toUtf8() + ";PVS;"));
            QCOMPARE(lines[4 + 4 * i].count(';'), 10);
        }
    }

    // --jelentes: one PDF, a page per record in argument order; none at all after a fault.
    void reportFromTheCommandLine() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("pdfinfo (poppler-utils) is not installed");
        QStringList files;
        for (int i = 0; i < 2; ++i) {
            const double f = 12 + 20 * i;
            const Signal s = [f](double t) { return 3 * sine(f, t); };
            files << save(QStringLiteral("report-%1.mseed").arg(i),
                          mseed(threeComponents(s, s, s, 2000, 1), DE_FLOAT32));
        }
        const QString pdf = dir().filePath(QStringLiteral("report.pdf"));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY")); // no display needed
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VELORIX_PROGRAM),
                QStringList{"--elemez"} + files +
                    QStringList{"-k", "műemlék", "--egyseg", "mm/s", "--jelentes", pdf});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished(30000));
        QVERIFY(
            QString::fromUtf8(info.readAllStandardOutput()).simplified().contains(u"Pages: 2 "));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString content = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY(content.indexOf(QStringLiteral("report-0.mseed")) >= 0);
        QVERIFY(content.indexOf(QStringLiteral("report-0.mseed")) <
                content.indexOf(QStringLiteral("report-1.mseed")));
        QVERIFY(content.contains(QStringLiteral("Műemlék")));

        QFile::remove(pdf);
        const QString bad = save(QStringLiteral("bad.txt"), "Z;N\n1;2\n");
        p.start(QStringLiteral(VELORIX_PROGRAM),
                QStringList{"--elemez", files[0], bad, "-k", "1", "--jelentes", pdf});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(p.readAllStandardError().contains("a jelentés nem készült el"));
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    checkExpectedLocale();
    TestAnalysis test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_elemzes.moc"
