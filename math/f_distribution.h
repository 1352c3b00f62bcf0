// Fisher's F distribution with n1 and n2 degrees of freedom. Density,
// distribution function and quantile are Boost.Math evaluations in long
// double (with both degrees of freedom from 2000 on, the beta asymptotic
// expansion near the mean; the quantile through the beta quantile in the
// far tails and where the library gives up), NaN on any library error;
// the moments are closed forms. Degrees of freedom are converted to double before any
// arithmetic, so sums, squares and ratios of them neither overflow nor divide
// as integers. None throws.
#pragma once

#include <cstdint>

namespace Zr::Math {

double FPdf(double x, int32_t n1, int32_t n2);
double FCdf(double x, int32_t n1, int32_t n2);
double FInv(double p, int32_t n1, int32_t n2);

// The moments exist only from n2 = 3, 5, 7 and 9 on; below, these return
// whatever the formula gives.
double FMean(int32_t n2);
double FStdev(int32_t n1, int32_t n2);
double FSkew(int32_t n1, int32_t n2);
double FKurt(int32_t n1, int32_t n2);

}  // namespace Zr::Math
