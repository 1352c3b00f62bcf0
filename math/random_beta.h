// Beta variates by Cheng's algorithms BB (both shapes above 1) and BC
// (otherwise), and as a ratio of gamma variates for very large shapes.
#pragma once

#include <cstdint>
#include <type_traits>

#include "math/sampler_base.h"

namespace Zr::Math {

class RandomBeta : public SamplerBase {
public:
    void SetAlpha(double alpha) noexcept { SetParameter(alpha_, alpha); }
    void SetBeta(double beta) noexcept { SetParameter(beta_, beta); }

    // NaN unless both shapes are positive and finite. When the shapes sum to
    // more than kLargeParameter, Cheng's tests would decide on rounding (and
    // BB's 2ab overflows from about 1e154), so the variate is X / (X + Y) for
    // gamma variates X and Y of shapes alpha and beta, the smaller shape's
    // drawn first.
    double Next() noexcept;

private:
    enum class Method : uint8_t { CHENG_BB, CHENG_BC, GAMMA_RATIO, INVALID };

    void SetUp() noexcept;
    void SetUpGammaRatio() noexcept;
    void SetUpBB() noexcept;
    void SetUpBC() noexcept;
    double NextBB() noexcept;
    double NextBC() noexcept;
    double NextGammaRatio() noexcept;
    double Result(double w) const noexcept { return alpha_ == a_ ? w / (b_ + w) : b_ / (b_ + w); }

    double alpha_ = 1.0;
    double beta_ = 1.0;
    Method method_ = Method::INVALID;
    double a_ = 0.0;
    double b_ = 0.0;
    double sum_ = 0.0;
    double betaPrime_ = 0.0;
    double gammaPrime_ = 0.0;  // BB
    double k1_ = 0.0;          // BC
    double k2_ = 0.0;          // BC
};

static_assert(std::is_trivially_copyable_v<RandomBeta>);

}  // namespace Zr::Math
