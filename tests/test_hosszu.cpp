// Long monitoring records (piling, traffic, a station's day file) written by libmseed: their
// events, their interval peaks, and a displacement that does not drift.
#include "groundrecords.h"
#include "testfile.h"
#include "testlocale.h"

#ifndef Q_MOC_RUN // moc's parser takes no accented namespace names
#include "analysis/elemzes.h"
#include "analysis/esemenyek.h"
#include "analysis/intervallumok.h"
#include "analysis/tablazat.h"
#include "cli/rezgeselemzes.h"
#include "engine/hatarertek.h"
#include "engine/szovegek.h"
#include "futtatas.h"
#include "readers/rezgesjel.h"
#endif

#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

QTemporaryDir& dir() {
    static QTemporaryDir d;
    return d;
}

constexpr double Rate = 1000;
// 2026-12-04 09:41:12.250 UTC: not on a whole minute, so that intervals start part-way
const hptime_t Start = ms_time2hptime(2026, 338, 9, 41, 12, 250000);
const qint64 StartMicro = qint64(Start) / (HPTMODULUS / 1000000); // µs since 1970

QString saveRecord(const QString& name, const Ground& g, double seconds) {
    // Steim-2, as field recorders write
    return saveFile(dir(), name, mseed(groundChannels(g, seconds, Rate, Start), DE_STEIM2, 4096));
}

Rezgésjel::Felvétel read(const QString& file) {
    Rezgésjel::Beállítás settings;
    settings.érzékenység = 1000;
    Rezgésjel::Olvasás r = Rezgésjel::FájlOlvas(file, settings);
    if (r.hiba || r.felvételek.size() != 1)
        qFatal("unreadable test record");
    return std::move(r.felvételek.front());
}

struct Run {
    int status;
    QList<QByteArray> rows;
    QString messages;
};

