// The Johnson SU family: X = xi + lambda sinh((Z - gamma)/delta) for a
// standard normal Z.
#include "math/johnson_su.h"

#include <algorithm>
#include <cmath>

#include "math/careful_forms.h"
#include "math/normal.h"
#include "math/normal_extended.h"

namespace Zr::Math {
namespace {

// The standard normal point z = delta asinh(u) + gamma of x, u = (x - xi)/lambda,
// and a bound on z's absolute error in roundings: u's two, asinh's one and the
// sum's. asinh neither overflows in u^2 nor cancels in q + u.
struct NormalPoint {
    double u, z, error;
};

NormalPoint PointOf(double x, double gamma, double delta, double lambda, double xi) {
    const double u = (x - xi) / lambda, ds = delta * std::asinh(u), z = ds + gamma;
    return {u, z, 2 * delta * std::min(std::abs(u), 1.0) + 2 * std::abs(ds) + std::abs(z)};
}

// z in long double, for where the double's error tells.
long double PrecisePoint(double x, double gamma, double delta, double lambda, double xi) {
    return delta * std::asinh((static_cast<long double>(x) - xi) / lambda) + gamma;
}

// sqrt(u^2 + 1), which is |u| to the last bit from 1e8 on, where u^2 may overflow.
template <class Real>
Real Hypot1(Real u) {
    return std::abs(u) < 1e8 ? std::sqrt(u * u + 1) : std::abs(u);
}

double W(double delta) { return std::exp(1 / (delta * delta)); }

}  // namespace

// Zero when gamma = 0, where rounding alone may leave it a few 1e-16 below
// zero; it is a square root's argument, so it is taken as at least 0.
double JohnsonSUMeanTerm(double w, double m) { return std::max(w - 1 - m, 0.0); }

// phi(z) moves by z times z's error, and by z^2/2 roundings of its own.
double JohnsonSUPdf(double x, double gamma, double delta, double lambda, double xi) {
    const NormalPoint p = PointOf(x, gamma, delta, lambda, xi);
    if ((p.z * p.z / 2 + std::abs(p.z) * p.error + 4) * kRounding <= kTolerance)
        return NormPdf(p.z) * delta / (Hypot1(p.u) * lambda);
    // In long double throughout: phi(z) may underflow where the density does not.
    const long double u = (static_cast<long double>(x) - xi) / lambda;
    return static_cast<double>(NormPdfExtended(PrecisePoint(x, gamma, delta, lambda, xi)) * delta / (Hypot1(u) * lambda));
}

// Phi(z) moves by z's error times phi/Phi, at most max(1, -z).
double JohnsonSUCdf(double x, double gamma, double delta, double lambda, double xi) {
    const NormalPoint p = PointOf(x, gamma, delta, lambda, xi);
    if (p.error * std::max(1.0, -p.z) * kRounding <= kTolerance) return NormCdf(p.z);
    return NormCdfExtended(PrecisePoint(x, gamma, delta, lambda, xi));
}

// sinh(w) moves by w's absolute error times coth(w), at least 1: the quantile's
// few roundings of q, and those of q - gamma and of the division. In long
// double the quantile is near exact and sinh overflows only where the
// result does.
double JohnsonSUInv(double p, double gamma, double delta, double lambda, double xi) {
    const double q = NormInv(p), w = (q - gamma) / delta;
    const double error = ((5 * std::abs(q) + std::abs(q - gamma)) / delta + std::abs(w)) * std::max(1.0, 1 / std::abs(w));
    if (error * kRounding <= kTolerance) return std::sinh(w) * lambda + xi;
    return static_cast<double>(std::sinh((NormInvExtended(p) - gamma) / delta) * lambda + xi);
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
