// The campaign catalogue on both of its servers, an SQLite file and a private PostgreSQL
// cluster the test starts itself: each file in once and whole, the evidence kept, a point's
// building kept, two importers at once, an import killed midway, a newer or a damaged
// catalogue never written.
#include "exportwriter.h"
#include "groundrecords.h"
#include "mseedwriter.h"
#include "postgrescluster.h"
#include "testfile.h"
#include "testlocale.h"

#ifndef Q_MOC_RUN // moc's parser takes no accented namespace names
#include "catalogue/cim.h"
#include "catalogue/katalogus.h"
#include "catalogue/sema.h"
#include "engine/hatarertek.h"
#include "engine/szovegek.h"
#include "futtatas.h"
#include "sitelaw/illesztes.h"
#endif

#include <QCryptographicHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <set>

// A new catalogue on the backend, or the test skipped (no server programs here) or failed.
#define CATALOGUE(name, backend)                                                                   \
    const QString name = catalogue(backend);                                                       \
    if (name.isEmpty())                                                                            \
        return;

namespace {

// A Full Waveform export of its own bytes (its event time), the peak `amplitude` mm/s.
QByteArray exportBytes(int n, double amplitude, double seconds = 1,
                       const QByteArray& date = "June 26, 2026") {
    FullWaveform w;
    w.recordTime = seconds;
    w.date = date;
    w.time = QByteArray::number(10 + n / 60) + ':' +
             QByteArray::number(n % 60).rightJustified(2, '0') + ":05";
    w.sample = FullWaveform::burst(amplitude);
    return w.bytes();
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    PostgresCluster postgres_;
    bool postgresUp_ = false;
    QString postgresWhy_;

    // A new, empty catalogue on the backend.
    QString catalogue(const QString& backend) {
        if (backend == u"sqlite")
            return dir_.filePath(QUuid::createUuid().toString(QUuid::Id128) +
                                 QStringLiteral(".velorix"));
        if (!postgresUp_) {
            if (PostgresCluster::binaries().isEmpty())
                QTest::qSkip(qPrintable(postgresWhy_), __FILE__, __LINE__);
            else
                QTest::qFail(qPrintable(postgresWhy_), __FILE__, __LINE__);
            return {};
        }
        QString why;
        const QString address = postgres_.newDatabase(&why);
        if (address.isEmpty())
            QTest::qFail(qPrintable(why), __FILE__, __LINE__);
        return address;
    }

    QString file(int n, double amplitude = 3, double seconds = 1,
                 const QByteArray& date = "June 26, 2026") {
        return saveFile(dir_, QStringLiteral("e%1.TXT").arg(n),
                        exportBytes(n, amplitude, seconds, date));
    }

    // The catalogue's own tables, read past the program.
    QSqlDatabase sql(const QString& address) {
        QString why;
        const std::optional<Katalógus::Cím> c = Katalógus::CímOlvas(address, &why);
        const QString name = QUuid::createUuid().toString(QUuid::Id128);
        QSqlDatabase db = QSqlDatabase::addDatabase(c->fajta == Katalógus::Cím::Fajta::SQLite
                                                        ? QStringLiteral("QSQLITE")
                                                        : QStringLiteral("QPSQL"),
                                                    name);
        db.setDatabaseName(c->fajta == Katalógus::Cím::Fajta::SQLite ? c->fájl : c->adatbázis);
        db.setHostName(c->gazda);
        db.setPort(c->port);
        db.setUserName(c->felhasználó);
        db.open();
        return db;
    }
    qint64 count(const QString& address, const QString& table) {
        QSqlQuery q(sql(address));
        q.exec(QStringLiteral("SELECT count(*) FROM ") + table);
        return q.next() ? q.value(0).toLongLong() : -1;
    }

    void backends() {
        QTest::addColumn<QString>("backend");
        QTest::newRow("SQLite") << QStringLiteral("sqlite");
        QTest::newRow("PostgreSQL") << QStringLiteral("postgresql");
    }

private slots:
    void initTestCase() {
        checkExpectedLocale();
        postgresUp_ = postgres_.start(&postgresWhy_);
    }

    // A file goes in once: a second import of the same bytes is named and skipped; its
    // measurement lists with the verdict --elemez gives it, and the filters take what they say.
    void eachFileOnce_data() { backends(); }
    void eachFileOnce() {
        QFETCH(QString, backend);
        CATALOGUE(kat, backend)
        const QString within = file(1), exceeds = file(2, 12);
        const Futás first =
            parancssor({"--katalogus", kat, "--felvesz", within, exceeds, "-k", "lakó"});
        QCOMPARE(first.állapot, 1);
        QCOMPARE(first.hibák.count(QStringLiteral(": felvéve, 1 mérés")), 2);
        const Futás again =
            parancssor({"--katalogus", kat, "--felvesz", within, exceeds, "-k", "lakó"});
        QCOMPARE(again.állapot, 0);
        QCOMPARE(again.hibák.count(QStringLiteral("már a katalógusban van")), 2);
        const Futás list = parancssor({"--katalogus", kat, "--lista"});
        QCOMPARE(list.sorok().size(), 1 + 2);
        QCOMPARE(list.állapot, 1);
        // the utilisation and verdict as --elemez has them, for the deciding component
        const QList<QByteArray> analysed = parancssor({"--elemez", exceeds, "-k", "lakó"}).sorok();
        const QList<QByteArray> row = list.sorok()[2].split(';');
        QVERIFY2(analysed[2].endsWith(";" + row[13] + ";" + row[14]), list.ki.constData());
        QCOMPARE(parancssor({"--katalogus", kat, "--lista", "--tullepi"}).sorok().size(), 1 + 1);
        QCOMPARE(parancssor({"--katalogus", kat, "--lista", "--tol", "2026-06-27"}).sorok().size(),
                 1);
        QCOMPARE(
            parancssor({"--katalogus", kat, "--lista", "--ig", "2026-06-26", "--pont", "UM99999"})
                .sorok()
                .size(),
            1 + 2);
        // the evidence: the original bytes, whole, under their SHA-256
        QSqlQuery q(sql(kat));
        QVERIFY(q.exec(QStringLiteral("SELECT sha256, tomoritett FROM fajl WHERE nev = 'e2.TXT'")));
        QVERIFY(q.next());
        const QByteArray original = exportBytes(2, 12);
        QCOMPARE(qUncompress(q.value(1).toByteArray()), original);
        QCOMPARE(q.value(0).toString(),
                 QString::fromLatin1(
                     QCryptographicHash::hash(original, QCryptographicHash::Sha256).toHex()));
    }

    // A summary table goes in a row a measurement, each judged by the engine at its point's
    // building and place, as --ertekel judges the same PPV and frequency; a single PPV of no
    // stated direction is not judged at the top floor slab, and says why.
    void summaryTableImport_data() {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("place");
        QTest::newRow("SQLite, foundation") << QStringLiteral("sqlite") << QStringLiteral("alap");
        QTest::newRow("PostgreSQL, foundation")
            << QStringLiteral("postgresql") << QStringLiteral("alap");
        QTest::newRow("SQLite, top floor slab")
            << QStringLiteral("sqlite") << QStringLiteral("födém");
    }
    void summaryTableImport() {
        QFETCH(QString, backend);
        QFETCH(QString, place);
        CATALOGUE(kat, backend)
        const QString table = saveFile(
            dir_,
            QStringLiteral("osszesito-%1.csv").arg(QUuid::createUuid().toString(QUuid::Id128)),
            "Pont;Idő;Távolság (m);Töltet (kg);Tran (mm/s);Freq (Hz);Vert (mm/s);Freq (Hz);"
            "Long (mm/s);Freq (Hz);PVS (mm/s)\r\n"
            "HAZ1;2026.09.14. 08:30:12;250;25;3,2;18;9,4;22;2,1;30;9,9\r\n"
            "HAZ1;2026.09.15. 08:31:00;260;25;1,2;18;2,4;22;1,1;30;2,7\r\n"
            "HAZ2;2026.09.15. 08:31:02;400;25;;;;;;;\r\n"
            "HAZ3;2026.09.15. 08:31:05;400;25;;;;;;;\r\n");
        // rows without a PPV are a fault of the file: nothing of it goes in
        const Futás faulty = parancssor({"--katalogus", kat, "--felvesz", table, "-k", "lakó"});
        QCOMPARE(faulty.állapot, 2);
        QVERIFY2(faulty.hibák.contains(QStringLiteral("4. sor")) ||
                     faulty.hibák.contains(QStringLiteral(":4:")),
                 qPrintable(faulty.hibák));
        QCOMPARE(count(kat, QStringLiteral("meres")), 0);
        QFile f(table);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        bytes.truncate(bytes.indexOf("HAZ2")); // the two measured rows alone
        f.resize(0);
        f.write(bytes);
        f.close();
        const Futás in =
            parancssor({"--katalogus", kat, "--felvesz", table, "-k", "lakó", "--hely", place});
        const bool slab = place == u"födém";
        QVERIFY2(in.hibák.contains(QStringLiteral(": felvéve, 2 mérés")), qPrintable(in.hibák));
        const QList<QByteArray> list = parancssor({"--katalogus", kat, "--lista"}).sorok();
        QCOMPARE(list.size(), 1 + 2);
        // the first row: each component against the residential limit at its own frequency
        const QList<QByteArray> row = list[1].split(';');
        const int tran = slab ? Határérték::FelsőFödémSzázad(1) : Határérték::AlaponSzázad(1, 18);
        const int vert = Határérték::AlaponSzázad(1, 22);
        const bool vertDecides =
            !slab && 9.4 / vert > 3.2 / tran && 9.4 / vert > 2.1 / Határérték::AlaponSzázad(1, 30);
        QCOMPARE(QString::fromUtf8(row[7]),
                 vertDecides ? QStringLiteral("Vert") : QStringLiteral("Tran"));
        QCOMPARE(QString::fromUtf8(row[12]), Határérték::SzázadSzöveg(vertDecides ? vert : tran));
        QCOMPARE(QString::fromUtf8(row[14]), 9.4 * 100 > vert && !slab
                                                 ? QStringLiteral("túllépi")
                                                 : QStringLiteral("megfelel"));
        QCOMPARE(QString::fromUtf8(row[6]), Határérték::Szám(250 / 5.0, 2)); // 250 m / √25 kg
    }

    // Counts with no sensitivity go in not judged, saying why; given a sensitivity later, the
    // stored bytes are judged again as --elemez judges the file, the blast it was paired with
    // kept, nothing imported again; then nothing is left to judge.
    void judgedLater_data() { backends(); }
    void judgedLater() {
        QFETCH(QString, backend);
        CATALOGUE(kat, backend)
        const Signal z = [](double t) {
            return 9.0 * std::sin(2 * M_PI * 20 * t) * std::exp(-3 * t);
        };
        const Signal h = [](double t) {
            return 2.0 * std::sin(2 * M_PI * 30 * t) * std::exp(-3 * t);
        };
        const QString record = saveFile(
            dir_, QStringLiteral("counts-%1.mseed").arg(QUuid::createUuid().toString(QUuid::Id128)),
            mseed(threeComponents(z, h, h, 2000, 1000, 1000), DE_INT32));
        const QString log = saveFile(dir_, QStringLiteral("log-%1.csv").arg(backend),
                                     "id;time\nR-1;2026-12-08T09:59:30Z\n");
        const Futás in = parancssor(
            {"--katalogus", kat, "--robbantasok", log, "--felvesz", record, "-k", "lakó"});
        QCOMPARE(in.állapot, 3);
        QVERIFY2(in.hibák.contains(QStringLiteral("1 nincs megítélve")), qPrintable(in.hibák));
        QList<QByteArray> row =
            parancssor({"--katalogus", kat, "--lista"}).sorok().value(1).split(';');
        QVERIFY2(row.value(14).contains("count"), row.join(';').constData());
        QCOMPARE(row.value(1), QByteArray("R-1"));

        const Futás again = parancssor({"--katalogus", kat, "--megitel", "--erzekenyseg", "1000"});
        const Futás analysed =
            parancssor({"--elemez", record, "-k", "lakó", "--erzekenyseg", "1000"});
        QCOMPARE(again.állapot, analysed.állapot);
        QVERIFY2(again.hibák.contains(QStringLiteral(": újra megítélve, 1 mérés")),
                 qPrintable(again.hibák));
        row = parancssor({"--katalogus", kat, "--lista"}).sorok().value(1).split(';');
        QVERIFY2(analysed.sorok().value(1).endsWith(";" + row.value(13) + ";" + row.value(14)),
                 analysed.ki.constData());
        QCOMPARE(row.value(1), QByteArray("R-1")); // still paired
        QCOMPARE(count(kat, QStringLiteral("meres")), 1);
        QCOMPARE(count(kat, QStringLiteral("fajl")), 1);
        const Futás nothing = parancssor({"--katalogus", kat, "--megitel"});
        QCOMPARE(nothing.állapot, 0);
        QVERIFY2(nothing.hibák.contains(QStringLiteral("nincs nem megítélt mérés")),
                 qPrintable(nothing.hibák));
        QCOMPARE(parancssor({"--katalogus", kat, "--megitel", record}).állapot, 2);
    }

    // A point's building is the catalogue's once it is there: a new point needs its category,
    // and another one given later is refused with nothing written.
    void pointKeepsItsBuilding_data() { backends(); }
    void pointKeepsItsBuilding() {
        QFETCH(QString, backend);
        CATALOGUE(kat, backend)
        const Futás none = parancssor({"--katalogus", kat, "--felvesz", file(3)});
        QCOMPARE(none.állapot, 2);
        QVERIFY2(none.hibák.contains(u"UM99999 pont új a katalógusban"), qPrintable(none.hibák));
        QCOMPARE(parancssor({"--katalogus", kat, "--felvesz", file(3), "-k", "műemlék"}).állapot,
                 0);
        const Futás other = parancssor({"--katalogus", kat, "--felvesz", file(4), "-k", "ipari"});
        QCOMPARE(other.állapot, 2);
        QVERIFY2(other.hibák.contains(u"a katalógusban Műemlék"), qPrintable(other.hibák));
        // without a category the point's own judges
        QCOMPARE(parancssor({"--katalogus", kat, "--felvesz", file(4)}).állapot, 0);
        QCOMPARE(count(kat, QStringLiteral("meres")), 2);
        QCOMPARE(count(kat, QStringLiteral("fajl")), 2);
    }

    // Each measurement is paired with the one blast before its trigger within the window: its
    // charge, and the distance from the point's and the blast's coordinates; two candidates or
    // none are said, never guessed.
    void blastsPaired_data() { backends(); }
    void blastsPaired() {
        QFETCH(QString, backend);
        CATALOGUE(kat, backend)
        const QString log = saveFile(
            dir_, QStringLiteral("naplo.csv"),
            "azonosító;idő;töltet késleltetésenként (kg);EOV Y (m);EOV X (m)\r\n"
            "B1;2026.06.26. 10:00:30;25;650300;230400\r\nB2;2026-06-26T08:01:40Z;30;;\r\n");
        const QString points =
            saveFile(dir_, QStringLiteral("pontok.txt"),
                     "[UM99999]\nkategória = lakó\nEOV Y = 650000\nEOV X = 230000\n");
        const Futás r = parancssor({"--katalogus", kat, "--robbantasok", log, "--adatok", points,
                                    "--felvesz", file(1), file(2), file(9)});
        QCOMPARE(r.állapot, 0);
        QVERIFY2(r.hibák.contains(u"naplo.csv: 2 robbantás felvéve") &&
                     r.hibák.contains(u"1 mérés párosítva robbantással") &&
                     r.hibák.contains(u"több robbantás is lehet, nincs párosítva: UM99999 "
                                      u"2026-06-26T08:02:04") &&
                     r.hibák.contains(u"(B1, B2)") &&
                     r.hibák.contains(u"nincs robbantás a mérés előtt 120 s-on belül: UM99999 "
                                      u"2026-06-26T08:09:04"),
                 qPrintable(r.hibák));
        const QList<QByteArray> rows = parancssor({"--katalogus", kat, "--lista"}).sorok();
        QCOMPARE(rows.size(), 1 + 3);
        // 500 m from the blast of 25 kg a delay: 100 m/kg½
        QVERIFY2(rows[1].startsWith("UM99999;B1;") && rows[1].contains(";500,0;25,00;100,00;"),
                 rows[1].constData());
        QVERIFY2(rows[2].startsWith("UM99999;;"), rows[2].constData());
        // the log again: nothing new, nothing changed; a wider window finds two for the last
        const Futás again =
            parancssor({"--katalogus", kat, "--robbantasok", log, "--parositas", "600"});
        QVERIFY2(again.hibák.contains(u"0 robbantás felvéve, 2 már a katalógusban van"),
                 qPrintable(again.hibák));
        QVERIFY2(again.hibák.contains(u"0 mérés párosítva robbantással") &&
                     again.hibák.contains(u"nincs párosítva: UM99999 2026-06-26T08:09:04"),
                 qPrintable(again.hibák));
    }

    // The campaign's figures by month and in all: counts, the largest utilisation and where,
    // the percentiles by nearest rank, the shares above 50, 80 and 100 %; the rule said.
    void statistics() {
        CATALOGUE(kat, QStringLiteral("sqlite"))
        // Vert's 20 Hz peak against the residential 7,5 mm/s: 40 %, 13 %, 27 %, 160 % in June,
        // 67 % in July
        const Futás in =
            parancssor({"--katalogus", kat, "-k", "lakó", "--felvesz", file(300, 3), file(301, 1),
                        file(302, 2), file(303, 12), file(304, 5, 1, "July 2, 2026")});
        QCOMPARE(in.állapot, 1);
        const Futás r = parancssor({"--katalogus", kat, "--statisztika"});
        QVERIFY2(r.hibák.contains(u"legközelebbi rangja"), qPrintable(r.hibák));
        const QList<QByteArray> rows = r.sorok();
        QCOMPARE(rows.size(), 1 + 3 + 3); // the point: June, July, whole; the site likewise
        QVERIFY2(rows[1].startsWith("UM99999;2026-06;4;0;1;0;"), rows[1].constData());
        QVERIFY2(rows[2].startsWith("UM99999;2026-07;1;0;0;0;"), rows[2].constData());
        QList<QByteArray> all = rows[6].split(';');
        QCOMPARE(all[0], QByteArray("(helyszín)"));
        QCOMPARE(all[2], QByteArray("5"));
        QVERIFY2(all[7].endsWith("e303.TXT"), rows[6].constData());
        // of five, the 50th percentile is the third and the 95th the largest
        const QList<QByteArray> list = parancssor({"--katalogus", kat, "--lista"}).sorok();
        QList<double> ppv;
        for (int i = 1; i < list.size(); ++i)
            ppv << list[i].split(';')[8].replace(',', '.').toDouble();
        std::sort(ppv.begin(), ppv.end());
        QCOMPARE(all[8].replace(',', '.').toDouble(), ppv[2]);
        QCOMPARE(all[9].replace(',', '.').toDouble(), ppv[4]);
        QCOMPARE(all.mid(12), (QList<QByteArray>{"2", "1", "1"})); // above 50, 80, 100 %
    }

    // The listing for a spreadsheet: a CSV as Hungarian Excel opens it, or a workbook whose
    // figures are numbers, its local times dates and its header frozen.
    void spreadsheetFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("Excel CSV") << QStringLiteral("lista.csv");
        QTest::newRow("workbook") << QStringLiteral("lista.xlsx");
    }
    void spreadsheetFiles() {
        QFETCH(QString, name);
        CATALOGUE(kat, QStringLiteral("sqlite"))
        QCOMPARE(parancssor({"--katalogus", kat, "-k", "1", "--felvesz", file(400, 4)}).állapot, 0);
        const QString out = dir_.filePath(name);
        const Futás r = parancssor({"--katalogus", kat, "--lista", "--kimenet", out});
        QCOMPARE(r.állapot, 0);
        QVERIFY(r.ki.isEmpty());
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        const QList<QByteArray> rows = parancssor({"--katalogus", kat, "--lista"}).sorok();
        if (name.endsWith(u".csv")) {
            QCOMPARE(bytes, "\xEF\xBB\xBF" + rows.join("\r\n") + "\r\n");
            return;
        }
        QProcess unzip; // the sheet, read as a spreadsheet program reads it
        unzip.start(QStringLiteral("python3"),
                    {"-c",
                     "import sys,zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1])"
                     ".read('xl/worksheets/sheet1.xml'))",
                     out});
        QVERIFY(unzip.waitForFinished(30000) && unzip.exitCode() == 0);
        const QByteArray sheet = unzip.readAllStandardOutput();
        QVERIFY(sheet.contains("state=\"frozen\""));
        const QByteArray ppv = rows[1].split(';')[8].replace(',', '.');
        QVERIFY2(sheet.contains("<c r=\"I2\"><v>" + ppv + "</v>"), sheet.constData()); // a number
        QVERIFY(sheet.contains("<c r=\"D2\" s=\"2\"><v>46199.")); // 26 June 2026, a date
        QCOMPARE(parancssor({"--katalogus", kat, "--lista", "--kimenet", dir_.filePath("l.ods")})
                     .állapot,
                 2);
    }
    // The site's law from the catalogue is the law of the same rows read as a table; a
    // filter takes its point's alone; a charge is given for every point with its own building.
    void siteLaw_data() { backends(); }
    void siteLaw() {
        QFETCH(QString, backend);
        CATALOGUE(kat, backend)
        const QByteArray fej = "Pont;Idő;Távolság (m);Töltet (kg);Tran (mm/s);Freq (Hz);Vert "
                               "(mm/s);Freq (Hz);Long (mm/s);Freq (Hz)\r\n";
        QByteArray sorok[2];
        for (int i = 0; i < 40; ++i) { // two points, the law 900·SD^−1.5, a spread of ±25 %
            const int p = i % 2;
            const double sd = 4 + 3.1 * i, w = 9 + i % 5;
            const double ppv = 900 * std::pow(sd, -1.5) * (1 + 0.25 * std::sin(i * 2.7));
            sorok[p] +=
                QByteArray(p ? "TEMP" : "HAZ1") + ";2026-09-" + QByteArray::number(10 + i / 2) +
                "T08:" + QByteArray::number(10 + i).rightJustified(2, '0') + ":00+02:00;" +
                QByteArray::number(sd * std::sqrt(w), 'f', 2) + ';' + QByteArray::number(w) + ';' +
                QByteArray::number(ppv * 0.6, 'f', 4) + ";12;" + QByteArray::number(ppv, 'f', 4) +
                ";18;" + QByteArray::number(ppv * 0.8, 'f', 4) + ";25\r\n";
        }
        sorok[0] += "HAZ1;2026-09-30T08:00:00+02:00;;;1,2;15;2,2;15;1,1;15\r\n"; // no distance
        const QString ház =
            saveFile(dir_, QStringLiteral("haz-%1.csv").arg(backend), fej + sorok[0]);
        const QString templom =
            saveFile(dir_, QStringLiteral("templom-%1.csv").arg(backend), fej + sorok[1]);
        const QString mind =
            saveFile(dir_, QStringLiteral("mind-%1.csv").arg(backend), fej + sorok[0] + sorok[1]);
        // the nearest blasts exceed (status 1); none is a fault
        const QString adatok = saveFile(dir_, QStringLiteral("haz-%1.txt").arg(backend),
                                        "[HAZ1]\nEOV Y = 650000\nEOV X = 230000\n");
        QCOMPARE(
            parancssor({"--katalogus", kat, "--felvesz", ház, "-k", "lakó", "--adatok", adatok})
                .állapot,
            1);
        QCOMPARE(parancssor({"--katalogus", kat, "--felvesz", templom, "-k", "műemlék"}).állapot,
                 1);
        auto törvény = [](const Futás& f) {
            const QList<QByteArray> s = f.sorok();
            return s.size() == 2 ? s[1].left(s[1].lastIndexOf(';')) : QByteArray("?");
        };
        const Futás katalógusból = parancssor({"--katalogus", kat, "--terjedes"});
        QCOMPARE(katalógusból.állapot, 0);
        QCOMPARE(törvény(katalógusból), törvény(parancssor({"--terjedes", mind})));
        QVERIFY2(katalógusból.hibák.contains(QStringLiteral("1 mérés nem vett részt")),
                 qPrintable(katalógusból.hibák));
        QCOMPARE(törvény(parancssor({"--katalogus", kat, "--terjedes", "--pont", "TEMP"})),
                 törvény(parancssor({"--terjedes", templom})));
        // a measurement --lista keys is the one --kizar drops: the same law as the table's
        // without its row
        const QList<QByteArray> lista = parancssor({"--katalogus", kat, "--lista"}).sorok();
        const qsizetype kulcs = lista[0].split(';').indexOf("azonosító");
        QVERIFY(kulcs > 0);
        int talált = 0;
        for (const QByteArray& sor : lista.mid(1)) {
            const QList<QByteArray> c = sor.split(';');
            if (c[0] != "TEMP" || c[2] != "2026-09-10T06:11:00.000Z")
                continue; // the second blast of the table, the first at the temple
            ++talált;
            const Futás nélküle = parancssor(
                {"--katalogus", kat, "--terjedes", "--kizar", QString::fromUtf8(c[kulcs])});
            QVERIFY2(nélküle.sorok().value(1).contains(";kizárva: " + c[kulcs] + ','),
                     nélküle.sorok().value(1).constData());
            QByteArray kisebb = fej + sorok[0] + sorok[1];
            kisebb.remove(kisebb.indexOf(sorok[1].left(sorok[1].indexOf('\n') + 1)),
                          sorok[1].indexOf('\n') + 1);
            QCOMPARE(törvény(nélküle),
                     törvény(parancssor(
                         {"--terjedes",
                          saveFile(dir_, QStringLiteral("kisebb-%1.csv").arg(backend), kisebb)})));
        }
        QCOMPARE(talált, 1);
        // every point at its distance, judged by its own building at the frequency given
        const Futás töltetek = parancssor({"--katalogus", kat, "--terjedes", "--max-toltet",
                                           "--pontonkent", "--tavolsag", "HAZ1=300", "--tavolsag",
                                           "TEMP=450,5", "--frekvencia", "20"});
        QCOMPARE(töltetek.állapot, 0);
        const QList<QByteArray> s = töltetek.sorok();
        QCOMPARE(s.size(), 3);
        QCOMPARE(s[0], QByteArray("pont;távolság;kategória;frekvencia;határérték;W50;W95"));
        for (const auto& [sor, kategória, távolság] :
             {std::tuple{1, "lakó", "300"}, std::tuple{2, "műemlék", "450,5"}}) {
            const Futás egy =
                parancssor({"--terjedes", mind, "--max-toltet", "--tavolsag", távolság,
                            "--kategoria", kategória, "--frekvencia", "20"});
            QCOMPARE(s[sor], QByteArray(sor == 1 ? "HAZ1;" : "TEMP;") + egy.sorok().value(1));
        }
        // the planned blast's EOV coordinates give the distance of a point that has its own
        const Futás eov =
            parancssor({"--katalogus", kat, "--terjedes", "--max-toltet", "--pontonkent", "--eov",
                        "650120;230090", "--tavolsag", "TEMP=450,5"});
        QCOMPARE(eov.állapot, 0);
        QCOMPARE(eov.sorok().value(1),
                 "HAZ1;" + parancssor({"--terjedes", mind, "--max-toltet", "--tavolsag", "150",
                                       "--kategoria", "lakó"})
                               .sorok()
                               .value(1));
        // a point with no distance is named, not guessed
        const Futás hiányzó = parancssor({"--katalogus", kat, "--terjedes", "--max-toltet",
                                          "--pontonkent", "--tavolsag", "HAZ1=300"});
        QCOMPARE(hiányzó.állapot, 2);
        QVERIFY(hiányzó.hibák.contains(QStringLiteral("TEMP: nincs távolsága")));
    }
    // The campaign report of a filtered catalogue: every measurement in its paged table, the
    // filter on the first page, each point's largest charge as the command line computes it,
    // numbered pages, PDF/A; nothing to report is a fault, and no file is written.
    void campaignReport_data() {
        QTest::addColumn<QString>("point"); // the filter; empty: none
        QTest::newRow("every point, several pages of measurements") << QString();
        QTest::newRow("one point") << "TEMP";
    }
    void campaignReport() {
        QFETCH(QString, point);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const QString kat = catalogue(QStringLiteral("sqlite"));
        QByteArray table = "Pont;Idő;Távolság (m);Töltet (kg);Tran (mm/s);Freq (Hz);Vert "
                           "(mm/s);Freq (Hz);Long (mm/s);Freq (Hz)\r\n";
        for (int i = 0; i < 150; ++i) { // the law 900·SD^−1.5, a spread of ±25 %
            const double sd = 4 + 1.1 * i, w = 9 + i % 5;
            const double ppv = 900 * std::pow(sd, -1.5) * (1 + 0.25 * std::sin(i * 2.7));
            table += QByteArray(i % 2 ? "TEMP" : "HAZ1") + (i < 100 ? ";2026-09-" : ";2026-10-") +
                     QByteArray::number(10 + i % 100 / 10) +
                     "T08:" + QByteArray::number(10 + i % 40).rightJustified(2, '0') +
                     ":00+02:00;" + QByteArray::number(sd * std::sqrt(w), 'f', 2) + ';' +
                     QByteArray::number(w) + ';' + QByteArray::number(ppv * 0.6, 'f', 4) + ";12;" +
                     QByteArray::number(ppv, 'f', 4) + ";18;" +
                     QByteArray::number(ppv * 0.8, 'f', 4) + ";25\r\n";
        }
        const QString f = saveFile(dir_, QStringLiteral("kampany.csv"), table);
        QVERIFY(parancssor({"--katalogus", kat, "--felvesz", f, "-k", "lakó"}).állapot != 2);
        QStringList filter;
        if (!point.isEmpty())
            filter << "--pont" << point;
        const QString pdf = dir_.filePath(QStringLiteral("kampany-%1.pdf").arg(point));
        QProcess p;
        p.start(QStringLiteral(VELORIX_PROGRAM),
                QStringList{"--katalogus", kat, "--jelentes", pdf, "--tavolsag", "HAZ1=200",
                            "--tavolsag", "TEMP=310,5"} +
                    filter);
        QVERIFY(p.waitForFinished(60000));
        QVERIFY2(p.exitCode() != 2, p.readAllStandardError().constData());
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.contains("<pdfaid:part>1</pdfaid:part>"));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString content = QString::fromUtf8(text.readAllStandardOutput());
        // the rows the listing gives, each once in the report's table, over as many pages as it
        // takes
        const int rows =
            int(parancssor(QStringList{"--katalogus", kat, "--lista"} + filter).sorok().size()) - 1;
        QCOMPARE(rows, point.isEmpty() ? 150 : 75);
        int shown = 0;
        const QRegularExpression range(
            QStringLiteral("Robbantások és mérések \\((\\d+)–(\\d+)\\. / (\\d+)\\)"));
        for (auto m = range.globalMatch(content); m.hasNext();) {
            const auto r = m.next();
            QCOMPARE(r.captured(1).toInt(), shown + 1);
            QCOMPARE(r.captured(3).toInt(), rows);
            shown = r.captured(2).toInt();
        }
        QCOMPARE(shown, rows);
        const int pages = int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                              bytes.count("/Type /Page "));
        QVERIFY(pages >= (point.isEmpty() ? 7 : 5));
        for (int i = 1; i <= pages; ++i)
            QVERIFY2(content.contains(QStringLiteral("%1/%2. oldal").arg(i).arg(pages)),
                     qPrintable(QString::number(i)));
        QCOMPARE(content.contains(QStringLiteral("Szűrő: --pont TEMP")), !point.isEmpty());
        // every row of --statisztika, by month and whole, with its figures in the report's order
        QProcess layout;
        layout.start(QStringLiteral("pdftotext"), {"-layout", pdf, QStringLiteral("-")});
        QVERIFY(layout.waitForFinished(30000));
        std::set<QStringList> lines;
        for (const QString& l : QString::fromUtf8(layout.readAllStandardOutput()).split(u'\n')) {
            QStringList tokens = l.split(u' ', Qt::SkipEmptyParts);
            tokens.removeAll(QStringLiteral("%"));
            lines.insert(tokens);
        }
        const QList<QByteArray> stats =
            parancssor(QStringList{"--katalogus", kat, "--statisztika"} + filter).sorok();
        QCOMPARE(stats.size(), point.isEmpty() ? 1 + 3 * 3 : 1 + 2 * 3); // two months and whole
        for (const QByteArray& row : stats.mid(1)) {
            QStringList c = QString::fromUtf8(row).split(u';');
            c.replaceInStrings(QStringLiteral("(összesen)"), QStringLiteral("összesen"));
            c.replaceInStrings(QStringLiteral("(helyszín)"), QStringLiteral("helyszín"));
            const QStringList expected = c.mid(0, 7) + c.mid(10, 5) + c.mid(8, 2);
            QVERIFY2(lines.count(expected), row.constData());
        }
        // each point's charge as --max-toltet --pontonkent gives it
        const Futás charges =
            parancssor(QStringList{"--katalogus", kat, "--terjedes", "--max-toltet", "--pontonkent",
                                   "--tavolsag", "HAZ1=200", "--tavolsag", "TEMP=310,5"} +
                       filter);
        const QList<QByteArray> c = charges.sorok();
        QCOMPARE(c.size(), point.isEmpty() ? 3 : 2);
        for (const QByteArray& row : c.mid(1)) {
            const QList<QByteArray> cells = row.split(';');
            const double w95 = QByteArray(cells[6]).replace(',', '.').toDouble();
            QVERIFY2(content.contains(Határérték::Jegyek(w95, 4)), row.constData());
        }
        // nothing passes the filter: nothing to report
        const QString none = dir_.filePath(QStringLiteral("semmi.pdf"));
        QCOMPARE(parancssor({"--katalogus", kat, "--jelentes", none, "--pont", "NINCS"}).állapot,
                 2);
        QVERIFY(!QFile::exists(none));
    }

    // The results of --elemez and --ertekel go to a spreadsheet too: the rows standard output
    // has, in Hungarian Excel's CSV (a log's own separator and decimal point turned to its
    // semicolons and commas) or a workbook of typed numbers; never over an input.
    void analysesToSpreadsheets_data() {
        QTest::addColumn<QString>("door");
        QTest::addColumn<QString>("name");
        QTest::newRow("--elemez, CSV") << QStringLiteral("elemez") << QStringLiteral("e.csv");
        QTest::newRow("--elemez, workbook") << QStringLiteral("elemez") << QStringLiteral("e.xlsx");
        QTest::newRow("--ertekel of a comma log, CSV")
            << QStringLiteral("ertekel") << QStringLiteral("n.csv");
        QTest::newRow("--ertekel, workbook")
            << QStringLiteral("ertekel") << QStringLiteral("n.xlsx");
        QTest::newRow("--ertekel of a Windows-1250 log, CSV")
            << QStringLiteral("ertekel1250") << QStringLiteral("w.csv");
    }
    void analysesToSpreadsheets() {
        QFETCH(QString, door);
        QFETCH(QString, name);
        QStringEncoder cp1250("windows-1250");
        const QString in =
            door == u"elemez" ? file(401, 4)
            : door == u"ertekel"
                ? saveFile(dir_, QStringLiteral("naplo-%1.csv").arg(name),
                           "frequency,ppv (mm/s),category\r\n12.5,3.2,lakó\r\n40,19.1,1\r\n")
                : saveFile(dir_, QStringLiteral("naplo-%1.csv").arg(name),
                           cp1250(QStringLiteral("frekvencia;sebesség;kategória;hely\r\n"
                                                 "12,5;3,2;lakó;Kővágóörs\r\n40;19,1;1;Őr\r\n")));
        const QStringList args = door == u"elemez" ? QStringList{"--elemez", in, "-k", "lakó"}
                                                   : QStringList{"--ertekel", in};
        const bool windows = door == u"ertekel1250";
        const Futás plain = parancssor(args);
        const QString out = dir_.filePath(name);
        const Futás r = parancssor(args + QStringList{"--kimenet", out});
        QCOMPARE(r.állapot, plain.állapot);
        QVERIFY(r.ki.isEmpty());
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        // standard output's rows, as Hungarian Excel wants them
        QByteArray expected = plain.ki;
        if (door == u"ertekel")
            expected.replace(',', ';').replace('.', ',').replace("\r\n", "\n");
        if (windows) // in the log's own encoding on standard output, UTF-8 in the file
            expected = QStringDecoder("windows-1250")(expected).operator QString().toUtf8().replace(
                "\r\n", "\n");
        QList<QByteArray> rows = expected.trimmed().split('\n');
        if (name.endsWith(u".csv")) {
            QCOMPARE(bytes, "\xEF\xBB\xBF" + rows.join("\r\n") + "\r\n");
        } else {
            QProcess unzip;
            unzip.start(QStringLiteral("python3"),
                        {"-c",
                         "import sys,zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1])"
                         ".read('xl/worksheets/sheet1.xml'))",
                         out});
            QVERIFY(unzip.waitForFinished(30000) && unzip.exitCode() == 0);
            const QByteArray sheet = unzip.readAllStandardOutput();
            const int column = door == u"elemez" ? 2 : 1; // the PPV
            const QByteArray ppv = rows[1].split(';')[column].replace(',', '.');
            const QByteArray cell = QByteArray(1, char('A' + column)) + "2";
            QVERIFY2(sheet.contains("<c r=\"" + cell + "\"><v>" + ppv + "</v>"), sheet.constData());
        }
        QFile input(in);
        QVERIFY(input.open(QIODevice::ReadOnly));
        const QByteArray before = input.readAll();
        input.close();
        const QString same =
            door == u"elemez" ? QString(in).replace(QStringLiteral(".TXT"), QStringLiteral(".csv"))
                              : in;
        if (same != in) {
            QFile::remove(same);
            QVERIFY(QFile::copy(in, same));
        }
        const Futás over =
            parancssor((door == u"elemez" ? QStringList{"--elemez", same, "-k", "lakó"} : args) +
                       QStringList{"--kimenet", same});
        QCOMPARE(over.állapot, 2);
        QVERIFY2(over.hibák.contains(QStringLiteral("nem lehet a bemenet")),
                 qPrintable(over.hibák));
        QVERIFY(input.open(QIODevice::ReadOnly));
        QCOMPARE(input.readAll(), before);
    }

    // A catalogue of a newer version is read, never written.
    void newerCatalogueReadOnly_data() { backends(); }
    void newerCatalogueReadOnly() {
        QFETCH(QString, backend);
        CATALOGUE(kat, backend)
        QCOMPARE(parancssor({"--katalogus", kat, "--felvesz", file(5), "-k", "1"}).állapot, 0);
        QVERIFY(QSqlQuery(sql(kat)).exec(QStringLiteral("UPDATE velorix_sema SET verzio = 99")));
        const Futás write = parancssor({"--katalogus", kat, "--felvesz", file(6), "-k", "1"});
        QCOMPARE(write.állapot, 2);
        QVERIFY2(write.hibák.contains(u"újabb Velorix-változaté (séma 99"),
                 qPrintable(write.hibák));
        const Futás read = parancssor({"--katalogus", kat, "--lista"});
        QCOMPARE(read.sorok().size(), 1 + 1);
        QVERIFY2(read.hibák.contains(u"csak olvasva"), qPrintable(read.hibák));
        QCOMPARE(count(kat, QStringLiteral("fajl")), 1);
    }

    // A catalogue of the first version is brought up to this one when written, its data kept:
    // the instrument clock's offset then pairs its points' records on true time.
    void olderCatalogueMigrated_data() { backends(); }
    void olderCatalogueMigrated() {
        QFETCH(QString, backend);
        CATALOGUE(kat, backend)
        QCOMPARE(parancssor({"--katalogus", kat, "--felvesz", file(11), "-k", "1"}).állapot, 0);
        {
            QSqlQuery q(sql(kat));
            QVERIFY(q.exec(QStringLiteral("ALTER TABLE pont DROP COLUMN ora_elteres_mikro")));
            QVERIFY(q.exec(QStringLiteral("UPDATE velorix_sema SET verzio = 1")));
        }
        QCOMPARE(parancssor({"--katalogus", kat, "--lista"}).sorok().size(),
                 1 + 1); // read as it is
        QCOMPARE(parancssor({"--katalogus", kat, "--felvesz", file(12), "-k", "1"}).állapot, 0);
        QSqlQuery q(sql(kat));
        QVERIFY(q.exec(QStringLiteral("SELECT verzio FROM velorix_sema")) && q.next());
        QCOMPARE(q.value(0).toInt(), Katalógus::SémaVerzió);
        QVERIFY(q.exec(QStringLiteral("SELECT count(ora_elteres_mikro) FROM pont")));
        QCOMPARE(count(kat, QStringLiteral("meres")), 2);
    }

    // The instrument clock's offset of a point moves its records onto true time for the
    // pairing: a clock two minutes fast puts a trigger 172 s after a blast at 52 s after it.
    void clockOffsetPairs_data() {
        QTest::addColumn<QString>("offset"); // s, the clock ahead of true time; empty: none
        QTest::addColumn<bool>("paired");
        QTest::newRow("no offset: 172 s is beyond the window") << QString() << false;
        QTest::newRow("two minutes fast") << QStringLiteral("120") << true;
        QTest::newRow("a minute slow") << QStringLiteral("-60") << false;
        QTest::newRow("so fast the trigger is before the blast") << QStringLiteral("200") << false;
        QTest::newRow("a decimal comma") << QStringLiteral("119,5") << true;
    }
    void clockOffsetPairs() {
        QFETCH(QString, offset);
        QFETCH(bool, paired);
        CATALOGUE(kat, QStringLiteral("sqlite"))
        const QString log = saveFile(dir_, QStringLiteral("ora.csv"),
                                     "id;time\nR-7;2026.06.26. 10:02:13\n"); // Budapest time
        QString particulars = QStringLiteral(
            "helyszín = Kőfejtő\nmegrendelő = Minta Kft.\n[UM99999]\nkategória = lakó\n");
        if (!offset.isEmpty())
            particulars += QStringLiteral("óra eltérése = %1\n").arg(offset);
        const QString details = saveFile(dir_, QStringLiteral("ora.txt"), particulars.toUtf8());
        // the record's trigger at 10:05:05 on its own clock
        const Futás in = parancssor(
            {"--katalogus", kat, "--robbantasok", log, "--adatok", details, "--felvesz", file(5)});
        QVERIFY2(in.állapot == 0, qPrintable(in.hibák));
        const QList<QByteArray> row =
            parancssor({"--katalogus", kat, "--lista"}).sorok().value(1).split(';');
        QCOMPARE(row.value(1), paired ? QByteArray("R-7") : QByteArray());
        // the site from the particulars, the point's instrument and calibration from the export
        QSqlQuery q(sql(kat));
        QVERIFY(q.exec(QStringLiteral("SELECT nev, megrendelo FROM helyszin")) && q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("Kőfejtő"));
        QCOMPARE(q.value(1).toString(), QStringLiteral("Minta Kft."));
        QVERIFY(q.exec(QStringLiteral("SELECT muszer, kalibralas FROM pont")) && q.next());
        QVERIFY2(q.value(0).toString().contains(u"UM99999"), qPrintable(q.value(0).toString()));
        QVERIFY2(q.value(1).toString().contains(u"2025"), qPrintable(q.value(1).toString()));
    }

    // A file that is no catalogue, or a damaged one, is refused and left byte for byte.
    void foreignOrDamagedFileLeftAlone_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a spreadsheet") << QStringLiteral("text");
        QTest::newRow("another program's database") << QStringLiteral("foreign");
        QTest::newRow("a catalogue cut in half") << QStringLiteral("cut");
    }
    void foreignOrDamagedFileLeftAlone() {
        QFETCH(QString, kind);
        CATALOGUE(kat, QStringLiteral("sqlite"))
        if (kind == u"text") {
            saveFile(dir_, QFileInfo(kat).fileName(), "pont;ppv\r\nA;1,2\r\n");
        } else if (kind == u"foreign") {
            QSqlQuery(sql(kat)).exec(QStringLiteral("CREATE TABLE ugyfel (nev TEXT)"));
        } else {
            QCOMPARE(parancssor({"--katalogus", kat, "--felvesz", file(7), "-k", "1"}).állapot, 0);
            QFile f(kat);
            QVERIFY(f.open(QIODevice::ReadWrite));
            const QByteArray b = f.readAll();
            QVERIFY(f.resize(b.size() / 2));
        }
        QFile before(kat);
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray bytes = before.readAll();
        const Futás r = parancssor({"--katalogus", kat, "--felvesz", file(8), "-k", "1"});
        QCOMPARE(r.állapot, 2);
        QFile after(kat);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), bytes);
    }

    // Two importers of the same files at once: every file once, nothing lost, none failed.
    void twoImportersAtOnce_data() { backends(); }
    void twoImportersAtOnce() {
        QFETCH(QString, backend);
        CATALOGUE(kat, backend)
        QStringList files;
        for (int i = 0; i < 16; ++i)
            files << file(100 + i);
        QStringList reversed(files.crbegin(), files.crend());
        QProcess a, b;
        a.start(QStringLiteral(VELORIX_PROGRAM),
                QStringList{"--katalogus", kat, "-k", "1", "--felvesz"} + files);
        b.start(QStringLiteral(VELORIX_PROGRAM),
                QStringList{"--katalogus", kat, "-k", "1", "--felvesz"} + reversed);
        QVERIFY(a.waitForFinished(120000) && b.waitForFinished(120000));
        const QString said = QString::fromUtf8(a.readAllStandardError() + b.readAllStandardError());
        QVERIFY2(a.exitCode() == 0 && b.exitCode() == 0, qPrintable(said));
        QCOMPARE(said.count(QStringLiteral(": felvéve")), 16);
        QCOMPARE(said.count(QStringLiteral("már a katalógusban van")), 16);
        QCOMPARE(count(kat, QStringLiteral("fajl")), 16);
        QCOMPARE(count(kat, QStringLiteral("meres")), 16);
    }

    // An import killed at any moment leaves a catalogue that opens and holds whole files
    // only; the same import again brings in the rest.
    void killedImportLeavesWholeFiles_data() { backends(); }
    void killedImportLeavesWholeFiles() {
        QFETCH(QString, backend);
        CATALOGUE(kat, backend)
        QStringList files;
        for (int i = 0; i < 40; ++i) // long enough to be killed in the midst of them
            files << file(200 + i, 3, 30);
        QProcess p;
        p.start(QStringLiteral(VELORIX_PROGRAM),
                QStringList{"--katalogus", kat, "-k", "1", "--felvesz"} + files);
        p.setReadChannel(QProcess::StandardError);
        QByteArray said;
        while (said.count("felv\xc3\xa9ve") < 5 && p.waitForReadyRead(60000))
            said += p.readAllStandardError();
        QVERIFY2(p.state() == QProcess::Running, said.constData());
        p.kill(); // SIGKILL, wherever it is
        QVERIFY(p.waitForFinished(30000));
        const qint64 in = count(kat, QStringLiteral("fajl"));
        QVERIFY2(in >= 5 && in < 40, qPrintable(QString::number(in)));
        QCOMPARE(count(kat, QStringLiteral("meres")), in); // one measurement a file, each whole
        const Futás rest =
            parancssor(QStringList{"--katalogus", kat, "-k", "1", "--felvesz"} + files);
        QCOMPARE(rest.állapot, 0);
        QCOMPARE(count(kat, QStringLiteral("fajl")), 40);
        QCOMPARE(parancssor({"--katalogus", kat, "--lista"}).sorok().size(), 1 + 40);
    }

    // Every real file the pipeline reads goes in, or is refused for what it is; the listing
    // holds what was said to go in.
    void fieldData() {
        const QDir field(QStringLiteral(VELORIX_FIELD_DATA));
        if (!field.exists())
            QSKIP("the field data are not beside the project");
        QStringList files;
        for (const QString& sub : {QStringLiteral("exports"), QStringLiteral("mseed")})
            for (const QFileInfo& f : QDir(field.filePath(sub)).entryInfoList(QDir::Files))
                if (f.suffix() != u"txt")
                    files << f.filePath();
        CATALOGUE(kat, QStringLiteral("sqlite"))
        const Futás r =
            parancssor(QStringList{"--katalogus", kat, "-k", "1", "--erzekenyseg", "1000",
                                   "--egyseg", "mm/s", "--pont", "PONT", "--felvesz"} +
                       files);
        qint64 measurements = 0;
        static const QRegularExpression in(QStringLiteral(": felvéve, (\\d+) mérés"));
        for (auto m = in.globalMatch(r.hibák); m.hasNext();)
            measurements += m.next().captured(1).toLongLong();
        QVERIFY2(measurements > 0, qPrintable(r.hibák));
        QCOMPARE(parancssor({"--katalogus", kat, "--lista"}).sorok().size(), 1 + measurements);
        for (const QString& f : files) // each file said: in, or refused for what it is
            QVERIFY2(r.hibák.contains(f + QStringLiteral(": ")), qPrintable(f));
        // the engineers' summary table: every row of data a measurement (its units row none)
        const QString table =
            field.filePath(QStringLiteral("exports/sugengdcahyo_PPV_summary_table.csv"));
        QFile t(table);
        QVERIFY(t.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = t.readAll().trimmed().split('\n');
        const qsizetype rows = std::count_if(
            lines.begin() + 1, lines.end(), [](const QByteArray& l) { return !l.startsWith(';'); });
        QVERIFY2(r.hibák.contains(table + QStringLiteral(": felvéve, %1 mérés").arg(rows)),
                 qPrintable(r.hibák));
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    TestCatalogue test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_katalogus.moc"
