// The distribution functions through the host, and every function of numbers at extreme arguments.
#include <algorithm>
#include <map>

#include "tests/addin/host_fixture.h"
#include "tests/math/accuracy_functions.h"

using namespace Zr::Testing;

class DistributionFunctionsTest : public AddinTest {};

// At every point of the accuracy probe the worksheet function gives what its
// numerics give: arguments arrive in order, converted as registered, and pass
// the checks (the probe holds only points that do).
TEST_P(DistributionFunctionsTest, GiveWhatTheirNumericsGiveAtEveryProbePoint) {
    std::map<std::string, size_t> arity;
    for (const auto* f : Zr::Xll::WorksheetFunctions()) arity[std::string(f->name)] = f->arguments.size();
    for (const Accuracy::Row& row : Accuracy::kRows) {
        const std::vector<double> args(row.args.begin(), row.args.begin() + arity.at(row.function));
        EXPECT_EQ(Call(row.function, args), Num(Accuracy::kFunctions.at(row.function)(row.args)))
            << row.function << testing::PrintToString(args);
    }
}

// Each check fails at its threshold and passes one step beyond it.
TEST_P(DistributionFunctionsTest, ChecksFailAndPassExactlyAtTheirThresholds) {
    const double tiny = 1e-12, over = Above(tiny);
    const Step x0{0, Below(0), 0}, x1{0, Above(1), 1}, p0{0, 0, Above(0)}, p1{0, 1, Below(1)};
    ExpectThresholds("ZrBetaDist", {0.5, 2, 3, 1}, {x0, x1, {1, tiny, over}, {2, tiny, over}});
    ExpectThresholds("ZrBetaInv", {0.5, 2, 3}, {p0, p1, {1, tiny, over}, {2, tiny, over}});
    for (double flag : {0.0, 1.0})
        ExpectThresholds("ZrBiNormDist", {0.1, 0.2, 0, flag}, {{2, Below(-1), -1}, {2, Above(1), 1}});
    ExpectThresholds("ZrChiDist", {1, 3, 1}, {x0, {1, 0, 1}});
    ExpectThresholds("ZrGumbelDist", {0.5, 0, 1, 1}, {{2, tiny, over}});
    ExpectThresholds("ZrGumbelInv", {0.5, 0, 1}, {p0, p1, {2, tiny, over}});
    ExpectThresholds("ZrJohnsonSUDist", {0.5, 0.1, 1, 1, 0, 1}, {{2, tiny, over}, {3, tiny, over}});
    ExpectThresholds("ZrJohnsonSUInv", {0.5, 0.1, 1, 1, 0}, {p0, p1, {2, tiny, over}, {3, tiny, over}});
    ExpectThresholds("ZrLogNormDist", {1.5, 0, 1, 0}, {p0, {2, tiny, over}});
    ExpectThresholds("ZrLogNormInv", {0.5, 0, 1}, {p0, p1, {2, tiny, over}});
    ExpectThresholds("ZrNormInv", {0.5}, {p0, p1});
    ExpectThresholds("ZrTruncNormDist", {0.5, 0, 1, 0.3, 1, 1}, {x0, x1, {4, tiny, over}});
    ExpectThresholds("ZrTruncNormDist", {1, 0, 1, 0.3, 1, 0}, {{1, 1, Below(1)}});  // min < max
    ExpectThresholds("ZrTruncNormInv", {0.5, 0, 1, 0.3, 1}, {x0, x1, {1, 1, Below(1)}, {4, tiny, over}});
}

