#include "text.h"

#include "errors.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace rt {

namespace {

// The magnitude of a single to seven significant digits, with a point; exponent
// form (1E+07, 1.5E-05) outside 1E-04 up to 9999999.
QString magnitudeText(float value) {
    const double magnitude = std::fabs(static_cast<double>(value));
    if (magnitude == 0.0)
        return QStringLiteral("0");
    if (std::isnan(magnitude))
        return QStringLiteral("NaN");
    if (std::isinf(magnitude))
        return QStringLiteral("Inf");

    // std::to_chars, unlike printf, never follows the process's C locale: the digits
    // always come with a point, whatever LC_NUMERIC says.
    char buffer[64];
    const auto scientific =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 6);
    const std::string_view digits(buffer, std::size_t(scientific.ptr - buffer));
    const std::size_t e = digits.find('e');
    int exponent = 0;
    const char* exponentText = digits.data() + e + 1;
    if (*exponentText == '+')
        ++exponentText; // from_chars takes a minus sign only
    std::from_chars(exponentText, scientific.ptr, exponent);

    auto trimZeros = [](QString text) {
        if (text.contains(u'.')) {
            while (text.endsWith(u'0'))
                text.chop(1);
            if (text.endsWith(u'.'))
                text.chop(1);
        }
        return text;
    };

    if (exponent >= 7 || exponent < -4) {
        const QString mantissa = trimZeros(QString::fromLatin1(digits.data(), qsizetype(e)));
        const QString sign = exponent < 0 ? QStringLiteral("-") : QStringLiteral("+");
        return mantissa + u'E' + sign +
               QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
    }
    const auto fixed = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                     std::chars_format::fixed, 6 - exponent);
    return trimZeros(QString::fromLatin1(buffer, qsizetype(fixed.ptr - buffer)));
}

} // namespace

QString Str(float value) {
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + magnitudeText(value);
}

QString Trim(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

QString Left(const QString& text, int length) {
    if (length < 0)
        throw RuntimeError(ErrorKind::InvalidPropertyValue, QStringLiteral("Left"));
    return text.left(length);
}

QString Right(const QString& text, int length) {
    if (length < 0)
        throw RuntimeError(ErrorKind::InvalidPropertyValue, QStringLiteral("Right"));
    return text.right(length);
}

QString IntegerText(int value) {
    return QString::number(value);
}

QString NumberText(float value, const QLocale& format) {
    QString text = magnitudeText(value);
    text.replace(u'.', format.decimalPoint());
    return value < 0 ? QStringLiteral("-") + text : text;
}

namespace {

double parseNumber(const QString& text, const QLocale& format) {
    QLocale strict = format;
    strict.setNumberOptions(QLocale::RejectGroupSeparator);
    const QString trimmed = text.trimmed();
    bool ok = false;
    const double value = strict.toDouble(trimmed, &ok);
    if (!ok || std::isnan(value))
        throw RuntimeError(ErrorKind::TypeMismatch, QStringLiteral("\"%1\"").arg(text));
    return value;
}

} // namespace

std::int16_t ToInteger(const QString& text, const QLocale& format) {
    const double value = std::nearbyint(parseNumber(text, format)); // halves go to even
    if (!(value >= INT16_MIN && value <= INT16_MAX))
        throw RuntimeError(ErrorKind::Overflow, QStringLiteral("\"%1\"").arg(text));
    return static_cast<std::int16_t>(value);
}

float ToSingle(const QString& text, const QLocale& format) {
    const double value = parseNumber(text, format);
    if (!(std::fabs(value) <= static_cast<double>(FLT_MAX)))
        throw RuntimeError(ErrorKind::Overflow, QStringLiteral("\"%1\"").arg(text));
    return static_cast<float>(value);
}

} // namespace rt

QString rt::NameKey(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString key;
    key.reserve(decomposed.size());
    bool blank = false;
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing || c.category() == QChar::Mark_Enclosing ||
            c.category() == QChar::Mark_SpacingCombining)
            continue;
        if (c.isSpace()) {
            blank = !key.isEmpty();
            continue;
        }
        if (blank)
            key += u' ';
        blank = false;
        key += c.toCaseFolded();
    }
    return key;
}
