#include "illesztes.h"

#include "engine/szovegek.h"
#include "studentt.h"

#include <algorithm>
#include <cmath>

namespace Terjedés {

namespace {

using Határérték::Jegyek;

constexpr double NormálisKvantilis95 = 1.645; // the common practice's rounded z(0.95)

QString arány(double a) {
    return Jegyek(a, 3);
}

} // namespace

double Illesztés::K95_1645s() const {
    return K * std::pow(10.0, NormálisKvantilis95 * s);
}

double Illesztés::arányos(double távolság, double töltet) const {
    return távolság / std::pow(töltet, 1.0 / gyök);
}

double Illesztés::ppv50(double sd) const {
    return K * std::pow(sd, -béta);
}

double Illesztés::ppv95(double sd) const {
    const double x = std::log10(sd) - xÁtlag;
    return ppv50(sd) * std::pow(10.0, t * s * std::sqrt(1 + 1.0 / n + x * x / Sxx));
}

std::optional<QString> Illesztés::kívül(double sd) const {
    if (sd * LegnagyobbKinyúlás >= sdMin && sd <= sdMax * LegnagyobbKinyúlás)
        return std::nullopt;
    return QStringLiteral("az SD = %1 kívül esik az illesztett tartományon (%2–%3) "
                          "%4-szeresénél többel")
        .arg(Jegyek(sd, 4), Jegyek(sdMin, 4), Jegyek(sdMax, 4),
             Határérték::Szám(LegnagyobbKinyúlás, 1));
}

Görbék Vonalak(const Illesztés& i, int darab) {
    Görbék g;
    if (!i.illeszthető)
        return g;
    const double a = std::log10(i.sdMin / LegnagyobbKinyúlás),
                 b = std::log10(i.sdMax * LegnagyobbKinyúlás);
    for (int k = 0; k <= darab; ++k) {
        const double sd = std::pow(10.0, a + (b - a) * k / darab);
        g.ötven.emplace_back(sd, i.ppv50(sd));
        g.kilencvenöt.emplace_back(sd, i.ppv95(sd));
        g.szokásos.emplace_back(sd, i.K95_1645s() * std::pow(sd, -i.béta));
    }
    return g;
}

Illesztés Illeszt(const std::vector<Pont>& pontok, int gyök) {
    Illesztés i;
    i.gyök = gyök;
    i.n = int(pontok.size());
    std::vector<double> x(pontok.size()), y(pontok.size());
    for (std::size_t k = 0; k < pontok.size(); ++k) {
        x[k] = std::log10(pontok[k].távolság / std::pow(pontok[k].töltet, 1.0 / gyök));
        y[k] = std::log10(pontok[k].ppv);
    }
    if (i.n < 3) {
        i.megbízhatatlan
            << QStringLiteral("%1 mérésre nem illeszthető egyenes (legalább 3 kell)").arg(i.n);
        return i;
    }
    // centred sums: the means first, so that large x and y lose no digits
    double xs = 0, ys = 0;
    for (std::size_t k = 0; k < x.size(); ++k) {
        xs += x[k];
        ys += y[k];
    }
    const double xÁ = xs / i.n, yÁ = ys / i.n;
    double sxx = 0, sxy = 0, syy = 0;
    for (std::size_t k = 0; k < x.size(); ++k) {
        const double dx = x[k] - xÁ, dy = y[k] - yÁ;
        sxx += dx * dx;
        sxy += dx * dy;
        syy += dy * dy;
    }
    const auto [legkisebb, legnagyobb] = std::minmax_element(x.begin(), x.end());
    i.sdMin = std::pow(10.0, *legkisebb);
    i.sdMax = std::pow(10.0, *legnagyobb);
    i.xÁtlag = xÁ;
    i.Sxx = sxx;
    if (!(sxx > 0)) {
        i.megbízhatatlan << QStringLiteral("minden mérés arányos távolsága ugyanaz");
        return i;
    }
    const double b = sxy / sxx, a = yÁ - b * xÁ;
    double sse = 0;
    for (std::size_t k = 0; k < x.size(); ++k) {
        const double r = y[k] - (a + b * x[k]);
        sse += r * r;
    }
    i.illeszthető = true;
    i.béta = -b;
    i.K = std::pow(10.0, a);
    i.R2 = syy > 0 ? 1 - sse / syy : 1;
    i.s = std::sqrt(sse / (i.n - 2));
    i.t = Student::Kvantilis(0.95, i.n - 2);
    if (i.s > 0)
        for (std::size_t k = 0; k < x.size(); ++k) {
            const double r = (y[k] - (a + b * x[k])) / i.s;
            if (std::fabs(r) > KiugróHatár)
                i.kiugrók.push_back({pontok[k], std::pow(10.0, x[k]), r});
        }
    if (i.n < LegkevesebbMérés)
        i.megbízhatatlan
            << QStringLiteral("kevés mérés (n = %1 < %2)").arg(i.n).arg(LegkevesebbMérés);
    if (i.R2 < LegkisebbR2)
        i.megbízhatatlan << QStringLiteral("gyenge illeszkedés (R² = %1 < %2)")
                                .arg(Jegyek(i.R2, 4), Határérték::Szám(LegkisebbR2, 1));
    if (!(i.béta > 0))
        i.megbízhatatlan << QStringLiteral("a PPV nem csökken a távolsággal (béta = %1 ≤ 0)")
                                .arg(Jegyek(i.béta, 4));
    if (i.sdMax / i.sdMin < LegszűkebbTartomány)
        i.megbízhatatlan << QStringLiteral("szűk SD-tartomány (SD_max/SD_min = %1 < %2)")
                                .arg(arány(i.sdMax / i.sdMin))
                                .arg(LegszűkebbTartomány);
    return i;
}

std::variant<Előrejelzés, QString> Előrejelez(const Illesztés& i, double távolság, double töltet) {
    if (!i.használható())
        return QStringLiteral("megbízhatatlan illesztés: ") +
               i.megbízhatatlan.join(QStringLiteral("; "));
    const double sd = i.arányos(távolság, töltet);
    if (const std::optional<QString> h = i.kívül(sd))
        return *h;
    return Előrejelzés{sd, i.ppv50(sd), i.ppv95(sd)};
}

std::variant<Töltet, QString> MaxTöltet(const Illesztés& i, double távolság, double határ) {
    if (!i.használható())
        return QStringLiteral("megbízhatatlan illesztés: ") +
               i.megbízhatatlan.join(QStringLiteral("; "));
    // log10 PPV95(x) = a − βx + c·√(1 + 1/n + u²/Sxx), u = x − x̄, is convex in x: it meets
    // the limit's level y0 falling at most once. Squared, A + βu = c·√(…) is a quadratic in u.
    const double a = std::log10(i.K), y0 = std::log10(határ), c = i.t * i.s;
    const double A = y0 - a + i.béta * i.xÁtlag, e = 1 + 1.0 / i.n;
    const double qa = i.béta * i.béta - c * c / i.Sxx, qb = 2 * A * i.béta, qc = A * A - c * c * e;
    std::vector<double> gyökök;
    if (std::fabs(qa) < 1e-15) {
        if (qb != 0)
            gyökök.push_back(-qc / qb);
    } else {
        const double d = qb * qb - 4 * qa * qc;
        if (d >= 0) {
            const double q = -0.5 * (qb + std::copysign(std::sqrt(d), qb));
            if (q != 0)
                gyökök.push_back(qc / q);
            gyökök.push_back(q / qa);
        }
    }
    std::optional<double> x95;
    for (const double u : gyökök) {
        const double gyökjel = std::sqrt(e + u * u / i.Sxx);
        const bool valódi = A + i.béta * u >= 0; // not a root of the squaring alone
        const bool esik = -i.béta + c * u / (i.Sxx * gyökjel) < 0; // the bound falls through it
        if (valódi && esik && (!x95 || u + i.xÁtlag < *x95))
            x95 = u + i.xÁtlag;
    }
    if (!x95)
        return QStringLiteral("a 95 %-os korlát sehol sem csökken %1 mm/s-ra")
            .arg(Jegyek(határ, 4));
    Töltet w;
    w.sd95 = std::pow(10.0, *x95);
    if (const std::optional<QString> h = i.kívül(w.sd95))
        return *h;
    w.w95 = std::pow(távolság / w.sd95, i.gyök);
    const double sd50 = std::pow(10.0, (a - y0) / i.béta);
    if (const std::optional<QString> h = i.kívül(sd50)) {
        w.megjegyzés = QStringLiteral("W50 nincs: ") + *h;
    } else {
        w.sd50 = sd50;
        w.w50 = std::pow(távolság / sd50, i.gyök);
    }
    return w;
}

} // namespace Terjedés
