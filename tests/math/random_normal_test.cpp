#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "math/distributions.h"
#include "math/random_normal.h"
#include "tests/math/sampler_testing.h"

using namespace Zr::Math;
using Zr::Testing::Draw;
using Zr::Testing::KsCritical;
using Zr::Testing::KsStatistic;
using Zr::Testing::PopulationMoments;
using Zr::Testing::UniformsBetween;

namespace {

constexpr UniformGeneratorType kTypes[] = {MT2002, MT1998, RAN2};

RandomNormal Normal(GaussianMethod method, int32_t antithetic = 0, double mean = 0.0, double stdev = 1.0,
                    UniformGeneratorType type = MT2002, uint32_t seed1 = 0, uint32_t seed2 = 0) {
    RandomNormal g;
    EXPECT_TRUE(g.Init(seed1, seed2, mean, stdev, method, antithetic, DISABLED, 0, type));
    return g;
}

void ExpectTenDigits(const std::vector<double>& got, const std::vector<double>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(got[i], want[i], 5e-10 * std::fabs(want[i])) << i;
}

}  // namespace

// ------------------------------------------------------------------ the object

TEST(NormalObject, PlainValueDerivedFromTheUniformGenerator) {
    static_assert(std::is_trivially_copyable_v<RandomNormal>);
    static_assert(std::is_base_of_v<RandomUniform, RandomNormal>);
    static_assert(sizeof(GaussianMethod) == 4 && sizeof(ResamplingMode) == 4);
    static_assert(BOX_MULLER == 0 && INV == 1);
    static_assert(DISABLED == 0 && ENABLE_RESAMPLING_TYPE1 == 1 && ENABLE_RESAMPLING_TYPE2 == 2);
}

// ---------------------------------------------------- the worksheet's figures

TEST(NormalWorksheetFigures, FirstVariatesForZeroSeeds) {
    RandomNormal boxMuller = Normal(BOX_MULLER);
    ExpectTenDigits(Draw(boxMuller, 4), {-0.3625903008, -0.4159747392, 0.9548649368, -0.9255024216});
    RandomNormal antithetic = Normal(BOX_MULLER, 1);
    ExpectTenDigits(Draw(antithetic, 4), {-0.3625903008, 0.3625903008, -0.4159747392, 0.4159747392});
    RandomNormal inversion = Normal(INV);
    ExpectTenDigits(Draw(inversion, 4), {-1.033362032, -0.8576505598, -0.9728039087, -1.365503902});

    RandomNormal resampled;
    ASSERT_TRUE(resampled.Init(0, 0, 0.0, 1.0, BOX_MULLER, 0, ENABLE_RESAMPLING_TYPE2, 4, MT2002));
    ExpectTenDigits(Draw(resampled, 4), {-0.2521890925, -0.3289932368, 1.643232592, -1.062050263});
}

TEST(NormalWorksheetFigures, ResamplingOneVariateFails) {
    RandomNormal g;
    EXPECT_FALSE(g.Init(0, 0, 0.0, 1.0, BOX_MULLER, 0, ENABLE_RESAMPLING_TYPE2, 1, MT2002));
    EXPECT_FALSE(g.Init(0, 0, 0.0, 1.0, INV, 1, ENABLE_RESAMPLING_TYPE1, 1, MT2002));
    EXPECT_FALSE(g.Init(0, 0, 0.0, 1.0, INV, 0, ENABLE_RESAMPLING_TYPE1, 0, MT2002));  // no variates
    EXPECT_FALSE(g.Init(0, 0, 0.0, 1.0, INV, 0, ENABLE_RESAMPLING_TYPE1, -5, MT2002));
    ASSERT_TRUE(g.Init(0, 0, 0.0, 1.0, BOX_MULLER, 0, DISABLED, 1, MT2002));
    EXPECT_NEAR(g.Next(), -0.3625903008, 5e-10);
}

// ----------------------------------------------------------------- inversion

