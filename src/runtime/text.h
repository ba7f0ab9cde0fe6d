#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

namespace rt {

// Str: a leading blank for zero or more, a minus sign otherwise; at most seven
// significant digits of the single itself; always a point as decimal separator.
QString Str(float value);

QString Trim(const QString& text);
QString Left(const QString& text, int length);
QString Right(const QString& text, int length);

// An integer as decimal digits, a minus sign before a negative value, no blank.
QString IntegerText(int value);

// A single as text in the given number format: at most seven significant digits,
// the format's decimal separator, no group separators, no blank, no decimal part
// for a whole number.
QString NumberText(float value, const QLocale& format = QLocale());

// Text back to a number in the given number format. Text that is not a number
// raises a type mismatch, a value outside the target's range an overflow.
std::int16_t ToInteger(const QString& text, const QLocale& format = QLocale());
float ToSingle(const QString& text, const QLocale& format = QLocale());

// A name as people type it, reduced for matching: compatibility decomposition with the
// accents dropped (precomposed or decomposed, "Műemlék" and "Mu\u030bemle\u0301k" alike), case
// folded, blanks trimmed and runs of them made one. "Frekvencia" and "frekvencia" match.
QString NameKey(const QString& text);

} // namespace rt
