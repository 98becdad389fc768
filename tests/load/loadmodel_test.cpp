#include "load/InputFields.h"
#include "load/LoadModel.h"
#include "services/MNumber.h"

#include "QuietPrompt.h"

#include <gtest/gtest.h>

#include <QList>

using namespace InputFields;

namespace {

class LoadModelTest : public ::testing::Test {
protected:
    QuietPrompt prompts; // a message the test did not script fails it
    LoadModel model;
    QList<int> changed;

    void SetUp() override {
        model.fieldTextChangedByModel = [this](int index) { changed.push_back(index); };
        EXPECT_TRUE(model.refreshAllFields().isEmpty());
        changed.clear();
        prompts.clear();
    }

    // Typing the text: nothing it copies may fail.
    void type(int index, const QString& text) {
        const QList<Problem> problems = model.setFieldText(index, text);
        EXPECT_TRUE(problems.isEmpty()) << problems.front().messageText().toStdString();
    }
    FieldVerdict leave(int index) const { return model.txtInputValidate(index); }
    const CInput& in1() const { return model.values.in1; }
    const QString& text(int index) const { return model.form.fields[static_cast<size_t>(index)]; }
};

void expectAccepted(const FieldVerdict& v) {
    EXPECT_FALSE(v.cancel);
    EXPECT_FALSE(v.hasMessage()) << v.message.toStdString();
}

void expectNotANumber(const FieldVerdict& v) {
    EXPECT_TRUE(v.cancel);
    EXPECT_EQ(v.message, "This field has to be a number");
    EXPECT_EQ(v.title, "Not a Number");
}

void expectOutOfRange(const FieldVerdict& v, int index, bool cancel) {
    EXPECT_EQ(v.cancel, cancel) << index;
    EXPECT_TRUE(v.hasMessage()) << index;
    EXPECT_EQ(v.title, "Number out of Range") << index;
    EXPECT_EQ(v.message, QString::fromUtf8(field(index).message)) << index;
}

} // namespace

// --- copying a field into the record ---------------------------------------------------------

TEST_F(LoadModelTest, StartUpCopiesEveryFieldAndAppliesTheReferenceAtmosphere) {
    EXPECT_FLOAT_EQ(model.values.metro.refPressure, 29.921f);
    EXPECT_EQ(in1().cart, "7.62");
    EXPECT_EQ(in1().ibweight, 175);
    EXPECT_EQ(in1().imvel, 2635);
    EXPECT_EQ(in1().imaxyds, 1000);
    EXPECT_EQ(in1().izrange, 127);
    EXPECT_EQ(in1().iydsinc, 50);
    EXPECT_FLOAT_EQ(in1().bcoef, 0.495f);
    EXPECT_FLOAT_EQ(in1().bcMed, 0.485f);
    EXPECT_FLOAT_EQ(in1().vMed, 1800);
    EXPECT_FLOAT_EQ(in1().sightheight, 2.6f);
    EXPECT_FLOAT_EQ(in1().alt, 5000);
    EXPECT_FLOAT_EQ(model.values.scopeMag, 10);
    EXPECT_FLOAT_EQ(model.values.humidity, 56);
    // The altitude's refresh replaced the designed 56 degrees and 56 inches.
    EXPECT_EQ(text(Temperature), "41.17");
    EXPECT_FLOAT_EQ(in1().temp, 41.17f);
    EXPECT_NE(text(Pressure), "56");
    EXPECT_NEAR(model.values.pressure, 24.909f, 0.001f);
}

TEST_F(LoadModelTest, WholeNumberFieldsRoundHalfToEven) {
    type(BulletWeight, "12.5");
    EXPECT_EQ(in1().ibweight, 12);
    type(BulletWeight, "13.5");
    EXPECT_EQ(in1().ibweight, 14);
    type(XwindAngle, "-2.5");
    EXPECT_EQ(in1().ixwangl, -2);
    type(MaxRange, "999.51");
    EXPECT_EQ(in1().imaxyds, 1000);
}

