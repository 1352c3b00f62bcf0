#include "xll/xll_app.h"

#include <algorithm>
#include <cctype>

#include "xll/array_blocks.h"
#include "xll/excel_bridge.h"
#include "xll/messages.h"
#include "xll/platform.h"
#include "xll/string_format.h"

using namespace Zr::Xll;

namespace {

CXllApp* g_app = nullptr;

constexpr uint16_t kFirstHelpContext = 1001;
constexpr unsigned kYesNoExclamation = 52;
constexpr int kAnswerYes = 6;

std::u16string Wide(const std::string& s) { return Zr::Platform::AnsiToWide(s.data(), s.size()); }

std::string TextOf(const CXlOper& value) {
    if (!value.IsString()) return {};
    if (value.ModernValid()) {
        const XCHAR* s = value.Modern()->val.str;
        return s ? Zr::Platform::WideToAnsi(s + 1, s[0]) : std::string();
    }
    const char* s = value.Legacy()->val.str;
    return s ? std::string(s + 1, uint8_t(s[0])) : std::string();
}

// A view of element i of an array that Excel returned.
CXlOper ElementOf(const CXlOper& array, int i) {
    if (array.ModernValid()) return CXlOper(&array.Modern()->val.array.lparray[i]);
    return CXlOper(&array.Legacy()->val.array.lparray[i]);
}

int IntOf(const CXlOper& value) {
    if (value.Type() != xltypeInt) return 0;
    return value.ModernValid() ? value.Modern()->val.w : value.Legacy()->val.w;
}

// xlCoerce of `value` to an integer through the legacy entry; 0 on failure.
int CoerceToInt(const CXlOper& value) {
    CXlOper type(XlSide::Legacy), result;
    type.SetInt(xltypeInt);
    if (CallExcel(xlCoerce, &result, {&value, &type}, BridgeMode::Legacy) != 0) return 0;
    return IntOf(result);
}

}  // namespace

namespace Zr::Xll {
CXllApp* App() { return g_app; }
}  // namespace Zr::Xll

CXllApp::CXllApp() { g_app = this; }

CXllApp::~CXllApp() {
    if (g_app == this) g_app = nullptr;
}

int CXllApp::ProcessAttach(void*) {
    moduleFileName_ = Zr::Platform::ModuleFileName();
    return 1;
}

void CXllApp::ProcessDetach() {
    for (auto& r : registrations_) r.MarkUnregistered();
    registrations_.clear();
    hiddenCommandsAdded_ = false;
    open_ = false;
}

void CXllApp::BuildRegistrations() {
    registrations_.clear();
    for (const XlFunctionRecord* r = FunctionRecords(); r; r = r->next) registrations_.emplace_back(*r);
}

bool CXllApp::FetchModulePath(CXlOper& path) { return CallExcel(xlGetName, &path) == 0; }

std::u16string CXllApp::LongName() const { return Wide(name_); }

std::string CXllApp::ModulePath() const { return modulePath_; }

void CXllApp::OnError(CXlOper& result, const CXlRuntimeException& e) {
    if (auto* error = dynamic_cast<const CXlErrorException*>(&e)) {
        result.SetError(error->Code());
    } else if (IsExcel12()) {
        result.SetString(FormatMessageW(MSG_ERROR_TEXT, {e.WideMessage()}));
    } else {
        result.SetString(FormatMessageA(MSG_ERROR_TEXT, {e.what()}));
    }
}

bool CXllApp::ContinueAfterRegistrationFailures() {
    std::u16string failed;
    for (const auto& r : registrations_)
        if (!r.IsRegistered()) failed += r.Name() + u"\n";
    if (failed.empty()) return true;
    const std::u16string text = FormatMessageW(MSG_REGISTRATION_FAILED, {LongName(), failed});
    std::u16string caption;
    LoadMessage(MSG_LOAD_FAILURE, caption);
    CXlOper hwnd;
    void* owner = nullptr;
    if (CallExcel(xlGetHwnd, &hwnd, {}, BridgeMode::Legacy) == 0)
        owner = Zr::Platform::FindTopLevelWindow("XLMAIN", uint16_t(IntOf(hwnd)));
    return Zr::Platform::ShowMessageBox(owner, text, caption, kYesNoExclamation) == kAnswerYes;
}

// --- Opening ------------------------------------------------------------------------

