// The regularised incomplete beta function I_x(a, b) for large a and b near
// the mean, by its uniform asymptotic expansion in erfc (Temme's, in the
// recursive form of DiDonato and Morris). Where both shapes are large the
// library's continued fraction needs about sqrt(shape) terms; the expansion
// needs a handful. Points are given by lambda = a - (a + b) x, which the
// callers compute without cancellation: x = (a - lambda) / (a + b) and
// 1 - x = (b + lambda) / (a + b). All in long double; none throws.
#pragma once

namespace Zr::Math {

// The smaller tail: I_x(a, b) for lambda >= 0 (x at or below the mean).
// NaN where the expansion does not apply: a shape below 1000, or lambda so
// far out that the series does not settle within its terms.
long double BetaAsymptoticTail(long double a, long double b, long double lambda);

// I_x(a, b) for either sign of lambda, through 1 - I_{1-x}(b, a) above the
// mean. NaN where the expansion does not apply.
long double BetaAsymptoticCdf(long double a, long double b, long double lambda);

// The lambda at which I_x(a, b) = p, by Newton steps on the log of the
// smaller tail; NaN where the expansion does not apply along the way.
long double BetaAsymptoticInvLambda(double p, long double a, long double b);

}  // namespace Zr::Math
