// The fits that invert their moment formulas in closed form.
#include <cmath>

#include "math/closed_form_moments.h"
#include "math/fits.h"

namespace Zr::Math {

bool BetaFit(double mean, double stdev, double& alpha, double& beta) {
    const double spread = mean * (1 - mean), v = stdev * stdev;
    if (mean <= 0 || mean >= 1 || stdev <= 0 || v >= spread) return false;
    const double k = spread / v - 1;
    alpha = k * mean;
    beta = k * (1 - mean);
    return true;
}

bool GumbelFit(double mean, double stdev, double& alpha, double& beta) {
    if (stdev <= 0) return false;
    const double b = std::sqrt(6.0) * stdev / kPi, a = mean - kEulerGamma * b;
    if (!std::isfinite(a) || !std::isfinite(b) || !(b > 0)) return false;
    alpha = a;
    beta = b;
    return true;
}

bool LogisticFit(double mean, double stdev, double& m, double& b) {
    if (stdev <= 0) return false;
    const double scale = std::sqrt(3.0) * stdev / kPi;
    if (!std::isfinite(mean) || !std::isfinite(scale) || !(scale > 0)) return false;
    m = mean;
    b = scale;
    return true;
}

// ln x with x = 1 + (stdev/mean)^2 is taken by log1p: formed as 1 + r^2 it
// keeps only the leading digits of a small r^2 (s had lost 4e-5 of its value
// at stdev/mean = 1e-6).
bool LogNormFit(double mean, double stdev, double& m, double& s) {
    if (stdev <= 0 || mean <= 0) return false;
    const double r = stdev / mean, logX = std::log1p(r * r);
    m = std::log(mean) - 0.5 * logX;
    s = std::sqrt(logX);
    return true;
}

}  // namespace Zr::Math
