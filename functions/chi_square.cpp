// Chi-square distribution (n degrees of freedom): its worksheet functions.

#include "functions/arguments.h"
#include "functions/body.h"
#include "functions/moment_body.h"
#include "functions/sampler_column.h"
#include "math/chi_square.h"

namespace Zr::Functions {

ZR_FUNCTION(ZrChiSqDist, u"Returns the chi square distribution for the specified parameters.",
            kXNonNegative, kN, kIsCumulative)
const CXlOper* ZrChiSqDist(CXlOper& result, double x, int32_t n, XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::ChiSqCdf(x, n); },
                             [=] { return Math::ChiSqPdf(x, n); }));
}

ZR_FUNCTION(ZrChiSqDistInv, u"Returns probability quantile function of the chi-square distribution.", kProb, kN)
const CXlOper* ZrChiSqDistInv(CXlOper& result, double prob, int32_t n) {
    return ScalarBody(result, false, [=] { return Math::ChiSqInv(prob, n); });
}

ZR_FUNCTION(ZrChiSqMean, u"Returns mean of a specified chi square distribution.", kN)
const CXlOper* ZrChiSqMean(CXlOper& result, int32_t n) {
    return ScalarBody(result, n < 1, [=] { return Math::ChiSqMoments(n).mean; });
}

ZR_FUNCTION(ZrChiSqStdev, u"Returns standard deviation of a specified chi square distribution.", kN)
const CXlOper* ZrChiSqStdev(CXlOper& result, int32_t n) {
    return ScalarBody(result, n < 1, [=] { return Math::ChiSqMoments(n).stdev; });
}

ZR_FUNCTION(ZrChiSqSkew, u"Returns skewness of a specified chi square distribution.", kN)
const CXlOper* ZrChiSqSkew(CXlOper& result, int32_t n) {
    return ScalarBody(result, n < 1, [=] { return Math::ChiSqMoments(n).skew; });
}

ZR_FUNCTION(ZrChiSqKurt, u"Returns kurtosis of a specified chi square distribution.", kN)
const CXlOper* ZrChiSqKurt(CXlOper& result, int32_t n) {
    return ScalarBody(result, n < 1, [=] { return Math::ChiSqMoments(n).kurt; });
}

ZR_FUNCTION(ZrChiSqMom, u"Returns mean, standard deviation, skewness and kurtosis of a specified chisq distribution.",
            kN)
const CXlOper* ZrChiSqMom(CXlOper& result, int32_t n) {
    return ColumnBody(result, n < 1, [=] { return MomentColumn(Math::ChiSqMoments(n)); });
}

ZR_FUNCTION(ZrRandChiSq, u"Returns chi square pseudo random number(s) based on Mersenne Twister algorithm.",
            kSize, kN, kAlgorithm, kSeed1, kSeed2)
const CXlOper* ZrRandChiSq(CXlOper& result, int32_t size, int32_t n, int16_t algorithm, int32_t seed1,
                           int32_t seed2) {
    Math::RandomChiSquare sampler;
    sampler.SetDegreesOfFreedom(n);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, n >= 1, sampler);
}

}  // namespace Zr::Functions
