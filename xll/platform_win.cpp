// Windows side of the platform layer.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <vector>

#include "xll/platform.h"

namespace Zr::Platform {
namespace {

std::atomic<DWORD> g_slot = TLS_OUT_OF_INDEXES;
std::mutex g_slotMutex;
HMODULE g_module = nullptr;

const wchar_t* Wide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

}  // namespace

// --- Per-thread slot ---------------------------------------------------------

bool ThreadSlotCreate(ThreadExitFn) {  // thread detach frees the values here
    std::lock_guard lock(g_slotMutex);
    if (g_slot != TLS_OUT_OF_INDEXES) return true;
    g_slot = TlsAlloc();
    return g_slot != TLS_OUT_OF_INDEXES;
}

void ThreadSlotDestroy() {
    std::lock_guard lock(g_slotMutex);
    if (g_slot == TLS_OUT_OF_INDEXES) return;
    TlsFree(g_slot);
    g_slot = TLS_OUT_OF_INDEXES;
}

void* ThreadSlotGet() {
    const DWORD slot = g_slot;
    return slot == TLS_OUT_OF_INDEXES ? nullptr : TlsGetValue(slot);
}

void ThreadSlotSet(void* value) {
    const DWORD slot = g_slot;
    if (slot != TLS_OUT_OF_INDEXES) TlsSetValue(slot, value);
}

uintptr_t CurrentThreadId() { return GetCurrentThreadId(); }

// --- ANSI code page ----------------------------------------------------------

std::u16string AnsiToWide(const char* text, size_t length) {
    if (length == 0) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text, int(length), nullptr, 0);
    std::u16string wide(size_t(n > 0 ? n : 0), u'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text, int(length), reinterpret_cast<wchar_t*>(wide.data()), n);
    return wide;
}

std::string WideToAnsi(const XCHAR* text, size_t length) {
    if (length == 0) return {};
    auto* w = reinterpret_cast<const wchar_t*>(text);
    const int n = WideCharToMultiByte(CP_ACP, 0, w, int(length), nullptr, 0, nullptr, nullptr);
    std::string narrow(size_t(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, w, int(length), narrow.data(), n, nullptr, nullptr);
    return narrow;
}

size_t AnsiPrefixLength(const char* text, size_t length, size_t maxBytes) {
    size_t i = 0;
    while (i < length) {
        const size_t step = (IsDBCSLeadByte(BYTE(text[i])) && i + 1 < length) ? 2 : 1;
        if (i + step > maxBytes) break;
        i += step;
    }
    return i;
}

// --- Module and resources ----------------------------------------------------

void SetModuleHandle(void* module) { g_module = static_cast<HMODULE>(module); }
void* ModuleHandle() { return g_module; }

std::string ModuleFileName() {
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(g_module, path, MAX_PATH);
    return std::string(path, n);
}

namespace {

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
    reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
    return TRUE;
}

// The language of a string block that best matches the thread's language:
// the same language, else the first of the same primary language, else none
// (language-neutral lookup).
HRSRC FindStringBlock(unsigned block) {
    const LPCWSTR name = MAKEINTRESOURCEW(block);
    std::vector<WORD> languages;
    EnumResourceLanguagesW(g_module, RT_STRING, name, CollectLanguage, LONG_PTR(&languages));
    const WORD wanted = LANGIDFROMLCID(GetThreadLocale());
    for (WORD language : languages)
        if (language == wanted) return FindResourceExW(g_module, RT_STRING, name, language);
    for (WORD language : languages)
        if (PRIMARYLANGID(language) == PRIMARYLANGID(wanted))
            return FindResourceExW(g_module, RT_STRING, name, language);
    return FindResourceW(g_module, name, RT_STRING);
}

}  // namespace

bool LoadResourceString(unsigned id, std::u16string& text) {
    HRSRC info = FindStringBlock(id / 16 + 1);
    HGLOBAL data = info ? LoadResource(g_module, info) : nullptr;
    auto* p = data ? static_cast<const WORD*>(LockResource(data)) : nullptr;
    if (!p) return false;
    const DWORD size = SizeofResource(g_module, info) / sizeof(WORD);
    const WORD* end = p + size;
    // A block holds 16 counted strings; skip to entry id % 16.
    for (unsigned i = 0; i < id % 16 && p < end; ++i) p += 1 + *p;
    if (p >= end || *p == 0 || p + 1 + *p > end) return false;
    text.assign(reinterpret_cast<const char16_t*>(p + 1), *p);
    return true;
}

// --- The host ----------------------------------------------------------------

void* FindMainModuleSymbol(const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(nullptr), name));
}

