// The distribution random-number functions through the host.
#include <chrono>
#include <cmath>
#include <limits>

#include "host_fixture.h"

using namespace Zr::Testing;
using Zr::Host::Mode;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class RandomFunctionsTest : public AddinTest {
protected:
    void SetUp() override { Open(ZR_ADDIN_PATH); }

    Value Call(const char16_t* name, std::initializer_list<double> args) {
        std::vector<Value> values;
        for (double x : args) values.push_back(Value::Number(x));
        return host_.Call(name, values);
    }

    // The column agrees with `expected` to the 10 significant digits given.
    void ExpectColumn(const Value& column, std::initializer_list<double> expected) {
        ASSERT_TRUE(column.Is(ValueKind::Array)) << Zr::Host::FormatValue(column);
        ASSERT_EQ(size_t(column.rows), expected.size());
        int i = 0;
        for (double x : expected) {
            EXPECT_NEAR(column.At(i, 0).number, x, 5e-10 * std::abs(x)) << "row " << i;
            ++i;
        }
    }
};

}  // namespace

TEST_P(RandomFunctionsTest, NormalVariatesOfEachMethod) {
    ExpectColumn(Call(u"ZrRandNorm", {4, 0, 0, 0, 0, 0, 0}), {-0.3625903008, -0.4159747392, 0.9548649368, -0.9255024216});
    ExpectColumn(Call(u"ZrRandNorm", {4, 0, 0, 0, 0, 1, 0}), {-0.3625903008, 0.3625903008, -0.4159747392, 0.4159747392});
    ExpectColumn(Call(u"ZrRandNorm", {4, 0, 0, 0, 1, 0, 0}), {-1.033362032, -0.8576505598, -0.9728039087, -1.365503902});
    ExpectColumn(Call(u"ZrRandNorm", {4, 0, 0, 0, 0, 0, 1}), {-0.2521890925, -0.3289932368, 1.643232592, -1.062050263});
    EXPECT_EQ(Call(u"ZrRandNorm", {1, 0, 0, 0, 0, 0, 1}), Value::Error(xlerrValue));
    ExpectColumn(Call(u"ZrRandNorm", {1, 0, 0, 0, 0, 0, 0}), {-0.3625903008});
    ExpectColumn(Call(u"ZrRandJohnsonSU", {2, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0}), {-0.3705877542, -0.4280753211});
    ExpectColumn(Call(u"ZrRandLogNorm", {3, 0, 1, 0, 0, 0}), {0.355808707, 0.4241574451, 0.3780216127});
}

TEST_P(RandomFunctionsTest, ResampledColumnHasTheRequestedMoments) {
    const Value column = Call(u"ZrRandNorm", {1000, 2, 5, 6, 1, 1, 1});
    double sum = 0, squares = 0;
    for (const Value& v : column.elements) sum += v.number;
    const double mean = sum / 1000;
    for (const Value& v : column.elements) squares += (v.number - mean) * (v.number - mean);
    EXPECT_NEAR(mean, 0, 1e-12);
    EXPECT_NEAR(std::sqrt(squares / 1000), 1, 1e-12);
    for (int i = 0; i < 1000; i += 2) EXPECT_EQ(column.At(i, 0).number, -column.At(i + 1, 0).number);
}

TEST_P(RandomFunctionsTest, FirstVariatesOfEachDistribution) {
    ExpectColumn(Call(u"ZrRandBeta", {3, 2, 3, 0, 0, 0}), {0.1769204706, 0.1876378973, 0.2619865294});
    ExpectColumn(Call(u"ZrRandGamma", {3, 2.5, 1, 0, 0, 0}), {0.9737796363, 1.027023097, 1.40496222});
    ExpectColumn(Call(u"ZrRandGamma", {3, 0.5, 1, 0, 0, 0}), {0.01053677486, 0.004706785464, 0.06106954936});
    ExpectColumn(Call(u"ZrRandPoisson", {5, 3, 0, 0, 0}), {1, 1, 2, 3, 5});
    ExpectColumn(Call(u"ZrRandPoisson", {3, 50, 0, 0, 0}), {55, 55, 54});
    ExpectColumn(Call(u"ZrRandT", {3, 1, 0, 0, 0}), {-1.95172588, -1.417711695, -1.749029873});
    ExpectColumn(Call(u"ZrRandT", {3, 5, 0, 0, 0}), {0.8645141673, 1.121633064, 0.9483064075});
    ExpectColumn(Call(u"ZrRandChiSq", {3, 4, 0, 0, 0}), {1.313781489, 1.399640381, 2.02333637});
    ExpectColumn(Call(u"ZrRandChiSq", {3, 1, 0, 0, 0}), {0.3688591069, 0.5101680088, 0.0009572999492});
    ExpectColumn(Call(u"ZrRandF", {3, 3, 5, 0, 0, 0}), {0.1999133938, 1.702898161, 0.7383974868});
    ExpectColumn(Call(u"ZrRandGumbel", {3, 0, 1, 0, 0, 0}), {-0.6378192788, -0.4897917877, -0.5876976151});
    ExpectColumn(Call(u"ZrRandWeibull", {3, 2, 1, 0, 0, 0}), {0.4041820303, 0.4664626674, 0.4251038844});
    ExpectColumn(Call(u"ZrRandLogistic", {3, 0, 1, 0, 0, 0}), {-1.728986576, -1.414388967, -1.619126405});
    ExpectColumn(Call(u"ZrRandTriangular", {3, 0, 1, 0.5, 0, 0, 0}), {0.274515258, 0.3126841248, 0.287511204});
    ExpectColumn(Call(u"ZrRandTruncNorm", {3, -1, 1, 0, 1, 0, 0, 0}), {-0.6385792576, -0.5471139724, -0.6082188806});
}

