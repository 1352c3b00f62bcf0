// Moments of the Weibull distribution (shape alpha, scale beta) from its raw
// moments beta^k Gamma(1 + k/alpha).
#include <cmath>

#include "distributions.h"

namespace Zr::Math {

double WeibullRawMoment(double alpha, double beta, int k) {
    double power = 1.0;
    for (int i = 0; i < k; ++i) power *= beta;
    return power * std::exp(LogGamma(k / alpha + 1));
}

Moments WeibullMoments(double alpha, double beta) {
    const double m1 = WeibullRawMoment(alpha, beta, 1), m2 = WeibullRawMoment(alpha, beta, 2);
    const double m3 = WeibullRawMoment(alpha, beta, 3), m4 = WeibullRawMoment(alpha, beta, 4);
    const double s = std::sqrt(m2 - m1 * m1);
    const double s2 = s * s, m1Cubed = m1 * m1 * m1;
    const double third = m3 - 3 * m1 * s2 - m1Cubed;
    const double kurt = (m4 - 4 * m1 * third - 6 * m1 * m1 * s2 - m1Cubed * m1) / (s2 * s2) - 3;
    return {m1, s, third / (s2 * s), kurt};
}

}  // namespace Zr::Math
