// Products of dense matrices.
#pragma once

#include "math/matrix.h"
#include "math/vector.h"

namespace Zr::Math {

// P := A x B. P takes the shape rows(A) x columns(B) (keeping its storage
// order) and every element is summed from 0.0 over k = 0, 1, 2, ... in
// increasing order, whatever the storage orders, so all orders give the same
// bits. P may be A or B. False when columns(A) differs from rows(B) (P
// untouched) or an allocation fails.
bool Multiply(Matrix& P, const Matrix& A, const Matrix& B) noexcept;

// With n the size of w: replaces every element of w that is greater than 0.0
// by its square root (zero, negative and NaN elements stay), then sets
// out(r, c) := V(r, c) x w[c]. With w the eigenvalues or singular values of a
// matrix and V its vectors, out = V diag(sqrt(w)) is a square root of
// V diag(w) V^T. False, with nothing changed, unless V and out are n x n.
bool ScaleColumns(VectorView w, const Matrix& V, Matrix& out) noexcept;

}  // namespace Zr::Math
