#include "studentt.h"

#include <cmath>
#include <limits>

namespace {

// The continued fraction of the regularised incomplete beta function (modified Lentz), which
// converges fast for x < (a + 1) / (a + b + 2).
double kettősTört(double a, double b, double x) {
    constexpr double kicsi = 1e-300;
    double c = 1, d = 1 - (a + b) * x / (a + 1);
    if (std::fabs(d) < kicsi)
        d = kicsi;
    d = 1 / d;
    double h = d;
    for (int m = 1; m <= 10000; ++m) {
        const double m2 = 2.0 * m;
        double aa = m * (b - m) * x / ((a - 1 + m2) * (a + m2));
        for (int fél = 0; fél < 2; ++fél) {
            d = 1 + aa * d;
            if (std::fabs(d) < kicsi)
                d = kicsi;
            c = 1 + aa / c;
            if (std::fabs(c) < kicsi)
                c = kicsi;
            d = 1 / d;
            const double lépés = d * c;
            h *= lépés;
            if (fél == 1 && std::fabs(lépés - 1) < 1e-16)
                return h;
            aa = -(a + m) * (a + b + m) * x / ((a + m2) * (a + 1 + m2));
        }
    }
    return h;
}

// I_x(a, b).
double bétaArány(double a, double b, double x) {
    if (x <= 0)
        return 0;
    if (x >= 1)
        return 1;
    const double ln =
        std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log1p(-x);
    if (x < (a + 1) / (a + b + 2))
        return std::exp(ln) * kettősTört(a, b, x) / a;
    return 1 - std::exp(ln) * kettősTört(b, a, 1 - x) / b;
}

} // namespace

namespace Student {

double Eloszlás(double t, double szabadságfok) {
    const double v = szabadságfok;
    if (std::isinf(t))
        return t > 0 ? 1 : 0;
    const double farok = 0.5 * bétaArány(v / 2, 0.5, v / (v + t * t));
    return t > 0 ? 1 - farok : farok;
}

double Kvantilis(double p, double szabadságfok) {
    if (!(p > 0 && p < 1) || !(szabadságfok > 0))
        return std::numeric_limits<double>::quiet_NaN();
    if (p == 0.5)
        return 0;
    if (p < 0.5)
        return -Kvantilis(1 - p, szabadságfok);
    // bracketed, then halved until the bracket is as narrow as doubles allow
    double alsó = 0, felső = 1;
    while (Eloszlás(felső, szabadságfok) < p && felső < 1e300)
        felső *= 2;
    for (int i = 0; i < 2000 && felső - alsó > 1e-15 * felső; ++i) {
        const double közép = alsó + (felső - alsó) / 2;
        (Eloszlás(közép, szabadságfok) < p ? alsó : felső) = közép;
    }
    return alsó + (felső - alsó) / 2;
}

} // namespace Student
