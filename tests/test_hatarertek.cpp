// The limit engine against the window's model, the continuous curve between whole hertz,
// and the names people type for categories.
#ifndef Q_MOC_RUN // moc's parser takes no accented namespace names
#include "model/hatarertek.h"
#endif
#include "model/rezgesmodell.h"
#include "runtime/text.h"
#include "testlocale.h"

#include <QtTest>

#include <cmath>

namespace {

// The foundation label's number as digits with a point: " 20,00 mm/s" -> "20.00".
QString labelNumber(const QString& label) {
    QString text = label.trimmed();
    text.chop(int(QStringLiteral(" mm/s").size()));
    return text.replace(u',', u'.');
}

// The limit curve in exact arithmetic, above 100 Hz its value there.
double exactCurve(int k, double f) {
    const Kategória& c = Kategóriák[std::size_t(k)];
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
    // At every whole hertz the engine's figure is the window's label, digit for digit.
    void wholeHertzEqualTheWindow() {
        for (int k = 0; k < Határérték::KategóriákSzáma; ++k) {
            for (int f = Határérték::LegkisebbFrekvencia; f <= Határérték::LegnagyobbFrekvencia;
                 ++f) {
                const Eredmény e = RezgésModell::Eredményszövegek(std::int16_t(k), std::int16_t(f));
                const int század = Határérték::AlaponSzázad(k, f);
                QCOMPARE(Határérték::SzázadSzöveg(század, u'.'), labelNumber(e.alapon));
                QCOMPARE(Határérték::SzázadSzöveg(Határérték::FelsőFödémSzázad(k), u','),
                         labelNumber(e.felsőFödém).replace(u'.', u','));
            }
        }
    }

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
        QTest::newRow("exactly at the limit") << 1 << 51.0 << 15.1 << true << qint64(1000);
        QTest::newRow("a thousandth above") << 1 << 51.0 << 15.101 << false << qint64(1001);
        QTest::newRow("49.5 Hz, 14.95 mm/s") << 1 << 49.5 << 14.95 << false << qint64(1005);
        QTest::newRow("well within") << 2 << 11.0 << 3.0 << true << qint64(962);
        QTest::newRow("zero velocity") << 0 << 5.0 << 0.0 << true << qint64(0);
        QTest::newRow("above 100 Hz") << 2 << 140.0 << 10.5 << false << qint64(1050);
    }
    void judgement() {
        QFETCH(int, k);
        QFETCH(double, f);
        QFETCH(double, v);
        QFETCH(bool, within);
        QFETCH(qint64, tenths);
        const Határérték::Megítélés m = Határérték::AlaponMegítél(k, f, v);
        QCOMPARE(m.megfelel, within);
        QCOMPARE(m.kihasználtságTized(), tenths);
        QCOMPARE(m.megfelel, v <= m.határ());
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
        QCOMPARE(int(RezgésModell::KategóriaKeres(typed).value_or(-1)), k);
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // takes the C locale from the environment
    checkExpectedLocale();
    TestLimitEngine test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_hatarertek.moc"
