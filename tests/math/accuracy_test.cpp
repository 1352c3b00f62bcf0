// The 31 distribution and inverse functions against 50-digit references over
// their whole domain: far tails, tiny and huge shapes, underflow and overflow.
// Each row carries its bound: 1e-13 relative up to shapes of 1e6, 1e-10
// beyond, 0 where the answer is a whole number. Prints the worst error of
// each function.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdio>
#include <string>

#include "tests/math/accuracy_functions.h"

using namespace Zr::Testing::Accuracy;

namespace {

// The relative error; NaN must meet NaN, and an expected value below the
// normal range may come back as 0 or any subnormal.
double Error(double got, double expected) {
    if (std::isnan(expected) || std::isnan(got)) return std::isnan(expected) == std::isnan(got) ? 0 : kInf;
    if (got == expected) return 0;
    if (std::isinf(expected) || std::isinf(got)) return kInf;
    if (std::abs(expected) < DBL_MIN && std::abs(got) < DBL_MIN) return 0;
    return std::abs(got - expected) / std::abs(expected);
}

}  // namespace

TEST(DistributionAccuracy, EveryFunctionWithinItsBoundOverTheWholeDomain) {
    struct Worst {
        double error = 0;
        const Row* row = nullptr;
        int rows = 0;
    };
    std::map<std::string_view, Worst> worst;
    int failures = 0;
    for (const Row& row : kRows) {
        const auto f = kFunctions.find(row.function);
        ASSERT_NE(f, kFunctions.end()) << row.function;
        const double got = f->second(row.args), error = Error(got, row.expected);
        Worst& w = worst[row.function];
        ++w.rows;
        if (!w.row || error > w.error) w = {error, &row, w.rows};
        if (error > row.bound && ++failures <= 40)
            ADD_FAILURE() << row.function << "(" << row.args[0] << ", " << row.args[1] << ", " << row.args[2]
                          << ", " << row.args[3] << ", " << row.args[4] << ", " << row.args[5] << ") = " << got
                          << ", expected " << row.expected << " (error " << error << ")";
    }
    EXPECT_EQ(failures, 0);
    for (const auto& [name, w] : worst) {
        std::printf("%-18s %5d rows, worst relative error %.3g", std::string(name).c_str(), w.rows, w.error);
        if (w.row) std::printf(" at (%.17g, %.17g, %.17g, ...)", w.row->args[0], w.row->args[1], w.row->args[2]);
        std::printf("\n");
    }
}
