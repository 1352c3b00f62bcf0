// The Weibull distribution with shape alpha and scale beta. Density,
// distribution function and quantile are Boost.Math evaluations, NaN on any
// library error; the moments come from the raw moments, the fit is solved by
// Newton-Raphson (weibull_fit.cpp). None throws.
#pragma once

#include <cfloat>
#include <cmath>

#include "math/moments.h"

namespace Zr::Math {

double WeibullPdf(double x, double alpha, double beta);
double WeibullCdf(double x, double alpha, double beta);
double WeibullInv(double p, double alpha, double beta);

// The quantile of one Weibull distribution with 1 / alpha worked out once,
// for a sampler's many quantiles; every value is WeibullInv's.
class WeibullQuantile {
public:
    WeibullQuantile() = default;
    WeibullQuantile(double alpha, double beta)
        : alpha_(alpha), beta_(beta), inverseAlpha_(1 / alpha),
          direct_(alpha >= 0.5 && alpha <= DBL_MAX && beta > 0 && beta <= DBL_MAX) {}

    // beta (-ln(1 - p))^(1 / alpha) where it keeps its accuracy: shapes from
    // 0.5, p from 1e-16.
    bool Direct(double p) const { return direct_ && p >= 1e-16 && p < 1; }
    double DirectValue(double p) const { return beta_ * std::pow(-std::log1p(-p), inverseAlpha_); }

    double operator()(double p) const { return Direct(p) ? DirectValue(p) : WeibullInv(p, alpha_, beta_); }

private:
    double alpha_ = 1, beta_ = 1, inverseAlpha_ = 1;
    bool direct_ = true;
};
double WeibullRawMoment(double alpha, double beta, int k);  // k = 1..4
Moments WeibullMoments(double alpha, double beta);
// The parameters with this mean and standard deviation: true with them
// written, or false with them untouched.
bool WeibullFit(double mean, double stdev, double& alpha, double& beta);

}  // namespace Zr::Math
