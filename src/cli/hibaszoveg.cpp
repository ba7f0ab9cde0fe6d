#include "hibaszoveg.h"

namespace Parancssori {

QString Orvoslás(Hiba::Fajta fajta) {
    using F = Hiba::Fajta;
    switch (fajta) {
    case F::ÉrzékenységKell:
        return QStringLiteral(": a mm/s-ra váltáshoz adja meg az érzékenységet (--erzekenyseg, "
                              "count per mm/s, vagy --allomas StationXML)");
    case F::EgységKell:
        return QStringLiteral(": adja meg az --egyseg vagy az --allomas kapcsolóval");
    case F::EgységEllentmond:
        return QStringLiteral(", ez ellentmond a megadott --egyseg értéknek");
    case F::MintavételKell:
        return QStringLiteral(": adja meg a mintavételi frekvenciát (--mintavetel)");
    case F::MintavételEllentmond:
        return QStringLiteral(", ez ellentmond a --mintavetel értékének");
    default:
        return {};
    }
}

QString FelvételHiba(const Hiba& h) {
    return h.fájl + QStringLiteral(": ") + Leírás(h, Orvoslás);
}

QString NaplóHiba(const Hiba& h) {
    QString hely = h.fájl;
    if (h.sor > 0)
        hely += QStringLiteral(", %1. sor").arg(h.sor);
    if (h.oszlop > 0)
        hely += QStringLiteral(", %1. oszlop (%2)").arg(h.oszlop).arg(h.oszlopNév);
    Hiba részlet = h;
    részlet.sor = 0;
    return hely + QStringLiteral(": ") + Leírás(részlet, Orvoslás);
}

} // namespace Parancssori
