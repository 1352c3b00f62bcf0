// Gamma variates by Marsaglia and Tsang's method, and chi-square variates as
// gamma variates of half their degrees of freedom.
#pragma once

#include <cstdint>
#include <type_traits>

#include "math/random_uniform.h"
#include "math/sampler_base.h"

namespace Zr::Math {

// One gamma variate of the given shape and scale from `generator`:
// Marsaglia-Tsang for shape > 1; for shape < 1 a uniform u first, then
// Marsaglia-Tsang at shape + 1, times u^(1/shape); an exponential by inversion
// at shape 1. NaN unless shape and scale are positive and finite. Above
// kLargeParameter the method's second acceptance test is evaluated by its
// series (the proposals and the uniforms they take stay the same).
double GammaVariate(RandomUniform& generator, double shape, double scale) noexcept;

// GammaVariate for one shape, with the method's constants (Marsaglia and
// Tsang's d and c, the power 1 / shape) worked out once: a sampler's variates
// are GammaVariate's, bit for bit, without a square root and two divisions each.
class GammaShape {
public:
    GammaShape() noexcept : GammaShape(1.0) {}
    explicit GammaShape(double shape) noexcept;
    double Next(RandomUniform& generator, double scale) const noexcept;

private:
    double shape_;
    double d_ = 0, c_ = 0;    // for shape > 1, or shape + 1 below 1
    double inversePower_ = 0;  // 1 / shape below 1
};

class RandomGamma : public SamplerBase {
public:
    void SetShape(double shape) noexcept { method_ = GammaShape(shape); }
    void SetScale(double scale) noexcept { scale_ = scale; }

    double Next() noexcept { return method_.Next(generator_, scale_); }

private:
    GammaShape method_;
    double scale_ = 1.0;
};

// Chi-square with n degrees of freedom: a gamma of shape n/2 and scale 2; for
// n = 1 a gamma of shape 3/2 and scale 2 times the square of a uniform from
// a second generator, drawn first (shape v + 1 times U^(1/v) has shape v).
class RandomChiSquare {
public:
    RandomChiSquare() noexcept { SetDegreesOfFreedom(2); }

    // The gamma's generator takes (seed1, seed2), the extra generator
    // (SeedStep(seed1), SeedStep(seed2)).
    bool Seed(uint32_t seed1, uint32_t seed2, UniformGeneratorType type) noexcept {
        return gamma_.Seed(seed1, seed2, type) && extra_.Init(SeedStep(seed1), SeedStep(seed2), type);
    }

    void SetDegreesOfFreedom(int32_t n) noexcept;

    // NaN while n < 1.
    double Next() noexcept;

private:
    friend struct Inspect;  // the gamma sampler's generator (tests)
    bool initialised_ = false;
    RandomUniform extra_;
    RandomGamma gamma_;
    int32_t n_ = 2;
};

static_assert(std::is_trivially_copyable_v<RandomGamma>);
static_assert(std::is_trivially_copyable_v<RandomChiSquare>);

}  // namespace Zr::Math
