#include "math/lu_decomposition.h"

#include <cmath>

#include "math/debug_trace.h"

namespace Zr::Math {

namespace {

// vv[i] := 1 / (largest magnitude in row i); NaN elements never win. False
// for a row without a non-zero element.
bool RowScales(const Matrix& a, size_t n, Vector& vv) {
    for (size_t i = 0; i < n; ++i) {
        double big = 0.0;
        for (size_t j = 0; j < n; ++j) {
            const double magnitude = std::fabs(a(i, j));
            if (magnitude > big) big = magnitude;
        }
        if (big == 0.0) return false;
        vv[i] = 1.0 / big;
    }
    return true;
}

// Step j of Crout's method: completes column j of U and of the unscaled L
// and returns the row of the best scaled pivot. The candidate starts at the
// diagonal, so a column of NaN candidates keeps the pivot in place.
size_t EliminateColumn(Matrix& a, const Vector& vv, size_t n, size_t j) {
    for (size_t i = 0; i < j; ++i) {
        double sum = a(i, j);
        for (size_t k = 0; k < i; ++k) sum -= a(i, k) * a(k, j);
        a(i, j) = sum;
    }
    double big = 0.0;
    size_t imax = j;
    for (size_t i = j; i < n; ++i) {
        double sum = a(i, j);
        for (size_t k = 0; k < j; ++k) sum -= a(i, k) * a(k, j);
        a(i, j) = sum;
        const double merit = vv[i] * std::fabs(sum);
        if (merit >= big) {
            big = merit;
            imax = i;
        }
    }
    return imax;
}

void SwapRows(Matrix& a, size_t n, size_t r1, size_t r2) {
    for (size_t k = 0; k < n; ++k) std::swap(a(r1, k), a(r2, k));
}

}  // namespace

bool LUDecomp(Matrix& a, IntVector& indx, double& d) noexcept {
    const size_t n = a.Rows();
    d = 1.0;
    if (a.Columns() < n || indx.Size() < n) return false;
    if (n == 0) return true;
    Vector vv(n);
    if (vv.Size() != n) return false;
    if (!RowScales(a, n, vv)) {
        DebugTrace("LUDecomp() the matrix is Singular");
        return false;
    }
    for (size_t j = 0; j < n; ++j) {
        const size_t imax = EliminateColumn(a, vv, n, j);
        if (imax != j) {
            SwapRows(a, n, imax, j);
            d = -d;
            vv[imax] = vv[j];
        }
        indx[j] = int32_t(imax);
        if (a(j, j) == 0.0) a(j, j) = kTinyPivot;
        const double scale = 1.0 / a(j, j);
        for (size_t i = j + 1; i < n; ++i) a(i, j) *= scale;
    }
    return true;
}

bool LUBackSubstitute(const Matrix& a, const IntVector& indx, VectorView b) noexcept {
    const size_t n = a.Rows();
    if (a.Columns() < n || indx.Size() < n || b.Size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (indx[i] < 0 || size_t(indx[i]) >= n) return false;
    ptrdiff_t ii = -1;  // first row with a non-zero right-hand side
    for (size_t i = 0; i < n; ++i) {
        const size_t ip = size_t(indx[i]);
        double sum = b[ip];
        b[ip] = b[i];
        if (ii >= 0) {
            for (size_t k = size_t(ii); k < i; ++k) sum -= a(i, k) * b[k];
        } else if (sum != 0.0) {
            ii = ptrdiff_t(i);
        }
        b[i] = sum;
    }
    for (size_t i = n; i-- > 0;) {
        double sum = b[i];
        for (size_t k = i + 1; k < n; ++k) sum -= a(i, k) * b[k];
        b[i] = sum / a(i, i);
    }
    return true;
}

bool Inverse(const Matrix& a, Matrix& inv) noexcept {
    const size_t n = a.Rows();
    if (inv.Rows() != n || inv.Columns() != n) return false;
    Matrix lu(a.Order());
    IntVector indx(n);
    double d = 0.0;
    if (!lu.Assign(a) || indx.Size() != n || !LUDecomp(lu, indx, d)) return false;
    inv.Fill(0.0);
    for (size_t j = 0; j < n; ++j) inv(j, j) = 1.0;
    for (size_t j = 0; j < n; ++j) LUBackSubstitute(lu, indx, inv.Column(j));
    return true;
}

}  // namespace Zr::Math
