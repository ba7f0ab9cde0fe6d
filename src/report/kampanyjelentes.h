#pragma once

#include "readers/hiba.h"
#include "sitelaw/kampany.h"

#include <QString>

#include <optional>

// The campaign report for the authority: A4, Hungarian, PDF/A-1b. The site, period and filter,
// the points and their buildings, the statistics, every measurement on the limit chart, each
// point's PPV over time, the site's law with its definitions, warnings and outliers, the
// largest charge per delay at each point, and every blast and measurement in a paged table.
namespace KampányJelentés {

std::optional<Hiba> Ír(const QString& pdf, const Kampány::Adatok& adatok);

std::size_t Oldalszám(const Kampány::Adatok& adatok);

} // namespace KampányJelentés
