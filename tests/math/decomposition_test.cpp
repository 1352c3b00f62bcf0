// LU decomposition and inverse, SVD and symmetric eigen decomposition: the
// fixed results of small cases, reconstruction and accuracy against
// high-precision references, and non-finite or mis-sized input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "linear_algebra_support.h"
#include "math/lu_decomposition.h"
#include "math/matrix.h"
#include "math/matrix_products.h"
#include "math/svd.h"
#include "math/symmetric_eigen.h"
#include "math/vector.h"

using namespace Zr::Math;
using namespace Zr::Testing;

namespace {

struct ReferenceMatrix {
    const char* name;
    size_t n;
    bool symmetric;
    double condition;
    std::vector<double> a;
    std::vector<double> singularValues;  // descending
    std::vector<double> eigenvalues;     // ascending; symmetric matrices only
    std::vector<double> inverse;         // row-major; condition below 1e14 only
};

#include "data/decomposition_reference.inc"

// Exact results of the textbook sweeps, replayed in IEEE double.
struct SweepReference {
    const char* name;
    size_t n;
    std::vector<double> a;
    std::vector<double> u, w, v;  // SVD
    std::vector<double> d, z;     // symmetric eigen decomposition; empty otherwise
};

#include "data/sweep_reference.inc"

constexpr double kEps = std::numeric_limits<double>::epsilon();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

const char* const kLUMessage = "LUDecomp() the matrix is Singular";
const char* const kSvdMessage = "SvdDecomp() no convergence in 30 svdcmp iterations";
const char* const kQLMessage = "Zr::Math::QLWithImplicitShifts() too many iterations";

Matrix Reference(const ReferenceMatrix& r, StorageOrder order) { return SquareFromRowMajor(r.a, r.n, order); }

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

Matrix Diagonal(const Vector& d) {
    Matrix m(d.Size(), d.Size(), 0.0);
    for (size_t i = 0; i < d.Size(); ++i) m(i, i) = d[i];
    return m;
}

std::vector<double> Sorted(const Vector& v, bool descending) {
    std::vector<double> s(v.begin(), v.end());
    std::sort(s.begin(), s.end());
    if (descending) std::reverse(s.begin(), s.end());
    return s;
}

std::vector<double> Values(ConstVectorView v) {
    std::vector<double> out;
    for (size_t i = 0; i < v.Size(); ++i) out.push_back(v[i]);
    return out;
}

// The worst error of a test group, in units of its scale, printed once.
class WorstError {
public:
    explicit WorstError(const char* what) : what_(what) {}
    ~WorstError() { std::printf("[ measured ] %s: %.3g (in %s)\n", what_, worst_, where_.c_str()); }
    void Add(double error, const std::string& where) {
        if (error >= worst_) {
            worst_ = error;
            where_ = where;
        }
    }

private:
    const char* what_;
    double worst_ = 0.0;
    std::string where_;
};

std::string CaseName(const ReferenceMatrix& r, StorageOrder order) {
    return std::string(r.name) + (order == StorageOrder::COLUMN_MAJOR ? " column-major" : " row-major");
}

}  // namespace

// --- LUDecomp ----------------------------------------------------------------

TEST(LUDecompTest, AllZeroRowFailsWithTheSingularMessage) {
    TraceCapture trace;
    Matrix a = MatrixOf({{0, 0}, {0, 0}});
    IntVector indx(2);
    double d = 0.0;
    EXPECT_FALSE(LUDecomp(a, indx, d));
    EXPECT_EQ(trace.Messages(), std::vector<std::string>{kLUMessage});
    Matrix b = MatrixOf({{1, 2}, {0, 0}});
    EXPECT_FALSE(LUDecomp(b, indx, d));
}

