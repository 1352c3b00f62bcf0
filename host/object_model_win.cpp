// The host's Excel object model: an Application automation object with the
// members an add-in's bridge uses, registered as the running Excel (active
// object under the class of "Excel.Application"), as a workbook in the
// running object table and behind a workbook window's accessible object.
#include "host/object_model.h"

#include <windows.h>
#include <oleacc.h>
#include <oleauto.h>

#include <array>

#include "host/host_platform.h"
#include "host/value.h"

namespace Zr::Host {
namespace {

// The class the host's Excel registers under (not Excel's own, so that a
// real Excel on the same machine is left alone).
constexpr CLSID kApplicationClass = {0x5a524558, 0x4345, 0x4c41, {0x50, 0x50, 0x4c, 0x49, 0x43, 0x41, 0x54, 0x49}};
constexpr wchar_t kApplicationClassText[] = L"{5A524558-4345-4C41-5050-4C4943415449}";
constexpr wchar_t kProgIdKey[] = L"Excel.Application";

enum : DISPID { kApplication = 1, kExecuteExcel4Macro, kFirstHandler };
constexpr std::array<const char16_t*, 3> kHandlers = {u"OnSheetActivate", u"OnSheetDeactivate", u"OnCalculate"};
constexpr SCODE kValueError = 0x800A07DF;  // #VALUE! as Automation carries Excel's errors

const wchar_t* W(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
std::u16string U(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }

// The three texts of CALL("path","name","type"); false for any other text.
bool ParseCall(const std::u16string& text, std::array<std::u16string, 3>& parts) {
    const std::u16string head = u"CALL(";
    if (!text.starts_with(head)) return false;
    size_t at = head.size();
    for (size_t i = 0; i < parts.size(); ++i) {
        const size_t end = at < text.size() && text[at] == u'"' ? text.find(u'"', at + 1) : std::u16string::npos;
        if (end == std::u16string::npos || end + 1 >= text.size()) return false;
        parts[i] = text.substr(at + 1, end - at - 1);
        if (text[end + 1] != (i + 1 < parts.size() ? u',' : u')')) return false;
        at = end + 2;
    }
    return at == text.size();
}

}  // namespace

class ExcelInstance::Application final : public IDispatch {
public:
    Application(MacroAnswer answer, bool dispatch) : answer_(answer), dispatch_(dispatch) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = iid == IID_IUnknown || (dispatch_ && iid == IID_IDispatch) ? this : nullptr;
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (count != 1) return DISP_E_UNKNOWNNAME;
        *ids = DISPID_UNKNOWN;
        if (lstrcmpiW(names[0], L"Application") == 0) *ids = kApplication;
        if (lstrcmpiW(names[0], L"ExecuteExcel4Macro") == 0) *ids = kExecuteExcel4Macro;
        for (size_t i = 0; i < kHandlers.size(); ++i)
            if (lstrcmpiW(names[0], W(kHandlers[i])) == 0) *ids = kFirstHandler + DISPID(i);
        return *ids == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        VARIANT ignored;
        VariantInit(&ignored);
        if (result) VariantInit(result);
        const HRESULT hr = Dispatch(id, flags, params, result ? *result : ignored);
        VariantClear(&ignored);
        return hr;
    }

    std::vector<std::u16string> Log() const { return log_; }
    std::u16string Handler(const std::u16string& name) const {
        for (size_t i = 0; i < kHandlers.size(); ++i)
            if (name == kHandlers[i]) return handlers_[i];
        return {};
    }

private:
    ~Application() = default;

    HRESULT Dispatch(DISPID id, WORD flags, const DISPPARAMS* params, VARIANT& result) {
        const bool oneText = params && params->cArgs == 1 && params->rgvarg[0].vt == VT_BSTR;
        if (id == kApplication && (flags & DISPATCH_PROPERTYGET)) {
            AddRef();
            result.vt = VT_DISPATCH;
            result.pdispVal = this;
            return S_OK;
        }
        if (id == kExecuteExcel4Macro && (flags & DISPATCH_METHOD))
            return oneText ? ExecuteExcel4Macro(U(params->rgvarg[0].bstrVal), result) : DISP_E_TYPEMISMATCH;
        const size_t handler = size_t(id - kFirstHandler);
        if (handler >= kHandlers.size()) return DISP_E_MEMBERNOTFOUND;
        if (flags & DISPATCH_PROPERTYPUT) {
            if (!oneText) return DISP_E_TYPEMISMATCH;
            handlers_[handler] = U(params->rgvarg[0].bstrVal);
            log_.push_back(kHandlers[handler] + (u" = " + handlers_[handler]));
            return S_OK;
        }
        result.vt = VT_BSTR;
        result.bstrVal = SysAllocString(W(handlers_[handler]));
        return S_OK;
    }

