// The normal distribution (mu, sigma) truncated to [a, b]. Probabilities are
// taken from the tail that holds the support: above mu, Phi(beta) - Phi(alpha)
// would cancel to nothing (to 0 from 8.3 standard deviations on), so the
// upper tail's mass is taken as Phi(-alpha) - Phi(-beta) instead.
#include "math/truncated_normal.h"

#include <cmath>
#include <limits>

#include "math/normal.h"

namespace Zr::Math {
namespace {

// Below this sigma the moments are those of the untruncated parent, clamped.
constexpr double kNarrowSigma = 1e-5;

struct Standardized {
    double alpha, beta;  // the bounds in standard units of the parent
    double z;            // the parent's mass on [a, b]
    bool upper;          // the support lies above mu: masses from the upper tail
};

Standardized Standardize(double a, double b, double mu, double sigma) {
    const double alpha = (a - mu) / sigma, beta = (b - mu) / sigma;
    const bool upper = alpha > 0;
    const double z = upper ? NormCdf(-alpha) - NormCdf(-beta) : NormCdf(beta) - NormCdf(alpha);
    return {alpha, beta, z, upper};
}

// The parent's standard mass between alpha and t.
double MassFromAlpha(const Standardized& s, double t) {
    return s.upper ? NormCdf(-s.alpha) - NormCdf(-t) : NormCdf(t) - NormCdf(s.alpha);
}

// The standard point t whose mass from alpha is m.
double PointWithMass(const Standardized& s, double m) {
    return s.upper ? -NormInv(NormCdf(-s.alpha) - m) : NormInv(m + NormCdf(s.alpha));
}

// x clamped into [a, b]; NaN stays NaN.
double Clamp(double x, double a, double b) { return x < a ? a : x > b ? b : x; }

}  // namespace

double TruncNormPdf(double x, double a, double b, double mu, double sigma) {
    return NormPdf((x - mu) / sigma) / sigma / Standardize(a, b, mu, sigma).z;
}

double TruncNormCdf(double x, double a, double b, double mu, double sigma) {
    const Standardized s = Standardize(a, b, mu, sigma);
    return MassFromAlpha(s, (x - mu) / sigma) / s.z;
}

double TruncNormInv(double p, double a, double b, double mu, double sigma) {
    // The ends of the support exactly, where the normal quantile would be
    // asked for a probability of 0 or 1.
    if (p == 0) return a;
    if (p == 1) return b;
    const Standardized s = Standardize(a, b, mu, sigma);
    return Clamp(PointWithMass(s, s.z * p) * sigma + mu, a, b);
}

double TruncNormMean(double a, double b, double mu, double sigma) {
    const Standardized s = Standardize(a, b, mu, sigma);
    if (sigma < kNarrowSigma || s.z == 0) return Clamp(mu, a, b);
    return mu + sigma * (NormPdf(s.alpha) - NormPdf(s.beta)) / s.z;
}

double TruncNormVar(double a, double b, double mu, double sigma) {
    const Standardized s = Standardize(a, b, mu, sigma);
    // Truncation cannot widen a distribution: the parent's variance bounds it.
    if (sigma < kNarrowSigma || s.z == 0) return sigma * sigma;
    const double pa = NormPdf(s.alpha), pb = NormPdf(s.beta);
    const double shift = (pa - pb) / s.z;
    return sigma * sigma * (1 + (s.alpha * pa - s.beta * pb) / s.z - shift * shift);
}

double TruncNormStdev(double a, double b, double mu, double sigma) {
    const double v = TruncNormVar(a, b, mu, sigma);
    return v > 0 ? std::sqrt(v) : 0.0;
}

namespace {

// The standardized terms of the higher moments.
struct Shape {
    double alpha, beta, pa, pb, d, e, v;
};

Shape ShapeOf(double a, double b, double mu, double sigma) {
    const Standardized s = Standardize(a, b, mu, sigma);
    const double pa = NormPdf(s.alpha) / s.z, pb = NormPdf(s.beta) / s.z;
    const double d = pb - pa, e = s.beta * pb - s.alpha * pa;
    return {s.alpha, s.beta, pa, pb, d, e, 1 - e - d * d};
}

}  // namespace

double TruncNormSkew(double a, double b, double mu, double sigma) {
    const Shape t = ShapeOf(a, b, mu, sigma);
    const double numerator = 2 * t.d * t.d * t.d + (3 * t.e - 1) * t.d + t.beta * t.beta * t.pb -
                             t.alpha * t.alpha * t.pa;
    return -numerator / std::sqrt(t.v * t.v * t.v);
}

double TruncNormKurt(double a, double b, double mu, double sigma) {
    const Shape t = ShapeOf(a, b, mu, sigma);
    const double d2 = t.d * t.d;
    const double sum = 2 * d2 * (3 * t.e + 1) + 3 * d2 * d2 +
                       4 * t.d * (t.beta * t.beta * t.pb - t.alpha * t.alpha * t.pa) + 3 * t.e +
                       (t.beta * t.beta * t.beta * t.pb - t.alpha * t.alpha * t.alpha * t.pa);
    return (3 - sum) / (t.v * t.v) - 3;
}

}  // namespace Zr::Math
