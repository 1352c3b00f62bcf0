#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "math/distributions.h"
#include "math/samplers.h"
#include "tests/math/sampler_testing.h"

using namespace Zr::Math;
using Zr::Testing::Draw;
using Zr::Testing::KsCritical;
using Zr::Testing::KsStatistic;
using Zr::Testing::KsStatisticDiscrete;
using Zr::Testing::UniformsBetween;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kDenormMin = std::numeric_limits<double>::denorm_min();
const double kNan = std::nan("");
constexpr size_t kDraws = 100000;

enum Kind {
    GAMMA,
    CHI_SQUARE,
    BETA,
    POISSON,
    STUDENT_T,
    TRIANGULAR,
    WEIBULL,
    LOGISTIC,
    GUMBEL,
    NORMAL_BOX_MULLER,
    NORMAL_INVERSION,
    NORMAL_BOX_MULLER_ANTITHETIC,
    NORMAL_INVERSION_ANTITHETIC,
};

struct SequenceCase {
    Kind kind;
    double p[3];
    UniformGeneratorType type;
    uint32_t seed1;
    uint32_t seed2;
    double values[9];  // variates 1 to 8 and 1000
};

#include "data/samplers_reference.inc"

struct CdfCase {
    Kind kind;
    double p[2];
    double x[81];
    double cdf[81];
};

#include "data/samplers_cdf_reference.inc"

using Draws = std::function<double()>;

// Seeds of a sampler's generator (chi-square: of its gamma's; the extra
// generator takes one SeedStep further).
struct Seeds {
    uint32_t seed1 = 0;
    uint32_t seed2 = 0;
    UniformGeneratorType type = MT2002;
};

template <class Sampler>
Sampler Seeded(const Seeds& s) {
    Sampler g;
    EXPECT_TRUE(g.Seed(s.seed1, s.seed2, s.type));
    return g;
}

RandomGamma Gamma(double shape, double scale, Seeds s = {}) {
    auto g = Seeded<RandomGamma>(s);
    g.SetShape(shape);
    g.SetScale(scale);
    return g;
}
RandomChiSquare ChiSquare(int32_t n, Seeds s = {}) {
    auto g = Seeded<RandomChiSquare>(s);
    g.SetDegreesOfFreedom(n);
    return g;
}
RandomBeta Beta(double alpha, double beta, Seeds s = {}) {
    auto g = Seeded<RandomBeta>(s);
    g.SetAlpha(alpha);
    g.SetBeta(beta);
    return g;
}
RandomPoisson Poisson(double mean, Seeds s = {}) {
    auto g = Seeded<RandomPoisson>(s);
    g.SetMean(mean);
    return g;
}
RandomStudentT StudentT(int32_t n, Seeds s = {}) {
    auto g = Seeded<RandomStudentT>(s);
    g.SetDegreesOfFreedom(n);
    return g;
}
RandomTriangular Triangular(double min, double max, double mode, Seeds s = {}) {
    auto g = Seeded<RandomTriangular>(s);
    g.SetMin(min);
    g.SetMax(max);
    g.SetMode(mode);
    return g;
}
RandomWeibull Weibull(double alpha, double beta, Seeds s = {}) {
    auto g = Seeded<RandomWeibull>(s);
    g.SetShape(alpha);
    g.SetScale(beta);
    return g;
}
RandomLogistic Logistic(double m, double b, Seeds s = {}) {
    auto g = Seeded<RandomLogistic>(s);
    g.SetLocation(m);
    g.SetScale(b);
    return g;
}
RandomGumbel Gumbel(double alpha, double beta, Seeds s = {}) {
    auto g = Seeded<RandomGumbel>(s);
    g.SetLocation(alpha);
    g.SetScale(beta);
    return g;
}

using Draws = std::function<double()>;

template <class Sampler>
Draws Wrap(const Sampler& sampler) {
    auto held = std::make_shared<Sampler>(sampler);
    return [held] { return held->Next(); };
}

Draws MakeNormal(const SequenceCase& c, GaussianMethod method, int32_t antithetic) {
    RandomNormal g;
    EXPECT_TRUE(g.Init(c.seed1, c.seed2, c.p[0], c.p[1], method, antithetic, DISABLED, 0, c.type));
    return Wrap(g);
}

