// The series statistics behind ZrMultiCorrel and ZrMultiCovarp, and the
// conversions behind ZrCov2Cor and ZrCor2Cov.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "math/covariance_conversion.h"
#include "math/series_statistics.h"
#include "tests/math/linear_algebra_support.h"

using namespace Zr::Math;
using Zr::Testing::MatrixOf;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

#include "data/series_reference.inc"

ConstVectorView View(const std::vector<double>& v) { return {v.data(), v.size(), 1}; }

double RelativeError(double got, double expected) { return std::fabs(got - expected) / std::fabs(expected); }

}  // namespace

TEST(SeriesStatistics, AgreeWithHighPrecisionReference) {
    double worst = 0.0;
    const char* where = "";
    auto check = [&](double got, double expected, double tolerance, const char* name, const char* what) {
        const double e = RelativeError(got, expected);
        EXPECT_LE(e, tolerance) << name << ": " << what;
        if (e > worst) {
            worst = e;
            where = name;
        }
    };
    // The means are plain sums, a few ulps off; the sums of squares inherit
    // (error of the mean / spread)^2, which reaches 1e-12 for values near
    // 1e12 with a spread of 1e3.
    for (const SeriesCase& c : kSeriesCases) {
        const ConstVectorView x = View(c.x), y = View(c.y);
        check(SeriesMean(x), c.meanX, 2e-15, c.name, "mean");
        check(SeriesVariance(x), c.varianceX, 2e-12, c.name, "variance");
        const Comoments m = SeriesComoments(x, y);
        EXPECT_EQ(m.n, double(c.x.size()));
        check(m.meanY, c.meanY, 2e-15, c.name, "mean of y");
        check(m.sxx, c.sxx, 2e-12, c.name, "Sxx");
        check(m.syy, c.syy, 2e-12, c.name, "Syy");
        check(m.sxy, c.sxy, 2e-12, c.name, "Sxy");
    }
    std::printf("[ measured ] series statistics, worst relative error: %.3g (%s)\n", worst, where);
}

// Ten copies of 0.1 sum to 0.9999999999999999: a constant series must not
// be summed at all.
TEST(SeriesStatistics, ConstantSeriesIsExact) {
    const std::vector<double> tenths(10, 0.1);
    EXPECT_EQ(SeriesMean(View(tenths)), 0.1);
    EXPECT_EQ(SeriesVariance(View(tenths)), 0.0);
    const std::vector<double> one{-2.5};
    EXPECT_EQ(SeriesMean(View(one)), -2.5);
    EXPECT_EQ(SeriesVariance(View(one)), 0.0);
}

TEST(SeriesStatistics, LeadingRunEntersAsOneProduct) {
    const std::vector<double> x{0.1, 0.1, 0.1, 0.7};
    EXPECT_EQ(SeriesMean(View(x)), (0.1 * 3.0 + 0.7) / 4.0);
    const std::vector<double> later{0.1, 0.1, 0.7, 0.1};
    EXPECT_EQ(SeriesMean(View(later)), ((0.1 * 2.0 + 0.7) + 0.1) / 4.0);
}

TEST(SeriesStatistics, EmptyAndNaNSeries) {
    const std::vector<double> none;
    EXPECT_TRUE(std::isnan(SeriesMean(View(none))));
    EXPECT_TRUE(std::isnan(SeriesVariance(View(none))));
    const Comoments m = SeriesComoments(View(none), View(none));
    EXPECT_EQ(m.n, 0.0);
    EXPECT_TRUE(std::isnan(m.meanX) && std::isnan(m.meanY) && std::isnan(m.sxy));

    const std::vector<double> nans(3, kNaN);  // NaN differs from itself: not constant
    EXPECT_TRUE(std::isnan(SeriesMean(View(nans))));
    EXPECT_TRUE(std::isnan(SeriesVariance(View(nans))));
}

