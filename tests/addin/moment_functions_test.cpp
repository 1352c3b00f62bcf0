// The 79 moment and parameter functions through the host, as Excel calls
// them: registration, moments against high-precision references, fits that
// reproduce the moments they were given, the checks at their thresholds, the
// edge cases, and a sweep of extreme arguments.
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <iostream>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "xll/worksheet_function.h"
#include "host_fixture.h"

using namespace Zr::Testing;
using Zr::Host::Mode;
using Zr::Xll::WorksheetFunction;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct MomentCase {
    const char* family;
    std::vector<double> params;  // the Mom function's arguments
    std::array<double, 4> moments;  // NaN where the moment does not exist
};

struct FitCase {
    const char* family;
    std::vector<double> params;   // known parameters
    std::vector<double> request;  // the Param function's arguments, their moments
};

#include "../math/data/moments_reference.inc"

const char* const kMoments[] = {"Mean", "Stdev", "Skew", "Kurt"};

// The 79 functions, in the catalogue's order.
std::vector<const WorksheetFunction*> MomentFunctions() {
    std::vector<const WorksheetFunction*> functions;
    for (const WorksheetFunction* f : Zr::Xll::WorksheetFunctions())
        for (const char* suffix : {"Mean", "Stdev", "Skew", "Kurt", "Mom", "Param"})
            if (f->name.ends_with(suffix)) functions.push_back(f);
    return functions;
}

const WorksheetFunction& Info(const std::string& name) {
    for (const WorksheetFunction* f : Zr::Xll::WorksheetFunctions())
        if (f->name == name) return *f;
    throw std::runtime_error(name + " is not in the catalogue");
}

// The arguments of `function` picked by name from the family's parameters
// (the arguments of its Mom function): ZrGumbelStdev takes beta alone.
std::vector<double> ArgumentsOf(const std::string& function, const std::string& family,
                                const std::vector<double>& params) {
    const auto& all = Info("Zr" + family + "Mom").arguments;
    std::vector<double> args;
    for (const auto& a : Info(function).arguments)
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i].name == a.name) args.push_back(params[i]);
    return args;
}

// Relative error, or absolute where the reference is 0.
double Error(double got, double expected) {
    if (expected == 0) return std::abs(got);
    return std::abs(got - expected) / std::abs(expected);
}

// Accuracy by family. The closed forms are exact; the Weibull moments and
// the chi moments below 16 degrees of freedom take the six-term Lanczos
// log-gamma, good to about 1e-10 relative, and lose a little more to the
// cancellation of raw into central moments (measured: 2e-10 and 8e-10).
double Tolerance(const std::string& family) {
    if (family == "Weibull" || family == "Chi") return 2e-9;
    return 1e-10;
}

double Below(double x) { return std::nextafter(x, -kInf); }
double Above(double x) { return std::nextafter(x, kInf); }

const Value kValueError = Value::Error(xlerrValue);

class MomentFunctionsTest : public AddinTest {
protected:
    void SetUp() override { Open(ZR_ADDIN_PATH); }

    Value Call(const std::string& function, const std::vector<double>& args) {
        std::vector<Value> values;
        for (double x : args) values.push_back(Value::Number(x));
        return host_.Call(std::u16string(function.begin(), function.end()), values);
    }
    double Number(const std::string& function, const std::vector<double>& args) {
        const Value v = Call(function, args);
        EXPECT_TRUE(v.Is(ValueKind::Number)) << function << " gave " << FormatValue(v);
        return v.number;
    }
    // A column of numbers (#VALUE! elements as NaN); empty when the result is no array.
    std::vector<double> Column(const std::string& function, const std::vector<double>& args) {
        const Value v = Call(function, args);
        if (!v.Is(ValueKind::Array) || v.columns != 1) {
            ADD_FAILURE() << function << " gave " << FormatValue(v);
            return {};
        }
        std::vector<double> column;
        for (const Value& e : v.elements) {
            EXPECT_TRUE(e.Is(ValueKind::Number) || e == kValueError) << function << " element " << FormatValue(e);
            column.push_back(e.Is(ValueKind::Number) ? e.number : kNaN);
        }
        return column;
    }
    Value Expected(std::initializer_list<Value> elements) { return Value::Array(int(elements.size()), 1, elements); }
};

}  // namespace