Draws MakeCase(const SequenceCase& c) {
    const double* p = c.p;
    const Seeds s{c.seed1, c.seed2, c.type};
    switch (c.kind) {
    case GAMMA: return Wrap(Gamma(p[0], p[1], s));
    case CHI_SQUARE: return Wrap(ChiSquare(int32_t(p[0]), s));
    case BETA: return Wrap(Beta(p[0], p[1], s));
    case POISSON: return Wrap(Poisson(p[0], s));
    case STUDENT_T: return Wrap(StudentT(int32_t(p[0]), s));
    case TRIANGULAR: return Wrap(Triangular(p[0], p[1], p[2], s));
    case WEIBULL: return Wrap(Weibull(p[0], p[1], s));
    case LOGISTIC: return Wrap(Logistic(p[0], p[1], s));
    case GUMBEL: return Wrap(Gumbel(p[0], p[1], s));
    case NORMAL_BOX_MULLER: return MakeNormal(c, BOX_MULLER, 0);
    case NORMAL_INVERSION: return MakeNormal(c, INV, 0);
    case NORMAL_BOX_MULLER_ANTITHETIC: return MakeNormal(c, BOX_MULLER, 1);
    case NORMAL_INVERSION_ANTITHETIC: return MakeNormal(c, INV, 1);
    }
    return {};
}

void ExpectTenDigits(const std::vector<double>& got, const std::vector<double>& want, const std::string& what) {
    for (size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(got[i], want[i], 5e-10 * std::fabs(want[i])) << what << " " << i;
}

bool IsWhole(double x) { return std::isfinite(x) && x == std::floor(x); }

}  // namespace

// ------------------------------------------------------------ the objects

TEST(SamplerObjects, PlainValuesWithoutHeap) {
    static_assert(std::is_trivially_copyable_v<RandomGamma> && std::is_trivially_copyable_v<RandomChiSquare> &&
                  std::is_trivially_copyable_v<RandomBeta> && std::is_trivially_copyable_v<RandomPoisson> &&
                  std::is_trivially_copyable_v<RandomStudentT> && std::is_trivially_copyable_v<RandomTriangular> &&
                  std::is_trivially_copyable_v<RandomWeibull> && std::is_trivially_copyable_v<RandomLogistic> &&
                  std::is_trivially_copyable_v<RandomGumbel>);
    // Two generators inline, a little over 5.3 KB.
    static_assert(sizeof(RandomChiSquare) > 2 * sizeof(RandomUniform) && sizeof(RandomChiSquare) < 5500);
}

// -------------------------------------------------------- reference sequences

// Against a high-precision model of every algorithm (make_samplers_reference.py).
TEST(SamplerReference, SequencesForFixedSeeds) {
    double worst = 0.0;
    for (const SequenceCase& c : kSequenceCases) {
        Draws next = MakeCase(c);
        std::vector<double> got;
        for (int i = 1; i <= 1000; ++i) {
            const double x = next();
            if (i <= 8 || i == 1000) got.push_back(x);
        }
        for (size_t i = 0; i < got.size(); ++i) {
            const double want = c.values[i];
            const double error = want == 0.0 ? std::fabs(got[i]) : std::fabs(got[i] / want - 1.0);
            worst = std::max(worst, error);
            EXPECT_LE(error, 1e-12) << "kind " << c.kind << " parameters " << c.p[0] << ", " << c.p[1] << ", "
                                    << c.p[2] << " variate " << i << ": " << got[i] << " vs " << want;
        }
    }
    RecordProperty("WorstRelativeError", std::to_string(worst));
    std::printf("worst relative error against the high-precision model: %.3g\n", worst);
}

