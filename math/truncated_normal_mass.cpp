// The truncated normal through masses relative to the density at the mode.
// An interval [y, y + h] on one side of the parent's mean, y >= 0 its end
// nearer the mean, has the standard mass phi(y) I(y, h) with
//   I(y, h) = integral over [0, h] of exp(-y v - v^2/2) dv
//           = R(y) - exp(-h (y + h/2)) R(y + h),
// R the Mills ratio Q/phi. Where the exponent falls by less than ln 2 over
// the interval that difference would cancel, and Gauss-Legendre quadrature
// of the integral is exact to far below a rounding instead.
#include "math/truncated_normal_mass.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "math/normal.h"

namespace Zr::Math {
namespace {

constexpr double kLn2 = 0.6931471805599453;
constexpr double kCut = 40, kDecays = 800;
// Gauss-Legendre with 10 points on [0, 1]: the nodes s and 1 - s, weight w.
// On exp(-A v - B v^2) with A + B <= ln 2 its error is below 1e-20.
constexpr double kGauss[5][2] = {{0.01304673574141414, 0.03333567215434407},
                                 {0.06746831665550775, 0.0747256745752903},
                                 {0.1602952158504878, 0.10954318125799102},
                                 {0.2833023029353764, 0.13463335965499817},
                                 {0.4255628305091844, 0.14776211235737644}};

// R(y) = Q(y)/phi(y), y >= 0. Below 5 the quotient of the normal functions,
// whose argument roundings cost y^2 1e-16 at most; from 5 on Laplace's
// continued fraction 1/(y + 1/(y + 2/(y + ...))), which 36 terms bring to 1e-17.
long double Mills(long double y) {
    if (y < 5) return NormCdf(static_cast<double>(-y)) / NormPdf(static_cast<double>(y));
    long double f = y;
    for (int k = 36; k > 0; --k) f = y + k / f;
    return 1 / f;
}

// In long double, where the arguments may lie beyond the double's range (a
// support far narrower than sigma, or far more sigmas out than 1e308); the
// quadrature's terms need only double precision.
long double Integral(long double y, long double h) {
    const long double fall = h * (y + h / 2);
    if (fall > kLn2) return Mills(y) - std::exp(-fall) * Mills(y + h);
    double sum = 0;
    for (const auto& [s, w] : kGauss)
        for (const long double v : {s * h, (1 - s) * h}) sum += w * std::exp(-static_cast<double>(v * (y + v / 2)));
    return sum * h;
}

}  // namespace

TruncatedNormalMass::TruncatedNormalMass(double a, double b, double mu, double sigma)
    : a_(a), b_(b), mu_(mu), sigma_(sigma), mode_(mu < a ? a : mu > b ? b : mu) {}

// exp(-(x - mode)(x + mode - 2 mu)/(2 sigma^2)), in long double: the exponent
// reaches hundreds, and its roundings are multiplied by it.
long double TruncatedNormalMass::Density(double x) const {
    const long double d = (static_cast<long double>(x) - mode_) / sigma_;
    const long double s = ((static_cast<long double>(x) - mu_) + (static_cast<long double>(mode_) - mu_)) / sigma_;
    return std::exp(-d * s / 2);
}

// The mass of [x1, x2] from the end nearer the mean, or as two halves where
// the interval holds the mean (and so the mode).
long double TruncatedNormalMass::Mass(double x1, double x2) const {
    const long double u1 = Position(x1), u2 = Position(x2), w = (static_cast<long double>(x2) - x1) / sigma_;
    if (u1 >= 0) return Density(x1) * Integral(u1, w);
    if (u2 <= 0) return Density(x2) * Integral(-u2, w);
    return Integral(0, -u1) + Integral(0, u2);
}

double TruncatedNormalMass::Cdf(double x) const { return static_cast<double>(Mass(a_, x) / Mass(a_, b_)); }

double TruncatedNormalMass::Pdf(double x) const { return static_cast<double>(Density(x) / (sigma_ * Mass(a_, b_))); }

// The distance from the end whose mass is m, were the density exponential
// with the slope it has at the end: M(d) = D (e^(k d) - 1)/(k sigma).
long double TruncatedNormalMass::Reach(long double m, double end, double away) const {
    const long double k = away * (mu_ - static_cast<long double>(end)) / sigma_ / sigma_, q = m * sigma_ / Density(end);
    return std::abs(k * q) < 1e-10L ? q : std::log1p(k * q) / k;
}

// Newton's method on the mass M between the point and the end nearer in
// probability, as a function of the distance d from that end: that mass is
// then never a difference from 1. Far below the root the step is Newton's on
// M, which reaches a root orders of magnitude away at once where the density
// is near constant; nearer, Newton's on ln M, which is concave (the normal
// density is log-concave), so that the step does not pass the root; from
// above, Newton's on ln M taken in ln d, which cannot cross the end. Steps are
// added to the point itself, which keeps its digits where it lies far from
// that end. A step leaving the bracket of the root bisects it instead,
// geometrically while it spans orders of magnitude.
//
// The support is first cut to min(40, 800/|u|) standard deviations either
// side of the mode, u the mode's standard position: the density falls from
// the mode at least as exp(-|u| v - v^2/2), so the mass beyond is below 1e-340
// of the whole, less than any p or 1 - p that is not 0. The cut keeps the
// distances from either end representable and the density at the ends above
// e^-1600; a support cut to a single point is that point.
double TruncatedNormalMass::Inv(double p, double start) const {
    const double cut = sigma_ * std::min(kCut, kDecays / std::abs(static_cast<double>(Position(mode_))));
    const double a = std::max(a_, mode_ - cut), b = std::min(b_, mode_ + cut);
    if (!(a < b)) return mode_;
    const bool fromA = p <= 0.5;
    const double end = fromA ? a : b, away = fromA ? 1 : -1;
    const auto massTo = [&](double x) { return fromA ? Mass(a, x) : Mass(x, b); };
    const auto at = [&](long double d) { return static_cast<double>(end + away * d); };
    const auto distance = [&](double x) { return away * (static_cast<long double>(x) - end); };
    const long double target = (fromA ? p : 1 - p) * Mass(a, b);
    if (!(target > 0)) return std::numeric_limits<double>::quiet_NaN();
    // The end itself where the mass up to the next double exceeds twice the target.
    double near = std::nextafter(end, fromA ? b : a), far = fromA ? b : a;
    if (massTo(near) >= 2 * target) return end;
    double x = start;
    if (!(distance(x) > distance(near) && distance(x) < distance(far)))
        x = at(Reach(target, end, away));
    if (!(distance(x) > distance(near) && distance(x) < distance(far))) x = near;
    for (int step = 0; step < 100; ++step) {
        const long double d = distance(x), mass = massTo(x), g = std::log(mass / target);
        (g < 0 ? near : far) = x;
        const long double slope = Density(x) / (sigma_ * mass);  // d ln M / dd
        const long double shrink = g < 0 ? 0 : -g / (d * slope);  // ln d' - ln d, from above
        double next = shrink < -kLn2 ? at(d * std::exp(shrink))
                                     : static_cast<double>(x + away * (g < -1 ? std::expm1(-g) / slope : g < 0 ? -g / slope : d * std::expm1(shrink)));
        if (std::abs(g) < 1e-10L || next == x) return next;
        const long double dNear = distance(near), dFar = distance(far);
        if (!(distance(next) > dNear && distance(next) < dFar))
            next = at(dFar > 4 * dNear ? std::sqrt(dNear * dFar) : (dNear + dFar) / 2);
        if (next == near || next == far) return x;  // no double lies between: x is as near as any
        x = next;
    }
    return x;
}

}  // namespace Zr::Math
