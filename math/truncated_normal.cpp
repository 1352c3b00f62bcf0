// The normal distribution (mu, sigma) truncated to [a, b]. Probabilities are
// taken from the tail that holds the support: above mu, Phi(beta) - Phi(alpha)
// would cancel to nothing (to 0 from 8.3 standard deviations on), so the
// upper tail's mass is taken as Phi(-alpha) - Phi(-beta) instead.
//
// The distribution function, density and quantile keep these differences
// where a bound on their rounding error stays below 2e-14 of the result;
// elsewhere (a support narrow against its distance from mu, or beyond 37
// standard deviations, a point or probability near an end of a wide one) they
// take the masses of truncated_normal_mass.cpp.
#include "math/truncated_normal.h"

#include <cmath>
#include <limits>

#include "math/careful_forms.h"
#include "math/normal.h"
#include "math/truncated_normal_mass.h"

namespace Zr::Math {
namespace {

// Below this sigma the moments are those of the untruncated parent, clamped.
constexpr double kNarrowSigma = 1e-5;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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

// x clamped into [a, b]; NaN stays NaN.
double Clamp(double x, double a, double b) { return x < a ? a : x > b ? b : x; }


// A tail T(y) of the prescribed form (Phi(-y) above mu, else Phi(y)) with its
// absolute error: y = (x - mu)/sigma carries two roundings, which move T by
// 2|y| phi(y) of them, and the normal function adds three of its own.
struct Tail {
    double value, error;
};

Tail TailAt(const Standardized& s, double y) {
    const double value = NormCdf(s.upper ? -y : y);
    return {value, (2 * std::abs(y) * NormPdf(y) + 3 * value) * kRounding};
}

// The prescribed mass between y1 <= y2, a difference of tails, and its
// relative error: the tails' errors over the difference, where they cancel.
struct Difference {
    double value, error;
};

Difference Between(const Standardized& s, double y1, double y2) {
    const Tail t1 = TailAt(s, y1), t2 = TailAt(s, y2);
    const double value = s.upper ? t1.value - t2.value : t2.value - t1.value;
    return {value, (t1.error + t2.error) / value + kRounding};
}

}  // namespace

// phi(t) loses 2 t^2 roundings to t's and t^2/2 of its own.
double TruncNormPdf(double x, double a, double b, double mu, double sigma) {
    const Standardized s = Standardize(a, b, mu, sigma);
    const double t = (x - mu) / sigma, error = (2.5 * t * t + 3) * kRounding + Between(s, s.alpha, s.beta).error;
    if (error <= kTolerance) return NormPdf(t) / sigma / s.z;
    return TruncatedNormalMass(a, b, mu, sigma).Pdf(x);
}

double TruncNormCdf(double x, double a, double b, double mu, double sigma) {
    const Standardized s = Standardize(a, b, mu, sigma);
    const double t = (x - mu) / sigma;
    if (Between(s, s.alpha, t).error + Between(s, s.alpha, s.beta).error <= kTolerance)
        return MassFromAlpha(s, t) / s.z;
    return TruncatedNormalMass(a, b, mu, sigma).Cdf(x);
}

// The prescribed point Phi^-1(q), q = Phi(alpha) + z p (or its upper-tail
// mirror), moves by q's error over phi at the point, and mu + sigma t by its
// own roundings: the bound is taken relative to the result.
TruncNormQuantile::TruncNormQuantile(double a, double b, double mu, double sigma) : a_(a), b_(b), mu_(mu), sigma_(sigma) {
    const Standardized s = Standardize(a, b, mu, sigma);
    const Tail ta = TailAt(s, s.alpha);
    mass_ = s.z;
    tail_ = ta.value;
    tailError_ = ta.error;
    massError_ = Between(s, s.alpha, s.beta).error;
    upper_ = s.upper;
}

double TruncNormQuantile::operator()(double p) const {
    // The ends of the support exactly, where the normal quantile would be
    // asked for a probability of 0 or 1.
    if (p == 0) return a_;
    if (p == 1) return b_;
    const double m = mass_ * p, q = upper_ ? tail_ - m : tail_ + m;
    // The normal quantile of 0 or 1 (the support's mass underflowed) raises, which is slow.
    if (!(q > 0 && q < 1)) return Clamp(TruncatedNormalMass(a_, b_, mu_, sigma_).Inv(p, kNaN), a_, b_);
    // The standard point whose mass from alpha is m: q is the tail there.
    const double t = upper_ ? -NormInv(q) : NormInv(q), x = Clamp(t * sigma_ + mu_, a_, b_);
    const double qError = tailError_ + m * (massError_ + kRounding) + q * kRounding;
    const double tError = qError / NormPdf(t) + 4 * std::abs(t) * kRounding;
    if ((sigma_ * tError + (std::abs(t * sigma_) + std::abs(x)) * kRounding) / std::abs(x) <= kTolerance) return x;
    return Clamp(TruncatedNormalMass(a_, b_, mu_, sigma_).Inv(p, x), a_, b_);
}

double TruncNormInv(double p, double a, double b, double mu, double sigma) {
    if (p == 0) return a;  // before the tails are worked out
    if (p == 1) return b;
    return TruncNormQuantile(a, b, mu, sigma)(p);
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
