// Beta distribution (shapes alpha, beta on [0, 1]): its worksheet functions.

#include "functions/arguments.h"
#include "functions/body.h"
#include "functions/checks.h"
#include "functions/moment_body.h"
#include "functions/sampler_column.h"
#include "math/beta.h"

namespace Zr::Functions {

ZR_FUNCTION(ZrBetaDist, u"Returns the beta distribution for the specified parameters.",
            kXUnit, kAlpha, kBeta, kIsCumulative)
const CXlOper* ZrBetaDist(CXlOper& result, double x, double alpha, double beta, XlBool isCumulative) {
    return ScalarBody(result, x < 0 || x > 1 || NotPositive(alpha) || NotPositive(beta),
                      Either(isCumulative, [=] { return Math::BetaCdf(x, alpha, beta); },
                             [=] { return Math::BetaPdf(x, alpha, beta); }));
}

ZR_FUNCTION(ZrBetaInv, u"Returns probability quantile of the beta distribution for the specified parameters.",
            kProb, kAlpha, kBeta)
const CXlOper* ZrBetaInv(CXlOper& result, double prob, double alpha, double beta) {
    return ScalarBody(result, prob <= 0 || prob >= 1 || NotPositive(alpha) || NotPositive(beta),
                      [=] { return Math::BetaInv(prob, alpha, beta); });
}

ZR_FUNCTION(ZrBetaMean, u"Returns mean of a specified beta distribution.", kAlpha, kBeta)
const CXlOper* ZrBetaMean(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, NotPositive(alpha) || NotPositive(beta),
                      [=] { return Math::BetaMoments(alpha, beta).mean; });
}

ZR_FUNCTION(ZrBetaStdev, u"Returns standard deviation of a specified beta distribution.", kAlpha, kBeta)
const CXlOper* ZrBetaStdev(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, NotPositive(alpha) || NotPositive(beta),
                      [=] { return Math::BetaMoments(alpha, beta).stdev; });
}

ZR_FUNCTION(ZrBetaSkew, u"Returns skewness of a specified beta distribution.", kAlpha, kBeta)
const CXlOper* ZrBetaSkew(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, NotPositive(alpha) || NotPositive(beta),
                      [=] { return Math::BetaMoments(alpha, beta).skew; });
}

ZR_FUNCTION(ZrBetaKurt, u"Returns kurtosis of a specified beta distribution.", kAlpha, kBeta)
const CXlOper* ZrBetaKurt(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, NotPositive(alpha) || NotPositive(beta),
                      [=] { return Math::BetaMoments(alpha, beta).kurt; });
}

ZR_FUNCTION(ZrBetaMom, u"Returns mean, standard deviation, skewness and kurtosis of a specified beta distribution.",
            kAlpha, kBeta)
const CXlOper* ZrBetaMom(CXlOper& result, double alpha, double beta) {
    return ColumnBody(result, NotPositive(alpha) || NotPositive(beta),
                      [=] { return MomentColumn(Math::BetaMoments(alpha, beta)); });
}

ZR_FUNCTION(ZrBetaParam, u"Returns parameters of the beta distribution for the specified mean and standard deviation.",
            kMean, kStdev)
const CXlOper* ZrBetaParam(CXlOper& result, double mean, double stdev) {
    return FitBody(result, NotPositive(stdev), [=] { return Fit<2>(Math::BetaFit, mean, stdev); });
}

ZR_FUNCTION(ZrRandBeta, u"Returns beta pseudo random number(s) based on Mersenne Twister algorithm.",
            kSize, kAlpha, kBeta, kAlgorithm, kSeed1, kSeed2)
const CXlOper* ZrRandBeta(CXlOper& result, int32_t size, double alpha, double beta, int16_t algorithm,
                          int32_t seed1, int32_t seed2) {
    Math::RandomBeta sampler;
    sampler.SetAlpha(alpha);
    sampler.SetBeta(beta);
    const bool valid = Finite({alpha, beta}) && Positive(alpha) && Positive(beta);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, valid, sampler);
}

}  // namespace Zr::Functions