TEST(NormalInversion, EachVariateIsTheQuantileOfOneUniform) {
    for (UniformGeneratorType type : kTypes) {
        RandomNormal g = Normal(INV, 0, 1.5, 2.0, type, 7, 8);
        RandomUniform u;
        u.Init(7, 8, type);
        for (int i = 0; i < 2000; ++i) ASSERT_EQ(g.Next(), NormInv(u.Next()) * 2.0 + 1.5) << type << " " << i;
    }
}

TEST(NormalInversion, AnyNonZeroMethodInverts) {
    RandomNormal inv = Normal(INV, 0, 0.0, 1.0, RAN2, 3, 4);
    RandomNormal other = Normal(GaussianMethod(7), 0, 0.0, 1.0, RAN2, 3, 4);
    EXPECT_EQ(Draw(inv, 100), Draw(other, 100));
}

// ---------------------------------------------------------------- Box-Muller

// Two variates per accepted pair of uniforms: the second costs nothing.
TEST(NormalBoxMuller, OneAcceptedPairGivesTwoVariates) {
    RandomNormal g = Normal(BOX_MULLER, 0, 0.0, 1.0, RAN2, 11, 12);
    int pairs = 0, rejected = 0;
    for (int i = 0; i < 5000; ++i) {
        const RandomUniform before = g;
        g.Next();
        const int firstCost = UniformsBetween(before, g);
        const RandomUniform middle = g;
        g.Next();
        ASSERT_EQ(UniformsBetween(middle, g), 0);
        ASSERT_EQ(firstCost % 2, 0);
        ASSERT_GE(firstCost, 2);
        rejected += firstCost / 2 - 1;
        ++pairs;
    }
    // The polar method accepts pi/4 of the pairs.
    EXPECT_NEAR(double(pairs) / (pairs + rejected), 0.7853981633974483, 0.02);
}

TEST(NormalBoxMuller, SecondCoordinateFirstThenTheFirst) {
    RandomNormal g = Normal(BOX_MULLER, 0, 0.0, 1.0, MT1998, 5, 6);
    RandomUniform u;
    u.Init(5, 6, MT1998);
    for (int pair = 0; pair < 500; ++pair) {
        double v1, v2, r;
        do {
            v1 = 2.0 * u.Next() - 1.0;
            v2 = 2.0 * u.Next() - 1.0;
            r = v1 * v1 + v2 * v2;
        } while (r >= 1.0 || r == 0.0);
        const double f = std::sqrt(-2.0 * std::log(r) / r);
        ASSERT_EQ(g.Next(), f * v2) << pair;
        ASSERT_EQ(g.Next(), f * v1) << pair;
    }
}

// ---------------------------------------------------------------- antithetic

TEST(NormalAntithetic, PairsAreExactNegatives) {
    for (GaussianMethod method : {BOX_MULLER, INV}) {
        for (UniformGeneratorType type : kTypes) {
            RandomNormal g = Normal(method, 1, 0.0, 1.0, type, 21, 22);
            for (int i = 0; i < 3000; ++i) {
                const double z = g.Next();
                ASSERT_EQ(g.Next(), -z) << method << " " << type << " " << i;
            }
        }
    }
}

TEST(NormalAntithetic, PairsSumToTwiceTheMean) {
    for (GaussianMethod method : {BOX_MULLER, INV}) {
        RandomNormal g = Normal(method, 1, 3.0, 2.0, MT2002, 23, 24);
        for (int i = 0; i < 3000; ++i) {
            const double x = g.Next();
            ASSERT_NEAR(x + g.Next(), 6.0, 1e-14 * (std::fabs(x) + 3.0)) << method;
        }
    }
}

// Box-Muller's stream is f v2, -f v2, f v1, -f v1: the mirrored variate
// does not take the place of the pair's cached coordinate.
TEST(NormalAntithetic, BoxMullerMirrorsBothCoordinates) {
    RandomNormal plain = Normal(BOX_MULLER, 0, 0.0, 1.0, RAN2, 25, 26);
    RandomNormal mirrored = Normal(BOX_MULLER, 1, 0.0, 1.0, RAN2, 25, 26);
    for (int i = 0; i < 1000; ++i) {
        const double z = plain.Next();
        ASSERT_EQ(mirrored.Next(), z);
        ASSERT_EQ(mirrored.Next(), -z);
    }
}

