// The one way into Excel: every call the add-in makes passes through here.
#pragma once

#include <initializer_list>
#include <span>

#include "xll/xl_oper.h"

namespace Zr::Xll {

enum class BridgeMode { Legacy, Excel12, Auto };  // Auto follows IsExcel12

// Calls Excel function `xlfn`. On success (0) `result` (may be null) holds
// Excel's answer, owned by Excel. Other codes: 4 too many arguments for Excel
// 12, 8 an argument with no valid side, 32 no entry into Excel or Excel
// failed, 256 refused here (Excel 12 asked for outside Excel 12, more than 30
// arguments for Excel 4, an argument that cannot be converted).
int CallExcel(int xlfn, CXlOper* result, std::span<const CXlOper* const> args, BridgeMode mode = BridgeMode::Auto);
int CallExcel(int xlfn, CXlOper* result, std::initializer_list<const CXlOper*> args = {},
              BridgeMode mode = BridgeMode::Auto);

// xlFree for a record Excel returned.
void FreeExcelRecord(XLOPER* record);
void FreeExcelRecord(XLOPER12* record);

// Entry points handed over by the host when it cannot be found by name.
void SetExcel12Entry(void* entry);
void SetExcel4Entry(void* entry);

}  // namespace Zr::Xll
