// The table of worksheet functions. Help texts are shared by many functions, so
// each text and each recurring argument is defined once and the table only
// names them. Texts are reproduced exactly as Excel shows them, including
// their trailing spaces and spellings.
#include "functions/catalogue.h"

#include <algorithm>

namespace Zr::Functions {
namespace {

// ---- Argument help texts -------------------------------------------------

// Random-number arguments.
constexpr std::u16string_view kHelpSize = u"# of random numbers (Positive integer).";
constexpr std::u16string_view kHelpAlgorithm =
    u"An integer value that determines a method to generate uniform random number. ";
constexpr std::u16string_view kHelpSeed1 = u"1st random seed. ";
constexpr std::u16string_view kHelpSeed2 = u"2nd random seed.";
constexpr std::u16string_view kHelpUseInvertFunc =
    u"If TRUE, inverse function method is used. Otherwise Box-Muller method is used.";
constexpr std::u16string_view kHelpUseAntithetic = u"If TRUE, antithetic variant method is used.";
constexpr std::u16string_view kHelpUseResampling = u"If TRUE, quadratic resampling method is used.";

// Distribution parameters.
constexpr std::u16string_view kHelpAlphaPositive = u"A parameter of the distribution alpha (> 0).";
constexpr std::u16string_view kHelpAlpha = u"A parameter of the distribution alpha.";
constexpr std::u16string_view kHelpBetaPositive = u"A parameter of the distribution beta (> 0).";
constexpr std::u16string_view kHelpN = u"A parameter of the distribution N (Positive integer).";
constexpr std::u16string_view kHelpNAbove4 = u"A parameter of the distribution N (> 4).";
constexpr std::u16string_view kHelpNAbove1 = u"A parameter of the distribution N (> 1).";
constexpr std::u16string_view kHelpN1 = u"A parameter of the distribution N1 (Positive integer).";
constexpr std::u16string_view kHelpN2 = u"A parameter of the distribution N2 (Positive integer).";
constexpr std::u16string_view kHelpN2Above2 = u"A parameter of the distribution N2 (N2 > 2).";
constexpr std::u16string_view kHelpN2Above4 = u"A parameter of the distribution N2 (N2 > 4).";
constexpr std::u16string_view kHelpN2Above6 = u"A parameter of the distribution N2 (N2 > 6).";
constexpr std::u16string_view kHelpN2Above8 = u"A parameter of the distribution N2 (N2 > 8).";
constexpr std::u16string_view kHelpGamma = u"A parameter of the distribution gamma.";
constexpr std::u16string_view kHelpDelta = u"A parameter of the distribution delta (> 0).";
constexpr std::u16string_view kHelpLambda = u"A parameter of the distribution lambda (> 0).";
constexpr std::u16string_view kHelpXi = u"A parameter of the distribution xi.";
constexpr std::u16string_view kHelpM = u"A parameter of the distribution m.";
constexpr std::u16string_view kHelpB = u"A parameter of the distribution b (> 0).";
constexpr std::u16string_view kHelpS = u"A parameter of the distribution s (> 0).";
constexpr std::u16string_view kHelpMin = u"Lower limit of a support of the distribution a.";
constexpr std::u16string_view kHelpMax = u"Upper limit of a support of the distribution b.";
constexpr std::u16string_view kHelpMode = u"mode of the distribution c.";
constexpr std::u16string_view kHelpMu = u"A parameter of the distribution mu.";
constexpr std::u16string_view kHelpSigma = u"A parameter of the distribution sigma (> 0).";

// Moments requested from the parameter functions.
constexpr std::u16string_view kHelpMean = u"Arithmetic mean of the distribution.";
constexpr std::u16string_view kHelpStdev = u"Standard deviation of the distribution (Positive value).";
constexpr std::u16string_view kHelpSkew = u"Skewness of the distribution. ";
constexpr std::u16string_view kHelpKurt = u"Kurtosis of the distribution (Positive value). ";

// Points at which a distribution is evaluated.
constexpr std::u16string_view kHelpX = u"The value for which you want the distribution.";
constexpr std::u16string_view kHelpXUnit = u"The value for which you want the distribution (0 <= x <= 1).";
constexpr std::u16string_view kHelpXNonNegative = u"The value for which you want the distribution (x >= 0).";
constexpr std::u16string_view kHelpXPositive = u"The value for which you want the distribution (x > 0).";
constexpr std::u16string_view kHelpK = u"The value for which you want the distribution (Integer).";
constexpr std::u16string_view kHelpX1 = u"1st variable for which you want the distribution.";
constexpr std::u16string_view kHelpX2 = u"2nd variable for which you want the distribution.";
constexpr std::u16string_view kHelpCorr = u"A correlation coefficient between 2 variables.";
constexpr std::u16string_view kHelpIsCumulative =
    u"If TRUE, returns the cumulative distribution function, otherwise returns the probability density function.";

// Probabilities passed to the quantile functions.
constexpr std::u16string_view kHelpProb = u"Probability";
constexpr std::u16string_view kHelpProbOpen =
    u"A probability corresponding to the normal distribution (0 < prob < 1).";
constexpr std::u16string_view kHelpProbClosed =
    u"A probability corresponding to the normal distribution (0 <= prob <= 1).";
constexpr std::u16string_view kHelpProbHalfOpen =
    u"A probability corresponding to the normal distribution (0 <= prob < 1).";

// Matrix statistics.
constexpr std::u16string_view kHelpCovMatrixDot = u"Covariance matrix.";
constexpr std::u16string_view kHelpCovMatrix = u"Covariance matrix";
constexpr std::u16string_view kHelpCorMatrix = u"Correlation matrix";
constexpr std::u16string_view kHelpMeanVector = u"Vector of the arithmetic means of each variable.";
constexpr std::u16string_view kHelpStdevVector =
    u"A 1-dim vecor whose components are standard deviations of each variable. ";
constexpr std::u16string_view kHelpData = u"A set of series of variables.";
constexpr std::u16string_view kHelpCalcMean = u"If TRUE, means of each variables are computed.";
constexpr std::u16string_view kHelpCalcStdev = u"If TRUE, standard deviations of each variables are computed.";

// Values and labels the function wizard offers for `algorithm`.
constexpr std::u16string_view kAlgorithmChoices =
    u"{1,1,{{0,Mersenne Twister (2002)},{1,Mersenne Twister (1998)},{2,Numerical Recipies ran2}}}";

// ---- Arguments -----------------------------------------------------------

// Type letters, so that the argument definitions below read like the type texts.
constexpr auto B = ArgType::Double;
constexpr auto J = ArgType::Int;
constexpr auto I = ArgType::ShortInt;
constexpr auto A = ArgType::Boolean;
constexpr auto P = ArgType::Matrix;

// Random-number arguments.
constexpr ArgumentInfo kSize{"size", J, kHelpSize};
constexpr ArgumentInfo kAlgorithm{"algorithm", I, kHelpAlgorithm, Shape::Scalar, kAlgorithmChoices};
constexpr ArgumentInfo kSeed1{"seed1", J, kHelpSeed1};
constexpr ArgumentInfo kSeed2{"seed2", J, kHelpSeed2};
constexpr ArgumentInfo kUseInvertFunc{"useInvertFunc", A, kHelpUseInvertFunc};
constexpr ArgumentInfo kUseAntithetic{"useAntithetic", A, kHelpUseAntithetic};
constexpr ArgumentInfo kUseResampling{"useResampling", A, kHelpUseResampling};

// Distribution parameters.
constexpr ArgumentInfo kAlpha{"alpha", B, kHelpAlphaPositive};
constexpr ArgumentInfo kAlphaGumbel{"alpha", B, kHelpAlpha};
constexpr ArgumentInfo kBeta{"beta", B, kHelpBetaPositive};
constexpr ArgumentInfo kN{"n", J, kHelpN};
constexpr ArgumentInfo kNAbove4{"n", J, kHelpNAbove4};
constexpr ArgumentInfo kNAbove1{"n", J, kHelpNAbove1};
constexpr ArgumentInfo kN1{"n1", J, kHelpN1};
constexpr ArgumentInfo kN2{"n2", J, kHelpN2};
constexpr ArgumentInfo kN2Above2{"n2", J, kHelpN2Above2};
constexpr ArgumentInfo kN2Above4{"n2", J, kHelpN2Above4};
constexpr ArgumentInfo kN2Above6{"n2", J, kHelpN2Above6};
constexpr ArgumentInfo kN2Above8{"n2", J, kHelpN2Above8};
constexpr ArgumentInfo kGamma{"gamma", B, kHelpGamma};
constexpr ArgumentInfo kDelta{"delta", B, kHelpDelta};
constexpr ArgumentInfo kLambda{"lambda", B, kHelpLambda};
constexpr ArgumentInfo kXi{"xi", B, kHelpXi};
constexpr ArgumentInfo kM{"m", B, kHelpM};
constexpr ArgumentInfo kB{"b", B, kHelpB};
constexpr ArgumentInfo kS{"s", B, kHelpS};
constexpr ArgumentInfo kMin{"min", B, kHelpMin};
constexpr ArgumentInfo kMax{"max", B, kHelpMax};
constexpr ArgumentInfo kMode{"mode", B, kHelpMode};
constexpr ArgumentInfo kMu{"mu", B, kHelpMu};
constexpr ArgumentInfo kSigma{"sigma", B, kHelpSigma};

// Moments.
constexpr ArgumentInfo kMean{"mean", B, kHelpMean};
constexpr ArgumentInfo kStdev{"stdev", B, kHelpStdev};
constexpr ArgumentInfo kSkew{"skew", B, kHelpSkew};
constexpr ArgumentInfo kKurt{"kurt", B, kHelpKurt};

// Evaluation points and probabilities.
constexpr ArgumentInfo kX{"x", B, kHelpX};
constexpr ArgumentInfo kXUnit{"x", B, kHelpXUnit};
constexpr ArgumentInfo kXNonNegative{"x", B, kHelpXNonNegative};
constexpr ArgumentInfo kXPositive{"x", B, kHelpXPositive};
constexpr ArgumentInfo kK{"k", J, kHelpK};
constexpr ArgumentInfo kX1{"x1", B, kHelpX1};
constexpr ArgumentInfo kX2{"x2", B, kHelpX2};
constexpr ArgumentInfo kCorr{"corr", B, kHelpCorr};
constexpr ArgumentInfo kIsCumulative{"isCumulative", A, kHelpIsCumulative};
constexpr ArgumentInfo kProb{"prob", B, kHelpProb};
constexpr ArgumentInfo kProbOpen{"prob", B, kHelpProbOpen};
constexpr ArgumentInfo kProbClosed{"prob", B, kHelpProbClosed};
constexpr ArgumentInfo kProbHalfOpen{"prob", B, kHelpProbHalfOpen};

// Matrices and vectors.
constexpr ArgumentInfo kCovMultiNorm{"cov", P, kHelpCovMatrixDot, Shape::Table};
constexpr ArgumentInfo kMeanVector{"mean", P, kHelpMeanVector, Shape::Vector};
constexpr ArgumentInfo kStdevVector{"stdev", P, kHelpStdevVector, Shape::Vector};
constexpr ArgumentInfo kCor{"cor", P, kHelpCorMatrix, Shape::Table};
constexpr ArgumentInfo kCov{"cov", P, kHelpCovMatrix, Shape::Table};
constexpr ArgumentInfo kData{"data", P, kHelpData, Shape::Table};
constexpr ArgumentInfo kCalcMean{"calcMean", A, kHelpCalcMean};
constexpr ArgumentInfo kCalcStdev{"calcStdev", A, kHelpCalcStdev};

}  // namespace

const std::vector<FunctionInfo>& Catalogue() {
    // Built on first use; C++ guarantees the initialisation is thread-safe.
    static const std::vector<FunctionInfo> table{
        {"ZrVersion", u"Get version information.", {}},

        // Random numbers.
        {"ZrRand", u"Returns uniform pseudo random number(s) in (0, 1) based on Mersenne Twister algorithm.",
         {kSize, kAlgorithm, kSeed1, kSeed2}},
        {"ZrRandBeta", u"Returns beta pseudo random number(s) based on Mersenne Twister algorithm.",
         {kSize, kAlpha, kBeta, kAlgorithm, kSeed1, kSeed2}},
        {"ZrRandChi", u"Returns chi pseudo random number(s) based on Mersenne Twister algorithm.",
         {kSize, kN, kAlgorithm, kSeed1, kSeed2}},
        {"ZrRandChiSq", u"Returns chi square pseudo random number(s) based on Mersenne Twister algorithm.",
         {kSize, kN, kAlgorithm, kSeed1, kSeed2}},
        {"ZrRandF", u"Returns F pseudo random number(s) based on Mersenne Twister algorithm.",
         {kSize, kN1, kN2, kAlgorithm, kSeed1, kSeed2}},
        {"ZrRandGamma", u"Returns gamma pseudo random number(s) based on Mersenne Twister algorithm.",
         {kSize, kAlpha, kBeta, kAlgorithm, kSeed1, kSeed2}},
        {"ZrRandGumbel", u"Returns Gumbel pseudo random number(s) based on Mersenne Twister algorithm.",
         {kSize, kAlphaGumbel, kBeta, kAlgorithm, kSeed1, kSeed2}},
        {"ZrRandJohnsonSU", u"Returns Johnson SU pseudo random number(s) based on Mersenne Twister algorithm.",
         {kSize, kGamma, kDelta, kLambda, kXi, kAlgorithm, kSeed1, kSeed2, kUseInvertFunc, kUseAntithetic,
          kUseResampling}},
        {"ZrRandLogistic", u"Returns logistic pseudo random number(s) based on Mersenne Twister algorithm.",
         {kSize, kM, kB, kAlgorithm, kSeed1, kSeed2}},
        {"ZrRandLogNorm", u"Returns log-normal pseudo random number(s) based on Mersenne Twister algorithm.",
         {kSize, kM, kS, kAlgorithm, kSeed1, kSeed2}},
        {"ZrRandNorm", u"Returns standard normal pseudo random number(s) based on Mersenne Twister algorithm.",
         {kSize, kAlgorithm, kSeed1, kSeed2, kUseInvertFunc, kUseAntithetic, kUseResampling}},
        {"ZrRandPoisson", u"Returns Poisson pseudo random number(s) based on Mersenne Twister algorithm.",
         {kSize, kMean, kAlgorithm, kSeed1, kSeed2}},
        {"ZrRandT", u"Returns Student's t pseudo random number(s) based on Mersenne Twister algorithm.",
         {kSize, kN, kAlgorithm, kSeed1, kSeed2}},
        {"ZrRandTriangular", u"Returns triangular pseudo random number(s) based on Mersenne Twister algorithm.",
         {kSize, kMin, kMax, kMode, kAlgorithm, kSeed1, kSeed2}},
        {"ZrRandTruncNorm",
         u"Returns truncated normal pseudo random number(s) based on Mersenne Twister algorithm.",
         {kSize, kMin, kMax, kMu, kSigma, kAlgorithm, kSeed1, kSeed2}},
        {"ZrRandWeibull", u"Returns Weibull pseudo random number(s) based on Mersenne Twister algorithm.",
         {kSize, kAlpha, kBeta, kAlgorithm, kSeed1, kSeed2}},
        {"ZrRandMultiNorm",
         u"Returns multivariate normal pseudo random number(s) based on Mersenne Twister algorithm.",
         {kSize, kCovMultiNorm, kMeanVector, kAlgorithm, kSeed1, kSeed2, kUseInvertFunc, kUseAntithetic,
          kUseResampling}},

        // Beta.
        {"ZrBetaDist", u"Returns the beta distribution for the specified parameters.",
         {kXUnit, kAlpha, kBeta, kIsCumulative}},
        {"ZrBetaKurt", u"Returns kurtosis of a specified beta distribution.", {kAlpha, kBeta}},
        {"ZrBetaMean", u"Returns mean of a specified beta distribution.", {kAlpha, kBeta}},
        {"ZrBetaMom",
         u"Returns mean, standard deviation, skewness and kurtosis of a specified beta distribution.",
         {kAlpha, kBeta}},
        {"ZrBetaParam",
         u"Returns parameters of the beta distribution for the specified mean and standard deviation.",
         {kMean, kStdev}},
        {"ZrBetaSkew", u"Returns skewness of a specified beta distribution.", {kAlpha, kBeta}},
        {"ZrBetaStdev", u"Returns standard deviation of a specified beta distribution.", {kAlpha, kBeta}},

        // Bivariate normal.
        {"ZrBiNormDist", u"Returns the bivariate normal distribution", {kX1, kX2, kCorr, kIsCumulative}},

        // Chi.
        {"ZrChiDist", u"Returns the chi distribution for the specified parameters.",
         {kXNonNegative, kN, kIsCumulative}},
        {"ZrChiKurt", u"Returns kurtosis of a specified chi distribution.", {kN}},
        {"ZrChiMean", u"Returns mean of a specified chi distribution.", {kN}},
        {"ZrChiMom",
         u"Returns mean, standard deviation, skewness and kurtosis of a specified chi distribution.", {kN}},
        {"ZrChiSkew", u"Returns skewness of a specified chi distribution.", {kN}},
        {"ZrChiStdev", u"Returns standard deviation of a specified chi distribution.", {kN}},

        // Chi square.
        {"ZrChiSqDist", u"Returns the chi square distribution for the specified parameters.",
         {kXNonNegative, kN, kIsCumulative}},
        {"ZrChiSqKurt", u"Returns kurtosis of a specified chi square distribution.", {kN}},
        {"ZrChiSqMean", u"Returns mean of a specified chi square distribution.", {kN}},
        {"ZrChiSqMom",
         u"Returns mean, standard deviation, skewness and kurtosis of a specified chisq distribution.", {kN}},
        {"ZrChiSqSkew", u"Returns skewness of a specified chi square distribution.", {kN}},
        {"ZrChiSqStdev", u"Returns standard deviation of a specified chi square distribution.", {kN}},

        // F.
        {"ZrFDist", u"Returns the F distribution for the specified parameters.",
         {kXNonNegative, kN1, kN2, kIsCumulative}},
        {"ZrFKurt", u"Returns kurtosis of a specified F distribution.", {kN1, kN2Above8}},
        {"ZrFMean", u"Returns mean of a specified F distribution.", {kN2Above2}},
        {"ZrFMom", u"Returns mean, standard deviation, skewness and kurtosis of a specified F distribution.",
         {kN1, kN2Above2}},
        {"ZrFSkew", u"Returns skewness of a specified F distribution.", {kN1, kN2Above6}},
        {"ZrFStdev", u"Returns standard deviation of a specified F distribution.", {kN1, kN2Above4}},

        // Gamma.
        {"ZrGammaDist", u"Returns the gamma distribution for the specified parameters.",
         {kXNonNegative, kAlpha, kBeta, kIsCumulative}},
        {"ZrGammaKurt", u"Returns kurtosis of a specified gamma distribution.", {kAlpha}},
        {"ZrGammaMean", u"Returns mean of a specified gamma distribution.", {kAlpha, kBeta}},
        {"ZrGammaMom",
         u"Returns mean, standard deviation, skewness and kurtosis of a specified gamma distribution.",
         {kAlpha, kBeta}},
        {"ZrGammaParam",
         u"Returns parameters of the gamma distribution for the specified mean and standard deviation.",
         {kMean, kStdev}},
        {"ZrGammaSkew", u"Returns skewness of a specified gamma distribution.", {kAlpha}},
        {"ZrGammaStdev", u"Returns standard deviation of a specified gamma distribution.", {kAlpha, kBeta}},

        // Gumbel.
        {"ZrGumbelDist", u"Returns the Gumbel distribution for the specified parameters.",
         {kX, kAlphaGumbel, kBeta, kIsCumulative}},
        {"ZrGumbelInv",
         u"Returns the inverse of the cumulative distribution function for a specified Gumbel distribution.",
         {kProbOpen, kAlphaGumbel, kBeta}},
        {"ZrGumbelKurt", u"Returns kurtosis of a specified Gumbel distribution.", {}},
        {"ZrGumbelMean", u"Returns mean of a specified Gumbel distribution.", {kAlphaGumbel, kBeta}},
        {"ZrGumbelMom",
         u"Returns mean, standard deviation, skewness and kurtosis of a specified Gumbel distribution.",
         {kAlphaGumbel, kBeta}},
        {"ZrGumbelParam",
         u"Returns parameters of the Gumbel distribution for the specified mean and standard deviation.",
         {kMean, kStdev}},
        {"ZrGumbelSkew", u"Returns skewness of a specified Gumbel distribution.", {}},
        {"ZrGumbelStdev", u"Returns standard deviation of a specified Gumbel distribution.", {kBeta}},

        // Johnson SU.
        {"ZrJohnsonSUDist", u"Returns the Johnson SU distribution for the specified parameters.",
         {kX, kGamma, kDelta, kLambda, kXi, kIsCumulative}},
        {"ZrJohnsonSUInv",
         u"Returns the inverse of the cumulative distribution function for a specified Johnson SU distribution.",
         {kProbOpen, kGamma, kDelta, kLambda, kXi}},
        {"ZrJohnsonSUKurt", u"Returns kurtosis of a specified Johnson SU distribution.",
         {kGamma, kDelta, kLambda, kXi}},
        {"ZrJohnsonSUMean", u"Returns mean of a specified Johnson SU distribution.",
         {kGamma, kDelta, kLambda, kXi}},
        {"ZrJohnsonSUMom",
         u"Returns mean, standard deviation, skewness and kurtosis of a specified Johnson SU distribution.",
         {kGamma, kDelta, kLambda, kXi}},
        {"ZrJohnsonSUParam",
         u"Returns parameters of the Johnson SU distribution for the specified mean standard deviation, "
         u"skewness and kurtosis.",
         {kMean, kStdev, kSkew, kKurt}},
        {"ZrJohnsonSUSkew", u"Returns skewness of a specified Johnson SU distribution.",
         {kGamma, kDelta, kLambda, kXi}},
        {"ZrJohnsonSUStdev", u"Returns standard deviation of a specified Johnson SU distribution.",
         {kGamma, kDelta, kLambda, kXi}},

        // Logistic.
        {"ZrLogisticDist", u"Returns the logistic distribution for the specified parameters.",
         {kX, kM, kB, kIsCumulative}},
        {"ZrLogisticInv",
         u"Returns the inverse of the cumulative distribution function for a specified logistic distribution.",
         {kProbOpen, kM, kB}},
        {"ZrLogisticKurt", u"Returns kurtosis of a specified logistic distribution.", {}},
        {"ZrLogisticMean", u"Returns mean of a specified logistic distribution.", {kM}},
        {"ZrLogisticMom",
         u"Returns mean, standard deviation, skewness and kurtosis of a specified logistic distribution.",
         {kM, kB}},
        {"ZrLogisticParam",
         u"Returns parameters of the logistic distribution for the specified mean and standard deviation.",
         {kMean, kStdev}},
        {"ZrLogisticSkew", u"Returns skewness of a specified logistic distribution.", {}},
        {"ZrLogisticStdev", u"Returns standard deviation of a specified logistic distribution.", {kB}},

        // Log-normal.
        {"ZrLogNormDist", u"Returns the log normal distribution for the specified parameters.",
         {kXPositive, kM, kS, kIsCumulative}},
        {"ZrLogNormInv",
         u"Returns the inverse of the cumulative distribution function for a specified log normal distribution.",
         {kProbOpen, kM, kS}},
        {"ZrLogNormKurt", u"Returns kurtosis of a specified log normal distribution.", {kS}},
        {"ZrLogNormMean", u"Returns mean of a specified log normal distribution.", {kM, kS}},
        {"ZrLogNormMom",
         u"Returns mean, standard deviation, skewness and kurtosis of a specified log normal distribution.",
         {kM, kS}},
        {"ZrLogNormParam",
         u"Returns parameters of the log normal distribution for the specified mean and standard deviation.",
         {kMean, kStdev}},
        {"ZrLogNormSkew", u"Returns skewness of a specified log normal distribution.", {kS}},
        {"ZrLogNormStdev", u"Returns standard deviation of a specified log normal distribution.", {kM, kS}},

        // Standard normal.
        {"ZrNormDist", u"Returns the standard normal distribution for the specified parameters.",
         {kXPositive, kIsCumulative}},
        {"ZrNormInv",
         u"Returns the inverse of the cumulative distribution function for a specified standard normal "
         u"distribution.",
         {kProbOpen}},

        // Poisson.
        {"ZrPoissonDist", u"Returns the Poisson distribution for the specified parameters.",
         {kK, kMean, kIsCumulative}},
        {"ZrPoissonKurt", u"Returns kurtosis of a specified Poisson distribution.", {kMean}},
        {"ZrPoissonMean", u"Returns mean of a specified Poisson distribution.", {kMean}},
        {"ZrPoissonMom",
         u"Returns mean, standard deviation, skewness and kurtosis of a specified Poisson distribution.",
         {kMean}},
        {"ZrPoissonSkew", u"Returns skewness of a specified Poisson distribution.", {kMean}},
        {"ZrPoissonStdev", u"Returns standard deviation of a specified Poisson distribution.", {kMean}},

        // Student's t.
        {"ZrTDist", u"Returns the Student's t distribution for the specified parameters.",
         {kXNonNegative, kN, kIsCumulative}},
        {"ZrTKurt", u"Returns kurtosis of a specified Student's t distribution.", {kNAbove4}},
        {"ZrTMean", u"Returns mean of a specified Student's t distribution.", {}},
        {"ZrTMom",
         u"Returns mean, standard deviation, skewness and kurtosis of a specified Student's t distribution.",
         {kNAbove1}},
        {"ZrTSkew", u"Returns skewness of a specified Student's t distribution.", {}},
        {"ZrTStdev", u"Returns standard deviation of a specified Student's t distribution.", {kNAbove1}},

        // Triangular.
        {"ZrTriangularDist", u"Returns the triangular distribution for the specified parameters.",
         {kX, kMin, kMax, kMode, kIsCumulative}},
        {"ZrTriangularInv",
         u"Returns the inverse of the cumulative distribution function for a specified triangular distribution.",
         {kProbOpen, kMin, kMax, kMode}},
        {"ZrTriangularKurt", u"Returns kurtosis of a specified triangular distribution.", {}},
        {"ZrTriangularMean", u"Returns mean of a specified triangular distribution.", {kMin, kMax, kMode}},
        {"ZrTriangularMom",
         u"Returns mean, standard deviation, skewness and kurtosis of a specified triangular distribution.",
         {kMin, kMax, kMode}},
        {"ZrTriangularParam",
         u"Returns parameters of the triangular distribution for the specified mean, standard deviation and "
         u"skewness.",
         {kMean, kStdev, kSkew}},
        {"ZrTriangularSkew", u"Returns skewness of a specified triangular distribution.", {kMin, kMax, kMode}},
        {"ZrTriangularStdev", u"Returns standard deviation of a specified triangular distribution.",
         {kMin, kMax, kMode}},

        // Truncated normal.
        {"ZrTruncNormDist", u"Returns the truncated normal distribution for the specified parameters.",
         {kX, kMin, kMax, kMu, kSigma, kIsCumulative}},
        {"ZrTruncNormInv",
         u"Returns the inverse of the cumulative distribution function for a specified truncated normal "
         u"distribution.",
         {kProbClosed, kMin, kMax, kMu, kSigma}},
        {"ZrTruncNormKurt", u"Returns kurtosis of a specified truncated normal distribution.",
         {kMin, kMax, kMu, kSigma}},
        {"ZrTruncNormMean", u"Returns mean of a specified truncated normal distribution.",
         {kMin, kMax, kMu, kSigma}},
        {"ZrTruncNormMom",
         u"Returns mean, standard deviation, skewness and kurtosis of a specified truncated normal distribution.",
         {kMin, kMax, kMu, kSigma}},
        {"ZrTruncNormParam",
         u"Returns parameters of the truncated normal distribution for the specified support, mean and "
         u"standard deviation.",
         {kMin, kMax, kMean, kStdev}},
        {"ZrTruncNormSkew", u"Returns skewness of a specified truncated normal distribution.",
         {kMin, kMax, kMu, kSigma}},
        {"ZrTruncNormStdev", u"Returns standard deviation of a specified truncated normal distribution.",
         {kMin, kMax, kMu, kSigma}},

        // Weibull.
        {"ZrWeibullDist", u"Returns the Weibull distribution for the specified parameters.",
         {kX, kAlpha, kBeta, kIsCumulative}},
        {"ZrWeibullInv",
         u"Returns the inverse of the cumulative distribution function for a specified Weibull distribution.",
         {kProbHalfOpen, kAlpha, kBeta}},
        {"ZrWeibullKurt", u"Returns kurtosis of a specified Weibull distribution.", {kAlpha, kBeta}},
        {"ZrWeibullMean", u"Returns mean of a specified Weibull distribution.", {kAlpha, kBeta}},
        {"ZrWeibullMom",
         u"Returns mean, standard deviation, skewness and kurtosis of a specified Weibull distribution.",
         {kAlpha, kBeta}},
        {"ZrWeibullParam",
         u"Returns parameters of the Weibull distribution for the specified mean and standard deviation.",
         {kMean, kStdev}},
        {"ZrWeibullSkew", u"Returns skewness of a specified Weibull distribution.", {kAlpha, kBeta}},
        {"ZrWeibullStdev", u"Returns standard deviation of a specified Weibull distribution.", {kAlpha, kBeta}},

        // Matrix statistics.
        {"ZrCor2Cov", u"Converts standard deviation vector and correlation matrix to covariance matrix.",
         {kStdevVector, kCor}},
        {"ZrCov2Cor", u"Converts covariance matrix to standard deviation vector and correlation matrix.",
         {kCov, kCalcStdev}},
        {"ZrMultiCorrel", u"Returns mean vector, standard deviation vector and correlation matrix.",
         {kData, kCalcMean, kCalcStdev}},
        {"ZrMultiCovarp", u"Returns mean vector and covariance matrix.", {kData, kCalcMean}},

        // Quantile functions.
        {"ZrBetaInv", u"Returns probability quantile of the beta distribution for the specified parameters.",
         {kProb, kAlpha, kBeta}},
        {"ZrFDistInv", u"Returns probability quantile function of the F distribution.", {kProb, kN1, kN2}},
        {"ZrPoissonDistInv", u"Returns probability quantile function of the Poisson distribution.",
         {kProb, kMean}},
        {"ZrTDistInv", u"Returns probability quantile function of the Student t distribution.", {kProb, kN}},
        {"ZrGammaDistInv", u"Returns probability quantile function of the gamma distribution.",
         {kProb, kAlpha, kBeta}},
        {"ZrChiSqDistInv", u"Returns probability quantile function of the chi-square distribution.",
         {kProb, kN}},
        {"ZrChiDistInv", u"Returns probability quantile function of the chi distribution.", {kProb, kN}},
    };
    return table;
}

const FunctionInfo* FindFunction(std::string_view name) {
    const auto& table = Catalogue();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [name](const FunctionInfo& f) { return f.name == name; });
    return it == table.end() ? nullptr : &*it;
}

}  // namespace Zr::Functions