TEST(NormalAntithetic, OnlyTheValueOneSwitchesItOn) {
    RandomNormal off = Normal(INV, 0, 0.0, 1.0, MT2002, 1, 2);
    RandomNormal two = Normal(INV, 2, 0.0, 1.0, MT2002, 1, 2);
    RandomNormal minusOne = Normal(INV, -1, 0.0, 1.0, MT2002, 1, 2);
    const std::vector<double> expected = Draw(off, 200);
    EXPECT_EQ(Draw(two, 200), expected);
    EXPECT_EQ(Draw(minusOne, 200), expected);
}

// ---------------------------------------------------------------- resampling

TEST(NormalResampling, FirstCountVariatesHaveTheRequestedMoments) {
    struct Case {
        GaussianMethod method;
        int32_t antithetic;
        int32_t count;
        double mean;
        double stdev;
    };
    const Case cases[] = {{BOX_MULLER, 0, 2, 0.0, 1.0},       {INV, 0, 3, 5.0, 0.5},
                          {BOX_MULLER, 1, 4, -2.0, 3.0},      {INV, 1, 5, 0.0, 1.0},
                          {BOX_MULLER, 0, 1000, 100.0, 0.01}, {INV, 1, 1001, 1e6, 250.0},
                          {BOX_MULLER, 1, 100000, 0.0, 1.0},  {INV, 0, 100000, -7.5, 1e-3},
                          {BOX_MULLER, 0, 1048576, 1.0, 2.0}};
    for (const Case& c : cases) {
        for (UniformGeneratorType type : kTypes) {
            RandomNormal g;
            ASSERT_TRUE(g.Init(31, 32, c.mean, c.stdev, c.method, c.antithetic, ENABLE_RESAMPLING_TYPE2,
                               c.count, type));
            const auto m = PopulationMoments(Draw(g, size_t(c.count)));
            const double tolerance = 1e-12 * std::max(1.0, std::fabs(c.mean));
            EXPECT_NEAR(double(m.mean), c.mean, tolerance) << c.count << " " << type;
            EXPECT_NEAR(double(m.stdev), c.stdev, 1e-12 * c.stdev) << c.count << " " << type;
        }
    }
}

TEST(NormalResampling, BothModesGiveTheSameVariates) {
    for (GaussianMethod method : {BOX_MULLER, INV}) {
        RandomNormal one, two;
        ASSERT_TRUE(one.Init(3, 4, 1.0, 2.0, method, 1, ENABLE_RESAMPLING_TYPE1, 50, RAN2));
        ASSERT_TRUE(two.Init(3, 4, 1.0, 2.0, method, 1, ENABLE_RESAMPLING_TYPE2, 50, RAN2));
        EXPECT_EQ(Draw(one, 80), Draw(two, 80));
        RandomNormal other;  // any non-zero mode resamples
        ASSERT_TRUE(other.Init(3, 4, 1.0, 2.0, method, 1, ResamplingMode(9), 50, RAN2));
        EXPECT_EQ(other.Scale(), one.Scale());
        EXPECT_EQ(other.Shift(), one.Shift());
    }
}

// The resampled generator draws the same raw variates as an unresampled one;
// the shift and scale stay for the variates after the count.
TEST(NormalResampling, ShiftsAndScalesTheSameRawVariates) {
    for (GaussianMethod method : {BOX_MULLER, INV}) {
        RandomNormal resampled;
        ASSERT_TRUE(resampled.Init(9, 10, 4.0, 0.5, method, 1, ENABLE_RESAMPLING_TYPE2, 11, MT1998));
        EXPECT_NE(resampled.Scale(), 0.5);
        RandomNormal raw = Normal(method, 1, 0.0, 1.0, MT1998, 9, 10);
        for (int i = 0; i < 40; ++i)
            ASSERT_EQ(resampled.Next(), raw.Next() * resampled.Scale() + resampled.Shift()) << i;
    }
}

