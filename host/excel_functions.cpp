// Excel's side of the functions an add-in calls back: what each answers.
#include <algorithm>
#include <array>

#include "host/coercion.h"
#include "host/host_platform.h"
#include "host/host_state.h"
#include "host/type_text.h"

namespace Zr::Host {
namespace {

// Excel's main window as this host reports it (through Excel4 only the low
// 16 bits fit, as in Excel).
constexpr int32_t kMainWindow = 0x00012345;

constexpr double kWorkspaceVersion = 2;
constexpr double kWorkspaceInternational = 37;

struct ArgumentCount {
    int function;
    size_t least;
    size_t most;
};

constexpr std::array<ArgumentCount, 13> kArgumentCounts = {{
    {xlCoerce, 1, 2},
    {xlGetHwnd, 0, 0},
    {xlGetName, 0, 0},
    {xlfGetWorkspace, 1, 1},
    {xlfRegister, 1, 255},
    {xlfUnregister, 1, 1},
    {xlfSetName, 1, 2},
    {xlcAlert, 1, 3},
    {xlcEcho, 0, 1},
    {xlcNew, 0, 2},
    {xlcFileClose, 0, 2},
    {xlcRun, 0, 2},
    {xlfRtd, 2, 255},
}};

// nullopt for a function this host does not know.
std::optional<bool> CountFits(int function, size_t count) {
    for (const ArgumentCount& c : kArgumentCounts)
        if (c.function == function) return count >= c.least && count <= c.most;
    return std::nullopt;
}

// GET.WORKSPACE(37) as this host lays it out: 0 country code, 1 country
// setting, 2 decimal separator, 3 thousands separator, 4 list separator,
// 5 array row separator, 6 and 7 the R1C1 row and column letters, 8 and 9
// their lower-case forms, 10 and 11 the brackets of relative references.
Value InternationalSettings() {
    std::vector<Value> e = {Value::Number(1), Value::Number(1)};
    for (const char16_t* text : {u".", u",", u",", u";", u"R", u"C", u"r", u"c", u"[", u"]"})
        e.push_back(Value::Text(text));
    const int count = int(e.size());
    return Value::Array(1, count, std::move(e));
}

Reply Success(Value value) { return Reply{xlretSuccess, std::move(value), false}; }
Reply Failure(int code) { return Reply{code, Value::Nil(), false}; }

}  // namespace

Reply HostState::Answer(int function, const std::vector<Value>& args, bool throughExcel12) {
    const int base = function & ~xlIntl;  // Excel answers the international form alike
    const std::optional<bool> fits = CountFits(base, args.size());
    if (!fits) return Failure(xlretInvXlfn);
    if (!*fits) return Failure(xlretInvCount);
    {
        std::lock_guard lock(mutex);
        if (std::find(failedFunctions.begin(), failedFunctions.end(), base) != failedFunctions.end())
            return Failure(xlretFailed);
    }
    switch (base) {
    case xlCoerce: return Coerce(args, !throughExcel12);
    case xlGetHwnd: return MainWindowHandle();
    case xlGetName: return Success(Value::TextUtf8(path));
    case xlfGetWorkspace: return Workspace(args);
    case xlfRegister: return Register(args, !throughExcel12);
    case xlfUnregister: return Unregister(args);
    case xlfSetName: return SetName(args);
    case xlcAlert: return AlertBox(args);
    case xlcEcho: return Success(Value::Bool(true));
    case xlcNew:
    case xlcFileClose: return Workbooks(base);
    case xlcRun: return Success(Value::Bool(true));  // the macro runs elsewhere; the call log shows it
    case xlfRtd: {
        std::lock_guard lock(mutex);
        return Success(realTimeData);
    }
    default: return Failure(xlretInvXlfn);
    }
}

// A value no requested type can hold fails the call (xlretFailed) rather
// than answering #VALUE!, so the add-in sees plainly that it has no result.
Reply HostState::Coerce(const std::vector<Value>& args, bool narrow) {
    uint32_t mask = 0;
    if (args.size() > 1 && args[1].Is(ValueKind::Number)) mask = static_cast<uint32_t>(args[1].number);
    const std::optional<Coercion> c = CoerceToTypes(args[0], mask, narrow);
    if (!c) return Failure(xlretFailed);
    return Reply{xlretSuccess, c->value, c->integer};
}

// The main window the host shows, else a made-up handle.
Reply HostState::MainWindowHandle() {
    std::lock_guard lock(mutex);
    const double handle = mainWindow ? HostPlatform::WindowHandleValue(mainWindow) : kMainWindow;
    return Reply{xlretSuccess, Value::Number(handle), true};
}

Reply HostState::Workspace(const std::vector<Value>& args) {
    const Value& which = args[0];
    if (which.Is(ValueKind::Number) && which.number == kWorkspaceVersion)
        return Success(Value::Text(mode == Mode::Excel12 ? u"16.0" : u"11.0"));
    if (which.Is(ValueKind::Number) && which.number == kWorkspaceInternational)
        return Success(InternationalSettings());
    return Success(Value::Error(xlerrValue));
}

Reply HostState::Register(const std::vector<Value>& args, bool throughExcel4) {
    std::string refusal = RegistrationRefusal(args);
    std::lock_guard lock(mutex);
    if (refusal.empty() && args.size() > 3) {
        for (const std::u16string& name : refusedNames)
            if (SameName(name, args[3].text)) refusal = "refused on request";
    }
    return Success(registrations.Add(args, throughExcel4, std::move(refusal)));
}

// Why Excel would not register: the module is not the loaded add-in, it has
// no such export, or the type text is not one this Excel knows.
std::string HostState::RegistrationRefusal(const std::vector<Value>& args) {
    if (!args[0].Is(ValueKind::Text) || !SameName(args[0].text, FromUtf8(path)))
        return "the module is not the loaded add-in";
    if (args.size() < 3 || !args[1].Is(ValueKind::Text) || !args[2].Is(ValueKind::Text))
        return "the procedure or type text is missing";
    if (!FindExport(ToUtf8(args[1].text))) return "the add-in has no export " + ToUtf8(args[1].text);
    const std::optional<Signature> signature = ParseTypeText(ToUtf8(args[2].text));
    if (!signature) return "unknown type text " + ToUtf8(args[2].text);
    if (signature->needsExcel12 && mode == Mode::Legacy) return "type text needs Excel 2007";
    return {};
}

Reply HostState::Unregister(const std::vector<Value>& args) {
    if (!args[0].Is(ValueKind::Number)) return Success(Value::Bool(false));
    std::lock_guard lock(mutex);
    return Success(Value::Bool(registrations.Unregister(args[0].number)));
}

// A name alone deletes the name; with a value it would define it, which
// nothing here needs beyond saying yes.
Reply HostState::SetName(const std::vector<Value>& args) {
    if (!args[0].Is(ValueKind::Text)) return Success(Value::Error(xlerrValue));
    if (args.size() == 1 || args[1].Is(ValueKind::Missing)) {
        std::lock_guard lock(mutex);
        registrations.DeleteName(args[0].text);
    }
    return Success(Value::Bool(true));
}

// xlcNew opens a workbook that xlcFileClose closes again; closing with none
// open fails, as FILE.CLOSE does without an active workbook.
Reply HostState::Workbooks(int function) {
    std::lock_guard lock(mutex);
    if (function == xlcNew) {
        ++workbooks;
        return Success(Value::Bool(true));
    }
    if (workbooks == 0) return Failure(xlretFailed);
    --workbooks;
    return Success(Value::Bool(true));
}

Reply HostState::AlertBox(const std::vector<Value>& args) {
    Alert alert;
    alert.text = args[0].Is(ValueKind::Text) ? args[0].text : FromUtf8(FormatValue(args[0]));
    if (args.size() > 1 && args[1].Is(ValueKind::Number)) alert.type = int(args[1].number);
    std::lock_guard lock(mutex);
    alerts.push_back(std::move(alert));
    return Success(Value::Bool(true));
}

}  // namespace Zr::Host
