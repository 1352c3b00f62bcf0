// XLCALL32.DLL as the host provides it on Windows: the add-in imports Excel4
// and Excel4v from it, and both forward to the "MdCallBack" export of the
// program that loaded the add-in.
#include <cstdarg>

#include "xll/platform.h"

namespace {

constexpr int kMaxExcel4Arguments = 30;

Excel4vProc HostEntry() {
    static const auto entry = reinterpret_cast<Excel4vProc>(Zr::Platform::FindMainModuleSymbol("MdCallBack"));
    return entry;
}

}  // namespace

extern "C" int Excel4v(int xlfn, XLOPER* result, int count, XLOPER** args) {
    const Excel4vProc entry = HostEntry();
    return entry ? entry(xlfn, result, count, args) : xlretFailed;
}

extern "C" int Excel4(int xlfn, XLOPER* result, int count, ...) {
    if (count < 0 || count > kMaxExcel4Arguments) return xlretInvCount;
    XLOPER* args[kMaxExcel4Arguments] = {};
    va_list list;
    va_start(list, count);
    for (int i = 0; i < count; ++i) args[i] = va_arg(list, XLOPER*);
    va_end(list);
    return Excel4v(xlfn, result, count, args);
}
