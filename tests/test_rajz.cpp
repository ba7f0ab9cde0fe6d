// The painters that the record window and the report share, read back from what they drew:
// every point where it is, the limits of the place judged, colours that cannot be mistaken.
#ifndef Q_MOC_RUN // moc's parser takes no accented namespace names
#include "analysis/elemzes.h"
#include "painters/hatargorbe.h"
#include "painters/idosor.h"
#include "painters/jelrajz.h"
#include "painters/terjedesabra.h"
#endif
#include "testlocale.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include <cmath>
#include <optional>

namespace {

QPalette paper() {
    QPalette p;
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Mid, QColor(150, 150, 150));
    return p;
}

// The chart of the points drawn into an image; the chart's scale through `ábra`.
QImage chart(const std::vector<Rajz::Pont>& points, bool slab, Rajz::Határábra* ábra) {
    QImage image(700, 450, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    *ábra = Rajz::Megfelelőség(painter, image.size(), paper(), QFont(), 1, slab, points);
    return image;
}

} // namespace

class TestPainters : public QObject {
    Q_OBJECT

private slots:
    // A point beyond 50 mm/s and 100 Hz is drawn where it is: the axes grow to round
    // ticks, the point's dot has its colour, and the scale maps back to its values.
    void pointsWhereTheyAre_data() {
        QTest::addColumn<double>("f");
        QTest::addColumn<double>("v");
        QTest::newRow("68,9 mm/s at 120 Hz") << 120.0 << 68.9;
        QTest::newRow("344,5 % of a residential limit") << 31.0 << 68.892;
        QTest::newRow("within the usual axes") << 14.0 << 9.4;
    }
    void pointsWhereTheyAre() {
        QFETCH(double, f);
        QFETCH(double, v);
        const QColor colour(110, 40, 160);
        Rajz::Határábra ábra;
        // a second point at half the values, in a colour of its own: on linear axes from
        // zero its dot lies halfway between the axes' origin and the first one's
        const QColor half(20, 150, 60);
        const QImage image = chart({{f, v, colour, QStringLiteral("HHN"), true, false},
                                    {f / 2, v / 2, half, QStringLiteral("HHE"), true, false}},
                                   false, &ábra);
        QVERIFY(ábra.felsőFrekvencia >= std::max(100.0, f) &&
                ábra.felsőSebesség >= std::max(50.0, v));
        const QPointF at = ábra.pont(f, v);
        QVERIFY(ábra.tér.contains(at));
        QCOMPARE(image.pixelColor(at.toPoint()), colour);
        // the second dot, found where the halfway point is, not where the chart says it put it
        const QPointF halfway = (ábra.tér.bottomLeft() + at) / 2;
        QCOMPARE(image.pixelColor(halfway.toPoint()), half);
    }

