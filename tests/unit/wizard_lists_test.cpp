// The function wizard's argument lists without windows: the lists derived from the declarations, the key
// rules of the keyboard hook, and the function-call notification that names the function being edited.
#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "host/host.h"
#include "xll/oper_records.h"
#include "xll/platform.h"
#include "xll/wizard_lists.h"
#include "xll/worksheet_function.h"

using namespace Zr::Xll;

extern "C" XLOPER12* ZrRand_12(int32_t size, int16_t algorithm, int32_t seed1, int32_t seed2);
extern "C" XLOPER12* ZrNormInv_12(double prob);

// Every random-number function lists `algorithm` at its position; no other function has a list.
TEST(WizardLists, AlgorithmListedForEveryRandomFunction) {
    const std::map<std::string_view, int> expected = {
        {"ZrRand", 1},        {"ZrRandNorm", 1},   {"ZrRandChi", 2},     {"ZrRandChiSq", 2},  {"ZrRandPoisson", 2},
        {"ZrRandT", 2},       {"ZrRandBeta", 3},   {"ZrRandF", 3},       {"ZrRandGamma", 3},  {"ZrRandGumbel", 3},
        {"ZrRandLogistic", 3}, {"ZrRandLogNorm", 3}, {"ZrRandWeibull", 3}, {"ZrRandMultiNorm", 3},
        {"ZrRandTriangular", 4}, {"ZrRandJohnsonSU", 5}, {"ZrRandTruncNorm", 5}};
    CXlWizExUIFunctionRegistry registry;
    EXPECT_FALSE(registry.AnyAidAttached());
    AttachArgumentLists(registry);
    EXPECT_TRUE(registry.AnyAidAttached());
    for (const WorksheetFunction* f : WorksheetFunctions()) {
        const CXlWizExUIFunctionDescriptor* d = registry.Descriptor(f->name);
        const auto row = expected.find(f->name);
        ASSERT_EQ(d != nullptr, row != expected.end()) << f->name;
        for (int i = -1; d && i <= int(f->arguments.size()); ++i)
            EXPECT_EQ(d->Kind(i), i == row->second ? AidKind::List : AidKind::None) << f->name << i;
    }
    const CXlWizExUIListProvider* list = registry.Descriptor("ZrRandBeta")->List(3);
    EXPECT_EQ(list->DisplayText(0), u"0 - Mersenne Twister (2002)");
    EXPECT_EQ(list->DisplayText(2), u"2 - Numerical Recipies ran2");
    EXPECT_EQ(list->Value(2), u"2");
}

TEST(WizardLists, ItemsSplitAtTheSeparators) {
    const std::pair<std::u16string_view, std::vector<std::u16string>> cases[] = {
        {u"", {}}, {u"0;1,b;", {u"0", u"1 - b"}}, {u"x,;y,a,b", {u"x", u"y - a,b"}}};
    for (const auto& [text, shown] : cases) {
        const CXlWizExUIListProvider list(text, u';', u',');
        ASSERT_EQ(list.Count(), shown.size());
        for (size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(list.DisplayText(i), shown[i]);
    }
}

// Down opens a list in an empty row or one holding a constant; Alt+Enter opens the other kind anywhere.
TEST(WizardLists, KeysOpenAnAidOnlyWhereTheRowTextAllows) {
    CXlWizExUIFunctionRegistry registry;
    EXPECT_TRUE(!registry.KeySettings(0) && !registry.KeySettings(3));
    const struct { int kind, key; bool held, opens; std::u16string_view text; } cases[] = {
        {1, 40, 0, 1, u""},      {1, 40, 0, 1, u" \t\r\n"}, {1, 40, 0, 1, u" 2 "},  {1, 40, 0, 1, u"\"t"},
        {1, 40, 0, 1, u"TRUE\n"}, {1, 40, 0, 1, u"FALSE"},   {1, 40, 0, 0, u"true"}, {1, 40, 0, 0, u"TRUE1"},
        {1, 40, 0, 0, u"A1"},    {1, 40, 0, 0, u"-1"},      {1, 38, 0, 0, u""},     {2, 13, 1, 1, u"=A1"},
        {2, 13, 0, 0, u""},      {2, 40, 1, 0, u""}};
    for (const auto& c : cases)
        EXPECT_EQ(KeyOpensAid(*registry.KeySettings(c.kind), c.key, c.held, c.text), c.opens)
            << c.kind << " " << c.key << " " << c.held << " " << c.text.size();
    for (int modifier : {0, 15, 19}) EXPECT_TRUE(KeyOpensAid({40, modifier, 3}, 40, false, u"x"));  // no modifier
    for (int mode : {0, 4}) EXPECT_FALSE(AcceptsRowText(mode, u""));
    EXPECT_FALSE(AcceptsRowText(1, u"0"));
}

struct CountingHook : CWizardHookState { int rebuilds = 0; void RebuildControls() override { ++rebuilds; } };

// Calls on the hook's thread (7) name the edited function; calls on other threads change nothing.
TEST(WizardLists, FunctionCallNamesTheEditedFunction) {
    const struct { uintptr_t thread; bool pending, active; const char *before, *after; int rebuilds; } cases[] = {
        {8, true, true, "", "", 0},     {7, true, false, "ZrRandT", "ZrRand", 0}, {7, false, true, "", "ZrRand", 1},
        {7, false, false, "", "", 0},   {7, false, true, "ZrRandT", "ZrRandT", 0}};
    for (const auto& c : cases) {
        CountingHook hook;
        hook.Install(7);
        hook.nameCapturePending = c.pending, hook.wizardActive = c.active, hook.functionName = c.before;
        hook.OnFunctionCall(c.thread, "ZrRand");
        EXPECT_EQ(hook.functionName, c.after) << c.thread << c.pending << c.active << c.before;
        EXPECT_EQ(hook.rebuilds, c.rebuilds);
    }
}

// Only the entries of a listed function notify the hook, and only on the hook's own thread.
TEST(WizardLists, EntriesOfListedFunctionsNotifyTheHook) {
    CWizardHookState hook, other;
    hook.Install(Zr::Platform::CurrentThreadId());
    EXPECT_THROW(other.Install(Zr::Platform::CurrentThreadId()), CXlRuntimeException);
    hook.nameCapturePending = true;
    ZrNormInv_12(0.5);
    std::thread([] { FreeRecord(*ZrRand_12(1, 0, 1, 1)); }).join();
    EXPECT_EQ(hook.functionName, "");
    FreeRecord(*ZrRand_12(1, 0, 1, 1));
    EXPECT_EQ(hook.functionName, "ZrRand");
}

// Removed or refused, the add-in opens again in the same process: its hook went with it.
TEST(WizardLists, AddinOpensAgainAfterRemovalOrRefusal) {
    Zr::Host::Host host;
    std::string error;
    ASSERT_TRUE(host.Load(ZR_ADDIN_PATH, error)) << error;
    host.RefuseRegistration(u"ZrVersion");
    for (int answer : {Zr::Host::kAnswerNo, Zr::Host::kAnswerYes, Zr::Host::kAnswerYes}) {
        host.SetQuestionAnswer(answer);
        EXPECT_EQ(host.AutoOpen(), answer == Zr::Host::kAnswerYes);
        host.AutoRemove();
    }
}
