// Johnson SU distribution (shapes gamma, delta, scale lambda, location xi): its worksheet functions.

#include <cmath>

#include "functions/arguments.h"
#include "functions/body.h"
#include "functions/checks.h"
#include "functions/moment_body.h"
#include "functions/sampler_column.h"
#include "math/johnson_su.h"

namespace Zr::Functions {

ZR_FUNCTION(ZrJohnsonSUDist, u"Returns the Johnson SU distribution for the specified parameters.",
            kX, kGamma, kDelta, kLambda, kXi, kIsCumulative)
const CXlOper* ZrJohnsonSUDist(CXlOper& result, double x, double gamma, double delta, double lambda, double xi,
                               XlBool isCumulative) {
    return ScalarBody(result, NotPositive(delta) || NotPositive(lambda),
                      Either(isCumulative, [=] { return Math::JohnsonSUCdf(x, gamma, delta, lambda, xi); },
                             [=] { return Math::JohnsonSUPdf(x, gamma, delta, lambda, xi); }));
}

ZR_FUNCTION(ZrJohnsonSUInv,
            u"Returns the inverse of the cumulative distribution function for a specified Johnson SU distribution.",
            kProbOpen, kGamma, kDelta, kLambda, kXi)
const CXlOper* ZrJohnsonSUInv(CXlOper& result, double prob, double gamma, double delta, double lambda, double xi) {
    return ScalarBody(result, prob <= 0 || prob >= 1 || NotPositive(delta) || NotPositive(lambda),
                      [=] { return Math::JohnsonSUInv(prob, gamma, delta, lambda, xi); });
}

ZR_FUNCTION(ZrJohnsonSUMean, u"Returns mean of a specified Johnson SU distribution.", kGamma, kDelta, kLambda, kXi)
const CXlOper* ZrJohnsonSUMean(CXlOper& result, double gamma, double delta, double lambda, double xi) {
    return ScalarBody(result, NotPositive(delta) || NotPositive(lambda),
                      [=] { return Math::JohnsonSUMean(gamma, delta, lambda, xi); });
}

ZR_FUNCTION(ZrJohnsonSUStdev, u"Returns standard deviation of a specified Johnson SU distribution.",
            kGamma, kDelta, kLambda, kXi)
const CXlOper* ZrJohnsonSUStdev(CXlOper& result, double gamma, double delta, double lambda, double xi) {
    return ScalarBody(result, NotPositive(delta) || NotPositive(lambda),
                      [=] { return Math::JohnsonSUStdev(gamma, delta, lambda, xi); });
}

ZR_FUNCTION(ZrJohnsonSUSkew, u"Returns skewness of a specified Johnson SU distribution.",
            kGamma, kDelta, kLambda, kXi)
const CXlOper* ZrJohnsonSUSkew(CXlOper& result, double gamma, double delta, double lambda, double xi) {
    return ScalarBody(result, NotPositive(delta) || NotPositive(lambda),
                      [=] { return Math::JohnsonSUSkew(gamma, delta, lambda, xi); });
}

ZR_FUNCTION(ZrJohnsonSUKurt, u"Returns kurtosis of a specified Johnson SU distribution.",
            kGamma, kDelta, kLambda, kXi)
const CXlOper* ZrJohnsonSUKurt(CXlOper& result, double gamma, double delta, double lambda, double /*xi*/) {
    return ScalarBody(result, NotPositive(delta) || NotPositive(lambda),
                      [=] { return Math::JohnsonSUKurt(gamma, delta); });
}

ZR_FUNCTION(ZrJohnsonSUMom,
            u"Returns mean, standard deviation, skewness and kurtosis of a specified Johnson SU distribution.",
            kGamma, kDelta, kLambda, kXi)
const CXlOper* ZrJohnsonSUMom(CXlOper& result, double gamma, double delta, double lambda, double xi) {
    return ColumnBody(result, NotPositive(delta) || NotPositive(lambda), [=] {
        return MomentColumn({Math::JohnsonSUMean(gamma, delta, lambda, xi),
                             Math::JohnsonSUStdev(gamma, delta, lambda, xi),
                             Math::JohnsonSUSkew(gamma, delta, lambda, xi), Math::JohnsonSUKurt(gamma, delta)});
    });
}

ZR_FUNCTION(ZrJohnsonSUParam,
            u"Returns parameters of the Johnson SU distribution for the specified mean standard deviation, "
            u"skewness and kurtosis.",
            kMean, kStdev, kSkew, kKurt)
const CXlOper* ZrJohnsonSUParam(CXlOper& result, double mean, double stdev, double skew, double kurt) {
    return FitBody(result, NotPositive(stdev), [=] { return Fit<4>(Math::JohnsonSUFit, mean, stdev, skew, kurt); });
}

// Resampling acts on the normal variates, before the transformation.
ZR_FUNCTION(ZrRandJohnsonSU, u"Returns Johnson SU pseudo random number(s) based on Mersenne Twister algorithm.",
            kSize, kGamma, kDelta, kLambda, kXi, kAlgorithm,
            kSeed1, kSeed2, kUseInvertFunc, kUseAntithetic, kUseResampling)
const CXlOper* ZrRandJohnsonSU(CXlOper& result, int32_t size, double gamma, double delta, double lambda, double xi,
                               int16_t algorithm, int32_t seed1, int32_t seed2, XlBool useInvertFunc,
                               XlBool useAntithetic, XlBool useResampling) {
    const bool valid = Finite({gamma, delta, lambda, xi}) && Positive(delta) && Positive(lambda);
    return NormalColumn(result, {size, algorithm, seed1, seed2}, valid, Method(useInvertFunc), bool(useAntithetic),
                        bool(useResampling), [&](CXlArrayWriter& out, int64_t i, double z) {
                            out.SetDouble(i, std::sinh((z - gamma) / delta) * lambda + xi);
                        });
}

}  // namespace Zr::Functions
