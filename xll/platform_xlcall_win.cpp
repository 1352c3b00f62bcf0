// Windows side of FindExcel4v (natively in platform_posix.cpp). It is built
// into the framework, beside its link to XLCALL32.DLL, and not into
// zr_platform: the host and XLCALL32.DLL itself use the rest of the layer but
// must not import XLCALL32.DLL.
#include "xll/platform.h"

extern "C" __declspec(dllimport) int Excel4v(int xlfn, XLOPER* result, int count, XLOPER** args);

namespace Zr::Platform {

Excel4vProc FindExcel4v() { return &Excel4v; }

}  // namespace Zr::Platform
