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

}  // namespace

double NormPdf(double x) { return Pdf(StandardNormal(), x); }
double NormCdf(double x) { return Cdf(StandardNormal(), x); }
double NormInv(double p) { return Quantile(StandardNormal(), p); }

}  // namespace Zr::Math
