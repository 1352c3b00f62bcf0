// Opening, registering, the add-in manager and removal, through the host.
#include <algorithm>
#include <sstream>

#include "host_fixture.h"

using namespace Zr::Testing;
using Zr::Host::Mode;
using Zr::Host::Registration;

namespace {

class RegistrationTest : public AddinTest {
protected:
    void SetUp() override { Open(ZR_ADDIN_PATH); }

    const Registration& Active(const std::u16string& name) {
        static const Registration none;
        for (const auto& r : active_ = host_.ActiveFunctions())
            if (r.FunctionName() == name) return found_ = r;
        ADD_FAILURE() << "not registered";
        return none;
    }

    std::vector<Registration> active_;
    Registration found_;
};

bool EndsWith(const std::u16string& text, const std::u16string& end) { return text.ends_with(end); }

}  // namespace

TEST_P(RegistrationTest, VersionIsRegisteredWithItsTexts) {
    const Registration& r = Active(u"ZrVersion");
    EXPECT_EQ(r.Procedure(), Modern() ? u"ZrVersion_12" : u"ZrVersion_4");
    EXPECT_EQ(r.TypeText(), Modern() ? u"U$" : u"R");
    EXPECT_EQ(r.throughExcel4, !Modern());
    EXPECT_EQ(r.ArgumentText(), u"");
    EXPECT_EQ(r.MacroType(), 1);
    EXPECT_EQ(r.Category(), Value::TextUtf8("ZrRand"));
    EXPECT_EQ(r.FunctionHelp(), u"Get version information..");
    EXPECT_TRUE(r.ArgumentHelps().empty());
    EXPECT_TRUE(EndsWith(r.Module(), u"ZrRand3.so") || EndsWith(r.Module(), u"ZrRand3.xll"));
}

// Help topics are the help file beside the library, "!", and a context
// number: from 1001 in case-insensitive name order, except the ribbon's own 4.
TEST_P(RegistrationTest, HelpContextsFollowNameOrder) {
    auto active = host_.ActiveFunctions();
    std::erase_if(active, [](const Registration& r) { return r.FunctionName() == u"RibbonCallback"; });
    auto lower = [](std::u16string s) {
        for (auto& c : s) c = (c >= 'A' && c <= 'Z') ? char16_t(c + 32) : c;
        return s;
    };
    std::sort(active.begin(), active.end(), [&](const Registration& a, const Registration& b) {
        return lower(a.FunctionName()) < lower(b.FunctionName());
    });
    std::u16string module = active.front().Module();
    const std::u16string helpFile = module.substr(0, module.size() - 3) + u"chm!";
    for (size_t i = 0; i < active.size(); ++i)
        EXPECT_EQ(active[i].HelpTopic(), helpFile + Zr::Host::FromUtf8(std::to_string(1001 + i)));
}

TEST_P(RegistrationTest, HiddenCommandsAreRegistered) {
    const Registration& ribbon = Active(u"RibbonCallback");
    EXPECT_EQ(ribbon.TypeText(), Modern() ? u"UJC%C%JC%C%A" : u"RJCCJCCA");
    EXPECT_EQ(ribbon.ArgumentText(), u"callback,id,tag,index,text,selectedId,pressed");
    EXPECT_EQ(ribbon.MacroType(), 2);
    EXPECT_EQ(ribbon.Category(), Value::Number(14));  // a decimal category goes as a number
    EXPECT_EQ(ribbon.FunctionHelp(), u"Handles all calls redirected from the ribbonX manager");
    EXPECT_TRUE(EndsWith(ribbon.HelpTopic(), u"chm!4")) << Zr::Host::ToUtf8(ribbon.HelpTopic());
    EXPECT_EQ(ribbon.ArgumentHelps().size(), 7u);

    const auto active = host_.ActiveFunctions();
    auto observer = std::find_if(active.begin(), active.end(),
                                 [](const Registration& r) { return r.Procedure() == u"CXlApp_ObserverEventHandler"; });
    ASSERT_NE(observer, active.end());
    EXPECT_EQ(observer->TypeText(), u"RJPPP");
    EXPECT_TRUE(observer->throughExcel4);  // it has only the legacy form
    EXPECT_EQ(observer->ArgumentText(), u"EventNumber,Arg1,Arg2,Arg3");
    EXPECT_EQ(observer->Category(), Value::TextUtf8("User Defined"));
    EXPECT_TRUE(observer->FunctionName().starts_with(u"xll_"));
    EXPECT_TRUE(EndsWith(observer->FunctionName(), u"_observer"));
}

TEST_P(RegistrationTest, SecondOpenDoesNothing) {
    const size_t before = host_.Registrations().size();
    EXPECT_EQ(host_.AutoOpen(), 0);
    EXPECT_EQ(host_.Registrations().size(), before);
}

