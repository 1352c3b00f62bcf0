// LU decomposition (Crout's method with implicit row scaling and partial
// pivoting), its back substitution and the inverse built on them.
#pragma once

#include "math/matrix.h"
#include "math/vector.h"

namespace Zr::Math {

// Replaces the pivot that is exactly 0.0 after elimination (a singular matrix
// whose rows are not all zero): 2^-126, the smallest normal float. Solutions
// through such a pivot are huge or infinite, not an error.
constexpr double kTinyPivot = 1.1754943508222875e-38;

// Factorises the n x n matrix a in place, n = rows(a): L (unit diagonal,
// below) and U (on and above the diagonal) of the row-permuted matrix.
// indx[j] receives the row exchanged with row j at step j, d +1.0 or -1.0 for
// an even or odd number of exchanges. Among equally good pivots the last row
// wins. False, with "LUDecomp() the matrix is Singular" traced, when a row is
// all zeros (a then partly overwritten); false without a trace when a has
// fewer than n columns or indx fewer than n elements. n = 0 is true, d = 1.0.
bool LUDecomp(Matrix& a, IntVector& indx, double& d) noexcept;

// Solves A x = b in place in b, with a and indx from LUDecomp (n = rows(a)).
// False, with b untouched, when a has fewer than n columns, indx or b fewer
// than n elements, or a pivot index lies outside 0..n-1.
bool LUBackSubstitute(const Matrix& a, const IntVector& indx, VectorView b) noexcept;

// inv := A^-1 for the n x n matrix a (n = rows(a)); inv must already be
// n x n and may be a itself. False when LUDecomp fails, inv has another
// shape, a has fewer than n columns or memory is short.
bool Inverse(const Matrix& a, Matrix& inv) noexcept;

}  // namespace Zr::Math
