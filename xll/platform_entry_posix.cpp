// Native side of the process entry, linked into each add-in: the framework's
// attach and detach steps run when the shared library is loaded and unloaded.
#include <dlfcn.h>

#include "xll/entry.h"
#include "xll/excel_bridge.h"
#include "xll/process_entry.h"

namespace {

// Priority 2000: after the application object and the static records
// (ZR_EARLY_INIT, 1000) are built.
__attribute__((constructor(2000))) void LibraryLoaded() {
    Zr::Xll::Guarded([] {
        Dl_info info{};
        dladdr(reinterpret_cast<void*>(&LibraryLoaded), &info);
        Zr::Xll::ProcessAttach(info.dli_fbase);
    });
}

__attribute__((destructor(2000))) void LibraryUnloaded() { Zr::Xll::Guarded([] { Zr::Xll::ProcessDetach(); }); }

}  // namespace

// Natively the host may hand over its Excel4v here when it cannot be found by
// name (Windows add-ins import it from XLCALL32.DLL).
ZR_EXPORT void SetExcel4EntryPt(void* entry) {
    Zr::Xll::Guarded([&] { Zr::Xll::SetExcel4Entry(entry); });
}
