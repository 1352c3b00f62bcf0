// Moments of the distributions with integer degrees of freedom (chi,
// chi-square, F, Student's t) and of the Poisson distribution.
#include <array>

#include "math/closed_form_moments.h"
#include "moment_body.h"
#include "moment_functions.h"

namespace Zr::Functions {

const CXlOper* ZrChiMean(CXlOper& result, int32_t n) {
    return ScalarBody(result, n < 1, [=] { return Math::ChiMoments(n).mean; });
}

const CXlOper* ZrChiStdev(CXlOper& result, int32_t n) {
    return ScalarBody(result, n < 1, [=] { return Math::ChiMoments(n).stdev; });
}

const CXlOper* ZrChiSkew(CXlOper& result, int32_t n) {
    return ScalarBody(result, n < 1, [=] { return Math::ChiMoments(n).skew; });
}

const CXlOper* ZrChiKurt(CXlOper& result, int32_t n) {
    return ScalarBody(result, n < 1, [=] { return Math::ChiMoments(n).kurt; });
}

const CXlOper* ZrChiMom(CXlOper& result, int32_t n) {
    return ColumnBody(result, n < 1, [=] { return MomentColumn(Math::ChiMoments(n)); });
}

const CXlOper* ZrChiSqMean(CXlOper& result, int32_t n) {
    return ScalarBody(result, n < 1, [=] { return Math::ChiSqMoments(n).mean; });
}

const CXlOper* ZrChiSqStdev(CXlOper& result, int32_t n) {
    return ScalarBody(result, n < 1, [=] { return Math::ChiSqMoments(n).stdev; });
}

const CXlOper* ZrChiSqSkew(CXlOper& result, int32_t n) {
    return ScalarBody(result, n < 1, [=] { return Math::ChiSqMoments(n).skew; });
}

const CXlOper* ZrChiSqKurt(CXlOper& result, int32_t n) {
    return ScalarBody(result, n < 1, [=] { return Math::ChiSqMoments(n).kurt; });
}

const CXlOper* ZrChiSqMom(CXlOper& result, int32_t n) {
    return ColumnBody(result, n < 1, [=] { return MomentColumn(Math::ChiSqMoments(n)); });
}

const CXlOper* ZrFMean(CXlOper& result, int32_t n2) {
    return ScalarBody(result, n2 <= 2, [=] { return Math::FMean(n2); });
}

const CXlOper* ZrFStdev(CXlOper& result, int32_t n1, int32_t n2) {
    return ScalarBody(result, n1 < 1 || n2 < 5, [=] { return Math::FStdev(n1, n2); });
}

const CXlOper* ZrFSkew(CXlOper& result, int32_t n1, int32_t n2) {
    return ScalarBody(result, n1 < 1 || n2 < 7, [=] { return Math::FSkew(n1, n2); });
}

const CXlOper* ZrFKurt(CXlOper& result, int32_t n1, int32_t n2) {
    return ScalarBody(result, n1 < 1 || n2 < 9, [=] { return Math::FKurt(n1, n2); });
}

// Each moment exists from its own n2 on; the others are #VALUE! alone.
const CXlOper* ZrFMom(CXlOper& result, int32_t n1, int32_t n2) {
    return ColumnBody(result, n1 < 1, [=] {
        return std::array<Element, 4>{MomentIf(n2 > 2, Math::FMean(n2)), MomentIf(n2 > 4, Math::FStdev(n1, n2)),
                                      MomentIf(n2 > 6, Math::FSkew(n1, n2)), MomentIf(n2 > 8, Math::FKurt(n1, n2))};
    });
}

const CXlOper* ZrPoissonMean(CXlOper& result, double mean) {
    return ScalarBody(result, mean <= 1e-12, [=] { return Math::PoissonMoments(mean).mean; });
}

const CXlOper* ZrPoissonStdev(CXlOper& result, double mean) {
    return ScalarBody(result, mean <= 1e-12, [=] { return Math::PoissonMoments(mean).stdev; });
}

const CXlOper* ZrPoissonSkew(CXlOper& result, double mean) {
    return ScalarBody(result, mean <= 1e-12, [=] { return Math::PoissonMoments(mean).skew; });
}

const CXlOper* ZrPoissonKurt(CXlOper& result, double mean) {
    return ScalarBody(result, mean <= 1e-12, [=] { return Math::PoissonMoments(mean).kurt; });
}

const CXlOper* ZrPoissonMom(CXlOper& result, double mean) {
    return ColumnBody(result, mean <= 1e-12, [=] { return MomentColumn(Math::PoissonMoments(mean)); });
}

const CXlOper* ZrTMean(CXlOper& result) {
    return ScalarBody(result, false, [] { return 0.0; });
}

const CXlOper* ZrTStdev(CXlOper& result, int32_t n) {
    return ScalarBody(result, n <= 2, [=] { return Math::TStdev(n); });
}

const CXlOper* ZrTSkew(CXlOper& result) {
    return ScalarBody(result, false, [] { return 0.0; });
}

const CXlOper* ZrTKurt(CXlOper& result, int32_t n) {
    return ScalarBody(result, n <= 4, [=] { return Math::TKurt(n); });
}

// The mean exists from n = 2 on, the other moments from their own n.
const CXlOper* ZrTMom(CXlOper& result, int32_t n) {
    return ColumnBody(result, n < 2, [=] {
        return std::array<Element, 4>{0.0, MomentIf(n > 2, Math::TStdev(n)), MomentIf(n > 3, 0.0),
                                      MomentIf(n > 4, Math::TKurt(n))};
    });
}

}  // namespace Zr::Functions
