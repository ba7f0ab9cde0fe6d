#pragma once

#include "katalogus.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

// A campaign's figures, per point and for the site, over the whole period and by calendar month
// (Hungarian local time): the counts, the largest utilisation and where, the 50th and 95th
// percentiles of the PPV and of the utilisation (nearest rank over the judged measurements),
// and how many were above 50 %, 80 % and 100 % of their limit.
namespace Katalógus {

struct Statisztikasor {
    QString pont;  // empty: the site, every point
    QString hónap; // "2026-09"; empty: the whole period
    int mérések = 0, robbantások = 0, túllépések = 0, nincsMegítélve = 0;
    std::optional<qint64> legnagyobbTized; // the largest utilisation, tenths of a per cent…
    QString hol;                           // …in which file and event
    std::optional<double> ppv50, ppv95;    // mm/s
    std::optional<qint64> kihasználtság50, kihasználtság95; // tenths of a per cent
    int fölött50 = 0, fölött80 = 0, fölött100 = 0;
};

// The figures of the listed measurements: each point by month, then the point's whole; then
// the site by month, then its whole.
std::vector<Statisztikasor> Statisztika(const std::vector<ListaSor>& mérések);

// The nearest-rank percentile p (0-100) of values sorted ascending; none of none.
template <class T> std::optional<T> Percentilis(const std::vector<T>& rendezett, double p) {
    if (rendezett.empty())
        return std::nullopt;
    const auto rang = std::size_t(std::ceil(p / 100 * double(rendezett.size())));
    return rendezett[std::min(rendezett.size(), std::max<std::size_t>(rang, 1)) - 1];
}

} // namespace Katalógus
