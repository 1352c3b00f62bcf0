// The four moments that the moment functions of every distribution report.
// Where a family's moments are closed forms they have no error path: a value
// that the arithmetic makes infinite or NaN is returned as it is.
#pragma once

namespace Zr::Math {

struct Moments {
    double mean;
    double stdev;
    double skew;
    double kurt;  // excess kurtosis
};

}  // namespace Zr::Math
