// Drag curves: the shipped tables, reading CSV text, and the interpolation between points.
#include "precision_support.h"

#include "precision/DragCsv.h"
#include "precision/DragCurve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>

using namespace precision;
using precision_test::shippedCurve;

namespace {

TEST(DragTables, EveryShippedTableLoadsWithItsSubsonicAndSupersonicShape) {
    for (const char* name : {"G1", "G2", "G5", "G6", "G7", "G8", "GI", "GS", "RA4"}) {
        SCOPED_TRACE(name);
        const DragCurve curve = shippedCurve(name);
        ASSERT_GE(curve.mach.size(), 40u);
        EXPECT_EQ(curve.mach.front(), 0.0);
        EXPECT_GE(curve.mach.back(), 4.0);
        // Drag rises through the sound barrier for every standard shape.
        EXPECT_GT(curve.cdAt(1.2), curve.cdAt(0.7));
    }
    // Well-known points of the two common tables.
    EXPECT_DOUBLE_EQ(shippedCurve("G7").cdAt(1.0), 0.3803);
    EXPECT_DOUBLE_EQ(shippedCurve("G1").cdAt(0.0), 0.2629);
}

TEST(DragCurve, PassesThroughItsPointsStaysBetweenThemAndClampsOutside) {
    const DragCurve curve = shippedCurve("G7");
    const DragLookup lookup(curve);
    std::size_t hint = 0;
    for (std::size_t i = 0; i + 1 < curve.mach.size(); ++i) {
        EXPECT_NEAR(curve.cdAt(curve.mach[i]), curve.cd[i], 1e-12);
        const double lo = std::min(curve.cd[i], curve.cd[i + 1]);
        const double hi = std::max(curve.cd[i], curve.cd[i + 1]);
        for (double s : {0.1, 0.37, 0.5, 0.81, 0.99}) {
            const double m = curve.mach[i] + s * (curve.mach[i + 1] - curve.mach[i]);
            const double cd = curve.cdAt(m);
            EXPECT_GE(cd, lo - 1e-12) << "Mach " << m;
            EXPECT_LE(cd, hi + 1e-12) << "Mach " << m;
            EXPECT_NEAR(lookup.cdAt(m, hint), cd, 1e-12) << "Mach " << m;
        }
    }
    EXPECT_EQ(curve.cdAt(-1.0), curve.cd.front());
    EXPECT_EQ(curve.cdAt(99.0), curve.cd.back());
    // Searching backwards from a late interval finds the same values.
    for (double m : {4.5, 3.0, 1.01, 0.96, 0.3}) {
        EXPECT_NEAR(lookup.cdAt(m, hint), curve.cdAt(m), 1e-12);
    }
}

TEST(DragCurve, IsSmoothAcrossItsPoints) {
    // No kink at a point: the slopes just left and right of it agree.
    const DragCurve curve = shippedCurve("G1");
    const double e = 1e-7;
    for (std::size_t i = 1; i + 1 < curve.mach.size(); ++i) {
        const double m = curve.mach[i];
        const double left = (curve.cdAt(m) - curve.cdAt(m - e)) / e;
        const double right = (curve.cdAt(m + e) - curve.cdAt(m)) / e;
        EXPECT_NEAR(left, right, 1e-4 + 1e-3 * std::abs(left)) << "Mach " << m;
    }
}

TEST(DragCsv, ReadsCommentsBlankLinesAHeaderAndWindowsLineEnds) {
    const DragParse parsed = parseDragCsv("\xEF\xBB\xBF# my bullet\r\n\r\n"
                                          "Mach , CD\r\n"
                                          "0.5,0.25\r\n"
                                          "  1.0 , 0.4 \r\n"
                                          "# supersonic\n"
                                          "+2,3e-1");
    ASSERT_TRUE(parsed.curve) << parsed.error;
    EXPECT_EQ(parsed.curve->mach, (std::vector<double>{0.5, 1.0, 2.0}));
    EXPECT_EQ(parsed.curve->cd, (std::vector<double>{0.25, 0.4, 0.3}));
    EXPECT_EQ(parsed.error, "");
}

TEST(DragCsv, RefusesBadTablesNamingTheLine) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"mach,cd\n0.9,0.2\n0.975,0.3\n0.95,0.4\n",
         "line 4: Mach 0.95 is not greater than the previous 0.975"},
        {"0.5,0.2\n0.5,0.3\n", "line 2: Mach 0.5 is not greater than the previous 0.5"},
        {"# c\n0.5,0.2\n\n1.0,0\n", "line 4: Cd 0 is not positive"},
        {"0.5,0.2\n1.0,-0.1\n", "line 2: Cd -0.1 is not positive"},
        {"-0.5,0.2\n1.0,0.1\n", "line 1: Mach -0.5 is negative"},
        {"0.5,0.2\n1,0.3,7\n", "line 2: expected two numbers, Mach and Cd, separated by a "
                               "comma, but found 3 values"},
        {"0.5;0.2\n", "line 1: expected two numbers, Mach and Cd, separated by a comma, but "
                      "found 1 value"},
        {"0.5,0,2\n", "line 1: expected two numbers, Mach and Cd, separated by a comma, but "
                      "found 3 values"},
        {"0.5,abc\n", "line 1: the Cd value \"abc\" is not a number"},
        {"0.5x,0.2\n", "line 1: the Mach value \"0.5x\" is not a number"},
        {"0.5,inf\n", "line 1: the Cd value \"inf\" is not a finite number"},
        {"nan,0.2\n", "line 1: the Mach value \"nan\" is not a finite number"},
        {",0.2\n", "line 1: the Mach value is missing"},
        {"mach,cd\nmach,cd\n0.5,0.2\n1,0.3\n", "line 2: the Mach value \"mach\" is not a number"},
        {"0.5,0.2\nmach,cd\n", "line 2: the Mach value \"mach\" is not a number"},
        {"mach,cd\n0.5,0.2\n", "the table has only 1 data row; a drag table needs at least 2"},
        {"# nothing\n\n", "the table has no data rows; a drag table needs at least 2"},
        {"", "the table has no data rows; a drag table needs at least 2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const DragParse parsed = parseDragCsv(c.text);
        EXPECT_FALSE(parsed.curve);
        EXPECT_EQ(parsed.error, c.error);
    }
}

