// The distribution formulas, closed-form moments and parameter fits: against
// high-precision references, their edge cases, and the mended faults.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <vector>

#include "math/closed_form_moments.h"
#include "math/distributions.h"
#include "math/fits.h"

using namespace Zr::Math;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

#include "tests/math/data/distributions_math_reference.inc"

// An expression, what it must give (NaN: NaN too) and the absolute tolerance.
struct Check {
    const char* what;
    double got, expected, tolerance;
};
#define ROW(expression, expected, tolerance) Check{#expression, double(expression), expected, tolerance}

// Relative error, absolute where the reference is 0 up to 1e-12; NaN stays NaN.
double Relative(double got, double expected) {
    return std::abs(got - expected) / (std::abs(expected) < 1e-12 ? 1.0 : std::abs(expected));
}

// The worst relative error of each moment over a table whose rows end in
// mean, deviation, skewness and kurtosis.
template <size_t N, class Compute>
void ExpectWorstErrors(const std::vector<std::array<double, N>>& table, Compute compute, std::array<double, 4> bound) {
    std::array<double, 4> worst{};
    for (const auto& row : table) {
        const Moments m = compute(row);
        const double got[4] = {m.mean, m.stdev, m.skew, m.kurt};
        for (int i = 0; i < 4; ++i)
            if (const double e = Relative(got[i], row[N - 4 + i]); !(e <= worst[i])) worst[i] = e;
    }
    for (int i = 0; i < 4; ++i) EXPECT_LE(worst[i], bound[i]) << "moment " << i << " of " << table.size() << " rows";
}

}  // namespace

TEST(DistributionFormulas, EdgeCasesAndMendedFaults) {
    const Check rows[] = {
        // The formulas' literals, not the doubles nearest pi and sqrt 2; library errors become NaN.
        ROW(kPi, 3.14159265358979, 0), ROW(kSqrt2, 1.4142135623731, 0), ROW(ChiSqCdf(1, 0), kNaN, 0),
        ROW(TriangularPdf(0.5, 0, 1, 2), kNaN, 0), ROW(GammaPdf(-1, 2, 1), kNaN, 0), ROW(NormInv(0), kNaN, 0),
        ROW(BetaInv(0.5, -1, 2), kNaN, 0), ROW(FCdf(1, 0, 3), kNaN, 0), ROW(PoissonPdf(-1, 3), kNaN, 0),
        // A Poisson quantile beyond 2^53 is NaN rather than an endless search; exp(-t) t with t = inf is 0.
        ROW(PoissonInv(0.5, 1e18), kNaN, 0), ROW(PoissonInv(0.5, 1e308), kNaN, 0), ROW(PoissonInv(0.5, 1e10), 1e10, 0),
        ROW(GumbelPdf(-800, 0, 1), 0, 0), ROW(GumbelPdf(-3000, 2, 3), 0, 0), ROW(GumbelPdf(kNaN, 0, 1), kNaN, 0),
        ROW(ChiPdf(0, 3), 0, 0), ROW(ChiPdf(kNaN, 3), kNaN, 0),
        ROW(BiNormPdf(0.3, 0.3, 1), kNaN, 0), ROW(BiNormPdf(0.3, 0.4, 1), 0, 0), ROW(BiNormPdf(0.3, -0.3, -1), kNaN, 0),
        ROW(BiNormPdf(0.3, 0.3, -1), 0, 0), ROW(BiNormPdf(0.3, 0.3, 1.5), kNaN, 0), ROW(BiNormCdf(0, 0, 0), 0.25, 1e-7),
        ROW(BiNormCdf(0.1, 0.2, 1.01), kNaN, 0), ROW(BiNormCdf(kNaN, 0.2, 0.5), kNaN, 0),
        // The fallbacks at the correlation limits.
        ROW(BiNormCdf(0.3, -0.4, 0.9999999999999998), NormCdf(-0.4), 0), ROW(BiNormCdf(0.3, -0.4, 1), NormCdf(-0.4), 0),
        ROW(BiNormCdf(0.3, kNaN, 1), kNaN, 0), ROW(BiNormCdf(0.3, -0.4, -0.9999999999999998), 0, 0),
        ROW(BiNormCdf(0.3, 0.4, -1), NormCdf(0.3) + NormCdf(0.4) - 1, 0),
        // 40 deviations out even the tail's mass is 0, and the mean stays in the support.
        ROW(TruncNormMean(40, 41, 0, 1), 40, 0), ROW(TruncNormMean(-41, -40, 0, 1), -40, 0), ROW(TruncNormInv(0, -1, 2, 0.5, 1.5), -1, 0),
        ROW(TruncNormInv(1, -1, 2, 0.5, 1.5), 2, 0), ROW(TruncNormInv(0.5, 0, 1, kNaN, 1), kNaN, 0),
        ROW(TruncNormVar(0, 1, 0.5, 1e-6), 1e-12, 0), ROW(TruncNormMean(0, 1, 0.5, 1e-6), 0.5, 0),
        ROW(TruncNormMean(0, 1, 2, 1e-6), 1, 0), ROW(TruncNormMean(0, 1, -2, 1e-6), 0, 0),
        // w - 1 - m rounds to about -4e-16 at gamma = 0: its square root must not be NaN.
        ROW(JohnsonSUMean(0, 1, 1, 0), 0, 0), ROW(JohnsonSUMean(0, 0.7, 2, 3.5), 3.5, 0),
        // Degrees of freedom in double (in 32 bits they overflowed), beyond the worksheet tests' cases.
        ROW(TKurt(INT32_MAX), 6 / (INT32_MAX - 4.0), 1e-24), ROW(ChiSqMoments(INT32_MAX).kurt, 12.0 / INT32_MAX, 0),
        // The log-normal near s = 0 without the cancellation in e^4 + 2e^3 + 3e^2 - 6; a variance that underflows.
        ROW(LogNormMoments(0, 1e-6).kurt, 1.6000000000023e-11, 1e-25),
        ROW(LogNormMoments(0, 1e-6).skew, 3.0000000000017499e-6, 1e-20), ROW(BetaMoments(1e300, 1e300).stdev, 0, 0),
    };
    for (const Check& c : rows)
        EXPECT_TRUE(std::isnan(c.expected) ? std::isnan(c.got) : std::abs(c.got - c.expected) <= c.tolerance)
            << c.what << " = " << testing::PrintToString(c.got) << ", expected " << c.expected;
}

