#include "xll/process_entry.h"

#include "xll/array_blocks.h"
#include "xll/platform.h"
#include "xll/thread_data.h"
#include "xll/xll_app.h"

namespace Zr::Xll {
namespace {
int g_attachCount = 0;  // guards against re-entry
}  // namespace

int ProcessAttach(void* module) {
    if (g_attachCount++ > 0) return 1;
    if (!CreateThreadDataSlot()) return 0;
    Platform::SetModuleHandle(module);
    Platform::InstallStructuredExceptionHandler();
    CXllApp* app = App();
    return app ? app->ProcessAttach(module) : 1;
}

void ProcessDetach() {
    if (g_attachCount == 0 || --g_attachCount > 0) return;
    if (CXllApp* app = App()) app->ProcessDetach();
    Platform::StopWatchingWindows();  // the hook's procedure goes with the module
    Platform::SetModuleHandle(nullptr);
    Platform::RemoveStructuredExceptionHandler();
    DestroyThreadDataSlot();
    ReleaseKeptBlocks();
}

void ThreadDetach() { ReleaseThreadData(); }

}  // namespace Zr::Xll
