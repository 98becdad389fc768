// The Input tab's fields in metric: what is typed is kept in the file's units, a whole-number
// field shows the value the record computes with, and the range messages allow what they say.
#include "PromptRecorder.h"
#include "load/InputFields.h"
#include "load/InputUnits.h"
#include "load/LoadModel.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using namespace InputFields;
// Metric units over a load kept in yards, and over one kept in metres.
const InputUnits::FieldUnits metric{Units::ShownUnits::metric(), false};
const InputUnits::FieldUnits metricOverMetres{Units::ShownUnits::metric(), true};

TEST(InputUnits, AWholeNumberFieldShowsTheValueTheRecordUses) {
    // 853 m/s is 2798.556 ft/s: the record holds 2799, which is 853.1 m/s.
    const QString stored = InputUnits::storedText(metric, MuzzleVelocity, "853");
    const QString settled = InputUnits::settledText(metric, MuzzleVelocity, stored);
    EXPECT_EQ(settled, "2799");
    EXPECT_EQ(InputUnits::shownText(metric, MuzzleVelocity, settled), "853.1");
    // 100 m on a load in yards is 109.36 yd: the record's 109 yd show as 99.7 m.
    const QString zero = InputUnits::settledText(metric, ZeroRange,
                                                 InputUnits::storedText(metric, ZeroRange, "100"));
    EXPECT_EQ(zero, "109");
    EXPECT_EQ(InputUnits::shownText(metric, ZeroRange, zero), "99.7");
    // A field the record holds as a decimal keeps what was typed.
    const QString sight = InputUnits::storedText(metric, SightHeight, "45");
    EXPECT_EQ(InputUnits::settledText(metric, SightHeight, sight), sight);
    EXPECT_EQ(InputUnits::shownText(metric, SightHeight, sight), "45");
}

TEST(InputUnits, ImperialAndFieldsWithoutUnitsAreLeftAlone) {
    for (const bool loadMetric : {false, true}) {
        const InputUnits::FieldUnits imperial{Units::ShownUnits::imperial(), loadMetric};
        for (int i = 0; i < Count; ++i) {
            EXPECT_FALSE(InputUnits::converted(imperial, i));
            EXPECT_EQ(InputUnits::caption(imperial, i), QString::fromUtf8(field(i).caption));
            EXPECT_EQ(InputUnits::shownText(imperial, i, "12.5"), "12.5");
        }
    }
    // A load in metres shows its ranges as they are under metric units.
    for (int i : {MaxRange, ZeroRange, Increments})
        EXPECT_FALSE(InputUnits::converted(metricOverMetres, i)) << i;
    for (int i : {Cartridge, XwindAngle, Bc, Humidity, Angle})
        EXPECT_FALSE(InputUnits::converted(metric, i)) << i;
    // Text that is no number is passed through for the field's own check.
    EXPECT_EQ(InputUnits::storedText(metric, MuzzleVelocity, "8o0"), "8o0");
    EXPECT_EQ(InputUnits::storedText(metric, MuzzleVelocity, ""), "");
}

TEST(InputUnits, TheRangeMessageAllowsEveryValueItNames) {
    LoadModel model;
    model.units = metric.units;
    model.form = LoadForm::initial();
    model.refreshAllFields();
    for (int index : {BulletWeight, MuzzleVelocity, MaxRange, XwindSpeed, Altitude, Temperature,
                      SightHeight, Pressure, TargetSpeed}) {
        const QString message = InputUnits::limitMessage(metric, index, limit(index, false, false));
        const QRegularExpression bounds(QStringLiteral("between (-?[0-9.]+) and (-?[0-9.]+) "));
        const auto match = bounds.match(message);
        ASSERT_TRUE(match.hasMatch()) << message.toStdString();
        for (int bound = 1; bound <= 2; ++bound) {
            model.setFieldText(index, InputUnits::storedText(metric, index, match.captured(bound)));
            const FieldVerdict verdict = model.txtInputValidate(index);
            EXPECT_FALSE(verdict.hasMessage())
                << message.toStdString() << " refuses " << match.captured(bound).toStdString();
        }
    }
    EXPECT_EQ(InputUnits::limitMessage(metric, MuzzleVelocity, limit(MuzzleVelocity, false, false)),
              "Velocity must be between 91.5 and 1371.6 m/s.");
}

TEST(InputUnits, OutOfRangeIsRefusedInTheShownUnit) {
    PromptRecorder prompts;
    LoadModel model;
    model.units = metric.units;
    model.form = LoadForm::initial();
    model.refreshAllFields();
    model.setFieldText(MuzzleVelocity, InputUnits::storedText(metric, MuzzleVelocity, "1400"));
    EXPECT_TRUE(model.validateAndWarn(MuzzleVelocity));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages.front().text.contains("m/s"));
}

TEST(InputUnits, ANewLoadTakesTheRangeUnitTheUnitsFix) {
    LoadModel model;
    model.form = LoadForm::initial();
    model.refreshAllFields();
    model.units = metric.units;
    model.newLoad();
    EXPECT_TRUE(model.form.isMetric());
    model.units = Units::ShownUnits::imperial();
    model.newLoad(); // the load's own unit: as it was
    EXPECT_TRUE(model.form.isMetric());
}

} // namespace
