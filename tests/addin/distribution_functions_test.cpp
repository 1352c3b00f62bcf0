// The 31 distribution and inverse functions through the host, as Excel calls
// them: registration, reference values, the checks at their thresholds, the
// edge cases, and a sweep of extreme arguments.
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <iostream>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "xll/worksheet_function.h"
#include "host_fixture.h"

using namespace Zr::Testing;
using Zr::Host::Mode;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct WorksheetCase {
    const char* function;
    std::vector<double> args;  // isCumulative as 1 or 0
    double expected;
};

#include "../math/data/distributions_worksheet_reference.inc"

// The 31 functions with the letters of their arguments.
const std::vector<std::pair<std::string, std::string>>& DistributionFunctions() {
    static const auto functions = [] {
        std::vector<std::pair<std::string, std::string>> list;
        for (const auto* f : Zr::Xll::WorksheetFunctions()) {
            const std::string_view name = f->name;
            if (!name.ends_with("Dist") && !name.ends_with("Inv")) continue;
            std::string letters;
            for (const auto& a : f->arguments) letters += a.letter;
            list.emplace_back(std::string(name), letters);
        }
        return list;
    }();
    return functions;
}

std::string Letters(const std::string& function) {
    for (const auto& [name, letters] : DistributionFunctions())
        if (name == function) return letters;
    ADD_FAILURE() << function << " is not in the catalogue";
    return {};
}

// Relative error, or absolute where the reference is 0.
double Error(double got, double expected) {
    if (expected == 0) return std::abs(got);
    return std::abs(got - expected) / std::abs(expected);
}

// The 4 x 4 Gauss quadrature of the bivariate normal distribution function
// is good to about this much, absolute: 5.04e-6 at worst on the reference grid.
constexpr double kQuadratureAccuracy = 6e-6;
constexpr double kRelative = 1e-12;

double Below(double x) { return std::nextafter(x, -kInf); }
double Above(double x) { return std::nextafter(x, kInf); }

class DistributionFunctionsTest : public AddinTest {
protected:
    void SetUp() override { Open(ZR_ADDIN_PATH); }

    Value Call(const std::string& function, const std::vector<double>& args) {
        const std::string letters = Letters(function);
        std::vector<Value> values;
        for (size_t i = 0; i < args.size(); ++i)
            values.push_back(i < letters.size() && letters[i] == 'A' ? Value::Bool(args[i] != 0)
                                                                      : Value::Number(args[i]));
        return host_.Call(std::u16string(function.begin(), function.end()), values);
    }
    double Number(const std::string& function, const std::vector<double>& args) {
        const Value v = Call(function, args);
        EXPECT_TRUE(v.Is(ValueKind::Number)) << function << " gave " << FormatValue(v);
        return v.number;
    }
};

const Value kValueError = Value::Error(xlerrValue);

}  // namespace

TEST_P(DistributionFunctionsTest, AllThirtyOneAreRegisteredWithTheirTypeTexts) {
    ASSERT_EQ(DistributionFunctions().size(), 31u);
    std::map<std::u16string, std::u16string> active;
    for (const auto& r : host_.ActiveFunctions()) active[r.FunctionName()] = r.TypeText();
    for (const auto& [name, letters] : DistributionFunctions()) {
        const std::u16string wide(name.begin(), name.end()), typed(letters.begin(), letters.end());
        ASSERT_TRUE(active.count(wide)) << name;
        EXPECT_EQ(active[wide], Modern() ? u"U" + typed + u"$" : u"R" + typed) << name;
    }
}

TEST_P(DistributionFunctionsTest, AgreeWithReferenceValues) {
    std::map<std::string, double> worst;
    for (const WorksheetCase& c : kWorksheetCases) {
        const std::string name = c.function;
        const double got = Number(name, c.args);
        const bool quadrature = name == "ZrBiNormDist" && c.args.back() != 0;
        const double error = quadrature ? std::abs(got - c.expected) : Error(got, c.expected);
        EXPECT_LE(error, quadrature ? kQuadratureAccuracy : kRelative)
            << name << " at case " << (&c - kWorksheetCases.data()) << ": got " << got << ", expected " << c.expected;
        const std::string key = name + (quadrature ? " (cumulative, absolute)" : "");
        worst[key] = std::max(worst[key], error);
    }
    if (Modern())
        for (const auto& [name, error] : worst) std::cout << "  worst error " << name << ": " << error << "\n";
}

