// The helpers of the SVD and QL sweeps, in their textbook form: the sweeps'
// results depend on these exact operations.
#pragma once

#include <cmath>
#include <cstddef>

#include "math/matrix.h"

namespace Zr::Math {

// sqrt(a^2 + b^2) without destructive underflow or overflow: the larger
// magnitude times sqrt(1 + (smaller / larger)^2); 0.0 when both are 0.
inline double Pythag(double a, double b) noexcept {
    const double absA = std::fabs(a), absB = std::fabs(b);
    if (absA > absB) {
        const double ratio = absB / absA;
        return absA * std::sqrt(1.0 + ratio * ratio);
    }
    if (absB == 0.0) return 0.0;
    const double ratio = absA / absB;
    return absB * std::sqrt(1.0 + ratio * ratio);
}

// |a| with the sign of b, where b = -0.0 counts as positive (unlike
// std::copysign).
inline double Sign(double a, double b) noexcept { return b >= 0.0 ? std::fabs(a) : -std::fabs(a); }

// Rotates columns p and q of the first `rows` rows of m: for every row r,
// t1 := m(r, p), t2 := m(r, q), m(r, p) := t1 c + t2 s, m(r, q) := t2 c - t1 s
// (with p = q the second assignment wins).
inline void RotateColumns(Matrix& m, size_t rows, size_t p, size_t q, double c, double s) noexcept {
    for (size_t r = 0; r < rows; ++r) {
        const double t1 = m(r, p), t2 = m(r, q);
        m(r, p) = t1 * c + t2 * s;
        m(r, q) = t2 * c - t1 * s;
    }
}

}  // namespace Zr::Math
