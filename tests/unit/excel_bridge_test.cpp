// The bridge's own refusals, decided before Excel is called.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xll/excel_bridge.h"

using namespace Zr::Xll;

namespace {

std::vector<const CXlOper*> Pointers(const std::vector<CXlOper>& values) {
    std::vector<const CXlOper*> p;
    for (const auto& v : values) p.push_back(&v);
    return p;
}

}  // namespace

TEST(ExcelBridge, RefusesWhatExcelCouldNotTake) {
    SetIsExcel12(false);
    EXPECT_EQ(CallExcel(xlGetName, nullptr, {}, BridgeMode::Excel12), xlretRefusedByBridge);

    std::vector<CXlOper> many(31);
    for (auto& v : many) v.SetDouble(1);
    EXPECT_EQ(CallExcel(xlfRegister, nullptr, Pointers(many), BridgeMode::Legacy), xlretRefusedByBridge);

    SetIsExcel12(true);
    std::vector<CXlOper> tooMany(256);
    for (auto& v : tooMany) v.SetDouble(1);
    EXPECT_EQ(CallExcel(xlfRegister, nullptr, Pointers(tooMany), BridgeMode::Excel12), xlretInvCount);

    CXlOper empty;
    EXPECT_EQ(CallExcel(xlCoerce, nullptr, {&empty}, BridgeMode::Legacy), xlretInvXloper);

    CXlOper longText;  // Excel 12 side only; no XLOPER string holds 300 characters
    longText.SetString(std::string(300, 'x'));
    EXPECT_EQ(CallExcel(xlcAlert, nullptr, {&longText}, BridgeMode::Legacy), xlretRefusedByBridge);
}
