#include "hibaszoveg.h"

namespace Ablak {

QString Orvoslás(Hiba::Fajta fajta) {
    using F = Hiba::Fajta;
    switch (fajta) {
    case F::ÉrzékenységKell:
        return QStringLiteral(": a mm/s-ra váltáshoz a műszer érzékenysége kell (count per mm/s, "
                              "vagy egy StationXML fájl)");
    case F::EgységKell:
        return QStringLiteral(": adja meg, milyen mértékegységben vannak (m/s, mm/s, in/s, vagy "
                              "count a műszer érzékenységével)");
    case F::EgységEllentmond:
        return QStringLiteral(", ez ellentmond a megadott mértékegységnek");
    case F::MintavételKell:
        return QStringLiteral(": a mintavételi frekvencia nem állapítható meg (az első oszlop "
                              "legyen az idő másodpercben)");
    case F::MintavételEllentmond:
        return QStringLiteral(", ez ellentmond a megadott mintavételi frekvenciának");
    default:
        return {};
    }
}

QString HibaSzöveg(const Hiba& hiba) {
    return Leírás(hiba, Orvoslás);
}

} // namespace Ablak
