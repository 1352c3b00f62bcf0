// Fisher's F distribution: Boost.Math under the guard, and the moments in
// closed form.
#include "math/f_distribution.h"

#include <boost/math/distributions/fisher_f.hpp>
#include <cmath>

#include "math/boost_guard.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto Fisher(int32_t n1, int32_t n2) {
    return [=] { return bm::fisher_f_distribution<double>(double(n1), double(n2)); };
}

}  // namespace

double FPdf(double x, int32_t n1, int32_t n2) { return Pdf(Fisher(n1, n2), x); }
double FCdf(double x, int32_t n1, int32_t n2) { return Cdf(Fisher(n1, n2), x); }
double FInv(double p, int32_t n1, int32_t n2) { return Quantile(Fisher(n1, n2), p); }

double FMean(int32_t n2) {
    const double d2 = n2;
    return d2 / (d2 - 2);
}

double FStdev(int32_t n1, int32_t n2) {
    const double d1 = n1, d2 = n2, n = d1 + d2 - 2;
    return std::sqrt(2 * d2 * d2 * n / (d1 * (d2 - 2) * (d2 - 2) * (d2 - 4)));
}

double FSkew(int32_t n1, int32_t n2) {
    const double d1 = n1, d2 = n2, n = d1 + d2 - 2;
    return std::sqrt(8 * (d2 - 4)) * (2 * d1 + d2 - 2) / (std::sqrt(n * d1) * (d2 - 6));
}

double FKurt(int32_t n1, int32_t n2) {
    const double d1 = n1, d2 = n2, n = d1 + d2 - 2;
    return 12 * ((d2 - 2) * (d2 - 2) * (d2 - 4) + (5 * d2 - 22) * d1 * n) / ((d2 - 6) * d1 * (d2 - 8) * n);
}

}  // namespace Zr::Math
