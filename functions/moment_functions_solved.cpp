// Moments and parameters of the distributions whose fits are solved by
// Newton-Raphson: Johnson SU, triangular, truncated normal and Weibull.
#include "math/closed_form_moments.h"
#include "math/fits.h"
#include "moment_body.h"
#include "moment_functions.h"

namespace Zr::Functions {

const CXlOper* ZrJohnsonSUMean(CXlOper& result, double gamma, double delta, double lambda, double xi) {
    return ScalarBody(result, delta <= 1e-12 || lambda <= 1e-12,
                      [=] { return Math::JohnsonSUMean(gamma, delta, lambda, xi); });
}

const CXlOper* ZrJohnsonSUStdev(CXlOper& result, double gamma, double delta, double lambda, double xi) {
    return ScalarBody(result, delta <= 1e-12 || lambda <= 1e-12,
                      [=] { return Math::JohnsonSUStdev(gamma, delta, lambda, xi); });
}

const CXlOper* ZrJohnsonSUSkew(CXlOper& result, double gamma, double delta, double lambda, double xi) {
    return ScalarBody(result, delta <= 1e-12 || lambda <= 1e-12,
                      [=] { return Math::JohnsonSUSkew(gamma, delta, lambda, xi); });
}

const CXlOper* ZrJohnsonSUKurt(CXlOper& result, double gamma, double delta, double lambda, double /*xi*/) {
    return ScalarBody(result, delta <= 1e-12 || lambda <= 1e-12, [=] { return Math::JohnsonSUKurt(gamma, delta); });
}

const CXlOper* ZrJohnsonSUMom(CXlOper& result, double gamma, double delta, double lambda, double xi) {
    return ColumnBody(result, delta <= 1e-12 || lambda <= 1e-12, [=] {
        return MomentColumn({Math::JohnsonSUMean(gamma, delta, lambda, xi),
                             Math::JohnsonSUStdev(gamma, delta, lambda, xi),
                             Math::JohnsonSUSkew(gamma, delta, lambda, xi), Math::JohnsonSUKurt(gamma, delta)});
    });
}

const CXlOper* ZrJohnsonSUParam(CXlOper& result, double mean, double stdev, double skew, double kurt) {
    return FitBody(result, stdev <= 1e-12, [=] { return Fit<4>(Math::JohnsonSUFit, mean, stdev, skew, kurt); });
}

const CXlOper* ZrTriangularMean(CXlOper& result, double min, double max, double mode) {
    return ScalarBody(result, mode <= min || max <= mode,
                      [=] { return Math::TriangularMoments(min, max, mode).mean; });
}

const CXlOper* ZrTriangularStdev(CXlOper& result, double min, double max, double mode) {
    return ScalarBody(result, mode <= min || max <= mode,
                      [=] { return Math::TriangularMoments(min, max, mode).stdev; });
}

const CXlOper* ZrTriangularSkew(CXlOper& result, double min, double max, double mode) {
    return ScalarBody(result, mode <= min || max <= mode,
                      [=] { return Math::TriangularMoments(min, max, mode).skew; });
}

const CXlOper* ZrTriangularKurt(CXlOper& result) {
    return ScalarBody(result, false, [] { return -0.6; });
}

const CXlOper* ZrTriangularMom(CXlOper& result, double min, double max, double mode) {
    return ColumnBody(result, mode <= min || max <= mode,
                      [=] { return MomentColumn(Math::TriangularMoments(min, max, mode)); });
}

const CXlOper* ZrTriangularParam(CXlOper& result, double mean, double stdev, double skew) {
    return FitBody(result, stdev <= 1e-12, [=] { return Fit<3>(Math::TriangularFit, mean, stdev, skew); });
}

const CXlOper* ZrTruncNormMean(CXlOper& result, double min, double max, double mu, double sigma) {
    return ScalarBody(result, min >= max || sigma <= 1e-12, [=] { return Math::TruncNormMean(min, max, mu, sigma); });
}

const CXlOper* ZrTruncNormStdev(CXlOper& result, double min, double max, double mu, double sigma) {
    return ScalarBody(result, min >= max || sigma <= 1e-12,
                      [=] { return Math::TruncNormStdev(min, max, mu, sigma); });
}

const CXlOper* ZrTruncNormSkew(CXlOper& result, double min, double max, double mu, double sigma) {
    return ScalarBody(result, min >= max || sigma <= 1e-12, [=] { return Math::TruncNormSkew(min, max, mu, sigma); });
}

const CXlOper* ZrTruncNormKurt(CXlOper& result, double min, double max, double mu, double sigma) {
    return ScalarBody(result, min >= max || sigma <= 1e-12, [=] { return Math::TruncNormKurt(min, max, mu, sigma); });
}

const CXlOper* ZrTruncNormMom(CXlOper& result, double min, double max, double mu, double sigma) {
    return ColumnBody(result, min >= max || sigma <= 1e-12, [=] {
        return MomentColumn({Math::TruncNormMean(min, max, mu, sigma), Math::TruncNormStdev(min, max, mu, sigma),
                             Math::TruncNormSkew(min, max, mu, sigma), Math::TruncNormKurt(min, max, mu, sigma)});
    });
}

const CXlOper* ZrTruncNormParam(CXlOper& result, double min, double max, double mean, double stdev) {
    return FitBody(result, min >= max || stdev <= 1e-12,
                   [=] { return Fit<2>(Math::TruncNormFit, min, max, mean, stdev); });
}

const CXlOper* ZrWeibullMean(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, alpha <= 1e-12 || beta <= 1e-12,
                      [=] { return Math::WeibullMoments(alpha, beta).mean; });
}

const CXlOper* ZrWeibullStdev(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, alpha <= 1e-12 || beta <= 1e-12,
                      [=] { return Math::WeibullMoments(alpha, beta).stdev; });
}

const CXlOper* ZrWeibullSkew(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, alpha <= 1e-12 || beta <= 1e-12,
                      [=] { return Math::WeibullMoments(alpha, beta).skew; });
}

const CXlOper* ZrWeibullKurt(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, alpha <= 1e-12 || beta <= 1e-12,
                      [=] { return Math::WeibullMoments(alpha, beta).kurt; });
}

const CXlOper* ZrWeibullMom(CXlOper& result, double alpha, double beta) {
    return ColumnBody(result, alpha <= 1e-12 || beta <= 1e-12,
                      [=] { return MomentColumn(Math::WeibullMoments(alpha, beta)); });
}

const CXlOper* ZrWeibullParam(CXlOper& result, double mean, double stdev) {
    return FitBody(result, stdev <= 1e-12, [=] { return Fit<2>(Math::WeibullFit, mean, stdev); });
}

}  // namespace Zr::Functions
