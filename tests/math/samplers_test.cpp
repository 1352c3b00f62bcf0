// RandomNormal and the distribution samplers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "math/distributions.h"
#include "math/samplers.h"
#include "tests/math/inspect.h"

using namespace Zr::Math;
using testing::PrintToString;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();
const double kNan = std::nan("");

enum Kind {
    GAMMA, CHI_SQUARE, BETA, POISSON, STUDENT_T, TRIANGULAR, WEIBULL, LOGISTIC, GUMBEL,
    NORMAL_BOX_MULLER, NORMAL_INVERSION, NORMAL_BOX_MULLER_ANTITHETIC, NORMAL_INVERSION_ANTITHETIC,
};

struct SequenceCase {
    Kind kind;
    double p[3];
    UniformGeneratorType type;
    uint32_t seed1, seed2;
    double values[9];  // variates 1 to 8 and 1000
};
#include "tests/math/data/samplers_reference.inc"

struct CdfCase { Kind kind; double p[2], x[81], cdf[81]; };
#include "tests/math/data/samplers_cdf_reference.inc"

// Seeds of a sampler's generator (chi-square: of its gamma's; the extra
// generator takes one SeedStep further).
struct Seeds { uint32_t seed1 = 0, seed2 = 0; UniformGeneratorType type = MT2002; };

// The parameters of each sampler, in the order of its worksheet function.
void Set(RandomGamma& g, const double* p) { g.SetShape(p[0]), g.SetScale(p[1]); }
void Set(RandomChiSquare& g, const double* p) { g.SetDegreesOfFreedom(int32_t(p[0])); }
void Set(RandomBeta& g, const double* p) { g.SetAlpha(p[0]), g.SetBeta(p[1]); }
void Set(RandomPoisson& g, const double* p) { g.SetMean(p[0]); }
void Set(RandomStudentT& g, const double* p) { g.SetDegreesOfFreedom(int32_t(p[0])); }
void Set(RandomTriangular& g, const double* p) { g.SetMin(p[0]), g.SetMax(p[1]), g.SetMode(p[2]); }
void Set(RandomWeibull& g, const double* p) { g.SetShape(p[0]), g.SetScale(p[1]); }
void Set(RandomLogistic& g, const double* p) { g.SetLocation(p[0]), g.SetScale(p[1]); }
void Set(RandomGumbel& g, const double* p) { g.SetLocation(p[0]), g.SetScale(p[1]); }

template <class Sampler>
Sampler Make(const std::vector<double>& p, Seeds s = {}) {
    Sampler g;
    EXPECT_TRUE(g.Seed(s.seed1, s.seed2, s.type));
    Set(g, p.data());
    return g;
}
RandomNormal Normal(GaussianMethod method, int32_t antithetic, double mean = 0.0, double stdev = 1.0, Seeds s = {}) {
    RandomNormal g;
    EXPECT_TRUE(g.Init(s.seed1, s.seed2, mean, stdev, method, antithetic, DISABLED, 0, s.type));
    return g;
}

RandomUniform& GeneratorOf(RandomUniform& s) { return s; }
RandomUniform& GeneratorOf(SamplerBase& s) { return Inspect::Generator(s); }
RandomUniform& GeneratorOf(RandomChiSquare& s) { return Inspect::Generator(s); }

template <class S>
std::vector<double> Draw(S& s, size_t n) { std::vector<double> v(n); for (double& x : v) x = s.Next(); return v; }

// Makes every further uniform 1e-12 (an all-zero twister state regenerates to zeros).
template <class Sampler>
Sampler Jammed(Sampler sampler) {
    RandomUniform& g = GeneratorOf(sampler);
    g.Init(0, 0, MT2002);
    std::fill_n(Inspect::TwisterState(g), RandomUniform::kStateWords, 0u);
    return sampler;
}

// Any sampler of the tables below, as a function drawing its next variate.
using Draws = std::function<double()>;
template <class Sampler>
Draws Wrap(const Sampler& sampler) {
    auto held = std::make_shared<Sampler>(sampler);
    return [held] { return held->Next(); };
}

template <class Sampler>
Draws Sample(const double* p, const Seeds& s) { return Wrap(Make<Sampler>({p, p + 3}, s)); }
template <GaussianMethod method, int32_t antithetic>
Draws SampleNormal(const double* p, const Seeds& s) { return Wrap(Normal(method, antithetic, p[0], p[1], s)); }