TEST(LUDecompTest, SingularMatrixWithoutZeroRowGetsTheTinyPivot) {
    for (StorageOrder order : kBothOrders) {
        TraceCapture trace;
        Matrix a = MatrixOf({{1, 2}, {2, 4}}, order);
        IntVector indx(2);
        double d = 0.0;
        ASSERT_TRUE(LUDecomp(a, indx, d));
        EXPECT_EQ(indx[0], 1);
        EXPECT_EQ(indx[1], 1);
        EXPECT_EQ(d, -1.0);
        EXPECT_EQ(Elements(a), (std::vector<double>{2, 4, 0.5, 1.1754943508222875e-38}));
        EXPECT_TRUE(trace.Messages().empty());
    }
}

TEST(LUDecompTest, AmongEqualPivotsTheLastRowWins) {
    Matrix a = MatrixOf({{1, 2}, {1, 2}});
    IntVector indx(2);
    double d = 0.0;
    ASSERT_TRUE(LUDecomp(a, indx, d));
    EXPECT_EQ(indx[0], 1);
    EXPECT_EQ(indx[1], 1);
    EXPECT_EQ(d, -1.0);
    EXPECT_EQ(a(1, 1), kTinyPivot);
}

TEST(LUDecompTest, EmptyMatrixSucceedsWithEvenParity) {
    Matrix a;
    IntVector indx;
    double d = 0.0;
    EXPECT_TRUE(LUDecomp(a, indx, d));
    EXPECT_EQ(d, 1.0);
}

// Every scaled candidate in column 0 is NaN: the pivot stays on the diagonal
// instead of an unset row index.
TEST(LUDecompTest, NaNColumnKeepsThePivotOnTheDiagonal) {
    for (StorageOrder order : kBothOrders) {
        Matrix a = MatrixOf({{kNaN, 1}, {kNaN, 2}, }, order);
        IntVector indx{-99, -99};
        double d = 0.0;
        ASSERT_TRUE(LUDecomp(a, indx, d));
        EXPECT_EQ(indx[0], 0);
        EXPECT_EQ(indx[1], 1);
        EXPECT_EQ(d, 1.0);
        Vector b{1.0, 1.0};
        ASSERT_TRUE(LUBackSubstitute(a, indx, b));
        EXPECT_TRUE(std::isnan(b[0]));
    }
}

TEST(LUDecompTest, NonFiniteMatricesFinishWithPivotsInRange) {
    const double cases[][4] = {{kNaN, kNaN, kNaN, kNaN}, {kInf, 1, 1, kInf}, {kInf, -kInf, kNaN, 1}, {1, kInf, kNaN, 0}};
    for (const auto& values : cases) {
        Matrix a = MatrixOf({{values[0], values[1]}, {values[2], values[3]}});
        IntVector indx{-1, -1};
        double d = 0.0;
        if (!LUDecomp(a, indx, d)) continue;  // an all-NaN row counts as zero
        for (int32_t p : indx) EXPECT_TRUE(p == 0 || p == 1);
        Vector b{1.0, 2.0};
        EXPECT_TRUE(LUBackSubstitute(a, indx, b));
    }
}

TEST(LUDecompTest, SizesThatWouldIndexOutsideFail) {
    IntVector indx(3);
    double d = 0.0;
    Matrix tall(3, 2, 1.0);
    EXPECT_FALSE(LUDecomp(tall, indx, d));
    Matrix square = MatrixOf({{4, 3}, {6, 3}});
    IntVector shortIndx(1);
    EXPECT_FALSE(LUDecomp(square, shortIndx, d));
    EXPECT_EQ(square(0, 0), 4.0);
    // Extra columns are not consulted: the left 2 x 2 block is factorised.
    Matrix wide = MatrixOf({{4, 3, 99}, {6, 3, 99}});
    ASSERT_TRUE(LUDecomp(wide, indx, d));
    EXPECT_EQ(wide(0, 2), 99.0);
}

TEST(LUBackSubstituteTest, RefusesPivotsOutsideTheMatrixAndShortVectors) {
    Matrix a = MatrixOf({{2, 0}, {0, 4}});
    Vector b{2.0, 4.0};
    IntVector bad{0, 2};
    EXPECT_FALSE(LUBackSubstitute(a, bad, b));
    IntVector negative{-1, 1};
    EXPECT_FALSE(LUBackSubstitute(a, negative, b));
    EXPECT_EQ(std::vector<double>(b.begin(), b.end()), (std::vector<double>{2, 4}));
    IntVector good{0, 1};
    Vector shortB{1.0};
    EXPECT_FALSE(LUBackSubstitute(a, good, shortB));
    ASSERT_TRUE(LUBackSubstitute(a, good, b));
    EXPECT_EQ(std::vector<double>(b.begin(), b.end()), (std::vector<double>{1, 1}));
}

