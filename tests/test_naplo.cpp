// Measurement logs as real tools write them, evaluated in the same process: encodings,
// line ends, separators, quoting, headers, decimal styles, faults, streams, failing
// outputs.
#include "testlocale.h"

#ifndef Q_MOC_RUN // moc's parser takes no accented namespace names
#include "cli/ertekeles.h"
#include "cli/naplokimenet.h"
#include "readers/cella.h"
#include "readers/csvolvaso.h"
#include "readers/naplo.h"
#include "readers/szovegforras.h"
#endif

#include <QBuffer>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QtTest>

#include <charconv>

namespace {

struct Result {
    int status = -1;
    QByteArray out;
    QString message;
};

// As a regular file (read twice) or as a stream (read once).
Result evaluate(const QByteArray& input, bool stream = false) {
    QByteArray copy = input;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    Szöveg::Forrás source;
    source.megnyit(&buffer, !stream);
    PufferKimenet out;
    Result r;
    r.status = Értékelés::Értékel(source, QStringLiteral("napló.csv"), out, &r.message);
    r.out = out.bájtok();
    return r;
}

QByteArray encode(const char* encoding, const QString& text) {
    QStringEncoder encoder(encoding);
    return encoder(text);
}

// An output that takes `room` bytes, then fails as a full disk does.
class FullOutput : public Kimenet {
public:
    explicit FullOutput(qsizetype room) : room_(room) {}
    bool ír(QByteArrayView bytes) override {
        if (written.size() + bytes.size() > room_)
            return false;
        written.append(bytes.data(), bytes.size());
        return true;
    }
    QString hiba() const override { return QStringLiteral("No space left on device"); }
    QByteArray written;

private:
    qsizetype room_;
};

const QByteArray Header = "hely;frekvencia;sebesség;kategória";

} // namespace

