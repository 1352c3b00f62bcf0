// Matrix storage, shape changes, views, vectors and products.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "linear_algebra_support.h"
#include "math/matrix.h"
#include "math/matrix_products.h"
#include "math/vector.h"

using namespace Zr::Math;
using namespace Zr::Testing;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// (i, j) -> 10 i + j, so every element names its place.
Matrix Numbered(size_t rows, size_t columns, StorageOrder order) {
    Matrix m(rows, columns, order);
    for (size_t i = 0; i < rows; ++i)
        for (size_t j = 0; j < columns; ++j) m(i, j) = 10.0 * double(i) + double(j);
    return m;
}

// Every element of m: (i, j) -> 10 i + j inside the kept block, `fill` outside.
void ExpectKeptAndFilled(const Matrix& m, size_t keptRows, size_t keptColumns, double fill) {
    for (size_t i = 0; i < m.Rows(); ++i)
        for (size_t j = 0; j < m.Columns(); ++j) {
            const double expected = i < keptRows && j < keptColumns ? 10.0 * double(i) + double(j) : fill;
            ASSERT_EQ(m(i, j), expected) << "(" << i << ", " << j << ")";
        }
}

class MatrixOrderTest : public ::testing::TestWithParam<StorageOrder> {
protected:
    StorageOrder Order() const { return GetParam(); }
    bool ColumnMajor() const { return Order() == StorageOrder::COLUMN_MAJOR; }
};

INSTANTIATE_TEST_SUITE_P(BothOrders, MatrixOrderTest, ::testing::ValuesIn(kBothOrders));

}  // namespace

// --- Storage -----------------------------------------------------------------

TEST_P(MatrixOrderTest, StridesAddressEveryElement) {
    Matrix m = Numbered(3, 4, Order());
    EXPECT_EQ(m.IsColumnMajor(), ColumnMajor());
    EXPECT_EQ(m.RowStride(), ColumnMajor() ? 1 : 4);
    EXPECT_EQ(m.ColumnStride(), ColumnMajor() ? 3 : 1);
    for (size_t i = 0; i < 3; ++i)
        for (size_t j = 0; j < 4; ++j) EXPECT_EQ(m.Data()[i * m.RowStride() + j * m.ColumnStride()], m(i, j));
}

TEST_P(MatrixOrderTest, SizedConstructionFills) {
    Matrix zeros(2, 3, Order());
    Matrix sevens(2, 3, 7.0, Order());
    EXPECT_EQ(Elements(zeros), std::vector<double>(6, 0.0));
    EXPECT_EQ(Elements(sevens), std::vector<double>(6, 7.0));
    EXPECT_EQ(sevens.Order(), Order());
}

TEST_P(MatrixOrderTest, ZeroDimensionIsTheEmptyMatrix) {
    Matrix m(0, 5, 1.0, Order());
    EXPECT_TRUE(m.Empty());
    EXPECT_EQ(m.Columns(), 0u);
    Matrix n = Numbered(2, 2, Order());
    EXPECT_TRUE(n.Resize(2, 0));
    EXPECT_EQ(n.Rows(), 0u);
    EXPECT_EQ(n.Columns(), 0u);
    EXPECT_EQ(n.Order(), Order());
}

TEST_P(MatrixOrderTest, CopiesAreDeepAndKeepTheOrder) {
    Matrix a = Numbered(2, 3, Order());
    Matrix b(a);
    b(0, 0) = -1.0;
    EXPECT_EQ(a(0, 0), 0.0);
    EXPECT_EQ(b.Order(), Order());
    Matrix c(StorageOrder::ROW_MAJOR);
    c = a;
    EXPECT_EQ(c.Order(), Order());
    EXPECT_EQ(Elements(c), Elements(a));
    Matrix d(std::move(b));
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(d(0, 0), -1.0);
}

// --- Shape changes ---------------------------------------------------------

TEST_P(MatrixOrderTest, ResizeKeepsTheUpperLeftBlockAndAppendsAFilledRow) {
    Matrix m = Numbered(2, 3, Order());
    ASSERT_TRUE(m.Resize(3, 2, -5.0));
    EXPECT_EQ(m.Rows(), 3u);
    EXPECT_EQ(m.Columns(), 2u);
    ExpectKeptAndFilled(m, 2, 2, -5.0);
}

