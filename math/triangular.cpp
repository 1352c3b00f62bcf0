// The triangular distribution: Boost.Math under the guard, and the moments in
// closed form. The fit is in triangular_fit.cpp.
#include "math/triangular.h"

#include <boost/math/distributions/triangular.hpp>
#include <cmath>

#include "math/boost_guard.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto Triangular(double min, double max, double mode) {
    return [=] { return bm::triangular_distribution<double>(min, mode, max); };
}

}  // namespace

double TriangularPdf(double x, double min, double max, double mode) { return Pdf(Triangular(min, max, mode), x); }
double TriangularCdf(double x, double min, double max, double mode) { return Cdf(Triangular(min, max, mode), x); }
double TriangularInv(double p, double min, double max, double mode) {
    return Quantile(Triangular(min, max, mode), p);
}

Moments TriangularMoments(double min, double max, double mode) {
    const double q = min * min + max * max + mode * mode - min * mode - max * mode - min * max;
    const double sd = std::sqrt(q / 18);
    const double skew =
        (min + max - 2 * mode) * (2 * min - max - mode) * (min - 2 * max + mode) / (270 * sd * sd * sd);
    return {(min + max + mode) / 3, sd, skew, -0.6};
}

}  // namespace Zr::Math
