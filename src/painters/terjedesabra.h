#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

class QPainter;

// The site's attenuation chart: every measurement's PPV against its scaled distance on
// logarithmic axes, the fitted lines through them and the limits as levels. The axes grow by
// whole decades to hold every point, line and level; none is moved.
namespace Rajz {

struct TerjedésPont {
    double arányos = 0, ppv = 0; // SD, mm/s; both positive
    bool kiugró = false;         // a possible outlier, drawn apart
    bool számított = false; // a figure computed on the bound (a planned blast's), no measurement
};

// A line of the law through (SD, mm/s) points, e.g. the 50 % line and the 95 % bound.
struct TerjedésVonal {
    QString név;
    QColor szín;
    Qt::PenStyle stílus = Qt::SolidLine;
    std::vector<QPointF> pontok;
};

// The site law's three lines, named and coloured alike wherever they are drawn: the 50 %
// line, the 95 % prediction bound, the common K95 = K·10^(1.645 s).
std::vector<TerjedésVonal> TörvényVonalai(const std::vector<QPointF>& ötven,
                                          const std::vector<QPointF>& kilencvenöt,
                                          const std::vector<QPointF>& szokásos);

// A limit across the chart, e.g. a building's foundation limit at a frequency.
struct Szint {
    QString név;
    double ppv = 0; // mm/s
    QColor szín;
    bool kiemelt = false;
};

struct Terjedésábra {
    QRectF tér;
    double xAlsó = 0, xFelső = 1, yAlsó = 0, yFelső = 1; // decades: log10 at the ends
    QPointF pont(double arányos, double ppv) const;
};

// Draws the chart into a rectangle of `méret` at the origin, titled `cím`, the x axis named
// `xNév` (the scaled distance's definition).
Terjedésábra Terjedés(QPainter& festő, const QSizeF& méret, const QPalette& paletta,
                      const QFont& betű, const QString& cím, const QString& xNév,
                      const std::vector<TerjedésPont>& pontok,
                      const std::vector<TerjedésVonal>& vonalak, const std::vector<Szint>& szintek);

} // namespace Rajz
