// The distribution formulas against high-precision references, their edge
// cases, and the mended faults.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "math/distributions.h"

using namespace Zr::Math;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

#include "data/distributions_math_reference.inc"

// Relative error; absolute where the reference is 0 up to 1e-12 (the
// skewness of a symmetric truncation, say).
double Relative(double got, double expected) {
    const double scale = std::abs(expected) < 1e-12 ? 1.0 : std::abs(expected);
    return std::abs(got - expected) / scale;
}

// Worst relative error of each of the four moments over a table whose rows
// end in mean, deviation, skewness, kurtosis.
template <size_t N, class Compute>
std::array<double, 4> WorstMomentErrors(const std::vector<std::array<double, N>>& table, Compute compute) {
    std::array<double, 4> worst{};
    for (const auto& row : table) {
        const Moments m = compute(row);
        const double got[4] = {m.mean, m.stdev, m.skew, m.kurt};
        for (int i = 0; i < 4; ++i) worst[i] = std::max(worst[i], Relative(got[i], row[N - 4 + i]));
    }
    return worst;
}

void ExpectWithin(const std::array<double, 4>& worst, const std::array<double, 4>& bound) {
    const char* names[4] = {"mean", "deviation", "skewness", "kurtosis"};
    for (int i = 0; i < 4; ++i) EXPECT_LE(worst[i], bound[i]) << names[i];
}

}  // namespace

TEST(Constants, AreTheLiteralsOfTheFormulas) {
    EXPECT_EQ(kPi, 3.14159265358979);
    EXPECT_NE(kPi, 3.141592653589793);  // not the double nearest pi
    EXPECT_EQ(kSqrt2, 1.4142135623731);
}

TEST(GuardedDistributions, LibraryErrorsBecomeNaN) {
    EXPECT_TRUE(std::isnan(ChiSqCdf(1, 0)));
    EXPECT_TRUE(std::isnan(TriangularPdf(0.5, 0, 1, 2)));
    EXPECT_TRUE(std::isnan(TriangularCdf(0.5, 1, 0, 0.5)));
    EXPECT_TRUE(std::isnan(GammaPdf(-1, 2, 1)));
    EXPECT_TRUE(std::isnan(WeibullPdf(-1, 2, 1)));
    EXPECT_TRUE(std::isnan(NormInv(1.5)));
    EXPECT_TRUE(std::isnan(NormInv(0)));  // the library's overflow error
    EXPECT_TRUE(std::isnan(LogisticInv(0, 0, 1)));
    EXPECT_TRUE(std::isnan(BetaInv(0.5, -1, 2)));
    EXPECT_TRUE(std::isnan(FCdf(1, 0, 3)));
    EXPECT_TRUE(std::isnan(TInv(0.5, -4)));
    EXPECT_TRUE(std::isnan(PoissonPdf(-1, 3)));
    EXPECT_TRUE(std::isnan(NormCdf(kNaN)));
}

TEST(GuardedDistributions, PassParametersInTheLibrarysOrder) {
    // (x, min, max, mode) reach the triangular distribution as (min, mode, max).
    EXPECT_DOUBLE_EQ(TriangularPdf(1, 0, 4, 1), 0.5);
    EXPECT_DOUBLE_EQ(TriangularCdf(1, 0, 4, 1), 0.25);
    EXPECT_DOUBLE_EQ(TriangularInv(0.25, 0, 4, 1), 1);
    // Gamma and Weibull take shape, then scale.
    EXPECT_DOUBLE_EQ(GammaCdf(2, 1, 2), 1 - std::exp(-1.0));
    EXPECT_DOUBLE_EQ(WeibullCdf(2, 1, 2), 1 - std::exp(-1.0));
}

TEST(GuardedDistributions, PoissonQuantileOfAHugeMeanEnds) {
    EXPECT_TRUE(std::isnan(PoissonInv(0.5, 1e18)));
    EXPECT_TRUE(std::isnan(PoissonInv(0.5, 1e308)));
    EXPECT_EQ(PoissonInv(0.5, 1e10), 1e10);
}

