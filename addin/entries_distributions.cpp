// The distribution and inverse worksheet functions the add-in exports and registers.
#include "addin_function.h"
#include "functions/distribution_functions.h"

ZR_ADDIN_FUNCTION(ZrBetaDist, (double x, double alpha, double beta, XlBool isCumulative), (x, alpha, beta, isCumulative))
ZR_ADDIN_FUNCTION(ZrBetaInv, (double prob, double alpha, double beta), (prob, alpha, beta))
ZR_ADDIN_FUNCTION(ZrBiNormDist, (double x1, double x2, double corr, XlBool isCumulative), (x1, x2, corr, isCumulative))
ZR_ADDIN_FUNCTION(ZrChiDist, (double x, int32_t n, XlBool isCumulative), (x, n, isCumulative))
ZR_ADDIN_FUNCTION(ZrChiDistInv, (double prob, int32_t n), (prob, n))
ZR_ADDIN_FUNCTION(ZrChiSqDist, (double x, int32_t n, XlBool isCumulative), (x, n, isCumulative))
ZR_ADDIN_FUNCTION(ZrChiSqDistInv, (double prob, int32_t n), (prob, n))
ZR_ADDIN_FUNCTION(ZrFDist, (double x, int32_t n1, int32_t n2, XlBool isCumulative), (x, n1, n2, isCumulative))
ZR_ADDIN_FUNCTION(ZrFDistInv, (double prob, int32_t n1, int32_t n2), (prob, n1, n2))
ZR_ADDIN_FUNCTION(ZrGammaDist, (double x, double alpha, double beta, XlBool isCumulative),
                  (x, alpha, beta, isCumulative))
ZR_ADDIN_FUNCTION(ZrGammaDistInv, (double prob, double alpha, double beta), (prob, alpha, beta))
ZR_ADDIN_FUNCTION(ZrGumbelDist, (double x, double alpha, double beta, XlBool isCumulative),
                  (x, alpha, beta, isCumulative))
ZR_ADDIN_FUNCTION(ZrGumbelInv, (double prob, double alpha, double beta), (prob, alpha, beta))
ZR_ADDIN_FUNCTION(ZrJohnsonSUDist,
                  (double x, double gamma, double delta, double lambda, double xi, XlBool isCumulative),
                  (x, gamma, delta, lambda, xi, isCumulative))
ZR_ADDIN_FUNCTION(ZrJohnsonSUInv, (double prob, double gamma, double delta, double lambda, double xi),
                  (prob, gamma, delta, lambda, xi))
ZR_ADDIN_FUNCTION(ZrLogisticDist, (double x, double m, double b, XlBool isCumulative), (x, m, b, isCumulative))
ZR_ADDIN_FUNCTION(ZrLogisticInv, (double prob, double m, double b), (prob, m, b))
ZR_ADDIN_FUNCTION(ZrLogNormDist, (double x, double m, double s, XlBool isCumulative), (x, m, s, isCumulative))
ZR_ADDIN_FUNCTION(ZrLogNormInv, (double prob, double m, double s), (prob, m, s))
ZR_ADDIN_FUNCTION(ZrNormDist, (double x, XlBool isCumulative), (x, isCumulative))
ZR_ADDIN_FUNCTION(ZrNormInv, (double prob), (prob))
ZR_ADDIN_FUNCTION(ZrPoissonDist, (int32_t k, double mean, XlBool isCumulative), (k, mean, isCumulative))
ZR_ADDIN_FUNCTION(ZrPoissonDistInv, (double prob, double mean), (prob, mean))
ZR_ADDIN_FUNCTION(ZrTDist, (double x, int32_t n, XlBool isCumulative), (x, n, isCumulative))
ZR_ADDIN_FUNCTION(ZrTDistInv, (double prob, int32_t n), (prob, n))
ZR_ADDIN_FUNCTION(ZrTriangularDist, (double x, double min, double max, double mode, XlBool isCumulative),
                  (x, min, max, mode, isCumulative))
ZR_ADDIN_FUNCTION(ZrTriangularInv, (double prob, double min, double max, double mode), (prob, min, max, mode))
ZR_ADDIN_FUNCTION(ZrTruncNormDist,
                  (double x, double min, double max, double mu, double sigma, XlBool isCumulative),
                  (x, min, max, mu, sigma, isCumulative))
ZR_ADDIN_FUNCTION(ZrTruncNormInv, (double prob, double min, double max, double mu, double sigma),
                  (prob, min, max, mu, sigma))
ZR_ADDIN_FUNCTION(ZrWeibullDist, (double x, double alpha, double beta, XlBool isCumulative),
                  (x, alpha, beta, isCumulative))
ZR_ADDIN_FUNCTION(ZrWeibullInv, (double prob, double alpha, double beta), (prob, alpha, beta))
