// The parent normal (mu, sigma) of a truncated normal on [a, b] with
// requested mean and standard deviation, solved for the standardised bounds
// x0 = (a - mu)/sigma and x1 = (b - mu)/sigma, from which
// sigma = (a - b)/(x0 - x1) and mu = (b x0 - a x1)/(x0 - x1).
#include <cmath>

#include "math/fit_solver.h"
#include "math/normal.h"
#include "math/truncated_normal.h"

namespace Zr::Math {
namespace {

struct Parent {
    double mu, sigma;
};

Parent ParentOf(double a, double b, double x0, double x1) {
    const double d = x0 - x1;
    return {(b * x0 - a * x1) / d, (a - b) / d};
}

// The standard normal mass between x0 and x1, taken from the tail that holds
// them: Phi(x1) - Phi(x0) cancels to nothing far above 0.
double Mass(double x0, double x1) { return x0 > 0 ? NormCdf(-x0) - NormCdf(-x1) : NormCdf(x1) - NormCdf(x0); }

// params: a, b, mean, stdev^2. With g = (phi(x0) - phi(x1))/Z and
// h = (x0 phi(x0) - x1 phi(x1))/Z the residuals are the mean,
// mu + sigma g, and the second moment about mu, sigma^2 (1 + h), less their
// targets.
bool TruncNormSystem(const Vector& x, Matrix& jacobian, Vector& residuals, const double* params) {
    const double a = params[0], b = params[1], mean = params[2], v = params[3];
    const double x0 = x[0], x1 = x[1], d = x0 - x1;
    const auto [mu, sigma] = ParentOf(a, b, x0, x1);
    const double p0 = NormPdf(x0), p1 = NormPdf(x1), z = Mass(x0, x1);
    const double g = (p0 - p1) / z, h = (x0 * p0 - x1 * p1) / z;
    residuals[0] = sigma * g + mu - mean;
    residuals[1] = sigma * sigma * (h + 1) - (mean - mu) * (mean - mu) - v;
    // Partial derivatives by x0 and x1 (phi' = -x phi, dZ = -phi(x0), +phi(x1)).
    const double dSigma[] = {-sigma / d, sigma / d};
    const double dMu[] = {sigma * x1 / d, -sigma * x0 / d};
    const double dG[] = {p0 * (g - x0) / z, p1 * (x1 - g) / z};
    const double dH[] = {p0 * (1 - x0 * x0 + h) / z, -p1 * (1 - x1 * x1 + h) / z};
    for (size_t j = 0; j < 2; ++j) {
        jacobian(0, j) = dSigma[j] * g + sigma * dG[j] + dMu[j];
        jacobian(1, j) = 2 * sigma * dSigma[j] * (h + 1) + sigma * sigma * dH[j] + 2 * (mean - mu) * dMu[j];
    }
    return std::isfinite(residuals[0]) && std::isfinite(residuals[1]);
}

}  // namespace

bool TruncNormFit(double a, double b, double mean, double stdev, double& mu, double& sigma) {
    const double params[] = {a, b, mean, stdev * stdev};
    Vector x{(a - mean) / stdev, (b - mean) / stdev};
    if (!SolveFit(x, params, TruncNormSystem)) return false;
    // The equations are even in sigma: a root with x0 > x1 is the mirror
    // image of the answer, with a negative sigma, and is no answer.
    const Parent parent = ParentOf(a, b, x[0], x[1]);
    if (!(std::isfinite(parent.mu) && std::isfinite(parent.sigma) && parent.sigma > 0)) return false;
    mu = parent.mu;
    sigma = parent.sigma;
    return true;
}

}  // namespace Zr::Math
