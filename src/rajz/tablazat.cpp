#include "tablazat.h"

#include "jelrajz.h"

namespace Rajz {

QString Százalék(std::int64_t t) {
    return QString::number(t / 10) + u',' + QChar(char16_t(u'0' + t % 10));
}

QString ÖsszetevőÍtélet(const Elemzés::Összetevő& ö) {
    QString ítélet = ö.megítélés.megfelel ? QStringLiteral("megfelel") : QStringLiteral("túllépi");
    if (ö.frekvenciaNélkül)
        ítélet += QStringLiteral(" (nincs frekvencia: a legkisebb érték)");
    else if (ö.megítélés.százHzFeletti)
        ítélet += QStringLiteral(" (100 Hz feletti: a 100 Hz-es érték)");
    return ítélet;
}

QStringList TáblázatFejléc() {
    return {QStringLiteral("Komponens"),         QStringLiteral("PPV (mm/s)"),
            QStringLiteral("Idő (s)"),           QStringLiteral("ZC (Hz)"),
            QStringLiteral("FFT (Hz)"),          QStringLiteral("Gyorsulás (m/s²)"),
            QStringLiteral("Elmozdulás (mm)"),   QStringLiteral("Határérték (mm/s)"),
            QStringLiteral("Kihasználtság (%)"), QStringLiteral("Megítélés")};
}

QList<QStringList> TáblázatSorok(const Elemzés::Eredmény& e) {
    QList<QStringList> sorok;
    for (const Elemzés::Összetevő& ö : e.összetevők) {
        const Elemzés::Jellemzők& j = ö.jellemzők;
        QStringList sor{RövidNév(ö.név) + (ö.függőleges ? QStringLiteral(" (függőleges)")
                                                        : QStringLiteral(" (vízszintes)")),
                        Szám(j.ppv, 3),
                        Szám(j.idő, 4),
                        j.zc ? Szám(*j.zc, 2) : QString(),
                        j.fft ? Szám(*j.fft, 2) : QString(),
                        Szám(j.gyorsulás, 3),
                        Szám(j.elmozdulás, 4)};
        if (ö.megítélt) {
            sor << Határérték::SzázadSzöveg(ö.megítélés.határSzázad, u',')
                << Százalék(ö.megítélés.kihasználtságTized()) << ÖsszetevőÍtélet(ö);
        } else {
            sor << QString() << QString() << QStringLiteral("nincs megítélve");
        }
        sorok << sor;
    }
    sorok << QStringList{
        QStringLiteral("PVS"), Szám(e.pvs, 3), Szám(e.pvsIdő, 4), {}, {}, {}, {}, {}, {}, {}};
    return sorok;
}

QString Ítélet(const Elemzés::Eredmény& e) {
    if (e.döntő < 0)
        return QStringLiteral("Nincs megítélt összetevő");
    const Elemzés::Összetevő& d = e.összetevők[std::size_t(e.döntő)];
    return QStringLiteral("%1: a legnagyobb kihasználtság %2 % (%3)")
        .arg(e.megfelel ? QStringLiteral("Megfelel") : QStringLiteral("Túllépi"),
             Százalék(d.megítélés.kihasználtságTized()), RövidNév(d.név));
}

QString HelyNév(Elemzés::Hely hely) {
    return hely == Elemzés::Hely::Alap ? QStringLiteral("alap") : QStringLiteral("legfelső födém");
}

QString MódszerNév(Elemzés::Módszer módszer) {
    return módszer == Elemzés::Módszer::ZC ? QStringLiteral("nullátmenet (ZC)")
                                           : QStringLiteral("spektrumcsúcs (FFT)");
}

} // namespace Rajz
