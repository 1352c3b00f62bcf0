// The closed-form moments where their arithmetic could go wrong: integer
// degrees of freedom formed in double, and the log-normal at small s.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "math/closed_form_moments.h"

using namespace Zr::Math;

namespace {

// The F kurtosis as first written: n1 + n2 and (n2 - 2)^2 in integers
// (64-bit here, so that the reference itself cannot overflow), the rest in
// double in the same order.
double FKurtInIntegers(int64_t n1, int64_t n2) {
    const double n = double(n1 + n2) - 2;
    const int64_t square = (n2 - 2) * (n2 - 2);
    return 12 * (double(square) * double(n2 - 4) + double(5 * n2 - 22) * double(n1) * n) /
           (double(n2 - 6) * double(n1) * double(n2 - 8) * n);
}

}  // namespace

// Forming the integers in double changes no result that the 32-bit
// arithmetic got right, and mends the ones it overflowed.
TEST(FMoments, DoubleArithmeticKeepsEveryNonOverflowingResult) {
    for (int32_t n1 : {1, 2, 7, 1000, 1 << 20})
        for (int32_t n2 : {9, 10, 31, 4097, 46341, 46342}) EXPECT_EQ(FKurt(n1, n2), FKurtInIntegers(n1, n2)) << n2;
    EXPECT_NEAR(FKurt(10, 46343), 1.2012432146339564, 1e-15);  // (n2 - 2)^2 > 2^31 - 1
    EXPECT_EQ(FKurt(10, 46343), FKurtInIntegers(10, 46343));
    EXPECT_GT(FStdev(2147483647, 2147483647), 0);  // n1 + n2 > 2^31 - 1
    EXPECT_NEAR(FSkew(2147483647, 2147483647), 0.00012947511888672985, 1e-18);
    EXPECT_NEAR(FMean(2147483647), 1.0000000009313226, 1e-16);
}

TEST(TMoments, DivideInDouble) {
    EXPECT_EQ(TKurt(8), 1.5);
    EXPECT_EQ(TKurt(5), 6);
    EXPECT_EQ(TStdev(4), std::sqrt(2.0));
    EXPECT_NEAR(TStdev(5), std::sqrt(5.0 / 3), 1e-16);
    EXPECT_NEAR(TKurt(2147483647), 6.0 / 2147483643, 1e-24);
}

TEST(ChiSqMoments, LargestDegreesOfFreedom) {
    const Moments m = ChiSqMoments(2147483647);
    EXPECT_EQ(m.stdev, std::sqrt(2.0 * 2147483647));  // 2n overflows 32 bits
    EXPECT_EQ(m.kurt, 12.0 / 2147483647);
}

// 16x + 15x^2 + 6x^3 + x^4 with x = expm1(s^2) is e^4 + 2e^3 + 3e^2 - 6,
// without the cancellation of the sum near e = 1.
TEST(LogNormMoments, SmallSKeepsItsDigits) {
    for (double s : {1e-6, 1e-3, 0.1}) {
        const double x = std::expm1(s * s);
        const Moments m = LogNormMoments(0, s);
        EXPECT_NEAR(m.kurt, 16 * s * s, 16 * s * s * (2 * s * s));
        EXPECT_NEAR(m.skew, 3 * s, 3 * s * s * s);
        EXPECT_NEAR(m.stdev, std::sqrt(x) * std::sqrt(1 + x), 1e-15 * s);
    }
    const double e = std::exp(1.0);
    const Moments unit = LogNormMoments(0, 1);
    EXPECT_NEAR(unit.kurt, e * e * e * e + 2 * e * e * e + 3 * e * e - 6, 1e-12);
    EXPECT_NEAR(unit.skew, std::sqrt(e - 1) * (e + 2), 1e-14);
}

TEST(ClosedFormMoments, Constants) {
    const Moments gumbel = GumbelMoments(1, 2);
    EXPECT_NEAR(gumbel.skew, 1.1395470994046486, 1e-14);  // 12 sqrt(6) zeta(3) / pi^3
    EXPECT_EQ(gumbel.kurt, 2.4);
    EXPECT_EQ(gumbel.mean, 2 * 0.57721566490153 + 1);
    EXPECT_EQ(LogisticMoments(0, 1).kurt, 1.2);
    EXPECT_EQ(TriangularMoments(0, 1, 0.3).kurt, -0.6);
    EXPECT_EQ(TriangularMoments(0, 1, 0.5).skew, 0);
    // A variance that underflows or vanishes is a standard deviation of 0.
    EXPECT_EQ(BetaMoments(1e300, 1e300).stdev, 0);
}
