// CXllApp: the add-in's single application object. It carries the add-in's
// state (name, module path, registration objects, open flag) and the hooks
// that the exports call; an add-in derives its own application from it.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "xll/com_bridge.h"
#include "xll/events.h"
#include "xll/exceptions.h"
#include "xll/function_registration.h"
#include "xll/function_wizard.h"
#include "xll/platform_wizard_hook.h"
#include "xll/ribbon.h"
#include "xll/wizard_lists.h"
#include "xll/xl_oper.h"

class CXllApp {
public:
    CXllApp();
    virtual ~CXllApp();
    CXllApp(const CXllApp&) = delete;
    CXllApp& operator=(const CXllApp&) = delete;

    // Notification hooks; the defaults do nothing (or allow).
    virtual void OnAutoAdd() {}
    virtual int AutoAddResult() { return 1; }
    virtual void OnAutoRemove() {}
    virtual void OnBeforeRegister() {}
    virtual int ContinueOpening() { return 1; }
    virtual void OnClose() {}
    virtual void OnOpened() {}

    // Excel's application events (RaiseApplicationEvent, the hidden commands);
    // the defaults do nothing.
    virtual void OnNewWorkbook(CXlWorkbookEventArgs&) {}
    virtual void OnSelectionChange(CXlRangeEventArgs&) {}
    virtual void OnBeforeDoubleClick(CXlCancellableRangeEventArgs&) {}
    virtual void OnBeforeRightClick(CXlCancellableRangeEventArgs&) {}
    virtual void OnSheetActivate(CXlWorksheetEventArgs&) {}
    virtual void OnSheetDeactivate(CXlWorksheetEventArgs&) {}
    virtual void OnCalculate(CXlWorksheetEventArgs&) {}
    virtual void OnSheetChange(CXlRangeEventArgs&) {}
    virtual void OnWorkbookOpen(CXlWorkbookEventArgs&) {}
    virtual void OnWorkbookActivate(CXlWorkbookEventArgs&) {}
    virtual void OnWorkbookDeactivate(CXlWorkbookEventArgs&) {}
    virtual void OnWorkbookBeforeClose(CXlBeforeCloseEventArgs&) {}
    virtual void OnWorkbookBeforeSave(CXlBeforeSaveEventArgs&) {}
    virtual void OnWorkbookNewSheet(CXlWorkbookNewSheetEventArgs&) {}

    // Process attach: records the module file name; the add-in's override
    // then names the add-in and builds the registration objects.
    virtual int ProcessAttach(void* module);
    virtual void ProcessDetach();
    // xlGetName into `path`, a record the caller releases at once.
    virtual bool FetchModulePath(CXlOper& path);
    virtual std::u16string LongName() const;
    virtual std::string ModulePath() const;
    // Turns an exception caught by an entry into the cell's value.
    virtual void OnError(CXlOper& result, const CXlRuntimeException& e);
    // Asks whether to go on after registration failures; true to continue.
    virtual bool ContinueAfterRegistrationFailures();
    // An event argument Excel left out or gave in another type: FALSE for a
    // flag (xltypeBool), an empty text (xltypeStr), nil otherwise.
    virtual void DefaultEventArgument(uint32_t xltype, CXlOper& value) const;
    // Whether to start the bridge to Excel's object model, and through what.
    virtual bool ComBridgeEnabled() const { return true; }
    virtual const Zr::Xll::ComPlatform& ComBridgePlatform() const { return Zr::Xll::SystemComPlatform(); }

    // The exports' work.
    int AutoOpen();
    int AutoClose();
    int AutoRemove();
    int AutoAdd();
    bool IsOpen() const { return open_; }

    const CXlFormulaWizardDetector* WizardDetector() const { return &wizardDetector_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    const std::string& ModuleFileName() const { return moduleFileName_; }
    const std::string& HelpFile() const { return helpFile_; }
    const std::string& R1C1Letters() const { return r1c1Letters_; }
    std::vector<Zr::Xll::CXlFunctionRegistration>& Registrations() { return registrations_; }
    // The help context number given to each function name at the last open.
    uint16_t HelpContextOf(const std::u16string& name) const;
    // "xll_<module>_<event>": the name of the hidden command for `event`.
    std::u16string HiddenCommandName(const std::u16string& event) const;
    // The ribbon implementation, chosen at the first callback after opening.
    CXlpRibbonImpl& Ribbon();

    CXllOpenEvent openEvent;
    CXlRegisterFunctionsEvent registerFunctionsEvent;
    CXllCloseEvent closeEvent;
    CXlNewWorkbookEvent newWorkbookEvent;
    CXlSelectionChangeEvent selectionChangeEvent;
    CXlBeforeDoubleClickEvent beforeDoubleClickEvent;
    CXlBeforeRightClickEvent beforeRightClickEvent;
    CXlSheetActivateEvent sheetActivateEvent;
    CXlSheetDeactivateEvent sheetDeactivateEvent;
    CXlCalculateEvent calculateEvent;
    CXlSheetChangeEvent sheetChangeEvent;
    CXlWorkbookOpenEvent workbookOpenEvent;
    CXlWorkbookActivateEvent workbookActivateEvent;
    CXlWorkbookDeactivateEvent workbookDeactivateEvent;
    CXlWorkbookBeforeCloseEvent workbookBeforeCloseEvent;
    CXlWorkbookBeforeSaveEvent workbookBeforeSaveEvent;
    CXlWorkbookNewSheetEvent workbookNewSheetEvent;

protected:
    // Builds one registration object per static record, in list order.
    void BuildRegistrations();

private:
    void Open();
    void DetermineExcelVersion();
    void ReadWorkspaceSettings();
    void AddHiddenCommands();
    void StartComBridge();
    void StopComBridge();
    void AssignHelpContexts();
    bool RegisterFunctions();
    void UnregisterFunctions();
    Zr::Xll::RegistrationContext Context() const;
    std::string DisplayName() const;
    void AlertInitializationError(const std::string& what) const;

    std::string name_;
    std::string moduleFileName_;
    // Excel's texts are copied: nothing Excel owns is kept past the call
    // that returned it, so unload and exit never need to call Excel.
    std::string modulePath_;
    std::string helpFile_;
    std::string r1c1Letters_;
    int excelVersion_ = 0;
    std::vector<Zr::Xll::CXlFunctionRegistration> registrations_;
    std::map<std::u16string, uint16_t> helpContexts_;
    bool hiddenCommandsAdded_ = false;
    std::unique_ptr<CXllCom> com_;
    std::unique_ptr<CXlpRibbonImpl> ribbon_;
    CXlFormulaWizardDetector wizardDetector_;
    CXlWizExUIFunctionRegistry wizardRegistry_;
    CWizardHook wizardHook_;
    bool open_ = false;
};

namespace Zr::Xll {
// The application object, or null before it exists.
CXllApp* App();
}  // namespace Zr::Xll
