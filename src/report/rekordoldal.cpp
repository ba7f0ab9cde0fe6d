#include "oldalak.h"

#include "dokumentumadatok.h"

#include "analysis/tablazat.h"
#include "engine/kategoriak.h"
#include "engine/szovegek.h"
#include "painters/betu.h"
#include "painters/hatargorbe.h"
#include "painters/jelrajz.h"
#include "readers/meresadatok.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <QTimeZone>

namespace Jelentés {

// One record's page inside `keret`: page `lap` of `lapok`.
void oldal(QPainter& festő, const QRectF& keret, const Tétel& t, std::size_t lap,
           std::size_t lapok) {
    const QPalette paletta = nyomtatóPaletta();
    const QFont cím = [] {
        QFont f = Rajz::Betű(14);
        f.setBold(true);
        return f;
    }();
    const QFont szöveg = Rajz::Betű(8.5);
    const QFont kicsi = Rajz::Betű(7);
    QFont vastag = szöveg;
    vastag.setBold(true);
    double y = keret.top();

    festő.setPen(Qt::black);
    festő.setFont(cím);
    y += QFontMetricsF(cím).ascent();
    festő.drawText(QPointF(keret.left(), y), QStringLiteral("Rezgésmérési jelentés (MSZ 13018)"));
    y += QFontMetricsF(cím).descent() + 8;

    // the header
    const Rezgésjel::Felvétel& f = t.felvétel;
    QStringList csatornák;
    for (const Rezgésjel::Csatorna& c : f.csatornák)
        csatornák << c.kód.név();
    const double másodperc = f.mintavétel > 0 ? double(f.mintaszám) / f.mintavétel : 0;
    QList<std::pair<QString, QString>> fejléc = {
        {QStringLiteral("Fájl"), QFileInfo(f.fájl).fileName()},
        {QStringLiteral("Állomás"), f.állomás.isEmpty() ? QStringLiteral("–") : f.állomás},
        {QStringLiteral("Csatornák"), csatornák.join(QStringLiteral(", "))},
        {QStringLiteral("Kezdőidő"),
         f.kezdet() ? kezdőidő(*f.kezdet()) : QStringLiteral("nincs megadva")},
        {QStringLiteral("Mintavétel"),
         QStringLiteral("%1 Hz, %2 minta (%3 s)")
             .arg(Határérték::Szám(f.mintavétel, f.mintavétel == std::floor(f.mintavétel) ? 0 : 3))
             .arg(QLocale(QLocale::Hungarian).toString(qulonglong(f.mintaszám)))
             .arg(Határérték::Szám(másodperc, 3))},
        {QStringLiteral("Kategória"), Határérték::KategóriaNév(t.kategória)},
    };
    if (t.megállapítás.időNulla != 0) // as the instrument's own printout gives them
        fejléc.append(
            {QStringLiteral("Idők"), QStringLiteral("a műszer indításától (az első minta %1 s)")
                                         .arg(Határérték::Szám(t.megállapítás.kiírt(0), 4))});
    if (t.részletes > 0)
        fejléc.append(
            {QStringLiteral("Esemény"),
             QStringLiteral(
                 "%1. a felvétel %2 eseménye közül; ablaka az első indítás előtt %3 s-mal "
                 "kezdődik")
                 .arg(t.részletes)
                 .arg(t.események.size())
                 .arg(Határérték::Szám(double(Elemzés::ElőtteMikro) / 1e6, 2))});
    if (t.kijelölt)
        fejléc.append(
            {QStringLiteral("Szakasz"), QStringLiteral("a felvétel kézzel kijelölt része")});
    fejléc += QList<std::pair<QString, QString>>{
        {QStringLiteral("Hely"), Határérték::HelyNév(t.hely)},
        {QStringLiteral("Módszer"), Határérték::MódszerNév(t.módszer)},
    };
    for (const Rezgésjel::Csatorna& c : f.csatornák)
        fejléc.append({QStringLiteral("Átváltás (%1)").arg(c.kód.csatorna), c.átváltás});
    const std::optional<double> indítás = t.megállapítás.indítás;
    fejléc.append(
        {QStringLiteral("Indítás (%1 mm/s)").arg(Határérték::Szám(Elemzés::IndításiKüszöb, 1)),
         !indítás ? QStringLiteral("nem érte el")
         : f.kezdet()
             ? QStringLiteral("%1 s (%2)")
                   .arg(Határérték::Szám(t.megállapítás.kiírt(*indítás), 4),
                        kezdőidő(f.kezdet()->addMSecs(qint64(std::llround(*indítás * 1000)))))
             : QStringLiteral("%1 s").arg(Határérték::Szám(t.megállapítás.kiírt(*indítás), 4))});
    for (const Elemzés::Összetevő& ö : t.megállapítás.összetevők)
        if (ö.mennyiség == Rezgésjel::Mennyiség::Nyomás)
            fejléc.append(
                {QStringLiteral("Légnyomás (%1)").arg(ö.rövidNév()), Elemzés::NemSebesség(ö)});
    fejléc = t.adatok.sorok() + fejléc;
    const QFontMetricsF m(szöveg);
    double címkeSzélesség = 0;
    for (const auto& [k, v] : fejléc)
        címkeSzélesség =
            std::max(címkeSzélesség, QFontMetricsF(vastag).horizontalAdvance(k + u':'));
    const double értékBal = keret.left() + címkeSzélesség + 6;
    for (const auto& [k, v] : fejléc) {
        y += m.height();
        festő.setFont(vastag);
        festő.drawText(QPointF(keret.left(), y), k + u':');
        festő.setFont(szöveg);
        // a long value (an instrument's line, a note) wraps within the page, never past it
        const QRectF hely(értékBal, y - m.ascent(), keret.right() - értékBal, 1e6);
        const QRectF kell = m.boundingRect(hely, Qt::TextWordWrap, v);
        festő.drawText(QRectF(hely.topLeft(), QSizeF(hely.width(), kell.height())),
                       Qt::TextWordWrap, v);
        y += std::max(0.0, kell.height() - m.height());
    }
    y += 10;

    // the table
    const QStringList fej = Elemzés::TáblázatFejléc();
    QList<QStringList> sorok = Elemzés::TáblázatSorok(t.megállapítás);
    for (QStringList& sor : sorok) {
        for (QString& cella : sor) // a true minus sign before a number
            if (cella.size() > 1 && cella[0] == u'-' && cella[1].isDigit())
                cella[0] = QChar(0x2212);
        if (!sor.isEmpty()) // a word joiner on each side of a hyphen: no break there
            sor.last().replace(u'-', QStringLiteral("\u2060-\u2060"));
    }
    const QFontMetricsF km(kicsi);
    QFont kicsiVastag = kicsi;
    kicsiVastag.setBold(true);
    // widths: the widest cell of each column, stretched to the page; where the page is too
    // narrow for them, the verdicts (the last column) wrap at their blanks, never inside a
    // word ("Hz-es" is held together), and the rows grow to hold them: no text is ever cut
    const QFontMetricsF vm(kicsiVastag);
    const qsizetype oszlopok = fej.size();
    std::vector<double> szélesség(std::size_t(oszlopok), 0), legkisebb(std::size_t(oszlopok), 0);
    auto legszélesebbSzó = [](const QFontMetricsF& m, const QString& szöveg) {
        double w = 0;
        for (const QString& szó : szöveg.split(u' ', Qt::SkipEmptyParts))
            w = std::max(w, m.horizontalAdvance(szó));
        return w;
    };
    for (qsizetype c = 0; c < oszlopok; ++c) {
        const bool tördelhető = c == oszlopok - 1;
        double& w = szélesség[std::size_t(c)];
        double& kis = legkisebb[std::size_t(c)];
        w = vm.horizontalAdvance(fej[c]);
        kis = w; // a header stays whole
        for (const QStringList& sor : sorok) {
            w = std::max(w, km.horizontalAdvance(sor.value(c)));
            kis = std::max(kis, tördelhető ? legszélesebbSzó(km, sor.value(c))
                                           : km.horizontalAdvance(sor.value(c)));
        }
        w += 6;
        kis += 6;
    }
    double összes = 0, összesLegkisebb = 0;
    for (qsizetype c = 0; c < oszlopok; ++c) {
        összes += szélesség[std::size_t(c)];
        összesLegkisebb += legkisebb[std::size_t(c)];
    }
    if (összes <= keret.width()) {
        for (double& w : szélesség)
            w *= keret.width() / összes;
    } else { // what is left over the least, shared as each column wants more
        const double többlet = std::max(0.0, keret.width() - összesLegkisebb);
        for (qsizetype c = 0; c < oszlopok; ++c) {
            const double kíván = szélesség[std::size_t(c)] - legkisebb[std::size_t(c)];
            szélesség[std::size_t(c)] = legkisebb[std::size_t(c)] +
                                        többlet * kíván / std::max(1e-9, összes - összesLegkisebb);
        }
    }
    const int tördel = int(Qt::TextWordWrap);
    auto magasság = [&](const QStringList& cellák, bool fejsor) {
        const QFontMetricsF& m = fejsor ? vm : km;
        double h = m.height();
        for (qsizetype c = 0; c < cellák.size(); ++c)
            h = std::max(h, m.boundingRect(QRectF(0, 0, szélesség[std::size_t(c)] - 6, 1e6), tördel,
                                           cellák[c])
                                .height());
        return h + 4;
    };
    auto sorRajz = [&](const QStringList& cellák, bool fejsor, bool kiemelt) {
        const double sorMagasság = magasság(cellák, fejsor);
        double x = keret.left();
        if (fejsor || kiemelt) {
            festő.fillRect(QRectF(keret.left(), y, keret.width(), sorMagasság),
                           fejsor ? QColor(230, 230, 230) : QColor(255, 225, 225));
        }
        festő.setPen(QPen(QColor(150, 150, 150), 0.4));
        festő.drawLine(QPointF(keret.left(), y + sorMagasság),
                       QPointF(keret.right(), y + sorMagasság));
        festő.setPen(Qt::black);
        festő.setFont(fejsor ? kicsiVastag : kicsi);
        for (qsizetype c = 0; c < cellák.size(); ++c) {
            const double w = szélesség[std::size_t(c)];
            const Qt::Alignment igazítás = c == 0 || c == cellák.size() - 1 || fejsor
                                               ? Qt::AlignLeft | Qt::AlignVCenter
                                               : Qt::AlignRight | Qt::AlignVCenter;
            festő.drawText(QRectF(x + 3, y, w - 6, sorMagasság), int(igazítás) | tördel, cellák[c]);
            x += w;
        }
        y += sorMagasság;
    };
    sorRajz(fej, true, false);
    for (qsizetype r = 0; r < sorok.size(); ++r) {
        const bool túl = r < qsizetype(t.megállapítás.összetevők.size()) &&
                         t.megállapítás.összetevők[std::size_t(r)].megítélt &&
                         !t.megállapítás.összetevők[std::size_t(r)].megítélés.megfelel;
        sorRajz(sorok[r], false, túl);
    }
    y += 8;

    // the verdict
    QFont ítéletBetű = Rajz::Betű(11);
    ítéletBetű.setBold(true);
    festő.setFont(ítéletBetű);
    festő.setPen(t.megállapítás.döntő < 0  ? QColor(Qt::black) // nothing judged: never green
                 : t.megállapítás.megfelel ? QColor(0, 110, 40)
                                           : QColor(190, 0, 0));
    y += QFontMetricsF(ítéletBetű).ascent();
    festő.drawText(QPointF(keret.left(), y), Elemzés::ÍtéletMondat(t.megállapítás));
    y += QFontMetricsF(ítéletBetű).descent() + 8;
    festő.setPen(Qt::black);

    // the drawings, sharing what is left above the footer
    const double láblécHely = km.height() * 3.2 + 6; // the line to sign and the footer
    const double maradék = keret.bottom() - láblécHely - y;
    const double nyomHossz = maradék * 0.36, spektrumHossz = maradék * 0.27;
    const QFont rajzBetű = Rajz::Betű(7);
    Rajz::Nyomvonalak(festő, QRectF(keret.left(), y, keret.width(), nyomHossz - 6), paletta,
                      rajzBetű, t.megállapítás, t.rajzok);
    y += nyomHossz;
    Rajz::Spektrumok(festő, QRectF(keret.left(), y, keret.width(), spektrumHossz - 6), paletta,
                     rajzBetű, t.megállapítás, t.rajzok);
    y += spektrumHossz;
    festő.save();
    festő.translate(keret.left(), y);
    const QSizeF ábraMéret(keret.width(), keret.bottom() - láblécHely - y);
    Rajz::Megfelelőség(festő, ábraMéret, paletta, rajzBetű, t.kategória,
                       t.hely == Elemzés::Hely::Födém,
                       Rajz::ÖsszetevőPontok(t.megállapítás, t.módszer));
    festő.restore();

    lábléc(festő, keret, lap, lapok);
}

} // namespace Jelentés
