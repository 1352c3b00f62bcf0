// The triangular distribution on [min, max] with its peak at mode. Density,
// distribution function and quantile are Boost.Math evaluations, NaN on any
// library error; the moments are closed forms, the fit is solved by
// Newton-Raphson (triangular_fit.cpp). None throws.
#pragma once

#include "math/moments.h"

namespace Zr::Math {

double TriangularPdf(double x, double min, double max, double mode);
double TriangularCdf(double x, double min, double max, double mode);
double TriangularInv(double p, double min, double max, double mode);
Moments TriangularMoments(double min, double max, double mode);
// The triangle with this mean, standard deviation and skewness: true with it
// written, or false with the outputs untouched. Needs skew^2 < 0.32, the
// skewness of a right triangle.
bool TriangularFit(double mean, double stdev, double skew, double& min, double& max, double& mode);

}  // namespace Zr::Math
