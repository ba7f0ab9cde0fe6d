#include "tablazat.h"

#include <QDateTime>
#include <QTimeZone>

#include "engine/szovegek.h"

#include <algorithm>
#include <cmath>

namespace Elemzés {

using Határérték::Szám;

QStringList TáblázatFejléc() {
    return {QStringLiteral("Komponens"),         QStringLiteral("PPV (mm/s)"),
            QStringLiteral("Idő (s)"),           QStringLiteral("ZC (Hz)"),
            QStringLiteral("FFT (Hz)"),          QStringLiteral("Gyorsulás (m/s²)"),
            QStringLiteral("Elmozdulás (mm)"),   QStringLiteral("Határérték (mm/s)"),
            QStringLiteral("Kihasználtság (%)"), QStringLiteral("Megítélés")};
}

QString UtcIdő(qint64 mikro) {
    const qint64 ezred = mikro >= 0 ? mikro / 1000 : -((-mikro + 999) / 1000);
    return QDateTime::fromMSecsSinceEpoch(ezred, QTimeZone::utc())
        .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

double DecibelL(double pascal) {
    return 20 * std::log10(pascal / 20e-6);
}

QString NemSebesség(const Összetevő& ö) {
    const QString nincs = QStringLiteral(", ") + Határérték::NincsMegítélve();
    const QString count =
        QStringLiteral("csúcs %1 count (érzékenység nélkül)").arg(Szám(ö.jellemzők.ppv, 0));
    if (ö.mennyiség == Rezgésjel::Mennyiség::Gyorsulás)
        return QStringLiteral("gyorsulásmérő, nem sebesség") +
               (ö.nyers ? QStringLiteral(": ") + count : QString()) + nincs;
    if (ö.nyers)
        return QStringLiteral("légnyomás: ") + count + nincs;
    // a trace at rest has no overpressure: never "-inf dB(L)"
    const double db = DecibelL(ö.jellemzők.ppv);
    return QStringLiteral("légnyomás: %1 Pa, %2")
               .arg(Szám(ö.jellemzők.ppv, 3), db > 0 && std::isfinite(db)
                                                  ? Szám(db, 1) + QStringLiteral(" dB(L)")
                                                  : QStringLiteral("nincs túlnyomás")) +
           nincs;
}

QString AlulbecslésSzöveg(const Összetevő& ö, Módszer módszer) {
    const std::optional<double> f = ö.frekvencia(módszer);
    if (!ö.alulbecslés || !f)
        return {};
    return QStringLiteral(
               " (a %1/s mintavétel %2 Hz-en a csúcsot legfeljebb %3 %-kal becsülheti alá)")
        .arg(Határérték::BeállításSzám(ö.mintavétel), Szám(*f, 2), Szám(*ö.alulbecslés * 100, 1));
}

QString TúlvezérlésSzöveg(const Összetevő& ö) {
    if (!ö.túlvezérelt)
        return {};
    return QStringLiteral(" (túlvezérelt: a csúcs legalább a műszer %1 mm/s-os méréshatára)")
        .arg(Szám(*ö.túlvezérelt, 1));
}

QString ÍtéletCella(const Összetevő& ö, Módszer módszer) {
    return Határérték::Ítélet(ö.megítélés) + TúlvezérlésSzöveg(ö) + AlulbecslésSzöveg(ö, módszer);
}

QString PvsSzöveg(const Megállapítás& e) {
    if (!e.pvsVan)
        return QStringLiteral("PVS nincs: %1").arg(e.pvsMegjegyzés);
    QString szöveg = QStringLiteral("PVS %1 mm/s").arg(Szám(e.pvs, 3));
    if (!e.pvsMegjegyzés.isEmpty())
        szöveg += QStringLiteral(" (%1)").arg(e.pvsMegjegyzés);
    return szöveg;
}

QList<QStringList> TáblázatSorok(const Megállapítás& e) {
    QList<QStringList> sorok;
    for (const Összetevő& ö : e.összetevők) {
        const Jellemzők& j = ö.jellemzők;
        if (!ö.sebesség()) {
            const bool gyorsulás = ö.mennyiség == Rezgésjel::Mennyiség::Gyorsulás;
            sorok << QStringList{ö.rövidNév() + (gyorsulás ? QStringLiteral(" (gyorsulás)")
                                                           : QStringLiteral(" (légnyomás)")),
                                 QString(),
                                 Szám(e.kiírt(j.idő), 4),
                                 j.zc ? Szám(*j.zc, 2) : QString(),
                                 j.fft ? Szám(*j.fft, 2) : QString(),
                                 gyorsulás && !ö.nyers ? Szám(j.ppv, 3) : QString(),
                                 QString(),
                                 QString(),
                                 QString(),
                                 NemSebesség(ö)};
            continue;
        }
        const bool mm = !ö.egységIsmeretlen; // figures of an unknown unit: not in mm/s
        QStringList sor{ö.rövidNév() + (ö.függőleges ? QStringLiteral(" (függőleges)")
                                                     : QStringLiteral(" (vízszintes)")),
                        mm ? Szám(j.ppv, 3) : QString(),
                        Szám(e.kiírt(j.idő), 4),
                        j.zc ? Szám(*j.zc, 2) : QString(),
                        j.fft ? Szám(*j.fft, 2) : QString(),
                        mm ? Szám(j.gyorsulás, 3) : QString(),
                        mm ? Szám(j.elmozdulás, 4) : QString()};
        if (ö.megítélt) {
            sor << Határérték::SzázadSzöveg(ö.megítélés.határSzázad)
                << Határérték::Százalék(ö.megítélés.kihasználtságTized())
                << ÍtéletCella(ö, e.módszer);
        } else {
            sor << QString() << QString()
                << (ö.nemÍtéltMiért.isEmpty() ? Határérték::NincsMegítélve() : ö.nemÍtéltMiért);
        }
        sorok << sor;
    }
    sorok << QStringList{QStringLiteral("PVS"),
                         e.pvsVan ? Szám(e.pvs, 3) : QString(),
                         e.pvsVan ? Szám(e.kiírt(e.pvsIdő), 4) : QString(),
                         {},
                         {},
                         {},
                         {},
                         {},
                         {},
                         e.pvsMegjegyzés};
    return sorok;
}

QString NemÍtéltMiért(const Megállapítás& e) {
    for (const Összetevő& ö : e.összetevők)
        if (!ö.nemÍtéltMiért.isEmpty())
            return ö.nemÍtéltMiért;
    const bool sebesség = std::any_of(e.összetevők.begin(), e.összetevők.end(),
                                      [](const Összetevő& ö) { return ö.sebesség(); });
    if (!sebesség && !e.összetevők.empty())
        return QStringLiteral("nincs sebességcsatorna (a gyorsulás és a légnyomás nem kerül "
                              "megítélésre)");
    const bool csakFüggőleges =
        std::all_of(e.összetevők.begin(), e.összetevők.end(),
                    [](const Összetevő& ö) { return !ö.sebesség() || ö.függőleges; });
    if (e.döntő < 0 && sebesség && csakFüggőleges) // at the top floor slab, the vertical alone
        return QStringLiteral("a legfelső födémen a függőleges komponens nem kerül megítélésre");
    return {};
}

QString ÍtéletMondat(const Megállapítás& e) {
    if (e.döntő < 0) {
        const QString miért = NemÍtéltMiért(e);
        return QStringLiteral("Nincs megítélt összetevő") +
               (miért.isEmpty() ? QString() : QStringLiteral(": ") + miért);
    }
    const Összetevő& d = e.összetevők[std::size_t(e.döntő)];
    return QStringLiteral("%1: a legnagyobb kihasználtság %2 % (%3)")
        .arg(Határérték::NagyÍtéletSzó(e.megfelel),
             Határérték::Százalék(d.megítélés.kihasználtságTized()), d.rövidNév());
}

} // namespace Elemzés
