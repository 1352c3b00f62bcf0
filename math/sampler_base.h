// What the samplers share: their own generator with the flag that makes the
// first draw after a parameter change check the parameters, and the two
// bounds that keep every sampler finite and sound for any argument.
#pragma once

#include <cstdint>
#include <limits>

#include "math/random_uniform.h"

namespace Zr::Math {

// Most proposals (or product steps) one variate may take before its loop
// gives up and the variate becomes NaN. Whatever the valid parameters, each
// loop accepts a proposal with a probability far from 0: at least 1/4 in
// Cheng's BC (its branch z <= 0.25 alone accepts a quarter of all pairs),
// pi/4 in Box-Muller, about 1/2 or more in the others as measured; the
// product method below a mean of 12 reaches 1000 factors with probability
// below 1e-1400. So an ordinary draw needs 1000 proposals with probability
// below 0.75^1000, about 1e-125; the most uniforms any one variate consumed
// in 10^7 draws for each of 31 ordinary parameter sets was 68 (34 beta
// proposals). The bound is for arithmetic no test has foreseen: a loop whose
// tests compare with NaN would otherwise freeze the host.
inline constexpr int kMaxProposals = 1000;

// Above this size of parameter (gamma shape, beta shape sum, Poisson mean) the
// rejection tests of Marsaglia-Tsang, Cheng and the Lorentzian Poisson method
// subtract quantities of that size to find differences of order one, and
// rounding starts to decide instead. Measured error of the quantity tested:
// Poisson's acceptance exponent 8e-5 at 1e10, 6e-3 at 1e12, 0.09 at 1e13 and
// 1 at 1e14; Cheng's tests 1e-5 at 1e10 and 1e-3 at 1e12 (BB's 2ab overflows
// from 1e154); Marsaglia-Tsang's 2e-6 at 1e10. Beyond it each sampler takes a
// form that stays exact there (see each sampler); below it, the methods as
// published, uniform for uniform.
inline constexpr double kLargeParameter = 1e10;

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// True for a finite number above zero; false for NaN, infinities and the rest.
inline bool IsPositiveFinite(double x) noexcept {
    return x > 0 && x <= std::numeric_limits<double>::max();
}

// A sampler's generator, seeded by the caller before the first draw, and the
// flag its parameter setters clear. Samplers hold everything inline.
class SamplerBase {
public:
    bool Seed(uint32_t seed1, uint32_t seed2, UniformGeneratorType type) noexcept {
        return generator_.Init(seed1, seed2, type);
    }
protected:
    friend struct Inspect;  // the uniforms a sampler takes (tests)

    // Stores a parameter and makes the next draw check and set up again.
    template <class T>
    void SetParameter(T& field, T value) noexcept {
        field = value;
        initialised_ = false;
    }

    bool initialised_ = false;
    RandomUniform generator_;
};

}  // namespace Zr::Math
