#include "xll/function_record.h"

namespace Zr::Xll {
namespace {
// Constant-initialised, so records of any translation unit can link
// themselves during static initialisation.
const XlFunctionRecord* g_head = nullptr;
}  // namespace

void LinkFunctionRecord(XlFunctionRecord& record) {
    record.next = g_head;
    g_head = &record;
}

const XlFunctionRecord* FunctionRecords() { return g_head; }

}  // namespace Zr::Xll
