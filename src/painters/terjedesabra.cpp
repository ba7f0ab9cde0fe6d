#include "terjedesabra.h"

#include "engine/szovegek.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace Rajz {

namespace {

const QColor Kiugrószín(200, 110, 0);

// A tick's text: 0,1 / 1 / 20 / 500 / 2000, with as many decimals as the decade needs.
QString jel(double érték) {
    const int tizedes = std::max(0, -int(std::floor(std::log10(érték) + 1e-9)));
    return Határérték::Szám(érték, tizedes);
}

// A hollow diamond about a point, as a computed figure is marked.
QPolygonF rombusz(const QPointF& k) {
    constexpr double r = 7;
    return QPolygonF(
        {k + QPointF(0, -r), k + QPointF(r, 0), k + QPointF(0, r), k + QPointF(-r, 0)});
}

} // namespace

std::vector<TerjedésVonal> TörvényVonalai(const std::vector<QPointF>& ötven,
                                          const std::vector<QPointF>& kilencvenöt,
                                          const std::vector<QPointF>& szokásos) {
    if (ötven.empty())
        return {};
    return {{QStringLiteral("50 %"), QColor(0, 110, 60), Qt::SolidLine, ötven},
            {QStringLiteral("95 % előrejelzési korlát"), QColor(120, 40, 160), Qt::DashLine,
             kilencvenöt},
            {QStringLiteral("K95 (1,645 s)"), QColor(110, 110, 110), Qt::DotLine, szokásos}};
}

QPointF Terjedésábra::pont(double arányos, double ppv) const {
    const double x = (std::log10(arányos) - xAlsó) / (xFelső - xAlsó);
    const double y = (std::log10(ppv) - yAlsó) / (yFelső - yAlsó);
    return QPointF(tér.left() + tér.width() * x, tér.bottom() - tér.height() * y);
}

