// The limit engine on its own: the category table and the names people type for it, the
// continuous curve between whole hertz, the judgement of one measurement or component, and
// the texts every output writes.
#ifndef Q_MOC_RUN // moc's parser takes no accented namespace names
#include "engine/hatarertek.h"
#include "engine/kategoriak.h"
#include "engine/szovegek.h"
#endif
#include "runtime/text.h"
#include "testlocale.h"

#include <QtTest>

#include <cmath>

namespace {

// The limit curve in exact arithmetic, above 100 Hz its value there.
double exactCurve(int k, double f) {
    const Határérték::Kategória& c = Határérték::Kategóriák[std::size_t(k)];
    f = std::min(f, 100.0);
    if (f < 10)
        return c.állandó;
    if (f <= 50)
        return c.középAlap + c.középMeredekség * (f - 10);
    return c.felsőAlap + c.felsőMeredekség * (f - 50);
}

} // namespace

class TestLimitEngine : public QObject {
    Q_OBJECT

private slots:
    // Between whole hertz: the curve cut to hundredths, never rounded up to the next
    // whole hertz's value.
    void continuousCurve_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<double>("f");
        QTest::addColumn<int>("hundredths");
        QTest::addColumn<bool>("above100");
        QTest::newRow("residential 49.5 Hz") << 1 << 49.5 << 1487 << false;
        QTest::newRow("residential 9.99 Hz") << 1 << 9.99 << 500 << false;
        QTest::newRow("industrial 10.5 Hz") << 0 << 10.5 << 2025 << false;
        QTest::newRow("monument 57.4 Hz") << 2 << 57.4 << 829 << false;
        QTest::newRow("monument 50.01 Hz") << 2 << 50.01 << 800 << false;
        QTest::newRow("residential 100 Hz") << 1 << 100.0 << 2000 << false;
        QTest::newRow("residential 100.4 Hz") << 1 << 100.4 << 2000 << true;
        QTest::newRow("industrial 250 Hz") << 0 << 250.0 << 5000 << true;
        QTest::newRow("monument 1e300 Hz") << 2 << 1e300 << 1000 << true;
    }
    void continuousCurve() {
        QFETCH(int, k);
        QFETCH(double, f);
        QFETCH(int, hundredths);
        QFETCH(bool, above100);
        QCOMPARE(Határérték::AlaponSzázad(k, f), hundredths);
        const Határérték::Megítélés m = Határérték::AlaponMegítél(k, f, 1.0);
        QCOMPARE(m.határSzázad, hundredths);
        QCOMPARE(m.százHzFeletti, above100);
    }

    // Over a fine grid the engine follows the exact curve: never above it by more than
    // the window's allowance, never a hundredth or more below, never falling.
    void followsTheCurveEverywhere() {
        for (int k = 0; k < Határérték::KategóriákSzáma; ++k) {
            int előző = 0;
            for (int i = 0; i <= 120000; ++i) {
                const double f = i / 1000.0;
                const int század = Határérték::AlaponSzázad(k, f);
                const double pontos = exactCurve(k, f) * 100.0;
                QVERIFY2(század <= pontos + 0.2 + 1e-6 && század > pontos - 1.0,
                         qPrintable(QStringLiteral("%1 at %2 Hz").arg(k).arg(f)));
                QVERIFY(század >= előző);
                előző = század;
            }
        }
    }

    // The verdict and the utilisation shown: an exceeding velocity never reads 100.0 %.
    void judgement_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<double>("f");
        QTest::addColumn<double>("v");
        QTest::addColumn<bool>("within");
        QTest::addColumn<qint64>("tenths");
        QTest::addColumn<int>("limit"); // hundredths: the curve at f, cut
        QTest::newRow("exactly at the limit") << 1 << 51.0 << 15.1 << true << qint64(1000) << 1510;
        QTest::newRow("a thousandth above") << 1 << 51.0 << 15.101 << false << qint64(1001) << 1510;
        QTest::newRow("49.5 Hz, 14.95 mm/s") << 1 << 49.5 << 14.95 << false << qint64(1005) << 1487;
        QTest::newRow("well within") << 2 << 11.0 << 3.0 << true << qint64(962) << 312;
        QTest::newRow("zero velocity") << 0 << 5.0 << 0.0 << true << qint64(0) << 2000;
        QTest::newRow("above 100 Hz") << 2 << 140.0 << 10.5 << false << qint64(1050) << 1000;
    }
    void judgement() {
        QFETCH(int, k);
        QFETCH(double, f);
        QFETCH(double, v);
        QFETCH(bool, within);
        QFETCH(qint64, tenths);
        QFETCH(int, limit);
        const Határérték::Megítélés m = Határérték::AlaponMegítél(k, f, v);
        QCOMPARE(m.megfelel, within);
        QCOMPARE(m.kihasználtságTized(), tenths);
        QCOMPARE(m.határSzázad, limit);
        QCOMPARE(m.százHzFeletti, f > 100);
    }

    void utilisationNeverHidesAnExceedance() {
        for (int k = 0; k < Határérték::KategóriákSzáma; ++k) {
            for (int f = 0; f <= 100; ++f) {
                const double határ = Határérték::AlaponSzázad(k, f) / 100.0;
                for (const double többlet : {1e-9, 1e-6, 1e-4, 4e-4, 1e-3}) {
                    const auto m = Határérték::AlaponMegítél(k, f, határ + többlet);
                    QVERIFY(!m.megfelel);
                    QVERIFY(m.kihasználtságTized() > 1000);
                }
            }
        }
    }

    void nameKeys_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("other");
        QTest::newRow("decomposed accents")
            << QStringLiteral("Műemlék") << QStringLiteral("Mu\u030Bemle\u0301k");
        QTest::newRow("case and accents")
            << QStringLiteral("SEBESSEG") << QStringLiteral("sebesség");
        QTest::newRow("blanks") << QStringLiteral("  ipari \t objektum ")
                                << QStringLiteral("Ipari objektum");
    }
    void nameKeys() {
        QFETCH(QString, typed);
        QFETCH(QString, other);
        QCOMPARE(rt::NameKey(typed), rt::NameKey(other));
    }

    void categoriesAsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("k");
        QTest::newRow("index") << QStringLiteral(" 2 ") << 2;
        QTest::newRow("short, decomposed") << QStringLiteral("Mu\u030Bemle\u0301k") << 2;
        QTest::newRow("caption without accents") << QStringLiteral("LAKOEPULET") << 1;
        QTest::newRow("English") << QStringLiteral("Industrial") << 0;
        QTest::newRow("unknown") << QStringLiteral("iroda") << -1;
        QTest::newRow("index out of range") << QStringLiteral("3") << -1;
    }
    void categoriesAsTyped() {
        QFETCH(QString, typed);
        QFETCH(int, k);
        QCOMPARE(int(Határérték::KategóriaKeres(typed).value_or(-1)), k);
    }
    // Every spelling the table accepts finds its own category, and no two categories share
    // one; the message for an unknown one names every short name.
    void everyNameFindsItsCategory() {
        QHash<QString, int> kulcsok; // each spelling's category
        for (int k = 0; k < Határérték::KategóriákSzáma; ++k) {
            const Határérték::Kategória& c = Határérték::Kategóriák[std::size_t(k)];
            const QStringList nevek{QString::number(k), QString::fromUtf16(c.név),
                                    QString::fromUtf16(c.angolNév), Határérték::KategóriaNév(k)};
            for (const QString& név : nevek) {
                QCOMPARE(Határérték::KategóriaKeres(név).value_or(-1), k);
                QCOMPARE(Határérték::KategóriaKeres(név.toUpper()).value_or(-1), k);
                QCOMPARE(kulcsok.value(rt::NameKey(név), k), k);
                kulcsok.insert(rt::NameKey(név), k);
            }
            QVERIFY(!Határérték::KategóriaNév(k).contains(u'&'));
            QVERIFY(Határérték::IsmeretlenKategória(QStringLiteral("x"))
                        .contains(QString::fromUtf16(c.név)));
        }
        QVERIFY(Határérték::KategóriaNév(Határérték::KategóriákSzáma).isEmpty());
        QCOMPARE(Határérték::AlaponSzázad(-1, 20), 0);
    }

    // A component at a place: the foundation judges every component at its frequency (the
    // lowest value without one), the top floor slab only the horizontals, at its value.
    void componentAtItsPlace_data() {
        QTest::addColumn<int>("hely");
        QTest::addColumn<double>("f"); // negative: no frequency
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<int>("hundredths"); // -1: not judged
        QTest::addColumn<bool>("noFrequency");
        QTest::newRow("foundation, vertical, 30 Hz") << 0 << 30.0 << true << 1000 << false;
        QTest::newRow("foundation, no frequency") << 0 << -1.0 << false << 500 << true;
        QTest::newRow("foundation, 140 Hz") << 0 << 140.0 << false << 2000 << false;
        QTest::newRow("slab, horizontal") << 1 << 30.0 << false << 1500 << false;
        QTest::newRow("slab, horizontal, no frequency") << 1 << -1.0 << false << 1500 << false;
        QTest::newRow("slab, vertical") << 1 << 30.0 << true << -1 << false;
    }
    void componentAtItsPlace() {
        QFETCH(int, hely);
        QFETCH(double, f);
        QFETCH(bool, vertical);
        QFETCH(int, hundredths);
        QFETCH(bool, noFrequency);
        const auto m = Határérték::ÖsszetevőMegítél(
            1, hely ? Határérték::Hely::Födém : Határérték::Hely::Alap,
            f < 0 ? std::nullopt : std::optional<double>(f), 12.0, vertical);
        QCOMPARE(m.has_value(), hundredths >= 0);
        if (!m)
            return;
        QCOMPARE(m->határSzázad, hundredths);
        QCOMPARE(m->frekvenciaNélkül, noFrequency);
        QCOMPARE(m->megfelel, 12.0 <= hundredths / 100.0);
    }

    // Fixed-point texts: the count of units as digits with the chosen mark, a sign where
    // the value is negative, no locale anywhere.
    void fixedPointTexts_data() {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<char>("mark");
        QTest::addColumn<QString>("text");
        QTest::newRow("limit") << qint64(1510) << 2 << ',' << QStringLiteral("15,10");
        QTest::newRow("small limit") << qint64(5) << 2 << ',' << QStringLiteral("0,05");
        QTest::newRow("point") << qint64(829) << 2 << '.' << QStringLiteral("8.29");
        QTest::newRow("percent") << qint64(1569) << 1 << ',' << QStringLiteral("156,9");
        QTest::newRow("zero percent") << qint64(0) << 1 << ',' << QStringLiteral("0,0");
        QTest::newRow("negative") << qint64(-1205) << 3 << ',' << QStringLiteral("-1,205");
        QTest::newRow("whole") << qint64(42) << 0 << ',' << QStringLiteral("42");
        QTest::newRow("huge") << qint64(123456789012345) << 1 << ','
                              << QStringLiteral("12345678901234,5");
    }
    void fixedPointTexts() {
        QFETCH(qint64, value);
        QFETCH(int, decimals);
        QFETCH(char, mark);
        QFETCH(QString, text);
        QCOMPARE(Határérték::Tizedes(value, decimals, mark), text);
        if (decimals == 2)
            QCOMPARE(Határérték::SzázadSzöveg(int(value), mark), text);
        if (decimals == 1)
            QCOMPARE(Határérték::Százalék(value, mark), text);
    }

    // Measured figures: rounded to the decimals asked for, a decimal comma, never "-0,000"
    // nor "-0" (an axis's first tick a hair below zero).
    void measuredFigures_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("ppv") << 9.3964 << 3 << QStringLiteral("9,396");
        QTest::newRow("rounds up") << 0.99996 << 4 << QStringLiteral("1,0000");
        QTest::newRow("tiny negative") << -0.0001 << 3 << QStringLiteral("0,000");
        QTest::newRow("tiny negative, no decimals") << -0.0004 << 0 << QStringLiteral("0");
        QTest::newRow("negative zero") << -0.0 << 2 << QStringLiteral("0,00");
        QTest::newRow("negative ten") << -10.0 << 0 << QStringLiteral("-10");
        QTest::newRow("negative") << -2.5 << 2 << QStringLiteral("-2,50");
        QTest::newRow("large") << 1e15 << 1 << QStringLiteral("1000000000000000,0");
    }
    void measuredFigures() {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(Határérték::Szám(value, decimals), text);
    }

    // Fitted figures: at least the significant digits asked for, counted after rounding, so
    // a value that rounds up a decade keeps its count; whole digits are never cut.
    void significantDigits_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("text");
        QTest::newRow("a slope") << 1.234567 << 4 << QStringLiteral("1,235");
        QTest::newRow("small") << 0.0123456 << 4 << QStringLiteral("0,01235");
        QTest::newRow("rounds up a decade") << 9.99996 << 4 << QStringLiteral("10,00");
        QTest::newRow("rounds up below one") << 0.099996 << 3 << QStringLiteral("0,100");
        QTest::newRow("an exact power") << 100.0 << 5 << QStringLiteral("100,00");
        QTest::newRow("whole digits beyond") << 123456.7 << 4 << QStringLiteral("123457");
        QTest::newRow("negative") << -0.5 << 3 << QStringLiteral("-0,500");
        QTest::newRow("zero") << 0.0 << 5 << QStringLiteral("0");
        QTest::newRow("tiny") << 1.5e-20 << 2 << QStringLiteral("0,000000000000000000015");
        QTest::newRow("not finite") << qQNaN() << 5 << QString();
    }
    void significantDigits() {
        QFETCH(double, value);
        QFETCH(int, digits);
        QFETCH(QString, text);
        QCOMPARE(Határérték::Jegyek(value, digits), text);
    }

    // The verdict words with their remarks, as a log row, a table and a summary write them.
    // The foundation label's number: whole values right-aligned with a comma, fractional ones
    // with the runtime's point and two decimals, whatever the locale.
    void labelNumber_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole, two digits") << 20.0f << QStringLiteral(" 20,00");
        QTest::newRow("whole, one digit") << 5.0f << QStringLiteral("  5,00");
        QTest::newRow("whole, three digits") << 100.0f << QStringLiteral("100,00");
        QTest::newRow("two decimals") << 5.25f << QStringLiteral("5.25");
        QTest::newRow("one decimal, padded") << 5.5f << QStringLiteral("5.50");
        QTest::newRow("above ten") << 40.2f << QStringLiteral("40.20");
        QTest::newRow("held just below a hundredth") << 8.2799997f << QStringLiteral("8.28");
        QTest::newRow("cut, not rounded") << 3.12f << QStringLiteral("3.12");
    }
    void labelNumber() {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(Határérték::CímkeSzám(value), text);
    }

    // A setting as the user writes it: no trailing zeros, a decimal comma, whole values bare.
    void settingTexts_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("half") << 0.5 << QStringLiteral("0,5");
        QTest::newRow("whole") << 60.0 << QStringLiteral("60");
        QTest::newRow("quarter") << 0.25 << QStringLiteral("0,25");
        QTest::newRow("beyond three decimals") << 0.12345 << QStringLiteral("0,123");
        QTest::newRow("a hair below zero") << -0.0001 << QStringLiteral("0");
    }
    void settingTexts() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(Határérték::BeállításSzám(value), text);
    }

    // The accepted category texts, in every message that names them, from the table.
    void categoryChoices() {
        const QString choices = Határérték::KategóriaVálaszték();
        QCOMPARE(choices, QStringLiteral("0, 1, 2 vagy ipari, lakó, műemlék"));
        for (const QString& typed : choices.split(QRegularExpression(QStringLiteral(", | vagy "))))
            QVERIFY2(Határérték::KategóriaKeres(typed), qPrintable(typed));
        QVERIFY(Határérték::IsmeretlenKategória(QStringLiteral("iroda")).endsWith(choices + u')'));
    }

    void verdictTexts_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<double>("f"); // negative: no frequency
        QTest::addColumn<double>("v");
        QTest::addColumn<QString>("text");
        QTest::newRow("within") << 1 << 51.0 << 15.1 << QStringLiteral("megfelel");
        QTest::newRow("exceeds") << 2 << 57.4 << 8.3 << QStringLiteral("túllépi");
        QTest::newRow("above 100 Hz")
            << 0 << 130.0 << 48.0 << QStringLiteral("megfelel (100 Hz feletti: a 100 Hz-es érték)");
        QTest::newRow("no frequency")
            << 1 << -1.0 << 6.0 << QStringLiteral("túllépi (nincs frekvencia: a legkisebb érték)");
    }
    void verdictTexts() {
        QFETCH(int, k);
        QFETCH(double, f);
        QFETCH(double, v);
        QFETCH(QString, text);
        const auto m = Határérték::ÖsszetevőMegítél(
            k, Határérték::Hely::Alap, f < 0 ? std::nullopt : std::optional<double>(f), v, false);
        QVERIFY(m);
        QCOMPARE(Határérték::Ítélet(*m), text);
        QByteArray bytes("x;");
        Határérték::ÍtéletÍr(bytes, *m);
        QCOMPARE(bytes, "x;" + text.toUtf8());
        QVERIFY(text.startsWith(QString::fromUtf8(Határérték::ÍtéletSzó(m->megfelel))));
        QCOMPARE(Határérték::NagyÍtéletSzó(m->megfelel).toLower(),
                 QString::fromUtf8(Határérték::ÍtéletSzó(m->megfelel)));
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // takes the C locale from the environment
    checkExpectedLocale();
    TestLimitEngine test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_hatarertek.moc"
