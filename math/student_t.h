// Student's t distribution with n degrees of freedom. Density, distribution
// function and quantile are Boost.Math evaluations in long double (the
// quantile near 1/2 through the beta quantile), NaN on any library error.
// Mean and skewness are 0 where they exist; the standard deviation needs
// n > 2 and the kurtosis n > 4, and n is converted to double before any
// arithmetic. None throws.
#pragma once

#include <cstdint>

namespace Zr::Math {

double TPdf(double x, int32_t n);
double TCdf(double x, int32_t n);
double TInv(double p, int32_t n);
double TStdev(int32_t n);
double TKurt(int32_t n);

}  // namespace Zr::Math
