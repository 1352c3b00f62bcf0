// The bridge's own refusals, decided before Excel is called.
#include <gtest/gtest.h>

#include <vector>

#include "xll/excel_bridge.h"

using namespace Zr::Xll;

TEST(ExcelBridge, RefusesWhatExcelCouldNotTake) {
    SetIsExcel12(true);
    std::vector<CXlOper> numbers(256);
    std::vector<const CXlOper*> args;
    for (CXlOper& v : numbers) args.push_back(&v);
    for (CXlOper& v : numbers) v.SetDouble(1);
    EXPECT_EQ(CallExcel(xlfRegister, nullptr, args, BridgeMode::Excel12), xlretInvCount);  // 255 at most
    SetIsExcel12(false);
    EXPECT_EQ(CallExcel(xlGetName, nullptr, {}, BridgeMode::Excel12), xlretRefusedByBridge);  // no Excel 12 here
    const std::span<const CXlOper* const> thirtyOne(args.data(), 31);
    EXPECT_EQ(CallExcel(xlfRegister, nullptr, thirtyOne, BridgeMode::Legacy), xlretRefusedByBridge);  // 30 at most
    SetIsExcel12(true);
    CXlOper empty, longText;
    EXPECT_EQ(CallExcel(xlCoerce, nullptr, {&empty}, BridgeMode::Legacy), xlretInvXloper);
    longText.SetString(std::string(300, 'x'));  // Excel 12 side only; no XLOPER string holds 300 characters
    EXPECT_EQ(CallExcel(xlcAlert, nullptr, {&longText}, BridgeMode::Legacy), xlretRefusedByBridge);
}
