#include "idosor.h"

#include "engine/szovegek.h"
#include "hatargorbe.h"
#include "tengely.h"

#include <QDateTime>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace Rajz {

namespace {

const QTimeZone& magyarIdő() {
    static const QTimeZone zóna(QByteArrayLiteral("Europe/Budapest"));
    return zóna;
}

constexpr qint64 Óra = 3'600'000'000LL;
constexpr qint64 Nap = 24 * Óra;

// A tick step: hours or days, or months (`hónap` > 0).
struct Lépés {
    qint64 mikro = 0;
    int hónap = 0;
};

// The ticks of the time axis, in Hungarian local time, at most about `darab` of them.
std::vector<std::pair<qint64, QString>> időjelek(qint64 tól, qint64 ig, int darab) {
    static const Lépés lépések[] = {{Óra, 0}, {3 * Óra, 0}, {6 * Óra, 0}, {12 * Óra, 0},
                                    {Nap, 0}, {2 * Nap, 0}, {7 * Nap, 0}, {0, 1},
                                    {0, 2},   {0, 3},       {0, 6},       {0, 12}};
    const double hossz = double(ig - tól);
    Lépés l = lépések[std::size(lépések) - 1];
    for (const Lépés& j : lépések) {
        const double egy = j.hónap ? double(j.hónap) * 30.4 * double(Nap) : double(j.mikro);
        if (hossz / egy <= std::max(darab, 2)) {
            l = j;
            break;
        }
    }
    std::vector<std::pair<qint64, QString>> jelek;
    const QDateTime kezdet = QDateTime::fromMSecsSinceEpoch(tól / 1000, magyarIdő());
    QDateTime t;
    if (l.hónap) {
        const QDate d = kezdet.date();
        t = QDateTime(QDate(d.year(), d.month(), 1), QTime(0, 0), magyarIdő());
    } else {
        t = QDateTime(kezdet.date(), QTime(0, 0), magyarIdő());
    }
    for (int biztos = 0; biztos < 1000; ++biztos) {
        const qint64 mikro = t.toMSecsSinceEpoch() * 1000;
        if (mikro > ig)
            break;
        if (mikro >= tól) {
            QString felirat;
            if (l.hónap)
                felirat = t.toString(QStringLiteral("yyyy.MM."));
            else if (l.mikro < Nap && t.time() != QTime(0, 0))
                felirat = t.toString(QStringLiteral("HH:mm"));
            else
                felirat = t.toString(QStringLiteral("MM.dd."));
            jelek.push_back({mikro, felirat});
        }
        if (l.hónap) {
            t = t.addMonths(l.hónap);
        } else if (l.mikro >= Nap) {
            t = t.addDays(l.mikro / Nap); // calendar days, across a clock change too
        } else {
            const QDateTime következő = t.addMSecs(l.mikro / 1000);
            // the hours of a local day from its midnight, so that ticks stay on round hours
            t = következő.date() != t.date() ? QDateTime(következő.date(), QTime(0, 0), magyarIdő())
                                             : következő;
        }
    }
    return jelek;
}

} // namespace

QPointF Idősorábra::pont(qint64 mikro, double sebesség) const {
    return QPointF(tér.left() + tér.width() * double(mikro - tól) / double(ig - tól),
                   tér.bottom() - tér.height() * sebesség / felső);
}

