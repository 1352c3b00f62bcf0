// Windows side of the wizard hook. The dialog belongs to Excel: the hook only
// watches the messages its procedure has handled (WH_CALLWNDPROCRET) and the
// keys read from the thread's queue (WH_KEYBOARD), and adds its own child
// windows over it. The buttons' and the list's notifications go to the
// dialog, so the same message hook sees them.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "xll/exceptions.h"
#include "xll/platform.h"
#include "xll/platform_wizard_hook.h"

namespace {

constexpr int kRows = 5;
constexpr int kFirstButtonId = 0x5A50, kListId = 0x5A5F;  // ids Excel's dialog does not use
constexpr char kDialogClass[] = "bosa_sdm_XL9";

// Visual styles, loaded on first use; without them the buttons are drawn plain.
struct Theme {
    using Open = HANDLE(WINAPI*)(HWND, LPCWSTR);
    using Close = HRESULT(WINAPI*)(HANDLE);
    using Draw = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
    using PartSize = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, int, SIZE*);
    Open open = nullptr;
    Close close = nullptr;
    Draw draw = nullptr;
    PartSize partSize = nullptr;
    bool loaded = false;
};
constexpr int kDropDownPart = 1;  // CP_DROPDOWNBUTTON; states normal 1, pressed 3, disabled 4
constexpr int kPartTrueSize = 1;  // TS_TRUE

template <class Fn>
Fn Procedure(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

Theme& Themes() {
    static Theme theme = [] {
        Theme t;
        if (HMODULE library = LoadLibraryW(L"uxtheme.dll")) {
            t.open = Procedure<Theme::Open>(library, "OpenThemeData");
            t.close = Procedure<Theme::Close>(library, "CloseThemeData");
            t.draw = Procedure<Theme::Draw>(library, "DrawThemeBackground");
            t.partSize = Procedure<Theme::PartSize>(library, "GetThemePartSize");
            t.loaded = t.open && t.close && t.draw && t.partSize;
        }
        return t;
    }();
    return theme;
}

// The common controls, from the system's comctl32 (loaded, not imported).
void InitCommonControls() {
    struct Init {
        DWORD size, classes;
    };
    static const bool done = [] {
        HMODULE library = LoadLibraryW(L"comctl32.dll");
        using Fn = BOOL(WINAPI*)(const Init*);
        auto fn = library ? Procedure<Fn>(library, "InitCommonControlsEx") : nullptr;
        const Init init{sizeof(Init), 0x4000};  // ICC_STANDARD_CLASSES
        return fn && fn(&init);
    }();
    (void)done;
}

// What the hook knows of the dialog; one instance, used on the hook's thread only.
struct DialogState {
    HHOOK messageHook = nullptr, keyHook = nullptr;
    DWORD thread = 0;
    HWND dialog = nullptr;
    HWND boxes[kRows] = {};
    HWND scrollBar = nullptr;
    int position = 0;
    HWND buttons[kRows] = {};
    HWND list = nullptr;
    int listRow = -1;
    bool busy = false;  // our own changes send messages through the hook again
};
DialogState g;
CWizardHook* g_hook = nullptr;

bool ClassIs(HWND window, const char* name) {
    char text[32] = {};
    GetClassNameA(window, text, sizeof text);
    return lstrcmpiA(text, name) == 0;
}

bool IsOwnControl(HWND window) {
    if (window && window == g.list) return true;
    for (HWND button : g.buttons)
        if (window && window == button) return true;
    return false;
}

// Excel's layout: exactly five argument boxes with one left edge, in order,
// and the argument scroll bar right after the fifth.
bool ReadLayout(HWND dialog, HWND (&boxes)[kRows], HWND& scrollBar) {
    int count = 0;
    LONG left = 0;
    scrollBar = nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsOwnControl(child)) continue;
        if (ClassIs(child, "EDTBX")) {
            RECT r{};
            GetWindowRect(child, &r);
            if (count == kRows || (count > 0 && r.left != left)) return false;
            left = r.left;
            boxes[count++] = child;
        } else if (count == kRows && !scrollBar) {
            if (!ClassIs(child, "ScrollBar")) return false;
            scrollBar = child;
        }
    }
    return count == kRows && scrollBar;
}

void DestroyList() {
    if (g.list) DestroyWindow(g.list);
    g.list = nullptr;
    g.listRow = -1;
}

void DestroyControls() {
    DestroyList();
    for (HWND& button : g.buttons) {
        if (button) DestroyWindow(button);
        button = nullptr;
    }
}

void Forget() {
    DestroyControls();
    g.dialog = g.scrollBar = nullptr;
    for (HWND& box : g.boxes) box = nullptr;
    g.position = 0;
    if (g_hook) {
        g_hook->wizardActive = false;
        g_hook->functionName.clear();
    }
}

const CXlWizExUIListProvider* ListOfRow(int row) {
    const CXlWizExUIFunctionRegistry* registry = Zr::Xll::WizardRegistry();
    const CXlWizExUIFunctionDescriptor* descriptor =
        registry && g_hook ? registry->Descriptor(g_hook->functionName) : nullptr;
    return descriptor ? descriptor->List(row + g.position) : nullptr;
}

