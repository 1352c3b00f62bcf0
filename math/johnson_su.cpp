// The Johnson SU family: X = xi + lambda sinh((Z - gamma)/delta) for a
// standard normal Z.
#include "math/johnson_su.h"

#include <algorithm>
#include <cmath>

#include "math/normal.h"

namespace Zr::Math {
namespace {

// delta asinh(u) + gamma, the standard normal point of x. For u < 0 the
// logarithm is taken of the mirrored argument, since q + u cancels there.
double NormalPoint(double x, double gamma, double delta, double lambda, double xi) {
    const double u = (x - xi) / lambda;
    const double q = std::sqrt(u * u + 1);
    const double s = u >= 0 ? std::log(q + u) : -std::log(q - u);
    return delta * s + gamma;
}

double W(double delta) { return std::exp(1 / (delta * delta)); }

}  // namespace

// Zero when gamma = 0, where rounding alone may leave it a few 1e-16 below
// zero; it is a square root's argument, so it is taken as at least 0.
double JohnsonSUMeanTerm(double w, double m) { return std::max(w - 1 - m, 0.0); }

double JohnsonSUPdf(double x, double gamma, double delta, double lambda, double xi) {
    const double u = (x - xi) / lambda;
    const double q = std::sqrt(u * u + 1);
    return NormPdf(NormalPoint(x, gamma, delta, lambda, xi)) * delta / (q * lambda);
}

double JohnsonSUCdf(double x, double gamma, double delta, double lambda, double xi) {
    return NormCdf(NormalPoint(x, gamma, delta, lambda, xi));
}

double JohnsonSUInv(double p, double gamma, double delta, double lambda, double xi) {
    return std::sinh((NormInv(p) - gamma) / delta) * lambda + xi;
}

double JohnsonSUKurt(double gamma, double delta) {
    const double w = W(delta), bigW = gamma / delta;
    const double w2 = w * w, c2 = w * std::cosh(2 * bigW) + 1;
    const double numerator = w2 * (w2 * w2 + 2 * w2 * w + 3 * w2 - 3) * std::cosh(4 * bigW) +
                             4 * w2 * (w + 2) * std::cosh(2 * bigW) + 3 * (2 * w + 1);
    return numerator / (2 * c2 * c2) - 3;
}

double JohnsonSUAuxM(double gamma, double delta) {
    const double w = W(delta), k = JohnsonSUKurt(gamma, delta);
    return std::sqrt(2 * (w * w - (k + 6) / (w * w + 2 * w + 3)) + 4) - 2;
}

double JohnsonSUStdev(double gamma, double delta, double lambda, double xi) {
    const double w = W(delta), m = JohnsonSUAuxM(gamma, delta);
    return lambda * (w - 1) * std::sqrt((w + 1) / (2 * m));
}

namespace {

// -1, 0 or +1: the sign of the skewness, opposite to gamma's.
double SkewSign(double gamma, double delta) {
    const double w = W(delta);
    const double t = JohnsonSUMeanTerm(w, JohnsonSUAuxM(gamma, delta)) * (gamma / delta);
    return t > 0 ? -1.0 : t < 0 ? 1.0 : 0.0;
}

}  // namespace

double JohnsonSUMean(double gamma, double delta, double lambda, double xi) {
    const double w = W(delta), m = JohnsonSUAuxM(gamma, delta);
    return SkewSign(gamma, delta) * JohnsonSUStdev(gamma, delta, lambda, xi) * std::sqrt(JohnsonSUMeanTerm(w, m)) /
               (w - 1) +
           xi;
}

double JohnsonSUSkew(double gamma, double delta, double lambda, double xi) {
    const double w = W(delta), bigW = gamma / delta;
    const double inner = w * (w + 2) * std::sinh(3 * bigW) + 3 * std::sinh(bigW);
    const double c2 = w * std::cosh(2 * bigW) + 1;
    return SkewSign(gamma, delta) * std::sqrt((w - 1) * w * inner * inner / (2 * c2 * c2 * c2));
}

}  // namespace Zr::Math