TEST_F(LoadModelTest, NonNumericTextKeepsTheLastNumericValue) {
    type(BulletWeight, "168");
    type(BulletWeight, "abc");
    EXPECT_EQ(in1().ibweight, 168);
    type(Bc, "");
    EXPECT_FLOAT_EQ(in1().bcoef, 0.495f);
    type(Pressure, "29.92");
    type(Pressure, "high");
    EXPECT_FLOAT_EQ(model.values.pressure, 29.92f);
}

TEST_F(LoadModelTest, OutOfRangeValuesAreStoredAllTheSame) {
    type(BulletWeight, "700");
    EXPECT_EQ(in1().ibweight, 700);
    type(Bc, "3");
    EXPECT_FLOAT_EQ(in1().bcoef, 3);
}

TEST_F(LoadModelTest, WindowValuesComeFromFields16And18To20) {
    type(ScopeMag, "14");
    type(Pressure, "28.5");
    type(Humidity, "33");
    type(TargetSpeed, "-7.5");
    EXPECT_FLOAT_EQ(model.values.scopeMag, 14);
    EXPECT_FLOAT_EQ(model.values.pressure, 28.5f);
    EXPECT_FLOAT_EQ(model.values.humidity, 33);
    EXPECT_FLOAT_EQ(model.values.speed, -7.5f);
    EXPECT_FLOAT_EQ(in1().scopeMag, 0); // the record's own field is only for comparison loads
}

TEST_F(LoadModelTest, AngleFieldStoresNothing) {
    const CInput before = in1();
    const MainValues values = model.values;
    type(Angle, "30");
    EXPECT_EQ(in1(), before);
    EXPECT_FLOAT_EQ(model.values.speed, values.speed);
    EXPECT_FLOAT_EQ(model.values.pressure, values.pressure);
    EXPECT_EQ(text(Angle), "30");
}

TEST_F(LoadModelTest, CartridgeIsStoredAsTypedNumericOrNot) {
    type(Cartridge, "");
    EXPECT_TRUE(in1().cart.isEmpty());
    expectAccepted(leave(Cartridge));
    type(Cartridge, "308");
    EXPECT_EQ(in1().cart, "308");
    expectAccepted(leave(Cartridge));
    type(Cartridge, "6.5, Creedmoor");
    EXPECT_EQ(in1().cart, "6.5, Creedmoor");
}

TEST_F(LoadModelTest, WholeNumberOverflowIsReturnedAndTheRecordKeepsItsValue) {
    type(BulletWeight, "168");
    const QList<Problem> problems = model.setFieldText(BulletWeight, "40000");
    EXPECT_EQ(in1().ibweight, 168);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_EQ(problems.front().messageText(), "ui dataUiToInputIndex: 6 - Overflow");
    // Leaving the field then refuses the value as usual; the verdict itself shows nothing.
    expectOutOfRange(leave(BulletWeight), BulletWeight, true);
    // Every later copy of the field, a snapshot's too, gives it again.
    const LoadSnapshot snapshot = model.snapshot();
    ASSERT_EQ(snapshot.fieldProblems.size(), 1);
    EXPECT_EQ(snapshot.fieldProblems.front().messageText(), "ui dataUiToInputIndex: 6 - Overflow");
    EXPECT_EQ(snapshot.load().ibweight, 168);
}

TEST_F(LoadModelTest, SingleOverflowIsReturnedAndTheRecordKeepsItsValue) {
    const QList<Problem> problems = model.setFieldText(Bc, "1e39");
    EXPECT_FLOAT_EQ(in1().bcoef, 0.495f);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_EQ(problems.front().messageText(), "ui dataUiToInputIndex: 6 - Overflow");
    EXPECT_TRUE(model.snapshot().fieldProblems.size() == 1);
}