TEST(GuardedDistributions, PoissonQuantileIsWhole) {
    for (double mean : {0.3, 3.0, 17.5, 1e4})
        for (double p = 0.01; p < 1; p += 0.0625) {
            const double k = PoissonInv(p, mean);
            EXPECT_EQ(k, std::round(k)) << p << " " << mean;
        }
}

TEST(LogGamma, MatchesTheLogGammaFunctionToTheSeriesAccuracy) {
    for (const auto& [x, logGamma, digamma] : kLogGammaCases) {
        EXPECT_NEAR(LogGamma(x), logGamma, 3e-10) << x;
        EXPECT_NEAR(LogGammaDeriv(x), digamma, 1e-12 * std::max(1.0, std::abs(digamma))) << x;
    }
}

TEST(Chi, DensityToTheLogGammaAccuracyAlsoWhereTheDirectFormOverflows) {
    for (const auto& [x, n, density] : kChiDensityCases)
        EXPECT_LE(Relative(ChiPdf(x, int32_t(n)), density), 5e-10) << x << " " << n;
    EXPECT_EQ(ChiPdf(0, 3), 0);
    EXPECT_NEAR(ChiPdf(0, 1), std::sqrt(2 / kPi), 1e-9);
    EXPECT_TRUE(std::isnan(ChiPdf(kNaN, 3)));
}

TEST(Chi, DistributionFunctionIsTheChiSquareOfTheSquare) {
    EXPECT_EQ(ChiCdf(1.7, 4), ChiSqCdf(1.7 * 1.7, 4));
    EXPECT_EQ(ChiCdf(0, 4), 0);
}

TEST(Chi, MomentsAgreeWithReferences) {
    auto moments = [](const std::array<double, 5>& row) { return ChiMoments(int32_t(row[0])); };
    std::vector<std::array<double, 5>> small, large;
    for (const auto& row : kChiMomentCases) (row[0] < 16 ? small : large).push_back(row);
    // Through the Lanczos series below 16 degrees of freedom, by series in 1/n above.
    ExpectWithin(WorstMomentErrors(small, moments), {1e-12, 1e-12, 1e-11, 3e-9});
    ExpectWithin(WorstMomentErrors(large, moments), {1e-15, 1e-15, 1e-14, 1e-12});
    EXPECT_NEAR(ChiMoments(10000000).stdev, 0.70710677, 1e-8);
}

TEST(Chi, MomentsAreContinuousWhereTheMethodChanges) {
    const Moments below = ChiMoments(15), at = ChiMoments(16), above = ChiMoments(17);
    // Kurtosis falls like 1/n: the middle one sits between its neighbours.
    EXPECT_GT(below.kurt, at.kurt);
    EXPECT_GT(at.kurt, above.kurt);
    EXPECT_GT(below.skew, at.skew);
    EXPECT_GT(at.skew, above.skew);
}

TEST(Weibull, MomentsToTheLogGammaAccuracy) {
    auto moments = [](const std::array<double, 6>& row) { return WeibullMoments(row[0], row[1]); };
    ExpectWithin(WorstMomentErrors(kWeibullMomentCases, moments), {1e-13, 1e-13, 1e-9, 1e-9});
    EXPECT_EQ(WeibullRawMoment(2, 3, 2), 9 * std::exp(LogGamma(2)));
}

TEST(BivariateNormal, DensityCases) {
    EXPECT_TRUE(std::isnan(BiNormPdf(0.3, 0.3, 1)));
    EXPECT_EQ(BiNormPdf(0.3, 0.4, 1), 0);
    EXPECT_TRUE(std::isnan(BiNormPdf(0.3, -0.3, -1)));
    EXPECT_EQ(BiNormPdf(0.3, 0.3, -1), 0);
    EXPECT_TRUE(std::isnan(BiNormPdf(0.3, 0.3, 1.5)));
    EXPECT_NEAR(BiNormPdf(0, 0, 0), 1 / (2 * kPi), 1e-15);
}

