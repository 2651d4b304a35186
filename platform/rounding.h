#pragma once
// Rounding to the nearest whole number with ties to the even neighbour (8.5 -> 8, 9.5 -> 10),
// the rounding every size, colour and level computation of the program uses.

#include <cmath>
#include <cstdint>

namespace vantry {

inline double RoundHalfEven(double value) {
    double floor = std::floor(value);
    double diff = value - floor;
    if (diff > 0.5) return floor + 1.0;
    if (diff < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

inline int16_t RoundToInt16(double value) {
    return static_cast<int16_t>(RoundHalfEven(value));
}

inline int32_t RoundToInt32(double value) {
    return static_cast<int32_t>(RoundHalfEven(value));
}

}  // namespace vantry
