// The record window's model without a window: the views of a monitoring record, the one it
// opens on, judging again when the category, place or method change, the whole and a span
// analysed on demand, and the texts and report item of what is shown.
#include "groundrecords.h"
#include "testlocale.h"

#ifndef Q_MOC_RUN // moc's parser takes no accented namespace names
#include "analysis/felvetelmodell.h"
#include "engine/hatarertek.h"
#endif

#include <QtTest>

#include <cmath>

namespace {

constexpr double Rate = 500;
const hptime_t Start = ms_time2hptime(2026, 338, 9, 41, 12, 0);

QByteArray record(const std::vector<Blast>& blasts, double seconds) {
    return mseed(groundChannels(Ground(blasts, 7, 0.01), seconds, Rate, Start), DE_STEIM2, 4096);
}

FelvételModell model(const std::vector<Blast>& blasts, double seconds, int category = 1) {
    Rezgésjel::Beállítás settings;
    settings.érzékenység = 1000;
    Feldolgozás::Feldolgozott f =
        Feldolgozás::Bájtok(record(blasts, seconds), QStringLiteral("m.mseed"),
                            FelvételModell::Kérése(category, settings));
    if (f.hiba || f.felvételek.size() != 1)
        qFatal("unreadable test record");
    return FelvételModell(std::move(f.felvételek.front()), category);
}

double ppvZ(const FelvételModell& m) {
    return m.Megállapítás().összetevők.front().jellemzők.ppv;
}

} // namespace

