// Tests of the function catalogue: the table's content and the texts derived
// from it for Excel's registration.
#include "functions/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Zr::Functions {
namespace {

// ---- Helpers ---------------------------------------------------------------

std::string Narrow(std::u16string_view text) {
    std::string narrow;
    for (char16_t c : text) narrow += c < 128 ? static_cast<char>(c) : '?';
    return narrow;
}

std::u16string Widen(std::string_view text) { return {text.begin(), text.end()}; }

const FunctionInfo& Get(std::string_view name) {
    const FunctionInfo* f = FindFunction(name);
    if (f == nullptr) throw std::runtime_error("no catalogue entry " + std::string(name));
    return *f;
}

// Splits brace notation at the commas that are neither inside nested braces nor
// inside a quoted text.
std::vector<std::u16string> SplitTopLevel(std::u16string_view text) {
    std::vector<std::u16string> fields(1);
    int depth = 0;
    bool quoted = false;
    for (char16_t c : text) {
        if (c == u'"') quoted = !quoted;
        if (!quoted && c == u'{') ++depth;
        if (!quoted && c == u'}') --depth;
        if (!quoted && depth == 0 && c == u',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// The fields of a braced text "{a,b,...}"; "{}" has none.
std::vector<std::u16string> BracedFields(std::u16string_view text) {
    if (text.size() < 2 || text.front() != u'{' || text.back() != u'}') {
        ADD_FAILURE() << "not braced: " << Narrow(text);
        return {};
    }
    const std::u16string_view inner = text.substr(1, text.size() - 2);
    if (inner.empty()) return {};
    return SplitTopLevel(inner);
}

std::u16string Unquoted(std::u16string_view text) {
    if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"')
        return std::u16string(text.substr(1, text.size() - 2));
    return std::u16string(text);
}

// The fields of each argument entry "{0,{...}}" of a function's descriptor.
std::vector<std::vector<std::u16string>> DescriptorArgumentFields(const FunctionInfo& f) {
    const auto fields = BracedFields(Descriptor(f));
    if (fields.size() != 19) return {};
    std::vector<std::vector<std::u16string>> entries;
    for (const auto& entry : BracedFields(fields[8])) {
        const auto outer = BracedFields(entry);
        if (outer.size() != 2 || outer[0] != u"0") {
            ADD_FAILURE() << "malformed argument entry: " << Narrow(entry);
            continue;
        }
        entries.push_back(BracedFields(outer[1]));
    }
    return entries;
}

std::vector<std::u16string> SplitNames(std::u16string_view names) {
    if (names.empty()) return {};
    return SplitTopLevel(names);
}

constexpr std::u16string_view kAlgorithmChoices =
    u"{1,1,{{0,Mersenne Twister (2002)},{1,Mersenne Twister (1998)},{2,Numerical Recipies ran2}}}";

// ---- The catalogue's functions, in order -----------------------------------

struct Signature {
    std::string_view name;
    std::u16string_view argumentNames;
    std::string_view legacyTypeText;
};

const std::vector<Signature> kSignatures{
        {"ZrVersion", u"", "R"},
        {"ZrRand", u"size,algorithm,seed1,seed2", "RJIJJ"},
        {"ZrRandBeta", u"size,alpha,beta,algorithm,seed1,seed2", "RJBBIJJ"},
        {"ZrRandChi", u"size,n,algorithm,seed1,seed2", "RJJIJJ"},
        {"ZrRandChiSq", u"size,n,algorithm,seed1,seed2", "RJJIJJ"},
        {"ZrRandF", u"size,n1,n2,algorithm,seed1,seed2", "RJJJIJJ"},
        {"ZrRandGamma", u"size,alpha,beta,algorithm,seed1,seed2", "RJBBIJJ"},
        {"ZrRandGumbel", u"size,alpha,beta,algorithm,seed1,seed2", "RJBBIJJ"},
        {"ZrRandJohnsonSU", u"size,gamma,delta,lambda,xi,algorithm,seed1,seed2,useInvertFunc,useAntithetic,useResampling", "RJBBBBIJJAAA"},
        {"ZrRandLogistic", u"size,m,b,algorithm,seed1,seed2", "RJBBIJJ"},
        {"ZrRandLogNorm", u"size,m,s,algorithm,seed1,seed2", "RJBBIJJ"},
        {"ZrRandNorm", u"size,algorithm,seed1,seed2,useInvertFunc,useAntithetic,useResampling", "RJIJJAAA"},
        {"ZrRandPoisson", u"size,mean,algorithm,seed1,seed2", "RJBIJJ"},
        {"ZrRandT", u"size,n,algorithm,seed1,seed2", "RJJIJJ"},
        {"ZrRandTriangular", u"size,min,max,mode,algorithm,seed1,seed2", "RJBBBIJJ"},
        {"ZrRandTruncNorm", u"size,min,max,mu,sigma,algorithm,seed1,seed2", "RJBBBBIJJ"},
        {"ZrRandWeibull", u"size,alpha,beta,algorithm,seed1,seed2", "RJBBIJJ"},
        {"ZrRandMultiNorm", u"size,cov,mean,algorithm,seed1,seed2,useInvertFunc,useAntithetic,useResampling", "RJPPIJJAAA"},
        {"ZrBetaDist", u"x,alpha,beta,isCumulative", "RBBBA"},
        {"ZrBetaKurt", u"alpha,beta", "RBB"},
        {"ZrBetaMean", u"alpha,beta", "RBB"},
        {"ZrBetaMom", u"alpha,beta", "RBB"},
        {"ZrBetaParam", u"mean,stdev", "RBB"},
        {"ZrBetaSkew", u"alpha,beta", "RBB"},
        {"ZrBetaStdev", u"alpha,beta", "RBB"},
        {"ZrBiNormDist", u"x1,x2,corr,isCumulative", "RBBBA"},
        {"ZrChiDist", u"x,n,isCumulative", "RBJA"},
        {"ZrChiKurt", u"n", "RJ"},
        {"ZrChiMean", u"n", "RJ"},
        {"ZrChiMom", u"n", "RJ"},
        {"ZrChiSkew", u"n", "RJ"},
        {"ZrChiStdev", u"n", "RJ"},
        {"ZrChiSqDist", u"x,n,isCumulative", "RBJA"},
        {"ZrChiSqKurt", u"n", "RJ"},
        {"ZrChiSqMean", u"n", "RJ"},
        {"ZrChiSqMom", u"n", "RJ"},
        {"ZrChiSqSkew", u"n", "RJ"},
        {"ZrChiSqStdev", u"n", "RJ"},
        {"ZrFDist", u"x,n1,n2,isCumulative", "RBJJA"},
        {"ZrFKurt", u"n1,n2", "RJJ"},
        {"ZrFMean", u"n2", "RJ"},
        {"ZrFMom", u"n1,n2", "RJJ"},
        {"ZrFSkew", u"n1,n2", "RJJ"},
        {"ZrFStdev", u"n1,n2", "RJJ"},
        {"ZrGammaDist", u"x,alpha,beta,isCumulative", "RBBBA"},
        {"ZrGammaKurt", u"alpha", "RB"},
        {"ZrGammaMean", u"alpha,beta", "RBB"},
        {"ZrGammaMom", u"alpha,beta", "RBB"},
        {"ZrGammaParam", u"mean,stdev", "RBB"},
        {"ZrGammaSkew", u"alpha", "RB"},
        {"ZrGammaStdev", u"alpha,beta", "RBB"},
        {"ZrGumbelDist", u"x,alpha,beta,isCumulative", "RBBBA"},
        {"ZrGumbelInv", u"prob,alpha,beta", "RBBB"},
        {"ZrGumbelKurt", u"", "R"},
        {"ZrGumbelMean", u"alpha,beta", "RBB"},
        {"ZrGumbelMom", u"alpha,beta", "RBB"},
        {"ZrGumbelParam", u"mean,stdev", "RBB"},
        {"ZrGumbelSkew", u"", "R"},
        {"ZrGumbelStdev", u"beta", "RB"},
        {"ZrJohnsonSUDist", u"x,gamma,delta,lambda,xi,isCumulative", "RBBBBBA"},
        {"ZrJohnsonSUInv", u"prob,gamma,delta,lambda,xi", "RBBBBB"},
        {"ZrJohnsonSUKurt", u"gamma,delta,lambda,xi", "RBBBB"},
        {"ZrJohnsonSUMean", u"gamma,delta,lambda,xi", "RBBBB"},
        {"ZrJohnsonSUMom", u"gamma,delta,lambda,xi", "RBBBB"},
        {"ZrJohnsonSUParam", u"mean,stdev,skew,kurt", "RBBBB"},
        {"ZrJohnsonSUSkew", u"gamma,delta,lambda,xi", "RBBBB"},
        {"ZrJohnsonSUStdev", u"gamma,delta,lambda,xi", "RBBBB"},
        {"ZrLogisticDist", u"x,m,b,isCumulative", "RBBBA"},
        {"ZrLogisticInv", u"prob,m,b", "RBBB"},
        {"ZrLogisticKurt", u"", "R"},
        {"ZrLogisticMean", u"m", "RB"},
        {"ZrLogisticMom", u"m,b", "RBB"},
        {"ZrLogisticParam", u"mean,stdev", "RBB"},
        {"ZrLogisticSkew", u"", "R"},
        {"ZrLogisticStdev", u"b", "RB"},
        {"ZrLogNormDist", u"x,m,s,isCumulative", "RBBBA"},
        {"ZrLogNormInv", u"prob,m,s", "RBBB"},
        {"ZrLogNormKurt", u"s", "RB"},
        {"ZrLogNormMean", u"m,s", "RBB"},
        {"ZrLogNormMom", u"m,s", "RBB"},
        {"ZrLogNormParam", u"mean,stdev", "RBB"},
        {"ZrLogNormSkew", u"s", "RB"},
        {"ZrLogNormStdev", u"m,s", "RBB"},
        {"ZrNormDist", u"x,isCumulative", "RBA"},
        {"ZrNormInv", u"prob", "RB"},
        {"ZrPoissonDist", u"k,mean,isCumulative", "RJBA"},
        {"ZrPoissonKurt", u"mean", "RB"},
        {"ZrPoissonMean", u"mean", "RB"},
        {"ZrPoissonMom", u"mean", "RB"},
        {"ZrPoissonSkew", u"mean", "RB"},
        {"ZrPoissonStdev", u"mean", "RB"},
        {"ZrTDist", u"x,n,isCumulative", "RBJA"},
        {"ZrTKurt", u"n", "RJ"},
        {"ZrTMean", u"", "R"},
        {"ZrTMom", u"n", "RJ"},
        {"ZrTSkew", u"", "R"},
        {"ZrTStdev", u"n", "RJ"},
        {"ZrTriangularDist", u"x,min,max,mode,isCumulative", "RBBBBA"},
        {"ZrTriangularInv", u"prob,min,max,mode", "RBBBB"},
        {"ZrTriangularKurt", u"", "R"},
        {"ZrTriangularMean", u"min,max,mode", "RBBB"},
        {"ZrTriangularMom", u"min,max,mode", "RBBB"},
        {"ZrTriangularParam", u"mean,stdev,skew", "RBBB"},
        {"ZrTriangularSkew", u"min,max,mode", "RBBB"},
        {"ZrTriangularStdev", u"min,max,mode", "RBBB"},
        {"ZrTruncNormDist", u"x,min,max,mu,sigma,isCumulative", "RBBBBBA"},
        {"ZrTruncNormInv", u"prob,min,max,mu,sigma", "RBBBBB"},
        {"ZrTruncNormKurt", u"min,max,mu,sigma", "RBBBB"},
        {"ZrTruncNormMean", u"min,max,mu,sigma", "RBBBB"},
        {"ZrTruncNormMom", u"min,max,mu,sigma", "RBBBB"},
        {"ZrTruncNormParam", u"min,max,mean,stdev", "RBBBB"},
        {"ZrTruncNormSkew", u"min,max,mu,sigma", "RBBBB"},
        {"ZrTruncNormStdev", u"min,max,mu,sigma", "RBBBB"},
        {"ZrWeibullDist", u"x,alpha,beta,isCumulative", "RBBBA"},
        {"ZrWeibullInv", u"prob,alpha,beta", "RBBB"},
        {"ZrWeibullKurt", u"alpha,beta", "RBB"},
        {"ZrWeibullMean", u"alpha,beta", "RBB"},
        {"ZrWeibullMom", u"alpha,beta", "RBB"},
        {"ZrWeibullParam", u"mean,stdev", "RBB"},
        {"ZrWeibullSkew", u"alpha,beta", "RBB"},
        {"ZrWeibullStdev", u"alpha,beta", "RBB"},
        {"ZrCor2Cov", u"stdev,cor", "RPP"},
        {"ZrCov2Cor", u"cov,calcStdev", "RPA"},
        {"ZrMultiCorrel", u"data,calcMean,calcStdev", "RPAA"},
        {"ZrMultiCovarp", u"data,calcMean", "RPA"},
        {"ZrBetaInv", u"prob,alpha,beta", "RBBB"},
        {"ZrFDistInv", u"prob,n1,n2", "RBJJ"},
        {"ZrPoissonDistInv", u"prob,mean", "RBB"},
        {"ZrTDistInv", u"prob,n", "RBJ"},
        {"ZrGammaDistInv", u"prob,alpha,beta", "RBBB"},
        {"ZrChiSqDistInv", u"prob,n", "RBJ"},
        {"ZrChiDistInv", u"prob,n", "RBJ"},
};

TEST(CatalogueTable, HoldsAll132FunctionsInOrderWithTheirArguments) {
    const auto& table = Catalogue();
    ASSERT_EQ(table.size(), 132u);
    ASSERT_EQ(kSignatures.size(), 132u);
    for (std::size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(kSignatures[i].name);
        EXPECT_EQ(table[i].name, kSignatures[i].name) << "position " << i;
        EXPECT_EQ(Narrow(ArgumentNames(table[i])), Narrow(kSignatures[i].argumentNames));
        EXPECT_EQ(LegacyTypeText(table[i]), kSignatures[i].legacyTypeText);
    }
}

TEST(CatalogueTable, NamesAreUniqueAndCarryThePrefix) {
    std::set<std::string_view> names;
    for (const auto& f : Catalogue()) {
        EXPECT_TRUE(f.name.starts_with("Zr")) << f.name;
        EXPECT_TRUE(names.insert(f.name).second) << "duplicate " << f.name;
    }
}

TEST(CatalogueTable, EveryFunctionHasADescriptionAndEveryArgumentAHelpText) {
    for (const auto& f : Catalogue()) {
        EXPECT_FALSE(f.description.empty()) << f.name;
        for (const auto& a : f.arguments) EXPECT_FALSE(a.help.empty()) << f.name << " " << a.name;
    }
}

// Distinct descriptions guard against an entry copied without being adapted.
TEST(CatalogueTable, DescriptionsAreDistinct) {
    std::set<std::u16string_view> descriptions;
    for (const auto& f : Catalogue())
        EXPECT_TRUE(descriptions.insert(f.description).second) << f.name << ": " << Narrow(f.description);
}

TEST(CatalogueTable, FindFunctionReturnsTheTableEntry) {
    for (const auto& f : Catalogue()) EXPECT_EQ(FindFunction(f.name), &f) << f.name;
    EXPECT_EQ(FindFunction("ZrNoSuchFunction"), nullptr);
    EXPECT_EQ(FindFunction(""), nullptr);
    EXPECT_EQ(FindFunction("zrversion"), nullptr);
    EXPECT_EQ(FindFunction("ZrRand_12"), nullptr);
}

TEST(CatalogueTable, DescriptionsKeepTheirExactWording) {
    EXPECT_EQ(Get("ZrVersion").description, u"Get version information.");
    EXPECT_EQ(Get("ZrBiNormDist").description, u"Returns the bivariate normal distribution");
    EXPECT_EQ(Get("ZrChiSqMom").description,
              u"Returns mean, standard deviation, skewness and kurtosis of a specified chisq distribution.");
    EXPECT_EQ(Get("ZrJohnsonSUParam").description,
              u"Returns parameters of the Johnson SU distribution for the specified mean standard deviation, "
              u"skewness and kurtosis.");
    EXPECT_EQ(Get("ZrRand").description,
              u"Returns uniform pseudo random number(s) in (0, 1) based on Mersenne Twister algorithm.");
    EXPECT_EQ(Get("ZrTDistInv").description, u"Returns probability quantile function of the Student t distribution.");
}

// ---- Type texts and export names --------------------------------------------

TEST(CatalogueTypeTexts, ModernTextIsLegacyTextWithUQAndDollar) {
    for (const auto& f : Catalogue()) {
        std::string expected = LegacyTypeText(f);
        ASSERT_FALSE(expected.empty()) << f.name;
        EXPECT_EQ(expected.front(), 'R') << f.name;
        expected.front() = 'U';
        std::replace(expected.begin(), expected.end(), 'P', 'Q');
        expected += '$';
        EXPECT_EQ(ModernTypeText(f), expected) << f.name;
    }
}

TEST(CatalogueTypeTexts, OneLetterPerArgumentInOrder) {
    for (const auto& f : Catalogue()) {
        const std::string legacy = LegacyTypeText(f);
        ASSERT_EQ(legacy.size(), f.arguments.size() + 1) << f.name;
        for (std::size_t i = 0; i < f.arguments.size(); ++i)
            EXPECT_EQ(legacy[i + 1], static_cast<char>(f.arguments[i].type)) << f.name << " argument " << i;
    }
}

TEST(CatalogueTypeTexts, Examples) {
    EXPECT_EQ(LegacyTypeText(Get("ZrBetaDist")), "RBBBA");
    EXPECT_EQ(ModernTypeText(Get("ZrBetaDist")), "UBBBA$");
    EXPECT_EQ(LegacyTypeText(Get("ZrVersion")), "R");
    EXPECT_EQ(ModernTypeText(Get("ZrVersion")), "U$");
    EXPECT_EQ(LegacyTypeText(Get("ZrRandMultiNorm")), "RJPPIJJAAA");
    EXPECT_EQ(ModernTypeText(Get("ZrRandMultiNorm")), "UJQQIJJAAA$");
    EXPECT_EQ(ModernTypeText(Get("ZrMultiCorrel")), "UQAA$");
}

TEST(CatalogueTypeTexts, ExportNamesAddTheSuffixes) {
    for (const auto& f : Catalogue()) {
        EXPECT_EQ(LegacyExportName(f), std::string(f.name) + "_4");
        EXPECT_EQ(ModernExportName(f), std::string(f.name) + "_12");
    }
    EXPECT_EQ(ModernExportName(Get("ZrRandNorm")), "ZrRandNorm_12");
}

// ---- Arguments ---------------------------------------------------------------

TEST(CatalogueArguments, NamesHelpsLettersAndDescriptorEntriesAgree) {
    for (const auto& f : Catalogue()) {
        SCOPED_TRACE(f.name);
        const auto names = SplitNames(ArgumentNames(f));
        const auto helps = ArgumentHelps(f);
        const auto entries = DescriptorArgumentFields(f);
        const std::string letters = LegacyTypeText(f).substr(1);
        ASSERT_EQ(names.size(), f.arguments.size());
        ASSERT_EQ(helps.size(), f.arguments.size());
        ASSERT_EQ(entries.size(), f.arguments.size());
        ASSERT_EQ(letters.size(), f.arguments.size());
        for (std::size_t i = 0; i < f.arguments.size(); ++i) {
            const auto& a = f.arguments[i];
            EXPECT_EQ(names[i], Widen(a.name));
            EXPECT_EQ(helps[i], a.help);
            ASSERT_GE(entries[i].size(), 5u);
            EXPECT_EQ(entries[i][0], Widen(a.name));
            EXPECT_EQ(Unquoted(entries[i][4]), a.help);
            EXPECT_EQ(letters[i], static_cast<char>(a.type));
        }
    }
}

TEST(CatalogueArguments, ExactlyEightFunctionsTakeNoArguments) {
    const std::set<std::string_view> expected{"ZrVersion",      "ZrGumbelKurt", "ZrGumbelSkew", "ZrLogisticKurt",
                                              "ZrLogisticSkew", "ZrTMean",      "ZrTSkew",      "ZrTriangularKurt"};
    std::set<std::string_view> found;
    for (const auto& f : Catalogue()) {
        if (!f.arguments.empty()) continue;
        found.insert(f.name);
        EXPECT_TRUE(ArgumentNames(f).empty()) << f.name;
        EXPECT_TRUE(ArgumentHelps(f).empty()) << f.name;
        EXPECT_EQ(BracedFields(Descriptor(f)).at(8), u"{}") << f.name;
    }
    EXPECT_EQ(found, expected);
}

TEST(CatalogueArguments, ArgumentNamesAreCommaSeparatedWithoutSpaces) {
    EXPECT_EQ(ArgumentNames(Get("ZrBetaDist")), u"x,alpha,beta,isCumulative");
    EXPECT_EQ(ArgumentNames(Get("ZrChiDistInv")), u"prob,n");
    EXPECT_EQ(ArgumentNames(Get("ZrNormInv")), u"prob");
    for (const auto& f : Catalogue()) EXPECT_EQ(ArgumentNames(f).find(u' '), std::u16string::npos) << f.name;
}

// The distinct argument help texts, as Excel shows them.
constexpr std::u16string_view kTextSize = u"# of random numbers (Positive integer).";
constexpr std::u16string_view kTextAlgorithm =
    u"An integer value that determines a method to generate uniform random number. ";
constexpr std::u16string_view kTextSeed1 = u"1st random seed. ";
constexpr std::u16string_view kTextSeed2 = u"2nd random seed.";
constexpr std::u16string_view kTextAlphaPositive = u"A parameter of the distribution alpha (> 0).";
constexpr std::u16string_view kTextBeta = u"A parameter of the distribution beta (> 0).";
constexpr std::u16string_view kTextN = u"A parameter of the distribution N (Positive integer).";
constexpr std::u16string_view kTextN1 = u"A parameter of the distribution N1 (Positive integer).";
constexpr std::u16string_view kTextN2 = u"A parameter of the distribution N2 (Positive integer).";
constexpr std::u16string_view kTextAlpha = u"A parameter of the distribution alpha.";
constexpr std::u16string_view kTextGamma = u"A parameter of the distribution gamma.";
constexpr std::u16string_view kTextDelta = u"A parameter of the distribution delta (> 0).";
constexpr std::u16string_view kTextLambda = u"A parameter of the distribution lambda (> 0).";
constexpr std::u16string_view kTextXi = u"A parameter of the distribution xi.";
constexpr std::u16string_view kTextUseInvertFunc =
    u"If TRUE, inverse function method is used. Otherwise Box-Muller method is used.";
constexpr std::u16string_view kTextUseAntithetic = u"If TRUE, antithetic variant method is used.";
constexpr std::u16string_view kTextUseResampling = u"If TRUE, quadratic resampling method is used.";
constexpr std::u16string_view kTextM = u"A parameter of the distribution m.";
constexpr std::u16string_view kTextB = u"A parameter of the distribution b (> 0).";
constexpr std::u16string_view kTextS = u"A parameter of the distribution s (> 0).";
constexpr std::u16string_view kTextMean = u"Arithmetic mean of the distribution.";
constexpr std::u16string_view kTextMin = u"Lower limit of a support of the distribution a.";
constexpr std::u16string_view kTextMax = u"Upper limit of a support of the distribution b.";
constexpr std::u16string_view kTextMode = u"mode of the distribution c.";
constexpr std::u16string_view kTextMu = u"A parameter of the distribution mu.";
constexpr std::u16string_view kTextSigma = u"A parameter of the distribution sigma (> 0).";
constexpr std::u16string_view kTextCovDot = u"Covariance matrix.";
constexpr std::u16string_view kTextMeanVector = u"Vector of the arithmetic means of each variable.";
constexpr std::u16string_view kTextXUnit = u"The value for which you want the distribution (0 <= x <= 1).";
constexpr std::u16string_view kTextIsCumulative =
    u"If TRUE, returns the cumulative distribution function, otherwise returns the probability density function.";
constexpr std::u16string_view kTextStdev = u"Standard deviation of the distribution (Positive value).";
constexpr std::u16string_view kTextX1 = u"1st variable for which you want the distribution.";
constexpr std::u16string_view kTextX2 = u"2nd variable for which you want the distribution.";
constexpr std::u16string_view kTextCorr = u"A correlation coefficient between 2 variables.";
constexpr std::u16string_view kTextXNonNegative = u"The value for which you want the distribution (x >= 0).";
constexpr std::u16string_view kTextN2Above8 = u"A parameter of the distribution N2 (N2 > 8).";
constexpr std::u16string_view kTextN2Above2 = u"A parameter of the distribution N2 (N2 > 2).";
constexpr std::u16string_view kTextN2Above6 = u"A parameter of the distribution N2 (N2 > 6).";
constexpr std::u16string_view kTextN2Above4 = u"A parameter of the distribution N2 (N2 > 4).";
constexpr std::u16string_view kTextX = u"The value for which you want the distribution.";
constexpr std::u16string_view kTextProbOpen = u"A probability corresponding to the normal distribution (0 < prob < 1).";
constexpr std::u16string_view kTextSkew = u"Skewness of the distribution. ";
constexpr std::u16string_view kTextKurt = u"Kurtosis of the distribution (Positive value). ";
constexpr std::u16string_view kTextXPositive = u"The value for which you want the distribution (x > 0).";
constexpr std::u16string_view kTextK = u"The value for which you want the distribution (Integer).";
constexpr std::u16string_view kTextNAbove4 = u"A parameter of the distribution N (> 4).";
constexpr std::u16string_view kTextNAbove1 = u"A parameter of the distribution N (> 1).";
constexpr std::u16string_view kTextProbClosed =
    u"A probability corresponding to the normal distribution (0 <= prob <= 1).";
constexpr std::u16string_view kTextProbHalfOpen =
    u"A probability corresponding to the normal distribution (0 <= prob < 1).";
constexpr std::u16string_view kTextStdevVector =
    u"A 1-dim vecor whose components are standard deviations of each variable. ";
constexpr std::u16string_view kTextCor = u"Correlation matrix";
constexpr std::u16string_view kTextCov = u"Covariance matrix";
constexpr std::u16string_view kTextCalcStdev = u"If TRUE, standard deviations of each variables are computed.";
constexpr std::u16string_view kTextData = u"A set of series of variables.";
constexpr std::u16string_view kTextCalcMean = u"If TRUE, means of each variables are computed.";
constexpr std::u16string_view kTextProb = u"Probability";

const std::vector<std::u16string_view> kKnownHelpTexts{
    kTextSize,         kTextAlgorithm,     kTextSeed1,         kTextSeed2,         kTextAlphaPositive,
    kTextBeta,         kTextN,             kTextN1,            kTextN2,            kTextAlpha,
    kTextGamma,        kTextDelta,         kTextLambda,        kTextXi,            kTextUseInvertFunc,
    kTextUseAntithetic, kTextUseResampling, kTextM,            kTextB,             kTextS,
    kTextMean,         kTextMin,           kTextMax,           kTextMode,          kTextMu,
    kTextSigma,        kTextCovDot,        kTextMeanVector,    kTextXUnit,         kTextIsCumulative,
    kTextStdev,        kTextX1,            kTextX2,            kTextCorr,          kTextXNonNegative,
    kTextN2Above8,     kTextN2Above2,      kTextN2Above6,      kTextN2Above4,      kTextX,
    kTextProbOpen,     kTextSkew,          kTextKurt,          kTextXPositive,     kTextK,
    kTextNAbove4,      kTextNAbove1,       kTextProbClosed,    kTextProbHalfOpen,  kTextStdevVector,
    kTextCor,          kTextCov,           kTextCalcStdev,     kTextData,          kTextCalcMean,
    kTextProb,
};

TEST(CatalogueArguments, EveryHelpIsAKnownTextAndEveryKnownTextIsUsed) {
    ASSERT_EQ(kKnownHelpTexts.size(), 56u);
    const std::set<std::u16string_view> known(kKnownHelpTexts.begin(), kKnownHelpTexts.end());
    ASSERT_EQ(known.size(), kKnownHelpTexts.size());
    std::set<std::u16string_view> used;
    for (const auto& f : Catalogue()) {
        for (const auto& a : f.arguments) {
            EXPECT_TRUE(known.contains(a.help)) << f.name << " " << a.name << ": \"" << Narrow(a.help) << "\"";
            used.insert(a.help);
        }
    }
    EXPECT_EQ(used, known);
}

// Most argument names always carry the same help text; the exceptions are
// listed per function.
TEST(CatalogueArguments, EachArgumentCarriesItsAssignedHelpText) {
    const std::map<std::string_view, std::u16string_view> byName{
        {"size", kTextSize},
        {"algorithm", kTextAlgorithm},
        {"seed1", kTextSeed1},
        {"seed2", kTextSeed2},
        {"alpha", kTextAlphaPositive},
        {"beta", kTextBeta},
        {"n", kTextN},
        {"n1", kTextN1},
        {"n2", kTextN2},
        {"gamma", kTextGamma},
        {"delta", kTextDelta},
        {"lambda", kTextLambda},
        {"xi", kTextXi},
        {"useInvertFunc", kTextUseInvertFunc},
        {"useAntithetic", kTextUseAntithetic},
        {"useResampling", kTextUseResampling},
        {"m", kTextM},
        {"b", kTextB},
        {"s", kTextS},
        {"mean", kTextMean},
        {"min", kTextMin},
        {"max", kTextMax},
        {"mode", kTextMode},
        {"mu", kTextMu},
        {"sigma", kTextSigma},
        {"cov", kTextCov},
        {"x", kTextX},
        {"isCumulative", kTextIsCumulative},
        {"stdev", kTextStdev},
        {"x1", kTextX1},
        {"x2", kTextX2},
        {"corr", kTextCorr},
        {"prob", kTextProb},
        {"skew", kTextSkew},
        {"kurt", kTextKurt},
        {"k", kTextK},
        {"cor", kTextCor},
        {"calcStdev", kTextCalcStdev},
        {"data", kTextData},
        {"calcMean", kTextCalcMean},
    };
    using Key = std::pair<std::string_view, std::string_view>;  // function, argument
    const std::map<Key, std::u16string_view> exceptions{
        {{"ZrRandGumbel", "alpha"}, kTextAlpha},
        {{"ZrGumbelDist", "alpha"}, kTextAlpha},
        {{"ZrGumbelInv", "alpha"}, kTextAlpha},
        {{"ZrGumbelMean", "alpha"}, kTextAlpha},
        {{"ZrGumbelMom", "alpha"}, kTextAlpha},
        {{"ZrTKurt", "n"}, kTextNAbove4},
        {{"ZrTMom", "n"}, kTextNAbove1},
        {{"ZrTStdev", "n"}, kTextNAbove1},
        {{"ZrFKurt", "n2"}, kTextN2Above8},
        {{"ZrFMean", "n2"}, kTextN2Above2},
        {{"ZrFMom", "n2"}, kTextN2Above2},
        {{"ZrFSkew", "n2"}, kTextN2Above6},
        {{"ZrFStdev", "n2"}, kTextN2Above4},
        {{"ZrRandMultiNorm", "mean"}, kTextMeanVector},
        {{"ZrRandMultiNorm", "cov"}, kTextCovDot},
        {{"ZrCor2Cov", "stdev"}, kTextStdevVector},
        {{"ZrBetaDist", "x"}, kTextXUnit},
        {{"ZrChiDist", "x"}, kTextXNonNegative},
        {{"ZrChiSqDist", "x"}, kTextXNonNegative},
        {{"ZrFDist", "x"}, kTextXNonNegative},
        {{"ZrGammaDist", "x"}, kTextXNonNegative},
        {{"ZrTDist", "x"}, kTextXNonNegative},
        {{"ZrLogNormDist", "x"}, kTextXPositive},
        {{"ZrNormDist", "x"}, kTextXPositive},
        {{"ZrGumbelInv", "prob"}, kTextProbOpen},
        {{"ZrJohnsonSUInv", "prob"}, kTextProbOpen},
        {{"ZrLogisticInv", "prob"}, kTextProbOpen},
        {{"ZrLogNormInv", "prob"}, kTextProbOpen},
        {{"ZrNormInv", "prob"}, kTextProbOpen},
        {{"ZrTriangularInv", "prob"}, kTextProbOpen},
        {{"ZrTruncNormInv", "prob"}, kTextProbClosed},
        {{"ZrWeibullInv", "prob"}, kTextProbHalfOpen},
    };
    std::size_t exceptionsSeen = 0;
    for (const auto& f : Catalogue()) {
        for (const auto& a : f.arguments) {
            std::u16string_view expected;
            if (const auto e = exceptions.find({f.name, a.name}); e != exceptions.end()) {
                expected = e->second;
                ++exceptionsSeen;
            } else if (const auto n = byName.find(a.name); n != byName.end()) {
                expected = n->second;
            } else {
                ADD_FAILURE() << "unexpected argument " << f.name << " " << a.name;
                continue;
            }
            EXPECT_EQ(Narrow(a.help), Narrow(expected)) << f.name << " " << a.name;
        }
    }
    EXPECT_EQ(exceptionsSeen, exceptions.size());
}

TEST(CatalogueArguments, TrailingSpacesAreKept) {
    const auto& rand = Get("ZrRand");
    EXPECT_EQ(rand.arguments.at(1).help,
              u"An integer value that determines a method to generate uniform random number. ");
    EXPECT_EQ(rand.arguments.at(2).help, u"1st random seed. ");
    EXPECT_EQ(rand.arguments.at(3).help, u"2nd random seed.");
    const auto helps = ArgumentHelps(Get("ZrJohnsonSUParam"));
    ASSERT_EQ(helps.size(), 4u);
    EXPECT_EQ(helps[2], u"Skewness of the distribution. ");
    EXPECT_EQ(helps[3], u"Kurtosis of the distribution (Positive value). ");
    EXPECT_EQ(Get("ZrCor2Cov").arguments.at(0).help,
              u"A 1-dim vecor whose components are standard deviations of each variable. ");
}

TEST(CatalogueArguments, MatrixArgumentsHaveTheirShapesAndOthersAreScalar) {
    const std::set<std::pair<std::string_view, std::string_view>> vectors{{"ZrRandMultiNorm", "mean"},
                                                                          {"ZrCor2Cov", "stdev"}};
    std::size_t matrices = 0;
    for (const auto& f : Catalogue()) {
        for (const auto& a : f.arguments) {
            if (a.type != ArgType::Matrix) {
                EXPECT_EQ(a.shape, Shape::Scalar) << f.name << " " << a.name;
                continue;
            }
            ++matrices;
            const Shape expected = vectors.contains({f.name, a.name}) ? Shape::Vector : Shape::Table;
            EXPECT_EQ(a.shape, expected) << f.name << " " << a.name;
        }
    }
    EXPECT_EQ(matrices, 7u);  // cov+mean, stdev+cor, cov, data, data
}

TEST(CatalogueArguments, EveryAlgorithmArgumentAndOnlyItCarriesTheChoiceList) {
    std::size_t algorithms = 0;
    for (const auto& f : Catalogue()) {
        for (const auto& a : f.arguments) {
            if (a.name == "algorithm") {
                ++algorithms;
                EXPECT_EQ(a.type, ArgType::ShortInt) << f.name;
                EXPECT_EQ(a.choices, kAlgorithmChoices) << f.name;
            } else {
                EXPECT_TRUE(a.choices.empty()) << f.name << " " << a.name;
            }
        }
    }
    EXPECT_EQ(algorithms, 17u);
}

TEST(CatalogueArguments, RandomFunctionsShareTheirCommonArguments) {
    for (const auto& f : Catalogue()) {
        if (!f.name.starts_with("ZrRand")) continue;
        SCOPED_TRACE(f.name);
        ASSERT_GE(f.arguments.size(), 4u);
        EXPECT_EQ(f.arguments.front().name, "size");
        const auto algorithm = std::find_if(f.arguments.begin(), f.arguments.end(),
                                            [](const ArgumentInfo& a) { return a.name == "algorithm"; });
        ASSERT_LE(algorithm + 3, f.arguments.end());
        EXPECT_EQ(algorithm[1].name, "seed1");
        EXPECT_EQ(algorithm[2].name, "seed2");
    }
}

// ---- Descriptor ----------------------------------------------------------------

TEST(CatalogueDescriptor, CompleteExamples) {
    EXPECT_EQ(Narrow(Descriptor(Get("ZrVersion"))),
              "{ZrVersion,,,Get version information.,ZrRand,1,1,U,{},{},3,,0,0,,,,0,0}");
    EXPECT_EQ(Narrow(Descriptor(Get("ZrChiDistInv"))),
              "{ZrChiDistInv,,,Returns probability quantile function of the chi distribution.,ZrRand,1,1,U,"
              "{{0,{prob,Double,0,,Probability,,,,}},"
              "{0,{n,Int,0,,A parameter of the distribution N (Positive integer).,,,,}}},"
              "{},3,,0,0,,,,0,0}");
}

TEST(CatalogueDescriptor, NineteenFieldsAroundNameDescriptionAndArguments) {
    for (const auto& f : Catalogue()) {
        SCOPED_TRACE(f.name);
        const auto fields = BracedFields(Descriptor(f));
        ASSERT_EQ(fields.size(), 19u);
        EXPECT_EQ(Unquoted(fields[3]), f.description);
        EXPECT_TRUE(fields[8].starts_with(u"{") && fields[8].ends_with(u"}"));
        // Everything but the description and the argument list is fixed.
        const std::vector<std::u16string> expected{Widen(f.name), u"", u"", fields[3], u"ZrRand", u"1", u"1",
                                                   u"U", fields[8], u"{}", u"3", u"", u"0", u"0", u"", u"", u"",
                                                   u"0", u"0"};
        EXPECT_EQ(fields, expected);
    }
}

TEST(CatalogueDescriptor, ArgumentEntriesCarryTypeNameFlagAndShape) {
    const std::map<ArgType, std::u16string> typeNames{{ArgType::Double, u"Double"},
                                                      {ArgType::Int, u"Int"},
                                                      {ArgType::ShortInt, u"Short Int"},
                                                      {ArgType::Boolean, u"Boolean"},
                                                      {ArgType::Matrix, u"Double"}};
    const std::map<Shape, std::u16string> templates{
        {Shape::Scalar, u""}, {Shape::Vector, u"{{{,},{,}}}"}, {Shape::Table, u"{{{,},{,}},{{,},{,}}}"}};
    for (const auto& f : Catalogue()) {
        const auto entries = DescriptorArgumentFields(f);
        ASSERT_EQ(entries.size(), f.arguments.size()) << f.name;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const auto& a = f.arguments[i];
            const auto& e = entries[i];
            SCOPED_TRACE(std::string(f.name) + " " + std::string(a.name));
            ASSERT_EQ(e.size(), a.choices.empty() ? 9u : 10u);
            EXPECT_EQ(e[1], typeNames.at(a.type));
            EXPECT_EQ(e[2], a.type == ArgType::Matrix ? u"10" : u"0");
            EXPECT_EQ(e[3], u"");
            EXPECT_EQ(e[5], u"");
            EXPECT_EQ(e[6], templates.at(a.shape));
            EXPECT_EQ(e[7], u"");
            EXPECT_EQ(e[8], u"");
            if (!a.choices.empty()) {
                EXPECT_EQ(e[9], a.choices);
            }
        }
    }
}

// Texts are quoted exactly when they contain a comma.
TEST(CatalogueDescriptor, CommaTextsAreQuotedOthersCopiedExactly) {
    for (const auto& f : Catalogue()) {
        const auto fields = BracedFields(Descriptor(f));
        ASSERT_EQ(fields.size(), 19u) << f.name;
        const bool comma = f.description.find(u',') != std::u16string_view::npos;
        EXPECT_EQ(fields[3], comma ? u"\"" + std::u16string(f.description) + u"\"" : std::u16string(f.description))
            << f.name;
        const auto entries = DescriptorArgumentFields(f);
        for (std::size_t i = 0; i < entries.size() && i < f.arguments.size(); ++i) {
            const auto help = f.arguments[i].help;
            const bool hasComma = help.find(u',') != std::u16string_view::npos;
            EXPECT_EQ(entries[i].at(4), hasComma ? u"\"" + std::u16string(help) + u"\"" : std::u16string(help))
                << f.name << " " << f.arguments[i].name;
        }
    }
    const std::u16string betaDist = Descriptor(Get("ZrBetaDist"));
    EXPECT_NE(betaDist.find(u",\"If TRUE, returns the cumulative distribution function, otherwise returns the "
                            u"probability density function.\","),
              std::u16string::npos);
    EXPECT_TRUE(Descriptor(Get("ZrBetaMom"))
                    .starts_with(u"{ZrBetaMom,,,\"Returns mean, standard deviation, skewness and kurtosis of a "
                                 u"specified beta distribution.\",ZrRand,"));
}

TEST(CatalogueDescriptor, AlgorithmEntryCarriesTheChoiceList) {
    const std::u16string rand = Descriptor(Get("ZrRand"));
    EXPECT_NE(rand.find(u"{0,{algorithm,Short Int,0,,An integer value that determines a method to generate "
                        u"uniform random number. ,,,,,{1,1,{{0,Mersenne Twister (2002)},{1,Mersenne Twister "
                        u"(1998)},{2,Numerical Recipies ran2}}}}}"),
              std::u16string::npos)
        << Narrow(rand);
    EXPECT_NE(rand.find(u"{0,{seed1,Int,0,,1st random seed. ,,,,}}"), std::u16string::npos) << Narrow(rand);
}

TEST(CatalogueDescriptor, MatrixEntries) {
    const std::u16string multiNorm = Descriptor(Get("ZrRandMultiNorm"));
    EXPECT_NE(multiNorm.find(u"{0,{cov,Double,10,,Covariance matrix.,,{{{,},{,}},{{,},{,}}},,}}"),
              std::u16string::npos)
        << Narrow(multiNorm);
    EXPECT_NE(multiNorm.find(u"{0,{mean,Double,10,,Vector of the arithmetic means of each variable.,,{{{,},{,}}},,}}"),
              std::u16string::npos)
        << Narrow(multiNorm);
    const std::u16string cor2Cov = Descriptor(Get("ZrCor2Cov"));
    EXPECT_NE(cor2Cov.find(u"{0,{stdev,Double,10,,A 1-dim vecor whose components are standard deviations of each "
                           u"variable. ,,{{{,},{,}}},,}}"),
              std::u16string::npos)
        << Narrow(cor2Cov);
}

TEST(CatalogueDescriptor, TrailingSpacesSurviveInDescriptor) {
    const std::u16string param = Descriptor(Get("ZrJohnsonSUParam"));
    EXPECT_NE(param.find(u"{0,{skew,Double,0,,Skewness of the distribution. ,,,,}}"), std::u16string::npos);
    EXPECT_NE(param.find(u"{0,{kurt,Double,0,,Kurtosis of the distribution (Positive value). ,,,,}}"),
              std::u16string::npos);
}

}  // namespace
}  // namespace Zr::Functions
