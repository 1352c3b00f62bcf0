// The moment and parameter worksheet functions: mean, standard deviation,
// skewness, excess kurtosis and all four as a column (Mom) of each
// distribution, and the parameters that reproduce requested moments (Param).
#pragma once

#include <cstdint>

#include "xll/xl_oper.h"

namespace Zr::Functions {

// Beta (alpha, beta).
const CXlOper* ZrBetaMean(CXlOper& result, double alpha, double beta);
const CXlOper* ZrBetaStdev(CXlOper& result, double alpha, double beta);
const CXlOper* ZrBetaSkew(CXlOper& result, double alpha, double beta);
const CXlOper* ZrBetaKurt(CXlOper& result, double alpha, double beta);
const CXlOper* ZrBetaMom(CXlOper& result, double alpha, double beta);
const CXlOper* ZrBetaParam(CXlOper& result, double mean, double stdev);

// Chi (n).
const CXlOper* ZrChiMean(CXlOper& result, int32_t n);
const CXlOper* ZrChiStdev(CXlOper& result, int32_t n);
const CXlOper* ZrChiSkew(CXlOper& result, int32_t n);
const CXlOper* ZrChiKurt(CXlOper& result, int32_t n);
const CXlOper* ZrChiMom(CXlOper& result, int32_t n);

// Chi-square (n).
const CXlOper* ZrChiSqMean(CXlOper& result, int32_t n);
const CXlOper* ZrChiSqStdev(CXlOper& result, int32_t n);
const CXlOper* ZrChiSqSkew(CXlOper& result, int32_t n);
const CXlOper* ZrChiSqKurt(CXlOper& result, int32_t n);
const CXlOper* ZrChiSqMom(CXlOper& result, int32_t n);

// F (n1, n2).
const CXlOper* ZrFMean(CXlOper& result, int32_t n2);
const CXlOper* ZrFStdev(CXlOper& result, int32_t n1, int32_t n2);
const CXlOper* ZrFSkew(CXlOper& result, int32_t n1, int32_t n2);
const CXlOper* ZrFKurt(CXlOper& result, int32_t n1, int32_t n2);
const CXlOper* ZrFMom(CXlOper& result, int32_t n1, int32_t n2);

// Gamma (shape alpha, scale beta).
const CXlOper* ZrGammaMean(CXlOper& result, double alpha, double beta);
const CXlOper* ZrGammaStdev(CXlOper& result, double alpha, double beta);
const CXlOper* ZrGammaSkew(CXlOper& result, double alpha);
const CXlOper* ZrGammaKurt(CXlOper& result, double alpha);
const CXlOper* ZrGammaMom(CXlOper& result, double alpha, double beta);
const CXlOper* ZrGammaParam(CXlOper& result, double mean, double stdev);

// Gumbel (location alpha, scale beta).
const CXlOper* ZrGumbelMean(CXlOper& result, double alpha, double beta);
const CXlOper* ZrGumbelStdev(CXlOper& result, double beta);
const CXlOper* ZrGumbelSkew(CXlOper& result);
const CXlOper* ZrGumbelKurt(CXlOper& result);
const CXlOper* ZrGumbelMom(CXlOper& result, double alpha, double beta);
const CXlOper* ZrGumbelParam(CXlOper& result, double mean, double stdev);

// Johnson SU (shapes gamma, delta, scale lambda, location xi).
const CXlOper* ZrJohnsonSUMean(CXlOper& result, double gamma, double delta, double lambda, double xi);
const CXlOper* ZrJohnsonSUStdev(CXlOper& result, double gamma, double delta, double lambda, double xi);
const CXlOper* ZrJohnsonSUSkew(CXlOper& result, double gamma, double delta, double lambda, double xi);
const CXlOper* ZrJohnsonSUKurt(CXlOper& result, double gamma, double delta, double lambda, double xi);
const CXlOper* ZrJohnsonSUMom(CXlOper& result, double gamma, double delta, double lambda, double xi);
const CXlOper* ZrJohnsonSUParam(CXlOper& result, double mean, double stdev, double skew, double kurt);

// Logistic (location m, scale b).
const CXlOper* ZrLogisticMean(CXlOper& result, double m);
const CXlOper* ZrLogisticStdev(CXlOper& result, double b);
const CXlOper* ZrLogisticSkew(CXlOper& result);
const CXlOper* ZrLogisticKurt(CXlOper& result);
const CXlOper* ZrLogisticMom(CXlOper& result, double m, double b);
const CXlOper* ZrLogisticParam(CXlOper& result, double mean, double stdev);

// Log-normal (m, s of ln X).
const CXlOper* ZrLogNormMean(CXlOper& result, double m, double s);
const CXlOper* ZrLogNormStdev(CXlOper& result, double m, double s);
const CXlOper* ZrLogNormSkew(CXlOper& result, double s);
const CXlOper* ZrLogNormKurt(CXlOper& result, double s);
const CXlOper* ZrLogNormMom(CXlOper& result, double m, double s);
const CXlOper* ZrLogNormParam(CXlOper& result, double mean, double stdev);

// Poisson (mean).
const CXlOper* ZrPoissonMean(CXlOper& result, double mean);
const CXlOper* ZrPoissonStdev(CXlOper& result, double mean);
const CXlOper* ZrPoissonSkew(CXlOper& result, double mean);
const CXlOper* ZrPoissonKurt(CXlOper& result, double mean);
const CXlOper* ZrPoissonMom(CXlOper& result, double mean);

// Student's t (n).
const CXlOper* ZrTMean(CXlOper& result);
const CXlOper* ZrTStdev(CXlOper& result, int32_t n);
const CXlOper* ZrTSkew(CXlOper& result);
const CXlOper* ZrTKurt(CXlOper& result, int32_t n);
const CXlOper* ZrTMom(CXlOper& result, int32_t n);

// Triangular (min, max, mode).
const CXlOper* ZrTriangularMean(CXlOper& result, double min, double max, double mode);
const CXlOper* ZrTriangularStdev(CXlOper& result, double min, double max, double mode);
const CXlOper* ZrTriangularSkew(CXlOper& result, double min, double max, double mode);
const CXlOper* ZrTriangularKurt(CXlOper& result);
const CXlOper* ZrTriangularMom(CXlOper& result, double min, double max, double mode);
const CXlOper* ZrTriangularParam(CXlOper& result, double mean, double stdev, double skew);

// Truncated normal (support min..max, parent mu, sigma).
const CXlOper* ZrTruncNormMean(CXlOper& result, double min, double max, double mu, double sigma);
const CXlOper* ZrTruncNormStdev(CXlOper& result, double min, double max, double mu, double sigma);
const CXlOper* ZrTruncNormSkew(CXlOper& result, double min, double max, double mu, double sigma);
const CXlOper* ZrTruncNormKurt(CXlOper& result, double min, double max, double mu, double sigma);
const CXlOper* ZrTruncNormMom(CXlOper& result, double min, double max, double mu, double sigma);
const CXlOper* ZrTruncNormParam(CXlOper& result, double min, double max, double mean, double stdev);

// Weibull (shape alpha, scale beta).
const CXlOper* ZrWeibullMean(CXlOper& result, double alpha, double beta);
const CXlOper* ZrWeibullStdev(CXlOper& result, double alpha, double beta);
const CXlOper* ZrWeibullSkew(CXlOper& result, double alpha, double beta);
const CXlOper* ZrWeibullKurt(CXlOper& result, double alpha, double beta);
const CXlOper* ZrWeibullMom(CXlOper& result, double alpha, double beta);
const CXlOper* ZrWeibullParam(CXlOper& result, double mean, double stdev);

}  // namespace Zr::Functions
