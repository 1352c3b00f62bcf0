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
// when Excel's main window cannot be had or there is no detector.
bool IsCalledFromFunctionWizard();
}  // namespace Zr::Xll
