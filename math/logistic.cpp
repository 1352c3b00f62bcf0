// The logistic distribution: Boost.Math under the guard, and the moments and
// fit in closed form.
#include "math/logistic.h"

#include <boost/math/distributions/logistic.hpp>
#include <cmath>

#include "math/boost_guard.h"
#include "math/constants.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto Logistic(double m, double b) {
    return [=] { return bm::logistic_distribution<double>(m, b); };
}

}  // namespace

double LogisticPdf(double x, double m, double b) { return Pdf(Logistic(m, b), x); }
double LogisticCdf(double x, double m, double b) { return Cdf(Logistic(m, b), x); }
double LogisticInv(double p, double m, double b) { return Quantile(Logistic(m, b), p); }

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