// In the order of Kind.
Draws (*const kMakers[])(const double*, const Seeds&) = {
    Sample<RandomGamma>, Sample<RandomChiSquare>, Sample<RandomBeta>, Sample<RandomPoisson>, Sample<RandomStudentT>,
    Sample<RandomTriangular>, Sample<RandomWeibull>, Sample<RandomLogistic>, Sample<RandomGumbel>,
    SampleNormal<BOX_MULLER, 0>, SampleNormal<INV, 0>, SampleNormal<BOX_MULLER, 1>, SampleNormal<INV, 1>,
};
static_assert(std::size(kMakers) == NORMAL_INVERSION_ANTITHETIC + 1);
Draws MakeCase(Kind kind, const double* p, const Seeds& s) { return kMakers[kind](p, s); }

double Cdf(Kind kind, const double* p, double x) {
    switch (kind) {
    case GAMMA: return GammaCdf(x, p[0], p[1]);
    case CHI_SQUARE: return ChiSqCdf(x, int32_t(p[0]));
    case BETA: return BetaCdf(x, p[0], p[1]);
    case POISSON: return PoissonCdf(int32_t(x), p[0]);
    case STUDENT_T: return TCdf(x, int32_t(p[0]));
    case TRIANGULAR: return TriangularCdf(x, p[0], p[1], p[2]);
    case WEIBULL: return WeibullCdf(x, p[0], p[1]);
    case LOGISTIC: return LogisticCdf(x, p[0], p[1]);
    case GUMBEL: return GumbelCdf(x, p[0], p[1]);
    default: return NormCdf((x - p[0]) / p[1]);
    }
}

// 20,000 sorted variates, and the Kolmogorov-Smirnov critical value at 0.001 for them.
constexpr size_t kDraws = 20000;
const double kKsCritical = 1.9495 / std::sqrt(double(kDraws));
std::vector<double> SortedSample(Kind kind, const double* p, const Seeds& s) {
    Draws next = MakeCase(kind, p, s);
    std::vector<double> x(kDraws);
    for (double& v : x) v = next();
    std::sort(x.begin(), x.end());
    return x;
}

}  // namespace

// Against a high-precision model of every algorithm (make_samplers_reference.py),
// to a few ulps. Variate 1000 pins the uniforms each method takes: one per
// exponential or inversion, k + 1 for Poisson's product method, and so on.
TEST(SamplerReference, SequencesForFixedSeeds) {
    for (const SequenceCase& c : kSequenceCases) {
        Draws next = MakeCase(c.kind, c.p, {c.seed1, c.seed2, c.type});
        for (int i = 1, checked = 0; i <= 1000; ++i) {
            const double got = next();
            if (i > 8 && i < 1000) continue;
            const double want = c.values[checked++];
            const double error = want == 0.0 ? std::fabs(got) : std::fabs(got / want - 1.0);
            EXPECT_LE(error, 1e-12) << "kind " << c.kind << " parameters " << PrintToString(c.p) << " variate " << i
                                    << ": " << got << " vs " << want;
        }
    }
}

