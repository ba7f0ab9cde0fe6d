#include "hatargorbe.h"

#include "engine/hatarertek.h"
#include "engine/kategoriak.h"
#include "runtime/text.h"
#include "tengely.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

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
    return QPointF(tér.left() + tér.width() * f / felsőFrekvencia,
                   tér.bottom() - tér.height() * v / felsőSebesség);
}

namespace {

// The axis' end: at least the value, on a round step.
double kerekVég(double legalább, int darab, double* lépés) {
    *lépés = KerekLépés(legalább, darab);
    return std::ceil(legalább / *lépés - 1e-9) * *lépés;
}

// The axes that hold every point, with a margin.
Tengelyek pontokhoz(const std::vector<Pont>& pontok, bool födém) {
    Tengelyek t;
    t.födém = födém;
    t.mért = true;
    for (const Pont& p : pontok) {
        t.frekvencia = std::max(t.frekvencia, p.frekvencia * 1.05);
        t.sebesség = std::max(t.sebesség, p.sebesség * 1.1);
    }
    return t;
}

} // namespace

Határábra Határgörbe(QPainter& festő, const QSizeF& méret, const QPalette& paletta,
                     const QFont& font, int kiemeltKategória, const Tengelyek& tengelyek) {
    festő.setRenderHint(QPainter::Antialiasing);
    festő.setFont(font);
    festő.fillRect(QRectF(QPointF(0, 0), méret), paletta.color(QPalette::Base));
    const QColor szöveg = paletta.color(QPalette::Text);
    const QFontMetricsF betű(font);
    double fLépés = 10, vLépés = 10;
    const double fVég = kerekVég(std::max(tengelyek.frekvencia, 100.0), 10, &fLépés);
    const double vVég = kerekVég(std::max(tengelyek.sebesség, FelsőSebesség), 5, &vLépés);
    const double bal = betű.horizontalAdvance(rt::IntegerText(int(vVég))) + betű.height() * 2.2;
    const double lent = betű.height() * 3.2;
    const double fent = betű.height() * 1.5;
    QFont kiemelt = font;
    kiemelt.setBold(true);
    const double jobb = QFontMetricsF(kiemelt).horizontalAdvance(Határérték::KategóriaNév(0)) + 60;
    Határábra ábra;
    ábra.felsőFrekvencia = fVég;
    ábra.felsőSebesség = vVég;
    ábra.födém = tengelyek.födém;
    ábra.tér = QRectF(bal, fent, std::max(10.0, méret.width() - bal - jobb),
                      std::max(10.0, méret.height() - fent - lent));
    const QRectF& tér = ábra.tér;
    auto pont = [&](double f, double v) { return ábra.pont(f, v); };

    // grid, bands and axes
    festő.setPen(QPen(paletta.color(QPalette::Mid), 0.5, Qt::DotLine));
    for (int v = int(vLépés); v <= int(vVég + 0.5); v += int(vLépés))
        festő.drawLine(pont(0, v), pont(fVég, v));
    festő.setPen(QPen(paletta.color(QPalette::Mid), 1, Qt::DashLine));
    if (!tengelyek.födém) // band edges
        for (const double f : {Határérték::AlsóSávhatár, Határérték::FelsőSávhatár})
            festő.drawLine(pont(f, 0), pont(f, vVég));
    festő.setPen(QPen(szöveg, 1));
    festő.drawLine(pont(0, 0), pont(fVég, 0));
    festő.drawLine(pont(0, 0), pont(0, vVég));
    for (int f = 0; f <= int(fVég + 0.5); f += int(fLépés)) {
        festő.drawLine(pont(f, 0), pont(f, 0) + QPointF(0, 4));
        const QString t = rt::IntegerText(f);
        festő.drawText(pont(f, 0) + QPointF(-betű.horizontalAdvance(t) / 2, betű.height() + 4), t);
    }
    for (int v = 0; v <= int(vVég + 0.5); v += int(vLépés)) {
        festő.drawLine(pont(0, v), pont(0, v) - QPointF(4, 0));
        const QString t = rt::IntegerText(v);
        festő.drawText(pont(0, v) - QPointF(betű.horizontalAdvance(t) + 7, -betű.ascent() / 3), t);
    }
    const QString xTengely = QStringLiteral("Mért domináns frekvencia (Hz)");
    festő.drawText(QPointF(tér.center().x() - betű.horizontalAdvance(xTengely) / 2,
                           tér.bottom() + betű.height() * 2.6),
                   xTengely);
    festő.save();
    QString yTengely =
        tengelyek.mért
            ? (tengelyek.födém ? QStringLiteral("Mért PPV és a legfelső födém határa (mm/s)")
                               : QStringLiteral("Mért PPV és az alap határa (mm/s)"))
            : QStringLiteral("Megengedhető sebesség az alapon (mm/s)");
    if (betű.horizontalAdvance(yTengely) > méret.height() - 4) // a small chart: the short form
        yTengely =
            tengelyek.födém ? QStringLiteral("Födém (mm/s)") : QStringLiteral("Alapon (mm/s)");
    const double hossz = betű.horizontalAdvance(yTengely); // whole: never above the top edge
    festő.translate(betű.height() * 0.9,
                    std::max(std::min(hossz + 2, méret.height() - 2),
                             std::min(tér.center().y() + hossz / 2, méret.height() - 2)));
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
        const double vastag = ez ? 3.0 : 1.5;
        festő.setBrush(Qt::NoBrush);
        if (tengelyek.födém) { // the slab's value, the same at every frequency
            const double v = Határérték::FelsőFödémSzázad(k) / 100.0;
            festő.setPen(QPen(szín, vastag, Qt::SolidLine, Qt::RoundCap));
            festő.drawLine(pont(0, v), pont(fVég, v));
        } else {
            QPainterPath út(pont(0, Határérték::AlaponSzázad(k, 0) / 100.0));
            for (int f = 1; f <= Határérték::LegnagyobbFrekvencia; ++f)
                út.lineTo(pont(f, Határérték::AlaponSzázad(k, f) / 100.0));
            festő.setPen(QPen(szín, vastag, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            festő.drawPath(út);
            if (fVég > Határérték::LegnagyobbFrekvencia) { // the 100 Hz value holds beyond
                const double v =
                    Határérték::AlaponSzázad(k, Határérték::LegnagyobbFrekvencia) / 100.0;
                festő.setPen(QPen(szín, vastag, Qt::DashLine, Qt::FlatCap));
                festő.drawLine(pont(Határérték::LegnagyobbFrekvencia, v), pont(fVég, v));
            }
        }
        festő.setPen(QPen(szín, vastag, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
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
    // the list in a corner of the plot that no point and no limit line crosses; its rows: a
    // point's mark and label, where the plot is too narrow for a label its remark after " – "
    // on a row of its own, and what still is too wide elided
    const QRectF& t = ábra.tér;
    const double hely = std::max(0.0, t.width() - 12 - 30);
    std::vector<std::pair<int, QString>> sorok; // the point (-1: a remark's row), the text
    for (std::size_t i = 0; i < pontok.size(); ++i) {
        const QString& f = pontok[i].felirat;
        const qsizetype kötőjel = f.indexOf(QStringLiteral(" – "));
        if (betű.horizontalAdvance(f) > hely && kötőjel > 0) {
            sorok.push_back({int(i), f.left(kötőjel)});
            sorok.push_back({-1, f.mid(kötőjel + 3)});
        } else {
            sorok.push_back({int(i), f});
        }
    }
    double szélesség = 0;
    for (auto& [i, szöveg] : sorok) {
        szöveg = betű.elidedText(szöveg, Qt::ElideRight, hely);
        szélesség = std::max(szélesség, betű.horizontalAdvance(szöveg));
    }
    const QSizeF dobozMéret(szélesség + 30, betű.height() * double(sorok.size()) + 6);
    // where it may not sit: on a point at all, and on a limit line as little as it can
    std::vector<QPointF> pontHelyek, vonalak;
    for (const Pont& p : pontok)
        pontHelyek.push_back(ábra.pont(p.frekvencia, p.sebesség));
    for (int k = 0; k < Határérték::KategóriákSzáma; ++k)
        for (double f = 0; f <= ábra.felsőFrekvencia; f += ábra.felsőFrekvencia / 200)
            vonalak.push_back(ábra.pont(f, ábra.födém ? Határérték::FelsőFödémSzázad(k) / 100.0
                                                      : Határérték::AlaponSzázad(k, f) / 100.0));
    QRectF doboz;
    double legkevesebb = -1;
    for (const QPointF sarok :
         {t.topLeft() + QPointF(6, 4), QPointF(t.right() - dobozMéret.width() - 6, t.top() + 4),
          QPointF(t.right() - dobozMéret.width() - 6, t.center().y() - dobozMéret.height() / 2),
          QPointF(t.left() + 6, t.center().y() - dobozMéret.height() / 2)}) {
        const QRectF jelölt(sarok, dobozMéret);
        const QRectF tág = jelölt.adjusted(-8, -8, 8, 8);
        const auto bent = [&](const std::vector<QPointF>& v) {
            return double(
                std::count_if(v.begin(), v.end(), [&](QPointF p) { return tág.contains(p); }));
        };
        const double ütközés = 1000 * bent(pontHelyek) + bent(vonalak);
        if (legkevesebb < 0 || ütközés < legkevesebb) {
            legkevesebb = ütközés;
            doboz = jelölt;
        }
        if (ütközés == 0)
            break;
    }
    QColor alap = paletta.color(QPalette::Base);
    alap.setAlphaF(0.9);
    festő.setPen(QPen(paletta.color(QPalette::Mid), 0.6));
    festő.setBrush(alap);
    festő.drawRect(doboz);
    auto jelöl = [&](QPointF hol, double sugár, const Pont& p) {
        if (p.nemÍtélt) { // hollow: shown, not judged
            festő.setBrush(paletta.color(QPalette::Base));
            festő.setPen(QPen(p.szín, 1.8));
            festő.drawEllipse(hol, sugár, sugár);
        } else {
            gyűrű(festő, hol, sugár, paletta.color(QPalette::Base), p.szín);
        }
    };
    for (std::size_t sor = 0; sor < sorok.size(); ++sor) {
        const auto& [i, felirat] = sorok[sor];
        const QPointF jel(doboz.left() + 10, doboz.top() + 3 + betű.height() * (double(sor) + 0.5));
        if (i >= 0) {
            festő.setPen(QPen(szöveg, 1.2));
            jelöl(jel, 4.5, pontok[std::size_t(i)]);
        }
        festő.setPen(szöveg);
        festő.drawText(QPointF(jel.x() + 10, jel.y() + betű.ascent() / 2 - 1), felirat);
    }
    // then the points themselves, where they are
    for (const Pont& p : pontok) {
        const QPointF itt = ábra.pont(p.frekvencia, p.sebesség);
        festő.setPen(QPen(p.túllépi ? QColor(200, 0, 0) : szöveg, 1.5));
        jelöl(itt, 5, p);
    }
}

Határábra Megfelelőség(QPainter& festő, const QSizeF& méret, const QPalette& paletta,
                       const QFont& betű, int kategória, bool födém,
                       const std::vector<Pont>& pontok) {
    const Tengelyek t = pontokhoz(pontok, födém);
    const Határábra ábra = Határgörbe(festő, méret, paletta, betű, kategória, t);
    Pontok(festő, ábra, paletta, betű, pontok);
    return ábra;
}

void Túllépésjel(QPainter& festő, QPointF itt) {
    festő.setPen(QPen(QColor(255, 255, 255), 4.5, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 2; ++i) {
        festő.drawLine(itt + QPointF(-5, -5), itt + QPointF(5, 5));
        festő.drawLine(itt + QPointF(-5, 5), itt + QPointF(5, -5));
        festő.setPen(QPen(QColor(160, 0, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
    }
}

Határábra Felhő(QPainter& festő, const QSizeF& méret, const QPalette& paletta, const QFont& betű,
                int kiemelt, bool födém, const std::vector<Pont>& pontok) {
    const Tengelyek t = pontokhoz(pontok, födém);
    const Határábra ábra = Határgörbe(festő, méret, paletta, betű, kiemelt, t);
    int túllépi = 0;
    const QColor alap = paletta.color(QPalette::Base);
    // the exceedances last, so that none hides under the others
    for (const bool piros : {false, true}) {
        for (const Pont& p : pontok) {
            if (p.túllépi != piros)
                continue;
            túllépi += p.túllépi;
            const QPointF itt = ábra.pont(p.frekvencia, p.sebesség);
            if (p.túllépi) { // a cross of its own, whatever the category's colour
                Túllépésjel(festő, itt);
                continue;
            }
            QColor szín = p.szín;
            festő.setPen(QPen(szín, 1.2));
            szín.setAlphaF(0.6);
            festő.setBrush(p.nemÍtélt ? alap : szín);
            festő.drawEllipse(itt, 3, 3);
        }
    }
    festő.setPen(paletta.color(QPalette::Text));
    festő.setFont(betű);
    const QString szám = QStringLiteral("%1 mérés, ebből %2 túllépi a határértéket (×)")
                             .arg(pontok.size())
                             .arg(túllépi);
    festő.drawText(QPointF(ábra.tér.left(), ábra.tér.top() - QFontMetricsF(betű).descent() - 3),
                   szám);
    return ábra;
}

} // namespace Rajz
