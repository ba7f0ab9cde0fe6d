#include "jelrajz.h"

#include "analysis/tablazat.h"
#include "engine/szovegek.h"
#include "tengely.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace Rajz {

using Határérték::Szám;

namespace {

int tizedesekLépéshez(double lépés) {
    return std::max(0, int(std::ceil(-std::log10(lépés) - 1e-9)));
}

// The label in a rounded box at `hely` (baseline left), kept inside `keret`.
void címke(QPainter& festő, const QFontMetricsF& betű, const QPalette& paletta, QPointF hely,
           const QString& szöveg, const QRectF& keret, const QColor& szín) {
    const double sz = betű.horizontalAdvance(szöveg);
    hely.setX(std::clamp(hely.x(), keret.left() + 2, keret.right() - sz - 2));
    hely.setY(
        std::clamp(hely.y(), keret.top() + betű.ascent() + 2, keret.bottom() - betű.descent() - 2));
    QColor alap = paletta.color(QPalette::Base);
    alap.setAlphaF(0.85);
    festő.setPen(Qt::NoPen);
    festő.setBrush(alap);
    festő.drawRoundedRect(
        QRectF(hely.x() - 2, hely.y() - betű.ascent() - 1, sz + 4, betű.height() + 2), 2, 2);
    festő.setPen(szín);
    festő.drawText(hely, szöveg);
}

// What is drawn of a record: every component (by its place in the record) and each
// component's drawing, an empty one where none was made.
struct Rajzolandók {
    Rajzolandók(const Elemzés::Megállapítás& e, const std::vector<Rajzadat>& rajzok)
        : rajzok_(rajzok) {
        for (std::size_t k = 0; k < e.összetevők.size(); ++k) {
            mind.push_back(k);
            if (e.összetevők[k].sebesség())
                sebességek.push_back(k);
        }
    }
    const Rajzadat& operator()(std::size_t i) const {
        return i < rajzok_.size() ? rajzok_[i] : üres_;
    }
    std::vector<std::size_t> sebességek; // what the spectra show
    std::vector<std::size_t> mind;       // what the traces show

private:
    const std::vector<Rajzadat>& rajzok_;
    const Rajzadat üres_;
};

// Whether a component's samples are in a unit of its quantity (mm/s, m/s², Pa).
bool mértékegységben(const Elemzés::Összetevő& ö) {
    return !ö.nyers && !ö.egységIsmeretlen;
}

// The scale a component's strip shares with the others of the same: those of one unit, or of
// one station's unknown unit, share one; counts (each channel its own sensitivity) none.
std::optional<QString> skálaKulcs(const Elemzés::Összetevő& ö) {
    if (ö.nyers)
        return std::nullopt;
    if (ö.egységIsmeretlen)
        return QStringLiteral("?") + ö.kód.állomásNév();
    return Rezgésjel::AlapEgység(ö.mennyiség);
}

QString egységFelirat(const Elemzés::Összetevő& ö) {
    if (ö.nyers)
        return QStringLiteral("count");
    if (ö.egységIsmeretlen)
        return QStringLiteral("?");
    return Rezgésjel::AlapEgység(ö.mennyiség);
}

// The peak's label: a velocity's PPV, another quantity's peak in its unit (a pressure also
// in dB(L)), and its time.
QString csúcsFelirat(const Elemzés::Megállapítás& e, const Elemzés::Összetevő& ö) {
    const QString idő = Szám(e.kiírt(ö.jellemzők.idő), 4);
    const double v = ö.jellemzők.ppv;
    if (ö.nyers)
        return QStringLiteral("csúcs %1 count, %2 s").arg(Szám(v, 0), idő);
    if (ö.egységIsmeretlen)
        return QStringLiteral("csúcs %1 (ismeretlen mértékegység), %2 s").arg(Szám(v, 3), idő);
    switch (ö.mennyiség) {
    case Rezgésjel::Mennyiség::Sebesség:
        return QStringLiteral("PPV %1 mm/s, %2 s").arg(Szám(v, 3), idő);
    case Rezgésjel::Mennyiség::Gyorsulás:
        return QStringLiteral("csúcs %1 m/s², %2 s").arg(Szám(v, 3), idő);
    case Rezgésjel::Mennyiség::Nyomás: {
        const double db = Elemzés::DecibelL(v);
        return db > 0 && std::isfinite(db)
                   ? QStringLiteral("csúcs %1 Pa, %2 dB(L), %3 s").arg(Szám(v, 3), Szám(db, 1), idő)
                   : QStringLiteral("nincs túlnyomás");
    }
    }
    return {};
}

// A scale's end as its strip writes it: three significant digits, at most six decimals.
QString skálaSzám(double v) {
    return Szám(v, std::clamp(2 - int(std::floor(std::log10(v))), 0, 6));
}

} // namespace

