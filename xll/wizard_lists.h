// Argument lists in Excel's Function Arguments dialog: an argument that takes
// a few coded values (Argument::list) gets a drop-down beside its edit box.
// At xlAutoOpen every declared list is attached to the registry; the window
// hook that shows them reads the registry and keeps its state in
// CWizardHookState. Nothing here needs windows: natively no hook exists.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The items of one list, each a value text and a label.
class CXlWizExUIListProvider {
public:
    // Items are separated by `listSeparator`, value and label by the first `itemSeparator`.
    CXlWizExUIListProvider(std::u16string_view text, char16_t listSeparator, char16_t itemSeparator);

    size_t Count() const { return items_.size(); }
    const std::u16string& Value(size_t i) const { return items_[i].value; }
    // "0 - Mersenne Twister (2002)", or the value alone when the label is empty.
    std::u16string DisplayText(size_t i) const;

private:
    struct Item {
        std::u16string value, label;
    };
    std::vector<Item> items_;
};

// What a row of the dialog offers: nothing, a list, or another aid (which no
// function declares).
enum class AidKind : int { None = 0, List = 1, Other = 2 };

// The aids of one function's arguments, by 0-based argument position.
class CXlWizExUIFunctionDescriptor {
public:
    explicit CXlWizExUIFunctionDescriptor(std::string_view name) : name_(name) {}

    bool AnyAidAttached() const { return anyAid_; }
    AidKind Kind(int index) const;                        // None outside the arguments
    const CXlWizExUIListProvider* List(int index) const;  // null unless Kind is List
    const std::string& FunctionName() const { return name_; }
    void AttachList(int index, std::unique_ptr<CXlWizExUIListProvider> list);

private:
    struct Entry {
        AidKind kind = AidKind::None;
        std::unique_ptr<CXlWizExUIListProvider> list;
    };
    std::string name_;
    std::vector<Entry> entries_;
    bool anyAid_ = false;
};

// The key that opens an aid from the row's edit box.
struct CXlWizExUIKeySettings {
    int key;       // virtual-key code
    int modifier;  // Shift (16), Ctrl (17) or Alt (18) must be held with it; any other value: none
    int mode;      // which row texts accept the key; see AcceptsRowText
};

// The descriptors of every function that has an aid. One instance, owned by
// the application object and named by WizardRegistry() while it lives.
class CXlWizExUIFunctionRegistry {
public:
    CXlWizExUIFunctionRegistry();
    ~CXlWizExUIFunctionRegistry();
    CXlWizExUIFunctionRegistry(const CXlWizExUIFunctionRegistry&) = delete;
    CXlWizExUIFunctionRegistry& operator=(const CXlWizExUIFunctionRegistry&) = delete;

    bool Enabled() const { return true; }
    bool SecondFlag() const { return true; }  // kept set; nothing reads it yet
    const CXlWizExUIFunctionDescriptor* Descriptor(std::string_view function) const;  // null when absent
    const CXlWizExUIKeySettings* KeySettings(int kind) const;  // null unless kind is 1 or 2
    bool AnyAidAttached() const;
    // Attaches the list `text` to argument `index` of `function`.
    void AttachList(std::string_view function, int index, std::u16string_view text);

private:
    std::map<std::string, CXlWizExUIFunctionDescriptor, std::less<>> descriptors_;
};

// The part of the dialog hook's state that worksheet calls reach. The hook
// (Windows only) installs it on Excel's main thread and drives the flags.
class CWizardHookState {
public:
    virtual ~CWizardHookState();
    // Records `thread` as the hook's and clears the dialog state; raises
    // when a hook is already installed.
    void Install(uintptr_t thread);
    void Remove();
    // A worksheet call of `name` on `thread`: on the hook's thread only, a
    // pending name capture stores the name; an active wizard that knows no
    // function yet stores it and rebuilds its controls.
    void OnFunctionCall(uintptr_t thread, std::string_view name);

    bool wizardActive = false;
    bool nameCapturePending = false;
    std::string functionName;

protected:
    virtual void RebuildControls() {}  // the hook's drop-down buttons for functionName

private:
    std::atomic<uintptr_t> thread_ = 0;
};

namespace Zr::Xll {

// The registry, or null when there is no application object.
CXlWizExUIFunctionRegistry* WizardRegistry();

// Attaches the list of every argument of every declared function that carries one.
void AttachArgumentLists(CXlWizExUIFunctionRegistry& registry);

// Whether a row holding `text` (blanks, tabs and line breaks around it
// ignored) accepts an aid's key: mode 0 never, 1 when empty, 2 when empty,
// a text constant, a number or exactly FALSE or TRUE, 3 always.
bool AcceptsRowText(int mode, std::u16string_view text);

// Whether `key` opens the aid of `settings` in a row holding `rowText`;
// `modifierHeld` says whether the settings' modifier key is down.
bool KeyOpensAid(const CXlWizExUIKeySettings& settings, int key, bool modifierHeld, std::u16string_view rowText);

// Called by the entries of a function with a listed argument, before its body.
// Costs one load and, once a hook exists, one thread comparison.
void NotifyFunctionCall(std::string_view name);

}  // namespace Zr::Xll
