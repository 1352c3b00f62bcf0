// The Weibull shape from the coefficient of variation: with t = 1/alpha,
// (mean^2 + stdev^2) / mean^2 = Gamma(1 + 2t) / Gamma(1 + t)^2, solved in
// logarithms for t.
#include <cmath>

#include "math/fit_solver.h"
#include "math/log_gamma.h"
#include "math/weibull.h"

namespace Zr::Math {
namespace {

// params[0] = ln(2M / (M + V)) with M = mean^2 and V = stdev^2.
bool WeibullSystem(const Vector& x, Matrix& jacobian, Vector& residuals, const double* params) {
    const double t = x[0];
    residuals[0] = LogGamma(2 * t) - 2 * LogGamma(t) - std::log(t) + params[0];
    jacobian(0, 0) = 2 * LogGammaDeriv(2 * t) - 2 * LogGammaDeriv(t) - 1 / t;
    return std::isfinite(residuals[0]);
}

}  // namespace

bool WeibullFit(double mean, double stdev, double& alpha, double& beta) {
    if (stdev <= 0 || mean <= 0) return false;
    // 2M / (M + V) = 2 / (1 + r^2) with r = stdev / mean: no square of the
    // moments themselves, which would overflow long before their ratio does.
    const double r = stdev / mean;
    const double params[] = {std::log(2.0) - std::log1p(r * r)};
    Vector t{1.0};
    if (!SolveFit(t, params, WeibullSystem)) return false;
    const double a = 1 / t[0], b = mean / (std::exp(LogGamma(t[0])) * t[0]);
    if (!(std::isfinite(a) && a > 0 && std::isfinite(b) && b > 0)) return false;
    alpha = a;
    beta = b;
    return true;
}

}  // namespace Zr::Math
