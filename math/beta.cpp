// The beta distribution: Boost.Math in long double under the guard, the
// asymptotic expansion where both shapes are large, Newton steps where the
// library's inverse is slow or gives up, and the moments and fit in closed
// form.
#include "math/beta.h"
#include "math/beta_asymptotic.h"
#include "math/beta_lower_tail.h"

#include <boost/math/distributions/beta.hpp>
#include <boost/math/special_functions/beta.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <algorithm>
#include <cmath>
#include <limits>

#include "math/boost_guard.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

using Real = long double;

constexpr double kFarTail = 1e-4, kNewtonShape = 1e3, kNearOne = 1e-2;

// Double loses about shape x epsilon in the library's prefixes; long double
// keeps that below 1e-13 up to shapes of 1e6 and 1e-10 up to 1e10.
auto Beta(double alpha, double beta) {
    return [=] { return bm::beta_distribution<Real>(alpha, beta); };
}

}  // namespace

long double BetaLowerTailLogInv(Real p, Real a, Real b) {
    try {
        const Real lnP = std::log(p);
        // With a large and above b, x lies nearer 1, where -ln x is nearly
        // gamma(b) distributed over a + (b - 1)/2: a closer start than the
        // leading term.
        Real u = a >= std::max(b, Real(10)) && b < kNewtonShape
                     ? -bm::gamma_q_inv(double(b), double(p)) / (a + (b - 1) / 2)
                     : (lnP + std::log(a) + std::lgamma(a) + std::lgamma(b) - std::lgamma(a + b)) / a;
        // ln I is almost linear in ln x, so the steps close in fast; once a
        // step is below 1e-9 one more reaches the rounding of ln x.
        bool last = false;
        for (int i = 0; i < 60; ++i) {
            const Real x = std::exp(std::min(u, -1e-12L));
            const Real I = bm::ibeta(a, b, x), slope = x * bm::ibeta_derivative(a, b, x) / I;
            const Real step = (lnP - std::log(I)) / slope;
            u = std::min(u, -1e-12L) + step;
            if (last) return u;
            last = std::abs(step) <= 1e-9L * std::min(Real(1), std::abs(u));
        }
    } catch (...) {
    }
    return std::numeric_limits<Real>::quiet_NaN();
}

long double BetaNearOneInv(Real p, Real a, Real b) {
    constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();
    if (!(a > 1e4L && b < kNewtonShape)) return kNaN;
    try {
        // With a large, a (1 - x) is nearly gamma(b) distributed.
        Real y = bm::gamma_q_inv(double(b), double(p)) / a;
        if (!(y > 0 && y < kNearOne)) return kNaN;
        // Newton steps on ln(1 - I_{1-x}(b, a)) in ln(1 - x), which the
        // library evaluates at 1 - x without rounding x near 1.
        const Real lnP = std::log(p);
        bool last = false;
        for (int i = 0; i < 20; ++i) {
            const Real Q = bm::ibetac(b, a, y), slope = y * bm::ibeta_derivative(b, a, y) / Q;
            const Real step = (std::log(Q) - lnP) / slope;
            y *= std::exp(step);
            if (last) return y;
            last = std::abs(step) <= 1e-9L;
        }
    } catch (...) {
    }
    return kNaN;
}

double BetaPdf(double x, double alpha, double beta) { return Pdf(Beta(alpha, beta), x); }
double BetaCdf(double x, double alpha, double beta) {
    // With both shapes large the library's continued fraction takes about
    // sqrt(shape) terms near the mean; the expansion takes a few.
    if (x > 0 && x < 1) {
        const Real I = BetaAsymptoticCdf(alpha, beta, alpha * (1 - Real(x)) - beta * Real(x));
        if (!std::isnan(I)) return double(I);
    }
    return Cdf(Beta(alpha, beta), x);
}

double BetaInv(double p, double alpha, double beta) {
    const bool valid = p > 0 && p < 1 && alpha > 0 && beta > 0;
    // With both shapes large, Newton steps on the expansion: each step of
    // the library's inverse costs a slow continued fraction there.
    if (valid) {
        const Real lambda = BetaAsymptoticInvLambda(p, alpha, beta);
        if (!std::isnan(lambda)) return double((alpha - lambda) / (Real(alpha) + beta));
    }
    // In the far tails the Newton steps are faster than the library's
    // inverse, which also gives up there in places. Near 1 they solve for
    // 1 - x, whose digits ln x does not carry. The upper tail is the lower
    // tail of 1 - x, whose log carries about 1e-19 absolutely:
    // x = -expm1(ln(1 - x)) keeps 1e-14 while ln(1 - x) < -1e-5.
    if (valid && std::min(alpha, beta) < kNewtonShape) {
        if (p < kFarTail) {
            const Real y = BetaNearOneInv(p, alpha, beta);
            if (!std::isnan(y)) return double(1 - y);
            const Real u = BetaLowerTailLogInv(p, alpha, beta);
            if (!std::isnan(u)) return double(std::exp(u));
        } else if (1 - p < kFarTail) {
            const Real x = BetaNearOneInv(1 - p, beta, alpha);
            if (!std::isnan(x)) return double(x);
            const Real u = BetaLowerTailLogInv(1 - p, beta, alpha);
            if (u < -1e-5L) return double(-std::expm1(u));
        }
    }
    const double x = Quantile(Beta(alpha, beta), p);
    if (!std::isnan(x) || !valid) return x;
    return double(p <= 0.5 ? std::exp(BetaLowerTailLogInv(p, alpha, beta))
                           : -std::expm1(BetaLowerTailLogInv(1 - Real(p), beta, alpha)));
}

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
