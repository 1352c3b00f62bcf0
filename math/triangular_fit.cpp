// The triangle with requested mean, standard deviation and skewness. Its
// shape is the mode's place c in [0, 1] along the support: the skewness of
// that triangle is sqrt(2) R / (5 P^1.5) with P = c^2 - c + 1 and
// R = (c - 2)(c + 1)(2c - 1), so c solves 25 skew^2 P^3 - 2 R^2 = 0.
#include <cmath>

#include "math/fit_solver.h"
#include "math/triangular.h"

namespace Zr::Math {
namespace {

// params[0] = skew^2.
bool TriangularSystem(const Vector& x, Matrix& jacobian, Vector& residuals, const double* params) {
    const double c = x[0], s = params[0];
    const double p = c * c - c + 1, r = (c - 2) * (c + 1) * (2 * c - 1);
    residuals[0] = 25 * s * p * p * p - 2 * r * r;
    jacobian(0, 0) = 75 * s * p * p * (2 * c - 1) -
                     4 * r * (2 * (c + 1) * (c - 2) + (c - 2) * (2 * c - 1) + (c + 1) * (2 * c - 1));
    return std::isfinite(residuals[0]);
}

// The mode fraction of the triangle with this skewness, or NaN.
double ModeFraction(double skew) {
    if (skew == 0) return 0.5;
    const double params[] = {skew * skew};
    Vector x{0.0};
    if (!SolveFit(x, params, TriangularSystem)) return NAN;
    // The equation holds skew^2 only: its roots c and 1 - c are mirror
    // images, skewed right for c < 1/2 and left for c > 1/2. Take the one
    // whose skewness has the requested sign.
    const double c = x[0];
    return (c > 0.5) == (skew > 0) ? 1 - c : c;
}

}  // namespace

bool TriangularFit(double mean, double stdev, double skew, double& min, double& max, double& mode) {
    if (stdev <= 0 || skew * skew >= 0.32) return false;
    const double c = ModeFraction(skew);
    if (!(c > 0 && c < 1)) return false;
    const double width = std::sqrt(2.0) * 3 * stdev / std::sqrt(c * c - c + 1);
    const double lo = mean - (c + 1) * width / 3, hi = lo + width, peak = lo + c * width;
    if (!(std::isfinite(lo) && std::isfinite(hi) && std::isfinite(peak))) return false;
    min = lo;
    max = hi;
    mode = peak;
    return true;
}

}  // namespace Zr::Math
