// The standard normal functions at a point carried in long double, for the
// careful paths of the families built on the normal: a double would round the
// point by up to 1e-16 of its value, which moves the result by x^2 1e-16 in
// the tails. Correct to a few roundings. The density and quantile stay in long
// double: the density's range reaches far below the double's. Kept apart from
// normal.cpp so that the double functions' code is as before.
#pragma once

namespace Zr::Math {

long double NormPdfExtended(long double x);
double NormCdfExtended(long double x);
long double NormInvExtended(double p);

}  // namespace Zr::Math
