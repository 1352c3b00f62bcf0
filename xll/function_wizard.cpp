#include "xll/function_wizard.h"

#include <cctype>

#include "xll/excel_bridge.h"
#include "xll/platform.h"
#include "xll/xll_app.h"

namespace {

constexpr size_t kMaxWindowText = 50;

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

struct Search {
    const CXlFormulaWizardDetector* detector;
    uint16_t excelHandle;
};

bool IsWizard(void* window, void* context) {
    auto* search = static_cast<Search*>(context);
    return search->detector->IsWizardWindow(window, search->excelHandle);
}

}  // namespace

bool CXlFormulaWizardDetector::IsWizardTitle(const std::string& title) const {
    if (title.empty()) return emptyTitleIsWizard;
    for (const auto& prefix : accept)
        if (StartsWithIgnoringCase(title, prefix)) return true;
    if (reject.empty()) return true;
    for (const auto& prefix : reject)
        if (StartsWithIgnoringCase(title, prefix)) return false;
    return true;
}

bool CXlFormulaWizardDetector::IsWizardWindow(void* window, uint16_t excelHandle) const {
    if (Zr::Platform::ParentHandleLow16(window) != excelHandle) return false;
    if (!StartsWithIgnoringCase(Zr::Platform::WindowClassName(window, kMaxWindowText), "bosa_sdm_XL")) return false;
    return IsWizardTitle(Zr::Platform::WindowTitle(window, kMaxWindowText));
}

namespace Zr::Xll {

bool IsCalledFromFunctionWizard() {
    CXllApp* app = App();
    const CXlFormulaWizardDetector* detector = app ? app->WizardDetector() : nullptr;
    if (!detector) return false;
    CXlOper handle;
    if (CallExcel(xlGetHwnd, &handle, {}, BridgeMode::Legacy) != 0 || handle.Type() != xltypeInt) return false;
    Search search{detector, uint16_t(handle.Legacy()->val.w)};
    return Platform::FindTopLevelWindowIf(IsWizard, &search);
}

}  // namespace Zr::Xll
