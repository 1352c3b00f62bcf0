// The steps of the library's process entry (DllMain on Windows, load and
// unload natively): the thread slot, the module handle, the structured
// exception handler and the application's attach and detach.
#pragma once

namespace Zr::Xll {
// Returns what the application's attach returned (0 when the thread slot
// cannot be allocated). A second attach or detach does nothing.
int ProcessAttach(void* module);
void ProcessDetach();
void ThreadDetach();
}  // namespace Zr::Xll
