// The normal distribution (mu, sigma) truncated to [a, b]: density,
// distribution function, quantile and moments (truncated_normal.cpp), and the
// fit of the parent normal, solved by Newton-Raphson
// (truncated_normal_fit.cpp). None throws.
#pragma once

namespace Zr::Math {

double TruncNormPdf(double x, double a, double b, double mu, double sigma);
double TruncNormCdf(double x, double a, double b, double mu, double sigma);
double TruncNormInv(double p, double a, double b, double mu, double sigma);

// TruncNormInv for one distribution with what depends only on it (the
// support's mass, the tail at a, their error bounds) worked out once, for a
// column of quantiles: each value is TruncNormInv's, bit for bit.
class TruncNormQuantile {
public:
    TruncNormQuantile(double a, double b, double mu, double sigma);
    double operator()(double p) const;

private:
    double a_, b_, mu_, sigma_;
    double mass_;       // the parent's mass on [a, b]
    double tail_;       // the parent's tail at a: Phi(alpha), or Phi(-alpha) above mu
    double tailError_;  // its absolute error bound
    double massError_;  // the mass's relative error bound
    bool upper_;        // the support lies above mu
};
double TruncNormMean(double a, double b, double mu, double sigma);
double TruncNormVar(double a, double b, double mu, double sigma);
double TruncNormStdev(double a, double b, double mu, double sigma);
double TruncNormSkew(double a, double b, double mu, double sigma);
double TruncNormKurt(double a, double b, double mu, double sigma);
// The parent normal (mu, sigma > 0) whose truncation to [a, b] has this mean
// and standard deviation: true with it written, or false with the outputs
// untouched.
bool TruncNormFit(double a, double b, double mean, double stdev, double& mu, double& sigma);

}  // namespace Zr::Math
