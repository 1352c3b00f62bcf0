// The host with a real library: a small fake add-in (tests/host/fake_addin)
// that opens, registers and computes as an XLL does. The build passes its
// path as ZR_FAKE_ADDIN_PATH; without it these tests are skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "host/host.h"

ZR_EXPORT int MdCallBack12(int xlfn, int count, XLOPER12** args, XLOPER12* result);
#if defined(_WIN32)
ZR_EXPORT int MdCallBack(int xlfn, XLOPER* result, int count, XLOPER** args);
#define ZR_HOST_EXCEL4V MdCallBack
#else
ZR_EXPORT int Excel4v(int xlfn, XLOPER* result, int count, XLOPER** args);
#define ZR_HOST_EXCEL4V Excel4v
#endif

namespace Zr::Host {
namespace {

#if defined(ZR_FAKE_ADDIN_PATH)
const char* const kAddin = ZR_FAKE_ADDIN_PATH;
#else
const char* const kAddin = nullptr;
#endif

const std::vector<std::u16string> kNames = {u"FakeAdd",      u"FakeEcho", u"FakeGrid",
                                            u"FakeWeighted", u"FakeName", u"FakeCommand"};

class HostSession : public ::testing::Test {
protected:
    void SetUp() override {
        if (!kAddin) GTEST_SKIP() << "built without ZR_FAKE_ADDIN_PATH";
    }

    void Open(Mode mode = Mode::Excel12, int expected = 1) {
        std::string error;
        ASSERT_TRUE(host.Load(kAddin, mode, error)) << error;
        ASSERT_EQ(host.AutoOpen(), expected);
    }

    const Registration* Find(const std::u16string& name) {
        registrations = host.ActiveFunctions();
        for (const Registration& r : registrations)
            if (r.FunctionName() == name) return &r;
        return nullptr;
    }

    Host host;
    std::vector<Registration> registrations;
};

std::vector<std::u16string> Names(const std::vector<Registration>& registrations) {
    std::vector<std::u16string> names;
    for (const Registration& r : registrations) names.push_back(r.FunctionName());
    return names;
}

TEST_F(HostSession, OpeningRegistersEveryFunctionWithItsTexts) {
    Open();
    EXPECT_EQ(Names(host.ActiveFunctions()), kNames);
    const Registration* add = Find(u"FakeAdd");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->Procedure(), u"FakeAdd_12");
    EXPECT_EQ(add->TypeText(), u"UBB$");
    EXPECT_EQ(add->Module(), FromUtf8(host.AddinPath()));
    EXPECT_EQ(add->ArgumentNames(), (std::vector<std::u16string>{u"x", u"y"}));
    EXPECT_EQ(add->ArgumentHelps(), (std::vector<std::u16string>{u"The first.", u"The second."}));
    EXPECT_EQ(add->Category(), Value::Text(u"Fake"));
    EXPECT_EQ(add->MacroType(), 1);
    EXPECT_FALSE(add->throughExcel4);
    const Registration* command = Find(u"FakeCommand");
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->MacroType(), 2);
    EXPECT_EQ(command->Category(), Value::Number(14));
}

TEST_F(HostSession, OpeningLeavesNothingUnfreedAndAsksNothing) {
    Open();
    EXPECT_EQ(host.OutstandingAllocations(), 1u);  // the module path, kept until xlAutoRemove
    EXPECT_EQ(host.ForeignFrees(), 0u);
    EXPECT_TRUE(host.Questions().empty());
    ASSERT_EQ(host.Alerts().size(), 1u);
    EXPECT_EQ(host.Alerts()[0].text, u"fake add-in open");  // it found R and C in the settings
    host.AutoRemove();
    EXPECT_EQ(host.OutstandingAllocations(), 0u);
}

TEST_F(HostSession, TheVersionIsAskedThroughExcel4AndRegistrationThroughExcel12) {
    Open();
    const std::vector<CallbackCall> log = host.CallLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0].function, xlfGetWorkspace | xlIntl);
    EXPECT_FALSE(log[0].throughExcel12);
    EXPECT_EQ(log[1].function, xlCoerce);
    const auto registers = std::count_if(log.begin(), log.end(), [](const CallbackCall& c) {
        return c.function == xlfRegister && c.throughExcel12 && c.returnCode == xlretSuccess;
    });
    EXPECT_EQ(registers, 6);
}

TEST_F(HostSession, EvaluatesThroughTheRegisteredTypeTexts) {
    Open();
    EXPECT_EQ(host.Evaluate("FakeAdd(1, 2)"), Value::Number(3));
    EXPECT_EQ(host.Evaluate("FakeAdd(\"1.5\", TRUE)"), Value::Number(2.5));
    EXPECT_EQ(host.Evaluate("FakeAdd(,)"), Value::Number(0));
    EXPECT_EQ(host.Evaluate("fakeadd(2)"), Value::Number(2));  // names ignore case; y is missing
    EXPECT_EQ(host.Evaluate("FakeAdd(\"x\", 1)"), Value::Error(xlerrValue));
    EXPECT_EQ(host.Evaluate("FakeAdd(#N/A, 1)"), Value::Error(xlerrNA));
    EXPECT_EQ(host.Evaluate("FakeAdd(1, 2, 3)"), Value::Error(xlerrValue));
    EXPECT_EQ(host.Evaluate("NoSuchFunction(1)"), Value::Error(xlerrName));
    EXPECT_EQ(host.Evaluate("FakeWeighted(1, 2, 3, 4, TRUE, 6, 7, 8, 9)"),
              Value::Number(1 + 4 + 9 + 16 + 5 + 36 + 49 + 64 + 81));
    EXPECT_EQ(host.Evaluate("FakeWeighted(1, 2, 40000)"), Value::Error(xlerrNum));  // c is 16 bits
}

