// The column bodies of the distribution random-number functions: a column
// of a sampler's variates, or of normal variates with the three switches.
#pragma once

#include <cstdint>

#include "functions/random_arguments.h"
#include "math/samplers.h"
#include "xll/entry.h"

namespace Zr::Functions {

using Math::UniformGeneratorType;
using Xll::XlBool;

// A column of the sampler's variates, each passed through `form`.
template <class Sampler, class Form>
const CXlOper* SamplerColumn(CXlOper& result, const RandomArguments& args, bool valid, Sampler& sampler,
                             Form form) {
    return RandomColumn(
        result, args, [valid] { return valid; },
        [&](uint32_t s1, uint32_t s2, UniformGeneratorType type) { return sampler.Seed(s1, s2, type); },
        [&](CXlArrayWriter& out, int64_t i) { out.SetDouble(i, form(sampler.Next())); });
}

template <class Sampler>
const CXlOper* SamplerColumn(CXlOper& result, const RandomArguments& args, bool valid, Sampler& sampler) {
    return SamplerColumn(result, args, valid, sampler, [](double x) { return x; });
}

// The standard normal variates of RandomNormal with the three switches.
template <class Draw>
const CXlOper* NormalColumn(CXlOper& result, const RandomArguments& args, bool valid, Math::GaussianMethod method,
                            bool antithetic, bool resampling, Draw draw) {
    Math::RandomNormal normal;
    return RandomColumn(
        result, args, [valid] { return valid; },
        [&](uint32_t s1, uint32_t s2, UniformGeneratorType type) {
            return normal.Init(s1, s2, 0.0, 1.0, method, antithetic ? 1 : 0,
                               resampling ? Math::ENABLE_RESAMPLING_TYPE2 : Math::DISABLED, args.size, type);
        },
        [&](CXlArrayWriter& out, int64_t i) { draw(out, i, normal.Next()); });
}

inline Math::GaussianMethod Method(XlBool useInvertFunc) { return useInvertFunc ? Math::INV : Math::BOX_MULLER; }

}  // namespace Zr::Functions
