#include "math/matrix_products.h"

#include <cmath>

namespace Zr::Math {

namespace {

// Each loop order adds A(i, k) B(k, j) into P(i, j) for k in increasing
// order; they differ only in which memory the innermost loop walks.

// Rows of B into rows of P.
void MultiplyByRows(Matrix& P, const Matrix& A, const Matrix& B) {
    const size_t inner = A.Columns(), columns = B.Columns();
    for (size_t i = 0; i < P.Rows(); ++i) {
        double* p = &P(i, 0);
        for (size_t k = 0; k < inner; ++k) {
            const double a = A(i, k);
            const double* b = &B(k, 0);
            for (size_t j = 0; j < columns; ++j) p[j] += a * b[j];
        }
    }
}

// Columns of A into columns of P.
void MultiplyByColumns(Matrix& P, const Matrix& A, const Matrix& B) {
    const size_t inner = A.Columns(), rows = A.Rows();
    for (size_t j = 0; j < P.Columns(); ++j) {
        double* p = &P(0, j);
        for (size_t k = 0; k < inner; ++k) {
            const double b = B(k, j);
            const double* a = &A(0, k);
            for (size_t i = 0; i < rows; ++i) p[i] += a[i] * b;
        }
    }
}

// One dot product per element, for the mixed orders.
void MultiplyByElements(Matrix& P, const Matrix& A, const Matrix& B) {
    for (size_t i = 0; i < P.Rows(); ++i)
        for (size_t j = 0; j < P.Columns(); ++j) {
            double sum = P(i, j);
            for (size_t k = 0; k < A.Columns(); ++k) sum += A(i, k) * B(k, j);
            P(i, j) = sum;
        }
}

}  // namespace

bool Multiply(Matrix& P, const Matrix& A, const Matrix& B) noexcept {
    if (A.Columns() != B.Rows()) return false;
    if (&P == &A || &P == &B) {
        Matrix product(P.Order());
        if (!Multiply(product, A, B)) return false;
        P.Swap(product);
        return true;
    }
    if (!P.Reshape(A.Rows(), B.Columns(), 0.0)) return false;
    if (!P.IsColumnMajor() && !B.IsColumnMajor()) {
        MultiplyByRows(P, A, B);
    } else if (P.IsColumnMajor() && A.IsColumnMajor()) {
        MultiplyByColumns(P, A, B);
    } else {
        MultiplyByElements(P, A, B);
    }
    return true;
}

bool ScaleColumns(VectorView w, const Matrix& V, Matrix& out) noexcept {
    const size_t n = w.Size();
    if (V.Rows() != n || V.Columns() != n || out.Rows() != n || out.Columns() != n) return false;
    for (size_t c = 0; c < n; ++c)
        if (w[c] > 0.0) w[c] = std::sqrt(w[c]);
    if (out.IsColumnMajor()) {
        for (size_t c = 0; c < n; ++c)
            for (size_t r = 0; r < n; ++r) out(r, c) = V(r, c) * w[c];
    } else {
        for (size_t r = 0; r < n; ++r)
            for (size_t c = 0; c < n; ++c) out(r, c) = V(r, c) * w[c];
    }
    return true;
}

}  // namespace Zr::Math
