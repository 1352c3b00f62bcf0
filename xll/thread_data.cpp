#include "xll/thread_data.h"

#include <new>

#include "xll/oper_records.h"
#include "xll/platform.h"

CXlThreadData::~CXlThreadData() {
    Zr::Xll::FreeRecord(result4);
    Zr::Xll::FreeRecord(result12);
}

namespace Zr::Xll {
namespace {
void DeleteThreadData(void* data) { delete static_cast<CXlThreadData*>(data); }
}  // namespace

bool CreateThreadDataSlot() { return Platform::ThreadSlotCreate(DeleteThreadData); }

void DestroyThreadDataSlot() {
    ReleaseThreadData();
    Platform::ThreadSlotDestroy();
}

void ReleaseThreadData() {
    auto* data = static_cast<CXlThreadData*>(Platform::ThreadSlotGet());
    if (!data) return;
    Platform::ThreadSlotSet(nullptr);
    delete data;
}

CXlThreadData* ThreadData() {
    if (auto* data = static_cast<CXlThreadData*>(Platform::ThreadSlotGet())) return data;
    if (!CreateThreadDataSlot()) return nullptr;
    auto* data = new (std::nothrow) CXlThreadData;
    Platform::ThreadSlotSet(data);
    return data;
}

}  // namespace Zr::Xll
