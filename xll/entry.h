// The call frame shared by every exported worksheet entry: a local result
// value, the structured-exception translator, the body call, the error hook
// for exceptions and the hand-over to Excel through the thread's record.
#pragma once

#include <cstdint>
#include <utility>

#include "exceptions.h"
#include "xl_oper.h"

namespace Zr::Xll {

// The 'A' argument: Excel passes a 16-bit flag, zero for FALSE. A struct of
// one short travels exactly like a short in both calling conventions.
struct XlBool {
    int16_t value;
    explicit operator bool() const { return value != 0; }
};

// Installs the structured-exception translator for the calling thread and
// puts the previous one back when the scope ends.
class ScopedSeTranslator {
public:
    ScopedSeTranslator();
    ~ScopedSeTranslator();
    ScopedSeTranslator(const ScopedSeTranslator&) = delete;
    ScopedSeTranslator& operator=(const ScopedSeTranslator&) = delete;

private:
    void (*previous_)(uint32_t, void*);
};

// Writes the cell value for an exception that reached an entry: the
// application's error hook for the framework's family, an error text or
// #VALUE! for anything else. Never throws.
void StoreEntryException(CXlOper& result, const CXlRuntimeException& e) noexcept;
void StoreCurrentException(CXlOper& result) noexcept;

// Runs `body(result)` inside the frame; the caller hands `result` over.
template <class Body>
void RunBody(CXlOper& result, Body&& body) noexcept {
    try {
        ScopedSeTranslator translator;
        result.SetResult(body(result));
    } catch (const CXlRuntimeException& e) {
        StoreEntryException(result, e);
    } catch (...) {
        StoreCurrentException(result);
    }
}

template <class Body>
XLOPER12* RunEntry12(Body&& body) noexcept {
    CXlOper result;
    RunBody(result, std::forward<Body>(body));
    return result.ReturnXloper12();
}

template <class Body>
XLOPER* RunEntry4(Body&& body) noexcept {
    CXlOper result;
    RunBody(result, std::forward<Body>(body));
    return result.ReturnXloper();
}

// The error boundary of every other export (lifecycle, add-in manager, entry
// points, process entry): `fn()` runs under the structured-exception
// translator, and whatever it throws ends as `failure`.
template <class R, class Fn>
R Guarded(R failure, Fn&& fn) noexcept {
    try {
        ScopedSeTranslator translator;
        return std::forward<Fn>(fn)();
    } catch (...) {
        return failure;
    }
}

template <class Fn>
void Guarded(Fn&& fn) noexcept {
    Guarded(0, [&] {
        std::forward<Fn>(fn)();
        return 0;
    });
}

// #VALUE! records that need no memory: what a record export returns when its
// body failed.
XLOPER12* ValueErrorRecord12() noexcept;
XLOPER* ValueErrorRecord4() noexcept;

// Arguments reach the body as the entry received them; a record argument is
// wrapped in a CXlOper that views it.
template <class T>
T BodyArg(T value) {
    return value;
}
inline CXlOper BodyArg(XLOPER12* record) { return CXlOper(record); }
inline CXlOper BodyArg(XLOPER* record) { return CXlOper(record); }

template <class Body, class... Args>
const CXlOper* InvokeBody(Body body, CXlOper& result, Args... args) {
    return body(result, BodyArg(args)...);
}

}  // namespace Zr::Xll

// Record argument types of the two conventions, spelled Matrix in entry lists.
namespace Zr::Entry12 {
using Matrix = XLOPER12*;
using XlBool = Zr::Xll::XlBool;
}  // namespace Zr::Entry12
namespace Zr::Entry4 {
using Matrix = XLOPER*;
using XlBool = Zr::Xll::XlBool;
}  // namespace Zr::Entry4

#define ZR_ENTRY_ARGS(...) __VA_OPT__(, ) __VA_ARGS__

// Defines the exports Name_12 and Name_4 over the body Zr::Functions::Name.
// Params is the parenthesised parameter list (Matrix for record arguments),
// Args the parenthesised argument names.
#define ZR_WORKSHEET_ENTRIES(Name, Params, Args)                                                   \
    namespace Zr::Entry12 {                                                                         \
    ZR_EXPORT XLOPER12* Name##_12 Params {                                                          \
        return Zr::Xll::RunEntry12([&](CXlOper& result) {                                           \
            return Zr::Xll::InvokeBody(&Zr::Functions::Name, result ZR_ENTRY_ARGS Args);            \
        });                                                                                         \
    }                                                                                               \
    }                                                                                               \
    namespace Zr::Entry4 {                                                                          \
    ZR_EXPORT XLOPER* Name##_4 Params {                                                             \
        return Zr::Xll::RunEntry4([&](CXlOper& result) {                                            \
            return Zr::Xll::InvokeBody(&Zr::Functions::Name, result ZR_ENTRY_ARGS Args);            \
        });                                                                                         \
    }                                                                                               \
    }
