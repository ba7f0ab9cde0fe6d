// libFuzzer target: any bytes as a blast log (--robbantasok). A fault names its line and says
// what; every blast read has an identifier, once, and finite figures of their sign.
#include "readers/robbantasnaplo.h"

#include <QByteArray>
#include <QSet>

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto read = Robbantásnapló::Olvas(bytes, QStringLiteral("fuzz.csv"));
    if (const Hiba* h = std::get_if<Hiba>(&read)) {
        if (h->részlet.isEmpty())
            std::abort(); // a fault says what
        return 0;
    }
    QSet<QString> ids;
    for (const Robbantásnapló::Robbantás& r :
         std::get<std::vector<Robbantásnapló::Robbantás>>(read)) {
        if (r.azonosító.isEmpty() || ids.contains(r.azonosító) || r.sor < 1)
            std::abort();
        ids.insert(r.azonosító);
        for (const std::optional<double>& v : {r.töltet, r.összesTöltet, r.eovY, r.eovX})
            if (v && !(std::isfinite(*v) && *v >= 0))
                std::abort();
        for (const std::optional<double>& v : {r.szélesség, r.hosszúság})
            if (v && !std::isfinite(*v))
                std::abort();
        if (r.késleltetések && *r.késleltetések < 1)
            std::abort();
    }
    return 0;
}
