// Native side of the bridge to Excel's object model: there is no COM here,
// so the bridge reports itself unavailable and is never connected.
#include "xll/exceptions.h"
#include "xll/platform_com.h"

namespace Zr::Xll::PlatformCom {

namespace {
constexpr int32_t kNotImplemented = int32_t(0x80004001);  // E_NOTIMPL
}

bool Available() { return false; }

void Connect(const std::u16string&) { throw CXlComException(std::string("Connect"), kNotImplemented); }

std::u16string AssignHandler(const std::u16string&, const std::u16string&) {
    throw CXlComException(std::string("AssignHandler"), kNotImplemented);
}

void Disconnect() {}

}  // namespace Zr::Xll::PlatformCom
