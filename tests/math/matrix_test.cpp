// Dense matrices, the LU, SVD and symmetric eigen decompositions (references, sweep bits, bad
// input) and the Newton-Raphson solver (the order of its tests, its counters, its exits).
#include <random>

#include "tests/math/linear_algebra_support.h"
#include "math/lu_decomposition.h"
#include "math/matrix_products.h"
#include "math/newton_raphson.h"
#include "math/svd.h"
#include "math/symmetric_eigen.h"

using namespace Zr::Math;
using namespace Zr::Testing;

namespace {

struct ReferenceMatrix {
    const char* name;
    size_t n;
    bool symmetric;
    double condition;
    std::vector<double> a, singularValues, eigenvalues, inverse;  // as the generator describes them
};
#include "tests/math/data/decomposition_reference.inc"

struct SweepReference {
    const char* name;
    size_t n;
    std::vector<double> a, u, w, v, d, z;
};
#include "tests/math/data/sweep_reference.inc"

constexpr double kEps = std::numeric_limits<double>::epsilon();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

Matrix Square(const std::vector<double>& rowMajor, StorageOrder order = StorageOrder::ROW_MAJOR) {
    const size_t n = size_t(std::sqrt(double(rowMajor.size())));
    Matrix m(n, n, order);
    for (size_t k = 0; k < n * n; ++k) m(k / n, k % n) = rowMajor[k];
    return m;
}
Matrix Identity(size_t n) {
    Matrix m(n, n, 0.0);
    for (size_t i = 0; i < n; ++i) m(i, i) = 1.0;
    return m;
}
Matrix Product(const Matrix& a, const Matrix& b) { Matrix p; EXPECT_TRUE(Multiply(p, a, b)); return p; }
Matrix ScaledColumns(Matrix m, ConstVectorView w) {  // m diag(w)
    for (size_t i = 0; i < m.Rows(); ++i)
        for (size_t j = 0; j < m.Columns(); ++j) m(i, j) *= w[j];
    return m;
}
double MaxAbs(const Matrix& m) { return MaxAbsDifference(m, Matrix(m.Rows(), m.Columns(), 0.0)); }

// max |M^T M - I| in units of n eps.
double Orthogonality(const Matrix& m) {
    Matrix t(m.Rows(), m.Rows());
    for (size_t i = 0; i < m.Rows(); ++i)
        for (size_t j = 0; j < m.Rows(); ++j) t(j, i) = m(i, j);
    return MaxAbsDifference(Product(t, m), Identity(m.Rows())) / (double(m.Rows()) * kEps);
}

// (i, j) -> 10 i + j, so every element names its place.
Matrix Numbered(size_t rows, size_t columns, StorageOrder order) {
    Matrix m(rows, columns, order);
    for (size_t i = 0; i < rows; ++i)
        for (size_t j = 0; j < columns; ++j) m(i, j) = 10.0 * i + j;
    return m;
}

#include "tests/math/data/newton_raphson_reference.inc"

const std::string kFunctionError = "Function error in Zr::Math::NewtonRaphson()";
int g_calls = 0;  // evaluations by the systems below (the tests run one at a time)
double g_lastY = 0.0;

// x^2 - p[0] with J = 2x; the evaluation numbered p[1] fails after writing its residual.
bool Parabola(const Vector& x, Matrix& j, Vector& r, const double* p) {
    r[0] = x[0] * x[0] - p[0];
    j(0, 0) = 2.0 * x[0];
    return ++g_calls != p[1];
}

// r = b + A x with J = A: p holds the n x n matrix A row by row, then b.
bool Affine(const Vector& x, Matrix& j, Vector& r, const double* p) {
    const size_t n = x.Size();
    if (n == 2) g_lastY = x[1];
    for (size_t i = 0; i < n; ++i) {
        r[i] = p[n * n + i];
        for (size_t k = 0; k < n; ++k) r[i] += (j(i, k) = p[i * n + k]) * x[k];
    }
    return ++g_calls > 0;
}

bool CircleHyperbola(const Vector& x, Matrix& j, Vector& r, const double*) {
    r[0] = x[0] * x[0] + x[1] * x[1] - 4.0, r[1] = x[0] * x[1] - 1.0;
    j(0, 0) = 2.0 * x[0], j(0, 1) = 2.0 * x[1], j(1, 0) = x[1], j(1, 1) = x[0];
    return ++g_calls > 0;
}

// Shrinks its residual vector: the solver must not index beyond it.
bool ShrinksResiduals(const Vector&, Matrix& j, Vector& r, const double*) {
    j.Fill(1.0);
    return r.Resize(1) && ++g_calls > 0;
}

}  // namespace

