// The chi-square distribution, the gamma with shape n/2 and scale 2: the
// incomplete gamma functions in long double for positive x and 0 < p < 1,
// Boost.Math under the guard for the rest (its parameter checks and end
// points), and the moments in closed form.
#include "math/chi_square.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <cmath>

#include "math/boost_guard.h"
#include "math/incomplete_gamma.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto ChiSq(int32_t n) {
    return [=] { return bm::chi_squared_distribution<double>(double(n)); };
}

bool Inside(double x, int32_t n) { return x > 0 && std::isfinite(x) && n > 0; }

}  // namespace

double ChiSqPdf(double x, int32_t n) {
    if (!Inside(x, n)) return Pdf(ChiSq(n), x);
    return double(IncompleteGamma::Density(0.5L * n, 0.5L * x) / 2);
}
double ChiSqCdf(double x, int32_t n) {
    if (!Inside(x, n)) return Cdf(ChiSq(n), x);
    return double(IncompleteGamma::Tail(0.5L * n, 0.5L * x, false));
}
double ChiSqInv(double p, int32_t n) {
    if (!(n > 0 && p > 0 && p < 1)) return Quantile(ChiSq(n), p);
    // The smaller tail: 1 - p is exact above 1/2.
    const bool upper = p > 0.5;
    return double(2 * IncompleteGamma::TailInv(0.5L * n, upper ? 1 - p : p, upper));
}

Moments ChiSqMoments(int32_t n) {
    const double nd = n;
    return {nd, std::sqrt(2 * nd), std::sqrt(8 / nd), 12 / nd};
}

}  // namespace Zr::Math
