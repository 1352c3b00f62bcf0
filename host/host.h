// A program that plays Microsoft Excel for an XLL add-in: it loads the
// library, calls its exports exactly as Excel does (xlAutoOpen, worksheet
// entries by their registered type text, xlAutoFree12, ...) and answers the
// add-in's calls back into Excel (xlfRegister, xlCoerce, xlFree, ...),
// recording what it was asked so that tests can look.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "host/formula_parser.h"
#include "host/registrations.h"
#include "host/value.h"

namespace Zr::Host {

// Excel12: Excel 2007 and later (version "16.0", the Excel 12 callback).
// Legacy: Excel 2003 (version "11.0", only Excel4v answers).
enum class Mode { Excel12, Legacy };

constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;

struct Alert {  // xlcAlert
    std::u16string text;
    int type = 2;
};

struct Question {  // a Yes/No message box
    std::u16string text;
    std::u16string caption;
    unsigned style = 0;
    int answer = 0;
};

struct CallbackCall {  // one call of the add-in into the host
    int function = 0;  // as passed, xlIntl and the like included
    std::vector<Value> arguments;
    int returnCode = 0;
    bool throughExcel12 = false;
};

struct CallOutcome {
    Value value;
    bool called = false;      // false when Excel would not have called the export
    uint32_t resultType = 0;  // xltype of a returned record, ownership bits included
};

class HostState;

// One Host may be loaded per process at a time: the callbacks are plain C
// functions that reach it through a global pointer.
class Host {
public:
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // Loads the add-in and hands it the host's entry points; false with
    // `error` set when the library cannot be loaded or another Host is loaded.
    bool Load(const std::string& addinPath, Mode mode, std::string& error);
    bool Load(const std::string& addinPath, std::string& error) { return Load(addinPath, Mode::Excel12, error); }
    // Frees the library without calling anything in it.
    void Unload();
    bool Loaded() const;
    Mode GetMode() const;
    std::string AddinPath() const;  // absolute, as xlGetName reports it

    // The add-in's lifecycle exports; 0 when the export is missing.
    int AutoOpen();
    int AutoClose();
    int AutoRemove();
    int AutoAdd();

    // Calls an export as Excel calls a function registered with `typeText`:
    // converts the arguments (missing ones are Missing), calls, copies the
    // result and hands add-in-owned memory back through xlAutoFree12/xlAutoFree.
    Value CallExport(const std::string& exportName, const std::string& typeText, const std::vector<Value>& args);
    CallOutcome CallExportDetailed(const std::string& exportName, const std::string& typeText,
                                   const std::vector<Value>& args);
    // Calls a registered function by its name (#NAME? when there is none).
    Value Call(const std::u16string& functionName, const std::vector<Value>& args);
    // ParseFormula and Call; throws FormulaError on bad syntax.
    Value Evaluate(const std::string& formula);

    // xlfRegister of this function name will answer #VALUE!, as Excel does
    // when it cannot register a function.
    void RefuseRegistration(std::u16string functionName);
    // Calls of Excel function `function` (xlcNew, ...) fail from now on with xlretFailed.
    void FailFunction(int function);
    // What xlfRtd answers from now on (#N/A, the default, means no server runs).
    void SetRealTimeData(Value value);
    // Excel's application event `number` with up to three values, through the
    // observer command the add-in registered (#NAME? when it has none).
    Value RaiseApplicationEvent(int number, const std::vector<Value>& values);
    // Workbooks opened with xlcNew and not closed.
    int OpenWorkbooks() const;
    // The answer to the add-in's Yes/No questions: kAnswerYes or kAnswerNo (the default).
    void SetQuestionAnswer(int answer);

    std::vector<Registration> Registrations() const;  // every xlfRegister, in order
    std::vector<Registration> ActiveFunctions() const;
    std::vector<Alert> Alerts() const;
    std::vector<Question> Questions() const;
    std::vector<CallbackCall> CallLog() const;
    void ClearCallLog();
    // Result records the host handed to the add-in that it has not freed with xlFree.
    size_t OutstandingAllocations() const;
    // xlFree calls on memory the host never handed out.
    size_t ForeignFrees() const;
    size_t AutoFreeCalls() const;

    // Every active function as Excel's Function Arguments dialog shows it.
    void ListFunctions(std::ostream& out) const;

    // Excel's windows, on the calling thread (host/host_platform.h; natively
    // there are none and these answer null). The first main window (class
    // XLMAIN) is the one xlGetHwnd answers from then on; the others play
    // other Excel instances. Windows left open close with the host.
    void* OpenMainWindow();
    // A top-level window of any class, owned by `owner` when given; Excel's
    // dialogs are of class "bosa_sdm_XL9".
    void* OpenWindow(const std::string& className, const std::u16string& title, void* owner);
    // The Function Arguments dialog for a registered function, owned by the
    // main window; every edit evaluates the formula as typed so far.
    void* OpenFunctionArguments(const std::u16string& functionName);
    void CloseWindow(void* window);
    std::u16string WizardFunction() const;  // the function of the last Function Arguments dialog

private:
    int CallLifecycle(const char* exportName);
    void CloseWindows();

    std::unique_ptr<HostState> state_;
};

// True on a thread while it runs the add-in's code for a call the host made
// into it, false while the host answers the add-in's calls back: lets a test
// fail the add-in's own allocations and not the host's.
bool RunningAddinCode();

// What the host answers in place of Windows' MessageBoxW: records the
// question and returns the configured answer.
int HostMessageBoxW(void* owner, const char16_t* text, const char16_t* caption, unsigned style);

}  // namespace Zr::Host
