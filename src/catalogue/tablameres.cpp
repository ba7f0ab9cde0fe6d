#include "tablameres.h"

#include "analysis/elemzes.h"
#include "engine/hatarertek.h"
#include "engine/szovegek.h"

namespace Katalógus {

Mérés TáblaMérés(const Összesítő::Sor& sor, int sorszám, const QString& pont, int kategória,
                 int hely) {
    Mérés m;
    m.pont = pont;
    m.sorszám = sorszám;
    m.kezdetMikro = sor.időMikro;
    m.kategória = kategória;
    m.hely = hely;
    m.módszer = int(Elemzés::Módszer::ZC);
    m.pvs = sor.pvs;
    m.légnyomás = sor.légnyomás;
    m.távolság = sor.távolság;
    m.töltet = sor.töltet;
    if (sor.távolság && sor.töltet && *sor.töltet > 0)
        m.arányosTávolság = *sor.távolság / std::sqrt(*sor.töltet);
    double legnagyobb = -1;
    bool túl = false;
    QStringList miért;
    for (const Összesítő::Összetevő& ö : sor.összetevők) {
        Komponens k;
        k.csatorna = ö.név;
        k.mennyiség = int(Rezgésjel::Mennyiség::Sebesség);
        k.ppv = ö.ppv;
        k.zc = ö.frekvencia;
        std::optional<Határérték::Megítélés> í;
        if (*ö.ppv > Elemzés::LegnagyobbHihetőSebesség)
            k.ítélet = QStringLiteral("valószínűtlen érték %1 mm/s: ellenőrizze a mértékegységet")
                           .arg(Határérték::Szám(*ö.ppv, 3));
        else if (ö.név == u"PPV" && Határérték::Hely(hely) == Határérték::Hely::Födém)
            k.ítélet = QStringLiteral("a legfelső födémen csak a vízszintes összetevők ítélhetők, "
                                      "a PPV iránya nincs megadva");
        else if (!(í = Határérték::ÖsszetevőMegítél(kategória, Határérték::Hely(hely), ö.frekvencia,
                                                    *ö.ppv, ö.függőleges)))
            k.ítélet = QStringLiteral("a legfelső födémen nem ítélt (függőleges)");
        if (í) {
            k.határSzázad = í->határSzázad;
            k.kihasználtságTized = í->kihasználtságTized();
            k.ítélet = Határérték::Ítélet(*í);
            túl = túl || !í->megfelel;
            if (í->kihasználtság > legnagyobb) {
                legnagyobb = í->kihasználtság;
                m.döntő = ö.név;
                m.ppv = ö.ppv;
                m.frekvencia = ö.frekvencia;
                m.határSzázad = k.határSzázad;
                m.kihasználtságTized = k.kihasználtságTized;
            }
        } else {
            miért << QStringLiteral("%1: %2").arg(ö.név, k.ítélet);
        }
        m.komponensek.push_back(std::move(k));
    }
    if (legnagyobb >= 0)
        m.ítélet = túl ? Ítélet::Túllépi : Ítélet::Megfelel;
    else
        m.miért = miért.join(QStringLiteral("; "));
    return m;
}

} // namespace Katalógus