TEST_F(LoadModelTest, AFormsOverflowsComeBackInFieldOrder) {
    LoadForm next = model.form;
    next.fields[BulletWeight] = "40000";
    next.fields[ScopeMag] = "1e39";
    next.fields[Humidity] = "50";
    const QList<Problem> problems = model.applyForm(next);
    ASSERT_EQ(problems.size(), 2);
    for (const Problem& p : problems)
        EXPECT_EQ(p.messageText(), "ui dataUiToInputIndex: 6 - Overflow");
    EXPECT_EQ(in1().ibweight, 175);
    EXPECT_FLOAT_EQ(model.values.scopeMag, 10);
    EXPECT_FLOAT_EQ(model.values.humidity, 50);
    CInput other;
    EXPECT_EQ(model.dataUiToInput(other).size(), 2);
    EXPECT_EQ(model.refreshAllFields().size(), 2);
}

TEST_F(LoadModelTest, DataUiToInputCopiesEveryFieldAndTheDragIndex) {
    CInput other;
    model.form.dragIndex = 4;
    model.dataUiToInput(other);
    CInput expected = in1();
    expected.dragIndex = 4;
    EXPECT_EQ(other, expected);
    model.form.dragIndex = -1;
    model.dataUiToInput(other);
    EXPECT_EQ(other.dragIndex, -1);
}

// --- the altitude refresh ---------------------------------------------------------------------

TEST_F(LoadModelTest, AltitudeRefreshesTheStandardTemperatureAndPressure) {
    // The start-up fields hold the standard air at 5000 ft; typing 0 gives sea-level air.
    type(Altitude, "0");
    // 59 F and 29.921 inHg: the reference air at sea level.
    EXPECT_EQ(text(Temperature), "59");
    EXPECT_EQ(text(Pressure), "29.921");
    EXPECT_FLOAT_EQ(in1().temp, 59);
    EXPECT_EQ(changed, (QList<int>{Temperature, Pressure}));
    EXPECT_FALSE(model.validateAndWarn(Altitude));

    type(Altitude, "5000");
    float pressure = 0;
    model.values.metro.standardPressure(5000, pressure);
    // 59 - 0.003566 x 5000.
    EXPECT_EQ(text(Temperature), "41.17");
    // 24.909403 rounded to the seven digits a field is given.
    EXPECT_EQ(text(Pressure), "24.9094");
    EXPECT_FLOAT_EQ(in1().alt, 5000);
    EXPECT_FLOAT_EQ(model.values.pressure, pressure);
}

TEST_F(LoadModelTest, AltitudeKeepsAMeasuredTemperatureAndPressure) {
    type(Temperature, "80");
    changed.clear();
    type(Altitude, "0");
    EXPECT_EQ(text(Temperature), "80");
    EXPECT_FLOAT_EQ(in1().temp, 80);
    // The pressure still held the standard value at 5000 ft: it follows the altitude.
    EXPECT_EQ(text(Pressure), "29.921");
    EXPECT_EQ(changed, QList<int>{Pressure});
    EXPECT_FALSE(model.validateAndWarn(Altitude));

    type(Pressure, "30.1");
    type(Altitude, "2000");
    EXPECT_FALSE(model.validateAndWarn(Altitude));
    EXPECT_EQ(text(Temperature), "80");
    EXPECT_EQ(text(Pressure), "30.1");
    EXPECT_FLOAT_EQ(model.values.pressure, 30.1f);
}