TEST(MatrixTest, StridesAndViews) {
    for (StorageOrder order : kBothOrders) {
        Matrix m = Numbered(3, 4, order);
        EXPECT_EQ(m.Data()[2 * m.RowStride() + 3 * m.ColumnStride()], 23.0);
        // Outside the matrix the views are empty, never a pointer beyond the block.
        const struct {
            ConstVectorView view;
            std::vector<double> expected;
        } views[] = {{m.Row(1), {10, 11, 12, 13}}, {m.Column(2), {2, 12, 22}}, {m.Diagonal(), {0, 11, 22}},
                     {m.Diagonal(2), {2, 13}}, {m.Diagonal(3), {3}}, {m.Diagonal(-1), {10, 21}}, {m.Diagonal(-2), {20}},
                     {m.Row(3), {}}, {m.Column(4), {}}, {m.Diagonal(4), {}}, {m.Diagonal(-3), {}},
                     {m.Diagonal(PTRDIFF_MIN), {}}};
        for (const auto& v : views) EXPECT_EQ(Values(v.view), v.expected) << "view " << (&v - views);
        m.Column(1)[2] = -7.0;  // views write through
        EXPECT_EQ(m(2, 1), -7.0);
    }
}

// Resize keeps the upper-left block and fills what it appends, also when the
// block moves (random shapes against a model); too large a shape fails and
// keeps the matrix; a zero dimension is the empty matrix; copies read any order.
TEST(MatrixTest, ShapeChangesAndCopies) {
    for (StorageOrder order : kBothOrders) {
        const StorageOrder other = kBothOrders[order == StorageOrder::ROW_MAJOR];
        Matrix m = Numbered(2, 3, order), target(2, 3, order), wrong(3, 2, -1.0, order);
        ASSERT_TRUE(target.CopyFrom(Numbered(2, 3, other)) && m.Resize(3, 2, -5.0));
        EXPECT_FALSE(wrong.CopyFrom(target) || m.Resize(size_t(1) << 31, 1) || m.Resize(SIZE_MAX, SIZE_MAX));
        EXPECT_EQ(Elements(target), Elements(Numbered(2, 3, order)));
        EXPECT_EQ(Elements(m), (std::vector<double>{0, 1, 10, 11, -5, -5}));
        EXPECT_EQ(Elements(wrong), std::vector<double>(6, -1.0));
        EXPECT_TRUE(Matrix(size_t(1) << 31, 2, order).Empty() && Matrix(0, 5, 1.0, order).Empty());
        std::mt19937 rng(7);
        std::vector<std::vector<double>> model = {{0, 1}, {10, 11}, {-5, -5}};
        for (int step = 0; step < 400; ++step) {
            const size_t rows = rng() % 7, columns = rng() % 7;
            ASSERT_TRUE(m.Resize(rows, columns, double(step)));
            if (rows == 0 || columns == 0) model.clear();
            for (auto& row : model) row.resize(columns, double(step));
            if (rows && columns) model.resize(rows, std::vector<double>(columns, double(step)));
            ASSERT_TRUE(m.Rows() == model.size() && m.Order() == order);
            for (size_t i = 0; i < model.size(); ++i)
                for (size_t j = 0; j < columns; ++j) {
                    ASSERT_EQ(m(i, j), model[i][j]) << "step " << step;
                    m(i, j) = model[i][j] = double(1000 * step + 10 * i + j);  // marks, so that moves show
                }
        }
    }
}

