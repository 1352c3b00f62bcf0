// Recognises calls made while the user fills in Excel's Function Arguments
// dialog, so that bodies can return at once instead of computing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CXlFormulaWizardDetector {
public:
    virtual ~CXlFormulaWizardDetector() = default;
    // Accepted prefixes win, then rejected ones; an empty title counts as the wizard.
    virtual bool IsWizardTitle(const std::string& title) const;
    // A dialog of Excel's dialog class owned by Excel's main window whose title passes.
    virtual bool IsWizardWindow(void* window, uint16_t excelHandle) const;

    std::vector<std::string> accept{"Function Arguments"};
    std::vector<std::string> reject{"Find"};
    bool emptyTitleIsWizard = true;
};

namespace Zr::Xll {
// True when the current call comes from the Function Arguments dialog; false
// when Excel's main window cannot be had or there is no detector. Costs an
// atomic read while no dialog of Excel's dialog class exists.
bool IsCalledFromFunctionWizard();
// Looks through every top-level window for the wizard of the Excel whose main
// window has these low 16 bits (false without a detector).
bool FindWizardWindow(uint16_t excelHandle);
// On Excel's main thread as the add-in opens: keeps Excel's main window
// handle, which does not change while Excel runs, and watches for dialogs of
// Excel's class; closing stops both.
void WatchForWizard();
void StopWatchingForWizard();
}  // namespace Zr::Xll
