// Narrow text in a double-byte code page (the Windows build runs these under
// Wine with a Japanese locale, code page 932): cuts to 255 bytes never split
// a character. Elsewhere they are skipped.
#include <gtest/gtest.h>

#include <string>

#include "xll/oper_records.h"
#include "xll/platform.h"
#include "xll/xl_oper.h"

using namespace Zr::Xll;
using Zr::Platform::AnsiPrefixLength;
using Zr::Platform::AnsiToWide;

// True when every lead byte of `text` is followed by its trail byte.
static bool WholeCharacters(std::string_view text) {
    return AnsiPrefixLength(text.data(), text.size(), text.size()) == text.size() &&
           AnsiToWide(text.data(), text.size()).find(u'\x30FB') == std::u16string::npos;
}

TEST(CodePage, NarrowCutsKeepCharactersWhole) {
    const std::string hiragana = "\x82\xa0";  // one character, two bytes in code page 932
    if (AnsiPrefixLength(hiragana.data(), 2, 1) != 0) GTEST_SKIP() << "no double-byte ANSI code page";
    char* counted = NewNarrowString(std::string(254, 'a') + hiragana + hiragana);
    ASSERT_NE(counted, nullptr);
    EXPECT_EQ(uint8_t(counted[0]), 254);  // the character at bytes 255-256 does not fit
    std::free(counted);

    std::string many;
    for (int i = 0; i < 200; ++i) many += hiragana;
    const std::u16string wide = AnsiToWide(many.data(), many.size());
    ASSERT_EQ(wide.size(), 200u);
    SetIsExcel12(false);
    CXlOper narrow, fromWide, modern;
    narrow.SetString(many);
    fromWide.SetString(wide);  // 200 characters, 400 bytes: cut to 127 characters
    for (const CXlOper* v : {&narrow, &fromWide}) {
        EXPECT_EQ(StringOf(*v->Legacy()).size(), 254u);
        EXPECT_TRUE(WholeCharacters(StringOf(*v->Legacy())));
    }
    SetIsExcel12(true);
    modern.SetString(wide);
    XLOPER* handed = modern.ReturnXloper();
    ASSERT_EQ(handed->xltype, xltypeStr | xlbitDLLFree);
    EXPECT_TRUE(WholeCharacters(StringOf(*handed)));
    FreeRecord(*handed);
}
