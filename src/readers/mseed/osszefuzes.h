#pragma once

#include "keretezes.h"
#include "readers/hiba.h"

#include <optional>

// Joining a channel's records into one trace: in time order, each where the one before it
// ends, within the tolerances.
namespace Rezgésjel::Mseed {

struct Tűrés {
    // A record's rate may differ from the channel's first by this share of it…
    double mintavételArány = 1e-4;
    // …and it may start this many sample intervals before or after the end of the one before
    // it; beyond that, it is a gap or an overlap.
    double illesztésMinta = 0.5;
};

inline constexpr Tűrés AlapTűrés{};

// Sorts the channel's records by their start and checks that they join; the fault (with the
// channel, and the overlap's time) of the first that overlaps the one before it. A gap
// starts a new continuous segment: the records' places where one starts after the first
// go to `szakaszok` (none when the trace is continuous).
std::optional<Hiba> Összefűz(Csatornaadat& csatorna, std::vector<std::size_t>& szakaszok,
                             const Tűrés& tűrés = AlapTűrés);

} // namespace Rezgésjel::Mseed
