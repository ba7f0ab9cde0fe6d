#pragma once

#include <QFont>
#include <QPalette>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

class QPainter;

// The limit chart: the foundation limit of the three categories from 0 to 100 Hz, the
// selected one emphasised, with a legend. "Határgörbék", the record window and the report
// draw it with this one painter and mark their points on it.
namespace Rajz {

inline constexpr double FelsőSebesség = 50.0; // mm/s, the top of the axis

// The chart's plotting area and its scale.
struct Határábra {
    QRectF tér;
    // A point of the chart in the painter's coordinates; frequencies beyond 100 Hz and
    // velocities beyond the axis stay on its edge.
    QPointF pont(double frekvencia, double sebesség) const;
};

// Draws the chart (background, grid, axes, the curves and the legend) into a rectangle of
// `méret` at the origin.
Határábra Határgörbe(QPainter& festő, const QSizeF& méret, const QPalette& paletta,
                     const QFont& betű, int kiemelt);

// A category's colour on the chart.
QColor KategóriaSzín(int kategória);

// A marked point: a ring with a dot, and its label above it (below it near the top).
void Pontjel(QPainter& festő, const Határábra& ábra, const QPalette& paletta, const QFont& betű,
             QPointF hol, const QColor& szín, const QString& felirat);

// Several marked points (a record's components): the marks on the chart and a list of their
// labels in its upper left corner, so that labels of near points never overlap.
struct Pont {
    double frekvencia = 0, sebesség = 0;
    QColor szín;
    QString felirat;
    bool túllépi = false;
};
void Pontok(QPainter& festő, const Határábra& ábra, const QPalette& paletta, const QFont& betű,
            const std::vector<Pont>& pontok);

} // namespace Rajz
