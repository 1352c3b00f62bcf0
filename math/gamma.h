// The gamma distribution with shape alpha and scale beta. Density,
// distribution function and quantile are Boost.Math evaluations, NaN on any
// library error; the moments are closed forms. None throws.
#pragma once

#include "math/moments.h"

namespace Zr::Math {

double GammaPdf(double x, double alpha, double beta);
double GammaCdf(double x, double alpha, double beta);
double GammaInv(double p, double alpha, double beta);
Moments GammaMoments(double alpha, double beta);

}  // namespace Zr::Math