// L U = P A, with P the row exchanges of indx applied in order.
TEST(LUDecompTest, FactorsReproduceThePermutedMatrix) {
    WorstError worst("LU: max |L U - P A| / (n eps max|A|)");
    for (const ReferenceMatrix& r : kReferenceMatrices)
        for (StorageOrder order : kBothOrders) {
            const Matrix a = Reference(r, order);
            Matrix lu(a);
            IntVector indx(r.n);
            double d = 0.0;
            ASSERT_TRUE(LUDecomp(lu, indx, d)) << r.name;
            Matrix l = Identity(r.n), u(r.n, r.n, 0.0), pa(a);
            double parity = 1.0;
            for (size_t j = 0; j < r.n; ++j) {
                for (size_t k = 0; k < r.n; ++k) std::swap(pa(j, k), pa(size_t(indx[j]), k));
                if (size_t(indx[j]) != j) parity = -parity;
                for (size_t i = 0; i < r.n; ++i) (i > j ? l(i, j) : u(i, j)) = lu(i, j);
            }
            EXPECT_EQ(d, parity);
            const double error = MaxAbsDifference(Product(l, u), pa) / (double(r.n) * kEps * MaxAbs(a));
            worst.Add(error, CaseName(r, order));
            EXPECT_LT(error, 4.0) << CaseName(r, order);
        }
}

// --- Inverse -----------------------------------------------------------------

TEST(InverseTest, MatchesHighPrecisionInverses) {
    WorstError relative("Inverse: max error / max|reference inverse|");
    WorstError scaled("Inverse: the same / (n cond eps)");
    WorstError residual("Inverse: max |A A^-1 - I| / (n eps max|A| max|A^-1|)");
    for (const ReferenceMatrix& r : kReferenceMatrices) {
        if (r.inverse.empty()) continue;
        for (StorageOrder order : kBothOrders) {
            const Matrix a = Reference(r, order);
            Matrix inv(r.n, r.n, order);
            ASSERT_TRUE(Inverse(a, inv)) << r.name;
            const Matrix expected = SquareFromRowMajor(r.inverse, r.n, order);
            const double error = MaxAbsDifference(inv, expected) / MaxAbs(expected);
            relative.Add(error, CaseName(r, order));
            scaled.Add(error / (double(r.n) * r.condition * kEps), CaseName(r, order));
            EXPECT_LT(error, double(r.n) * r.condition * kEps) << CaseName(r, order);
            const double off = MaxAbsDifference(Product(a, inv), Identity(r.n)) /
                               (double(r.n) * kEps * MaxAbs(a) * MaxAbs(inv));
            residual.Add(off, CaseName(r, order));
            EXPECT_LT(off, 4.0) << CaseName(r, order);
        }
    }
}

TEST(InverseTest, InPlaceGivesTheSameBits) {
    const ReferenceMatrix& r = kReferenceMatrices[0];
    ASSERT_EQ(r.n, 3u);
    Matrix a = Reference(r, StorageOrder::ROW_MAJOR);
    Matrix separate(3, 3);
    ASSERT_TRUE(Inverse(a, separate));
    ASSERT_TRUE(Inverse(a, a));
    EXPECT_EQ(Elements(a), Elements(separate));
}

TEST(InverseTest, FailuresLeaveTheTargetAlone) {
    TraceCapture trace;
    Matrix zeroRow = MatrixOf({{1, 2}, {0, 0}});
    Matrix inv(2, 2, 7.0);
    EXPECT_FALSE(Inverse(zeroRow, inv));
    EXPECT_EQ(trace.Messages(), std::vector<std::string>{kLUMessage});  // none of its own
    Matrix wrongShape(2, 3, 7.0);
    EXPECT_FALSE(Inverse(MatrixOf({{1, 0}, {0, 1}}), wrongShape));
    EXPECT_EQ(Elements(inv), std::vector<double>(4, 7.0));
    EXPECT_EQ(Elements(wrongShape), std::vector<double>(6, 7.0));
}

