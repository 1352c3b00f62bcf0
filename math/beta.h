// The beta distribution with shapes alpha and beta. Density, distribution
// function and quantile are Boost.Math evaluations in long double (with
// both shapes from 1000 on, the asymptotic expansion near the mean; the
// quantile by Newton steps in the far tails and where the library gives
// up), NaN on any library error; the moments and the fit are closed forms.
// None throws.
#pragma once

#include "math/moments.h"

namespace Zr::Math {

double BetaPdf(double x, double alpha, double beta);
double BetaCdf(double x, double alpha, double beta);
double BetaInv(double p, double alpha, double beta);
Moments BetaMoments(double alpha, double beta);
// The shapes with this mean and standard deviation: true with them written,
// or false with them untouched.
bool BetaFit(double mean, double stdev, double& alpha, double& beta);

}  // namespace Zr::Math
