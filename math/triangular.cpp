// The triangular distribution: density, distribution function and quantile
// in closed form, accurate near the ends and the mode at any scale (Boost.Math
// decides only the triangles it rejects), and the moments in closed form. The
// fit is in triangular_fit.cpp.
#include "math/triangular.h"

#include <algorithm>
#include <boost/math/distributions/triangular.hpp>
#include <cmath>

#include "math/boost_guard.h"

namespace Zr::Math {
namespace {

using namespace BoostGuard;

auto Triangular(double min, double max, double mode) {
    return [=] { return bm::triangular_distribution<double>(min, mode, max); };
}

// The triangles Boost.Math accepts; any other goes to it for its NaN.
bool Inside(double min, double max, double mode) {
    return std::isfinite(min) && std::isfinite(max) && min < max && min <= mode && mode <= max;
}

// Differences in long double: exact or nearly so, and neither overflowing
// nor underflowing in products of two or three.
using Long = long double;
Long Minus(double a, double b) { return static_cast<Long>(a) - b; }

// a + b exactly as hi + lo (Knuth's two-sum).
struct Sum {
    double hi, lo;
};
Sum TwoSum(double a, double b) {
    const double s = a + b, v = s - a;
    return {s, (a - (s - v)) + (b - v)};
}

// (mode - min) - p (max - min) without rounding the widths (two-sums) or the
// product (fma): its sign puts p on either side of the mode's probability,
// and near it this small difference is what the quantile's distance from
// the mode is made of. The widths must be finite.
double BelowMode(double p, double min, double max, double mode) {
    const Sum w = TwoSum(max, -min), m = TwoSum(mode, -min);
    const double wp = w.hi * p;
    return (m.hi - wp) - std::fma(w.hi, p, -wp) + (m.lo - w.lo * p);
}

// TriangularInv past its textbook form: from the nearer of the ends and the mode.
double NearEndsOrMode(double p, double min, double max, double mode) {
    // A width beyond the largest double: the triangle halved has the quantile halved.
    if (std::isinf(max - min)) return 2 * TriangularInv(p, min / 2, max / 2, mode / 2);
    const double d = BelowMode(p, min, max, mode), q = 1 - p;
    if (d == 0) return mode;
    const Long width = Minus(max, min);
    if (d > 0) {
        const Long left = Minus(mode, min), s = std::sqrt(width * left * p);
        return static_cast<double>(4 * width * p < left ? min + s : mode - d * (left / (left + s)));
    }
    const Long right = Minus(max, mode), s = std::sqrt(width * right * q);
    return static_cast<double>(4 * width * q < right ? max - s : mode - d * (right / (right + s)));
}

}  // namespace

double TriangularPdf(double x, double min, double max, double mode) {
    if (!Inside(min, max, mode) || !std::isfinite(x)) return Pdf(Triangular(min, max, mode), x);
    if (x < min || x > max) return 0.0;
    if (x == min || x == max) return mode == x ? static_cast<double>(2 / Minus(max, min)) : 0.0;
    const Long width = Minus(max, min);
    return static_cast<double>(x <= mode ? 2 * Minus(x, min) / (width * Minus(mode, min))
                                         : 2 * Minus(max, x) / (width * Minus(max, mode)));
}

// Above the mode the textbook 1 - (max - x)^2 / ((max - min)(max - mode))
// cancels where the mode is near min; written as (mode - min + (x - mode)
// (2 max - mode - x) / (max - mode)) / (max - min) every term is positive.
double TriangularCdf(double x, double min, double max, double mode) {
    if (!Inside(min, max, mode) || !std::isfinite(x)) return Cdf(Triangular(min, max, mode), x);
    if (x <= min) return 0.0;
    if (x >= max) return 1.0;
    const Long width = Minus(max, min);
    if (x <= mode) return static_cast<double>(Minus(x, min) * Minus(x, min) / (width * Minus(mode, min)));
    const Long right = Minus(max, mode);
    return static_cast<double>((Minus(mode, min) + Minus(x, mode) * (right + Minus(max, x)) / right) / width);
}

// min + sqrt((max - min)(mode - min) p) below the mode's probability, max -
// sqrt((max - min)(max - mode)(1 - p)) above it. In double these keep 6e-15
// of the quantile x where their last sum does not cancel, |x| at least 1/16
// of the larger of |min| and |max|, and no product overflows or underflows
// far enough to matter (that larger one between 1e-100 and 1e150).
// Elsewhere each is taken from the nearer of its end and the mode: near the
// mode as mode -+ d (mode - min) / (mode - min + sqrt(...)) with d =
// BelowMode, which would otherwise be lost in the difference of the square
// root and the mode's distance.
double TriangularInv(double p, double min, double max, double mode) {
    if (!Inside(min, max, mode) || !(p >= 0 && p <= 1)) return Quantile(Triangular(min, max, mode), p);
    if (p == 0) return min;
    if (p == 1) return max;
    return TriangularQuantile(min, max, mode)(p);
}

double TriangularQuantile::Otherwise(double p) const {
    if (!Inside(min_, max_, mode_) || !(p > 0 && p < 1)) return TriangularInv(p, min_, max_, mode_);
    return NearEndsOrMode(p, min_, max_, mode_);
}

// The products are grouped as the textbook's (max - min)(mode - min) p, so
// the values are the same whether the constants are kept or not.
TriangularQuantile::TriangularQuantile(double min, double max, double mode)
    : min_(min), max_(max), mode_(mode), p0_((mode - min) / (max - min)), left_((max - min) * (mode - min)),
      right_((max - min) * (max - mode)), size_(std::max(std::abs(min), std::abs(max))),
      textbook_(Inside(min, max, mode) && size_ >= 1e-100 && size_ <= 1e150) {}

Moments TriangularMoments(double min, double max, double mode) {
    const double q = min * min + max * max + mode * mode - min * mode - max * mode - min * max;
    const double sd = std::sqrt(q / 18);
    const double skew =
        (min + max - 2 * mode) * (2 * min - max - mode) * (min - 2 * max + mode) / (270 * sd * sd * sd);
    return {(min + max + mode) / 3, sd, skew, -0.6};
}

}  // namespace Zr::Math
