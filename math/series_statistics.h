// Mean, population variance and co-moments of data series (the columns of a
// table of observations). A series whose values all equal its first one is
// constant: its mean is that value exactly and it contributes no spread, so
// a column of identical numbers never picks up rounding noise.
#pragma once

#include "math/vector.h"

namespace Zr::Math {

// (x_0 p + x_p + ... + x_{R-1}) / R, where p is the first index whose value
// differs from x_0 (a NaN differs from everything); x_0 itself for a
// constant series, NaN for an empty one.
double SeriesMean(ConstVectorView x) noexcept;

// Sum of (x_t - mean)^2 in t order, divided by R; exactly 0.0 for a constant
// series, NaN for an empty one.
double SeriesVariance(ConstVectorView x) noexcept;

struct Comoments {
    double n = 0.0;  // the common length R, as a double
    double meanX = 0.0;
    double meanY = 0.0;
    double sxx = 0.0;  // sum of (x_t - meanX)^2
    double syy = 0.0;  // sum of (y_t - meanY)^2
    double sxy = 0.0;  // sum of (y_t - meanY) (x_t - meanX)
};

// The sums of squares and cross-products about the means (SeriesMean), in
// one pass over t. A constant series adds nothing: its own sum and the cross
// sum stay exactly 0.0. Empty series give NaN means and sums. x and y have
// the same length.
Comoments SeriesComoments(ConstVectorView x, ConstVectorView y) noexcept;

}  // namespace Zr::Math
