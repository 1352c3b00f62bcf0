// The 79 moment and parameter functions through the host, as Excel calls them.
#include <algorithm>
#include <array>
#include <map>
#include <span>

#include "tests/addin/host_fixture.h"

using namespace Zr::Testing;

namespace {
// The Mom function's arguments and its results (NaN where the moment does not exist).
struct MomentCase { const char* family; std::vector<double> params; std::array<double, 4> moments; };
struct FitCase { const char* family; std::vector<double> params, request; };  // request: the params' moments
#include "tests/math/data/moments_reference.inc"

// The arguments of `function` picked by name from the family's parameters (the arguments of its Mom
// function): ZrGumbelStdev takes beta alone.
std::vector<double> ArgumentsOf(const std::string& function, const std::string& family,
                                const std::vector<double>& params) {
    std::map<std::string_view, std::span<const Zr::Xll::Argument>> declared;
    for (const auto* f : Zr::Xll::WorksheetFunctions()) declared[f->name] = f->arguments;
    const auto& all = declared.at("Zr" + family + "Mom");
    std::vector<double> args;
    for (const auto& a : declared.at(function))
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i].name == a.name) args.push_back(params[i]);
    return args;
}

// The numbers of a result (#VALUE! as NaN); empty when it is no array.
std::vector<double> NumbersIn(const Value& result) {
    std::vector<double> numbers;
    for (const Value& e : result.elements) numbers.push_back(e.Is(ValueKind::Number) ? e.number : kNaN);
    return numbers;
}
}  // namespace

class MomentFunctionsTest : public AddinTest {};

// Every single-value function and Mom column against the reference; a moment that does not exist is
// #VALUE!. The Weibull moments and the chi moments below 16 degrees of freedom take the six-term Lanczos
// log-gamma (1e-10) and lose a little more to the cancellation of raw into central moments.
TEST_P(MomentFunctionsTest, AgreeWithReferenceMomentsAndFits) {
    const char* const kMoments[] = {"Mean", "Stdev", "Skew", "Kurt"};
    for (const MomentCase& c : kMomentCases) {
        const std::string family = c.family;
        SCOPED_TRACE(family + " case " + std::to_string(&c - kMomentCases.data()));
        const double tolerance = family == "Weibull" || family == "Chi" ? 2e-9 : 1e-10;
        const Value expected = Numbers({c.moments.begin(), c.moments.end()});
        EXPECT_TRUE(Near(Call("Zr" + family + "Mom", c.params), expected, tolerance));
        for (int k = 0; k < 4; ++k) {
            const std::string single = "Zr" + family + kMoments[k];
            if (single == "ZrTSkew" && expected.elements[k] == kBad) continue;  // no argument: 0 whatever the t
            EXPECT_TRUE(Near(Call(single, ArgumentsOf(single, family, c.params)), expected.elements[k], tolerance));
        }
    }
    // Parameters fitted to the moments of known ones reproduce those moments through the Mom function.
    for (const FitCase& c : kFitCases) {
        const std::string family = c.family;
        SCOPED_TRACE(family + " fit case " + std::to_string(&c - kFitCases.data()));
        std::vector<double> moments = c.request, momArgs = NumbersIn(Call("Zr" + family + "Param", c.request));
        ASSERT_FALSE(momArgs.empty());
        if (family == "TruncNorm") {  // min and max are given, not fitted
            moments.erase(moments.begin(), moments.begin() + 2);
            momArgs.insert(momArgs.begin(), c.request.begin(), c.request.begin() + 2);
        }
        const std::vector<double> got = NumbersIn(Call("Zr" + family + "Mom", momArgs));
        ASSERT_EQ(got.size(), 4u);
        for (size_t k = 0; k < moments.size(); ++k) EXPECT_TRUE(Near(Num(got[k]), Num(moments[k]), 1e-8)) << k;
    }
}

