#include <gtest/gtest.h>

#include "xll/exceptions.h"
#include "xll/messages.h"
#include "xll/string_format.h"

using namespace Zr::Xll;

TEST(StringFormat, PlaceholdersByIndex) {
    EXPECT_EQ(psl::Format("Expected {1} values in {0}", {"x", "3"}), "Expected 3 values in x");
    EXPECT_EQ(psl::Format("{0}{0}", {"ab"}), "abab");
    EXPECT_EQ(psl::Format("[{1}]", {"only"}), "[]");  // a missing argument reads as empty
    EXPECT_EQ(psl::Format("a{{b}}c"), "a{b}c");
    EXPECT_EQ(psl::Format(u"{0} and {1}", {u"x", u"y"}), u"x and y");
    EXPECT_NO_THROW(psl::Format("{65535}"));
    for (const char* bad : {"a}b", "a{b", "a{}b", "a{x}b", "{65536}", "a{0{1}}", "{"}) {
        try {
            psl::Format(bad, {"v"});
            ADD_FAILURE() << bad << " accepted";
        } catch (const psl::StringFormatterError& e) {
            EXPECT_STREQ(e.what(), "Error in string format") << bad;
        }
    }
}

// The table ends at 65; the frame's texts are checked through the add-in.
TEST(Messages, TableAndExceptions) {
    std::string text;
    EXPECT_TRUE(LoadMessage(0, text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(LoadMessage(65, text));
    EXPECT_EQ(text, "handle to {0}");
    EXPECT_FALSE(LoadMessage(66, text));
    EXPECT_EQ(FormatMessageA(66), "Message #66 not found");
    EXPECT_EQ(FormatMessageW(64, {u"algorithm", u"0,1,2"}), u"Expected one of 0,1,2 for algorithm");
    EXPECT_EQ(CXlOutOfRangeException(30).WideMessage(), u"Index out of range");
    EXPECT_STREQ(CXlRuntimeException(70u).what(), "Unknown error");
    EXPECT_STREQ(CXlStructuredException(0xC0000005u).what(), "'C' exception 0xC0000005");
    EXPECT_EQ(CXlStructuredException(0xC0000094u).Code(), 0xC0000094u);
    const CXlComException com(std::string("CoInitialize"), int32_t(0x80004005));
    EXPECT_STREQ(com.what(), "CoInitialize failed with error code 0x80004005");
    EXPECT_EQ(CXlErrorException(xlerrNum).Code(), xlerrNum);
    EXPECT_STREQ(CXlRuntimeException(u"caf\u00e9").what(), "caf\xe9");  // narrow copy in the ANSI code page
}
