#include <gtest/gtest.h>

#include "xll/function_wizard.h"

// A call from the Function Arguments dialog returns at once; any other
// dialog of Excel's class counts too, except Find and Replace.
TEST(FunctionWizard, TitlesThatMeanTheWizard) {
    const CXlFormulaWizardDetector detector;
    for (const char* title : {"Function Arguments", "function arguments - ZrRand", "Format Cells", ""})
        EXPECT_TRUE(detector.IsWizardTitle(title)) << title;
    EXPECT_FALSE(detector.IsWizardTitle("Find and Replace"));
}
