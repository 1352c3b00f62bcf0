// The add-in's entry points for Excel (besides the worksheet functions). Each
// runs inside Guarded, so nothing thrown reaches Excel: the int entries then
// answer as they do without an application object (0 for xlAutoOpen), the
// record entries #VALUE!.
#include "xll/entry.h"
#include "xll/excel_bridge.h"
#include "xll/oper_records.h"
#include "xll/platform_com.h"
#include "xll/xll_app.h"

using namespace Zr::Xll;

namespace {

// The add-in manager asks with 1 for the add-in's long name.
template <class Rec>
Rec* ManagerInfo(Rec* action, Rec* (CXlOper::*handOver)(), Rec* failure) {
    return Guarded(failure, [&] {
        CXlOper result, request(action), type, number;
        type.SetInt(xltypeInt);
        const bool isOne = CallExcel(xlCoerce, &number, {&request, &type}) == 0 && number.Type() == xltypeInt &&
                           (number.ModernValid() ? number.Modern()->val.w : number.Legacy()->val.w) == 1;
        if (isOne && App())
            result.SetString(App()->LongName());  // freed by xlAutoFree(12)
        else
            result.SetError(xlerrValue);
        return (result.*handOver)();
    });
}

}  // namespace

ZR_EXPORT int xlAutoOpen() { return Guarded(0, [] { return App() ? App()->AutoOpen() : 0; }); }
ZR_EXPORT int xlAutoClose() { return Guarded(1, [] { return App() ? App()->AutoClose() : 1; }); }
ZR_EXPORT int xlAutoAdd() { return Guarded(1, [] { return App() ? App()->AutoAdd() : 1; }); }
ZR_EXPORT int xlAutoRemove() { return Guarded(1, [] { return App() ? App()->AutoRemove() : 1; }); }

ZR_EXPORT XLOPER12* xlAddInManagerInfo12(XLOPER12* action) {
    return ManagerInfo(action, &CXlOper::ReturnXloper12, ValueErrorRecord12());
}
ZR_EXPORT XLOPER* xlAddInManagerInfo(XLOPER* action) {
    return ManagerInfo(action, &CXlOper::ReturnXloper, ValueErrorRecord4());
}

ZR_EXPORT void xlAutoFree12(XLOPER12* record) {
    Guarded([&] {
        if (record && HoldsMemory(record->xltype)) FreeRecord(*record);
    });
}

ZR_EXPORT void xlAutoFree(XLOPER* record) {
    Guarded([&] {
        if (record && HoldsMemory(record->xltype)) FreeRecord(*record);
    });
}

// (Natively SetExcel4EntryPt is exported too, by the process entry.)
ZR_EXPORT void SetExcel12EntryPt(void* entry) { Guarded([&] { SetExcel12Entry(entry); }); }

// The COM bridge's instance check: the Excel instance whose CALL reaches this
// library is the one that hosts it.
ZR_EXPORT int xlCheckInstance() {
    return Guarded(1, [] {
        PlatformCom::MarkInstanceChecked();
        return 1;
    });
}
