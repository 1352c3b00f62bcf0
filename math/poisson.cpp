// The Poisson distribution: Boost.Math under the guard, and the moments in
// closed form.
#include "math/poisson.h"

#include <boost/math/distributions/poisson.hpp>
#include <cmath>
#include <limits>

#include "math/boost_guard.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto Poisson(double mean) {
    return [=] { return bm::poisson_distribution<double>(mean); };
}

}  // namespace

double PoissonPdf(int32_t k, double mean) { return Pdf(Poisson(mean), double(k)); }
double PoissonCdf(int32_t k, double mean) { return Cdf(Poisson(mean), double(k)); }
// Above 2^53 the whole numbers are no longer all doubles, and the library's
// search for the whole-number quantile, stepping from one to the next, would
// never end (it does not for a mean of 1e18): such a mean gives NaN.
constexpr double kLargestPoissonMean = 9007199254740992.0;

double PoissonInv(double p, double mean) {
    if (mean > kLargestPoissonMean) return std::numeric_limits<double>::quiet_NaN();
    return Quantile(Poisson(mean), p);
}

Moments PoissonMoments(double mean) { return {mean, std::sqrt(mean), 1 / std::sqrt(mean), 1 / mean}; }

}  // namespace Zr::Math
