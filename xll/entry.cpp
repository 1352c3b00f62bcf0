#include "xll/entry.h"

#include <exception>
#include <new>

#include "xll/messages.h"
#include "xll/platform.h"
#include "xll/xll_app.h"

namespace Zr::Xll {

ScopedSeTranslator::ScopedSeTranslator() : previous_(Platform::SetSeTranslator(&TranslateStructuredException)) {}

ScopedSeTranslator::~ScopedSeTranslator() { Platform::SetSeTranslator(previous_); }

namespace {
// Excel only reads them: no ownership bits, so no xlAutoFree.
XLOPER12 g_valueError12{.val{.err = xlerrValue}, .xltype = xltypeErr};
XLOPER g_valueError4{.val{.err = xlerrValue}, .xltype = xltypeErr};
}  // namespace

XLOPER12* ValueErrorRecord12() noexcept { return &g_valueError12; }
XLOPER* ValueErrorRecord4() noexcept { return &g_valueError4; }

void StoreEntryException(CXlOper& result, const CXlRuntimeException& e) noexcept {
    try {
        if (CXllApp* app = App())
            app->OnError(result, e);
        else
            result.SetString(FormatMessageW(MSG_ERROR_TEXT, {e.WideMessage()}));
    } catch (...) {
        result.SetError(xlerrValue);  // no memory left even for the text
    }
}

// Exceptions outside the framework's family never reach Excel either: they
// end as an error text in the cell.
void StoreCurrentException(CXlOper& result) noexcept {
    try {
        try {
            throw;
        } catch (const std::bad_alloc&) {
            StoreEntryException(result, CXlRuntimeException(MSG_MEMORY_ALLOCATION));
        } catch (const std::exception& e) {
            StoreEntryException(result, CXlRuntimeException(std::string(e.what())));
        } catch (...) {
            result.SetError(xlerrValue);
        }
    } catch (...) {
        result.SetError(xlerrValue);  // building the text failed too
    }
}

}  // namespace Zr::Xll
