// Calls ordinary functions of many signatures through the run-time call
// mechanism and checks that every argument lands where the callee looks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

#include "host/dynamic_call.h"

namespace Zr::Host {
namespace {

using R = RawArgument;
std::vector<double> g_seen;  // what the last callee received, in order

int IntDoubleMix(int a, double b, short c, double d, int e, int f, int g, int h, double i, int j, double k, int l) {
    g_seen = {double(a), b, double(c), d, double(e), double(f), double(g), double(h), i, double(j), k, double(l)};
    return 42;
}

double TenDoublesSevenInts(double d0, int i0, double d1, double d2, int i1, double d3, double d4, int i2, double d5,
                           int i3, double d6, int i4, double d7, int i5, double d8, int i6, double d9) {
    g_seen = {d0, double(i0), d1, d2, double(i1), d3, d4, double(i2), d5, double(i3), d6, double(i4), d7,
              double(i5), d8, double(i6), d9};
    return d9 * 2;
}

int64_t SixteenInts(int64_t a0, int a1, short a2, int a3, int64_t a4, int a5, int a6, short a7, int a8, int a9,
                    int a10, int a11, int a12, int a13, int a14, int64_t a15) {
    g_seen = {double(a0), double(a1), double(a2),  double(a3),  double(a4),  double(a5),  double(a6),  double(a7),
              double(a8), double(a9), double(a10), double(a11), double(a12), double(a13), double(a14), double(a15)};
    return a15 - a0;
}

const char* PointersAndDoubles(double x, const char* text, double y, const double* p) {
    g_seen = {x, std::signbit(y) ? -1.0 : 1.0, *p};
    return text;
}

// Arguments of the given kinds ('I'nteger or 'D'ouble) whose values are their
// positions, negated when odd, plus a half for doubles.
std::vector<R> Arguments(std::string_view kinds, std::vector<double>& expected) {
    std::vector<R> args;
    for (size_t k = 0; k < kinds.size(); ++k) {
        const double v = (k % 2 ? -1.0 : 1.0) * double(k + 1) + (kinds[k] == 'I' ? 0 : 0.5);
        args.push_back(kinds[k] == 'I' ? R::Integer(int64_t(v)) : R::Real(v));
        expected.push_back(v);
    }
    return args;
}

const void* Address(auto* function) { return reinterpret_cast<const void*>(function); }

TEST(DynamicCall, EveryArgumentWhereTheCalleeLooks) {
    const struct { const char* kinds; const void* function; bool realResult; double result; } calls[] = {
        {"IDIDIIIIDIDI", Address(&IntDoubleMix), false, 42},  // more than six integers among doubles
        {"DIDDIDDIDIDIDIDID", Address(&TenDoublesSevenInts), true, 35},  // more than eight doubles: on the stack
        {"IIIIIIIIIIIIIIII", Address(&SixteenInts), false, -17},  // mixed widths, sign-extended
    };
    for (const auto& c : calls) {
        std::vector<double> expected;
        const std::vector<R> args = Arguments(c.kinds, expected);
        const double result = c.realResult ? CallForDouble(c.function, args)
                                           : int32_t(CallForInteger(c.function, args));  // an int: the low half
        EXPECT_EQ(result, c.result) << c.kinds;
        EXPECT_EQ(g_seen, expected) << c.kinds;
    }
    // Pointers are integer-class; doubles keep every bit.
    const char* text = "hello";
    const double tiny = 4.9406564584124654e-324;  // a denormal must not be flushed
    const std::vector<R> args = {R::Real(tiny), R::Pointer(text), R::Real(-0.0), R::Pointer(&tiny)};
    EXPECT_EQ(reinterpret_cast<const char*>(CallForInteger(Address(&PointersAndDoubles), args)), text);
    EXPECT_EQ(g_seen, (std::vector<double>{tiny, -1.0, tiny}));
}

}  // namespace
}  // namespace Zr::Host
