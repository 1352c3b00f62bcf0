// The Weibull distribution, shape alpha and scale beta: Boost.Math under the
// guard, and the moments from the raw moments beta^k Gamma(1 + k/alpha). The
// fit is in weibull_fit.cpp.
#include "math/weibull.h"

#include <boost/math/distributions/weibull.hpp>
#include <cmath>

#include "math/boost_guard.h"
#include "math/log_gamma.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto Weibull(double alpha, double beta) {
    return [=] { return bm::weibull_distribution<double>(alpha, beta); };
}

}  // namespace

double WeibullPdf(double x, double alpha, double beta) { return Pdf(Weibull(alpha, beta), x); }
double WeibullCdf(double x, double alpha, double beta) { return Cdf(Weibull(alpha, beta), x); }
double WeibullInv(double p, double alpha, double beta) { return Quantile(Weibull(alpha, beta), p); }

double WeibullRawMoment(double alpha, double beta, int k) {
    double power = 1.0;
    for (int i = 0; i < k; ++i) power *= beta;
    return power * std::exp(LogGamma(k / alpha + 1));
}

Moments WeibullMoments(double alpha, double beta) {
    const double m1 = WeibullRawMoment(alpha, beta, 1), m2 = WeibullRawMoment(alpha, beta, 2);
    const double m3 = WeibullRawMoment(alpha, beta, 3), m4 = WeibullRawMoment(alpha, beta, 4);
    const double s = std::sqrt(m2 - m1 * m1);
    const double s2 = s * s, m1Cubed = m1 * m1 * m1;
    const double third = m3 - 3 * m1 * s2 - m1Cubed;
    const double kurt = (m4 - 4 * m1 * third - 6 * m1 * m1 * s2 - m1Cubed * m1) / (s2 * s2) - 3;
    return {m1, s, third / (s2 * s), kurt};
}

}  // namespace Zr::Math