TEST(BivariateNormal, DistributionFunctionProperties) {
    EXPECT_NEAR(BiNormCdf(0, 0, 0), 0.25, 1e-7);
    const double values[] = {-3, -1.2, -0.5, 0, 0.4, 1.1, 2.5};
    const double rhos[] = {-0.9999999999999998, -0.995, -0.7, -0.2, 0, 0.3, 0.8, 0.995, 0.9999999999999998};
    for (double rho : rhos)
        for (double a : values)
            for (double b : values) {
                const double r = BiNormCdf(a, b, rho);
                ASSERT_GE(r, 0) << a << " " << b << " " << rho;
                ASSERT_LE(r, 1 + 1e-7) << a << " " << b << " " << rho;
                EXPECT_NEAR(r, BiNormCdf(b, a, rho), 1e-7) << a << " " << b << " " << rho;
            }
    EXPECT_TRUE(std::isnan(BiNormCdf(0.1, 0.2, 1.01)));
    EXPECT_TRUE(std::isnan(BiNormCdf(kNaN, 0.2, 0.5)));
}

TEST(BivariateNormal, FallbacksAtTheCorrelationLimits) {
    EXPECT_EQ(BiNormCdf(0.3, -0.4, 0.9999999999999998), NormCdf(-0.4));
    EXPECT_EQ(BiNormCdf(0.3, -0.4, 1), NormCdf(-0.4));
    EXPECT_TRUE(std::isnan(BiNormCdf(0.3, kNaN, 1)));
    EXPECT_EQ(BiNormCdf(0.3, -0.4, -0.9999999999999998), 0);
    EXPECT_EQ(BiNormCdf(0.3, 0.4, -1), NormCdf(0.3) + NormCdf(0.4) - 1);
}

TEST(TruncatedNormal, UpperTailSupportThroughTheMirroredTail) {
    // Phi(11) - Phi(10) is 0 in double; the upper tail keeps it.
    EXPECT_GT(TruncNormCdf(10.5, 10, 11, 0, 1), 0.99);
    EXPECT_NEAR(TruncNormPdf(10, 10, 11, 0, 1), 10.098346447538488, 1e-12);
    const double mean = TruncNormMean(10, 11, 0, 1);
    EXPECT_GT(mean, 10);
    EXPECT_LT(mean, 10.1);
    EXPECT_GT(TruncNormVar(10, 11, 0, 1), 0);
    EXPECT_LT(TruncNormVar(10, 11, 0, 1), 0.25);
    for (double p : {1e-9, 0.3, 0.999999}) {
        const double x = TruncNormInv(p, 10, 11, 0, 1);
        EXPECT_NEAR(TruncNormCdf(x, 10, 11, 0, 1), p, 1e-9) << p;
    }
}

TEST(TruncatedNormal, QuantileEndsAreTheSupportEnds) {
    EXPECT_EQ(TruncNormInv(0, -1, 2, 0.5, 1.5), -1);
    EXPECT_EQ(TruncNormInv(1, -1, 2, 0.5, 1.5), 2);
    EXPECT_EQ(TruncNormInv(1, 0, 100, 50, 5), 100);
    EXPECT_EQ(TruncNormInv(0, 0, 100, 50, 5), 0);
    EXPECT_TRUE(std::isnan(TruncNormInv(0.5, 0, 1, kNaN, 1)));
}

TEST(TruncatedNormal, NarrowParent) {
    EXPECT_EQ(TruncNormVar(0, 1, 0.5, 1e-6), 1e-12);
    EXPECT_EQ(TruncNormMean(0, 1, 0.5, 1e-6), 0.5);
    EXPECT_EQ(TruncNormMean(0, 1, 2, 1e-6), 1);
    EXPECT_EQ(TruncNormMean(0, 1, -2, 1e-6), 0);
    EXPECT_EQ(TruncNormStdev(0, 1, 0.5, 1e-6), 1e-6);
}

TEST(TruncatedNormal, MassBeyondDoublesKeepsTheMeanInTheSupport) {
    // 40 standard deviations out, even the upper tail's mass is 0 in double.
    EXPECT_EQ(TruncNormMean(40, 41, 0, 1), 40);
    EXPECT_EQ(TruncNormMean(-41, -40, 0, 1), -40);
}

