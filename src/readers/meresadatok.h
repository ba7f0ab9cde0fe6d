#pragma once

#include "hiba.h"

#include "engine/hatarertek.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>
#include <variant>

// The measurement's particulars that an event report carries: where, for whom, by whom,
// with what, and the blast's distance and charge.
struct Mérésadatok {
    QString helyszín, megrendelő, végezte, műszer, kalibrálás, érzékelő, megjegyzés;
    std::optional<double> távolság; // m, from the blast
    std::optional<double> töltet;   // kg per delay
    // The sensor's place: EOV (Y, X in metres) or WGS 84 (degrees), where given.
    std::optional<double> eovY, eovX, szélesség, hosszúság;
    // How far the instrument's clock is ahead of true time (s; behind: negative), for pairing
    // its records with the blasts.
    std::optional<double> óraEltérés;
    // What judges this station's records instead of the command line's (a section's keys).
    std::optional<int> kategória;
    std::optional<Határérték::Hely> hely;
    // The sections: a station's (NET.STA.LOC) own keys, over the ones outside any section.
    QMap<QString, Mérésadatok> állomásonként;

    // The particulars of one station: the keys outside the sections, its section's over them.
    Mérésadatok állomásra(const QString& állomás) const;
    // Where a file holds several stations, the distance and the sensor's place must be each
    // one's own: the stations given them only outside the sections, or none where all have.
    QStringList KözösTávolság(const QStringList& állomások) const;

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
    // comment; "[NET.STA.LOC]" (or an instrument's serial) starts a station's section, whose keys
    // (and "kategória" / "category", "hely" / "place": alap or födém) apply to that station alone.
    // An unknown key, a number that is not one or an unknown category is a fault naming the line.
    static std::variant<Mérésadatok, Hiba> Olvas(const QByteArray& szöveg, const QString& név);
    static std::variant<Mérésadatok, Hiba> FájlOlvas(const QString& fájl);
};
