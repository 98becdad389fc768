// The snapshot a refresh takes of the Input tab: what it reads from the form and the values
// beside it, and that taking it leaves the form as it was.
#include "QuietPrompt.h"
#include "TestAppFolder.h"
#include "load/InputFields.h"
#include "load/LoadModel.h"
#include "load/LoadSnapshot.h"

#include <gtest/gtest.h>

using namespace InputFields;

namespace {

class SnapshotTest : public ::testing::Test {
protected:
    TestAppFolder folder;
    QuietPrompt prompts;
    LoadModel model;

    void SetUp() override { model.refreshAllFields(); }
};

TEST_F(SnapshotTest, ReadsTheVelocityWithItsFractionAndTheAngleOnce) {
    model.setFieldText(MuzzleVelocity, "2634.7");
    model.setFieldText(Angle, "-12.5");
    const LoadSnapshot s = model.snapshot();
    EXPECT_DOUBLE_EQ(s.muzzleVelocityFps, 2634.7);
    EXPECT_FLOAT_EQ(s.angleDeg, -12.5f);
    // The load record keeps the velocity as a whole number.
    EXPECT_EQ(s.load().imvel, 2635);

    model.setFieldText(Angle, "steep");
    EXPECT_FLOAT_EQ(model.snapshot().angleDeg, 0.0f);
}

TEST_F(SnapshotTest, TakesThePendingOptionsAndTheDragChoice) {
    model.form.optMoa1 = true;
    model.form.optRR1 = true;
    model.form.dragIndex = 3;
    const LoadSnapshot s = model.snapshot();
    EXPECT_TRUE(s.values.isMoa);
    EXPECT_TRUE(s.values.isCosineDrop);
    EXPECT_EQ(s.load().dragIndex, 3);
    // The model took them too: the window's options are those of its last refresh.
    EXPECT_TRUE(model.values.isMoa);
}

TEST_F(SnapshotTest, IsAValueThatLaterEditsDoNotChange) {
    const LoadSnapshot before = model.snapshot();
    model.setFieldText(Bc, "0.3");
    model.form.chkAdvanced = 1;
    EXPECT_FLOAT_EQ(before.load().bcoef, 0.495f);
    EXPECT_FALSE(before.advanced());
    EXPECT_FLOAT_EQ(model.snapshot().load().bcoef, 0.3f);
}

TEST_F(SnapshotTest, NamesTheFieldThatStopsATrajectory) {
    EXPECT_TRUE(model.snapshot().loadProblem().isEmpty());
    model.setFieldText(Bc, "0");
    EXPECT_EQ(model.snapshot().loadProblem(),
              QStringLiteral("BC: Ballistic Coefficient must be between 0.001 and 1.0."));
}

TEST_F(SnapshotTest, HandsTheSolverTheCoefficientTheAirCorrects) {
    // Without the extra inputs the coefficient goes to the solver as typed.
    EXPECT_EQ(model.snapshot().handedBc(), std::optional<float>(0.495f));
    // At 5000 ft and 41 F the air is thinner than the reference: the coefficient grows.
    model.form.chkAdvanced = 1;
    const auto thin = model.snapshot().handedBc();
    ASSERT_TRUE(thin);
    EXPECT_GT(*thin, 0.495f);
    // At sea level in the reference air it stays.
    model.setFieldText(Altitude, "0");
    model.setFieldText(Temperature, "59");
    const auto reference = model.snapshot().handedBc();
    ASSERT_TRUE(reference);
    EXPECT_NEAR(*reference, 0.495f, 0.005f);
    EXPECT_LT(*reference, *thin);
}

TEST_F(SnapshotTest, PrecisionInputsCarryTheAirAngleAndVelocity) {
    model.setFieldText(MuzzleVelocity, "2600.5");
    model.setFieldText(Angle, "10");
    model.form.optMetric1 = true;
    const LoadSnapshot s = model.snapshot();
    const PrecisionRows::Inputs in = s.precisionInputs();
    EXPECT_EQ(in.load, &s.values.in1);
    EXPECT_EQ(in.conditions, &s.values.in1);
    EXPECT_EQ(in.precision, &s.form.precision);
    EXPECT_DOUBLE_EQ(in.muzzleVelocity, 2600.5);
    EXPECT_FLOAT_EQ(in.angle, 10.0f);
    EXPECT_TRUE(in.metric);
    EXPECT_FLOAT_EQ(in.pressure, s.values.pressure);
    EXPECT_FLOAT_EQ(in.humidity, s.values.humidity);
}

} // namespace