TEST_F(LoadModelTest, ARefusedAltitudeChangesNothing) {
    for (const char* refused : {"-500", "15000", "99999"}) {
        changed.clear();
        // Typed a character at a time, as the field sees it.
        const QString whole = QString::fromLatin1(refused);
        for (qsizetype n = 1; n <= whole.size(); ++n)
            type(Altitude, whole.left(n));
        prompts.expected = {"Altitude must be between 0 and 10000 ft."};
        EXPECT_TRUE(model.validateAndWarn(Altitude)) << refused;
        EXPECT_EQ(prompts.lastText(), "Altitude must be between 0 and 10000 ft.");
        EXPECT_EQ(text(Temperature), "41.17") << refused;
        EXPECT_EQ(text(Pressure), "24.9094") << refused;
        EXPECT_FLOAT_EQ(in1().temp, 41.17f) << refused;
        EXPECT_FLOAT_EQ(model.values.pressure, 24.909403f) << refused;
    }
    // Corrected, the altitude counts from the last accepted one as if nothing had been typed.
    type(Altitude, "0");
    EXPECT_EQ(text(Temperature), "59");
}

TEST_F(LoadModelTest, ARefusedAltitudePutsBackAMeasuredTemperature) {
    type(Temperature, "70");
    type(Altitude, "1"); // on its way to 1 ft too many
    type(Altitude, "10001");
    prompts.expected = {"Altitude must be between 0 and 10000 ft."};
    EXPECT_TRUE(model.validateAndWarn(Altitude));
    EXPECT_EQ(text(Temperature), "70");
    EXPECT_EQ(text(Pressure), "24.9094");
}

TEST_F(LoadModelTest, NonNumericAltitudeLeavesTemperatureAndPressure) {
    type(Temperature, "70");
    type(Pressure, "27");
    changed.clear();
    type(Altitude, "high");
    EXPECT_EQ(text(Temperature), "70");
    EXPECT_EQ(text(Pressure), "27");
    EXPECT_FLOAT_EQ(in1().alt, 5000);
    EXPECT_TRUE(changed.isEmpty());
}

// --- leaving a field ---------------------------------------------------------------------------

TEST_F(LoadModelTest, LettersInBulletWeightAreNotANumber) {
    type(BulletWeight, "175");
    type(BulletWeight, "abc");
    expectNotANumber(leave(BulletWeight));
    EXPECT_EQ(in1().ibweight, 175);
    EXPECT_EQ(text(BulletWeight), "abc"); // nothing is reset
    type(Humidity, "");
    expectNotANumber(leave(Humidity)); // even where range warnings let the focus go
}

TEST_F(LoadModelTest, BallisticCoefficientBoundsAreInclusive) {
    for (const char* ok : {"0.001", "1", ".495", "1.0"}) {
        type(Bc, ok);
        expectAccepted(leave(Bc));
    }
    for (const char* bad : {"0.0009", "1.001", "0", "-0.5"}) {
        type(Bc, bad);
        expectOutOfRange(leave(Bc), Bc, true);
        EXPECT_EQ(leave(Bc).message, "Ballistic Coefficient must be between 0.001 and 1.0.");
    }
}

TEST_F(LoadModelTest, ZeroAndIncrementsAreBoundedByTheCurrentMaxRangeText) {
    type(MaxRange, "500");
    type(ZeroRange, "500");
    expectAccepted(leave(ZeroRange));
    type(ZeroRange, "0");
    expectAccepted(leave(ZeroRange));
    type(ZeroRange, "501");
    expectOutOfRange(leave(ZeroRange), ZeroRange, true);
    type(Increments, "0");
    expectOutOfRange(leave(Increments), Increments, true);
    type(Increments, "500");
    expectAccepted(leave(Increments));
    type(Increments, "500.5");
    expectOutOfRange(leave(Increments), Increments, true);
    // The bound follows the text, even one the record could not take.
    EXPECT_EQ(model.setFieldText(MaxRange, "40000").size(), 1);
    type(ZeroRange, "1600");
    expectAccepted(leave(ZeroRange));
}

