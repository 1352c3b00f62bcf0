// Gumbel distribution (location alpha, scale beta): its worksheet functions.

#include "functions/arguments.h"
#include "functions/body.h"
#include "functions/checks.h"
#include "functions/moment_body.h"
#include "functions/sampler_column.h"
#include "math/gumbel.h"

namespace Zr::Functions {

ZR_FUNCTION(ZrGumbelDist, u"Returns the Gumbel distribution for the specified parameters.",
            kX, kAlphaGumbel, kBeta, kIsCumulative)
const CXlOper* ZrGumbelDist(CXlOper& result, double x, double alpha, double beta, XlBool isCumulative) {
    return ScalarBody(result, NotPositive(beta),
                      Either(isCumulative, [=] { return Math::GumbelCdf(x, alpha, beta); },
                             [=] { return Math::GumbelPdf(x, alpha, beta); }));
}

ZR_FUNCTION(ZrGumbelInv,
            u"Returns the inverse of the cumulative distribution function for a specified Gumbel distribution.",
            kProbOpen, kAlphaGumbel, kBeta)
const CXlOper* ZrGumbelInv(CXlOper& result, double prob, double alpha, double beta) {
    return ScalarBody(result, prob <= 0 || prob >= 1 || NotPositive(beta),
                      [=] { return Math::GumbelInv(prob, alpha, beta); });
}

ZR_FUNCTION(ZrGumbelMean, u"Returns mean of a specified Gumbel distribution.", kAlphaGumbel, kBeta)
const CXlOper* ZrGumbelMean(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, NotPositive(beta), [=] { return Math::GumbelMoments(alpha, beta).mean; });
}

ZR_FUNCTION(ZrGumbelStdev, u"Returns standard deviation of a specified Gumbel distribution.", kBeta)
const CXlOper* ZrGumbelStdev(CXlOper& result, double beta) {
    return ScalarBody(result, NotPositive(beta), [=] { return Math::GumbelMoments(0.0, beta).stdev; });
}

ZR_FUNCTION(ZrGumbelSkew, u"Returns skewness of a specified Gumbel distribution.")
const CXlOper* ZrGumbelSkew(CXlOper& result) {
    return ScalarBody(result, false, [] { return Math::GumbelMoments(0.0, 1.0).skew; });
}

ZR_FUNCTION(ZrGumbelKurt, u"Returns kurtosis of a specified Gumbel distribution.")
const CXlOper* ZrGumbelKurt(CXlOper& result) {
    return ScalarBody(result, false, [] { return Math::GumbelMoments(0.0, 1.0).kurt; });
}

ZR_FUNCTION(ZrGumbelMom,
            u"Returns mean, standard deviation, skewness and kurtosis of a specified Gumbel distribution.",
            kAlphaGumbel, kBeta)
const CXlOper* ZrGumbelMom(CXlOper& result, double alpha, double beta) {
    return ColumnBody(result, NotPositive(beta), [=] { return MomentColumn(Math::GumbelMoments(alpha, beta)); });
}

ZR_FUNCTION(ZrGumbelParam,
            u"Returns parameters of the Gumbel distribution for the specified mean and standard deviation.",
            kMean, kStdev)
const CXlOper* ZrGumbelParam(CXlOper& result, double mean, double stdev) {
    return FitBody(result, NotPositive(stdev), [=] { return Fit<2>(Math::GumbelFit, mean, stdev); });
}

ZR_FUNCTION(ZrRandGumbel, u"Returns Gumbel pseudo random number(s) based on Mersenne Twister algorithm.",
            kSize, kAlphaGumbel, kBeta, kAlgorithm, kSeed1, kSeed2)
const CXlOper* ZrRandGumbel(CXlOper& result, int32_t size, double alpha, double beta, int16_t algorithm,
                            int32_t seed1, int32_t seed2) {
    Math::RandomGumbel sampler;
    sampler.SetLocation(alpha);
    sampler.SetScale(beta);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, Finite({alpha, beta}) && Positive(beta), sampler);
}

}  // namespace Zr::Functions
