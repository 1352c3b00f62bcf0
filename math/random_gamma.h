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

class RandomGamma : public SamplerBase {
public:
    void SetShape(double shape) noexcept { shape_ = shape; }
    void SetScale(double scale) noexcept { scale_ = scale; }

    double Next() noexcept { return GammaVariate(generator_, shape_, scale_); }

private:
    double shape_ = 1.0;
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
