// The Lanczos series for ln Gamma(x) (six coefficients, relative accuracy
// about 2e-10 for x > 0) and its derivative, used where the moment formulas
// need a log-gamma and the Weibull fit its Jacobian.
#include <cmath>

#include "math/log_gamma.h"

namespace Zr::Math {
namespace {

constexpr double kLanczos[6] = {76.18009172947146,     -86.50532032941678,    24.01409824083091,
                                -1.231739572450155,    0.001208650973866179, -5.395239384953e-06};

double Series(double x) {
    double s = 1.000000000190015;
    for (int i = 0; i < 6; ++i) s += kLanczos[i] / (x + (i + 1));
    return s;
}

}  // namespace

double LogGamma(double x) {
    return std::log(2.5066282746310007 * Series(x) / x) - (x + 5.5 - (x + 0.5) * std::log(x + 5.5));
}

double LogGammaDeriv(double x) {
    double derivative = 0.0;
    for (int i = 0; i < 6; ++i) {
        const double d = x + (i + 1);
        derivative -= kLanczos[i] / (d * d);
    }
    return derivative / Series(x) - (1.0 / x + 1.0 - std::log(x + 5.5) - (x + 0.5) / (x + 5.5));
}

}  // namespace Zr::Math