TEST_P(MomentFunctionsTest, AllSeventyNineAreRegisteredWithTheirTypeTexts) {
    std::map<std::u16string, std::u16string> active;
    for (const auto& r : host_.ActiveFunctions()) active[r.FunctionName()] = r.TypeText();
    ASSERT_EQ(MomentFunctions().size(), 79u);
    for (const auto* f : MomentFunctions()) {
        const std::u16string name(f->name.begin(), f->name.end());
        ASSERT_TRUE(active.count(name)) << f->name;
        const std::string type = Modern() ? f->Record().modernType : f->Record().legacyType;
        EXPECT_EQ(active[name], std::u16string(type.begin(), type.end())) << f->name;
    }
}

// Every single-value function and every Mom row against the reference; a
// moment that does not exist is #VALUE! in the Mom column.
TEST_P(MomentFunctionsTest, AgreeWithReferenceMoments) {
    std::map<std::string, double> worst;
    for (const MomentCase& c : kMomentCases) {
        const std::string family = c.family, mom = "Zr" + family + "Mom";
        const std::vector<double> column = Column(mom, c.params);
        ASSERT_EQ(column.size(), 4u) << mom;
        for (int k = 0; k < 4; ++k) {
            const std::string single = "Zr" + family + kMoments[k];
            const double expected = c.moments[k];
            const size_t index = &c - kMomentCases.data();
            if (std::isnan(expected)) {
                EXPECT_TRUE(std::isnan(column[k])) << mom << " row " << k << " at case " << index;
                // ZrTSkew has no argument to check: it is 0 whatever the t.
                if (!Info(single).arguments.empty()) {
                    EXPECT_EQ(Call(single, ArgumentsOf(single, family, c.params)), kValueError) << single;
                }
                continue;
            }
            const double got = Number(single, ArgumentsOf(single, family, c.params));
            EXPECT_EQ(column[k], got) << mom << " row " << k << " differs from " << single;
            const double error = Error(got, expected);
            EXPECT_LE(error, Tolerance(family))
                << single << " at case " << index << ": got " << got << ", expected " << expected;
            worst[family] = std::max(worst[family], error);
        }
    }
    if (Modern())
        for (const auto& [family, error] : worst) std::cout << "  worst error " << family << ": " << error << "\n";
}

// The parameters a Param function returns for the moments of a known
// parameter set reproduce those moments through the Mom function.
TEST_P(MomentFunctionsTest, FitsReproduceTheRequestedMoments) {
    std::map<std::string, double> worstMoments, worstParams;
    for (const FitCase& c : kFitCases) {
        const std::string family = c.family;
        const std::vector<double> fitted = Column("Zr" + family + "Param", c.request);
        ASSERT_FALSE(fitted.empty()) << family << " at fit case " << (&c - kFitCases.data());
        // The moments requested, and the Mom function's arguments.
        std::vector<double> moments = c.request, momArgs = fitted, known = c.params;
        if (family == "TruncNorm") {
            moments.erase(moments.begin(), moments.begin() + 2);
            momArgs.insert(momArgs.begin(), c.request.begin(), c.request.begin() + 2);
            known.erase(known.begin(), known.begin() + 2);
        }
        const std::vector<double> got = Column("Zr" + family + "Mom", momArgs);
        ASSERT_EQ(got.size(), 4u);
        for (size_t k = 0; k < moments.size(); ++k) {
            const double error = Error(got[k], moments[k]);
            EXPECT_LE(error, 1e-8) << family << " at fit case " << (&c - kFitCases.data()) << ", " << kMoments[k]
                                   << ": got " << got[k] << ", requested " << moments[k];
            worstMoments[family] = std::max(worstMoments[family], error);
        }
        for (size_t i = 0; i < known.size(); ++i)
            worstParams[family] = std::max(worstParams[family], Error(fitted[i], known[i]));
    }
    if (Modern())
        for (const auto& [family, error] : worstMoments)
            std::cout << "  worst fit " << family << ": moments " << error << ", parameters " << worstParams[family]
                      << "\n";
}

