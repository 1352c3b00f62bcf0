// The log-normal distribution through the standard normal functions of ln x.
#include <cmath>

#include "distributions.h"

namespace Zr::Math {

double LogNormPdf(double x, double m, double s) { return NormPdf((std::log(x) - m) / s) / s / x; }

double LogNormCdf(double x, double m, double s) { return NormCdf((std::log(x) - m) / s); }

double LogNormInv(double p, double m, double s) { return std::exp(NormInv(p) * s + m); }

}  // namespace Zr::Math
