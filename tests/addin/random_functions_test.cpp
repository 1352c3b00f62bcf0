// ZrRand and the distribution samplers through the host, as Excel calls them.
#include "tests/addin/host_fixture.h"
#include "math/random_uniform.h"

using namespace Zr::Testing;

class RandomFunctionsTest : public AddinTest {};

TEST_P(RandomFunctionsTest, ZrRandNumbersSeedsAndSizes) {
    const Value badAlgorithm = ErrorText("Expected one of 0,1,2 for algorithm");
    const Value tooLarge = ErrorText("Index out of range");
    Expect({{"ZrRand", {3, 0, 0, 0}, Numbers({0.1507172537105722, 0.19554272386502092, 0.16532538485071524})},
            {"ZrRand", {3, 1, 0, 0}, Numbers({0.6991623490348371, 0.34871351191511224, 0.6324858105817078})},
            {"ZrRand", {3, 2, 0, 0}, Numbers({0.5635495343719192, 0.5651372396557897, 0.6538863091638015})},
            {"ZrRand", {1, 0, 0, 0}, Numbers({0.1507172537105722})},
            {"ZrRand", {3, 3, 0, 0}, badAlgorithm}, {"ZrRand", {3, -1, 0, 0}, badAlgorithm},
            {"ZrRand", {0, 3, 0, 0}, badAlgorithm},  // the algorithm is checked first
            {"ZrRand", {0, 0, 0, 0}, kBad}, {"ZrRand", {-5, 0, 0, 0}, kBad},
            {"ZrRand", {MaxRows() + 1.0, 0, 0, 0}, tooLarge}, {"ZrRand", {2147483647, 0, 0, 0}, tooLarge}});
    // Seeds are 32-bit patterns: -1 is 4294967295; seed2 counts too.
    Zr::Math::RandomUniform reference;
    reference.Init(4294967295u, 0, Zr::Math::MT2002);
    const Value column = Call("ZrRand", {3, 0, -1, 0});
    EXPECT_EQ(column, Numbers({reference.Next(), reference.Next(), reference.Next()}));
    EXPECT_NE(Call("ZrRand", {3, 0, -1, 1}).At(0, 0), column.At(0, 0));
    // The largest column stays inside [1e-12, 0.999999999999].
    const Value largest = Call("ZrRand", {double(MaxRows()), 1, 12345, 678});
    ASSERT_EQ(largest.rows, MaxRows());
    for (const Value& v : largest.elements) ASSERT_TRUE(v.number >= 1e-12 && v.number <= 0.999999999999) << v.number;
}

