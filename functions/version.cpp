// ZrVersion: the product's version text.

#include "functions/arguments.h"
#include "functions/version.h"
#include "functions/version_info.h"

namespace Zr::Functions {

const char* const kVersionText =
    ZR_DESCRIPTION " Version " ZR_VERSION_STRING " Release " ZR_RELEASE_DATE " " ZR_COPYRIGHT
    " Provided as is, without warranty of any kind.";

// No function-wizard check: the text is cheap and useful in the wizard too.
ZR_FUNCTION(ZrVersion, u"Get version information.")
const CXlOper* ZrVersion(CXlOper& result) {
    result.SetString(kVersionText);
    return nullptr;
}

}  // namespace Zr::Functions
