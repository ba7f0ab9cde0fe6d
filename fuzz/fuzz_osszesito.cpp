// libFuzzer target: any bytes as a summary table (--felvesz of a table). A fault names what;
// every row read has its line, a PPV, and finite figures of their sign; recognising the
// bytes as a table and reading them agree.
#include "readers/osszesito.h"

#include <QByteArray>

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto read = Összesítő::Olvas(bytes, QStringLiteral("fuzz.csv"), 1.0);
    if (const Hiba* h = std::get_if<Hiba>(&read)) {
        if (h->részlet.isEmpty())
            std::abort(); // a fault says what
        return 0;
    }
    if (!Összesítő::Felismer(bytes))
        std::abort(); // read as a table, so recognised as one
    const auto pozitív = [](const std::optional<double>& v) {
        return !v || (std::isfinite(*v) && *v >= 0);
    };
    for (const Összesítő::Sor& s : std::get<std::vector<Összesítő::Sor>>(read)) {
        if (s.sor < 1 || s.összetevők.empty())
            std::abort();
        for (const Összesítő::Összetevő& ö : s.összetevők)
            if (!ö.ppv || !pozitív(ö.ppv) || !pozitív(ö.frekvencia) || ö.név.isEmpty())
                std::abort();
        if (!pozitív(s.távolság) || !pozitív(s.töltet) || !pozitív(s.pvs) || !pozitív(s.légnyomás))
            std::abort();
    }
    return 0;
}
