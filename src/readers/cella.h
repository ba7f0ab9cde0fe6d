#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// What the text readers share about one cell of a CSV, TSV or TIMESERIES text: blanks,
// quoting it in a message, a column name with its unit, and its number.
namespace Cella {

// The next line of `szöveg` from `hely` (moved past it), without its end (LF, CRLF or CR);
// false at the end.
bool Sor(QByteArrayView szöveg, qsizetype& hely, QByteArrayView& eredmény);

// Without the blanks (spaces and TABs) around it.
QByteArrayView Levág(QByteArrayView cella);
bool Üres(QByteArrayView cella);
// The cell quoted exactly as written, for a message: "1 234,5".
QString Idéz(QByteArrayView cella);

// A column name and the unit in brackets or parentheses after it: "Z [m/s]" -> "Z", "m/s";
// "PPV (mm/s)" -> "PPV", "mm/s". No unit: an empty one.
struct NévÉsEgység {
    QString név;
    QString egység;
};
NévÉsEgység OszlopNév(QByteArrayView mező);

// A number with a decimal point or a decimal comma, an exponent allowed, no group
// separators; its decimal mark, if it has one.
struct Szám {
    double érték = 0;
    char tizedesjel = 0;
};
// The cell as a finite number, or the reason it is not one (the cell quoted as written).
std::optional<Szám> SzámOlvas(QByteArrayView cella, QString* miért);

// A figure someone typed (an option's, a field's), spaces around it, a decimal comma or
// point: its value where it is above zero (at least zero with `Előjel::NemNegatív`), none
// otherwise.
enum class Előjel { Pozitív, NemNegatív };
std::optional<double> Beírt(const QString& szöveg, Előjel előjel = Előjel::Pozitív);

} // namespace Cella
