// Windows side of the host's platform layer.
#include <windows.h>

#include <cstring>

#include "host/host_platform.h"
#include "host/host_state.h"
#include "xll/platform.h"

// XLCALL32.DLL's Excel4 and Excel4v forward here.
ZR_EXPORT int MdCallBack(int xlfn, XLOPER* result, int count, XLOPER** args) {
    return Zr::Host::Excel4Callback(xlfn, result, count, args);
}

namespace Zr::HostPlatform {
namespace {

// Points the import `dll!function` of `module` at `replacement`.
bool ReplaceImport(void* module, const char* dll, const char* function, void* replacement) {
    auto* base = static_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0) return false;
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + imp->Name), dll) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (lstrcmpA(reinterpret_cast<char*>(byName->Name), function) != 0) continue;
            DWORD old = 0;
            VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &old);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof(void*), old, &old);
            return true;
        }
    }
    return false;
}

}  // namespace

void* LoadLibraryFile(const std::string& path, std::string& error) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(size_t(n > 0 ? n : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), n);
    HMODULE module = LoadLibraryW(wide.c_str());
    if (!module) error = "LoadLibrary failed with error " + std::to_string(GetLastError());
    return module;
}

void* FindSymbol(void* library, const char* name) {
    return library ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name)) : nullptr;
}

void FreeLibraryFile(void* library) {
    if (library) FreeLibrary(static_cast<HMODULE>(library));
}

void ConnectAddin(void* library) {
    ReplaceImport(library, "user32.dll", "MessageBoxW", reinterpret_cast<void*>(&Host::HostMessageBoxW));
}

std::string CommandLineArgument(const char* argument) {
    return Host::ToUtf8(Platform::AnsiToWide(argument, std::strlen(argument)));
}

}  // namespace Zr::HostPlatform
