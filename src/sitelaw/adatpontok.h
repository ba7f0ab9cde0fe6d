#pragma once

#include "catalogue/katalogus.h"
#include "illesztes.h"
#include "readers/hiba.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <variant>
#include <vector>

// The measurements a site's law is fitted to, from the catalogue or from a summary table.
// Only a judged velocity in mm/s with a distance and a charge per delay enters; what stays
// out is counted, never dropped unsaid.
namespace Terjedés {

enum class Mérték { LegnagyobbÖsszetevő, Pvs }; // the fitted PPV of a measurement

struct Gyűjtés {
    std::vector<Pont> pontok;
    int megítéletlen = 0;                      // not judged (unit unknown, rate too low…)
    int adatNélkül = 0;                        // without distance or charge per delay
    int ppvNélkül = 0;                         // judged, but without the PPV asked for
    QStringList kizárva;                       // what --kizar took out
    QStringList nincsIlyen;                    // what --kizar named that is not there
    std::map<QString, int> kategóriák;         // each point's building category, where known
    std::map<QString, Katalógus::Pont> helyek; // each point as the catalogue holds it

    int kimaradt() const { return megítéletlen + adatNélkül + ppvNélkül; }
};

// The rows' measurements, each with its largest velocity component's PPV by its key
// (Katalógusfájl::legnagyobbSebességek), as the catalogue gives them; the points' categories
// from the rows.
Gyűjtés Sorokból(const std::vector<Katalógus::ListaSor>& sorok,
                 const std::unordered_map<qint64, double>& legnagyobb, Mérték mérték,
                 const QStringList& kizár);

// A catalogue's measurements that pass the filter, their key the name --kizar takes.
std::variant<Gyűjtés, Katalógus::Hiba> Katalógusból(Katalógus::Katalógusfájl& katalógus,
                                                    const Katalógus::Szűrő& szűrő, Mérték mérték,
                                                    const QStringList& kizár);
// The same for rows the catalogue listed: the points' categories and places as it holds them.
std::variant<Gyűjtés, Katalógus::Hiba> ListaSorokból(Katalógus::Katalógusfájl& katalógus,
                                                     const std::vector<Katalógus::ListaSor>& sorok,
                                                     Mérték mérték, const QStringList& kizár);

// A summary table's rows (a row's line the name --kizar takes); `pont` names the point of a
// table that has none.
std::variant<Gyűjtés, Hiba> Táblából(const QByteArray& bájtok, const QString& név,
                                     std::optional<double> egység, const QString& pont,
                                     Mérték mérték, const QStringList& kizár);

} // namespace Terjedés
