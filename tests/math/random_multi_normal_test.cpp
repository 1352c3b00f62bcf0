#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "math/random_multi_normal.h"
#include "tests/math/linear_algebra_support.h"

using namespace Zr::Math;
using Zr::Testing::MatrixOf;
using Zr::Testing::MaxAbsDifference;
using Zr::Testing::TraceCapture;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const char* const kDecomposeMessage = "Zr::Math::RandomMultiNormal::Init() unable to decompose covariance matrix.";

Vector VectorOf(std::initializer_list<double> values) { return Vector(values); }

struct Options {
    bool inverse = false;
    bool antithetic = false;
    ResamplingMode resampling = DISABLED;
    uint32_t seed1 = 1;
    uint32_t seed2 = 2;
    UniformGeneratorType type = MT2002;
    bool verbose = false;
};

bool Init(RandomMultiNormal& g, const Vector& mean, const Matrix& cov, int32_t N, const Options& o = {},
          std::string* log = nullptr) {
    return g.Init(mean, cov, o.inverse, o.antithetic, o.resampling, N, o.seed1, o.seed2, o.type, o.verbose, log);
}

// N vectors as the rows of a matrix.
Matrix DrawRows(RandomMultiNormal& g, size_t n, int32_t N) {
    Matrix rows(size_t(N), n);
    Vector out(n), z(n);
    for (int32_t k = 0; k < N; ++k) {
        g.Next(out, z);
        for (size_t j = 0; j < n; ++j) rows(size_t(k), j) = out[j];
    }
    return rows;
}

// Mean vector and covariance with divisor N, accumulated in long double so
// that the check measures the generator and not this summation.
void SampleMoments(const Matrix& rows, std::vector<double>& mean, Matrix& cov) {
    const size_t N = rows.Rows(), n = rows.Columns();
    mean.assign(n, 0.0);
    for (size_t j = 0; j < n; ++j) {
        long double sum = 0;
        for (size_t k = 0; k < N; ++k) sum += rows(k, j);
        mean[j] = double(sum / N);
    }
    cov = Matrix(n, n);
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j) {
            long double sum = 0;
            for (size_t k = 0; k < N; ++k) sum += ((long double)rows(k, i) - mean[i]) * (rows(k, j) - mean[j]);
            cov(i, j) = double(sum / N);
        }
}

Matrix TimesTransposed(const Matrix& t) {
    Matrix p(t.Rows(), t.Rows());
    for (size_t i = 0; i < t.Rows(); ++i)
        for (size_t j = 0; j < t.Rows(); ++j)
            for (size_t k = 0; k < t.Columns(); ++k) p(i, j) += t(i, k) * t(j, k);
    return p;
}

// A positive definite n x n matrix with unequal variances and correlations.
Matrix Covariance(size_t n) {
    Matrix c(n, n);
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j)
            c(i, j) = (i == j ? 1.0 + double(i) : 0.0) + 0.3 * std::cos(double(i)) * std::cos(double(j));
    return c;
}

Vector Means(size_t n) {
    Vector m(n);
    for (size_t i = 0; i < n; ++i) m[i] = 10.0 * double(i) - 3.0;
    return m;
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

}  // namespace

// ------------------------------------------------------------ decomposition

TEST(DecomposeCovariance, DescriptionsOfTheOutcomes) {
    EXPECT_STREQ(DecompositionResultDescription(ERROR), "Error occurred");
    EXPECT_STREQ(DecompositionResultDescription(SUCCEEDED_AT_SVD_DECOMP), "Succeeded at SVD");
    EXPECT_STREQ(DecompositionResultDescription(SUCCEEDED_AT_EIGEN_DECOMP), "Succeeded at Eigen decomposition");
    EXPECT_STREQ(DecompositionResultDescription(FAILED_TO_DECOMPOSE), "Failed to decompose matrix");
    EXPECT_STREQ(DecompositionResultDescription(DecompositionResult(7)), " -");
}

