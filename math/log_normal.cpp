// The log-normal distribution through the standard normal functions of ln x,
// and its moments and fit in closed form.
#include "math/log_normal.h"

#include <algorithm>
#include <cmath>

#include "math/careful_forms.h"
#include "math/normal.h"
#include "math/normal_extended.h"

namespace Zr::Math {
namespace {

// The rounding error the prescribed forms may carry, in roundings.
constexpr double kLimit = kTolerance / kRounding;

// (ln x - m)/s with ln x to about 1e-19 absolute: the double form loses ln x's
// own rounding (|ln x| 1e-16) to the cancellation in ln x - m and to the
// division by a small s. The residual x e^-l - 1 of l = log(x) is ln x - l to
// first order.
long double PreciseStandardPoint(double x, double m, double s) {
    const double l = std::log(x);
    const long double residual = x / std::exp(static_cast<long double>(l)) - 1;
    return ((static_cast<long double>(l) - m) + residual) / s;
}

// t = (ln x - m)/s carries |ln x|/s + 2|t| roundings (absolute), and the bounds
// below are multiplied through by s to spare a division. Both hold where
// |t| <= 6 and |ln x| <= 14 s, the common case, which is tested first.
bool Ordinary(double l, double t, double s) { return std::abs(t) <= 6 && std::abs(l) <= 14 * s; }

}  // namespace

// The prescribed phi(t)/s/x where it keeps its digits: phi loses t times t's
// error, and t^2/2 roundings of its own.
double LogNormPdf(double x, double m, double s) {
    const double l = std::log(x), t = (l - m) / s;
    if (Ordinary(l, t, s) || (2.5 * t * t + 3) * s + std::abs(t * l) <= kLimit * s) return NormPdf(t) / s / x;
    // In long double throughout: phi(t) may underflow where phi(t)/(s x) does not.
    const long double tp = PreciseStandardPoint(x, m, s);
    return static_cast<double>(NormPdfExtended(tp) / s / x);
}

// Phi(t) moves by t's error times phi/Phi, at most max(1, -t).
double LogNormCdf(double x, double m, double s) {
    const double l = std::log(x), t = (l - m) / s;
    if (Ordinary(l, t, s) || (std::abs(l) + 2 * std::abs(t) * s) * std::max(1.0, -t) <= kLimit * s) return NormCdf(t);
    return NormCdfExtended(PreciseStandardPoint(x, m, s));
}

// exp(y) moves by y's absolute error: the quantile's few roundings of q s and
// the sum's of y, so a large exponent takes the quantile and the sum in long
// double.
double LogNormInv(double p, double m, double s) {
    const double qs = NormInv(p) * s, y = qs + m;
    if (6 * std::abs(qs) + std::abs(y) <= kLimit) return std::exp(y);
    return static_cast<double>(std::exp(NormInvExtended(p) * s + m));
}

// With e = exp(s^2) the textbook forms are sqrt((e - 1) e), sqrt(e - 1)(e + 2)
// and e^4 + 2e^3 + 3e^2 - 6. They are written in x = e - 1, taken by expm1,
// because for small s the difference e - 1 and the kurtosis sum cancel: they
// lose 2e-11 of their value at s = 1e-3, and that grows as 1/s^2.
Moments LogNormMoments(double m, double s) {
    const double x = std::expm1(s * s), scale = std::exp(m);
    return {std::sqrt(x + 1) * scale, std::sqrt(x * (x + 1)) * scale, std::sqrt(x) * (x + 3),
            x * (16 + x * (15 + x * (6 + x)))};
}

// ln x with x = 1 + (stdev/mean)^2 is taken by log1p: formed as 1 + r^2 it
// keeps only the leading digits of a small r^2 (s had lost 4e-5 of its value
// at stdev/mean = 1e-6).
bool LogNormFit(double mean, double stdev, double& m, double& s) {
    if (stdev <= 0 || mean <= 0) return false;
    const double r = stdev / mean, logX = std::log1p(r * r);
    m = std::log(mean) - 0.5 * logX;
    s = std::sqrt(logX);
    return true;
}

}  // namespace Zr::Math
