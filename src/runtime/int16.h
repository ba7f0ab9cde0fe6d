#pragma once

#include "errors.h"

#include <cstdint>

namespace rt {

// 16-bit signed arithmetic: a result outside -32768..32767 raises the overflow error.
inline std::int16_t checked16(int value) {
    if (value < INT16_MIN || value > INT16_MAX)
        throw RuntimeError(ErrorKind::Overflow);
    return static_cast<std::int16_t>(value);
}
inline std::int16_t Add16(std::int16_t a, std::int16_t b) {
    return checked16(int(a) + int(b));
}
inline std::int16_t Sub16(std::int16_t a, std::int16_t b) {
    return checked16(int(a) - int(b));
}
inline std::int16_t Mul16(std::int16_t a, std::int16_t b) {
    return checked16(int(a) * int(b));
}

} // namespace rt
