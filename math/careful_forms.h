// What the distribution formulas share to keep their digits: the unit of
// rounding and the error the double forms may carry before a function takes
// its careful path, and the pieces those paths use.
#pragma once

#include <cmath>

namespace Zr::Math {

inline constexpr double kRounding = 0x1p-53;
// The relative error the double forms may carry; beyond it the careful path.
inline constexpr double kTolerance = 2e-14;

// (x - location) / scale in long double: exact enough that an exponential of
// it keeps a double's digits.
inline long double StandardPoint(double x, double location, double scale) {
    return (static_cast<long double>(x) - location) / scale;
}

// exp(-v) to a double's precision: the exponential of v's leading double,
// corrected to first order for the rest.
inline double ExpNeg(long double v) {
    const double lead = static_cast<double>(v);
    return std::exp(-lead) * (1 - static_cast<double>(v - lead));
}

}  // namespace Zr::Math
