// ln Gamma(x) by the Lanczos series, for the moment formulas, the Weibull fit
// and the samplers' acceptance tests.
#pragma once

namespace Zr::Math {

double LogGamma(double x);       // Lanczos series
double LogGammaDeriv(double x);  // its derivative

}  // namespace Zr::Math
