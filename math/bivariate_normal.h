// The bivariate standard normal with correlation rho: density, and
// distribution function by Drezner's Gauss quadrature. None throws.
#pragma once

namespace Zr::Math {

double BiNormPdf(double a, double b, double rho);
double BiNormCdf(double a, double b, double rho);
double BiNormQuad(double a, double b, double rho);   // a, b, rho <= 0
double BiNormSplit(double a, double b, double rho);  // where the reflections do not apply

}  // namespace Zr::Math
