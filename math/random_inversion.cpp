#include "math/random_inversion.h"

#include "math/gumbel.h"
#include "math/logistic.h"
#include "math/triangular.h"
#include "math/weibull.h"

namespace Zr::Math {

double RandomTriangular::Next() noexcept {
    if (!initialised_) {
        if (!(max_ - min_ > 0.0) || !(min_ < mode_ && mode_ < max_)) return kNaN;
        initialised_ = true;
    }
    return TriangularInv(generator_.Next(), min_, max_, mode_);
}

double RandomWeibull::Next() noexcept {
    if (!initialised_) {
        if (!(alpha_ > 0.0) || !(beta_ > 0.0)) return kNaN;
        initialised_ = true;
    }
    return WeibullInv(generator_.Next(), alpha_, beta_);
}

double RandomLogistic::Next() noexcept {
    if (!initialised_) {
        if (!(b_ > 0.0)) return kNaN;
        initialised_ = true;
    }
    return LogisticInv(generator_.Next(), m_, b_);
}

double RandomGumbel::Next() noexcept { return GumbelInv(generator_.Next(), alpha_, beta_); }

}  // namespace Zr::Math
