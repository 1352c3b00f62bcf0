#include <gtest/gtest.h>

#include "xll/exceptions.h"
#include "xll/messages.h"
#include "xll/string_format.h"

using namespace Zr::Xll;

TEST(StringFormat, FillsPlaceholdersByIndex) {
    EXPECT_EQ(psl::Format("Expected {1} values in {0}", {"x", "3"}), "Expected 3 values in x");
    EXPECT_EQ(psl::Format("{0}{0}", {"ab"}), "abab");
    EXPECT_EQ(psl::Format("[{1}]", {"only"}), "[]");  // a missing argument reads as empty
    EXPECT_EQ(psl::Format("a{{b}}c"), "a{b}c");
    EXPECT_EQ(psl::Format(u"{0} and {1}", {u"x", u"y"}), u"x and y");
    EXPECT_NO_THROW(psl::Format("{65535}"));
}

TEST(StringFormat, RejectsMalformedPatterns) {
    for (const char* bad : {"a}b", "a{b", "a{}b", "a{x}b", "{65536}", "a{0{1}}", "{"}) {
        EXPECT_THROW(psl::Format(bad, {"v"}), psl::StringFormatterError) << bad;
    }
    try {
        psl::Format("a}b");
    } catch (const psl::StringFormatterError& e) {
        EXPECT_STREQ(e.what(), "Error in string format");
    }
}

TEST(StringFormat, NumberTexts) {
    EXPECT_EQ(psl::HexText(0xC0000005u), "0xC0000005");
    EXPECT_EQ(psl::HexText(0x1fu), "0x1F");
    EXPECT_EQ(psl::DecimalText(-42), "-42");
}

TEST(Messages, TableAndFormatting) {
    std::string text;
    EXPECT_TRUE(LoadMessage(0, text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(LoadMessage(65, text));
    EXPECT_EQ(text, "handle to {0}");
    EXPECT_FALSE(LoadMessage(66, text));
    EXPECT_EQ(FormatMessageA(22, {"x", "3"}), "Expected 3 values in x");
    EXPECT_EQ(FormatMessageA(66), "Message #66 not found");
    EXPECT_EQ(FormatMessageW(64, {u"algorithm", u"0,1,2"}), u"Expected one of 0,1,2 for algorithm");
#if defined(_WIN32)
    // The string resource of the registration question has one line break...
    EXPECT_EQ(FormatMessageA(49, {"A", "f\n"}),
              "The following functions in A failed to register:\nf\n\nDo you wish to continue loading the add-in?");
#else
    // ...the built-in copy two.
    EXPECT_EQ(FormatMessageA(49, {"A", "f\n"}),
              "The following functions in A failed to register:\n\nf\n\nDo you wish to continue loading the add-in?");
#endif
}

TEST(Exceptions, CarryTheirMessages) {
    EXPECT_STREQ(CXlOutOfRangeException(30).what(), "Index out of range");
    EXPECT_EQ(CXlOutOfRangeException(30).WideMessage(), u"Index out of range");
    EXPECT_STREQ(CXlRuntimeException(70u).what(), "Unknown error");
    EXPECT_STREQ(CXlStructuredException(0xC0000005u).what(), "'C' exception 0xC0000005");
    EXPECT_EQ(CXlStructuredException(0xC0000094u).Code(), 0xC0000094u);
    const CXlComException com(std::string("CoInitialize"), int32_t(0x80004005));
    EXPECT_STREQ(com.what(), "CoInitialize failed with error code 0x80004005");
    EXPECT_EQ(CXlErrorException(xlerrNum).Code(), xlerrNum);
    const CXlRuntimeException wide(u"caf\u00e9");
    EXPECT_STREQ(wide.what(), "caf\xe9");  // narrow copy in the ANSI code page
}
