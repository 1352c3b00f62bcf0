// Truncated normal distribution (support min..max, parent mu, sigma): its worksheet functions.

#include "functions/arguments.h"
#include "functions/body.h"
#include "functions/checks.h"
#include "functions/moment_body.h"
#include "functions/sampler_column.h"
#include "math/truncated_normal.h"

namespace Zr::Functions {

ZR_FUNCTION(ZrTruncNormDist, u"Returns the truncated normal distribution for the specified parameters.",
            kX, kMin, kMax, kMu, kSigma, kIsCumulative)
const CXlOper* ZrTruncNormDist(CXlOper& result, double x, double min, double max, double mu, double sigma,
                               XlBool isCumulative) {
    return ScalarBody(result, x < min || x > max || min >= max || NotPositive(sigma),
                      Either(isCumulative, [=] { return Math::TruncNormCdf(x, min, max, mu, sigma); },
                             [=] { return Math::TruncNormPdf(x, min, max, mu, sigma); }));
}

ZR_FUNCTION(ZrTruncNormInv,
            u"Returns the inverse of the cumulative distribution function for a specified truncated normal "
            u"distribution.",
            kProbClosed, kMin, kMax, kMu, kSigma)
const CXlOper* ZrTruncNormInv(CXlOper& result, double prob, double min, double max, double mu, double sigma) {
    return ScalarBody(result, prob < 0 || prob > 1 || min >= max || NotPositive(sigma),
                      [=] { return Math::TruncNormInv(prob, min, max, mu, sigma); });
}

ZR_FUNCTION(ZrTruncNormMean, u"Returns mean of a specified truncated normal distribution.", kMin, kMax, kMu, kSigma)
const CXlOper* ZrTruncNormMean(CXlOper& result, double min, double max, double mu, double sigma) {
    return ScalarBody(result, min >= max || NotPositive(sigma),
                      [=] { return Math::TruncNormMean(min, max, mu, sigma); });
}

ZR_FUNCTION(ZrTruncNormStdev, u"Returns standard deviation of a specified truncated normal distribution.",
            kMin, kMax, kMu, kSigma)
const CXlOper* ZrTruncNormStdev(CXlOper& result, double min, double max, double mu, double sigma) {
    return ScalarBody(result, min >= max || NotPositive(sigma),
                      [=] { return Math::TruncNormStdev(min, max, mu, sigma); });
}

ZR_FUNCTION(ZrTruncNormSkew, u"Returns skewness of a specified truncated normal distribution.",
            kMin, kMax, kMu, kSigma)
const CXlOper* ZrTruncNormSkew(CXlOper& result, double min, double max, double mu, double sigma) {
    return ScalarBody(result, min >= max || NotPositive(sigma),
                      [=] { return Math::TruncNormSkew(min, max, mu, sigma); });
}

ZR_FUNCTION(ZrTruncNormKurt, u"Returns kurtosis of a specified truncated normal distribution.",
            kMin, kMax, kMu, kSigma)
const CXlOper* ZrTruncNormKurt(CXlOper& result, double min, double max, double mu, double sigma) {
    return ScalarBody(result, min >= max || NotPositive(sigma),
                      [=] { return Math::TruncNormKurt(min, max, mu, sigma); });
}

ZR_FUNCTION(ZrTruncNormMom,
            u"Returns mean, standard deviation, skewness and kurtosis of a specified truncated normal "
            u"distribution.",
            kMin, kMax, kMu, kSigma)
const CXlOper* ZrTruncNormMom(CXlOper& result, double min, double max, double mu, double sigma) {
    return ColumnBody(result, min >= max || NotPositive(sigma), [=] {
        return MomentColumn({Math::TruncNormMean(min, max, mu, sigma), Math::TruncNormStdev(min, max, mu, sigma),
                             Math::TruncNormSkew(min, max, mu, sigma), Math::TruncNormKurt(min, max, mu, sigma)});
    });
}

ZR_FUNCTION(ZrTruncNormParam,
            u"Returns parameters of the truncated normal distribution for the specified support, mean and "
            u"standard deviation.",
            kMin, kMax, kMean, kStdev)
const CXlOper* ZrTruncNormParam(CXlOper& result, double min, double max, double mean, double stdev) {
    return FitBody(result, min >= max || NotPositive(stdev),
                   [=] { return Fit<2>(Math::TruncNormFit, min, max, mean, stdev); });
}

// The truncated normal quantile of each uniform.
ZR_FUNCTION(ZrRandTruncNorm, u"Returns truncated normal pseudo random number(s) based on Mersenne Twister algorithm.",
            kSize, kMin, kMax, kMu, kSigma, kAlgorithm, kSeed1, kSeed2)
const CXlOper* ZrRandTruncNorm(CXlOper& result, int32_t size, double min, double max, double mu, double sigma,
                               int16_t algorithm, int32_t seed1, int32_t seed2) {
    Math::RandomUniform uniform;
    const bool valid = Finite({min, max, mu, sigma}) && Positive(sigma) && min < max;
    const Math::TruncNormQuantile quantile(min, max, mu, sigma);
    return RandomColumn(
        result, {size, algorithm, seed1, seed2}, [valid] { return valid; },
        [&](uint32_t s1, uint32_t s2, UniformGeneratorType type) { return uniform.Init(s1, s2, type); },
        [&](CXlArrayWriter& out, int64_t i) { out.SetDouble(i, quantile(uniform.Next())); });
}

}  // namespace Zr::Functions
