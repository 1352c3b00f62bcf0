// The host's side of the operating system: loading the add-in, connecting it
// to the host's entries that Excel provides under platform-specific names,
// and the command line. host_platform_win.cpp and host_platform_posix.cpp are
// its two sides (CMake builds one); what the add-in needs as well (the ANSI
// code page, the main program's exports) is in xll/platform.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Zr::HostPlatform {

// `path` is UTF-8. Null with `error` set when the library cannot be loaded.
void* LoadLibraryFile(const std::string& path, std::string& error);
void* FindSymbol(void* library, const char* name);  // null for a null library
void FreeLibraryFile(void* library);

// Connects a freshly loaded add-in to what Excel provides besides
// MdCallBack12. Windows: the add-in's MessageBoxW import is pointed at
// HostMessageBoxW (XLCALL32.DLL already forwards Excel4/Excel4v to the
// host's MdCallBack). Natively: the host's Excel4v is handed over through
// SetExcel4EntryPt.
void ConnectAddin(void* library);

// A command-line argument as UTF-8; Windows hands it over in its ANSI code page.
std::string CommandLineArgument(const char* argument);

// --- Excel's windows ---------------------------------------------------------
// Windows only: natively there are none (HasWindows is false, handles are
// null, texts empty). Windows belong to the calling thread, which drives them.
bool HasWindows();
// A top-level window of `className` (registered here unless the system has
// it) titled `title`; a popup owned by `owner` when one is given. Hidden,
// as they need not be seen.
void* CreateTopWindow(const std::string& className, const std::u16string& title, void* owner);
// Excel's Function Arguments dialog owned by `owner`: five "EDTBX" argument
// boxes with the same left edge, an argument "ScrollBar" (it scrolls any
// argument up to the first row) and a "Formula result = " line. Every edit shows
// preview(context, arguments) there, the texts of all `argumentCount`
// arguments being handed over.
using PreviewFn = std::u16string (*)(void* context, const std::vector<std::u16string>& arguments);
void* CreateFunctionArguments(void* owner, size_t argumentCount, PreviewFn preview, void* context);
void DestroyTopWindow(void* window);
// Handles compared as Excel compares them through its 16-bit entry.
uint32_t WindowHandleValue(void* window);

struct ChildWindow {
    void* handle = nullptr;
    std::string className;
    std::u16string text;
    int left = 0, top = 0, right = 0, bottom = 0;  // in screen coordinates
};
std::vector<ChildWindow> ChildWindows(void* window);  // in Z order, as Windows enumerates them
std::u16string WindowText(void* window);
// Keystrokes into `window`: each character as key down, character and key
// up, posted to its queue and handled before this returns.
void TypeKeys(void* window, const std::u16string& keys);
// Keys as the keyboard delivers them, through the thread's input queue (so
// that keyboard hooks see them), into the window that has the focus, or into
// `window` focused first when given; each virtual-key code with 0x100 added
// is pressed with Shift held. Handled before this returns.
void PressKeys(void* window, const std::vector<unsigned>& virtualKeys);
void* FocusedWindow();
// Shows a top-level window or hides it again: only for screenshots, as a
// shown window is slow to go away under Wine without a window manager.
void ShowTopWindow(void* window, bool show);
// Saves the part `geometry` ("WxH+X+Y") of the screen as a picture file,
// with ImageMagick's import run on the same display (Wine starts Unix
// programs); false when that fails.
bool SaveScreenshot(const std::string& path, const std::string& geometry);
// Sends a window message; returns its result.
intptr_t SendWindowMessage(void* window, unsigned message, uintptr_t wParam, intptr_t lParam);

}  // namespace Zr::HostPlatform
