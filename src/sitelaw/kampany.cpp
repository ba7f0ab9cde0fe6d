#include "kampany.h"

#include "engine/hatarertek.h"

#include <cmath>
#include <set>

namespace Kampány {

std::optional<double> Távolság(const Katalógus::Pont& pont, const QMap<QString, double>& adott,
                               const std::optional<std::pair<double, double>>& eov) {
    if (adott.contains(pont.kód))
        return adott.value(pont.kód);
    if (eov && pont.eovY && pont.eovX)
        return std::hypot(*pont.eovY - eov->first, *pont.eovX - eov->second);
    return std::nullopt;
}

std::variant<Adatok, Katalógus::Hiba> Összeállít(Katalógus::Katalógusfájl& katalógus,
                                                 const Kérés& k) {
    Adatok a;
    a.katalógus = katalógus.cím().név();
    a.szűrő = k.szűrőSzöveg;
    a.frekvencia = k.frekvencia;
    a.mérték = k.mérték;
    auto h = katalógus.helyszín();
    if (auto* hiba = std::get_if<Katalógus::Hiba>(&h))
        return *hiba;
    a.helyszín = std::get<Katalógus::Helyszín>(h);
    auto lista = katalógus.lista(k.szűrő);
    if (auto* hiba = std::get_if<Katalógus::Hiba>(&lista))
        return *hiba;
    a.sorok = std::move(std::get<0>(lista));
    auto gyűjtés = Terjedés::ListaSorokból(katalógus, a.sorok, k.mérték, k.kizár);
    if (auto* hiba = std::get_if<Katalógus::Hiba>(&gyűjtés))
        return *hiba;
    a.gyűjtés = std::move(std::get<Terjedés::Gyűjtés>(gyűjtés));
    a.illesztés = Terjedés::Illeszt(a.gyűjtés.pontok, k.gyök);
    a.statisztika = Katalógus::Statisztika(a.sorok);

    auto pontok = katalógus.pontok();
    if (auto* hiba = std::get_if<Katalógus::Hiba>(&pontok))
        return *hiba;
    std::set<QString> mért;
    std::map<QString, double> legközelebb;
    for (const Katalógus::ListaSor& s : a.sorok) {
        mért.insert(s.mérés.pont);
        if (s.mérés.távolság && *s.mérés.távolság > 0) {
            auto [i, új] = legközelebb.emplace(s.mérés.pont, *s.mérés.távolság);
            if (!új)
                i->second = std::min(i->second, *s.mérés.távolság);
        }
    }
    for (Katalógus::Pont& p : std::get<0>(pontok)) {
        if (!mért.count(p.kód))
            continue;
        PontTöltet t;
        t.pont = p.kód;
        t.kategória = p.kategória;
        t.távolság = Távolság(p, k.távolságok, k.eov);
        if (!t.távolság && legközelebb.count(p.kód)) {
            t.távolság = legközelebb[p.kód];
            t.mért = true;
        }
        t.határ = (k.frekvencia ? Határérték::AlaponSzázad(p.kategória, *k.frekvencia)
                                : Határérték::LegkisebbAlaponSzázad(p.kategória)) /
                  100.0;
        if (t.távolság)
            t.töltet = Terjedés::MaxTöltet(a.illesztés, *t.távolság, t.határ);
        else
            t.töltet = QStringLiteral("nincs távolsága");
        a.töltetek.push_back(std::move(t));
        a.pontok.push_back(std::move(p));
    }
    return a;
}

} // namespace Kampány
