// The logistic distribution with location m and scale b. Density,
// distribution function and quantile are Boost.Math evaluations, NaN on any
// library error; the moments and the fit are closed forms. None throws.
#pragma once

#include <cmath>

#include "math/moments.h"

namespace Zr::Math {

double LogisticPdf(double x, double m, double b);
double LogisticCdf(double x, double m, double b);
double LogisticInv(double p, double m, double b);

// LogisticInv's value where its checks pass: p in (0, 1), m finite, b > 0
// and finite. Inline, for the sampler's many quantiles.
inline double LogisticQuantileInside(double p, double m, double b) {
    const double ratioLog = p < 1e-300                 ? -std::log(p)
                            : p > 0.4975 && p < 0.5025 ? std::log1p((1 - 2 * p) / p)
                                                       : std::log((1 - p) / p);
    return m - b * ratioLog;
}
Moments LogisticMoments(double m, double b);
// The parameters with this mean and standard deviation: true with them
// written, or false with them untouched.
bool LogisticFit(double mean, double stdev, double& m, double& b);

}  // namespace Zr::Math
