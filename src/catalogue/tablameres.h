#pragma once

#include "meres.h"
#include "readers/osszesito.h"

#include <vector>

// A summary table's rows as the catalogue keeps measurements: each judged by the engine at its
// point's building and place, every component by its own frequency (none: the category's
// lowest value, said); at the top floor slab the horizontal components, a single PPV of no
// stated direction there not judged.
namespace Katalógus {

Mérés TáblaMérés(const Összesítő::Sor& sor, int sorszám, const QString& pont, int kategória,
                 int hely);

} // namespace Katalógus
