// The Gumbel distribution of the largest value, location alpha, scale beta.
#include <cmath>

#include "distributions.h"

namespace Zr::Math {

double GumbelPdf(double x, double alpha, double beta) {
    const double t = std::exp(-(x - alpha) / beta);
    // Far below the location t overflows and exp(-t) * t would be 0 * inf;
    // the density there is 0.
    if (std::isinf(t)) return 0.0;
    return std::exp(-t) * t / beta;
}

double GumbelCdf(double x, double alpha, double beta) { return std::exp(-std::exp(-(x - alpha) / beta)); }

double GumbelInv(double p, double alpha, double beta) { return alpha - beta * std::log(-std::log(p)); }

}  // namespace Zr::Math
