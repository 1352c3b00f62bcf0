// ZrVersion: the product's version text.

#include "functions/arguments.h"
#include "functions/version.h"

namespace Zr::Functions {

const char* const kVersionText =
    "ZrRand3 Monte Carlo Functions for Microsoft Excel Version 3.3.0 Release September 25, 2012 "
    "Copyright (C) 2012 the ZrRand3 authors. Provided as is, without warranty of any kind.";

// No function-wizard check: the text is cheap and useful in the wizard too.
ZR_FUNCTION(ZrVersion, u"Get version information.")
const CXlOper* ZrVersion(CXlOper& result) {
    result.SetString(kVersionText);
    return nullptr;
}

}  // namespace Zr::Functions
