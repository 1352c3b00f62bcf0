#include "xll/app_events.h"

#include "xll/xll_app.h"

namespace Zr::Xll {
namespace {

class ArgumentReader {
public:
    explicit ArgumentReader(const CXllApp& app) : app_(app) {}

    std::string Text(const CXlOper& value) const {
        if (value.IsString()) return value.ToString(false);
        CXlOper fallback;
        app_.DefaultEventArgument(xltypeStr, fallback);
        return fallback.ToString(false);
    }
    bool Flag(const CXlOper& value) const {
        const uint32_t type = value.Type();
        if (type == xltypeBool || type == xltypeNum || type == xltypeInt) return value.ToBool(false);
        CXlOper fallback;
        app_.DefaultEventArgument(xltypeBool, fallback);
        return fallback.ToBool(false);
    }

private:
    const CXllApp& app_;
};

// The application's handler first, then the observers, on one record.
template <class Args>
void Deliver(CXllApp& app, void (CXllApp::*handler)(Args&), CXlComEvent<Args>& event, Args& args) {
    (app.*handler)(args);
    event.Raise(args);
}

}  // namespace

void RaiseApplicationEvent(CXllApp& app, int32_t number, const CXlOper& arg1, const CXlOper& arg2,
                           const CXlOper& arg3, CXlOper& result) {
    const ArgumentReader read(app);
    app.DefaultEventArgument(xltypeBool, result);
    auto workbook = [&](auto handler, auto& event) {
        CXlWorkbookEventArgs args;
        args.workbook = read.Text(arg1);
        Deliver(app, handler, event, args);
    };
    auto range = [&](auto handler, auto& event) {
        CXlRangeEventArgs args;
        args.range = read.Text(arg1);
        Deliver(app, handler, event, args);
    };
    auto cancellableRange = [&](auto handler, auto& event) {
        CXlCancellableRangeEventArgs args;
        args.range = read.Text(arg1);
        args.cancel = read.Flag(arg3);
        Deliver(app, handler, event, args);
        result.SetBool(args.cancel);
    };
    auto worksheet = [&](auto handler, auto& event) {
        CXlWorksheetEventArgs args;
        args.worksheet = read.Text(arg1);
        Deliver(app, handler, event, args);
    };
    switch (number) {
    case 0: return workbook(&CXllApp::OnNewWorkbook, app.newWorkbookEvent);
    case 1: return range(&CXllApp::OnSelectionChange, app.selectionChangeEvent);
    case 2: return cancellableRange(&CXllApp::OnBeforeDoubleClick, app.beforeDoubleClickEvent);
    case 3: return cancellableRange(&CXllApp::OnBeforeRightClick, app.beforeRightClickEvent);
    case 4: return worksheet(&CXllApp::OnSheetActivate, app.sheetActivateEvent);
    case 5: return worksheet(&CXllApp::OnSheetDeactivate, app.sheetDeactivateEvent);
    case 6: return worksheet(&CXllApp::OnCalculate, app.calculateEvent);
    case 7: return range(&CXllApp::OnSheetChange, app.sheetChangeEvent);
    case 8: return workbook(&CXllApp::OnWorkbookOpen, app.workbookOpenEvent);
    case 9: return workbook(&CXllApp::OnWorkbookActivate, app.workbookActivateEvent);
    case 10: return workbook(&CXllApp::OnWorkbookDeactivate, app.workbookDeactivateEvent);
    case 11: {
        CXlBeforeCloseEventArgs args;
        args.workbook = read.Text(arg1);
        args.cancel = read.Flag(arg3);
        Deliver(app, &CXllApp::OnWorkbookBeforeClose, app.workbookBeforeCloseEvent, args);
        return result.SetBool(args.cancel);
    }
    case 12: {
        CXlBeforeSaveEventArgs args;
        args.workbook = read.Text(arg1);
        args.saveAs = read.Flag(arg2);
        args.cancel = read.Flag(arg3);
        Deliver(app, &CXllApp::OnWorkbookBeforeSave, app.workbookBeforeSaveEvent, args);
        return result.SetBool(args.cancel);
    }
    case 14: {
        CXlWorkbookNewSheetEventArgs args;
        args.workbook = read.Text(arg1);
        args.sheet = read.Text(arg2);
        return Deliver(app, &CXllApp::OnWorkbookNewSheet, app.workbookNewSheetEvent, args);
    }
    default: return;  // no such event
    }
}

}  // namespace Zr::Xll
