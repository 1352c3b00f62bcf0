// The add-in as Excel opens, registers, calls (on calculation threads too) and removes it.
#include <algorithm>
#include <atomic>
#include <map>
#include <sstream>
#include <thread>

#include "tests/addin/host_fixture.h"

using namespace Zr::Testing;
using Zr::Host::Registration;

namespace {
std::u16string Wide(std::string_view s) { return std::u16string(s.begin(), s.end()); }

// The wizard drops the last two characters of the last help it shows: that help ends in "..".
std::u16string Padded(std::u16string help) {
    if (!help.ends_with(u"..")) help += help.ends_with(u'.') ? u"." : u"..";
    return help;
}

bool IsVersionText(const Value& v) {
    return FormatValue(v).find("Version 3.3.0 Release September 25, 2012") != std::string::npos;
}

class RegistrationTest : public AddinTest {
protected:
    void SetUp() override {
        AddinTest::SetUp();
        for (const Registration& r : host_.ActiveFunctions()) active_[r.FunctionName()] = r;
    }
    std::map<std::u16string, Registration> active_;  // by function name
};
}  // namespace

// Every declared function is registered as declared, under the running Excel's export, with a help
// topic numbered from 1001 in case-insensitive name order (the ribbon callback keeps its own 4); and
// the hidden commands.
TEST_P(RegistrationTest, EveryFunctionAndCommandIsRegistered) {
    const std::u16string module = active_.at(u"ZrVersion").Module();
    const std::u16string helpFile = module.substr(0, module.size() - 3) + u"chm!";
    for (const auto* f : Zr::Xll::WorksheetFunctions()) {
        SCOPED_TRACE(f->name);
        ASSERT_TRUE(active_.count(Wide(f->name)));
        const Registration& r = active_[Wide(f->name)];
        const XlFunctionRecord& record = f->Record();
        EXPECT_EQ(r.Procedure(), Wide(Modern() ? record.modernExport : record.legacyExport));
        EXPECT_EQ(r.TypeText(), Wide(Modern() ? record.modernType : record.legacyType));
        EXPECT_EQ(r.throughExcel4, !Modern());
        EXPECT_EQ(r.ArgumentText(), record.argumentNames);
        EXPECT_EQ(r.MacroType(), 1);
        EXPECT_EQ(r.Category(), Value::TextUtf8("ZrRand"));
        EXPECT_EQ(r.Module(), module);
        const size_t before = std::count_if(active_.begin(), active_.end(), [&](const auto& a) {
            return a.first != u"RibbonCallback" && Zr::Xll::CaseInsensitiveLess(a.first, Wide(f->name));
        });
        EXPECT_EQ(r.HelpTopic(), helpFile + Wide(std::to_string(1001 + before)));
        EXPECT_EQ(r.FunctionHelp(), f->arguments.empty() ? Padded(std::u16string(f->help)) : f->help);
        std::vector<std::u16string> helps;
        for (const auto& a : f->arguments) helps.emplace_back(a.help);
        if (!helps.empty()) helps.back() = Padded(helps.back());
        EXPECT_EQ(r.ArgumentHelps(), helps);
    }
    // One written out.
    const Registration& version = active_[u"ZrVersion"];
    EXPECT_EQ(version.Procedure(), Modern() ? u"ZrVersion_12" : u"ZrVersion_4");
    EXPECT_EQ(version.TypeText(), Modern() ? u"U$" : u"R");
    EXPECT_EQ(version.FunctionHelp(), u"Get version information..");
    EXPECT_TRUE(module.ends_with(u"ZrRand3.so") || module.ends_with(u"ZrRand3.xll"));
    // The hidden commands.
    const Registration& ribbon = active_.at(u"RibbonCallback");
    EXPECT_EQ(ribbon.TypeText(), Modern() ? u"UJC%C%JC%C%A" : u"RJCCJCCA");
    EXPECT_EQ(ribbon.MacroType(), 2);
    EXPECT_EQ(ribbon.Category(), Num(14));  // a decimal category goes as a number
    EXPECT_TRUE(ribbon.HelpTopic().ends_with(u"chm!4"));
    const auto observer = std::find_if(active_.begin(), active_.end(), [](const auto& a) {
        return a.first.starts_with(u"xll_") && a.first.ends_with(u"_observer");
    });
    ASSERT_NE(observer, active_.end());
    EXPECT_EQ(observer->second.Procedure(), u"CXlApp_ObserverEventHandler");
    EXPECT_EQ(observer->second.TypeText(), u"RJPPP");
    EXPECT_TRUE(observer->second.throughExcel4);  // it has only the legacy form
    EXPECT_EQ(observer->second.Category(), Value::TextUtf8("User Defined"));
    const std::u16string prefix = observer->first.substr(0, observer->first.size() - 9);  // "xll_<module>"
    for (const char16_t* event : {u"OnSheetActivate", u"OnSheetDeactivate", u"OnCalculate"}) {
        const Registration& command = active_.at(prefix + u"_" + event);
        EXPECT_EQ(command.Procedure(), std::u16string(u"CXllComImpl_") + event);
        EXPECT_EQ(command.TypeText(), u"A");
        EXPECT_EQ(command.Category(), Value::TextUtf8("User Defined"));
    }
    const Registration& check = active_.at(u"xlCheckInstance");
    EXPECT_EQ(check.TypeText(), u"J");
    EXPECT_EQ(check.Category(), Value::TextUtf8("Private Macros"));
    EXPECT_EQ(check.FunctionHelp(), u"Implementation function used by library initialisation routines..");
}

