// Native side of the host's platform layer. The add-in finds the host's
// Excel4v and MessageBoxW among the program's dynamic symbols.
#include <dlfcn.h>

#include "host/host_platform.h"
#include "host/host_state.h"

ZR_EXPORT int Excel4v(int xlfn, XLOPER* result, int count, XLOPER** args) {
    return Zr::Host::Excel4Callback(xlfn, result, count, args);
}

// The add-in asks its Yes/No questions through the process's MessageBoxW.
ZR_EXPORT int MessageBoxW(void* owner, const char16_t* text, const char16_t* caption, unsigned style) {
    return Zr::Host::HostMessageBoxW(owner, text, caption, style);
}

namespace Zr::HostPlatform {

void* LoadLibraryFile(const std::string& path, std::string& error) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) error = dlerror();
    return library;
}

void* FindSymbol(void* library, const char* name) { return library ? dlsym(library, name) : nullptr; }

void FreeLibraryFile(void* library) {
    if (library) dlclose(library);
}

void ConnectAddin(void* library) {
    if (auto* set = reinterpret_cast<void (*)(void*)>(FindSymbol(library, "SetExcel4EntryPt")))
        set(reinterpret_cast<void*>(&Excel4v));
}

std::string CommandLineArgument(const char* argument) { return argument; }

// No window system natively.
bool HasWindows() { return false; }
void* CreateTopWindow(const std::string&, const std::u16string&, void*) { return nullptr; }
void* CreateFunctionArguments(void*, size_t, PreviewFn, void*) { return nullptr; }
void DestroyTopWindow(void*) {}
uint32_t WindowHandleValue(void*) { return 0; }
std::vector<ChildWindow> ChildWindows(void*) { return {}; }
std::u16string WindowText(void*) { return {}; }
void TypeKeys(void*, const std::u16string&) {}
void PressKeys(void*, const std::vector<unsigned>&) {}
void* FocusedWindow() { return nullptr; }
void ShowTopWindow(void*, bool) {}
bool SaveScreenshot(const std::string&, const std::string&) { return false; }
intptr_t SendWindowMessage(void*, unsigned, uintptr_t, intptr_t) { return 0; }

}  // namespace Zr::HostPlatform
