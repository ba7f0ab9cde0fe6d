#include "tengely.h"

#include <algorithm>
#include <cmath>

namespace Rajz {

double KerekLépés(double terjedelem, int darab) {
    const double nyers = terjedelem / std::max(1, darab);
    const double nagyság = std::pow(10.0, std::floor(std::log10(nyers)));
    for (const double m : {1.0, 2.0, 5.0, 10.0})
        if (m * nagyság >= nyers)
            return m * nagyság;
    return 10 * nagyság;
}

} // namespace Rajz