TEST_F(HostSession, RecordResultsAreCopiedThenFreedByTheAddin) {
    Open();
    const Value mixed = Value::Array(2, 2, {Value::Number(1), Value::Text(u"a"), Value::Bool(true),
                                            Value::Error(xlerrNA)});
    const CallOutcome echo = host.CallExportDetailed("FakeEcho_12", "UQ$", {mixed});
    EXPECT_TRUE(echo.called);
    EXPECT_EQ(echo.value, mixed);
    EXPECT_EQ(echo.resultType, xltypeMulti | xlbitDLLFree);
    EXPECT_EQ(host.AutoFreeCalls(), 1u);
    EXPECT_EQ(host.Evaluate("FakeEcho(\"text\")"), Value::Text(u"text"));
    EXPECT_EQ(host.Evaluate("FakeEcho()"), Value::Missing());
    EXPECT_EQ(host.AutoFreeCalls(), 2u);
    EXPECT_EQ(host.Evaluate("FakeGrid(2, 3)"),
              Value::Array(2, 3, {Value::Number(0), Value::Number(1), Value::Number(2), Value::Number(10),
                                  Value::Number(11), Value::Number(12)}));
}

TEST_F(HostSession, AHostRecordReturnedByTheAddinIsFreedByTheHost) {
    Open();
    const size_t before = host.OutstandingAllocations();
    EXPECT_EQ(host.Evaluate("FakeName()"), Value::TextUtf8(host.AddinPath()));
    EXPECT_EQ(host.OutstandingAllocations(), before);
}

