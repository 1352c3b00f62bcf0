#include "xll/com_bridge.h"

#include <atomic>

#include "xll/excel_bridge.h"
#include "xll/exceptions.h"
#include "xll/platform.h"
#include "xll/platform_com.h"
#include "xll/xll_app.h"

using namespace Zr::Xll;

namespace {

constexpr int32_t kFailed = int32_t(0x80004005);  // E_FAIL: a rule of the bridge, not a COM call, failed

CXllCom* g_instance = nullptr;
std::atomic<bool> g_instanceChecked = false;

[[noreturn]] void Fail(const std::string& message, int32_t code = kFailed) {
    throw CXlComException::Described(message, code);
}

}  // namespace

namespace Zr::Xll {

const ComPlatform& SystemComPlatform() {
    static const ComPlatform platform{&PlatformCom::Available, &PlatformCom::Connect, &PlatformCom::AssignHandler,
                                      &PlatformCom::Disconnect};
    return platform;
}

const char16_t* ComHandlerName(ComHandler which) {
    switch (which) {
    case ComHandler::SheetActivate: return u"OnSheetActivate";
    case ComHandler::SheetDeactivate: return u"OnSheetDeactivate";
    default: return u"OnCalculate";
    }
}

// The instance check: cleared before a candidate instance is asked,
// set by xlCheckInstance when the candidate's CALL reaches this library.
void PlatformCom::ClearInstanceChecked() { g_instanceChecked = false; }
void PlatformCom::MarkInstanceChecked() { g_instanceChecked = true; }
bool PlatformCom::InstanceChecked() { return g_instanceChecked; }

}  // namespace Zr::Xll

CXllCom::CXllCom(const ComPlatform& platform) : platform_(platform) {
    if (g_instance) Fail("An instance of CXllCom has already been created");
    g_instance = this;
}

// No Term here: a bridge still connected at destruction is being unloaded
// without xlAutoClose (process exit), where neither Excel nor COM may be
// called; the process takes what is left.
CXllCom::~CXllCom() { g_instance = nullptr; }

CXllCom* CXllCom::Instance() { return g_instance; }

void CXllCom::Init() {
    if (initCalled_) Fail("Init() has already been called");
    initCalled_ = true;
    CXllApp* app = App();
    if (!app) Fail("No CXllApp instance found");
    try {
        // Excel enters itself in the running object table only once a
        // workbook window has come and gone.
        InitExcelOleFix();
        try {
            connected_ = true;
            const std::string path = app->ModulePath();
            platform_.connect(Zr::Platform::AnsiToWide(path.data(), path.size()));
        } catch (...) {
            try {
                TermExcelOleFix();
            } catch (const CXlRuntimeException&) {  // the connection's failure is the one to report
            }
            throw;
        }
        TermExcelOleFix();
        for (size_t i = 0; i < kComHandlerCount; ++i) {
            const std::u16string property = ComHandlerName(ComHandler(i));
            previous_[i] = platform_.assignHandler(property, app->HiddenCommandName(property));
            assigned_[i] = true;
        }
    } catch (...) {
        Term();
        throw;
    }
}

void CXllCom::Term() {
    Restore();
    if (connected_) platform_.disconnect();
    connected_ = false;
}

// Each property gets back what it held; one that refuses does not keep the others.
void CXllCom::Restore() {
    for (size_t i = 0; i < kComHandlerCount; ++i) {
        if (!assigned_[i]) continue;
        assigned_[i] = false;
        try {
            platform_.assignHandler(ComHandlerName(ComHandler(i)), previous_[i]);
        } catch (const CXlRuntimeException&) {
        }
    }
}

const std::u16string& CXllCom::PreviousHandler(ComHandler which) const { return previous_[size_t(which)]; }

void CXllCom::InitExcelOleFix() {
    CXlOper off;
    off.SetBool(false);
    if (int code = CallExcel(xlcEcho, nullptr, {&off}))
        Fail("InitExcelOleFix() failed to switch off workbook echo with error " + std::to_string(code));
    if (int code = CallExcel(xlcNew, nullptr, {})) {
        CXlOper on;
        on.SetBool(true);
        CallExcel(xlcEcho, nullptr, {&on});
        Fail("InitExcelOleFix() failed to create new workbook with error " + std::to_string(code));
    }
}

void CXllCom::TermExcelOleFix() {
    CXlOper dontSave, on;
    dontSave.SetBool(false);
    on.SetBool(true);
    const int closed = CallExcel(xlcFileClose, nullptr, {&dontSave});
    const int echoed = CallExcel(xlcEcho, nullptr, {&on});
    if (closed) Fail("TermExcelOleFix() failed to close temporary workbook with error " + std::to_string(closed));
    if (echoed) Fail("TermExcelOleFix() failed to restore echo with error " + std::to_string(echoed));
}

bool CXllCom::RunHandler(ComHandler which) {
    if (CXllApp* app = App()) {
        CXlWorksheetEventArgs args;  // the properties' macros learn no sheet name
        switch (which) {
        case ComHandler::SheetActivate: app->OnSheetActivate(args); break;
        case ComHandler::SheetDeactivate: app->OnSheetDeactivate(args); break;
        case ComHandler::Calculate: app->OnCalculate(args); break;
        }
    }
    if (g_instance && !g_instance->PreviousHandler(which).empty()) {
        CXlOper macro;
        macro.SetString(g_instance->PreviousHandler(which) + u"()");
        CallExcel(xlcRun, nullptr, {&macro});
    }
    return true;
}
