#include "load/InputFields.h"
#include "load/LoadForm.h"

#include <gtest/gtest.h>

#include <QString>
#include <algorithm>

using namespace InputFields;

namespace {
QString caption(int i) {
    return QString::fromUtf8(field(i).caption);
}
QString message(int i) {
    return QString::fromUtf8(field(i).message);
}
} // namespace

TEST(InputFields, CaptionsAreTheScreenTexts) {
    const char* expected[Count] = {
        "Cartridge",    "Bullet Weight", "Muzzle Velocity", "Max Range",     "Zero Range",
        "Increments",   "Xwind Speed",   "Xwind Angle",     "Altitude",      "Temp \u00B0F",
        "BC",           "Lower BC",      "Lowest BC",       "Lower vel",     "Lowest Vel",
        "Sight Height", "Scope MagX",    "Angle",           "Pressure \"Hg", "Humidity %",
        "Target Speed"};
    for (int i = 0; i < Count; ++i)
        EXPECT_EQ(caption(i), QString::fromUtf8(expected[i])) << i;
    // The degree sign is one character and the inch mark a straight double quote.
    EXPECT_EQ(caption(Temperature).size(), 7);
    EXPECT_EQ(caption(Temperature)[5], QChar(0x00B0));
    EXPECT_EQ(caption(Pressure), QStringLiteral("Pressure \"Hg"));
}

TEST(InputFields, MessagesAreTheTooltipsAndEmptyForTheLowerBandsAndScope) {
    EXPECT_EQ(message(Bc), "Ballistic Coefficient must be between 0.001 and 1.0.");
    EXPECT_EQ(message(Pressure), "Pressure must be between 5 and 40 in. Mercury.");
    EXPECT_EQ(message(TargetSpeed), "Speed must be between -50 and 50mph.");
    EXPECT_EQ(message(XwindAngle), "Crosswind yards angle must be 0 to 360 degrees.");
    EXPECT_EQ(message(Cartridge), "Cartridge Name can be anything");
    for (int i = 0; i < Count; ++i) {
        const bool silent = (i >= 11 && i <= 14) || i == 16;
        EXPECT_EQ(message(i).isEmpty(), silent) << i;
    }
}

TEST(InputFields, RangesAndFocusRules) {
    EXPECT_FALSE(field(Cartridge).numeric);
    for (int i = 1; i < Count; ++i)
        EXPECT_TRUE(field(i).numeric) << i;
    EXPECT_FLOAT_EQ(field(Bc).lower, 0.001f);
    EXPECT_FLOAT_EQ(field(Bc).upper, 1.0f);
    EXPECT_FLOAT_EQ(field(BulletWeight).upper, 600);
    EXPECT_FLOAT_EQ(field(Angle).lower, -90);
    EXPECT_FLOAT_EQ(field(SightHeight).upper, 4.5f);
    for (int i = 0; i < Count; ++i) {
        EXPECT_EQ(field(i).upperIsMaxRange, i == ZeroRange || i == Increments) << i;
        EXPECT_EQ(field(i).focusHeld, i >= 1 && i <= 15) << i;
        EXPECT_LE(field(i).lower, field(i).upper) << i;
    }
}

TEST(InputFields, ExtraFieldsAndTheirLabels) {
    const auto& fields = advancedFields();
    for (int i = 0; i < Count; ++i) {
        const bool advanced = std::find(fields.begin(), fields.end(), i) != fields.end();
        // Field 16 is shown by the MilRange box, the other extras by Advanced.
        EXPECT_EQ(field(i).extra, advanced || i == ScopeMag) << i;
    }
    const auto& labels = advancedLabels();
    // Each caption goes with its own control: "Drag Model" with the drag list (an extra),
    // "Compare to:" with the comparison list (always there).
    EXPECT_EQ(std::count(labels.begin(), labels.end(), 20), 0); // "Compare to:"
    EXPECT_EQ(std::count(labels.begin(), labels.end(), 21), 1); // captions Target Speed
    EXPECT_EQ(std::count(labels.begin(), labels.end(), 22), 1); // "Drag Model"
    EXPECT_EQ(captionLabel(TargetSpeed), 21);
    EXPECT_EQ(captionLabel(Pressure), 18);
    EXPECT_EQ(captionLabel(Cartridge), 0);
}

TEST(InputFields, InitialAndNewLoadTexts) {
    const LoadForm form = LoadForm::initial();
    const char* initial[Count] = {"7.62", "175",  "2635", "1000", "127",  "50", "10",
                                  "90",   "5000", "56",   ".495", ".485", "0",  "1800",
                                  "0",    "2.6",  "10",   "0",    "56",   "56", "0"};
    const char* fresh[Count] = {"New", "100", "100", "100", "100",   "100", "100",
                                "100", "0",   "56",  "0.2", "0",     "0",   "0",
                                "0",   "0",   "0",   "0",   "29.53", "78",  "5"};
    for (int i = 0; i < Count; ++i) {
        EXPECT_EQ(form.fields[static_cast<size_t>(i)], QString::fromUtf8(initial[i])) << i;
        EXPECT_STREQ(field(i).newLoadText, fresh[i]) << i;
    }
    EXPECT_EQ(form.dragIndex, -1);
    EXPECT_EQ(form.yAxis, 0);
    EXPECT_TRUE(form.notes.isEmpty());
    EXPECT_TRUE(form.comparison.file.isEmpty());
}