// Where the physics ends: no projectile's Cd passes 5, no rifle bullet flies beyond Mach 10. A
// Cd of a million made a bullet speed up in flight.
TEST(DragCsv, RefusesCoefficientsAndMachNumbersBeyondPhysicsNamingTheLine) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"0,0.2\n1,5.01\n", "line 2: Cd 5.01 is above 5"},
        {"0,0.2\n1,1e6\n", "line 2: Cd 1e6 is above 5"},
        {"# t\n0,1e20\n1,0.3\n", "line 2: Cd 1e20 is above 5"},
        {"0,0.2\n10.5,0.3\n", "line 2: Mach 10.5 is above 10"},
        {"0,0.2\n1,0.3\n1.00001,0.3\n", "line 3: Mach 1.00001 is too close to the previous 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const DragParse parsed = parseDragCsv(c.text);
        EXPECT_FALSE(parsed.curve);
        EXPECT_EQ(parsed.error, c.error);
    }
    // The limits themselves are a table's to use.
    const DragParse edge = parseDragCsv("0,5\n0.0001,0.1\n10,0.2\n");
    ASSERT_TRUE(edge.curve) << edge.error;
    EXPECT_EQ(edge.curve->cd.front(), 5.0);
    EXPECT_EQ(edge.curve->mach.back(), 10.0);
}

// A message quotes 40 characters of a field at most, and no byte of it reaches a terminal as a
// control: a 1 MB field gave a 1 MB message, and escape and bell bytes went to the terminal.
TEST(DragCsv, MessagesQuoteAShortFieldWithItsControlsEscaped) {
    const std::string huge = "0," + std::string(1 << 20, '7') + "x\n";
    const DragParse big = parseDragCsv(huge);
    ASSERT_FALSE(big.curve);
    EXPECT_EQ(big.error,
              "line 1: the Cd value \"" + std::string(40, '7') + "...\" is not a number");

    const DragParse controls = parseDragCsv("0,\x1b[2J\a1\n");
    ASSERT_FALSE(controls.curve);
    EXPECT_EQ(controls.error, "line 1: the Cd value \"\\x1B[2J\\x071\" is not a number");
    for (const char c : controls.error)
        EXPECT_GE(static_cast<unsigned char>(c), 0x20);

    // Characters, not bytes, are counted: a UTF-8 field is never cut inside a character.
    std::string degrees;
    for (int i = 0; i < 45; ++i)
        degrees += "\xC2\xB0";
    const DragParse utf8 = parseDragCsv("0," + degrees + "\n");
    ASSERT_FALSE(utf8.curve);
    std::string forty;
    for (int i = 0; i < 40; ++i)
        forty += "\xC2\xB0";
    EXPECT_EQ(utf8.error, "line 1: the Cd value \"" + forty + "...\" is not a number");
}

} // namespace
