// Helpers shared by the matrix, decomposition and solver tests, with the test
// framework and the standard headers they use.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
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
    for (size_t i = 0; i < m.Rows(); ++i)
        for (size_t j = 0; j < m.Columns(); ++j) m(i, j) = rows.begin()[i].begin()[j];
    return m;
}

// The elements of a vector or view.
template <class V>
std::vector<double> Values(const V& v) {
    std::vector<double> out;
    for (size_t i = 0; i < v.Size(); ++i) out.push_back(double(v[i]));
    return out;
}

// Row by row, whatever the storage order.
inline std::vector<double> Elements(const Matrix& m) {
    std::vector<double> out;
    for (size_t i = 0; i < m.Rows(); ++i)
        for (size_t j = 0; j < m.Columns(); ++j) out.push_back(m(i, j));
    return out;
}

// Infinite when the shapes differ.
inline double MaxAbsDifference(const Matrix& a, const Matrix& b) {
    if (a.Rows() != b.Rows() || a.Columns() != b.Columns()) return std::numeric_limits<double>::infinity();
    double big = 0.0;
    for (size_t i = 0; i < a.Rows(); ++i)
        for (size_t j = 0; j < a.Columns(); ++j) big = std::max(big, std::fabs(a(i, j) - b(i, j)));
    return big;
}

// Collects the DebugTrace messages handed over while it lives.
class TraceCapture {
public:
    TraceCapture() : previous_(Zr::Math::SetDebugTraceSink(&Sink)) { current_ = &messages_; }
    ~TraceCapture() { Zr::Math::SetDebugTraceSink(previous_), current_ = nullptr; }
    const std::vector<std::string>& Messages() const { return messages_; }

private:
    static void Sink(const char* message) { if (current_) current_->push_back(message); }
    static inline std::vector<std::string>* current_ = nullptr;
    std::vector<std::string> messages_;
    Zr::Math::DebugTraceSink previous_;
};

}  // namespace Zr::Testing
