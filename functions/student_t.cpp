// Student's t distribution (n degrees of freedom): its worksheet functions.

#include <array>

#include "functions/arguments.h"
#include "functions/body.h"
#include "functions/moment_body.h"
#include "functions/sampler_column.h"
#include "math/student_t.h"

namespace Zr::Functions {

ZR_FUNCTION(ZrTDist, u"Returns the Student's t distribution for the specified parameters.",
            kXNonNegative, kN, kIsCumulative)
const CXlOper* ZrTDist(CXlOper& result, double x, int32_t n, XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::TCdf(x, n); }, [=] { return Math::TPdf(x, n); }));
}

ZR_FUNCTION(ZrTDistInv, u"Returns probability quantile function of the Student t distribution.", kProb, kN)
const CXlOper* ZrTDistInv(CXlOper& result, double prob, int32_t n) {
    return ScalarBody(result, false, [=] { return Math::TInv(prob, n); });
}

ZR_FUNCTION(ZrTMean, u"Returns mean of a specified Student's t distribution.")
const CXlOper* ZrTMean(CXlOper& result) {
    return ScalarBody(result, false, [] { return 0.0; });
}

ZR_FUNCTION(ZrTStdev, u"Returns standard deviation of a specified Student's t distribution.", kNAbove1)
const CXlOper* ZrTStdev(CXlOper& result, int32_t n) {
    return ScalarBody(result, n <= 2, [=] { return Math::TStdev(n); });
}

ZR_FUNCTION(ZrTSkew, u"Returns skewness of a specified Student's t distribution.")
const CXlOper* ZrTSkew(CXlOper& result) {
    return ScalarBody(result, false, [] { return 0.0; });
}

ZR_FUNCTION(ZrTKurt, u"Returns kurtosis of a specified Student's t distribution.", kNAbove4)
const CXlOper* ZrTKurt(CXlOper& result, int32_t n) {
    return ScalarBody(result, n <= 4, [=] { return Math::TKurt(n); });
}

// The mean exists from n = 2 on, the other moments from their own n.
ZR_FUNCTION(ZrTMom,
            u"Returns mean, standard deviation, skewness and kurtosis of a specified Student's t distribution.",
            kNAbove1)
const CXlOper* ZrTMom(CXlOper& result, int32_t n) {
    return ColumnBody(result, n < 2, [=] {
        return std::array<Element, 4>{0.0, MomentIf(n > 2, Math::TStdev(n)), MomentIf(n > 3, 0.0),
                                      MomentIf(n > 4, Math::TKurt(n))};
    });
}

ZR_FUNCTION(ZrRandT, u"Returns Student's t pseudo random number(s) based on Mersenne Twister algorithm.",
            kSize, kN, kAlgorithm, kSeed1, kSeed2)
const CXlOper* ZrRandT(CXlOper& result, int32_t size, int32_t n, int16_t algorithm, int32_t seed1, int32_t seed2) {
    Math::RandomStudentT sampler;
    sampler.SetDegreesOfFreedom(n);
    return SamplerColumn(result, {size, algorithm, seed1, seed2}, n >= 1, sampler);
}

}  // namespace Zr::Functions
