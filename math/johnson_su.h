// The Johnson SU family with shapes gamma and delta, scale lambda and
// location xi: density, distribution function, quantile and moments
// (johnson_su.cpp), and the fit to four moments, solved by Newton-Raphson
// (johnson_su_fit.cpp). None throws.
#pragma once

namespace Zr::Math {

double JohnsonSUPdf(double x, double gamma, double delta, double lambda, double xi);
double JohnsonSUCdf(double x, double gamma, double delta, double lambda, double xi);
double JohnsonSUInv(double p, double gamma, double delta, double lambda, double xi);
double JohnsonSUKurt(double gamma, double delta);
double JohnsonSUAuxM(double gamma, double delta);
// w - 1 - m with w = exp(1/delta^2) and m = JohnsonSUAuxM, taken as at least 0.
double JohnsonSUMeanTerm(double w, double m);
double JohnsonSUStdev(double gamma, double delta, double lambda, double xi);
double JohnsonSUMean(double gamma, double delta, double lambda, double xi);
double JohnsonSUSkew(double gamma, double delta, double lambda, double xi);
// The parameters with these moments, kurt the excess kurtosis: true with them
// written, or false with them untouched. kurt must be positive, and skew^2
// below the log-normal bound that it sets.
bool JohnsonSUFit(double mean, double stdev, double skew, double kurt, double& gamma, double& delta, double& lambda,
                  double& xi);

}  // namespace Zr::Math