    // A trace's peak is marked on the side it lies, whether its column holds one sample or
    // many, and inside a zoomed span at its own time; at the right edge its label goes to its
    // left instead of over it.
    void peakMarkOnItsSide_data() {
        QTest::addColumn<int>("samples");
        QTest::addColumn<double>("sign");
        QTest::addColumn<bool>("zoomed");
        QTest::addColumn<double>("where"); // the peak's place in the record
        QTest::newRow("one sample a column, below") << 500 << -1.0 << false << 0.6;
        QTest::newRow("one sample a column, above") << 500 << 1.0 << false << 0.6;
        QTest::newRow("many a column, below") << 20000 << -1.0 << false << 0.6;
        QTest::newRow("zoomed, below") << 20000 << -1.0 << true << 0.6;
        QTest::newRow("at the right edge, above") << 20000 << 1.0 << false << 0.985;
        QTest::newRow("at the right edge, below") << 20000 << -1.0 << false << 0.985;
    }
    void peakMarkOnItsSide() {
        QFETCH(int, samples);
        QFETCH(double, sign);
        QFETCH(bool, zoomed);
        QFETCH(double, where);
        const double rate = 1000;
        std::vector<double> v(std::size_t(samples), 0.0);
        const auto peak = std::size_t(double(samples) * where);
        for (std::size_t i = 0; i < v.size(); ++i) // a burst whose largest swing has `sign`
            v[i] = sign * 5 * std::exp(-std::pow((double(i) - double(peak)) / 8.0, 2)) *
                   std::cos(0.4 * (double(i) - double(peak)));
        Elemzés::Megállapítás e;
        Elemzés::Összetevő c;
        c.kód.csatorna = QStringLiteral("HHZ");
        c.jellemzők = Elemzés::Számol(v, rate);
        e.összetevők.push_back(c);
        const std::vector<Rajz::Rajzadat> drawings{Rajz::Rajzadatot(v, rate)};
        QImage image(900, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const double length = double(samples) / rate, t = c.jellemzők.idő;
        const auto span = zoomed ? std::optional(std::pair(t - 0.05, t + 0.2)) : std::nullopt;
        const QRectF axis =
            Rajz::Nyomvonalak(painter, QRectF(image.rect()), paper(), QFont(), e, drawings, span);
        painter.end();
        const double t0 = span ? span->first : 0, t1 = span ? span->second : length;
        const double x = axis.left() + axis.width() * (t - t0) / (t1 - t0);
        const double scale = c.jellemzők.ppv * 1.15;
        auto y = [&](double value) {
            return axis.center().y() - (axis.height() / 2 - 2) * value / scale;
        };
        auto ring = [&](double value) { // dark pixels of the mark's outline about (x, y(value))
            int dark = 0;
            for (int dx = -5; dx <= 5; ++dx)
                for (int dy = -5; dy <= 5; ++dy) {
                    const QColor p = image.pixelColor(int(x) + dx, int(y(value)) + dy);
                    dark += p.red() < 70 && p.green() < 70 && p.blue() < 70;
                }
            return dark;
        };
        // the whole outline, about 18 to 21 dark pixels: no label laid over any part of it
        QVERIFY2(ring(sign * c.jellemzők.ppv) >= 16,
                 qPrintable(QString::number(ring(sign * c.jellemzők.ppv))));
        QCOMPARE(ring(-sign * c.jellemzők.ppv), 0);
    }

    // A microphone's or an accelerometer's trace, or one in counts, is drawn beside the
    // velocity in a strip of its own, on its own scale: its peak's mark where its own peak
    // is, never pushed out of its strip by the velocity's scale; the limit chart has the
    // velocity's point alone unless the other is a velocity in mm/s.
    void otherQuantitiesInTheirOwnStrip_data() {
        QTest::addColumn<int>("quantity");
        QTest::addColumn<bool>("counts");
        QTest::addColumn<double>("peak");
        QTest::newRow("microphone, 200 Pa") << int(Rezgésjel::Mennyiség::Nyomás) << false << 200.0;
        QTest::newRow("accelerometer, 0,02 m/s²")
            << int(Rezgésjel::Mennyiség::Gyorsulás) << false << 0.02;
        QTest::newRow("velocity in counts, 40000")
            << int(Rezgésjel::Mennyiség::Sebesség) << true << 40000.0;
    }
    void otherQuantitiesInTheirOwnStrip() {
        QFETCH(int, quantity);
        QFETCH(bool, counts);
        QFETCH(double, peak);
        const double rate = 1000;
        Elemzés::Megállapítás e;
        std::vector<Rajz::Rajzadat> drawings;
        for (int k = 0; k < 2; ++k) { // a 5 mm/s velocity, then the other, peaks apart in time
            std::vector<double> v(2000, 0.0);
            const double amplitude = k == 0 ? 5 : peak;
            const double at = k == 0 ? 500 : 1400;
            for (std::size_t i = 0; i < v.size(); ++i)
                v[i] = amplitude * std::exp(-std::pow((double(i) - at) / 8.0, 2));
            Elemzés::Összetevő c;
            c.kód.csatorna = k == 0 ? QStringLiteral("HHZ") : QStringLiteral("X");
            c.mennyiség = k == 0 ? Rezgésjel::Mennyiség::Sebesség : Rezgésjel::Mennyiség(quantity);
            c.nyers = k == 1 && counts;
            c.jellemzők = Elemzés::Számol(v, rate, c.mennyiség);
            c.jellemzők.zc = 20;
            e.összetevők.push_back(c);
            drawings.push_back(Rajz::Rajzadatot(v, rate));
        }
        QImage image(900, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const QRectF axis =
            Rajz::Nyomvonalak(painter, QRectF(image.rect()), paper(), QFont(), e, drawings);
        painter.end();
        const double strip = axis.height() / 2;
        for (int k = 0; k < 2; ++k) {
            const Elemzés::Jellemzők& j = e.összetevők[std::size_t(k)].jellemzők;
            const double x = axis.left() + axis.width() * j.idő / 2.0;
            // each strip's own peak 1/1.15 of the way from its zero line to its edge
            const double y = axis.top() + strip * (k + 0.5) - (strip / 2 - 2) / 1.15;
            int dark = 0;
            for (int dx = -5; dx <= 5; ++dx)
                for (int dy = -5; dy <= 5; ++dy) {
                    const QColor p = image.pixelColor(int(x) + dx, int(y) + dy);
                    dark += p.red() < 70 && p.green() < 70 && p.blue() < 70;
                }
            QVERIFY2(dark >= 16, qPrintable(QStringLiteral("strip %1: %2").arg(k).arg(dark)));
        }
        QCOMPARE(Rajz::ÖsszetevőPontok(e, Elemzés::Módszer::ZC).size(), std::size_t(1));
    }

    // The usual axes where the points fit them: 0-100 Hz, 0-50 mm/s.
    void usualAxes() {
        QImage image(600, 400, QImage::Format_RGB32);
        QPainter painter(&image);
        const Rajz::Határábra ábra = Rajz::Határgörbe(painter, image.size(), paper(), QFont(), 1);
        QCOMPARE(ábra.felsőFrekvencia, 100.0);
        QCOMPARE(ábra.felsőSebesség, 50.0);
    }

    // At the top floor slab the chart draws the slab's value, not the foundation's curve;
    // the vertical component is shown hollow and said not to be judged.
    void topFloorSlab() {
        Rajz::Határábra ábra;
        const QImage image = chart({}, true, &ábra);
        const QColor residential = Rajz::KategóriaSzín(1);
        QCOMPARE(image.pixelColor(ábra.pont(75, 15).toPoint()), residential);
        QVERIFY(image.pixelColor(ábra.pont(75, 17.5).toPoint()) != residential); // not the curve

        Elemzés::Megállapítás e;
        for (const char* c : {"HHZ", "HHN"}) {
            Elemzés::Összetevő ö;
            ö.kód.csatorna = QString::fromLatin1(c);
            ö.függőleges = c[2] == 'Z';
            ö.jellemzők.ppv = 3;
            ö.jellemzők.zc = 20;
            ö.mintavétel = 1000;
            e.összetevők.push_back(ö);
        }
        Elemzés::Minősít(e, 1, Elemzés::Hely::Födém, Elemzés::Módszer::ZC);
        const std::vector<Rajz::Pont> points = Rajz::ÖsszetevőPontok(e, Elemzés::Módszer::ZC);
        QCOMPARE(points.size(), std::size_t(2));
        QVERIFY(points[0].nemÍtélt && points[0].felirat.endsWith(QStringLiteral("nem ítélt")));
        QVERIFY(!points[1].nemÍtélt);
    }

    // The points' list stays inside the plot however narrow the chart: the axis' figures
    // and title beside it are drawn exactly as without any point.
    void pointListStaysInThePlot_data() {
        QTest::addColumn<int>("width");
        QTest::newRow("wide") << 700;
        QTest::newRow("the record window's at 1366×768") << 360;
        QTest::newRow("narrower still") << 250;
    }
    void pointListStaysInThePlot() {
        QFETCH(int, width);
        const std::vector<Rajz::Pont> points{
            {22.97, 6.086, QColor(110, 40, 160),
             QStringLiteral("HHZ: 22,97 Hz, 6,086 mm/s – nem ítélt"), false, true},
            {13.98, 9.396, QColor(215, 120, 0), QStringLiteral("HHN: 13,98 Hz, 9,396 mm/s"), false,
             false}};
        auto draw = [&](const std::vector<Rajz::Pont>& p, Rajz::Határábra* ábra) {
            QImage image(width, 240, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            *ábra = Rajz::Megfelelőség(painter, image.size(), paper(), QFont(), 1, true, p);
            return image;
        };
        Rajz::Határábra with, without;
        const QImage a = draw(points, &with), b = draw({}, &without);
        const int left = int(std::floor(with.tér.left())) - 1;
        QCOMPARE(a.copy(0, 0, left, a.height()), b.copy(0, 0, left, b.height()));
    }

    // A point's campaign: each measurement where its time and PPV put it, a large one growing
    // the axis rather than being clipped, an exceedance a cross of its own, the axis' time
    // span holding every measurement however far apart.
    void campaignOverTime_data() {
        QTest::addColumn<qint64>("span"); // µs from the first to the last
        QTest::addColumn<double>("largest");
        QTest::newRow("one week, small") << qint64(7) * 86'400'000'000 << 3.2;
        QTest::newRow("half a year, far above the limit") << qint64(182) * 86'400'000'000 << 41.0;
        QTest::newRow("one afternoon") << qint64(5) * 3'600'000'000 << 0.8;
    }
    void campaignOverTime() {
        QFETCH(qint64, span);
        QFETCH(double, largest);
        const qint64 first = 1'789'000'000'000'000; // September 2026
        std::vector<Rajz::Időpont> points = {
            {first + span, largest, 5.0, largest > 5, false},
            {first, largest / 4, 5.0, false, false},
            {first + span / 2, largest / 2, 5.0, largest / 2 > 5, false}};
        QImage image(800, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const Rajz::Idősorábra ábra =
            Rajz::Idősor(painter, image.size(), paper(), QFont(), QStringLiteral("UMK0001"),
                         Qt::darkGreen, points);
        painter.end();
        QVERIFY(ábra.felső >= largest && ábra.tól < first && ábra.ig > first + span);
        for (const Rajz::Időpont& p : points) {
            const QPointF at = ábra.pont(p.mikro, *p.ppv);
            QVERIFY(ábra.tér.contains(at));
            const QColor c = image.pixelColor(at.toPoint());
            if (p.túllépi) // the cross' dark red, not the dots' blue
                QVERIFY2(c.red() > 120 && c.green() < 40 && c.blue() < 40, qPrintable(c.name()));
            else
                QVERIFY2(c.blue() > 120 && c.red() < 40, qPrintable(c.name()));
        }
    }

    // The attenuation chart: its decades grow to hold every measurement, line and limit, so
    // each is drawn where its own figures put it, however far they spread.
    void attenuationChartHoldsEverything_data() {
        QTest::addColumn<double>("sdLow");
        QTest::addColumn<double>("sdHigh");
        QTest::addColumn<double>("ppvLow");
        QTest::addColumn<double>("ppvHigh");
        QTest::addColumn<double>("limit");
        QTest::newRow("a quarry's campaign") << 8.0 << 180.0 << 0.3 << 25.0 << 5.0;
        QTest::newRow("close blasting, limit below every point")
            << 0.04 << 3.0 << 40.0 << 900.0 << 3.0;
        QTest::newRow("far and faint, limit far above") << 300.0 << 9000.0 << 0.002 << 0.05 << 20.0;
    }
    void attenuationChartHoldsEverything() {
        QFETCH(double, sdLow);
        QFETCH(double, sdHigh);
        QFETCH(double, ppvLow);
        QFETCH(double, ppvHigh);
        QFETCH(double, limit);
        const std::vector<Rajz::TerjedésPont> points = {
            {sdLow, ppvHigh, false},
            {sdHigh, ppvLow, false},
            {std::sqrt(sdLow * sdHigh), std::sqrt(ppvLow * ppvHigh), true},
            // the calculator's figure for a blast farther than any measured, below them all
            {sdHigh * 4, ppvLow / 4, false, true}};
        const Rajz::TerjedésVonal line{
            QStringLiteral("50 %"),
            Qt::darkGreen,
            Qt::SolidLine,
            {{sdLow / 1.5, ppvHigh * 1.2}, {sdHigh * 1.5, ppvLow / 1.2}}};
        QImage image(700, 360, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const Rajz::Terjedésábra ábra =
            Rajz::Terjedés(painter, image.size(), paper(), QFont(),
                           QStringLiteral("Terjedési törvény"), QStringLiteral("SD"), points,
                           {line}, {{QStringLiteral("határ"), limit, Qt::red, true}});
        painter.end();
        auto inside = [&](double sd, double ppv) {
            const QPointF at = ábra.pont(sd, ppv);
            return ábra.tér.adjusted(-0.5, -0.5, 0.5, 0.5).contains(at);
        };
        for (const Rajz::TerjedésPont& p : points) {
            QVERIFY(inside(p.arányos, p.ppv));
            const QPointF at = ábra.pont(p.arányos, p.ppv);
            const QColor c = image.pixelColor(at.toPoint());
            if (p.számított) { // a hollow diamond in the text's colour, no measurement's dot
                const QColor edge = image.pixelColor((at + QPointF(3.5, -3.5)).toPoint());
                QVERIFY2(edge.red() < 110 && edge.green() < 110 && edge.blue() < 110,
                         qPrintable(edge.name()));
                QVERIFY2(!(c.blue() > 120 && c.red() < 40), qPrintable(c.name()));
            } else if (p.kiugró) { // a ring of its own colour around it, antialiased
                bool ring = false;
                for (int dx = 5; dx <= 7; ++dx)
                    for (int dy = -1; dy <= 1; ++dy) {
                        const QColor r = image.pixelColor((at + QPointF(dx, dy)).toPoint());
                        ring = ring || (r.red() > 150 && r.blue() < 60 && r.green() < 150);
                    }
                QVERIFY(ring);
            } else
                QVERIFY2(c.blue() > 120 && c.red() < 40, qPrintable(c.name()));
        }
        for (const QPointF& q : line.pontok)
            QVERIFY(inside(q.x(), q.y()));
        QVERIFY(inside(sdLow, limit));
        // whole decades at the ends
        for (const double v : {ábra.xAlsó, ábra.xFelső, ábra.yAlsó, ábra.yFelső})
            QCOMPARE(v, std::round(v));
    }

    // No trace takes a limit curve's colour.
    void componentColoursAreNotCurveColours() {
        for (int i = 0; i < 5; ++i)
            for (int k = 0; k < 3; ++k)
                QVERIFY(Rajz::ÖsszetevőSzín(i) != Rajz::KategóriaSzín(k));
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    checkExpectedLocale();
    TestPainters test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_rajz.moc"
