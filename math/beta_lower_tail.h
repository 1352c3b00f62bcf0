// The far lower tail of the beta quantile, shared by the beta and F
// quantiles: ln x with I_x(a, b) = p, by Newton steps on ln I in ln x from
// the leading term x^a / (a B(a, b)). Returning ln x keeps 1 - x = -expm1(ln x)
// exact where x is near 1. NaN where the steps do not converge (x within
// 1e-12 of 1) or on any library error. Does not throw.
#pragma once

namespace Zr::Math {

long double BetaLowerTailLogInv(long double p, long double a, long double b);

// 1 - x with I_x(a, b) = p where x is within 0.01 of 1 (a above 1e4, b
// below 1000), kept to its own precision; NaN elsewhere or on any library
// error. Does not throw.
long double BetaNearOneInv(long double p, long double a, long double b);

}  // namespace Zr::Math
