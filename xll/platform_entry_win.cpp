// Windows side of the process entry, linked into each add-in: DllMain runs
// the framework's attach and detach steps.
#include <windows.h>

#include "xll/entry.h"
#include "xll/process_entry.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    using namespace Zr::Xll;
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        return Guarded(0, [&] { return ProcessAttach(instance); });  // 0 fails the load
    case DLL_PROCESS_DETACH:
        Guarded([] { ProcessDetach(); });
        return TRUE;
    case DLL_THREAD_DETACH:
        Guarded([] { ThreadDetach(); });
        return TRUE;
    default:
        return TRUE;
    }
}
