#include "math/fit_solver.h"

namespace Zr::Math {

bool SolveFit(Vector& x, const double* params, NewtonSystem f, double tolX) noexcept {
    Vector residuals(x.Size());
    if (x.Empty() || residuals.Size() != x.Size()) return false;
    return NewtonRaphson(x, params, f, 200, nullptr, &residuals, tolX, 1e-14);
}

}  // namespace Zr::Math