// Poisson's empirical and exact distribution functions meet at every integer reached.
TEST(SamplerDistribution, KolmogorovSmirnov) {
    struct Case {
        Kind kind;
        double p[3];
        UniformGeneratorType type = MT2002;
    };
    const Case cases[] = {
        {GAMMA, {0.3, 1}}, {GAMMA, {0.5, 2}}, {GAMMA, {1, 0.5}}, {GAMMA, {2.5, 1}, RAN2}, {GAMMA, {10, 3}},
        {CHI_SQUARE, {1}, MT1998}, {CHI_SQUARE, {2}}, {CHI_SQUARE, {3}}, {CHI_SQUARE, {10}, RAN2},
        {CHI_SQUARE, {1000}}, {BETA, {0.5, 0.5}, RAN2}, {BETA, {0.3, 2}}, {BETA, {1, 1}}, {BETA, {1, 3}, MT1998},
        {BETA, {2, 3}}, {BETA, {5, 0.7}}, {BETA, {40, 1.5}, RAN2}, {BETA, {1000, 1000}}, {POISSON, {0.5}},
        {POISSON, {3}, RAN2}, {POISSON, {11.9}}, {POISSON, {12}}, {POISSON, {50}, MT1998}, {POISSON, {1000}},
        {POISSON, {1e6}}, {STUDENT_T, {1}}, {STUDENT_T, {2}, RAN2}, {STUDENT_T, {3}}, {STUDENT_T, {5}},
        {STUDENT_T, {8}, MT1998}, {STUDENT_T, {9}}, {STUDENT_T, {30}}, {STUDENT_T, {2147483647}},
        {TRIANGULAR, {0, 1, 0.5}}, {TRIANGULAR, {-2, 5, 3}, RAN2}, {WEIBULL, {2, 1}}, {WEIBULL, {0.5, 3}, MT1998},
        {LOGISTIC, {0, 1}}, {LOGISTIC, {-3, 0.5}, RAN2}, {GUMBEL, {0, 1}}, {GUMBEL, {2, 0.25}, MT1998},
        {NORMAL_BOX_MULLER, {-2, 3}}, {NORMAL_BOX_MULLER, {0, 1}, RAN2}, {NORMAL_INVERSION, {-2, 3}, MT1998},
        {NORMAL_BOX_MULLER_ANTITHETIC, {-2, 3}, MT1998}, {NORMAL_INVERSION_ANTITHETIC, {-2, 3}, RAN2},
    };
    for (const Case& c : cases) {
        const std::vector<double> x = SortedSample(c.kind, c.p, {51, 52, c.type});
        double d = 0.0;
        for (size_t i = 0; i < kDraws; ++i) {
            if (c.kind != POISSON) {
                const double f = Cdf(c.kind, c.p, x[i]);
                d = std::max({d, f - double(i) / kDraws, double(i + 1) / kDraws - f});
            } else if (i + 1 == kDraws || x[i + 1] != x[i]) {
                d = std::max(d, std::fabs(double(i + 1) / kDraws - Cdf(POISSON, c.p, x[i])));
            }
        }
        EXPECT_LT(d, kKsCritical) << "kind " << c.kind << " parameters " << PrintToString(c.p) << " type " << c.type;
    }
}

// The forms beyond kLargeParameter, where Boost.Math's incomplete gamma
// function gives up (from about 1e11) or takes milliseconds (so does the
// beta's for shapes of 1e10): the empirical distribution function at 81
// points against SciPy's and quadrature's values there.
TEST(SamplerDistribution, LargeParametersAgainstTabulatedCdf) {
    for (const CdfCase& c : kCdfCases) {
        const double p[3] = {c.p[0], c.p[1], 0.0};
        const std::vector<double> x = SortedSample(c.kind, p, {53, 54, MT2002});
        double d = 0.0;
        for (int j = 0; j < 81; ++j) {
            const auto below = std::upper_bound(x.begin(), x.end(), c.x[j]) - x.begin();
            d = std::max(d, std::fabs(double(below) / kDraws - c.cdf[j]));
        }
        EXPECT_LT(d, kKsCritical) << "kind " << c.kind << " parameter " << c.p[0];
    }
}

// The first draw after a setter checks the parameters and sets up again:
// invalid ones give NaN, without taking a uniform, until corrected; valid
// ones give the variates of a sampler made with them.
TEST(SamplerMethods, SettersRedoTheSetUp) {
    auto expect = [](auto sampler, const std::vector<double>& to, bool invalid, const std::string& what) {
        RandomUniform before = GeneratorOf(sampler);
        EXPECT_EQ(std::isnan(sampler.Next()), invalid) << what;
        if (invalid) {
            EXPECT_EQ(GeneratorOf(sampler).Next(), before.Next()) << what;
        }
        Set(sampler, to.data());
        auto fresh = Make<decltype(sampler)>(to);
        GeneratorOf(fresh) = GeneratorOf(sampler);
        EXPECT_EQ(Draw(sampler, 100), Draw(fresh, 100)) << what;
    };
    expect(Make<RandomBeta>({2, 3}), {0.5, 3}, false, "beta BB to BC");
    expect(Make<RandomBeta>({0.5, 3}), {0.5, 1e11}, false, "beta BC to gamma ratio");
    expect(Make<RandomPoisson>({3}), {50}, false, "Poisson");
    expect(Make<RandomStudentT>({5}), {9}, false, "t");
    expect(Make<RandomChiSquare>({4}), {7}, false, "chi-square");
    expect(Make<RandomChiSquare>({0}), {3}, true, "chi-square 0");
    expect(Make<RandomStudentT>({-2147483648.0}), {9}, true, "t -2^31");
    expect(Make<RandomTriangular>({0, 1, 0}), {0, 1, 0.25}, true, "triangular");
    expect(Make<RandomWeibull>({0, 1}), {2, 1}, true, "Weibull");
    expect(Make<RandomLogistic>({-5, kNan}), {-5, 1}, true, "logistic");
}

