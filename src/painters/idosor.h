#pragma once

#include <QFont>
#include <QPalette>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

// One measuring point's campaign: each measurement's PPV at its time (Hungarian local time on
// the axis), and the limit each was judged by (at its own frequency and place), as a stepped
// line through them. The axes grow to hold every point and every limit; none is moved.
namespace Rajz {

struct Időpont {
    qint64 mikro = 0;            // the trigger, µs since 1970 UTC
    std::optional<double> ppv;   // mm/s; none: not plotted, counted
    std::optional<double> határ; // mm/s, where judged
    bool túllépi = false;
    bool nemÍtélt = false;
};

struct Idősorábra {
    QRectF tér;
    qint64 tól = 0, ig = 1; // µs at the left and right ends
    double felső = 1;       // mm/s at the top
    QPointF pont(qint64 mikro, double sebesség) const;
};

// Draws the chart into a rectangle of `méret` at the origin, titled `cím`; the points in
// any order.
Idősorábra Idősor(QPainter& festő, const QSizeF& méret, const QPalette& paletta, const QFont& betű,
                  const QString& cím, const QColor& határSzín, std::vector<Időpont> pontok);

} // namespace Rajz