int ShowMessageBox(void* owner, const std::u16string& text, const std::u16string& caption, unsigned style) {
    return MessageBoxW(static_cast<HWND>(owner), Wide(text), Wide(caption), style);
}

namespace {
struct WindowSearch {
    const char* className;
    uint16_t lowHandle;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (uint16_t(uintptr_t(window)) == search->lowHandle && lstrcmpiA(name, search->className) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

void* FindTopLevelWindow(const char* className, uint16_t lowHandle) {
    WindowSearch search{className, lowHandle, nullptr};
    EnumWindows(MatchWindow, LPARAM(&search));
    return search.found;
}

namespace {
struct VisitorCall {
    WindowVisitor visit;
    void* context;
    bool found;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM param) {
    auto* call = reinterpret_cast<VisitorCall*>(param);
    call->found = call->visit(window, call->context);
    return call->found ? FALSE : TRUE;
}
}  // namespace

bool FindTopLevelWindowIf(WindowVisitor visit, void* context) {
    VisitorCall call{visit, context, false};
    EnumWindows(VisitWindow, LPARAM(&call));
    return call.found;
}

uint16_t ParentHandleLow16(void* window) { return uint16_t(uintptr_t(GetParent(static_cast<HWND>(window)))); }

std::string WindowClassName(void* window, size_t maxLength) {
    std::string name(maxLength + 1, '\0');
    const int n = GetClassNameA(static_cast<HWND>(window), name.data(), int(name.size()));
    name.resize(n > 0 ? size_t(n) : 0);
    return name;
}

// InternalGetWindowText, not GetWindowTextA: for a window of another thread of
// this process GetWindowTextA sends WM_GETTEXT and waits for that thread, so a
// calculation thread would hang while Excel's main thread waits for it.
std::string WindowTitle(void* window, size_t maxLength) {
    std::wstring title(maxLength + 1, L'\0');
    const int n = InternalGetWindowText(static_cast<HWND>(window), title.data(), int(title.size()));
    std::string narrow = WideToAnsi(reinterpret_cast<const XCHAR*>(title.data()), n > 0 ? size_t(n) : 0);
    narrow.resize(AnsiPrefixLength(narrow.data(), narrow.size(), maxLength));
    return narrow;
}

// --- Watching for windows of one class -------------------------------------------
// Enumerating the desktop's windows costs a round trip to the window server
// per call (hundreds of microseconds under Wine with a few hundred windows).
// Instead a CBT hook on the watching thread notes every window of the class
// as it is created and forgets it as it is destroyed; the windows that
// already existed are noted once. Windows of other threads created later are
// not seen: Excel creates its dialogs on its main thread, the one watching.

namespace {
std::mutex g_watchMutex;
HHOOK g_watchHook = nullptr;
std::string g_watchPrefix;
std::vector<HWND> g_watched;           // guarded by g_watchMutex
std::atomic<size_t> g_watchedCount = 0;  // g_watched.size(), read without the lock
std::atomic<bool> g_watching = false;

bool HasWatchedClass(HWND window) {
    char name[64] = {};
    const int n = GetClassNameA(window, name, sizeof name);
    return size_t(n) >= g_watchPrefix.size() && _strnicmp(name, g_watchPrefix.c_str(), g_watchPrefix.size()) == 0;
}

void Track(HWND window, bool alive) {
    std::lock_guard lock(g_watchMutex);
    std::erase(g_watched, window);
    if (alive) g_watched.push_back(window);
    g_watchedCount = g_watched.size();
}

LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && HasWatchedClass(window)) Track(window, true);
    if (code == HCBT_DESTROYWND && g_watchedCount > 0) Track(window, false);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK TrackExisting(HWND window, LPARAM) {
    if (HasWatchedClass(window)) Track(window, true);
    return TRUE;
}
}  // namespace

bool WatchWindowsOfClass(const char* classPrefix) {
    StopWatchingWindows();
    {
        std::lock_guard lock(g_watchMutex);
        g_watchPrefix = classPrefix;
        g_watched.clear();
        g_watchedCount = 0;
    }
    // Hook first, then look: a window created in between is noted twice, not missed.
    g_watchHook = SetWindowsHookExW(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
    if (!g_watchHook) return false;
    EnumWindows(TrackExisting, 0);
    g_watching = true;
    return true;
}

void StopWatchingWindows() {
    g_watching = false;
    if (g_watchHook) UnhookWindowsHookEx(g_watchHook);
    g_watchHook = nullptr;
}

bool MayHaveWatchedWindow() {
    if (!g_watching) return true;
    if (g_watchedCount == 0) return false;
    // Windows of other threads noted at the start, or whose creation failed,
    // leave without a destroy notice.
    std::lock_guard lock(g_watchMutex);
    std::erase_if(g_watched, [](HWND window) { return !IsWindow(window); });
    g_watchedCount = g_watched.size();
    return !g_watched.empty();
}

// --- Structured exceptions -----------------------------------------------------
// MinGW has no _set_se_translator. A vectored handler sees a hardware fault
// first; when the faulting thread has a translator installed it resumes the
// thread in a trampoline that fakes a call from the faulting instruction into
// ZrRaiseTranslated, which calls the translator; the C++ exception it throws
// then unwinds through the faulting frame (built with -fnon-call-exceptions).

namespace {
std::atomic<DWORD> g_translatorSlot = TLS_OUT_OF_INDEXES;
PVOID g_vectoredHandler = nullptr;

DWORD TranslatorSlot() {
    if (g_translatorSlot == TLS_OUT_OF_INDEXES) {
        std::lock_guard lock(g_slotMutex);
        if (g_translatorSlot == TLS_OUT_OF_INDEXES) g_translatorSlot = TlsAlloc();
    }
    return g_translatorSlot;
}

bool IsHardwareFault(DWORD code) {
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_FLT_DENORMAL_OPERAND:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_OVERFLOW:
    case EXCEPTION_FLT_STACK_CHECK:
    case EXCEPTION_FLT_UNDERFLOW:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_PRIV_INSTRUCTION:
        return true;
    default:
        return false;  // stack overflow and software exceptions are left alone
    }
}
}  // namespace
}  // namespace Zr::Platform

extern "C" [[noreturn]] void ZrRaiseTranslated(uint32_t code, Zr::Platform::SeTranslator translator) {
    translator(code, nullptr);
    std::abort();  // a translator always throws
}

// Entered with rsp at the faulting frame's stack pointer: pushes the faulting
// address + 1 as a return address (so the unwinder finds the faulting
// instruction) and jumps to ZrRaiseTranslated(rcx = code, rdx = translator).
extern "C" void ZrSehTrampoline();
asm(".text\n"
    ".globl ZrSehTrampoline\n"
    "ZrSehTrampoline:\n"
    "    pushq %r8\n"
    "    jmp ZrRaiseTranslated\n");

namespace Zr::Platform {
namespace {

LONG CALLBACK TranslateFault(EXCEPTION_POINTERS* info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    const DWORD slot = g_translatorSlot;
    if (!IsHardwareFault(code) || slot == TLS_OUT_OF_INDEXES) return EXCEPTION_CONTINUE_SEARCH;
    auto translator = reinterpret_cast<SeTranslator>(TlsGetValue(slot));
    CONTEXT* context = info->ContextRecord;
    // The fake call needs the ABI's 16-byte stack alignment at the fault.
    if (!translator || (context->Rsp & 0xF) != 0) return EXCEPTION_CONTINUE_SEARCH;
    TlsSetValue(slot, nullptr);  // a fault inside the translator is not translated again
    context->Rcx = code;
    context->Rdx = reinterpret_cast<DWORD64>(translator);
    context->R8 = context->Rip + 1;
    context->Rip = reinterpret_cast<DWORD64>(&ZrSehTrampoline);
    return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

SeTranslator SetSeTranslator(SeTranslator translator) {
    // Putting "none" back after the handler is gone (process detach) needs no slot.
    if (!translator && g_translatorSlot == TLS_OUT_OF_INDEXES) return nullptr;
    const DWORD slot = TranslatorSlot();
    if (slot == TLS_OUT_OF_INDEXES) return nullptr;
    auto previous = reinterpret_cast<SeTranslator>(TlsGetValue(slot));
    TlsSetValue(slot, reinterpret_cast<void*>(translator));
    return previous;
}

void InstallStructuredExceptionHandler() {
    TranslatorSlot();
    if (!g_vectoredHandler) g_vectoredHandler = AddVectoredExceptionHandler(1, TranslateFault);
}

void RemoveStructuredExceptionHandler() {
    if (g_vectoredHandler) RemoveVectoredExceptionHandler(g_vectoredHandler);
    g_vectoredHandler = nullptr;
    std::lock_guard lock(g_slotMutex);
    if (g_translatorSlot != TLS_OUT_OF_INDEXES) TlsFree(g_translatorSlot);
    g_translatorSlot = TLS_OUT_OF_INDEXES;
}

}  // namespace Zr::Platform
