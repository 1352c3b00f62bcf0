// Windows side of the host's platform layer.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

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

// --- Excel's windows -------------------------------------------------------------

namespace Zr::HostPlatform {
namespace {

constexpr int kArgumentRows = 5;
constexpr int kFirstBoxId = 100, kScrollBarId = 110, kResultId = 120;
constexpr wchar_t kDialogClass[] = L"bosa_sdm_XL9";
constexpr wchar_t kResultPrefix[] = L"Formula result = ";

const wchar_t* Wide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
std::u16string Utf16(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }

std::wstring TextOf(HWND window) {
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

// What a Function Arguments dialog holds: the texts of all arguments, of
// which the boxes show five from the scroll position on.
struct ArgumentsDialog {
    std::vector<std::u16string> arguments;
    int position = 0;
    bool loading = false;  // boxes being refilled: their changes are not edits
    PreviewFn preview;
    void* context;
};

ArgumentsDialog* DialogOf(HWND window) {
    return reinterpret_cast<ArgumentsDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void ShowRows(HWND window, ArgumentsDialog& dialog) {
    dialog.loading = true;
    for (int row = 0; row < kArgumentRows; ++row) {
        const size_t index = size_t(dialog.position + row);
        HWND box = GetDlgItem(window, kFirstBoxId + row);
        ShowWindow(box, index < dialog.arguments.size() ? SW_SHOW : SW_HIDE);
        SetWindowTextW(box, index < dialog.arguments.size() ? Wide(dialog.arguments[index]) : L"");
    }
    dialog.loading = false;
}

void Preview(HWND window, ArgumentsDialog& dialog) {
    const std::u16string result = dialog.preview(dialog.context, dialog.arguments);
    SetDlgItemTextW(window, kResultId, (kResultPrefix + std::wstring(result.begin(), result.end())).c_str());
}

void Scroll(HWND window, ArgumentsDialog& dialog, WPARAM request) {
    const int last = std::max(0, int(dialog.arguments.size()) - 1);
    int position = dialog.position;
    switch (LOWORD(request)) {
    case SB_LINEUP: --position; break;
    case SB_LINEDOWN: ++position; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: position = HIWORD(request); break;
    default: return;
    }
    dialog.position = std::clamp(position, 0, last);
    SetScrollPos(GetDlgItem(window, kScrollBarId), SB_CTL, dialog.position, TRUE);
    ShowRows(window, dialog);
}

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ArgumentsDialog* dialog = DialogOf(window);
    if (dialog && message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && !dialog->loading) {
        const size_t index = size_t(dialog->position + LOWORD(wParam) - kFirstBoxId);
        if (index < dialog->arguments.size()) {
            dialog->arguments[index] = Utf16(TextOf(reinterpret_cast<HWND>(lParam)));
            Preview(window, *dialog);  // as Excel does after every keystroke
        }
        return 0;
    }
    if (dialog && message == WM_VSCROLL) {
        Scroll(window, *dialog, wParam);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        delete dialog;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// "EDTBX": the system's edit control under Excel's class name.
WNDPROC g_editProc = nullptr;

LRESULT CALLBACK EditBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(g_editProc, window, message, wParam, lParam);
}

// Registers `name` once per process: Excel's dialog class with the dialog's
// procedure, "EDTBX" as the edit control, any other with a plain procedure;
// the system's own classes need nothing.
bool EnsureClass(const std::wstring& name) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    if (GetClassInfoExW(instance, name.c_str(), &info) || GetClassInfoExW(nullptr, name.c_str(), &info)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (name == L"EDTBX") {
        if (!GetClassInfoExW(nullptr, L"EDIT", &wc)) return false;
        g_editProc = wc.lpfnWndProc;
        wc.lpfnWndProc = EditBoxProc;
    } else {
        wc.lpfnWndProc = name == kDialogClass ? DialogProc : PlainWindowProc;
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    }
    wc.hInstance = instance;
    wc.lpszClassName = name.c_str();
    return RegisterClassExW(&wc) != 0;
}

std::wstring WideOf(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

HWND CreateChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, RECT r, int id) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, parent, reinterpret_cast<HMENU>(intptr_t(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

bool HasWindows() { return true; }

// Windows start hidden: under Wine without a window manager every shown
// top-level window takes two seconds to go away.

void* CreateTopWindow(const std::string& className, const std::u16string& title, void* owner) {
    const std::wstring name = WideOf(className);
    if (!EnsureClass(name)) return nullptr;
    const DWORD style = owner ? WS_POPUP | WS_CAPTION | WS_SYSMENU : WS_OVERLAPPEDWINDOW;
    return CreateWindowExW(0, name.c_str(), Wide(title), style, 40, 40, 480, 300,
                           static_cast<HWND>(owner), nullptr, GetModuleHandleW(nullptr), nullptr);
}

void* CreateFunctionArguments(void* owner, size_t argumentCount, PreviewFn preview, void* context) {
    if (!EnsureClass(L"EDTBX")) return nullptr;
    auto* window = static_cast<HWND>(CreateTopWindow("bosa_sdm_XL9", u"Function Arguments", owner));
    if (!window) return nullptr;
    auto* dialog = new ArgumentsDialog{std::vector<std::u16string>(argumentCount), 0, false, preview, context};
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(dialog));
    for (int row = 0; row < kArgumentRows; ++row)
        CreateChild(window, L"EDTBX", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                    RECT{120, 12 + 28 * row, 400, 34 + 28 * row}, kFirstBoxId + row);
    HWND scrollBar = CreateChild(window, L"ScrollBar", L"", SBS_VERT, RECT{404, 12, 420, 158}, kScrollBarId);
    SetScrollRange(scrollBar, SB_CTL, 0, std::max(0, int(argumentCount) - 1), FALSE);
    CreateChild(window, L"STATIC", kResultPrefix, 0, RECT{12, 170, 420, 190}, kResultId);
    ShowRows(window, *dialog);
    return window;
}

void DestroyTopWindow(void* window) { DestroyWindow(static_cast<HWND>(window)); }

uint32_t WindowHandleValue(void* window) { return uint32_t(reinterpret_cast<uintptr_t>(window)); }

std::vector<ChildWindow> ChildWindows(void* window) {
    std::vector<HWND> handles;
    EnumChildWindows(
        static_cast<HWND>(window),
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&handles));
    std::vector<ChildWindow> children;
    for (HWND child : handles) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        RECT r{};
        GetWindowRect(child, &r);
        children.push_back({child, name, Utf16(TextOf(child)), int(r.left), int(r.top), int(r.right), int(r.bottom)});
    }
    return children;
}

std::u16string WindowText(void* window) { return Utf16(TextOf(static_cast<HWND>(window))); }

void TypeKeys(void* window, const std::u16string& keys) {
    auto* target = static_cast<HWND>(window);
    for (char16_t key : keys) {
        const UINT vk = key == u'\b' ? VK_BACK : LOBYTE(VkKeyScanW(wchar_t(key)));
        PostMessageW(target, WM_KEYDOWN, vk, 1);
        PostMessageW(target, WM_CHAR, key, 1);
        PostMessageW(target, WM_KEYUP, vk, LPARAM(0xC0000001));
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

void PressKeys(void* window, const std::vector<unsigned>& virtualKeys) {
    if (window) {
        auto* target = static_cast<HWND>(window);
        SetForegroundWindow(GetAncestor(target, GA_ROOT));
        SetFocus(target);
    }
    std::vector<INPUT> inputs;
    auto add = [&](unsigned key, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = WORD(key);
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (unsigned key : virtualKeys) {
        if (key & 0x100) add(VK_SHIFT, false);
        add(key & 0xFF, false);
        add(key & 0xFF, true);
        if (key & 0x100) add(VK_SHIFT, true);
    }
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void* FocusedWindow() { return GetFocus(); }

void ShowTopWindow(void* window, bool show) {
    ShowWindow(static_cast<HWND>(window), show ? SW_SHOWNORMAL : SW_HIDE);
    UpdateWindow(static_cast<HWND>(window));
}

bool SaveScreenshot(const std::string& path, const std::string& geometry) {
    // Wine starts a Unix program without a process handle to wait on, so the
    // picture is written aside and moved into place; its arrival ends the wait.
    const std::wstring target = WideOf(path), seen = L"Z:" + target;
    DeleteFileW(seen.c_str());
    // Without its date and time chunks the same picture gives the same file.
    std::wstring command = L"sh -c \"import -window root -define png:exclude-chunks=date,time -crop " +
                           WideOf(geometry) + L" 'png:" + target + L".part' && mv '" + target + L".part' '" + target +
                           L"'\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    for (int i = 0; i < 300 && GetFileAttributesW(seen.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
    return GetFileAttributesW(seen.c_str()) != INVALID_FILE_ATTRIBUTES;
}

intptr_t SendWindowMessage(void* window, unsigned message, uintptr_t wParam, intptr_t lParam) {
    return SendMessageW(static_cast<HWND>(window), message, wParam, lParam);
}

}  // namespace Zr::HostPlatform
