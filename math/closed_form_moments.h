// Moments of the distributions whose mean, standard deviation, skewness and
// excess kurtosis have closed forms in their parameters. Degrees of freedom
// arrive as 32-bit integers and are converted to double before any
// arithmetic, so sums, squares and ratios of them neither overflow nor divide
// as integers. The formulas have no error path: a value that the arithmetic
// makes infinite or NaN is returned as it is.
#pragma once

#include <cstdint>

#include "math/distributions.h"

namespace Zr::Math {

// Euler's constant as the add-in's formulas write it.
constexpr double kEulerGamma = 0.57721566490153;

Moments BetaMoments(double alpha, double beta);
Moments ChiSqMoments(int32_t n);
Moments GammaMoments(double alpha, double beta);     // shape alpha, scale beta
Moments GumbelMoments(double alpha, double beta);    // location alpha, scale beta
Moments LogisticMoments(double m, double b);         // location m, scale b
Moments LogNormMoments(double m, double s);          // of ln X: mean m, standard deviation s
Moments PoissonMoments(double mean);
Moments TriangularMoments(double min, double max, double mode);

// The F moments exist only from n2 = 3, 5, 7 and 9 on; below, these return
// whatever the formula gives.
double FMean(int32_t n2);
double FStdev(int32_t n1, int32_t n2);
double FSkew(int32_t n1, int32_t n2);
double FKurt(int32_t n1, int32_t n2);

// Student's t: mean and skewness are 0 where they exist; the standard
// deviation needs n > 2 and the kurtosis n > 4.
double TStdev(int32_t n);
double TKurt(int32_t n);

}  // namespace Zr::Math
