#include "xll/worksheet_function.h"

#include <algorithm>

namespace Zr::Xll {
namespace {
// Constant-initialised, so functions of any translation unit can link
// themselves during static initialisation.
const WorksheetFunction* g_functions = nullptr;
}  // namespace

void WorksheetFunction::Link() {
    LinkFunctionRecord(record_);
    next_ = g_functions;
    g_functions = this;
}

std::vector<const WorksheetFunction*> WorksheetFunctions() {
    std::vector<const WorksheetFunction*> all;
    for (const WorksheetFunction* f = g_functions; f; f = f->next_) all.push_back(f);
    std::sort(all.begin(), all.end(), [](const WorksheetFunction* a, const WorksheetFunction* b) {
        return CaseInsensitiveLess(a->name, b->name);
    });
    return all;
}

}  // namespace Zr::Xll
