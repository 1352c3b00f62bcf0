// A tiny XLL for the host's own tests, written against the record layouts
// alone so that a fault in the add-in framework cannot hide one in the host.
#include "xll/xl_records.h"

namespace {
Excel12Proc g_excel12 = nullptr;
}  // namespace

ZR_EXPORT void SetExcel12EntryPt(void* entry) { g_excel12 = reinterpret_cast<Excel12Proc>(entry); }

// The add-in's path in the host's own record, marked xlbitXLFree: Excel
// frees it after copying. Each thread has its own record.
ZR_EXPORT XLOPER12* FakeName_12() {
    thread_local XLOPER12 name;
    if (!g_excel12 || g_excel12(xlGetName, 0, nullptr, &name) != xlretSuccess) name = XLOPER12{};
    return &name;
}