TEST_P(MatrixOrderTest, ResizeWithinCapacityDoesNotReallocate) {
    Matrix m = Numbered(4, 4, Order());
    const double* block = m.Data();
    ASSERT_TRUE(m.Resize(2, 3));
    ASSERT_TRUE(m.Resize(3, 5, 9.0));  // 15 <= 16: grows inside the block
    EXPECT_EQ(m.Data(), block);
    EXPECT_EQ(m.Capacity(), 16u);
    ExpectKeptAndFilled(m, 2, 3, 9.0);
    ASSERT_TRUE(m.Resize(5, 5));  // beyond: a block of exactly 25, appended zeros
    EXPECT_EQ(m.Capacity(), 25u);
    EXPECT_EQ(m(1, 2), 12.0);
    EXPECT_EQ(m(2, 4), 9.0);
    EXPECT_EQ(m(3, 0), 0.0);
    EXPECT_EQ(m(4, 4), 0.0);
}

// Random shape sequences against a model of what must survive each step.
TEST_P(MatrixOrderTest, ResizeSequencesMatchAModel) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<size_t> dim(0, 6);
    Matrix m(Order());
    std::vector<std::vector<double>> model;
    for (int step = 0; step < 400; ++step) {
        const size_t rows = dim(rng), columns = dim(rng);
        const double fill = double(step);
        ASSERT_TRUE(m.Resize(rows, columns, fill));
        if (rows == 0 || columns == 0) {
            model.clear();
        } else {
            for (auto& row : model) row.resize(columns, fill);
            model.resize(rows, std::vector<double>(columns, fill));
        }
        ASSERT_EQ(m.Rows(), model.size());
        for (size_t i = 0; i < model.size(); ++i)
            for (size_t j = 0; j < columns; ++j) ASSERT_EQ(m(i, j), model[i][j]) << "step " << step;
        // Mark the elements so that moves are visible in the next step.
        for (size_t i = 0; i < model.size(); ++i)
            for (size_t j = 0; j < columns; ++j) m(i, j) = model[i][j] = double(1000 * step + 10 * i + j);
    }
}

TEST_P(MatrixOrderTest, OversizedShapesFailAndKeepTheMatrix) {
    Matrix m = Numbered(2, 2, Order());
    EXPECT_FALSE(m.Resize(size_t(1) << 31, 1));
    EXPECT_FALSE(m.Resize(SIZE_MAX, SIZE_MAX));
    ExpectKeptAndFilled(m, 2, 2, 0.0);
    Matrix huge(size_t(1) << 31, 2, Order());
    EXPECT_TRUE(huge.Empty());
}

TEST_P(MatrixOrderTest, ReshapeFillsOrStartsAfresh) {
    Matrix m = Numbered(2, 3, Order());
    ASSERT_TRUE(m.Reshape(2, 3));
    ExpectKeptAndFilled(m, 2, 3, 0.0);  // same shape, no fill: untouched
    ASSERT_TRUE(m.Reshape(2, 3, 4.0));
    EXPECT_EQ(Elements(m), std::vector<double>(6, 4.0));
    ASSERT_TRUE(m.Reshape(3, 2, 1.0));
    EXPECT_EQ(Elements(m), std::vector<double>(6, 1.0));
    ASSERT_TRUE(m.Reshape(0, 4, 1.0));
    EXPECT_TRUE(m.Empty());
    EXPECT_EQ(m.Order(), Order());
}

TEST_P(MatrixOrderTest, CopyFromReadsAnyOrderAndRefusesOtherShapes) {
    for (StorageOrder sourceOrder : kBothOrders) {
        const Matrix source = Numbered(3, 2, sourceOrder);
        Matrix target(3, 2, Order());
        ASSERT_TRUE(target.CopyFrom(source));
        ExpectKeptAndFilled(target, 3, 2, 0.0);
        Matrix other(2, 3, -1.0, Order());
        EXPECT_FALSE(other.CopyFrom(source));
        EXPECT_EQ(Elements(other), std::vector<double>(6, -1.0));
    }
}

