#include "distribution_functions.h"

#include <cmath>

#include "body.h"
#include "math/distributions.h"

namespace Zr::Functions {
namespace {

// The distribution function when isCumulative is set, else the density.
template <class Cdf, class Pdf>
auto Either(XlBool isCumulative, Cdf cdf, Pdf pdf) {
    return [=] { return isCumulative ? cdf() : pdf(); };
}

}  // namespace

const CXlOper* ZrBetaDist(CXlOper& result, double x, double alpha, double beta, XlBool isCumulative) {
    return ScalarBody(result, x < 0 || x > 1 || alpha <= 1e-12 || beta <= 1e-12,
                      Either(isCumulative, [=] { return Math::BetaCdf(x, alpha, beta); },
                             [=] { return Math::BetaPdf(x, alpha, beta); }));
}

const CXlOper* ZrBetaInv(CXlOper& result, double prob, double alpha, double beta) {
    return ScalarBody(result, prob <= 0 || prob >= 1 || alpha <= 1e-12 || beta <= 1e-12,
                      [=] { return Math::BetaInv(prob, alpha, beta); });
}

const CXlOper* ZrBiNormDist(CXlOper& result, double x1, double x2, double corr, XlBool isCumulative) {
    return ScalarBody(result, corr < -1 || corr > 1,
                      Either(isCumulative, [=] { return Math::BiNormCdf(x1, x2, corr); },
                             [=] { return Math::BiNormPdf(x1, x2, corr); }));
}

const CXlOper* ZrChiDist(CXlOper& result, double x, int32_t n, XlBool isCumulative) {
    return ScalarBody(result, x < 0 || n < 1,
                      Either(isCumulative, [=] { return Math::ChiCdf(x, n); }, [=] { return Math::ChiPdf(x, n); }));
}

const CXlOper* ZrChiDistInv(CXlOper& result, double prob, int32_t n) {
    return ScalarBody(result, false, [=] { return std::sqrt(Math::ChiSqInv(prob, n)); });
}

const CXlOper* ZrChiSqDist(CXlOper& result, double x, int32_t n, XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::ChiSqCdf(x, n); }, [=] { return Math::ChiSqPdf(x, n); }));
}

const CXlOper* ZrChiSqDistInv(CXlOper& result, double prob, int32_t n) {
    return ScalarBody(result, false, [=] { return Math::ChiSqInv(prob, n); });
}

const CXlOper* ZrFDist(CXlOper& result, double x, int32_t n1, int32_t n2, XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::FCdf(x, n1, n2); },
                             [=] { return Math::FPdf(x, n1, n2); }));
}

const CXlOper* ZrFDistInv(CXlOper& result, double prob, int32_t n1, int32_t n2) {
    return ScalarBody(result, false, [=] { return Math::FInv(prob, n1, n2); });
}

const CXlOper* ZrGammaDist(CXlOper& result, double x, double alpha, double beta, XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::GammaCdf(x, alpha, beta); },
                             [=] { return Math::GammaPdf(x, alpha, beta); }));
}

const CXlOper* ZrGammaDistInv(CXlOper& result, double prob, double alpha, double beta) {
    return ScalarBody(result, false, [=] { return Math::GammaInv(prob, alpha, beta); });
}

const CXlOper* ZrGumbelDist(CXlOper& result, double x, double alpha, double beta, XlBool isCumulative) {
    return ScalarBody(result, beta <= 1e-12,
                      Either(isCumulative, [=] { return Math::GumbelCdf(x, alpha, beta); },
                             [=] { return Math::GumbelPdf(x, alpha, beta); }));
}

const CXlOper* ZrGumbelInv(CXlOper& result, double prob, double alpha, double beta) {
    return ScalarBody(result, prob <= 0 || prob >= 1 || beta <= 1e-12,
                      [=] { return Math::GumbelInv(prob, alpha, beta); });
}

const CXlOper* ZrJohnsonSUDist(CXlOper& result, double x, double gamma, double delta, double lambda, double xi,
                               XlBool isCumulative) {
    return ScalarBody(result, delta <= 1e-12 || lambda <= 1e-12,
                      Either(isCumulative, [=] { return Math::JohnsonSUCdf(x, gamma, delta, lambda, xi); },
                             [=] { return Math::JohnsonSUPdf(x, gamma, delta, lambda, xi); }));
}

