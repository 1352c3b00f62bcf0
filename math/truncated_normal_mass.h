// The truncated normal's distribution function, density and quantile in the
// form that keeps its digits where the prescribed differences of normal tail
// probabilities do not: narrow supports, supports far out in a tail, and
// probabilities near the ends (truncated_normal.cpp chooses between them).
#pragma once

namespace Zr::Math {

// The normal (mu, sigma) on [a, b], a < b, sigma > 0. Every mass is relative
// to the parent's density at the support's mode (the point of [a, b] nearest
// mu), which cancels from every result and so never underflows, and every
// width is formed from a difference of the arguments, never of standardized
// points, so that a narrow support keeps its digits.
class TruncatedNormalMass {
public:
    TruncatedNormalMass(double a, double b, double mu, double sigma);

    double Cdf(double x) const;
    double Pdf(double x) const;
    // The point whose distribution function is p, 0 < p < 1, by Newton's
    // method from start (any value; a guess inside [a, b] saves steps).
    double Inv(double p, double start) const;

private:
    double a_, b_, mu_, sigma_, mode_;

    long double Position(double x) const { return (static_cast<long double>(x) - mu_) / sigma_; }
    long double Density(double x) const;
    long double Mass(double x1, double x2) const;
    long double Reach(long double m, double end, double away) const;
};

}  // namespace Zr::Math
