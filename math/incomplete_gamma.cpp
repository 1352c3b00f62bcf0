// The gamma density in Loader's saddle-point form, exp(-stirlerr(a) -
// bd0(a, x)) a / (x sqrt(2 pi a)), which keeps its accuracy for every shape,
// where x^a e^-x / Gamma(a) formed from powers loses about a times the
// rounding error. Boost.Math's incomplete gamma functions in long double are
// such a power (the same one as its density) times a series or continued
// fraction; dividing by its density and multiplying by ours keeps the series
// and mends the power.
#include "math/incomplete_gamma.h"

#include <boost/math/special_functions/gamma.hpp>
#include <cmath>
#include <limits>

namespace Zr::Math::IncompleteGamma {
namespace {

namespace bm = boost::math;
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double kLnSqrt2Pi = 0.918938533204672741780329736405617639861L;

// ln Gamma(n + 1) - ((n + 1/2) ln n - n + ln sqrt(2 pi)): Stirling's series
// from 16 on, and below it the recurrence Gamma(n + 1) = Gamma(n + k + 1) /
// ((n + 1) ... (n + k)).
long double StirlingError(long double n) {
    if (n < 16) {
        long double product = 1, m = n;
        while (m < 16) product *= ++m;
        return StirlingError(m) + (m + 0.5L) * std::log(m) - m - std::log(product) - (n + 0.5L) * std::log(n) + n;
    }
    // B_2k / (2k (2k - 1)), k = 1 .. 8
    static constexpr long double kSeries[8] = {1.0L / 12,  -1.0L / 360,        1.0L / 1260,  -1.0L / 1680,
                                               1.0L / 1188, -691.0L / 360360, 1.0L / 156, -3617.0L / 122400};
    const long double u = 1 / (n * n);
    long double s = 0;
    for (int k = 7; k >= 0; --k) s = s * u + kSeries[k];
    return s / n;
}

// a ln(a / x) + x - a without cancellation: a series in v = (a - x) / (a + x)
// when x is near a.
long double Deviance(long double a, long double x) {
    if (std::fabs(a - x) < 0.1L * (a + x)) {
        const long double v = (a - x) / (a + x), v2 = v * v;
        long double sum = (a - x) * v, term = 2 * a * v;
        for (int j = 1; j < 200; ++j) {
            term *= v2;
            const long double next = sum + term / (2 * j + 1);
            if (next == sum) break;
            sum = next;
        }
        return sum;
    }
    return a * std::log(a / x) + x - a;
}

using Policy = bm::policies::policy<bm::policies::promote_double<false>>;
using LongDoubleTemme = const boost::integral_constant<int, 64>*;

template <class Evaluate>
long double Guarded(Evaluate evaluate) {
    try {
        return evaluate();
    } catch (...) {
        return kNaN;
    }
}

}  // namespace

long double Density(long double a, long double x) {
    // x^a e^-x / Gamma(a + 1), then times a / x
    const long double twoPi = 2 * bm::constants::pi<long double>();
    return std::exp(-StirlingError(a) - Deviance(a, x)) / std::sqrt(twoPi * a) * (a / x);
}

long double Tail(long double a, long double x, bool upper) {
    const bool upperIsSmaller = x >= a;
    const long double smaller = Guarded([&] {
        // Near the mean of a large shape the library would sum an asymptotic
        // series of some sqrt(a) terms (its choice of Temme's expansion is
        // for double): take that expansion, which gives the smaller tail.
        if (a > 200 && std::fabs(x - a) < 0.4L * a)
            return bm::detail::igamma_temme_large(a, x, Policy(), LongDoubleTemme(nullptr));
        const long double tail = upperIsSmaller ? bm::gamma_q(a, x, Policy()) : bm::gamma_p(a, x, Policy());
        const long double density = bm::gamma_p_derivative(a, x, Policy());
        return density > 0 && std::isfinite(density) ? tail / density * Density(a, x) : tail;
    });
    // Out of long double's range the tail is below double's too.
    const long double tail = std::isnan(smaller) && Density(a, x) == 0 ? 0 : smaller;
    return upper == upperIsSmaller ? tail : 1 - tail;
}

long double TailInv(long double a, long double p, bool upper) {
    // Start from the library's inverse in double up to shapes of 200, from
    // the Wilson-Hilferty estimate beyond (the library's would take
    // milliseconds), or far down from P(a, x) ~ x^a / Gamma(a + 1).
    long double x;
    if (a <= 200) {
        x = Guarded([&] {
            const double ad = double(a), pd = double(p);
            return upper ? bm::gamma_q_inv(ad, pd, Policy()) : bm::gamma_p_inv(ad, pd, Policy());
        });
    } else {
        const long double z = std::sqrt(2.0L) * bm::erfc_inv(2 * p, Policy()) * (upper ? 1 : -1);
        const long double root = 1 - 1 / (9 * a) + z / (3 * std::sqrt(a));
        x = root > 0 ? a * root * root * root : 0;
    }
    if (!(x > 0 && std::isfinite(x))) {
        const long double lnGamma1 = StirlingError(a) + (a + 0.5L) * std::log(a) - a + kLnSqrt2Pi;
        x = std::exp((std::log(upper ? 1 - p : p) + lnGamma1) / a);
        if (!(x > 0)) return 0;
    }
    // Newton's method on ln Tail in ln x, which is nearly linear in the tails.
    long double previous = std::numeric_limits<long double>::infinity();
    for (int i = 0; i < 60; ++i) {
        if (x == 0) return 0;  // below long double's range
        const long double tail = Tail(a, x, upper), slope = x * Density(a, x) / tail;
        if (!(tail > 0 && slope > 0 && std::isfinite(slope))) return kNaN;
        long double step = (std::log(tail) - std::log(p)) / slope;
        if (upper) step = -step;
        step = std::max(-2.0L, std::min(2.0L, step));
        x *= std::exp(-step);
        const long double size = std::fabs(step);
        if (size < 1e-18L || (i > 2 && size > 0.5L * previous)) break;
        previous = size;
    }
    return x;
}

}  // namespace Zr::Math::IncompleteGamma
