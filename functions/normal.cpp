// Standard normal distribution: its worksheet functions.

#include "functions/arguments.h"
#include "functions/body.h"
#include "functions/sampler_column.h"
#include "math/normal.h"

namespace Zr::Functions {

ZR_FUNCTION(ZrNormDist, u"Returns the standard normal distribution for the specified parameters.",
            kXPositive, kIsCumulative)
const CXlOper* ZrNormDist(CXlOper& result, double x, XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::NormCdf(x); }, [=] { return Math::NormPdf(x); }));
}

ZR_FUNCTION(ZrNormInv, u"Returns the inverse of the cumulative distribution function for a specified standard normal "
            u"distribution.",
            kProbOpen)
const CXlOper* ZrNormInv(CXlOper& result, double prob) {
    return ScalarBody(result, prob <= 0 || prob >= 1, [=] { return Math::NormInv(prob); });
}

ZR_FUNCTION(ZrRandNorm, u"Returns standard normal pseudo random number(s) based on Mersenne Twister algorithm.",
            kSize, kAlgorithm, kSeed1, kSeed2, kUseInvertFunc, kUseAntithetic, kUseResampling)
const CXlOper* ZrRandNorm(CXlOper& result, int32_t size, int16_t algorithm, int32_t seed1, int32_t seed2,
                          XlBool useInvertFunc, XlBool useAntithetic, XlBool useResampling) {
    return NormalColumn(result, {size, algorithm, seed1, seed2}, true, Method(useInvertFunc), bool(useAntithetic),
                        bool(useResampling),
                        [](CXlArrayWriter& out, int64_t i, double z) { out.SetDouble(i, z); });
}

}  // namespace Zr::Functions