// The figures quoted for the worksheet functions (algorithm 0, seeds 0 and 0).
TEST(SamplerReference, WorksheetFigures) {
    RandomBeta beta = Beta(2, 3);
    ExpectTenDigits(Draw(beta, 3), {0.1769204706, 0.1876378973, 0.2619865294}, "beta");
    RandomGamma gamma = Gamma(2.5, 1);
    ExpectTenDigits(Draw(gamma, 3), {0.9737796363, 1.027023097, 1.40496222}, "gamma 2.5");
    RandomGamma small = Gamma(0.5, 1);
    ExpectTenDigits(Draw(small, 3), {0.01053677486, 0.004706785464, 0.06106954936}, "gamma 0.5");
    RandomPoisson p3 = Poisson(3);
    EXPECT_EQ(Draw(p3, 5), (std::vector<double>{1, 1, 2, 3, 5}));
    RandomPoisson p50 = Poisson(50);
    EXPECT_EQ(Draw(p50, 3), (std::vector<double>{55, 55, 54}));
    RandomStudentT t1 = StudentT(1);
    ExpectTenDigits(Draw(t1, 3), {-1.95172588, -1.417711695, -1.749029873}, "t 1");
    RandomStudentT t5 = StudentT(5);
    ExpectTenDigits(Draw(t5, 3), {0.8645141673, 1.121633064, 0.9483064075}, "t 5");
    RandomChiSquare c4 = ChiSquare(4);
    ExpectTenDigits(Draw(c4, 3), {1.313781489, 1.399640381, 2.02333637}, "chi-square 4");
    RandomChiSquare c1 = ChiSquare(1);
    ExpectTenDigits(Draw(c1, 3), {0.3688591069, 0.5101680088, 0.0009572999492}, "chi-square 1");
    // F(3, 5): X seeded (s1, s2), Y seeded one SeedStep further.
    RandomChiSquare x = ChiSquare(3), y = ChiSquare(5, {SeedStep(0), SeedStep(0)});
    std::vector<double> f;
    for (int i = 0; i < 3; ++i) {
        const double xi = x.Next();
        f.push_back(xi * (5.0 / 3.0) / y.Next());
    }
    ExpectTenDigits(f, {0.1999133938, 1.702898161, 0.7383974868}, "F");
    RandomGumbel gumbel = Gumbel(0, 1);
    ExpectTenDigits(Draw(gumbel, 3), {-0.6378192788, -0.4897917877, -0.5876976151}, "Gumbel");
    RandomWeibull weibull = Weibull(2, 1);
    ExpectTenDigits(Draw(weibull, 3), {0.4041820303, 0.4664626674, 0.4251038844}, "Weibull");
    RandomLogistic logistic = Logistic(0, 1);
    ExpectTenDigits(Draw(logistic, 3), {-1.728986576, -1.414388967, -1.619126405}, "logistic");
    RandomTriangular triangular = Triangular(0, 1, 0.5);
    ExpectTenDigits(Draw(triangular, 3), {0.274515258, 0.3126841248, 0.287511204}, "triangular");
}

// ---------------------------------------------------------------- gamma

TEST(SamplerGamma, ShapeOneIsOneExponentialPerUniform) {
    RandomGamma g = Gamma(1, 3, {5, 6, RAN2});
    RandomUniform u;
    u.Init(5, 6, RAN2);
    for (int i = 0; i < 1000; ++i) {
        const RandomUniform before = g.Generator();
        ASSERT_EQ(g.Next(), -std::log(1.0 - u.Next()) * 3.0);
        ASSERT_EQ(UniformsBetween(before, g.Generator()), 1);
    }
}

// Below shape 1 the power's uniform comes first, then Marsaglia-Tsang at shape + 1.
TEST(SamplerGamma, ShapeBelowOneDrawsItsUniformFirst) {
    RandomGamma g = Gamma(0.5, 2, {7, 8, RAN2});
    RandomGamma raised = Gamma(1.5, 2, {7, 8, RAN2});
    for (int i = 0; i < 1000; ++i) {
        const double u = raised.Generator().Next();
        ASSERT_DOUBLE_EQ(g.Next(), raised.Next() * u * u) << i;
    }
}

TEST(SamplerGamma, InvalidParametersGiveNan) {
    for (double shape : {kNan, 0.0, -1.0, kInf, -kInf}) {
        RandomGamma g = Gamma(shape, 1);
        EXPECT_TRUE(std::isnan(g.Next())) << shape;
    }
    for (double scale : {kNan, 0.0, -2.0, kInf}) {
        RandomGamma g = Gamma(2, scale);
        EXPECT_TRUE(std::isnan(g.Next())) << scale;
    }
}

// ----------------------------------------------------------------- chi-square

TEST(SamplerChiSquare, SeedsTheExtraGeneratorOneStepFurther) {
    RandomChiSquare c = ChiSquare(1, {123, 456, MT1998});
    RandomUniform gammaSeeds, extraSeeds;
    gammaSeeds.Init(123, 456, MT1998);
    extraSeeds.Init(SeedStep(123), SeedStep(456), MT1998);
    EXPECT_EQ(Draw(c.GammaGenerator(), 50), Draw(gammaSeeds, 50));
    EXPECT_EQ(Draw(c.ExtraGenerator(), 50), Draw(extraSeeds, 50));
}

