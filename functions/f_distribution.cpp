// F distribution (n1, n2 degrees of freedom): its worksheet functions.

#include <array>

#include "functions/arguments.h"
#include "functions/body.h"
#include "functions/moment_body.h"
#include "functions/sampler_column.h"
#include "math/f_distribution.h"

namespace Zr::Functions {

ZR_FUNCTION(ZrFDist, u"Returns the F distribution for the specified parameters.",
            kXNonNegative, kN1, kN2, kIsCumulative)
const CXlOper* ZrFDist(CXlOper& result, double x, int32_t n1, int32_t n2, XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::FCdf(x, n1, n2); },
                             [=] { return Math::FPdf(x, n1, n2); }));
}

ZR_FUNCTION(ZrFDistInv, u"Returns probability quantile function of the F distribution.", kProb, kN1, kN2)
const CXlOper* ZrFDistInv(CXlOper& result, double prob, int32_t n1, int32_t n2) {
    return ScalarBody(result, false, [=] { return Math::FInv(prob, n1, n2); });
}

ZR_FUNCTION(ZrFMean, u"Returns mean of a specified F distribution.", kN2Above2)
const CXlOper* ZrFMean(CXlOper& result, int32_t n2) {
    return ScalarBody(result, n2 <= 2, [=] { return Math::FMean(n2); });
}

ZR_FUNCTION(ZrFStdev, u"Returns standard deviation of a specified F distribution.", kN1, kN2Above4)
const CXlOper* ZrFStdev(CXlOper& result, int32_t n1, int32_t n2) {
    return ScalarBody(result, n1 < 1 || n2 < 5, [=] { return Math::FStdev(n1, n2); });
}

ZR_FUNCTION(ZrFSkew, u"Returns skewness of a specified F distribution.", kN1, kN2Above6)
const CXlOper* ZrFSkew(CXlOper& result, int32_t n1, int32_t n2) {
    return ScalarBody(result, n1 < 1 || n2 < 7, [=] { return Math::FSkew(n1, n2); });
}

ZR_FUNCTION(ZrFKurt, u"Returns kurtosis of a specified F distribution.", kN1, kN2Above8)
const CXlOper* ZrFKurt(CXlOper& result, int32_t n1, int32_t n2) {
    return ScalarBody(result, n1 < 1 || n2 < 9, [=] { return Math::FKurt(n1, n2); });
}

// Each moment exists from its own n2 on; the others are #VALUE! alone.
ZR_FUNCTION(ZrFMom, u"Returns mean, standard deviation, skewness and kurtosis of a specified F distribution.",
            kN1, kN2Above2)
const CXlOper* ZrFMom(CXlOper& result, int32_t n1, int32_t n2) {
    return ColumnBody(result, n1 < 1, [=] {
        return std::array<Element, 4>{MomentIf(n2 > 2, Math::FMean(n2)), MomentIf(n2 > 4, Math::FStdev(n1, n2)),
                                      MomentIf(n2 > 6, Math::FSkew(n1, n2)), MomentIf(n2 > 8, Math::FKurt(n1, n2))};
    });
}

// x / n1 over y / n2 for two chi-square variates; Y's gamma generator takes
// the seeds of X's extra generator.
ZR_FUNCTION(ZrRandF, u"Returns F pseudo random number(s) based on Mersenne Twister algorithm.",
            kSize, kN1, kN2, kAlgorithm, kSeed1, kSeed2)
const CXlOper* ZrRandF(CXlOper& result, int32_t size, int32_t n1, int32_t n2, int16_t algorithm, int32_t seed1,
                       int32_t seed2) {
    Math::RandomChiSquare x, y;
    x.SetDegreesOfFreedom(n1);
    y.SetDegreesOfFreedom(n2);
    const double r = double(n2) / double(n1);
    return RandomColumn(
        result, {size, algorithm, seed1, seed2}, [&] { return n1 >= 1 && n2 >= 1; },
        [&](uint32_t s1, uint32_t s2, UniformGeneratorType type) {
            return x.Seed(s1, s2, type) && y.Seed(Math::SeedStep(s1), Math::SeedStep(s2), type);
        },
        [&](CXlArrayWriter& out, int64_t i) {
            const double xi = x.Next();
            out.SetDouble(i, xi * r / y.Next());
        });
}

}  // namespace Zr::Functions