TEST(TruncatedNormal, MomentsAgreeWithReferences) {
    std::array<double, 4> worst{};
    for (const auto& r : kTruncNormMomentCases) {
        const double got[4] = {TruncNormMean(r[0], r[1], r[2], r[3]), TruncNormVar(r[0], r[1], r[2], r[3]),
                               TruncNormSkew(r[0], r[1], r[2], r[3]), TruncNormKurt(r[0], r[1], r[2], r[3])};
        for (int i = 0; i < 4; ++i) worst[i] = std::max(worst[i], Relative(got[i], r[4 + i]));
    }
    // The upper-tail support [10, 11] loses digits to cancellation in the
    // higher moments, which are differences of numbers near alpha^k.
    ExpectWithin(worst, {1e-13, 1e-9, 1e-8, 1e-6});
    EXPECT_EQ(TruncNormStdev(0, 1, 0.5, 1), std::sqrt(TruncNormVar(0, 1, 0.5, 1)));
}

TEST(JohnsonSU, MomentsAgreeWithReferences) {
    auto moments = [](const std::array<double, 8>& r) {
        return Moments{JohnsonSUMean(r[0], r[1], r[2], r[3]), JohnsonSUStdev(r[0], r[1], r[2], r[3]),
                       JohnsonSUSkew(r[0], r[1], r[2], r[3]), JohnsonSUKurt(r[0], r[1])};
    };
    std::vector<std::array<double, 8>> centred, skewed;
    for (const auto& r : kJohnsonSUMomentCases) (r[0] == 0 ? centred : skewed).push_back(r);
    ExpectWithin(WorstMomentErrors(skewed, moments), {1e-13, 1e-13, 1e-13, 1e-13});
    for (const auto& r : centred) {
        EXPECT_EQ(JohnsonSUMean(r[0], r[1], r[2], r[3]), r[3]);
        EXPECT_EQ(JohnsonSUSkew(r[0], r[1], r[2], r[3]), 0);
    }
}

TEST(JohnsonSU, CentredMeanIsTheLocation) {
    // w - 1 - m rounds to about -4e-16 here; its square root must not be NaN.
    EXPECT_EQ(JohnsonSUMean(0, 1, 1, 0), 0);
    EXPECT_EQ(JohnsonSUMean(0, 0.7, 2, 3.5), 3.5);
    EXPECT_EQ(JohnsonSUSkew(0, 1, 1, 0), 0);
    EXPECT_LT(JohnsonSUSkew(0.5, 1, 1, 0), 0);
    EXPECT_GT(JohnsonSUSkew(-0.5, 1, 1, 0), 0);
}

TEST(JohnsonSU, FarLowerTailKeepsItsDigits) {
    // ln(q + u) with u = -1e9 would be ln 0.
    const double z = 0.5 * std::asinh(-1e9) + 0.5;
    EXPECT_NEAR(JohnsonSUCdf(-1e9, 0.5, 0.5, 1, 0) / NormCdf(z), 1, 1e-12);
    EXPECT_GT(JohnsonSUPdf(-1e9, 0.5, 0.5, 1, 0), 0);
    EXPECT_NEAR(JohnsonSUInv(JohnsonSUCdf(-3, 0.5, 2, 1, 0), 0.5, 2, 1, 0), -3, 1e-12);
}

TEST(Gumbel, Formulas) {
    EXPECT_NEAR(GumbelInv(std::exp(-1.0), 0, 1), 0, 1e-15);
    EXPECT_EQ(GumbelPdf(-800, 0, 1), 0);
    EXPECT_EQ(GumbelPdf(-3000, 2, 3), 0);
    EXPECT_TRUE(std::isnan(GumbelPdf(kNaN, 0, 1)));
    EXPECT_DOUBLE_EQ(GumbelCdf(0, 0, 1), std::exp(-1.0));
}

TEST(LogNormal, ComposesTheStandardNormal) {
    EXPECT_DOUBLE_EQ(LogNormCdf(std::exp(1.5), 1, 0.5), NormCdf(1));
    EXPECT_DOUBLE_EQ(LogNormInv(NormCdf(1), 1, 0.5), std::exp(1.5));
    EXPECT_DOUBLE_EQ(LogNormPdf(1, 0, 1), NormPdf(0));
}
