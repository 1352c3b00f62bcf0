// The multivariate worksheet functions the add-in exports and registers.
#include "addin_function.h"
#include "functions/multivariate_functions.h"

ZR_ADDIN_FUNCTION(ZrRandMultiNorm,
                  (int32_t size, Matrix cov, Matrix mean, int16_t algorithm, int32_t seed1, int32_t seed2,
                   XlBool useInvertFunc, XlBool useAntithetic, XlBool useResampling),
                  (size, cov, mean, algorithm, seed1, seed2, useInvertFunc, useAntithetic, useResampling))
ZR_ADDIN_FUNCTION(ZrCor2Cov, (Matrix stdev, Matrix cor), (stdev, cor))
ZR_ADDIN_FUNCTION(ZrCov2Cor, (Matrix cov, XlBool calcStdev), (cov, calcStdev))
ZR_ADDIN_FUNCTION(ZrMultiCorrel, (Matrix data, XlBool calcMean, XlBool calcStdev), (data, calcMean, calcStdev))
ZR_ADDIN_FUNCTION(ZrMultiCovarp, (Matrix data, XlBool calcMean), (data, calcMean))
