#include "services/MNumber.h"

#include <QLocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>

namespace {

float readBack(const QString& text) {
    const auto v = MNumber::parse(text);
    EXPECT_TRUE(v.has_value()) << text.toStdString();
    return v ? static_cast<float>(*v) : std::numeric_limits<float>::quiet_NaN();
}

TEST(MNumber, RoundHalfEven) {
    EXPECT_EQ(MNumber::roundHalfEven(12.5), 12.0);
    EXPECT_EQ(MNumber::roundHalfEven(13.5), 14.0);
    EXPECT_EQ(MNumber::roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(MNumber::roundHalfEven(2.500001), 3.0);
    EXPECT_EQ(MNumber::roundHalfEven(-0.4), 0.0);
    EXPECT_FLOAT_EQ(MNumber::roundDecimals(0.25f, 1), 0.2f);
    EXPECT_FLOAT_EQ(MNumber::roundDecimals(0.75f, 1), 0.8f);
    EXPECT_FLOAT_EQ(MNumber::roundDecimals(-19.096f, 1), -19.1f);
    EXPECT_FLOAT_EQ(MNumber::roundDecimals(2.5f, 0), 2.0f);
}

TEST(MNumber, IntegerConversionsOverflowInsteadOfWrapping) {
    EXPECT_EQ(MNumber::toInt16(12.5), int16_t{12});
    EXPECT_EQ(MNumber::toInt16(32767.0), int16_t{32767});
    EXPECT_EQ(MNumber::toInt16(-32768.0), int16_t{-32768});
    EXPECT_FALSE(MNumber::toInt16(40000.0).has_value());
    EXPECT_FALSE(MNumber::toInt16(32767.5).has_value()); // rounds to 32768
    EXPECT_EQ(MNumber::toInt16(32766.5), int16_t{32766});
    EXPECT_FALSE(MNumber::toInt16(std::numeric_limits<double>::quiet_NaN()).has_value());
    EXPECT_FALSE(MNumber::toInt32(3e9).has_value());
    EXPECT_EQ(MNumber::toInt32(-2147483648.0), std::numeric_limits<int32_t>::min());
    EXPECT_FALSE(MNumber::toSingle(1e39).has_value());
    EXPECT_EQ(MNumber::toSingle(0.1), 0.1f);
}

TEST(MNumber, ShortTextIsShortestRoundTrip) {
    EXPECT_EQ(MNumber::shortText(41.17f), "41.17");
    EXPECT_EQ(MNumber::shortText(0.5f), "0.5");
    EXPECT_EQ(MNumber::shortText(-37.25f), "-37.25");
    EXPECT_EQ(MNumber::shortText(1000.0f), "1000");
    EXPECT_EQ(MNumber::shortText(0.0f), "0");
    EXPECT_EQ(readBack(MNumber::shortText(1e-6f)), 1e-6f);
    for (float v : {41.17f, 0.5f, -37.25f, 1000.0f, 1e-6f, 0.1f, 2800.5f, 0.338f, 1.0473039f,
                    3.4e38f, -1.17549435e-38f, 16777217.0f, 123456.79f})
        EXPECT_EQ(readBack(MNumber::shortText(v)), v) << MNumber::shortText(v).toStdString();
}

TEST(MNumber, PlainTextClassicForm) {
    EXPECT_EQ(MNumber::plainText(0.5f), " .5");
    EXPECT_EQ(MNumber::plainText(-0.25f), "-.25");
    EXPECT_EQ(MNumber::plainText(12.0f), " 12");
    EXPECT_EQ(MNumber::plainText(0.0f), " 0");
    EXPECT_EQ(MNumber::plainText(-3.0f), "-3");
    // Seven significant digits at most.
    EXPECT_EQ(MNumber::plainText(1.0473039f), " 1.047304");
}

TEST(MNumber, ParseInTheCLocaleAndRejections) {
    EXPECT_EQ(MNumber::parse("1.5"), 1.5);
    EXPECT_EQ(MNumber::parse(" 7 "), 7.0);
    EXPECT_EQ(MNumber::parse("-2e3"), -2000.0);
    EXPECT_EQ(MNumber::parse(".25"), 0.25);
    for (const char* bad : {"", "   ", "abc", "1.2.3", "12a", "--1", "1e", "inf", "nan", "1e999"})
        EXPECT_FALSE(MNumber::isNumeric(bad)) << bad;
    EXPECT_TRUE(MNumber::isNumeric("0"));
}

TEST(MNumber, BooleanWords) {
    EXPECT_EQ(MNumber::boolText(true), "True");
    EXPECT_EQ(MNumber::boolText(false), "False");
    EXPECT_EQ(MNumber::parseBool("True"), true);
    EXPECT_EQ(MNumber::parseBool("false"), false);
    EXPECT_EQ(MNumber::parseBool("-1"), true);
    EXPECT_EQ(MNumber::parseBool("0"), false);
    EXPECT_FALSE(MNumber::parseBool("maybe").has_value());
    EXPECT_FALSE(MNumber::parseBool("").has_value());
}

// The system locale is read once per process, so the German case runs in a fresh process that
// sets the locale before anything asks for it.
TEST(MNumberLocale, GermanUserTypesDecimalComma) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            qputenv("LC_ALL", "de_DE.UTF-8");
            qputenv("LANG", "de_DE.UTF-8");
            int failures = 0;
            if (QLocale::system().decimalPoint() != ",") failures |= 1;
            if (MNumber::parse("1,5") != 1.5) failures |= 2;
            if (MNumber::parse("1.5") != 1.5) failures |= 4; // the C form still reads
            if (MNumber::shortText(41.17f, true) != "41,17") failures |= 8;
            if (MNumber::shortText(41.17f, false) != "41.17") failures |= 16;
            if (MNumber::isNumeric("1,2,3")) failures |= 32;
            std::exit(failures);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace

// A value that is not finite has a text too (it once read memory before its buffer): the
// standard temperature of an altitude far beyond the field's range is one.
TEST(NumberText, UndefinedValuesAreWrittenAsSuch) {
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(MNumber::shortText(inf), "Inf");
    EXPECT_EQ(MNumber::shortText(-inf), "-Inf");
    EXPECT_EQ(MNumber::fieldText(std::numeric_limits<float>::quiet_NaN()), "NaN");
    EXPECT_EQ(MNumber::plainText(-inf), "-Inf");
}
