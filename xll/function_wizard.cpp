#include "xll/function_wizard.h"

#include <atomic>
#include <cctype>

#include "xll/excel_bridge.h"
#include "xll/platform.h"
#include "xll/xll_app.h"

namespace {

constexpr size_t kMaxWindowText = 50;
constexpr char kDialogClassPrefix[] = "bosa_sdm_XL";  // "bosa_sdm_XL9" and the older names
constexpr int32_t kUnknownHandle = -1;

std::atomic<int32_t> g_excelHandle = kUnknownHandle;

// xlGetHwnd through the Excel 4 entry: the handle's low 16 bits.
int32_t AskExcelHandle() {
    CXlOper handle;
    using namespace Zr::Xll;
    if (CallExcel(xlGetHwnd, &handle, {}, BridgeMode::Legacy) != 0 || handle.Type() != xltypeInt)
        return kUnknownHandle;
    return uint16_t(handle.Legacy()->val.w);
}

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
    if (!StartsWithIgnoringCase(Zr::Platform::WindowClassName(window, kMaxWindowText), kDialogClassPrefix))
        return false;
    return IsWizardTitle(Zr::Platform::WindowTitle(window, kMaxWindowText));
}

namespace Zr::Xll {

bool FindWizardWindow(uint16_t excelHandle) {
    CXllApp* app = App();
    const CXlFormulaWizardDetector* detector = app ? app->WizardDetector() : nullptr;
    if (!detector) return false;
    Search search{detector, excelHandle};
    return Platform::FindTopLevelWindowIf(IsWizard, &search);
}

bool IsCalledFromFunctionWizard() {
    // The wizard is a dialog of Excel's class: while none exists the answer is false.
    if (!Platform::MayHaveWatchedWindow()) return false;
    int32_t handle = g_excelHandle;
    if (handle == kUnknownHandle) handle = AskExcelHandle();  // not opened yet
    return handle != kUnknownHandle && FindWizardWindow(uint16_t(handle));
}

void WatchForWizard() {
    g_excelHandle = AskExcelHandle();
    Platform::WatchWindowsOfClass(kDialogClassPrefix);
}

void StopWatchingForWizard() {
    Platform::StopWatchingWindows();
    g_excelHandle = kUnknownHandle;
}

}  // namespace Zr::Xll
