// ZrRand: a column of uniform random numbers from the chosen generator.

#include "functions/arguments.h"
#include "functions/sampler_column.h"

namespace Zr::Functions {

ZR_FUNCTION(ZrRand, u"Returns uniform pseudo random number(s) in (0, 1) based on Mersenne Twister algorithm.",
            kSize, kAlgorithm, kSeed1, kSeed2)
const CXlOper* ZrRand(CXlOper& result, int32_t size, int16_t algorithm, int32_t seed1, int32_t seed2) {
    Math::RandomUniform generator;
    return RandomColumn(
        result, {size, algorithm, seed1, seed2}, [] { return true; },
        [&](uint32_t s1, uint32_t s2, Math::UniformGeneratorType type) { return generator.Init(s1, s2, type); },
        [&](CXlArrayWriter& out, int64_t i) { out.SetDouble(i, generator.Next()); });
}

}  // namespace Zr::Functions
