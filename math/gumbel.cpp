// The Gumbel distribution of the largest value, location alpha, scale beta:
// density, distribution function, quantile, moments and fit in closed form.
#include "math/gumbel.h"

#include <cmath>

#include "math/careful_forms.h"
#include "math/constants.h"

namespace Zr::Math {
namespace {

constexpr double kZeta3 = 1.20205690315959;
constexpr double kPiCubed = 31.006276680299724;  // kPi cubed

// The formulas in double where they keep their digits, z = (x - alpha) /
// beta between kLeft and kRight. Below, t = exp(-z) is large and exp(-t)
// multiplies the rounding of t (and of z) by t: t is taken in long double.
// Above, the density exp(-z) / beta multiplies z's rounding by z: z is taken
// in long double. Beyond kFarLeft and kFarRight, where exp(-t) or exp(-z)
// leaves the normal doubles before a tiny beta divides it, so is the rest.
constexpr double kFarLeft = -6.56, kLeft = -3, kRight = 36, kFarRight = 700;

// e as a double and the rest of it.
constexpr double kE = 2.718281828459045, kERest = 1.4456468917292502e-16;

// ln(-ln p) around p = 1/e, where it is near 0 and the rounding of ln p,
// about 1.2e-16, would be a larger part of it (1e-13 of it at |ln(-ln p)| =
// 1.2e-3): used where |ln(-ln p)| is below 0.011, p between 0.364 and 0.372.
// There -ln p = 1 - ln(1 + u) with u = p e - 1 from an exact product (fma)
// and the rest of e, and ln(-ln p) = ln(1 - ln(1 + u)) keeps its digits.
// Not inlined, so that the usual path keeps its short call.
[[gnu::noinline]] double LogLogNearOneOverE(double p) {
    return std::log1p(-std::log1p(std::fma(p, kE, -1.0) + p * kERest));
}

}  // namespace

double GumbelPdf(double x, double alpha, double beta) {
    if (const double z = (x - alpha) / beta; z > kLeft && z < kRight) {
        const double t = std::exp(-z);
        return std::exp(-t) * t / beta;
    }
    const long double zl = StandardPoint(x, alpha, beta);
    if (zl > kFarLeft && zl < kLeft) {
        const long double t = std::exp(-zl);
        return static_cast<double>(ExpNeg(t) * (t / beta));
    }
    if (zl > kRight && zl < kFarRight) {
        const double t = ExpNeg(zl);
        return std::exp(-t) * t / beta;
    }
    const long double t = std::exp(-zl);
    // Far below the location t overflows and exp(-t) * t would be 0 * inf;
    // the density there is 0.
    if (std::isinf(t)) return 0.0;
    return static_cast<double>(std::exp(-t) * t / beta);
}

double GumbelCdf(double x, double alpha, double beta) {
    if (const double z = (x - alpha) / beta; z > kLeft) return std::exp(-std::exp(-z));
    const long double zl = StandardPoint(x, alpha, beta), t = std::exp(-zl);
    return zl > kFarLeft ? ExpNeg(t) : static_cast<double>(std::exp(-t));
}

// alpha - beta ln(-ln p), with ln(-ln p) from LogLogNearOneOverE for p
// between 0.364 and 0.372.
double GumbelInv(double p, double alpha, double beta) {
    return alpha - beta * (p > 0.364 && p < 0.372 ? LogLogNearOneOverE(p) : std::log(-std::log(p)));
}

Moments GumbelMoments(double alpha, double beta) {
    return {beta * kEulerGamma + alpha, beta * kPi / std::sqrt(6.0), std::sqrt(6.0) * 12 * kZeta3 / kPiCubed, 2.4};
}

bool GumbelFit(double mean, double stdev, double& alpha, double& beta) {
    if (stdev <= 0) return false;
    const double b = std::sqrt(6.0) * stdev / kPi, a = mean - kEulerGamma * b;
    if (!std::isfinite(a) || !std::isfinite(b) || !(b > 0)) return false;
    alpha = a;
    beta = b;
    return true;
}

}  // namespace Zr::Math
