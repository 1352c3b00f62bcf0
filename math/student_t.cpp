// Student's t distribution: Boost.Math in long double under the guard, the
// quantile near the centre through the beta quantile, and the standard
// deviation and kurtosis in closed form.
#include "math/student_t.h"

#include <boost/math/distributions/students_t.hpp>
#include <cmath>

#include "math/beta.h"
#include "math/boost_guard.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

constexpr double kCentre = 0.01;

auto Student(int32_t n) {
    return [=] { return bm::students_t_distribution<long double>(n); };
}

}  // namespace

double TPdf(double x, int32_t n) { return Pdf(Student(n), x); }
double TCdf(double x, int32_t n) { return Cdf(Student(n), x); }
double TInv(double p, int32_t n) {
    // Near p = 1/2 the library's closed forms for small n cancel (NaN at
    // n = 4): t^2 / (n + t^2) is the beta(1/2, n/2) quantile of 2 |p - 1/2|,
    // which is exact in double there.
    if (std::abs(p - 0.5) < kCentre && n > 0) {
        const double x = BetaInv(2 * std::abs(p - 0.5), 0.5, 0.5 * n);
        return std::copysign(std::sqrt(n * x / (1 - x)), p - 0.5);
    }
    return Quantile(Student(n), p);
}

double TStdev(int32_t n) {
    const double d = n;
    return std::sqrt(d / (d - 2));
}

double TKurt(int32_t n) { return 6 / (double(n) - 4); }

}  // namespace Zr::Math