// Every storage order of P, A and B gives the bits of the plain sum over
// increasing k; P may be an operand; other inner sizes leave P alone.
TEST(MultiplyTest, StorageOrdersAliasesAndMismatches) {
    Matrix a(4, 7), b(7, 3), expected(4, 3, 0.0);
    for (size_t k = 0; k < 7; ++k) {
        for (size_t i = 0; i < 4; ++i) a(i, k) = 1.0 / double(i + 2 * k + 3);
        for (size_t j = 0; j < 3; ++j) b(k, j) = std::sqrt(double(k + 5 * j + 1));
        for (size_t i = 0; i < 4; ++i)
            for (size_t j = 0; j < 3; ++j) expected(i, j) += a(i, k) * b(k, j);
    }
    for (StorageOrder po : kBothOrders)
        for (StorageOrder ao : kBothOrders)
            for (StorageOrder bo : kBothOrders) {
                Matrix p(2, 2, 5.0, po), A(4, 7, ao), B(7, 3, bo);
                ASSERT_TRUE(A.CopyFrom(a) && B.CopyFrom(b) && Multiply(p, A, B));
                EXPECT_TRUE(p.Order() == po && Elements(p) == Elements(expected));
            }
    Matrix m = MatrixOf({{1, 2}, {3, 4}}), p(1, 1, 3.0);
    ASSERT_TRUE(Multiply(m, m, MatrixOf({{0, 1}, {1, 0}})) && Multiply(m, m, m));
    EXPECT_EQ(Elements(m), (std::vector<double>{8, 5, 20, 13}));
    EXPECT_FALSE(Multiply(p, Matrix(2, 3), Matrix(2, 3)) || Multiply(p, Matrix(), Matrix(1, 1)));
    EXPECT_EQ(p(0, 0), 3.0);
}