    // Only CALL of a 32-bit integer function; its value comes back as a number.
    HRESULT ExecuteExcel4Macro(const std::u16string& text, VARIANT& result) {
        log_.push_back(u"ExecuteExcel4Macro(" + text + u")");
        if (answer_ == MacroAnswer::Refuse) return DISP_E_EXCEPTION;
        result.vt = VT_R8;
        result.dblVal = 1;
        if (answer_ == MacroAnswer::Foreign) return S_OK;
        std::array<std::u16string, 3> call;
        HMODULE library = nullptr;
        FARPROC function = nullptr;
        if (ParseCall(text, call) && (call[2] == u"j" || call[2] == u"J")) {
            // The add-in's text puts a '%' before the path; the path follows it.
            const std::u16string path = call[0].starts_with(u"%") ? call[0].substr(1) : call[0];
            library = GetModuleHandleW(W(path));
            const std::string name(call[1].begin(), call[1].end());
            function = library ? GetProcAddress(library, name.c_str()) : nullptr;
        }
        if (!function) {
            result.vt = VT_ERROR;
            result.scode = kValueError;
            return S_OK;
        }
        result.dblVal = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(function))();
        return S_OK;
    }

    ULONG references_ = 1;
    MacroAnswer answer_;
    bool dispatch_;
    std::array<std::u16string, 3> handlers_;
    std::vector<std::u16string> log_;
};

namespace {

// Excel's workbook window hands out its object model to accessibility.
LRESULT CALLBACK WorkbookWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* object = reinterpret_cast<IUnknown*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_GETOBJECT && LONG(lParam) == OBJID_NATIVEOM && object)
        return LresultFromObject(IID_IDispatch, wParam, object);
    return DefWindowProcW(window, message, wParam, lParam);
}

void* OpenWindows(IUnknown* object) {
    static const bool registered = [] {
        WNDCLASSW c = {};
        c.lpfnWndProc = WorkbookWindowProc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = L"EXCEL7";
        return RegisterClassW(&c) != 0;
    }();
    void* main = HostPlatform::CreateTopWindow("XLMAIN", u"Microsoft Excel", nullptr);
    if (!registered || !main) return main;
    HWND book = CreateWindowExW(0, L"EXCEL7", L"Book1", WS_CHILD, 0, 0, 200, 100, static_cast<HWND>(main), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(book, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    return main;
}

}  // namespace

ExcelInstance::ExcelInstance(const ExcelInstanceOptions& options)
    : application_(new Application(options.answer, options.dispatch)) {
    CoInitialize(nullptr);
    if (options.active)
        RegisterActiveObject(application_, kApplicationClass, ACTIVEOBJECT_STRONG, &activeCookie_);
    if (options.workbook) {
        // Workbooks are registered under their file names; each instance has its own.
        static unsigned books = 0;
        IRunningObjectTable* rot = nullptr;
        IMoniker* moniker = nullptr;
        const std::wstring name = L"C:\\ZrHost\\Book" + std::to_wstring(++books) + L".xlsx";
        if (SUCCEEDED(GetRunningObjectTable(0, &rot)) && SUCCEEDED(CreateFileMoniker(name.c_str(), &moniker)))
            rot->Register(ROTFLAGS_REGISTRATIONKEEPSALIVE, application_, moniker, &workbookCookie_);
        if (moniker) moniker->Release();
        if (rot) rot->Release();
    }
    if (options.window) window_ = OpenWindows(application_);
}

ExcelInstance::~ExcelInstance() {
    if (window_) HostPlatform::DestroyTopWindow(window_);
    if (activeCookie_) RevokeActiveObject(activeCookie_, nullptr);
    IRunningObjectTable* rot = nullptr;
    if (workbookCookie_ && SUCCEEDED(GetRunningObjectTable(0, &rot))) {
        rot->Revoke(workbookCookie_);
        rot->Release();
    }
    application_->Release();
    CoUninitialize();
}

std::vector<std::u16string> ExcelInstance::Log() const { return application_->Log(); }
std::u16string ExcelInstance::Property(const std::u16string& name) const { return application_->Handler(name); }

unsigned long ExcelInstance::References() const {
    application_->AddRef();
    return application_->Release();
}

bool RegisterExcelProgId() {
    HKEY key = nullptr;
    const std::wstring path = std::wstring(kProgIdKey) + L"\\CLSID";
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr))
        return false;
    const LONG status = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kApplicationClassText),
                                       sizeof kApplicationClassText);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

namespace {

class WindowsObjectModelPlay : public ObjectModelPlay {
public:
    WindowsObjectModelPlay()
        : registered_(RegisterExcelProgId()), foreign_(ExcelInstanceOptions{.answer = MacroAnswer::Foreign}),
          hosting_(ExcelInstanceOptions{.active = false, .workbook = true, .window = true}) {}
    ~WindowsObjectModelPlay() override {
        if (registered_) UnregisterExcelProgId();
    }

    std::vector<std::string> Log() const override {
        std::vector<std::string> lines;
        for (const auto& [name, instance] : {std::pair{"foreign", &foreign_}, std::pair{"hosting", &hosting_}})
            for (const std::u16string& entry : instance->Log())
                lines.push_back(std::string("COM ") + name + ": " + ToUtf8(entry));
        return lines;
    }

private:
    bool registered_;
    ExcelInstance foreign_, hosting_;
};

}  // namespace

std::unique_ptr<ObjectModelPlay> PlayObjectModel() { return std::make_unique<WindowsObjectModelPlay>(); }

void UnregisterExcelProgId() {
    RegDeleteKeyW(HKEY_CLASSES_ROOT, (std::wstring(kProgIdKey) + L"\\CLSID").c_str());
    RegDeleteKeyW(HKEY_CLASSES_ROOT, kProgIdKey);
}

}  // namespace Zr::Host