TEST_P(RegistrationTest, AddInManagerKnowsTheName) {
    const std::string info = Modern() ? "xlAddInManagerInfo12" : "xlAddInManagerInfo";
    const std::string type = Modern() ? "UQ" : "RP";
    EXPECT_EQ(host_.CallExport(info, type, {Value::Number(1)}), Value::TextUtf8("ZrRand3"));
    EXPECT_EQ(host_.CallExport(info, type, {Value::Number(2)}), Value::Error(xlerrValue));
    EXPECT_EQ(host_.CallExport(info, type, {Value::TextUtf8("1")}), Value::TextUtf8("ZrRand3"));
}

TEST_P(RegistrationTest, RemoveUnregistersEverything) {
    const size_t registered = host_.ActiveFunctions().size();
    EXPECT_GE(registered, 3u);  // ZrVersion, the ribbon callback, the observer command, ...
    EXPECT_EQ(host_.AutoClose(), 1);
    EXPECT_EQ(host_.AutoRemove(), 1);
    EXPECT_TRUE(host_.ActiveFunctions().empty());
    for (const auto& r : host_.Registrations())
        if (!r.IsRemovalPlaceholder()) {
            EXPECT_TRUE(r.unregistered) << Zr::Host::ToUtf8(r.FunctionName());
            EXPECT_TRUE(r.nameDeleted) << Zr::Host::ToUtf8(r.FunctionName());
        }
    EXPECT_EQ(host_.Evaluate("ZrVersion()"), Value::Error(xlerrName));
    // Unloaded, it has handed back everything Excel gave it; loaded again,
    // it opens and registers afresh.
    host_.Unload();
    EXPECT_EQ(host_.OutstandingAllocations(), 0u);
    std::string error;
    ASSERT_TRUE(host_.Load(ZR_ADDIN_PATH, GetParam(), error)) << error;
    EXPECT_EQ(host_.AutoOpen(), 1);
    EXPECT_EQ(host_.ActiveFunctions().size(), registered);
}

TEST_P(RegistrationTest, ListShowsVersionWithItsHelp) {
    std::ostringstream list;
    host_.ListFunctions(list);
    EXPECT_NE(list.str().find("ZrVersion"), std::string::npos);
    EXPECT_NE(list.str().find("Get version information.."), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(BothModes, RegistrationTest, ::testing::Values(Mode::Excel12, Mode::Legacy),
                         [](const auto& info) { return Excel12Or4(info.param); });

// A function Excel refuses to register: the user is asked whether to go on.
class RefusedRegistrationTest : public ::testing::TestWithParam<Mode> {
protected:
    void TearDown() override {
        host_.AutoClose();
        host_.AutoRemove();
        host_.Unload();
    }
    Zr::Host::Host host_;
};

TEST_P(RefusedRegistrationTest, AnsweredNoLeavesNothingRegistered) {
    std::string error;
    ASSERT_TRUE(host_.Load(ZR_ADDIN_PATH, GetParam(), error)) << error;
    host_.RefuseRegistration(u"ZrVersion");
    host_.SetQuestionAnswer(Zr::Host::kAnswerNo);
    EXPECT_EQ(host_.AutoOpen(), 0);
    EXPECT_TRUE(host_.ActiveFunctions().empty());
    const auto questions = host_.Questions();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].caption, u"Add-in Load Failure");
    EXPECT_EQ(questions[0].style, 52u);
    EXPECT_TRUE(questions[0].text.starts_with(u"The following functions in ZrRand3 failed to register:\n"));
#if defined(_WIN32)
    // The add-in's string resource, with one line break before the list.
    EXPECT_TRUE(questions[0].text.starts_with(u"The following functions in ZrRand3 failed to register:\nZrVersion\n"));
#else
    // The built-in copy, with two.
    EXPECT_TRUE(questions[0].text.starts_with(u"The following functions in ZrRand3 failed to register:\n\nZrVersion\n"));
#endif
}

TEST_P(RefusedRegistrationTest, AnsweredYesOpensAnyway) {
    std::string error;
    ASSERT_TRUE(host_.Load(ZR_ADDIN_PATH, GetParam(), error)) << error;
    host_.RefuseRegistration(u"ZrVersion");
    host_.SetQuestionAnswer(Zr::Host::kAnswerYes);
    EXPECT_EQ(host_.AutoOpen(), 1);
    const auto active = host_.ActiveFunctions();
    EXPECT_EQ(active.size() + 1, host_.Registrations().size());  // all but the refused one
    EXPECT_TRUE(std::none_of(active.begin(), active.end(),
                             [](const Registration& r) { return r.FunctionName() == u"ZrVersion"; }));
    EXPECT_EQ(host_.AutoOpen(), 0);  // open already
}

INSTANTIATE_TEST_SUITE_P(BothModes, RefusedRegistrationTest, ::testing::Values(Mode::Excel12, Mode::Legacy),
                         [](const auto& info) { return Excel12Or4(info.param); });
