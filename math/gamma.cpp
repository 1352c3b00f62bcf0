// The gamma distribution: Boost.Math under the guard, and the moments in
// closed form.
#include "math/gamma.h"

#include <boost/math/distributions/gamma.hpp>
#include <cmath>

#include "math/boost_guard.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto Gamma(double alpha, double beta) {
    return [=] { return bm::gamma_distribution<double>(alpha, beta); };
}

}  // namespace

double GammaPdf(double x, double alpha, double beta) { return Pdf(Gamma(alpha, beta), x); }
double GammaCdf(double x, double alpha, double beta) { return Cdf(Gamma(alpha, beta), x); }
double GammaInv(double p, double alpha, double beta) { return Quantile(Gamma(alpha, beta), p); }

Moments GammaMoments(double alpha, double beta) {
    return {alpha * beta, std::sqrt(alpha) * beta, 2 / std::sqrt(alpha), 6 / alpha};
}

}  // namespace Zr::Math