// ZrVersion answers through both entries, a second open does nothing, the manager and --list know it.
TEST_P(RegistrationTest, OpenCallRemoveAndOpenAgain) {
    EXPECT_TRUE(IsVersionText(host_.Evaluate("ZrVersion()")));
    EXPECT_TRUE(IsVersionText(CallEntry("ZrVersion", "")));
    const size_t before = host_.Registrations().size();
    EXPECT_EQ(host_.AutoOpen(), 0);
    EXPECT_EQ(host_.Registrations().size(), before);
    const std::string info = Modern() ? "xlAddInManagerInfo12" : "xlAddInManagerInfo", type = Modern() ? "UQ" : "RP";
    EXPECT_EQ(host_.CallExport(info, type, {Num(1)}), Value::TextUtf8("ZrRand3"));
    EXPECT_EQ(host_.CallExport(info, type, {Value::TextUtf8("1")}), Value::TextUtf8("ZrRand3"));
    EXPECT_EQ(host_.CallExport(info, type, {Num(2)}), kBad);
    std::ostringstream list;
    host_.ListFunctions(list);
    EXPECT_NE(list.str().find("ZrVersion"), std::string::npos);
    EXPECT_NE(list.str().find("Get version information.."), std::string::npos);
    // Removed, it unregisters everything; unloaded, it has handed back all Excel gave it; loaded again,
    // it opens and registers afresh.
    EXPECT_EQ(active_.size(), 138u);  // the worksheet functions, the ribbon callback and five hidden commands
    EXPECT_EQ(host_.AutoClose(), 1);
    EXPECT_EQ(host_.AutoRemove(), 1);
    EXPECT_TRUE(host_.ActiveFunctions().empty());
    for (const auto& r : host_.Registrations())
        EXPECT_TRUE(r.IsRemovalPlaceholder() || (r.unregistered && r.nameDeleted)) << FormatValue(r.arguments[3]);
    EXPECT_EQ(host_.Evaluate("ZrVersion()"), Value::Error(xlerrName));
    host_.Unload();
    EXPECT_EQ(host_.OutstandingAllocations(), 0u);
    Open(ZR_ADDIN_PATH);
    EXPECT_EQ(host_.ActiveFunctions().size(), active_.size());
}

