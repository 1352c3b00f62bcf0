// Excel's application events through the observer command, the hidden commands that the object model's
// properties name, the bridge's start and stop around them, and the ribbon callback.
#include "tests/addin/host_fixture.h"
#include "xll/com_bridge.h"

using namespace Zr::Testing;

namespace {
const Value kFalse = Value::Bool(false), kTrue = Value::Bool(true), kMissing = Value::Missing();
Value Text(const char* text) { return Value::TextUtf8(text); }
using Calls = std::vector<std::vector<Value>>;  // the arguments of each call

// The frame add-in, whose observers record every event and cancel one whose text starts with "cancel",
// over a stand-in object model (FrameComSetup).
class EventsTest : public AddinTest {
protected:
    void SetUp() override {}
    void OpenFrame(int objectModel, int failedFunction = 0) {
        std::string error;
        ASSERT_TRUE(host_.Load(ZR_FRAME_TEST_ADDIN_PATH, GetParam(), error)) << error;
        host_.CallExport("FrameComSetup", "JJ", {Num(objectModel)});
        if (failedFunction) host_.FailFunction(failedFunction);
        ASSERT_EQ(host_.AutoOpen(), 1);
        EXPECT_EQ(Events(), u"open:" + Text(host_.AddinPath().c_str()).text + u";register;");  // the add-in's own
    }
    std::u16string Events() { return CallEntry("FrameEvents", "").text; }
    std::u16string Property(int i) { return CallEntry("FrameComProperty", "J", {Num(i)}).text; }
    // The calls of Excel function `function` in the call log.
    Calls CallsOf(int function) {
        Calls calls;
        for (const auto& c : host_.CallLog())
            if (c.function == function) calls.push_back(c.arguments);
        return calls;
    }
    std::u16string CommandName(const char* event) {
        for (const auto& r : host_.ActiveFunctions())
            if (r.Procedure() == u"CXllComImpl_" + Text(event).text) return r.FunctionName();
        return {};
    }
};

struct EventCase {
    int number;
    std::vector<Value> values;
    Value returned;
    const char16_t* received;  // by the application's handler, then by the observer of that number
};
}  // namespace

TEST_P(EventsTest, EveryEventReachesItsObserverAndCancellationReturnsToExcel) {
    OpenFrame(0);
    const EventCase cases[] = {
        {0, {Text("Book1")}, kFalse, u"0:Book1;"},
        {1, {Text("$A$1:$B$2")}, kFalse, u"1:$A$1:$B$2;"},
        {2, {Text("$C$3"), kMissing, kFalse}, kFalse, u"2:$C$3,0;"},
        {2, {Text("cancel"), kMissing, kFalse}, kTrue, u"2:cancel,0;"},  // an observer cancels
        {3, {Text("$D$4"), kMissing, kTrue}, kTrue, u"3:$D$4,1;"},       // Excel's own cancel stands
        {3, {Text("$D$4")}, kFalse, u"3:$D$4,0;"},                       // a missing flag is FALSE
        {4, {Text("Sheet1")}, kFalse, u"OnSheetActivate;4:Sheet1;"},
        {4, {Num(3)}, kFalse, u"OnSheetActivate;4:;"},  // a number where a name belongs: the empty default
        {5, {Text("Sheet2")}, kFalse, u"OnSheetDeactivate;5:Sheet2;"},
        {6, {Text("Sheet3")}, kFalse, u"OnCalculate;6:Sheet3;"},
        {7, {Text("$E$5")}, kFalse, u"7:$E$5;"},
        {8, {Text("Book2.xlsx")}, kFalse, u"8:Book2.xlsx;"},
        {9, {Text("Book3")}, kFalse, u"9:Book3;"},
        {10, {Text("Book4")}, kFalse, u"10:Book4;"},
        {11, {Text("Book5"), kMissing, kTrue}, kTrue, u"11:Book5,1;"},
        {11, {Text("cancel"), kMissing, kFalse}, kTrue, u"11:cancel,0;"},
        {12, {Text("Book6"), kTrue, kFalse}, kFalse, u"12:Book6,1,0;"},
        {12, {Text("Book6"), Num(0), Num(1)}, kTrue, u"12:Book6,0,1;"},  // numbers as flags
        {12, {Text("cancel"), kFalse, kFalse}, kTrue, u"12:cancel,0,0;"},
        {14, {Text("Book7"), Text("Sheet4")}, kFalse, u"14:Book7,Sheet4;"},
        {13, {Text("cancel"), kMissing, kTrue}, kFalse, u""},  // numbers without an event do nothing
        {-1, {}, kFalse, u""},
        {15, {Text("Book8")}, kFalse, u""},
    };
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(host_.RaiseApplicationEvent(c.number, c.values), c.returned);
        EXPECT_EQ(Events(), c.received);
    }
}

