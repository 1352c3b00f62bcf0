// A small XLL for testing the host: it opens, registers and unregisters as a
// real add-in does (through Excel4v, or MdCallBack12 when Excel is 2007 or
// later) and exports a few worksheet functions whose results are easy to
// check. It uses no framework, only the record layouts.
#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "xll/xl_records.h"

// Windows: imported from XLCALL32.DLL and user32.dll. Natively: resolved
// against the host program's exported symbols when the library is loaded.
extern "C" int Excel4v(int xlfn, XLOPER* result, int count, XLOPER** args);
#if defined(_WIN32)
extern "C" __declspec(dllimport) int MessageBoxW(void* owner, const wchar_t* text, const wchar_t* caption,
                                                 unsigned style);
#else
extern "C" int MessageBoxW(void* owner, const char16_t* text, const char16_t* caption, unsigned style);
#endif

namespace {

Excel12Proc g_excel12 = nullptr;
bool g_useExcel12 = false;

// --- Calls into the host ---------------------------------------------------------

// Builds the argument list of one call; texts are counted strings it owns.
template <class Record>
class Call {
public:
    using Char = std::remove_pointer_t<decltype(Record{}.val.str)>;

    Call& Num(double n) {
        Add(xltypeNum).val.num = n;
        return *this;
    }
    Call& Int(int n) {
        Add(xltypeInt).val.w = static_cast<decltype(Record{}.val.w)>(n);
        return *this;
    }
    Call& Missing() {
        Add(xltypeMissing);
        return *this;
    }
    Call& Same(const Record& r) {  // a shallow copy: the caller keeps ownership
        records_.push_back(r);
        return *this;
    }
    Call& Text(std::u16string_view text) {
        std::basic_string<Char>& s = texts_.emplace_back(1, Char(text.size()));
        for (char16_t c : text) s.push_back(Char(c));  // the tests' texts are ASCII
        Add(xltypeStr).val.str = s.data();
        return *this;
    }

    int Run(int function, Record* result) {
        std::vector<Record*> pointers;
        for (Record& r : records_) pointers.push_back(&r);
        if constexpr (std::is_same_v<Record, XLOPER12>)
            return g_excel12 ? g_excel12(function, int(pointers.size()), pointers.data(), result) : xlretFailed;
        else
            return Excel4v(function, result, int(pointers.size()), pointers.data());
    }

private:
    Record& Add(uint32_t type) {
        Record& r = records_.emplace_back();
        std::memset(&r, 0, sizeof r);
        r.xltype = static_cast<decltype(r.xltype)>(type);
        return r;
    }

