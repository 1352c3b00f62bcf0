// Excel's value records (XLOPER for Excel 97-2003, XLOPER12 for Excel 2007+),
// their type codes, function numbers and return codes. Plain C layout so that
// the host side can use the same definitions; sizes and offsets are checked
// below because Excel reads these records byte by byte.
#pragma once

#include <cstddef>
#include <cstdint>

#include "xll/platform_export.h"  // ZR_EXPORT

// Wide text as Excel passes it: UTF-16 code units (wchar_t on Windows).
using XCHAR = char16_t;

struct XLOPER;
struct XLOPER12;

// Excel 97-2003 area: rows 16 bits, columns 8 bits.
struct XLREF {
    uint16_t rwFirst;
    uint16_t rwLast;
    uint8_t colFirst;
    uint8_t colLast;
};

struct XLMREF {
    uint16_t count;
    XLREF reftbl[1];
};

struct XLREF12 {
    int32_t rwFirst;
    int32_t rwLast;
    int32_t colFirst;
    int32_t colLast;
};

struct XLMREF12 {
    uint16_t count;
    XLREF12 reftbl[1];
};

struct XLOPER {
    union {
        double num;
        char* str;  // byte 0 is the length
        uint16_t xbool;
        uint16_t err;
        int16_t w;
        struct {
            uint16_t count;
            XLREF ref;
        } sref;
        struct {
            XLMREF* lpmref;
            uintptr_t idSheet;
        } mref;
        struct {
            XLOPER* lparray;
            uint16_t rows;
            uint16_t columns;
        } array;
        struct {
            void* data;
            int32_t cbData;
        } bigdata;
    } val;
    uint16_t xltype;
};

struct XLOPER12 {
    union {
        double num;
        XCHAR* str;  // element 0 is the length
        int32_t xbool;
        int32_t err;
        int32_t w;
        struct {
            uint16_t count;
            XLREF12 ref;
        } sref;
        struct {
            XLMREF12* lpmref;
            uintptr_t idSheet;
        } mref;
        struct {
            XLOPER12* lparray;
            int32_t rows;
            int32_t columns;
        } array;
        struct {
            void* data;
            int32_t cbData;
        } bigdata;
        unsigned char bytes[24];
    } val;
    uint32_t xltype;
};

static_assert(sizeof(XLOPER) == 24 && offsetof(XLOPER, xltype) == 16, "XLOPER layout");
static_assert(offsetof(XLOPER, val.array.rows) == 8 && offsetof(XLOPER, val.array.columns) == 10,
              "XLOPER array layout");
static_assert(offsetof(XLOPER, val.mref.idSheet) == 8, "XLOPER reference layout");
static_assert(sizeof(XLREF) == 6 && offsetof(XLOPER, val.sref.ref) == 2, "XLOPER area layout");
static_assert(sizeof(XLOPER12) == 32 && offsetof(XLOPER12, xltype) == 24, "XLOPER12 layout");
static_assert(offsetof(XLOPER12, val.array.rows) == 8 && offsetof(XLOPER12, val.array.columns) == 12,
              "XLOPER12 array layout");
static_assert(offsetof(XLOPER12, val.sref.ref) == 4 && sizeof(XLREF12) == 16, "XLOPER12 area layout");
static_assert(offsetof(XLMREF12, reftbl) == 4 && sizeof(XLMREF12) == 20, "XLOPER12 reference block");
static_assert(offsetof(XLOPER12, val.bigdata.cbData) == 8, "XLOPER12 big data layout");

// Type codes, identical in both layouts.
enum : uint32_t {
    xltypeNum = 0x0001,
    xltypeStr = 0x0002,
    xltypeBool = 0x0004,
    xltypeRef = 0x0008,
    xltypeErr = 0x0010,
    xltypeFlow = 0x0020,
    xltypeMulti = 0x0040,
    xltypeMissing = 0x0080,
    xltypeNil = 0x0100,
    xltypeSRef = 0x0400,
    xltypeInt = 0x0800,
    xltypeBigData = xltypeStr | xltypeInt,
    xlbitXLFree = 0x1000,
    xlbitDLLFree = 0x4000,
    xltypeMask = 0x0DFF,  // every type test masks the ownership bits away
};

enum ExcelErrorCode : int32_t {
    xlerrNull = 0,
    xlerrDiv0 = 7,
    xlerrValue = 15,
    xlerrRef = 23,
    xlerrName = 29,
    xlerrNum = 36,
    xlerrNA = 42,
};

// Excel 12 grid and the largest array each record can describe.
constexpr int32_t kMaxRows12 = 1048576;
constexpr int32_t kMaxColumns12 = 16384;
constexpr int32_t kMaxRows4 = 65535;  // the record's 16-bit row count cannot hold 65,536
constexpr int32_t kMaxColumns4 = 256;

// Return codes of Excel4v and the Excel 12 callback.
enum : int {
    xlretSuccess = 0,
    xlretAbort = 1,
    xlretInvXlfn = 2,
    xlretInvCount = 4,
    xlretInvXloper = 8,
    xlretStackOvfl = 16,
    xlretFailed = 32,
    xlretUncalced = 64,
    xlretRefusedByBridge = 256,
};

// Function numbers used by the add-in.
enum : int {
    xlIntl = 0x2000,
    xlSpecial = 0x4000,
    xlCommand = 0x8000,
    xlFree = 0 | xlSpecial,
    xlCoerce = 2 | xlSpecial,
    xlGetHwnd = 8 | xlSpecial,
    xlGetName = 9 | xlSpecial,
    xlfSetName = 88,
    xlfRegister = 149,
    xlfGetWorkspace = 186,
    xlfUnregister = 201,
    xlfRtd = 379,
    xlcRun = 17 | xlCommand,
    xlcAlert = 118 | xlCommand,
    xlcNew = 119 | xlCommand,
    xlcEcho = 141 | xlCommand,
    xlcFileClose = 144 | xlCommand,
};

// The host's entry points as Excel provides them.
using Excel4vProc = int (*)(int xlfn, XLOPER* result, int count, XLOPER** args);
using Excel12Proc = int (*)(int xlfn, int count, XLOPER12** args, XLOPER12* result);

inline uint32_t MaskedType(uint32_t xltype) { return xltype & xltypeMask; }
