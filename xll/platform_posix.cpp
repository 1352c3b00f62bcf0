// Native Linux side of the platform layer: the add-in runs inside a host
// program that plays Excel, so "Windows" services are either provided by that
// host (found with dlsym) or have a neutral answer.
#include <dlfcn.h>
#include <pthread.h>

#include <array>
#include <atomic>
#include <mutex>

#include "xll/platform.h"

namespace Zr::Platform {
namespace {

pthread_key_t g_slotKey;
std::atomic<bool> g_slotCreated = false;
std::mutex g_slotMutex;

// Windows-1252 bytes 0x80-0x9F; the rest of the page equals Latin-1.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t Cp1252ToWide(unsigned char c) {
    return (c >= 0x80 && c < 0xA0) ? kCp1252High[c - 0x80] : char16_t(c);
}

char WideToCp1252(char16_t w) {
    if (w < 0x80 || (w >= 0xA0 && w <= 0xFF)) return char(w);
    for (size_t i = 0; i < kCp1252High.size(); ++i)
        if (kCp1252High[i] == w) return char(0x80 + i);
    return '?';  // as the Windows conversion does for unmappable characters
}

}  // namespace

bool ThreadSlotCreate(ThreadExitFn onThreadExit) {
    std::lock_guard lock(g_slotMutex);
    if (g_slotCreated) return true;
    g_slotCreated = pthread_key_create(&g_slotKey, onThreadExit) == 0;
    return g_slotCreated;
}

void ThreadSlotDestroy() {
    std::lock_guard lock(g_slotMutex);
    if (!g_slotCreated) return;
    pthread_key_delete(g_slotKey);
    g_slotCreated = false;
}

void* ThreadSlotGet() { return g_slotCreated ? pthread_getspecific(g_slotKey) : nullptr; }

void ThreadSlotSet(void* value) {
    if (g_slotCreated) pthread_setspecific(g_slotKey, value);
}

uintptr_t CurrentThreadId() { return uintptr_t(pthread_self()); }

std::u16string AnsiToWide(const char* text, size_t length) {
    std::u16string wide(length, u'\0');
    for (size_t i = 0; i < length; ++i) wide[i] = Cp1252ToWide(static_cast<unsigned char>(text[i]));
    return wide;
}

std::string WideToAnsi(const XCHAR* text, size_t length) {
    std::string narrow;
    narrow.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        const char16_t w = text[i];
        if (w >= 0xD800 && w < 0xDC00 && i + 1 < length) ++i;  // a surrogate pair is one character
        narrow.push_back(w >= 0xD800 && w < 0xE000 ? '?' : WideToCp1252(w));
    }
    return narrow;
}

size_t AnsiPrefixLength(const char*, size_t length, size_t maxBytes) {
    return length < maxBytes ? length : maxBytes;  // single-byte code page
}

namespace {
void* g_module = nullptr;
}

void SetModuleHandle(void* module) { g_module = module; }
void* ModuleHandle() { return g_module; }

std::string ModuleFileName() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ModuleFileName), &info) == 0 || !info.dli_fname) return {};
    return info.dli_fname;
}

bool LoadResourceString(unsigned, std::u16string&) { return false; }

void* FindMainModuleSymbol(const char* name) { return dlsym(RTLD_DEFAULT, name); }

Excel4vProc FindExcel4v() { return reinterpret_cast<Excel4vProc>(FindMainModuleSymbol("Excel4v")); }

int ShowMessageBox(void* owner, const std::u16string& text, const std::u16string& caption, unsigned style) {
    // A host that plays Windows may answer with its own MessageBoxW.
    using Fn = int (*)(void*, const char16_t*, const char16_t*, unsigned);
    auto* fn = reinterpret_cast<Fn>(FindMainModuleSymbol("MessageBoxW"));
    return fn ? fn(owner, text.c_str(), caption.c_str(), style) : 0;
}

void* FindTopLevelWindow(const char*, uint16_t) { return nullptr; }
bool FindTopLevelWindowIf(WindowVisitor, void*) { return false; }
uint16_t ParentHandleLow16(void*) { return 0; }
std::string WindowClassName(void*, size_t) { return {}; }
std::string WindowTitle(void*, size_t) { return {}; }

bool WatchWindowsOfClass(const char*) { return false; }
void StopWatchingWindows() {}
bool MayHaveWatchedWindow() { return false; }

SeTranslator SetSeTranslator(SeTranslator) { return nullptr; }
void InstallStructuredExceptionHandler() {}
void RemoveStructuredExceptionHandler() {}

}  // namespace Zr::Platform
