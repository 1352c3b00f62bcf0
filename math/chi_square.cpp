// The chi-square distribution: Boost.Math under the guard, and the moments in
// closed form.
#include "math/chi_square.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <cmath>

#include "math/boost_guard.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto ChiSq(int32_t n) {
    return [=] { return bm::chi_squared_distribution<double>(double(n)); };
}

}  // namespace

double ChiSqPdf(double x, int32_t n) { return Pdf(ChiSq(n), x); }
double ChiSqCdf(double x, int32_t n) { return Cdf(ChiSq(n), x); }
double ChiSqInv(double p, int32_t n) { return Quantile(ChiSq(n), p); }

Moments ChiSqMoments(int32_t n) {
    const double nd = n;
    return {nd, std::sqrt(2 * nd), std::sqrt(8 / nd), 12 / nd};
}

}  // namespace Zr::Math
