// The catalogue as data: every declared worksheet function and the
// registration record derived from its declaration at compile time.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "xll/worksheet_function.h"

using Zr::Xll::WorksheetFunction;

namespace {

std::string Narrow(const char16_t* text) {
    std::string narrow;
    for (; *text; ++text) narrow += char(*text);
    return narrow;
}

const WorksheetFunction& Get(std::string_view name) {
    for (const WorksheetFunction* f : Zr::Xll::WorksheetFunctions())
        if (f->name == name) return *f;
    throw std::runtime_error("not declared: " + std::string(name));
}

}  // namespace

TEST(Catalogue, HoldsAll132FunctionsOnceInNameOrder) {
    const auto all = Zr::Xll::WorksheetFunctions();
    ASSERT_EQ(all.size(), 132u);
    std::set<std::string_view> names;
    for (size_t i = 0; i < all.size(); ++i) {
        EXPECT_TRUE(all[i]->name.starts_with("Zr"));
        EXPECT_TRUE(names.insert(all[i]->name).second) << all[i]->name;
        if (i > 0) {
            EXPECT_TRUE(Zr::Xll::CaseInsensitiveLess(all[i - 1]->name, all[i]->name));
        }
    }
    EXPECT_EQ(all.front()->name, "ZrBetaDist");
    EXPECT_EQ(all.back()->name, "ZrWeibullStdev");
}

// Whole records of functions that cover every argument kind: none, numbers,
// integers, the algorithm with its choice list, booleans, vectors, tables,
// texts with commas (quoted) and with trailing spaces (kept).
TEST(Catalogue, RecordsAreDerivedFromTheDeclarations) {
    struct Case {
        const char* name;
        const char* legacyType;
        const char* modernType;
        const char* argumentNames;
        const char* descriptor;
    };
    const Case cases[] = {
        {"ZrVersion", "R", "U$", "", "{ZrVersion,,,Get version information.,ZrRand,1,1,U,{},{},3,,0,0,,,,0,0}"},
        {"ZrChiDistInv", "RBJ", "UBJ$", "prob,n",
         "{ZrChiDistInv,,,Returns probability quantile function of the chi distribution.,ZrRand,1,1,U,"
         "{{0,{prob,Double,0,,Probability,,,,}},{0,{n,Int,0,,A parameter of the distribution N (Positive "
         "integer).,,,,}}},{},3,,0,0,,,,0,0}"},
        {"ZrCor2Cov", "RPP", "UQQ$", "stdev,cor",
         "{ZrCor2Cov,,,Converts standard deviation vector and correlation matrix to covariance matrix.,ZrRand,1,1,"
         "U,{{0,{stdev,Double,10,,A 1-dim vecor whose components are standard deviations of each variable. ,,"
         "{{{,},{,}}},,}},{0,{cor,Double,10,,Correlation matrix,,{{{,},{,}},{{,},{,}}},,}}},{},3,,0,0,,,,0,0}"},
        {"ZrJohnsonSUParam", "RBBBB", "UBBBB$", "mean,stdev,skew,kurt",
         "{ZrJohnsonSUParam,,,\"Returns parameters of the Johnson SU distribution for the specified mean standard "
         "deviation, skewness and kurtosis.\",ZrRand,1,1,U,{{0,{mean,Double,0,,Arithmetic mean of the "
         "distribution.,,,,}},{0,{stdev,Double,0,,Standard deviation of the distribution (Positive value).,,,,}},"
         "{0,{skew,Double,0,,Skewness of the distribution. ,,,,}},{0,{kurt,Double,0,,Kurtosis of the distribution "
         "(Positive value). ,,,,}}},{},3,,0,0,,,,0,0}"},
        {"ZrRandMultiNorm", "RJPPIJJAAA", "UJQQIJJAAA$",
         "size,cov,mean,algorithm,seed1,seed2,useInvertFunc,useAntithetic,useResampling",
         "{ZrRandMultiNorm,,,Returns multivariate normal pseudo random number(s) based on Mersenne Twister "
         "algorithm.,ZrRand,1,1,U,{{0,{size,Int,0,,# of random numbers (Positive integer).,,,,}},{0,{cov,Double,"
         "10,,Covariance matrix.,,{{{,},{,}},{{,},{,}}},,}},{0,{mean,Double,10,,Vector of the arithmetic means of "
         "each variable.,,{{{,},{,}}},,}},{0,{algorithm,Short Int,0,,An integer value that determines a method to "
         "generate uniform random number. ,,,,,{1,1,{{0,Mersenne Twister (2002)},{1,Mersenne Twister (1998)},{2,"
         "Numerical Recipies ran2}}}}},{0,{seed1,Int,0,,1st random seed. ,,,,}},{0,{seed2,Int,0,,2nd random "
         "seed.,,,,}},{0,{useInvertFunc,Boolean,0,,\"If TRUE, inverse function method is used. Otherwise "
         "Box-Muller method is used.\",,,,}},{0,{useAntithetic,Boolean,0,,\"If TRUE, antithetic variant method is "
         "used.\",,,,}},{0,{useResampling,Boolean,0,,\"If TRUE, quadratic resampling method is used.\",,,,}}},{},3,"
         ",0,0,,,,0,0}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const XlFunctionRecord& r = Get(c.name).Record();
        EXPECT_EQ(r.legacyExport, std::string(c.name) + "_4");
        EXPECT_EQ(r.modernExport, std::string(c.name) + "_12");
        EXPECT_STREQ(r.legacyType, c.legacyType);
        EXPECT_STREQ(r.modernType, c.modernType);
        EXPECT_EQ(Narrow(r.name), c.name);
        EXPECT_EQ(Narrow(r.argumentNames), c.argumentNames);
        EXPECT_EQ(Narrow(r.category), "ZrRand");
        EXPECT_EQ(Narrow(r.descriptor), c.descriptor);
        EXPECT_EQ(r.macroType, 1);
    }
}

// One NUL-terminated help per argument, ended by an empty text.
TEST(Catalogue, ArgumentHelpsAreAMultiString) {
    constexpr char16_t kExpected[] = u"Probability\0A parameter of the distribution N (Positive integer).\0";
    const XlFunctionRecord& r = Get("ZrChiDistInv").Record();
    EXPECT_EQ(std::u16string(r.argumentHelp, std::size(kExpected)), std::u16string(kExpected, std::size(kExpected)));
    EXPECT_EQ(Get("ZrVersion").Record().argumentHelp[0], u'\0');
}