TEST(InverseTest, SingularMatrixWithNonZeroRowsGivesHugeValues) {
    Matrix inv(2, 2);
    ASSERT_TRUE(Inverse(MatrixOf({{1, 2}, {2, 4}}), inv));
    EXPECT_GT(MaxAbs(inv), 1e37);
}

// --- SvdDecomp ---------------------------------------------------------------

TEST(SvdDecompTest, OneByOneNegativeFlipsTheVector) {
    Matrix a = MatrixOf({{4}});
    Vector w(1);
    Matrix v(1, 1);
    ASSERT_TRUE(SvdDecomp(a, w, v));
    EXPECT_EQ(w[0], 4.0);
    EXPECT_EQ(v(0, 0), -1.0);
    EXPECT_EQ(a(0, 0), -1.0);
}

TEST(SvdDecompTest, SignConventionAndNoSorting) {
    for (StorageOrder order : kBothOrders) {
        Matrix a = MatrixOf({{-2, 0}, {0, 1}}, order);
        Vector w(2);
        Matrix v(2, 2, order);
        ASSERT_TRUE(SvdDecomp(a, w, v));
        EXPECT_EQ(Values(w), (std::vector<double>{2, 1}));
        EXPECT_EQ(Elements(v), (std::vector<double>{1, 0, 0, -1}));

        Matrix b = MatrixOf({{1, 0}, {0, 3}}, order);
        ASSERT_TRUE(SvdDecomp(b, w, v));
        EXPECT_EQ(Values(w), (std::vector<double>{1, 3}));  // ascending: not sorted
        EXPECT_EQ(Elements(v), (std::vector<double>{-1, 0, 0, -1}));
    }
}

TEST(SvdDecompTest, NaNFailsAfterTheSweepLimit) {
    for (StorageOrder order : kBothOrders)
        for (size_t n : {2, 3, 5}) {
            TraceCapture trace;
            Matrix a(n, n, 1.0, order);
            a(n - 1, 0) = kNaN;
            Vector w(n);
            Matrix v(n, n, order);
            EXPECT_FALSE(SvdDecomp(a, w, v));
            EXPECT_EQ(trace.Messages(), std::vector<std::string>{kSvdMessage});
        }
}

TEST(SvdDecompTest, InfinityFailsLikeNaN) {
    TraceCapture trace;
    Matrix a = MatrixOf({{kInf, 1}, {1, 2}});
    Vector w(2);
    Matrix v(2, 2);
    EXPECT_FALSE(SvdDecomp(a, w, v));
    EXPECT_EQ(trace.Messages(), std::vector<std::string>{kSvdMessage});
}

TEST(SvdDecompTest, OneByOneNaNSucceeds) {
    Matrix a = MatrixOf({{kNaN}});
    Vector w(1);
    Matrix v(1, 1);
    EXPECT_TRUE(SvdDecomp(a, w, v));
    EXPECT_TRUE(std::isnan(w[0]));
}

TEST(SvdDecompTest, SizesComeFromW) {
    Matrix empty;
    Vector none;
    EXPECT_TRUE(SvdDecomp(empty, none, empty));
    Vector w(3);
    Matrix small(2, 2, 1.0), v(3, 3);
    EXPECT_FALSE(SvdDecomp(small, w, v));
    Matrix a(3, 3, 1.0), smallV(3, 2);
    EXPECT_FALSE(SvdDecomp(a, w, smallV));
    // A larger a is worked on in its upper-left n x n block.
    Matrix big = MatrixOf({{-2, 0, 5}, {0, 1, 5}, {5, 5, 5}});
    Vector w2(2);
    Matrix v2(2, 2);
    ASSERT_TRUE(SvdDecomp(big, w2, v2));
    EXPECT_EQ(Values(w2), (std::vector<double>{2, 1}));
    EXPECT_EQ(Values(big.Row(2)), (std::vector<double>{5, 5, 5}));
}

