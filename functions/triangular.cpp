// Triangular distribution (min, max, mode): its worksheet functions.

#include "functions/arguments.h"
#include "functions/body.h"
#include "functions/checks.h"
#include "functions/moment_body.h"
#include "functions/sampler_column.h"
#include "math/triangular.h"

namespace Zr::Functions {

ZR_FUNCTION(ZrTriangularDist, u"Returns the triangular distribution for the specified parameters.",
            kX, kMin, kMax, kMode, kIsCumulative)
const CXlOper* ZrTriangularDist(CXlOper& result, double x, double min, double max, double mode,
                                XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::TriangularCdf(x, min, max, mode); },
                             [=] { return Math::TriangularPdf(x, min, max, mode); }));
}

ZR_FUNCTION(ZrTriangularInv,
            u"Returns the inverse of the cumulative distribution function for a specified triangular distribution.",
            kProbOpen, kMin, kMax, kMode)
const CXlOper* ZrTriangularInv(CXlOper& result, double prob, double min, double max, double mode) {
    return ScalarBody(result, false, [=] { return Math::TriangularInv(prob, min, max, mode); });
}

ZR_FUNCTION(ZrTriangularMean, u"Returns mean of a specified triangular distribution.", kMin, kMax, kMode)
const CXlOper* ZrTriangularMean(CXlOper& result, double min, double max, double mode) {
    return ScalarBody(result, mode <= min || max <= mode,
                      [=] { return Math::TriangularMoments(min, max, mode).mean; });
}

ZR_FUNCTION(ZrTriangularStdev, u"Returns standard deviation of a specified triangular distribution.",
            kMin, kMax, kMode)
const CXlOper* ZrTriangularStdev(CXlOper& result, double min, double max, double mode) {
    return ScalarBody(result, mode <= min || max <= mode,
                      [=] { return Math::TriangularMoments(min, max, mode).stdev; });
}

ZR_FUNCTION(ZrTriangularSkew, u"Returns skewness of a specified triangular distribution.", kMin, kMax, kMode)
const CXlOper* ZrTriangularSkew(CXlOper& result, double min, double max, double mode) {
    return ScalarBody(result, mode <= min || max <= mode,
                      [=] { return Math::TriangularMoments(min, max, mode).skew; });
}

ZR_FUNCTION(ZrTriangularKurt, u"Returns kurtosis of a specified triangular distribution.")
const CXlOper* ZrTriangularKurt(CXlOper& result) {
    return ScalarBody(result, false, [] { return -0.6; });
}

ZR_FUNCTION(ZrTriangularMom,
            u"Returns mean, standard deviation, skewness and kurtosis of a specified triangular distribution.",
            kMin, kMax, kMode)
const CXlOper* ZrTriangularMom(CXlOper& result, double min, double max, double mode) {
    return ColumnBody(result, mode <= min || max <= mode,
                      [=] { return MomentColumn(Math::TriangularMoments(min, max, mode)); });
}

ZR_FUNCTION(ZrTriangularParam,
            u"Returns parameters of the triangular distribution for the specified mean, standard deviation and "
            u"skewness.",
            kMean, kStdev, kSkew)
const CXlOper* ZrTriangularParam(CXlOper& result, double mean, double stdev, double skew) {
    return FitBody(result, NotPositive(stdev), [=] { return Fit<3>(Math::TriangularFit, mean, stdev, skew); });
}

ZR_FUNCTION(ZrRandTriangular, u"Returns triangular pseudo random number(s) based on Mersenne Twister algorithm.",
            kSize, kMin, kMax, kMode, kAlgorithm, kSeed1, kSeed2)
const CXlOper* ZrRandTriangular(CXlOper& result, int32_t size, double min, double max, double mode,
                                int16_t algorithm, int32_t seed1, int32_t seed2) {
    Math::RandomTriangular sampler;
    sampler.SetMin(min);
    sampler.SetMax(max);
    sampler.SetMode(mode);
    const bool valid = Finite({min, max, mode}) && min < mode && mode < max;
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, valid, sampler);
}

}  // namespace Zr::Functions
