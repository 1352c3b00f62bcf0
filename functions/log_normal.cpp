// Log-normal distribution (m and s of ln X): its worksheet functions.

#include <cmath>

#include "functions/arguments.h"
#include "functions/body.h"
#include "functions/checks.h"
#include "functions/moment_body.h"
#include "functions/sampler_column.h"
#include "math/log_normal.h"

namespace Zr::Functions {

ZR_FUNCTION(ZrLogNormDist, u"Returns the log normal distribution for the specified parameters.",
            kXPositive, kM, kS, kIsCumulative)
const CXlOper* ZrLogNormDist(CXlOper& result, double x, double m, double s, XlBool isCumulative) {
    return ScalarBody(result, x <= 0 || NotPositive(s),
                      Either(isCumulative, [=] { return Math::LogNormCdf(x, m, s); },
                             [=] { return Math::LogNormPdf(x, m, s); }));
}

ZR_FUNCTION(ZrLogNormInv,
            u"Returns the inverse of the cumulative distribution function for a specified log normal distribution.",
            kProbOpen, kM, kS)
const CXlOper* ZrLogNormInv(CXlOper& result, double prob, double m, double s) {
    return ScalarBody(result, prob <= 0 || prob >= 1 || NotPositive(s), [=] { return Math::LogNormInv(prob, m, s); });
}

ZR_FUNCTION(ZrLogNormMean, u"Returns mean of a specified log normal distribution.", kM, kS)
const CXlOper* ZrLogNormMean(CXlOper& result, double m, double s) {
    return ScalarBody(result, NotPositive(s), [=] { return Math::LogNormMoments(m, s).mean; });
}

ZR_FUNCTION(ZrLogNormStdev, u"Returns standard deviation of a specified log normal distribution.", kM, kS)
const CXlOper* ZrLogNormStdev(CXlOper& result, double m, double s) {
    return ScalarBody(result, NotPositive(s), [=] { return Math::LogNormMoments(m, s).stdev; });
}

// The shape moments do not depend on m.
ZR_FUNCTION(ZrLogNormSkew, u"Returns skewness of a specified log normal distribution.", kS)
const CXlOper* ZrLogNormSkew(CXlOper& result, double s) {
    return ScalarBody(result, NotPositive(s), [=] { return Math::LogNormMoments(0.0, s).skew; });
}

ZR_FUNCTION(ZrLogNormKurt, u"Returns kurtosis of a specified log normal distribution.", kS)
const CXlOper* ZrLogNormKurt(CXlOper& result, double s) {
    return ScalarBody(result, NotPositive(s), [=] { return Math::LogNormMoments(0.0, s).kurt; });
}

ZR_FUNCTION(ZrLogNormMom,
            u"Returns mean, standard deviation, skewness and kurtosis of a specified log normal distribution.",
            kM, kS)
const CXlOper* ZrLogNormMom(CXlOper& result, double m, double s) {
    return ColumnBody(result, NotPositive(s), [=] { return MomentColumn(Math::LogNormMoments(m, s)); });
}

ZR_FUNCTION(ZrLogNormParam,
            u"Returns parameters of the log normal distribution for the specified mean and standard deviation.",
            kMean, kStdev)
const CXlOper* ZrLogNormParam(CXlOper& result, double mean, double stdev) {
    return FitBody(result, NotPositive(stdev), [=] { return Fit<2>(Math::LogNormFit, mean, stdev); });
}

// Always inversion without antithetic variates or resampling; an element
// whose exponent exceeds 88.7 is #VALUE! on its own.
ZR_FUNCTION(ZrRandLogNorm, u"Returns log-normal pseudo random number(s) based on Mersenne Twister algorithm.",
            kSize, kM, kS, kAlgorithm, kSeed1, kSeed2)
const CXlOper* ZrRandLogNorm(CXlOper& result, int32_t size, double m, double s, int16_t algorithm, int32_t seed1,
                             int32_t seed2) {
    return NormalColumn(result, {size, algorithm, seed1, seed2}, Finite({m, s}) && Positive(s), Math::INV, false,
                        false, [&](CXlArrayWriter& out, int64_t i, double z) {
                            const double x = z * s + m;
                            if (x > 88.7)
                                out.SetError(i, xlerrValue);
                            else
                                out.SetDouble(i, std::exp(x));
                        });
}

}  // namespace Zr::Functions
