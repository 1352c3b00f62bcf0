// The add-in's side of the operating system. Every source comes as a Windows
// side (*_win.cpp) and a native Linux side (*_posix.cpp), of which CMake
// builds one: platform_*.cpp implement what is declared here (Windows'
// Excel4v import sits apart in platform_xlcall_win.cpp), platform_entry_* is
// the process entry linked into each add-in, and platform_export.h says how
// entries are exported. What only the host needs is in host/host_platform.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "xll/xl_records.h"

namespace Zr::Platform {

// --- Per-thread slot -------------------------------------------------------
// One pointer per thread. The slot is created on first use (or by the process
// entry). Natively `onThreadExit` runs for a thread's non-null value when the
// thread ends; on Windows the process entry's thread detach does that.
using ThreadExitFn = void (*)(void*);
bool ThreadSlotCreate(ThreadExitFn onThreadExit);
void ThreadSlotDestroy();
void* ThreadSlotGet();
void ThreadSlotSet(void* value);
// The calling thread's identity, never 0.
uintptr_t CurrentThreadId();

// --- ANSI code page --------------------------------------------------------
// Windows: the system's ANSI code page; natively Windows-1252.
std::u16string AnsiToWide(const char* text, size_t length);
std::string WideToAnsi(const XCHAR* text, size_t length);
// Longest prefix of `text` of at most `maxBytes` bytes that ends on a character
// boundary (a double-byte character is never split).
size_t AnsiPrefixLength(const char* text, size_t length, size_t maxBytes);

// --- The add-in's own module -----------------------------------------------
void SetModuleHandle(void* module);
void* ModuleHandle();
std::string ModuleFileName();  // empty when unknown

// String resource `id` of the add-in, in the calling thread's language (Windows);
// false when absent or empty (always false natively).
bool LoadResourceString(unsigned id, std::u16string& text);

// --- The host --------------------------------------------------------------
// A function exported by the program that loaded us (the host), or null.
// Windows: GetProcAddress on the main module; natively dlsym(RTLD_DEFAULT).
void* FindMainModuleSymbol(const char* name);
// Excel's Excel4v as the add-in finds it by itself: on Windows imported from
// XLCALL32.DLL; natively the host program's export, or null.
Excel4vProc FindExcel4v();

// Asks a Yes/No question in a message box owned by `owner`; returns the box's
// answer code (6 for Yes).
int ShowMessageBox(void* owner, const std::u16string& text, const std::u16string& caption, unsigned style);
// The top-level window of `className` whose handle's low 16 bits are `lowHandle`.
void* FindTopLevelWindow(const char* className, uint16_t lowHandle);

// Visits the desktop's top-level windows until `visit` returns true; returns
// whether it did (natively there are none).
using WindowVisitor = bool (*)(void* window, void* context);
bool FindTopLevelWindowIf(WindowVisitor visit, void* context);
uint16_t ParentHandleLow16(void* window);
std::string WindowClassName(void* window, size_t maxLength);  // empty when it fails
std::string WindowTitle(void* window, size_t maxLength);      // empty when it fails

// --- Watching for windows of one class ------------------------------------------
// Keeps the windows whose class name begins with `classPrefix` (compared
// without regard to case): those that exist now and those that the calling
// thread creates from now on (Windows: a WH_CBT hook on that thread). False
// when it cannot watch, and natively, where there are no windows.
bool WatchWindowsOfClass(const char* classPrefix);
void StopWatchingWindows();
// False only when no such window can exist: while watching, none is alive;
// natively, always. True when not watching on Windows.
bool MayHaveWatchedWindow();

// --- Structured exceptions ---------------------------------------------------
// A translator turns a hardware exception raised on its thread into a C++
// exception (it throws). Windows only; natively a fault still ends the process.
using SeTranslator = void (*)(uint32_t code, void* exceptionPointers);
SeTranslator SetSeTranslator(SeTranslator translator);  // returns the previous one
void InstallStructuredExceptionHandler();
void RemoveStructuredExceptionHandler();

}  // namespace Zr::Platform
