// A dense matrix of doubles that carries its own storage order.
//
// Element (i, j) lives at Data()[i * RowStride() + j * ColumnStride()]. The
// storage order never changes the numbers an operation produces; it selects
// loop orders and block copies. A matrix is either empty (0 x 0) or has at
// least one row and one column: a shape with a zero dimension is the empty
// matrix. Nothing here throws; a false result means an allocation failed (or,
// for CopyFrom, the shapes differ) and the matrix is left valid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "math/vector.h"

namespace Zr::Math {

enum class StorageOrder : uint8_t { ROW_MAJOR, COLUMN_MAJOR };

class Matrix {
public:
    explicit Matrix(StorageOrder order = StorageOrder::ROW_MAJOR) noexcept;
    // rows x columns of zeros, or of `fill`. An allocation failure (or a
    // dimension of 2^31 - 1 or more) yields the empty matrix: callers that must
    // know compare Rows() with what they asked for.
    Matrix(size_t rows, size_t columns, StorageOrder order = StorageOrder::ROW_MAJOR) noexcept;
    Matrix(size_t rows, size_t columns, double fill, StorageOrder order = StorageOrder::ROW_MAJOR) noexcept;
    // Deep copies that keep the source's storage order (empty when the
    // allocation fails).
    Matrix(const Matrix& other) noexcept;
    Matrix& operator=(const Matrix& other) noexcept;
    Matrix(Matrix&& other) noexcept;
    Matrix& operator=(Matrix&& other) noexcept;
    ~Matrix();

    size_t Rows() const noexcept { return rows_; }
    size_t Columns() const noexcept { return columns_; }
    bool Empty() const noexcept { return rows_ == 0; }
    bool IsColumnMajor() const noexcept { return columnMajor_; }
    StorageOrder Order() const noexcept {
        return columnMajor_ ? StorageOrder::COLUMN_MAJOR : StorageOrder::ROW_MAJOR;
    }
    int32_t RowStride() const noexcept { return rowStride_; }
    int32_t ColumnStride() const noexcept { return columnStride_; }
    double* Data() noexcept { return elements_; }
    const double* Data() const noexcept { return elements_; }
    size_t Capacity() const noexcept { return size_t(capacityEnd_ - elements_); }

    double& operator()(size_t i, size_t j) noexcept { return elements_[Offset(i, j)]; }
    const double& operator()(size_t i, size_t j) const noexcept { return elements_[Offset(i, j)]; }

    // Releases the elements; the matrix becomes 0 x 0 of the given order.
    void Clear(StorageOrder order) noexcept;
    // Keeps the elements inside both shapes at their places, drops the rest
    // and appends rows at the bottom and columns at the right. Appended
    // elements receive `fill`, or 0 without one. Reallocates only beyond the
    // capacity, to exactly the new element count.
    bool Resize(size_t rows, size_t columns, std::optional<double> fill = std::nullopt) noexcept;
    // The same shape only fills (when `fill` is given); another shape starts
    // from the empty matrix of the same order.
    bool Reshape(size_t rows, size_t columns, std::optional<double> fill = std::nullopt) noexcept;
    void Fill(double value) noexcept;
    // Element-wise copy from a matrix of the same shape, any storage order.
    // False (nothing copied) when the shapes differ.
    bool CopyFrom(const Matrix& source) noexcept;
    // CopyFrom after taking the source's shape; keeps this matrix's order.
    bool Assign(const Matrix& source) noexcept;

    // Views; an index outside the matrix gives an empty view. Diagonal(k)
    // starts at (0, k) for k >= 0 and at (-k, 0) for k < 0.
    VectorView Row(size_t i) noexcept;
    ConstVectorView Row(size_t i) const noexcept;
    VectorView Column(size_t j) noexcept;
    ConstVectorView Column(size_t j) const noexcept;
    VectorView Diagonal(ptrdiff_t k = 0) noexcept;
    ConstVectorView Diagonal(ptrdiff_t k = 0) const noexcept;

    void Swap(Matrix& other) noexcept;

private:
    ptrdiff_t Offset(size_t i, size_t j) const noexcept {
        return ptrdiff_t(i) * rowStride_ + ptrdiff_t(j) * columnStride_;
    }
    void SetShape(size_t rows, size_t columns) noexcept;
    // Outer and inner extents in storage: rows and columns for row-major.
    size_t Outer() const noexcept { return columnMajor_ ? columns_ : rows_; }
    size_t Inner() const noexcept { return columnMajor_ ? rows_ : columns_; }
    bool Grow(size_t rows, size_t columns, double fill) noexcept;
    VectorView MakeView(size_t i, size_t j, size_t length, int32_t stride) const noexcept;

    double* elements_ = nullptr;
    double* capacityEnd_ = nullptr;
    size_t rows_ = 0;
    size_t columns_ = 0;
    int32_t rowStride_ = 0;
    int32_t columnStride_ = 1;
    bool columnMajor_ = false;
};

}  // namespace Zr::Math
