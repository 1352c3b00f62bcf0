// The bivariate standard normal: density, and distribution function by
// Drezner's 4 x 4 Gauss quadrature with the reflections that bring every
// case to a, b, rho <= 0.
#include "math/bivariate_normal.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "math/constants.h"
#include "math/normal.h"

namespace Zr::Math {
namespace {

double BiNormQuad(double a, double b, double rho);   // a, b, rho <= 0
double BiNormSplit(double a, double b, double rho);  // where the reflections do not apply

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kWeights[4] = {0.325303, 0.4211071, 0.1334425, 0.006374323};
constexpr double kNodes[4] = {0.1337764, 0.6243247, 1.3425378, 2.2626645};
// Beyond these correlations the quadrature's 1 - rho^2 is no longer usable.
constexpr double kRhoLimit = 0.9999999999999998;
// The density's prescribed form is kept up to these.
constexpr double kModerateRho = 0.5, kModerateArgument = 6;

// M(a, 0, r) for one half of the split, by the sign of a and of r.
double HalfSplit(double a, double r) {
    if (a <= 0) return r <= 0 ? BiNormQuad(a, 0, r) : NormCdf(a) - BiNormQuad(a, 0, -r);
    return r <= 0 ? BiNormQuad(-a, 0, r) + NormCdf(a) - 0.5 : 0.5 - BiNormQuad(-a, 0, -r);
}

// Both tails at once: M(a, b, rho) = Phi(a) + Phi(b) - 1 + M(-a, -b, rho).
double UpperReflection(double a, double b, double rho) {
    return NormCdf(a) + NormCdf(b) - 1 + BiNormQuad(-a, -b, rho);
}

// By the signs of a and b; NaN when a is NaN.
double NegativeCases(double a, double b, double rho) {
    if (a == 0) return b <= 0 ? BiNormQuad(a, b, rho) : UpperReflection(a, b, rho);
    if (a < 0) return b <= 0 ? BiNormQuad(a, b, rho) : BiNormSplit(a, b, rho);
    if (a > 0) return b < 0 ? BiNormSplit(a, b, rho) : UpperReflection(a, b, rho);
    return kNaN;
}

double PositiveCases(double a, double b, double rho) {
    if (a == 0) return b <= 0 ? NormCdf(b) - BiNormQuad(-a, b, -rho) : NormCdf(a) - BiNormQuad(a, -b, -rho);
    if (a < 0) return b >= 0 ? NormCdf(a) - BiNormQuad(a, -b, -rho) : BiNormSplit(a, b, rho);
    if (a > 0) return b > 0 ? BiNormSplit(a, b, rho) : NormCdf(b) - BiNormQuad(-a, b, -rho);
    return kNaN;
}

double NegativeCorrelation(double a, double b, double rho) {
    double r = rho <= -kRhoLimit ? kNaN : NegativeCases(a, b, rho);
    if (!std::isfinite(r) && rho < -0.99) r = a + b <= 0 ? 0.0 : NormCdf(a) + NormCdf(b) - 1;
    return r;
}

double PositiveCorrelation(double a, double b, double rho) {
    double r = rho >= kRhoLimit ? kNaN : PositiveCases(a, b, rho);
    if (!std::isfinite(r) && rho > 0.99)
        r = std::isfinite(a) && std::isfinite(b) ? NormCdf(std::min(a, b)) : kNaN;
    return r;
}

double ZeroCorrelation(double a, double b, double rho) {
    if (a <= 0 && b <= 0) return BiNormQuad(a, b, rho);
    if (a <= 0 && b > 0) return NormCdf(a) - BiNormQuad(a, -b, -rho);
    if (a > 0 && b <= 0) return NormCdf(b) - BiNormQuad(-a, b, -rho);
    if (a > 0 && b > 0) return UpperReflection(a, b, rho);
    return kNaN;
}

double BiNormQuad(double a, double b, double rho) {
    const double r = std::sqrt(1 - rho * rho);
    const double as = a / (kSqrt2 * r), bs = b / (kSqrt2 * r);
    const double cx = 2 * (as - rho * bs), cy = 2 * (bs - rho * as);
    const double c0 = 2 * rho * as * bs - as * as - bs * bs;
    double sum = 0.0;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            const double x = kNodes[i], y = kNodes[j];
            sum += kWeights[i] * kWeights[j] * std::exp(2 * rho * x * y + cx * x + cy * y + c0);
        }
    return r / kPi * sum;
}

double BiNormSplit(double a, double b, double rho) {
    const double d = std::sqrt(a * a - 2 * rho * a * b + b * b);
    double ra = (rho * a - b) / d, rb = (rho * b - a) / d;
    if (a < 0) ra = -ra;
    if (b < 0) rb = -rb;
    const bool oneNegative = (a < 0 && b >= 0) || (a >= 0 && b < 0);
    return HalfSplit(a, ra) + HalfSplit(b, rb) - (oneNegative ? 0.5 : 0.0);
}

}  // namespace

// The prescribed density keeps its digits at moderate correlations and
// arguments (its rounding error stays below 2e-14 there). Beyond them
// 1 - rho^2 and b - rho a cancel as |rho| nears 1, and the exponents'
// roundings, multiplied by the exponents, tell at large arguments: there the
// density is taken in long double, with 1 - rho^2 as (1 - rho)(1 + rho) and
// b - rho a as (b - a) + (1 - rho) a (mirrored for rho < 0), each factor
// exact or one rounding.
double BiNormPdf(double a, double b, double rho) {
    if (rho > 1 || rho < -1) return kNaN;
    if (rho == 1) return a == b ? kNaN : 0.0;
    if (rho == -1) return a == -b ? kNaN : 0.0;
    if (std::abs(rho) <= kModerateRho && std::abs(a) <= kModerateArgument && std::abs(b) <= kModerateArgument) {
        const double r = std::sqrt(1 - rho * rho);
        return NormPdf((b - rho * a) / r) * (1 / std::sqrt(1 - std::abs(rho) * std::abs(rho))) * NormPdf(a);
    }
    using Real = long double;
    const Real r2 = (1 - static_cast<Real>(rho)) * (1 + static_cast<Real>(rho));
    const Real d = rho > kModerateRho    ? (static_cast<Real>(b) - a) + (1 - static_cast<Real>(rho)) * a
                   : rho < -kModerateRho ? (static_cast<Real>(b) + a) - (1 + static_cast<Real>(rho)) * a
                                         : b - static_cast<Real>(rho) * a;
    constexpr Real kTwoPi = 6.283185307179586476925286766559005768L;
    return static_cast<double>(std::exp(-(d * d / r2 + static_cast<Real>(a) * a) / 2) / (kTwoPi * std::sqrt(r2)));
}

double BiNormCdf(double a, double b, double rho) {
    double r = kNaN;
    if (rho > 1 || rho < -1)
        r = kNaN;
    else if (rho == 0)
        r = ZeroCorrelation(a, b, rho);
    else if (rho < 0)
        r = NegativeCorrelation(a, b, rho);
    else if (rho > 0)
        r = PositiveCorrelation(a, b, rho);
    return std::isfinite(r) && r < 0 ? 0.0 : r;
}

}  // namespace Zr::Math
