// The gamma distribution: the incomplete gamma functions in long double for
// positive x and 0 < p < 1, Boost.Math under the guard for the rest (its
// parameter checks and end points), and the moments in closed form.
#include "math/gamma.h"

#include <boost/math/distributions/gamma.hpp>
#include <cmath>

#include "math/boost_guard.h"
#include "math/incomplete_gamma.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto Gamma(double alpha, double beta) {
    return [=] { return bm::gamma_distribution<double>(alpha, beta); };
}

bool Inside(double x, double alpha, double beta) {
    return x > 0 && std::isfinite(x) && alpha > 0 && std::isfinite(alpha) && beta > 0 && std::isfinite(beta);
}

}  // namespace

double GammaPdf(double x, double alpha, double beta) {
    if (!Inside(x, alpha, beta)) return Pdf(Gamma(alpha, beta), x);
    return double(IncompleteGamma::Density(alpha, (long double)x / beta) / beta);
}
double GammaCdf(double x, double alpha, double beta) {
    if (!Inside(x, alpha, beta)) return Cdf(Gamma(alpha, beta), x);
    return double(IncompleteGamma::Tail(alpha, (long double)x / beta, false));
}
double GammaInv(double p, double alpha, double beta) {
    if (!(Inside(alpha, alpha, beta) && p > 0 && p < 1)) return Quantile(Gamma(alpha, beta), p);
    // The smaller tail: 1 - p is exact above 1/2.
    const bool upper = p > 0.5;
    return double(IncompleteGamma::TailInv(alpha, upper ? 1 - p : p, upper) * beta);
}

Moments GammaMoments(double alpha, double beta) {
    return {alpha * beta, std::sqrt(alpha) * beta, 2 / std::sqrt(alpha), 6 / alpha};
}

}  // namespace Zr::Math
