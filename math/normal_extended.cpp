// The standard normal functions at a long double point.
#include "math/normal_extended.h"

#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <limits>

#include "math/normal.h"

namespace Zr::Math {

namespace {
constexpr long double kInvSqrt2Pi = 0.398942280401432677939946059934381868L;
}  // namespace

long double NormPdfExtended(long double x) { return std::exp(-x * x / 2) * kInvSqrt2Pi; }

// Phi(hi + lo) = Phi(hi) + lo phi(hi): lo is below 1e-16 of hi, so the
// next term is far below a rounding.
double NormCdfExtended(long double x) {
    const double hi = static_cast<double>(x);
    if (!std::isfinite(hi)) return NormCdf(hi);
    return NormCdf(hi) + static_cast<double>((x - hi) * NormPdfExtended(hi));
}

// Every library error, as under the guard, becomes NaN.
long double NormInvExtended(double p) {
    try {
        return boost::math::quantile(boost::math::normal_distribution<long double>(), static_cast<long double>(p));
    } catch (...) {
        return std::numeric_limits<long double>::quiet_NaN();
    }
}

}  // namespace Zr::Math