QColor ÖsszetevőSzín(int index) {
    // none of them a limit curve's blue, red or green
    static const QColor színek[] = {QColor(110, 40, 160), QColor(215, 120, 0), QColor(0, 135, 150),
                                    QColor(160, 30, 110), QColor(90, 90, 90)};
    return színek[std::size_t(index) % std::size(színek)];
}

std::vector<Pont> ÖsszetevőPontok(const Elemzés::Megállapítás& e, Elemzés::Módszer módszer) {
    std::vector<Pont> pontok;
    for (std::size_t i = 0; i < e.összetevők.size(); ++i) {
        const Elemzés::Összetevő& ö = e.összetevők[i];
        const std::optional<double> f = ö.frekvencia(módszer);
        if (!f || !ö.sebesség() || !mértékegységben(ö))
            continue; // the chart's axis is mm/s
        QString felirat = QStringLiteral("%1: %2 Hz, %3 mm/s")
                              .arg(ö.rövidNév(), Szám(*f, 2), Szám(ö.jellemzők.ppv, 3));
        if (!ö.megítélt)
            felirat += QStringLiteral(" – nem ítélt");
        pontok.push_back({*f, ö.jellemzők.ppv, ÖsszetevőSzín(int(i)), felirat,
                          ö.megítélt && !ö.megítélés.megfelel, !ö.megítélt});
    }
    return pontok;
}

double NyomHossz(const Elemzés::Megállapítás& e, const std::vector<Rajzadat>& rajzok) {
    const Rajzolandók rajzOf(e, rajzok);
    double hossz = 0;
    for (const std::size_t i : rajzOf.mind)
        hossz = std::max(hossz, rajzOf(i).kezdet + rajzOf(i).hossz);
    return hossz > 0 ? hossz : 1;
}

