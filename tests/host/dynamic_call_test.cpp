// Calls ordinary functions of many signatures through the run-time call
// mechanism and checks that every argument lands where the callee looks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "host/dynamic_call.h"

namespace Zr::Host {
namespace {

using R = RawArgument;

struct Seen {
    std::vector<double> values;
};
Seen g_seen;

template <class... T>
void Record(T... args) {
    g_seen.values = {static_cast<double>(args)...};
}

int IntDoubleMix(int a, double b, short c, double d, int e, int f, int g, int h, double i, int j, double k,
                 int l) {
    Record(a, b, c, d, e, f, g, h, i, j, k, l);
    return 42;
}

double TenDoublesSevenInts(double d0, int i0, double d1, double d2, int i1, double d3, double d4, int i2, double d5,
                           int i3, double d6, int i4, double d7, int i5, double d8, int i6, double d9) {
    Record(d0, i0, d1, d2, i1, d3, d4, i2, d5, i3, d6, i4, d7, i5, d8, i6, d9);
    return d9 * 2;
}

int64_t SixteenInts(int64_t a0, int a1, short a2, int a3, int64_t a4, int a5, int a6, short a7, int a8, int a9,
                    int a10, int a11, int a12, int a13, int a14, int64_t a15) {
    Record(a0, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15);
    return a15 - a0;
}

const char* PointerAndDoubles(double x, const char* text, double y, const int* p) {
    Record(x, y, *p);
    return text;
}

short NoArguments() {
    g_seen.values.clear();
    return -3;
}

std::vector<double> Expected(std::initializer_list<double> values) { return values; }

TEST(DynamicCall, MoreThanSixIntegersInterleavedWithDoubles) {
    const std::vector<R> args = {R::Integer(1), R::Real(2.5), R::Integer(-3), R::Real(4.25), R::Integer(5),
                                 R::Integer(6), R::Integer(7), R::Integer(8), R::Real(9.125), R::Integer(-10),
                                 R::Real(11.5), R::Integer(12)};
    EXPECT_EQ(static_cast<int>(CallForInteger(reinterpret_cast<const void*>(&IntDoubleMix), args)), 42);
    EXPECT_EQ(g_seen.values, Expected({1, 2.5, -3, 4.25, 5, 6, 7, 8, 9.125, -10, 11.5, 12}));
}

TEST(DynamicCall, MoreThanEightDoublesSpillToTheStackInOrder) {
    std::vector<R> args;
    std::vector<double> expected;
    for (int k = 0; k < 17; ++k) {
        const bool isInt = k == 1 || k == 4 || k == 7 || k == 9 || k == 11 || k == 13 || k == 15;
        args.push_back(isInt ? R::Integer(100 + k) : R::Real(k + 0.5));
        expected.push_back(isInt ? 100 + k : k + 0.5);
    }
    EXPECT_EQ(CallForDouble(reinterpret_cast<const void*>(&TenDoublesSevenInts), args), 33.0);
    EXPECT_EQ(g_seen.values, expected);
}

TEST(DynamicCall, SixteenIntegersOfMixedWidthsSignExtended) {
    std::vector<R> args;
    std::vector<double> expected;
    for (int k = 0; k < 16; ++k) {
        const int value = (k % 2 ? -1 : 1) * (k + 1);
        args.push_back(R::Integer(value));
        expected.push_back(value);
    }
    EXPECT_EQ(static_cast<int64_t>(CallForInteger(reinterpret_cast<const void*>(&SixteenInts), args)), -16 - 1);
    EXPECT_EQ(g_seen.values, expected);
}

TEST(DynamicCall, PointersAreIntegerClassAndComeBackUnchanged) {
    const char* text = "hello";
    const int seven = 7;
    const std::vector<R> args = {R::Real(1.25), R::Pointer(text), R::Real(-2), R::Pointer(&seven)};
    const uint64_t result = CallForInteger(reinterpret_cast<const void*>(&PointerAndDoubles), args);
    EXPECT_EQ(reinterpret_cast<const char*>(result), text);
    EXPECT_EQ(g_seen.values, Expected({1.25, -2, 7}));
}

TEST(DynamicCall, NoArgumentsAndNarrowResults) {
    g_seen.values = {1};
    const uint64_t result = CallForInteger(reinterpret_cast<const void*>(&NoArguments), {});
    EXPECT_EQ(static_cast<short>(result), -3);
    EXPECT_TRUE(g_seen.values.empty());
}

TEST(DynamicCall, DoubleBitPatternsSurviveUntouched) {
    const double tiny = 4.9406564584124654e-324;  // a denormal must not be flushed
    const std::vector<R> args = {R::Real(tiny), R::Pointer(""), R::Real(-0.0), R::Pointer(&tiny)};
    auto check = [](double x, const char*, double y, const double* p) -> const char* {
        g_seen.values = {x, std::signbit(y) ? 1.0 : 0.0, *p};
        return nullptr;
    };
    using Fn = const char* (*)(double, const char*, double, const double*);
    CallForInteger(reinterpret_cast<const void*>(static_cast<Fn>(check)), args);
    EXPECT_EQ(g_seen.values, Expected({tiny, 1.0, tiny}));
}

}  // namespace
}  // namespace Zr::Host
