// Excel's object model as COM Automation shows it, played by the host on
// Windows (under Wine): Application objects of this process, registered
// where an add-in looks for the running Excel. Windows only, but for
// PlayObjectModel.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace Zr::Host {

// What an instance's ExecuteExcel4Macro does with CALL("path","name","j").
enum class MacroAnswer {
    Reach,    // calls the export `name` of the library `path` loaded in this process
    Foreign,  // answers 1 as another Excel process would, reaching nothing here
    Refuse,   // fails (DISP_E_EXCEPTION)
};

struct ExcelInstanceOptions {
    MacroAnswer answer = MacroAnswer::Reach;
    bool active = true;     // registered as the running Excel.Application
    bool dispatch = true;   // false: the object offers no IDispatch
    bool workbook = false;  // a workbook of it in the running object table
    bool window = false;    // a main window (XLMAIN) with a workbook window (EXCEL7)
};

// One Excel instance, registered from construction to destruction. Its
// Application property is itself; OnSheetActivate, OnSheetDeactivate and
// OnCalculate hold texts.
class ExcelInstance {
public:
    explicit ExcelInstance(const ExcelInstanceOptions& options);
    ~ExcelInstance();
    ExcelInstance(const ExcelInstance&) = delete;
    ExcelInstance& operator=(const ExcelInstance&) = delete;

    // What was done to it: "ExecuteExcel4Macro(<text>)" and "<property> = <text>".
    std::vector<std::u16string> Log() const;
    std::u16string Property(const std::u16string& name) const;
    // References held to its Application object, its own and the registrations' included.
    unsigned long References() const;

    class Application;

private:
    Application* application_;
    unsigned long activeCookie_ = 0, workbookCookie_ = 0;
    void* window_ = nullptr;
};

// What `zrhost --com` plays: a foreign Excel started first (the running
// Excel.Application) and the one hosting the add-in, found through its
// workbook and its window, from construction to destruction.
class ObjectModelPlay {
public:
    virtual ~ObjectModelPlay() = default;
    // "COM foreign: <entry>" and "COM hosting: <entry>", one per line.
    virtual std::vector<std::string> Log() const = 0;
};

// The play, or null where there is no object model to play (natively).
std::unique_ptr<ObjectModelPlay> PlayObjectModel();

// The programmatic identifier "Excel.Application" under HKEY_CLASSES_ROOT (Wine's
// CLSIDFromProgID does not read the per-user classes), naming the class the
// instances register under; false when the registry refuses.
bool RegisterExcelProgId();
void UnregisterExcelProgId();

}  // namespace Zr::Host
