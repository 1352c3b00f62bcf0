// The Weibull distribution with shape alpha and scale beta. Density,
// distribution function and quantile are Boost.Math evaluations, NaN on any
// library error; the moments come from the raw moments, the fit is solved by
// Newton-Raphson (weibull_fit.cpp). None throws.
#pragma once

#include "math/moments.h"

namespace Zr::Math {

double WeibullPdf(double x, double alpha, double beta);
double WeibullCdf(double x, double alpha, double beta);
double WeibullInv(double p, double alpha, double beta);
double WeibullRawMoment(double alpha, double beta, int k);  // k = 1..4
Moments WeibullMoments(double alpha, double beta);
// The parameters with this mean and standard deviation: true with them
// written, or false with them untouched.
bool WeibullFit(double mean, double stdev, double& alpha, double& beta);

}  // namespace Zr::Math
