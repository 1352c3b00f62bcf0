// Normal variates from the uniform stream: the polar Box-Muller method or
// inversion of the normal distribution function, with antithetic variates
// (each variate followed by its mirror image) and quadratic resampling (the
// first `count` variates shifted and scaled to the exact requested mean and
// population standard deviation).
#pragma once

#include <cstdint>
#include <type_traits>

#include "math/normal.h"
#include "math/random_uniform.h"

namespace Zr::Math {

// Only zero is tested: any other value means inversion.
enum GaussianMethod : int32_t {
    BOX_MULLER = 0,
    INV = 1,
};

// Only zero is tested: both enabled modes resample alike.
enum ResamplingMode : int32_t {
    DISABLED = 0,
    ENABLE_RESAMPLING_TYPE1 = 1,
    ENABLE_RESAMPLING_TYPE2 = 2,
};

class RandomNormal : public RandomUniform {
public:
    RandomNormal() noexcept = default;

    // Seeds the uniform part, clears any cached or pending variate and stores
    // the options. With resampling on, draws `count` variates from a copy of
    // the freshly seeded generator and fixes the shift and scale that give
    // them the requested mean and population standard deviation; false when
    // they have no spread (always for count 1) or there are none (count < 1).
    bool Init(uint32_t seed1, uint32_t seed2, double mean, double stdev, GaussianMethod method,
              int32_t antithetic, ResamplingMode resampling, int32_t count,
              UniformGeneratorType type) noexcept;

    // The next variate z * Scale() + Shift(). Box-Muller returns the second
    // coordinate of an accepted pair first and the first on the next call;
    // with antithetic (exactly 1) every z is followed by -z.
    double Next() noexcept;

private:
    friend struct Inspect;  // the resampling shift and scale (tests)

    double NextBoxMuller() noexcept;
    bool Resample(int32_t count, double mean, double stdev) noexcept;

    GaussianMethod method_ = BOX_MULLER;
    double cached_ = 0.0;  // the first coordinate of the last Box-Muller pair
    int32_t hasCached_ = 0;
    int32_t antithetic_ = 0;
    bool antitheticPending_ = false;
    double antitheticValue_ = 0.0;
    double shift_ = 0.0;
    double scale_ = 1.0;
    ResamplingMode resampling_ = DISABLED;
    int32_t resamplingCount_ = 0;
};

// Inline: a column spends its time in the quantile or the logarithm.
inline double RandomNormal::Next() noexcept {
    double z;
    if (antitheticPending_) {
        antitheticPending_ = false;
        z = antitheticValue_;  // a mirrored variate is not mirrored again
    } else {
        z = method_ != BOX_MULLER ? NormInv(RandomUniform::Next()) : NextBoxMuller();
        if (antithetic_ == 1) {
            antitheticPending_ = true;
            antitheticValue_ = -z;
        }
    }
    return z * scale_ + shift_;
}

static_assert(std::is_trivially_copyable_v<RandomNormal>,
              "the resampling pre-pass runs on a plain copy of the generator");

}  // namespace Zr::Math