// Every sampler with extreme arguments returns (CTest's time limit catches
// a hang): NaN throughout where the parameters lie outside the
// distribution, no NaN otherwise; the inversion samplers hand valid
// parameters to Boost.Math, whose checks decide. Beta's 2ab overflows from
// about 1e154, where Cheng's BB would divide to beta' = 0 and compare with
// NaN for ever: huge equal shapes give 1/2.
TEST(SamplerHangFreedom, ExtremeArgumentsReturn) {
    enum Expect { NAN_ONLY, NUMBERS, ANY };
    const double values[] = {kNan,  kInf,  -kInf, 0.0,    -1.0, 1e308, kMax, 1e154, 1e15, 1e-11, 1e-300,
                             std::numeric_limits<double>::denorm_min(), 1.0, 2.5};
    auto expect = [](Draws draw, Expect expected, const std::string& what) {
        int nans = 0;
        for (int i = 0; i < 200; ++i) nans += std::isnan(draw());
        if (expected != ANY) {
            EXPECT_EQ(nans, expected == NAN_ONLY ? 200 : 0) << what;
        }
    };
    for (double a : values) {
        for (double b : values) {
            const std::string args = PrintToString(a) + ", " + PrintToString(b);
            const double p[3] = {a, b, 0.0}, triangle[3] = {-a, b, 0.0};
            const Expect drawable = IsPositiveFinite(a) && IsPositiveFinite(b) ? NUMBERS : NAN_ONLY;
            const Expect checked = a > 0 && b > 0 ? ANY : NAN_ONLY;  // NaN fails the checks too
            expect(MakeCase(GAMMA, p, {1, 2}), drawable, "gamma " + args);
            expect(MakeCase(BETA, p, {1, 2}), drawable, "beta " + args);
            expect(MakeCase(WEIBULL, p, {1, 2}), checked, "Weibull " + args);
            expect(MakeCase(LOGISTIC, p, {1, 2}), b > 0 ? ANY : NAN_ONLY, "logistic " + args);
            expect(MakeCase(GUMBEL, p, {1, 2}), ANY, "Gumbel " + args);
            expect(MakeCase(TRIANGULAR, triangle, {1, 2}), checked, "triangular " + args);
        }
        for (double mean : {a, -a}) {
            const double p[3] = {mean};
            expect(MakeCase(POISSON, p, {1, 2, RAN2}), mean >= 0.0 && !std::isinf(mean) ? NUMBERS : NAN_ONLY,
                   "Poisson " + PrintToString(mean));
        }
    }
    for (double n : {-2147483648.0, -1.0, 0.0, 1.0, 2.0, 3.0, 8.0, 9.0, 2147483646.0, 2147483647.0}) {
        const double p[3] = {n};
        expect(MakeCase(CHI_SQUARE, p, {1, 2, MT1998}), n >= 1 ? NUMBERS : NAN_ONLY, "chi-square " + PrintToString(n));
        expect(MakeCase(STUDENT_T, p, {1, 2, MT1998}), n >= 1 ? NUMBERS : NAN_ONLY, "t " + PrintToString(n));
    }
    for (double shape : {1e154, 1e200, 1e308, kMax}) {
        auto b = Make<RandomBeta>({shape, shape});
        for (double x : Draw(b, 200)) ASSERT_NEAR(x, 0.5, 1e-15) << shape;
    }
    auto zero = Make<RandomPoisson>({0.0});
    for (double k : Draw(zero, 100)) EXPECT_EQ(k, 0.0);
    // Non-finite normal moments pass through.
    expect(Wrap(Normal(BOX_MULLER, 1, kNan, 1.0)), NAN_ONLY, "normal mean NaN");
    expect(Wrap(Normal(BOX_MULLER, 0, 1e308, 1e308)), NUMBERS, "normal 1e308");
    RandomNormal infinite = Normal(INV, 0, 0.0, kInf);
    EXPECT_TRUE(std::isinf(infinite.Next()));
}

