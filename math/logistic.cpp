// The logistic distribution: density, distribution function and quantile in
// closed form, accurate into the far tails (Boost.Math decides only the
// arguments outside the distribution), and the moments and fit.
#include "math/logistic.h"

#include <boost/math/distributions/logistic.hpp>
#include <cfloat>
#include <cmath>

#include "math/boost_guard.h"
#include "math/careful_forms.h"
#include "math/constants.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto Logistic(double m, double b) {
    return [=] { return bm::logistic_distribution<double>(m, b); };
}

// The arguments Boost.Math accepts; any other goes to it for its NaN (or, at
// an infinite x, its 0 or 1).
bool Inside(double x, double m, double b) { return std::isfinite(x) && std::isfinite(m) && b > 0 && std::isfinite(b); }

// exp(-|z|) turns the rounding of z = (x - m) / b into |z| times that
// relative error: beyond this many scales z is taken in long double, and
// beyond kFar so is exp(-|z|), which would otherwise underflow before the
// division by a tiny b.
constexpr double kTail = 32, kFar = 700;

}  // namespace

double LogisticPdf(double x, double m, double b) {
    // A NaN or infinite argument fails the test (z NaN or infinite, or b out
    // of range), and so does a tail.
    if (const double z = std::abs((x - m) / b); z < kTail && b > 0 && b <= DBL_MAX) {
        const double e = std::exp(-z);
        return e / ((1 + e) * (1 + e)) / b;
    }
    if (!Inside(x, m, b)) return Pdf(Logistic(m, b), x);
    const long double zl = std::abs(StandardPoint(x, m, b));
    if (zl < kFar) {
        const double e = ExpNeg(zl);
        return e / ((1 + e) * (1 + e)) / b;
    }
    const long double e = std::exp(-zl);
    return static_cast<double>(e / ((1 + e) * (1 + e)) / b);
}

double LogisticCdf(double x, double m, double b) {
    const double z = (x - m) / b;  // tested as in LogisticPdf
    if (z > -kTail && z <= DBL_MAX && b > 0 && b <= DBL_MAX) return 1 / (1 + std::exp(-z));
    if (!Inside(x, m, b)) return Cdf(Logistic(m, b), x);
    if (z > 0) return 1.0;  // x - m or z overflowed
    const long double zl = StandardPoint(x, m, b);
    if (zl > -kFar) {
        const double e = ExpNeg(-zl);
        return e / (1 + e);
    }
    const long double e = std::exp(zl);
    return static_cast<double>(e / (1 + e));
}

// m - b ln((1 - p) / p). Near p = 1/2 the logarithm is near 0 and the
// ratio's rounding would be all of it (1e-13 of it at |p - 1/2| = 5.5e-4):
// within 0.0025 of 1/2 it is ln(1 + (1 - 2p) / p), whose 1 - 2p is exact.
// Below 1e-300 the ratio would overflow, and 1 - p is 1.
double LogisticInv(double p, double m, double b) {
    if (!(p > 0 && p < 1) || !Inside(0, m, b)) return Quantile(Logistic(m, b), p);
    return LogisticQuantileInside(p, m, b);
}

Moments LogisticMoments(double m, double b) { return {m, b * kPi / std::sqrt(3.0), 0.0, 1.2}; }

bool LogisticFit(double mean, double stdev, double& m, double& b) {
    if (stdev <= 0) return false;
    const double scale = std::sqrt(3.0) * stdev / kPi;
    if (!std::isfinite(mean) || !std::isfinite(scale) || !(scale > 0)) return false;
    m = mean;
    b = scale;
    return true;
}

}  // namespace Zr::Math
