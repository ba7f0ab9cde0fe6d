#include "stationxml.h"

#include "szovegforras.h"

#include <QXmlStreamReader>

namespace Rezgésjel {

namespace {

std::optional<qint64> idő(QStringView szöveg) {
    if (szöveg.isEmpty())
        return std::nullopt;
    QDateTime t = QDateTime::fromString(szöveg.toString(), Qt::ISODateWithMs);
    if (!t.isValid())
        return std::nullopt;
    if (t.timeSpec() == Qt::LocalTime)
        t.setTimeSpec(Qt::UTC); // written without a zone: UTC, as StationXML means it
    return t.toMSecsSinceEpoch() * 1000;
}

} // namespace

std::optional<Érzékenység> StationXml::keres(const Csatornakód& kód,
                                             std::optional<qint64> időMikro) const {
    const auto it = csatornák_.find(kód.név());
    if (it == csatornák_.end() || it->second.empty())
        return std::nullopt;
    if (időMikro) {
        for (const Korszak& k : it->second)
            if ((!k.kezdetMikro || *k.kezdetMikro <= *időMikro) &&
                (!k.végMikro || *időMikro < *k.végMikro))
                return k.érzékenység;
        return std::nullopt; // no epoch covers the record
    }
    return it->second.back().érzékenység;
}

std::variant<std::shared_ptr<StationXml>, Hiba> StationXml::Olvas(const QByteArray& bájtok,
                                                                  const QString& név) {
    auto adatok = std::make_shared<StationXml>();
    QXmlStreamReader xml(bájtok);
    QString hálózat, állomás, hely, csatorna;
    Korszak korszak;
    double érték = 0; // the sensitivity of the channel being read; 0: none yet
    QString egység;
    QStringList út; // the elements open
    bool fdsn = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType t = xml.readNext();
        if (t == QXmlStreamReader::StartElement) {
            const QStringView n = xml.name();
            const QXmlStreamAttributes a = xml.attributes();
            fdsn = fdsn || n == u"FDSNStationXML";
            if (n == u"Network") {
                hálózat = a.value(QLatin1String("code")).toString();
            } else if (n == u"Station") {
                állomás = a.value(QLatin1String("code")).toString();
            } else if (n == u"Channel") {
                hely = a.value(QLatin1String("locationCode")).toString().trimmed();
                if (hely == u"--")
                    hely.clear();
                csatorna = a.value(QLatin1String("code")).toString();
                korszak = {};
                korszak.kezdetMikro = idő(a.value(QLatin1String("startDate")));
                korszak.végMikro = idő(a.value(QLatin1String("endDate")));
                érték = 0;
                egység.clear();
            }
            út << n.toString();
        } else if (t == QXmlStreamReader::EndElement) {
            if (!út.isEmpty())
                út.removeLast();
            if (xml.name() == u"Channel" && érték > 0) {
                if (const std::optional<Egység> e = EgységKeres(egység)) {
                    korszak.érzékenység = {érték / e->szorzó, e->mennyiség};
                    adatok->csatornák_[Csatornakód{hálózat, állomás, hely, csatorna, true}.név()]
                        .push_back(korszak);
                }
            }
        } else if (t == QXmlStreamReader::Characters && út.size() >= 2 &&
                   út.contains(QStringLiteral("InstrumentSensitivity"))) {
            const QString szöveg = xml.text().toString().trimmed();
            if (út.last() == u"Value" && út[út.size() - 2] == u"InstrumentSensitivity") {
                bool jó = false;
                const double v = szöveg.toDouble(&jó); // C locale: XML numbers
                if (jó)
                    érték = v;
            } else if (út.last() == u"Name" && út[út.size() - 2] == u"InputUnits") {
                egység = szöveg;
            }
        }
    }
    Hiba h;
    h.fájl = név;
    if (xml.hasError()) {
        h.sor = xml.lineNumber();
        h.részlet = QStringLiteral("hibás StationXML: %1").arg(xml.errorString());
        return h;
    }
    if (!fdsn) {
        h.fajta = Hiba::Fajta::IsmeretlenFormátum;
        h.részlet = QStringLiteral("nem FDSN StationXML");
        return h;
    }
    if (adatok->csatornák_.empty()) {
        h.részlet = QStringLiteral("a StationXML-ben nincs csatorna érzékenységgel (m/s, m/s² "
                                   "vagy Pa bemenettel)");
        return h;
    }
    return adatok;
}

std::variant<std::shared_ptr<StationXml>, Hiba> StationXml::FájlOlvas(const QString& fájl) {
    QFile be;
    if (std::optional<Hiba> h = Szöveg::FájlMegnyit(fájl, be, QIODevice::ReadOnly)) {
        h->fájl = fájl;
        return *h;
    }
    return Olvas(be.readAll(), fájl);
}

} // namespace Rezgésjel