// Reference streams, to the 10 significant digits given; NaN parameters, which fail every check;
// oversized requests, refused before the resampling pre-pass runs (a hang hits the time limit).
TEST_P(RandomFunctionsTest, FirstVariatesOfEachDistributionAndMethod) {
    std::vector<Case> cases = {
        {"ZrRandNorm", {4, 0, 0, 0, 0, 0, 0}, Numbers({-0.3625903008, -0.4159747392, 0.9548649368, -0.9255024216})},
        {"ZrRandNorm", {4, 0, 0, 0, 0, 1, 0}, Numbers({-0.3625903008, 0.3625903008, -0.4159747392, 0.4159747392})},
        {"ZrRandNorm", {4, 0, 0, 0, 1, 0, 0}, Numbers({-1.033362032, -0.8576505598, -0.9728039087, -1.365503902})},
        {"ZrRandNorm", {4, 0, 0, 0, 0, 0, 1}, Numbers({-0.2521890925, -0.3289932368, 1.643232592, -1.062050263})},
        {"ZrRandNorm", {1, 0, 0, 0, 0, 0, 0}, Numbers({-0.3625903008})},
        {"ZrRandNorm", {1, 0, 0, 0, 0, 0, 1}, kBad},  // one draw cannot be resampled
        {"ZrRandJohnsonSU", {2, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0}, Numbers({-0.3705877542, -0.4280753211})},
        {"ZrRandLogNorm", {3, 0, 1, 0, 0, 0}, Numbers({0.355808707, 0.4241574451, 0.3780216127})},
        {"ZrRandBeta", {3, 2, 3, 0, 0, 0}, Numbers({0.1769204706, 0.1876378973, 0.2619865294})},
        {"ZrRandGamma", {3, 2.5, 1, 0, 0, 0}, Numbers({0.9737796363, 1.027023097, 1.40496222})},
        {"ZrRandGamma", {3, 0.5, 1, 0, 0, 0}, Numbers({0.01053677486, 0.004706785464, 0.06106954936})},
        {"ZrRandPoisson", {5, 3, 0, 0, 0}, Numbers({1, 1, 2, 3, 5})},
        {"ZrRandPoisson", {3, 50, 0, 0, 0}, Numbers({55, 55, 54})},
        {"ZrRandT", {3, 1, 0, 0, 0}, Numbers({-1.95172588, -1.417711695, -1.749029873})},
        {"ZrRandT", {3, 5, 0, 0, 0}, Numbers({0.8645141673, 1.121633064, 0.9483064075})},
        {"ZrRandChiSq", {3, 4, 0, 0, 0}, Numbers({1.313781489, 1.399640381, 2.02333637})},
        {"ZrRandChiSq", {3, 1, 0, 0, 0}, Numbers({0.3688591069, 0.5101680088, 0.0009572999492})},
        {"ZrRandF", {3, 3, 5, 0, 0, 0}, Numbers({0.1999133938, 1.702898161, 0.7383974868})},
        {"ZrRandGumbel", {3, 0, 1, 0, 0, 0}, Numbers({-0.6378192788, -0.4897917877, -0.5876976151})},
        {"ZrRandWeibull", {3, 2, 1, 0, 0, 0}, Numbers({0.4041820303, 0.4664626674, 0.4251038844})},
        {"ZrRandLogistic", {3, 0, 1, 0, 0, 0}, Numbers({-1.728986576, -1.414388967, -1.619126405})},
        {"ZrRandTriangular", {3, 0, 1, 0.5, 0, 0, 0}, Numbers({0.274515258, 0.3126841248, 0.287511204})},
        {"ZrRandTruncNorm", {3, -1, 1, 0, 1, 0, 0, 0}, Numbers({-0.6385792576, -0.5471139724, -0.6082188806})},
        {"ZrRandGamma", {3, kNaN, 1, 0, 0, 0}, kBad}, {"ZrRandLogistic", {3, 0, kNaN, 0, 0, 0}, kBad},
        {"ZrRandNorm", {3, 3, 0, 0, 0, 0, 0}, ErrorText("Expected one of 0,1,2 for algorithm")},
        // Every element of a log-normal with m = 100 exceeds 88.7: #VALUE! each, not the whole result.
        {"ZrRandLogNorm", {3, 100, 1, 0, 0, 0}, Numbers({kNaN, kNaN, kNaN})},
        {"ZrRandNorm", {2e9, 0, 0, 0, 1, 0, 1}, ErrorText("Index out of range")},
        {"ZrRandJohnsonSU", {2e9, 0, 1, 1, 0, 0, 0, 0, 1, 0, 1}, ErrorText("Index out of range")},
    };
    for (Case& c : cases) c.tolerance = 5e-10;
    Expect(cases);
}

// Resampled, the column's mean and variance (by ZrMultiCovarp) are exact; mirrored, its pairs are.
TEST_P(RandomFunctionsTest, ResampledColumnHasTheRequestedMoments) {
    const Value column = Call("ZrRandNorm", {1000, 2, 5, 6, 1, 1, 1});
    EXPECT_TRUE(Near(host_.Call(u"ZrMultiCovarp", {column, Value::Bool(true)}), Numbers({0, 1}), 2e-12));
    for (int i = 0; i < 1000; i += 2) EXPECT_EQ(column.At(i, 0).number, -column.At(i + 1, 0).number);
    // Chi is the root of chi-square.
    const Value chi = Call("ZrRandChi", {500, 3, 1, 7, 8}), chiSq = Call("ZrRandChiSq", {500, 3, 1, 7, 8});
    for (int i = 0; i < 500; ++i) EXPECT_EQ(chi.At(i, 0).number, std::sqrt(chiSq.At(i, 0).number));
}

// Each check fails at its threshold and passes one step beyond it.
TEST_P(RandomFunctionsTest, ChecksAtTheirThresholds) {
    const Step tiny1{1, 1e-12, Above(1e-12)}, tiny2{2, 1e-12, Above(1e-12)};
    for (const char* f : {"ZrRandBeta", "ZrRandGamma", "ZrRandWeibull"})
        ExpectThresholds(f, {3, 2, 2, 0, 0, 0}, {tiny1, tiny2});
    ExpectThresholds("ZrRandPoisson", {3, 2, 0, 0, 0}, {tiny1});
    ExpectThresholds("ZrRandTriangular", {3, 0, 1, 0.5, 0, 0, 0}, {{3, 0, Above(0)}, {3, 1, Below(1)}});
    ExpectThresholds("ZrRandTruncNorm", {3, 0, 1, 0, 1, 0, 0, 0}, {{1, 1, Below(1)}, {4, 1e-12, Above(1e-12)}});
    ExpectThresholds("ZrRandChiSq", {3, 1, 0, 0, 0}, {{1, 0, 1}});
    ExpectThresholds("ZrRandF", {3, 1, 1, 0, 0, 0}, {{1, 0, 1}, {2, 0, 1}});
    ExpectThresholds("ZrRandNorm", {1, 0, 0, 0, 0, 0, 0}, {{0, 0, 1}});
}

ZR_IN_BOTH_MODES(RandomFunctionsTest);