// The six-term Lanczos log-gamma limits the Weibull moments and the chi moments below 16 degrees
// of freedom; from 16 on these come from series in 1/n. The truncation [10, 11] loses digits to
// cancellation in its higher moments, differences of numbers near alpha^k.
TEST(DistributionFormulas, AgainstHighPrecisionReferences) {
    for (const auto& [x, logGamma, digamma] : kLogGammaCases) {
        EXPECT_NEAR(LogGamma(x), logGamma, 3e-10) << x;
        EXPECT_NEAR(LogGammaDeriv(x), digamma, 1e-12 * std::max(1.0, std::abs(digamma))) << x;
    }
    std::vector<std::array<double, 5>> small, large;
    for (const auto& row : kChiMomentCases) (row[0] < 16 ? small : large).push_back(row);
    auto chi = [](const std::array<double, 5>& r) { return ChiMoments(int32_t(r[0])); };
    ExpectWorstErrors(small, chi, {1e-12, 1e-12, 1e-11, 3e-9});
    ExpectWorstErrors(large, chi, {1e-15, 1e-15, 1e-14, 1e-12});
    ExpectWorstErrors(kWeibullMomentCases, [](const auto& r) { return WeibullMoments(r[0], r[1]); },
                            {1e-13, 1e-13, 1e-9, 1e-9});
    ExpectWorstErrors(kTruncNormMomentCases, [](const auto& r) {  // variance in the deviation's column
        return Moments{TruncNormMean(r[0], r[1], r[2], r[3]), TruncNormVar(r[0], r[1], r[2], r[3]),
                       TruncNormSkew(r[0], r[1], r[2], r[3]), TruncNormKurt(r[0], r[1], r[2], r[3])};
    }, {1e-13, 1e-9, 1e-8, 1e-6});
    ExpectWorstErrors(kJohnsonSUMomentCases, [](const auto& r) {
        return Moments{JohnsonSUMean(r[0], r[1], r[2], r[3]), JohnsonSUStdev(r[0], r[1], r[2], r[3]),
                       JohnsonSUSkew(r[0], r[1], r[2], r[3]), JohnsonSUKurt(r[0], r[1])};
    }, {1e-13, 1e-13, 1e-13, 1e-13});
}

