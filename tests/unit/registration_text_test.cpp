#include <gtest/gtest.h>

#include "xll/function_registration.h"

using namespace Zr::Xll;

TEST(RegistrationText, HelpEndsInTwoDots) {
    EXPECT_EQ(PadHelp(std::u16string(u"1st random seed. ")), u"1st random seed. ..");
    EXPECT_EQ(PadHelp(std::u16string(u"Done..")), u"Done..");
    EXPECT_EQ(PadHelp(std::string("")), "..");
}

TEST(RegistrationText, ResourceReferences) {
    // Nothing that names no string resource changes.
    EXPECT_EQ(ExpandResourceReferences(std::u16string(u"# of random numbers (Positive integer).")),
              u"# of random numbers (Positive integer).");
    EXPECT_EQ(ExpandResourceReferences(std::string("see #99999 and #0x7FFF and #@12")),
              "see #99999 and #0x7FFF and #@12");
#if defined(_WIN32)
    // This test program carries the message table as string resources 53248 + n.
    EXPECT_EQ(ExpandResourceReferences(std::u16string(u"#53278.")), u"Index out of range.");
    EXPECT_EQ(ExpandResourceReferences(std::string("[#0xD01E]")), "[Index out of range]");
    EXPECT_EQ(ExpandResourceReferences(std::u16string(u"#@53279")), u"Illegal argument");
    EXPECT_EQ(ExpandResourceReferences(std::u16string(u"#53248")), u"#53248");  // empty entry: as written
#endif
}
