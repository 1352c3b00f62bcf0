// The static registration record: one constant record per function or
// command, linked at start-up into one global list (newest first), from which
// the application builds its registration objects.
#pragma once

#include <algorithm>
#include <cstdint>

struct XlFunctionRecord {
    const XlFunctionRecord* next;  // set when the record is linked
    const char* legacyExport;      // e.g. "ZrBetaDist_4"
    const char* modernExport;      // e.g. "ZrBetaDist_12"
    const char* legacyType;        // e.g. "RBBBA"
    const char* modernType;        // e.g. "UBBBA$"
    const char16_t* name;          // as shown in Excel
    const char* argumentNamesNarrow;  // null: derived from the wide text
    const char16_t* argumentNames;    // "x,alpha,beta,isCumulative"
    int macroType;                    // 1 worksheet function, 2 command
    const char* categoryNarrow;       // null: derived from the wide text
    const char16_t* category;         // a name, or a number written as text
    const char16_t* shortcut;
    uint16_t helpContext;  // 0: none
    const char16_t* helpTopic;
    const char* helpNarrow;  // null: derived from the wide text
    const char16_t* help;
    const char* argumentHelpNarrow;  // multi-string; null: derived from the wide list
    const char16_t* argumentHelp;    // one NUL-terminated text per argument, ended by an empty text
    const void* reserved;
    const char16_t* descriptor;  // brace notation, kept but not interpreted
    uint16_t minVersion;         // 0: no limit
    uint16_t maxVersion;
};

// Static records and the application object are built before the process
// entry runs (natively a library constructor of a later priority).
#define ZR_EARLY_INIT __attribute__((init_priority(1000)))

namespace Zr::Xll {
// Pushes `record` onto the global list; called by static initialisers.
void LinkFunctionRecord(XlFunctionRecord& record);
// The newest record; follow `next` for the rest.
const XlFunctionRecord* FunctionRecords();

// Excel's function names compare without regard to ASCII case.
template <class Text>
bool CaseInsensitiveLess(const Text& a, const Text& b) {
    auto lower = [](auto c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](auto x, auto y) { return lower(x) < lower(y); });
}

// Links a record when constructed at namespace scope.
struct StaticFunctionRecord {
    XlFunctionRecord record;
    explicit StaticFunctionRecord(const XlFunctionRecord& r) : record(r) { LinkFunctionRecord(record); }
};
}  // namespace Zr::Xll
