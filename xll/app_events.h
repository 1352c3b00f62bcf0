// Excel's application events as the observer command delivers them: the
// event number and three values in, the outcome back.
#pragma once

#include <cstdint>

#include "xll/xl_oper.h"

class CXllApp;

namespace Zr::Xll {

// Raises event `number` of `app` (its handler, then the event's observers)
// with arguments read from the three values:
//   arg1  the workbook name, the range's address or the worksheet name;
//   arg2  the new sheet's name (14) or the save-as flag (12);
//   arg3  the cancel flag as it stands (2, 3, 11, 12).
// `result` is the cancel flag the handler and observers left for the
// cancellable events, otherwise the application's default boolean; a number
// without an event raises nothing. A missing or mistyped value stands for the
// application's default of its type.
void RaiseApplicationEvent(CXllApp& app, int32_t number, const CXlOper& arg1, const CXlOper& arg2,
                           const CXlOper& arg3, CXlOper& result);

}  // namespace Zr::Xll