TEST(SvdDecompTest, ReconstructsAndMatchesHighPrecisionSingularValues) {
    WorstError reconstruction("SVD: max |U W V^T - A| / (n eps max|A|)");
    WorstError orthogonality("SVD: max |U^T U - I|, |V^T V - I| / (n eps)");
    WorstError values("SVD: max |w - reference| / (n eps max w)");
    WorstError relative("SVD: max relative error of w, condition below 1e3");
    for (const ReferenceMatrix& r : kReferenceMatrices) {
        Matrix rowMajorU;
        for (StorageOrder order : kBothOrders) {
            const std::string where = CaseName(r, order);
            const Matrix a = Reference(r, order);
            Matrix u(a), v(r.n, r.n, order);
            Vector w(r.n);
            ASSERT_TRUE(SvdDecomp(u, w, v)) << where;
            const double n = double(r.n);
            const double recon = MaxAbsDifference(Product(Product(u, Diagonal(w)), Transposed(v)), a) /
                                 (n * kEps * MaxAbs(a));
            reconstruction.Add(recon, where);
            EXPECT_LT(recon, 8.0) << where;
            const double orth = std::max(MaxAbsDifference(Product(Transposed(u), u), Identity(r.n)),
                                         MaxAbsDifference(Product(Transposed(v), v), Identity(r.n))) /
                                (n * kEps);
            orthogonality.Add(orth, where);
            EXPECT_LT(orth, 8.0) << where;
            const std::vector<double> got = Sorted(w, true);
            for (size_t i = 0; i < r.n; ++i) {
                EXPECT_GE(w[i], 0.0) << where;
                const double error = std::fabs(got[i] - r.singularValues[i]);
                values.Add(error / (n * kEps * got[0]), where);
                EXPECT_LT(error, 8.0 * n * kEps * got[0]) << where;
                if (r.condition < 1e3) relative.Add(error / r.singularValues[i], where);
            }
            // The storage order never changes the numbers.
            if (order == StorageOrder::ROW_MAJOR) rowMajorU = u;
            else EXPECT_EQ(Elements(u), Elements(rowMajorU)) << where;
        }
    }
}

// The exact bits of the textbook sweeps: order of the values, signs of the
// vectors and every rounding, on which the multivariate generator's numbers
// depend.
TEST(SvdDecompTest, ReproducesTheTextbookSweepsBitForBit) {
    for (const SweepReference& r : kSweepReferences)
        for (StorageOrder order : kBothOrders) {
            Matrix a = SquareFromRowMajor(r.a, r.n, order);
            Vector w(r.n);
            Matrix v(r.n, r.n, order);
            ASSERT_TRUE(SvdDecomp(a, w, v)) << r.name;
            EXPECT_EQ(Values(w), r.w) << r.name;
            EXPECT_EQ(Elements(v), r.v) << r.name;
            EXPECT_EQ(Elements(a), r.u) << r.name;
        }
}

// --- Symmetric eigen decomposition ---------------------------------------------

TEST(SymmetricEigenTest, SwapMatrixGivesUnsortedValuesAndFixedSigns) {
    const double h = 1.0 / std::sqrt(2.0);
    const Matrix a = MatrixOf({{0, 1}, {1, 0}});
    Vector d(2);
    Matrix z(2, 2);
    ASSERT_TRUE(SymmetricEigen(a, d, z));
    EXPECT_NEAR(d[0], -1.0, 4 * kEps);
    EXPECT_NEAR(d[1], 1.0, 4 * kEps);
    EXPECT_NEAR(z(0, 0), h, 4 * kEps);
    EXPECT_NEAR(z(1, 0), -h, 4 * kEps);
    EXPECT_NEAR(z(0, 1), h, 4 * kEps);
    EXPECT_NEAR(z(1, 1), h, 4 * kEps);

    Vector abs(2);
    Matrix zAbs(2, 2);
    ASSERT_TRUE(SymmetricEigenAbs(a, abs, zAbs));
    EXPECT_NEAR(abs[0], 1.0, 4 * kEps);
    EXPECT_NEAR(abs[1], 1.0, 4 * kEps);
    EXPECT_EQ(Elements(zAbs), Elements(z));
    EXPECT_EQ(Elements(a), (std::vector<double>{0, 1, 1, 0}));  // a untouched
}