// Each check fails at its threshold and passes one step beyond it.
TEST_P(MomentFunctionsTest, ChecksFailAndPassExactlyAtTheirThresholds) {
    // Failing arguments that differ from valid ones in one place.
    auto pair = [&](const std::string& f, const std::vector<double>& failing, const std::vector<double>& passing) {
        const size_t i = std::mismatch(failing.begin(), failing.end(), passing.begin()).first - failing.begin();
        ExpectThresholds(f, passing, {{i, failing[i], passing[i]}});
    };
    // Parameters that must exceed 1e-12, at these positions of valid arguments.
    auto positive = [&](const std::string& f, const std::vector<double>& args, std::initializer_list<size_t> at) {
        for (size_t i : at) ExpectThresholds(f, args, {{i, 1e-12, Above(1e-12)}});
    };
    for (std::string s : {"Mean", "Stdev", "Skew", "Kurt", "Mom"}) {
        positive("ZrBeta" + s, {2, 3}, {0, 1}); positive("ZrWeibull" + s, {2, 3}, {0, 1});
        positive("ZrPoisson" + s, {2}, {0}); positive("ZrJohnsonSU" + s, {0.3, 2, 1.5, 0}, {1, 2});
        positive("ZrTruncNorm" + s, {0, 1, 0.2, 1}, {3});
        pair("ZrTruncNorm" + s, {1, 1, 0.2, 1}, {Below(1), 1, 0.2, 1});
        pair("ZrChi" + s, {0}, {1}); pair("ZrChiSq" + s, {0}, {1});
        if (s == "Kurt") continue;
        pair("ZrTriangular" + s, {0, 1, 0}, {0, 1, Above(0)}); pair("ZrTriangular" + s, {0, 1, 1}, {0, 1, Below(1)});
        if (s == "Skew") continue;
        positive("ZrGamma" + s, {2, 3}, {0, 1}); positive("ZrLogNorm" + s, {0, 2}, {1});
    }
    positive("ZrGammaSkew", {2}, {0}); positive("ZrGammaKurt", {2}, {0});
    positive("ZrLogNormSkew", {2}, {0}); positive("ZrLogNormKurt", {2}, {0});
    positive("ZrGumbelMean", {0, 2}, {1}); positive("ZrGumbelStdev", {2}, {0}); positive("ZrGumbelMom", {0, 2}, {1});
    positive("ZrLogisticStdev", {2}, {0}); positive("ZrLogisticMom", {0, 2}, {1});
    pair("ZrFMean", {2}, {3}); pair("ZrFStdev", {0, 5}, {1, 5}); pair("ZrFStdev", {1, 4}, {1, 5});
    pair("ZrFSkew", {0, 7}, {1, 7}); pair("ZrFSkew", {1, 6}, {1, 7}); pair("ZrFKurt", {0, 9}, {1, 9});
    pair("ZrFKurt", {1, 8}, {1, 9}); pair("ZrFMom", {0, 9}, {1, 9});
    pair("ZrTStdev", {2}, {3}); pair("ZrTKurt", {4}, {5}); pair("ZrTMom", {1}, {2});
    // The standard deviation of a Param function, at a scale where the fit succeeds.
    positive("ZrBetaParam", {0.5, 0.1}, {1}); positive("ZrGammaParam", {2e-12, 1}, {1});
    positive("ZrGumbelParam", {0, 1}, {1}); positive("ZrLogisticParam", {0, 1}, {1});
    positive("ZrLogNormParam", {1e-12, 1}, {1}); positive("ZrWeibullParam", {2e-12, 1}, {1});
    positive("ZrTriangularParam", {0, 1, 0.2}, {1}); positive("ZrJohnsonSUParam", {0, 1, 0.5, 3}, {1});
    positive("ZrTruncNormParam", {0, 4e-12, 1.5e-12, 1}, {3});
    // min >= max: a support of one ulp holds no fit, so the passing side is one that does.
    pair("ZrTruncNormParam", {1, 1, 0.5, 0.1}, {0, 1, 0.5, 0.1});
    EXPECT_EQ(Call("ZrTruncNormParam", {1, 0, 0.5, 0.1}), kBad);
}

// The function table's examples, and results that used to be wrong although every check passed.
TEST_P(MomentFunctionsTest, EdgeCasesAndMendedResults) {
    Expect({
        {"ZrBetaParam", {0.5, 0.5}, kBad}, {"ZrBetaParam", {0.5, 0.1}, Numbers({12, 12}), 1e-14},
        {"ZrGammaParam", {2, 1}, Numbers({4, 0.5})}, {"ZrGammaParam", {-1, 1}, Numbers({1, -1})},
        {"ZrLogNormParam", {-1, 1}, kBad}, {"ZrLogisticMean", {-1e300}, Num(-1e300)},
        {"ZrJohnsonSUParam", {1, 2, 0.5, 0}, kBad}, {"ZrJohnsonSUParam", {1, 2, 0, -1}, kBad},
        // Fits that cannot reach their target.
        {"ZrBetaParam", {1.2, 0.1}, kBad}, {"ZrTriangularParam", {0, 1, std::sqrt(0.32)}, kBad},
        {"ZrWeibullParam", {-1, 1}, kBad}, {"ZrTruncNormParam", {0, 1, 0.5, 0.5}, kBad},  // wider than the uniform
        // Mended: n1 + n2 and (n2 - 2)^2 overflowed 32-bit integers (the moments of F(2^31 - 1, 2^31 - 1)
        // by mpmath); a Newton iteration ended on the mirrored root, sigma < 0.
        {"ZrFMom", {2147483647, 2147483647},
         Numbers({1.0000000009313226, 4.3158372955544224e-05, 0.00012947511888672985, 3.073364511062965e-08}), 1e-10},
        {"ZrChiSqStdev", {2147483647}, Num(std::sqrt(2.0 * 2147483647)), 1e-12},
        {"ZrTruncNormParam", {0, 1, 0.5788260769233342, 0.28025817708281}, kBad},
    });
    // Mended: for the symmetric Johnson SU, w - 1 - m is 0 up to rounding, never a NaN; gamma 0, xi the mean.
    for (double kurt = 0.05; kurt < 40; kurt *= 1.37) {
        const std::vector<double> fit = NumbersIn(Call("ZrJohnsonSUParam", {-2, 0.7, 0, kurt}));
        ASSERT_EQ(fit.size(), 4u) << kurt;
        EXPECT_TRUE(fit[0] == 0 && fit[3] == -2) << kurt;
        EXPECT_NEAR(Call("ZrJohnsonSUKurt", fit).number, kurt, 1e-9 * kurt) << kurt;
    }
}

ZR_IN_BOTH_MODES(MomentFunctionsTest);
