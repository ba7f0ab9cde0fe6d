#include "attekintes.h"

#include "engine/szovegek.h"
#include "jelrajz.h"
#include "tengely.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace Rajz {

QRectF ÁttekintéstRajzol(QPainter& festő, const QRectF& hely, const QPalette& paletta,
                         const QFont& betű, const Áttekintés& a) {
    festő.save();
    festő.setRenderHint(QPainter::Antialiasing, false);
    festő.setFont(betű);
    const QFontMetricsF m(betű);
    const QRectF tér(hely.left() + m.horizontalAdvance(QStringLiteral("−00,00 mm/s")) + 6,
                     hely.top() + 2, 0, hely.height() - m.height() - 8);
    const QRectF keret(tér.left(), tér.top(), hely.right() - 4 - tér.left(), tér.height());
    double csúcs = a.küszöb;
    for (const Rajzadat* r : a.összetevők)
        for (std::size_t i = 0; i < r->legkisebb.size(); ++i)
            csúcs = std::max(
                {csúcs, double(std::fabs(r->legkisebb[i])), double(std::fabs(r->legnagyobb[i]))});
    if (!(csúcs > 0))
        csúcs = 1;
    const double hossz = a.hossz > 0 ? a.hossz : 1;
    auto x = [&](double t) { return keret.left() + keret.width() * t / hossz; };
    auto y = [&](double v) { return keret.center().y() - keret.height() / 2 * v / csúcs; };

    festő.fillRect(keret, paletta.color(QPalette::Base));
    // a span of time shaded over the strip's height, at least 2 px wide; outlined if asked
    auto sáv = [&](std::pair<double, double> t, QColor kitöltés, std::optional<QColor> szegély) {
        const QRectF r(QPointF(x(t.first), keret.top()),
                       QPointF(std::max(x(t.second), x(t.first) + 2), keret.bottom()));
        festő.fillRect(r, kitöltés);
        if (szegély) {
            festő.setPen(QPen(*szegély, 1.5));
            festő.setBrush(Qt::NoBrush);
            festő.drawRect(r);
        }
    };
    // the events: shaded, the chosen one outlined
    for (std::size_t i = 0; i < a.ablakok.size(); ++i) {
        if (int(i) == a.kiválasztott)
            sáv(a.ablakok[i], QColor(255, 200, 60, 150), QColor(200, 120, 0));
        else
            sáv(a.ablakok[i], QColor(255, 220, 120, 90), std::nullopt);
    }
    // a span chosen by hand: blue, outlined
    if (a.kijelölés)
        sáv(*a.kijelölés, QColor(60, 120, 230, 70), QColor(30, 80, 200));
    // each component's envelope, a vertical line per column
    for (std::size_t k = 0; k < a.összetevők.size(); ++k) {
        const Rajzadat& r = *a.összetevők[k];
        const std::size_t n = r.legkisebb.size();
        if (n == 0)
            continue;
        festő.setPen(QPen(ÖsszetevőSzín(a.színek[k]), 1));
        const double oszlop = r.hossz / double(n);
        for (std::size_t i = 0; i < n; ++i) {
            const double t = r.kezdet + oszlop * (double(i) + 0.5);
            festő.drawLine(QPointF(x(t), y(r.legnagyobb[i])), QPointF(x(t), y(r.legkisebb[i])));
        }
    }
    // the threshold, both ways
    festő.setPen(QPen(paletta.color(QPalette::Mid), 1, Qt::DashLine));
    for (const double s : {a.küszöb, -a.küszöb})
        festő.drawLine(QPointF(keret.left(), y(s)), QPointF(keret.right(), y(s)));
    festő.setPen(QPen(paletta.color(QPalette::Mid), 1));
    festő.setBrush(Qt::NoBrush);
    festő.drawRect(keret);
    // the scale: the largest value, and the time in minutes or seconds
    festő.setPen(paletta.color(QPalette::Text));
    const QString fent = Határérték::Szám(csúcs, 2) + QStringLiteral(" mm/s");
    festő.drawText(QPointF(keret.left() - 4 - m.horizontalAdvance(fent), keret.top() + m.ascent()),
                   fent);
    const bool perc = hossz >= 600;
    const double egység = perc ? 60 : 1;
    const double lépés = KerekLépés(hossz / egység, 8) * egység;
    for (double t = 0; t <= hossz + 1e-9; t += lépés) {
        const QString c = Határérték::Szám(t / egység, 0) +
                          (perc ? QStringLiteral(" min") : QStringLiteral(" s"));
        const double cx = std::clamp(x(t) - m.horizontalAdvance(c) / 2, hely.left(),
                                     hely.right() - m.horizontalAdvance(c));
        festő.drawLine(QPointF(x(t), keret.bottom()), QPointF(x(t), keret.bottom() + 3));
        festő.drawText(QPointF(cx, keret.bottom() + 3 + m.ascent()), c);
    }
    festő.restore();
    return keret;
}

} // namespace Rajz
