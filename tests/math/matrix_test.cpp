// Matrix storage, shape changes, views, vectors and products.
#include <random>

#include "linear_algebra_support.h"
#include "math/matrix_products.h"

using namespace Zr::Math;
using namespace Zr::Testing;

namespace {

// (i, j) -> 10 i + j inside the kept block, `fill` outside, so every element names its place.
std::vector<double> Numbered(size_t m, size_t n, size_t keptRows = SIZE_MAX, size_t keptColumns = SIZE_MAX,
                             double fill = 0) {
    std::vector<double> values;
    for (size_t i = 0; i < m; ++i)
        for (size_t j = 0; j < n; ++j) values.push_back(i < keptRows && j < keptColumns ? 10.0 * i + j : fill);
    return values;
}

Matrix NumberedMatrix(size_t m, size_t n, StorageOrder order) {
    Matrix a(m, n, order);
    for (size_t k = 0; k < m * n; ++k) a(k / n, k % n) = Numbered(m, n)[k];
    return a;
}

}  // namespace

TEST(MatrixTest, StridesAndViews) {
    for (StorageOrder order : kBothOrders) {
        Matrix m = NumberedMatrix(3, 4, order);
        const bool columnMajor = order == StorageOrder::COLUMN_MAJOR;
        EXPECT_TRUE(m.RowStride() == (columnMajor ? 1 : 4) && m.ColumnStride() == (columnMajor ? 3 : 1));
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

// Resize keeps the upper-left block and fills what it appends (also when the
// block moves); too large a shape fails and keeps the matrix; a zero
// dimension is the empty matrix; Reshape fills only when asked.
TEST(MatrixTest, ShapeChanges) {
    for (StorageOrder order : kBothOrders) {
        Matrix m = NumberedMatrix(2, 3, order);
        ASSERT_TRUE(m.Resize(3, 2, -5.0));
        EXPECT_EQ(Elements(m), Numbered(3, 2, 2, 2, -5.0));
        EXPECT_FALSE(m.Resize(size_t(1) << 31, 1) || m.Resize(SIZE_MAX, SIZE_MAX));
        EXPECT_EQ(Elements(m), Numbered(3, 2, 2, 2, -5.0));
        EXPECT_TRUE(Matrix(size_t(1) << 31, 2, order).Empty() && Matrix(0, 5, 1.0, order).Empty());
        ASSERT_TRUE(m.Reshape(3, 2));
        EXPECT_EQ(Elements(m), Numbered(3, 2, 2, 2, -5.0));
        ASSERT_TRUE(m.Reshape(2, 3, 4.0));
        EXPECT_EQ(Elements(m), std::vector<double>(6, 4.0));
        ASSERT_TRUE(m.Resize(2, 0));
        EXPECT_TRUE(m.Empty() && m.Columns() == 0 && m.Order() == order);
        // Random shape sequences against a model of what must survive each step.
        std::mt19937 rng(7);
        std::vector<std::vector<double>> model;
        for (int step = 0; step < 400; ++step) {
            const size_t rows = rng() % 7, columns = rng() % 7;
            ASSERT_TRUE(m.Resize(rows, columns, double(step)));
            if (rows == 0 || columns == 0) model.clear();
            for (auto& row : model) row.resize(columns, double(step));
            if (rows && columns) model.resize(rows, std::vector<double>(columns, double(step)));
            ASSERT_EQ(m.Rows(), model.size());
            for (size_t i = 0; i < model.size(); ++i)
                for (size_t j = 0; j < columns; ++j) {
                    ASSERT_EQ(m(i, j), model[i][j]) << "step " << step;
                    m(i, j) = model[i][j] = double(1000 * step + 10 * i + j);  // marks, so that moves show
                }
        }
    }
}

// Copies between storage orders (the target keeps its own), refused between shapes.
TEST(MatrixTest, CopiesAndAssignments) {
    for (StorageOrder order : kBothOrders)
        for (StorageOrder other : kBothOrders) {
            const Matrix source = NumberedMatrix(3, 2, other);
            Matrix target(3, 2, order), wrong(2, 3, -1.0, order), copy(source), assigned(5, 1, 2.0, order);
            copy(0, 0) = -1.0;
            ASSERT_TRUE(target.CopyFrom(source) && assigned.Assign(source) && assigned.Assign(assigned));
            EXPECT_FALSE(wrong.CopyFrom(source));
            EXPECT_TRUE(Elements(target) == Numbered(3, 2) && Elements(assigned) == Numbered(3, 2));
            EXPECT_TRUE(Elements(wrong) == std::vector<double>(6, -1.0) && source(0, 0) == 0.0);
            EXPECT_EQ(assigned.Order(), order);
        }
    Vector v{1.0, 2.0, 3.0};
    const double* block = v.First();
    ASSERT_TRUE(v.Resize(1) && v.Resize(3, 9.0) && v.Reshape(3));  // within the capacity, no fill: kept
    EXPECT_TRUE(v.First() == block && Values(v) == (std::vector<double>{1, 9, 9}));
    EXPECT_FALSE(v.Resize(SIZE_MAX));
    ASSERT_TRUE(v.Assign(MatrixOf({{1, 2}, {3, 4}, {5, 6}}).Column(1)));
    ASSERT_TRUE(v.Assign(ConstVectorView(v.First() + 1, 2, 1)));  // a part of itself
    EXPECT_EQ(Values(v), (std::vector<double>{4, 6}));
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
    for (StorageOrder order : kBothOrders) {
        Vector w{4.0, 0.0, -1.0}, nan{std::numeric_limits<double>::quiet_NaN()};
        Matrix out(3, 3, order), one(1, 1, 2.0), nanOut(1, 1), small(1, 3, -1.0);
        ASSERT_TRUE(ScaleColumns(w, v, out) && ScaleColumns(nan, one, nanOut));
        EXPECT_EQ(Values(w), (std::vector<double>{2, 0, -1}));
        EXPECT_EQ(Elements(out), (std::vector<double>{2, 0, -3, 8, 0, -6, 14, 0, -9}));
        EXPECT_TRUE(std::isnan(nan[0]) && std::isnan(nanOut(0, 0)));
        EXPECT_FALSE(ScaleColumns(w, v, small) || ScaleColumns(w, small, out) || ScaleColumns(nan, v, out));
        EXPECT_TRUE(Values(w) == (std::vector<double>{2, 0, -1}) && Elements(small) == std::vector<double>(3, -1.0));
    }
}
