#include "hiba.h"

#include <QDateTime>

QString MikroIdő(qint64 mikro) {
    qint64 másodperc = mikro / 1000000, tört = mikro % 1000000;
    if (tört < 0) {
        tört += 1000000;
        --másodperc;
    }
    return QDateTime::fromSecsSinceEpoch(másodperc, Qt::UTC)
               .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.")) +
           QStringLiteral("%1").arg(tört, 6, 10, QChar(u'0'));
}

QString Leírás(const Hiba& h, Orvoslás orvoslás) {
    QString szöveg;
    if (h.sor > 0)
        szöveg += QStringLiteral("%1. sor: ").arg(h.sor);
    if (!h.csatorna.isEmpty())
        szöveg += h.csatorna + QStringLiteral(": ");
    switch (h.fajta) {
    case Hiba::Fajta::NincsFájl:
        szöveg += QStringLiteral("nincs ilyen fájl");
        break;
    case Hiba::Fajta::Mappa:
        szöveg += QStringLiteral("mappa, nem fájl");
        break;
    case Hiba::Fajta::NemOlvasható:
        szöveg += QStringLiteral("nem olvasható: ") + h.részlet;
        break;
    default:
        szöveg += h.részlet;
        break;
    }
    if (h.időMikro)
        szöveg += QStringLiteral(" %1 körül").arg(MikroIdő(*h.időMikro));
    if (orvoslás)
        szöveg += orvoslás(h.fajta);
    return szöveg;
}