TEST_P(DistributionFunctionsTest, ChecksFailAndPassExactlyAtTheirThresholds) {
    struct Threshold {
        const char* function;
        std::vector<double> failing, passing;
    };
    const double tiny = 1e-12;
    const std::vector<Threshold> thresholds = {
        {"ZrBetaDist", {Below(0), 2, 3, 1}, {0, 2, 3, 1}},
        {"ZrBetaDist", {Above(1), 2, 3, 1}, {1, 2, 3, 1}},
        {"ZrBetaDist", {0.5, tiny, 3, 0}, {0.5, Above(tiny), 3, 0}},
        {"ZrBetaDist", {0.5, 2, tiny, 0}, {0.5, 2, Above(tiny), 0}},
        {"ZrBetaInv", {0, 2, 3}, {Above(0), 2, 3}},
        {"ZrBetaInv", {1, 2, 3}, {Below(1), 2, 3}},
        {"ZrBetaInv", {0.5, tiny, 3}, {0.5, Above(tiny), 3}},
        {"ZrBetaInv", {0.5, 2, tiny}, {0.5, 2, Above(tiny)}},
        {"ZrBiNormDist", {0.1, 0.2, Below(-1), 1}, {0.1, 0.2, -1, 1}},
        {"ZrBiNormDist", {0.1, 0.2, Above(1), 0}, {0.1, 0.2, 1, 0}},
        {"ZrChiDist", {Below(0), 3, 1}, {0, 3, 1}},
        {"ZrChiDist", {1, 0, 1}, {1, 1, 1}},
        {"ZrGumbelDist", {0.5, 0, tiny, 1}, {0.5, 0, Above(tiny), 1}},
        {"ZrGumbelInv", {0, 0, 1}, {Above(0), 0, 1}},
        {"ZrGumbelInv", {1, 0, 1}, {Below(1), 0, 1}},
        {"ZrGumbelInv", {0.5, 0, tiny}, {0.5, 0, Above(tiny)}},
        {"ZrJohnsonSUDist", {0.5, 0.1, tiny, 1, 0, 1}, {0.5, 0.1, Above(tiny), 1, 0, 1}},
        {"ZrJohnsonSUDist", {0.5, 0.1, 1, tiny, 0, 0}, {0.5, 0.1, 1, Above(tiny), 0, 0}},
        {"ZrJohnsonSUInv", {0, 0.1, 1, 1, 0}, {Above(0), 0.1, 1, 1, 0}},
        {"ZrJohnsonSUInv", {1, 0.1, 1, 1, 0}, {Below(1), 0.1, 1, 1, 0}},
        {"ZrJohnsonSUInv", {0.5, 0.1, tiny, 1, 0}, {0.5, 0.1, Above(tiny), 1, 0}},
        {"ZrJohnsonSUInv", {0.5, 0.1, 1, tiny, 0}, {0.5, 0.1, 1, Above(tiny), 0}},
        {"ZrLogNormDist", {0, 0, 1, 1}, {Above(0), 0, 1, 1}},
        {"ZrLogNormDist", {1.5, 0, tiny, 0}, {1.5, 0, Above(tiny), 0}},
        {"ZrLogNormInv", {0, 0, 1}, {Above(0), 0, 1}},
        {"ZrLogNormInv", {1, 0, 1}, {Below(1), 0, 1}},
        {"ZrLogNormInv", {0.5, 0, tiny}, {0.5, 0, Above(tiny)}},
        {"ZrNormInv", {0}, {Above(0)}},
        {"ZrNormInv", {1}, {Below(1)}},
        {"ZrTruncNormDist", {Below(0), 0, 1, 0.3, 1, 1}, {0, 0, 1, 0.3, 1, 1}},
        {"ZrTruncNormDist", {Above(1), 0, 1, 0.3, 1, 1}, {1, 0, 1, 0.3, 1, 1}},
        {"ZrTruncNormDist", {1, 1, 1, 0.3, 1, 0}, {1, Below(1), 1, 0.3, 1, 0}},
        {"ZrTruncNormDist", {0.5, 0, 1, 0.3, tiny, 0}, {0.5, 0, 1, 0.3, Above(tiny), 0}},
        {"ZrTruncNormInv", {Below(0), 0, 1, 0.3, 1}, {0, 0, 1, 0.3, 1}},
        {"ZrTruncNormInv", {Above(1), 0, 1, 0.3, 1}, {1, 0, 1, 0.3, 1}},
        {"ZrTruncNormInv", {0.5, 1, 1, 0.3, 1}, {0.5, Below(1), 1, 0.3, 1}},
        {"ZrTruncNormInv", {0.5, 0, 1, 0.3, tiny}, {0.5, 0, 1, 0.3, Above(tiny)}},
    };
    for (const Threshold& t : thresholds) {
        EXPECT_EQ(Call(t.function, t.failing), kValueError) << t.function << " should fail";
        EXPECT_TRUE(Call(t.function, t.passing).Is(ValueKind::Number)) << t.function << " should pass";
    }
}

