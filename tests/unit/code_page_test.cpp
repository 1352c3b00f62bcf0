// Narrow text in a double-byte code page (the Windows build runs these under
// Wine with a Japanese locale, code page 932): cuts to 255 bytes never split
// a character. Elsewhere they are skipped.
#include <gtest/gtest.h>

#include <string>

#include "xll/oper_records.h"
#include "xll/platform.h"
#include "xll/xl_oper.h"

using namespace Zr::Xll;

namespace {

const std::string kHiragana = "\x82\xa0";  // one character, two bytes in code page 932

bool DoubleByteCodePage() { return Zr::Platform::AnsiPrefixLength(kHiragana.data(), 2, 1) == 0; }

// True when every lead byte of `text` is followed by its trail byte.
bool WholeCharacters(std::string_view text) {
    return Zr::Platform::AnsiPrefixLength(text.data(), text.size(), text.size()) == text.size() &&
           Zr::Platform::AnsiToWide(text.data(), text.size()).find(u'\x30FB') == std::u16string::npos;
}

}  // namespace

TEST(CodePage, NarrowCutsKeepCharactersWhole) {
    if (!DoubleByteCodePage()) GTEST_SKIP() << "the ANSI code page has no double-byte characters";
    const std::string text = std::string(254, 'a') + kHiragana + kHiragana;
    char* counted = NewNarrowString(text);
    ASSERT_NE(counted, nullptr);
    EXPECT_EQ(uint8_t(counted[0]), 254);  // the character at bytes 255-256 does not fit
    std::free(counted);

    SetIsExcel12(false);
    std::string many;
    for (int i = 0; i < 200; ++i) many += kHiragana;
    CXlOper narrow;
    narrow.SetString(many);
    EXPECT_EQ(StringOf(*narrow.Legacy()).size(), 254u);
    EXPECT_TRUE(WholeCharacters(StringOf(*narrow.Legacy())));

    const std::u16string wide = Zr::Platform::AnsiToWide(many.data(), many.size());
    ASSERT_EQ(wide.size(), 200u);
    CXlOper fromWide;
    fromWide.SetString(wide);  // 200 characters, 400 bytes: cut to 127 characters
    EXPECT_EQ(StringOf(*fromWide.Legacy()).size(), 254u);
    EXPECT_TRUE(WholeCharacters(StringOf(*fromWide.Legacy())));

    SetIsExcel12(true);
    CXlOper modern;
    modern.SetString(wide);
    XLOPER* handed = modern.ReturnXloper();
    ASSERT_EQ(handed->xltype, xltypeStr | xlbitDLLFree);
    EXPECT_TRUE(WholeCharacters(StringOf(*handed)));
    FreeRecord(*handed);
}
