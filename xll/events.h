// Events of the add-in and of Excel's application, with their argument
// records and observers. An event keeps the observers attached to it and
// hands each the same argument record in turn, so an observer sees (and may
// change) what the ones before it left, a cancel flag for instance.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

struct CXlEventArgs {
    virtual ~CXlEventArgs() = default;
};

template <class Args>
class CXlEventObserver {
public:
    virtual ~CXlEventObserver() = default;
    virtual void Update(Args& args) = 0;
};

template <class Args>
class CXlEvent {
public:
    using Observer = CXlEventObserver<Args>;

    void Attach(Observer* observer) {
        if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
            observers_.push_back(observer);
    }
    void Detach(Observer* observer) { std::erase(observers_, observer); }
    // Observers may detach themselves while notified: each sees the list as it was.
    void Raise(Args& args) {
        const std::vector<Observer*> observers = observers_;
        for (Observer* o : observers) o->Update(args);
    }

private:
    std::vector<Observer*> observers_;
};

// --- The add-in's own events ------------------------------------------------------

struct CXllOpenEventArgs : CXlEventArgs {
    std::string modulePath;  // as Excel reported it
};

class CXllOpenEvent : public CXlEvent<CXllOpenEventArgs> {};
class CXllCloseEvent : public CXlEvent<CXlEventArgs> {};
class CXlRegisterFunctionsEvent : public CXlEvent<CXlEventArgs> {};

// --- Excel's application events ---------------------------------------------------
// Workbook and sheet names travel as texts, ranges as their local addresses.

struct CXlWorkbookEventArgs : CXlEventArgs {
    std::string workbook;
};
struct CXlRangeEventArgs : CXlEventArgs {
    std::string range;
};
struct CXlCancellableRangeEventArgs : CXlRangeEventArgs {
    bool cancel = false;
};
struct CXlWorksheetEventArgs : CXlEventArgs {
    std::string worksheet;
};
struct CXlBeforeCloseEventArgs : CXlWorkbookEventArgs {
    bool cancel = false;
};
struct CXlBeforeSaveEventArgs : CXlWorkbookEventArgs {
    bool saveAs = false;
    bool cancel = false;
};
struct CXlWorkbookNewSheetEventArgs : CXlWorkbookEventArgs {
    std::string sheet;
};

// An application event and the number Excel's observer command knows it by.
template <class Args>
class CXlComEvent : public CXlEvent<Args> {
public:
    explicit CXlComEvent(int number) : number_(number) {}
    int Number() const { return number_; }

private:
    int number_;
};

#define ZR_COM_EVENT(Name, Number, Args)                   \
    class Name : public CXlComEvent<Args> {                \
    public:                                                \
        Name() : CXlComEvent<Args>(Number) {}              \
    };
ZR_COM_EVENT(CXlNewWorkbookEvent, 0, CXlWorkbookEventArgs)
ZR_COM_EVENT(CXlSelectionChangeEvent, 1, CXlRangeEventArgs)
ZR_COM_EVENT(CXlBeforeDoubleClickEvent, 2, CXlCancellableRangeEventArgs)
ZR_COM_EVENT(CXlBeforeRightClickEvent, 3, CXlCancellableRangeEventArgs)
ZR_COM_EVENT(CXlSheetActivateEvent, 4, CXlWorksheetEventArgs)
ZR_COM_EVENT(CXlSheetDeactivateEvent, 5, CXlWorksheetEventArgs)
ZR_COM_EVENT(CXlCalculateEvent, 6, CXlWorksheetEventArgs)
ZR_COM_EVENT(CXlSheetChangeEvent, 7, CXlRangeEventArgs)
ZR_COM_EVENT(CXlWorkbookOpenEvent, 8, CXlWorkbookEventArgs)
ZR_COM_EVENT(CXlWorkbookActivateEvent, 9, CXlWorkbookEventArgs)
ZR_COM_EVENT(CXlWorkbookDeactivateEvent, 10, CXlWorkbookEventArgs)
ZR_COM_EVENT(CXlWorkbookBeforeCloseEvent, 11, CXlBeforeCloseEventArgs)
ZR_COM_EVENT(CXlWorkbookBeforeSaveEvent, 12, CXlBeforeSaveEventArgs)
ZR_COM_EVENT(CXlWorkbookNewSheetEvent, 14, CXlWorkbookNewSheetEventArgs)
#undef ZR_COM_EVENT
