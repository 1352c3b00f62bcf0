// Gamma distribution (shape alpha, scale beta): its worksheet functions.

#include <array>

#include "functions/arguments.h"
#include "functions/body.h"
#include "functions/checks.h"
#include "functions/moment_body.h"
#include "functions/sampler_column.h"
#include "math/gamma.h"

namespace Zr::Functions {

ZR_FUNCTION(ZrGammaDist, u"Returns the gamma distribution for the specified parameters.",
            kXNonNegative, kAlpha, kBeta, kIsCumulative)
const CXlOper* ZrGammaDist(CXlOper& result, double x, double alpha, double beta, XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::GammaCdf(x, alpha, beta); },
                             [=] { return Math::GammaPdf(x, alpha, beta); }));
}

ZR_FUNCTION(ZrGammaDistInv, u"Returns probability quantile function of the gamma distribution.", kProb, kAlpha, kBeta)
const CXlOper* ZrGammaDistInv(CXlOper& result, double prob, double alpha, double beta) {
    return ScalarBody(result, false, [=] { return Math::GammaInv(prob, alpha, beta); });
}

ZR_FUNCTION(ZrGammaMean, u"Returns mean of a specified gamma distribution.", kAlpha, kBeta)
const CXlOper* ZrGammaMean(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, NotPositive(alpha) || NotPositive(beta),
                      [=] { return Math::GammaMoments(alpha, beta).mean; });
}

ZR_FUNCTION(ZrGammaStdev, u"Returns standard deviation of a specified gamma distribution.", kAlpha, kBeta)
const CXlOper* ZrGammaStdev(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, NotPositive(alpha) || NotPositive(beta),
                      [=] { return Math::GammaMoments(alpha, beta).stdev; });
}

// The shape moments do not depend on the scale.
ZR_FUNCTION(ZrGammaSkew, u"Returns skewness of a specified gamma distribution.", kAlpha)
const CXlOper* ZrGammaSkew(CXlOper& result, double alpha) {
    return ScalarBody(result, NotPositive(alpha), [=] { return Math::GammaMoments(alpha, 1.0).skew; });
}

ZR_FUNCTION(ZrGammaKurt, u"Returns kurtosis of a specified gamma distribution.", kAlpha)
const CXlOper* ZrGammaKurt(CXlOper& result, double alpha) {
    return ScalarBody(result, NotPositive(alpha), [=] { return Math::GammaMoments(alpha, 1.0).kurt; });
}

ZR_FUNCTION(ZrGammaMom, u"Returns mean, standard deviation, skewness and kurtosis of a specified gamma distribution.",
            kAlpha, kBeta)
const CXlOper* ZrGammaMom(CXlOper& result, double alpha, double beta) {
    return ColumnBody(result, NotPositive(alpha) || NotPositive(beta),
                      [=] { return MomentColumn(Math::GammaMoments(alpha, beta)); });
}

// Shape mean^2 / stdev^2 and scale stdev^2 / mean, unchecked: a negative
// mean gives a negative scale.
ZR_FUNCTION(ZrGammaParam,
            u"Returns parameters of the gamma distribution for the specified mean and standard deviation.",
            kMean, kStdev)
const CXlOper* ZrGammaParam(CXlOper& result, double mean, double stdev) {
    return ColumnBody(result, NotPositive(stdev), [=] {
        const double v = stdev * stdev;
        return std::array<Element, 2>{mean * mean / v, v / mean};
    });
}

ZR_FUNCTION(ZrRandGamma, u"Returns gamma pseudo random number(s) based on Mersenne Twister algorithm.",
            kSize, kAlpha, kBeta, kAlgorithm, kSeed1, kSeed2)
const CXlOper* ZrRandGamma(CXlOper& result, int32_t size, double alpha, double beta, int16_t algorithm,
                           int32_t seed1, int32_t seed2) {
    Math::RandomGamma sampler;
    sampler.SetShape(alpha);
    sampler.SetScale(beta);
    const bool valid = Finite({alpha, beta}) && Positive(alpha) && Positive(beta);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, valid, sampler);
}

}  // namespace Zr::Functions