// SymmetricEigen reads the lower triangle only, so a NaN above the diagonal
// defeats the SVD but not the fallback, which must see the original matrix.
TEST(DecomposeCovariance, EigenFallbackRestoresTheMatrix) {
    Matrix a = MatrixOf({{4, kNaN}, {2, 9}}), v(2, 2);
    Vector w(2);
    TraceCapture trace;
    ASSERT_EQ(DecomposeCovariance(a, w, v, true), SUCCEEDED_AT_EIGEN_DECOMP);
    EXPECT_EQ(trace.Messages().back(), "SVD failed.");
    Matrix scaled(2, 2);
    for (size_t i = 0; i < 2; ++i)
        for (size_t j = 0; j < 2; ++j) scaled(i, j) = v(i, j) * std::sqrt(w[j]);
    EXPECT_LT(MaxAbsDifference(TimesTransposed(scaled), MatrixOf({{4, 2}, {2, 9}})), 1e-14);
}

TEST(DecomposeCovariance, NaNDefeatsBothMethods) {
    for (bool verbose : {true, false}) {
        Matrix a = MatrixOf({{kNaN, 1}, {1, kNaN}}), v(2, 2);
        Vector w(2);
        TraceCapture trace;
        EXPECT_EQ(DecomposeCovariance(a, w, v, verbose), FAILED_TO_DECOMPOSE);
        const auto& m = trace.Messages();
        const bool said = std::find(m.begin(), m.end(), "SVD failed.") != m.end();
        EXPECT_EQ(said, verbose);
        EXPECT_EQ(m.back() == "Eigen decomposition failed, unable to decompose covariance matrix.", verbose);
    }
}

// ------------------------------------------------------------ plain drawing

TEST(RandomMultiNormal, OneDimensionDrawsOneMinusTwoZ) {
    RandomMultiNormal g;
    ASSERT_TRUE(Init(g, VectorOf({1}), MatrixOf({{4}}), 5));
    EXPECT_EQ(g.Transform()(0, 0), -2.0);  // the SVD's vector of [[4]] is -1
    RandomNormal z;
    ASSERT_TRUE(z.Init(1, 2, 0.0, 1.0, BOX_MULLER, 0, DISABLED, 0, MT2002));
    Vector out(1), scratch(1);
    for (int k = 0; k < 5; ++k) {
        g.Next(out, scratch);
        EXPECT_EQ(out[0], 1.0 + -2.0 * z.Next()) << k;
    }
}

// Component i is driven by generator i seeded (seed1, seed2 + i), the seed
// wrapping modulo 2^32, with the method and antithetic option asked for.
TEST(RandomMultiNormal, EachDimensionHasItsOwnSeeds) {
    const Matrix cov = Covariance(3);
    const Vector mean = Means(3);
    for (bool inverse : {false, true})
        for (bool antithetic : {false, true}) {
            Options o;
            o.inverse = inverse;
            o.antithetic = antithetic;
            o.seed1 = 7;
            o.seed2 = 0xFFFFFFFFu;
            o.type = MT1998;
            RandomMultiNormal g;
            ASSERT_TRUE(Init(g, mean, cov, 4, o));
            RandomNormal z[3];
            for (uint32_t i = 0; i < 3; ++i)
                z[i].Init(7, 0xFFFFFFFFu + i, 0.0, 1.0, inverse ? INV : BOX_MULLER, antithetic, DISABLED, 0, MT1998);
            Vector out(3), scratch(3);
            for (int k = 0; k < 4; ++k) {
                g.Next(out, scratch);
                double draws[3];
                for (int i = 0; i < 3; ++i) draws[i] = z[i].Next();
                for (size_t i = 0; i < 3; ++i) {
                    double expected = mean[i];
                    for (size_t c = 0; c < 3; ++c) expected += g.Transform()(i, c) * draws[c];
                    EXPECT_EQ(out[i], expected) << inverse << antithetic << k << i;
                }
            }
        }
}

TEST(RandomMultiNormal, TransformIsASquareRootOfTheCovariance) {
    RandomMultiNormal g;
    const Matrix cov = Covariance(5);
    ASSERT_TRUE(Init(g, Means(5), cov, 1));
    EXPECT_LT(MaxAbsDifference(TimesTransposed(g.Transform()), cov), 1e-13);
    for (double s : g.Shift()) EXPECT_EQ(s, 0.0);

    const Matrix singular = MatrixOf({{1, 1}, {1, 1}});
    ASSERT_TRUE(Init(g, VectorOf({0, 0}), singular, 1));
    EXPECT_LT(MaxAbsDifference(TimesTransposed(g.Transform()), singular), 1e-15);

    // Eigenvalues +1 and -1: drawn as if the -1 were +1.
    ASSERT_TRUE(Init(g, VectorOf({0, 0}), MatrixOf({{0, 1}, {1, 0}}), 1));
    EXPECT_LT(MaxAbsDifference(TimesTransposed(g.Transform()), MatrixOf({{1, 0}, {0, 1}})), 1e-15);
}

