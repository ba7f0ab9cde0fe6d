#pragma once

// What the painters' axes share.
namespace Rajz {

// A round step (1, 2 or 5 times a power of ten) for about `darab` ticks over `terjedelem`.
double KerekLépés(double terjedelem, int darab);

} // namespace Rajz
