// The log-normal distribution through the standard normal functions of ln x,
// and its moments and fit in closed form.
#include "math/log_normal.h"

#include <cmath>

#include "math/normal.h"

namespace Zr::Math {

double LogNormPdf(double x, double m, double s) { return NormPdf((std::log(x) - m) / s) / s / x; }

double LogNormCdf(double x, double m, double s) { return NormCdf((std::log(x) - m) / s); }

double LogNormInv(double p, double m, double s) { return std::exp(NormInv(p) * s + m); }

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