TEST_P(MomentFunctionsTest, ChecksFailAndPassExactlyAtTheirThresholds) {
    struct Threshold {
        std::string function;
        std::vector<double> failing, passing;
    };
    const double tiny = 1e-12, justAbove = Above(tiny);
    std::vector<Threshold> thresholds;
    // A parameter that must exceed 1e-12, at position i of the valid arguments.
    auto positive = [&](const std::string& f, std::vector<double> args, size_t i) {
        std::vector<double> failing = args, passing = args;
        failing[i] = tiny;
        passing[i] = justAbove;
        thresholds.push_back({f, failing, passing});
    };
    auto pair = [&](const std::string& f, std::vector<double> failing, std::vector<double> passing) {
        thresholds.push_back({f, failing, passing});
    };
    for (const char* m : {"Mean", "Stdev", "Skew", "Kurt", "Mom"}) {
        const std::string s = m;
        positive("ZrBeta" + s, {2, 3}, 0);
        positive("ZrBeta" + s, {2, 3}, 1);
        pair("ZrChi" + s, {0}, {1});
        pair("ZrChiSq" + s, {0}, {1});
        positive("ZrPoisson" + s, {2}, 0);
        positive("ZrWeibull" + s, {2, 3}, 0);
        positive("ZrWeibull" + s, {2, 3}, 1);
        positive("ZrJohnsonSU" + s, {0.3, 2, 1.5, 0}, 1);
        positive("ZrJohnsonSU" + s, {0.3, 2, 1.5, 0}, 2);
        pair("ZrTruncNorm" + s, {1, 1, 0.2, 1}, {Below(1), 1, 0.2, 1});
        positive("ZrTruncNorm" + s, {0, 1, 0.2, 1}, 3);
        if (s != "Kurt") {
            pair("ZrTriangular" + s, {0, 1, 0}, {0, 1, Above(0)});
            pair("ZrTriangular" + s, {0, 1, 1}, {0, 1, Below(1)});
        }
    }
    for (const char* m : {"Mean", "Stdev", "Mom"}) {
        positive(std::string("ZrGamma") + m, {2, 3}, 0);
        positive(std::string("ZrGamma") + m, {2, 3}, 1);
    }
    positive("ZrGammaSkew", {2}, 0);
    positive("ZrGammaKurt", {2}, 0);
    positive("ZrGumbelMean", {0, 2}, 1);
    positive("ZrGumbelStdev", {2}, 0);
    positive("ZrGumbelMom", {0, 2}, 1);
    positive("ZrLogisticStdev", {2}, 0);
    positive("ZrLogisticMom", {0, 2}, 1);
    positive("ZrLogNormMean", {0, 2}, 1);
    positive("ZrLogNormStdev", {0, 2}, 1);
    positive("ZrLogNormSkew", {2}, 0);
    positive("ZrLogNormKurt", {2}, 0);
    positive("ZrLogNormMom", {0, 2}, 1);
    pair("ZrFMean", {2}, {3});
    pair("ZrFStdev", {0, 5}, {1, 5});
    pair("ZrFStdev", {1, 4}, {1, 5});
    pair("ZrFSkew", {0, 7}, {1, 7});
    pair("ZrFSkew", {1, 6}, {1, 7});
    pair("ZrFKurt", {0, 9}, {1, 9});
    pair("ZrFKurt", {1, 8}, {1, 9});
    pair("ZrFMom", {0, 9}, {1, 9});
    pair("ZrTStdev", {2}, {3});
    pair("ZrTKurt", {4}, {5});
    pair("ZrTMom", {1}, {2});
    // The standard deviation of a Param function, at a scale where the fit
    // itself succeeds.
    positive("ZrBetaParam", {0.5, 0.1}, 1);
    positive("ZrGammaParam", {2e-12, 1}, 1);
    positive("ZrGumbelParam", {0, 1}, 1);
    positive("ZrLogisticParam", {0, 1}, 1);
    positive("ZrLogNormParam", {1e-12, 1}, 1);
    positive("ZrWeibullParam", {2e-12, 1}, 1);
    positive("ZrTriangularParam", {0, 1, 0.2}, 1);
    positive("ZrJohnsonSUParam", {0, 1, 0.5, 3}, 1);
    positive("ZrTruncNormParam", {0, 4e-12, 1.5e-12, 1}, 3);
    // min >= max: a support of one ulp holds no fit, so the passing side is
    // a support that does.
    pair("ZrTruncNormParam", {1, 1, 0.5, 0.1}, {0, 1, 0.5, 0.1});
    pair("ZrTruncNormParam", {1, 0, 0.5, 0.1}, {0, 1, 0.5, 0.1});
    for (const Threshold& t : thresholds) {
        EXPECT_EQ(Call(t.function, t.failing), kValueError) << t.function << " should fail";
        const Value v = Call(t.function, t.passing);
        EXPECT_TRUE(v.Is(ValueKind::Number) || v.Is(ValueKind::Array)) << t.function << " gave " << FormatValue(v);
    }
    // Functions without checks never fail.
    for (const char* f : {"ZrTMean", "ZrTSkew", "ZrLogisticSkew", "ZrLogisticKurt", "ZrGumbelSkew", "ZrGumbelKurt",
                          "ZrTriangularKurt"})
        EXPECT_TRUE(Call(f, {}).Is(ValueKind::Number)) << f;
    EXPECT_EQ(Number("ZrLogisticMean", {-1e300}), -1e300);
}

