// The record readers on bytes, as the program's doors hand them over: the format told from
// the bytes, headers that keep what the file says, one kind of fault that says where, and
// start times to the microsecond.
#include "mseedwriter.h"
#include "testfile.h"
#include "testlocale.h"

#ifndef Q_MOC_RUN // moc's parser takes no accented namespace names
#include "readers/idosorolvaso.h"
#include "readers/rezgesjel.h"
#endif

#include <QBuffer>
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
        QTest::newRow("200 µs apart") << QList<QByteArray>{"2026-12-04T09:41:12.000400",
                                                           "2026-12-04T09:41:12.000600",
                                                           "2026-12-04T09:41:12.000200"}
                                      << 2;
        QTest::newRow("2.2 s apart") << QList<QByteArray>{"2026-12-04T09:41:14.200000",
                                                          "2026-12-04T09:41:14.200000",
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
        QByteArray gap = records.left(512 * 2) + records.mid(512 * 3);
        QTest::newRow("counts, no sensitivity")
            << records << int(Hiba::Fajta::ÉrzékenységKell) << qint64(0)
            << QStringLiteral("HU.BUD1.00.HHZ") << false;
        QTest::newRow("a record cut")
            << records.left(records.size() - 100) << int(Hiba::Fajta::Tartalom) << qint64(0)
            << QString() << false;
        QTest::newRow("a record missing") << gap << int(Hiba::Fajta::Tartalom) << qint64(0)
                                          << QStringLiteral("HU.BUD1.00.HHZ") << true;
        QTest::newRow("not a number")
            << QByteArray("idő;Z [mm/s]\n0;1\n0,001;x\n0,002;2\n") << int(Hiba::Fajta::Tartalom)
            << qint64(3) << QStringLiteral("Z") << false;
        QTest::newRow("no time column")
            << QByteArray("Z;N\n1;2\n3;4\n5;6\n") << int(Hiba::Fajta::MintavételKell) << qint64(0)
            << QString() << false;
        QTest::newRow("a unit against the one given")
            << QByteArray("t;Z [m/s]\n0;1\n0,01;2\n0,02;3\n")
            << int(Hiba::Fajta::EgységEllentmond) << qint64(0) << QStringLiteral("Z") << false;
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