TEST(SymmetricEigenTest, KeepsTheSweepOrder) {
    Vector d(2);
    Matrix z(2, 2);
    ASSERT_TRUE(SymmetricEigen(MatrixOf({{2, 1}, {1, 2}}), d, z));
    EXPECT_NEAR(d[0], 1.0, 8 * kEps);
    EXPECT_NEAR(d[1], 3.0, 8 * kEps);
}

TEST(SymmetricEigenTest, NaNFailsAfterTheSweepLimit) {
    for (StorageOrder order : kBothOrders)
        for (size_t n : {2, 4}) {
            TraceCapture trace;
            Matrix a(n, n, 1.0, order);
            a(0, n - 1) = a(n - 1, 0) = kNaN;
            Vector d(n);
            Matrix z(n, n, order);
            EXPECT_FALSE(SymmetricEigen(a, d, z));
            EXPECT_FALSE(SymmetricEigenAbs(a, d, z));
            EXPECT_EQ(trace.Messages(), std::vector<std::string>(2, kQLMessage));
        }
}

TEST(SymmetricEigenTest, EmptyOrMisSizedOperandsFail) {
    Vector d(2);
    Matrix z(2, 2);
    EXPECT_FALSE(SymmetricEigen(Matrix(), d, z));
    EXPECT_FALSE(SymmetricEigen(Matrix(2, 3), d, z));
    Matrix smallZ(2, 1);
    EXPECT_FALSE(SymmetricEigen(Matrix(2, 2), d, smallZ));
    Vector shortD(1);
    EXPECT_FALSE(SymmetricEigen(Matrix(2, 2), shortD, z));
    EXPECT_FALSE(HouseholderTridiagonal(z, shortD, d));
    EXPECT_FALSE(QLWithImplicitShifts(d, d, smallZ));
    Matrix none;
    Vector empty;
    EXPECT_TRUE(QLWithImplicitShifts(empty, empty, none));
}

TEST(SymmetricEigenTest, ReconstructsAndMatchesHighPrecisionEigenvalues) {
    WorstError reconstruction("Eigen: max |A Z - Z diag(d)| / (n eps max|A|)");
    WorstError orthogonality("Eigen: max |Z^T Z - I| / (n eps)");
    WorstError values("Eigen: max |d - reference| / (n eps max|A|)");
    for (const ReferenceMatrix& r : kReferenceMatrices) {
        if (!r.symmetric) continue;
        Matrix rowMajorZ;
        for (StorageOrder order : kBothOrders) {
            const std::string where = CaseName(r, order);
            const Matrix a = Reference(r, order);
            Vector d(r.n);
            Matrix z(r.n, r.n, order);
            ASSERT_TRUE(SymmetricEigen(a, d, z)) << where;
            const double scale = double(r.n) * kEps * MaxAbs(a);
            const double recon = MaxAbsDifference(Product(a, z), Product(z, Diagonal(d))) / scale;
            reconstruction.Add(recon, where);
            EXPECT_LT(recon, 8.0) << where;
            const double orth = MaxAbsDifference(Product(Transposed(z), z), Identity(r.n)) / (double(r.n) * kEps);
            orthogonality.Add(orth, where);
            EXPECT_LT(orth, 8.0) << where;
            const std::vector<double> got = Sorted(d, false);
            for (size_t i = 0; i < r.n; ++i) {
                const double error = std::fabs(got[i] - r.eigenvalues[i]) / scale;
                values.Add(error, where);
                EXPECT_LT(error, 8.0) << where;
            }
            if (order == StorageOrder::ROW_MAJOR) rowMajorZ = z;
            else EXPECT_EQ(Elements(z), Elements(rowMajorZ)) << where;
        }
    }
}

