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

inline constexpr double FelsőSebesség = 50.0; // mm/s, the top of the axis at the least

// What the chart holds: its axes reach at least these values, grown to round ticks; the
// limits at the foundation (the curves) or at the top floor slab (a line a category).
struct Tengelyek {
    double frekvencia = 100;         // Hz
    double sebesség = FelsőSebesség; // mm/s
    bool födém = false;              // the top floor slab's values instead of the curves
    bool mért = false;               // measured points are drawn: the vertical axis says so
};

// The chart's plotting area and its scale.
struct Határábra {
    QRectF tér;
    double felsőFrekvencia = 100;         // Hz at the right end
    double felsőSebesség = FelsőSebesség; // mm/s at the top
    bool födém = false;                   // the top floor slab's limits drawn
    // A point of the chart in the painter's coordinates; never moved to fit the axes.
    QPointF pont(double frekvencia, double sebesség) const;
};

// Draws the chart (background, grid, axes, the limits and the legend) into a rectangle of
// `méret` at the origin. Beyond 100 Hz a curve goes on flat at its 100 Hz value, dashed.
Határábra Határgörbe(QPainter& festő, const QSizeF& méret, const QPalette& paletta,
                     const QFont& betű, int kiemelt, const Tengelyek& tengelyek = {});

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
    bool nemÍtélt = false; // drawn hollow: shown, not judged
};
void Pontok(QPainter& festő, const Határábra& ábra, const QPalette& paletta, const QFont& betű,
            const std::vector<Pont>& pontok);

// A record's chart: the axes grown to hold every point, the limits of the place, the points
// where they are.
Határábra Megfelelőség(QPainter& festő, const QSizeF& méret, const QPalette& paletta,
                       const QFont& betű, int kategória, bool födém,
                       const std::vector<Pont>& pontok);

// An exceedance's mark among many: a dark red cross on a white halo.
void Túllépésjel(QPainter& festő, QPointF hol);

// A campaign's measurements on the chart: the axes grown to hold every one, the limits of the
// place, each a small mark where it is (an exceedance a cross, one not judged hollow), no labels;
// a line above the plot counts them.
Határábra Felhő(QPainter& festő, const QSizeF& méret, const QPalette& paletta, const QFont& betű,
                int kiemelt, bool födém, const std::vector<Pont>& pontok);

} // namespace Rajz
