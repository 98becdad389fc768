// The precision model's boxes and wind zones in metric: what is typed is kept in the file's
// units, shown back as typed, and the messages name the shown unit and allow what they say.
#include "load/PrecisionFields.h"
#include "load/PrecisionUnits.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using namespace PrecisionFields;
const InputUnits::FieldUnits metric{Units::ShownUnits::metric(), false};
const InputUnits::FieldUnits metricOverMetres{Units::ShownUnits::metric(), true};

TEST(PrecisionUnits, TypedMetricIsKeptInTheFilesUnitsAndShownBack) {
    const QString length = PrecisionUnits::storedText(metric, Length, "31.2");
    EXPECT_NEAR(length.toDouble(), 31.2 / 25.4, 1e-6);
    EXPECT_EQ(PrecisionUnits::shownText(metric, Length, length), "31.2");
    // 15 degrees C is the 59 F of a new load.
    EXPECT_EQ(PrecisionUnits::storedText(metric, PowderTemp, "15"), "59");
    EXPECT_EQ(PrecisionUnits::shownText(metric, PowderTemp, "59"), "15");
    // 1 fps per degree F is 0.3048 x 1.8 m/s per degree C.
    EXPECT_EQ(PrecisionUnits::shownText(metric, Sensitivity, "1"), "0.55");
    const QString sensitivity = PrecisionUnits::storedText(metric, Sensitivity, "0.55");
    EXPECT_NEAR(sensitivity.toDouble(), 0.55 / 0.54864, 1e-6);
    EXPECT_EQ(PrecisionUnits::shownText(metric, Sensitivity, sensitivity), "0.55");
    // Twist, latitude and azimuth have no unit of the shooter's choice.
    for (int i : {Twist, Latitude, Azimuth}) {
        EXPECT_FALSE(PrecisionUnits::converted(metric, i)) << i;
        EXPECT_EQ(PrecisionUnits::storedText(metric, i, "10.5"), "10.5");
    }
    EXPECT_EQ(PrecisionUnits::storedText(metric, Length, "3l"), "3l");
}

TEST(PrecisionUnits, ImperialIsTheClassicBoxes) {
    const InputUnits::FieldUnits imperial{};
    for (int i = 0; i < Count; ++i) {
        EXPECT_EQ(PrecisionUnits::caption(imperial, i), QString::fromUtf8(field(i).caption));
        EXPECT_EQ(PrecisionUnits::message(imperial, i), QString::fromUtf8(field(i).message));
        EXPECT_EQ(PrecisionUnits::shownText(imperial, i, ".308"), ".308");
    }
    EXPECT_EQ(PrecisionUnits::shownZones(imperial, "300 5 90; 700 10 60"), "300 5 90; 700 10 60");
    EXPECT_EQ(PrecisionUnits::zoneHeaders({{}, true}),
              QStringList({"Ends at (m)", "Speed (mph)", QString::fromUtf8("Angle (\u00B0)")}));
}

TEST(PrecisionUnits, CaptionsAndMessagesNameTheShownUnit) {
    EXPECT_EQ(PrecisionUnits::caption(metric, Length), "Bullet Length (mm)");
    EXPECT_EQ(PrecisionUnits::caption(metric, Sensitivity),
              QString::fromUtf8("Powder m/s/\u00B0C"));
    EXPECT_EQ(PrecisionUnits::caption(metric, PowderTemp), QString::fromUtf8("MV Temp \u00B0C"));
    EXPECT_EQ(PrecisionUnits::message(metric, Diameter),
              "Bullet diameter must be between 2.54 and 25.4 mm, or 0 when not known.");
    // Every bound a message names is taken by the box's check, and a hair beyond is refused.
    const QRegularExpression bounds(QStringLiteral("between (-?[\\d.]+) and (-?[\\d.]+)"));
    for (int i : {Length, Diameter, Sensitivity, PowderTemp}) {
        const QString message = PrecisionUnits::message(metric, i);
        const auto match = bounds.match(message);
        ASSERT_TRUE(match.hasMatch()) << message.toStdString();
        for (int b : {1, 2}) {
            const QString stored = PrecisionUnits::storedText(metric, i, match.captured(b));
            EXPECT_TRUE(check(i, stored).isEmpty()) << message.toStdString();
        }
        const double beyond = match.captured(2).toDouble() + 0.1;
        EXPECT_FALSE(
            check(i, PrecisionUnits::storedText(metric, i, QString::number(beyond))).isEmpty())
            << message.toStdString();
    }
}

TEST(PrecisionUnits, ZonesShowInTheShownRangeAndWindUnits) {
    // A load kept in yards: 300 m and 5 m/s are kept as yards and mph.
    const QString stored = PrecisionUnits::storedZones(metric, "300 5 90; 700 10 60");
    const QStringList first = stored.split("; ").first().split(' ');
    EXPECT_NEAR(first[0].toDouble(), 300 / 0.9144, 1e-3);
    EXPECT_NEAR(first[1].toDouble(), 5 / 0.44704, 1e-4);
    EXPECT_EQ(first[2], "90");
    EXPECT_EQ(PrecisionUnits::shownZones(metric, stored), "300 5 90; 700 10 60");
    // A load kept in metres keeps its ends as they are.
    EXPECT_TRUE(PrecisionUnits::storedZones(metricOverMetres, "300 5 90").startsWith("300 "));
    EXPECT_EQ(PrecisionUnits::zoneHeaders(metric),
              QStringList({"Ends at (m)", "Speed (m/s)", QString::fromUtf8("Angle (\u00B0)")}));
}

TEST(PrecisionUnits, ZoneChecksNameTheWindUnit) {
    EXPECT_TRUE(PrecisionUnits::zonesProblem(metric, "300 11 90").isEmpty());
    // 25 mph is 11.176 m/s.
    const QString fast = PrecisionUnits::zonesProblem(metric, "300 12 90");
    EXPECT_TRUE(fast.contains("11.176 m/s.")) << fast.toStdString();
    EXPECT_FALSE(fast.contains("mph"));
    EXPECT_FALSE(PrecisionUnits::zonesProblem(metric, "300 5").isEmpty());
}

} // namespace
