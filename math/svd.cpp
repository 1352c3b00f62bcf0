#include "math/svd.h"

#include <cmath>
#include <limits>

#include "math/debug_trace.h"
#include "math/plane_rotation.h"

namespace Zr::Math {

namespace {

constexpr int kMaxTests = 30;

// max(norm, candidate), NaN as soon as either is not finite: a NaN norm
// fails every negligibility test, so such a matrix ends in the iteration
// failure instead of "converging" on garbage.
double NormUpdate(double norm, double candidate) {
    if (!std::isfinite(norm) || !std::isfinite(candidate)) return std::numeric_limits<double>::quiet_NaN();
    return norm >= candidate ? norm : candidate;
}

class Svd {
public:
    Svd(Matrix& a, VectorView w, Matrix& v, Vector& rv1) : a_(a), w_(w), v_(v), rv1_(rv1), n_(w.Size()) {}

    bool Run() {
        Bidiagonalise();
        AccumulateRight();
        AccumulateLeft();
        for (size_t k = n_; k-- > 0;)
            if (!Diagonalise(k)) return false;
        return true;
    }

private:
    // Scales x by the sum of its magnitudes and turns it into the vector of
    // a Householder reflection: x[0] := x[0] - g with g = -sign(|x|, x[0]),
    // h := x[0] g - |x|^2 (old x[0]). Nothing happens when the scale is 0.0.
    struct Reflection {
        double scale = 0.0, g = 0.0, h = 0.0;
    };
    static Reflection Reflect(VectorView x) {
        Reflection r;
        for (size_t k = 0; k < x.Size(); ++k) r.scale += std::fabs(x[k]);
        if (r.scale == 0.0) return r;
        double s = 0.0;
        for (size_t k = 0; k < x.Size(); ++k) {
            x[k] /= r.scale;
            s += x[k] * x[k];
        }
        const double f = x[0];
        r.g = -Sign(std::sqrt(s), f);
        r.h = f * r.g - s;
        x[0] = f - r.g;
        return r;
    }

    // Reflects column i below the diagonal (rows i..n-1) and applies the
    // reflection to the columns right of it; returns the new diagonal element.
    double ReflectColumn(size_t i) {
        const VectorView x(&a_(i, i), n_ - i, a_.RowStride());
        const Reflection r = Reflect(x);
        if (r.scale == 0.0) return 0.0;
        for (size_t j = i + 1; j < n_; ++j) {
            double sum = 0.0;
            for (size_t k = i; k < n_; ++k) sum += a_(k, i) * a_(k, j);
            const double factor = sum / r.h;
            for (size_t k = i; k < n_; ++k) a_(k, j) += factor * a_(k, i);
        }
        for (size_t k = 0; k < x.Size(); ++k) x[k] *= r.scale;
        return r.scale * r.g;
    }

    // Reflects row i right of the super-diagonal (columns l..n-1, l = i + 1)
    // and applies the reflection to the rows below; leaves the reflection
    // vector in rv1[l..n-1] and returns the new super-diagonal element.
    double ReflectRow(size_t i) {
        const size_t l = i + 1;
        const VectorView x(&a_(i, l), n_ - l, a_.ColumnStride());
        const Reflection r = Reflect(x);
        if (r.scale == 0.0) return 0.0;
        for (size_t k = l; k < n_; ++k) rv1_[k] = a_(i, k) / r.h;
        for (size_t j = l; j < n_; ++j) {
            double sum = 0.0;
            for (size_t k = l; k < n_; ++k) sum += a_(j, k) * a_(i, k);
            for (size_t k = l; k < n_; ++k) a_(j, k) += sum * rv1_[k];
        }
        for (size_t k = 0; k < x.Size(); ++k) x[k] *= r.scale;
        return r.scale * r.g;
    }

    // Diagonal into w, super-diagonal into rv1 (rv1[i] couples i-1 and i).
    void Bidiagonalise() {
        double superDiagonal = 0.0;
        anorm_ = 0.0;
        for (size_t i = 0; i < n_; ++i) {
            rv1_[i] = superDiagonal;
            w_[i] = ReflectColumn(i);
            superDiagonal = i + 1 < n_ ? ReflectRow(i) : 0.0;
            anorm_ = NormUpdate(anorm_, std::fabs(w_[i]) + std::fabs(rv1_[i]));
        }
    }

    // v := the product of the right-hand reflections.
    void AccumulateRight() {
        for (size_t i = n_; i-- > 0;) {
            const size_t l = i + 1;
            if (l < n_) {
                const double g = rv1_[l];
                if (g != 0.0) {
                    for (size_t j = l; j < n_; ++j) v_(j, i) = (a_(i, j) / a_(i, l)) / g;
                    for (size_t j = l; j < n_; ++j) {
                        double s = 0.0;
                        for (size_t k = l; k < n_; ++k) s += a_(i, k) * v_(k, j);
                        for (size_t k = l; k < n_; ++k) v_(k, j) += s * v_(k, i);
                    }
                }
                for (size_t j = l; j < n_; ++j) v_(i, j) = v_(j, i) = 0.0;
            }
            v_(i, i) = 1.0;
        }
    }

