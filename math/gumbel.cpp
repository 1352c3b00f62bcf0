// The Gumbel distribution of the largest value, location alpha, scale beta:
// density, distribution function, quantile, moments and fit in closed form.
#include "math/gumbel.h"

#include <cmath>

#include "math/constants.h"

namespace Zr::Math {
namespace {

constexpr double kZeta3 = 1.20205690315959;
constexpr double kPiCubed = 31.006276680299724;  // kPi cubed

}  // namespace

double GumbelPdf(double x, double alpha, double beta) {
    const double t = std::exp(-(x - alpha) / beta);
    // Far below the location t overflows and exp(-t) * t would be 0 * inf;
    // the density there is 0.
    if (std::isinf(t)) return 0.0;
    return std::exp(-t) * t / beta;
}

double GumbelCdf(double x, double alpha, double beta) { return std::exp(-std::exp(-(x - alpha) / beta)); }

double GumbelInv(double p, double alpha, double beta) { return alpha - beta * std::log(-std::log(p)); }

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
