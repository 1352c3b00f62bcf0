// The multivariate normal generator: its square root of the covariance, seeds, copies, resampling and
// progress lines.
#include "math/matrix_products.h"
#include "math/random_multi_normal.h"
#include "math/series_statistics.h"
#include "tests/math/inspect.h"
#include "tests/math/linear_algebra_support.h"

using namespace Zr::Math;
using namespace Zr::Testing;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const Matrix kFallback = MatrixOf({{4, kNaN}, {2, 9}}), kNaNDiagonal = MatrixOf({{kNaN, 1}, {1, kNaN}});

struct Options { bool inverse{}, antithetic{}; ResamplingMode resampling = DISABLED; bool verbose{}; };

bool Init(RandomMultiNormal& g, const Vector& mean, const Matrix& cov, int32_t N, const Options& o = {},
          uint32_t seed2 = 2, UniformGeneratorType type = MT2002) {
    return g.Init(mean, cov, o.inverse, o.antithetic, o.resampling, N, 1, seed2, type, o.verbose);
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

// Largest deviation of N drawn vectors' mean vector and covariance (divisor
// N) from the requested ones, by the series statistics.
double MomentError(RandomMultiNormal& g, const Vector& mean, const Matrix& cov, int32_t N) {
    const Matrix rows = DrawRows(g, mean.Size(), N);
    double error = 0.0;
    for (size_t i = 0; i < mean.Size(); ++i)
        for (size_t j = 0; j < mean.Size(); ++j) {
            const Comoments m = SeriesComoments(rows.Column(i), rows.Column(j));
            error = std::max({error, std::fabs(m.meanX - mean[i]), std::fabs(m.sxy / N - cov(i, j))});
        }
    return error;
}

// t t^T, which a square root of the covariance must give back.
Matrix TimesTransposed(const Matrix& t) {
    Matrix p(t.Rows(), t.Rows(), 0.0);
    for (size_t i = 0; i < t.Rows(); ++i)
        for (size_t j = 0; j < t.Rows(); ++j)
            for (size_t k = 0; k < t.Columns(); ++k) p(i, j) += t(i, k) * t(j, k);
    return p;
}

// A positive definite n x n matrix with unequal variances and correlations,
// and a mean vector.
Matrix Covariance(size_t n) {
    Matrix c(n, n);
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j)
            c(i, j) = (i == j ? 1.0 + double(i) : 0.0) + 0.3 * std::cos(double(i)) * std::cos(double(j));
    return c;
}
Vector Means(size_t n) { Vector m(n); for (size_t i = 0; i < n; ++i) m[i] = 10.0 * double(i) - 3.0; return m; }

}  // namespace

// SymmetricEigen reads the lower triangle only, so a NaN above the diagonal
// defeats the SVD but not the fallback, which must see the original matrix.
// NaN on the diagonal defeats both: Init fails with a message, verbose or not.
TEST(DecomposeCovariance, EigenFallbackRestoresTheMatrix) {
    Matrix a = kFallback, v(2, 2), root(2, 2);
    Vector w(2);
    TraceCapture trace;
    ASSERT_EQ(DecomposeCovariance(a, w, v, true), SUCCEEDED_AT_EIGEN_DECOMP);
    ASSERT_TRUE(ScaleColumns(w, v, root));
    EXPECT_LT(MaxAbsDifference(TimesTransposed(root), MatrixOf({{4, 2}, {2, 9}})), 1e-14);
    for (bool verbose : {true, false}) {
        a = kNaNDiagonal;
        EXPECT_EQ(DecomposeCovariance(a, w, v, verbose), FAILED_TO_DECOMPOSE);
    }
    RandomMultiNormal g;
    EXPECT_FALSE(Init(g, Vector(2), kNaNDiagonal, 5));
    const std::vector<std::string>& said = trace.Messages();  // ours, verbose only, among the solvers' lines
    const std::string eigen = "Eigen decomposition failed, unable to decompose covariance matrix.";
    EXPECT_EQ(std::count(said.begin(), said.end(), "SVD failed."), 2);
    EXPECT_EQ(std::count(said.begin(), said.end(), eigen), 1);
    EXPECT_EQ(said.back(), "Zr::Math::RandomMultiNormal::Init() unable to decompose covariance matrix.");
}

// The SVD's vector of [[4]] is -1, so every draw is 1 - 2 z. A singular
// covariance is accepted; an indefinite one is drawn with its negative
// eigenvalues taken as positive.
TEST(RandomMultiNormal, TransformIsASquareRootOfTheCovariance) {
    RandomMultiNormal g;
    ASSERT_TRUE(Init(g, Vector{1}, MatrixOf({{4}}), 5));
    EXPECT_EQ(Inspect::Transform(g)(0, 0), -2.0);
    const Matrix cases[][2] = {{Covariance(5), Covariance(5)},
                               {MatrixOf({{1, 1}, {1, 1}}), MatrixOf({{1, 1}, {1, 1}})},
                               {MatrixOf({{0, 1}, {1, 0}}), MatrixOf({{1, 0}, {0, 1}})}};
    for (const auto& [cov, drawn] : cases) {
        ASSERT_TRUE(Init(g, Vector(cov.Rows()), cov, 1));
        EXPECT_LT(MaxAbsDifference(TimesTransposed(Inspect::Transform(g)), drawn), 1e-13) << cov.Rows();
    }
}

