// The gamma density and the regularized incomplete gamma functions in long
// double, accurate to a few units in double's last place for every shape:
// the family's distribution functions and quantiles are built on them.
#pragma once

namespace Zr::Math::IncompleteGamma {

// x^(a - 1) e^-x / Gamma(a) for a > 0 and x > 0, 0 where it underflows.
long double Density(long double a, long double x);
// P(a, x), or Q(a, x) = 1 - P(a, x) when upper, for a > 0 and x > 0.
long double Tail(long double a, long double x, bool upper);
// The x > 0 with Tail(a, x, upper) = p, for a > 0 and 0 < p < 1.
long double TailInv(long double a, long double p, bool upper);

}  // namespace Zr::Math::IncompleteGamma
