#pragma once
// Rounding to the nearest whole number with ties to the even neighbour (8.5 -> 8, 9.5 -> 10),
// the rounding every size, colour and level computation of the program uses.

#include <cmath>
#include <cstdint>
#include <limits>

namespace vantry {

inline double RoundHalfEven(double value) {
    double floor = std::floor(value);
    double diff = value - floor;
    if (diff > 0.5) return floor + 1.0;
    if (diff < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

// Values beyond the type's range (the text block of a caption thousands of characters long)
// stop at its ends rather than wrap round.
template <typename Int>
Int RoundClamped(double value) {
    double rounded = RoundHalfEven(value);
    if (!(rounded >= std::numeric_limits<Int>::min())) return std::numeric_limits<Int>::min();
    if (rounded > std::numeric_limits<Int>::max()) return std::numeric_limits<Int>::max();
    return static_cast<Int>(rounded);
}

inline int16_t RoundToInt16(double value) {
    return RoundClamped<int16_t>(value);
}

inline int32_t RoundToInt32(double value) {
    return RoundClamped<int32_t>(value);
}

}  // namespace vantry