QRectF Nyomvonalak(QPainter& festő, const QRectF& hely, const QPalette& paletta, const QFont& font,
                   const Elemzés::Megállapítás& e, const std::vector<Rajzadat>& rajzok,
                   std::optional<std::pair<double, double>> tartomány) {
    festő.save();
    festő.setRenderHint(QPainter::Antialiasing);
    festő.setFont(font);
    const QFontMetricsF betű(font);
    const QColor szöveg = paletta.color(QPalette::Text);
    const Rajzolandók rajzOf(e, rajzok);
    const std::vector<std::size_t>& rajzolt = rajzOf.mind;
    const int n = int(rajzolt.size());
    if (n == 0) {
        festő.restore();
        return {};
    }
    const double hossz = NyomHossz(e, rajzok);
    // each strip's scale (its unit to the strip's edge): the components that share one, the
    // largest peak among them
    std::vector<double> skálák(e.összetevők.size(), 0);
    for (const std::size_t i : rajzolt) {
        const Elemzés::Összetevő& ö = e.összetevők[i];
        double csúcs = ö.jellemzők.ppv;
        if (const std::optional<QString> kulcs = skálaKulcs(ö))
            for (const std::size_t k : rajzolt)
                if (skálaKulcs(e.összetevők[k]) == kulcs)
                    csúcs = std::max(csúcs, e.összetevők[k].jellemzők.ppv);
        skálák[i] = (csúcs > 0 ? csúcs : 1) * 1.15;
    }
    // the left margin: each strip's scale with its unit, and its name
    double bal = betű.horizontalAdvance(QStringLiteral("-000,00"));
    for (const std::size_t i : rajzolt)
        bal = std::max({bal,
                        betű.horizontalAdvance(skálaSzám(skálák[i]) + QChar(' ') +
                                               egységFelirat(e.összetevők[i])),
                        betű.horizontalAdvance(e.összetevők[i].rövidNév())});
    bal += betű.height() * 1.6;
    const double lent = betű.height() * 2.6;
    const QRectF tér(hely.left() + bal, hely.top() + 2, hely.width() - bal - 8,
                     hely.height() - lent - 2);
    const double sáv = tér.height() / n;
    // the span shown: the whole record, or the part zoomed into
    const double t0 = tartomány ? tartomány->first : 0;
    const double t1 = tartomány && tartomány->second > t0 ? tartomány->second : hossz;
    auto xIdő = [&](double t) { return tér.left() + tér.width() * (t - t0) / (t1 - t0); };

    // the time axis, shared
    festő.setPen(QPen(szöveg, 1));
    festő.drawLine(tér.bottomLeft(), tér.bottomRight());
    // the ticks at round times as they are written (from an instrument's trigger)
    const double lépés = KerekLépés(t1 - t0, 10);
    const double z = e.időNulla;
    for (double t = std::ceil((t0 - z) / lépés - 1e-9) * lépés; t <= t1 - z + 1e-9 * (t1 - t0);
         t += lépés) {
        const double x = xIdő(t + z);
        festő.drawLine(QPointF(x, tér.bottom()), QPointF(x, tér.bottom() + 4));
        const QString c = Szám(t, tizedesekLépéshez(lépés));
        festő.drawText(QPointF(x - betű.horizontalAdvance(c) / 2, tér.bottom() + 4 + betű.ascent()),
                       c);
    }
    const QString tengely = e.időNulla != 0 ? QStringLiteral("idő a műszer indításától (s)")
                                            : QStringLiteral("idő (s)");
    festő.drawText(QPointF(tér.center().x() - betű.horizontalAdvance(tengely) / 2,
                           tér.bottom() + 4 + betű.height() + betű.ascent()),
                   tengely);

    for (int sor = 0; sor < n; ++sor) {
        const int i = int(rajzolt[std::size_t(sor)]);
        const auto& ö = e.összetevők[std::size_t(i)];
        const Rajzadat& rajz = rajzOf(std::size_t(i));
        const QRectF s(tér.left(), tér.top() + sor * sáv, tér.width(), sáv);
        const double nulla = s.center().y();
        auto y = [&](double v) {
            return nulla - (s.height() / 2 - 2) * v / skálák[std::size_t(i)];
        };
        // frame, zero line, scale
        festő.setPen(QPen(paletta.color(QPalette::Mid), 0.5, Qt::DotLine));
        festő.drawLine(QPointF(s.left(), nulla), QPointF(s.right(), nulla));
        festő.setPen(QPen(paletta.color(QPalette::Mid), 0.8));
        festő.setBrush(Qt::NoBrush);
        festő.drawRect(s);
        festő.setPen(szöveg);
        // the scale's ends with its unit; a true minus sign, as print has it
        const double skála = skálák[std::size_t(i)];
        const QString fent = skálaSzám(skála) + QChar(' ') + egységFelirat(ö),
                      lentSz = QChar(0x2212) + skálaSzám(skála);
        festő.drawText(
            QPointF(s.left() - betű.horizontalAdvance(fent) - 4, s.top() + betű.ascent()), fent);
        festő.drawText(
            QPointF(s.left() - betű.horizontalAdvance(lentSz) - 4, s.bottom() - betű.descent()),
            lentSz);
        const QString név = ö.rövidNév();
        festő.drawText(
            QPointF(s.left() - betű.horizontalAdvance(név) - 4, nulla + betű.ascent() / 2), név);

        // the envelope as one filled band
        const auto& kicsi = rajz.legkisebb;
        const auto& nagy = rajz.legnagyobb;
        const std::size_t oszlopok = nagy.size();
        if (oszlopok > 0) {
            festő.save();
            festő.setClipRect(s); // a zoomed trace stays in its strip
            auto x = [&](std::size_t o) {
                return xIdő(rajz.kezdet + rajz.hossz * (double(o) + 0.5) / double(oszlopok));
            };
            QPainterPath út(QPointF(x(0), y(nagy[0])));
            for (std::size_t o = 1; o < oszlopok; ++o)
                út.lineTo(x(o), y(nagy[o]));
            for (std::size_t o = oszlopok; o-- > 0;)
                út.lineTo(x(o), y(kicsi[o]));
            út.closeSubpath();
            const QColor szín = ÖsszetevőSzín(i);
            festő.setPen(QPen(szín, 0.8));
            festő.setBrush(szín);
            festő.drawPath(út);

            // the peak: its sign from the column that holds it
            const std::size_t o =
                std::min(oszlopok - 1, std::size_t((ö.jellemzők.idő - rajz.kezdet) / rajz.hossz *
                                                   double(oszlopok)));
            // (the value of the larger magnitude: a column of one sample has it twice)
            const double előjel =
                (std::fabs(nagy[o]) >= std::fabs(kicsi[o]) ? nagy[o] : kicsi[o]) >= 0 ? 1 : -1;
            festő.restore();
            const QPointF p(xIdő(ö.jellemzők.idő), y(előjel * ö.jellemzők.ppv));
            if (ö.jellemzők.idő < t0 || ö.jellemzők.idő > t1)
                continue; // the peak lies outside the span shown
            festő.setPen(QPen(szöveg, 1.2));
            festő.setBrush(paletta.color(QPalette::Base));
            festő.drawEllipse(p, 4, 4);
            const QString felirat = csúcsFelirat(e, ö);
            // beside the mark, on its left where the right edge is too near to keep it clear
            QPointF hova = p + QPointF(8, előjel > 0 ? betű.ascent() + 2 : -4);
            if (hova.x() + betű.horizontalAdvance(felirat) > s.right() - 2)
                hova.setX(p.x() - 8 - betű.horizontalAdvance(felirat));
            címke(festő, betű, paletta, hova, felirat, s, szöveg);
        }
    }
    festő.restore();
    return tér;
}

