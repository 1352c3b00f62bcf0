// Poisson distribution (mean): its worksheet functions.

#include "functions/arguments.h"
#include "functions/body.h"
#include "functions/checks.h"
#include "functions/moment_body.h"
#include "functions/sampler_column.h"
#include "math/poisson.h"

namespace Zr::Functions {

ZR_FUNCTION(ZrPoissonDist, u"Returns the Poisson distribution for the specified parameters.",
            kK, kMean, kIsCumulative)
const CXlOper* ZrPoissonDist(CXlOper& result, int32_t k, double mean, XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::PoissonCdf(k, mean); },
                             [=] { return Math::PoissonPdf(k, mean); }));
}

ZR_FUNCTION(ZrPoissonDistInv, u"Returns probability quantile function of the Poisson distribution.", kProb, kMean)
const CXlOper* ZrPoissonDistInv(CXlOper& result, double prob, double mean) {
    return ScalarBody(result, false, [=] { return Math::PoissonInv(prob, mean); });
}

ZR_FUNCTION(ZrPoissonMean, u"Returns mean of a specified Poisson distribution.", kMean)
const CXlOper* ZrPoissonMean(CXlOper& result, double mean) {
    return ScalarBody(result, NotPositive(mean), [=] { return Math::PoissonMoments(mean).mean; });
}

ZR_FUNCTION(ZrPoissonStdev, u"Returns standard deviation of a specified Poisson distribution.", kMean)
const CXlOper* ZrPoissonStdev(CXlOper& result, double mean) {
    return ScalarBody(result, NotPositive(mean), [=] { return Math::PoissonMoments(mean).stdev; });
}

ZR_FUNCTION(ZrPoissonSkew, u"Returns skewness of a specified Poisson distribution.", kMean)
const CXlOper* ZrPoissonSkew(CXlOper& result, double mean) {
    return ScalarBody(result, NotPositive(mean), [=] { return Math::PoissonMoments(mean).skew; });
}

ZR_FUNCTION(ZrPoissonKurt, u"Returns kurtosis of a specified Poisson distribution.", kMean)
const CXlOper* ZrPoissonKurt(CXlOper& result, double mean) {
    return ScalarBody(result, NotPositive(mean), [=] { return Math::PoissonMoments(mean).kurt; });
}

ZR_FUNCTION(ZrPoissonMom,
            u"Returns mean, standard deviation, skewness and kurtosis of a specified Poisson distribution.",
            kMean)
const CXlOper* ZrPoissonMom(CXlOper& result, double mean) {
    return ColumnBody(result, NotPositive(mean), [=] { return MomentColumn(Math::PoissonMoments(mean)); });
}

ZR_FUNCTION(ZrRandPoisson, u"Returns Poisson pseudo random number(s) based on Mersenne Twister algorithm.",
            kSize, kMean, kAlgorithm, kSeed1, kSeed2)
const CXlOper* ZrRandPoisson(CXlOper& result, int32_t size, double mean, int16_t algorithm, int32_t seed1,
                             int32_t seed2) {
    Math::RandomPoisson sampler;
    sampler.SetMean(mean);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, Finite({mean}) && Positive(mean), sampler);
}

}  // namespace Zr::Functions
