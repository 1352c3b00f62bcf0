#include <gtest/gtest.h>

#include "functions/random_arguments.h"

using namespace Zr::Functions;

TEST(AllowedValues, AlgorithmListAndMapping) {
    EXPECT_EQ(AlgorithmValues().Text(), "0,1,2");
    EXPECT_NO_THROW(AlgorithmValues().Check(2, "algorithm"));
    try {
        AlgorithmValues().Check(-1, "algorithm");
        FAIL() << "-1 accepted";
    } catch (const CXlConversionException& e) {
        EXPECT_STREQ(e.what(), "Expected one of 0,1,2 for algorithm");
    }
    EXPECT_EQ(AlgorithmToGeneratorType(0), Zr::Math::MT2002);
    EXPECT_EQ(AlgorithmToGeneratorType(1), Zr::Math::MT1998);
    EXPECT_EQ(AlgorithmToGeneratorType(2), Zr::Math::RAN2);
}
