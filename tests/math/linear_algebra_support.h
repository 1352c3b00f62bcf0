// Helpers shared by the matrix, decomposition and solver tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "math/debug_trace.h"
#include "math/matrix.h"

namespace Zr::Testing {

using Zr::Math::Matrix;
using Zr::Math::StorageOrder;

constexpr StorageOrder kBothOrders[] = {StorageOrder::ROW_MAJOR, StorageOrder::COLUMN_MAJOR};

inline Matrix MatrixOf(std::initializer_list<std::initializer_list<double>> rows,
                       StorageOrder order = StorageOrder::ROW_MAJOR) {
    Matrix m(rows.size(), rows.begin()->size(), order);
    size_t i = 0;
    for (const auto& row : rows) {
        size_t j = 0;
        for (double x : row) m(i, j++) = x;
        ++i;
    }
    return m;
}

inline Matrix SquareFromRowMajor(const std::vector<double>& values, size_t n, StorageOrder order) {
    Matrix m(n, n, order);
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j) m(i, j) = values[i * n + j];
    return m;
}

inline Matrix Transposed(const Matrix& m) {
    Matrix t(m.Columns(), m.Rows(), m.Order());
    for (size_t i = 0; i < m.Rows(); ++i)
        for (size_t j = 0; j < m.Columns(); ++j) t(j, i) = m(i, j);
    return t;
}

inline double MaxAbs(const Matrix& m) {
    double big = 0.0;
    for (size_t i = 0; i < m.Rows(); ++i)
        for (size_t j = 0; j < m.Columns(); ++j) big = std::max(big, std::fabs(m(i, j)));
    return big;
}

inline double MaxAbsDifference(const Matrix& a, const Matrix& b) {
    EXPECT_EQ(a.Rows(), b.Rows());
    EXPECT_EQ(a.Columns(), b.Columns());
    double big = 0.0;
    for (size_t i = 0; i < std::min(a.Rows(), b.Rows()); ++i)
        for (size_t j = 0; j < std::min(a.Columns(), b.Columns()); ++j)
            big = std::max(big, std::fabs(a(i, j) - b(i, j)));
    return big;
}

inline std::vector<double> Elements(const Matrix& m) {
    std::vector<double> values;
    for (size_t i = 0; i < m.Rows(); ++i)
        for (size_t j = 0; j < m.Columns(); ++j) values.push_back(m(i, j));
    return values;
}

// Collects the DebugTrace messages handed over while it lives.
class TraceCapture {
public:
    TraceCapture() : previous_(Zr::Math::SetDebugTraceSink(&Sink)) { current_ = &messages_; }
    ~TraceCapture() {
        Zr::Math::SetDebugTraceSink(previous_);
        current_ = nullptr;
    }
    const std::vector<std::string>& Messages() const { return messages_; }

private:
    static void Sink(const char* message) {
        if (current_) current_->push_back(message);
    }
    static inline std::vector<std::string>* current_ = nullptr;
    std::vector<std::string> messages_;
    Zr::Math::DebugTraceSink previous_;
};

}  // namespace Zr::Testing
