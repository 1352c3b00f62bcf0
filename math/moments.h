// The four moments that the moment functions of every distribution report.
#pragma once

namespace Zr::Math {

struct Moments {
    double mean;
    double stdev;
    double skew;
    double kurt;  // excess kurtosis
};

}  // namespace Zr::Math
