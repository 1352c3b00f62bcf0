// The add-in loaded into the host in one Excel mode per test, and what the
// add-in tests share: values, a tolerant comparison, calls by name.
#pragma once

#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "host/host.h"
#include "xll/worksheet_function.h"

namespace Zr::Testing {
using Host::Mode;
using Host::Value;
using Host::ValueKind;

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN(), kInf = std::numeric_limits<double>::infinity();
inline double Below(double x) { return std::nextafter(x, -kInf); }
inline double Above(double x) { return std::nextafter(x, kInf); }
inline const Value kBad = Value::Error(xlerrValue);
inline Value Num(double x) { return Value::Number(x); }
inline Value ErrorText(const std::string& message) { return Value::TextUtf8("#ERROR: " + message); }
// A column of numbers; NaN stands for #VALUE!.
inline Value Numbers(const std::vector<double>& numbers) {
    std::vector<Value> elements;
    for (double x : numbers) elements.push_back(std::isnan(x) ? kBad : Num(x));
    return Value::Array(int(numbers.size()), 1, std::move(elements));
}

// Numbers agree to `tolerance`, relative (absolute where `expected` is 0),
// arrays element by element; anything else, NaN included, exactly.
inline ::testing::AssertionResult Near(const Value& got, const Value& expected, double tolerance) {
    const double scale = expected.number == 0 ? 1 : std::abs(expected.number);
    bool near = got == expected || (got.Is(ValueKind::Number) && expected.Is(ValueKind::Number) &&
                                    std::abs(got.number - expected.number) <= tolerance * scale);
    if (got.Is(ValueKind::Array) && expected.Is(ValueKind::Array) && got.rows == expected.rows &&
        got.columns == expected.columns)
        near = std::equal(got.elements.begin(), got.elements.end(), expected.elements.begin(),
                          [&](const Value& a, const Value& b) { return bool(Near(a, b, tolerance)); });
    if (near) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << FormatValue(got) << ", expected " << FormatValue(expected);
}

// A call and its result, to a tolerance as Near's; argument i failing a check and passing it.
struct Case { const char* function; std::vector<double> args; Value expected; double tolerance = 0; };
struct Step { size_t i; double failing, passing; };

class AddinTest : public ::testing::TestWithParam<Mode> {
protected:
    void SetUp() override { Open(ZR_ADDIN_PATH); }
    void Open(const char* path) {
        std::string error;
        ASSERT_TRUE(host_.Load(path, GetParam(), error)) << error;
        ASSERT_EQ(host_.AutoOpen(), 1);
    }
    void TearDown() override {
        if (!host_.Loaded()) return;
        host_.AutoClose();
        host_.AutoRemove();
        host_.Unload();
    }
    bool Modern() const { return GetParam() == Mode::Excel12; }
    int MaxRows() const { return Modern() ? 1048576 : 65535; }

    // A function by name with numbers, as a formula passes them (a number other than 0 is TRUE).
    Value Call(std::string_view name, const std::vector<double>& args) {
        std::vector<Value> values;
        for (double x : args) values.push_back(Num(x));
        return host_.Call(std::u16string(name.begin(), name.end()), values);
    }
    void Expect(const std::vector<Case>& cases) {
        for (size_t i = 0; i < cases.size(); ++i)
            EXPECT_TRUE(Near(Call(cases[i].function, cases[i].args), cases[i].expected, cases[i].tolerance))
                << cases[i].function << ", case " << i;
    }
    // From valid `args`, each step's argument fails (#VALUE!) at its threshold and gives a result one step beyond.
    void ExpectThresholds(std::string_view function, const std::vector<double>& args, std::vector<Step> steps) {
        for (const Step& step : steps) {
            std::vector<double> failing = args, passing = args;
            failing[step.i] = step.failing;
            passing[step.i] = step.passing;
            EXPECT_EQ(Call(function, failing), kBad) << function << " argument " << step.i << " = " << step.failing;
            const Value v = Call(function, passing);
            EXPECT_TRUE(v.Is(ValueKind::Number) || v.Is(ValueKind::Array)) << function << " at " << step.passing;
        }
    }
    // The export of the running Excel's interface, with its type text.
    Value CallEntry(const std::string& name, const std::string& letters, const std::vector<Value>& args = {}) {
        return Modern() ? host_.CallExport(name + "_12", "U" + letters + "$", args)
                        : host_.CallExport(name + "_4", "R" + letters, args);
    }

    Host::Host host_;
};

#define ZR_IN_BOTH_MODES(Suite)                                                                \
    INSTANTIATE_TEST_SUITE_P(BothModes, Suite, ::testing::Values(Mode::Excel12, Mode::Legacy), \
                             [](const auto& info) { return info.param == Mode::Excel12 ? "Excel12" : "Legacy"; })
}  // namespace Zr::Testing
