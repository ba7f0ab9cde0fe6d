// The site's attenuation law: Student's t, the fit against an independent least-squares
// solution on real blast data, the rules that make a fit unreliable, the 95 % prediction
// bound's coverage on campaigns of a known law, the charge that meets a limit, outliers, and
// the command line's rows.
#include "testfile.h"
#include "testlocale.h"

#ifndef Q_MOC_RUN // moc's parser takes no accented namespace names
#include "engine/hatarertek.h"
#include "futtatas.h"
#include "sitelaw/illesztes.h"
#include "sitelaw/studentt.h"
#endif

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <random>

namespace {

struct Oszlopok {
    int távolság = -1, töltet = -1, ppv = -1; // -1 ppv: the largest of the three after it
    bool logaritmus = false;                  // the file holds log10 SD and log10 PPV
};

// A real data set read by this test alone: its rows with a positive distance, charge and PPV.
std::vector<Terjedés::Pont> adatsor(const QString& fájl, const Oszlopok& o) {
    QFile f(fájl);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    std::vector<Terjedés::Pont> p;
    const QList<QByteArray> sorok = f.readAll().split('\n');
    for (qsizetype i = 1; i < sorok.size(); ++i) {
        QByteArray s = sorok[i].trimmed();
        const char elválasztó = s.contains(';') ? ';' : o.logaritmus ? ' ' : ',';
        QList<QByteArray> c = s.split(elválasztó);
        auto szám = [&](int k, bool* jó) {
            return k < c.size() ? c[k].replace('"', "").replace(',', '.').trimmed().toDouble(jó)
                                : (*jó = false, 0.0);
        };
        bool a = false, b = false, v = false;
        if (o.logaritmus) {
            const double x = szám(0, &a), y = szám(1, &v);
            if (a && v)
                p.push_back({QString::number(i + 1), {}, std::pow(10.0, x), 1, std::pow(10.0, y)});
            continue;
        }
        const double d = szám(o.távolság, &a), w = szám(o.töltet, &b);
        double ppv = 0;
        if (o.ppv >= 0) {
            ppv = szám(o.ppv, &v);
        } else {
            bool t = false, u = false;
            ppv = std::max({szám(4, &v), szám(6, &t), szám(8, &u)});
            v = v && t && u;
        }
        if (a && b && v && d > 0 && w > 0 && ppv > 0)
            p.push_back({QString::number(i + 1), {}, d, w, ppv});
    }
    return p;
}

// The least-squares line by the normal equations on raw sums in long double: another road
// to the same line than the program's centred sums.
struct Egyenes {
    double K, béta, R2;
};
Egyenes normálegyenlet(const std::vector<Terjedés::Pont>& p, int gyök) {
    long double sx = 0, sy = 0, sxx = 0, sxy = 0, syy = 0;
    for (const Terjedés::Pont& q : p) {
        const long double x =
            std::log10((long double)q.távolság) - std::log10((long double)q.töltet) / gyök;
        const long double y = std::log10((long double)q.ppv);
        sx += x, sy += y, sxx += x * x, sxy += x * y, syy += y * y;
    }
    const long double n = p.size();
    const long double det = n * sxx - sx * sx;
    const long double b = (n * sxy - sx * sy) / det, a = (sy * sxx - sx * sxy) / det;
    const long double r = (n * sxy - sx * sy) / std::sqrt(det * (n * syy - sy * sy));
    return {double(std::pow(10.0L, a)), double(-b), double(r * r)};
}

// A campaign of the law K·SD^−β with log-normal scatter s: SD spread evenly in log over
// [sdMin, sdMax], the charge per delay 25 kg.
std::vector<Terjedés::Pont> kampány(std::mt19937_64& g, int n, double K, double béta, double s,
                                    double sdMin = 5, double sdMax = 100) {
    std::uniform_real_distribution<double> hol(std::log10(sdMin), std::log10(sdMax));
    std::normal_distribution<double> szórás(0, s);
    std::vector<Terjedés::Pont> p;
    for (int i = 0; i < n; ++i) {
        const double sd = std::pow(10.0, hol(g));
        p.push_back({QString::number(i + 1), QStringLiteral("P%1").arg(i % 3), sd * 5, 25,
                     K * std::pow(sd, -béta) * std::pow(10.0, szórás(g))});
    }
    return p;
}

double relatív(double a, double b) {
    return std::fabs(a - b) / std::fabs(b);
}

// A figure of the command line's row: decimal comma.
double szám(const QByteArray& cella) {
    return QByteArray(cella).replace(',', '.').toDouble();
}

} // namespace

