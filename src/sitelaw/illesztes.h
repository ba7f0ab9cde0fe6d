#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

// A site's attenuation law, PPV = K·SD^−β, fitted by ordinary least squares of log10 PPV on
// log10 SD, with the scaled distance SD = D / W^(1/gyök) (D in m, W in kg per delay, gyök 2
// or 3). The 95 % line is the one-sided upper 95 % prediction bound of a new measurement:
//   log10 PPV95 = log10 K − β·x + t(0.95, n − 2)·s·√(1 + 1/n + (x − x̄)² / Sxx),  x = log10 SD.
namespace Terjedés {

// One measurement of the fit.
struct Pont {
    QString azonosító; // how the user names it to --kizar: the catalogue's key, a table's line
    QString pont;      // its measuring point
    double távolság = 0, töltet = 0, ppv = 0; // m, kg per delay, mm/s; all positive
};

// A measurement whose residual is beyond three residual standard errors.
struct Kiugró {
    Pont pont;
    double arányos = 0; // its SD
    double maradék = 0; // log10 PPV less the 50 % line, in units of s
};

// Below these a fit predicts nothing.
inline constexpr int LegkevesebbMérés = 10;
inline constexpr double LegkisebbR2 = 0.5;
inline constexpr double LegszűkebbTartomány = 2;  // SD_max / SD_min at least
inline constexpr double LegnagyobbKinyúlás = 1.5; // a prediction's SD beyond the range, at most
inline constexpr double KiugróHatár = 3;          // residual standard errors

struct Illesztés {
    int gyök = 2;
    int n = 0;
    bool illeszthető = false; // a line could be fitted at all (n ≥ 3, SD not all the same)
    double K = 0, béta = 0, R2 = 0, s = 0;
    double xÁtlag = 0, Sxx = 0;  // of x = log10 SD
    double sdMin = 0, sdMax = 0; // m/kg^(1/gyök)
    double t = 0;                // t(0.95, n − 2)
    QStringList megbízhatatlan;  // why it must not predict; empty where it may
    std::vector<Kiugró> kiugrók;

    bool használható() const { return illeszthető && megbízhatatlan.isEmpty(); }
    // The common practice's K95 = K·10^(1.645·s), from the normal quantile, for comparison.
    double K95_1645s() const;
    double arányos(double távolság, double töltet) const; // SD
    double ppv50(double arányos) const;
    double ppv95(double arányos) const;
    // Why a prediction at this SD is not given: beyond the fitted range by more than 1.5×.
    std::optional<QString> kívül(double arányos) const;
};

// The fit of the points by the root (2 or 3).
Illesztés Illeszt(const std::vector<Pont>& pontok, int gyök);

struct Előrejelzés {
    double arányos = 0, ppv50 = 0, ppv95 = 0;
};
// The PPV expected at D and W, or why the fit does not tell.
std::variant<Előrejelzés, QString> Előrejelez(const Illesztés& i, double távolság, double töltet);

struct Töltet {
    double w95 = 0, sd95 = 0;        // kg per delay and its SD: the 95 % bound at the limit
    std::optional<double> w50, sd50; // the 50 % line at the limit, where inside the range
    QString megjegyzés;              // why W50 is not given
};
// The largest charge per delay at D whose 95 % bound (and whose 50 % line) reaches the limit
// (mm/s) and no more, or why the fit does not tell.
std::variant<Töltet, QString> MaxTöltet(const Illesztés& i, double távolság, double határ);

// The fit's lines as (SD, mm/s) points over the SD range a prediction is given for: the 50 %
// line, the 95 % prediction bound and the common K95 = K·10^(1.645 s) line. None where no
// line was fitted.
struct Görbék {
    std::vector<QPointF> ötven, kilencvenöt, szokásos;
};
Görbék Vonalak(const Illesztés& i, int darab = 60);

} // namespace Terjedés
