// The normal distribution (mu, sigma) truncated to [a, b]: density,
// distribution function, quantile and moments (truncated_normal.cpp), and the
// fit of the parent normal, solved by Newton-Raphson
// (truncated_normal_fit.cpp). None throws.
#pragma once

namespace Zr::Math {

double TruncNormPdf(double x, double a, double b, double mu, double sigma);
double TruncNormCdf(double x, double a, double b, double mu, double sigma);
double TruncNormInv(double p, double a, double b, double mu, double sigma);
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