class TestTerjedes : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    static QString mezőadat(const QString& fájl) {
        return QStringLiteral(VELORIX_FIELD_DATA "/sitelaw/") + fájl;
    }

private slots:
    void initTestCase() { checkExpectedLocale(); }

    // t(p, ν) against the distribution's closed forms for one, two and four degrees of
    // freedom, and the normal quantile for very many.
    void studentQuantile_data() {
        QTest::addColumn<double>("p");
        QTest::addColumn<double>("nu");
        QTest::addColumn<double>("expected");
        for (const double p : {0.6, 0.9, 0.95, 0.975, 0.999}) {
            QTest::addRow("ν=1, p=%g", p) << p << 1.0 << std::tan(M_PI * (p - 0.5));
            QTest::addRow("ν=2, p=%g", p) << p << 2.0 << (2 * p - 1) / std::sqrt(2 * p * (1 - p));
            const double a = 4 * p * (1 - p);
            QTest::addRow("ν=4, p=%g", p)
                << p << 4.0
                << std::sqrt(4 / std::sqrt(a) * std::cos(std::acos(std::sqrt(a)) / 3) - 4);
        }
        // toward the normal: z + (z³ + z)/(4ν) + (5z⁵ + 16z³ + 3z)/(96ν²) + O(ν⁻³),
        // z(0.95) = √2·erfinv(0.9)
        const double z = 1.6448536269514722, ν = 1e5;
        QTest::newRow("ν=1e5, p=0.95")
            << 0.95 << ν
            << z + (z * z * z + z) / (4 * ν) +
                   (5 * std::pow(z, 5) + 16 * z * z * z + 3 * z) / (96 * ν * ν);
        QTest::newRow("ν=3, p=0.05, the lower tail") << 0.05 << 3.0 << -2.3533634348018264;
    }
    void studentQuantile() {
        QFETCH(double, p);
        QFETCH(double, nu);
        QFETCH(double, expected);
        const double t = Student::Kvantilis(p, nu);
        QVERIFY2(std::fabs(t - expected) <= 1e-9 * std::max(1.0, std::fabs(expected)),
                 qPrintable(
                     QStringLiteral("%1 against %2").arg(t, 0, 'g', 17).arg(expected, 0, 'g', 17)));
        QVERIFY(std::fabs(Student::Eloszlás(t, nu) - p) < 1e-12);
    }

    // On the real data sets the fit is the least-squares line to 0.1 %; the two degenerate
    // ones are refused for prediction, with the reason.
    void realSets_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("distance");
        QTest::addColumn<int>("charge");
        QTest::addColumn<int>("ppv");
        QTest::addColumn<bool>("log");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("refusal"); // empty: usable
        QTest::newRow("d.blast (relevance)")
            << "d.blast_relevance.csv" << 3 << 4 << 5 << false << 362 << QString();
        QTest::newRow("tharun") << "tharun_blast_data.csv" << 1 << 2 << 4 << false << 200
                                << QString();
        QTest::newRow("geetha") << "geetha_blast_data_M_blast_data_M_2_2_.csv" << 13 << 12 << 14
                                << false << 891 << QString();
        QTest::newRow("fgbastante (log10 already)")
            << "fgbastante_ppv_law_data_ppv_vertical.txt" << 0 << 0 << 0 << true << 50 << QString();
        QTest::newRow("hichkad: PPV does not fall with SD")
            << "hichkad_bhanegaon_real_field_data.csv" << 7 << 4 << 8 << false << 44
            << QStringLiteral("gyenge illeszkedés");
        QTest::newRow("sugengdcahyo: one distance, scatter only")
            << "sugengdcahyo_PPV.csv" << 2 << 3 << -1 << false << 128
            << QStringLiteral("gyenge illeszkedés");
    }
    void realSets() {
        QFETCH(QString, file);
        QFETCH(int, distance);
        QFETCH(int, charge);
        QFETCH(int, ppv);
        QFETCH(bool, log);
        QFETCH(int, rows);
        QFETCH(QString, refusal);
        if (!QFile::exists(mezőadat(file)))
            QSKIP("the field data are not here");
        const std::vector<Terjedés::Pont> p = adatsor(mezőadat(file), {distance, charge, ppv, log});
        QCOMPARE(int(p.size()), rows);
        const Terjedés::Illesztés i = Terjedés::Illeszt(p, 2);
        const Egyenes e = normálegyenlet(p, 2);
        QCOMPARE(i.n, rows);
        QVERIFY2(relatív(i.K, e.K) < 1e-3,
                 qPrintable(QStringLiteral("K %1, %2").arg(i.K).arg(e.K)));
        QVERIFY2(relatív(i.béta, e.béta) < 1e-3,
                 qPrintable(QStringLiteral("béta %1, %2").arg(i.béta).arg(e.béta)));
        QVERIFY(std::fabs(i.R2 - e.R2) < 1e-6);
        QCOMPARE(i.használható(), refusal.isEmpty());
        if (!refusal.isEmpty()) {
            QVERIFY2(i.megbízhatatlan.join(u' ').contains(refusal),
                     qPrintable(i.megbízhatatlan.join(u' ')));
            const auto előre = Terjedés::Előrejelez(i, 400, 25);
            QVERIFY(std::get<QString>(előre).contains(refusal));
            QVERIFY(std::get<QString>(Terjedés::MaxTöltet(i, 400, 5)).contains(refusal));
            return;
        }
        // the charge at each building's limit puts the 95 % bound (or the 50 % line) onto it
        int töltetek = 0;
        for (int k = 0; k < Határérték::KategóriákSzáma; ++k)
            for (const double f : {4.0, 23.7, 80.0}) {
                const double határ = Határérték::AlaponSzázad(k, f) / 100.0;
                const double d = std::sqrt(i.sdMin * i.sdMax) * 20;
                const auto w = Terjedés::MaxTöltet(i, d, határ);
                if (const QString* miért = std::get_if<QString>(&w)) {
                    QVERIFY2(miért->contains(QStringLiteral("kívül")), qPrintable(*miért));
                    continue;
                }
                const Terjedés::Töltet& t = std::get<Terjedés::Töltet>(w);
                QVERIFY(relatív(i.ppv95(i.arányos(d, t.w95)), határ) < 1e-3);
                if (t.w50)
                    QVERIFY(relatív(i.ppv50(i.arányos(d, *t.w50)), határ) < 1e-3);
                QVERIFY(!t.w50 || *t.w50 > t.w95);
                ++töltetek;
            }
        QVERIFY(töltetek > 0);
    }

    // The command line reads the real summary tables itself and prints the same fit.
    void realTablesOnTheCommandLine_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("distance");
        QTest::addColumn<int>("charge");
        QTest::addColumn<int>("ppv");
        QTest::addColumn<int>("status");
        QTest::newRow("tharun") << "tharun_blast_data.csv" << 1 << 2 << 4 << 0;
        QTest::newRow("sugengdcahyo") << "sugengdcahyo_PPV.csv" << 2 << 3 << -1 << 2;
    }
    void realTablesOnTheCommandLine() {
        QFETCH(QString, file);
        QFETCH(int, distance);
        QFETCH(int, charge);
        QFETCH(int, ppv);
        QFETCH(int, status);
        if (!QFile::exists(mezőadat(file)))
            QSKIP("the field data are not here");
        const Egyenes e = normálegyenlet(adatsor(mezőadat(file), {distance, charge, ppv}), 2);
        const Futás r = parancssor({"--terjedes", mezőadat(file), "--pont", "P"});
        QCOMPARE(r.állapot, status);
        const QList<QByteArray> s = r.sorok();
        QCOMPARE(s.size(), 2);
        QCOMPARE(s[0], QByteArray("gyök;n;K;béta;R2;s;K95_1645s;SD_min;SD_max;megjegyzés"));
        const QList<QByteArray> c = s[1].split(';');
        QVERIFY(relatív(szám(c[2]), e.K) < 1e-3);
        QVERIFY(relatív(szám(c[3]), e.béta) < 1e-3);
        QCOMPARE(c[9].startsWith("megbízhatatlan"), status != 0);
        // asked to predict, an unreliable fit prints no figure and says why
        const Futás p = parancssor({"--terjedes", mezőadat(file), "--pont", "P", "--elorejelzes",
                                    "--tavolsag", "200", "--toltet", "25,5"});
        QCOMPARE(p.állapot, status);
        QCOMPARE(p.sorok().size(), status == 0 ? 2 : 1);
        if (status != 0)
            QVERIFY2(p.hibák.contains(QStringLiteral("nincs előrejelzés: megbízhatatlan")),
                     qPrintable(p.hibák));
    }

    // Each rule that makes a fit unreliable, alone, at and past its edge.
    void unreliable_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("beta");
        QTest::addColumn<double>("scatter");
        QTest::addColumn<double>("sdMax");
        QTest::addColumn<QString>("reason"); // empty: usable
        QTest::newRow("10 measurements") << 10 << 1.5 << 0.05 << 100.0 << QString();
        QTest::newRow("9 measurements") << 9 << 1.5 << 0.05 << 100.0 << "kevés mérés";
        QTest::newRow("scatter swamps the law") << 200 << 0.5 << 0.8 << 100.0 << "gyenge";
        QTest::newRow("PPV grows with SD") << 40 << -1.0 << 0.02 << 100.0 << "nem csökken";
        QTest::newRow("SD range ×1.8") << 40 << 1.5 << 0.01 << 9.0 << "szűk SD";
        QTest::newRow("SD range ×2.2") << 40 << 1.5 << 0.01 << 11.0 << QString();
    }
    void unreliable() {
        QFETCH(int, n);
        QFETCH(double, beta);
        QFETCH(double, scatter);
        QFETCH(double, sdMax);
        QFETCH(QString, reason);
        std::mt19937_64 g(7);
        // the SD range spans exactly what the row says: its ends are measured
        std::vector<Terjedés::Pont> p = kampány(g, n - 2, 500, beta, scatter, 5, sdMax);
        p.push_back({QStringLiteral("a"), {}, 5 * 5, 25, 500 * std::pow(5, -beta)});
        p.push_back({QStringLiteral("b"), {}, sdMax * 5, 25, 500 * std::pow(sdMax, -beta)});
        const Terjedés::Illesztés i = Terjedés::Illeszt(p, 2);
        QCOMPARE(i.használható(), reason.isEmpty());
        QCOMPARE(i.megbízhatatlan.size(), reason.isEmpty() ? 0 : 1);
        if (!reason.isEmpty())
            QVERIFY2(i.megbízhatatlan.first().contains(reason), qPrintable(i.megbízhatatlan[0]));
    }

    // A prediction beyond the fitted SD range by more than 1.5× is refused.
    void predictionRange_data() {
        QTest::addColumn<double>("factor"); // of the range's end
        QTest::addColumn<bool>("given");
        QTest::newRow("1.45 × SD_max") << 1.45 << true;
        QTest::newRow("1.55 × SD_max") << 1.55 << false;
        QTest::newRow("SD_min / 1.45") << 1 / 1.45 << true;
        QTest::newRow("SD_min / 1.55") << 1 / 1.55 << false;
    }
    void predictionRange() {
        QFETCH(double, factor);
        QFETCH(bool, given);
        std::mt19937_64 g(11);
        const Terjedés::Illesztés i = Terjedés::Illeszt(kampány(g, 50, 700, 1.4, 0.1), 2);
        QVERIFY(i.használható());
        const double sd = (factor > 1 ? i.sdMax : i.sdMin) * factor;
        const double d = 100, w = std::pow(d / sd, 2);
        const auto e = Terjedés::Előrejelez(i, d, w);
        QCOMPARE(std::holds_alternative<Terjedés::Előrejelzés>(e), given);
        if (given) {
            const auto& p = std::get<Terjedés::Előrejelzés>(e);
            QVERIFY(relatív(p.arányos, sd) < 1e-12);
            QVERIFY(p.ppv95 > p.ppv50);
        }
    }

    // Campaigns of a known law: the fit recovers β within its 95 % confidence interval, and a
    // new measurement lies below the 95 % prediction bound 95 % of the time; the common
    // K95 = K·10^(1.645 s) covers less on a small campaign, as it ignores the fit's own error.
    void knownLaw_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("scatter");
        QTest::newRow("12 blasts, s = 0.2") << 12 << 0.2;
        QTest::newRow("40 blasts, s = 0.15") << 40 << 0.15;
        QTest::newRow("200 blasts, s = 0.25") << 200 << 0.25;
    }
    void knownLaw() {
        QFETCH(int, n);
        QFETCH(double, scatter);
        constexpr double K = 1140, béta = 1.55;
        std::mt19937_64 g(std::uint64_t(n) * 977);
        int kampányok = 0, bétaBenne = 0, alatta = 0, alattaSzokásos = 0, újak = 0;
        for (; kampányok < 400; ++kampányok) {
            const Terjedés::Illesztés i = Terjedés::Illeszt(kampány(g, n, K, béta, scatter), 2);
            const double seBéta = i.s / std::sqrt(i.Sxx);
            const double t975 = Student::Kvantilis(0.975, n - 2);
            bétaBenne += std::fabs(i.béta - béta) <= t975 * seBéta;
            for (const Terjedés::Pont& új : kampány(g, 10, K, béta, scatter)) {
                const double sd = i.arányos(új.távolság, új.töltet);
                alatta += új.ppv <= i.ppv95(sd);
                alattaSzokásos += új.ppv <= i.K95_1645s() * std::pow(sd, -i.béta);
                ++újak;
            }
        }
        const double lefed = double(alatta) / újak, bétaArány = double(bétaBenne) / kampányok;
        QVERIFY2(std::fabs(lefed - 0.95) < 0.01, qPrintable(QString::number(lefed)));
        QVERIFY2(std::fabs(bétaArány - 0.95) < 0.03, qPrintable(QString::number(bétaArány)));
        if (n <= 12)
            QVERIFY(double(alattaSzokásos) / újak < lefed - 0.01);
    }

    // A measurement far off the line is listed, never dropped; --kizar drops it and says so.
    void outliers() {
        std::mt19937_64 g(5);
        std::vector<Terjedés::Pont> p = kampány(g, 60, 900, 1.5, 0.08);
        p[17].ppv *= std::pow(10.0, 0.8); // ten residual errors above the line
        const Terjedés::Illesztés i = Terjedés::Illeszt(p, 2);
        QCOMPARE(int(i.kiugrók.size()), 1);
        QCOMPARE(i.kiugrók[0].pont.azonosító, p[17].azonosító);
        QVERIFY(i.kiugrók[0].maradék > Terjedés::KiugróHatár);
        QCOMPARE(i.n, 60);

        QByteArray tábla = "Pont;Távolság (m);Töltet (kg);PPV (mm/s)\r\n";
        for (const Terjedés::Pont& q : p)
            tábla += q.pont.toUtf8() + ';' +
                     QByteArray::number(q.távolság, 'f', 3).replace('.', ',') + ';' +
                     QByteArray::number(q.töltet) + ';' +
                     QByteArray::number(q.ppv, 'g', 12).replace('.', ',') + "\r\n";
        const QString f = saveFile(dir_, QStringLiteral("kiugro.csv"), tábla);
        const QString sor = QString::number(17 + 2); // the table's line: its header is line 1
        const Futás mind = parancssor({"--terjedes", f});
        QVERIFY2(mind.hibák.contains(QStringLiteral("lehetséges kiugró")) &&
                     mind.hibák.contains(QStringLiteral("--kizar ") + sor),
                 qPrintable(mind.hibák));
        QVERIFY(mind.sorok()[1].split(';')[9].contains("lehetséges kiugró: " + sor.toUtf8()));
        const Futás nélküle = parancssor({"--terjedes", f, "--kizar", sor});
        QCOMPARE(nélküle.állapot, 0);
        const QList<QByteArray> c = nélküle.sorok()[1].split(';');
        QCOMPARE(c[1], QByteArray("59"));
        QCOMPARE(c[9], "kizárva: " + sor.toUtf8());
        std::vector<Terjedés::Pont> maradék = p;
        maradék.erase(maradék.begin() + 17);
        QVERIFY(relatív(szám(c[3]), Terjedés::Illeszt(maradék, 2).béta) < 1e-4);
        QCOMPARE(parancssor({"--terjedes", f, "--kizar", "9999"}).állapot, 2);
    }

    // The command line's charge and prediction rows: the bound at the charge is the limit at
    // the frequency given (a decimal comma or point), without one the category's lowest.
    void chargeOnTheCommandLine_data() {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("frequency"); // empty: none given
        QTest::addColumn<int>("root");
        QTest::newRow("residential at 23,5 Hz") << "lakó"
                                                << "23,5" << 2;
        QTest::newRow("monument at 61.2 Hz, cube root") << "2"
                                                        << "61.2" << 3;
        QTest::newRow("industrial, no frequency") << "ipari" << QString() << 2;
    }
    void chargeOnTheCommandLine() {
        QFETCH(QString, category);
        QFETCH(QString, frequency);
        QFETCH(int, root);
        std::mt19937_64 g(3);
        const std::vector<Terjedés::Pont> p = kampány(g, 80, 600, 1.45, 0.12, 3, 150);
        QByteArray tábla = "Távolság (m);Töltet (kg);Tran (mm/s);Freq (Hz);Vert (mm/s);Freq "
                           "(Hz);Long (mm/s);Freq (Hz)\n";
        for (const Terjedés::Pont& q : p) // the largest component is the fitted one
            tábla += QByteArray::number(q.távolság, 'g', 15) + ';' + QByteArray::number(q.töltet) +
                     ';' + QByteArray::number(q.ppv * 0.7, 'g', 15) + ";20;" +
                     QByteArray::number(q.ppv, 'g', 15) + ";25;" +
                     QByteArray::number(q.ppv * 0.9, 'g', 15) + ";30\n";
        const QString f = saveFile(dir_, QStringLiteral("toltet.csv"), tábla);
        QStringList args{"--terjedes",   f,
                         "--pont",       "H1",
                         "--gyok",       QString::number(root),
                         "--max-toltet", "--tavolsag",
                         "250",          "--kategoria",
                         category};
        if (!frequency.isEmpty())
            args << "--frekvencia" << frequency;
        const Futás r = parancssor(args);
        QCOMPARE(r.állapot, 0);
        QCOMPARE(r.sorok()[0], QByteArray("távolság;kategória;frekvencia;határérték;W50;W95"));
        const QList<QByteArray> c = r.sorok()[1].split(';');
        std::vector<Terjedés::Pont> q = p;
        const Terjedés::Illesztés i = Terjedés::Illeszt(q, root);
        const int k = *Határérték::KategóriaKeres(category);
        const double határ =
            (frequency.isEmpty() ? Határérték::LegkisebbAlaponSzázad(k)
                                 : Határérték::AlaponSzázad(k, szám(frequency.toUtf8()))) /
            100.0;
        QCOMPARE(szám(c[3]), határ);
        if (frequency.isEmpty()) {
            QCOMPARE(c[2], QByteArray("nincs megadva"));
            QVERIFY(r.hibák.contains(QStringLiteral("legkisebb határértéke")));
        }
        QVERIFY2(relatív(i.ppv95(i.arányos(250, szám(c[5]))), határ) < 1e-3, r.ki.constData());
        QVERIFY(relatív(i.ppv50(i.arányos(250, szám(c[4]))), határ) < 1e-3);
        // and the prediction at that charge gives the limit back
        const Futás e =
            parancssor({"--terjedes", f, "--gyok", QString::number(root), "--elorejelzes",
                        "--tavolsag", "250", "--toltet", QString::fromUtf8(c[5])});
        QCOMPARE(e.sorok()[0], QByteArray("távolság;töltet;SD;PPV50;PPV95"));
        QVERIFY(relatív(szám(e.sorok()[1].split(';')[4]), határ) < 1e-3);
    }
};

QTEST_GUILESS_MAIN(TestTerjedes)
#include "test_terjedes.moc"
