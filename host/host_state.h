// The state behind a Host, shared by the Host's methods and the C callbacks
// that the add-in calls (possibly on many threads at once).
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/host.h"

namespace Zr::Host {

// The host's answer to one callback: a return code and, on success, a result
// (written as xltypeInt when `integer` is set).
struct Reply {
    int code = xlretSuccess;
    Value value;
    bool integer = false;
};

class HostState {
public:
    ~HostState();

    // Guards everything below but mode and path, which change only while no
    // add-in is loaded.
    mutable std::mutex mutex;

    Mode mode = Mode::Excel12;
    std::string path;
    void* library = nullptr;

    std::unordered_map<std::string, void*> exports;  // cache of FindSymbol
    RegistrationBook registrations;
    std::vector<std::u16string> refusedNames;
    std::vector<Alert> alerts;
    std::vector<Question> questions;
    int answer = kAnswerNo;
    std::vector<CallbackCall> log;
    // Result records handed to the add-in that hold memory, by their block,
    // until xlFree; what is left is freed with the state.
    struct HandedOut {
        XLOPER12 record12{};
        XLOPER record4{};
        bool excel12 = true;
    };
    std::unordered_map<const void*, HandedOut> handedOut;
    size_t foreignFrees = 0;
    void* mainWindow = nullptr;        // the one xlGetHwnd answers
    std::vector<void*> windows;        // opened by the host, in order
    std::u16string wizardFunction;     // what the Function Arguments dialog edits
    std::atomic<size_t> autoFreeCalls = 0;
    std::vector<int> failedFunctions;  // answered with xlretFailed
    int workbooks = 0;                 // opened with xlcNew, not yet closed
    Value realTimeData = Value::Error(xlerrNA);  // what xlfRtd answers

    void* FindExport(const std::string& name);
    void ResetSession();

    // excel_functions.cpp: what Excel answers to function number `function`.
    Reply Answer(int function, const std::vector<Value>& args, bool throughExcel12);

    // callbacks.cpp: results handed out and freed.
    void TrackHandedOut(const XLOPER12& record);
    void TrackHandedOut(const XLOPER& record);
    // Frees the result record whose block is `memory`; false when the host
    // never handed it out (or it was freed before).
    bool ReleaseHandedOut(const void* memory);
    void FreeAllHandedOut();
    void Log(int function, std::vector<Value> args, int returnCode, bool throughExcel12);
    int Ask(const char16_t* text, const char16_t* caption, unsigned style);

private:
    Reply Coerce(const std::vector<Value>& args, bool narrow);
    Reply MainWindowHandle();
    Reply Workspace(const std::vector<Value>& args);
    Reply Register(const std::vector<Value>& args, bool throughExcel4);
    std::string RegistrationRefusal(const std::vector<Value>& args);
    Reply Unregister(const std::vector<Value>& args);
    Reply SetName(const std::vector<Value>& args);
    Reply AlertBox(const std::vector<Value>& args);
    Reply Workbooks(int function);
};

// callbacks.cpp: the Excel 4 callback, which each platform exports under the
// name its add-ins look for (host_platform_*.cpp).
int Excel4Callback(int function, XLOPER* result, int count, XLOPER** args);

// The loaded host, or null.
HostState* ActiveHostState();

// Marks the calling thread as running the add-in's code (true) or the host's
// (false) for its lifetime; see RunningAddinCode.
class CallSide {
public:
    explicit CallSide(bool addin);
    ~CallSide();
    CallSide(const CallSide&) = delete;
    CallSide& operator=(const CallSide&) = delete;

private:
    bool previous_;
};
// Makes `state` the loaded host; false when another one is.
bool ClaimActiveHost(HostState* state);
void ReleaseActiveHost(HostState* state);

}  // namespace Zr::Host
