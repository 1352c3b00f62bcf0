#include "math/random_inversion.h"

#include <cmath>

namespace Zr::Math {

bool RandomTriangular::Prepare() noexcept {
    if (!(max_ - min_ > 0.0) || !(min_ < mode_ && mode_ < max_)) return false;
    quantile_ = TriangularQuantile(min_, max_, mode_);
    return initialised_ = true;
}

bool RandomWeibull::Prepare() noexcept {
    if (!(alpha_ > 0.0) || !(beta_ > 0.0)) return false;
    quantile_ = WeibullQuantile(alpha_, beta_);
    return initialised_ = true;
}

bool RandomLogistic::Prepare() noexcept {
    if (!(b_ > 0.0)) return false;
    inside_ = std::isfinite(m_) && std::isfinite(b_);
    return initialised_ = true;
}

}  // namespace Zr::Math
