#include "exportfejlec.h"

#include <QRegularExpression>

#include <cmath>

namespace Rezgésjel::Export {

QString Fejléc::érték(const QString& kulcs) const {
    for (const auto& [k, v] : sorok)
        if (k.compare(kulcs, Qt::CaseInsensitive) == 0)
            return v;
    return {};
}

std::optional<Szám> SzámÉrték(const QString& érték) {
    static const QRegularExpression minta(
        QStringLiteral("^\\s*(-?[0-9]+)(?:\\.([0-9]+))?\\s*(.*)$"));
    const QRegularExpressionMatch m = minta.match(érték);
    if (!m.hasMatch())
        return std::nullopt;
    const QString tizedes = m.captured(2);
    bool jó = false; // QString's own parsing: no C locale involved
    const double x =
        (m.captured(1) + (tizedes.isEmpty() ? QString() : u'.' + tizedes)).toDouble(&jó);
    if (!jó || !std::isfinite(x))
        return std::nullopt;
    return Szám{x, 0.5 * std::pow(10.0, -double(tizedes.size())), m.captured(3).trimmed()};
}

std::optional<Időtartam> IdőtartamÉrték(const QString& érték) {
    const std::optional<Szám> x = SzámÉrték(érték);
    if (!x)
        return std::nullopt;
    const double másodperc = x->érték * (x->egység == u"ms" ? 1e-3 : 1);
    return Időtartam{másodperc, !(std::fabs(másodperc) <= 3600)};
}

QTimeZone Zóna(const Beállítás& b, QString& név) {
    const QByteArray zóna = b.időzóna.isEmpty() ? QByteArrayLiteral("Europe/Budapest") : b.időzóna;
    név = QString::fromLatin1(zóna);
    return QTimeZone(zóna);
}

void Kalibrálás(Műszeradatok& műszer, QDate kalibrálva, QDate esemény, const QString& kitől) {
    műszer.adatok.kalibrálás = kalibrálva.toString(Qt::ISODate) +
                               (kitől.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(kitől));
    if (esemény.isValid() && kalibrálva.addYears(1) < esemény)
        műszer.megjegyzések << QStringLiteral("a műszer kalibrálása a mérés idején egy évnél "
                                              "régebbi (%1)")
                                   .arg(kalibrálva.toString(Qt::ISODate));
}

} // namespace Rezgésjel::Export
