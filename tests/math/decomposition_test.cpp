// LU decomposition and inverse, SVD and symmetric eigen decomposition: small
// cases, accuracy against high-precision references, the exact bits of the
// textbook sweeps, and non-finite or mis-sized input.
#include "linear_algebra_support.h"
#include "math/lu_decomposition.h"
#include "math/matrix_products.h"
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
#include "data/decomposition_reference.inc"

struct SweepReference {
    const char* name;
    size_t n;
    std::vector<double> a, u, w, v, d, z;
};
#include "data/sweep_reference.inc"

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

Matrix Product(const Matrix& a, const Matrix& b) {
    Matrix p;
    EXPECT_TRUE(Multiply(p, a, b));
    return p;
}

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

}  // namespace

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
            double d = 0.0, parity = 1.0;
            ASSERT_TRUE(LUDecomp(lu, indx, d));
            for (size_t j = 0; j < r.n; ++j) {
                for (size_t k = 0; k < r.n; ++k) std::swap(pa(j, k), pa(size_t(indx[j]), k));
                if (size_t(indx[j]) != j) parity = -parity;
                for (size_t i = 0; i < r.n; ++i) (i > j ? l(i, j) : u(i, j)) = lu(i, j);
            }
            EXPECT_EQ(d, parity);
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

// Every bit of the textbook sweeps in either storage order: the order of the
// values, the signs of the vectors and every rounding, on which the
// multivariate generator's numbers depend. Likewise the 1 x 1 sign flip and
// two unsorted diagonal cases.
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
                EXPECT_EQ(trace.Messages(), (std::vector<std::string>{
                                                "SvdDecomp() no convergence in 30 svdcmp iterations",
                                                "Zr::Math::QLWithImplicitShifts() too many iterations",
                                                "Zr::Math::QLWithImplicitShifts() too many iterations"}));
            }
    Matrix one = MatrixOf({{kNaN}}), v1(1, 1), empty, small(2, 2, 1.0), v(3, 3), smallV(3, 2), z(2, 2), smallZ(2, 1);
    Vector w1(1), none, w(3), d(2), shortD(1);
    EXPECT_TRUE(SvdDecomp(one, w1, v1) && std::isnan(w1[0]));
    EXPECT_TRUE(SvdDecomp(empty, none, empty));
    EXPECT_FALSE(SvdDecomp(small, w, v) || SvdDecomp(v, w, smallV));
    // A larger a is worked on in its upper-left n x n block.
    Matrix big = MatrixOf({{-2, 0, 5}, {0, 1, 5}, {5, 5, 5}});
    ASSERT_TRUE(SvdDecomp(big, d, z));
    EXPECT_EQ(Values(d), (std::vector<double>{2, 1}));
    EXPECT_EQ(Values(big.Row(2)), (std::vector<double>{5, 5, 5}));
    EXPECT_FALSE(SymmetricEigen(Matrix(), d, z) || SymmetricEigen(Matrix(2, 3), d, z) ||
                 SymmetricEigen(Matrix(2, 2), d, smallZ) || SymmetricEigen(Matrix(2, 2), shortD, z) ||
                 HouseholderTridiagonal(z, shortD, d) || QLWithImplicitShifts(d, d, smallZ));
    EXPECT_TRUE(QLWithImplicitShifts(none, none, empty));
}
