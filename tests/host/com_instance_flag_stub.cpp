// Stand-in for the instance flag of the COM bridge until the framework
// provides it; drop this file when it does.
#if _WIN32
#include "xll/platform_com.h"

namespace Zr::Xll::PlatformCom {
namespace {
bool checked = false;
}
void ClearInstanceChecked() { checked = false; }
void MarkInstanceChecked() { checked = true; }
bool InstanceChecked() { return checked; }
}  // namespace Zr::Xll::PlatformCom
#endif
