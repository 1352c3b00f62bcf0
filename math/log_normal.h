// The log-normal distribution, m and s the mean and standard deviation of
// ln X: density, distribution function and quantile through the standard
// normal's, moments and fit in closed form. None throws.
#pragma once

#include "math/moments.h"

namespace Zr::Math {

double LogNormPdf(double x, double m, double s);
double LogNormCdf(double x, double m, double s);
double LogNormInv(double p, double m, double s);
Moments LogNormMoments(double m, double s);
// The parameters with this mean and standard deviation: true with them
// written, or false with them untouched.
bool LogNormFit(double mean, double stdev, double& m, double& s);

}  // namespace Zr::Math
