#include "math/random_normal.h"

#include <cmath>

#include "math/normal.h"
#include "math/sampler_base.h"

namespace Zr::Math {

bool RandomNormal::Init(uint32_t seed1, uint32_t seed2, double mean, double stdev, GaussianMethod method,
                        int32_t antithetic, ResamplingMode resampling, int32_t count,
                        UniformGeneratorType type) noexcept {
    if (!RandomUniform::Init(seed1, seed2, type)) return false;
    cached_ = 0.0;
    hasCached_ = 0;
    antitheticPending_ = false;
    shift_ = mean;
    scale_ = stdev;
    method_ = method;
    antithetic_ = antithetic;
    resampling_ = resampling;
    resamplingCount_ = count;
    return resampling == DISABLED || Resample(count, mean, stdev);
}

double RandomNormal::NextBoxMuller() noexcept {
    if (hasCached_) {
        hasCached_ = 0;
        return cached_;
    }
    for (int proposal = 0; proposal < kMaxProposals; ++proposal) {
        const double v1 = 2.0 * RandomUniform::Next() - 1.0;
        const double v2 = 2.0 * RandomUniform::Next() - 1.0;
        const double r = v1 * v1 + v2 * v2;
        if (r < 1.0 && r != 0.0) {
            const double f = std::sqrt(-2.0 * std::log(r) / r);
            cached_ = f * v1;
            hasCached_ = 1;
            return f * v2;
        }
    }
    return kNaN;
}

// The copy draws exactly the raw variates this generator will draw next, so
// the shift and scale found on it make this generator's first `count`
// outputs have the requested moments. Plain sums suffice: the raw variates
// are centred on 0, and over a million of them the moments come out within
// 1e-14 of the two-pass values.
bool RandomNormal::Resample(int32_t count, double mean, double stdev) noexcept {
    if (count < 1) return false;
    RandomNormal copy(*this);
    copy.shift_ = 0.0;
    copy.scale_ = 1.0;
    double s1 = 0.0, s2 = 0.0;
    for (int32_t i = 0; i < count; ++i) {
        const double z = copy.Next();
        s1 += z;
        s2 += z * z;
    }
    const double n = count;
    const double average = s1 / n;
    const double spread = std::sqrt((s2 - s1 * s1 / n) / n);
    if (spread == 0.0) return false;  // a NaN spread does not count as none
    scale_ = stdev / spread;
    shift_ = mean - scale_ * average;
    return true;
}

}  // namespace Zr::Math