TEST(NormalResampling, NanRequestStillResamples) {
    RandomNormal g;
    EXPECT_TRUE(g.Init(1, 2, 0.0, std::nan(""), INV, 0, ENABLE_RESAMPLING_TYPE2, 10, MT2002));
    EXPECT_TRUE(std::isnan(g.Next()));
}

// ------------------------------------------------------------- state handling

TEST(NormalState, InitDiscardsCachedAndPendingVariates) {
    for (int32_t antithetic : {0, 1}) {
        RandomNormal g = Normal(BOX_MULLER, antithetic, 0.0, 1.0, MT2002, 41, 42);
        g.Next();  // leaves a cached coordinate, or a pending mirror image
        ASSERT_TRUE(g.Init(41, 42, 0.0, 1.0, BOX_MULLER, antithetic, DISABLED, 0, MT2002));
        RandomNormal fresh = Normal(BOX_MULLER, antithetic, 0.0, 1.0, MT2002, 41, 42);
        EXPECT_EQ(Draw(g, 20), Draw(fresh, 20));
    }
}

TEST(NormalState, CopyContinuesIdentically) {
    for (GaussianMethod method : {BOX_MULLER, INV}) {
        for (int offset : {0, 1, 2, 3, 311, 312, 313, 625}) {
            RandomNormal g = Normal(method, 1, 0.0, 1.0, MT2002, 43, 44);
            Draw(g, size_t(offset));
            RandomNormal copy(g);
            EXPECT_EQ(Draw(copy, 700), Draw(g, 700)) << method << " " << offset;
        }
    }
}

// As the multivariate generator configures its generators: uniform seeding,
// method and antithetic switch, nothing else.
TEST(NormalState, PlainInitIsTheUniformStreamTransformed) {
    RandomNormal g = Normal(INV, 0, 0.0, 1.0, RAN2, 45, 46);
    EXPECT_EQ(g.Shift(), 0.0);
    EXPECT_EQ(g.Scale(), 1.0);
    RandomUniform u;
    u.Init(45, 46, RAN2);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(g.Next(), NormInv(u.Next()));
}

// ---------------------------------------------------------------- hang freedom

TEST(NormalHangFreedom, StuckGeneratorEndsBoxMullerWithNan) {
    RandomNormal g = Normal(BOX_MULLER);
    Zr::Testing::Jam(g);  // every uniform 1e-12: every pair lies outside the circle
    EXPECT_TRUE(std::isnan(g.Next()));
    RandomNormal inv = Normal(INV);
    Zr::Testing::Jam(inv);
    EXPECT_EQ(inv.Next(), NormInv(1e-12));
}

TEST(NormalHangFreedom, NonFiniteMomentsPassThrough) {
    RandomNormal g = Normal(BOX_MULLER, 1, std::nan(""), 1.0);
    EXPECT_TRUE(std::isnan(g.Next()));
    g = Normal(INV, 0, 0.0, HUGE_VAL);
    EXPECT_TRUE(std::isinf(g.Next()));
    g = Normal(BOX_MULLER, 0, 1e308, 1e308);
    for (double x : Draw(g, 1000)) EXPECT_FALSE(std::isnan(x));
}

// -------------------------------------------------------------- distribution

TEST(NormalDistribution, KolmogorovSmirnov) {
    constexpr size_t kDraws = 100000;
    for (GaussianMethod method : {BOX_MULLER, INV}) {
        for (UniformGeneratorType type : kTypes) {
            for (int32_t antithetic : {0, 1}) {
                RandomNormal g = Normal(method, antithetic, -2.0, 3.0, type, 51, 52);
                const double d = KsStatistic(Draw(g, kDraws), [](double x) { return NormCdf((x + 2.0) / 3.0); });
                EXPECT_LT(d, KsCritical(kDraws)) << method << " " << type << " " << antithetic;
            }
        }
    }
}