TEST(SamplerChiSquare, TwoDegreesAreTwiceAnExponentialOfOneUniform) {
    RandomChiSquare c = ChiSquare(2, {3, 4, RAN2});
    RandomUniform u;
    u.Init(3, 4, RAN2);
    const RandomUniform extra = c.ExtraGenerator();
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(c.Next(), -std::log(1.0 - u.Next()) * 2.0);
    EXPECT_EQ(UniformsBetween(extra, c.ExtraGenerator()), 0);
}

TEST(SamplerChiSquare, OneDegreeDrawsTheExtraUniformFirst) {
    RandomChiSquare c = ChiSquare(1, {9, 10, RAN2});
    RandomGamma g = Gamma(1.5, 2, {9, 10, RAN2});
    RandomUniform extra;
    extra.Init(SeedStep(9), SeedStep(10), RAN2);
    for (int i = 0; i < 1000; ++i) {
        const double u = extra.Next();
        ASSERT_EQ(c.Next(), g.Next() * (u * u)) << i;
    }
}

TEST(SamplerChiSquare, FewerThanOneDegreeGivesNanUntilCorrected) {
    for (int32_t n : {0, -1, std::numeric_limits<int32_t>::min()}) {
        RandomChiSquare c = ChiSquare(n, {1, 2, RAN2});
        const RandomUniform before = c.GammaGenerator();
        EXPECT_TRUE(std::isnan(c.Next()));
        EXPECT_TRUE(std::isnan(c.Next()));
        EXPECT_EQ(UniformsBetween(before, c.GammaGenerator()), 0);
        c.SetDegreesOfFreedom(3);
        EXPECT_GT(c.Next(), 0.0);
    }
}

TEST(SamplerChiSquare, OneDegreeHasMeanOneVarianceTwo) {
    RandomChiSquare c = ChiSquare(1, {77, 78});
    const auto m = Zr::Testing::PopulationMoments(Draw(c, 400000));
    EXPECT_NEAR(double(m.mean), 1.0, 0.01);
    EXPECT_NEAR(double(m.stdev * m.stdev), 2.0, 0.04);
}

// ---------------------------------------------------------------------- beta

// Swapping the shapes gives the mirror image of the same proposals: Cheng's
// algorithms for ordinary shapes, the gamma ratio for very large ones.
TEST(SamplerBeta, SwappingShapesMirrors) {
    const std::pair<double, double> shapes[] = {{2, 3},    {1.5, 40}, {0.5, 0.6}, {1, 1.5},
                                                {0.3, 2},  {5, 0.7},  {0.5, 2e10}, {3e10, 7e10}};
    for (auto [alpha, beta] : shapes) {
        RandomBeta x = Beta(alpha, beta, {11, 12}), y = Beta(beta, alpha, {11, 12});
        for (int i = 0; i < 2000; ++i) {
            const double a = x.Next(), b = y.Next();
            ASSERT_NEAR(a + b, 1.0, 4e-16) << alpha << ", " << beta << " draw " << i;
        }
    }
}

TEST(SamplerBeta, SetterMakesTheNextDrawSetUpAgain) {
    RandomBeta b = Beta(2, 3, {5, 5, RAN2});
    Draw(b, 10);
    b.SetAlpha(0.5);  // from algorithm BB to BC
    RandomBeta fresh = Beta(0.5, 3);
    fresh.Generator() = b.Generator();
    EXPECT_EQ(Draw(b, 100), Draw(fresh, 100));
    b.SetBeta(1e11);  // to the gamma ratio
    RandomBeta large = Beta(0.5, 1e11);
    large.Generator() = b.Generator();
    EXPECT_EQ(Draw(b, 100), Draw(large, 100));
}

TEST(SamplerBeta, InvalidShapesGiveNan) {
    for (double bad : {kNan, 0.0, -1.0, kInf, -kInf}) {
        RandomBeta b1 = Beta(bad, 2), b2 = Beta(2, bad), b3 = Beta(bad, 0.5);
        EXPECT_TRUE(std::isnan(b1.Next())) << bad;
        EXPECT_TRUE(std::isnan(b2.Next())) << bad;
        EXPECT_TRUE(std::isnan(b3.Next())) << bad;
    }
}

