#include "tablazat.h"

#include "engine/szovegek.h"

namespace Elemzés {

using Határérték::Szám;

QStringList TáblázatFejléc() {
    return {QStringLiteral("Komponens"),         QStringLiteral("PPV (mm/s)"),
            QStringLiteral("Idő (s)"),           QStringLiteral("ZC (Hz)"),
            QStringLiteral("FFT (Hz)"),          QStringLiteral("Gyorsulás (m/s²)"),
            QStringLiteral("Elmozdulás (mm)"),   QStringLiteral("Határérték (mm/s)"),
            QStringLiteral("Kihasználtság (%)"), QStringLiteral("Megítélés")};
}

QList<QStringList> TáblázatSorok(const Megállapítás& e) {
    QList<QStringList> sorok;
    for (const Összetevő& ö : e.összetevők) {
        const Jellemzők& j = ö.jellemzők;
        QStringList sor{ö.rövidNév() + (ö.függőleges ? QStringLiteral(" (függőleges)")
                                                     : QStringLiteral(" (vízszintes)")),
                        Szám(j.ppv, 3),
                        Szám(j.idő, 4),
                        j.zc ? Szám(*j.zc, 2) : QString(),
                        j.fft ? Szám(*j.fft, 2) : QString(),
                        Szám(j.gyorsulás, 3),
                        Szám(j.elmozdulás, 4)};
        if (ö.megítélt) {
            sor << Határérték::SzázadSzöveg(ö.megítélés.határSzázad)
                << Határérték::Százalék(ö.megítélés.kihasználtságTized())
                << Határérték::Ítélet(ö.megítélés);
        } else {
            sor << QString() << QString() << Határérték::NincsMegítélve();
        }
        sorok << sor;
    }
    sorok << QStringList{
        QStringLiteral("PVS"), Szám(e.pvs, 3), Szám(e.pvsIdő, 4), {}, {}, {}, {}, {}, {}, {}};
    return sorok;
}

QString Ítélet(const Megállapítás& e) {
    if (e.döntő < 0)
        return QStringLiteral("Nincs megítélt összetevő");
    const Összetevő& d = e.összetevők[std::size_t(e.döntő)];
    return QStringLiteral("%1: a legnagyobb kihasználtság %2 % (%3)")
        .arg(Határérték::NagyÍtéletSzó(e.megfelel),
             Határérték::Százalék(d.megítélés.kihasználtságTized()), d.rövidNév());
}

} // namespace Elemzés
