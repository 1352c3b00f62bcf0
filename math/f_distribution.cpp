// Fisher's F distribution: Boost.Math in long double under the guard, the
// beta asymptotic expansion where both degrees of freedom are large, the
// beta quantile where the library's inverse is slow or gives up, and the
// moments in closed form.
#include "math/f_distribution.h"

#include <boost/math/distributions/fisher_f.hpp>
#include <algorithm>
#include <cmath>

#include "math/beta.h"
#include "math/beta_asymptotic.h"
#include "math/beta_lower_tail.h"
#include "math/boost_guard.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto Fisher(int32_t n1, int32_t n2) {
    return [=] { return bm::fisher_f_distribution<long double>(n1, n2); };
}

}  // namespace

double FPdf(double x, int32_t n1, int32_t n2) { return Pdf(Fisher(n1, n2), x); }
double FCdf(double x, int32_t n1, int32_t n2) {
    // With one degree of freedom each the library's arcsine form takes
    // 1 - x in long double and loses the upper tail: 2/pi atan(sqrt(x)) keeps it.
    if (n1 == 1 && n2 == 1 && x > 0 && std::isfinite(x))
        return double(std::atan(std::sqrt(static_cast<long double>(x))) / (std::acos(-1.0L) / 2));
    // Otherwise I_x'(n1/2, n2/2) at x' = n1 x / (n1 x + n2): with both degrees
    // of freedom large, the expansion near the mean, at
    // lambda = n1/2 - (n1 + n2)/2 x' = n1 n2 (1 - x) / (2 (n1 x + n2)).
    if (x > 0 && std::isfinite(x)) {
        const long double d1 = n1, d2 = n2;
        const long double I = BetaAsymptoticCdf(d1 / 2, d2 / 2, d1 * d2 * (1 - x) / (2 * (d1 * x + d2)));
        if (!std::isnan(I)) return double(I);
    }
    return Cdf(Fisher(n1, n2), x);
}
double FInv(double p, int32_t n1, int32_t n2) {
    // x = n1 f / (n1 f + n2) is the beta(n1/2, n2/2) quantile. With both
    // degrees of freedom large, x = (n1/2 - lambda) / ((n1 + n2)/2) from the
    // beta expansion's quantile, so f = n2 (n1/2 - lambda) / (n1 (n2/2 + lambda)).
    const double d1 = n1, d2 = n2;
    if (p > 0 && p < 1 && n1 > 0 && n2 > 0) {
        const long double lambda = BetaAsymptoticInvLambda(p, d1 / 2, d2 / 2);
        if (!std::isnan(lambda)) return double(d2 * (d1 / 2 - lambda) / (d1 * (d2 / 2 + lambda)));
    }
    // f = n2 / (n1 (1/x - 1)): in the far lower tail the beta Newton steps
    // are quicker than the library's F inverse, which also gives up there.
    // Where x is near 1 they solve for 1 - x; elsewhere ln x carries about
    // 1e-19 absolutely, so 1/x - 1 keeps 1e-14 only while ln x < -1e-5.
    // The upper tail is the lower tail of 1 - x, from the other side.
    if (p > 0 && p < 1 && n1 > 0 && n2 > 0 && std::min(n1, n2) < 2000) {
        if (p < 1e-4) {
            const long double y = BetaNearOneInv(p, d1 / 2, d2 / 2);
            if (!std::isnan(y)) return double(d2 * (1 - y) / (d1 * y));
            const long double u = BetaLowerTailLogInv(p, d1 / 2, d2 / 2);
            if (u < -1e-5L) return double(d2 / (d1 * std::expm1(-u)));
        } else if (1 - p < 1e-4) {
            const long double x = BetaNearOneInv(1 - p, d2 / 2, d1 / 2);
            if (!std::isnan(x)) return double(d2 * x / (d1 * (1 - x)));
            const long double u = BetaLowerTailLogInv(1 - p, d2 / 2, d1 / 2);
            if (u < -1e-5L) return double(d2 * std::expm1(-u) / d1);
        }
    }
    const double f = Quantile(Fisher(n1, n2), p);
    if (!std::isnan(f) || !(p > 0 && p < 1 && n1 > 0 && n2 > 0)) return f;
    if (p <= 0.5) {
        const double x = BetaInv(p, d1 / 2, d2 / 2);
        return d2 * x / (d1 * (1 - x));
    }
    const double y = BetaInv(1 - p, d2 / 2, d1 / 2);
    return d2 * (1 - y) / (d1 * y);
}

double FMean(int32_t n2) {
    const double d2 = n2;
    return d2 / (d2 - 2);
}

double FStdev(int32_t n1, int32_t n2) {
    const double d1 = n1, d2 = n2, n = d1 + d2 - 2;
    return std::sqrt(2 * d2 * d2 * n / (d1 * (d2 - 2) * (d2 - 2) * (d2 - 4)));
}

double FSkew(int32_t n1, int32_t n2) {
    const double d1 = n1, d2 = n2, n = d1 + d2 - 2;
    return std::sqrt(8 * (d2 - 4)) * (2 * d1 + d2 - 2) / (std::sqrt(n * d1) * (d2 - 6));
}

double FKurt(int32_t n1, int32_t n2) {
    const double d1 = n1, d2 = n2, n = d1 + d2 - 2;
    return 12 * ((d2 - 2) * (d2 - 2) * (d2 - 4) + (5 * d2 - 22) * d1 * n) / ((d2 - 6) * d1 * (d2 - 8) * n);
}

}  // namespace Zr::Math
