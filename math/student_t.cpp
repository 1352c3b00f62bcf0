// Student's t distribution: Boost.Math under the guard, and the standard
// deviation and kurtosis in closed form.
#include "math/student_t.h"

#include <boost/math/distributions/students_t.hpp>
#include <cmath>

#include "math/boost_guard.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto Student(int32_t n) {
    return [=] { return bm::students_t_distribution<double>(double(n)); };
}

}  // namespace

double TPdf(double x, int32_t n) { return Pdf(Student(n), x); }
double TCdf(double x, int32_t n) { return Cdf(Student(n), x); }
double TInv(double p, int32_t n) { return Quantile(Student(n), p); }

double TStdev(int32_t n) {
    const double d = n;
    return std::sqrt(d / (d - 2));
}

double TKurt(int32_t n) { return 6 / (double(n) - 4); }

}  // namespace Zr::Math
