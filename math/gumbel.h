// The Gumbel distribution of the largest value, location alpha and scale
// beta: density, distribution function, quantile, moments and fit, all in
// closed form. None throws.
#pragma once

#include "math/moments.h"

namespace Zr::Math {

// Euler's constant as the add-in's formulas write it.
constexpr double kEulerGamma = 0.57721566490153;

double GumbelPdf(double x, double alpha, double beta);
double GumbelCdf(double x, double alpha, double beta);
double GumbelInv(double p, double alpha, double beta);
Moments GumbelMoments(double alpha, double beta);
// The parameters with this mean and standard deviation: true with them
// written, or false with them untouched.
bool GumbelFit(double mean, double stdev, double& alpha, double& beta);

}  // namespace Zr::Math