// The bridge opens and closes a temporary workbook with echo off, points the three properties at the
// hidden commands, which run the application's handler and then the macro each property named before;
// closing puts those back.
TEST_P(EventsTest, BridgeAssignsChainsAndRestoresTheHandlers) {
    for (int objectModel : {1, 2}) {
        SCOPED_TRACE(objectModel);
        OpenFrame(objectModel);
        EXPECT_EQ(CallsOf(xlcEcho), (Calls{{kFalse}, {kTrue}}));
        EXPECT_EQ(CallsOf(xlcNew).size(), 1u);
        EXPECT_EQ(host_.OpenWorkbooks(), 0);
        const char* const events[] = {"OnSheetActivate", "OnSheetDeactivate", "OnCalculate"};
        for (int i = 0; i < 3; ++i) {
            const std::u16string name = CommandName(events[i]);
            EXPECT_TRUE(name.starts_with(u"xll_") && name.ends_with(u"_" + Text(events[i]).text));
            EXPECT_EQ(Property(i), name);
            host_.ClearCallLog();
            EXPECT_EQ(host_.Call(name, {}), kTrue);
            EXPECT_EQ(Events(), Text(events[i]).text + u";");
            const std::string previous = "Previous" + std::string(events[i]) + "()";
            EXPECT_EQ(CallsOf(xlcRun), objectModel == 1 ? Calls{} : Calls{{Text(previous.c_str())}});
        }
        EXPECT_EQ(host_.AutoClose(), 1);
        EXPECT_EQ(Events(), u"close;");
        for (int i = 0; i < 3; ++i) EXPECT_EQ(Property(i), objectModel == 2 ? u"Previous" + Text(events[i]).text : u"");
        host_.ClearCallLog();
        EXPECT_EQ(host_.Call(CommandName("OnCalculate"), {}), kTrue);  // stopped: nothing to chain
        EXPECT_TRUE(CallsOf(xlcRun).empty());
        TearDown();
    }
}

// A bridge that fails leaves the add-in open, its functions working and the properties alone; the failure
// is told once, with its message. Echo is back on unless switching it was what failed.
TEST_P(EventsTest, FailedBridgeIsReportedOnceAndChangesNothingElse) {
    const struct {
        int objectModel, failedFunction;
        const char16_t* message;
        int workbooksLeft;
    } cases[] = {
        {3, 0, u"Failed to find running application", 0},
        {1, xlcEcho, u"InitExcelOleFix() failed to switch off workbook echo with error 32", 0},
        {1, xlcNew, u"InitExcelOleFix() failed to create new workbook with error 32", 0},
        {1, xlcFileClose, u"TermExcelOleFix() failed to close temporary workbook with error 32", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failedFunction);
        OpenFrame(c.objectModel, c.failedFunction);
        ASSERT_EQ(host_.Alerts().size(), 1u);
        EXPECT_TRUE(host_.Alerts()[0].text.ends_with(u" cannot follow Excel's application events:\n" +
                                                    std::u16string(c.message)));
        if (c.failedFunction != xlcEcho) {
            EXPECT_EQ(CallsOf(xlcEcho).back(), std::vector<Value>{kTrue});
        }
        EXPECT_EQ(host_.OpenWorkbooks(), c.workbooksLeft);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(Property(i), u"");
        EXPECT_EQ(CallEntry("FrameXloResult", ""), Num(42));
        EXPECT_EQ(host_.RaiseApplicationEvent(11, {Text("cancel")}), kTrue);  // the observer command does not need it
        TearDown();
    }
}

