#include "host/host_state.h"

#include "host/records.h"
#include "host/host_platform.h"

namespace Zr::Host {
namespace {

std::atomic<HostState*> g_active = nullptr;
thread_local bool t_addinSide = false;

void Free(HostState::HandedOut& record) {
    if (record.excel12)
        FreeRecord12(record.record12);
    else
        FreeRecord4(record.record4);
}

}  // namespace

HostState* ActiveHostState() { return g_active.load(); }

bool RunningAddinCode() { return t_addinSide; }
CallSide::CallSide(bool addin) : previous_(t_addinSide) { t_addinSide = addin; }
CallSide::~CallSide() { t_addinSide = previous_; }

bool ClaimActiveHost(HostState* state) {
    HostState* expected = nullptr;
    return g_active.compare_exchange_strong(expected, state) || expected == state;
}

void ReleaseActiveHost(HostState* state) {
    HostState* expected = state;
    g_active.compare_exchange_strong(expected, nullptr);
}

void* HostState::FindExport(const std::string& name) {
    std::lock_guard lock(mutex);
    if (!library) return nullptr;
    auto [it, inserted] = exports.try_emplace(name, nullptr);
    if (inserted) it->second = HostPlatform::FindSymbol(library, name.c_str());
    return it->second;
}

void HostState::ResetSession() {
    FreeAllHandedOut();
    std::lock_guard lock(mutex);
    exports.clear();
    registrations.Clear();
    alerts.clear();
    questions.clear();
    log.clear();
    foreignFrees = 0;
    workbooks = 0;
    failedFunctions.clear();
    realTimeData = Value::Error(xlerrNA);
    autoFreeCalls = 0;
}

void HostState::TrackHandedOut(const XLOPER12& record) {
    std::lock_guard lock(mutex);
    handedOut[MemoryOf(record)] = HandedOut{record, XLOPER{}, true};
}

void HostState::TrackHandedOut(const XLOPER& record) {
    std::lock_guard lock(mutex);
    handedOut[MemoryOf(record)] = HandedOut{XLOPER12{}, record, false};
}

bool HostState::ReleaseHandedOut(const void* memory) {
    HandedOut record;
    {
        std::lock_guard lock(mutex);
        const auto it = handedOut.find(memory);
        if (it == handedOut.end()) return false;
        record = it->second;
        handedOut.erase(it);
    }
    Free(record);  // the host's own copy decides what to free, whatever the add-in did to its record
    return true;
}

void HostState::FreeAllHandedOut() {
    std::unordered_map<const void*, HandedOut> records;
    {
        std::lock_guard lock(mutex);
        records.swap(handedOut);
    }
    for (auto& entry : records) Free(entry.second);
}

HostState::~HostState() { FreeAllHandedOut(); }

void HostState::Log(int function, std::vector<Value> args, int returnCode, bool throughExcel12) {
    std::lock_guard lock(mutex);
    log.push_back(CallbackCall{function, std::move(args), returnCode, throughExcel12});
}

int HostState::Ask(const char16_t* text, const char16_t* caption, unsigned style) {
    std::lock_guard lock(mutex);
    questions.push_back(Question{text ? text : u"", caption ? caption : u"", style, answer});
    return answer;
}

}  // namespace Zr::Host