TEST(SymmetricEigenTest, ReproducesTheTextbookSweepsBitForBit) {
    for (const SweepReference& r : kSweepReferences) {
        if (r.d.empty()) continue;
        for (StorageOrder order : kBothOrders) {
            Vector d(r.n);
            Matrix z(r.n, r.n, order);
            ASSERT_TRUE(SymmetricEigen(SquareFromRowMajor(r.a, r.n, order), d, z)) << r.name;
            EXPECT_EQ(Values(d), r.d) << r.name;
            EXPECT_EQ(Elements(z), r.z) << r.name;
        }
    }
}

// Negative eigenvalues made positive: Z diag(|d|) Z^T is the matrix's
// absolute value, and ScaleColumns forms its square root.
TEST(SymmetricEigenTest, AbsoluteValuesGiveASquareRootThroughScaleColumns) {
    const ReferenceMatrix* indefinite = nullptr;
    for (const ReferenceMatrix& r : kReferenceMatrices)
        if (std::string(r.name) == "indefinite5") indefinite = &r;
    ASSERT_NE(indefinite, nullptr);
    const Matrix a = Reference(*indefinite, StorageOrder::COLUMN_MAJOR);
    Vector d(5);
    Matrix z(5, 5, StorageOrder::COLUMN_MAJOR);
    ASSERT_TRUE(SymmetricEigenAbs(a, d, z));
    std::vector<double> expected;
    for (double e : indefinite->eigenvalues) expected.push_back(std::fabs(e));
    std::sort(expected.begin(), expected.end());
    const std::vector<double> got = Sorted(d, false);
    for (size_t i = 0; i < 5; ++i) EXPECT_NEAR(got[i], expected[i], 64 * kEps);
    // |A|^2 = A^2, so L L^T with L = Z diag(sqrt|d|) squares to A A.
    Matrix l(5, 5);
    ASSERT_TRUE(ScaleColumns(d, z, l));
    const Matrix absA = Product(l, Transposed(l));
    EXPECT_LT(MaxAbsDifference(Product(absA, absA), Product(a, a)), 64 * kEps * MaxAbs(Product(a, a)));
}

// The QL sweeps alone on the second-difference matrix, whose eigenvalues
// are known in closed form: 2 - 2 cos(k pi / (n + 1)).
TEST(QLWithImplicitShiftsTest, SecondDifferenceMatrix) {
    const size_t n = 12;
    Vector d(n), e(n);
    for (size_t i = 0; i < n; ++i) {
        d[i] = 2.0;
        e[i] = i == 0 ? 0.0 : -1.0;
    }
    Matrix z(n, n, 0.0);
    for (size_t i = 0; i < n; ++i) z(i, i) = 1.0;
    ASSERT_TRUE(QLWithImplicitShifts(d, e, z));
    const std::vector<double> got = Sorted(d, false);
    for (size_t k = 1; k <= n; ++k)
        EXPECT_NEAR(got[k - 1], 2.0 - 2.0 * std::cos(double(k) * std::numbers::pi / double(n + 1)), 16 * kEps);
}

// Q^T A Q is the tridiagonal matrix (d, e[1..n-1]).
TEST(HouseholderTridiagonalTest, ReducesToTridiagonalForm) {
    for (const ReferenceMatrix& r : kReferenceMatrices) {
        if (!r.symmetric) continue;
        const Matrix a = Reference(r, StorageOrder::ROW_MAJOR);
        Matrix q(a);
        Vector d(r.n), e(r.n);
        ASSERT_TRUE(HouseholderTridiagonal(q, d, e));
        EXPECT_EQ(e[0], 0.0);
        Matrix t(r.n, r.n, 0.0);
        for (size_t i = 0; i < r.n; ++i) {
            t(i, i) = d[i];
            if (i > 0) t(i, i - 1) = t(i - 1, i) = e[i];
        }
        const double error = MaxAbsDifference(Product(Product(Transposed(q), a), q), t);
        EXPECT_LT(error, 8.0 * double(r.n) * kEps * MaxAbs(a)) << r.name;
    }
}
