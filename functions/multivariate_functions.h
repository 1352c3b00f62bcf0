// The worksheet functions on vectors and matrices: multivariate normal
// vectors, conversions between covariance and correlation matrices, and the
// covariance and correlation of data series (one observation per row, one
// series per column). Matrix and vector arguments arrive as Excel passes
// them and are read with the conversion messages that name the argument.
#pragma once

#include <cstdint>

#include "xll/entry.h"
#include "xll/xl_oper.h"

namespace Zr::Functions {

using Xll::XlBool;

// size rows of n = size of mean columns: row k is the k-th vector drawn.
const CXlOper* ZrRandMultiNorm(CXlOper& result, int32_t size, const CXlOper& cov, const CXlOper& mean,
                               int16_t algorithm, int32_t seed1, int32_t seed2, XlBool useInvertFunc,
                               XlBool useAntithetic, XlBool useResampling);
// n x n: cor(i, j) stdev[i] stdev[j].
const CXlOper* ZrCor2Cov(CXlOper& result, const CXlOper& stdev, const CXlOper& cor);
// (n + s) x n: the standard deviations (when calcStdev), then the correlations.
const CXlOper* ZrCov2Cor(CXlOper& result, const CXlOper& cov, XlBool calcStdev);
// (m + a + s) x m: the means (calcMean), the standard deviations (calcStdev),
// then the correlation matrix of the m series.
const CXlOper* ZrMultiCorrel(CXlOper& result, const CXlOper& data, XlBool calcMean, XlBool calcStdev);
// (m + a) x m: the means (calcMean), then the population covariance matrix.
const CXlOper* ZrMultiCovarp(CXlOper& result, const CXlOper& data, XlBool calcMean);

}  // namespace Zr::Functions
