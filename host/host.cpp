#include "host/host.h"

#include <filesystem>

#include "host/argument_frame.h"
#include "host/host_state.h"
#include "host/host_platform.h"

ZR_EXPORT int MdCallBack12(int xlfn, int count, XLOPER12** args, XLOPER12* result);

namespace Zr::Host {
namespace {

// Paths are UTF-8 on every platform (std::string paths would be ANSI on Windows).
std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(std::u8string(path.begin(), path.end()), error);
    if (error) return path;
    const std::u8string text = absolute.make_preferred().u8string();
    return std::string(text.begin(), text.end());
}

// Excel shows #NUM! for a function that returns no record.
Value NoRecord() { return Value::Error(xlerrNum); }

Value ReadResult(const XLOPER12& r) { return ReadRecord12(r); }
Value ReadResult(const XLOPER& r) { return ReadRecord4(r); }
const char* AutoFreeName(const XLOPER12*) { return "xlAutoFree12"; }
const char* AutoFreeName(const XLOPER*) { return "xlAutoFree"; }

// Copies the returned record, then gives it back as Excel does: add-in
// memory through the add-in's xlAutoFree12/xlAutoFree, host memory (a record
// the host handed out and the add-in returned) to the host itself.
template <class Record>
void TakeResult(HostState& state, uint64_t address, CallOutcome& out) {
    Record* record = reinterpret_cast<Record*>(static_cast<uintptr_t>(address));
    if (!record) {
        out.value = NoRecord();
        return;
    }
    out.resultType = record->xltype;
    out.value = ReadResult(*record);
    if (record->xltype & xlbitDLLFree) {
        if (auto* autoFree = reinterpret_cast<void (*)(Record*)>(state.FindExport(AutoFreeName(record)))) {
            ++state.autoFreeCalls;
            autoFree(record);
        }
    } else if (record->xltype & xlbitXLFree) {
        state.ReleaseHandedOut(MemoryOf(*record));
    }
}

Value ReadScalarResult(ResultType type, const void* function, std::span<const RawArgument> raw) {
    if (type == ResultType::Double) return Value::Number(CallForDouble(function, raw));
    const uint64_t result = CallForInteger(function, raw);
    switch (type) {
    case ResultType::Int32: return Value::Number(static_cast<int32_t>(result));
    case ResultType::Int16: return Value::Number(static_cast<int16_t>(result));
    default: return Value::Bool(static_cast<int16_t>(result) != 0);
    }
}

// What the Function Arguments dialog shows for the arguments typed so far:
// the formula's value, or nothing while it does not parse.
std::u16string PreviewFormula(void* context, const std::vector<std::u16string>& arguments) {
    auto* host = static_cast<Host*>(context);
    size_t count = arguments.size();
    while (count > 0 && arguments[count - 1].empty()) --count;
    std::u16string formula = host->WizardFunction() + u"(";
    for (size_t i = 0; i < count; ++i) formula += (i ? u"," : u"") + arguments[i];
    try {
        return FromUtf8(FormatValue(host->Evaluate(ToUtf8(formula + u")"))));
    } catch (const FormulaError&) {
        return {};
    }
}

template <class T>
T Locked(const HostState& state, const T& member) {
    std::lock_guard lock(state.mutex);
    return member;
}

}  // namespace

Host::Host() : state_(std::make_unique<HostState>()) {}

Host::~Host() { Unload(); }

bool Host::Load(const std::string& addinPath, Mode mode, std::string& error) {
    Unload();
    if (!ClaimActiveHost(state_.get())) {
        error = "another host has an add-in loaded in this process";
        return false;
    }
    state_->ResetSession();
    state_->mode = mode;
    state_->path = AbsolutePath(addinPath);
    // The host answers callbacks from the moment the library's initialisers run.
    void* library = HostPlatform::LoadLibraryFile(state_->path, error);
    if (!library) {
        ReleaseActiveHost(state_.get());
        return false;
    }
    {
        std::lock_guard lock(state_->mutex);
        state_->library = library;
    }
    HostPlatform::ConnectAddin(library);
    using SetEntryPoint = void (*)(void*);
    if (mode == Mode::Excel12)  // Excel 2003 knows no such entry
        if (auto* set = reinterpret_cast<SetEntryPoint>(state_->FindExport("SetExcel12EntryPt")))
            set(reinterpret_cast<void*>(&MdCallBack12));
    return true;
}

void Host::Unload() {
    CloseWindows();
    void* library = nullptr;
    {
        std::lock_guard lock(state_->mutex);
        std::swap(library, state_->library);
        state_->exports.clear();
    }
    if (library) HostPlatform::FreeLibraryFile(library);
    ReleaseActiveHost(state_.get());
}

bool Host::Loaded() const { return Locked(*state_, state_->library) != nullptr; }
Mode Host::GetMode() const { return state_->mode; }
std::string Host::AddinPath() const { return state_->path; }

int Host::AutoOpen() { return CallLifecycle("xlAutoOpen"); }
int Host::AutoClose() { return CallLifecycle("xlAutoClose"); }
int Host::AutoRemove() { return CallLifecycle("xlAutoRemove"); }
int Host::AutoAdd() { return CallLifecycle("xlAutoAdd"); }

int Host::CallLifecycle(const char* exportName) {
    auto* function = reinterpret_cast<int (*)()>(state_->FindExport(exportName));
    return function ? function() : 0;
}

Value Host::CallExport(const std::string& exportName, const std::string& typeText, const std::vector<Value>& args) {
    return CallExportDetailed(exportName, typeText, args).value;
}

