// Per-thread data: the static records that the entries hand to Excel and the
// thread's spare result value. One block per calling thread, created on first
// use, so it also works on threads that existed before the add-in was loaded.
#pragma once

#include "xll/xl_oper.h"

struct CXlThreadData {
    XLOPER result4{};     // what an _4 entry returns to Excel
    XLOPER12 result12{};  // what an _12 entry returns to Excel
    CXlOper xloResult;    // a body may fill this and name it as its result
    CXlOper missing;      // passed for omitted arguments in calls to Excel
    uintptr_t reserved[2] = {0, 0};

    CXlThreadData() { missing.SetMissing(); }
    ~CXlThreadData();
};

namespace Zr::Xll {
// The calling thread's block (created on first use); null only when memory
// or the thread slot is exhausted.
CXlThreadData* ThreadData();
// Process attach/detach and thread detach steps.
bool CreateThreadDataSlot();
void DestroyThreadDataSlot();  // also frees the calling thread's block
void ReleaseThreadData();      // frees the calling thread's block
}  // namespace Zr::Xll
