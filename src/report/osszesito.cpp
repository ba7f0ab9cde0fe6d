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
#include <QSaveFile>
#include <QStringList>
#include <QTimeZone>

namespace Jelentés {

// Rows of the events' summary on a page.
constexpr std::size_t ÖsszesítőSorok = 48;

std::size_t összesítőLapok(const Tétel& t) {
    return (t.események.size() + ÖsszesítőSorok - 1) / ÖsszesítőSorok;
}

// Page `rész` of the summary of a monitoring record's events: each event's start (UTC and
// Hungary's clock time), peak vector sum, largest utilisation and verdict.
void összesítő(QPainter& festő, const QRectF& keret, const Tétel& t, std::size_t rész,
               std::size_t lap, std::size_t lapok) {
    QFont cím = Rajz::Betű(12);
    cím.setBold(true);
    const QFont szöveg = Rajz::Betű(8.5);
    QFont vastag = szöveg;
    vastag.setBold(true);
    const QFontMetricsF m(szöveg);
    double y = keret.top();
    festő.setPen(Qt::black);
    festő.setFont(cím);
    y += QFontMetricsF(cím).ascent();
    QString név = QFileInfo(t.felvétel.fájl).fileName();
    if (!t.felvétel.állomás.isEmpty())
        név += QStringLiteral(" (%1)").arg(t.felvétel.állomás);
    festő.drawText(QPointF(keret.left(), y), QStringLiteral("Események összesítése – %1").arg(név));
    y += QFontMetricsF(cím).descent() + 6;
    int túl = 0;
    for (const Elemzés::Esemény& e : t.események)
        túl += !e.megállapítás.megfelel;
    festő.setFont(szöveg);
    QStringList összegzés = {
        QStringLiteral("%1 esemény, ebből %2 túllépi. Indítás: bármely sebességkomponens legalább "
                       "%3 mm/s; az 1 s-nál közelebbi indítások egy esemény.")
            .arg(t.események.size())
            .arg(túl)
            .arg(Határérték::Szám(t.küszöb, 2))};
    if (t.részletes > 0)
        összegzés << (t.részletes == Elemzés::Legrosszabb(t.események) + 1
                          ? QStringLiteral("Az előző oldal a(z) %1. eseményt mutatja részletesen "
                                           "(a legnagyobb kihasználtság).")
                          : QStringLiteral("Az előző oldal a(z) %1. eseményt mutatja részletesen."))
                         .arg(t.részletes);
    for (const QString& sor : összegzés) {
        y += m.height();
        festő.drawText(QPointF(keret.left(), y), sor);
    }
    y += 8;
    const QStringList fej = {QStringLiteral("Esemény"),
                             QStringLiteral("Kezdet (UTC)"),
                             QStringLiteral("Helyi idő"),
                             QStringLiteral("PVS (mm/s)"),
                             QStringLiteral("Legnagyobb kihasználtság"),
                             QStringLiteral("Megítélés")};
    const double arányok[] = {0.09, 0.26, 0.16, 0.12, 0.23, 0.14};
    const double sor = m.height() + 4;
    auto sorRajz = [&](const QStringList& cellák, bool fejsor, bool kiemelt) {
        double x = keret.left();
        if (fejsor || kiemelt)
            festő.fillRect(QRectF(keret.left(), y, keret.width(), sor),
                           fejsor ? QColor(230, 230, 230) : QColor(255, 225, 225));
        festő.setPen(QPen(QColor(150, 150, 150), 0.4));
        festő.drawLine(QPointF(keret.left(), y + sor), QPointF(keret.right(), y + sor));
        festő.setPen(Qt::black);
        festő.setFont(fejsor ? vastag : szöveg);
        for (qsizetype c = 0; c < cellák.size(); ++c) {
            const double w = keret.width() * arányok[c];
            const Qt::Alignment igazítás =
                (c == 3 && !fejsor ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
            festő.drawText(QRectF(x + 3, y, w - 6, sor), int(igazítás), cellák[c]);
            x += w;
        }
        y += sor;
    };
    sorRajz(fej, true, false);
    const QTimeZone budapest(QByteArrayLiteral("Europe/Budapest"));
    const std::size_t eleje = rész * ÖsszesítőSorok;
    for (std::size_t i = eleje; i < std::min(t.események.size(), eleje + ÖsszesítőSorok); ++i) {
        const Elemzés::Esemény& e = t.események[i];
        const Elemzés::Megállapítás& mg = e.megállapítás;
        QString kezdet, helyi = QStringLiteral("–");
        if (const auto k = e.felvétel.kezdet()) {
            kezdet = magyarIdő(*k, QStringLiteral("ss.zzz")); // as the page's start has it
            if (budapest.isValid())
                helyi = k->toTimeZone(budapest).toString(QStringLiteral("HH:mm:ss ")) +
                        budapest.abbreviation(*k);
        } else { // a record without a clock: from its start
            kezdet =
                QStringLiteral("+%1 s").arg(Határérték::Szám(double(e.ablak.kezdetMikro) / 1e6, 3));
        }
        QString döntő = QStringLiteral("–");
        if (mg.döntő >= 0) {
            const Elemzés::Összetevő& d = mg.összetevők[std::size_t(mg.döntő)];
            döntő = QStringLiteral("%1 % (%2)")
                        .arg(Határérték::Százalék(d.megítélés.kihasználtságTized()), d.rövidNév());
        }
        sorRajz({QString::number(e.sorszám), kezdet, helyi,
                 mg.pvsVan ? Határérték::Szám(mg.pvs, 3) : QStringLiteral("–"), döntő,
                 mg.döntő >= 0 ? QString::fromUtf8(Határérték::ÍtéletSzó(mg.megfelel))
                               : Határérték::NincsMegítélve()},
                false, !mg.megfelel);
    }
    lábléc(festő, keret, lap, lapok);
}

} // namespace Jelentés
