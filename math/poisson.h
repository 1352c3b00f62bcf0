// The Poisson distribution. Probability, distribution function and quantile
// are Boost.Math evaluations, NaN on any library error; the moments are
// closed forms. None throws.
#pragma once

#include <cstdint>

#include "math/moments.h"

namespace Zr::Math {

double PoissonPdf(int32_t k, double mean);
double PoissonCdf(int32_t k, double mean);
double PoissonInv(double p, double mean);  // NaN for a mean above 2^53
Moments PoissonMoments(double mean);

}  // namespace Zr::Math
