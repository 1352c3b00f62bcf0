// The standard normal distribution, evaluated by Boost.Math under the guard.
#include "math/normal.h"

#include <boost/math/distributions/normal.hpp>

#include "math/boost_guard.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto StandardNormal() {
    return [] { return bm::normal_distribution<double>(0.0, 1.0); };
}

constexpr long double kSqrt2 = 1.414213562373095048801688724209698079L;
// Below this the rounding of Boost's erfc argument tells (x^2 1e-16 of the result).
constexpr double kLowerTail = -5;

// Boost takes erfc(-d)/2 with d = x/sqrt2 rounded. In the lower tail erfc
// moves by 2x^2 of the argument's relative rounding (1.5e-13 of the result at
// x = -37), so there the result is moved by the residual x - d sqrt2 times the
// density, taken as Phi(x)(|x| + 1/|x|) (within 3e-3 from x = -5 on): the
// move is below 1.5e-13 of the result, so both approximations are far below
// a rounding, and the tail costs no exponential.
// Boost's erfc raises nothing here (x < -5, or -infinity, where p is 0).
double LowerTail(double x) {
    const double d = x / boost::math::constants::root_two<double>(), y = -x;
    const double p = boost::math::erfc(-d) / 2;
    const double residual = static_cast<double>(x - d * kSqrt2);
    return p == 0 ? p : p + residual * p * (y + 1 / y);
}

}  // namespace

double NormPdf(double x) { return Pdf(StandardNormal(), x); }
double NormCdf(double x) { return x < kLowerTail ? LowerTail(x) : Cdf(StandardNormal(), x); }
double NormInv(double p) { return Quantile(StandardNormal(), p); }

}  // namespace Zr::Math
