// libFuzzer target: any bytes as an FDSN StationXML file. A fault must be a message, never
// a crash; what reads gives finite, positive sensitivities for the channels it names.
#include "readers/stationxml.h"

#include <QByteArray>

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    auto read = Rezgésjel::StationXml::Olvas(bytes, QStringLiteral("fuzz.xml"));
    if (auto* xml = std::get_if<std::shared_ptr<Rezgésjel::StationXml>>(&read)) {
        if (!*xml || (*xml)->csatornaszám() == 0)
            std::abort(); // read means at least one channel
        for (const char* channel : {"HHZ", "HHN", "HHE", "BHZ", "HNZ", "HDF"}) {
            const Rezgésjel::Csatornakód code{QStringLiteral("HU"), QStringLiteral("BUD1"),
                                              QStringLiteral("00"), QString::fromLatin1(channel),
                                              true};
            for (const std::optional<qint64> time :
                 {std::optional<qint64>(), std::optional<qint64>(0)}) {
                const auto s = (*xml)->keres(code, time);
                if (s && !(s->countPerEgység > 0 && std::isfinite(s->countPerEgység)))
                    std::abort();
            }
        }
    } else if (std::get<Hiba>(read).részlet.isEmpty()) {
        std::abort(); // a fault says what
    }
    return 0;
}
