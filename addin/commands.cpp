// Hidden commands Excel calls besides the worksheet functions: the ribbon
// callback, the observer command that forwards Excel's application events,
// and the targets of the OnSheetActivate, OnSheetDeactivate and OnCalculate
// properties that the COM bridge assigns.
#include <cstring>

#include "xll/app_events.h"
#include "xll/com_bridge.h"
#include "xll/entry.h"
#include "xll/function_record.h"
#include "xll/platform.h"
#include "xll/xll_app.h"

using namespace Zr::Xll;

namespace {

const StaticFunctionRecord kRibbonCallback ZR_EARLY_INIT({
    nullptr, "RibbonCallback_4", "RibbonCallback_12", "RJCCJCCA", "UJC%C%JC%C%A", u"RibbonCallback", nullptr,
    u"callback,id,tag,index,text,selectedId,pressed", 2, nullptr, u"14", u"", 4, u"", nullptr,
    u"Handles all calls redirected from the ribbonX manager", nullptr, nullptr, nullptr, u"", 0, 0});

const CXlOper* Ribbon(CXlOper& result, const CXlpRibbonCall& call) {
    if (CXllApp* app = App(); app && app->IsOpen())
        app->Ribbon().Invoke(call, result);
    else
        CXlpRibbonImplNull().Invoke(call, result);
    return nullptr;
}

int16_t RunComHandler(ComHandler which) {
    return Guarded(int16_t(0), [&] { return int16_t(CXllCom::RunHandler(which)); });
}

}  // namespace

ZR_EXPORT XLOPER12* RibbonCallback_12(int32_t callback, const XCHAR* id, const XCHAR* tag, int32_t index,
                                      const XCHAR* text, const XCHAR* selectedId, int16_t pressed) {
    // %-texts arrive as NUL-terminated wide strings.
    auto wide = [](const XCHAR* s) { return s ? std::u16string(reinterpret_cast<const char16_t*>(s)) : u""; };
    return RunEntry12([&](CXlOper& result) {
        return Ribbon(result, {callback, wide(id), wide(tag), index, wide(text), wide(selectedId), pressed != 0});
    });
}

ZR_EXPORT XLOPER* RibbonCallback_4(int32_t callback, const char* id, const char* tag, int32_t index, const char* text,
                                   const char* selectedId, int16_t pressed) {
    auto wide = [](const char* s) { return s ? Zr::Platform::AnsiToWide(s, std::strlen(s)) : u""; };
    return RunEntry4([&](CXlOper& result) {
        return Ribbon(result, {callback, wide(id), wide(tag), index, wide(text), wide(selectedId), pressed != 0});
    });
}

ZR_EXPORT XLOPER* CXlApp_ObserverEventHandler(int32_t number, XLOPER* arg1, XLOPER* arg2, XLOPER* arg3) {
    return RunEntry4([&](CXlOper& result) -> const CXlOper* {
        if (CXllApp* app = App())
            RaiseApplicationEvent(*app, number, CXlOper(arg1), CXlOper(arg2), CXlOper(arg3), result);
        else
            result.SetBool(false);
        return nullptr;
    });
}

ZR_EXPORT int16_t CXllComImpl_OnSheetActivate() { return RunComHandler(ComHandler::SheetActivate); }
ZR_EXPORT int16_t CXllComImpl_OnSheetDeactivate() { return RunComHandler(ComHandler::SheetDeactivate); }
ZR_EXPORT int16_t CXllComImpl_OnCalculate() { return RunComHandler(ComHandler::Calculate); }
