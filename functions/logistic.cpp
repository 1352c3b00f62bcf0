// Logistic distribution (location m, scale b): its worksheet functions.

#include "functions/arguments.h"
#include "functions/body.h"
#include "functions/checks.h"
#include "functions/moment_body.h"
#include "functions/sampler_column.h"
#include "math/logistic.h"

namespace Zr::Functions {

ZR_FUNCTION(ZrLogisticDist, u"Returns the logistic distribution for the specified parameters.",
            kX, kM, kB, kIsCumulative)
const CXlOper* ZrLogisticDist(CXlOper& result, double x, double m, double b, XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::LogisticCdf(x, m, b); },
                             [=] { return Math::LogisticPdf(x, m, b); }));
}

ZR_FUNCTION(ZrLogisticInv,
            u"Returns the inverse of the cumulative distribution function for a specified logistic distribution.",
            kProbOpen, kM, kB)
const CXlOper* ZrLogisticInv(CXlOper& result, double prob, double m, double b) {
    return ScalarBody(result, false, [=] { return Math::LogisticInv(prob, m, b); });
}

ZR_FUNCTION(ZrLogisticMean, u"Returns mean of a specified logistic distribution.", kM)
const CXlOper* ZrLogisticMean(CXlOper& result, double m) {
    return ScalarBody(result, false, [=] { return Math::LogisticMoments(m, 1.0).mean; });
}

ZR_FUNCTION(ZrLogisticStdev, u"Returns standard deviation of a specified logistic distribution.", kB)
const CXlOper* ZrLogisticStdev(CXlOper& result, double b) {
    return ScalarBody(result, NotPositive(b), [=] { return Math::LogisticMoments(0.0, b).stdev; });
}

ZR_FUNCTION(ZrLogisticSkew, u"Returns skewness of a specified logistic distribution.")
const CXlOper* ZrLogisticSkew(CXlOper& result) {
    return ScalarBody(result, false, [] { return Math::LogisticMoments(0.0, 1.0).skew; });
}

ZR_FUNCTION(ZrLogisticKurt, u"Returns kurtosis of a specified logistic distribution.")
const CXlOper* ZrLogisticKurt(CXlOper& result) {
    return ScalarBody(result, false, [] { return Math::LogisticMoments(0.0, 1.0).kurt; });
}

ZR_FUNCTION(ZrLogisticMom,
            u"Returns mean, standard deviation, skewness and kurtosis of a specified logistic distribution.",
            kM, kB)
const CXlOper* ZrLogisticMom(CXlOper& result, double m, double b) {
    return ColumnBody(result, NotPositive(b), [=] { return MomentColumn(Math::LogisticMoments(m, b)); });
}

ZR_FUNCTION(ZrLogisticParam,
            u"Returns parameters of the logistic distribution for the specified mean and standard deviation.",
            kMean, kStdev)
const CXlOper* ZrLogisticParam(CXlOper& result, double mean, double stdev) {
    return FitBody(result, NotPositive(stdev), [=] { return Fit<2>(Math::LogisticFit, mean, stdev); });
}

ZR_FUNCTION(ZrRandLogistic, u"Returns logistic pseudo random number(s) based on Mersenne Twister algorithm.",
            kSize, kM, kB, kAlgorithm, kSeed1, kSeed2)
const CXlOper* ZrRandLogistic(CXlOper& result, int32_t size, double m, double b, int16_t algorithm, int32_t seed1,
                              int32_t seed2) {
    Math::RandomLogistic sampler;
    sampler.SetLocation(m);
    sampler.SetScale(b);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, Finite({m, b}) && Positive(b), sampler);
}

}  // namespace Zr::Functions