// 2ab overflows from about 1e154: Cheng's BB would divide to beta' = 0 and
// compare with NaN for ever.
TEST(SamplerBeta, HugeEqualShapesGiveOneHalf) {
    for (double shape : {1e154, 1e200, 1e308, kMax}) {
        RandomBeta b = Beta(shape, shape);
        for (double x : Draw(b, 1000)) ASSERT_NEAR(x, 0.5, 1e-15) << shape;
    }
}

// --------------------------------------------------------------------- Poisson

TEST(SamplerPoisson, ProductMethodTakesOneUniformPerCountAndOne) {
    RandomPoisson p = Poisson(11.9, {13, 14, RAN2});
    for (int i = 0; i < 3000; ++i) {
        const RandomUniform before = p.Generator();
        const double k = p.Next();
        ASSERT_TRUE(IsWhole(k));
        ASSERT_EQ(UniformsBetween(before, p.Generator()), int(k) + 1);
    }
}

TEST(SamplerPoisson, FromTwelveTheLorentzianRejection) {
    RandomPoisson p = Poisson(12, {13, 14, RAN2});
    int productLike = 0;
    for (int i = 0; i < 3000; ++i) {
        const RandomUniform before = p.Generator();
        const double k = p.Next();
        ASSERT_TRUE(IsWhole(k));
        productLike += UniformsBetween(before, p.Generator()) == int(k) + 1;
    }
    EXPECT_LT(productLike, 600);
}

TEST(SamplerPoisson, TinyMeanGivesMostlyZeros) {
    RandomPoisson p = Poisson(0.001, {15, 16});
    const std::vector<double> x = Draw(p, 100000);
    EXPECT_NEAR(double(std::count(x.begin(), x.end(), 0.0)), 99900.0, 60.0);
    RandomPoisson zero = Poisson(0.0);
    for (double k : Draw(zero, 100)) EXPECT_EQ(k, 0.0);
}

// Beyond kLargeParameter one uniform per variate, by the normal approximation.
TEST(SamplerPoisson, HugeMeansGiveWholeNumbersNearTheMean) {
    for (double mean : {1.5e10, 1e13, 1e15, 1e200, 1e308, kMax}) {
        RandomPoisson p = Poisson(mean, {17, 18, RAN2});
        for (int i = 0; i < 1000; ++i) {
            const RandomUniform before = p.Generator();
            const double k = p.Next();
            ASSERT_TRUE(IsWhole(k)) << mean;
            ASSERT_LE(std::fabs(k - mean), 8.0 * std::sqrt(mean)) << mean;
            ASSERT_EQ(UniformsBetween(before, p.Generator()), 1);
        }
    }
}

TEST(SamplerPoisson, InvalidMeansGiveNan) {
    for (double mean : {kNan, -1.0, -1e-300, kInf, -kInf}) {
        RandomPoisson p = Poisson(mean);
        EXPECT_TRUE(std::isnan(p.Next())) << mean;
    }
}

TEST(SamplerPoisson, SetterMakesTheNextDrawSetUpAgain) {
    RandomPoisson p = Poisson(3, {19, 20});
    Draw(p, 10);
    p.SetMean(50);
    RandomPoisson fresh = Poisson(50);
    fresh.Generator() = p.Generator();
    EXPECT_EQ(Draw(p, 100), Draw(fresh, 100));
}

// ------------------------------------------------------------------ Student t

TEST(SamplerStudentT, OneDegreeIsTheCauchyQuantile) {
    RandomStudentT t = StudentT(1, {21, 22, MT1998});
    RandomUniform u;
    u.Init(21, 22, MT1998);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(t.Next(), std::tan((u.Next() - 0.5) * 3.14159265358979));
}

TEST(SamplerStudentT, FewerThanOneDegreeGivesNanUntilCorrected) {
    for (int32_t n : {0, -3, std::numeric_limits<int32_t>::min()}) {
        RandomStudentT t = StudentT(n, {1, 2, RAN2});
        const RandomUniform before = t.Generator();
        EXPECT_TRUE(std::isnan(t.Next()));
        EXPECT_TRUE(std::isnan(t.Next()));
        EXPECT_EQ(UniformsBetween(before, t.Generator()), 0);
        t.SetDegreesOfFreedom(9);
        EXPECT_TRUE(std::isfinite(t.Next()));
    }
}

// ------------------------------------------------------------------ inversion

