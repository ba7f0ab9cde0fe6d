#pragma once

#include "felvetel.h"

#include <QByteArray>

#include <map>
#include <variant>

// FDSN StationXML: each channel's overall sensitivity (InstrumentSensitivity: the value
// and the input unit), epoch by epoch, as data centres and instrument makers serve it.
namespace Rezgésjel {

class StationXml : public Állomásadatok {
public:
    struct Korszak {
        std::optional<qint64> kezdetMikro, végMikro; // the epoch, µs since 1970 UTC
        Érzékenység érzékenység;
    };

    std::optional<Érzékenység> keres(const Csatornakód& kód,
                                     std::optional<qint64> időMikro) const override;
    // The channels it holds a usable sensitivity for (NET.STA.LOC.CHA).
    std::size_t csatornaszám() const { return csatornák_.size(); }

    // The file's channels, or the fault (the line where the XML breaks).
    static std::variant<std::shared_ptr<StationXml>, Hiba> Olvas(const QByteArray& bájtok,
                                                                 const QString& név);
    static std::variant<std::shared_ptr<StationXml>, Hiba> FájlOlvas(const QString& fájl);

private:
    std::map<QString, std::vector<Korszak>> csatornák_;
};

} // namespace Rezgésjel