// In this process; a report through the program, which draws it.
Run velorix(const QStringList& arguments) {
    if (!arguments.contains(QStringLiteral("--jelentes"))) {
        const Futás r = parancssor(arguments);
        return {r.állapot, r.sorok(), r.hibák};
    }
    QProcess p;
    p.start(QStringLiteral(VELORIX_PROGRAM), arguments);
    p.waitForFinished(120000);
    QList<QByteArray> rows = p.readAllStandardOutput().split('\n');
    if (!rows.isEmpty() && rows.last().isEmpty())
        rows.removeLast();
    return {p.exitCode(), rows, QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TestLongRecords : public QObject {
    Q_OBJECT

private slots:
    // Events at known times and amplitudes; trigger samples less than 1 s apart are one
    // event, and each event's window opens 0,25 s before its first trigger sample.
    void events_data() {
        QTest::addColumn<QList<double>>("times");
        QTest::addColumn<QList<double>>("amplitudes");
        QTest::addColumn<QList<int>>("groups"); // the event each blast belongs to
        QTest::newRow("quiet") << QList<double>{} << QList<double>{} << QList<int>{};
        QTest::newRow("three apart")
            << QList<double>{20, 47.5, 101} << QList<double>{3.1, 12, 0.9} << QList<int>{0, 1, 2};
        QTest::newRow("0,5 s apart: one")
            << QList<double>{30, 30.5} << QList<double>{4, 6} << QList<int>{0, 0};
        QTest::newRow("1,5 s apart: two")
            << QList<double>{30, 31.5} << QList<double>{4, 6} << QList<int>{0, 1};
        QTest::newRow("at the very start")
            << QList<double>{0.05, 60} << QList<double>{5, 5} << QList<int>{0, 1};
    }
    void events() {
        QFETCH(QList<double>, times);
        QFETCH(QList<double>, amplitudes);
        QFETCH(QList<int>, groups);
        std::vector<Blast> blasts;
        for (int i = 0; i < times.size(); ++i)
            blasts.push_back({times[i], amplitudes[i], 25});
        const Ground ground(blasts);
        const Rezgésjel::Felvétel record = read(saveRecord(QStringLiteral("e.mseed"), ground, 120));
        const std::vector<Elemzés::Esemény> found = Elemzés::Események(
            record, Elemzés::AlapKüszöb, 1, Elemzés::Hely::Alap, Elemzés::Módszer::ZC);
        const int expected =
            groups.isEmpty() ? 0 : *std::max_element(groups.begin(), groups.end()) + 1;
        QCOMPARE(int(found.size()), expected);
        for (int g = 0; g < expected; ++g) {
            const Elemzés::Esemény& e = found[std::size_t(g)];
            QCOMPARE(e.sorszám, g + 1);
            double first = 1e9, strongest = 0, when = 0;
            for (int i = 0; i < times.size(); ++i) {
                if (groups[i] != g)
                    continue;
                first = std::min(first, times[i]);
                if (amplitudes[i] > strongest)
                    strongest = amplitudes[i], when = times[i];
            }
            // the first trigger sample lies within the burst's rise, before its peak
            const double opens = double(e.ablak.kezdetMikro - StartMicro) / 1e6;
            QVERIFY2(opens <= std::max(0.0, first - 0.25) + 1e-9 && opens >= first - 0.25 - 0.25,
                     qPrintable(QString::number(opens)));
            QCOMPARE(*e.felvétel.kezdetMikro, e.ablak.kezdetMikro);
            // the vertical's peak: the strongest blast, at its time from the window's start
            const Elemzés::Összetevő& z = e.megállapítás.összetevők[0];
            QVERIFY2(std::fabs(z.jellemzők.ppv - strongest) < 0.1,
                     qPrintable(QString::number(z.jellemzők.ppv)));
            QVERIFY(std::fabs(opens + z.jellemzők.idő - when) < 0.003);
            QVERIFY(std::fabs(*z.jellemzők.zc - 25) < 2);
        }
    }

    // The command line's event rows: the header exactly, a row per component and a PVS row
    // per event, the window's start in UTC; a quiet record has the header only.
    void eventRows() {
        const QString loud =
            saveRecord(QStringLiteral("loud.mseed"), Ground({{20, 3.1, 30}, {50, 9, 8}}), 70);
        Run r = velorix({"--esemenyek", loud, "-k", "lakó", "--erzekenyseg", "1000"});
        QCOMPARE(r.status, 1); // 9 mm/s at 8 Hz exceeds 5 mm/s
        QCOMPARE(r.rows.value(0), QByteArray(RezgésElemzés::EseményFejléc));
        QCOMPARE(r.rows.size(), 1 + 2 * 4);
        const Rezgésjel::Felvétel record = read(loud);
        const auto found = Elemzés::Események(record, Elemzés::AlapKüszöb, 1, Elemzés::Hely::Alap,
                                              Elemzés::Módszer::ZC);
        QCOMPARE(found.size(), std::size_t(2));
        for (int e = 0; e < 2; ++e) {
            const QList<QByteArray> pvs = r.rows[4 + 4 * e].split(';');
            QCOMPARE(pvs.value(1), QByteArray::number(e + 1));
            QCOMPARE(QString::fromUtf8(pvs.value(2)),
                     Elemzés::UtcIdő(found[std::size_t(e)].ablak.kezdetMikro));
            QVERIFY(pvs.value(2).endsWith('Z') && pvs.value(2).size() == 24);
            QCOMPARE(pvs.value(3), QByteArray("PVS"));
            QCOMPARE(QString::fromUtf8(pvs.value(4)),
                     Határérték::Szám(found[std::size_t(e)].megállapítás.pvs, 3));
        }
        QVERIFY2(r.messages.contains(QStringLiteral("2 esemény")) &&
                     r.messages.contains(QStringLiteral("ebből 1 túllépi")),
                 qPrintable(r.messages));

        const QString quiet = saveRecord(QStringLiteral("quiet.mseed"), Ground({}), 30);
        r = velorix({"--events", quiet, "-k", "1", "--sensitivity", "1000"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.rows, QList<QByteArray>{RezgésElemzés::EseményFejléc});
        QVERIFY(r.messages.contains(QStringLiteral("nincs esemény")));
        // a threshold under the noise: the whole quiet record is one event
        r = velorix(
            {"--esemenyek", quiet, "-k", "1", "--erzekenyseg", "1000", "--kuszob", "0,001"});
        QCOMPARE(r.rows.size(), 1 + 4);
    }

    // The report of a monitoring record: the worst event's page, then every event on the
    // summary with its start in UTC and its verdict; the pages numbered through.
    void eventReport() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        std::vector<Blast> blasts;
        for (int i = 0; i < 60; ++i) // more events than a summary page holds
            blasts.push_back({5.0 + 3 * i, i == 37 ? 14.0 : 2.0 + 0.05 * i, 12});
        const QString file = saveRecord(QStringLiteral("sok.mseed"), Ground(blasts), 190);
        const QString pdf = dir().filePath(QStringLiteral("sok.pdf"));
        const Run r =
            velorix({"--esemenyek", file, "-k", "1", "--erzekenyseg", "1000", "--jelentes", pdf});
        QCOMPARE(r.status, 1);
        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString content = QString::fromUtf8(text.readAllStandardOutput());
        const auto found = Elemzés::Események(read(file), Elemzés::AlapKüszöb, 1,
                                              Elemzés::Hely::Alap, Elemzés::Módszer::ZC);
        QCOMPARE(found.size(), std::size_t(60));
        QVERIFY(content.contains(QStringLiteral("38. a felvétel 60 eseménye közül")));
        QCOMPARE(content.count(QStringLiteral("Események összesítése")), 2);
        for (const Elemzés::Esemény& e : found) {
            const QString start =
                e.felvétel.kezdet()->toString(QStringLiteral("yyyy. MM. dd. HH:mm:ss.zzz"));
            QVERIFY2(content.contains(start), qPrintable(start));
        }
        for (int page = 1; page <= 3; ++page)
            QVERIFY(content.contains(QStringLiteral("%1/3. oldal").arg(page)));
        QVERIFY(r.messages.contains(QStringLiteral("(3 oldal)")));
    }

    // Interval peaks against a direct computation over the samples of each interval; the
    // intervals are whole minutes of UTC, the first and last ones partial.
    void intervals() {
        const QString file =
            saveRecord(QStringLiteral("iv.mseed"), Ground({{10, 4, 20}, {75, 30, 6}}), 150);
        const Rezgésjel::Felvétel record = read(file);
        Run r = velorix({"--intervallum", "60", file, "-k", "1", "--erzekenyseg", "1000"});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.rows.value(0), QByteArray(RezgésElemzés::IntervallumFejléc));
        const QStringList starts = {QStringLiteral("2026-12-04T09:41:00.000Z"),
                                    QStringLiteral("2026-12-04T09:42:00.000Z"),
                                    QStringLiteral("2026-12-04T09:43:00.000Z")};
        QCOMPARE(r.rows.size(), 1 + 3 * 3);
        const qint64 minute = 60'000'000;
        const std::vector<Elemzés::Intervallum> peaks =
            Elemzés::Intervallumok(record, minute, 1, Elemzés::Hely::Alap);
        QCOMPARE(peaks.size(), std::size_t(3));
        for (int k = 0; k < 3; ++k) {
            const qint64 from = (StartMicro / minute + k) * minute, to = from + minute;
            for (int c = 0; c < 3; ++c) {
                const Rezgésjel::Csatorna& ch = record.csatornák[std::size_t(c)];
                std::vector<double> inside;
                for (std::size_t s = 0; s < ch.minták.size(); ++s) {
                    const qint64 t = StartMicro + qint64(s) * 1000;
                    if (t >= from && t < to)
                        inside.push_back(ch.minták[s]);
                }
                double mean = 0, ppv = 0;
                for (const double x : inside)
                    mean += x / double(inside.size());
                for (const double x : inside)
                    ppv = std::max(ppv, std::fabs(x - mean));
                const QList<QByteArray> row = r.rows[1 + 3 * k + c].split(';');
                QCOMPARE(QString::fromUtf8(row.value(1)), starts[k]);
                QCOMPARE(QString::fromUtf8(row.value(2)), ch.kód.név());
                const double shown = QString::fromUtf8(row.value(3)).replace(u',', u'.').toDouble();
                QVERIFY2(std::fabs(shown - ppv) <= 0.0005 + 1e-9, row.value(3).constData());
                // its frequency and judgement as the engine gives them for that peak
                const Elemzés::IntervallumCsúcs& peak =
                    peaks[std::size_t(k)].csúcsok[std::size_t(c)];
                QCOMPARE(peak.ppv, ppv);
                QCOMPARE(QString::fromUtf8(row.value(4)),
                         peak.zc ? Határérték::Szám(*peak.zc, 2) : QString());
                const auto m = Határérték::ÖsszetevőMegítél(1, Elemzés::Hely::Alap, peak.zc, ppv,
                                                            ch.függőleges);
                QCOMPARE(QString::fromUtf8(row.value(5)), Határérték::SzázadSzöveg(m->határSzázad));
            }
        }
        QVERIFY(r.rows[1 + 3 + 0].endsWith("túllépi")); // 30 mm/s at 6 Hz, second minute
        QVERIFY(r.messages.contains(QStringLiteral("3 intervallum")));
    }

    // The displacement is the integral of the velocity without its drift: a pure sine's
    // is PPV / (2πf) whatever its phase; an hour of noise with one 30 Hz blast keeps the
    // blast's, where the plain integral wanders off.
    void displacement_data() {
        QTest::addColumn<double>("frequency");
        QTest::addColumn<double>("phase");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<bool>("noise");
        QTest::newRow("sine 10 Hz") << 10.0 << 0.0 << 4.0 << false;
        QTest::newRow("cosine 10 Hz") << 10.0 << M_PI / 2 << 4.0 << false;
        QTest::newRow("sine 2,5 Hz") << 2.5 << 0.3 << 8.0 << false;
        QTest::newRow("an hour, 30 Hz blast") << 30.0 << 0.0 << 3600.0 << true;
    }
    void displacement() {
        QFETCH(double, frequency);
        QFETCH(double, phase);
        QFETCH(double, seconds);
        QFETCH(bool, noise);
        const auto n = std::size_t(seconds * Rate);
        std::vector<double> v(n);
        const Ground ground({{seconds / 2, 3.1, frequency}}, 11, 0.05);
        for (std::size_t i = 0; i < n; ++i) {
            const double t = double(i) / Rate;
            v[i] = noise ? ground(t, 0) : 3.1 * std::sin(2 * M_PI * frequency * t + phase);
        }
        const Elemzés::Jellemzők j = Elemzés::Számol(v, Rate);
        // a burst's displacement is about its peak over 2πf; the noise adds a few µm
        const double expected = j.ppv / (2 * M_PI * frequency);
        QVERIFY2(std::fabs(j.elmozdulás - expected) < 0.03 * expected + (noise ? 0.002 : 0),
                 qPrintable(QStringLiteral("%1 mm, expected %2").arg(j.elmozdulás).arg(expected)));
    }

    // Options that cannot mean anything are refused before any file is read.
    void options_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("both") << QStringList{"--esemenyek", "--intervallum", "60"}
                              << QStringLiteral("csak az egyik");
        QTest::newRow("trigger alone")
            << QStringList{"--elemez", "x", "--kuszob", "1"} << QStringLiteral("--kuszob");
        QTest::newRow("zero trigger")
            << QStringList{"--esemenyek", "--kuszob", "0"} << QStringLiteral("küszöb");
        QTest::newRow("negative interval")
            << QStringList{"--intervallum", "-60"} << QStringLiteral("intervallum");
        QTest::newRow("interval by fft") << QStringList{"--intervallum", "60", "--modszer", "fft"}
                                         << QStringLiteral("nullátmenet");
    }
    void options() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Run r = velorix(arguments + QStringList{"-k", "1", "nincs.mseed"});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.messages.contains(message), qPrintable(r.messages));
        QVERIFY(r.rows.isEmpty());
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    checkExpectedLocale();
    TestLongRecords test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_hosszu.moc"