TEST(RandomMultiNormal, CopiesAndReinitialisationRepeatTheDraws) {
    RandomMultiNormal g;
    ASSERT_TRUE(Init(g, Means(3), Covariance(3), 10));
    const Matrix first = DrawRows(g, 3, 4);
    RandomMultiNormal copy(g), assigned;
    assigned = g;
    const Matrix next = DrawRows(g, 3, 4);
    EXPECT_EQ(MaxAbsDifference(DrawRows(copy, 3, 4), next), 0.0);
    EXPECT_EQ(MaxAbsDifference(DrawRows(assigned, 3, 4), next), 0.0);
    ASSERT_TRUE(Init(g, Means(3), Covariance(3), 10));
    EXPECT_EQ(MaxAbsDifference(DrawRows(g, 3, 4), first), 0.0);
}

// --------------------------------------------------------------- resampling

TEST(RandomMultiNormal, ResamplingGivesTheExactMoments) {
    double worst = 0.0;
    for (size_t n : {1, 2, 5, 12})
        for (int32_t N : {int32_t(n) + 1, 2 * int32_t(n) - 1, 10, 1000})
            for (bool inverse : {false, true})
                for (bool antithetic : {false, true}) {
                    if (N <= int32_t(n) || (antithetic && N < 2 * int32_t(n) - 1)) continue;
                    Options o;
                    o.inverse = inverse;
                    o.antithetic = antithetic;
                    o.resampling = ENABLE_RESAMPLING_TYPE2;
                    RandomMultiNormal g;
                    const Matrix cov = Covariance(n);
                    const Vector mean = Means(n);
                    ASSERT_TRUE(Init(g, mean, cov, N, o)) << n << " " << N;
                    std::vector<double> m;
                    Matrix c;
                    SampleMoments(DrawRows(g, n, N), m, c);
                    for (size_t i = 0; i < n; ++i) EXPECT_NEAR(m[i], mean[i], 1e-12) << n << " " << N;
                    const double error = MaxAbsDifference(c, cov);
                    EXPECT_LT(error, 1e-10) << n << " " << N << inverse << antithetic;  // N = n + 1 is ill-conditioned
                    worst = std::max(worst, error);
                }
    std::printf("[ measured ] resampled covariance, worst absolute error: %.3g (variances 1 to 12)\n", worst);
}

TEST(RandomMultiNormal, BothResamplingModesResampleAlike) {
    Options one, two;
    one.resampling = ENABLE_RESAMPLING_TYPE1;
    two.resampling = ENABLE_RESAMPLING_TYPE2;
    RandomMultiNormal a, b;
    ASSERT_TRUE(Init(a, Means(3), Covariance(3), 20, one));
    ASSERT_TRUE(Init(b, Means(3), Covariance(3), 20, two));
    EXPECT_EQ(MaxAbsDifference(DrawRows(a, 3, 20), DrawRows(b, 3, 20)), 0.0);
}

// N vectors span at most N - 1 dimensions about their mean; mirrored pairs
// only ceil(N / 2). Below that the crude covariance is singular and the draws
// would be meaningless, so Init refuses.
TEST(RandomMultiNormal, ResamplingRefusesACrudeSampleThatCannotSpanTheSpace) {
    Options o;
    o.resampling = ENABLE_RESAMPLING_TYPE2;
    RandomMultiNormal g;
    for (size_t n : {1, 2, 4}) {
        for (int32_t N = -1; N <= int32_t(n); ++N) {
            TraceCapture trace;
            EXPECT_FALSE(Init(g, Means(n), Covariance(n), N, o)) << n << " " << N;
            EXPECT_EQ(trace.Messages().size(), 1u);
        }
        EXPECT_TRUE(Init(g, Means(n), Covariance(n), int32_t(n) + 1, o));
    }
    o.antithetic = true;
    for (size_t n : {2, 3, 5}) {
        EXPECT_FALSE(Init(g, Means(n), Covariance(n), 2 * int32_t(n) - 2, o)) << n;
        EXPECT_TRUE(Init(g, Means(n), Covariance(n), 2 * int32_t(n) - 1, o)) << n;
    }
}

// ------------------------------------------------------------ trace and log

