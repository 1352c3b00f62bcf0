// The call frame shared by every exported worksheet entry: a local result
// value, the structured-exception translator, the body call, the error hook
// for exceptions and the hand-over to Excel through the thread's record.
#pragma once

#include <cstdint>
#include <utility>

#include "xll/exceptions.h"
#include "xll/xl_oper.h"

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

// #VALUE! records that need no memory: what a record export returns when its
// body failed.
XLOPER12* ValueErrorRecord12() noexcept;
XLOPER* ValueErrorRecord4() noexcept;

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

// Without memory even for the result record, the cell shows #VALUE!.
template <class Body>
XLOPER12* RunEntry12(Body&& body) noexcept {
    try {
        CXlOper result;
        RunBody(result, std::forward<Body>(body));
        return result.ReturnXloper12();
    } catch (...) {
        return ValueErrorRecord12();
    }
}

template <class Body>
XLOPER* RunEntry4(Body&& body) noexcept {
    try {
        CXlOper result;
        RunBody(result, std::forward<Body>(body));
        return result.ReturnXloper();
    } catch (...) {
        return ValueErrorRecord4();
    }
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

// Arguments reach the body as the entry received them; a record argument is
// wrapped in a CXlOper that views it.
template <class T>
T BodyArg(T value) {
    return value;
}
inline CXlOper BodyArg(XLOPER12* record) { return CXlOper(record); }
inline CXlOper BodyArg(XLOPER* record) { return CXlOper(record); }

}  // namespace Zr::Xll
