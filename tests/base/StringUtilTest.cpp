#include <gtest/gtest.h>

#include "base/StringUtil.h"

TEST(SplitString, KeepsEmptyPiecesAndTheLastOne) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitString("", '.'), V{""});
    EXPECT_EQ(SplitString("1.11.1.7", '.'), (V{"1", "11", "1", "7"}));
    EXPECT_EQ(SplitString("0##4#", '#'), (V{"0", "", "4", ""}));
    EXPECT_EQ(SplitString("#", '#'), (V{"", ""}));
}

TEST(FormatString, FillsPlaceholdersToTheNeededLength) {
    EXPECT_EQ(FormatString("%s V%s", "Velmora", "1.11.1.7"), "Velmora V1.11.1.7");
    const std::string longText(5000, 'x');
    EXPECT_EQ(FormatString("<%s>", longText.c_str()).size(), 5002u);
    EXPECT_EQ(FormatString("%s", ""), "");
}

TEST(ParseDecimal, ReadsLikeTheRunTimeAndRefusesWhatDoesNotFit) {
    EXPECT_EQ(ParseDecimal("  42"), 42);
    EXPECT_EQ(ParseDecimal("+7x"), 7);
    EXPECT_EQ(ParseDecimal("-12"), -12);
    EXPECT_EQ(ParseDecimal("01"), 1);
    EXPECT_EQ(ParseDecimal("2147483647"), 2147483647);
    EXPECT_EQ(ParseDecimal("-2147483648"), INT32_MIN);
    EXPECT_FALSE(ParseDecimal("2147483648"));
    EXPECT_FALSE(ParseDecimal("99999999999999999999"));
    EXPECT_FALSE(ParseDecimal(""));
    EXPECT_FALSE(ParseDecimal("abc"));
    EXPECT_FALSE(ParseDecimal("-"));
    EXPECT_FALSE(ParseDecimal(" +x1"));
    EXPECT_EQ(DecimalOrZero("x"), 0);
}
