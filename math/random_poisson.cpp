#include "math/random_poisson.h"

#include <cmath>

#include "math/constants.h"
#include "math/log_gamma.h"
#include "math/normal.h"

namespace Zr::Math {

double RandomPoisson::Next() noexcept {
    if (!initialised_) SetUp();
    switch (method_) {
    case Method::PRODUCT: return NextProduct();
    case Method::LORENTZIAN: return NextLorentzian();
    case Method::NORMAL: return NextNormal();
    case Method::INVALID: break;
    }
    return kNaN;
}

void RandomPoisson::SetUp() noexcept {
    if (!(mean_ >= 0.0) || std::isinf(mean_)) {
        method_ = Method::INVALID;
    } else if (mean_ < 12.0) {
        method_ = Method::PRODUCT;
        g_ = std::exp(-mean_);
    } else if (mean_ <= kLargeParameter) {
        method_ = Method::LORENTZIAN;
        sq_ = std::sqrt(2.0 * mean_);
        lnMean_ = std::log(mean_);
        g_ = mean_ * lnMean_ - LogGamma(mean_ + 1.0);
    } else {
        method_ = Method::NORMAL;
        sq_ = std::sqrt(mean_);
    }
    initialised_ = true;
}

// The number of uniforms whose running product stays above e^-mean. Below a
// mean of 12 a thousand factors occur with probability below 1e-1400.
double RandomPoisson::NextProduct() noexcept {
    double t = 1.0;
    for (int k = 0; k < kMaxProposals; ++k) {
        t *= generator_.Next();
        if (!(t > g_)) return k;
    }
    return kNaN;
}

// A proposal below zero costs a uniform and counts against the bound like a
// rejected one.
double RandomPoisson::NextLorentzian() noexcept {
    for (int proposal = 0; proposal < kMaxProposals; ++proposal) {
        const double y = std::tan(kPi * generator_.Next());
        double k = sq_ * y + mean_;
        if (k < 0.0) continue;
        k = std::floor(k);
        const double t = 0.9 * (1.0 + y * y) * std::exp(k * lnMean_ - LogGamma(k + 1.0) - g_);
        if (!(generator_.Next() > t)) return k;
    }
    return kNaN;
}

double RandomPoisson::NextNormal() noexcept {
    const double z = NormInv(generator_.Next());
    return std::ceil(mean_ + sq_ * (z + (z * z - 1.0) / (6.0 * sq_)) - 0.5);
}

}  // namespace Zr::Math