// Square roots of the positive weights only; mismatched shapes change nothing.
TEST(ScaleColumnsTest, RootsOfPositiveWeights) {
    const Matrix v = MatrixOf({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
    Vector w{4.0, 0.0, -1.0}, one{1.0};
    Matrix out(3, 3, StorageOrder::COLUMN_MAJOR), small(1, 3, -1.0);
    ASSERT_TRUE(ScaleColumns(w, v, out));
    EXPECT_EQ(Elements(out), (std::vector<double>{2, 0, -3, 8, 0, -6, 14, 0, -9}));
    EXPECT_FALSE(ScaleColumns(w, v, small) || ScaleColumns(w, small, out) || ScaleColumns(one, v, out));
    EXPECT_TRUE(Values(w) == (std::vector<double>{2, 0, -1}) && Elements(small) == std::vector<double>(3, -1.0));
}

// A row of zeros fails (an all-NaN row counts as one); any other singular
// matrix gets the tiny pivot; NaN scaled candidates never win the pivot, so
// the pivots stay inside the matrix and back substitution can use them.
TEST(LUDecompTest, SmallCases) {
    const struct {
        std::vector<double> a, pivotsAndParity, lu;  // no pivots: fails; no lu: not compared
    } cases[] = {
        {{0, 0, 0, 0}, {}, {}}, {{1, 2, 0, 0}, {}, {}}, {{kNaN, kNaN, kNaN, kNaN}, {}, {}},
        {{1, kInf, kNaN, 0}, {}, {}}, {{1, 2, 2, 4}, {1, 1, -1}, {2, 4, 0.5, kTinyPivot}},
        {{1, 2, 1, 2}, {1, 1, -1}, {1, 2, 1, kTinyPivot}},  // equal pivots: the last row wins
        {{kNaN, 1, kNaN, 2}, {0, 1, 1}, {}}, {{kInf, 1, 1, kInf}, {1, 1, -1}, {}},
        {{kInf, -kInf, kNaN, 1}, {0, 1, 1}, {}},
    };
    for (const auto& c : cases)
        for (StorageOrder order : kBothOrders) {
            SCOPED_TRACE(testing::Message() << "case " << (&c - cases) << (int(order) ? " column-major" : ""));
            TraceCapture trace;
            Matrix a = Square(c.a, order);
            IntVector indx{-99, -99};
            double d = 0.0;
            const bool ok = !c.pivotsAndParity.empty();
            ASSERT_EQ(LUDecomp(a, indx, d), ok);
            EXPECT_EQ(trace.Messages().size(), ok ? 0u : 1u);
            if (!ok) continue;
            EXPECT_EQ((std::vector<double>{double(indx[0]), double(indx[1]), d}), c.pivotsAndParity);
            EXPECT_TRUE(c.lu.empty() || Elements(a) == c.lu);
            Vector b{1.0, 2.0};
            EXPECT_TRUE(LUBackSubstitute(a, indx, b));
        }
}

TEST(LUDecompTest, SizesThatWouldIndexOutsideFailAndTheInverse) {
    IntVector indx(3), shortIndx(1);
    double d = 0.0;
    Matrix empty, tall(3, 2, 1.0), square = MatrixOf({{4, 3}, {6, 3}}), wide = MatrixOf({{4, 3, 99}, {6, 3, 99}});
    EXPECT_TRUE(LUDecomp(empty, indx, d) && d == 1.0);
    EXPECT_FALSE(LUDecomp(tall, indx, d) || LUDecomp(square, shortIndx, d));
    EXPECT_EQ(square(0, 0), 4.0);
    ASSERT_TRUE(LUDecomp(wide, indx, d));  // the extra column is not consulted
    EXPECT_EQ(wide(0, 2), 99.0);
    // Back substitution refuses pivots outside the matrix and short right-hand sides.
    const Matrix a = MatrixOf({{2, 0}, {0, 4}});
    Vector b{2.0, 4.0}, shortB{1.0};
    EXPECT_FALSE(LUBackSubstitute(a, IntVector{0, 2}, b) || LUBackSubstitute(a, IntVector{-1, 1}, b) ||
                 LUBackSubstitute(a, IntVector{0, 1}, shortB));
    ASSERT_TRUE(LUBackSubstitute(a, IntVector{0, 1}, b));
    EXPECT_EQ(Values(b), (std::vector<double>{1, 1}));
    // The inverse in place, failures that leave the target alone, and a huge result through the tiny pivot.
    Matrix m = Square(kReferenceMatrices[0].a), separate(m.Rows(), m.Rows()), inv(2, 2, 7.0), wrongShape(2, 3, 7.0);
    ASSERT_TRUE(Inverse(m, separate) && Inverse(m, m));
    EXPECT_EQ(Elements(m), Elements(separate));
    EXPECT_FALSE(Inverse(MatrixOf({{1, 2}, {0, 0}}), inv) || Inverse(MatrixOf({{1, 0}, {0, 1}}), wrongShape));
    EXPECT_EQ(Elements(inv), std::vector<double>(4, 7.0));
    EXPECT_EQ(Elements(wrongShape), std::vector<double>(6, 7.0));
    ASSERT_TRUE(Inverse(MatrixOf({{1, 2}, {2, 4}}), inv));
    EXPECT_GT(MaxAbs(inv), 1e37);
}

// Bounds in units of n eps max|A|, the inverse's error also times the condition number.
TEST(DecompositionTest, MatchesHighPrecisionReferences) {
    for (const ReferenceMatrix& r : kReferenceMatrices)
        for (StorageOrder order : kBothOrders) {
            SCOPED_TRACE(std::string(r.name) + (int(order) ? " column-major" : " row-major"));
            const Matrix a = Square(r.a, order);
            const double n = double(r.n), unit = n * kEps * MaxAbs(a);
            // L U = P A, with P the row exchanges of indx applied in order.
            Matrix lu(a), l = Identity(r.n), u(r.n, r.n, 0.0), pa(a);
            IntVector indx(r.n);
            double d = 0.0;
            ASSERT_TRUE(LUDecomp(lu, indx, d));
            for (size_t j = 0; j < r.n; ++j) {
                for (size_t k = 0; k < r.n; ++k) std::swap(pa(j, k), pa(size_t(indx[j]), k));
                for (size_t i = 0; i < r.n; ++i) (i > j ? l(i, j) : u(i, j)) = lu(i, j);
            }
            EXPECT_LT(MaxAbsDifference(Product(l, u), pa), 4 * unit) << "L U";
            if (!r.inverse.empty()) {
                Matrix inv(r.n, r.n, order);
                ASSERT_TRUE(Inverse(a, inv));
                const Matrix expected = Square(r.inverse, order);
                EXPECT_LT(MaxAbsDifference(inv, expected), n * r.condition * kEps * MaxAbs(expected)) << "inverse";
                EXPECT_LT(MaxAbsDifference(Product(a, inv), Identity(r.n)), 4 * unit * MaxAbs(inv)) << "A A^-1";
            }
            // A V = U diag(w) and A Z = Z diag(d) with orthogonal U, V and Z; sorted values against the references.
            Matrix svdU(a), v(r.n, r.n, order), z(r.n, r.n, order);
            Vector w(r.n), values(r.n);
            ASSERT_TRUE(SvdDecomp(svdU, w, v));
            EXPECT_LT(MaxAbsDifference(Product(a, v), ScaledColumns(svdU, w)), 8 * unit) << "A V";
            EXPECT_LT(std::max(Orthogonality(svdU), Orthogonality(v)), 8.0) << "U, V";
            std::vector<double> got = Values(w);
            std::sort(got.rbegin(), got.rend());
            for (size_t i = 0; i < r.n; ++i)
                EXPECT_TRUE(w[i] >= 0 && std::fabs(got[i] - r.singularValues[i]) < 8 * n * kEps * got[0]) << "w " << i;
            if (!r.symmetric) continue;
            ASSERT_TRUE(SymmetricEigen(a, values, z));
            EXPECT_LT(MaxAbsDifference(Product(a, z), ScaledColumns(z, values)), 8 * unit) << "A Z";
            EXPECT_LT(Orthogonality(z), 8.0) << "Z";
            got = Values(values);
            std::sort(got.begin(), got.end());
            for (size_t i = 0; i < r.n; ++i) EXPECT_LT(std::fabs(got[i] - r.eigenvalues[i]), 8 * unit) << "d " << i;
        }
}

// Every bit of the textbook sweeps in either storage order (the order of the values, the signs of
// the vectors, every rounding), on which the multivariate generator's numbers depend; likewise the
// 1 x 1 sign flip and two unsorted diagonal cases.
TEST(DecompositionTest, ReproducesTheTextbookSweepsBitForBit) {
    std::vector<SweepReference> all(std::begin(kSweepReferences), std::end(kSweepReferences));
    all.push_back({"4", 1, {4}, {-1}, {4}, {-1}, {}, {}});
    all.push_back({"diag(-2, 1)", 2, {-2, 0, 0, 1}, {-1, 0, 0, -1}, {2, 1}, {1, 0, 0, -1}, {}, {}});
    all.push_back({"diag(1, 3)", 2, {1, 0, 0, 3}, {-1, 0, 0, -1}, {1, 3}, {-1, 0, 0, -1}, {}, {}});
    for (const SweepReference& r : all)
        for (StorageOrder order : kBothOrders) {
            SCOPED_TRACE(r.name);
            Matrix a = Square(r.a, order), v(r.n, r.n, order), z(r.n, r.n, order);
            Vector w(r.n), d(r.n);
            ASSERT_TRUE(SvdDecomp(a, w, v));
            EXPECT_EQ(Values(w), r.w);
            EXPECT_EQ(Elements(v), r.v);
            EXPECT_EQ(Elements(a), r.u);
            if (r.d.empty()) continue;
            ASSERT_TRUE(SymmetricEigen(Square(r.a, order), d, z));
            EXPECT_EQ(Values(d), r.d);
            EXPECT_EQ(Elements(z), r.z);
        }
}

// Non-finite input ends in the iteration failure (a 1 x 1 NaN has nothing to
// iterate); sizes come from w, and from rows(a) for the eigen decomposition.
TEST(DecompositionTest, NonFiniteAndMisSizedInput) {
    for (StorageOrder order : kBothOrders)
        for (size_t n : {2, 3, 5})
            for (double bad : {kNaN, kInf}) {
                TraceCapture trace;
                Matrix a(n, n, 1.0, order), v(n, n, order), z(n, n, order);
                Vector w(n);
                a(n - 1, 0) = bad;
                EXPECT_FALSE(SvdDecomp(a, w, v));
                a.Fill(1.0);
                a(0, n - 1) = a(n - 1, 0) = kNaN;
                EXPECT_FALSE(SymmetricEigen(a, w, z) || SymmetricEigenAbs(a, w, z));
                EXPECT_EQ(trace.Messages().size(), 3u);
            }
    Matrix one = MatrixOf({{kNaN}}), v1(1, 1), empty, small(2, 2, 1.0), v(3, 3), smallV(3, 2), z(2, 2), smallZ(2, 1);
    Vector w1(1), none, w(3), d(2), shortD(1);
    EXPECT_TRUE(SvdDecomp(one, w1, v1) && std::isnan(w1[0]));
    EXPECT_TRUE(SvdDecomp(empty, none, empty));
    EXPECT_FALSE(SvdDecomp(small, w, v) || SvdDecomp(v, w, smallV));
    EXPECT_FALSE(SymmetricEigen(Matrix(), d, z) || SymmetricEigen(Matrix(2, 3), d, z) ||
                 SymmetricEigen(Matrix(2, 2), d, smallZ) || SymmetricEigen(Matrix(2, 2), shortD, z) ||
                 HouseholderTridiagonal(z, shortD, d) || QLWithImplicitShifts(d, d, smallZ));
    EXPECT_TRUE(QLWithImplicitShifts(none, none, empty));
}

TEST(NewtonRaphsonTest, ExitsCountersAndResiduals) {
    constexpr double third = 1.5 - 0.25 / 3;  // the third iterate of x^2 - 2 from 1
    const struct {
        const char* name;
        NewtonSystem f;
        std::vector<double> params, x;
        int32_t maxIterations;
        double tolX, tolF;
        bool ok;
        int32_t iterations, calls;
        std::vector<std::string> messages;
        std::vector<double> finalX, residuals;  // empty: not compared
    } cases[] = {
        // The residuals are those of the last evaluation, before the last step.
        {"x^2 - 2 from 1", Parabola, {2, 0}, {1}, 200, 1e-10, 1e-14, true, kSqrt2Iterations, kSqrt2Iterations, {},
         {kSqrt2Final}, {kSqrt2LastResidual}},
        {"the residual test comes first", Affine, {1, -0.25}, {0.25}, 200, 1e-10, 0, true, 1, 1, {}, {0.25}, {0}},
        {"an all-zero Jacobian row", Affine, {0, 1}, {3}, 200, 1e-10, 1e-14, false, 1, 1,
         {"LUDecomp() the matrix is Singular", "Zr::Math::LUDecomp error in Zr::Math::NewtonRaphson()"}, {3}, {1}},
        {"no iteration allowed", Parabola, {2, 0}, {1}, 0, 1e-10, 1e-14, false, 1, 0, {}, {1}, {}},
        {"a negative limit", Parabola, {2, 0}, {1}, INT32_MIN, 1e-10, 1e-14, false, 1, 0, {}, {1}, {}},
        // x - 1, solved by the first step, but negative or NaN tolerances are never met.
        {"tolerances never met", Affine, {1, -1}, {5}, 200, -1, -1, false, 201, 200, {}, {1}, {0}},
        {"no function", nullptr, {}, {1}, 200, 1e-10, 1e-14, false, 1, 0, {kFunctionError}, {1}, {}},
        {"a failing evaluation", Parabola, {2, 3}, {1}, 200, 1e-10, 1e-14, false, 3, 3, {kFunctionError}, {third},
         {third * third - 2}},
        // An infinite residual can meet a test against an infinite tolerance; still no success.
        {"infinite residual, met on the step", Affine, {1, kInf}, {0}, 200, kInf, -1, false, 1, 1, {}, {-kInf},
         {kInf}},
        {"infinite residual, met on the residual", Affine, {1, kInf}, {0}, 200, -1, kInf, false, 1, 1, {}, {0},
         {kInf}},
        {"a NaN residual meets no test", Affine, {1, kNaN}, {0}, 50, kInf, kInf, false, 51, 50, {}, {}, {}},
        {"a NaN Jacobian column", Affine, {kNaN, 1, kNaN, -1, 0, -1}, {1, 2}, 20, 1e-10, 1e-14, false, 21, 20, {},
         {}, {}},
        {"resized residuals", ShrinksResiduals, {}, {1, 2}, 200, 1e-10, 1e-14, false, 1, 1, {kFunctionError}, {1, 2},
         {}},
        {"an empty system", Affine, {}, {}, 200, 1e-10, 1e-14, true, 1, 1, {}, {}, {}},
        {"x^2 + y^2 = 4, x y = 1", CircleHyperbola, {}, {2, 0.5}, 200, 1e-10, 1e-14, true, 4, 4, {},
         {kCircleHyperbolaRoot[0], kCircleHyperbolaRoot[1]}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_calls = 0;
        TraceCapture trace;
        Vector x, residuals(c.x.size());
        ASSERT_TRUE(x.Assign(ConstVectorView(c.x.data(), c.x.size(), 1)));
        int32_t iterations = -7;
        EXPECT_EQ(NewtonRaphson(x, c.params.data(), c.f, c.maxIterations, &iterations, &residuals, c.tolX, c.tolF),
                  c.ok);
        EXPECT_EQ(iterations, c.iterations);
        EXPECT_EQ(g_calls, c.calls);
        EXPECT_EQ(trace.Messages(), c.messages);
        for (size_t i = 0; i < c.finalX.size(); ++i)  // to the rounding of the reference roots
            EXPECT_TRUE(x[i] == c.finalX[i] || std::fabs(x[i] - c.finalX[i]) <= 4e-16 * std::fabs(c.finalX[i])) << i;
        EXPECT_TRUE(c.residuals.empty() || Values(residuals) == c.residuals) << "r: " << residuals[0];
    }
}

TEST(NewtonRaphsonTest, SingularJacobianAndOptionalOutputs) {
    int32_t iterations = 0;
    // A singular Jacobian whose rows are not zero: through the tiny pivot a
    // huge step, and the next evaluation is there.
    const double singular[] = {1, 1, 1, 1, -1, -2};
    Vector y{1.0, 0.0}, z{1.0, 0.0};
    EXPECT_FALSE(NewtonRaphson(y, singular, Affine, 1, &iterations, nullptr, 1e-10, 1e-14));
    EXPECT_EQ(iterations, 2);
    EXPECT_GT(std::fabs(y[1]), 1e37);
    NewtonRaphson(z, singular, Affine, 2, &iterations, nullptr, 1e-10, 1e-14);
    EXPECT_EQ(g_lastY, y[1]);
    // Residuals of another size are refused before anything else; both outputs are optional.
    const double two[] = {2, 0};
    Vector one{1.0}, residuals{5.0, 5.0};
    g_calls = 0;
    iterations = -7;
    EXPECT_FALSE(NewtonRaphson(one, two, Parabola, 200, &iterations, &residuals, 1e-10, 1e-14));
    EXPECT_TRUE(iterations == -7 && g_calls == 0);
    EXPECT_EQ(Values(residuals), (std::vector<double>{5, 5}));
    EXPECT_TRUE(NewtonRaphson(one, two, Parabola, 200, nullptr, nullptr, 1e-10, 1e-14));
    EXPECT_EQ(one[0], kSqrt2Final);
}