TEST_P(MomentFunctionsTest, EdgeCases) {
    EXPECT_EQ(Call("ZrBetaParam", {0.5, 0.5}), kValueError);
    const std::vector<double> beta = Column("ZrBetaParam", {0.5, 0.1});
    ASSERT_EQ(beta.size(), 2u);
    EXPECT_NEAR(beta[0], 12, 1e-13);
    EXPECT_NEAR(beta[1], 12, 1e-13);
    const Value valueError = kValueError;
    const Value f = Call("ZrFMom", {3, 5});
    ASSERT_TRUE(f.Is(ValueKind::Array)) << FormatValue(f);
    ASSERT_EQ(f.rows, 4);
    EXPECT_NEAR(f.At(0, 0).number, 5.0 / 3, 1e-15);
    EXPECT_NEAR(f.At(1, 0).number, std::sqrt(2 * 25 * 6.0 / (3 * 9)), 1e-15);
    EXPECT_EQ(f.At(2, 0), valueError);
    EXPECT_EQ(f.At(3, 0), valueError);
    EXPECT_EQ(Call("ZrFMom", {0, 10}), kValueError);
    EXPECT_EQ(Call("ZrTMom", {4}), Expected({Value::Number(0), Value::Number(std::sqrt(2.0)), Value::Number(0),
                                             valueError}));
    EXPECT_EQ(Call("ZrTMom", {3}), Expected({Value::Number(0), Value::Number(std::sqrt(3.0)), valueError,
                                             valueError}));
    EXPECT_EQ(Call("ZrTMom", {2}), Expected({Value::Number(0), valueError, valueError, valueError}));
    EXPECT_EQ(Call("ZrTMom", {1}), kValueError);
    EXPECT_EQ(Number("ZrTMean", {}), 0);
    EXPECT_EQ(Number("ZrLogisticSkew", {}), 0);
    EXPECT_EQ(Number("ZrTriangularKurt", {}), -0.6);
    EXPECT_EQ(Number("ZrGumbelKurt", {}), 2.4);
    EXPECT_EQ(Number("ZrLogisticKurt", {}), 1.2);
    EXPECT_NEAR(Number("ZrGumbelSkew", {}), 1.1395470994046, 1e-13);
    EXPECT_EQ(Call("ZrTriangularMean", {0, 1, 0}), kValueError);
    EXPECT_EQ(Number("ZrTriangularMean", {0, 1, 0.5}), 0.5);
    // A symmetric triangle centred on the mean.
    const std::vector<double> triangle = Column("ZrTriangularParam", {3, 0.5, 0});
    ASSERT_EQ(triangle.size(), 3u);
    EXPECT_EQ(triangle[2], 3);
    EXPECT_NEAR(triangle[0] + triangle[1], 6, 1e-14);
    EXPECT_NEAR(Number("ZrTriangularStdev", {triangle[0], triangle[1], triangle[2]}), 0.5, 1e-14);
    // Johnson SU with skew 0: gamma 0 and xi the mean.
    const std::vector<double> su = Column("ZrJohnsonSUParam", {1.25, 2, 0, 3});
    ASSERT_EQ(su.size(), 4u);
    EXPECT_EQ(su[0], 0);
    EXPECT_EQ(su[3], 1.25);
    EXPECT_EQ(Call("ZrJohnsonSUParam", {1, 2, 0.5, 0}), kValueError);
    EXPECT_EQ(Call("ZrJohnsonSUParam", {1, 2, 0, -1}), kValueError);
    EXPECT_EQ(Call("ZrGammaParam", {2, 1}), Expected({Value::Number(4), Value::Number(0.5)}));
    EXPECT_EQ(Call("ZrLogNormParam", {-1, 1}), kValueError);
    EXPECT_EQ(Call("ZrGammaParam", {-1, 1}), Expected({Value::Number(1), Value::Number(-1)}));
    // Fits that cannot reach their target.
    EXPECT_EQ(Call("ZrBetaParam", {1.2, 0.1}), kValueError);
    EXPECT_EQ(Call("ZrTriangularParam", {0, 1, std::sqrt(0.32)}), kValueError);
    EXPECT_EQ(Call("ZrWeibullParam", {-1, 1}), kValueError);
    EXPECT_EQ(Call("ZrTruncNormParam", {0, 1, 0.5, 0.5}), kValueError);  // wider than the uniform
    // The same column through both exports.
    EXPECT_EQ(CallEntry("ZrWeibullParam", "BB", {Value::Number(2), Value::Number(0.5)}),
              Call("ZrWeibullParam", {2, 0.5}));
}