TEST(SamplerInversion, TriangularNeedsTheModeStrictlyInside) {
    const double bad[][3] = {{0, 1, 0}, {0, 1, 1}, {1, 0, 0.5}, {0, 0, 0}, {kNan, 1, 0.5},
                             {0, kNan, 0.5}, {0, 1, kNan}, {0, 1, 2}};
    for (const auto& p : bad) {
        RandomTriangular t = Triangular(p[0], p[1], p[2], {1, 2});
        EXPECT_TRUE(std::isnan(t.Next())) << p[0] << " " << p[1] << " " << p[2];
        EXPECT_TRUE(std::isnan(t.Next()));
        t.SetMin(0);
        t.SetMax(1);
        t.SetMode(0.25);
        const double x = t.Next();
        EXPECT_TRUE(x > 0 && x < 1);
    }
}

TEST(SamplerInversion, WeibullAndLogisticNeedPositiveScales) {
    for (auto [alpha, beta] : {std::pair{0.0, 1.0}, {1.0, 0.0}, {-1.0, 1.0}, {kNan, 1.0}, {1.0, kNan}}) {
        RandomWeibull w = Weibull(alpha, beta);
        EXPECT_TRUE(std::isnan(w.Next())) << alpha << " " << beta;
        w.SetShape(2);
        w.SetScale(1);
        EXPECT_GT(w.Next(), 0.0);
    }
    for (double b : {0.0, -1.0, kNan}) {
        RandomLogistic l = Logistic(0, b);
        EXPECT_TRUE(std::isnan(l.Next())) << b;
        l.SetScale(1);
        EXPECT_TRUE(std::isfinite(l.Next()));
    }
    RandomLogistic negative = Logistic(-5, 1);  // any location
    EXPECT_TRUE(std::isfinite(negative.Next()));
}

TEST(SamplerInversion, GumbelIsMinusLogMinusLogOfTheUniform) {
    RandomGumbel g = Gumbel(0, 1, {23, 24});
    RandomUniform u;
    u.Init(23, 24, MT2002);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(g.Next(), -std::log(-std::log(u.Next())));
}

// ------------------------------------------------------------- distributions

TEST(SamplerDistribution, GammaKolmogorovSmirnov) {
    const std::pair<double, double> cases[] = {{0.3, 1}, {0.5, 2}, {1, 1},   {1, 0.5},
                                               {2.5, 1}, {10, 3}};
    for (auto [shape, scale] : cases) {
        RandomGamma g = Gamma(shape, scale, {31, 32});
        const double d = KsStatistic(Draw(g, kDraws), [=](double x) { return GammaCdf(x, shape, scale); });
        EXPECT_LT(d, KsCritical(kDraws)) << shape << ", " << scale;
    }
}

TEST(SamplerDistribution, ChiSquareKolmogorovSmirnov) {
    for (int32_t n : {1, 2, 3, 10, 1000}) {
        RandomChiSquare c = ChiSquare(n, {33, 34, MT1998});
        const double d = KsStatistic(Draw(c, kDraws), [=](double x) { return ChiSqCdf(x, n); });
        EXPECT_LT(d, KsCritical(kDraws)) << n;
    }
}

TEST(SamplerDistribution, BetaKolmogorovSmirnov) {
    const std::pair<double, double> cases[] = {{0.5, 0.5}, {0.3, 2},  {1, 1},     {1, 3},
                                               {2, 3},     {5, 0.7},  {40, 1.5},  {1000, 1000}};
    for (auto [alpha, beta] : cases) {
        RandomBeta b = Beta(alpha, beta, {35, 36, RAN2});
        const double d = KsStatistic(Draw(b, kDraws), [=](double x) { return BetaCdf(x, alpha, beta); });
        EXPECT_LT(d, KsCritical(kDraws)) << alpha << ", " << beta;
    }
}

TEST(SamplerDistribution, PoissonKolmogorovSmirnovAtIntegers) {
    for (double mean : {0.5, 3.0, 11.9, 12.0, 50.0, 1000.0, 1e6}) {
        RandomPoisson p = Poisson(mean, {37, 38});
        const double d = KsStatisticDiscrete(Draw(p, kDraws), [=](double k) { return PoissonCdf(int32_t(k), mean); });
        EXPECT_LT(d, KsCritical(kDraws)) << mean;
    }
}