TEST_P(MatrixOrderTest, AssignTakesTheShapeButKeepsTheOrder) {
    const StorageOrder other =
        ColumnMajor() ? StorageOrder::ROW_MAJOR : StorageOrder::COLUMN_MAJOR;
    Matrix target(5, 1, 2.0, Order());
    ASSERT_TRUE(target.Assign(Numbered(2, 4, other)));
    EXPECT_EQ(target.Order(), Order());
    EXPECT_EQ(target.Rows(), 2u);
    ExpectKeptAndFilled(target, 2, 4, 0.0);
    ASSERT_TRUE(target.Assign(target));
    ExpectKeptAndFilled(target, 2, 4, 0.0);
}

// --- Views -----------------------------------------------------------------

TEST_P(MatrixOrderTest, RowColumnAndDiagonalViews) {
    Matrix m = Numbered(3, 4, Order());
    auto values = [](ConstVectorView v) {
        std::vector<double> out;
        for (size_t i = 0; i < v.Size(); ++i) out.push_back(v[i]);
        return out;
    };
    EXPECT_EQ(values(m.Row(1)), (std::vector<double>{10, 11, 12, 13}));
    EXPECT_EQ(values(m.Column(2)), (std::vector<double>{2, 12, 22}));
    EXPECT_EQ(values(m.Diagonal()), (std::vector<double>{0, 11, 22}));
    EXPECT_EQ(values(m.Diagonal(2)), (std::vector<double>{2, 13}));
    EXPECT_EQ(values(m.Diagonal(3)), (std::vector<double>{3}));
    EXPECT_EQ(values(m.Diagonal(-1)), (std::vector<double>{10, 21}));
    EXPECT_EQ(values(m.Diagonal(-2)), (std::vector<double>{20}));
    EXPECT_EQ(m.Column(2).Stride(), m.RowStride());
    EXPECT_EQ(m.Diagonal(1).Stride(), m.RowStride() + m.ColumnStride());
    // Outside the matrix: empty views, never a pointer beyond the block.
    EXPECT_TRUE(m.Row(3).Empty());
    EXPECT_TRUE(m.Column(4).Empty());
    EXPECT_TRUE(m.Diagonal(4).Empty());
    EXPECT_TRUE(m.Diagonal(-3).Empty());
    EXPECT_TRUE(m.Diagonal(PTRDIFF_MIN).Empty());
    m.Column(1)[2] = -7.0;  // views write through
    EXPECT_EQ(m(2, 1), -7.0);
}

// --- Vectors ---------------------------------------------------------------

TEST(VectorTest, ResizeGrowsAndTruncatesAtTheEnd) {
    Vector v{1.0, 2.0, 3.0};
    const double* block = v.First();
    ASSERT_TRUE(v.Resize(1));
    ASSERT_TRUE(v.Resize(3, 9.0));
    EXPECT_EQ(v.First(), block);  // within the capacity
    EXPECT_EQ(std::vector<double>(v.begin(), v.end()), (std::vector<double>{1, 9, 9}));
    ASSERT_TRUE(v.Resize(5));
    EXPECT_EQ(std::vector<double>(v.begin(), v.end()), (std::vector<double>{1, 9, 9, 0, 0}));
    EXPECT_FALSE(v.Resize(SIZE_MAX));
    EXPECT_EQ(v.Size(), 5u);
}

TEST(VectorTest, ReshapeKeepsOrReplacesAndFillsOnlyWhenAsked) {
    Vector v{1.0, 2.0};
    ASSERT_TRUE(v.Reshape(2));
    EXPECT_EQ(v[1], 2.0);
    ASSERT_TRUE(v.Reshape(2, 5.0));
    EXPECT_EQ(v[0], 5.0);
    ASSERT_TRUE(v.Reshape(3));
    EXPECT_EQ(v.Size(), 3u);
    EXPECT_EQ(Vector(4).Size(), 4u);
    EXPECT_EQ(Vector(4)[3], 0.0);
}

TEST(VectorTest, AssignCopiesFromStridedAndOwnViews) {
    Matrix m = MatrixOf({{1, 2}, {3, 4}, {5, 6}});
    Vector v;
    ASSERT_TRUE(v.Assign(m.Column(1)));
    EXPECT_EQ(std::vector<double>(v.begin(), v.end()), (std::vector<double>{2, 4, 6}));
    ASSERT_TRUE(v.Assign(ConstVectorView(v.First() + 1, 2, 1)));  // a part of itself
    EXPECT_EQ(std::vector<double>(v.begin(), v.end()), (std::vector<double>{4, 6}));
    Vector copy(v);
    copy[0] = 0.0;
    EXPECT_EQ(v[0], 4.0);
    IntVector pivots{3, 1};
    IntVector other;
    ASSERT_TRUE(other.Assign(pivots));
    EXPECT_EQ(other[0], 3);
}

