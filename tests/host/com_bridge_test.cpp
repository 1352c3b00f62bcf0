// The bridge to Excel's object model against the host's automation objects
// (Windows only): it must find the instance that hosts the library among
// others, assign the event handler properties there, and report each failure
// with its message.
#if _WIN32
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

#include "host/host.h"
#include "host/object_model.h"
#include "host/value.h"
#include "xll/exceptions.h"
#include "xll/platform_com.h"
#include "xll/platform_export.h"

// The library's instance check, here in the test program whose path the
// bridge is given: only an instance whose CALL reaches it hosts the library.
ZR_EXPORT int xlCheckInstance() {
    Zr::Xll::PlatformCom::MarkInstanceChecked();
    return 1;
}

namespace Zr::Host {
namespace {

namespace Com = Xll::PlatformCom;
using Options = ExcelInstanceOptions;

std::u16string ThisProgram() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return reinterpret_cast<const char16_t*>(path);
}

TEST(ComBridge, FindsTheHostingInstanceOrReportsWhyNot) {
    constexpr MacroAnswer kForeign = MacroAnswer::Foreign;
    const struct {
        const char* name;
        bool progId;
        std::optional<Options> foreign, hosting;  // the foreign instance starts first
        const char16_t* error;                    // null: the hosting instance is found
        bool foreignAsked = false;                // before the hosting one was found
    } cases[] = {
        {"hosting workbook in the table, foreign active", true, Options{.answer = kForeign},
         Options{.active = false, .workbook = true}, nullptr},
        {"hosting active, foreign workbook in the table", true,
         Options{.answer = kForeign, .active = false, .workbook = true}, Options{}, nullptr, true},
        {"hosting only by its workbook window, foreign active", true, Options{.answer = kForeign},
         Options{.active = false, .window = true}, nullptr, true},
        {"no identifier, hosting workbook in the table", false, std::nullopt,
         Options{.active = false, .workbook = true}, nullptr},
        {"no identifier", false, std::nullopt, std::nullopt,
         u"CLSIDFromProgID(\"Excel.Application\", ...) failed with error 0x800401F3"},
        {"no running object", true, std::nullopt, std::nullopt,
         u"GetActiveObject(\"Excel.Application\") failed with error 0x800401E3"},
        {"running object without automation", true, std::nullopt, Options{.dispatch = false},
         u"QueryInterface(IID_IDispatch) failed with error 0x80004002"},
        {"only a foreign instance, everywhere", true,
         Options{.answer = kForeign, .workbook = true, .window = true}, std::nullopt,
         u"Failed to find running application"},
        {"hosting instance refuses the macro", true, std::nullopt, Options{.answer = MacroAnswer::Refuse},
         u"Failed to find running application"},
    };
    const std::u16string path = ThisProgram();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.progId) {
            ASSERT_TRUE(RegisterExcelProgId());
        } else {
            UnregisterExcelProgId();
        }
        std::optional<ExcelInstance> foreign, hosting;
        if (c.foreign) foreign.emplace(*c.foreign);
        if (c.hosting) hosting.emplace(*c.hosting);
        try {
            Com::Connect(path);
            EXPECT_FALSE(c.error) << "found an instance";
            ASSERT_TRUE(hosting);
            const std::u16string check = u"CALL(\"%" + path + u"\",\"xlCheckInstance\",\"j\")";
            EXPECT_EQ(ToUtf8(hosting->Log().at(0)), ToUtf8(u"ExecuteExcel4Macro(" + check + u")"));
            // Each handler property is read before it is set: the previous name comes back.
            for (const char16_t* property : {u"OnSheetActivate", u"OnSheetDeactivate", u"OnCalculate"}) {
                EXPECT_EQ(ToUtf8(Com::AssignHandler(property, u"xll_first")), "");
                EXPECT_EQ(ToUtf8(Com::AssignHandler(property, u"xll_second")), "xll_first");
                EXPECT_EQ(ToUtf8(hosting->Property(property)), "xll_second");
            }
            for (const std::u16string& entry : foreign ? foreign->Log() : std::vector<std::u16string>{})
                EXPECT_TRUE(entry.starts_with(u"ExecuteExcel4Macro(")) << ToUtf8(entry);
            // The foreign instance asked before the hosting one was found, and passed over.
            EXPECT_EQ(foreign && !foreign->Log().empty(), c.foreignAsked);
        } catch (const CXlComException& e) {
            EXPECT_EQ(ToUtf8(e.WideMessage()), ToUtf8(c.error ? c.error : u"(found)"));
        }
        Com::Disconnect();
        EXPECT_THROW(Com::AssignHandler(u"OnCalculate", u"xll_after"), CXlComException);
    }
    UnregisterExcelProgId();
}

// The add-in itself, loaded, opened, closed and unloaded 100 times in one
// process beside a foreign instance: each open sets the hosting instance's
// three properties to its hidden commands, each close puts back what they
// held, and no reference to either instance is left behind.
TEST(ComBridge, AddinSetsAndRestoresItsHostsHandlersEveryLoad) {
    ASSERT_TRUE(RegisterExcelProgId());
    ExcelInstance foreign(Options{.answer = MacroAnswer::Foreign, .active = false, .workbook = true});
    ExcelInstance hosting(Options{});
    const unsigned long foreignReferences = foreign.References(), hostingReferences = hosting.References();
    for (int round = 0; round < 100; ++round) {
        SCOPED_TRACE(round);
        Host host;
        std::string error;
        ASSERT_TRUE(host.Load(ZR_ADDIN_PATH, error)) << error;
        ASSERT_EQ(host.AutoOpen(), 1);
        EXPECT_TRUE(host.Alerts().empty());
        for (const char16_t* property : {u"OnSheetActivate", u"OnSheetDeactivate", u"OnCalculate"}) {
            const std::u16string name = hosting.Property(property);
            EXPECT_TRUE(name.starts_with(u"xll_") && name.ends_with(u"_" + std::u16string(property))) << ToUtf8(name);
        }
        host.AutoClose();
        host.AutoRemove();
        host.Unload();
        for (const char16_t* property : {u"OnSheetActivate", u"OnSheetDeactivate", u"OnCalculate"})
            EXPECT_EQ(ToUtf8(hosting.Property(property)), "");
    }
    for (const std::u16string& entry : foreign.Log())
        EXPECT_TRUE(entry.starts_with(u"ExecuteExcel4Macro(")) << ToUtf8(entry);
    EXPECT_EQ(foreign.References(), foreignReferences);
    EXPECT_EQ(hosting.References(), hostingReferences);
    UnregisterExcelProgId();
}

}  // namespace
}  // namespace Zr::Host
#endif
