// The standard normal distribution: Boost.Math evaluations, NaN on any
// library error. Pure functions, safe on any thread; none throws.
#pragma once

namespace Zr::Math {

double NormPdf(double x);
double NormCdf(double x);
double NormInv(double p);

}  // namespace Zr::Math
