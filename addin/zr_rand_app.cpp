// The add-in's application object: names the add-in and builds one
// registration object per static record.
#include "functions/version_info.h"
#include "xll/function_record.h"
#include "xll/xll_app.h"

namespace {

class ZrRandApp : public CXllApp {
public:
    int ProcessAttach(void* module) override {
        CXllApp::ProcessAttach(module);
        SetName(ZR_PRODUCT_NAME);
        BuildRegistrations();
        return 1;
    }
};

ZrRandApp g_app ZR_EARLY_INIT;

}  // namespace
