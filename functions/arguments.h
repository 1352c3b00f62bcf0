// The arguments of the worksheet functions, as the function wizard shows
// them. Help texts are shared by many functions, so each text and each
// recurring argument is defined once here and the declarations only name
// them. Texts are reproduced exactly as Excel shows them, including their
// trailing spaces and spellings.
#pragma once

#include <string_view>

#include "xll/worksheet_function.h"

// Declares a worksheet function of the add-in's category; see ZR_WORKSHEET_FUNCTION.
#define ZR_FUNCTION(Name, Help, ...) ZR_WORKSHEET_FUNCTION(u"ZrRand", Name, Help __VA_OPT__(, ) __VA_ARGS__)

namespace Zr::Functions {

using Xll::XlBool;

// ---- Argument help texts -------------------------------------------------

// Random-number arguments.
inline constexpr std::u16string_view kHelpSize = u"# of random numbers (Positive integer).";
inline constexpr std::u16string_view kHelpAlgorithm =
    u"An integer value that determines a method to generate uniform random number. ";
inline constexpr std::u16string_view kHelpSeed1 = u"1st random seed. ";
inline constexpr std::u16string_view kHelpSeed2 = u"2nd random seed.";
inline constexpr std::u16string_view kHelpUseInvertFunc =
    u"If TRUE, inverse function method is used. Otherwise Box-Muller method is used.";
inline constexpr std::u16string_view kHelpUseAntithetic = u"If TRUE, antithetic variant method is used.";
inline constexpr std::u16string_view kHelpUseResampling = u"If TRUE, quadratic resampling method is used.";

// Distribution parameters.
inline constexpr std::u16string_view kHelpAlphaPositive = u"A parameter of the distribution alpha (> 0).";
inline constexpr std::u16string_view kHelpAlpha = u"A parameter of the distribution alpha.";
inline constexpr std::u16string_view kHelpBetaPositive = u"A parameter of the distribution beta (> 0).";
inline constexpr std::u16string_view kHelpN = u"A parameter of the distribution N (Positive integer).";
inline constexpr std::u16string_view kHelpNAbove4 = u"A parameter of the distribution N (> 4).";
inline constexpr std::u16string_view kHelpNAbove1 = u"A parameter of the distribution N (> 1).";
inline constexpr std::u16string_view kHelpN1 = u"A parameter of the distribution N1 (Positive integer).";
inline constexpr std::u16string_view kHelpN2 = u"A parameter of the distribution N2 (Positive integer).";
inline constexpr std::u16string_view kHelpN2Above2 = u"A parameter of the distribution N2 (N2 > 2).";
inline constexpr std::u16string_view kHelpN2Above4 = u"A parameter of the distribution N2 (N2 > 4).";
inline constexpr std::u16string_view kHelpN2Above6 = u"A parameter of the distribution N2 (N2 > 6).";
inline constexpr std::u16string_view kHelpN2Above8 = u"A parameter of the distribution N2 (N2 > 8).";
inline constexpr std::u16string_view kHelpGamma = u"A parameter of the distribution gamma.";
inline constexpr std::u16string_view kHelpDelta = u"A parameter of the distribution delta (> 0).";
inline constexpr std::u16string_view kHelpLambda = u"A parameter of the distribution lambda (> 0).";
inline constexpr std::u16string_view kHelpXi = u"A parameter of the distribution xi.";
inline constexpr std::u16string_view kHelpM = u"A parameter of the distribution m.";
inline constexpr std::u16string_view kHelpB = u"A parameter of the distribution b (> 0).";
inline constexpr std::u16string_view kHelpS = u"A parameter of the distribution s (> 0).";
inline constexpr std::u16string_view kHelpMin = u"Lower limit of a support of the distribution a.";
inline constexpr std::u16string_view kHelpMax = u"Upper limit of a support of the distribution b.";
inline constexpr std::u16string_view kHelpMode = u"mode of the distribution c.";
inline constexpr std::u16string_view kHelpMu = u"A parameter of the distribution mu.";
inline constexpr std::u16string_view kHelpSigma = u"A parameter of the distribution sigma (> 0).";

// Moments requested from the parameter functions.
inline constexpr std::u16string_view kHelpMean = u"Arithmetic mean of the distribution.";
inline constexpr std::u16string_view kHelpStdev = u"Standard deviation of the distribution (Positive value).";
inline constexpr std::u16string_view kHelpSkew = u"Skewness of the distribution. ";
inline constexpr std::u16string_view kHelpKurt = u"Kurtosis of the distribution (Positive value). ";

// Points at which a distribution is evaluated.
inline constexpr std::u16string_view kHelpX = u"The value for which you want the distribution.";
inline constexpr std::u16string_view kHelpXUnit = u"The value for which you want the distribution (0 <= x <= 1).";
inline constexpr std::u16string_view kHelpXNonNegative = u"The value for which you want the distribution (x >= 0).";
inline constexpr std::u16string_view kHelpXPositive = u"The value for which you want the distribution (x > 0).";
inline constexpr std::u16string_view kHelpK = u"The value for which you want the distribution (Integer).";
inline constexpr std::u16string_view kHelpX1 = u"1st variable for which you want the distribution.";
inline constexpr std::u16string_view kHelpX2 = u"2nd variable for which you want the distribution.";
inline constexpr std::u16string_view kHelpCorr = u"A correlation coefficient between 2 variables.";
inline constexpr std::u16string_view kHelpIsCumulative =
    u"If TRUE, returns the cumulative distribution function, otherwise returns the probability density function.";

// Probabilities passed to the quantile functions.
inline constexpr std::u16string_view kHelpProb = u"Probability";
inline constexpr std::u16string_view kHelpProbOpen =
    u"A probability corresponding to the normal distribution (0 < prob < 1).";
inline constexpr std::u16string_view kHelpProbClosed =
    u"A probability corresponding to the normal distribution (0 <= prob <= 1).";
inline constexpr std::u16string_view kHelpProbHalfOpen =
    u"A probability corresponding to the normal distribution (0 <= prob < 1).";

// Matrix statistics.
inline constexpr std::u16string_view kHelpCovMatrixDot = u"Covariance matrix.";
inline constexpr std::u16string_view kHelpCovMatrix = u"Covariance matrix";
inline constexpr std::u16string_view kHelpCorMatrix = u"Correlation matrix";
inline constexpr std::u16string_view kHelpMeanVector = u"Vector of the arithmetic means of each variable.";
inline constexpr std::u16string_view kHelpStdevVector =
    u"A 1-dim vecor whose components are standard deviations of each variable. ";
inline constexpr std::u16string_view kHelpData = u"A set of series of variables.";
inline constexpr std::u16string_view kHelpCalcMean = u"If TRUE, means of each variables are computed.";
inline constexpr std::u16string_view kHelpCalcStdev = u"If TRUE, standard deviations of each variables are computed.";

// Values and labels the function wizard lists for `algorithm`.
inline constexpr std::u16string_view kAlgorithmList =
    u"0,Mersenne Twister (2002);1,Mersenne Twister (1998);2,Numerical Recipies ran2";

// ---- Arguments -----------------------------------------------------------

// Random-number arguments.
inline constexpr Xll::Argument kSize{"size", 'J', kHelpSize};
inline constexpr Xll::Argument kAlgorithm{"algorithm", 'I', kHelpAlgorithm, Xll::Shape::Scalar, kAlgorithmList};
inline constexpr Xll::Argument kSeed1{"seed1", 'J', kHelpSeed1};
inline constexpr Xll::Argument kSeed2{"seed2", 'J', kHelpSeed2};
inline constexpr Xll::Argument kUseInvertFunc{"useInvertFunc", 'A', kHelpUseInvertFunc};
inline constexpr Xll::Argument kUseAntithetic{"useAntithetic", 'A', kHelpUseAntithetic};
inline constexpr Xll::Argument kUseResampling{"useResampling", 'A', kHelpUseResampling};

// Distribution parameters.
inline constexpr Xll::Argument kAlpha{"alpha", 'B', kHelpAlphaPositive};
inline constexpr Xll::Argument kAlphaGumbel{"alpha", 'B', kHelpAlpha};
inline constexpr Xll::Argument kBeta{"beta", 'B', kHelpBetaPositive};
inline constexpr Xll::Argument kN{"n", 'J', kHelpN};
inline constexpr Xll::Argument kNAbove4{"n", 'J', kHelpNAbove4};
inline constexpr Xll::Argument kNAbove1{"n", 'J', kHelpNAbove1};
inline constexpr Xll::Argument kN1{"n1", 'J', kHelpN1};
inline constexpr Xll::Argument kN2{"n2", 'J', kHelpN2};
inline constexpr Xll::Argument kN2Above2{"n2", 'J', kHelpN2Above2};
inline constexpr Xll::Argument kN2Above4{"n2", 'J', kHelpN2Above4};
inline constexpr Xll::Argument kN2Above6{"n2", 'J', kHelpN2Above6};
inline constexpr Xll::Argument kN2Above8{"n2", 'J', kHelpN2Above8};
inline constexpr Xll::Argument kGamma{"gamma", 'B', kHelpGamma};
inline constexpr Xll::Argument kDelta{"delta", 'B', kHelpDelta};
inline constexpr Xll::Argument kLambda{"lambda", 'B', kHelpLambda};
inline constexpr Xll::Argument kXi{"xi", 'B', kHelpXi};
inline constexpr Xll::Argument kM{"m", 'B', kHelpM};
inline constexpr Xll::Argument kB{"b", 'B', kHelpB};
inline constexpr Xll::Argument kS{"s", 'B', kHelpS};
inline constexpr Xll::Argument kMin{"min", 'B', kHelpMin};
inline constexpr Xll::Argument kMax{"max", 'B', kHelpMax};
inline constexpr Xll::Argument kMode{"mode", 'B', kHelpMode};
inline constexpr Xll::Argument kMu{"mu", 'B', kHelpMu};
inline constexpr Xll::Argument kSigma{"sigma", 'B', kHelpSigma};

// Moments.
inline constexpr Xll::Argument kMean{"mean", 'B', kHelpMean};
inline constexpr Xll::Argument kStdev{"stdev", 'B', kHelpStdev};
inline constexpr Xll::Argument kSkew{"skew", 'B', kHelpSkew};
inline constexpr Xll::Argument kKurt{"kurt", 'B', kHelpKurt};

// Evaluation points and probabilities.
inline constexpr Xll::Argument kX{"x", 'B', kHelpX};
inline constexpr Xll::Argument kXUnit{"x", 'B', kHelpXUnit};
inline constexpr Xll::Argument kXNonNegative{"x", 'B', kHelpXNonNegative};
inline constexpr Xll::Argument kXPositive{"x", 'B', kHelpXPositive};
inline constexpr Xll::Argument kK{"k", 'J', kHelpK};
inline constexpr Xll::Argument kX1{"x1", 'B', kHelpX1};
inline constexpr Xll::Argument kX2{"x2", 'B', kHelpX2};
inline constexpr Xll::Argument kCorr{"corr", 'B', kHelpCorr};
inline constexpr Xll::Argument kIsCumulative{"isCumulative", 'A', kHelpIsCumulative};
inline constexpr Xll::Argument kProb{"prob", 'B', kHelpProb};
inline constexpr Xll::Argument kProbOpen{"prob", 'B', kHelpProbOpen};
inline constexpr Xll::Argument kProbClosed{"prob", 'B', kHelpProbClosed};
inline constexpr Xll::Argument kProbHalfOpen{"prob", 'B', kHelpProbHalfOpen};

// Matrices and vectors.
inline constexpr Xll::Argument kCovMultiNorm{"cov", 'P', kHelpCovMatrixDot, Xll::Shape::Table};
inline constexpr Xll::Argument kMeanVector{"mean", 'P', kHelpMeanVector, Xll::Shape::Vector};
inline constexpr Xll::Argument kStdevVector{"stdev", 'P', kHelpStdevVector, Xll::Shape::Vector};
inline constexpr Xll::Argument kCor{"cor", 'P', kHelpCorMatrix, Xll::Shape::Table};
inline constexpr Xll::Argument kCov{"cov", 'P', kHelpCovMatrix, Xll::Shape::Table};
inline constexpr Xll::Argument kData{"data", 'P', kHelpData, Xll::Shape::Table};
inline constexpr Xll::Argument kCalcMean{"calcMean", 'A', kHelpCalcMean};
inline constexpr Xll::Argument kCalcStdev{"calcStdev", 'A', kHelpCalcStdev};

}  // namespace Zr::Functions