Idősorábra Idősor(QPainter& festő, const QSizeF& méret, const QPalette& paletta, const QFont& font,
                  const QString& cím, const QColor& határSzín, std::vector<Időpont> pontok) {
    std::sort(pontok.begin(), pontok.end(),
              [](const Időpont& a, const Időpont& b) { return a.mikro < b.mikro; });
    festő.setRenderHint(QPainter::Antialiasing);
    festő.setFont(font);
    festő.fillRect(QRectF(QPointF(0, 0), méret), paletta.color(QPalette::Base));
    const QColor szöveg = paletta.color(QPalette::Text);
    const QFontMetricsF betű(font);

    Idősorábra ábra;
    double legnagyobb = 0;
    int nincsÁbrán = 0;
    for (const Időpont& p : pontok) {
        legnagyobb = std::max({legnagyobb, p.ppv.value_or(0), p.határ.value_or(0)});
        nincsÁbrán += !p.ppv;
    }
    if (pontok.empty()) {
        const qint64 most = QDateTime::currentMSecsSinceEpoch() * 1000;
        ábra.tól = most - Nap;
        ábra.ig = most + Nap;
    } else {
        // a margin of a twentieth (at least an hour) either side, so no point is on the edge
        const qint64 terjedelem = pontok.back().mikro - pontok.front().mikro;
        const qint64 szél = std::max(Óra, terjedelem / 20);
        ábra.tól = pontok.front().mikro - szél;
        ábra.ig = pontok.back().mikro + szél;
    }
    const double lépés = KerekLépés(std::max(legnagyobb * 1.1, 1.0), 5);
    ábra.felső = std::ceil(std::max(legnagyobb * 1.1, 1.0) / lépés - 1e-9) * lépés;
    const int tizedes = lépés < 1 ? (lépés < 0.1 ? 2 : 1) : 0;

    const double bal =
        betű.horizontalAdvance(Határérték::Szám(ábra.felső, tizedes)) + betű.height() * 2.2;
    const double fent = betű.height() * 2.6;
    const double lent = betű.height() * 3.0;
    const double jobb = betű.height() * 1.2;
    ábra.tér = QRectF(bal, fent, std::max(10.0, méret.width() - bal - jobb),
                      std::max(10.0, méret.height() - fent - lent));
    const QRectF& tér = ábra.tér;

    // the title and the legend above the plot
    festő.setPen(szöveg);
    QFont vastag = font;
    vastag.setBold(true);
    festő.setFont(vastag);
    festő.drawText(QPointF(tér.left(), betű.ascent() + 2), cím);
    festő.setFont(font);
    const double jelY = betű.height() * 1.9;
    double x = tér.left();
    festő.setPen(QPen(szöveg, 1.2));
    festő.setBrush(QColor(0, 70, 160));
    festő.drawEllipse(QPointF(x + 4, jelY - betű.ascent() / 3), 3.5, 3.5);
    festő.setPen(szöveg);
    const QString ppv = QStringLiteral("PPV (× túllépi)");
    festő.drawText(QPointF(x + 12, jelY), ppv);
    x += 12 + betű.horizontalAdvance(ppv) + 16;
    festő.setPen(QPen(határSzín, 2, Qt::DashLine));
    festő.drawLine(QPointF(x, jelY - betű.ascent() / 3), QPointF(x + 22, jelY - betű.ascent() / 3));
    festő.setPen(szöveg);
    QString határ = QStringLiteral("határérték a mért frekvencián");
    if (nincsÁbrán > 0)
        határ += QStringLiteral("; %1 mérésnek nincs PPV-je, nincs ábrázolva").arg(nincsÁbrán);
    festő.drawText(QPointF(x + 28, jelY),
                   betű.elidedText(határ, Qt::ElideRight, méret.width() - x - 30));

    // grid and axes
    for (double v = 0; v <= ábra.felső + lépés / 2; v += lépés) {
        const QPointF bal0 = ábra.pont(ábra.tól, v);
        festő.setPen(QPen(paletta.color(QPalette::Mid), 0.5, Qt::DotLine));
        if (v > 0)
            festő.drawLine(bal0, QPointF(tér.right(), bal0.y()));
        festő.setPen(szöveg);
        const QString t = Határérték::Szám(v, tizedes);
        festő.drawText(bal0 - QPointF(betű.horizontalAdvance(t) + 7, -betű.ascent() / 3), t);
    }
    const int darab =
        int(tér.width() / std::max(1.0, betű.horizontalAdvance(QStringLiteral("0000.00.")) * 1.6));
    for (const auto& [mikro, felirat] : időjelek(ábra.tól, ábra.ig, darab)) {
        const QPointF alul = ábra.pont(mikro, 0);
        festő.setPen(QPen(paletta.color(QPalette::Mid), 0.5, Qt::DotLine));
        festő.drawLine(alul, QPointF(alul.x(), tér.top()));
        festő.setPen(szöveg);
        festő.drawLine(alul, alul + QPointF(0, 4));
        festő.drawText(alul + QPointF(-betű.horizontalAdvance(felirat) / 2, betű.height() + 4),
                       felirat);
    }
    festő.setPen(QPen(szöveg, 1));
    festő.drawLine(tér.bottomLeft(), tér.bottomRight());
    festő.drawLine(tér.bottomLeft(), tér.topLeft());
    const QString xTengely = QStringLiteral("Idő (helyi idő)");
    festő.drawText(QPointF(tér.center().x() - betű.horizontalAdvance(xTengely) / 2,
                           tér.bottom() + betű.height() * 2.5),
                   xTengely);
    festő.save();
    const QString yTengely = QStringLiteral("PPV (mm/s)");
    festő.translate(betű.height() * 0.9, tér.center().y() + betű.horizontalAdvance(yTengely) / 2);
    festő.rotate(-90);
    festő.drawText(QPointF(0, 0), yTengely);
    festő.restore();

    // the limit each was judged by: a step from one measurement to the next
    festő.setBrush(Qt::NoBrush);
    festő.setPen(QPen(határSzín, 2, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin));
    std::optional<QPointF> előző;
    QPainterPath út;
    for (const Időpont& p : pontok) {
        if (!p.határ)
            continue;
        const QPointF itt = ábra.pont(p.mikro, *p.határ);
        if (!előző) {
            út.moveTo(itt - QPointF(6, 0));
        } else {
            út.lineTo(QPointF(itt.x(), előző->y()));
        }
        út.lineTo(itt);
        előző = itt;
    }
    if (előző)
        út.lineTo(*előző + QPointF(6, 0));
    festő.drawPath(út);

    // the measurements, the exceedances last
    const QColor alap = paletta.color(QPalette::Base);
    for (const bool piros : {false, true}) {
        for (const Időpont& p : pontok) {
            if (!p.ppv || p.túllépi != piros)
                continue;
            const QPointF itt = ábra.pont(p.mikro, *p.ppv);
            if (p.túllépi) {
                Túllépésjel(festő, itt);
                continue;
            }
            const QColor szín(0, 70, 160);
            festő.setPen(QPen(szín, 1.4));
            festő.setBrush(p.nemÍtélt ? alap : szín);
            festő.drawEllipse(itt, 3.5, 3.5);
        }
    }
    return ábra;
}

} // namespace Rajz
