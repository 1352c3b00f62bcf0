// The Newton-Raphson call shared by the fits: 200 iterations, tolF 1e-14 and
// a residual vector of the unknowns' size.
#pragma once

#include "math/newton_raphson.h"

namespace Zr::Math {

constexpr double kFitTolX = 1e-10;

// False when the solver fails, or x is empty (its allocation failed) or the
// residual vector cannot be allocated.
bool SolveFit(Vector& x, const double* params, NewtonSystem f, double tolX = kFitTolX) noexcept;

}  // namespace Zr::Math
