// The uniform asymptotic expansion of I_x(a, b) for large a and b (Temme
// 1992; DiDonato and Morris, ACM TOMS 18, 1992, algorithm BASYM): with
// f = a rlog1(-lambda/a) + b rlog1(lambda/b), where rlog1(u) = u - ln(1 + u),
//   I_x(a, b) = e0 e^-f e^-bcorr (J0 + d0 w0 J1 + d1 w0^2 J0' + ...),
// the J's built from erfc(sqrt f) by a two-term recursion and the d's from
// the shape ratio alone. The terms fall like f / shape, so a few suffice
// near the mean and the series stops settling far out.
#include "math/beta_asymptotic.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "math/normal.h"

namespace Zr::Math {
namespace {

using Real = long double;

constexpr Real kMinShape = 1000, kTolerance = 1e-17L;
constexpr int kTerms = 20;  // even
constexpr Real kE0 = 1.1283791670955125738961589031215452L;  // 2 / sqrt(pi)
constexpr Real kE1 = 0.3535533905932737622004221810524245L;  // 2^-3/2
constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();

// u - ln(1 + u) to full relative precision: with v = u / (2 + u),
// ln(1 + u) = 2 atanh v, so u - ln(1 + u) = u v - 2 (v^3/3 + v^5/5 + ...).
Real Rlog1(Real u) {
    if (std::abs(u) > 0.1L) return u - std::log1p(u);
    const Real v = u / (2 + u), v2 = v * v;
    Real sum = 0;
    for (int k = 19; k >= 3; k -= 2) sum = sum * v2 + 1.0L / k;
    return u * v - 2 * v * v2 * sum;
}

// ln Gamma(z) less its Stirling approximation; three terms are exact to
// long double from z = 1000 on.
Real StirlingRest(Real z) {
    const Real r = 1 / z, r2 = r * r;
    return r * (1.0L / 12 - r2 * (1.0L / 360 - r2 / 1260));
}

// ln B(a, b) less its Stirling approximation, with the sign that makes
// e^-Correction the factor of the expansion.
Real Correction(Real a, Real b) { return StirlingRest(a) + StirlingRest(b) - StirlingRest(a + b); }

Real Exponent(Real a, Real b, Real lambda) { return a * Rlog1(-lambda / a) + b * Rlog1(lambda / b); }

// The series of the expansion after its factor e0 e^-f e^-bcorr; NaN if
// its terms do not fall below the tolerance within kTerms.
Real Series(Real a, Real b, Real f) {
    const Real z0 = std::sqrt(f), z = z0 * std::sqrt(2.0L), z2 = 2 * f;
    const bool aSmaller = a < b;
    const Real h = aSmaller ? a / b : b / a, r0 = 1 / (1 + h);
    const Real r1 = (b - a) / std::max(a, b), w0 = 1 / std::sqrt(std::min(a, b) * (1 + h));
    // The terms fall like f w0^2: beyond this they do not settle in time.
    if (f * w0 * w0 > 0.2L) return kNaN;

    Real a0[kTerms + 1], b0[kTerms + 1], c[kTerms + 1], d[kTerms + 1];
    a0[0] = r1 * 2 / 3;
    c[0] = -a0[0] / 2;
    d[0] = -c[0];
    Real j0 = 0.5L / kE0 * std::exp(f) * std::erfc(z0), j1 = kE1;
    Real sum = j0 + d[0] * w0 * j1;
    Real s = 1, hn = 1, w = w0, znm1 = z, zn = z2;
    for (int n = 2; n <= kTerms; n += 2) {
        hn *= h * h;
        a0[n - 1] = 2 * r0 * (1 + h * hn) / (n + 2);
        s += hn;
        a0[n] = 2 * r1 * s / (n + 3);
        // The next two coefficients d[n - 1] and d[n], through the power
        // series b0 of (1 + a0 series)^r and c.
        for (int i = n; i <= n + 1; ++i) {
            const Real r = -0.5L * (i + 1);
            b0[0] = r * a0[0];
            for (int m = 2; m <= i; ++m) {
                Real bsum = 0;
                for (int j = 1; j < m; ++j) bsum += (j * r - (m - j)) * a0[j - 1] * b0[m - j - 1];
                b0[m - 1] = r * a0[m - 1] + bsum / m;
            }
            c[i - 1] = b0[i - 1] / (i + 1);
            Real dsum = 0;
            for (int j = 1; j < i; ++j) dsum += d[i - j - 1] * c[j - 1];
            d[i - 1] = -(dsum + c[i - 1]);
        }
        j0 = kE1 * znm1 + (n - 1) * j0;
        j1 = kE1 * zn + n * j1;
        znm1 *= z2;
        zn *= z2;
        w *= w0;
        const Real t0 = d[n - 1] * w * j0;
        w *= w0;
        const Real t1 = d[n] * w * j1;
        sum += t0 + t1;
        if (std::abs(t0) + std::abs(t1) <= kTolerance * sum) return sum;
    }
    return kNaN;
}

// -dI/dlambda = pdf(x) / (a + b), from the same exponent: x^a (1-x)^b / B(a, b)
// = sqrt(ab / (2 pi (a + b))) e^-f e^-bcorr.
Real Slope(Real a, Real b, Real lambda) {
    const Real s = a + b;
    const Real scale = std::sqrt(a * b / (2 * std::acos(-1.0L) * s));
    return scale * std::exp(-Exponent(a, b, lambda) - Correction(a, b)) * s / ((a - lambda) * (b + lambda));
}

}  // namespace

long double BetaAsymptoticTail(Real a, Real b, Real lambda) {
    if (!(std::min(a, b) >= kMinShape && lambda >= 0 && lambda < a)) return kNaN;
    const Real f = Exponent(a, b, lambda);
    // Beyond e^-800 the tail is below the smallest double.
    if (f > 800) return 0;
    return kE0 * std::exp(-f - Correction(a, b)) * Series(a, b, f);
}

long double BetaAsymptoticCdf(Real a, Real b, Real lambda) {
    return lambda >= 0 ? BetaAsymptoticTail(a, b, lambda) : 1 - BetaAsymptoticTail(b, a, -lambda);
}

long double BetaAsymptoticInvLambda(double p, Real a, Real b) {
    if (!(p > 0 && p < 1)) return kNaN;
    // Solve in the smaller tail, I_{1-x}(b, a) = 1 - p above the median, so
    // that its digits count; lambda changes sign with the swap.
    const bool upper = p > 0.5;
    const Real q = upper ? 1 - Real(p) : Real(p), lnQ = std::log(q);
    if (upper) std::swap(a, b);
    // ln I is concave in lambda (the density is log-concave), so the Newton
    // steps on it converge from the normal approximation without overshoot.
    Real mu = -NormInv(double(q)) * std::sqrt(a * b / (a + b + 1));
    const Real tolerance = 1e-17L * std::min(a, b);
    for (int i = 0; i < 30; ++i) {
        const Real g = BetaAsymptoticCdf(a, b, mu);
        if (!(g > 0)) return kNaN;
        const Real step = (std::log(g) - lnQ) * g / Slope(a, b, mu);
        mu += step;
        if (std::abs(step) <= tolerance) return upper ? -mu : mu;
    }
    return kNaN;
}

}  // namespace Zr::Math
