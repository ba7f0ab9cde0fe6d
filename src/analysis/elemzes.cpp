#include "elemzes.h"

#include "engine/szovegek.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <numbers>

namespace Elemzés {

namespace {

std::size_t kettőHatványa(std::size_t n) {
    std::size_t m = 1;
    while (m < n)
        m <<= 1;
    return std::max<std::size_t>(m, 2);
}

struct FftTörlő {
    void operator()(kiss_fftr_state* cfg) const { kiss_fftr_free(cfg); }
};

} // namespace

std::optional<double> Nullátmenet(const double* minták, std::size_t n, double átlag, std::size_t p,
                                  double mintavétel) {
    auto v = [&](std::size_t j) { return minták[j] - átlag; };
    auto pozitív = [](double x) { return x > 0; };
    auto hely = [&](std::size_t j) { return double(j) + v(j) / (v(j) - v(j + 1)); };
    std::optional<double> előtte, utána;
    for (std::size_t j = p; j-- > 0;) { // crossings between j and j+1 with j+1 <= p
        if (pozitív(v(j)) != pozitív(v(j + 1))) {
            előtte = hely(j);
            break;
        }
    }
    for (std::size_t j = p; j + 1 < n; ++j) {
        if (pozitív(v(j)) != pozitív(v(j + 1))) {
            utána = hely(j);
            break;
        }
    }
    if (!előtte || !utána || !(*utána > *előtte))
        return std::nullopt;
    const double félPeriódus = (*utána - *előtte) / mintavétel;
    return 1.0 / (2.0 * félPeriódus);
}

std::vector<float> Spektrum(const std::vector<double>& középre, std::size_t* mOut) {
    const std::size_t m = kettőHatványa(középre.size());
    if (mOut)
        *mOut = m;
    std::unique_ptr<kiss_fftr_state, FftTörlő> cfg(kiss_fftr_alloc(int(m), 0, nullptr, nullptr));
    std::vector<kiss_fft_scalar> be(m, 0.0f);
    std::transform(középre.begin(), középre.end(), be.begin(),
                   [](double x) { return kiss_fft_scalar(x); });
    std::vector<kiss_fft_cpx> ki(m / 2 + 1);
    kiss_fftr(cfg.get(), be.data(), ki.data());
    std::vector<kiss_fft_scalar>().swap(be); // freed before the amplitudes are made
    std::vector<float> amplitúdó(m / 2 + 1);
    for (std::size_t k = 0; k < ki.size(); ++k)
        amplitúdó[k] = std::hypot(ki[k].r, ki[k].i);
    return amplitúdó;
}

double Átlag(const double* minták, std::size_t n) {
    long double összeg = 0;
    for (std::size_t i = 0; i < n; ++i)
        összeg += minták[i];
    return n == 0 ? 0 : double(összeg / (long double)n);
}

namespace {

double átlag(const std::vector<double>& minták) {
    return Átlag(minták.data(), minták.size());
}

// The peak displacement (mm): the trapezoidal integral of the velocity less its least-squares
// straight line, so that a small offset left in the velocity does not grow into a drift over
// a long record. Two passes over the velocity; the integral itself is never stored.
double csúcsElmozdulás(const std::vector<double>& v, double mintavétel) {
    const std::size_t n = v.size();
    if (n < 2)
        return 0;
    // d_0 = 0, d_i = d_(i-1) + (v_(i-1) + v_i) / 2 / rate; the line a + b i through (i, d_i)
    long double összegD = 0, összegID = 0, d = 0;
    for (std::size_t i = 1; i < n; ++i) {
        d += (v[i - 1] + v[i]) / 2 / mintavétel;
        összegD += d;
        összegID += d * (long double)i;
    }
    const long double m = (long double)n;
    const long double összegI = m * (m - 1) / 2, összegII = (m - 1) * m * (2 * m - 1) / 6;
    const long double b = (m * összegID - összegI * összegD) / (m * összegII - összegI * összegI);
    const long double a = (összegD - b * összegI) / m;
    double csúcs = std::fabs(double(a));
    d = 0;
    for (std::size_t i = 1; i < n; ++i) {
        d += (v[i - 1] + v[i]) / 2 / mintavétel;
        csúcs = std::max(csúcs, std::fabs(double(d - a - b * (long double)i)));
    }
    return csúcs;
}

} // namespace

std::vector<double> Középre(const std::vector<double>& minták) {
    const double a = átlag(minták);
    std::vector<double> v(minták.size());
    std::transform(minták.begin(), minták.end(), v.begin(), [a](double x) { return x - a; });
    return v;
}

Jellemzők Számol(const std::vector<double>& minták, double mintavétel,
                 Rezgésjel::Mennyiség mennyiség) {
    Jellemzők j;
    const std::size_t n = minták.size();
    if (n == 0)
        return j;
    const std::vector<double> v = Középre(minták);
    j.átlag = n > 0 ? minták[0] - v[0] : 0;

    for (std::size_t i = 0; i < n; ++i) {
        if (std::fabs(v[i]) > j.ppv) {
            j.ppv = std::fabs(v[i]);
            j.csúcsMinta = i;
        }
    }
    j.idő = double(j.csúcsMinta) / mintavétel;
    if (mennyiség == Rezgésjel::Mennyiség::Sebesség) {
        const auto első = std::find_if(v.begin(), v.end(),
                                       [](double x) { return std::fabs(x) >= IndításiKüszöb; });
        if (első != v.end())
            j.indítás = double(első - v.begin()) / mintavétel;
    }
    if (j.ppv > 0)
        j.zc = Nullátmenet(v.data(), n, 0, j.csúcsMinta, mintavétel);

    if (mennyiség == Rezgésjel::Mennyiség::Sebesség) {
        for (std::size_t i = 1; i + 1 < n; ++i) // mm/s^2 -> m/s^2
            j.gyorsulás =
                std::max(j.gyorsulás, std::fabs(v[i + 1] - v[i - 1]) * mintavétel / 2 / 1000);
        j.elmozdulás = csúcsElmozdulás(v, mintavétel);
    }

    if (j.ppv > 0) {
        std::size_t m = 0;
        const std::vector<float> a = Spektrum(v, &m);
        std::size_t k = 1;
        for (std::size_t i = 2; i <= m / 2; ++i)
            if (a[i] > a[k])
                k = i;
        double d = 0;
        if (k + 1 <= m / 2) {
            const double bal = a[k - 1], közép = a[k], jobb = a[k + 1];
            const double nevező = bal - 2 * közép + jobb;
            if (nevező != 0)
                d = 0.5 * (bal - jobb) / nevező;
        }
        if (a[k] > 0)
            j.fft = (double(k) + d) * mintavétel / double(m);
    }
    return j;
}

std::optional<double> Összetevő::frekvencia(Módszer módszer) const {
    return módszer == Módszer::ZC ? jellemzők.zc : jellemzők.fft;
}

std::optional<double> LegnagyobbKihasználtság(const Megállapítás& e) {
    if (e.döntő < 0)
        return std::nullopt;
    return e.összetevők[std::size_t(e.döntő)].megítélés.kihasználtság;
}

std::optional<QString> NemÍtélhetőMiért(double mintavétel, double ppv, bool egységIsmeretlen) {
    if (egységIsmeretlen)
        return QStringLiteral(
            "ismeretlen mértékegység: adja meg az --egyseg vagy az --allomas kapcsolóval");
    if (mintavétel < LegkisebbMintavétel)
        return QStringLiteral(
                   "a mintavétel %1/s: a %2 Hz-ig terjedő megítéléshez legalább %3/s kell")
            .arg(Határérték::BeállításSzám(mintavétel))
            .arg(Határérték::LegnagyobbFrekvencia)
            .arg(LegkisebbMintavétel);
    if (ppv > LegnagyobbHihetőSebesség)
        return QStringLiteral("valószínűtlen érték %1 mm/s: ellenőrizze a mértékegységet vagy az "
                              "érzékenységet")
            .arg(Határérték::Szám(ppv, 3));
    return std::nullopt;
}

double LegnagyobbAlulbecslés(double frekvencia, double mintavétel) {
    const double fél = std::min(frekvencia / mintavétel, 0.5); // at most half a period apart
    return 1 - std::cos(std::numbers::pi * fél);
}

void Minősít(Megállapítás& e, int kategória, Hely hely, Módszer módszer) {
    e.döntő = -1;
    e.megfelel = true;
    e.módszer = módszer;
    double legnagyobb = -1;
    for (std::size_t i = 0; i < e.összetevők.size(); ++i) {
        Összetevő& ö = e.összetevők[i];
        ö.nemÍtéltMiért.clear();
        ö.alulbecslés.reset();
        if (ö.sebesség())
            ö.nemÍtéltMiért = NemÍtélhetőMiért(ö.mintavétel, ö.jellemzők.ppv, ö.egységIsmeretlen)
                                  .value_or(QString());
        if (ö.sebesség() && ö.nyers) // a peak in counts is no velocity: never judged
            ö.nemÍtéltMiért = QStringLiteral("a minták egész számok (count): adja meg a műszer "
                                             "érzékenységét (--erzekenyseg vagy --allomas)");
        // at the top floor slab the vertical is not judged: which one it is must be known
        if (ö.sebesség() && ö.nemÍtéltMiért.isEmpty() && ö.irányIsmeretlen && hely == Hely::Födém)
            ö.nemÍtéltMiért = QStringLiteral(
                "nem tudni, melyik csatorna a függőleges: adja meg a --fuggoleges kapcsolóval");
        const std::optional<Határérték::Megítélés> m =
            ö.sebesség() && ö.nemÍtéltMiért.isEmpty()
                ? Határérték::ÖsszetevőMegítél(kategória, hely, ö.frekvencia(módszer),
                                               ö.jellemzők.ppv, ö.függőleges)
                : std::nullopt;
        ö.megítélt = m.has_value();
        ö.megítélés = m.value_or(Határérték::Megítélés{});
        if (m && ö.túlvezérelt) // the true peak is beyond the range: it cannot be said to comply
            ö.megítélés.megfelel = false;
        if (!m)
            continue;
        if (ö.mintavétel < MegjegyzésNélküliMintavétel)
            if (const std::optional<double> f = ö.frekvencia(módszer))
                ö.alulbecslés = LegnagyobbAlulbecslés(*f, ö.mintavétel);
        e.megfelel = e.megfelel && ö.megítélés.megfelel;
        if (m->kihasználtság > legnagyobb) {
            legnagyobb = m->kihasználtság;
            e.döntő = int(i);
        }
    }
}

namespace {

// The peak vector sum of the velocity components over the span they share.
void csúcsVektor(const Rezgésjel::Felvétel& f, Megállapítás& e) {
    std::vector<const Rezgésjel::Csatorna*> cs;
    bool ismeretlen = false;
    for (const Rezgésjel::Csatorna& c : f.csatornák) {
        if (c.mennyiség != Rezgésjel::Mennyiség::Sebesség)
            continue;
        ismeretlen = ismeretlen || c.egységIsmeretlen;
        cs.push_back(&c);
    }
    if (ismeretlen) { // a sum of figures in an unknown unit says nothing
        e.pvsVan = false;
        e.pvsMegjegyzés = QStringLiteral("a sebességkomponensek mértékegysége ismeretlen");
        return;
    }
    if (cs.empty()) {
        e.pvsVan = false;
        e.pvsMegjegyzés = QStringLiteral("nincs sebességkomponens");
        return;
    }
    const double ráta = cs.front()->mintavétel;
    for (const Rezgésjel::Csatorna* c : cs) {
        if (c->mintavétel != ráta) {
            e.pvsVan = false;
            e.pvsMegjegyzés = QStringLiteral("a komponensek mintavétele eltér");
            return;
        }
    }
    const qint64 rekordKezdet = f.kezdetMikro.value_or(0);
    qint64 közösKezdet = rekordKezdet;
    for (const Rezgésjel::Csatorna* c : cs)
        közösKezdet = std::max(közösKezdet, c->kezdetMikro.value_or(0));
    std::vector<std::size_t> eltolás;
    std::vector<double> átlagok;
    std::size_t hossz = SIZE_MAX;
    bool egyenlő = true;
    for (const Rezgésjel::Csatorna* c : cs) {
        const double késés = double(közösKezdet - c->kezdetMikro.value_or(0)) * ráta / 1e6;
        const auto k = std::size_t(std::llround(késés));
        eltolás.push_back(k);
        átlagok.push_back(átlag(c->minták));
        hossz = std::min(hossz, c->minták.size() > k ? c->minták.size() - k : 0);
        egyenlő = egyenlő && k == 0 && c->minták.size() == cs.front()->minták.size();
    }
    if (hossz == 0) {
        e.pvsVan = false;
        e.pvsMegjegyzés = QStringLiteral("a komponensek ideje nem fedi egymást");
        return;
    }
    const double eleje = double(közösKezdet - rekordKezdet) / 1e6;
    for (std::size_t i = 0; i < hossz; ++i) {
        double négyzet = 0;
        for (std::size_t c = 0; c < cs.size(); ++c) {
            const double x = cs[c]->minták[eltolás[c] + i] - átlagok[c];
            négyzet += x * x;
        }
        double vektor = std::sqrt(négyzet);
        if (!std::isfinite(vektor)) { // squares beyond the doubles: summed without overflow
            vektor = 0;
            for (std::size_t c = 0; c < cs.size(); ++c)
                vektor = std::hypot(vektor, cs[c]->minták[eltolás[c] + i] - átlagok[c]);
        }
        if (vektor > e.pvs) {
            e.pvs = vektor;
            e.pvsIdő = eleje + double(i) / ráta;
        }
    }
    if (!egyenlő) {
        e.pvsSzakasz = double(hossz) / ráta;
        e.pvsMegjegyzés =
            QStringLiteral("a komponensek közös szakaszán: %1–%2 s")
                .arg(Határérték::Szám(eleje, 3), Határérték::Szám(eleje + e.pvsSzakasz, 3));
    }
}

} // namespace

QStringList FejlécEltérések(const Rezgésjel::Felvétel& f, const Megállapítás& e) {
    QStringList ki;
    if (!f.műszer)
        return ki;
    for (const Rezgésjel::Állított& á : f.műszer->állított) {
        double számolt = 0, tűrés = á.kerekítés + 1e-9;
        QString egység = QStringLiteral("mm/s");
        if (á.mi == Rezgésjel::Állított::Mi::Pvs) {
            if (!e.pvsVan)
                continue;
            számolt = e.pvs;
            double eltolás = 0;
            for (const Összetevő& ö : e.összetevők)
                if (ö.sebesség())
                    eltolás += ö.jellemzők.átlag * ö.jellemzők.átlag;
            tűrés += std::sqrt(eltolás);
        } else {
            if (á.csatorna < 0 || std::size_t(á.csatorna) >= e.összetevők.size())
                continue;
            const Összetevő& ö = e.összetevők[std::size_t(á.csatorna)];
            if (á.mi == Rezgésjel::Állított::Mi::Ppv) {
                számolt = ö.jellemzők.ppv;
                tűrés += std::fabs(ö.jellemzők.átlag);
            } else {
                if (!ö.jellemzők.zc)
                    continue;
                számolt = *ö.jellemzők.zc;
                tűrés += 0.1 * á.érték;
                egység = QStringLiteral("Hz");
            }
        }
        if (std::fabs(számolt - á.érték) > tűrés)
            ki << QStringLiteral("a fájl fejléce szerint \"%1\", a mintákból %2 %3")
                      .arg(á.szöveg, Határérték::Szám(számolt, 3), egység);
    }
    return ki;
}

QStringList MűszerMegjegyzések(const Rezgésjel::Felvétel& f, const Megállapítás& e) {
    if (!f.műszer)
        return {};
    QStringList ki = f.műszer->megjegyzések;
    for (const QString& eltérés : FejlécEltérések(f, e))
        ki << QStringLiteral("figyelmeztetés: ") + eltérés;
    return ki;
}

Megállapítás Elemez(const Rezgésjel::Felvétel& felvétel, int kategória, Hely hely,
                    Módszer módszer) {
    Megállapítás e;
    const qint64 kezdet = felvétel.kezdetMikro.value_or(0);
    for (const Rezgésjel::Csatorna& cs : felvétel.csatornák) {
        Összetevő ö;
        ö.kód = cs.kód;
        ö.mennyiség = cs.mennyiség;
        ö.nyers = cs.nyers;
        ö.egységIsmeretlen = cs.egységIsmeretlen;
        ö.irányIsmeretlen = cs.irányIsmeretlen;
        if (felvétel.műszer && felvétel.műszer->méréshatár &&
            cs.mennyiség == Rezgésjel::Mennyiség::Sebesség) {
            // a sample at the range (to its last written digit) was clipped there
            const double határ = *felvétel.műszer->méréshatár;
            double csúcs = 0;
            for (const double x : cs.minták)
                csúcs = std::max(csúcs, std::fabs(x));
            if (csúcs >= határ * (1 - 1e-3))
                ö.túlvezérelt = határ;
        }
        ö.mintavétel = cs.mintavétel;
        ö.függőleges = cs.függőleges;
        ö.jellemzők = Számol(cs.minták, cs.mintavétel, cs.mennyiség);
        const double eltolás = double(cs.kezdetMikro.value_or(kezdet) - kezdet) / 1e6;
        ö.jellemzők.idő += eltolás;
        if (ö.jellemzők.indítás) {
            *ö.jellemzők.indítás += eltolás;
            e.indítás = std::min(e.indítás.value_or(*ö.jellemzők.indítás), *ö.jellemzők.indítás);
        }
        e.összetevők.push_back(std::move(ö));
    }
    if (felvétel.műszer && felvétel.műszer->indítás)
        e.időNulla = *felvétel.műszer->indítás;
    csúcsVektor(felvétel, e);
    Minősít(e, kategória, hely, módszer);
    return e;
}

} // namespace Elemzés
