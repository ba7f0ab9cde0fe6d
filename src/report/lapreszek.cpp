#include "oldalak.h"

#include "painters/betu.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QTimeZone>

namespace Jelentés {

QPalette nyomtatóPaletta() {
    QPalette p;
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Mid, QColor(150, 150, 150));
    return p;
}

QString magyarIdő(const QDateTime& idő, const QString& másodpercek) {
    return idő.toString(QStringLiteral("yyyy. MM. dd. HH:mm:") + másodpercek);
}

QString kezdőidő(const QDateTime& utc) {
    QString szöveg = magyarIdő(utc, QStringLiteral("ss.zzz")) + QStringLiteral(" UTC");
    const QTimeZone budapest(QByteArrayLiteral("Europe/Budapest"));
    if (budapest.isValid()) {
        const QDateTime helyi = utc.toTimeZone(budapest);
        szöveg += QStringLiteral(" (%1 %2)")
                      .arg(helyi.toString(QStringLiteral("HH:mm:ss")), budapest.abbreviation(utc));
    }
    return szöveg;
}

// A line to sign, then the footer: the program, when the report was made, the page.
void lábléc(QPainter& festő, const QRectF& keret, std::size_t lap, std::size_t lapok) {
    const QFont kicsi = Rajz::Betű(7);
    const QFontMetricsF km(kicsi);
    festő.setFont(kicsi);
    festő.setPen(Qt::black);
    const QString aláírás = QStringLiteral("Aláírás: ");
    const double aláírásY = keret.bottom() - km.height() * 2.2;
    festő.drawText(QPointF(keret.right() - 220, aláírásY), aláírás);
    festő.drawLine(QPointF(keret.right() - 220 + km.horizontalAdvance(aláírás), aláírásY),
                   QPointF(keret.right(), aláírásY));
    festő.setPen(QColor(80, 80, 80));
    const QDateTime most = QDateTime::currentDateTime();
    festő.drawText(QPointF(keret.left(), keret.bottom() - km.descent()),
                   QStringLiteral("%1 %2 – a jelentés készült: %3 %4")
                       .arg(QCoreApplication::applicationName(),
                            QCoreApplication::applicationVersion(),
                            most.toString(QStringLiteral("yyyy. MM. dd. HH:mm")),
                            most.timeZoneAbbreviation()));
    const QString számozás = QStringLiteral("%1/%2. oldal").arg(lap).arg(lapok);
    festő.drawText(
        QPointF(keret.right() - km.horizontalAdvance(számozás), keret.bottom() - km.descent()),
        számozás);
}

} // namespace Jelentés