// --- Products ----------------------------------------------------------------

// Every storage order of P, A and B gives the bits of the plain sum over
// increasing k.
TEST(MultiplyTest, AllStorageOrdersGiveTheSameBits) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    const size_t r = 4, inner = 7, c = 3;
    std::vector<double> a(r * inner), b(inner * c);
    for (double& x : a) x = value(rng);
    for (double& x : b) x = value(rng);
    std::vector<double> expected(r * c);
    for (size_t i = 0; i < r; ++i)
        for (size_t j = 0; j < c; ++j) {
            double sum = 0.0;
            for (size_t k = 0; k < inner; ++k) sum += a[i * inner + k] * b[k * c + j];
            expected[i * c + j] = sum;
        }
    for (StorageOrder po : kBothOrders)
        for (StorageOrder ao : kBothOrders)
            for (StorageOrder bo : kBothOrders) {
                Matrix A(r, inner, ao), B(inner, c, bo), P(2, 2, 5.0, po);
                for (size_t i = 0; i < r; ++i)
                    for (size_t k = 0; k < inner; ++k) A(i, k) = a[i * inner + k];
                for (size_t k = 0; k < inner; ++k)
                    for (size_t j = 0; j < c; ++j) B(k, j) = b[k * c + j];
                ASSERT_TRUE(Multiply(P, A, B));
                EXPECT_EQ(P.Order(), po);
                EXPECT_EQ(Elements(P), expected);
            }
}

TEST(MultiplyTest, ProductInPlaceOfAnOperand) {
    Matrix a = MatrixOf({{1, 2}, {3, 4}});
    const Matrix b = MatrixOf({{0, 1}, {1, 0}});
    ASSERT_TRUE(Multiply(a, a, b));
    EXPECT_EQ(Elements(a), (std::vector<double>{2, 1, 4, 3}));
    ASSERT_TRUE(Multiply(a, a, a));
    EXPECT_EQ(Elements(a), (std::vector<double>{8, 5, 20, 13}));
}

TEST(MultiplyTest, MismatchedInnerSizesFailWithoutTouchingP) {
    Matrix p(1, 1, 3.0);
    EXPECT_FALSE(Multiply(p, Matrix(2, 3), Matrix(2, 3)));
    EXPECT_EQ(p(0, 0), 3.0);
    EXPECT_FALSE(Multiply(p, Matrix(), Matrix(1, 1)));
    ASSERT_TRUE(Multiply(p, Matrix(), Matrix()));
    EXPECT_TRUE(p.Empty());
}

TEST(ScaleColumnsTest, TakesRootsOfPositiveWeightsOnly) {
    Vector w{4.0, 0.0, -1.0};
    const Matrix v = MatrixOf({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
    for (StorageOrder order : kBothOrders) {
        Vector weights(w);
        Matrix out(3, 3, order);
        ASSERT_TRUE(ScaleColumns(weights, v, out));
        EXPECT_EQ(std::vector<double>(weights.begin(), weights.end()), (std::vector<double>{2, 0, -1}));
        EXPECT_EQ(Elements(out), (std::vector<double>{2, 0, -3, 8, 0, -6, 14, 0, -9}));
    }
    Vector nan{kNaN};
    Matrix one(1, 1, 2.0), out(1, 1);
    ASSERT_TRUE(ScaleColumns(nan, one, out));
    EXPECT_TRUE(std::isnan(nan[0]));
    EXPECT_TRUE(std::isnan(out(0, 0)));
}

TEST(ScaleColumnsTest, MismatchedShapesChangeNothing) {
    Vector w{4.0, 9.0};
    Matrix v(2, 2, 1.0), small(1, 2, -1.0), wide(2, 3, -1.0);
    EXPECT_FALSE(ScaleColumns(w, v, small));
    EXPECT_FALSE(ScaleColumns(w, wide, v));
    EXPECT_FALSE(ScaleColumns(w, v, wide));
    EXPECT_EQ(w[0], 4.0);
    EXPECT_EQ(Elements(small), std::vector<double>(2, -1.0));
}
