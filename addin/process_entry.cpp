// The library's process entry: DllMain on Windows; natively the same steps
// run when the shared library is loaded and unloaded.
#include "xll/platform.h"
#include "xll/thread_data.h"
#include "xll/xll_app.h"

namespace {

int g_attachCount = 0;  // guards against a second attach or detach

int ProcessAttach(void* module) {
    if (g_attachCount++ > 0) return 1;
    if (!Zr::Xll::CreateThreadDataSlot()) return 0;
    Zr::Platform::SetModuleHandle(module);
    Zr::Platform::InstallStructuredExceptionHandler();
    CXllApp* app = Zr::Xll::App();
    return app ? app->ProcessAttach(module) : 1;
}

void ProcessDetach() {
    if (g_attachCount == 0 || --g_attachCount > 0) return;
    if (CXllApp* app = Zr::Xll::App()) app->ProcessDetach();
    Zr::Platform::SetModuleHandle(nullptr);
    Zr::Platform::RemoveStructuredExceptionHandler();
    Zr::Xll::DestroyThreadDataSlot();
}

}  // namespace

#if defined(_WIN32)

enum : unsigned long { kProcessDetach = 0, kProcessAttach = 1, kThreadAttach = 2, kThreadDetach = 3 };

extern "C" int __stdcall DllMain(void* instance, unsigned long reason, void*) {
    switch (reason) {
    case kProcessAttach:
        return ProcessAttach(instance);
    case kProcessDetach:
        ProcessDetach();
        return 1;
    case kThreadDetach:
        Zr::Xll::ReleaseThreadData();
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
    ProcessAttach(info.dli_fbase);
}

__attribute__((destructor(2000))) static void LibraryUnloaded() { ProcessDetach(); }

#endif
