#pragma once

#include "catalogue/katalogus.h"
#include "sitelaw/adatpontok.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>
#include <utility>

// --terjedes: the site's attenuation law from the catalogue (with its filters) or from a
// summary table; beside it the PPV expected at a distance and charge (--elorejelzes), or the
// largest charge per delay that keeps a building within its limit (--max-toltet).
namespace TerjedésParancs {

enum class Mit { Illesztés, Előrejelzés, MaxTöltet };

struct Kérés {
    QString katalógus; // or
    QString tábla;
    Katalógus::Szűrő szűrő;
    std::optional<double> egység; // mm/s per unit of a table's unstated velocity unit
    QString pont;                 // a table's point, where it names none
    int gyök = 2;
    Terjedés::Mérték mérték = Terjedés::Mérték::LegnagyobbÖsszetevő;
    QStringList kizár;
    bool pontonként = false;
    Mit mit = Mit::Illesztés;
    std::optional<double> távolság, töltet;       // m, kg per delay
    QMap<QString, double> pontTávolságok;         // a point's distance to the planned blast
    std::optional<std::pair<double, double>> eov; // the planned blast's EOV Y, X
    std::optional<int> kategória;
    std::optional<double> frekvencia; // Hz
};

// The header rows, exactly.
extern const char* const IllesztésFejléc;
extern const char* const ElőrejelzésFejléc;
extern const char* const TöltetFejléc;

// Prints the fit (and the prediction or charges) to `ki`, what stayed out and the possible
// outliers to `hibák`. Exit status: 2 for a fault, and where a fit is unreliable or a
// prediction asked cannot be given (the fit is still printed); else 0.
int Végrehajt(const Kérés& kérés, std::FILE* ki, std::FILE* hibák);

QString Súgó();

} // namespace TerjedésParancs
