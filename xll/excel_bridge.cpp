#include "xll/excel_bridge.h"

#include <atomic>
#include <type_traits>
#include <vector>

#include "xll/oper_records.h"
#include "xll/platform.h"

namespace Zr::Xll {
namespace {

constexpr int kMaxArgs4 = 30;
constexpr int kMaxArgs12 = 255;

std::atomic<Excel12Proc> g_handedExcel12 = nullptr;
std::atomic<Excel4vProc> g_handedExcel4 = nullptr;

// The host's "MdCallBack12" is preferred; what SetExcel12EntryPt handed over
// serves only when the host exports none. Likewise for Excel4v, which on
// Windows is always found (imported from XLCALL32.DLL).
Excel12Proc Excel12Entry() {
    static const auto found = reinterpret_cast<Excel12Proc>(Platform::FindMainModuleSymbol("MdCallBack12"));
    return found ? found : g_handedExcel12.load();
}

Excel4vProc Excel4Entry() {
    static const Excel4vProc found = Platform::FindExcel4v();
    return found ? found : g_handedExcel4.load();
}

// An argument's record for one interface, converted into a temporary when
// only the other side is valid.
template <class Rec>
struct ArgumentRecords {
    std::vector<Rec*> pointers;
    std::vector<Rec> temporaries;
    int code = 0;

    explicit ArgumentRecords(std::span<const CXlOper* const> args) : temporaries(args.size()) {
        for (size_t i = 0; i < args.size() && code == 0; ++i) pointers.push_back(Select(*args[i], temporaries[i]));
    }
    ~ArgumentRecords() {
        for (Rec& r : temporaries) FreeRecord(r);
    }

    Rec* Select(const CXlOper& arg, Rec& temporary) {
        constexpr bool modern = std::is_same_v<Rec, XLOPER12>;
        const bool own = modern ? arg.ModernValid() : arg.LegacyValid();
        const bool other = modern ? arg.LegacyValid() : arg.ModernValid();
        if (own) {
            if constexpr (modern) return arg.Modern(); else return arg.Legacy();
        }
        bool allocated = false;
        bool converted = false;
        if constexpr (modern) converted = other && ConvertRecord(arg.Legacy(), &temporary, allocated);
        else converted = other && ConvertRecord(arg.Modern(), &temporary, allocated);
        if (!converted) code = other ? xlretRefusedByBridge : xlretInvXloper;
        return &temporary;
    }
};

int Call12(int xlfn, CXlOper* result, std::span<const CXlOper* const> args) {
    if (args.size() > size_t(kMaxArgs12)) return xlretInvCount;
    Excel12Proc entry = Excel12Entry();
    if (!entry) return xlretFailed;
    ArgumentRecords<XLOPER12> records(args);
    if (records.code != 0) return records.code;
    if (result) result->Release();
    XLOPER12 ignored{};
    const int code = entry(xlfn, int(args.size()), records.pointers.data(), result ? result->Modern() : &ignored);
    if (code == xlretSuccess && result) result->TakeExcelResult(true);
    if (code == xlretSuccess && !result) FreeExcelRecord(&ignored);
    return code;
}

int Call4(int xlfn, CXlOper* result, std::span<const CXlOper* const> args) {
    if (args.size() > size_t(kMaxArgs4)) return xlretRefusedByBridge;
    Excel4vProc entry = Excel4Entry();
    if (!entry) return xlretFailed;
    ArgumentRecords<XLOPER> records(args);
    if (records.code != 0) return records.code;
    if (result) result->Release();
    XLOPER ignored{};
    const int code = entry(xlfn, result ? result->Legacy() : &ignored, int(args.size()), records.pointers.data());
    if (code == xlretSuccess && result) result->TakeExcelResult(false);
    if (code == xlretSuccess && !result) FreeExcelRecord(&ignored);
    return code;
}

}  // namespace

int CallExcel(int xlfn, CXlOper* result, std::span<const CXlOper* const> args, BridgeMode mode) {
    if (mode == BridgeMode::Auto) mode = IsExcel12() ? BridgeMode::Excel12 : BridgeMode::Legacy;
    if (mode == BridgeMode::Excel12 && !IsExcel12()) return xlretRefusedByBridge;
    return mode == BridgeMode::Excel12 ? Call12(xlfn, result, args) : Call4(xlfn, result, args);
}

int CallExcel(int xlfn, CXlOper* result, std::initializer_list<const CXlOper*> args, BridgeMode mode) {
    return CallExcel(xlfn, result, std::span<const CXlOper* const>(args.begin(), args.size()), mode);
}

void FreeExcelRecord(XLOPER12* record) {
    Excel12Proc entry = Excel12Entry();
    if (entry && record) entry(xlFree, 1, &record, nullptr);
}

void FreeExcelRecord(XLOPER* record) {
    Excel4vProc entry = Excel4Entry();
    if (entry && record) entry(xlFree, nullptr, 1, &record);
}

void SetExcel12Entry(void* entry) { g_handedExcel12 = reinterpret_cast<Excel12Proc>(entry); }
void SetExcel4Entry(void* entry) { g_handedExcel4 = reinterpret_cast<Excel4vProc>(entry); }

}  // namespace Zr::Xll
