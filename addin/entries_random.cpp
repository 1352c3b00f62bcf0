// The distribution random-number functions.
#include "addin_function.h"
#include "functions/random_functions.h"

ZR_ADDIN_FUNCTION(ZrRandBeta, (int32_t size, double alpha, double beta, int16_t algorithm, int32_t seed1, int32_t seed2),
                  (size, alpha, beta, algorithm, seed1, seed2))
ZR_ADDIN_FUNCTION(ZrRandChi, (int32_t size, int32_t n, int16_t algorithm, int32_t seed1, int32_t seed2),
                  (size, n, algorithm, seed1, seed2))
ZR_ADDIN_FUNCTION(ZrRandChiSq, (int32_t size, int32_t n, int16_t algorithm, int32_t seed1, int32_t seed2),
                  (size, n, algorithm, seed1, seed2))
ZR_ADDIN_FUNCTION(ZrRandF, (int32_t size, int32_t n1, int32_t n2, int16_t algorithm, int32_t seed1, int32_t seed2),
                  (size, n1, n2, algorithm, seed1, seed2))
ZR_ADDIN_FUNCTION(ZrRandGamma, (int32_t size, double alpha, double beta, int16_t algorithm, int32_t seed1, int32_t seed2),
                  (size, alpha, beta, algorithm, seed1, seed2))
ZR_ADDIN_FUNCTION(ZrRandGumbel, (int32_t size, double alpha, double beta, int16_t algorithm, int32_t seed1, int32_t seed2),
                  (size, alpha, beta, algorithm, seed1, seed2))
ZR_ADDIN_FUNCTION(ZrRandJohnsonSU,
                  (int32_t size, double gamma, double delta, double lambda, double xi, int16_t algorithm,
                   int32_t seed1, int32_t seed2, XlBool useInvertFunc, XlBool useAntithetic, XlBool useResampling),
                  (size, gamma, delta, lambda, xi, algorithm, seed1, seed2, useInvertFunc, useAntithetic,
                   useResampling))
ZR_ADDIN_FUNCTION(ZrRandLogistic, (int32_t size, double m, double b, int16_t algorithm, int32_t seed1, int32_t seed2),
                  (size, m, b, algorithm, seed1, seed2))
ZR_ADDIN_FUNCTION(ZrRandLogNorm, (int32_t size, double m, double s, int16_t algorithm, int32_t seed1, int32_t seed2),
                  (size, m, s, algorithm, seed1, seed2))
ZR_ADDIN_FUNCTION(ZrRandNorm,
                  (int32_t size, int16_t algorithm, int32_t seed1, int32_t seed2, XlBool useInvertFunc,
                   XlBool useAntithetic, XlBool useResampling),
                  (size, algorithm, seed1, seed2, useInvertFunc, useAntithetic, useResampling))
ZR_ADDIN_FUNCTION(ZrRandPoisson, (int32_t size, double mean, int16_t algorithm, int32_t seed1, int32_t seed2),
                  (size, mean, algorithm, seed1, seed2))
ZR_ADDIN_FUNCTION(ZrRandT, (int32_t size, int32_t n, int16_t algorithm, int32_t seed1, int32_t seed2),
                  (size, n, algorithm, seed1, seed2))
ZR_ADDIN_FUNCTION(ZrRandTriangular,
                  (int32_t size, double min, double max, double mode, int16_t algorithm, int32_t seed1, int32_t seed2),
                  (size, min, max, mode, algorithm, seed1, seed2))
ZR_ADDIN_FUNCTION(ZrRandTruncNorm,
                  (int32_t size, double min, double max, double mu, double sigma, int16_t algorithm, int32_t seed1,
                   int32_t seed2),
                  (size, min, max, mu, sigma, algorithm, seed1, seed2))
ZR_ADDIN_FUNCTION(ZrRandWeibull, (int32_t size, double alpha, double beta, int16_t algorithm, int32_t seed1, int32_t seed2),
                  (size, alpha, beta, algorithm, seed1, seed2))
