#pragma once

#include "adatpontok.h"
#include "catalogue/katalogus.h"
#include "catalogue/statisztika.h"
#include "illesztes.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <variant>
#include <vector>

// A campaign as its report tells it: the site, the filter, the points and their buildings,
// every measurement, the statistics, the site's law and the largest charge per delay at each
// point.
namespace Kampány {

// The largest charge at one point: at its distance to the planned blast where given, else at
// the nearest distance measured there; against its building's foundation limit at the
// frequency given, else the category's lowest.
struct PontTöltet {
    QString pont;
    int kategória = 0;
    std::optional<double> távolság;
    bool mért = false; // the distance is the nearest measured, not one given
    double határ = 0;  // mm/s
    std::variant<Terjedés::Töltet, QString> töltet = QString();
};

struct Kérés {
    Katalógus::Szűrő szűrő;
    QString szűrőSzöveg; // the filter in words, as the first page prints it
    int gyök = 2;
    Terjedés::Mérték mérték = Terjedés::Mérték::LegnagyobbÖsszetevő;
    QStringList kizár;
    QMap<QString, double> távolságok;             // a point's distance to the planned blast
    std::optional<std::pair<double, double>> eov; // the planned blast's EOV Y, X
    std::optional<double> frekvencia;             // Hz
};

struct Adatok {
    Katalógus::Helyszín helyszín;
    QString katalógus; // its name
    QString szűrő;
    std::vector<Katalógus::Pont> pontok; // those with a measurement that passes the filter
    std::vector<Katalógus::ListaSor> sorok;
    std::vector<Katalógus::Statisztikasor> statisztika;
    Terjedés::Gyűjtés gyűjtés;
    Terjedés::Illesztés illesztés;
    Terjedés::Mérték mérték = Terjedés::Mérték::LegnagyobbÖsszetevő;
    std::optional<double> frekvencia;
    std::vector<PontTöltet> töltetek;
};

std::variant<Adatok, Katalógus::Hiba> Összeállít(Katalógus::Katalógusfájl& katalógus,
                                                 const Kérés& kérés);

// The distance of a point to a planned blast: given for it, or from both EOV coordinates.
std::optional<double> Távolság(const Katalógus::Pont& pont, const QMap<QString, double>& adott,
                               const std::optional<std::pair<double, double>>& eov);

} // namespace Kampány
