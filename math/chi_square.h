// The chi-square distribution with n degrees of freedom. Density,
// distribution function and quantile are Boost.Math evaluations, NaN on any
// library error; the moments are closed forms, n converted to double before
// any arithmetic. None throws.
#pragma once

#include <cstdint>

#include "math/moments.h"

namespace Zr::Math {

double ChiSqPdf(double x, int32_t n);
double ChiSqCdf(double x, int32_t n);
double ChiSqInv(double p, int32_t n);
Moments ChiSqMoments(int32_t n);

}  // namespace Zr::Math
