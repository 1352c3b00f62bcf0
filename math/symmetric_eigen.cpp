#include "math/symmetric_eigen.h"

#include <cmath>

#include "math/debug_trace.h"
#include "math/plane_rotation.h"

namespace Zr::Math {

namespace {

constexpr int kMaxSweeps = 30;

// One Householder step of the reduction: annihilates row i left of its
// sub-diagonal element (columns 0..l-1, l = i - 1) and updates the leading
// (l + 1) x (l + 1) block. The reflection vector stays in row i and, divided
// by h, in column i for the accumulation. Returns h (0.0 when no reflection
// was needed); e[i] receives the sub-diagonal element.
double ReduceRow(Matrix& a, VectorView e, size_t i) {
    const size_t l = i - 1;
    double h = 0.0, scale = 0.0;
    if (l == 0) {
        e[i] = a(i, l);
        return h;
    }
    for (size_t k = 0; k <= l; ++k) scale += std::fabs(a(i, k));
    if (scale == 0.0) {
        e[i] = a(i, l);
        return h;
    }
    for (size_t k = 0; k <= l; ++k) {
        a(i, k) /= scale;
        h += a(i, k) * a(i, k);
    }
    double f = a(i, l);
    double g = f >= 0.0 ? -std::sqrt(h) : std::sqrt(h);
    e[i] = scale * g;
    h -= f * g;
    a(i, l) = f - g;
    f = 0.0;
    for (size_t j = 0; j <= l; ++j) {
        a(j, i) = a(i, j) / h;
        g = 0.0;
        for (size_t k = 0; k <= j; ++k) g += a(j, k) * a(i, k);
        for (size_t k = j + 1; k <= l; ++k) g += a(k, j) * a(i, k);
        e[j] = g / h;
        f += e[j] * a(i, j);
    }
    const double hh = f / (h + h);
    for (size_t j = 0; j <= l; ++j) {
        f = a(i, j);
        e[j] = g = e[j] - hh * f;
        for (size_t k = 0; k <= j; ++k) a(j, k) -= (f * e[k] + g * a(i, k));
    }
    return h;
}

// Replaces a by Q, the product of the reflections, and d[i] by the
// diagonal of the reduced matrix.
void AccumulateTransformations(Matrix& a, VectorView d, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        if (d[i] != 0.0) {
            for (size_t j = 0; j < i; ++j) {
                double g = 0.0;
                for (size_t k = 0; k < i; ++k) g += a(i, k) * a(k, j);
                for (size_t k = 0; k < i; ++k) a(k, j) -= g * a(k, i);
            }
        }
        d[i] = a(i, i);
        a(i, i) = 1.0;
        for (size_t j = 0; j < i; ++j) a(j, i) = a(i, j) = 0.0;
    }
}

// The first m >= l at which the matrix splits: m = n - 1 or e[m] negligible
// against its two diagonal neighbours.
size_t SplitPoint(VectorView d, VectorView e, size_t n, size_t l) {
    size_t m = l;
    for (; m + 1 < n; ++m) {
        const double dd = std::fabs(d[m]) + std::fabs(d[m + 1]);
        if (std::fabs(e[m]) + dd == dd) break;
    }
    return m;
}

// One implicitly shifted QL sweep over the block l..m. A rotation of zero
// length means the block has split early: the sweep stops there and the
// caller's next split search finds the new block.
void QLSweep(VectorView d, VectorView e, Matrix& z, size_t n, size_t l, size_t m) {
    double g = (d[l + 1] - d[l]) / (2.0 * e[l]);
    double r = Pythag(g, 1.0);
    g = d[m] - d[l] + e[l] / (g + Sign(r, g));
    double s = 1.0, c = 1.0, p = 0.0;
    for (size_t i = m; i-- > l;) {
        const double f = s * e[i];
        const double b = c * e[i];
        e[i + 1] = r = Pythag(f, g);
        if (r == 0.0) {
            d[i + 1] -= p;
            e[m] = 0.0;
            return;
        }
        s = f / r;
        c = g / r;
        g = d[i + 1] - p;
        r = (d[i] - g) * s + 2.0 * c * b;
        d[i + 1] = g + (p = s * r);
        g = c * r - b;
        RotateColumns(z, n, i + 1, i, c, s);
    }
    d[l] -= p;
    e[l] = g;
    e[m] = 0.0;
}

}  // namespace

bool HouseholderTridiagonal(Matrix& a, VectorView d, VectorView e) noexcept {
    const size_t n = a.Rows();
    if (a.Columns() < n || d.Size() < n || e.Size() < n) return false;
    if (n == 0) return true;
    for (size_t i = n - 1; i >= 1; --i) d[i] = ReduceRow(a, e, i);
    d[0] = 0.0;
    e[0] = 0.0;
    AccumulateTransformations(a, d, n);
    return true;
}

bool QLWithImplicitShifts(VectorView d, VectorView e, Matrix& z) noexcept {
    const size_t n = z.Rows();
    if (z.Columns() < n || d.Size() < n || e.Size() < n) return false;
    if (n == 0) return true;
    for (size_t i = 1; i < n; ++i) e[i - 1] = e[i];
    e[n - 1] = 0.0;
    for (size_t l = 0; l < n; ++l) {
        int sweeps = 0;
        for (size_t m = SplitPoint(d, e, n, l); m != l; m = SplitPoint(d, e, n, l)) {
            if (sweeps == kMaxSweeps) {
                DebugTrace("Zr::Math::QLWithImplicitShifts() too many iterations");
                return false;
            }
            ++sweeps;
            QLSweep(d, e, z, n, l, m);
        }
    }
    return true;
}

bool SymmetricEigen(const Matrix& a, VectorView d, Matrix& z) noexcept {
    const size_t n = a.Rows();
    if (n == 0 || a.Columns() != n || z.Rows() != n || z.Columns() != n || d.Size() < n) return false;
    Vector e(n);
    if (e.Size() != n) return false;
    z.CopyFrom(a);
    HouseholderTridiagonal(z, d, e);
    return QLWithImplicitShifts(d, e, z);
}

bool SymmetricEigenAbs(const Matrix& a, VectorView d, Matrix& z) noexcept {
    if (!SymmetricEigen(a, d, z)) return false;
    for (size_t i = 0; i < a.Rows(); ++i)
        if (0.0 > d[i]) d[i] = -d[i];
    return true;
}

}  // namespace Zr::Math
