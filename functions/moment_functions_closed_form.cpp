// Moments and parameters of the distributions whose fits are closed forms:
// beta, gamma, Gumbel, logistic and log-normal.
#include <array>

#include "math/closed_form_moments.h"
#include "math/fits.h"
#include "moment_body.h"
#include "moment_functions.h"

namespace Zr::Functions {

const CXlOper* ZrBetaMean(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, alpha <= 1e-12 || beta <= 1e-12, [=] { return Math::BetaMoments(alpha, beta).mean; });
}

const CXlOper* ZrBetaStdev(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, alpha <= 1e-12 || beta <= 1e-12, [=] { return Math::BetaMoments(alpha, beta).stdev; });
}

const CXlOper* ZrBetaSkew(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, alpha <= 1e-12 || beta <= 1e-12, [=] { return Math::BetaMoments(alpha, beta).skew; });
}

const CXlOper* ZrBetaKurt(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, alpha <= 1e-12 || beta <= 1e-12, [=] { return Math::BetaMoments(alpha, beta).kurt; });
}

const CXlOper* ZrBetaMom(CXlOper& result, double alpha, double beta) {
    return ColumnBody(result, alpha <= 1e-12 || beta <= 1e-12,
                      [=] { return MomentColumn(Math::BetaMoments(alpha, beta)); });
}

const CXlOper* ZrBetaParam(CXlOper& result, double mean, double stdev) {
    return FitBody(result, stdev <= 1e-12, [=] { return Fit<2>(Math::BetaFit, mean, stdev); });
}

const CXlOper* ZrGammaMean(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, alpha <= 1e-12 || beta <= 1e-12, [=] { return Math::GammaMoments(alpha, beta).mean; });
}

const CXlOper* ZrGammaStdev(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, alpha <= 1e-12 || beta <= 1e-12,
                      [=] { return Math::GammaMoments(alpha, beta).stdev; });
}

// The shape moments do not depend on the scale.
const CXlOper* ZrGammaSkew(CXlOper& result, double alpha) {
    return ScalarBody(result, alpha <= 1e-12, [=] { return Math::GammaMoments(alpha, 1.0).skew; });
}

const CXlOper* ZrGammaKurt(CXlOper& result, double alpha) {
    return ScalarBody(result, alpha <= 1e-12, [=] { return Math::GammaMoments(alpha, 1.0).kurt; });
}

const CXlOper* ZrGammaMom(CXlOper& result, double alpha, double beta) {
    return ColumnBody(result, alpha <= 1e-12 || beta <= 1e-12,
                      [=] { return MomentColumn(Math::GammaMoments(alpha, beta)); });
}

// Shape mean^2 / stdev^2 and scale stdev^2 / mean, unchecked: a negative
// mean gives a negative scale.
const CXlOper* ZrGammaParam(CXlOper& result, double mean, double stdev) {
    return ColumnBody(result, stdev <= 1e-12, [=] {
        const double v = stdev * stdev;
        return std::array<Element, 2>{mean * mean / v, v / mean};
    });
}

const CXlOper* ZrGumbelMean(CXlOper& result, double alpha, double beta) {
    return ScalarBody(result, beta <= 1e-12, [=] { return Math::GumbelMoments(alpha, beta).mean; });
}

const CXlOper* ZrGumbelStdev(CXlOper& result, double beta) {
    return ScalarBody(result, beta <= 1e-12, [=] { return Math::GumbelMoments(0.0, beta).stdev; });
}

const CXlOper* ZrGumbelSkew(CXlOper& result) {
    return ScalarBody(result, false, [] { return Math::GumbelMoments(0.0, 1.0).skew; });
}

const CXlOper* ZrGumbelKurt(CXlOper& result) {
    return ScalarBody(result, false, [] { return Math::GumbelMoments(0.0, 1.0).kurt; });
}

const CXlOper* ZrGumbelMom(CXlOper& result, double alpha, double beta) {
    return ColumnBody(result, beta <= 1e-12, [=] { return MomentColumn(Math::GumbelMoments(alpha, beta)); });
}

const CXlOper* ZrGumbelParam(CXlOper& result, double mean, double stdev) {
    return FitBody(result, stdev <= 1e-12, [=] { return Fit<2>(Math::GumbelFit, mean, stdev); });
}

const CXlOper* ZrLogisticMean(CXlOper& result, double m) {
    return ScalarBody(result, false, [=] { return Math::LogisticMoments(m, 1.0).mean; });
}

const CXlOper* ZrLogisticStdev(CXlOper& result, double b) {
    return ScalarBody(result, b <= 1e-12, [=] { return Math::LogisticMoments(0.0, b).stdev; });
}

const CXlOper* ZrLogisticSkew(CXlOper& result) {
    return ScalarBody(result, false, [] { return Math::LogisticMoments(0.0, 1.0).skew; });
}

const CXlOper* ZrLogisticKurt(CXlOper& result) {
    return ScalarBody(result, false, [] { return Math::LogisticMoments(0.0, 1.0).kurt; });
}

const CXlOper* ZrLogisticMom(CXlOper& result, double m, double b) {
    return ColumnBody(result, b <= 1e-12, [=] { return MomentColumn(Math::LogisticMoments(m, b)); });
}

const CXlOper* ZrLogisticParam(CXlOper& result, double mean, double stdev) {
    return FitBody(result, stdev <= 1e-12, [=] { return Fit<2>(Math::LogisticFit, mean, stdev); });
}

const CXlOper* ZrLogNormMean(CXlOper& result, double m, double s) {
    return ScalarBody(result, s <= 1e-12, [=] { return Math::LogNormMoments(m, s).mean; });
}

const CXlOper* ZrLogNormStdev(CXlOper& result, double m, double s) {
    return ScalarBody(result, s <= 1e-12, [=] { return Math::LogNormMoments(m, s).stdev; });
}

// The shape moments do not depend on m.
const CXlOper* ZrLogNormSkew(CXlOper& result, double s) {
    return ScalarBody(result, s <= 1e-12, [=] { return Math::LogNormMoments(0.0, s).skew; });
}

const CXlOper* ZrLogNormKurt(CXlOper& result, double s) {
    return ScalarBody(result, s <= 1e-12, [=] { return Math::LogNormMoments(0.0, s).kurt; });
}

const CXlOper* ZrLogNormMom(CXlOper& result, double m, double s) {
    return ColumnBody(result, s <= 1e-12, [=] { return MomentColumn(Math::LogNormMoments(m, s)); });
}

const CXlOper* ZrLogNormParam(CXlOper& result, double mean, double stdev) {
    return FitBody(result, stdev <= 1e-12, [=] { return Fit<2>(Math::LogNormFit, mean, stdev); });
}

}  // namespace Zr::Functions