class TestLog : public QObject {
    Q_OBJECT

private slots:
    // The same log as each tool saves it: the output in the input's own encoding, byte
    // order mark, separator and line end, so that the tool reopens it with its accents.
    void encodingsAndLineEnds_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        const QString text = QStringLiteral("Hely;Frekvencia;Sebesség;Kategória\n"
                                            "Fő u. 1;49,5;14,95;Lakóépület\n"
                                            "Szent István-bazilika;11;3;Műemlék\n");
        const QString judged =
            QStringLiteral("Hely;Frekvencia;Sebesség;Kategória;határérték;kihasználtság;megítélés\n"
                           "Fő u. 1;49,5;14,95;Lakóépület;14,87;100,5;túllépi\n"
                           "Szent István-bazilika;11;3;Műemlék;3,12;96,2;megfelel\n");
        auto withEnds = [](QString t, const char* end) {
            return t.replace(u'\n', QString::fromLatin1(end));
        };
        QTest::newRow("Hungarian Excel CSV: Windows-1250, CRLF")
            << encode("windows-1250", withEnds(text, "\r\n"))
            << encode("windows-1250", withEnds(judged, "\r\n"));
        QTest::newRow("UTF-8 with BOM, LF")
            << "\xEF\xBB\xBF" + text.toUtf8() << "\xEF\xBB\xBF" + judged.toUtf8();
        QTest::newRow("old Mac: CR only")
            << withEnds(text, "\r").toUtf8() << withEnds(judged, "\r").toUtf8();
        QString tabs = withEnds(text, "\r\n");
        tabs.replace(u';', u'\t');
        QString tabsJudged = withEnds(judged, "\r\n");
        tabsJudged.replace(u';', u'\t');
        QTest::newRow("Excel Unicode text: UTF-16LE, BOM, TAB")
            << "\xFF\xFE" + encode("UTF-16LE", tabs) << "\xFF\xFE" + encode("UTF-16LE", tabsJudged);
        QTest::newRow("UTF-16BE, BOM")
            << "\xFE\xFF" + encode("UTF-16BE", text) << "\xFE\xFF" + encode("UTF-16BE", judged);
    }
    void encodingsAndLineEnds() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        for (const bool stream : {false, true}) {
            const Result r = evaluate(input, stream);
            QCOMPARE(r.status, int(Kilépés::Túllépi));
            QCOMPARE(r.out, output);
            QVERIFY2(r.message.contains(QStringLiteral("2 mérés, 1 megfelel, 1 túllépi")),
                     qPrintable(r.message));
        }
    }

    // Windows-1250 accents that first appear far into a file: the check pass finds them
    // and the whole file is read as the code page.
    void codePageLateInTheFile() {
        QByteArray input = encode("windows-1250", QString::fromUtf8(Header)) + "\r\n";
        while (input.size() < 3 * Szöveg::Forrás::Blokk)
            input += "Fo u. 1;51;15,1;1\r\n";
        input += encode("windows-1250", QStringLiteral("Fő u. 2;51;15,2;Műemlék\r\n"));
        const Result r = evaluate(input);
        QCOMPARE(r.status, int(Kilépés::Túllépi));
        QVERIFY(r.out.endsWith(encode(
            "windows-1250", QStringLiteral("Fő u. 2;51;15,2;Műemlék;8,04;189,1;túllépi\r\n"))));
    }

    // Headers as people and instruments write them.
    void headers_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("firstRow");
        QTest::newRow("units in brackets and parentheses")
            << QByteArray("Frekvencia [Hz];PPV (mm/s);Kategoria\n51;15,1;1\n")
            << QByteArray("51;15,1;1;15,10;100,0;megfelel");
        QTest::newRow("no accents, capitals")
            << QByteArray("FREKVENCIA;SEBESSEG;KATEGORIA\n51;15,1;1\n")
            << QByteArray("51;15,1;1;15,10;100,0;megfelel");
        QTest::newRow("decomposed accents, as macOS writes")
            << QByteArray("frekvencia;sebesse\xCC\x81g;katego\xCC\x81ria\n11;3;Mu\xCC\x8B"
                          "emle\xCC\x81k\n")
            << QByteArray("11;3;Mu\xCC\x8B"
                          "emle\xCC\x81k;3,12;96,2;megfelel");
        QTest::newRow("an instrument's preamble")
            << QByteArray("Műszer: XY-3000;sorozatszám 1234\nÁllomás: Fő u. 1\n\n"
                          "frekvencia;sebesség;kategória\n51;15,1;1\n")
            << QByteArray("51;15,1;1;15,10;100,0;megfelel");
        QTest::newRow("English, comma, point")
            << QByteArray("category,frequency,ppv\nresidential,50.5,14.9\n")
            << QByteArray("residential,50.5,14.9,15.05,99.0,megfelel");
    }
    void headers() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, firstRow);
        const Result r = evaluate(input);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out.split('\n').value(1), firstRow);
    }

    // What spreadsheets put in cells and rows.
    void cellsAndRows_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("rows of only separators, as Excel leaves them")
            << QByteArray(
                   "frekvencia;sebesség;kategória;megjegyzés\r\n;;;\r\n51;15,1;1;\r\n;;;\r\n")
            << QByteArray("frekvencia;sebesség;kategória;megjegyzés;határérték;kihasználtság;"
                          "megítélés\r\n51;15,1;1;;15,10;100,0;megfelel\r\n");
        QTest::newRow("a line break inside quotes (Alt+Enter)")
            << QByteArray("hely;frekvencia;sebesség;kategória\n\"Fő u. 1\nudvar\";51;15,1;1\n")
            << QByteArray("hely;frekvencia;sebesség;kategória;határérték;kihasználtság;megítélés\n"
                          "\"Fő u. 1\nudvar\";51;15,1;1;15,10;100,0;megfelel\n");
        QTest::newRow("LibreOffice quoting everything, doubled quotes")
            << QByteArray("\"hely\",\"frekvencia\",\"sebesség\",\"kategória\"\n"
                          "\"a \"\"b\"\", c\",\"51\",\"15.1\",\"1\"\n")
            << QByteArray("\"hely\",\"frekvencia\",\"sebesség\",\"kategória\",határérték,"
                          "kihasználtság,megítélés\n"
                          "\"a \"\"b\"\", c\",\"51\",\"15.1\",\"1\",15.10,100.0,megfelel\n");
        QTest::newRow("comma separator, decimal comma in quotes: one style, quoted")
            << QByteArray("frekvencia,sebesség,kategória\n51,\"15,1\",1\n50,3,2\n")
            << QByteArray("frekvencia,sebesség,kategória,határérték,kihasználtság,megítélés\n"
                          "51,\"15,1\",1,\"15,10\",\"100,0\",megfelel\n"
                          "50,3,2,\"8,00\",\"37,5\",megfelel\n");
        QTest::newRow("above 100 Hz: the 100 Hz value, said in the verdict")
            << QByteArray("frekvencia;sebesség;kategória\n120;10,5;műemlék\n")
            << QByteArray("frekvencia;sebesség;kategória;határérték;kihasználtság;megítélés\n"
                          "120;10,5;műemlék;10,00;105,0;túllépi (100 Hz feletti: a 100 Hz-es "
                          "érték)\n");
        QTest::newRow("a quote inside an unquoted cell is a character")
            << QByteArray("hely;frekvencia;sebesség;kategória\n12\" cső;51;15,1;1\n")
            << QByteArray("hely;frekvencia;sebesség;kategória;határérték;kihasználtság;megítélés\n"
                          "12\" cső;51;15,1;1;15,10;100,0;megfelel\n");
        QTest::newRow("no line end after the last row")
            << QByteArray("frekvencia;sebesség;kategória\r\n51;15,1;1")
            << QByteArray("frekvencia;sebesség;kategória;határérték;kihasználtság;megítélés\r\n"
                          "51;15,1;1;15,10;100,0;megfelel\r\n");
    }
    void cellsAndRows() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        for (const bool stream : {false, true}) {
            const Result r = evaluate(input, stream);
            QCOMPARE(r.out, output);
            QVERIFY(r.status != Kilépés::HibásBemenet);
        }
    }

    // The summary counts and the largest utilisation, in the input's decimal style.
    void summary_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("summary");
        QTest::newRow("decimal comma")
            << QByteArray("frekvencia;sebesség;kategória\n51;0;1\n")
            << QStringLiteral(
                   "napló.csv: 1 mérés, 1 megfelel, 0 túllépi; a legnagyobb kihasználtság 0,0%");
        QTest::newRow("decimal point")
            << QByteArray("frekvencia,sebesség,kategória\n51,15.2,1\n120,1,1\n")
            << QStringLiteral(
                   "napló.csv: 2 mérés, 1 megfelel, 1 túllépi; a legnagyobb "
                   "kihasználtság 100.7%; 1 mérés 100 Hz feletti (a 100 Hz-es értékkel)");
    }
    void summary() {
        QFETCH(QByteArray, input);
        QFETCH(QString, summary);
        QCOMPARE(evaluate(input).message, summary);
    }

    // Faults: the file, the line and the column, the cell quoted as written; nothing on the
    // output for a file that is read twice.
    void faults_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("says");
        const QByteArray h = "frekvencia;sebesség;kategória\n51;1;1\n";
        QTest::newRow("only a header") << QByteArray("frekvencia;sebesség;kategória\r\n")
                                       << QStringLiteral("napló.csv: nincs adatsor");
        QTest::newRow("only a header, CR endings")
            << QByteArray("frekvencia;sebesség;kategória\r;;\r") << QStringLiteral("nincs adatsor");
        QTest::newRow("cell quoted as written")
            << h + "51;1 234,5;1\n"
            << QStringLiteral("napló.csv, 3. sor, 2. oszlop "
                              "(sebesség): nem szám: \"1 234,5\"");
        QTest::newRow("negative frequency") << h + "-0,5;1;1\n"
                                            << QStringLiteral("3. sor, 1. oszlop (frekvencia): "
                                                              "negatív frekvencia: \"-0,5\"");
        QTest::newRow("infinity") << h + "inf;1;1\n" << QStringLiteral("nem szám: \"inf\"");
        QTest::newRow("huge exponent") << h + "51;1e999;1\n"
                                       << QStringLiteral("nem ábrázolható szám: \"1e999\"");
        QTest::newRow("unknown category, decomposed")
            << h + "51;1;Mu\xCC\x8Bhely\n"
            << QStringLiteral("ismeretlen kategória: \"Mu\u030Bhely\"");
        QTest::newRow("unclosed quote") << h + "51;\"1;1\n1;1;1\n"
                                        << QStringLiteral("napló.csv, 3. sor: lezáratlan idézőjel");
        QTest::newRow("missing columns: what was found")
            << QByteArray("Frekvencia;Sebességg;Kat\n1;1;1\n")
            << QStringLiteral("mezői: \"Frekvencia\", \"Sebességg\", \"Kat\"; elfogadott nevek");
        QTest::newRow("a column twice")
            << QByteArray("frekvencia;ppv;sebesség;kategória\n1;1;1;1\n")
            << QStringLiteral("1. sor, 3. oszlop (sebesség): ez az "
                              "oszlop kétszer szerepel");
        QTest::newRow("binary") << QByteArray("\x7f"
                                              "ELF\x02\x01\x01\0\0\0",
                                              10)
                                << QStringLiteral("bináris adat");
        QTest::newRow("empty") << QByteArray() << QStringLiteral("üres");
        QTest::newRow("a line over 1 MiB")
            << h + QByteArray(CsvOlvasó::LegnagyobbRekord + 10, 'x') + "\n"
            << QStringLiteral("3. sor: túl hosszú sor");
        QTest::newRow("UTF-16 cut in a character")
            << QByteArray("\xFF\xFE\x31\x00\x32", 5) << QStringLiteral("napló.csv");
    }
    void faults() {
        QFETCH(QByteArray, input);
        QFETCH(QString, says);
        const Result r = evaluate(input);
        QCOMPARE(r.status, int(Kilépés::HibásBemenet));
        QVERIFY2(r.out.isEmpty(), r.out.left(200).constData());
        QVERIFY2(r.message.contains(says), qPrintable(r.message));
    }

    // A stream is written as it comes: on a fault every row before it is out whole, and
    // nothing after it.
    void streamStopsAtAFaultInWholeRows() {
        QByteArray input = "frekvencia;sebesség;kategória;hely\n";
        int rows = 0;
        while (input.size() < 200'000) {
            input += "51;1,5;1;Fő utca " + QByteArray::number(rows) + "\n";
            ++rows;
        }
        input += "51;x;1;rossz\n51;1;1;utána\n";
        const Result r = evaluate(input, true);
        QCOMPARE(r.status, int(Kilépés::HibásBemenet));
        QVERIFY2(r.message.contains(QStringLiteral("%1. sor").arg(rows + 2)),
                 qPrintable(r.message));
        const QList<QByteArray> lines = r.out.split('\n');
        QCOMPARE(lines.size(), rows + 2); // header, the rows, the empty rest after the last end
        QVERIFY(lines.last().isEmpty());
        QCOMPARE(lines[rows],
                 "51;1,5;1;Fő utca " + QByteArray::number(rows - 1) + ";15,10;9,9;megfelel");
    }

    // A failed write is never a success.
    void failedWritesAreFaults_data() {
        QTest::addColumn<int>("room");
        QTest::newRow("nothing fits") << 0;
        QTest::newRow("the disk fills midway") << 100'000;
    }
    void failedWritesAreFaults() {
        QFETCH(int, room);
        QByteArray input = Header + "\n";
        for (int i = 0; i < 20'000; ++i)
            input += "Fő u. 1;51;15,1;1\n";
        for (const bool stream : {false, true}) {
            QBuffer buffer(&input);
            buffer.open(QIODevice::ReadOnly);
            Szöveg::Forrás source;
            source.megnyit(&buffer, !stream);
            FullOutput out(room);
            QString message;
            QCOMPARE(Értékelés::Értékel(source, QStringLiteral("n.csv"), out, &message),
                     int(Kilépés::HibásBemenet));
            QVERIFY2(message.contains(QStringLiteral("írási hiba: No space left on device")),
                     qPrintable(message));
            QVERIFY(out.written.isEmpty() || out.written.endsWith('\n'));
        }
    }

    // The UTF-8 check, whole and split at every point between blocks: what RFC 3629 allows
    // passes, overlong forms, surrogates, code points above U+10FFFF, stray and cut bytes
    // do not.
    void utf8Check_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::newRow("ASCII") << QByteArray("f;v;k\r\n51;15,1;lak") << true;
        QTest::newRow("Hungarian") << QByteArray("Fő u. 1;műemlék;\xE2\x82\xAC") << true;
        QTest::newRow("four bytes") << QByteArray("a\xF0\x9F\x98\x80"
                                                  "b")
                                    << true;
        QTest::newRow("overlong two") << QByteArray("a\xC0\xAF") << false;
        QTest::newRow("overlong three") << QByteArray("\xE0\x80\xAF") << false;
        QTest::newRow("surrogate") << QByteArray("x\xED\xA0\x80") << false;
        QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
        QTest::newRow("stray continuation") << QByteArray("ab\x80") << false;
        QTest::newRow("no such byte") << QByteArray("\xFF;1") << false;
        QTest::newRow("cut at the end") << QByteArray("lak\xC3") << false;
        QTest::newRow("cut, then ASCII") << QByteArray("\xE2\x82;1") << false;
        QTest::newRow("Windows-1250 ő") << QByteArray("F\xF5 u.") << false;
    }
    void utf8Check() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
            for (qsizetype second = cut; second <= bytes.size(); ++second) {
                Szöveg::Utf8Ellenőr check;
                const bool ok =
                    check.ellenőriz(bytes.constData(), cut) &&
                    check.ellenőriz(bytes.constData() + cut, second - cut) &&
                    check.ellenőriz(bytes.constData() + second, bytes.size() - second) &&
                    check.lezárt();
                QVERIFY2(ok == valid,
                         qPrintable(QStringLiteral("cut at %1 and %2").arg(cut).arg(second)));
            }
        }
    }

    // The quick path for short decimals: the correctly rounded double, with either mark.
    void numbers_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("limit") << QByteArray("15,1") << 15.1;
        QTest::newRow("tenth") << QByteArray("0.1") << 0.1;
        QTest::newRow("many decimals") << QByteArray("123456,7890123") << 123456.7890123;
        QTest::newRow("negative") << QByteArray("-14,95") << -14.95;
        QTest::newRow("plus sign") << QByteArray("+8,29") << 8.29;
        QTest::newRow("no decimals") << QByteArray("57") << 57.0;
        QTest::newRow("fifteen digits") << QByteArray("99999999,9999999") << 99999999.9999999;
        QTest::newRow("sixteen digits") << QByteArray("0,1234567890123456") << 0.1234567890123456;
        QTest::newRow("exponent") << QByteArray("1,5e-3") << 1.5e-3;
    }
    void numbers() {
        QFETCH(QByteArray, text);
        QFETCH(double, value);
        QString why;
        const auto parsed = Cella::SzámOlvas(text, &why);
        QVERIFY2(parsed, qPrintable(why));
        QCOMPARE(parsed->érték, value); // exact: the same bits
    }

    // What a user types into an option or a field: a figure with either mark and spaces
    // around it; zero only where zero is allowed; no sign, group separator, unit or infinity.
    void typedFigures_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("positive");    // -1: refused
        QTest::addColumn<double>("nonNegative"); // -1: refused
        QTest::newRow("decimal comma, spaces") << QStringLiteral(" 12,5 ") << 12.5 << 12.5;
        QTest::newRow("decimal point") << QStringLiteral("0.25") << 0.25 << 0.25;
        QTest::newRow("zero") << QStringLiteral("0") << -1.0 << 0.0;
        QTest::newRow("negative zero") << QStringLiteral("-0,0") << -1.0 << 0.0;
        QTest::newRow("negative") << QStringLiteral("-3") << -1.0 << -1.0;
        QTest::newRow("empty") << QString() << -1.0 << -1.0;
        QTest::newRow("group separator") << QStringLiteral("1 000") << -1.0 << -1.0;
        QTest::newRow("both marks") << QStringLiteral("1.000,5") << -1.0 << -1.0;
        QTest::newRow("a unit") << QStringLiteral("40 m") << -1.0 << -1.0;
        QTest::newRow("beyond a double") << QStringLiteral("1e999") << -1.0 << -1.0;
        QTest::newRow("infinity") << QStringLiteral("inf") << -1.0 << -1.0;
    }
    void typedFigures() {
        QFETCH(QString, text);
        QFETCH(double, positive);
        QFETCH(double, nonNegative);
        const auto p = Cella::Beírt(text);
        const auto n = Cella::Beírt(text, Cella::Előjel::NemNegatív);
        QCOMPARE(p.value_or(-1), positive);
        QCOMPARE(n.value_or(-1), nonNegative);
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    checkExpectedLocale();
    TestLog test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_naplo.moc"
