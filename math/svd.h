// Singular value decomposition of a square matrix (Golub-Reinsch: Householder
// bidiagonalisation, then implicitly shifted QR sweeps).
#pragma once

#include "math/matrix.h"
#include "math/vector.h"

namespace Zr::Math {

// A = U diag(w) V^T for the n x n matrix held in the upper-left block of a,
// n = size of w. On success a holds U, w the singular values and v the
// matching right vectors in its columns (column i belongs to w[i]). The
// values are non-negative and NOT sorted: they stay in the order the sweeps
// leave them, and a value that comes out negative is negated together with
// its column of v.
//
// At most 29 shifted sweeps are made per singular value: the 30th failed
// convergence test traces "SvdDecomp() no convergence in 30 svdcmp
// iterations" and returns false (a, w, v then hold intermediate values). A
// NaN or infinite element makes the norm NaN, so every n >= 2 matrix holding
// one fails that way. False without a trace when a or v has fewer than n rows
// or columns, or memory is short; n = 0 is true.
bool SvdDecomp(Matrix& a, VectorView w, Matrix& v) noexcept;
// The same with the caller's scratch vector of at least n elements: false can
// then only mean no convergence or a too small a or v, never short memory.
bool SvdDecomp(Matrix& a, VectorView w, Matrix& v, Vector& scratch) noexcept;

}  // namespace Zr::Math
