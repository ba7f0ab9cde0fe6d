#ifndef Q_MOC_RUN // moc's parser takes no accented namespace names
#include "engine/hatarertek.h"
#include "engine/szovegek.h"
#endif
#include "model/rezgesmodell.h"
#include "runtime/errors.h"
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

// The model with its two result labels as plain texts.
class Modell : public RezgésModell {
public:
    QString címke[2] = {QStringLiteral("5.00 mm/s"), QStringLiteral("15.00 mm/s")};
    int írások = 0;

    float számol(int kategória, int frekvencia) {
        Épülettípus = std::int16_t(kategória);
        Frekvencia = std::int16_t(frekvencia);
        Számít();
        return MaxSebesség;
    }

protected:
    QString CímkeMaxSebességFelirat(std::int16_t index) const override { return címke[index]; }
    void CímkeMaxSebességFeliratÍr(std::int16_t index, const QString& felirat) override {
        címke[index] = felirat;
        ++írások;
    }
};

bool wholeHundredths(float v) {
    const double h = double(v) * 100.0;
    return std::fabs(h - std::round(h)) < 1e-3;
}

} // namespace

class TestModel : public QObject {
    Q_OBJECT

private slots:
    // At every whole hertz the window's labels show the engine's figures, digit for digit.
    void wholeHertzEqualTheWindow() {
        for (int k = 0; k < Határérték::KategóriákSzáma; ++k) {
            for (int f = Határérték::LegkisebbFrekvencia; f <= Határérték::LegnagyobbFrekvencia;
                 ++f) {
                const Ablakszövegek e =
                    RezgésModell::Eredményszövegek(std::int16_t(k), std::int16_t(f));
                const int század = Határérték::AlaponSzázad(k, f);
                QCOMPARE(Határérték::SzázadSzöveg(század, '.'), labelNumber(e.alapon));
                QCOMPARE(Határérték::SzázadSzöveg(Határérték::FelsőFödémSzázad(k), ','),
                         labelNumber(e.felsőFödém).replace(u'.', u','));
            }
        }
    }

    void tellingResults_data() {
        QTest::addColumn<int>("f");
        QTest::addColumn<float>("ipari");
        QTest::addColumn<float>("lakó");
        QTest::addColumn<float>("műemlék");
        const struct {
            int f;
            float a, b, c;
        } rows[] = {{5, 20, 5, 3},
                    {9, 20, 5, 3},
                    {10, 20, 5, 3},
                    {11, 20.5f, 5.25f, 3.12f},
                    {13, 21.5f, 5.75f, 3.37f},
                    {30, 30, 10, 5.5f},
                    {49, 39.5f, 14.75f, 7.87f},
                    {50, 40, 15, 8},
                    {51, 40.2f, 15.1f, 8.04f},
                    {57, 41.4f, 15.7f, 8.28f},
                    {75, 45, 17.5f, 9},
                    {100, 50, 20, 10}};
        for (const auto& r : rows)
            QTest::addRow("%d Hz", r.f) << r.f << r.a << r.b << r.c;
    }
    void tellingResults() {
        QFETCH(int, f);
        QFETCH(float, ipari);
        QFETCH(float, lakó);
        QFETCH(float, műemlék);
        Modell m;
        // exact equality with the single nearest to each hundredth
        QCOMPARE(m.számol(0, f), ipari);
        QCOMPARE(m.számol(1, f), lakó);
        QCOMPARE(m.számol(2, f), műemlék);
    }

    // Thousandths of category 2 are cut, and 8.28 (held as 8.2799997) survives the cut.
    void cutAndAllowance_data() {
        QTest::addColumn<int>("f");
        QTest::addColumn<QString>("szöveg");
        QTest::newRow("3.125 cut") << 11 << "3.12";
        QTest::newRow("3.375 cut") << 13 << "3.37";
        QTest::newRow("3.625 cut") << 15 << "3.62";
        QTest::newRow("3.875 cut") << 17 << "3.87";
        QTest::newRow("8.28 kept") << 57 << "8.28";
        QTest::newRow("8.12") << 53 << "8.12";
    }
    void cutAndAllowance() {
        QFETCH(int, f);
        QFETCH(QString, szöveg);
        Modell m;
        m.számol(2, f);
        QCOMPARE(m.SzámSzöveg(), szöveg);
    }

    void lowFrequenciesGiveTheConstant_data() {
        QTest::addColumn<int>("f");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -5;
        QTest::newRow("most negative") << -32768;
        QTest::newRow("nine") << 9;
    }
    void lowFrequenciesGiveTheConstant() {
        QFETCH(int, f);
        Modell m;
        QCOMPARE(m.számol(0, f), 20.0f);
        QCOMPARE(m.számol(1, f), 5.0f);
        QCOMPARE(m.számol(2, f), 3.0f);
    }

    void categoryOutsideTableKeepsTheValue_data() {
        QTest::addColumn<int>("kategória");
        QTest::newRow("-1") << -1;
        QTest::newRow("3") << 3;
        QTest::newRow("32767") << 32767;
    }
    void categoryOutsideTableKeepsTheValue() {
        QFETCH(int, kategória);
        Modell m;
        m.számol(1, 57);
        QCOMPARE(m.számol(kategória, 90), 15.7f);
        // an unrounded value is rounded once more, by cutting
        m.MaxSebesség = 7.4567f;
        m.Számít();
        QCOMPARE(m.MaxSebesség, 7.45f);
        QVERIFY(!RezgésModell::FelsőFödémSzöveg(std::int16_t(kategória)).has_value());
    }