class TestRecordModel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { checkExpectedLocale(); }

    void opensOnItsWorstEvent_data() {
        QTest::addColumn<std::vector<Blast>>("blasts");
        QTest::addColumn<int>("views");
        QTest::addColumn<int>("opensOn");
        // a residential building: 5 mm/s below 10 Hz, 10 mm/s at 30 Hz
        QTest::newRow("the second exceeds")
            << std::vector<Blast>{{20, 3, 30}, {70, 6, 8}} << 3 << 2;
        QTest::newRow("the first exceeds") << std::vector<Blast>{{20, 6, 8}, {70, 3, 30}} << 3 << 1;
        QTest::newRow("both pass, the larger share")
            << std::vector<Blast>{{20, 2, 30}, {70, 4, 8}} << 3 << 2;
        QTest::newRow("one") << std::vector<Blast>{{45, 2, 30}} << 2 << 1;
        QTest::newRow("none: the whole") << std::vector<Blast>{} << 1 << 0;
    }
    void opensOnItsWorstEvent() {
        QFETCH(std::vector<Blast>, blasts);
        QFETCH(int, views);
        QFETCH(int, opensOn);
        const FelvételModell m = model(blasts, 90);
        QVERIFY(m.Figyelés());
        QCOMPARE(m.NézetekSzáma(), views);
        QCOMPARE(m.AktívNézet(), opensOn);
        QCOMPARE(m.KijelöltNézet(), -1);
        QCOMPARE(m.NézetNév(0), QStringLiteral("teljes felvétel (%1 esemény)").arg(views - 1));
        if (opensOn > 0) { // the event's peak, as it was made
            const Blast& b = blasts[std::size_t(opensOn - 1)];
            QVERIFY2(std::fabs(ppvZ(m) - b.amplitude) < 0.02, qPrintable(QString::number(ppvZ(m))));
            QVERIFY(m.NézetNév(opensOn).startsWith(QStringLiteral("%1. 09:4").arg(opensOn)));
        } else {
            QVERIFY(m.NézetAdat(0)->elemezve); // nothing else to show
        }
    }

    void judgesAgainWithTheSameFigures_data() {
        QTest::addColumn<int>("category");
        QTest::addColumn<bool>("passes");
        // 6 mm/s at 8 Hz: industrial 20, residential 5, monument 3 mm/s
        QTest::newRow("industrial") << 0 << true;
        QTest::newRow("residential") << 1 << false;
        QTest::newRow("monument") << 2 << false;
    }
    void judgesAgainWithTheSameFigures() {
        QFETCH(int, category);
        QFETCH(bool, passes);
        FelvételModell m = model({{30, 6, 8}}, 70, category == 1 ? 0 : 1);
        const double before = ppvZ(m);
        QVERIFY(m.KategóriaBeállít(category));
        QVERIFY(!m.KategóriaBeállít(category));
        QVERIFY(!m.KategóriaBeállít(7));
        QCOMPARE(m.Kategória(), category);
        QCOMPARE(ppvZ(m), before);
        QCOMPARE(m.Megfelel(), passes);
        QCOMPARE(m.SorTúllépi(0), !passes); // the vertical carries the peak
        QVERIFY(m.Fejléc().endsWith(Határérték::KategóriaNév(category)));
        QVERIFY(
            m.Ítélet().startsWith(passes ? QStringLiteral("Megfelel") : QStringLiteral("Túllépi")));
        // at the top floor slab the vertical is shown, not judged
        m.HelyBeállít(Elemzés::Hely::Födém);
        QVERIFY(!m.Megállapítás().összetevők.front().megítélt);
        QVERIFY(!m.SorTúllépi(0));
        QCOMPARE(m.Jelentéstétel({}).hely, Elemzés::Hely::Födém);
    }

    void wholeAndSpanOnDemand() {
        FelvételModell m = model({{20, 4, 30}, {70, 6, 8}}, 90);
        // the whole is analysed only when asked for
        QVERIFY(!m.NézetBeállít(0));
        QCOMPARE(m.AktívNézet(), 2);
        const std::function<FelvételModell::Nézet()> whole = m.EgészMunka();
        QVERIFY(whole);
        m.EgészKész(whole());
        QVERIFY(!m.EgészMunka());
        QVERIFY(m.NézetBeállít(0));
        QVERIFY(std::fabs(ppvZ(m) - 6) < 0.02);
        QCOMPARE(m.Rajzok().size(), std::size_t(3));
        QVERIFY(!m.Rajzok().front().spektrum.empty());
        QCOMPARE(m.Hossz(), 90 - 1 / Rate);

        // a span around the first blast, dragged right to left
        const std::function<FelvételModell::Nézet()> span = m.SzakaszMunka(25, 15);
        QVERIFY(span);
        QCOMPARE(*m.KijelölésSáv(), std::make_pair(15.0, 25.0));
        const int view = m.SzakaszKész(span());
        QCOMPARE(view, 3);
        QCOMPARE(m.KijelöltNézet(), 3);
        QVERIFY(m.NézetBeállít(view));
        QVERIFY(std::fabs(ppvZ(m) - 4) < 0.02);
        QCOMPARE(m.Felvétel().kezdetMikro, qint64(Start) / (HPTMODULUS / 1000000) + 15'000'000);
        QVERIFY(m.NézetNév(view).startsWith(
            QStringLiteral("kijelölt szakasz: 09:41:27,000 – 09:41:37,000 UTC")));
        const Feldolgozás::Jelentéstétel t = m.Jelentéstétel({});
        QVERIFY(t.kijelölt);
        QCOMPARE(t.részletes, 0);
        QCOMPARE(t.események.size(), std::size_t(2));
        // a span beyond the record stays within it
        m.SzakaszKész(m.SzakaszMunka(80, 500)());
        QCOMPARE(m.KijelölésSáv()->second, m.Hossz());
    }

    void nearestEvent_data() {
        QTest::addColumn<double>("time");
        QTest::addColumn<int>("event");
        QTest::newRow("before the first") << 0.0 << 1;
        QTest::newRow("inside the first") << 20.0 << 1;
        QTest::newRow("nearer the first") << 40.0 << 1;
        QTest::newRow("nearer the second") << 50.0 << 2;
        QTest::newRow("after the last") << 89.0 << 2;
    }
    void nearestEvent() {
        QFETCH(double, time);
        QFETCH(int, event);
        static const FelvételModell m = model({{20, 3, 30}, {70, 3, 30}}, 90);
        QCOMPARE(m.LegközelebbiEsemény(time), event);
        const auto windows = m.Eseményablakok();
        QCOMPARE(windows.size(), std::size_t(2));
        QVERIFY(windows[0].first < 20 && windows[0].second > 20);
    }

    // A record too slowly sampled for the scale: shown, never called within its limit.
    void nothingJudgedIsNoPass() {
        Rezgésjel::Beállítás settings;
        settings.érzékenység = 1000;
        std::vector<MseedChannel> slow = groundChannels(Ground({{5, 3, 8}}), 10, 100, Start);
        Feldolgozás::Feldolgozott f =
            Feldolgozás::Bájtok(mseed(slow, DE_STEIM2, 4096), QStringLiteral("s.mseed"),
                                FelvételModell::Kérése(1, settings));
        QVERIFY(!f.hiba);
        FelvételModell m(std::move(f.felvételek.front()), 1);
        QVERIFY(!m.Megítélt());
        QVERIFY2(
            m.Ítélet().startsWith(QStringLiteral("Nincs megítélt összetevő: a mintavétel 100/s")),
            qPrintable(m.Ítélet()));
        QVERIFY(!m.SorTúllépi(0));
        QCOMPARE(m.TáblázatSorok().front().last(),
                 m.Megállapítás().összetevők.front().nemÍtéltMiért);
    }

    void shortRecordHasNoViews() {
        FelvételModell m = model({{5, 3, 30}}, 10);
        QVERIFY(!m.Figyelés());
        QCOMPARE(m.NézetekSzáma(), 0);
        QCOMPARE(m.Rajzok().size(), std::size_t(3));
        QVERIFY(std::fabs(ppvZ(m) - 3) < 0.02);
        QCOMPARE(m.LegközelebbiEsemény(5), -1);
        QVERIFY(!m.SzakaszMunka(1, 2));
        QVERIFY(!m.EgészMunka());
        QVERIFY(m.Fejléc().contains(QStringLiteral("kezdet: 2026-12-04 09:41:12 UTC")));
        QCOMPARE(m.Jelentéstétel({}).események.size(), std::size_t(0));
    }
};

QTEST_GUILESS_MAIN(TestRecordModel)
#include "test_felvetelmodell.moc"
