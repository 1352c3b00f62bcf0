#include "xll/exceptions.h"

#include "xll/messages.h"
#include "xll/platform.h"
#include "xll/string_format.h"

namespace {

std::string Narrow(const std::u16string& wide) { return Zr::Platform::WideToAnsi(wide.data(), wide.size()); }
std::u16string Wide(const std::string& narrow) { return Zr::Platform::AnsiToWide(narrow.data(), narrow.size()); }

std::string LoadNarrow(unsigned n) {
    std::string text;
    return Zr::Xll::LoadMessage(n, text) ? text : "Unknown error";
}

std::u16string LoadWide(unsigned n) {
    std::u16string text;
    return Zr::Xll::LoadMessage(n, text) ? text : u"Unknown error";
}

}  // namespace

CXlRuntimeException::CXlRuntimeException(const std::string& narrow, const std::u16string& wide)
    : std::runtime_error(narrow), wide_(wide) {}

CXlRuntimeException::CXlRuntimeException(unsigned messageNumber)
    : CXlRuntimeException(LoadNarrow(messageNumber), LoadWide(messageNumber)) {}

CXlRuntimeException::CXlRuntimeException(unsigned messageNumber, const std::vector<std::string>& args)
    : CXlRuntimeException(Zr::Xll::FormatMessageA(messageNumber, args)) {}

CXlRuntimeException::CXlRuntimeException(const std::u16string& message)
    : CXlRuntimeException(Narrow(message), message) {}

CXlRuntimeException::CXlRuntimeException(const std::string& message)
    : CXlRuntimeException(message, Wide(message)) {}

CXlStructuredException::CXlStructuredException(uint32_t code)
    : CXlRuntimeException(Zr::Xll::MSG_C_EXCEPTION, {psl::HexText(code)}), code_(code) {}

CXlComException::CXlComException(const std::u16string& operation, int32_t hresult)
    : CXlRuntimeException(Zr::Xll::FormatMessageW(Zr::Xll::MSG_COM_FAILED,
                                                  {operation, Wide(psl::HexText(uint32_t(hresult)))})),
      operation_(operation),
      hresult_(hresult) {}

CXlComException::CXlComException(const std::string& operation, int32_t hresult)
    : CXlComException(Wide(operation), hresult) {}

CXlComException CXlComException::Described(const std::string& message, int32_t hresult) {
    return CXlComException(Wide(message), hresult, Wide(message));
}

CXlErrorException::CXlErrorException(ExcelErrorCode code)
    : CXlRuntimeException(Zr::Xll::MSG_THREW_EXCEL_ERROR, {psl::DecimalText(code)}), code_(code) {}

namespace Zr::Xll {
void TranslateStructuredException(uint32_t code, void*) { throw CXlStructuredException(code); }
}  // namespace Zr::Xll
