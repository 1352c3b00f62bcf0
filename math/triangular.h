// The triangular distribution on [min, max] with its peak at mode. Density,
// distribution function and quantile are Boost.Math evaluations, NaN on any
// library error; the moments are closed forms, the fit is solved by
// Newton-Raphson (triangular_fit.cpp). None throws.
#pragma once

#include <cmath>

#include "math/moments.h"

namespace Zr::Math {

double TriangularPdf(double x, double min, double max, double mode);
double TriangularCdf(double x, double min, double max, double mode);
double TriangularInv(double p, double min, double max, double mode);

// The quantile of one triangle with its constants worked out once, for a
// sampler's many quantiles: the textbook form in double where it holds its
// accuracy, else TriangularInv, so every value is TriangularInv's.
class TriangularQuantile {
public:
    TriangularQuantile() = default;
    TriangularQuantile(double min, double max, double mode);

    double operator()(double p) const {
        if (textbook_ && p > 0 && p < 1) {
            const double x = Textbook(p);
            if (std::abs(x) * 16 >= size_) return x;
        }
        return Otherwise(p);
    }

private:
    // min + sqrt((max - min)(mode - min) p) below the mode's probability,
    // max - sqrt((max - min)(max - mode)(1 - p)) above it. It serves for a
    // valid triangle whose larger end is between 1e-100 and 1e150 in size,
    // where |x| is at least 1/16 of that size.
    double Textbook(double p) const {
        if (p < p0_) return std::sqrt(left_ * p) + min_;
        if (p == p0_) return mode_;
        return max_ - std::sqrt(right_ * (1 - p));
    }
    // TriangularInv's value where the textbook form does not serve.
    double Otherwise(double p) const;

    double min_ = 0, max_ = 1, mode_ = 0.5;
    double p0_ = 0.5, left_ = 0.5, right_ = 0.5, size_ = 1;
    bool textbook_ = false;
};
Moments TriangularMoments(double min, double max, double mode);
// The triangle with this mean, standard deviation and skewness: true with it
// written, or false with the outputs untouched. Needs skew^2 < 0.32, the
// skewness of a right triangle.
bool TriangularFit(double mean, double stdev, double skew, double& min, double& max, double& mode);

}  // namespace Zr::Math
