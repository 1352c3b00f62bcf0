// The chi distribution with n degrees of freedom: the add-in's own density
// and moments, and the distribution function and quantile through chi-square's.
#pragma once

#include <cstdint>

#include "math/moments.h"

namespace Zr::Math {

double ChiPdf(double x, int32_t n);
double ChiCdf(double x, int32_t n);
double ChiInv(double p, int32_t n);
Moments ChiMoments(int32_t n);

}  // namespace Zr::Math
