// Weibull distribution (shape alpha, scale beta): its worksheet functions.

#include "functions/arguments.h"
#include "functions/body.h"
#include "functions/checks.h"
#include "functions/moment_body.h"
#include "functions/sampler_column.h"
#include "math/weibull.h"

namespace Zr::Functions {

ZR_FUNCTION(ZrWeibullDist, u"Returns the Weibull distribution for the specified parameters.",
            kX, kAlpha, kBeta, kIsCumulative)
const CXlOper* ZrWeibullDist(CXlOper& result, double x, double alpha, double beta, XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::WeibullCdf(x, alpha, beta); },
                             [=] { return Math::WeibullPdf(x, alpha, beta); }));
}

ZR_FUNCTION(ZrWeibullInv,
            u"Returns the inverse of the cumulative distribution function for a specified Weibull distribution.",
            kProbHalfOpen, kAlpha, kBeta)
const CXlOper* ZrWeibullInv(CXlOper& result, double prob, double alpha, double beta) {
    return ScalarBody(result, false, [=] { return Math::WeibullInv(prob, alpha, beta); });
}

ZR_FUNCTION(ZrWeibullMean, u"Returns mean of a specified Weibull distribution.", kAlpha, kBeta)
const CXlOper* ZrWeibullMean(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, NotPositive(alpha) || NotPositive(beta),
                      [=] { return Math::WeibullMoments(alpha, beta).mean; });
}

ZR_FUNCTION(ZrWeibullStdev, u"Returns standard deviation of a specified Weibull distribution.", kAlpha, kBeta)
const CXlOper* ZrWeibullStdev(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, NotPositive(alpha) || NotPositive(beta),
                      [=] { return Math::WeibullMoments(alpha, beta).stdev; });
}

ZR_FUNCTION(ZrWeibullSkew, u"Returns skewness of a specified Weibull distribution.", kAlpha, kBeta)
const CXlOper* ZrWeibullSkew(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, NotPositive(alpha) || NotPositive(beta),
                      [=] { return Math::WeibullMoments(alpha, beta).skew; });
}

ZR_FUNCTION(ZrWeibullKurt, u"Returns kurtosis of a specified Weibull distribution.", kAlpha, kBeta)
const CXlOper* ZrWeibullKurt(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, NotPositive(alpha) || NotPositive(beta),
                      [=] { return Math::WeibullMoments(alpha, beta).kurt; });
}

ZR_FUNCTION(ZrWeibullMom,
            u"Returns mean, standard deviation, skewness and kurtosis of a specified Weibull distribution.",
            kAlpha, kBeta)
const CXlOper* ZrWeibullMom(CXlOper& result, double alpha, double beta) {
    return ColumnBody(result, NotPositive(alpha) || NotPositive(beta),
                      [=] { return MomentColumn(Math::WeibullMoments(alpha, beta)); });
}

ZR_FUNCTION(ZrWeibullParam,
            u"Returns parameters of the Weibull distribution for the specified mean and standard deviation.",
            kMean, kStdev)
const CXlOper* ZrWeibullParam(CXlOper& result, double mean, double stdev) {
    return FitBody(result, NotPositive(stdev), [=] { return Fit<2>(Math::WeibullFit, mean, stdev); });
}

ZR_FUNCTION(ZrRandWeibull, u"Returns Weibull pseudo random number(s) based on Mersenne Twister algorithm.",
            kSize, kAlpha, kBeta, kAlgorithm, kSeed1, kSeed2)
const CXlOper* ZrRandWeibull(CXlOper& result, int32_t size, double alpha, double beta, int16_t algorithm,
                             int32_t seed1, int32_t seed2) {
    Math::RandomWeibull sampler;
    sampler.SetShape(alpha);
    sampler.SetScale(beta);
    const bool valid = Finite({alpha, beta}) && Positive(alpha) && Positive(beta);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, valid, sampler);
}

}  // namespace Zr::Functions