// The examples of the function table's notes.
TEST_P(DistributionFunctionsTest, EdgeCasesOfTheTable) {
    EXPECT_EQ(Number("ZrBetaDist", {0, 2, 3, 1}), 0);
    EXPECT_EQ(Number("ZrBetaDist", {1, 2, 3, 1}), 1);
    EXPECT_EQ(Call("ZrBetaDist", {-0.0001, 2, 3, 1}), kValueError);
    EXPECT_EQ(Call("ZrBetaDist", {0.5, 1e-12, 2, 0}), kValueError);
    EXPECT_TRUE(Call("ZrBetaDist", {0.5, 2e-12, 2, 0}).Is(ValueKind::Number));
    EXPECT_TRUE(std::isnan(Number("ZrChiSqDist", {1, 0, 1})));
    EXPECT_EQ(Call("ZrChiDist", {-1, 3, 1}), kValueError);
    EXPECT_EQ(Call("ZrChiDist", {1, 0, 1}), kValueError);
    EXPECT_EQ(Number("ZrTruncNormDist", {-1, -1, 2, 0, 1, 1}), 0);
    EXPECT_EQ(Number("ZrTruncNormDist", {2, -1, 2, 0, 1, 1}), 1);
    EXPECT_EQ(Call("ZrTruncNormDist", {2, 2, 2, 0, 1, 1}), kValueError);
    EXPECT_EQ(Number("ZrTruncNormInv", {0, -1, 2, 0, 1}), -1);
    EXPECT_EQ(Number("ZrTruncNormInv", {1, -1, 2, 0, 1}), 2);
    EXPECT_EQ(Call("ZrTruncNormInv", {-0.01, -1, 2, 0, 1}), kValueError);
    EXPECT_EQ(Call("ZrTruncNormInv", {1.01, -1, 2, 0, 1}), kValueError);
    EXPECT_EQ(Call("ZrNormInv", {0}), kValueError);
    EXPECT_EQ(Call("ZrNormInv", {1}), kValueError);
    EXPECT_TRUE(std::isnan(Number("ZrBiNormDist", {0.7, 0.7, 1, 0})));
    EXPECT_TRUE(std::isnan(Number("ZrBiNormDist", {0.7, -0.7, -1, 0})));
    EXPECT_EQ(Number("ZrBiNormDist", {0.7, 0.2, 1, 0}), 0);
    EXPECT_EQ(Call("ZrBiNormDist", {0.7, 0.2, 1.0000001, 0}), kValueError);
    const double poisson = Number("ZrPoissonDistInv", {0.5, 3});
    EXPECT_EQ(poisson, std::round(poisson));
    EXPECT_EQ(poisson, 3);
    // Library errors are numbers, not error values.
    EXPECT_TRUE(std::isnan(Number("ZrTriangularDist", {0.5, 0, 1, 2, 0})));
    EXPECT_TRUE(std::isnan(Number("ZrLogisticInv", {0, 0, 1})));
    EXPECT_TRUE(std::isnan(Number("ZrGammaDist", {-1, 2, 1, 0})));
    EXPECT_TRUE(std::isnan(Number("ZrChiDistInv", {2, 3})));
    // The same number through both exports.
    EXPECT_EQ(CallEntry("ZrBetaDist", "BBBA", {Value::Number(0.3), Value::Number(2), Value::Number(3), Value::Bool(true)}),
              Value::Number(Number("ZrBetaDist", {0.3, 2, 3, 1})));
}