// Results that used to be wrong although every check passed.
TEST_P(MomentFunctionsTest, MendedResults) {
    // (n2 - 2)^2 overflowed 32-bit integers.
    EXPECT_NEAR(Number("ZrFKurt", {10, 46343}), 1.2012432146339564, 1e-15);
    // n1 + n2 overflowed; the moments of F(2^31 - 1, 2^31 - 1), by mpmath.
    const std::vector<double> f = Column("ZrFMom", {2147483647, 2147483647});
    ASSERT_EQ(f.size(), 4u);
    const double largest[] = {1.0000000009313226, 4.3158372955544224e-05, 0.00012947511888672985,
                              3.073364511062965e-08};
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(f[k], largest[k], 1e-10 * largest[k]) << k;
    EXPECT_NEAR(Number("ZrTKurt", {8}), 1.5, 1e-15);        // not the integer quotient 6 / 4
    EXPECT_NEAR(Number("ZrTStdev", {5}), std::sqrt(5.0 / 3), 1e-15);
    EXPECT_NEAR(Number("ZrChiSqStdev", {2147483647}), std::sqrt(2.0 * 2147483647), 1e-6);
    // The sign of the skewness reaches the triangle.
    for (double skew : {-0.5, -0.3, -1e-3, 1e-3, 0.3, 0.5}) {
        const std::vector<double> t = Column("ZrTriangularParam", {0, 1, skew});
        ASSERT_EQ(t.size(), 3u);
        EXPECT_NEAR(Number("ZrTriangularSkew", {t[0], t[1], t[2]}), skew, 1e-12) << skew;
    }
    // A request whose Newton iteration ends on the mirrored root, sigma < 0.
    EXPECT_EQ(Call("ZrTruncNormParam", {0, 1, 0.5788260769233342, 0.28025817708281}), kValueError);
    // The symmetric Johnson SU: w - 1 - m is 0 up to rounding, never a NaN.
    for (double kurt = 0.05; kurt < 40; kurt *= 1.37) {
        const std::vector<double> su = Column("ZrJohnsonSUParam", {-2, 0.7, 0, kurt});
        ASSERT_EQ(su.size(), 4u) << kurt;
        EXPECT_EQ(su[3], -2) << kurt;
        EXPECT_NEAR(Number("ZrJohnsonSUKurt", su), kurt, 1e-9 * kurt) << kurt;
    }
}

// Every function over every extreme argument: a number, a column of numbers
// and #VALUE! elements, or #VALUE!; never a crash, an error text or a hang
// (the sanitizer build also sees leaks).
TEST_P(MomentFunctionsTest, ExtremeArgumentsSweep) {
    const std::vector<double> doubles = {kNaN, kInf, -kInf, 1e308, -1e308, 4.9e-324, -4.9e-324, 0, 0.5, 1};
    const std::vector<double> integers = {2147483647.0, -2147483648.0, 0, 1, -1};
    auto acceptable = [](const Value& v) {
        if (v.Is(ValueKind::Number) || v == kValueError) return true;
        if (!v.Is(ValueKind::Array)) return false;
        return std::all_of(v.elements.begin(), v.elements.end(),
                           [](const Value& e) { return e.Is(ValueKind::Number) || e == kValueError; });
    };
    auto slowest = std::chrono::duration<double>::zero();
    for (const auto* f : MomentFunctions()) {
        auto integer = [&](size_t i) { return f->arguments[i].letter == 'J'; };
        const size_t n = f->arguments.size();
        std::vector<double> base;
        for (size_t i = 0; i < n; ++i) base.push_back(integer(i) ? 10 : 0.5);
        std::vector<std::vector<double>> calls;
        for (size_t i = 0; i < n; ++i)
            for (double x : integer(i) ? integers : doubles) {
                auto args = base;
                args[i] = x;
                calls.push_back(args);
            }
        for (double x : doubles) {  // every argument at once
            std::vector<double> args;
            for (size_t i = 0; i < n; ++i) args.push_back(integer(i) ? (x > 0 ? 2147483647.0 : -2147483648.0) : x);
            calls.push_back(args);
        }
        for (const auto& args : calls) {
            const auto start = std::chrono::steady_clock::now();
            const Value v = Call(std::string(f->name), args);
            slowest = std::max(slowest, std::chrono::duration<double>(std::chrono::steady_clock::now() - start));
            EXPECT_TRUE(acceptable(v)) << f->name << " gave " << FormatValue(v);
        }
    }
    EXPECT_LT(slowest.count(), 1.0) << "a call took " << slowest.count() << " s";
}

INSTANTIATE_TEST_SUITE_P(BothModes, MomentFunctionsTest, ::testing::Values(Mode::Excel12, Mode::Legacy),
                         [](const auto& info) { return Excel12Or4(info.param); });
