#include "hatargorbe.h"

#include "engine/hatarertek.h"
#include "engine/kategoriak.h"
#include "runtime/text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace Rajz {

namespace {

// A point's mark: a ring in the pen's colour around a dot in the point's colour.
void gyűrű(QPainter& festő, QPointF hol, double sugár, const QColor& alap, const QColor& szín) {
    festő.setBrush(alap);
    festő.drawEllipse(hol, sugár, sugár);
    festő.setBrush(szín);
    festő.drawEllipse(hol, 2.5, 2.5);
}

const QColor Színek[3] = {QColor(0, 70, 160), QColor(200, 30, 30), QColor(0, 130, 60)};

} // namespace

QColor KategóriaSzín(int kategória) {
    return Színek[std::clamp(kategória, 0, Határérték::KategóriákSzáma - 1)];
}

QPointF Határábra::pont(double f, double v) const {
    f = std::clamp(f, 0.0, double(Határérték::LegnagyobbFrekvencia));
    v = std::clamp(v, 0.0, FelsőSebesség);
    return QPointF(tér.left() + tér.width() * f / 100.0,
                   tér.bottom() - tér.height() * v / FelsőSebesség);
}

Határábra Határgörbe(QPainter& festő, const QSizeF& méret, const QPalette& paletta,
                     const QFont& font, int kiemeltKategória) {
    festő.setRenderHint(QPainter::Antialiasing);
    festő.setFont(font);
    festő.fillRect(QRectF(QPointF(0, 0), méret), paletta.color(QPalette::Base));
    const QColor szöveg = paletta.color(QPalette::Text);
    const QFontMetricsF betű(font);
    const double bal = betű.horizontalAdvance(QStringLiteral("50")) + betű.height() * 2.2;
    const double lent = betű.height() * 3.2;
    const double fent = betű.height() * 1.5;
    QFont kiemelt = font;
    kiemelt.setBold(true);
    const double jobb = QFontMetricsF(kiemelt).horizontalAdvance(Határérték::KategóriaNév(0)) + 60;
    Határábra ábra;
    ábra.tér = QRectF(bal, fent, std::max(10.0, méret.width() - bal - jobb),
                      std::max(10.0, méret.height() - fent - lent));
    const QRectF& tér = ábra.tér;
    auto pont = [&](double f, double v) { return ábra.pont(f, v); };

    // grid, bands and axes
    festő.setPen(QPen(paletta.color(QPalette::Mid), 0.5, Qt::DotLine));
    for (int v = 10; v <= 50; v += 10)
        festő.drawLine(pont(0, v), pont(Határérték::LegnagyobbFrekvencia, v));
    festő.setPen(QPen(paletta.color(QPalette::Mid), 1, Qt::DashLine));
    for (const double f : {Határérték::AlsóSávhatár, Határérték::FelsőSávhatár}) // band edges
        festő.drawLine(pont(f, 0), pont(f, FelsőSebesség));
    festő.setPen(QPen(szöveg, 1));
    festő.drawLine(pont(0, 0), pont(Határérték::LegnagyobbFrekvencia, 0));
    festő.drawLine(pont(0, 0), pont(0, FelsőSebesség));
    for (int f = 0; f <= Határérték::LegnagyobbFrekvencia; f += 10) {
        festő.drawLine(pont(f, 0), pont(f, 0) + QPointF(0, 4));
        const QString t = rt::IntegerText(f);
        festő.drawText(pont(f, 0) + QPointF(-betű.horizontalAdvance(t) / 2, betű.height() + 4), t);
    }
    for (int v = 0; v <= 50; v += 10) {
        festő.drawLine(pont(0, v), pont(0, v) - QPointF(4, 0));
        const QString t = rt::IntegerText(v);
        festő.drawText(pont(0, v) - QPointF(betű.horizontalAdvance(t) + 7, -betű.ascent() / 3), t);
    }
    const QString xTengely = QStringLiteral("Mért domináns frekvencia (Hz)");
    festő.drawText(QPointF(tér.center().x() - betű.horizontalAdvance(xTengely) / 2,
                           tér.bottom() + betű.height() * 2.6),
                   xTengely);
    festő.save();
    QString yTengely = QStringLiteral("Megengedhető sebesség az alapon (mm/s)");
    if (betű.horizontalAdvance(yTengely) > méret.height() - 4) // a small chart: the short form
        yTengely = QStringLiteral("Alapon (mm/s)");
    festő.translate(
        betű.height() * 0.9,
        std::min(tér.center().y() + betű.horizontalAdvance(yTengely) / 2, méret.height() - 2));
    festő.rotate(-90);
    festő.drawText(QPointF(0, 0), yTengely);
    festő.restore();

    // the three curves, the selected one last and strongest; a legend beside them
    for (int lépés = 0; lépés < Határérték::KategóriákSzáma; ++lépés) {
        const int k = (kiemeltKategória + 1 + lépés) % Határérték::KategóriákSzáma;
        const bool ez = k == kiemeltKategória;
        QColor szín = Színek[k];
        if (!ez)
            szín.setAlphaF(0.55);
        QPainterPath út(pont(0, Határérték::AlaponSzázad(k, 0) / 100.0));
        for (int f = 1; f <= Határérték::LegnagyobbFrekvencia; ++f)
            út.lineTo(pont(f, Határérték::AlaponSzázad(k, f) / 100.0));
        festő.setPen(QPen(szín, ez ? 3.0 : 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        festő.setBrush(Qt::NoBrush);
        festő.drawPath(út);
        const QPointF jel(tér.right() + 14, tér.top() + betű.height() * (1.0 + 1.5 * k));
        festő.drawLine(jel, jel + QPointF(18, 0));
        QFont f = font;
        f.setBold(ez);
        festő.setFont(f);
        festő.setPen(szöveg);
        festő.drawText(jel + QPointF(24, betű.ascent() / 3), Határérték::KategóriaNév(k));
        festő.setFont(font);
    }
    return ábra;
}

void Pontjel(QPainter& festő, const Határábra& ábra, const QPalette& paletta, const QFont& font,
             QPointF itt, const QColor& szín, const QString& felirat) {
    const QFontMetricsF betű(font);
    const QRectF& tér = ábra.tér;
    const QColor szöveg = paletta.color(QPalette::Text);
    festő.setPen(QPen(szöveg, 1.5));
    gyűrű(festő, itt, 5, paletta.color(QPalette::Base), szín);
    const double szélesség = betű.horizontalAdvance(felirat);
    QPointF hely = itt + QPointF(-szélesség / 2, -12); // above the point
    hely.setX(std::clamp(hely.x(), tér.left() + 4, tér.right() - szélesség));
    if (hely.y() - betű.ascent() < tér.top())
        hely.setY(itt.y() + 12 + betű.ascent());
    QColor alap = paletta.color(QPalette::Base);
    alap.setAlphaF(0.85);
    festő.setPen(Qt::NoPen);
    festő.setBrush(alap);
    festő.drawRoundedRect(
        QRectF(hely.x() - 3, hely.y() - betű.ascent() - 2, szélesség + 6, betű.height() + 4), 3, 3);
    festő.setPen(szöveg);
    festő.drawText(hely, felirat);
}

} // namespace Rajz

namespace Rajz {

void Pontok(QPainter& festő, const Határábra& ábra, const QPalette& paletta, const QFont& font,
            const std::vector<Pont>& pontok) {
    if (pontok.empty())
        return; // no list box for no points
    const QFontMetricsF betű(font);
    festő.setFont(font);
    const QColor szöveg = paletta.color(QPalette::Text);
    // the list first, in the plot's upper left corner, where the curves run low
    double szélesség = 0;
    for (const Pont& p : pontok)
        szélesség = std::max(szélesség, betű.horizontalAdvance(p.felirat));
    const QRectF doboz(ábra.tér.left() + 6, ábra.tér.top() + 4, szélesség + 30,
                       betű.height() * double(pontok.size()) + 6);
    QColor alap = paletta.color(QPalette::Base);
    alap.setAlphaF(0.9);
    festő.setPen(QPen(paletta.color(QPalette::Mid), 0.6));
    festő.setBrush(alap);
    festő.drawRect(doboz);
    for (std::size_t i = 0; i < pontok.size(); ++i) {
        const Pont& p = pontok[i];
        const QPointF jel(doboz.left() + 10, doboz.top() + 3 + betű.height() * (double(i) + 0.5));
        festő.setPen(QPen(szöveg, 1.2));
        gyűrű(festő, jel, 4.5, paletta.color(QPalette::Base), p.szín);
        festő.setPen(szöveg);
        festő.drawText(QPointF(jel.x() + 10, jel.y() + betű.ascent() / 2 - 1), p.felirat);
    }
    // then the points themselves
    for (const Pont& p : pontok) {
        const QPointF itt = ábra.pont(p.frekvencia, p.sebesség);
        festő.setPen(QPen(p.túllépi ? QColor(200, 0, 0) : szöveg, 1.5));
        gyűrű(festő, itt, 5, paletta.color(QPalette::Base), p.szín);
    }
}

} // namespace Rajz
