// Eigen decomposition of a symmetric matrix: Householder reduction to
// tridiagonal form with the transformations accumulated, then the QL
// algorithm with implicit shifts.
#pragma once

#include "math/matrix.h"
#include "math/vector.h"

namespace Zr::Math {

// Reduces the symmetric n x n matrix a (n = rows(a)) to tridiagonal form: d
// receives the diagonal, e the sub-diagonal in e[1..n-1] with e[0] = 0.0, and
// a is replaced by the orthogonal matrix Q of the accumulated
// transformations. False, with nothing changed, when a has fewer than n
// columns or d or e fewer than n elements.
bool HouseholderTridiagonal(Matrix& a, VectorView d, VectorView e) noexcept;

// Eigenvalues of the symmetric tridiagonal matrix (diagonal d, sub-diagonal
// e[1..n-1], n = rows(z)) into d, unsorted; the rotations are accumulated
// into z, whose column i becomes the eigenvector of d[i] (start from Q of
// HouseholderTridiagonal for the vectors of the original matrix). e is
// destroyed. At most 30 sweeps per eigenvalue: a 31st traces
// "Zr::Math::QLWithImplicitShifts() too many iterations" and returns false
// (d, e, z then intermediate). False without a trace when z has fewer than n
// columns or d or e fewer than n elements; n = 0 is true.
bool QLWithImplicitShifts(VectorView d, VectorView e, Matrix& z) noexcept;

// Eigenvalues of the symmetric n x n matrix a (n = rows(a)) into d, unsorted,
// and the eigenvectors into the columns of z (column i belongs to d[i]). a
// is not changed. False at once for an empty a, and when a is not square, z
// is not n x n, d has fewer than n elements or memory is short; otherwise the
// result of QLWithImplicitShifts.
bool SymmetricEigen(const Matrix& a, VectorView d, Matrix& z) noexcept;

// SymmetricEigen, then on success every negative d[i] is replaced by -d[i]:
// V diag(d) V^T is a with its negative eigenvalues made positive.
bool SymmetricEigenAbs(const Matrix& a, VectorView d, Matrix& z) noexcept;

}  // namespace Zr::Math