    std::deque<Record> records_;
    std::deque<std::basic_string<Char>> texts_;
};

template <class Record>
void Free(Record& r) {
    Call<Record>().Same(r).Run(xlFree, nullptr);
}

template <class Record>
std::u16string TextOf(const Record& r) {
    if (MaskedType(r.xltype) != xltypeStr) return {};
    std::u16string text;
    for (size_t i = 1; i <= size_t(std::make_unsigned_t<std::remove_pointer_t<decltype(r.val.str)>>(r.val.str[0])); ++i)
        text.push_back(char16_t(std::make_unsigned_t<std::remove_pointer_t<decltype(r.val.str)>>(r.val.str[i])));
    return text;
}

int ExcelVersion() {
    XLOPER text{}, number{};
    if (Call<XLOPER>().Num(2).Run(xlfGetWorkspace | xlIntl, &text) != xlretSuccess) return 0;
    const int code = Call<XLOPER>().Same(text).Int(xltypeInt).Run(xlCoerce, &number);
    Free(text);
    return code == xlretSuccess ? number.val.w : 0;
}

// --- The functions ---------------------------------------------------------------

struct Function {
    const char* procedure12;
    const char* type12;
    const char* procedure4;
    const char* type4;
    const char16_t* name;
    const char16_t* argumentNames;
    int macroType;
    const char16_t* category;
    const char16_t* help;
    std::vector<const char16_t*> argumentHelps;
};

const std::vector<Function> kFunctions = {
    {"FakeAdd_12", "UBB$", "FakeAdd_4", "RBB", u"FakeAdd", u"x,y", 1, u"Fake", u"Adds two numbers.",
     {u"The first.", u"The second."}},
    {"FakeEcho_12", "UQ$", "FakeEcho_4", "RP", u"FakeEcho", u"value", 1, u"Fake", u"Returns its argument.",
     {u"Any value."}},
    {"FakeGrid_12", "UJJ$", "FakeGrid_4", "RJJ", u"FakeGrid", u"rows,columns", 1, u"Fake", u"A grid of r*10+c.",
     {u"Rows.", u"Columns."}},
    {"FakeWeighted_12", "UJBIBAJJJB$", "FakeWeighted_4", "RJBIBAJJJB", u"FakeWeighted", u"a,b,c,d,flag,e,f,g,h",
     1, u"Fake", u"Sum of argument k times k.", {}},
    {"FakeName_12", "U$", "FakeName_4", "R", u"FakeName", u"", 1, u"Fake", u"The add-in's path.", {}},
    {"FakeCommand_12", "UJ", "FakeCommand_4", "RJ", u"FakeCommand", u"code", 2, u"14", u"A command.", {u"Code."}},
};

struct Registered {
    const Function* function;
    double id;
};
std::vector<Registered> g_registered;
XLOPER12 g_module12{};
XLOPER g_module4{};

template <class Record>
double Register(const Function& f, const Record& module) {
    const bool modern = std::is_same_v<Record, XLOPER12>;
    Call<Record> call;
    const std::string procedure = modern ? f.procedure12 : f.procedure4;
    const std::string type = modern ? f.type12 : f.type4;
    call.Same(module)
        .Text(std::u16string(procedure.begin(), procedure.end()))
        .Text(std::u16string(type.begin(), type.end()))
        .Text(f.name)
        .Text(f.argumentNames)
        .Text(f.macroType == 2 ? u"2" : u"1");
    if (std::u16string_view(f.category) == u"14")
        call.Int(14);
    else
        call.Text(f.category);
    call.Text(u"").Text(u"").Text(f.help);
    for (const char16_t* help : f.argumentHelps) call.Text(help);
    Record id{};
    if (call.Run(xlfRegister, &id) != xlretSuccess) return 0;
    const double result = MaskedType(id.xltype) == xltypeNum ? id.val.num : 0;
    Free(id);
    return result;
}

template <class Record>
void Unregister(const Registered& r, const Record& module) {
    Call<Record>().Num(r.id).Run(xlfUnregister, nullptr);
    Call<Record>().Text(r.function->name).Run(xlfSetName, nullptr);
    Call<Record>()
        .Same(module)
        .Text(u"xlAutoRemove")
        .Text(u"J")
        .Text(r.function->name)
        .Missing()
        .Int(0)
        .Run(xlfRegister, nullptr);
}

void UnregisterAll() {
    for (const Registered& r : g_registered) {
        if (g_useExcel12)
            Unregister(r, g_module12);
        else
            Unregister(r, g_module4);
    }
    g_registered.clear();
}

bool AskToContinue(const std::u16string& failed) {
    const std::u16string text = u"These functions could not be registered:\n" + failed;
#if defined(_WIN32)
    const auto* t = reinterpret_cast<const wchar_t*>(text.c_str());
    return MessageBoxW(nullptr, t, L"Add-in Load Failure", 52) == 6;
#else
    return MessageBoxW(nullptr, text.c_str(), u"Add-in Load Failure", 52) == 6;
#endif
}

template <class Record>
bool RegisterAll(const Record& module) {
    std::u16string failed;
    for (const Function& f : kFunctions) {
        const double id = Register(f, module);
        if (id != 0)
            g_registered.push_back({&f, id});
        else
            failed += std::u16string(f.name) + u"\n";
    }
    return failed.empty() || AskToContinue(failed);
}

template <class Record>
bool CheckInternationalSettings() {
    Record settings{};
    if (Call<Record>().Num(37).Run(xlfGetWorkspace | xlIntl, &settings) != xlretSuccess) return false;
    const bool ok = MaskedType(settings.xltype) == xltypeMulti && settings.val.array.columns > 7 &&
                    TextOf(settings.val.array.lparray[6]) == u"R" && TextOf(settings.val.array.lparray[7]) == u"C";
    Free(settings);
    return ok;
}

template <class Record>
int Open(Record& module) {
    if (Call<Record>().Run(xlGetName, &module) != xlretSuccess) return 0;
    const std::u16string note =
        CheckInternationalSettings<Record>() ? u"fake add-in open" : u"fake add-in: wrong R1C1 letters";
    Call<Record>().Text(note).Int(2).Run(xlcAlert, nullptr);
    if (RegisterAll(module)) return 1;
    UnregisterAll();
    Free(module);
    return 0;
}

// --- Results -----------------------------------------------------------------------

template <class Record>
void DeepCopy(const Record& from, Record& to) {
    using Char = std::remove_pointer_t<decltype(from.val.str)>;
    to = from;
    to.xltype = MaskedType(from.xltype);
    if (to.xltype == xltypeStr) {
        const size_t n = size_t(std::make_unsigned_t<Char>(from.val.str[0]));
        to.val.str = new Char[n + 1];
        std::memcpy(to.val.str, from.val.str, (n + 1) * sizeof(Char));
    } else if (to.xltype == xltypeMulti) {
        const size_t n = size_t(from.val.array.rows) * size_t(from.val.array.columns);
        to.val.array.lparray = new Record[n];
        for (size_t i = 0; i < n; ++i) DeepCopy(from.val.array.lparray[i], to.val.array.lparray[i]);
    }
}

template <class Record>
void FreeDeep(Record& r) {
    if (MaskedType(r.xltype) == xltypeStr) {
        delete[] r.val.str;
    } else if (MaskedType(r.xltype) == xltypeMulti) {
        const size_t n = size_t(r.val.array.rows) * size_t(r.val.array.columns);
        for (size_t i = 0; i < n; ++i) FreeDeep(r.val.array.lparray[i]);
        delete[] r.val.array.lparray;
    }
    std::memset(&r, 0, sizeof r);
}

template <class Record>
Record* Slot() {
    thread_local Record slot{};
    if (slot.xltype & xlbitDLLFree) FreeDeep(slot);  // the host never gave it back
    std::memset(&slot, 0, sizeof slot);
    return &slot;
}

template <class Record>
Record* Number(double n) {
    Record* r = Slot<Record>();
    r->xltype = xltypeNum;
    r->val.num = n;
    return r;
}

template <class Record>
Record* Echo(const Record* value) {
    Record* r = Slot<Record>();
    DeepCopy(*value, *r);
    if (r->xltype == xltypeStr || r->xltype == xltypeMulti) r->xltype |= xlbitDLLFree;
    return r;
}

template <class Record>
Record* Grid(int rows, int columns) {
    Record* r = Slot<Record>();
    if (rows < 1 || columns < 1) {
        r->xltype = xltypeErr;
        r->val.err = xlerrValue;
        return r;
    }
    r->val.array.lparray = new Record[size_t(rows) * size_t(columns)]();
    r->val.array.rows = static_cast<decltype(r->val.array.rows)>(rows);
    r->val.array.columns = static_cast<decltype(r->val.array.columns)>(columns);
    for (int i = 0; i < rows * columns; ++i) {
        r->val.array.lparray[i].xltype = xltypeNum;
        r->val.array.lparray[i].val.num = (i / columns) * 10 + i % columns;
    }
    r->xltype = xltypeMulti | xlbitDLLFree;
    return r;
}

double Weighted(int a, double b, short c, double d, short flag, int e, int f, int g, double h) {
    return a * 1 + b * 2 + c * 3 + d * 4 + (flag ? 1 : 0) * 5 + e * 6 + f * 7 + g * 8 + h * 9;
}

}  // namespace