int CXllApp::AutoOpen() {
    if (open_) return 0;
    try {
        Open();
    } catch (const CXlRuntimeException& e) {
        AlertInitializationError(e.what());
    }
    if (open_) {
        Zr::Xll::WatchForWizard();
        OnOpened();
    } else {
        wizardHook_.Remove();  // a later xlAutoOpen installs it again
    }
    return open_ ? 1 : 0;
}

void CXllApp::Open() {
    DetermineExcelVersion();
    ReadWorkspaceSettings();
    OnBeforeRegister();
    if (!ContinueOpening()) return;
    CXllOpenEventArgs openArgs;
    openArgs.modulePath = modulePath_;
    openEvent.Raise(openArgs);
    AttachArgumentLists(wizardRegistry_);
    if (wizardRegistry_.Enabled() && wizardRegistry_.AnyAidAttached())
        wizardHook_.Install(Zr::Platform::CurrentThreadId());
    if (helpFile_.empty()) {
        const std::string path = ModulePath();
        if (path.size() > 3) helpFile_ = path.substr(0, path.size() - 3) + "chm";
    }
    AddHiddenCommands();
    if (!RegisterFunctions() && !ContinueAfterRegistrationFailures()) {
        UnregisterFunctions();
        return;
    }
    StartComBridge();
    open_ = true;
}

// Excel's major version from its version text; decides the record layout.
void CXllApp::DetermineExcelVersion() {
    CXlOper selector(XlSide::Legacy), version;
    selector.SetInt(2);
    excelVersion_ = 0;
    if (CallExcel(xlfGetWorkspace | xlIntl, &version, {&selector}, BridgeMode::Legacy) == 0) {
        excelVersion_ = CoerceToInt(version);
        version.Release();
    }
    SetIsExcel12(excelVersion_ >= 12);
}

// Elements 6 and 7 of the international settings are the R1C1 letters.
void CXllApp::ReadWorkspaceSettings() {
    CXlOper selector, settings;
    selector.SetInt(37);
    if (CallExcel(xlfGetWorkspace | xlIntl, &settings, {&selector}) == 0 && settings.VectorLength() > 7)
        r1c1Letters_ = TextOf(ElementOf(settings, 6)) + TextOf(ElementOf(settings, 7));
    CXlOper path;  // released on return, like `settings`
    if (FetchModulePath(path)) modulePath_ = TextOf(path);
}

// The add-in's name, else its path, else the words "Add-in".
std::string CXllApp::DisplayName() const {
    std::string name = name_;
    if (name.empty()) name = ModulePath();
    if (name.empty()) name = moduleFileName_;
    return name.empty() ? "Add-in" : name;
}

void CXllApp::AlertInitializationError(const std::string& what) const {
    CXlOper text, icon;
    text.SetString("Unexpected error during initialization:\n" + what + "\n" + DisplayName() + " will not be opened");
    icon.SetInt(3);
    CallExcel(xlcAlert, nullptr, {&text, &icon});
}

std::u16string CXllApp::HiddenCommandName(const std::u16string& event) const {
    std::string module = moduleFileName_;
    for (char& c : module)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return Wide("xll_" + module + "_") + event;
}

// The hidden commands Excel calls: the observer command that forwards
// application events, the targets of the bridge's three properties, and the
// bridge's instance check.
void CXllApp::AddHiddenCommands() {
    if (hiddenCommandsAdded_) return;
    hiddenCommandsAdded_ = true;
    auto add = [&](const std::string& procedure, const char* type, const std::u16string& name,
                   const char16_t* arguments, const char16_t* category, const char16_t* help) {
        registrations_.emplace_back(XlFunctionRecord{nullptr, procedure.c_str(), nullptr, type, nullptr, name.c_str(),
                                                     nullptr, arguments, 2, nullptr, category, u"", 0, u"", nullptr,
                                                     help, nullptr, nullptr, nullptr, u"", 0, 0});
    };
    add("CXlApp_ObserverEventHandler", "RJPPP", HiddenCommandName(u"observer"), u"EventNumber,Arg1,Arg2,Arg3",
        u"User Defined", u"");
    for (size_t i = 0; i < kComHandlerCount; ++i) {
        const std::u16string event = ComHandlerName(ComHandler(i));
        add("CXllComImpl_" + std::string(event.begin(), event.end()), "A", HiddenCommandName(event), u"",
            u"User Defined", u"");
    }
    add("xlCheckInstance", "J", u"xlCheckInstance", u"", u"Private Macros",
        u"Implementation function used by library initialisation routines");
}

