#include "xll/wizard_lists.h"

#include <algorithm>

#include "xll/exceptions.h"
#include "xll/platform.h"
#include "xll/worksheet_function.h"

namespace {

CXlWizExUIFunctionRegistry* g_registry = nullptr;
// Published by Install after its thread is set; worksheet calls on any thread read it.
std::atomic<CWizardHookState*> g_installedHook = nullptr;

// kind 1 (lists): Down, no modifier, when empty or a constant; kind 2: Alt+Enter, always.
constexpr CXlWizExUIKeySettings kKeySettings[] = {{40, 0, 2}, {13, 18, 3}};

constexpr bool IsModifierKey(int key) { return key == 16 || key == 17 || key == 18; }

}  // namespace

CXlWizExUIListProvider::CXlWizExUIListProvider(std::u16string_view text, char16_t listSeparator,
                                               char16_t itemSeparator) {
    while (!text.empty()) {
        const size_t end = std::min(text.find(listSeparator), text.size());
        const std::u16string_view item = text.substr(0, end);
        const size_t split = item.find(itemSeparator);
        if (split == std::u16string_view::npos)
            items_.push_back({std::u16string(item), {}});
        else
            items_.push_back({std::u16string(item.substr(0, split)), std::u16string(item.substr(split + 1))});
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

std::u16string CXlWizExUIListProvider::DisplayText(size_t i) const {
    const Item& item = items_[i];
    return item.label.empty() ? item.value : item.value + u" - " + item.label;
}

AidKind CXlWizExUIFunctionDescriptor::Kind(int index) const {
    return index >= 0 && size_t(index) < entries_.size() ? entries_[size_t(index)].kind : AidKind::None;
}

const CXlWizExUIListProvider* CXlWizExUIFunctionDescriptor::List(int index) const {
    return Kind(index) == AidKind::List ? entries_[size_t(index)].list.get() : nullptr;
}

void CXlWizExUIFunctionDescriptor::AttachList(int index, std::unique_ptr<CXlWizExUIListProvider> list) {
    if (index < 0) return;
    if (size_t(index) >= entries_.size()) entries_.resize(size_t(index) + 1);
    entries_[size_t(index)] = {AidKind::List, std::move(list)};
    anyAid_ = true;
}

CXlWizExUIFunctionRegistry::CXlWizExUIFunctionRegistry() { g_registry = this; }

CXlWizExUIFunctionRegistry::~CXlWizExUIFunctionRegistry() {
    if (g_registry == this) g_registry = nullptr;
}

const CXlWizExUIFunctionDescriptor* CXlWizExUIFunctionRegistry::Descriptor(std::string_view function) const {
    auto it = descriptors_.find(function);
    return it == descriptors_.end() ? nullptr : &it->second;
}

const CXlWizExUIKeySettings* CXlWizExUIFunctionRegistry::KeySettings(int kind) const {
    return kind == 1 || kind == 2 ? &kKeySettings[kind - 1] : nullptr;
}

bool CXlWizExUIFunctionRegistry::AnyAidAttached() const {
    for (const auto& [name, descriptor] : descriptors_)
        if (descriptor.AnyAidAttached()) return true;
    return false;
}

void CXlWizExUIFunctionRegistry::AttachList(std::string_view function, int index, std::u16string_view text) {
    auto it = descriptors_.try_emplace(std::string(function), function).first;
    it->second.AttachList(
        index, std::make_unique<CXlWizExUIListProvider>(text, Zr::Xll::kListSeparator, Zr::Xll::kItemSeparator));
}

CWizardHookState::~CWizardHookState() { Remove(); }

void CWizardHookState::Install(uintptr_t thread) {
    if (g_installedHook.load()) throw CXlRuntimeException("An instance of CWizardHook is already installed");
    wizardActive = nameCapturePending = false;
    functionName.clear();
    thread_ = thread;
    g_installedHook = this;
}

void CWizardHookState::Remove() {
    CWizardHookState* self = this;
    g_installedHook.compare_exchange_strong(self, nullptr);
    thread_ = 0;
}

void CWizardHookState::OnFunctionCall(uintptr_t thread, std::string_view name) {
    if (thread != thread_.load(std::memory_order_relaxed)) return;
    if (nameCapturePending) {
        functionName = name;
    } else if (wizardActive && functionName.empty()) {
        functionName = name;
        RebuildControls();
    }
}

namespace Zr::Xll {

CXlWizExUIFunctionRegistry* WizardRegistry() { return g_registry; }

void AttachArgumentLists(CXlWizExUIFunctionRegistry& registry) {
    for (const WorksheetFunction* f : WorksheetFunctions())
        for (size_t i = 0; i < f->arguments.size(); ++i)
            if (!f->arguments[i].list.empty()) registry.AttachList(f->name, int(i), f->arguments[i].list);
}

bool AcceptsRowText(int mode, std::u16string_view text) {
    const std::u16string_view blanks = u" \t\r\n";
    text.remove_prefix(std::min(text.find_first_not_of(blanks), text.size()));
    text.remove_suffix(text.size() - (text.find_last_not_of(blanks) + 1));
    switch (mode) {
        case 1: return text.empty();
        case 2:
            return text.empty() || text[0] == u'"' || (text[0] >= u'0' && text[0] <= u'9') || text == u"FALSE" ||
                   text == u"TRUE";
        case 3: return true;
        default: return false;
    }
}

bool KeyOpensAid(const CXlWizExUIKeySettings& settings, int key, bool modifierHeld, std::u16string_view rowText) {
    if (key != settings.key) return false;
    if (IsModifierKey(settings.modifier) && !modifierHeld) return false;
    return AcceptsRowText(settings.mode, rowText);
}

void NotifyFunctionCall(std::string_view name) {
    if (CWizardHookState* hook = g_installedHook.load(std::memory_order_acquire))
        hook->OnFunctionCall(Platform::CurrentThreadId(), name);
}

}  // namespace Zr::Xll