// A function Excel refuses to register: the user is asked whether to go on.
TEST_P(RegistrationTest, RefusedRegistrationAsksWhetherToGoOn) {
    for (int answer : {Zr::Host::kAnswerNo, Zr::Host::kAnswerYes}) {
        host_.AutoRemove();
        host_.Unload();
        std::string error;
        ASSERT_TRUE(host_.Load(ZR_ADDIN_PATH, GetParam(), error)) << error;
        host_.RefuseRegistration(u"ZrVersion");
        host_.SetQuestionAnswer(answer);
        EXPECT_EQ(host_.AutoOpen(), answer == Zr::Host::kAnswerYes);  // Yes: all but the refused one; No: none
        EXPECT_EQ(host_.ActiveFunctions().size(), answer == Zr::Host::kAnswerYes ? active_.size() - 1 : 0);
        EXPECT_EQ(host_.Evaluate("ZrVersion()"), Value::Error(xlerrName));
        EXPECT_EQ(host_.AutoOpen(), 0);  // open already, or refused again
        const auto questions = host_.Questions();
        ASSERT_FALSE(questions.empty());
        EXPECT_EQ(questions[0].caption, u"Add-in Load Failure");
        EXPECT_EQ(questions[0].style, 52u);
#if defined(_WIN32)
        const std::u16string lineBreaks = u"\n";  // the add-in's string resource
#else
        const std::u16string lineBreaks = u"\n\n";  // its built-in copy
#endif
        EXPECT_TRUE(questions[0].text.starts_with(u"The following functions in ZrRand3 failed to register:" +
                                                  lineBreaks + u"ZrVersion\n"));
    }
}

// Threads calling random-number, distribution, moment, fit and matrix functions at once each get their own
// result record and the numbers one thread gets (scripts/test.sh runs this under ThreadSanitizer too).
TEST_P(RegistrationTest, ConcurrentCallsGetWhatOneThreadGets) {
    if (!Modern()) GTEST_SKIP() << "only the _12 entries are called on calculation threads";
    const char* const formulas[] = {"ZrVersion()", "ZrRand(20000, 0, 1, 2)", "ZrRand(20000, 2, 3, 4)",
                                    "ZrRandNorm(3000, 1, 5, 6, TRUE, TRUE, TRUE)",
                                    "ZrRandMultiNorm(2000, {4,2;2,9}, {1,2}, 0, 1, 2, FALSE, FALSE, TRUE)",
                                    "ZrBetaDist(0.3, 2, 5, TRUE)", "ZrGammaMom(2, 3)", "ZrWeibullParam(2, 1)",
                                    "ZrCov2Cor({4,2,1;2,9,3;1,3,16}, TRUE)"};
    const size_t n = std::size(formulas);
    std::vector<Value> expected;
    for (const char* formula : formulas) expected.push_back(host_.Evaluate(formula));
    for (const Value& v : expected) ASSERT_FALSE(v.Is(ValueKind::Error)) << FormatValue(v);
    std::atomic<int> wrong = 0;
    std::vector<std::thread> threads;
    for (size_t t = 0; t < 10; ++t)  // each thread calls every function twice, starting at its own
        threads.emplace_back([&, t] {
            for (size_t i = t; i < t + 2 * n; ++i) wrong += host_.Evaluate(formulas[i % n]) != expected[i % n];
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(wrong, 0);
}

ZR_IN_BOTH_MODES(RegistrationTest);

// Excel's calculation threads exist before the add-in is loaded; their
// per-thread records must still be created on first use.
TEST(VersionThreads, ThreadStartedBeforeTheAddinWasLoaded) {
    std::atomic<bool> loaded = false;
    Value seen;
    Zr::Host::Host host;
    std::thread early([&] {
        while (!loaded) std::this_thread::yield();
        seen = host.CallExport("ZrVersion_12", "U$", {});
    });
    std::string error;
    const bool opened = host.Load(ZR_ADDIN_PATH, error) && host.AutoOpen() == 1;
    loaded = true;
    early.join();
    ASSERT_TRUE(opened) << error;
    EXPECT_TRUE(IsVersionText(seen));
    host.AutoClose();
    host.AutoRemove();
}
