// Windows side of the bridge to Excel's object model, through COM Automation
// (IDispatch). Candidates for Excel's Application object come from the
// running object table, from Excel's programmatic identifiers and from the
// workbook windows' accessible objects; the one that hosts this library is
// the one whose ExecuteExcel4Macro of a CALL into this library reaches
// xlCheckInstance, which raises the instance flag in this process. Other
// Excel instances run the CALL in their own process and leave it down.
#include <windows.h>
#include <oleacc.h>
#include <oleauto.h>

#include <optional>
#include <string>
#include <utility>

#include "xll/exceptions.h"
#include "xll/platform_com.h"
#include "xll/string_format.h"

namespace Zr::Xll::PlatformCom {
namespace {

// Owns one reference to an interface.
template <class T>
class Ref {
public:
    Ref() = default;
    Ref(Ref&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    Ref& operator=(Ref&& other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~Ref() { Reset(); }
    void Reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    // For the functions that hand out a reference.
    T** Out() {
        Reset();
        return &p_;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    T* operator->() const { return p_; }
    T* Get() const { return p_; }
    T* Release() { return std::exchange(p_, nullptr); }

private:
    T* p_ = nullptr;
};

struct Connection {
    Ref<IDispatch> application;
    bool comInitialised = false;
};
Connection& State() {
    static Connection connection;
    return connection;
}

const wchar_t* W(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
std::u16string U(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }

void Trace(const std::u16string& text) { OutputDebugStringW(W(u"XlpComImpl: " + text + u"\n")); }

std::u16string Hex(HRESULT hr) {
    const std::string text = psl::HexText(uint32_t(hr));
    return std::u16string(text.begin(), text.end());
}

// A failed step: "<operation>(<arguments>) failed with error 0x...".
CXlComException StepFailure(const std::u16string& operation, const std::u16string& arguments, HRESULT hr) {
    return CXlComException(operation, hr, operation + u"(" + arguments + u") failed with error " + Hex(hr));
}

// Calls the member `name` of `object`; a property put passes its value as
// the one named argument, as Automation requires.
HRESULT Invoke(IDispatch* object, const std::u16string& name, WORD flags, VARIANT* args, UINT count,
               VARIANT* result) {
    DISPID id = 0;
    auto* names = const_cast<LPOLESTR>(W(name));
    HRESULT hr = object->GetIDsOfNames(IID_NULL, &names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    DISPID put = DISPID_PROPERTYPUT;
    const bool isPut = flags & DISPATCH_PROPERTYPUT;
    DISPPARAMS params{args, isPut ? &put : nullptr, count, isPut ? 1u : 0u};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

// Looks for the hosting instance among the candidates it is shown.
class Search {
public:
    explicit Search(const std::u16string& modulePath)
        // CALL("%{0}","{1}","j") with the module path and the check's name.
        : macro_(u"CALL(\"%" + modulePath + u"\",\"xlCheckInstance\",\"j\")") {}

    // Resolves the Application of `object` (an Application, workbook or
    // window) and asks it; true when it hosts this library.
    bool Ask(IDispatch* object, const char16_t* route) {
        VARIANT value;
        VariantInit(&value);
        HRESULT hr = Invoke(object, u"Application", DISPATCH_PROPERTYGET, nullptr, 0, &value);
        if (FAILED(hr) || value.vt != VT_DISPATCH || !value.pdispVal) {
            VariantClear(&value);
            Trace(std::u16string(route) + u": no Application property");
            return false;
        }
        Ref<IDispatch> application;
        *application.Out() = std::exchange(value.pdispVal, nullptr);
        asked_ = true;
        ClearInstanceChecked();
        VARIANT arg;
        arg.vt = VT_BSTR;
        arg.bstrVal = SysAllocString(W(macro_));
        VariantInit(&value);
        hr = Invoke(application.Get(), u"ExecuteExcel4Macro", DISPATCH_METHOD, &arg, 1, &value);
        VariantClear(&arg);
        VariantClear(&value);
        if (FAILED(hr) || !InstanceChecked()) {
            Trace(std::u16string(route) + u": instance does not host this library");
            return false;
        }
        Trace(std::u16string(route) + u": found the hosting instance");
        found_ = std::move(application);
        return true;
    }
    bool Asked() const { return asked_; }
    Ref<IDispatch> Found() { return std::move(found_); }

private:
    std::u16string macro_;
    Ref<IDispatch> found_;
    bool asked_ = false;
};

// Every object in the running object table (Excel registers its workbooks
// there); entries that cannot be bound or are not automation objects are
// other programs' and are passed over.
bool IterateRot(Search& search) {
    Ref<IRunningObjectTable> rot;
    HRESULT hr = GetRunningObjectTable(0, rot.Out());
    if (FAILED(hr)) throw StepFailure(u"GetRunningObjectTable", u"", hr);
    Ref<IBindCtx> context;
    if (FAILED(hr = CreateBindCtx(0, context.Out()))) throw StepFailure(u"CreateBindCtx", u"", hr);
    Ref<IEnumMoniker> monikers;
    if (FAILED(hr = rot->EnumRunning(monikers.Out()))) throw StepFailure(u"EnumRunning", u"", hr);
    Trace(u"IterateRot: acquired enum");
    if (FAILED(hr = monikers->Reset())) throw StepFailure(u"Reset", u"", hr);
    for (Ref<IMoniker> moniker; monikers->Next(1, moniker.Out(), nullptr) == S_OK;) {
        Ref<IDispatch> object;
        if (FAILED(moniker->BindToObject(context.Get(), nullptr, IID_IDispatch, object.OutVoid()))) {
            Trace(u"IterateRot: entry passed over");
            continue;
        }
        if (search.Ask(object.Get(), u"IterateRot")) return true;
    }
    return false;
}

// The running Excel.Application (the first Excel started registers itself).
// A failing step is kept in `failure` (the first only) and the next
// identifier tried.
bool TryProgIds(Search& search, std::optional<CXlComException>& failure) {
    for (const char16_t* id : {u"Excel.Application", u"Excel.Application.5"}) {
        const std::u16string quoted = u"\"" + std::u16string(id) + u"\"";
        CLSID clsid;
        Ref<IUnknown> object;
        Ref<IDispatch> dispatch;
        HRESULT hr = CLSIDFromProgID(W(id), &clsid);
        if (FAILED(hr)) {
            if (!failure) failure = StepFailure(u"CLSIDFromProgID", quoted + u", ...", hr);
        } else if (FAILED(hr = GetActiveObject(clsid, nullptr, object.Out()))) {
            if (!failure) failure = StepFailure(u"GetActiveObject", quoted, hr);
        } else if (FAILED(hr = object->QueryInterface(IID_IDispatch, dispatch.OutVoid()))) {
            if (!failure) failure = StepFailure(u"QueryInterface", u"IID_IDispatch", hr);
        } else if (search.Ask(dispatch.Get(), u"ProgId")) {
            return true;
        }
    }
    return false;
}

// Each Excel main window's workbook window hands out its Window object.
bool IterateWindows(Search& search) {
    for (HWND main = nullptr; (main = FindWindowExW(nullptr, main, L"XLMAIN", nullptr));) {
        HWND book = nullptr;
        EnumChildWindows(
            main,
            [](HWND child, LPARAM out) {
                wchar_t name[16] = {};
                GetClassNameW(child, name, 16);
                if (lstrcmpW(name, L"EXCEL7") != 0) return TRUE;
                *reinterpret_cast<HWND*>(out) = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&book));
        Ref<IDispatch> window;
        if (!book || FAILED(AccessibleObjectFromWindow(book, DWORD(OBJID_NATIVEOM), IID_IDispatch, window.OutVoid())))
            continue;
        if (search.Ask(window.Get(), u"IterateWindows")) return true;
    }
    return false;
}

}  // namespace

bool Available() { return true; }

void Connect(const std::u16string& modulePath) {
    Disconnect();
    const HRESULT hr = CoInitialize(nullptr);
    if (FAILED(hr)) throw CXlComException(u"CoInitialize", hr);
    State().comInitialised = true;
    try {
        Search search(modulePath);
        std::optional<CXlComException> failure;
        if (!IterateRot(search) && !TryProgIds(search, failure) && !IterateWindows(search)) {
            // No candidate at all: the identifier's failure says why.
            if (failure && !search.Asked()) throw *failure;
            throw CXlComException(u"Connect", E_FAIL, u"Failed to find running application");
        }
        State().application = search.Found();
    } catch (...) {
        Disconnect();
        throw;
    }
}

std::u16string AssignHandler(const std::u16string& property, const std::u16string& macro) {
    IDispatch* application = State().application.Get();
    if (!application) throw CXlComException(u"AssignHandler", E_UNEXPECTED);
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = Invoke(application, property, DISPATCH_PROPERTYGET, nullptr, 0, &value);
    if (FAILED(hr)) throw CXlComException(u"get_" + property, hr);
    std::u16string previous = value.vt == VT_BSTR && value.bstrVal ? U(value.bstrVal) : u"";
    VariantClear(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(W(macro));
    hr = Invoke(application, property, DISPATCH_PROPERTYPUT, &value, 1, nullptr);
    VariantClear(&value);
    if (FAILED(hr)) throw CXlComException(u"put_" + property, hr);
    Trace(u"AssignHandler: " + property + u" = " + macro);
    return previous;
}

void Disconnect() {
    Connection& state = State();
    state.application.Reset();
    if (std::exchange(state.comInitialised, false)) CoUninitialize();
}

}  // namespace Zr::Xll::PlatformCom