TEST_F(LoadModelTest, NonNumericMaxRangeIsReportedAndTheFocusMovesOn) {
    type(MaxRange, "far");
    type(ZeroRange, "100");
    const FieldVerdict v = leave(ZeroRange);
    EXPECT_FALSE(v.cancel);
    EXPECT_FALSE(v.hasMessage());
    ASSERT_TRUE(v.problem);
    EXPECT_EQ(v.problem->messageText(), "ui txtInput_Validate: 13 - Type mismatch");
    const FieldVerdict increments = leave(Increments);
    EXPECT_FALSE(increments.cancel);
    ASSERT_TRUE(increments.problem);
    EXPECT_EQ(increments.problem->messageText(), "ui txtInput_Validate: 13 - Type mismatch");
    // Leaving the box reports it once.
    prompts.expected = {"ui txtInput_Validate: 13 - Type mismatch"};
    EXPECT_FALSE(model.validateAndWarn(ZeroRange));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.lastText(), "ui txtInput_Validate: 13 - Type mismatch");
    // A non-numeric zero range is still refused as not a number, bound or not.
    prompts.clear();
    type(ZeroRange, "x");
    expectNotANumber(leave(ZeroRange));
}

TEST_F(LoadModelTest, ScopeMagnificationZeroWarnsWithAnEmptyTextAndLetsGo) {
    type(ScopeMag, "0");
    const FieldVerdict v = leave(ScopeMag);
    EXPECT_FALSE(v.cancel);
    EXPECT_TRUE(v.hasMessage());
    EXPECT_TRUE(v.message.isEmpty());
    EXPECT_EQ(v.title, "Number out of Range");
    EXPECT_FLOAT_EQ(model.values.scopeMag, 0);
}

TEST_F(LoadModelTest, TargetSpeedWarnsButLetsGo) {
    for (const char* ok : {"-50", "50", "0"}) {
        type(TargetSpeed, ok);
        expectAccepted(leave(TargetSpeed));
    }
    type(TargetSpeed, "60");
    expectOutOfRange(leave(TargetSpeed), TargetSpeed, false);
    EXPECT_FLOAT_EQ(model.values.speed, 60);
    EXPECT_EQ(text(TargetSpeed), "60");
}

TEST_F(LoadModelTest, OnlyFields1To15KeepTheFocusWhenOutOfRange) {
    type(MaxRange, "1000");
    for (int i = 1; i < Count; ++i) {
        const float beyond = (i == ZeroRange || i == Increments) ? 1001 : field(i).upper + 1;
        type(i, MNumber::shortText(beyond));
        expectOutOfRange(leave(i), i, i <= 15);
        type(i, MNumber::shortText(field(i).lower - 1));
        expectOutOfRange(leave(i), i, i <= 15);
        type(i, MNumber::shortText(field(i).lower));
        expectAccepted(leave(i));
    }
}

TEST_F(LoadModelTest, ValidateAndWarnShowsTheVerdictThroughThePrompt) {
    type(BulletWeight, "0");
    prompts.expected = {"Bullet weight must be between 1 and 600 grains."};
    EXPECT_TRUE(model.validateAndWarn(BulletWeight));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.lastText(), "Bullet weight must be between 1 and 600 grains.");
    EXPECT_EQ(prompts.lastTitle(), "Number out of Range");
    EXPECT_EQ(prompts.messages.back().buttons, PromptButtons::Ok);
    type(BulletWeight, "150");
    prompts.clear();
    EXPECT_FALSE(model.validateAndWarn(BulletWeight));
    type(LowerBc, "2");
    EXPECT_FALSE(model.validateAndWarn(ScopeMag));
    prompts.expected = {""};
    EXPECT_TRUE(model.validateAndWarn(LowerBc));
    EXPECT_TRUE(prompts.lastText().isEmpty());
    EXPECT_EQ(prompts.lastTitle(), "Number out of Range");
}

// --- whole forms, New and the options ----------------------------------------------------------

