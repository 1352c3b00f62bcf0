// Hidden commands Excel calls besides the worksheet functions: the ribbon
// callback and the observer-event handler. This build serves no ribbon and
// connects no application events, so both answer neutrally.
#include "xll/entry.h"
#include "xll/function_record.h"

namespace {

const CXlOper* NoRibbon(CXlOper& result) {
    result.SetError(xlerrNA);
    return nullptr;
}

const CXlOper* NoObservers(CXlOper& result) {
    result.SetBool(false);  // nothing cancelled
    return nullptr;
}

const Zr::Xll::StaticFunctionRecord kRibbonCallback ZR_EARLY_INIT({
    nullptr, "RibbonCallback_4", "RibbonCallback_12", "RJCCJCCA", "UJC%C%JC%C%A", u"RibbonCallback", nullptr,
    u"callback,id,tag,index,text,selectedId,pressed", 2, nullptr, u"14", u"", 4, u"", nullptr,
    u"Handles all calls redirected from the ribbonX manager", nullptr, nullptr, nullptr, u"", 0, 0});

}  // namespace

ZR_EXPORT XLOPER12* RibbonCallback_12(int32_t, const XCHAR*, const XCHAR*, int32_t, const XCHAR*, const XCHAR*,
                                      int16_t) {
    return Zr::Xll::RunEntry12(NoRibbon);
}

ZR_EXPORT XLOPER* RibbonCallback_4(int32_t, const char*, const char*, int32_t, const char*, const char*, int16_t) {
    return Zr::Xll::RunEntry4(NoRibbon);
}

ZR_EXPORT XLOPER* CXlApp_ObserverEventHandler(int32_t, XLOPER*, XLOPER*, XLOPER*) {
    return Zr::Xll::RunEntry4(NoObservers);
}