// Opened, closed and removed again and again in one load, the bridge leaves no instance behind to refuse
// the next one, and every property back as it was.
TEST_P(EventsTest, RepeatedOpensLeaveNothingBehind) {
    OpenFrame(2);
    for (int i = 0; i < 100; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Property(2), CommandName("OnCalculate"));
        host_.AutoClose();
        host_.AutoRemove();
        EXPECT_EQ(Property(2), u"PreviousOnCalculate");
        ASSERT_EQ(host_.AutoOpen(), 1);
    }
    EXPECT_TRUE(host_.Alerts().empty());
}

ZR_IN_BOTH_MODES(EventsTest);

class AddinEventsTest : public EventsTest {
protected:
    void SetUp() override { Open(ZR_ADDIN_PATH); }
};

// Natively the bridge is unavailable: opening asked Excel for nothing of it and told the user nothing. On
// Windows, with no Excel object model running, it fails and says so once. Either way the observer command
// and the hidden commands still answer.
TEST_P(AddinEventsTest, WithoutTheBridgeEventsStillAnswer) {
#if _WIN32
    EXPECT_EQ(host_.Alerts().size(), 1u);
#else
    for (const auto& c : host_.CallLog()) EXPECT_TRUE(c.function != xlcEcho && c.function != xlcNew) << c.function;
    EXPECT_TRUE(host_.Alerts().empty());
#endif
    EXPECT_EQ(host_.RaiseApplicationEvent(12, {Text("Book1"), kFalse, kTrue}), kTrue);
    EXPECT_EQ(host_.RaiseApplicationEvent(12, {Text("Book1"), kTrue}), kFalse);
    EXPECT_EQ(host_.RaiseApplicationEvent(13, {Text("Book1"), kTrue, kTrue}), kFalse);
    for (const char* event : {"OnSheetActivate", "OnSheetDeactivate", "OnCalculate"})
        EXPECT_EQ(host_.CallExport(std::string("CXllComImpl_") + event, "A", {}), kTrue) << event;
    EXPECT_EQ(host_.CallExport("xlCheckInstance", "J", {}), Num(1));
}

// Without a ribbon server every callback answers #N/A; once one answers at the first callback after the
// add-in was opened or closed, the callbacks go to it through RTD.
TEST_P(AddinEventsTest, RibbonCallbackGoesToTheServerOnlyWhenOneAnswers) {
    const std::vector<Value> call = {Num(7), Text("button1"), Text("tag"), Num(2), Text("text"), Text("item"), kTrue};
    EXPECT_EQ(host_.Call(u"RibbonCallback", call), Value::Error(xlerrNA));
    host_.SetRealTimeData(Text("answered"));
    EXPECT_EQ(host_.Call(u"RibbonCallback", call), Value::Error(xlerrNA));  // the choice holds until closed
    host_.AutoClose();
    host_.ClearCallLog();
    EXPECT_EQ(host_.Call(u"RibbonCallback", call), Text("answered"));
    const Value server = Text("XlpRibbonServer.XlpRtdRibbonServer"), path = Text(host_.AddinPath().c_str());
    EXPECT_EQ(CallsOf(xlfRtd), (Calls{
                         {server, Text(""), Text("Connect"), path, Text("")},
                         {server, Text(""), Text("7"), path, Text("button1\ttag\t2\ttext\titem\t1")}}));
}

ZR_IN_BOTH_MODES(AddinEventsTest);
