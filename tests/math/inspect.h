// The generators' internals that only reference checks need, reached through
// the one friend the generators declare.
#pragma once

#include <cstddef>
#include <cstdint>

#include "math/random_gamma.h"
#include "math/random_multi_normal.h"
#include "math/random_normal.h"
#include "math/random_uniform.h"

namespace Zr::Math {

struct Inspect {
    // The next raw engine word, unscaled: a tempered twister word or the
    // shuffled ran2 output (one MT2002 number takes two words).
    static uint32_t NextWord(RandomUniform& g) {
        if (RandomUniform::DrawsAsMt2002(g.type_)) return g.WordMt2002();
        if (g.position_ < 0) g.Init(g.seed1_, g.seed2_, g.type_);
        return g.type_ == MT1998 ? g.WordMt1998() : uint32_t(g.StepRan2());
    }
    // Keys the twister by any key array exactly as MT2002 keys it by the seeds.
    static void InitByKey(RandomUniform& g, const uint32_t* key, size_t length) {
        g.type_ = MT2002;
        g.SeedMt2002(key, length);
    }
    static uint32_t* TwisterState(RandomUniform& g) { return g.state_; }
    static double Shift(const RandomNormal& g) { return g.shift_; }
    static double Scale(const RandomNormal& g) { return g.scale_; }
    static const Matrix& Transform(const RandomMultiNormal& g) { return g.transform_; }
    static RandomUniform& Generator(SamplerBase& s) { return s.generator_; }
    static RandomUniform& Generator(RandomChiSquare& s) { return s.gamma_.generator_; }
};

}  // namespace Zr::Math
