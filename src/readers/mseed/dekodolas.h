#pragma once

#include "readers/hiba.h"
#include "readers/mseed3.h"
#include "uzenetek.h"

#include <libmseed.h>

#include <cmath>
#include <optional>
#include <type_traits>
#include <vector>

// Decoding a record's samples: a version-2 record by libmseed, a version-3 record's plain
// encodings here and its compressed ones by libmseed from a version-2 record made around
// them.
namespace Rezgésjel::Mseed {

// Every encoding but the two floating-point ones holds counts: the integers, the Steim
// frames, and the gain-ranged encodings even where they decode to floating-point numbers.
bool CountKódolás(int kódolás);

// libmseed's record of one read, and that read's messages.
class Dekódoló {
public:
    Dekódoló() = default;
    ~Dekódoló();
    Dekódoló(const Dekódoló&) = delete;
    Dekódoló& operator=(const Dekódoló&) = delete;

    // Parses the version-2 record at `adat` (`hossz` bytes from it, `rekordHossz` its length
    // or 0 for unknown), its samples too when `mintákkal`; libmseed's status, and on a fault
    // in `miért` its last words since the call (or its text for the status).
    int Rekord(char* adat, int hossz, int rekordHossz, bool mintákkal, QString* miért);
    const MSRecord* Msr() const { return msr_; }
    // Whether the samples the header counts fit in the record (the compressed encodings are
    // bounded by their frames).
    bool Elfér() const;
    // The samples of a version-3 record; none, with the fault's words, where they cannot be.
    std::optional<std::vector<double>> Mseed3Minták(const Mseed3::Rekord& r, QString* miért);

private:
    MSRecord* msr_ = nullptr;
    Üzenetek üzenetek_;
    qsizetype jel_ = 0; // the messages before the last call
};

// Calls `f(minták, n)` with the decoded record's samples, as the type libmseed gave them.
template <typename F> auto Mintatípussal(const MSRecord* msr, F&& f) {
    const auto n = std::size_t(std::max<int64_t>(msr->numsamples, 0));
    switch (msr->sampletype) {
    case 'i':
        return f(static_cast<const int32_t*>(msr->datasamples), n);
    case 'f':
        return f(static_cast<const float*>(msr->datasamples), n);
    default:
        return f(static_cast<const double*>(msr->datasamples), n);
    }
}

// Appends `n` samples times `szorzó` to `ki`; where one is not finite, appends none and gives
// its index.
template <typename T>
std::optional<std::size_t> Hozzáfűz(const T* minták, std::size_t n, double szorzó,
                                    std::vector<double>& ki) {
    const std::size_t eleje = ki.size();
    ki.resize(eleje + n);
    double* cél = ki.data() + eleje;
    for (std::size_t i = 0; i < n; ++i) {
        const double v = double(minták[i]);
        if constexpr (!std::is_integral_v<T>)
            if (!std::isfinite(v)) {
                ki.resize(eleje);
                return i;
            }
        cél[i] = v * szorzó;
    }
    return std::nullopt;
}

} // namespace Rezgésjel::Mseed
