// The logistic distribution with location m and scale b. Density,
// distribution function and quantile are Boost.Math evaluations, NaN on any
// library error; the moments and the fit are closed forms. None throws.
#pragma once

#include "math/moments.h"

namespace Zr::Math {

double LogisticPdf(double x, double m, double b);
double LogisticCdf(double x, double m, double b);
double LogisticInv(double p, double m, double b);
Moments LogisticMoments(double m, double b);
// The parameters with this mean and standard deviation: true with them
// written, or false with them untouched.
bool LogisticFit(double mean, double stdev, double& m, double& b);

}  // namespace Zr::Math
