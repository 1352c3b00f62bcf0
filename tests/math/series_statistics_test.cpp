// The series statistics behind ZrMultiCorrel and ZrMultiCovarp, and the
// conversions behind ZrCov2Cor and ZrCor2Cov.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "math/covariance_conversion.h"
#include "math/series_statistics.h"
#include "tests/math/linear_algebra_support.h"

using namespace Zr::Math;
using Zr::Testing::MatrixOf;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

#include "tests/math/data/series_reference.inc"

ConstVectorView View(const std::vector<double>& v) { return {v.data(), v.size(), 1}; }

}  // namespace

// Against 50-digit values. The means are plain sums, a few ulps off; the sums
// of squares inherit (error of the mean / spread)^2, which reaches 1e-12 for
// values near 1e12 with a spread of 1e3.
TEST(SeriesStatistics, AgreeWithHighPrecisionReference) {
    for (const SeriesCase& c : kSeriesCases) {
        const Comoments m = SeriesComoments(View(c.x), View(c.y));
        EXPECT_EQ(m.n, double(c.x.size()));
        const double got[] = {SeriesMean(View(c.x)), m.meanY, SeriesVariance(View(c.x)), m.sxx, m.syy, m.sxy};
        const double expected[] = {c.meanX, c.meanY, c.varianceX, c.sxx, c.syy, c.sxy};
        for (int i = 0; i < 6; ++i)
            EXPECT_LE(std::fabs(got[i] - expected[i]), (i < 2 ? 2e-15 : 2e-12) * std::fabs(expected[i]))
                << c.name << ": mean x, mean y, variance, Sxx, Syy, Sxy [" << i << "]";
    }
}

// Ten copies of 0.1 sum to 0.9999999999999999: a constant series is not
// summed at all, and adds nothing to the comoments; a leading run enters
// the sum as one product. NaN differs from itself: NaN series vary.
TEST(SeriesStatistics, ConstantSeriesAndLeadingRuns) {
    const std::vector<double> tenths(10, 0.1), one{-2.5}, run{0.1, 0.1, 0.1, 0.7}, later{0.1, 0.1, 0.7, 0.1};
    EXPECT_EQ(SeriesMean(View(tenths)), 0.1);
    EXPECT_EQ(SeriesMean(View(one)), -2.5);
    EXPECT_EQ(SeriesVariance(View(tenths)) + SeriesVariance(View(one)), 0.0);
    EXPECT_EQ(SeriesMean(View(run)), (0.1 * 3.0 + 0.7) / 4.0);
    EXPECT_EQ(SeriesMean(View(later)), ((0.1 * 2.0 + 0.7) + 0.1) / 4.0);
    const std::vector<double> none, nans(3, kNaN), varies{1, 2, 4}, flat{0.1, 0.1, 0.1};
    for (const auto* x : {&none, &nans}) EXPECT_TRUE(std::isnan(SeriesMean(View(*x)) + SeriesVariance(View(*x))));
    Comoments m = SeriesComoments(View(none), View(none));
    EXPECT_TRUE(m.n == 0.0 && std::isnan(m.meanX) && std::isnan(m.meanY) && std::isnan(m.sxy));
    m = SeriesComoments(View(varies), View(flat));
    EXPECT_TRUE(std::fabs(m.sxx - 42.0 / 9.0) < 1e-15 && m.syy == 0.0 && m.sxy == 0.0 && m.meanY == 0.1);
    m = SeriesComoments(View(flat), View(varies));
    EXPECT_TRUE(m.sxx == 0.0 && m.syy > 0.0 && m.sxy == 0.0);
    m = SeriesComoments(View(flat), View(flat));
    EXPECT_TRUE(m.sxx == 0.0 && m.syy == 0.0 && m.sxy == 0.0);
}

// The order of the operations, which the worksheet results repeat exactly:
// the diagonal is divided, not set to 1; rows are scaled before columns.
TEST(CovarianceConversion, OrderOfOperations) {
    Matrix cor(2, 2), cov(2, 2);
    Vector stdev(2);
    ASSERT_TRUE(CovToCor(MatrixOf({{0.1, 0.05}, {0.05, 0.3}}), cor, stdev));
    EXPECT_EQ(cor(1, 1), 0.3 / (std::sqrt(0.3) * std::sqrt(0.3)));
    ASSERT_TRUE(CorToCov(MatrixOf({{1, 0.3}, {0.3, 1}}), Vector{0.1, 0.7}, cov));
    EXPECT_EQ(cov(0, 1), (0.3 * 0.1) * 0.7);
    EXPECT_EQ(cov(1, 0), (0.3 * 0.7) * 0.1);
    EXPECT_FALSE(CorToCov(MatrixOf({{1, kNaN}, {0, 1}}), Vector{2, 3}, cov));
    EXPECT_FALSE(CovToCor(MatrixOf({{HUGE_VAL, 0}, {0, 1}}), cor, stdev));
}
