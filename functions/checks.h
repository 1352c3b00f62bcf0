// The parameter checks the worksheet functions share.
#pragma once

#include <cmath>
#include <initializer_list>

namespace Zr::Functions {

// A parameter that must be positive must exceed this; exactly this fails.
inline constexpr double kMinPositive = 1e-12;

// The distribution, moment and fit functions' check: a NaN parameter passes
// it and the numerics answer NaN.
constexpr bool NotPositive(double x) { return x <= kMinPositive; }

// The samplers' check, written so that NaN fails it: a NaN would otherwise
// pass and sample nonsense.
constexpr bool Positive(double x) { return x > kMinPositive; }

// Samplers refuse infinite parameters too.
inline bool Finite(std::initializer_list<double> values) {
    for (double x : values)
        if (!std::isfinite(x)) return false;
    return true;
}

}  // namespace Zr::Functions
