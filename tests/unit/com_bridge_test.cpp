// The bridge's own rules, outside any add-in: one at a time, initialised once, only with an application.
#include <gtest/gtest.h>

#include "xll/com_bridge.h"
#include "xll/exceptions.h"

namespace {
const Zr::Xll::ComPlatform kNoObjectModel{[] { return true; }, [](const std::u16string&) {},
                                          [](const std::u16string&, const std::u16string&) { return std::u16string(); },
                                          [] {}};

std::string InitFailure(CXllCom& com) {
    try {
        com.Init();
    } catch (const CXlComException& e) {
        return e.what();
    }
    return "no failure";
}
}  // namespace

TEST(ComBridge, OneInstanceInitialisedOnceAndOnlyWithAnApplication) {
    CXllCom com(kNoObjectModel);
    EXPECT_EQ(CXllCom::Instance(), &com);
    try {
        CXllCom second(kNoObjectModel);
        ADD_FAILURE() << "a second bridge was created";
    } catch (const CXlComException& e) {
        EXPECT_STREQ(e.what(), "An instance of CXllCom has already been created");
    }
    EXPECT_EQ(InitFailure(com), "No CXllApp instance found");  // this process has no application object
    EXPECT_EQ(InitFailure(com), "Init() has already been called");
}
