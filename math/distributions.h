// Densities, distribution functions, quantiles and moments of the add-in's
// distributions. The standard ones are Boost.Math evaluations under a guard
// that turns every library error into NaN; the rest are the add-in's own
// formulas. All are pure functions, safe on any thread; none throws.
#pragma once

#include <cstdint>

#include "math/constants.h"
#include "math/log_gamma.h"
#include "math/moments.h"

namespace Zr::Math {

// --- Guarded Boost.Math evaluations (NaN on any library error) ------------------
double NormPdf(double x);
double NormCdf(double x);
double NormInv(double p);
double BetaPdf(double x, double alpha, double beta);
double BetaCdf(double x, double alpha, double beta);
double BetaInv(double p, double alpha, double beta);
double ChiSqPdf(double x, int32_t n);
double ChiSqCdf(double x, int32_t n);
double ChiSqInv(double p, int32_t n);
double FPdf(double x, int32_t n1, int32_t n2);
double FCdf(double x, int32_t n1, int32_t n2);
double FInv(double p, int32_t n1, int32_t n2);
double GammaPdf(double x, double alpha, double beta);  // shape alpha, scale beta
double GammaCdf(double x, double alpha, double beta);
double GammaInv(double p, double alpha, double beta);
double LogisticPdf(double x, double m, double b);
double LogisticCdf(double x, double m, double b);
double LogisticInv(double p, double m, double b);
double PoissonPdf(int32_t k, double mean);
double PoissonCdf(int32_t k, double mean);
double PoissonInv(double p, double mean);
double TPdf(double x, int32_t n);
double TCdf(double x, int32_t n);
double TInv(double p, int32_t n);
double TriangularPdf(double x, double min, double max, double mode);
double TriangularCdf(double x, double min, double max, double mode);
double TriangularInv(double p, double min, double max, double mode);
double WeibullPdf(double x, double alpha, double beta);  // shape alpha, scale beta
double WeibullCdf(double x, double alpha, double beta);
double WeibullInv(double p, double alpha, double beta);

// --- Own formulas ---------------------------------------------------------------
double LogNormPdf(double x, double m, double s);
double LogNormCdf(double x, double m, double s);
double LogNormInv(double p, double m, double s);

double GumbelPdf(double x, double alpha, double beta);  // location alpha, scale beta
double GumbelCdf(double x, double alpha, double beta);
double GumbelInv(double p, double alpha, double beta);

double ChiPdf(double x, int32_t n);
double ChiCdf(double x, int32_t n);

Moments ChiMoments(int32_t n);

double WeibullRawMoment(double alpha, double beta, int k);  // k = 1..4
Moments WeibullMoments(double alpha, double beta);

double BiNormPdf(double a, double b, double rho);
double BiNormCdf(double a, double b, double rho);
double BiNormQuad(double a, double b, double rho);   // a, b, rho <= 0
double BiNormSplit(double a, double b, double rho);  // where the reflections do not apply

// Truncated normal on [a, b] with parent normal (mu, sigma).
double TruncNormPdf(double x, double a, double b, double mu, double sigma);
double TruncNormCdf(double x, double a, double b, double mu, double sigma);
double TruncNormInv(double p, double a, double b, double mu, double sigma);
double TruncNormMean(double a, double b, double mu, double sigma);
double TruncNormVar(double a, double b, double mu, double sigma);
double TruncNormStdev(double a, double b, double mu, double sigma);
double TruncNormSkew(double a, double b, double mu, double sigma);
double TruncNormKurt(double a, double b, double mu, double sigma);

// Johnson SU with shapes gamma, delta, scale lambda, location xi.
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

}  // namespace Zr::Math