TEST(RandomMultiNormal, VerboseProgressLines) {
    Options o;
    o.verbose = true;
    RandomMultiNormal g;
    TraceCapture plain;
    ASSERT_TRUE(Init(g, Means(2), Covariance(2), 5, o));
    const std::string lap = "\t\t*** Elapsed time = ";
    const std::vector<std::string>& p = plain.Messages();
    ASSERT_EQ(p.size(), 8u);
    EXPECT_EQ(p[0], "*** Orvex Monte Carlo Simulator ***");
    EXPECT_EQ(p[1], "\t- Dimension = 2\r\n\t- N = 5\r\n\t- Quadratic Resampling = DISABLED");
    EXPECT_EQ(p[2], "\tInitializing Gaussian random generator...");
    EXPECT_EQ(p[3], "\tTriangular decomposition started...");
    EXPECT_TRUE(StartsWith(p[4], lap)) << p[4];
    EXPECT_EQ(p[5], "\t\tComputing Q * Tr(V)...");
    EXPECT_TRUE(StartsWith(p[6], lap));
    EXPECT_EQ(p[7], "\tInitialization completed.");
    EXPECT_EQ(p[4].size(), std::string("\t\t*** Elapsed time =      0 sec. Lap time =      0 sec. ***").size());

    o.resampling = ENABLE_RESAMPLING_TYPE1;
    TraceCapture resampled;
    ASSERT_TRUE(Init(g, Means(2), Covariance(2), 5, o));
    std::vector<std::string> steps;
    for (const std::string& line : resampled.Messages())
        if (!StartsWith(line, lap)) steps.push_back(line);
    EXPECT_EQ(resampled.Messages().size() - steps.size(), 7u);
    EXPECT_EQ(steps, (std::vector<std::string>{
                         "*** Orvex Monte Carlo Simulator ***",
                         "\t- Dimension = 2\r\n\t- N = 5\r\n\t- Quadratic Resampling = ENABLE_RESAMPLING_TYPE1",
                         "\tInitializing Gaussian random generator...", "\tTriangular decomposition started...",
                         "\tComputing empirical stats from crude data set...", "\tComputing Q * Tr(V)...",
                         "\tTriangular decomposition(empirical) started...", "\tComputing Q * Tr(V)...",
                         "\tComputing inverse matrix...", "\tComputing Product...", "\tInitialization completed."}));

    o.resampling = ResamplingMode(9);
    TraceCapture unnamed;
    ASSERT_TRUE(Init(g, Means(2), Covariance(2), 5, o));
    EXPECT_EQ(unnamed.Messages()[1], "\t- Dimension = 2\r\n\t- N = 5\r\n\t- Quadratic Resampling = {ERROR}");
}

TEST(RandomMultiNormal, LogNamesOnlyFallbacksAndFailures) {
    RandomMultiNormal g;
    std::string log;
    TraceCapture trace;
    ASSERT_TRUE(Init(g, Means(2), Covariance(2), 5, {}, &log));
    EXPECT_EQ(log, "");  // a successful SVD leaves no line
    EXPECT_TRUE(trace.Messages().empty());  // nor, without verbose, a trace

    ASSERT_TRUE(Init(g, VectorOf({0, 0}), MatrixOf({{4, kNaN}, {2, 9}}), 5, {}, &log));
    EXPECT_EQ(log, "\tTriangular decomposition : Succeeded at Eigen decomposition");

    log = "earlier";
    EXPECT_FALSE(Init(g, VectorOf({0, 0}), MatrixOf({{kNaN, 1}, {1, kNaN}}), 5, {}, &log));
    EXPECT_EQ(log, "earlier\tTriangular decomposition : Failed to decompose matrix");
    EXPECT_EQ(trace.Messages().back(), kDecomposeMessage);

    // The fallback drew from the lower triangle's matrix, resampled or not.
    Options o;
    o.resampling = ENABLE_RESAMPLING_TYPE2;
    log.clear();
    ASSERT_TRUE(Init(g, VectorOf({0, 0}), MatrixOf({{4, kNaN}, {2, 9}}), 40, o, &log));
    std::vector<double> m;
    Matrix c;
    SampleMoments(DrawRows(g, 2, 40), m, c);
    EXPECT_LT(MaxAbsDifference(c, MatrixOf({{4, 2}, {2, 9}})), 1e-12);
    EXPECT_EQ(log, "\tTriangular decomposition : Succeeded at Eigen decomposition");
}