const CXlOper* ZrJohnsonSUInv(CXlOper& result, double prob, double gamma, double delta, double lambda, double xi) {
    return ScalarBody(result, prob <= 0 || prob >= 1 || delta <= 1e-12 || lambda <= 1e-12,
                      [=] { return Math::JohnsonSUInv(prob, gamma, delta, lambda, xi); });
}

const CXlOper* ZrLogisticDist(CXlOper& result, double x, double m, double b, XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::LogisticCdf(x, m, b); },
                             [=] { return Math::LogisticPdf(x, m, b); }));
}

const CXlOper* ZrLogisticInv(CXlOper& result, double prob, double m, double b) {
    return ScalarBody(result, false, [=] { return Math::LogisticInv(prob, m, b); });
}

const CXlOper* ZrLogNormDist(CXlOper& result, double x, double m, double s, XlBool isCumulative) {
    return ScalarBody(result, x <= 0 || s <= 1e-12,
                      Either(isCumulative, [=] { return Math::LogNormCdf(x, m, s); },
                             [=] { return Math::LogNormPdf(x, m, s); }));
}

const CXlOper* ZrLogNormInv(CXlOper& result, double prob, double m, double s) {
    return ScalarBody(result, prob <= 0 || prob >= 1 || s <= 1e-12, [=] { return Math::LogNormInv(prob, m, s); });
}

const CXlOper* ZrNormDist(CXlOper& result, double x, XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::NormCdf(x); }, [=] { return Math::NormPdf(x); }));
}

const CXlOper* ZrNormInv(CXlOper& result, double prob) {
    return ScalarBody(result, prob <= 0 || prob >= 1, [=] { return Math::NormInv(prob); });
}

const CXlOper* ZrPoissonDist(CXlOper& result, int32_t k, double mean, XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::PoissonCdf(k, mean); },
                             [=] { return Math::PoissonPdf(k, mean); }));
}

const CXlOper* ZrPoissonDistInv(CXlOper& result, double prob, double mean) {
    return ScalarBody(result, false, [=] { return Math::PoissonInv(prob, mean); });
}

const CXlOper* ZrTDist(CXlOper& result, double x, int32_t n, XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::TCdf(x, n); }, [=] { return Math::TPdf(x, n); }));
}

const CXlOper* ZrTDistInv(CXlOper& result, double prob, int32_t n) {
    return ScalarBody(result, false, [=] { return Math::TInv(prob, n); });
}

const CXlOper* ZrTriangularDist(CXlOper& result, double x, double min, double max, double mode,
                                XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::TriangularCdf(x, min, max, mode); },
                             [=] { return Math::TriangularPdf(x, min, max, mode); }));
}

const CXlOper* ZrTriangularInv(CXlOper& result, double prob, double min, double max, double mode) {
    return ScalarBody(result, false, [=] { return Math::TriangularInv(prob, min, max, mode); });
}

const CXlOper* ZrTruncNormDist(CXlOper& result, double x, double min, double max, double mu, double sigma,
                               XlBool isCumulative) {
    return ScalarBody(result, x < min || x > max || min >= max || sigma <= 1e-12,
                      Either(isCumulative, [=] { return Math::TruncNormCdf(x, min, max, mu, sigma); },
                             [=] { return Math::TruncNormPdf(x, min, max, mu, sigma); }));
}

const CXlOper* ZrTruncNormInv(CXlOper& result, double prob, double min, double max, double mu, double sigma) {
    return ScalarBody(result, prob < 0 || prob > 1 || min >= max || sigma <= 1e-12,
                      [=] { return Math::TruncNormInv(prob, min, max, mu, sigma); });
}

const CXlOper* ZrWeibullDist(CXlOper& result, double x, double alpha, double beta, XlBool isCumulative) {
    return ScalarBody(result, false,
                      Either(isCumulative, [=] { return Math::WeibullCdf(x, alpha, beta); },
                             [=] { return Math::WeibullPdf(x, alpha, beta); }));
}

const CXlOper* ZrWeibullInv(CXlOper& result, double prob, double alpha, double beta) {
    return ScalarBody(result, false, [=] { return Math::WeibullInv(prob, alpha, beta); });
}

}  // namespace Zr::Functions
