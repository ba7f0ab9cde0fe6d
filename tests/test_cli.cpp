// The command line, run as a real process with no display at all.
#include "testfile.h"
#include "testsupport.h"

#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QScrollBar>

#include <sys/resource.h>
#include <unistd.h>

namespace {

struct Run {
    int status = -1;
    QByteArray out, err;
};

Run velorix(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // no display: it must not need one; no runtime folder, as under cron or a bare ssh
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VELORIX_PROGRAM), arguments);
    process.write(input);
    process.closeWriteChannel();
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QString writeFile(const QString& name, const QByteArray& bytes) {
    return saveFile(configDir(), name, bytes);
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private slots:
    // One source of truth: for all 303 cases the command line prints what the window shows
    // after a click on the category and the scroll bar moved to the frequency.
    void sameTextsAsTheWindow() {
        const QStringList names{"ipari", "lakó", "műemlék"};
        for (int k = 0; k < 3; ++k) {
            Form1 form;
            form.Választó[std::size_t((k + 1) % 3)]->click(); // so that k's click is a change
            form.Választó[std::size_t(k)]->click();
            for (int f = 0; f <= 100; ++f) {
                form.GörgetőFrekvencia->setValue(f);
                // the category by number and by name, both spellings of the options
                const QStringList arguments =
                    f % 2
                        ? QStringList{"--kategoria", names[k], "--frekvencia", QString::number(f)}
                        : QStringList{"-k", QString::number(k), "--frequency", QString::number(f)};
                const Run run = velorix(arguments);
                QCOMPARE(run.status, 0);
                const QString expected = form.CímkeMaxSebesség[0]->text() + u'\n' +
                                         form.CímkeMaxSebesség[1]->text() + u'\n';
                QCOMPARE(QString::fromUtf8(run.out), expected);
            }
        }
    }

    // A report drawn with no display and no runtime folder: nothing on standard error but
    // the program's own lines.
    void reportWithoutARuntimeFolder() {
        const QString pdf = configDir().filePath(QStringLiteral("r.pdf"));
        const Run r =
            velorix({"--elemez", QStringLiteral(VELORIX_SOURCE_DIR "/docs/pelda/robbantas.mseed"),
                     "-k", "1", "--egyseg", "mm/s", "--jelentes", pdf});
        QCOMPARE(r.status, 1); // it exceeds
        for (const QByteArray& line : r.err.split('\n'))
            QVERIFY2(line.isEmpty() || line.startsWith("Velorix: "), r.err.constData());
        QVERIFY(QFileInfo(pdf).size() > 0);
    }

    void helpAndVersion() {
        const Run help = velorix({"--help"});
        QCOMPARE(help.status, 0);
        const QString text = QString::fromUtf8(help.out);
        for (const char* word :
             {"--kategoria", "--category", "--frekvencia", "--ertekel", "Windows-1250", "UTF-16",
              "Hz-es", "14,87", "--elemez", "--analyze", "--erzekenyseg", "--modszer", "miniSEED",
              "TIMESERIES"})
            QVERIFY2(text.contains(QString::fromUtf8(word)), word);
        // the usage line names the program, not the folder it was built in
        QVERIFY2(text.startsWith(QStringLiteral("Használat: velorix [")) ||
                     text.startsWith(QStringLiteral("Usage: velorix [")),
                 qPrintable(text.section(u'\n', 0, 0)));
        const Run version = velorix({"--version"});
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out, QByteArray("Velorix 1.00\n"));
    }

    void badOptions_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("says");
        QTest::newRow("category 3") << QStringList{"-k", "3", "-f", "10"} << "kategória";
        QTest::newRow("unknown name") << QStringList{"-k", "iroda", "-f", "10"} << "kategória";
        QTest::newRow("101 Hz") << QStringList{"-k", "1", "-f", "101"} << "frekvencia";
        QTest::newRow("fractional Hz") << QStringList{"-k", "1", "-f", "10.5"} << "frekvencia";
        QTest::newRow("no frequency") << QStringList{"-k", "1"} << "együtt";
        QTest::newRow("unknown option") << QStringList{"--xyz"} << "xyz";
        QTest::newRow("both modes") << QStringList{"-e", "-", "-k", "1"} << "--ertekel";
        QTest::newRow("analysis without a category")
            << QStringList{"--elemez", "x.mseed"} << "--kategoria";
        QTest::newRow("unknown place") << QStringList{"--elemez", "x", "-k", "1", "--hely", "tető"}
                                       << "ismeretlen hely: \"tető\"";
        QTest::newRow("unknown method")
            << QStringList{"--analyze", "x", "-k", "1", "--method", "rms"} << "ismeretlen módszer";
        QTest::newRow("unknown unit") << QStringList{"--elemez", "x", "-k", "1", "--unit", "cm/s"}
                                      << "ismeretlen mértékegység: \"cm/s\"";
        QTest::newRow("zero sensitivity")
            << QStringList{"--elemez", "x", "-k", "1", "--erzekenyseg", "0"} << "érzékenység";
        QTest::newRow("analysis options without --elemez")
            << QStringList{"-k", "1", "-f", "10", "--hely", "alap"} << "--elemez";
    }
    void badOptions() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, says);
        const Run run = velorix(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(QString::fromUtf8(run.err).contains(says), run.err.constData());
    }

    // Good files: both separators and decimal styles, other columns in place, the status
    // telling whether any row exceeds.
    void evaluate_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("status");
        QTest::newRow("Hungarian spreadsheet")
            << QByteArray("\xEF\xBB\xBFhely;Frekvencia;Sebesség;KATEGÓRIA\r\n"
                          "Fő u. 1;51;15,1;lakó\r\n\"a;b\";57,4;8,3;2\r\n")
            << QByteArray("\xEF\xBB\xBFhely;Frekvencia;Sebesség;KATEGÓRIA;határérték;"
                          "kihasználtság;megítélés\r\n"
                          "Fő u. 1;51;15,1;lakó;15,10;100,0;megfelel\r\n"
                          "\"a;b\";57,4;8,3;2;8,29;100,1;túllépi\r\n")
            << 1;
        QTest::newRow("English, comma separated")
            << QByteArray("category,frequency,ppv,note\n0,10,20,x\n1,50.5,14.9,\"y,z\"\n"
                          "2,100,10,\n")
            << QByteArray("category,frequency,ppv,note,határérték,kihasználtság,megítélés\n"
                          "0,10,20,x,20.00,100.0,megfelel\n"
                          "1,50.5,14.9,\"y,z\",15.05,99.0,megfelel\n"
                          "2,100,10,,10.00,100.0,megfelel\n")
            << 0;
        QTest::newRow("whole numbers, semicolons: a decimal comma")
            << QByteArray("frekvencia;sebesség;kategória\n11;3;műemlék\n")
            << QByteArray("frekvencia;sebesség;kategória;határérték;kihasználtság;megítélés\n"
                          "11;3;műemlék;3,12;96,2;megfelel\n")
            << 0;
    }
    void evaluate() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        QFETCH(int, status);
        const QString file = writeFile(QStringLiteral("good.csv"), input);
        const Run fromFile = velorix({"--ertekel", file});
        QCOMPARE(fromFile.out, output);
        QCOMPARE(fromFile.status, status);
        QVERIFY2(fromFile.err.contains("mérés"), fromFile.err.constData()); // the summary
        QCOMPARE(fromFile.err.count('\n'), 1);
        const Run fromInput = velorix({"--evaluate", "-"}, input);
        QCOMPARE(fromInput.out, output);
        QCOMPARE(fromInput.status, status);
    }

    // Bad input: a clear message naming the file, line and column, status 2, and nothing
    // on standard output for a file.
    void badFiles_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("says");
        const QByteArray header = "frekvencia;sebesség;kategória\n51;1;1\n";
        QTest::newRow("empty cell") << header + "51;;1\n"
                                    << ", 3. sor, 2. oszlop (sebesség): üres";
        QTest::newRow("text for a number") << header + "ötven;1;1\n"
                                           << "3. sor, 1. oszlop";
        QTest::newRow("negative velocity") << header + "51;-0,5;1\n"
                                           << "3. sor, 2. oszlop";
        QTest::newRow("NaN") << header + "51;NaN;1\n"
                             << "NaN";
        QTest::newRow("infinity") << header + "51;inf;1\n"
                                  << "nem szám: \"inf\"";
        QTest::newRow("negative frequency") << header + "-1;1;1\n"
                                            << "negatív frekvencia";
        QTest::newRow("only a header, CR endings")
            << QByteArray("frekvencia;sebesség;kategória\r") << "nincs adatsor";
        QTest::newRow("unknown category") << header + "51;1;iroda\n"
                                          << "3. oszlop (kategória)";
        QTest::newRow("ragged row") << header + "51;1\n"
                                    << "3. sor: 2 mező";
        QTest::newRow("missing column") << QByteArray("frekvencia;kategória\n1;1\n") << "sebesség";
        QTest::newRow("two decimal marks") << header + "51,5.5;1;1\n"
                                           << "nem szám";
        QTest::newRow("unclosed quote") << header + "51;\"1;1\n"
                                        << "idézőjel";
        QTest::newRow("binary") << QByteArray("\x7f"
                                              "ELF\x02\x01\x01\0\0\0",
                                              10)
                                << "bináris";
        QTest::newRow("empty file") << QByteArray() << "üres";
        QTest::newRow("a blast monitor's export")
            << QByteArray("\"Event Type : Full Waveform\"\r\n\"Sample Rate : 4096 sps\"\r\n")
            << "ez rezgésjel, nem mérési napló";
        QTest::newRow("a TIMESERIES record")
            << QByteArray("TIMESERIES HU_BUD1_00_HHZ_D, 3 samples, 100 sps, "
                          "2026-12-04T09:41:12.000000, SLIST, FLOAT, M/S\n1 2 3\n")
            << "ez rezgésjel, nem mérési napló";
    }
    void badFiles() {
        QFETCH(QByteArray, input);
        QFETCH(QString, says);
        const QString file = writeFile(QStringLiteral("bad.csv"), input);
        const Run run = velorix({"-e", file});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.out.isEmpty(), run.out.constData());
        const QString err = QString::fromUtf8(run.err);
        QVERIFY2(err.contains(file) && err.contains(says), qPrintable(err));
    }

    void unreadableFiles_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("says");
        const QString dir = configDir().path();
        QFile::link(dir + QStringLiteral("/loop-b.csv"), dir + QStringLiteral("/loop-a.csv"));
        QFile::link(dir + QStringLiteral("/loop-a.csv"), dir + QStringLiteral("/loop-b.csv"));
        QTest::newRow("missing") << dir + QStringLiteral("/none.csv") << "nincs ilyen fájl";
        QTest::newRow("a folder") << dir << "mappa, nem fájl";
        QTest::newRow("a loop of links")
            << dir + QStringLiteral("/loop-a.csv") << "nem olvasható: ";
    }
    void unreadableFiles() {
        QFETCH(QString, path);
        QFETCH(QString, says);
        const Run run = velorix({"-e", path});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(path.toUtf8()) && QString::fromUtf8(run.err).contains(says),
                 run.err.constData());
    }

    // A file the user may not read, in a folder of their own (root reads everything).
    void noPermission() {
        if (::geteuid() == 0)
            QSKIP("root reads every file");
        const QString path =
            writeFile(QStringLiteral("secret.csv"), "frekvencia;sebesség;kategória\n");
        QFile::setPermissions(path, QFileDevice::Permissions());
        const Run run = velorix({"-e", path});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains("nem olvasható: "), run.err.constData());
    }

    // Output that cannot be written is a fault, never a success summary.
    void fullDisk() {
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full");
        const QString file =
            writeFile(QStringLiteral("ok.csv"), "frekvencia;sebesség;kategória\n51;1;1\n");
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(VELORIX_PROGRAM), {"--ertekel", file});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 2);
        const QByteArray err = process.readAllStandardError();
        QVERIFY2(err.contains("írási hiba") && !err.contains("mérés"), err.constData());
    }

    // No size limit and flat memory: a log beyond the old 64 MiB cap is evaluated whole,
    // and a 60 MB line is refused without taking 60 MB.
    void largeInputs() {
        const QString big = configDir().filePath(QStringLiteral("big.csv"));
        qint64 rows = 0;
        {
            QFile file(big);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("hely;frekvencia;sebesség;kategória\r\n");
            QByteArray block;
            for (int i = 0; i < 10'000; ++i)
                block += "Fő u. " + QByteArray::number(i % 97) + ";" + QByteArray::number(i % 101) +
                         ",5;" + QByteArray::number(3 + i % 11) + ",25;" +
                         QByteArray::number(i % 3) + "\r\n";
            const int blockRows = 10'000;
            while (file.size() < 66LL * 1024 * 1024) {
                file.write(block);
                rows += blockRows;
            }
        }
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/null"));
        process.start(QStringLiteral(VELORIX_PROGRAM), {"--ertekel", big});
        QVERIFY(process.waitForFinished(300000));
        const QByteArray err = process.readAllStandardError();
        QVERIFY2(process.exitCode() != 2, err.constData());
        QVERIFY2(err.contains(QByteArray::number(rows) + " mérés"), err.constData());
        QFile::remove(big);

        const QString line = writeFile(QStringLiteral("line.csv"), {});
        {
            QFile file(line);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("frekvencia;sebesség;kategória\n51;1;");
            const QByteArray block(1 << 20, 'x');
            for (int i = 0; i < 60; ++i)
                file.write(block);
            file.write("\n");
        }
        process.start(QStringLiteral(VELORIX_PROGRAM), {"--ertekel", line});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(process.readAllStandardError().contains("2. sor: túl hosszú sor"));
        QFile::remove(line);
#if !defined(__SANITIZE_ADDRESS__)
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        QVERIFY2(usage.ru_maxrss < 32 * 1024, qPrintable(QString::number(usage.ru_maxrss)));
#endif
    }
};

VELORIX_TEST_MAIN(TestCli)
#include "test_cli.moc"
