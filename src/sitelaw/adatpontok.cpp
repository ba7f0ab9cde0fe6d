#include "adatpontok.h"

#include "readers/osszesito.h"

#include <algorithm>
#include <set>

namespace Terjedés {

namespace {

bool pozitív(const std::optional<double>& v) {
    return v && *v > 0 && std::isfinite(*v);
}

// One candidate into the gathering: counted where it stays out.
void felvesz(Gyűjtés& g, std::set<QString>& kizárandó, Pont p, bool megítélt,
             const std::optional<double>& távolság, const std::optional<double>& töltet,
             const std::optional<double>& ppv) {
    if (kizárandó.erase(p.azonosító)) {
        g.kizárva << p.azonosító;
        return;
    }
    if (!megítélt) {
        ++g.megítéletlen;
        return;
    }
    if (!pozitív(távolság) || !pozitív(töltet)) {
        ++g.adatNélkül;
        return;
    }
    if (!pozitív(ppv)) {
        ++g.ppvNélkül;
        return;
    }
    p.távolság = *távolság;
    p.töltet = *töltet;
    p.ppv = *ppv;
    g.pontok.push_back(std::move(p));
}

std::set<QString> kizárandók(const QStringList& kizár) {
    std::set<QString> k;
    for (const QString& s : kizár)
        if (!s.trimmed().isEmpty())
            k.insert(s.trimmed());
    return k;
}

} // namespace

Gyűjtés Sorokból(const std::vector<Katalógus::ListaSor>& sorok,
                 const std::unordered_map<qint64, double>& legnagyobb, Mérték mérték,
                 const QStringList& kizár) {
    Gyűjtés g;
    std::set<QString> k = kizárandók(kizár);
    for (const Katalógus::ListaSor& s : sorok) {
        const Katalógus::Mérés& m = s.mérés;
        g.kategóriák.emplace(m.pont, m.kategória);
        std::optional<double> ppv = m.pvs;
        if (mérték == Mérték::LegnagyobbÖsszetevő) {
            const auto i = legnagyobb.find(s.id);
            ppv = i == legnagyobb.end() ? std::nullopt : std::optional<double>(i->second);
        }
        felvesz(g, k, {QString::number(s.id), m.pont, 0, 0, 0},
                m.ítélet != Katalógus::Ítélet::NincsMegítélve, m.távolság, m.töltet, ppv);
    }
    g.nincsIlyen = QStringList(k.begin(), k.end());
    return g;
}

std::variant<Gyűjtés, Katalógus::Hiba> Katalógusból(Katalógus::Katalógusfájl& katalógus,
                                                    const Katalógus::Szűrő& szűrő, Mérték mérték,
                                                    const QStringList& kizár) {
    auto lista = katalógus.lista(szűrő);
    if (auto* h = std::get_if<Katalógus::Hiba>(&lista))
        return *h;
    return ListaSorokból(katalógus, std::get<0>(lista), mérték, kizár);
}

std::variant<Gyűjtés, Katalógus::Hiba> ListaSorokból(Katalógus::Katalógusfájl& katalógus,
                                                     const std::vector<Katalógus::ListaSor>& sorok,
                                                     Mérték mérték, const QStringList& kizár) {
    std::unordered_map<qint64, double> legnagyobb;
    if (mérték == Mérték::LegnagyobbÖsszetevő) {
        auto l = katalógus.legnagyobbSebességek();
        if (auto* h = std::get_if<Katalógus::Hiba>(&l))
            return *h;
        legnagyobb = std::move(std::get<0>(l));
    }
    Gyűjtés g = Sorokból(sorok, legnagyobb, mérték, kizár);
    for (auto& [kód, kategória] : g.kategóriák) {
        auto p = katalógus.pont(kód);
        if (auto* h = std::get_if<Katalógus::Hiba>(&p))
            return *h;
        if (const auto& pont = std::get<0>(p)) {
            g.helyek.emplace(kód, *pont);
            kategória = pont->kategória;
        }
    }
    return g;
}

std::variant<Gyűjtés, Hiba> Táblából(const QByteArray& bájtok, const QString& név,
                                     std::optional<double> egység, const QString& pont,
                                     Mérték mérték, const QStringList& kizár) {
    auto sorok = Összesítő::Olvas(bájtok, név, egység);
    if (auto* h = std::get_if<Hiba>(&sorok))
        return *h;
    Gyűjtés g;
    std::set<QString> k = kizárandók(kizár);
    for (const Összesítő::Sor& s : std::get<0>(sorok)) {
        std::optional<double> ppv = s.pvs;
        if (mérték == Mérték::LegnagyobbÖsszetevő) {
            ppv.reset();
            for (const Összesítő::Összetevő& ö : s.összetevők)
                if (ö.ppv && (!ppv || *ö.ppv > *ppv))
                    ppv = ö.ppv;
        }
        const QString p = s.pont.isEmpty() ? pont : s.pont;
        // every velocity of a table has its unit stated: a row is judged by its figures alone
        felvesz(g, k, {QString::number(s.sor), p, 0, 0, 0}, true, s.távolság, s.töltet, ppv);
    }
    g.nincsIlyen = QStringList(k.begin(), k.end());
    return g;
}

} // namespace Terjedés
