// The library's process entry: DllMain on Windows; natively the same steps
// run when the shared library is loaded and unloaded.
#include "xll/process_entry.h"

#if defined(_WIN32)

enum : unsigned long { kProcessDetach = 0, kProcessAttach = 1, kThreadDetach = 3 };

extern "C" int __stdcall DllMain(void* instance, unsigned long reason, void*) {
    switch (reason) {
    case kProcessAttach:
        return Zr::Xll::ProcessAttach(instance);
    case kProcessDetach:
        Zr::Xll::ProcessDetach();
        return 1;
    case kThreadDetach:
        Zr::Xll::ThreadDetach();
        return 1;
    default:
        return 1;
    }
}

#else

#include <dlfcn.h>

// Runs after the application object and the static records (ZR_EARLY_INIT).
__attribute__((constructor(2000))) static void LibraryLoaded() {
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&LibraryLoaded), &info);
    Zr::Xll::ProcessAttach(info.dli_fbase);
}

__attribute__((destructor(2000))) static void LibraryUnloaded() { Zr::Xll::ProcessDetach(); }

#endif
