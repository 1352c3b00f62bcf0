// Student t variates: inversion of the Cauchy distribution for one degree of
// freedom, the table-mountain rejection method for more.
#pragma once

#include <cstdint>
#include <type_traits>

#include "math/sampler_base.h"

namespace Zr::Math {

class RandomStudentT : public SamplerBase {
public:
    void SetDegreesOfFreedom(int32_t n) noexcept { SetParameter(n_, n); }

    // NaN while n < 1.
    double Next() noexcept;

private:
    void SetUp() noexcept;
    double NextTableMountain() noexcept;

    int32_t n_ = 2;
    // The method's constants for n >= 2, computed at the first draw after a
    // change (the same values as computing them per draw).
    double a_ = 0.0;   // half-width of the table mountain's plateau
    double f0_ = 0.0;  // the density at 0
    double b_ = 0.0;
    double p_ = 0.0;
    double h_ = 0.0;
    double r_ = 0.0;
    double q_ = 0.0;
};

static_assert(std::is_trivially_copyable_v<RandomStudentT>);

}  // namespace Zr::Math