// Where Boost.Math's incomplete gamma function gives up (from about 1e11) or
// takes milliseconds (so do the beta's for shapes of 1e10): the empirical
// distribution function at 81 tabulated points against SciPy's values there,
// a Kolmogorov-Smirnov statistic over those points.
TEST(SamplerDistribution, LargeParametersAgainstTabulatedCdf) {
    for (const CdfCase& c : kCdfCases) {
        Draws next = MakeCase({c.kind, {c.p[0], c.p[1], 0.0}, MT2002, 53, 54, {}});
        std::vector<double> sample(kDraws);
        for (double& x : sample) x = next();
        std::sort(sample.begin(), sample.end());
        double d = 0.0;
        for (int j = 0; j < 81; ++j) {
            const auto below = std::upper_bound(sample.begin(), sample.end(), c.x[j]) - sample.begin();
            d = std::max(d, std::fabs(double(below) / kDraws - c.cdf[j]));
        }
        EXPECT_LT(d, KsCritical(kDraws)) << "kind " << c.kind << " parameter " << c.p[0];
    }
}

TEST(SamplerDistribution, StudentTKolmogorovSmirnov) {
    for (int32_t n : {1, 2, 3, 5, 8, 9, 30, 2147483647}) {
        RandomStudentT t = StudentT(n, {39, 40});
        const double d = KsStatistic(Draw(t, kDraws), [=](double x) { return TCdf(x, n); });
        EXPECT_LT(d, KsCritical(kDraws)) << n;
    }
}

TEST(SamplerDistribution, InversionKolmogorovSmirnov) {
    RandomTriangular t1 = Triangular(0, 1, 0.5, {41, 42}), t2 = Triangular(-2, 5, 3, {41, 42});
    EXPECT_LT(KsStatistic(Draw(t1, kDraws), [](double x) { return TriangularCdf(x, 0, 1, 0.5); }), KsCritical(kDraws));
    EXPECT_LT(KsStatistic(Draw(t2, kDraws), [](double x) { return TriangularCdf(x, -2, 5, 3); }), KsCritical(kDraws));
    RandomWeibull w1 = Weibull(2, 1, {43, 44}), w2 = Weibull(0.5, 3, {43, 44});
    EXPECT_LT(KsStatistic(Draw(w1, kDraws), [](double x) { return WeibullCdf(x, 2, 1); }), KsCritical(kDraws));
    EXPECT_LT(KsStatistic(Draw(w2, kDraws), [](double x) { return WeibullCdf(x, 0.5, 3); }), KsCritical(kDraws));
    RandomLogistic l1 = Logistic(0, 1, {45, 46}), l2 = Logistic(-3, 0.5, {45, 46});
    EXPECT_LT(KsStatistic(Draw(l1, kDraws), [](double x) { return LogisticCdf(x, 0, 1); }), KsCritical(kDraws));
    EXPECT_LT(KsStatistic(Draw(l2, kDraws), [](double x) { return LogisticCdf(x, -3, 0.5); }), KsCritical(kDraws));
    RandomGumbel g1 = Gumbel(0, 1, {47, 48}), g2 = Gumbel(2, 0.25, {47, 48});
    EXPECT_LT(KsStatistic(Draw(g1, kDraws), [](double x) { return GumbelCdf(x, 0, 1); }), KsCritical(kDraws));
    EXPECT_LT(KsStatistic(Draw(g2, kDraws), [](double x) { return GumbelCdf(x, 2, 0.25); }), KsCritical(kDraws));
}

// -------------------------------------------------------------- hang freedom