    void overflowingFrequencyRaisesOverflow() {
        // The largest 16-bit frequency still computes within the upper band.
        Modell m;
        QCOMPARE(m.számol(1, 32767), 3286.7f);
        m.MaxSebesség = std::numeric_limits<float>::infinity();
        m.Épülettípus = 5;
        QVERIFY_THROWS_EXCEPTION(rt::RuntimeError, m.Számít());
    }

    void topFloorTexts() {
        QCOMPARE(*RezgésModell::FelsőFödémSzöveg(0), QStringLiteral("40,00 mm/s"));
        QCOMPARE(*RezgésModell::FelsőFödémSzöveg(1), QStringLiteral("15,00 mm/s"));
        QCOMPARE(*RezgésModell::FelsőFödémSzöveg(2), QStringLiteral("8,00 mm/s"));
    }

    void numberTexts_data() {
        QTest::addColumn<float>("v");
        QTest::addColumn<QString>("szöveg");
        QTest::newRow("20") << 20.0f << " 20,00";
        QTest::newRow("5") << 5.0f << "  5,00";
        QTest::newRow("8") << 8.0f << "  8,00";
        QTest::newRow("100") << 100.0f << "100,00";
        QTest::newRow("5.25") << 5.25f << "5.25";
        QTest::newRow("5.5") << 5.5f << "5.50";
        QTest::newRow("3.12") << 3.12f << "3.12";
        QTest::newRow("40.2") << 40.2f << "40.20";
        QTest::newRow("12.5") << 12.5f << "12.50";
        QTest::newRow("10.75") << 10.75f << "10.75";
        QTest::newRow("8.2799997") << 8.2799997f << "8.28";
    }
    void numberTexts() {
        QFETCH(float, v);
        QFETCH(QString, szöveg);
        Modell m;
        m.MaxSebesség = v;
        QCOMPARE(m.SzámSzöveg(), szöveg);
    }

    void labelCaptionWritesOnlyTheFoundation_data() {
        QTest::addColumn<int>("kategória");
        QTest::addColumn<int>("f");
        QTest::addColumn<QString>("felirat");
        QTest::newRow("industrial 0 Hz") << 0 << 0 << " 20,00 mm/s";
        QTest::newRow("residential 10 Hz") << 1 << 10 << "  5,00 mm/s";
        QTest::newRow("residential 11 Hz") << 1 << 11 << "5.25 mm/s";
        QTest::newRow("industrial 51 Hz") << 0 << 51 << "40.20 mm/s";
        QTest::newRow("monument 11 Hz") << 2 << 11 << "3.12 mm/s";
        QTest::newRow("monument 57 Hz") << 2 << 57 << "8.28 mm/s";
        QTest::newRow("residential 51 Hz") << 1 << 51 << "15.10 mm/s";
        QTest::newRow("monument 51 Hz") << 2 << 51 << "8.04 mm/s";
    }
    void labelCaptionWritesOnlyTheFoundation() {
        QFETCH(int, kategória);
        QFETCH(int, f);
        QFETCH(QString, felirat);
        Modell m;
        m.számol(kategória, f);
        m.CímkeFelirás();
        QCOMPARE(m.címke[0], felirat);
        QCOMPARE(m.címke[1], QStringLiteral("15.00 mm/s"));
        QCOMPARE(m.írások, 2); // the number text, then the unit after what was read back
    }

    // Over the whole range: whole hundredths, continuity at the band edges, never
    // falling, and the two shapes of the text.
    void wholeRangeProperties_data() {
        QTest::addColumn<int>("kategória");
        for (int k = 0; k < 3; ++k)
            QTest::addRow("category %d", k) << k;
    }
    void wholeRangeProperties() {
        QFETCH(int, kategória);
        Modell m;
        float előző = -1;
        for (int f = 0; f <= 100; ++f) {
            const float v = m.számol(kategória, f);
            QVERIFY2(wholeHundredths(v), qPrintable(QString::number(f)));
            QVERIFY2(v >= előző, qPrintable(QString::number(f)));
            if (f == 10 || f == 51)
                QVERIFY2(v - előző < 0.51f, "a jump at a band edge");
            előző = v;
            // the band formula in exact thousandths, cut to hundredths
            static constexpr int alap[3][3] = {
                {20000, 20000, 40000}, {5000, 5000, 15000}, {3000, 3000, 8000}};
            static constexpr int meredek[3][2] = {{500, 200}, {250, 100}, {125, 40}};
            const int ezred = f < 10    ? alap[kategória][0]
                              : f <= 50 ? alap[kategória][1] + meredek[kategória][0] * (f - 10)
                                        : alap[kategória][2] + meredek[kategória][1] * (f - 50);
            QCOMPARE(v, float((ezred / 10) / 100.0));

            const QString szöveg = m.SzámSzöveg();
            const QRegularExpression whole(QStringLiteral("^[ 0-9]{2}[0-9],00$"));
            const QRegularExpression fraction(QStringLiteral("^[1-9][0-9]?\\.[0-9]{2}$"));
            if (v == std::floor(v)) {
                QVERIFY2(whole.match(szöveg).hasMatch(), qPrintable(szöveg));
                QCOMPARE(szöveg.left(3).trimmed().toInt(), int(v));
            } else {
                QVERIFY2(fraction.match(szöveg).hasMatch(), qPrintable(szöveg));
                QCOMPARE(szöveg.toFloat(), v);
            }
        }
        const float tetőérték[] = {40.0f, 15.0f, 8.0f};
        QCOMPARE(m.számol(kategória, 50), tetőérték[kategória]);
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // takes the C locale from the environment
    checkExpectedLocale();
    TestModel test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_model.moc"
