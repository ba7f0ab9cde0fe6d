// libFuzzer target: any bytes as a record file (miniSEED, TIMESERIES, CSV), read with and
// without a sensitivity, then analysed and judged. A fault must be a message, never a crash,
// and a record that reads must give finite figures.
#include "analysis/elemzes.h"
#include "records/rezgesjel.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cmath>
#include <cstdlib>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString path =
        QDir::temp().filePath(QStringLiteral("velorix-fuzz-%1.dat").arg(::getpid()));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    for (const bool counts : {false, true}) {
        Rezgésjel::Beállítás settings;
        if (counts)
            settings.érzékenység = 100;
        else
            settings.mintavétel = 250;
        Rezgésjel::Eredmény read = Rezgésjel::Olvas(path, settings);
        if (read.hiba.isEmpty() == read.felvételek.empty())
            std::abort(); // records or a fault, never both or neither
        for (Rezgésjel::Felvétel& record : read.felvételek) {
            if (record.hossz() > 200'000)
                continue; // bounded work per input
            const Elemzés::Eredmény e =
                Elemzés::Elemez(record, 1, Elemzés::Hely::Alap, Elemzés::Módszer::FFT);
            for (const Elemzés::Összetevő& c : e.összetevők)
                if (!std::isfinite(c.jellemzők.ppv) || !std::isfinite(c.jellemzők.idő))
                    std::abort();
        }
    }
    return 0;
}