// A bridge that fails leaves the add-in open without application events;
// the user is told once, with the failure's message.
void CXllApp::StartComBridge() {
    const ComPlatform& platform = ComBridgePlatform();
    if (!ComBridgeEnabled() || !platform.available()) return;
    try {
        com_ = std::make_unique<CXllCom>(platform);
        com_->Init();
    } catch (const CXlComException& e) {
        com_.reset();
        CXlOper text, icon;
        text.SetString(DisplayName() + " cannot follow Excel's application events:\n" + e.what());
        icon.SetInt(2);
        CallExcel(xlcAlert, nullptr, {&text, &icon});
    }
}

void CXllApp::StopComBridge() {
    try {
        if (com_) com_->Term();
    } catch (const CXlRuntimeException&) {  // closing goes on without the events
    }
    com_.reset();
}

void CXllApp::DefaultEventArgument(uint32_t xltype, CXlOper& value) const {
    if (xltype == xltypeBool)
        value.SetBool(false);
    else if (xltype == xltypeStr)
        value.SetString("");
    else
        value.SetNil();
}

CXlpRibbonImpl& CXllApp::Ribbon() {
    if (!ribbon_) {
        ribbon_ = CXlpRibbonImplShared::Connect(Wide(ModulePath()));
        if (!ribbon_) ribbon_ = std::make_unique<CXlpRibbonImplNull>();
    }
    return *ribbon_;
}

// Functions with a help context of their own keep it; the rest are numbered
// from 1001 in case-insensitive order of their names.
void CXllApp::AssignHelpContexts() {
    std::vector<const CXlFunctionRegistration*> order;
    for (const auto& r : registrations_) order.push_back(&r);
    std::stable_sort(order.begin(), order.end(), [](auto* a, auto* b) {
        if ((a->HelpContext() != 0) != (b->HelpContext() != 0)) return a->HelpContext() != 0;
        if (a->HelpContext() != 0) return a->HelpContext() < b->HelpContext();
        return CaseInsensitiveLess(a->Name(), b->Name());
    });
    helpContexts_.clear();
    uint16_t next = kFirstHelpContext;
    for (const auto* r : order) {
        const std::u16string& name = r->Name();
        uint16_t number = r->HelpContext();
        if (number != 0) {
            if (number >= next) next = uint16_t(number + 1);
        } else if (name.size() >= 6 && name.ends_with(u"Async") && helpContexts_.count(name.substr(0, name.size() - 5))) {
            number = helpContexts_[name.substr(0, name.size() - 5)];
        } else {
            number = next++;
        }
        helpContexts_[name] = number;
    }
}

uint16_t CXllApp::HelpContextOf(const std::u16string& name) const {
    auto it = helpContexts_.find(name);
    return it == helpContexts_.end() ? 0 : it->second;
}

Zr::Xll::RegistrationContext CXllApp::Context() const {
    return {excelVersion_, IsExcel12(), ModulePath(), Wide(helpFile_)};
}

bool CXllApp::RegisterFunctions() {
    CXlEventArgs args;
    registerFunctionsEvent.Raise(args);
    AssignHelpContexts();
    const auto context = Context();
    size_t registered = 0;
    for (auto& r : registrations_) registered += r.Register(context, HelpContextOf(r.Name())) ? 1 : 0;
    return registered == registrations_.size();
}

void CXllApp::UnregisterFunctions() {
    const auto context = Context();
    for (auto& r : registrations_) r.Unregister(context);
}

// --- Closing --------------------------------------------------------------------------

int CXllApp::AutoClose() {
    Zr::Xll::StopWatchingForWizard();
    wizardHook_.Remove();
    if (open_) {
        CXlEventArgs args;
        closeEvent.Raise(args);
        OnClose();
    }
    StopComBridge();
    ribbon_.reset();
    Zr::Xll::ReleaseKeptBlocks();  // the memory kept for large results
    return 1;
}

int CXllApp::AutoRemove() {
    if (!open_) return 1;
    OnAutoRemove();
    UnregisterFunctions();
    wizardHook_.Remove();
    open_ = false;  // nothing is registered any more: a later xlAutoOpen opens again
    return 1;
}

int CXllApp::AutoAdd() {
    OnAutoAdd();
    return AutoAddResult() ? 1 : 0;
}