// Component i is driven by generator i seeded (seed1, seed2 + i), the seed
// wrapping modulo 2^32, with the method and antithetic option asked for.
TEST(RandomMultiNormal, EachDimensionHasItsOwnSeeds) {
    for (bool inverse : {false, true})
        for (bool antithetic : {false, true}) {
            RandomMultiNormal g;
            ASSERT_TRUE(Init(g, Means(3), Covariance(3), 4, {inverse, antithetic}, 0xFFFFFFFFu, MT1998));
            RandomNormal z[3];
            for (uint32_t i = 0; i < 3; ++i)
                z[i].Init(1, 0xFFFFFFFFu + i, 0.0, 1.0, inverse ? INV : BOX_MULLER, antithetic, DISABLED, 0, MT1998);
            const Matrix& t = Inspect::Transform(g);
            Vector out(3), scratch(3);
            for (int k = 0; k < 4; ++k) {
                g.Next(out, scratch);
                const double draws[3] = {z[0].Next(), z[1].Next(), z[2].Next()};
                for (size_t i = 0; i < 3; ++i)
                    EXPECT_EQ(out[i], Means(3)[i] + t(i, 0) * draws[0] + t(i, 1) * draws[1] + t(i, 2) * draws[2]) << k;
            }
        }
}

// Copies own their generators; Init starts again.
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

// The first N vectors have exactly the requested mean and covariance, with
// either mode; the eigen fallback's matrix is the lower triangle's. N
// vectors span at most N - 1 dimensions about their mean, mirrored pairs
// only ceil(N / 2): below that the crude covariance is singular and the
// draws would be meaningless, so Init refuses.
TEST(RandomMultiNormal, ResamplingGivesTheExactMomentsOrRefuses) {
    for (size_t n : {1, 2, 5, 12})
        for (int32_t N : {int32_t(n) + 1, 2 * int32_t(n) - 1, 10, 1000})
            for (Options o : {Options{false, false}, {false, true}, {true, false}, {true, true}}) {
                if (N <= int32_t(n) || (o.antithetic && N < 2 * int32_t(n) - 1)) continue;
                o.resampling = N == 10 ? ENABLE_RESAMPLING_TYPE1 : ENABLE_RESAMPLING_TYPE2;
                RandomMultiNormal g;
                ASSERT_TRUE(Init(g, Means(n), Covariance(n), N, o)) << n << " " << N;
                // N = n + 1 is ill-conditioned.
                EXPECT_LT(MomentError(g, Means(n), Covariance(n), N), 1e-10) << n << N << o.inverse << o.antithetic;
            }
    RandomMultiNormal g;
    ASSERT_TRUE(Init(g, Vector(2), kFallback, 40, {false, false, ENABLE_RESAMPLING_TYPE2}));
    EXPECT_LT(MomentError(g, Vector(2), MatrixOf({{4, 2}, {2, 9}}), 40), 1e-12);

    for (bool antithetic : {false, true})
        for (size_t n : {1, 2, 4}) {
            const int32_t fewest = std::max(int32_t(n) + 1, antithetic ? 2 * int32_t(n) - 1 : 0);
            for (int32_t N = -1; N < fewest; ++N) {
                TraceCapture trace;
                EXPECT_FALSE(Init(g, Means(n), Covariance(n), N, {false, antithetic, ENABLE_RESAMPLING_TYPE2}))
                    << n << " " << N;
                EXPECT_EQ(trace.Messages().size(), 1u);
            }
            EXPECT_TRUE(Init(g, Means(n), Covariance(n), fewest, {false, antithetic, ENABLE_RESAMPLING_TYPE2}));
        }
}

// Progress lines when verbose, each step followed by an elapsed-time line of
// whole seconds in fields of width 6.
TEST(RandomMultiNormal, VerboseProgressLines) {
    const std::string lap = "\t\t*** Elapsed time =      0 sec. Lap time =      0 sec. ***";
    auto steps = [&](ResamplingMode resampling) {
        RandomMultiNormal g;
        TraceCapture trace;
        EXPECT_TRUE(Init(g, Means(2), Covariance(2), 5, {false, false, resampling, true}));
        std::string all;
        for (const std::string& line : trace.Messages())
            all += (line.size() == lap.size() && line.compare(0, 21, lap, 0, 21) == 0 ? "lap" : line) + "|";
        return all;
    };
    const std::string start = "*** Orvex Monte Carlo Simulator ***|\t- Dimension = 2\r\n\t- N = 5\r\n"
                              "\t- Quadratic Resampling = ";
    const std::string decomposition =
        "|\tInitializing Gaussian random generator...|\tTriangular decomposition started...|lap|";
    EXPECT_EQ(steps(DISABLED),
              start + "DISABLED" + decomposition + "\t\tComputing Q * Tr(V)...|lap|\tInitialization completed.|");
    EXPECT_EQ(steps(ENABLE_RESAMPLING_TYPE1),
              start + "ENABLE_RESAMPLING_TYPE1" + decomposition +
                  "\tComputing empirical stats from crude data set...|lap|\tComputing Q * Tr(V)...|lap|"
                  "\tTriangular decomposition(empirical) started...|lap|\tComputing Q * Tr(V)...|lap|"
                  "\tComputing inverse matrix...|lap|\tComputing Product...|lap|\tInitialization completed.|");
    EXPECT_EQ(steps(ResamplingMode(9)).substr(0, start.size() + 7), start + "{ERROR}");
}
