// The chi distribution: density, distribution function and moments.
#include "math/chi.h"

#include <cmath>
#include <limits>

#include "math/chi_square.h"
#include "math/incomplete_gamma.h"
#include "math/log_gamma.h"

namespace Zr::Math {
namespace {

// Below this many degrees of freedom the moments come from the log-gamma
// ratios g(k) = Gamma((n + k)/2) / Gamma(n/2); from it on, from asymptotic
// series in u = 1/n, because the raw moments (n, n(n + 2), ...) cancel to
// almost nothing in the central ones: the kurtosis of the ratios has lost
// 1e-9 of its value at n = 16, and everything by n = 1e7.
constexpr int32_t kSeriesFrom = 16;

// L = ln(Gamma(x + 1/2) / Gamma(x)) - ln(x)/2 = sum c_k x^(1 - 2k), x = n/2,
// c_k = -(2 - 2^(1 - 2k)) B_2k / (2k (2k - 1)) with the Bernoulli numbers B_2k.
// The three tables are printed by tests/math/data/make_chi_moment_series.py.
constexpr double kLogRatio[12] = {
    -0.125, 0.005208333333333333, -0.0015625, 0.0011858258928571428, -0.001681857638888889,
    0.0038341175426136365, -0.012819730318509616, 0.059100405375162764, -0.359287374159869,
    2.784861777958117, -26.80572169735318, 313.69655055423146};
// With v the variance and e = 1/2 - v: n e = sum a_k u^k.
constexpr double kHalfLessVariance[22] = {
    0.125, 0.0625, -0.0390625, -0.08984375, 0.0517578125, 0.28955078125, -0.157623291015625,
    -1.6803436279296875, 0.8840293884277344, 15.47474479675293, -7.986408472061157, -207.99213635921478,
    106.19711962342262, 3846.2218387275934, -1951.6320688114502, -93691.58591924305, 47359.416156083054,
    2908200.6665565507, -1466391.1523417113, -112062401.63133824, 56408237.55221614, 5248781065.980259};
// The fourth central moment less 3 v^2 = sum b_k u^k from k = 2 on (b_0 = b_1 = 0).
constexpr double kExcessFourth[20] = {
    0.1875, 0.1875, -0.3515625, -0.890625, 1.190185546875, 5.890869140625, -6.901702880859375,
    -57.3006591796875, 63.05154991149902, 790.9831523895264, -842.2015678882599, -14844.716893672943,
    15513.750857781619, 364892.13102139905, -377016.59395058407, -11393961.292621147, 11685376.36062269,
    440869505.15330356, -449835625.92285043, -20711622036.227726};

template <size_t N>
double Polynomial(const double (&c)[N], double u) {
    double s = 0.0;
    for (size_t i = N; i-- > 0;) s = s * u + c[i];
    return s;
}

// The moments through the log-gamma ratios, n + k formed in floating point.
Moments RatioMoments(double n) {
    double g[5];
    for (int k = 1; k <= 4; ++k) g[k] = std::exp(LogGamma((n + k) * 0.5) - LogGamma(n * 0.5));
    const double mu = g[1] * std::pow(2.0, 0.5);
    const double sd = std::sqrt(2 * g[2] - mu * mu);
    const double mu3 = mu * mu * mu;
    const double skew = (g[3] * std::pow(2.0, 1.5) - 3 * mu * std::pow(2.0, 1.0) * g[2] + 2 * mu3) / (sd * sd * sd);
    const double kurt = (std::pow(2.0, 2.0) * g[4] - 4 * mu * g[3] * std::pow(2.0, 1.5) +
                         6 * mu * mu * std::pow(2.0, 1.0) * g[2] - 3 * mu3 * mu) /
                            (sd * sd * sd * sd) -
                        3;
    return {mu, sd, skew, kurt};
}

// The moments through the exact ratios g(2) = n/2, g(3) = g(1)(n + 1)/2 and
// g(4) = n(n + 2)/4, which make the third central moment mu (1 - 2v) and the
// fourth 3 v^2 plus a term of order 1/n^2, each taken from its series.
Moments SeriesMoments(double n) {
    const double u = 1.0 / n;
    const double h = 2.0 * u;  // 1/x
    const double mu = std::sqrt(n) * std::exp(h * Polynomial(kLogRatio, h * h));
    const double e = u * Polynomial(kHalfLessVariance, u);
    const double v = 0.5 - e;
    return {mu, std::sqrt(v), 2.0 * mu * e / (v * std::sqrt(v)), u * u * Polynomial(kExcessFourth, u) / (v * v)};
}

// Up to this many degrees of freedom the density's own formula is as accurate
// as its Lanczos log-gamma (2e-10); beyond, its logarithms of size n ln n
// cancel to the result and lose n ln n times the rounding error.
constexpr int32_t kLanczosUpTo = 1000;

}  // namespace

double ChiPdf(double x, int32_t n) {
    if (n > kLanczosUpTo && x > 0 && std::isfinite(x)) {
        // x times the gamma density at x^2/2 with shape n/2
        const long double t = 0.5L * x * x;
        return double(x * IncompleteGamma::Density(0.5L * n, t));
    }
    const double nd = n;
    const double direct = std::pow(x, nd - 1) * std::exp(-0.5 * x * x) /
                          (std::exp(LogGamma(nd / 2)) * std::pow(2.0, nd / 2 - 1));
    if (std::isfinite(direct) && !(direct == 0 && x > 0)) return direct;
    // For large n the power and the gamma function overflow (n above about
    // 256 near the mode) while their ratio does not: take logarithms.
    return std::exp((nd - 1) * std::log(x) - 0.5 * x * x - LogGamma(nd / 2) - (nd / 2 - 1) * std::log(2.0));
}

// x^2 in long double: it overflows double from x = 1.3e154 on.
double ChiCdf(double x, int32_t n) {
    if (!(x > 0 && std::isfinite(x) && n > 0)) return ChiSqCdf(x * x, n);
    return double(IncompleteGamma::Tail(0.5L * n, 0.5L * x * x, false));
}

// The square root taken in long double: the chi-square quantile underflows
// double (p = 1e-300 with one degree of freedom gives 1.6e-600) long before
// the chi quantile does.
double ChiInv(double p, int32_t n) {
    if (!(n > 0 && p > 0 && p < 1)) return std::sqrt(ChiSqInv(p, n));
    const bool upper = p > 0.5;
    return double(std::sqrt(2 * IncompleteGamma::TailInv(0.5L * n, upper ? 1 - p : p, upper)));
}

Moments ChiMoments(int32_t n) { return n < kSeriesFrom ? RatioMoments(n) : SeriesMoments(n); }

}  // namespace Zr::Math