    // a := the product of the left-hand reflections (U).
    void AccumulateLeft() {
        for (size_t i = n_; i-- > 0;) {
            const size_t l = i + 1;
            double g = w_[i];
            for (size_t j = l; j < n_; ++j) a_(i, j) = 0.0;
            if (g != 0.0) {
                g = 1.0 / g;
                for (size_t j = l; j < n_; ++j) {
                    double s = 0.0;
                    for (size_t k = l; k < n_; ++k) s += a_(k, i) * a_(k, j);
                    const double f = (s / a_(i, i)) * g;
                    for (size_t k = i; k < n_; ++k) a_(k, j) += f * a_(k, i);
                }
                for (size_t j = i; j < n_; ++j) a_(j, i) *= g;
            } else {
                for (size_t j = i; j < n_; ++j) a_(j, i) = 0.0;
            }
            a_(i, i) += 1.0;
        }
    }

    bool Negligible(double x) const { return std::fabs(x) + anorm_ == anorm_; }

    // Zeroes the super-diagonal element that couples l - 1 (nm) and l when
    // w[nm] is negligible, by rotations of columns nm and l..k of a.
    void Cancel(size_t l, size_t nm, size_t k) {
        double c = 0.0, s = 1.0;
        for (size_t i = l; i <= k; ++i) {
            const double f = s * rv1_[i];
            rv1_[i] = c * rv1_[i];
            if (Negligible(f)) break;
            const double g = w_[i];
            double h = Pythag(f, g);
            w_[i] = h;
            h = 1.0 / h;
            c = g * h;
            s = -f * h;
            RotateColumns(a_, n_, nm, i, c, s);
        }
    }

    // One implicitly shifted QR sweep over the block l..k, the shift taken
    // from its trailing 2 x 2 block.
    void Sweep(size_t l, size_t k) {
        double z = w_[k];
        double x = w_[l];
        const size_t nm = k - 1;
        double y = w_[nm];
        double g = rv1_[nm];
        double h = rv1_[k];
        double f = ((y - z) * (y + z) + (g - h) * (g + h)) / (2.0 * h * y);
        g = Pythag(f, 1.0);
        f = ((x - z) * (x + z) + h * ((y / (f + Sign(g, f))) - h)) / x;
        double c = 1.0, s = 1.0;
        for (size_t j = l; j <= nm; ++j) {
            const size_t i = j + 1;
            g = rv1_[i];
            y = w_[i];
            h = s * g;
            g = c * g;
            z = Pythag(f, h);
            rv1_[j] = z;
            c = f / z;
            s = h / z;
            f = x * c + g * s;
            g = g * c - x * s;
            h = y * s;
            y *= c;
            RotateColumns(v_, n_, j, i, c, s);
            z = Pythag(f, h);
            w_[j] = z;
            if (z != 0.0) {
                z = 1.0 / z;
                c = f * z;
                s = h * z;
            }
            f = c * g + s * y;
            x = c * y - s * g;
            RotateColumns(a_, n_, j, i, c, s);
        }
        rv1_[l] = 0.0;
        rv1_[k] = f;
        w_[k] = x;
    }

    // Drives rv1[k] to a negligible size; w[k] is then the singular value.
    bool Diagonalise(size_t k) {
        for (int test = 1; test <= kMaxTests; ++test) {
            // Split point: the first l from k down whose coupling rv1[l] is
            // negligible, or below a negligible w[l - 1] (then cancel).
            size_t l = k, nm = 0;
            bool cancel = true;
            for (; l >= 1; --l) {
                nm = l - 1;
                if (Negligible(rv1_[l])) {
                    cancel = false;
                    break;
                }
                if (Negligible(w_[nm])) break;
            }
            if (cancel) Cancel(l, nm, k);
            if (l == k) {
                if (w_[k] < 0.0) {
                    w_[k] = -w_[k];
                    for (size_t j = 0; j < n_; ++j) v_(j, k) = -v_(j, k);
                }
                return true;
            }
            if (test == kMaxTests) {
                DebugTrace("SvdDecomp() no convergence in 30 svdcmp iterations");
                return false;
            }
            Sweep(l, k);
        }
        return false;  // not reached: the last test returns
    }

    Matrix& a_;
    VectorView w_;
    Matrix& v_;
    Vector& rv1_;
    const size_t n_;
    double anorm_ = 0.0;
};

bool Covers(const Matrix& m, size_t n) { return m.Rows() >= n && m.Columns() >= n; }

}  // namespace

bool SvdDecomp(Matrix& a, VectorView w, Matrix& v) noexcept {
    const size_t n = w.Size();
    if (!Covers(a, n) || !Covers(v, n)) return false;
    Vector rv1(n);
    return rv1.Size() == n && SvdDecomp(a, w, v, rv1);
}

bool SvdDecomp(Matrix& a, VectorView w, Matrix& v, Vector& scratch) noexcept {
    const size_t n = w.Size();
    if (!Covers(a, n) || !Covers(v, n) || scratch.Size() < n) return false;
    return Svd(a, w, v, scratch).Run();
}

}  // namespace Zr::Math
