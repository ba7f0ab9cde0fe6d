#pragma once

#include "felvetel.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QTimeZone>

#include <optional>
#include <utility>

// What the blast monitors' exports share about their headers: the key-value lines, a value
// with its number and unit, the instrument's clock zone, the calibration's age.
namespace Rezgésjel::Export {

// The header's lines, looked up by key (any case).
struct Fejléc {
    QList<std::pair<QString, QString>> sorok;
    QString érték(const QString& kulcs) const;
};

// A header value as a number, half a unit of its last written digit, and the unit after it:
// "254.0 mm/s" is 254.0, 0.05, "mm/s"; "-0.500 sec" is -0.5, 0.0005, "sec".
struct Szám {
    double érték = 0, kerekítés = 0;
    QString egység;
};
std::optional<Szám> SzámÉrték(const QString& érték);

// A header's length of time (a pre-trigger, a record time) in seconds: "-0.250 sec",
// "40 ms", "1.0 sec"; nothing where the value is no number. `képtelen` is set where it is no
// length an export holds (beyond an hour either way): a clock or a sample count built on it
// would be false.
struct Időtartam {
    double másodperc = 0;
    bool képtelen = false;
};
std::optional<Időtartam> IdőtartamÉrték(const QString& érték);

// The instrument clock's zone: `beállítás.időzóna`, or Europe/Budapest; its name in `név`.
QTimeZone Zóna(const Beállítás& beállítás, QString& név);

// The calibration date as the report gives it, and a remark where it was more than a year
// before the event.
void Kalibrálás(Műszeradatok& műszer, QDate kalibrálva, QDate esemény, const QString& kitől = {});

} // namespace Rezgésjel::Export