CallOutcome Host::CallExportDetailed(const std::string& exportName, const std::string& typeText,
                                     const std::vector<Value>& args) {
    CallOutcome out;
    const std::optional<Signature> signature = ParseTypeText(typeText);
    if (!signature || args.size() > signature->arguments.size() ||
        signature->arguments.size() > kMaxCallArguments) {
        out.value = Value::Error(xlerrValue);
        return out;
    }
    const void* function = state_->FindExport(exportName);
    if (!function) {
        out.value = Value::Error(xlerrName);
        return out;
    }
    ArgumentFrame frame;
    for (size_t i = 0; i < signature->arguments.size(); ++i) {
        if (!frame.Add(signature->arguments[i], i < args.size() ? args[i] : Value::Missing())) {
            out.value = frame.Failure();
            return out;
        }
    }
    out.called = true;
    auto call = [&] {
        CallSide addin(true);
        return CallForInteger(function, frame.Raw());
    };
    if (signature->result == ResultType::Record12) {
        TakeResult<XLOPER12>(*state_, call(), out);
    } else if (signature->result == ResultType::Record4) {
        TakeResult<XLOPER>(*state_, call(), out);
    } else {
        CallSide addin(true);
        out.value = ReadScalarResult(signature->result, function, frame.Raw());
    }
    return out;
}

Value Host::Call(const std::u16string& functionName, const std::vector<Value>& args) {
    std::string procedure, typeText;
    {
        std::lock_guard lock(state_->mutex);
        const Registration* r = state_->registrations.FindActive(functionName);
        if (!r) return Value::Error(xlerrName);
        procedure = ToUtf8(r->Procedure());
        typeText = ToUtf8(r->TypeText());
    }
    return CallExport(procedure, typeText, args);
}

Value Host::Evaluate(const std::string& formula) {
    const Formula parsed = ParseFormula(formula);
    return Call(parsed.function, parsed.arguments);
}

void Host::RefuseRegistration(std::u16string functionName) {
    std::lock_guard lock(state_->mutex);
    state_->refusedNames.push_back(std::move(functionName));
}

void Host::FailFunction(int function) {
    std::lock_guard lock(state_->mutex);
    state_->failedFunctions.push_back(function);
}

void Host::SetRealTimeData(Value value) {
    std::lock_guard lock(state_->mutex);
    state_->realTimeData = std::move(value);
}

Value Host::RaiseApplicationEvent(int number, const std::vector<Value>& values) {
    std::u16string name;
    for (const Registration& r : ActiveFunctions())
        if (r.Procedure() == u"CXlApp_ObserverEventHandler") name = r.FunctionName();
    if (name.empty()) return Value::Error(xlerrName);
    std::vector<Value> args = {Value::Number(number)};
    args.insert(args.end(), values.begin(), values.end());
    return Call(name, args);
}

int Host::OpenWorkbooks() const { return Locked(*state_, state_->workbooks); }

void Host::SetQuestionAnswer(int answer) {
    std::lock_guard lock(state_->mutex);
    state_->answer = answer;
}

std::vector<Registration> Host::Registrations() const { return Locked(*state_, state_->registrations.All()); }

std::vector<Registration> Host::ActiveFunctions() const {
    std::lock_guard lock(state_->mutex);
    return state_->registrations.Active();
}

std::vector<Alert> Host::Alerts() const { return Locked(*state_, state_->alerts); }
std::vector<Question> Host::Questions() const { return Locked(*state_, state_->questions); }
std::vector<CallbackCall> Host::CallLog() const { return Locked(*state_, state_->log); }

void Host::ClearCallLog() {
    std::lock_guard lock(state_->mutex);
    state_->log.clear();
}

size_t Host::OutstandingAllocations() const {
    std::lock_guard lock(state_->mutex);
    return state_->handedOut.size();
}

void* Host::OpenMainWindow() {
    void* window = HostPlatform::CreateTopWindow("XLMAIN", u"Microsoft Excel", nullptr);
    std::lock_guard lock(state_->mutex);
    if (window) state_->windows.push_back(window);
    if (!state_->mainWindow) state_->mainWindow = window;
    return window;
}

void* Host::OpenWindow(const std::string& className, const std::u16string& title, void* owner) {
    void* window = HostPlatform::CreateTopWindow(className, title, owner);
    std::lock_guard lock(state_->mutex);
    if (window) state_->windows.push_back(window);
    return window;
}

void* Host::OpenFunctionArguments(const std::u16string& functionName) {
    size_t count = 0;
    void* owner = nullptr;
    {
        std::lock_guard lock(state_->mutex);
        const Registration* r = state_->registrations.FindActive(functionName);
        if (!r || !state_->mainWindow) return nullptr;
        count = r->ArgumentNames().size();
        owner = state_->mainWindow;
        state_->wizardFunction = r->FunctionName();
    }
    void* window = HostPlatform::CreateFunctionArguments(owner, count, PreviewFormula, this);
    std::lock_guard lock(state_->mutex);
    if (window) state_->windows.push_back(window);
    return window;
}

std::u16string Host::WizardFunction() const { return Locked(*state_, state_->wizardFunction); }

void Host::CloseWindow(void* window) {
    {
        std::lock_guard lock(state_->mutex);
        std::erase(state_->windows, window);
        if (state_->mainWindow == window) state_->mainWindow = nullptr;
    }
    HostPlatform::DestroyTopWindow(window);
}

void Host::CloseWindows() {
    std::vector<void*> windows;
    {
        std::lock_guard lock(state_->mutex);
        std::swap(windows, state_->windows);
        state_->mainWindow = nullptr;
    }
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) HostPlatform::DestroyTopWindow(*it);
}

size_t Host::ForeignFrees() const { return Locked(*state_, state_->foreignFrees); }
size_t Host::AutoFreeCalls() const { return state_->autoFreeCalls; }

}  // namespace Zr::Host
