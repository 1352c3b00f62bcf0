// Bivariate standard normal distribution with correlation corr: its worksheet functions.

#include "functions/arguments.h"
#include "functions/body.h"
#include "math/bivariate_normal.h"

namespace Zr::Functions {

ZR_FUNCTION(ZrBiNormDist, u"Returns the bivariate normal distribution", kX1, kX2, kCorr, kIsCumulative)
const CXlOper* ZrBiNormDist(CXlOper& result, double x1, double x2, double corr, XlBool isCumulative) {
    return ScalarBody(result, corr < -1 || corr > 1,
                      Either(isCumulative, [=] { return Math::BiNormCdf(x1, x2, corr); },
                             [=] { return Math::BiNormPdf(x1, x2, corr); }));
}

}  // namespace Zr::Functions