void Spektrumok(QPainter& festő, const QRectF& hely, const QPalette& paletta, const QFont& font,
                const Elemzés::Megállapítás& e, const std::vector<Rajzadat>& rajzok) {
    festő.save();
    festő.setRenderHint(QPainter::Antialiasing);
    festő.setFont(font);
    const QFontMetricsF betű(font);
    const QColor szöveg = paletta.color(QPalette::Text);
    const Rajzolandók rajzOf(e, rajzok);
    const std::vector<std::size_t>& rajzolt = rajzOf.sebességek;
    double felső = 0; // Hz, the right end
    for (const std::size_t i : rajzolt) {
        const Rajzadat& r = rajzOf(i);
        felső = std::max(felső, r.spektrumLépés *
                                    double(r.spektrum.size() > 0 ? r.spektrum.size() - 1 : 0));
    }
    if (!(felső > 0))
        felső = SpektrumHatár;
    const double bal = betű.height() * 1.0;
    const double lent = betű.height() * 2.6;
    const double fent = betű.height() * (0.4 + 1.2 * double(rajzolt.size()));
    const QRectF tér(hely.left() + bal, hely.top() + fent, hely.width() - bal - 8,
                     hely.height() - fent - lent);
    auto x = [&](double f) { return tér.left() + tér.width() * std::clamp(f / felső, 0.0, 1.0); };

    festő.setPen(QPen(paletta.color(QPalette::Mid), 0.8));
    festő.setBrush(Qt::NoBrush);
    festő.drawRect(tér);
    festő.setPen(QPen(szöveg, 1));
    const double lépés = KerekLépés(felső, 10);
    for (double f = 0; f <= felső + 1e-9; f += lépés) {
        festő.drawLine(QPointF(x(f), tér.bottom()), QPointF(x(f), tér.bottom() + 4));
        const QString c = Szám(f, tizedesekLépéshez(lépés));
        festő.drawText(
            QPointF(x(f) - betű.horizontalAdvance(c) / 2, tér.bottom() + 4 + betű.ascent()), c);
    }
    const QString tengely = QStringLiteral("frekvencia (Hz)");
    festő.drawText(QPointF(tér.center().x() - betű.horizontalAdvance(tengely) / 2,
                           tér.bottom() + 4 + betű.height() + betű.ascent()),
                   tengely);
    const QString yTengely = QStringLiteral("amplitúdóspektrum, komponensenként a csúcsához mérve");
    {
        // above the frame, right of the frequencies' rows: never on the peaks' marks
        double sorok = 0;
        for (std::size_t sor = 0; sor < rajzolt.size(); ++sor)
            sorok = std::max(sorok, betű.horizontalAdvance(e.összetevők[rajzolt[sor]].rövidNév() +
                                                           QStringLiteral(": 000,00 Hz")));
        const QString látszó = betű.elidedText(
            yTengely, Qt::ElideRight, std::max(0.0, tér.right() - tér.left() - sorok - 12));
        festő.drawText(
            QPointF(tér.right() - betű.horizontalAdvance(látszó), hely.top() + betű.ascent()),
            látszó);
    }

    for (std::size_t sor = 0; sor < rajzolt.size(); ++sor) {
        const std::size_t i = rajzolt[sor];
        const auto& ö = e.összetevők[i];
        const Rajzadat& rajz = rajzOf(i);
        const auto& a = rajz.spektrum;
        const QColor szín = ÖsszetevőSzín(int(i));
        if (a.size() >= 2) {
            const float legnagyobb = *std::max_element(a.begin(), a.end());
            const double osztó = legnagyobb > 0 ? legnagyobb : 1;
            QPainterPath út;
            for (std::size_t k = 0; k < a.size(); ++k) {
                const QPointF p(x(double(k) * rajz.spektrumLépés),
                                tér.bottom() - (tér.height() - 4) * a[k] / osztó);
                if (k == 0)
                    út.moveTo(p);
                else
                    út.lineTo(p);
            }
            festő.setPen(QPen(szín, 1.2));
            festő.setBrush(Qt::NoBrush);
            festő.drawPath(út);
        }
        // the dominant frequency: a mark on the curve's top and its value in a row above
        const QString név = ö.rövidNév();
        QString felirat;
        if (ö.jellemzők.fft) {
            const double f = *ö.jellemzők.fft;
            festő.setPen(QPen(szín, 1, Qt::DashLine));
            festő.drawLine(QPointF(x(f), tér.top()), QPointF(x(f), tér.bottom()));
            festő.setPen(QPen(szöveg, 1.2));
            festő.setBrush(szín);
            festő.drawEllipse(QPointF(x(f), tér.top() + 2), 3.5, 3.5);
            felirat = QStringLiteral("%1: %2 Hz").arg(név, Szám(f, 2));
            if (f > felső)
                felirat += QStringLiteral(" (a tartományon kívül)");
        } else {
            felirat = QStringLiteral("%1: nincs domináns frekvencia").arg(név);
        }
        festő.setPen(szín);
        festő.drawText(
            QPointF(tér.left(), hely.top() + betű.ascent() + 1.2 * betű.height() * double(sor)),
            felirat);
    }
    festő.restore();
}

} // namespace Rajz
