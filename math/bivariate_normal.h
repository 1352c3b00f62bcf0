// The bivariate standard normal with correlation rho: density, and
// distribution function by Drezner's Gauss quadrature. None throws.
#pragma once

namespace Zr::Math {

double BiNormPdf(double a, double b, double rho);
double BiNormCdf(double a, double b, double rho);

}  // namespace Zr::Math
