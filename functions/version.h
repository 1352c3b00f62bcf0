#pragma once

#include "xll/xl_oper.h"

namespace Zr::Functions {

// The product's version text, one line.
extern const char* const kVersionText;

const CXlOper* ZrVersion(CXlOper& result);

}  // namespace Zr::Functions
