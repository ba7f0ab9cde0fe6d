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

Hiba ÍrásiHiba(const QString& fájl, const QString& miért) {
    Hiba h;
    h.fajta = Hiba::Fajta::Írás;
    h.fájl = fájl;
    h.részlet = miért;
    return h;
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
    case Hiba::Fajta::Írás:
        szöveg += h.részlet.isEmpty() ? QStringLiteral("nem írható")
                                      : QStringLiteral("írási hiba: ") + h.részlet;
        break;
    case Hiba::Fajta::RekordokKözött:
        szöveg += QStringLiteral("a(z) %1. bájtnál nem miniSEED adat áll").arg(h.bájt);
        break;
    case Hiba::Fajta::Hézag:
        szöveg += QStringLiteral("hézag a felvételben");
        break;
    case Hiba::Fajta::Átfedés:
        szöveg += QStringLiteral("átfedés a felvételben");
        break;
    case Hiba::Fajta::HibásRekord:
    case Hiba::Fajta::Crc:
    case Hiba::Fajta::Csonka:
        if (h.bájt >= 0)
            szöveg += QStringLiteral("hibás miniSEED a(z) %1. bájtnál: ").arg(h.bájt);
        szöveg += h.részlet;
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
