// Newton's method for a square system of non-linear equations f(x) = 0: a
// full step, no line search.
#pragma once

#include <cstdint>

#include "math/matrix.h"
#include "math/vector.h"

namespace Zr::Math {

// Evaluates the system at x: residuals[i] := f_i(x), jacobian(i, j) :=
// d f_i / d x_j, filling both completely (they arrive n long and n x n, with
// stale content). params is the caller's constant block, passed through.
// Returns false when no usable evaluation exists at x.
using NewtonSystem = bool (*)(const Vector& x, Matrix& jacobian, Vector& residuals, const double* params);

// Iterates from the start point in x, at most maxIterations times. Each
// iteration, in this order: evaluate f; converged when tolF >= the sum of
// |residuals| (x unmoved); solve J c = -residuals by LUDecomp and
// LUBackSubstitute; x += c; converged when tolX >= the sum of |c| (x moved,
// residuals not re-evaluated).
//
// True when a test was met and every residual is finite. x keeps the last
// iterate on every exit. On every exit after the scratch space exists,
// *iterations (when given) receives the counter of the iteration that ended
// it (maxIterations + 1 after a full run without convergence, 1 when
// maxIterations < 1, where f is not called) and *residualsOut (when given)
// a copy of the latest residuals. A null f or a false from it traces
// "Function error in Zr::Math::NewtonRaphson()", a failed LUDecomp (a zero
// row in the Jacobian) "Zr::Math::LUDecomp error in Zr::Math::NewtonRaphson()".
// A residualsOut whose size differs from x's, or a scratch allocation that
// fails, returns false before anything else is touched.
bool NewtonRaphson(Vector& x, const double* params, NewtonSystem f, int32_t maxIterations, int32_t* iterations,
                   Vector* residualsOut, double tolX, double tolF) noexcept;

}  // namespace Zr::Math