TEST(ParameterFits, FailWhereNoParametersExistAndLeaveTheOutputsAlone) {
    constexpr double kUntouched = -12345.0;
    double p = kUntouched, q = kUntouched, r = kUntouched, s = kUntouched;
    // The log-normal with w = 1.2 bounds the Johnson SU's skewness at this excess kurtosis.
    const double w = 1.2, lnSkew = std::sqrt(w - 1) * (w + 2), lnKurt = w * w * w * w + 2 * w * w * w + 3 * w * w - 6;
    const double rightTriangle = std::sqrt(0.32) * (1 + 1e-15);  // just beyond the largest skewness
    const bool fitted[] = {
        BetaFit(0, 0.1, p, q), BetaFit(1, 0.1, p, q), BetaFit(0.5, 0, p, q), BetaFit(0.5, 1e200, p, q),
        BetaFit(0.5, 0.5, p, q),  // stdev^2 = mean (1 - mean): a two-point law
        GumbelFit(0, 0, p, q), GumbelFit(0, kInf, p, q), GumbelFit(kInf, 1, p, q), LogisticFit(0, -1, p, q),
        LogisticFit(kNaN, 1, p, q), LogNormFit(-1, 1, p, q), LogNormFit(1, 0, p, q), WeibullFit(0, 1, p, q),
        WeibullFit(1, 0, p, q), WeibullFit(1, kInf, p, q), WeibullFit(kNaN, 1, p, q),
        TriangularFit(0, 1, rightTriangle, p, q, r), TriangularFit(0, 1, -rightTriangle, p, q, r),
        TriangularFit(0, 0, 0.1, p, q, r), TriangularFit(0, 1, kNaN, p, q, r),
        TriangularFit(0, 1e308, 0, p, q, r),  // the width overflows
        TruncNormFit(0, 1, 0.5, 0.3, p, q),   // wider than the uniform on [0, 1]
        TruncNormFit(0, 1, 1.5, 0.1, p, q), TruncNormFit(-kInf, 1, 0, 0.1, p, q), TruncNormFit(1, 1, 1, 0.1, p, q),
        // The equations are even in sigma: from the start values of this request the iteration ends
        // on the root sigma = -1.567, which the fit refuses (sigma = +1.567 has these moments).
        TruncNormFit(0, 1, 0.5788260769233342, 0.28025817708281, p, q),
        JohnsonSUFit(0, 1, 0, 0, p, q, r, s), JohnsonSUFit(0, 1, 0.1, -0.5, p, q, r, s),
        JohnsonSUFit(0, 1, lnSkew * 1.000001, lnKurt, p, q, r, s),
        JohnsonSUFit(0, 1, -lnSkew * 1.000001, lnKurt, p, q, r, s), JohnsonSUFit(0, 1, kNaN, lnKurt, p, q, r, s),
        JohnsonSUFit(0, 1, 0, kInf, p, q, r, s)};
    for (size_t i = 0; i < std::size(fitted); ++i) EXPECT_FALSE(fitted[i]) << "fit " << i;
    EXPECT_EQ((std::vector<double>{p, q, r, s}), std::vector<double>(4, kUntouched));
    // Just inside the bounds; gamma has the opposite sign of the skewness.
    ASSERT_TRUE(BetaFit(0.5, std::nextafter(0.5, 0.0), p, q) && JohnsonSUFit(0, 1, -lnSkew * 0.99, lnKurt, p, q, r, s));
    EXPECT_TRUE(p > 0 && Relative(JohnsonSUSkew(p, q, r, s), -lnSkew * 0.99) < 1e-9);
}

// Beyond the worksheet tests' parameter sets: 1 + (stdev/mean)^2 formed
// directly would leave s = 1e-7 with a relative error of 4e-4; the Weibull
// shape depends on stdev / mean only, also where mean^2 would overflow.
TEST(ParameterFits, ReproduceKnownParameters) {
    double m = 0, s = 0, alpha = 0, beta = 0, alphaHuge = 0, betaHuge = 0;
    for (double sigma : {1e-7, 1e-3, 2.0}) {
        ASSERT_TRUE(LogNormFit(LogNormMoments(2.5, sigma).mean, LogNormMoments(2.5, sigma).stdev, m, s));
        EXPECT_TRUE(std::abs(m - 2.5) < 4e-14 && Relative(s, sigma) < 1e-12) << sigma;
    }
    ASSERT_TRUE(WeibullFit(2, 0.7, alpha, beta) && WeibullFit(2e200, 0.7e200, alphaHuge, betaHuge));
    EXPECT_TRUE(alphaHuge == alpha && Relative(betaHuge, beta * 1e200) < 1e-14);
    for (double a : {0.4, 30.0})  // shapes far apart
        EXPECT_TRUE(WeibullFit(WeibullMoments(a, 700).mean, WeibullMoments(a, 700).stdev, alpha, beta) &&
                    Relative(alpha, a) < 1e-7 && Relative(beta, 700) < 1e-7) << a;
}

// The mode fraction solved from skew^2 serves a right-skewed triangle, a negative skewness its
// mirror image. Near c = 1/2 the residual is about -2 R^2 with R = -2.25 (2c - 1): it meets 1e-14
// while |2c - 1| may be 3e-8, so a tiny skewness is reached to about 2e-8, but with its sign.
TEST(ParameterFits, TriangleKeepsTheSignOfTheSkewness) {
    for (double skew : {1e-15, -1e-12, 1e-9, -1e-8, 1e-7, 0.0, -0.05, 0.3, -0.5, 0.565}) {
        double lo = 0, hi = 0, mode = 0, lo2 = 0, hi2 = 0, mode2 = 0;
        ASSERT_TRUE(TriangularFit(0, 1, skew, lo, hi, mode) && TriangularFit(0, 1, -skew, lo2, hi2, mode2)) << skew;
        const Moments got = TriangularMoments(lo, hi, mode);
        EXPECT_TRUE(lo < mode && mode < hi && std::abs(got.mean) < 1e-14 && std::abs(got.stdev - 1) < 1e-14) << skew;
        EXPECT_NEAR(got.skew, skew, std::abs(skew) < 1e-6 ? 2e-8 : 1e-11) << skew;
        EXPECT_TRUE(std::signbit(got.skew) == std::signbit(skew) && std::abs(lo2 + hi) < 1e-12 &&
                    std::abs(mode2 + mode) < 1e-12) << skew;
    }
}
