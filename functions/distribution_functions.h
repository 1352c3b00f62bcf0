// The distribution and inverse worksheet functions: density or distribution
// function (chosen by isCumulative) and quantile of each distribution, and
// the bivariate normal.
#pragma once

#include <cstdint>

#include "xll/entry.h"
#include "xll/xl_oper.h"

namespace Zr::Functions {

using Xll::XlBool;

const CXlOper* ZrBetaDist(CXlOper& result, double x, double alpha, double beta, XlBool isCumulative);
const CXlOper* ZrBetaInv(CXlOper& result, double prob, double alpha, double beta);
const CXlOper* ZrBiNormDist(CXlOper& result, double x1, double x2, double corr, XlBool isCumulative);
const CXlOper* ZrChiDist(CXlOper& result, double x, int32_t n, XlBool isCumulative);
const CXlOper* ZrChiDistInv(CXlOper& result, double prob, int32_t n);
const CXlOper* ZrChiSqDist(CXlOper& result, double x, int32_t n, XlBool isCumulative);
const CXlOper* ZrChiSqDistInv(CXlOper& result, double prob, int32_t n);
const CXlOper* ZrFDist(CXlOper& result, double x, int32_t n1, int32_t n2, XlBool isCumulative);
const CXlOper* ZrFDistInv(CXlOper& result, double prob, int32_t n1, int32_t n2);
const CXlOper* ZrGammaDist(CXlOper& result, double x, double alpha, double beta, XlBool isCumulative);
const CXlOper* ZrGammaDistInv(CXlOper& result, double prob, double alpha, double beta);
const CXlOper* ZrGumbelDist(CXlOper& result, double x, double alpha, double beta, XlBool isCumulative);
const CXlOper* ZrGumbelInv(CXlOper& result, double prob, double alpha, double beta);
const CXlOper* ZrJohnsonSUDist(CXlOper& result, double x, double gamma, double delta, double lambda, double xi,
                               XlBool isCumulative);
const CXlOper* ZrJohnsonSUInv(CXlOper& result, double prob, double gamma, double delta, double lambda, double xi);
const CXlOper* ZrLogisticDist(CXlOper& result, double x, double m, double b, XlBool isCumulative);
const CXlOper* ZrLogisticInv(CXlOper& result, double prob, double m, double b);
const CXlOper* ZrLogNormDist(CXlOper& result, double x, double m, double s, XlBool isCumulative);
const CXlOper* ZrLogNormInv(CXlOper& result, double prob, double m, double s);
const CXlOper* ZrNormDist(CXlOper& result, double x, XlBool isCumulative);
const CXlOper* ZrNormInv(CXlOper& result, double prob);
const CXlOper* ZrPoissonDist(CXlOper& result, int32_t k, double mean, XlBool isCumulative);
const CXlOper* ZrPoissonDistInv(CXlOper& result, double prob, double mean);
const CXlOper* ZrTDist(CXlOper& result, double x, int32_t n, XlBool isCumulative);
const CXlOper* ZrTDistInv(CXlOper& result, double prob, int32_t n);
const CXlOper* ZrTriangularDist(CXlOper& result, double x, double min, double max, double mode,
                                XlBool isCumulative);
const CXlOper* ZrTriangularInv(CXlOper& result, double prob, double min, double max, double mode);
const CXlOper* ZrTruncNormDist(CXlOper& result, double x, double min, double max, double mu, double sigma,
                               XlBool isCumulative);
const CXlOper* ZrTruncNormInv(CXlOper& result, double prob, double min, double max, double mu, double sigma);
const CXlOper* ZrWeibullDist(CXlOper& result, double x, double alpha, double beta, XlBool isCumulative);
const CXlOper* ZrWeibullInv(CXlOper& result, double prob, double alpha, double beta);

}  // namespace Zr::Functions
