// Constants that several distributions' formulas share.
#pragma once

namespace Zr::Math {

// pi and the square root of 2 as the add-in's formulas write them.
constexpr double kPi = 3.14159265358979;
constexpr double kSqrt2 = 1.4142135623731;

}  // namespace Zr::Math