// The function table's examples (library errors are NaN), and mended results: the truncated
// normal far from its mean, the chi density of many degrees of freedom, the Gumbel density far out;
// the bivariate normal's quadrature.
TEST_P(DistributionFunctionsTest, EdgeCasesAndMendedResults) {
    Expect({
        {"ZrBetaDist", {0, 2, 3, 1}, Num(0)}, {"ZrBetaDist", {1, 2, 3, 1}, Num(1)},
        {"ZrTruncNormInv", {0, -1, 2, 0, 1}, Num(-1)}, {"ZrTruncNormInv", {1, -1, 2, 0, 1}, Num(2)},
        {"ZrBiNormDist", {0.7, 0.7, 1, 0}, Num(kNaN)}, {"ZrBiNormDist", {0.7, -0.7, -1, 0}, Num(kNaN)},
        {"ZrBiNormDist", {0.7, 0.2, 1, 0}, Num(0)}, {"ZrTriangularDist", {0.5, 0, 1, 2, 0}, Num(kNaN)},
        {"ZrLogisticInv", {0, 0, 1}, Num(kNaN)}, {"ZrGammaDist", {-1, 2, 1, 0}, Num(kNaN)},
        {"ZrChiDistInv", {2, 3}, Num(kNaN)}, {"ZrChiSqDist", {1, 0, 1}, Num(kNaN)},
        {"ZrTruncNormInv", {1, 0, 100, 50, 5}, Num(100)}, {"ZrTruncNormInv", {0, 0, 100, 50, 5}, Num(0)},
        {"ZrTruncNormDist", {10.5, 10, 11, 0, 1, 1}, Num(0.99435683663441905), 1e-12},
        {"ZrChiDist", {16, 260, 0}, Num(0.5595), 2e-4}, {"ZrGumbelDist", {-800, 0, 1, 0}, Num(0)},
        {"ZrGumbelDist", {-1e308, 0, 1, 0}, Num(0)},
        // The cumulative bivariate normal is a 4 x 4 Gauss quadrature, good to 6e-6 absolute.
        {"ZrBiNormDist", {-0.7, 0.9, -0.3, 1}, Num(0.17000922042081612), 4e-5},
        {"ZrBiNormDist", {1.3, 2.0, 0.97, 1}, Num(0.90318400827560014), 7e-6},
    });
    for (double p : {0.0, 1e-9, 0.25, 0.5, 0.999, 1.0}) {
        const Value x = Call("ZrTruncNormInv", {p, 10, 11, 0, 1});
        EXPECT_TRUE(x.number >= 10 && x.number <= 11) << p << ": " << FormatValue(x);
    }
}

// Every function of numbers alone (distributions, moments, fits, samplers) with each argument, then all
// at once, at the extremes, for either switch: a number, #VALUE! or an array of those, or a sampler's
// size or algorithm message; no crash or leak (sanitizers), no hang (the test's time limit).
TEST_P(DistributionFunctionsTest, EveryFunctionOfNumbersSurvivesExtremeArguments) {
    const std::vector<double> doubles = {kNaN, kInf, -kInf, 1e308, -1e308, 4.9e-324, -4.9e-324, 0, 0.5, 1, 1e15};
    const std::vector<double> integers = {2147483647.0, -2147483648.0, 0, 1, -1}, shorts = {32767, -32768, 3}, none;
    auto extremes = [&](char l) { return l == 'B' ? doubles : l == 'J' ? integers : l == 'I' ? shorts : none; };
    const Value tooLarge = ErrorText("Index out of range");
    const Value badAlgorithm = ErrorText("Expected one of 0,1,2 for algorithm");
    auto fine = [](const Value& v) { return v.Is(ValueKind::Number) || v == kBad; };
    for (const auto* f : Zr::Xll::WorksheetFunctions()) {
        const auto& a = f->arguments;
        const bool sampler = f->name.starts_with("ZrRand");
        if (f->name == "ZrVersion" || std::any_of(a.begin(), a.end(), [](auto& x) { return x.letter == 'P'; }))
            continue;
        for (double flag : {1.0, 0.0}) {
            // Valid arguments mostly; a sampler's parameters are 1, 2, 3, ... as the supports need.
            std::vector<double> base;
            for (size_t i = 0; i < a.size(); ++i) {
                const char l = a[i].letter;
                base.push_back(l == 'B' ? (sampler ? i : 0.5) : l == 'J' ? 10 : l == 'A' ? flag : 0);
            }
            std::vector<std::vector<double>> calls;
            for (size_t i = 0; i < a.size(); ++i)
                for (double x : extremes(a[i].letter)) calls.emplace_back(base)[i] = x;
            for (double x : doubles) {  // every number at once
                auto& args = calls.emplace_back(base);
                for (size_t i = 0; i < a.size(); ++i)
                    if (a[i].letter == 'B')
                        args[i] = x;
                    else if (a[i].letter == 'J')
                        args[i] = x > 0 ? 2147483647.0 : -2147483648.0;
            }
            for (const auto& args : calls) {
                const Value v = Call(f->name, args);
                const bool array = v.Is(ValueKind::Array) && std::all_of(v.elements.begin(), v.elements.end(), fine);
                EXPECT_TRUE(fine(v) || array || (sampler && (v == tooLarge || v == badAlgorithm)))
                    << f->name << " gave " << FormatValue(v);
            }
        }
    }
}

ZR_IN_BOTH_MODES(DistributionFunctionsTest);
