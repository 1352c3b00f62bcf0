// The framework's exception family. Each worksheet entry catches
// CXlRuntimeException and turns it into the cell's value.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "xll/xl_records.h"

class CXlRuntimeException : public std::runtime_error {
public:
    explicit CXlRuntimeException(unsigned messageNumber);
    // Message `messageNumber` with its placeholders filled from `args`.
    CXlRuntimeException(unsigned messageNumber, const std::vector<std::string>& args);
    explicit CXlRuntimeException(const std::u16string& message);
    explicit CXlRuntimeException(const std::string& message);
    explicit CXlRuntimeException(const char* message) : CXlRuntimeException(std::string(message)) {}

    const std::u16string& WideMessage() const { return wide_; }

private:
    CXlRuntimeException(const std::string& narrow, const std::u16string& wide);
    std::u16string wide_;
};

#define ZR_DERIVED_EXCEPTION(Name, Base) \
    class Name : public Base {            \
    public:                               \
        using Base::Base;                 \
    };

ZR_DERIVED_EXCEPTION(CXlConversionException, CXlRuntimeException)
ZR_DERIVED_EXCEPTION(CXlUninitializedOperException, CXlConversionException)
ZR_DERIVED_EXCEPTION(CXlIllegalArgumentException, CXlRuntimeException)
ZR_DERIVED_EXCEPTION(CXlOutOfRangeException, CXlRuntimeException)
ZR_DERIVED_EXCEPTION(CXlBadOperTypeException, CXlRuntimeException)
ZR_DERIVED_EXCEPTION(CXlStringTooLongException, CXlRuntimeException)
#undef ZR_DERIVED_EXCEPTION

// A hardware fault raised inside a worksheet body ("'C' exception 0x...").
class CXlStructuredException : public CXlRuntimeException {
public:
    explicit CXlStructuredException(uint32_t code);
    uint32_t Code() const { return code_; }

private:
    uint32_t code_;
};

// A failed COM call: "{operation} failed with error code 0x...".
class CXlComException : public CXlRuntimeException {
public:
    CXlComException(const std::u16string& operation, int32_t hresult);
    CXlComException(const std::string& operation, int32_t hresult);
    // The same failure reported with a message text of its own.
    CXlComException(const std::u16string& operation, int32_t hresult, const std::u16string& message)
        : CXlRuntimeException(message), operation_(operation), hresult_(hresult) {}
    // A failed step that words its own message, e.g. "Reset() failed with error 5".
    static CXlComException Described(const std::string& message, int32_t hresult);
    const std::u16string& Operation() const { return operation_; }
    int32_t Result() const { return hresult_; }

private:
    std::u16string operation_;
    int32_t hresult_;
};

// Carries an Excel error code that becomes the cell's value.
class CXlErrorException : public CXlRuntimeException {
public:
    explicit CXlErrorException(ExcelErrorCode code);
    ExcelErrorCode Code() const { return code_; }

private:
    ExcelErrorCode code_;
};

namespace Zr::Xll {
// Turns the hardware fault `code` into a thrown CXlStructuredException.
[[noreturn]] void TranslateStructuredException(uint32_t code, void* exceptionPointers);
}  // namespace Zr::Xll