TEST_F(LoadModelTest, ApplyFormKeepsTheFilesTemperatureAndPressure) {
    LoadForm next = model.form;
    next.fields[Cartridge] = "308 Win";
    next.fields[Altitude] = "3000";
    next.fields[Temperature] = "70";
    next.fields[Pressure] = "27.5";
    next.chkAdvanced = 1;
    next.chkMilrange = 1;
    next.optMoa1 = next.optMetric1 = next.opt3D1 = next.optComma1 = next.optRR1 = true;
    next.yAxis = 3;
    next.dragIndex = 4;
    next.comparison.setFile("/loads/other.qvt");
    next.notes = "a, b\r\nc";
    EXPECT_TRUE(model.applyForm(next).isEmpty());
    EXPECT_EQ(model.form, next);
    EXPECT_EQ(in1().cart, "308 Win");
    EXPECT_FLOAT_EQ(in1().alt, 3000);
    EXPECT_FLOAT_EQ(in1().temp, 70);
    EXPECT_FLOAT_EQ(model.values.pressure, 27.5f);
    EXPECT_TRUE(changed.contains(Cartridge));
    EXPECT_TRUE(changed.contains(Temperature));
    EXPECT_FALSE(changed.contains(BulletWeight)); // unchanged texts raise nothing
}

TEST_F(LoadModelTest, ApplyFormWithTheSameAltitudeDoesNotRefresh) {
    LoadForm next = model.form;
    next.fields[Temperature] = "41.17"; // what the fields show already
    next.fields[Humidity] = "10";
    model.applyForm(next);
    EXPECT_EQ(changed, QList<int>{Humidity});
    EXPECT_FLOAT_EQ(model.values.humidity, 10);
}

TEST_F(LoadModelTest, NewLoadPutsTheNewLoadTexts) {
    EXPECT_TRUE(model.newLoad().isEmpty());
    for (int i = 0; i < Count; ++i)
        EXPECT_EQ(text(i), QString::fromUtf8(field(i).newLoadText)) << i;
    EXPECT_EQ(in1().cart, "New");
    EXPECT_EQ(in1().ibweight, 100);
    EXPECT_FLOAT_EQ(in1().alt, 0);
    // Temperature and pressure are set after the altitude, so their own texts stand.
    EXPECT_FLOAT_EQ(in1().temp, 56);
    EXPECT_FLOAT_EQ(model.values.pressure, 29.53f);
    EXPECT_FLOAT_EQ(model.values.speed, 5);
    EXPECT_FLOAT_EQ(in1().bcoef, 0.2f);
}

TEST_F(LoadModelTest, PendingOptionsBecomeTheWindowsChoices) {
    const bool MainValues::*flags[] = {&MainValues::isMoa, &MainValues::isComma,
                                       &MainValues::isCosineDrop, &MainValues::is3D};
    bool LoadForm::*pending[] = {&LoadForm::optMoa1, &LoadForm::optComma1, &LoadForm::optRR1,
                                 &LoadForm::opt3D1};
    for (int k = 0; k < 4; ++k) {
        model.form.*pending[k] = true;
        model.applyPendingOptions();
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(model.values.*flags[j], j <= k) << k << j;
    }
    model.form.optMetric1 = true; // the range unit is no window copy
    model.form.optMoa1 = false;
    model.applyPendingOptions();
    EXPECT_FALSE(model.values.isMoa);
}

TEST(LoadModel, ANewModelHasTheInitialTextsAndAnEmptyRecord) {
    LoadModel model;
    EXPECT_EQ(model.form, LoadForm::initial());
    EXPECT_EQ(model.values.in1, CInput{});
    EXPECT_FLOAT_EQ(model.values.killZone, 10);
    EXPECT_FLOAT_EQ(model.values.metro.refTemperature, 59);
    // Out-of-table indexes are ignored.
    EXPECT_TRUE(model.setFieldText(-1, "x").isEmpty());
    EXPECT_TRUE(model.setFieldText(Count, "x").isEmpty());
    EXPECT_FALSE(model.txtInputValidate(Count).hasMessage());
}
