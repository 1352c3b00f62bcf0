// The host's side of the operating system: loading the add-in, connecting it
// to the host's entries that Excel provides under platform-specific names,
// and the command line. host_platform_win.cpp and host_platform_posix.cpp are
// its two sides (CMake builds one); what the add-in needs as well (the ANSI
// code page, the main program's exports) is in xll/platform.h.
#pragma once

#include <string>

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

}  // namespace Zr::HostPlatform