TEST(SeriesComoments, ConstantSeriesAddNothing) {
    const std::vector<double> varies{1, 2, 4}, flat{0.1, 0.1, 0.1}, twice{2, 4, 8};
    Comoments m = SeriesComoments(View(varies), View(flat));
    EXPECT_NEAR(m.sxx, 42.0 / 9.0, 1e-15);
    EXPECT_EQ(m.syy, 0.0);
    EXPECT_EQ(m.sxy, 0.0);
    EXPECT_EQ(m.meanY, 0.1);
    m = SeriesComoments(View(flat), View(varies));
    EXPECT_EQ(m.sxx, 0.0);
    EXPECT_GT(m.syy, 0.0);
    EXPECT_EQ(m.sxy, 0.0);
    m = SeriesComoments(View(flat), View(flat));
    EXPECT_EQ(m.sxx + m.syy + m.sxy, 0.0);
    m = SeriesComoments(View(varies), View(twice));
    EXPECT_DOUBLE_EQ(m.sxy * m.sxy, m.sxx * m.syy);
    EXPECT_NEAR(m.sxy, 2.0 * 42.0 / 9.0, 1e-14);
}

// Columns of a row-major table are strided views.
TEST(SeriesComoments, ColumnsOfATable) {
    const Matrix t = MatrixOf({{1, 2}, {2, 4}, {3, 6}});
    EXPECT_EQ(SeriesMean(t.Column(1)), 4.0);
    const Comoments m = SeriesComoments(t.Column(0), t.Column(1));
    EXPECT_EQ(m.meanX, 2.0);
    EXPECT_EQ(m.sxx, 2.0);
    EXPECT_EQ(m.syy, 8.0);
    EXPECT_EQ(m.sxy, 4.0);
}

// ------------------------------------------------------- matrix conversions

TEST(CovarianceConversion, CovToCorDividesEveryElement) {
    const Matrix cov = MatrixOf({{4, 2}, {2, 9}});
    Matrix cor(2, 2);
    Vector stdev(2);
    ASSERT_TRUE(CovToCor(cov, cor, stdev));
    EXPECT_EQ(stdev[0], 2.0);
    EXPECT_EQ(stdev[1], 3.0);
    EXPECT_EQ(cor(0, 1), 2.0 / 6.0);
    EXPECT_EQ(cor(1, 0), 2.0 / 6.0);
    EXPECT_EQ(cor(0, 0), 1.0);

    const Matrix nearly = MatrixOf({{0.1, 0.05}, {0.05, 0.3}});  // the diagonal is divided, not set
    ASSERT_TRUE(CovToCor(nearly, cor, stdev));
    EXPECT_EQ(cor(1, 1), 0.3 / (std::sqrt(0.3) * std::sqrt(0.3)));
}

TEST(CovarianceConversion, CovToCorRejectsNonFiniteResults) {
    Matrix cor(2, 2);
    Vector stdev(2);
    EXPECT_FALSE(CovToCor(MatrixOf({{4, 2}, {2, -1}}), cor, stdev));  // sqrt of a negative variance
    EXPECT_TRUE(std::isnan(stdev[1]));
    EXPECT_FALSE(CovToCor(MatrixOf({{4, 0}, {0, 0}}), cor, stdev));  // 0 / 0
    EXPECT_FALSE(CovToCor(MatrixOf({{kInf, 0}, {0, 1}}), cor, stdev));
}

TEST(CovarianceConversion, CorToCovScalesRowsThenColumns) {
    const Matrix cor = MatrixOf({{1, 0.5}, {0.5, 1}});
    const Vector stdev{2, 3};
    Matrix cov(2, 2);
    ASSERT_TRUE(CorToCov(cor, stdev, cov));
    EXPECT_EQ(Zr::Testing::Elements(cov), (std::vector<double>{4, 3, 3, 9}));
    const Vector odd{0.1, 0.7};
    ASSERT_TRUE(CorToCov(MatrixOf({{1, 0.3}, {0.3, 1}}), odd, cov));
    EXPECT_EQ(cov(0, 1), (0.3 * 0.1) * 0.7);
    EXPECT_EQ(cov(1, 0), (0.3 * 0.7) * 0.1);
    EXPECT_FALSE(CorToCov(MatrixOf({{1, kNaN}, {0, 1}}), stdev, cov));
    EXPECT_FALSE(CorToCov(cor, Vector{1e200, 1e200}, cov));  // overflow
}

TEST(CovarianceConversion, AllFinite) {
    EXPECT_TRUE(AllFinite(Matrix()));
    EXPECT_TRUE(AllFinite(MatrixOf({{1, -1e308}})));
    EXPECT_FALSE(AllFinite(MatrixOf({{1, kNaN}})));
    EXPECT_FALSE(AllFinite(MatrixOf({{-kInf, 1}})));
}
