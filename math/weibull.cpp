// The Weibull distribution, shape alpha and scale beta: density,
// distribution function and quantile in closed form, accurate for shapes up
// to 1e10 and out to where the doubles end (Boost.Math decides only the
// arguments outside the distribution), and the moments from the raw moments
// beta^k Gamma(1 + k/alpha). The fit is in weibull_fit.cpp.
#include "math/weibull.h"

#include <boost/math/distributions/weibull.hpp>
#include <cfloat>
#include <cmath>

#include "math/boost_guard.h"
#include "math/careful_forms.h"
#include "math/log_gamma.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto Weibull(double alpha, double beta) {
    return [=] { return bm::weibull_distribution<double>(alpha, beta); };
}

// The parameters Boost.Math accepts; any other goes to it for its NaN.
bool Inside(double alpha, double beta) {
    return alpha > 0 && std::isfinite(alpha) && beta > 0 && std::isfinite(beta);
}

// ln u, u = (x / beta)^alpha, in long double: u's relative error is this
// logarithm's absolute error. Near x = beta the ratio's rounding would be
// all of its logarithm, which alpha then multiplies: there ln(1 + (x - beta)
// / beta) with the exact difference.
long double LogPower(double x, double alpha, double beta) {
    const long double ratioLog = std::abs(x - beta) < 0.5 * beta
                                     ? std::log1p((static_cast<long double>(x) - beta) / beta)
                                     : std::log(static_cast<long double>(x) / beta);
    return alpha * ratioLog;
}

// pow(x / beta, alpha) multiplies the ratio's rounding by alpha (and so may
// the runtime's pow, which MinGW's does for whole alpha): the double formulas
// keep shapes up to kShape (7e-15), the density only while (alpha + 1) u
// stays below kPdfBound, as its factor exp(-u) multiplies u's error by u
// again (3e-14).
constexpr double kShape = 64, kPdfBound = 200;

// The double formulas need a shape in (0, kShape], a positive scale and a
// ratio y = x / beta of normal size (so x is positive and finite too).
bool Plain(double y, double alpha, double beta) {
    return alpha > 0 && alpha <= kShape && beta > 0 && y >= DBL_MIN && y <= DBL_MAX;
}

}  // namespace

// alpha / x * u * exp(-u), the textbook (alpha / beta) (x / beta)^(alpha - 1)
// exp(-u) with one power.
double WeibullPdf(double x, double alpha, double beta) {
    if (const double y = x / beta; Plain(y, alpha, beta)) {
        const double u = std::pow(y, alpha);
        if (u >= DBL_MIN && (alpha + 1) * u <= kPdfBound) return alpha * u * std::exp(-u) / x;
    }
    if (!Inside(alpha, beta) || !(x > 0 && x <= DBL_MAX)) return Pdf(Weibull(alpha, beta), x);
    const long double u = std::exp(LogPower(x, alpha, beta));
    // Beyond this exp(-u) takes everything below the smallest double with it.
    if (u > 1e5) return 0.0;
    return static_cast<double>(alpha * u / x * (u < 700 ? ExpNeg(u) : std::exp(-u)));
}

double WeibullCdf(double x, double alpha, double beta) {
    if (const double y = x / beta; Plain(y, alpha, beta)) return -std::expm1(-std::pow(y, alpha));
    if (!Inside(alpha, beta) || !(x >= 0 && x <= DBL_MAX)) return Cdf(Weibull(alpha, beta), x);
    return static_cast<double>(-std::expm1(-std::exp(LogPower(x, alpha, beta))));
}

// beta (-ln(1 - p))^(1/alpha). The rounding of 1/alpha costs ln(x / beta)
// times its relative error, and that of -ln(1 - p) 1/alpha times its own:
// the double formula keeps 2e-14 for shapes of 1/2 or more from p = 1e-16
// (|ln(x / beta)| below 74), and for shapes from 0.02 while x / beta is
// within 1e+-60 of 1. Elsewhere the power is taken in long double as
// exp(ln(-ln(1 - p)) / alpha).
double WeibullInv(double p, double alpha, double beta) {
    if (const WeibullQuantile q(alpha, beta); q.Direct(p)) return q.DirectValue(p);
    if (!Inside(alpha, beta) || !(p >= 0 && p < 1)) return Quantile(Weibull(alpha, beta), p);
    if (alpha >= 0.02) {
        const double power = std::pow(-std::log1p(-p), 1 / alpha);
        if (power > 1e-60 && power < 1e60) return beta * power;
    }
    const long double hazard = -std::log1p(-static_cast<long double>(p));
    return static_cast<double>(beta * std::exp(std::log(hazard) / alpha));
}

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
