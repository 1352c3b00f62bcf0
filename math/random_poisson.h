// Poisson variates: the product of uniforms below a mean of 12, rejection
// from a Lorentzian envelope up to kLargeParameter, and above it a
// continuity-corrected normal approximation with its skewness term.
#pragma once

#include <cstdint>
#include <type_traits>

#include "math/sampler_base.h"

namespace Zr::Math {

class RandomPoisson : public SamplerBase {
public:
    void SetMean(double mean) noexcept { SetParameter(mean_, mean); }

    // A whole number; NaN for a mean that is negative, NaN or infinite.
    //
    // Above kLargeParameter the Lorentzian acceptance exponent, a difference
    // of terms of size mean * ln(mean), carries more rounding than signal
    // (an error of 1 at 1e14; at 1e308 LogGamma overflows and every variate
    // would be infinite). There one uniform gives z = NormInv(u) and the
    // variate is ceil(mean + sqrt(mean) (z + (z^2 - 1) / (6 sqrt(mean))) - 1/2),
    // the Cornish-Fisher inverse of the Poisson distribution function at
    // half-integers, whose error is of order 1/mean (below 1e-10 there).
    double Next() noexcept;

private:
    enum class Method : uint8_t { PRODUCT, LORENTZIAN, NORMAL, INVALID };

    void SetUp() noexcept;
    double NextProduct() noexcept;
    double NextLorentzian() noexcept;
    double NextNormal() noexcept;

    double mean_ = 1.0;
    Method method_ = Method::INVALID;
    double g_ = 0.0;       // e^-mean (product), mean ln(mean) - ln(mean!) (Lorentzian)
    double sq_ = 0.0;      // sqrt(2 mean) (Lorentzian), sqrt(mean) (normal)
    double lnMean_ = 0.0;  // Lorentzian
};

static_assert(std::is_trivially_copyable_v<RandomPoisson>);

}  // namespace Zr::Math
