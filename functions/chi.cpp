// Chi distribution (n degrees of freedom): its worksheet functions.

#include <cmath>

#include "functions/arguments.h"
#include "functions/body.h"
#include "functions/moment_body.h"
#include "functions/sampler_column.h"
#include "math/chi.h"
#include "math/chi_square.h"

namespace Zr::Functions {

ZR_FUNCTION(ZrChiDist, u"Returns the chi distribution for the specified parameters.",
            kXNonNegative, kN, kIsCumulative)
const CXlOper* ZrChiDist(CXlOper& result, double x, int32_t n, XlBool isCumulative) {
    return ScalarBody(result, x < 0 || n < 1,
                      Either(isCumulative, [=] { return Math::ChiCdf(x, n); }, [=] { return Math::ChiPdf(x, n); }));
}

ZR_FUNCTION(ZrChiDistInv, u"Returns probability quantile function of the chi distribution.", kProb, kN)
const CXlOper* ZrChiDistInv(CXlOper& result, double prob, int32_t n) {
    return ScalarBody(result, false, [=] { return Math::ChiInv(prob, n); });
}

ZR_FUNCTION(ZrChiMean, u"Returns mean of a specified chi distribution.", kN)
const CXlOper* ZrChiMean(CXlOper& result, int32_t n) {
    return ScalarBody(result, n < 1, [=] { return Math::ChiMoments(n).mean; });
}

ZR_FUNCTION(ZrChiStdev, u"Returns standard deviation of a specified chi distribution.", kN)
const CXlOper* ZrChiStdev(CXlOper& result, int32_t n) {
    return ScalarBody(result, n < 1, [=] { return Math::ChiMoments(n).stdev; });
}

ZR_FUNCTION(ZrChiSkew, u"Returns skewness of a specified chi distribution.", kN)
const CXlOper* ZrChiSkew(CXlOper& result, int32_t n) {
    return ScalarBody(result, n < 1, [=] { return Math::ChiMoments(n).skew; });
}

ZR_FUNCTION(ZrChiKurt, u"Returns kurtosis of a specified chi distribution.", kN)
const CXlOper* ZrChiKurt(CXlOper& result, int32_t n) {
    return ScalarBody(result, n < 1, [=] { return Math::ChiMoments(n).kurt; });
}

ZR_FUNCTION(ZrChiMom, u"Returns mean, standard deviation, skewness and kurtosis of a specified chi distribution.", kN)
const CXlOper* ZrChiMom(CXlOper& result, int32_t n) {
    return ColumnBody(result, n < 1, [=] { return MomentColumn(Math::ChiMoments(n)); });
}

// The same chi-square variates as ZrRandChiSq, square-rooted.
ZR_FUNCTION(ZrRandChi, u"Returns chi pseudo random number(s) based on Mersenne Twister algorithm.",
            kSize, kN, kAlgorithm, kSeed1, kSeed2)
const CXlOper* ZrRandChi(CXlOper& result, int32_t size, int32_t n, int16_t algorithm, int32_t seed1, int32_t seed2) {
    Math::RandomChiSquare sampler;
    sampler.SetDegreesOfFreedom(n);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, n >= 1, sampler,
                         [](double x) { return std::sqrt(x); });
}

}  // namespace Zr::Functions