TEST_P(RandomFunctionsTest, ChiIsTheRootOfChiSquare) {
    const Value chi = Call(u"ZrRandChi", {500, 3, 1, 7, 8}), chiSq = Call(u"ZrRandChiSq", {500, 3, 1, 7, 8});
    for (int i = 0; i < 500; ++i) EXPECT_EQ(chi.At(i, 0).number, std::sqrt(chiSq.At(i, 0).number));
}

TEST_P(RandomFunctionsTest, ChecksAtTheirThresholds) {
    const Value bad = Value::Error(xlerrValue);
    EXPECT_EQ(Call(u"ZrRandBeta", {3, 1e-12, 2, 0, 0, 0}), bad);
    EXPECT_TRUE(Call(u"ZrRandBeta", {3, 2e-12, 2, 0, 0, 0}).Is(ValueKind::Array));
    EXPECT_EQ(Call(u"ZrRandGamma", {3, 2, 1e-12, 0, 0, 0}), bad);
    EXPECT_EQ(Call(u"ZrRandWeibull", {3, 1e-12, 1, 0, 0, 0}), bad);
    EXPECT_EQ(Call(u"ZrRandPoisson", {3, 1e-12, 0, 0, 0}), bad);
    EXPECT_EQ(Call(u"ZrRandTriangular", {3, 0, 1, 0, 0, 0, 0}), bad);
    EXPECT_EQ(Call(u"ZrRandTriangular", {3, 0, 1, 1, 0, 0, 0}), bad);
    EXPECT_EQ(Call(u"ZrRandTruncNorm", {3, 1, 1, 0, 1, 0, 0, 0}), bad);
    EXPECT_EQ(Call(u"ZrRandChiSq", {3, 0, 0, 0, 0}), bad);
    EXPECT_EQ(Call(u"ZrRandF", {3, 1, 0, 0, 0, 0}), bad);
    EXPECT_EQ(Call(u"ZrRandNorm", {0, 0, 0, 0, 0, 0, 0}), bad);
    EXPECT_EQ(Call(u"ZrRandGamma", {3, kNaN, 1, 0, 0, 0}), bad);  // NaN fails every check
    EXPECT_EQ(Call(u"ZrRandLogistic", {3, 0, kNaN, 0, 0, 0}), bad);
    EXPECT_EQ(Call(u"ZrRandNorm", {3, 3, 0, 0, 0, 0, 0}), ErrorText("Expected one of 0,1,2 for algorithm"));
    // Every element of a log-normal with m = 100 exceeds 88.7: #VALUE! each, not the whole result.
    const Value logNorm = Call(u"ZrRandLogNorm", {3, 100, 1, 0, 0, 0});
    ASSERT_TRUE(logNorm.Is(ValueKind::Array));
    for (const Value& v : logNorm.elements) EXPECT_EQ(v, bad);
}

// The resampling pre-pass must not run before the size is checked.
TEST_P(RandomFunctionsTest, OversizedRequestsFailAtOnce) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Call(u"ZrRandNorm", {2000000000, 0, 0, 0, 1, 0, 1}), ErrorText("Index out of range"));
    EXPECT_EQ(Call(u"ZrRandJohnsonSU", {2000000000, 0, 1, 1, 0, 0, 0, 0, 1, 0, 1}), ErrorText("Index out of range"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// Arguments that pass no ordinary check: every function returns, quickly.
TEST_P(RandomFunctionsTest, ExtremeArgumentsNeverHang) {
    const double extremes[] = {kNaN, kInf, -kInf, 1e308, -1e308, 1e-11, 0, 2147483647, 1e15, 4.9e-324};
    const struct {
        const char16_t* name;
        int parameters;
    } functions[] = {{u"ZrRandBeta", 2},     {u"ZrRandChi", 1},      {u"ZrRandChiSq", 1},   {u"ZrRandF", 2},
                     {u"ZrRandGamma", 2},    {u"ZrRandGumbel", 2},   {u"ZrRandJohnsonSU", 4}, {u"ZrRandLogistic", 2},
                     {u"ZrRandLogNorm", 2},  {u"ZrRandPoisson", 1},  {u"ZrRandT", 1},       {u"ZrRandTriangular", 3},
                     {u"ZrRandTruncNorm", 4}, {u"ZrRandWeibull", 2}};
    for (const auto& f : functions)
        for (double x : extremes)
            for (int which = 0; which < f.parameters; ++which) {
                std::vector<Value> args{Value::Number(1000)};
                for (int p = 0; p < f.parameters; ++p) args.push_back(Value::Number(p == which ? x : 1.0 + p));
                for (double rest : {0.0, 1.0, 2.0}) args.push_back(Value::Number(rest));
                const auto start = std::chrono::steady_clock::now();
                const Value v = host_.Call(f.name, args);
                EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1))
                    << Zr::Host::ToUtf8(f.name) << " parameter " << which << " = " << x;
                EXPECT_TRUE(v.Is(ValueKind::Array) || v.Is(ValueKind::Error)) << Zr::Host::ToUtf8(f.name);
            }
}

INSTANTIATE_TEST_SUITE_P(BothModes, RandomFunctionsTest, ::testing::Values(Mode::Excel12, Mode::Legacy),
                         [](const auto& info) { return Excel12Or4(info.param); });
