// The Poisson distribution: the incomplete gamma functions in long double
// for a positive finite mean, Boost.Math under the guard for the rest (its
// parameter checks and end points), and the moments in closed form.
#include "math/poisson.h"

#include <boost/math/distributions/poisson.hpp>
#include <cmath>
#include <limits>

#include "math/boost_guard.h"
#include "math/incomplete_gamma.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto Poisson(double mean) {
    return [=] { return bm::poisson_distribution<double>(mean); };
}

bool Inside(double mean) { return mean > 0 && std::isfinite(mean); }

// P(K <= k) = Q(k + 1, mean), or P(K > k) = P(k + 1, mean) when upper.
long double Tail(double k, double mean, bool upper) { return IncompleteGamma::Tail(k + 1.0L, mean, !upper); }

}  // namespace

double PoissonPdf(int32_t k, double mean) {
    if (!(Inside(mean) && k >= 0)) return Pdf(Poisson(mean), double(k));
    // mean^k e^-mean / k! = the gamma density at mean with shape k + 1
    return double(IncompleteGamma::Density(k + 1.0L, mean));
}
double PoissonCdf(int32_t k, double mean) {
    if (!(Inside(mean) && k >= 0)) return Cdf(Poisson(mean), double(k));
    return double(Tail(k, mean, false));
}
// Above 2^53 the whole numbers are no longer all doubles, and the library's
// search for the whole-number quantile, stepping from one to the next, would
// never end (it does not for a mean of 1e18): such a mean gives NaN.
constexpr double kLargestPoissonMean = 9007199254740992.0;

double PoissonInv(double p, double mean) {
    if (mean > kLargestPoissonMean) return std::numeric_limits<double>::quiet_NaN();
    if (!(Inside(mean) && p > 0 && p < 1)) return Quantile(Poisson(mean), p);
    // Rounded outwards, as the library does: below 1/2 the last k with
    // P(K <= k) <= p, from it on the first with P(K <= k) >= p. Both are the
    // first k at which Reached(k) holds, less one below 1/2. From 1/2 on the
    // comparison is of upper tails, 1 - p being exact.
    const bool upper = p >= 0.5;
    const auto reached = [&](double k) {
        return upper ? Tail(k, mean, true) <= 1 - p : Tail(k, mean, false) > p;
    };
    // Start from the Cornish-Fisher estimate, widen a bracket around it by
    // doubling steps (NaN if a tail could not be evaluated), then bisect.
    const double z = -std::sqrt(2.0) * bm::erfc_inv(2 * p), guess = mean + z * std::sqrt(mean) + (z * z - 1) / 6;
    double lo = -1, hi = std::max(0.0, std::floor(guess));  // Reached(lo) false, Reached(hi) true
    for (double step = 1; !reached(hi); step *= 2) {
        if (step > 1e17) return std::numeric_limits<double>::quiet_NaN();
        lo = hi, hi += step;
    }
    if (lo < 0)
        for (double step = 1; hi > 0; step *= 2) {
            const double k = std::max(0.0, hi - step);
            if (!reached(k)) {
                lo = k;
                break;
            }
            hi = k;
        }
    while (hi - lo > 1) {
        const double mid = std::floor(lo + (hi - lo) / 2);
        (reached(mid) ? hi : lo) = mid;
    }
    return upper ? hi : std::max(0.0, hi - 1);
}

Moments PoissonMoments(double mean) { return {mean, std::sqrt(mean), 1 / std::sqrt(mean), 1 / mean}; }

}  // namespace Zr::Math