// Every uniform 1e-12 makes Marsaglia-Tsang reject every proposal (x =
// NormInv(1e-12) puts 1 + c x below 0 for shapes up to about 5.8) and puts
// every Box-Muller pair outside the circle: the bound ends the loop and the
// variate is NaN. The other loops accept or give up just as surely.
TEST(SamplerHangFreedom, StuckGeneratorEndsEveryLoop) {
    for (Draws draw : {Wrap(Jammed(Make<RandomGamma>({2, 1}))), Wrap(Jammed(Make<RandomGamma>({0.5, 1}))),
                       Wrap(Jammed(Make<RandomChiSquare>({3}))), Wrap(Jammed(Make<RandomBeta>({2, 1e11}))),
                       Wrap(Jammed(Normal(BOX_MULLER, 0)))})
        EXPECT_TRUE(std::isnan(draw()));
    RandomNormal inv = Jammed(Normal(INV, 0));
    EXPECT_EQ(inv.Next(), NormInv(1e-12));
    std::vector<Draws> others;
    for (auto [a, b] : {std::pair{2.0, 3.0}, {0.5, 0.5}, {1.0, 1.0}, {50.0, 60.0}})
        others.push_back(Wrap(Jammed(Make<RandomBeta>({a, b}))));
    for (double x : {3.0, 12.0, 1e6, 1e12}) others.push_back(Wrap(Jammed(Make<RandomPoisson>({x}))));
    for (double n : {1, 2, 9, 1000}) others.push_back(Wrap(Jammed(Make<RandomStudentT>({n}))));
    for (auto& draw : others)
        for (int i = 0; i < 10; ++i) draw();  // returns at all
}

// With either mode, the first `count` variates get the requested mean and
// population standard deviation exactly, up to rounding; they are the raw
// variates of an unresampled generator, and later ones keep the same shift
// and scale. One variate (or none) has no spread; a NaN spread is not zero.
TEST(NormalResampling, FirstCountVariatesHaveTheRequestedMoments) {
    struct Case {
        GaussianMethod method;
        int32_t antithetic, count;
        double mean, stdev;
    };
    const Case cases[] = {{BOX_MULLER, 0, 2, 0.0, 1.0}, {INV, 0, 3, 5.0, 0.5},           {BOX_MULLER, 1, 4, -2.0, 3.0},
                          {INV, 1, 5, 0.0, 1.0},        {BOX_MULLER, 0, 1000, 100, 0.01}, {INV, 1, 1001, 1e6, 250.0},
                          {INV, 0, 100000, -7.5, 1e-3}};
    for (const Case& c : cases) {
        for (UniformGeneratorType type : {MT2002, MT1998, RAN2}) {
            RandomNormal g;
            const ResamplingMode mode = type == MT1998 ? ENABLE_RESAMPLING_TYPE1 : ENABLE_RESAMPLING_TYPE2;
            ASSERT_TRUE(g.Init(31, 32, c.mean, c.stdev, c.method, c.antithetic, mode, c.count, type));
            RandomNormal raw = Normal(c.method, c.antithetic, 0.0, 1.0, {31, 32, type});
            const std::vector<double> x = Draw(g, size_t(c.count) + 10);
            long double sum = 0, squares = 0;
            for (int i = 0; i < c.count; ++i) sum += x[i];
            const long double mean = sum / c.count;
            for (int i = 0; i < c.count; ++i) squares += (x[i] - mean) * (x[i] - mean);
            EXPECT_NEAR(double(mean), c.mean, 1e-12 * std::max(1.0, std::fabs(c.mean))) << c.count << " " << type;
            EXPECT_NEAR(double(std::sqrt(squares / c.count)), c.stdev, 1e-12 * c.stdev) << c.count << " " << type;
            for (double v : x)
                ASSERT_EQ(v, raw.Next() * Inspect::Scale(g) + Inspect::Shift(g)) << c.count << " " << type;
        }
    }
    RandomNormal g;
    for (int32_t count : {1, 0, -5}) {
        EXPECT_FALSE(g.Init(0, 0, 0.0, 1.0, BOX_MULLER, 0, ENABLE_RESAMPLING_TYPE2, count, MT2002)) << count;
        EXPECT_FALSE(g.Init(0, 0, 0.0, 1.0, INV, 1, ENABLE_RESAMPLING_TYPE1, count, MT2002)) << count;
    }
    EXPECT_TRUE(g.Init(1, 2, 0.0, kNan, INV, 0, ENABLE_RESAMPLING_TYPE2, 10, MT2002));
    EXPECT_TRUE(std::isnan(g.Next()));
}