RECT RectInDialog(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, g.dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND CreateControl(const wchar_t* className, DWORD style, RECT r, int id) {
    HWND window = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                                  r.bottom - r.top, g.dialog, reinterpret_cast<HMENU>(intptr_t(id)),
                                  static_cast<HINSTANCE>(Zr::Platform::ModuleHandle()), nullptr);
    // Above the edit box it covers.
    if (window) SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return window;
}

int ButtonWidth(HWND box, int height) {
    Theme& theme = Themes();
    if (HANDLE data = theme.loaded ? theme.open(box, L"COMBOBOX") : nullptr) {
        SIZE size{};
        const bool known = SUCCEEDED(theme.partSize(data, nullptr, kDropDownPart, 1, nullptr, kPartTrueSize, &size));
        theme.close(data);
        if (known && size.cx > 0) return size.cx;
    }
    return std::min(int(GetSystemMetrics(SM_CXVSCROLL)), height);
}

// A button at the right end of every visible row whose argument has a list.
void PlaceButtons() {
    DestroyControls();
    InitCommonControls();
    for (int row = 0; row < kRows; ++row) {
        if (!(GetWindowLongW(g.boxes[row], GWL_STYLE) & WS_VISIBLE) || !ListOfRow(row)) continue;
        RECT r = RectInDialog(g.boxes[row]);
        const int height = r.bottom - r.top;
        r.left = r.right - ButtonWidth(g.boxes[row], height);
        g.buttons[row] = CreateControl(L"BUTTON", BS_OWNERDRAW, r, kFirstButtonId + row);
    }
}

void DrawButton(const DRAWITEMSTRUCT& item) {
    const bool pressed = item.itemState & ODS_SELECTED;
    Theme& theme = Themes();
    if (HANDLE data = theme.loaded ? theme.open(item.hwndItem, L"COMBOBOX") : nullptr) {
        theme.draw(data, item.hDC, kDropDownPart, pressed ? 3 : 1, &item.rcItem, nullptr);
        theme.close(data);
        return;
    }
    RECT r = item.rcItem;
    DrawFrameControl(item.hDC, &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (pressed ? DFCS_PUSHED : 0));
}

std::u16string TextOf(HWND window) {
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return std::u16string(text.begin(), text.end());
}

// The list over the row's edit box, dropped down, the row's value selected.
void OpenList(int row) {
    const CXlWizExUIListProvider* items = ListOfRow(row);
    if (!items || !g.boxes[row]) return;
    DestroyList();
    RECT r = RectInDialog(g.boxes[row]);
    r.bottom += (r.bottom - r.top) * int(items->Count() + 1);
    g.list = CreateControl(L"COMBOBOX", WS_VSCROLL | CBS_DROPDOWNLIST, r, kListId);
    if (!g.list) return;
    g.listRow = row;
    const std::u16string current = TextOf(g.boxes[row]);
    int selected = 0;
    for (size_t i = 0; i < items->Count(); ++i) {
        const std::u16string text = items->DisplayText(i);
        SendMessageW(g.list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (items->Value(i) == current) selected = int(i);
    }
    SendMessageW(g.list, CB_SETCURSEL, WPARAM(selected), 0);
    SetFocus(g.list);
    SendMessageW(g.list, CB_SHOWDROPDOWN, TRUE, 0);
}

void ChooseListItem() {
    const CXlWizExUIListProvider* items = g.listRow >= 0 ? ListOfRow(g.listRow) : nullptr;
    const LRESULT i = SendMessageW(g.list, CB_GETCURSEL, 0, 0);
    if (!items || i < 0 || size_t(i) >= items->Count()) return;
    const std::u16string& value = items->Value(size_t(i));
    SetWindowTextW(g.boxes[g.listRow], reinterpret_cast<const wchar_t*>(value.c_str()));  // Excel previews it
}

// The list closed: it hides and the row's box has the focus again.
void CloseList() {
    if (!g.list || g.listRow < 0) return;
    if (SendMessageW(g.list, CB_GETDROPPEDSTATE, 0, 0)) SendMessageW(g.list, CB_SHOWDROPDOWN, FALSE, 0);
    ShowWindow(g.list, SW_HIDE);
    SetFocus(g.boxes[g.listRow]);
}

// A message that Excel's dialog (or one of its children) has handled.
void OnMessage(const CWPRETSTRUCT& m) {
    if (m.message == WM_DESTROY && m.hwnd == g.dialog) return Forget();
    switch (m.message) {
    case WM_COMMAND:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_SHOWWINDOW:
    case WM_WINDOWPOSCHANGED:
    case WM_DRAWITEM: break;
    default: return;
    }
    if (!ClassIs(m.hwnd, kDialogClass)) return;
    if (m.hwnd == g.dialog) {
        const auto from = reinterpret_cast<HWND>(m.lParam);
        if (m.message == WM_DRAWITEM && IsOwnControl(reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam)->hwndItem))
            return DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam));
        if (m.message == WM_COMMAND && from && IsOwnControl(from)) {
            if (from == g.list && HIWORD(m.wParam) == CBN_SELENDOK) ChooseListItem();
            if (from == g.list && HIWORD(m.wParam) == CBN_CLOSEUP) CloseList();
            if (from != g.list && HIWORD(m.wParam) == BN_CLICKED) OpenList(int(LOWORD(m.wParam)) - kFirstButtonId);
            return;
        }
    }
    HWND boxes[kRows];
    HWND scrollBar = nullptr;
    if (!ReadLayout(m.hwnd, boxes, scrollBar)) return Forget();
    if (m.hwnd != g.dialog) {
        Forget();
        g.dialog = m.hwnd;
        if (g_hook) g_hook->wizardActive = true;
    }
    std::copy(std::begin(boxes), std::end(boxes), g.boxes);
    g.scrollBar = scrollBar;
    const int position = GetScrollPos(scrollBar, SB_CTL);
    if (position != g.position || m.message == WM_VSCROLL) {
        g.position = position;
        if (g_hook && !g_hook->functionName.empty()) PlaceButtons();
    }
}

LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && GetCurrentThreadId() == g.thread && !g.busy) {
        g.busy = true;
        OnMessage(*reinterpret_cast<const CWPRETSTRUCT*>(lParam));
        g.busy = false;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool KeyDown(int virtualKey) { return GetAsyncKeyState(virtualKey) < 0; }

// True when the key is consumed.
bool OnKey(int key) {
    const HWND focus = GetFocus();
    // The list's own style: the dialog may not be visible itself.
    if (g.list && focus == g.list && (GetWindowLongW(g.list, GWL_STYLE) & WS_VISIBLE)) {
        if (key == VK_TAB) {
            const HWND box = g.boxes[g.listRow];
            CloseList();
            // Shift as of this key, not as of now: keys may be queued ahead.
            SetFocus(GetNextDlgTabItem(g.dialog, box, GetKeyState(VK_SHIFT) < 0));
            return true;
        }
        return false;  // Down and Up move the selection in the list itself, stopping at its ends
    }
    const CXlWizExUIFunctionRegistry* registry = Zr::Xll::WizardRegistry();
    const CXlWizExUIKeySettings* settings = registry ? registry->KeySettings(int(AidKind::List)) : nullptr;
    for (int row = 0; row < kRows && settings; ++row) {
        if (focus != g.boxes[row] || !g.buttons[row]) continue;
        if (!Zr::Xll::KeyOpensAid(*settings, key, KeyDown(settings->modifier), TextOf(focus))) return false;
        OpenList(row);
        return true;
    }
    return false;
}

LRESULT CALLBACK BeforeKey(int code, WPARAM key, LPARAM flags) {
    const bool down = !(flags & 0x80000000);
    if (code == HC_ACTION && down && GetCurrentThreadId() == g.thread && !g.busy && g.dialog) {
        g.busy = true;
        const bool consumed = OnKey(int(key));
        g.busy = false;
        if (consumed) return 1;
    }
    return CallNextHookEx(nullptr, code, key, flags);
}

[[noreturn]] void RaiseHookFailure(const char* type) {
    char text[80];
    std::snprintf(text, sizeof text, "SetWindowsHookEx failed for %s. hr=%lx", type,
                  static_cast<unsigned long>(GetLastError()));
    throw CXlRuntimeException(text);
}

}  // namespace

CWizardHook::~CWizardHook() { Remove(); }

void CWizardHook::Install(uintptr_t thread) {
    CWizardHookState::Install(thread);  // raises when one is installed
    g = DialogState{};
    g.thread = DWORD(thread);
    g.messageHook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterMessage, nullptr, g.thread);
    if (!g.messageHook) {
        CWizardHookState::Remove();
        RaiseHookFailure("WH_CALLWNDPROCRET");
    }
    g.keyHook = SetWindowsHookExA(WH_KEYBOARD, BeforeKey, nullptr, g.thread);
    if (!g.keyHook) {
        UnhookWindowsHookEx(g.messageHook);
        g.messageHook = nullptr;
        CWizardHookState::Remove();
        RaiseHookFailure("WH_KEYBOARD");
    }
    g_hook = this;
}

void CWizardHook::Remove() {
    if (g_hook != this) return CWizardHookState::Remove();
    if (g.messageHook) UnhookWindowsHookEx(g.messageHook);
    if (g.keyHook) UnhookWindowsHookEx(g.keyHook);
    g.messageHook = g.keyHook = nullptr;
    if (GetCurrentThreadId() == g.thread) Forget();  // windows go only on the thread that made them
    g = DialogState{};
    g_hook = nullptr;
    CWizardHookState::Remove();
}

void CWizardHook::RebuildControls() {
    if (g_hook != this || !g.dialog || g.busy) return;
    g.busy = true;
    PlaceButtons();
    g.busy = false;
}
