// The fifteen distribution random-number functions: a column of `size`
// variates of one distribution, drawn with the chosen uniform generator.
#pragma once

#include <cstdint>

#include "xll/entry.h"
#include "xll/xl_oper.h"

namespace Zr::Functions {

using Xll::XlBool;

const CXlOper* ZrRandBeta(CXlOper& result, int32_t size, double alpha, double beta, int16_t algorithm,
                          int32_t seed1, int32_t seed2);
const CXlOper* ZrRandChi(CXlOper& result, int32_t size, int32_t n, int16_t algorithm, int32_t seed1, int32_t seed2);
const CXlOper* ZrRandChiSq(CXlOper& result, int32_t size, int32_t n, int16_t algorithm, int32_t seed1,
                           int32_t seed2);
const CXlOper* ZrRandF(CXlOper& result, int32_t size, int32_t n1, int32_t n2, int16_t algorithm, int32_t seed1,
                       int32_t seed2);
const CXlOper* ZrRandGamma(CXlOper& result, int32_t size, double alpha, double beta, int16_t algorithm,
                           int32_t seed1, int32_t seed2);
const CXlOper* ZrRandGumbel(CXlOper& result, int32_t size, double alpha, double beta, int16_t algorithm,
                            int32_t seed1, int32_t seed2);
const CXlOper* ZrRandJohnsonSU(CXlOper& result, int32_t size, double gamma, double delta, double lambda, double xi,
                               int16_t algorithm, int32_t seed1, int32_t seed2, XlBool useInvertFunc,
                               XlBool useAntithetic, XlBool useResampling);
const CXlOper* ZrRandLogistic(CXlOper& result, int32_t size, double m, double b, int16_t algorithm, int32_t seed1,
                              int32_t seed2);
const CXlOper* ZrRandLogNorm(CXlOper& result, int32_t size, double m, double s, int16_t algorithm, int32_t seed1,
                             int32_t seed2);
const CXlOper* ZrRandNorm(CXlOper& result, int32_t size, int16_t algorithm, int32_t seed1, int32_t seed2,
                          XlBool useInvertFunc, XlBool useAntithetic, XlBool useResampling);
const CXlOper* ZrRandPoisson(CXlOper& result, int32_t size, double mean, int16_t algorithm, int32_t seed1,
                             int32_t seed2);
const CXlOper* ZrRandT(CXlOper& result, int32_t size, int32_t n, int16_t algorithm, int32_t seed1, int32_t seed2);
const CXlOper* ZrRandTriangular(CXlOper& result, int32_t size, double min, double max, double mode,
                                int16_t algorithm, int32_t seed1, int32_t seed2);
const CXlOper* ZrRandTruncNorm(CXlOper& result, int32_t size, double min, double max, double mu, double sigma,
                               int16_t algorithm, int32_t seed1, int32_t seed2);
const CXlOper* ZrRandWeibull(CXlOper& result, int32_t size, double alpha, double beta, int16_t algorithm,
                             int32_t seed1, int32_t seed2);

}  // namespace Zr::Functions
