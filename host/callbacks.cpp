// The callbacks through which the add-in calls the host, as Excel provides
// them: MdCallBack12 (Excel 2007+) and the Excel 4 callback, which
// host_platform_*.cpp export under their platform's names. They turn records
// into Values, let the host state answer, and write the answer into the
// caller's result record.
#include <cstring>

#include "host/host_state.h"
#include "host/records.h"

namespace Zr::Host {
namespace {

constexpr int kMaxExcel4Arguments = 30;
constexpr int kMaxExcel12Arguments = 255;

Value Read(const XLOPER12& r) { return ReadRecord12(r); }
Value Read(const XLOPER& r) { return ReadRecord4(r); }
bool Write(const Reply& reply, XLOPER12& r, RecordAllocator& a) {
    return WriteRecord12(reply.value, r, a, reply.integer);
}
bool Write(const Reply& reply, XLOPER& r, RecordAllocator& a) { return WriteRecord4(reply.value, r, a, reply.integer); }

// xlFree: releases what the host put into each record and zeroes it. A
// record the host never filled is left alone and counted.
template <class Record>
void FreeRecords(HostState& state, int count, Record** args) {
    for (int i = 0; i < count; ++i) {
        const void* memory = MemoryOf(*args[i]);
        if (!memory) continue;
        if (state.ReleaseHandedOut(memory)) {
            std::memset(args[i], 0, sizeof(Record));
        } else {
            std::lock_guard lock(state.mutex);
            ++state.foreignFrees;
        }
    }
}

// A result that holds memory carries xlbitXLFree: the add-in must give it
// back with xlFree.
template <class Record>
int Deliver(HostState& state, const Reply& reply, Record* result) {
    if (!result) return xlretSuccess;
    HeapAllocator heap;
    if (!Write(reply, *result, heap)) return xlretFailed;  // e.g. an array beyond the XLOPER grid
    if (MemoryOf(*result)) {
        state.TrackHandedOut(*result);
        result->xltype |= xlbitXLFree;
    }
    return xlretSuccess;
}

template <class Record>
int Handle(int function, int count, Record** args, Record* result, bool excel12) {
    CallSide host(false);
    HostState* state = ActiveHostState();
    if (!state) return xlretFailed;
    if (count < 0 || count > (excel12 ? kMaxExcel12Arguments : kMaxExcel4Arguments)) return xlretInvCount;
    std::vector<Value> values;
    for (int i = 0; i < count; ++i) {
        if (!args || !args[i]) return xlretInvXloper;
        values.push_back(Read(*args[i]));
    }
    int code = xlretSuccess;
    if ((function & ~xlIntl) == xlFree) {
        FreeRecords(*state, count, args);
    } else {
        const Reply reply = state->Answer(function, values, excel12);
        code = reply.code == xlretSuccess ? Deliver(*state, reply, result) : reply.code;
    }
    state->Log(function, std::move(values), code, excel12);
    return code;
}

int Excel12Entry(int function, int count, XLOPER12** args, XLOPER12* result) {
    const HostState* state = ActiveHostState();
    if (state && state->mode == Mode::Legacy) return xlretFailed;  // Excel 2003 has no such callback
    return Handle(function, count, args, result, true);
}

}  // namespace

int Excel4Callback(int function, XLOPER* result, int count, XLOPER** args) {
    return Handle(function, count, args, result, false);
}

int HostMessageBoxW(void*, const char16_t* text, const char16_t* caption, unsigned style) {
    CallSide host(false);
    HostState* state = ActiveHostState();
    return state ? state->Ask(text, caption, style) : kAnswerNo;
}

}  // namespace Zr::Host

ZR_EXPORT int MdCallBack12(int xlfn, int count, XLOPER12** args, XLOPER12* result) {
    return Zr::Host::Excel12Entry(xlfn, count, args, result);
}