// Arguments that used to give wrong numbers although they pass the checks.
TEST_P(DistributionFunctionsTest, MendedResults) {
    EXPECT_EQ(Number("ZrTruncNormInv", {1, 0, 100, 50, 5}), 100);
    EXPECT_EQ(Number("ZrTruncNormInv", {0, 0, 100, 50, 5}), 0);
    for (double p : {0.0, 1e-9, 0.25, 0.5, 0.999, 1.0}) {
        const double x = Number("ZrTruncNormInv", {p, 10, 11, 0, 1});
        EXPECT_GE(x, 10);
        EXPECT_LE(x, 11);
    }
    EXPECT_NEAR(Number("ZrTruncNormDist", {10.5, 10, 11, 0, 1, 1}), 0.99435683663441905, 1e-12);
    EXPECT_NEAR(Number("ZrChiDist", {16, 260, 0}), 0.5595, 1e-4);
    EXPECT_EQ(Number("ZrGumbelDist", {-800, 0, 1, 0}), 0);
    EXPECT_EQ(Number("ZrGumbelDist", {-1e308, 0, 1, 0}), 0);
}

// Every function over every extreme argument: a number or #VALUE!, never a
// crash, an exception text or a hang (the sanitizer build also sees leaks).
TEST_P(DistributionFunctionsTest, ExtremeArgumentsSweep) {
    const std::vector<double> doubles = {kNaN, kInf, -kInf, 1e308, -1e308, 4.9e-324, -4.9e-324, 0, 0.5, 1};
    const std::vector<double> integers = {2147483647.0, -2147483648.0, 0, 1, -1};
    const std::set<std::string> checked = {"ZrBetaDist",      "ZrBetaInv",      "ZrBiNormDist",  "ZrChiDist",
                                           "ZrGumbelDist",    "ZrGumbelInv",    "ZrJohnsonSUDist", "ZrJohnsonSUInv",
                                           "ZrLogNormDist",   "ZrLogNormInv",   "ZrNormInv",     "ZrTruncNormDist",
                                           "ZrTruncNormInv"};
    auto slowest = std::chrono::duration<double>::zero();
    for (const auto& [name, letters] : DistributionFunctions()) {
        auto extremes = [&](char letter) -> const std::vector<double>& { return letter == 'J' ? integers : doubles; };
        std::vector<double> base;
        for (char letter : letters) base.push_back(letter == 'J' ? 3 : letter == 'A' ? 1 : 0.5);
        std::vector<std::vector<double>> calls;
        for (size_t i = 0; i < letters.size(); ++i)
            for (double x : extremes(letters[i])) {
                auto args = base;
                args[i] = x;
                calls.push_back(args);
                for (double isCumulative : {0.0, 1.0})
                    if (letters.back() == 'A') {
                        args.back() = isCumulative;
                        calls.push_back(args);
                    }
            }
        for (double x : doubles) {  // every argument at once
            std::vector<double> args;
            for (char letter : letters) args.push_back(letter == 'J' ? (x > 0 ? 2147483647.0 : -2147483648.0) : x);
            calls.push_back(args);
        }
        for (const auto& args : calls) {
            const auto start = std::chrono::steady_clock::now();
            const Value v = Call(name, args);
            slowest = std::max(slowest, std::chrono::duration<double>(std::chrono::steady_clock::now() - start));
            if (checked.count(name))
                EXPECT_TRUE(v.Is(ValueKind::Number) || v == kValueError) << name << " gave " << FormatValue(v);
            else
                EXPECT_TRUE(v.Is(ValueKind::Number)) << name << " gave " << FormatValue(v);
        }
    }
    EXPECT_LT(slowest.count(), 1.0) << "a call took " << slowest.count() << " s";
}

INSTANTIATE_TEST_SUITE_P(BothModes, DistributionFunctionsTest, ::testing::Values(Mode::Excel12, Mode::Legacy),
                         [](const auto& info) { return Excel12Or4(info.param); });
