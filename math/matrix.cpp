#include "math/matrix.h"

#include <algorithm>
#include <cstring>

namespace Zr::Math {

namespace {

// Each dimension, and a diagonal's stride (row stride + column stride), must
// fit a 32-bit signed stride.
constexpr size_t kMaxDimension = INT32_MAX - 1;

bool ShapeFits(size_t rows, size_t columns) {
    return rows <= kMaxDimension && columns <= kMaxDimension &&
           rows <= size_t(PTRDIFF_MAX) / sizeof(double) / columns;
}

}  // namespace

Matrix::Matrix(StorageOrder order) noexcept : columnMajor_(order == StorageOrder::COLUMN_MAJOR) {}

Matrix::Matrix(size_t rows, size_t columns, StorageOrder order) noexcept : Matrix(order) {
    Resize(rows, columns);
}

Matrix::Matrix(size_t rows, size_t columns, double fill, StorageOrder order) noexcept : Matrix(order) {
    Resize(rows, columns, fill);
}

Matrix::Matrix(const Matrix& other) noexcept : Matrix(other.Order()) {
    if (Resize(other.rows_, other.columns_)) CopyFrom(other);
}

Matrix& Matrix::operator=(const Matrix& other) noexcept {
    if (this != &other) Matrix(other).Swap(*this);
    return *this;
}

Matrix::Matrix(Matrix&& other) noexcept : Matrix(other.Order()) { Swap(other); }

Matrix& Matrix::operator=(Matrix&& other) noexcept {
    Matrix(std::move(other)).Swap(*this);
    return *this;
}

Matrix::~Matrix() { delete[] elements_; }

void Matrix::Swap(Matrix& other) noexcept {
    std::swap(elements_, other.elements_);
    std::swap(capacityEnd_, other.capacityEnd_);
    std::swap(rows_, other.rows_);
    std::swap(columns_, other.columns_);
    std::swap(rowStride_, other.rowStride_);
    std::swap(columnStride_, other.columnStride_);
    std::swap(columnMajor_, other.columnMajor_);
}

void Matrix::SetShape(size_t rows, size_t columns) noexcept {
    rows_ = rows;
    columns_ = columns;
    rowStride_ = columnMajor_ ? 1 : int32_t(columns);
    columnStride_ = columnMajor_ ? int32_t(rows) : 1;
}

void Matrix::Clear(StorageOrder order) noexcept {
    delete[] elements_;
    elements_ = capacityEnd_ = nullptr;
    columnMajor_ = order == StorageOrder::COLUMN_MAJOR;
    SetShape(0, 0);
}

bool Matrix::Resize(size_t rows, size_t columns, std::optional<double> fill) noexcept {
    if (rows == 0 || columns == 0) {
        Clear(Order());
        return true;
    }
    if (!ShapeFits(rows, columns)) return false;
    return Grow(rows, columns, fill.value_or(0.0));
}

// Moves the kept block of every outer line (row of a row-major matrix,
// column of a column-major one) to its new place, then fills what was
// appended. In place, lines move forwards when they shrink and backwards
// when they grow, so no element is overwritten before it has moved.
bool Matrix::Grow(size_t rows, size_t columns, double fill) noexcept {
    const size_t oldOuter = Outer(), oldInner = Inner();
    const size_t newOuter = columnMajor_ ? columns : rows;
    const size_t newInner = columnMajor_ ? rows : columns;
    const size_t keepOuter = std::min(oldOuter, newOuter);
    const size_t keepInner = std::min(oldInner, newInner);
    const size_t count = rows * columns;
    double* target = elements_;
    if (count > Capacity()) {
        target = AllocateArray<double>(count);
        if (!target) return false;
    }
    auto moveLine = [&](size_t o) {
        std::memmove(target + o * newInner, elements_ + o * oldInner, keepInner * sizeof(double));
    };
    if (target != elements_ || newInner <= oldInner) {
        for (size_t o = 0; o < keepOuter; ++o) moveLine(o);
    } else {
        for (size_t o = keepOuter; o-- > 0;) moveLine(o);
    }
    for (size_t o = 0; o < newOuter; ++o) {
        const size_t from = o < keepOuter ? keepInner : 0;
        std::fill(target + o * newInner + from, target + (o + 1) * newInner, fill);
    }
    if (target != elements_) {
        delete[] elements_;
        elements_ = target;
        capacityEnd_ = target + count;
    }
    SetShape(rows, columns);
    return true;
}

bool Matrix::Reshape(size_t rows, size_t columns, std::optional<double> fill) noexcept {
    const bool empty = rows == 0 || columns == 0;
    if (empty ? Empty() : rows == rows_ && columns == columns_) {
        if (fill) Fill(*fill);
        return true;
    }
    Clear(Order());
    return Resize(rows, columns, fill);
}

void Matrix::Fill(double value) noexcept { std::fill(elements_, elements_ + rows_ * columns_, value); }

bool Matrix::CopyFrom(const Matrix& source) noexcept {
    if (source.rows_ != rows_ || source.columns_ != columns_) return false;
    if (&source == this || Empty()) return true;
    if (source.columnMajor_ == columnMajor_) {
        std::memcpy(elements_, source.elements_, rows_ * columns_ * sizeof(double));
    } else if (columnMajor_) {
        for (size_t j = 0; j < columns_; ++j)
            for (size_t i = 0; i < rows_; ++i) (*this)(i, j) = source(i, j);
    } else {
        for (size_t i = 0; i < rows_; ++i)
            for (size_t j = 0; j < columns_; ++j) (*this)(i, j) = source(i, j);
    }
    return true;
}

bool Matrix::Assign(const Matrix& source) noexcept {
    if (source.rows_ != rows_ || source.columns_ != columns_) {
        Clear(Order());
        if (!Resize(source.rows_, source.columns_)) return false;
    }
    return CopyFrom(source);
}

VectorView Matrix::MakeView(size_t i, size_t j, size_t length, int32_t stride) const noexcept {
    if (length == 0) return {};
    return {elements_ + Offset(i, j), length, stride};
}

VectorView Matrix::Row(size_t i) noexcept {
    return i < rows_ ? MakeView(i, 0, columns_, columnStride_) : VectorView();
}

VectorView Matrix::Column(size_t j) noexcept {
    return j < columns_ ? MakeView(0, j, rows_, rowStride_) : VectorView();
}

VectorView Matrix::Diagonal(ptrdiff_t k) noexcept {
    const int32_t stride = rowStride_ + columnStride_;
    if (k >= 0) {
        const size_t first = size_t(k);
        return first < columns_ ? MakeView(0, first, std::min(rows_, columns_ - first), stride) : VectorView();
    }
    const size_t first = size_t(-(k + 1)) + 1;
    return first < rows_ ? MakeView(first, 0, std::min(columns_, rows_ - first), stride) : VectorView();
}

ConstVectorView Matrix::Row(size_t i) const noexcept { return const_cast<Matrix*>(this)->Row(i); }
ConstVectorView Matrix::Column(size_t j) const noexcept { return const_cast<Matrix*>(this)->Column(j); }
ConstVectorView Matrix::Diagonal(ptrdiff_t k) const noexcept { return const_cast<Matrix*>(this)->Diagonal(k); }

}  // namespace Zr::Math
