// libFuzzer target: any bytes as a measurement's particulars file (--adatok). A fault names
// its line and says what; what reads gives texts and numbers that a report can print.
#include "readers/meresadatok.h"

#include <QByteArray>

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto read = Mérésadatok::Olvas(bytes, QStringLiteral("fuzz.txt"));
    if (const Hiba* h = std::get_if<Hiba>(&read)) {
        if (h->sor < 1 || h->részlet.isEmpty() || h->sor > bytes.count('\n') + 1)
            std::abort(); // a fault names a line of the input and says what
        return 0;
    }
    const Mérésadatok& a = std::get<Mérésadatok>(read);
    for (const std::optional<double>& v : {a.távolság, a.töltet})
        if (v && !(std::isfinite(*v) && *v >= 0))
            std::abort();
    if (const auto d = a.arányosTávolság(); d && !std::isfinite(*d))
        std::abort();
    for (const auto& [caption, text] : a.sorok())
        if (caption.isEmpty() || text.isEmpty())
            std::abort();
    return 0;
}
