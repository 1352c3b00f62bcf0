#pragma once

namespace Zr::Functions {

// The product's version text, one line.
extern const char* const kVersionText;

}  // namespace Zr::Functions
