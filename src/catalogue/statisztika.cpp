#include "statisztika.h"

#include <QDateTime>
#include <QSet>
#include <QTimeZone>

#include <algorithm>
#include <map>

namespace Katalógus {

namespace {

struct Gyűjtő {
    Statisztikasor sor;
    QSet<QString> robbantások;
    std::vector<double> ppv;
    std::vector<qint64> kihasználtság;

    void vesz(const ListaSor& s) {
        const Mérés& m = s.mérés;
        ++sor.mérések;
        if (!s.robbantás.isEmpty())
            robbantások.insert(s.robbantás);
        if (m.ítélet == Ítélet::NincsMegítélve || !m.kihasználtságTized) {
            ++sor.nincsMegítélve;
            return;
        }
        const qint64 k = *m.kihasználtságTized;
        sor.túllépések += m.ítélet == Ítélet::Túllépi;
        if (!sor.legnagyobbTized || k > *sor.legnagyobbTized) {
            sor.legnagyobbTized = k;
            sor.hol = QStringLiteral("%1: %2").arg(m.pont, s.fájl) +
                      (m.esemény > 0 ? QStringLiteral(", %1. esemény").arg(m.esemény) : QString());
        }
        if (m.ppv)
            ppv.push_back(*m.ppv);
        kihasználtság.push_back(k);
        sor.fölött50 += k > 500;
        sor.fölött80 += k > 800;
        sor.fölött100 += k > 1000;
    }
    Statisztikasor kész() {
        std::sort(ppv.begin(), ppv.end());
        std::sort(kihasználtság.begin(), kihasználtság.end());
        sor.robbantások = int(robbantások.size());
        sor.ppv50 = Percentilis(ppv, 50);
        sor.ppv95 = Percentilis(ppv, 95);
        sor.kihasználtság50 = Percentilis(kihasználtság, 50);
        sor.kihasználtság95 = Percentilis(kihasználtság, 95);
        return sor;
    }
};

} // namespace

std::vector<Statisztikasor> Statisztika(const std::vector<ListaSor>& mérések) {
    static const QTimeZone magyar(QByteArrayLiteral("Europe/Budapest"));
    // (point, month) with "" for the whole and the site; std::map keeps them in order, the
    // whole after the months ("~" sorts after digits)
    std::map<std::pair<QString, QString>, Gyűjtő> gyűjtők;
    auto gyűjtő = [&](const QString& pont, const QString& hónap) -> Gyűjtő& {
        Gyűjtő& g = gyűjtők[{pont.isEmpty() ? QStringLiteral("~") : pont,
                             hónap.isEmpty() ? QStringLiteral("~") : hónap}];
        g.sor.pont = pont;
        g.sor.hónap = hónap;
        return g;
    };
    for (const ListaSor& s : mérések) {
        const std::optional<qint64> idő =
            s.mérés.indításMikro ? s.mérés.indításMikro : s.mérés.kezdetMikro;
        const QString hónap = idő ? QDateTime::fromMSecsSinceEpoch(*idő / 1000, magyar)
                                        .toString(QStringLiteral("yyyy-MM"))
                                  : QStringLiteral("ismeretlen");
        gyűjtő(s.mérés.pont, hónap).vesz(s);
        gyűjtő(s.mérés.pont, {}).vesz(s);
        gyűjtő({}, hónap).vesz(s);
        gyűjtő({}, {}).vesz(s);
    }
    std::vector<Statisztikasor> ki;
    for (auto& [kulcs, g] : gyűjtők)
        ki.push_back(g.kész());
    return ki;
}

} // namespace Katalógus