Terjedésábra Terjedés(QPainter& festő, const QSizeF& méret, const QPalette& paletta,
                      const QFont& font, const QString& cím, const QString& xNév,
                      const std::vector<TerjedésPont>& pontok,
                      const std::vector<TerjedésVonal>& vonalak,
                      const std::vector<Szint>& szintek) {
    festő.setRenderHint(QPainter::Antialiasing);
    festő.setFont(font);
    festő.fillRect(QRectF(QPointF(0, 0), méret), paletta.color(QPalette::Base));
    const QColor szöveg = paletta.color(QPalette::Text);
    const QFontMetricsF betű(font);

    // whole decades that hold everything drawn
    double xa = INFINITY, xf = -INFINITY, ya = INFINITY, yf = -INFINITY;
    auto tart = [&](double sd, double ppv) {
        if (sd > 0 && std::isfinite(sd)) {
            xa = std::min(xa, std::log10(sd));
            xf = std::max(xf, std::log10(sd));
        }
        if (ppv > 0 && std::isfinite(ppv)) {
            ya = std::min(ya, std::log10(ppv));
            yf = std::max(yf, std::log10(ppv));
        }
    };
    for (const TerjedésPont& p : pontok)
        tart(p.arányos, p.ppv);
    for (const TerjedésVonal& v : vonalak)
        for (const QPointF& p : v.pontok)
            tart(p.x(), p.y());
    for (const Szint& s : szintek)
        tart(NAN, s.ppv);
    Terjedésábra ábra;
    ábra.xAlsó = std::isfinite(xa) ? std::floor(xa) : 0;
    ábra.xFelső = std::isfinite(xf) ? std::max(ábra.xAlsó + 1, std::ceil(xf)) : 2;
    ábra.yAlsó = std::isfinite(ya) ? std::floor(ya) : -1;
    ábra.yFelső = std::isfinite(yf) ? std::max(ábra.yAlsó + 1, std::ceil(yf)) : 2;

    // the legend's items, in as many rows as the width needs
    struct Jel {
        QString név;
        int fajta; // 0 a measurement, 1 an outlier, 2 a line, 3 a computed figure
        QPen toll;
    };
    std::vector<Jel> jelek{{QStringLiteral("mérés"), 0, QPen(QColor(0, 70, 160), 1.4)}};
    if (std::any_of(pontok.begin(), pontok.end(), [](const TerjedésPont& p) { return p.kiugró; }))
        jelek.push_back({QStringLiteral("lehetséges kiugró"), 1, QPen(Kiugrószín, 1.6)});
    if (std::any_of(pontok.begin(), pontok.end(),
                    [](const TerjedésPont& p) { return p.számított; }))
        jelek.push_back({QStringLiteral("számított PPV95"), 3, QPen(szöveg, 1.6)});
    for (const TerjedésVonal& v : vonalak)
        jelek.push_back({v.név, 2, QPen(v.szín, 2, v.stílus)});
    const double jelSzél = 30, köz = 14;
    std::vector<int> jelSor(jelek.size());
    {
        double x = 0;
        int sor = 0;
        const double szél = std::max(50.0, méret.width() - betű.height() * 4);
        for (std::size_t i = 0; i < jelek.size(); ++i) {
            const double w = jelSzél + betű.horizontalAdvance(jelek[i].név);
            if (x > 0 && x + w > szél) {
                ++sor;
                x = 0;
            }
            jelSor[i] = sor;
            x += w + köz;
        }
    }
    const int jelSorok = jelSor.empty() ? 0 : jelSor.back() + 1;

    const double bal =
        betű.horizontalAdvance(jel(std::pow(10.0, ábra.yAlsó))) + betű.height() * 2.4;
    const double fent = betű.height() * (1.6 + 1.2 * jelSorok);
    const double lent = betű.height() * 3.0;
    const double jobb = betű.height() * 1.2;
    ábra.tér = QRectF(bal, fent, std::max(10.0, méret.width() - bal - jobb),
                      std::max(10.0, méret.height() - fent - lent));
    const QRectF& tér = ábra.tér;

    // the title, and the legend of what is drawn
    QFont vastag = font;
    vastag.setBold(true);
    festő.setFont(vastag);
    festő.setPen(szöveg);
    festő.drawText(
        QPointF(tér.left(), betű.ascent() + 2),
        QFontMetricsF(vastag).elidedText(cím, Qt::ElideRight, méret.width() - tér.left()));
    festő.setFont(font);
    double x = tér.left();
    for (std::size_t i = 0; i < jelek.size(); ++i) {
        if (i > 0 && jelSor[i] != jelSor[i - 1])
            x = tér.left();
        const double y = betű.height() * (1.95 + 1.2 * jelSor[i]);
        const QPointF közép(x + 11, y - betű.ascent() / 3);
        festő.setPen(jelek[i].toll);
        if (jelek[i].fajta == 0) {
            festő.setBrush(jelek[i].toll.color());
            festő.drawEllipse(közép, 3, 3);
        } else if (jelek[i].fajta == 1) {
            festő.setBrush(Qt::NoBrush);
            festő.drawEllipse(közép, 6, 6);
        } else if (jelek[i].fajta == 3) {
            festő.setBrush(Qt::NoBrush);
            festő.drawPolygon(rombusz(közép));
        } else {
            festő.drawLine(közép - QPointF(11, 0), közép + QPointF(11, 0));
        }
        festő.setPen(szöveg);
        festő.drawText(QPointF(x + jelSzél, y), jelek[i].név);
        x += jelSzél + betű.horizontalAdvance(jelek[i].név) + köz;
    }

    // the decades and their 2 and 5, with their texts
    festő.setBrush(Qt::NoBrush);
    const QPen rács(paletta.color(QPalette::Mid), 0.5, Qt::DotLine);
    const QPen finom(paletta.color(QPalette::Midlight), 0.5, Qt::DotLine);
    const bool sokTized = ábra.xFelső - ábra.xAlsó > 4 || ábra.yFelső - ábra.yAlsó > 4;
    for (double d = ábra.xAlsó; d <= ábra.xFelső + 1e-9; ++d)
        for (const double m : {1.0, 2.0, 5.0}) {
            const double sd = m * std::pow(10.0, d);
            if (std::log10(sd) > ábra.xFelső + 1e-9)
                break;
            const QPointF alul = ábra.pont(sd, std::pow(10.0, ábra.yAlsó));
            festő.setPen(m == 1 ? rács : finom);
            festő.drawLine(alul, QPointF(alul.x(), tér.top()));
            if (m == 1 || !sokTized) {
                festő.setPen(szöveg);
                const QString t = jel(sd);
                festő.drawLine(alul, alul + QPointF(0, 4));
                festő.drawText(alul + QPointF(-betű.horizontalAdvance(t) / 2, betű.height() + 3),
                               t);
            }
        }
    for (double d = ábra.yAlsó; d <= ábra.yFelső + 1e-9; ++d)
        for (const double m : {1.0, 2.0, 5.0}) {
            const double v = m * std::pow(10.0, d);
            if (std::log10(v) > ábra.yFelső + 1e-9)
                break;
            const QPointF balra = ábra.pont(std::pow(10.0, ábra.xAlsó), v);
            festő.setPen(m == 1 ? rács : finom);
            festő.drawLine(balra, QPointF(tér.right(), balra.y()));
            if (m == 1 || !sokTized) {
                festő.setPen(szöveg);
                const QString t = jel(v);
                festő.drawText(balra - QPointF(betű.horizontalAdvance(t) + 6, -betű.ascent() / 3),
                               t);
            }
        }
    festő.setPen(QPen(szöveg, 1));
    festő.drawRect(tér);
    festő.drawText(QPointF(tér.center().x() - betű.horizontalAdvance(xNév) / 2,
                           tér.bottom() + betű.height() * 2.5),
                   xNév);
    festő.save();
    const QString yNév = QStringLiteral("PPV (mm/s)");
    festő.translate(betű.height() * 0.9, tér.center().y() + betű.horizontalAdvance(yNév) / 2);
    festő.rotate(-90);
    festő.drawText(QPointF(0, 0), yNév);
    festő.restore();

    festő.save();
    festő.setClipRect(tér.adjusted(-1, -1, 1, 1));
    // the limits across, named at the right end
    for (const Szint& s : szintek) {
        const double y = ábra.pont(std::pow(10.0, ábra.xAlsó), s.ppv).y();
        festő.setPen(QPen(s.szín, s.kiemelt ? 2.2 : 1.2, Qt::DashLine));
        festő.drawLine(QPointF(tér.left(), y), QPointF(tér.right(), y));
        festő.setPen(s.szín);
        festő.drawText(QPointF(tér.right() - betű.horizontalAdvance(s.név) - 4, y - 3), s.név);
    }
    // the lines of the law
    for (const TerjedésVonal& v : vonalak) {
        QPainterPath út;
        for (std::size_t i = 0; i < v.pontok.size(); ++i) {
            const QPointF p = ábra.pont(v.pontok[i].x(), v.pontok[i].y());
            i == 0 ? út.moveTo(p) : út.lineTo(p);
        }
        festő.setPen(QPen(v.szín, 2, v.stílus));
        festő.drawPath(út);
    }
    // the measurements
    const QColor kék(0, 70, 160);
    festő.setPen(QPen(kék, 1));
    festő.setBrush(kék);
    for (const TerjedésPont& p : pontok)
        if (!p.kiugró && !p.számított)
            festő.drawEllipse(ábra.pont(p.arányos, p.ppv), 2.6, 2.6);
    festő.setPen(QPen(Kiugrószín, 1.6));
    festő.setBrush(Qt::NoBrush);
    for (const TerjedésPont& p : pontok)
        if (p.kiugró && !p.számított) {
            festő.drawEllipse(ábra.pont(p.arányos, p.ppv), 2.6, 2.6);
            festő.drawEllipse(ábra.pont(p.arányos, p.ppv), 6, 6);
        }
    // what the calculator computed, over all: a hollow diamond on the bound
    festő.setPen(QPen(szöveg, 2));
    for (const TerjedésPont& p : pontok)
        if (p.számított)
            festő.drawPolygon(rombusz(ábra.pont(p.arányos, p.ppv)));
    festő.restore();
    return ábra;
}

} // namespace Rajz
