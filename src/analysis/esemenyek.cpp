#include "esemenyek.h"

#include <algorithm>
#include <cmath>

namespace Elemzés {

namespace {

qint64 kezdet(const Rezgésjel::Csatorna& cs, const Rezgésjel::Felvétel& f) {
    return cs.kezdetMikro.value_or(f.kezdetMikro.value_or(0));
}

// The time of sample i, µs.
qint64 mintaIdő(const Rezgésjel::Csatorna& cs, qint64 eleje, std::size_t i) {
    return eleje + std::llround(double(i) * 1e6 / cs.mintavétel);
}

} // namespace

Szakasz Teljes(const Rezgésjel::Felvétel& f) {
    Szakasz sz{f.kezdetMikro.value_or(0), f.kezdetMikro.value_or(0)};
    bool első = true;
    for (const Rezgésjel::Csatorna& cs : f.csatornák) { // from the header: samples or not
        const std::size_t n = std::max(cs.mintaszám, cs.minták.size());
        if (n == 0 || !(cs.mintavétel > 0))
            continue;
        const qint64 eleje = kezdet(cs, f);
        const qint64 vége = mintaIdő(cs, eleje, n - 1);
        sz.kezdetMikro = első ? eleje : std::min(sz.kezdetMikro, eleje);
        sz.végMikro = első ? vége : std::max(sz.végMikro, vége);
        első = false;
    }
    return sz;
}

std::vector<Szakasz> Eseményablakok(const Rezgésjel::Felvétel& f, double küszöb) {
    // per component, its trigger samples merged into runs; then the runs of all components
    std::vector<Szakasz> futások;
    for (const Rezgésjel::Csatorna& cs : f.csatornák) {
        if (cs.mennyiség != Rezgésjel::Mennyiség::Sebesség || cs.minták.empty() ||
            !(cs.mintavétel > 0))
            continue;
        const double a = Átlag(cs.minták.data(), cs.minták.size());
        const qint64 eleje = kezdet(cs, f);
        const double* v = cs.minták.data();
        const std::size_t n = cs.minták.size();
        bool van = false;
        Szakasz futás;
        for (std::size_t i = 0; i < n; ++i) {
            if (!(std::fabs(v[i] - a) >= küszöb))
                continue;
            const qint64 t = mintaIdő(cs, eleje, i);
            if (van && t - futás.végMikro < ÖsszevonásMikro) {
                futás.végMikro = t;
            } else {
                if (van)
                    futások.push_back(futás);
                futás = {t, t};
                van = true;
            }
        }
        if (van)
            futások.push_back(futás);
    }
    std::sort(futások.begin(), futások.end(),
              [](const Szakasz& x, const Szakasz& y) { return x.kezdetMikro < y.kezdetMikro; });
    std::vector<Szakasz> események;
    for (const Szakasz& sz : futások) {
        if (!események.empty() && sz.kezdetMikro - események.back().végMikro < ÖsszevonásMikro)
            események.back().végMikro = std::max(események.back().végMikro, sz.végMikro);
        else
            események.push_back(sz);
    }
    const Szakasz teljes = Teljes(f);
    for (Szakasz& sz : események) {
        sz.kezdetMikro = std::max(teljes.kezdetMikro, sz.kezdetMikro - ElőtteMikro);
        sz.végMikro = std::min(teljes.végMikro, sz.végMikro + UtánaMikro);
    }
    return események;
}

Rezgésjel::Felvétel Kivág(const Rezgésjel::Felvétel& f, const Szakasz& sz) {
    Rezgésjel::Felvétel ki;
    ki.fájl = f.fájl;
    ki.állomás = f.állomás;
    ki.kihagyott = f.kihagyott;
    ki.műszer = f.műszer;
    if (f.műszer && f.műszer->indítás) { // the instrument's trigger, from the window's start
        auto műszer = std::make_shared<Rezgésjel::Műszeradatok>(*f.műszer);
        *műszer->indítás -= double(sz.kezdetMikro - Teljes(f).kezdetMikro) / 1e6;
        ki.műszer = std::move(műszer);
    }
    // a record with a clock: the window's clock time; one without: times from the window's
    // start, and still no clock
    const qint64 alap = f.kezdetMikro ? 0 : sz.kezdetMikro;
    if (f.kezdetMikro)
        ki.kezdetMikro = sz.kezdetMikro;
    for (const Rezgésjel::Csatorna& cs : f.csatornák) {
        Rezgésjel::Csatorna c = cs.fejléc();
        c.kezdetMikro.reset();
        c.mintaszám = 0;
        if (cs.mintavétel > 0 && !cs.minták.empty()) {
            const qint64 eleje = kezdet(cs, f);
            // the first sample at or after the span's start, the last at or before its end
            const double r = cs.mintavétel / 1e6;
            auto i =
                std::size_t(std::max(0.0, std::ceil(double(sz.kezdetMikro - eleje) * r - 1e-9)));
            while (i > 0 && mintaIdő(cs, eleje, i - 1) >= sz.kezdetMikro)
                --i;
            while (i < cs.minták.size() && mintaIdő(cs, eleje, i) < sz.kezdetMikro)
                ++i;
            std::size_t j = i;
            const double utolsó = std::floor(double(sz.végMikro - eleje) * r + 1e-9);
            if (utolsó >= double(i))
                j = std::min(cs.minták.size(), std::size_t(utolsó) + 1);
            while (j > i && mintaIdő(cs, eleje, j - 1) > sz.végMikro)
                --j;
            while (j < cs.minták.size() && mintaIdő(cs, eleje, j) <= sz.végMikro)
                ++j;
            if (j > i) {
                c.minták.assign(cs.minták.begin() + std::ptrdiff_t(i),
                                cs.minták.begin() + std::ptrdiff_t(j));
                c.kezdetMikro = mintaIdő(cs, eleje, i) - alap;
            }
        }
        c.mintaszám = c.minták.size();
        if (ki.csatornák.empty()) {
            ki.mintavétel = c.mintavétel;
            ki.mintaszám = c.mintaszám;
        }
        ki.csatornák.push_back(std::move(c));
    }
    return ki;
}

Esemény SzakaszElemez(const Rezgésjel::Felvétel& f, const Szakasz& sz, int kategória, Hely hely,
                      Módszer módszer) {
    Esemény e;
    e.ablak = sz;
    e.felvétel = Kivág(f, sz);
    e.megállapítás = Elemez(e.felvétel, kategória, hely, módszer);
    return e;
}

std::vector<Esemény> Események(const Rezgésjel::Felvétel& f, double küszöb, int kategória,
                               Hely hely, Módszer módszer, bool mintákkal) {
    std::vector<Esemény> ki;
    for (const Szakasz& sz : Eseményablakok(f, küszöb)) {
        Esemény e = SzakaszElemez(f, sz, kategória, hely, módszer);
        e.sorszám = int(ki.size()) + 1;
        if (!mintákkal)
            e.felvétel.mintákElenged();
        ki.push_back(std::move(e));
    }
    return ki;
}

int Legrosszabb(const std::vector<Esemény>& események) {
    int legrosszabb = -1;
    double legnagyobb = -1;
    for (std::size_t i = 0; i < események.size(); ++i) {
        const std::optional<double> k = LegnagyobbKihasználtság(események[i].megállapítás);
        if (k && *k > legnagyobb) {
            legnagyobb = *k;
            legrosszabb = int(i);
        }
    }
    return legrosszabb;
}

} // namespace Elemzés