namespace {

// What an extreme case must give: NaN throughout (a parameter outside the
// distribution), no NaN at all, or anything (the inversion samplers hand
// their parameters to Boost.Math, whose checks decide).
enum class Expect { NAN_ONLY, NUMBERS, ANY };

struct Extreme {
    std::string name;
    Draws draw;
    Expect expect;
};

std::string Text(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", x);
    return text;
}

std::vector<Extreme> ExtremeCases() {
    std::vector<Extreme> cases;
    const double values[] = {kNan, kInf, -kInf, 0.0,  -1.0,   1e308,      kMax,
                             1e154, 1e15, 1e-11, 1e-300, kDenormMin, 1.0,  2.5};
    const Seeds s{1, 2, MT2002};
    for (double a : values) {
        for (double b : values) {
            const std::string args = Text(a) + ", " + Text(b);
            const Expect drawable = IsPositiveFinite(a) && IsPositiveFinite(b) ? Expect::NUMBERS : Expect::NAN_ONLY;
            cases.push_back({"gamma " + args, Wrap(Gamma(a, b, s)), drawable});
            cases.push_back({"beta " + args, Wrap(Beta(a, b, s)), drawable});
            cases.push_back({"Weibull " + args, Wrap(Weibull(a, b, s)), Expect::ANY});
            cases.push_back({"logistic " + args, Wrap(Logistic(a, b, s)), Expect::ANY});
            cases.push_back({"Gumbel " + args, Wrap(Gumbel(a, b, s)), Expect::ANY});
            cases.push_back({"triangular " + args, Wrap(Triangular(-a, b, 0.0, s)), Expect::ANY});
        }
        for (double mean : {a, -a}) {
            const bool drawable = mean >= 0.0 && !std::isinf(mean);
            cases.push_back({"Poisson " + Text(mean), Wrap(Poisson(mean, {1, 2, RAN2})),
                             drawable ? Expect::NUMBERS : Expect::NAN_ONLY});
        }
    }
    for (int32_t n : {std::numeric_limits<int32_t>::min(), -1, 0, 1, 2, 3, 8, 9, 2147483646, 2147483647}) {
        const Expect drawable = n >= 1 ? Expect::NUMBERS : Expect::NAN_ONLY;
        cases.push_back({"chi-square " + std::to_string(n), Wrap(ChiSquare(n, {1, 2, MT1998})), drawable});
        cases.push_back({"t " + std::to_string(n), Wrap(StudentT(n, {1, 2, MT1998})), drawable});
    }
    return cases;
}

}  // namespace

// Every sampler with extreme arguments returns 1000 variates at once: NaN
// where the parameters lie outside the distribution, otherwise numbers.
TEST(SamplerHangFreedom, ExtremeArgumentsReturnQuickly) {
    using Clock = std::chrono::steady_clock;
    double slowest = 0.0;
    std::string slowestName;
    for (const Extreme& c : ExtremeCases()) {
        const auto start = Clock::now();
        int nans = 0;
        for (int i = 0; i < 1000; ++i) nans += std::isnan(c.draw());
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (seconds > slowest) slowest = seconds, slowestName = c.name;
        EXPECT_LT(seconds, 1.0) << c.name;
        if (c.expect != Expect::ANY) {
            EXPECT_EQ(nans, c.expect == Expect::NAN_ONLY ? 1000 : 0) << c.name;
        }
    }
    std::printf("slowest extreme case: %s, %.3g s for 1000 variates\n", slowestName.c_str(), slowest);
}

// A generator stuck at 1e-12 makes Marsaglia-Tsang reject every proposal
// (x = NormInv(1e-12) puts 1 + c x below 0 for shapes up to about 5.8): the
// bound ends the loop and the variate is NaN. The other samplers accept or
// give up just as quickly.
TEST(SamplerHangFreedom, StuckGeneratorEndsEveryLoop) {
    RandomGamma gamma = Gamma(2, 1);
    Zr::Testing::Jam(gamma.Generator());
    EXPECT_TRUE(std::isnan(gamma.Next()));
    RandomGamma small = Gamma(0.5, 1);
    Zr::Testing::Jam(small.Generator());
    EXPECT_TRUE(std::isnan(small.Next()));
    RandomChiSquare chi = ChiSquare(3);
    Zr::Testing::Jam(chi.GammaGenerator());
    EXPECT_TRUE(std::isnan(chi.Next()));
    RandomBeta ratio = Beta(2, 1e11);
    Zr::Testing::Jam(ratio.Generator());
    EXPECT_TRUE(std::isnan(ratio.Next()));

    std::vector<Draws> others;
    auto jammed = [&others](auto sampler) {
        Zr::Testing::Jam(sampler.Generator());
        others.push_back(Wrap(sampler));
    };
    for (auto [a, b] : {std::pair{2.0, 3.0}, {0.5, 0.5}, {1.0, 1.0}, {50.0, 60.0}}) jammed(Beta(a, b));
    for (double mean : {3.0, 12.0, 1e6, 1e12}) jammed(Poisson(mean));
    for (int32_t n : {1, 2, 9, 1000}) jammed(StudentT(n));
    for (auto& draw : others)
        for (int i = 0; i < 10; ++i) draw();  // returns at all
}
