#pragma once

#include <cstdint>

#include "xll/xl_oper.h"

namespace Zr::Functions {

// A column of `size` uniform numbers in [1e-12, 0.999999999999].
const CXlOper* ZrRand(CXlOper& result, int32_t size, int16_t algorithm, int32_t seed1, int32_t seed2);

}  // namespace Zr::Functions
