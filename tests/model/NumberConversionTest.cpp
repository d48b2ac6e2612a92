#include "model/NumberConversion.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

TEST(NumberConversion, DecimalWithBlanksAndSigns) {
    EXPECT_EQ(convertNumber("42"), 42);
    EXPECT_EQ(convertNumber("   3"), 3);
    EXPECT_EQ(convertNumber("+7"), 7);
    EXPECT_EQ(convertNumber("-20"), -20);
    EXPECT_EQ(convertNumber("3 "), std::nullopt); // a trailing blank makes it a name
    EXPECT_EQ(convertNumber(""), std::nullopt);
    EXPECT_EQ(convertNumber(" "), std::nullopt);
    EXPECT_EQ(convertNumber("-"), std::nullopt);
    EXPECT_EQ(convertNumber("1.5"), std::nullopt);
    EXPECT_EQ(convertNumber("pos"), std::nullopt);
}

TEST(NumberConversion, EveryHexadecimalPrefix) {
    EXPECT_EQ(convertNumber("$A"), 10);
    EXPECT_EQ(convertNumber("x1"), 1);
    EXPECT_EQ(convertNumber("X1f"), 31);
    EXPECT_EQ(convertNumber("0x000000FF"), 255);
    EXPECT_EQ(convertNumber("0X0000ff00"), 0xFF00);
    EXPECT_EQ(convertNumber("-$10"), -16);
    EXPECT_EQ(convertNumber("0x"), std::nullopt);
    EXPECT_EQ(convertNumber("$"), std::nullopt);
    EXPECT_EQ(convertNumber("0xG"), std::nullopt);
    EXPECT_EQ(convertNumber("12AB"), std::nullopt); // hexadecimal digits need a prefix
}

TEST(NumberConversion, SignedThirtyTwoBitEdges) {
    EXPECT_EQ(convertNumber("2147483647"), 2147483647);
    EXPECT_EQ(convertNumber("-2147483648"), INT32_MIN);
    EXPECT_EQ(convertNumber("2147483648"), std::nullopt);
    EXPECT_EQ(convertNumber("-2147483649"), std::nullopt);
    EXPECT_EQ(convertNumber("0x7FFFFFFF"), 2147483647);
    EXPECT_EQ(convertNumber("0x80000000"), std::nullopt);
    EXPECT_EQ(convertNumber("99999999999999999999"), std::nullopt);
    EXPECT_EQ(toIntDef("abc", -1), -1);
    EXPECT_EQ(toIntDef("5", -1), 5);
}
