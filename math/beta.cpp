// The beta distribution: Boost.Math under the guard, and the moments and fit
// in closed form.
#include "math/beta.h"

#include <boost/math/distributions/beta.hpp>
#include <cmath>

#include "math/boost_guard.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto Beta(double alpha, double beta) {
    return [=] { return bm::beta_distribution<double>(alpha, beta); };
}

}  // namespace

double BetaPdf(double x, double alpha, double beta) { return Pdf(Beta(alpha, beta), x); }
double BetaCdf(double x, double alpha, double beta) { return Cdf(Beta(alpha, beta), x); }
double BetaInv(double p, double alpha, double beta) { return Quantile(Beta(alpha, beta), p); }

Moments BetaMoments(double alpha, double beta) {
    const double s = alpha + beta, product = alpha * beta;
    const double v = product / ((s + 1) * s * s);
    const double skew = 2 * (beta - alpha) * std::sqrt(s + 1) / ((s + 2) * std::sqrt(product));
    const double kurt = 6 *
                        (alpha * alpha * alpha - (2 * beta - 1) * alpha * alpha + beta * beta * (beta + 1) -
                         2 * product * (beta + 2)) /
                        ((s + 2) * product * (s + 3));
    return {alpha / s, v > 0 ? std::sqrt(v) : 0.0, skew, kurt};
}

bool BetaFit(double mean, double stdev, double& alpha, double& beta) {
    const double spread = mean * (1 - mean), v = stdev * stdev;
    if (mean <= 0 || mean >= 1 || stdev <= 0 || v >= spread) return false;
    const double k = spread / v - 1;
    alpha = k * mean;
    beta = k * (1 - mean);
    return true;
}

}  // namespace Zr::Math
