#pragma once

#include "analysis/jelentestetel.h"

#include "readers/hiba.h"

#include <QString>

#include <optional>

#include <vector>

// The event report on paper: A4, Hungarian, vector drawing through QPdfWriter, a page per
// record with its header, table, traces, spectra, limit chart and verdict.
namespace Jelentés {

using Tétel = Feldolgozás::Jelentéstétel;

// The pages the report of the records takes: a page each, and a monitoring record's summary.
std::size_t Oldalszám(const std::vector<Tétel>& tételek);

// Writes the report of the records, in their order, to `pdf`; the fault (Írás) where it
// cannot.
std::optional<Hiba> Ír(const QString& pdf, const std::vector<Tétel>& tételek);

} // namespace Jelentés
