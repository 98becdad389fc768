// Number text and column padding of the ballistics table.
#include "load/MPrint.h"

#include <gtest/gtest.h>

#include <limits>

using namespace MPrint;

TEST(TableFormatFixed, RoundsAndPadsDecimalsLikeTheTable) {
    struct Case {
        float value;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {12.0f, 1, "12.0"},  {0.5f, 1, "0.5"},       {-0.25f, 2, "-0.25"},   {1.5f, 2, "1.50"},
        {0.2f, 3, "0.2"},    {0.25f, 3, "0.250"},    {3.7f, 0, "4"},         {2635.0f, 1, "2635.0"},
        {-2.6f, 2, "-2.60"}, {0.0f, 3, "0.000"},     {2.5f, 0, "2"},         {3.5f, 0, "4"},
        {-0.5f, 1, "-0.5"},  {-12.345f, 1, "-12.3"}, {1234.5f, 1, "1234.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatFixed(c.value, c.decimals), QString::fromLatin1(c.text))
            << c.value << " with " << c.decimals;
}

TEST(TableFormatFixed, ZeroReachedFromBelowHasNoMinus) {
    EXPECT_EQ(formatFixed(-0.004f, 2), "0.00");
    EXPECT_EQ(formatFixed(-0.04f, 1), "0.0");
    EXPECT_EQ(formatFixed(-0.4f, 0), "0");
    EXPECT_EQ(formatFixed(-0.0f, 3), "0.000");
    EXPECT_EQ(formatFixed(-0.006f, 2), "-0.01");
}

TEST(TableFormatFixed, UndefinedNumbersNeverLookLikeDigits) {
    EXPECT_EQ(formatFixed(std::numeric_limits<float>::quiet_NaN(), 2), "NaN");
    EXPECT_EQ(formatFixed(std::numeric_limits<float>::infinity(), 1), "Inf");
    EXPECT_EQ(formatFixed(-std::numeric_limits<float>::infinity(), 1), "-Inf");
}

TEST(TablePadding, PadLeftRightJustifiesAndKeepsTheRightmostCharacters) {
    EXPECT_EQ(padLeft("12", 5), "   12");
    EXPECT_EQ(padLeft("12  ", 5), "   12"); // trailing blanks do not count
    EXPECT_EQ(padLeft("123456", 5), "23456");
    EXPECT_EQ(padLeft("-1234.56", 5), "34.56");
    EXPECT_EQ(padLeft("", 3), "   ");
}

TEST(TablePadding, PadRightLeftJustifiesAndCutsTheEnd) {
    EXPECT_EQ(padRight("ab", 4), "ab  ");
    EXPECT_EQ(padRight("ab   ", 3), "ab ");
    EXPECT_EQ(padRight("abcdef", 3), "abc");
}

TEST(TableLines, EveryLineAfterTheFirstStartsWithABlank) {
    QString out;
    appendWord(out, "first");
    printNewLine(out);
    appendOutput(out, "second");
    EXPECT_EQ(out, "first \r\n second");
}

TEST(TableLines, ColumnsAreEightWideSkipEmptyTextsAndUseTheSeparator) {
    Columns c{"1", "", "22", "333", "4", "5", "6", "7", "8", "9", "10"};
    QString spaced;
    printColumns(spaced, c);
    EXPECT_EQ(spaced, "       1       22      333        4        5        6        7        8  "
                      "      9       10 \r\n ");
    QString comma;
    printColumns(comma, c, ",");
    EXPECT_EQ(comma, "       1,      22,     333,       4,       5,       6,       7,       8,"
                     "       9,      10,\r\n ");
}
