// Johnson SU parameters from the four moments. With w = exp(1/delta^2) the
// skewness and kurtosis depend on w and Omega = gamma/delta only; for a
// given kurtosis the skewness grows as w falls from its symmetric value to
// the log-normal bound w0, so w solves skew^2 = (w - 1 - m) H^2 with m and H
// functions of w and the kurtosis, from the start value w0.
#include <algorithm>
#include <cmath>

#include "math/fit_solver.h"
#include "math/johnson_su.h"

namespace Zr::Math {
namespace {

constexpr double kJohnsonSUTolX = 1e-7;

// m(w) for the kurtosis B = kurt + 3 (JohnsonSUAuxM in terms of w and B).
double AuxM(double w, double bigB) { return std::sqrt(2 * (w * w - (bigB + 3) / (w * w + 2 * w + 3)) + 4) - 2; }


// The log-normal w for the kurtosis bigB: the smallest w, of the largest skewness.
double LogNormalW(double bigB) {
    const double third = 0.3333333333333333;
    const double q = std::sqrt((16 * bigB * bigB + 87 * bigB + 171) * (bigB + 3) / 27);
    const double t = std::pow(2 * bigB + 7 + 2 * q, third) - 1 - std::pow(2 * q - 7 - 2 * bigB, third);
    return (std::sqrt(4 / std::sqrt(t) - t - 3) + std::sqrt(t) - 1) / 2;
}

// params: skew^2, B.
bool JohnsonSUSystem(const Vector& x, Matrix& jacobian, Vector& residuals, const double* params) {
    const double w = x[0], skew2 = params[0], bigB = params[1];
    const double m = AuxM(w, bigB), h = w + 2 + m / 2, q = w * w + 2 * w + 3;
    residuals[0] = JohnsonSUMeanTerm(w, m) * h * h - skew2;
    jacobian(0, 0) = -1.5 * h * (m + 2 * (bigB + 3) * (w + 1) / (q * q));
    return std::isfinite(residuals[0]);
}

// w and the sign s of the skewness (0 for the symmetric case), or a NaN w.
struct Shape {
    double w, s;
};

Shape SolveShape(double skew, double bigB) {
    if (skew == 0) return {std::sqrt(std::sqrt(2 * (bigB - 1)) - 1), 0.0};
    const double params[] = {skew * skew, bigB};
    Vector w{LogNormalW(bigB)};
    if (!SolveFit(w, params, JohnsonSUSystem, kJohnsonSUTolX)) return {NAN, 0.0};
    return {w[0], skew > 0 ? 1.0 : -1.0};
}

}  // namespace

bool JohnsonSUFit(double mean, double stdev, double skew, double kurt, double& gamma, double& delta, double& lambda,
                  double& xi) {
    const double bigB = kurt + 3;
    if (bigB <= 3) return false;
    const double w0 = LogNormalW(bigB);
    if (skew * skew >= (w0 - 1) * (w0 + 2) * (w0 + 2)) return false;
    const auto [w, s] = SolveShape(skew, bigB);
    const double m = AuxM(w, bigB), meanTerm = JohnsonSUMeanTerm(w, m);
    // r = sinh(Omega), written with w - 1 - m for (w - 1)/m - 1; asinh keeps
    // the digits of a small r, which ln(r + sqrt(r^2 + 1)) loses.
    const double r = std::sqrt(meanTerm / m * (w + 1) / (2 * w));
    const double d = 1 / std::sqrt(std::log(w));
    const double g = s == 0 ? 0.0 : -s * d * std::asinh(r);  // not -0 when symmetric
    const double l = std::sqrt(2 * m / (w + 1)) * stdev / (w - 1);
    const double x = mean - s * stdev * std::sqrt(meanTerm) / (w - 1);
    if (!(std::isfinite(g) && std::isfinite(d) && std::isfinite(l) && std::isfinite(x))) return false;
    gamma = g;
    delta = d;
    lambda = l;
    xi = x;
    return true;
}

}  // namespace Zr::Math
