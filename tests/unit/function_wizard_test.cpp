#include <gtest/gtest.h>

#include "xll/function_wizard.h"

TEST(FunctionWizard, TitlesThatMeanTheWizard) {
    const CXlFormulaWizardDetector detector;
    EXPECT_TRUE(detector.IsWizardTitle("Function Arguments"));
    EXPECT_TRUE(detector.IsWizardTitle("function arguments - ZrRand"));
    EXPECT_FALSE(detector.IsWizardTitle("Find and Replace"));
    EXPECT_TRUE(detector.IsWizardTitle("Format Cells"));  // any other dialog of Excel's class
    EXPECT_TRUE(detector.IsWizardTitle(""));
    CXlFormulaWizardDetector strict;
    strict.emptyTitleIsWizard = false;
    strict.reject.clear();
    EXPECT_FALSE(strict.IsWizardTitle(""));
    EXPECT_TRUE(strict.IsWizardTitle("Find"));
}