ZR_EXPORT void SetExcel12EntryPt(void* entry) { g_excel12 = reinterpret_cast<Excel12Proc>(entry); }

ZR_EXPORT int xlAutoOpen() {
    if (!g_registered.empty()) return 0;  // already open
    g_useExcel12 = ExcelVersion() >= 12 && g_excel12;
    return g_useExcel12 ? Open(g_module12) : Open(g_module4);
}

ZR_EXPORT int xlAutoClose() { return 1; }
ZR_EXPORT int xlAutoAdd() { return 1; }

ZR_EXPORT int xlAutoRemove() {
    UnregisterAll();
    if (g_useExcel12)
        Free(g_module12);
    else
        Free(g_module4);
    return 1;
}

ZR_EXPORT void xlAutoFree12(XLOPER12* r) { FreeDeep(*r); }
ZR_EXPORT void xlAutoFree(XLOPER* r) { FreeDeep(*r); }

ZR_EXPORT XLOPER12* FakeAdd_12(double x, double y) { return Number<XLOPER12>(x + y); }
ZR_EXPORT XLOPER* FakeAdd_4(double x, double y) { return Number<XLOPER>(x + y); }
ZR_EXPORT XLOPER12* FakeEcho_12(const XLOPER12* value) { return Echo(value); }
ZR_EXPORT XLOPER* FakeEcho_4(const XLOPER* value) { return Echo(value); }
ZR_EXPORT XLOPER12* FakeGrid_12(int rows, int columns) { return Grid<XLOPER12>(rows, columns); }
ZR_EXPORT XLOPER* FakeGrid_4(int rows, int columns) { return Grid<XLOPER>(rows, columns); }
ZR_EXPORT XLOPER12* FakeCommand_12(int code) { return Number<XLOPER12>(code); }
ZR_EXPORT XLOPER* FakeCommand_4(int code) { return Number<XLOPER>(code); }

ZR_EXPORT XLOPER12* FakeWeighted_12(int a, double b, short c, double d, short flag, int e, int f, int g, double h) {
    return Number<XLOPER12>(Weighted(a, b, c, d, flag, e, f, g, h));
}

ZR_EXPORT XLOPER* FakeWeighted_4(int a, double b, short c, double d, short flag, int e, int f, int g, double h) {
    return Number<XLOPER>(Weighted(a, b, c, d, flag, e, f, g, h));
}

// Returns the host's own record: Excel frees it after copying (xlbitXLFree).
ZR_EXPORT XLOPER12* FakeName_12() {
    XLOPER12* r = Slot<XLOPER12>();
    Call<XLOPER12>().Run(xlGetName, r);
    return r;
}

ZR_EXPORT XLOPER* FakeName_4() {
    XLOPER* r = Slot<XLOPER>();
    Call<XLOPER>().Run(xlGetName, r);
    return r;
}