TEST_F(HostSession, ConcurrentCallsFromManyThreads) {
    Open();
    std::atomic<int> wrong = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            const Value text = Value::TextUtf8("thread " + std::to_string(t));
            for (int i = 0; i < 200; ++i) {
                if (host.CallExport("FakeEcho_12", "UQ$", {text}) != text) ++wrong;
                if (host.CallExport("FakeAdd_12", "UBB$", {Value::Number(t), Value::Number(i)}) !=
                    Value::Number(t + i))
                    ++wrong;
                if (host.Evaluate("FakeName()") != Value::TextUtf8(host.AddinPath())) ++wrong;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(host.AutoFreeCalls(), 8u * 200u);
}

TEST_F(HostSession, RemovalUnregistersAndLeavesHiddenNames) {
    Open();
    EXPECT_EQ(host.AutoClose(), 1);
    EXPECT_EQ(host.ActiveFunctions().size(), kNames.size());  // closing does not unregister
    EXPECT_EQ(host.AutoRemove(), 1);
    EXPECT_TRUE(host.ActiveFunctions().empty());
    size_t placeholders = 0;
    for (const Registration& r : host.Registrations()) {
        if (r.IsRemovalPlaceholder()) {
            ++placeholders;
            EXPECT_EQ(r.arguments.size(), 6u);
            EXPECT_EQ(r.arguments[4], Value::Missing());
        } else {
            EXPECT_TRUE(r.unregistered);
            EXPECT_TRUE(r.nameDeleted);
        }
    }
    EXPECT_EQ(placeholders, kNames.size());
    EXPECT_EQ(host.Evaluate("FakeAdd(1, 2)"), Value::Error(xlerrName));
}

TEST_F(HostSession, ARefusedRegistrationAsksAndNoUnregistersEverything) {
    host.RefuseRegistration(u"FakeGrid");
    Open(Mode::Excel12, 0);
    ASSERT_EQ(host.Questions().size(), 1u);
    const Question q = host.Questions()[0];
    EXPECT_EQ(q.caption, u"Add-in Load Failure");
    EXPECT_EQ(q.style, 52u);
    EXPECT_NE(q.text.find(u"FakeGrid\n"), std::u16string::npos);
    EXPECT_EQ(q.answer, kAnswerNo);
    EXPECT_TRUE(host.ActiveFunctions().empty());
    EXPECT_EQ(host.OutstandingAllocations(), 0u);
    const std::vector<Registration> all = host.Registrations();
    const auto refused = std::find_if(all.begin(), all.end(), [](const Registration& r) { return r.Refused(); });
    ASSERT_NE(refused, all.end());
    EXPECT_EQ(refused->FunctionName(), u"FakeGrid");
    EXPECT_EQ(refused->registerId, Value::Error(xlerrValue));
}

TEST_F(HostSession, ARefusedRegistrationAnsweredYesKeepsTheRest) {
    host.RefuseRegistration(u"FakeGrid");
    host.SetQuestionAnswer(kAnswerYes);
    Open();
    EXPECT_EQ(host.ActiveFunctions().size(), kNames.size() - 1);
    EXPECT_EQ(host.Evaluate("FakeGrid(1, 1)"), Value::Error(xlerrName));
    EXPECT_EQ(host.Evaluate("FakeAdd(1, 1)"), Value::Number(2));
}

TEST_F(HostSession, LegacyModeSpeaksOnlyExcel4) {
    Open(Mode::Legacy);
    const Registration* add = Find(u"FakeAdd");
    ASSERT_NE(add, nullptr);
    EXPECT_TRUE(add->throughExcel4);
    EXPECT_EQ(add->TypeText(), u"RBB");
    EXPECT_EQ(host.Evaluate("FakeAdd(1, 2)"), Value::Number(3));
    EXPECT_EQ(host.Evaluate("FakeEcho(\"caf\xc3\xa9\")"), Value::Text(u"caf\u00e9"));  // through the ANSI page
    EXPECT_EQ(host.Evaluate("FakeGrid(1, 2)"), Value::Array(1, 2, {Value::Number(0), Value::Number(1)}));
    XLOPER12 result{};
    EXPECT_EQ(MdCallBack12(xlGetHwnd, 0, nullptr, &result), xlretFailed);
    for (const CallbackCall& call : host.CallLog()) EXPECT_FALSE(call.throughExcel12);
}

TEST_F(HostSession, OnlyOneHostAtATime) {
    Open();
    Host other;
    std::string error;
    EXPECT_FALSE(other.Load(kAddin, error));
    EXPECT_FALSE(error.empty());
    host.Unload();
    EXPECT_TRUE(other.Load(kAddin, error)) << error;
}

TEST_F(HostSession, AMissingLibraryIsAnError) {
    std::string error;
    EXPECT_FALSE(host.Load(std::string(kAddin) + ".missing", error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(host.Loaded());
}

// --- The callbacks directly -------------------------------------------------------

XLOPER12 Num12(double n) {
    XLOPER12 r{};
    r.xltype = xltypeNum;
    r.val.num = n;
    return r;
}

TEST_F(HostSession, CallbacksAnswerAsExcel) {
    Open();
    XLOPER12 result{};
    EXPECT_EQ(MdCallBack12(xlGetHwnd, 0, nullptr, &result), xlretSuccess);
    EXPECT_EQ(result.xltype, xltypeInt);
    EXPECT_EQ(result.val.w, 0x12345);
    XLOPER legacy{};
    EXPECT_EQ(ZR_HOST_EXCEL4V(xlGetHwnd, &legacy, 0, nullptr), xlretSuccess);
    EXPECT_EQ(legacy.val.w, 0x2345);

    XLOPER12 which = Num12(37);
    XLOPER12* args[] = {&which};
    EXPECT_EQ(MdCallBack12(xlfGetWorkspace, 1, args, &result), xlretSuccess);
    EXPECT_EQ(result.xltype, xltypeMulti | xlbitXLFree);
    XLOPER12* settings[] = {&result};
    EXPECT_EQ(MdCallBack12(xlFree, 1, settings, nullptr), xlretSuccess);
    EXPECT_EQ(result.xltype, 0u);

    XLOPER12 number = Num12(2.5);
    XLOPER12 type = Num12(xltypeStr);
    XLOPER12* coerceArgs[] = {&number, &type};
    EXPECT_EQ(MdCallBack12(xlCoerce, 2, coerceArgs, &result), xlretSuccess);
    EXPECT_EQ(result.xltype, xltypeStr | xlbitXLFree);
    XLOPER12* freeArgs[] = {&result};
    MdCallBack12(xlFree, 1, freeArgs, nullptr);
    EXPECT_EQ(host.OutstandingAllocations(), 1u);  // just the add-in's module path
}

TEST_F(HostSession, CallbacksRefuseWhatExcelRefuses) {
    Open();
    XLOPER12 result{};
    EXPECT_EQ(MdCallBack12(12345, 0, nullptr, &result), xlretInvXlfn);
    EXPECT_EQ(MdCallBack12(xlfGetWorkspace, 0, nullptr, &result), xlretInvCount);
    XLOPER12 text{};
    XLOPER12 type = Num12(xltypeNum);
    std::u16string counted = u"\x03" u"abc";
    text.xltype = xltypeStr;
    text.val.str = counted.data();
    XLOPER12* args[] = {&text, &type};
    EXPECT_EQ(MdCallBack12(xlCoerce, 2, args, &result), xlretFailed);
    EXPECT_EQ(MdCallBack12(xlFree, 1, args, nullptr), xlretSuccess);  // not the host's memory
    EXPECT_EQ(host.ForeignFrees(), 1u);
    XLOPER12* none[] = {nullptr};
    EXPECT_EQ(MdCallBack12(xlCoerce, 1, none, &result), xlretInvXloper);
}

}  // namespace
}  // namespace Zr::Host
