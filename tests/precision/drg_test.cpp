// The radar drag file (.drg): its rows read in either column order, and every refusal naming
// the line at fault.
#include "precision/DragDrg.h"

#include <gtest/gtest.h>

#include <string>

using namespace precision;

namespace {

std::string errorOf(const std::string& text) {
    const DragParse parsed = parseDragDrg(text);
    EXPECT_FALSE(parsed.curve) << text;
    return parsed.error;
}

TEST(DrgFile, ReadsCdThenMachAfterTheHeader) {
    const DragParse parsed = parseDragDrg("CFM 175gr SMK 0.308 radar\r\n"
                                          "0.2629\t0.000\r\n"
                                          "\r\n"
                                          "0.3010   0.900\r\n"
                                          "0.4012 1.200\r\n");
    ASSERT_TRUE(parsed.curve) << parsed.error;
    EXPECT_EQ(parsed.curve->mach, (std::vector<double>{0.0, 0.9, 1.2}));
    EXPECT_EQ(parsed.curve->cd, (std::vector<double>{0.2629, 0.3010, 0.4012}));
}

TEST(DrgFile, FindsMachFirstWhenOnlyTheFirstColumnRises) {
    // Drag rises and falls through the sound barrier; Mach only rises.
    const DragParse parsed = parseDragDrg("header\n0.5 0.23\n1.0 0.41\n2.0 0.30\n");
    ASSERT_TRUE(parsed.curve) << parsed.error;
    EXPECT_EQ(parsed.curve->mach, (std::vector<double>{0.5, 1.0, 2.0}));
    EXPECT_EQ(parsed.curve->cd, (std::vector<double>{0.23, 0.41, 0.30}));
    // Both columns rising is read as the format writes it: Cd, then Mach.
    const DragParse both = parseDragDrg("header\n0.2 0.5\n0.3 1.0\n");
    ASSERT_TRUE(both.curve);
    EXPECT_EQ(both.curve->mach, (std::vector<double>{0.5, 1.0}));
}

TEST(DrgFile, RefusesDecimalCommasNamingTheLine) {
    const std::string error = errorOf("header\n0.26 0.0\n0,30 0,9\n");
    EXPECT_EQ(error.rfind("line 3: ", 0), 0u) << error;
    EXPECT_NE(error.find("\"0,30 0,9\""), std::string::npos) << error;
    EXPECT_NE(error.find("decimal point"), std::string::npos) << error;
}

TEST(DrgFile, RefusesMoreThanTenThousandRows) {
    std::string text = "header\n";
    for (int i = 0; i < mostDrgRows; ++i)
        text += "0.3 " + std::to_string(i * 0.001) + "\n";
    const DragParse full = parseDragDrg(text);
    ASSERT_TRUE(full.curve) << full.error;
    EXPECT_EQ(full.curve->mach.size(), size_t(mostDrgRows));
    text += "0.3 10.5\n";
    EXPECT_EQ(errorOf(text), "line 10002: a drag table has at most 10000 rows");
}

TEST(DrgFile, RefusesWhatIsNoDragTable) {
    EXPECT_EQ(errorOf(""), "the table has no data rows; a drag table needs at least 2");
    EXPECT_EQ(
        errorOf("0.2 0.5\n0.3 1.0\n"),
        "the table has only 1 data row; a drag table needs at least 2"); // line 1 is the header
    EXPECT_EQ(errorOf("h\n0.2 0.5 7\n0.3 1.0\n"),
              "line 2: expected two numbers, Cd and Mach, but found 3 values");
    EXPECT_EQ(errorOf("h\n0.2 0.5\nfast 1.0\n"), "line 3: \"fast\" is not a number");
    EXPECT_EQ(errorOf("h\n0.2 0.5\n0.3 nan\n"), "line 3: \"nan\" is not a number");
    // Neither column rises: the Mach column (the second) is named where it falls.
    EXPECT_EQ(errorOf("h\n0.2 0.5\n0.3 1.0\n0.1 0.9\n"),
              "line 4: the Mach numbers do not rise (neither column is in ascending order)");
    EXPECT_EQ(errorOf("h\n0.2 -0.5\n0.3 1.0\n"), "line 2: Mach is negative");
    EXPECT_EQ(errorOf("h\n0 0.5\n0.3 1.0\n"), "line 2: Cd is not positive");
    // Where no bullet flies: the same limits as the Mach,Cd file.
    EXPECT_EQ(errorOf("h\n0.2 0.5\n0.3 10.5\n"), "line 3: Mach is above 10");
    EXPECT_EQ(errorOf("h\n0.2 0.5\n6 1.0\n"), "line 3: Cd is above 5");
}

TEST(DrgFile, QuotesAShortCleanPieceOfABadField) {
    // A megabyte of junk with a bell and an escape in it must not reach the terminal whole.
    const std::string junk = "\a\x1b" + std::string(1 << 20, 'x');
    for (const std::string& text :
         {"h\n0.2 0.5\n" + junk + " 1.0\n", "h\n0.2 0.5\n" + junk + ",5\n"}) {
        const std::string error = errorOf(text);
        EXPECT_LT(error.size(), 200u);
        EXPECT_EQ(error.find('\a'), std::string::npos);
        EXPECT_EQ(error.find('\x1b'), std::string::npos);
        EXPECT_NE(error.find("\\x07"), std::string::npos) << error;
    }
}

} // namespace
