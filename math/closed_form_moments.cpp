#include "math/closed_form_moments.h"

#include <cmath>

namespace Zr::Math {
namespace {

constexpr double kZeta3 = 1.20205690315959;
constexpr double kPiCubed = 31.006276680299724;  // kPi cubed

}  // namespace

Moments BetaMoments(double alpha, double beta) {
    const double s = alpha + beta, product = alpha * beta;
    const double v = product / ((s + 1) * s * s);
    const double skew = 2 * (beta - alpha) * std::sqrt(s + 1) / ((s + 2) * std::sqrt(product));
    const double kurt = 6 *
                        (alpha * alpha * alpha - (2 * beta - 1) * alpha * alpha + beta * beta * (beta + 1) -
                         2 * product * (beta + 2)) /
                        ((s + 2) * product * (s + 3));
    return {alpha / s, v > 0 ? std::sqrt(v) : 0.0, skew, kurt};
}

Moments ChiSqMoments(int32_t n) {
    const double nd = n;
    return {nd, std::sqrt(2 * nd), std::sqrt(8 / nd), 12 / nd};
}

Moments GammaMoments(double alpha, double beta) {
    return {alpha * beta, std::sqrt(alpha) * beta, 2 / std::sqrt(alpha), 6 / alpha};
}

Moments GumbelMoments(double alpha, double beta) {
    return {beta * kEulerGamma + alpha, beta * kPi / std::sqrt(6.0), std::sqrt(6.0) * 12 * kZeta3 / kPiCubed, 2.4};
}

Moments LogisticMoments(double m, double b) { return {m, b * kPi / std::sqrt(3.0), 0.0, 1.2}; }

// With e = exp(s^2) the textbook forms are sqrt((e - 1) e), sqrt(e - 1)(e + 2)
// and e^4 + 2e^3 + 3e^2 - 6. They are written in x = e - 1, taken by expm1,
// because for small s the difference e - 1 and the kurtosis sum cancel: they
// lose 2e-11 of their value at s = 1e-3, and that grows as 1/s^2.
Moments LogNormMoments(double m, double s) {
    const double x = std::expm1(s * s), scale = std::exp(m);
    return {std::sqrt(x + 1) * scale, std::sqrt(x * (x + 1)) * scale, std::sqrt(x) * (x + 3),
            x * (16 + x * (15 + x * (6 + x)))};
}

Moments PoissonMoments(double mean) { return {mean, std::sqrt(mean), 1 / std::sqrt(mean), 1 / mean}; }

Moments TriangularMoments(double min, double max, double mode) {
    const double q = min * min + max * max + mode * mode - min * mode - max * mode - min * max;
    const double sd = std::sqrt(q / 18);
    const double skew =
        (min + max - 2 * mode) * (2 * min - max - mode) * (min - 2 * max + mode) / (270 * sd * sd * sd);
    return {(min + max + mode) / 3, sd, skew, -0.6};
}

double FMean(int32_t n2) {
    const double d2 = n2;
    return d2 / (d2 - 2);
}

double FStdev(int32_t n1, int32_t n2) {
    const double d1 = n1, d2 = n2, n = d1 + d2 - 2;
    return std::sqrt(2 * d2 * d2 * n / (d1 * (d2 - 2) * (d2 - 2) * (d2 - 4)));
}

double FSkew(int32_t n1, int32_t n2) {
    const double d1 = n1, d2 = n2, n = d1 + d2 - 2;
    return std::sqrt(8 * (d2 - 4)) * (2 * d1 + d2 - 2) / (std::sqrt(n * d1) * (d2 - 6));
}

double FKurt(int32_t n1, int32_t n2) {
    const double d1 = n1, d2 = n2, n = d1 + d2 - 2;
    return 12 * ((d2 - 2) * (d2 - 2) * (d2 - 4) + (5 * d2 - 22) * d1 * n) / ((d2 - 6) * d1 * (d2 - 8) * n);
}

double TStdev(int32_t n) {
    const double d = n;
    return std::sqrt(d / (d - 2));
}

double TKurt(int32_t n) { return 6 / (double(n) - 4); }

}  // namespace Zr::Math
