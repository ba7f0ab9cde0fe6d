#pragma once

#include "hiba.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <variant>

// The measurement's particulars that an event report carries: where, for whom, by whom,
// with what, and the blast's distance and charge.
struct Mérésadatok {
    QString helyszín, megrendelő, végezte, műszer, kalibrálás, érzékelő, megjegyzés;
    std::optional<double> távolság; // m, from the blast
    std::optional<double> töltet;   // kg per delay

    // The scaled distance D/√W (m/kg^½), where both are given.
    std::optional<double> arányosTávolság() const;
    // The given particulars as (caption, text) pairs, in the report's order.
    QList<std::pair<QString, QString>> sorok() const;
    bool üres() const { return sorok().isEmpty(); }
    // These particulars with `fölé`'s given ones over them (the distance and charge too).
    Mérésadatok felülírva(const Mérésadatok& fölé) const;

    // The text form: UTF-8, one "kulcs = érték" a line with the Hungarian keys (helyszín,
    // megrendelő, mérést végezte, műszer, kalibrálás dátuma, érzékelő helye, távolság a
    // robbantástól, töltet késleltetésenként, megjegyzés) or the English ones (site, client,
    // operator, instrument, calibrated, sensor, distance, charge, notes); "#" starts a
    // comment. An unknown key or a number that is not one is a fault naming the line.
    static std::variant<Mérésadatok, Hiba> Olvas(const QByteArray& szöveg, const QString& név);
    static std::variant<Mérésadatok, Hiba> FájlOlvas(const QString& fájl);
};
