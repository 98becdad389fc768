// quorvel --point-blank and --chrono: the side calculators on the command line.
#include "PromptRecorder.h"
#include "TestAppFolder.h"
#include "cli/CliLoad.h"
#include "cli/CommandLine.h"
#include "cli/SideCommands.h"
#include "load/CPointBlank.h"
#include "load/CTextOutput.h"
#include "load/LoadModel.h"
#include "load/TableRefresh.h"
#include "load/Truing.h"
#include "services/CChronoVelocity.h"
#include "services/MNumber.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct Outcome {
    int status;
    QString out;
    QString err;
};

template <typename F> Outcome capture(F&& job) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = job();
    const QString out = QString::fromStdString(testing::internal::GetCapturedStdout());
    const QString err = QString::fromStdString(testing::internal::GetCapturedStderr());
    return {status, out, err};
}

Outcome pointBlank(const QStringList& args) {
    return capture([&] { return SideCommands::pointBlank(args); });
}
Outcome chrono(const QStringList& args) {
    return capture([&] { return SideCommands::chrono(args); });
}

// The three results as the dialog shows them, computed directly.
QString expectedPointBlank(const QString& file, float target, float group, const QString& angle) {
    LoadModel model;
    CliLoad::startModel(model);
    if (!file.isEmpty()) {
        EXPECT_TRUE(CliLoad::openLoad(model, file));
    }
    if (!angle.isEmpty()) model.setFieldText(InputFields::Angle, angle);
    model.values.killZone = target;
    model.values.groupSize = group;
    CPointBlank pb;
    EXPECT_TRUE(pb.pointBlankRange(model.snapshot()));
    return "Point Blank Zero (yd): " + MNumber::shortText(pb.pbZero) + "\n" +
           "Maximum Range (yd): " + MNumber::shortText(pb.pbRange) + "\n" +
           "100 Yard Sight in (in): " + MNumber::shortText(MNumber::roundDecimals(pb.zero100, 1)) +
           "\n";
}

class SideCommandsTest : public ::testing::Test {
protected:
    TestAppFolder folder;
    PromptRecorder prompts;
    const QString sample = TestAppFolder::dataDir() + "/308win.qvt";
};

TEST_F(SideCommandsTest, PointBlankOfTheDefaultLoad) {
    const Outcome r = pointBlank({});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    EXPECT_EQ(r.out, expectedPointBlank(QString(), 10, 0, QString()));
    EXPECT_TRUE(r.out.startsWith("Point Blank Zero (yd): "));
}

TEST_F(SideCommandsTest, PointBlankOfALoadFileWithSizesAndAngle) {
    const Outcome r = pointBlank({sample, "--target", "8", "--group", "1.5", "--angle", "25"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, expectedPointBlank(sample, 8, 1.5f, "25"));
    // The sample load has its extra fields on, so the angle changes the answer.
    EXPECT_NE(r.out, expectedPointBlank(sample, 8, 1.5f, "0"));
}

TEST_F(SideCommandsTest, PointBlankRefusesBadArguments) {
    struct Case {
        QStringList args;
        QString message;
    };
    const Case cases[] = {
        {{"--target", "81"}, "Target Size must be between 0 and 80\"."},
        {{"--group", "31"}, "Group size must be between 0 and 30\"."},
        {{"--target", "4", "--group", "4"}, "Group Size must be smaller than Target Size"},
        {{"--target", "ten"}, "'ten' is not a number"},
        {{"--target"}, "option '--target' needs a number"},
        {{"--zero", "100"}, "unknown option '--zero'"},
        {{"a.qvt", "b.qvt"}, "more than one load file given"},
        {{"--angle", "95"}, "Downhill/Uphill angle in range -90/90 degrees."},
        {{folder.file("missing.qvt")}, "no such file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Outcome r = pointBlank(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1);
    }
    // A target of 50 is accepted although the message names 30.
    EXPECT_EQ(pointBlank({"--target", "50"}).status, 0);
}

TEST_F(SideCommandsTest, ChronoPrintsTheVelocityAndTheDifference) {
    const Outcome r = chrono({"2700", "15", "0.45"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    CChronoVelocity c;
    const float mv = c.chronoCorrect(0.45f, 15, 2700, "0");
    EXPECT_EQ(r.out, "Calculated Muzzle Velocity (ft/sec): " +
                         MNumber::shortText(MNumber::roundDecimals(mv, 1)) + "\n" +
                         "Velocity Difference (ft/sec): " +
                         MNumber::shortText(MNumber::roundDecimals(mv - 2700, 1)) + "\n");
    const Outcome tilted = chrono({"2700", "15", "0.45", "--angle", "-30"});
    EXPECT_EQ(tilted.status, 0);
    EXPECT_EQ(chrono({"3000", "0.01", "0.5"}).out,
              "Calculated Muzzle Velocity (ft/sec): 3000\nVelocity Difference (ft/sec): 0\n");
}

TEST_F(SideCommandsTest, ChronoRefusesBadArguments) {
    struct Case {
        QStringList args;
        QString message;
    };
    const Case cases[] = {
        {{"2700", "15"}, "--chrono needs VELOCITY DISTANCE BC"},
        {{"200", "15", "0.4"}, "Velocity must be 300 to 4500 fps."},
        {{"2700", "0", "0.4"}, "Distance must be between 0 and 100 feet."},
        {{"2700", "15", "0.005"}, "Ballistic Coefficient must be between 0.001 and 1.0."},
        {{"2700", "15", "x"}, "'x' is not a number"},
        {{"2700", "15", "0.4", "--angle"}, "option '--angle' needs a number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Outcome r = chrono(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
    }
}

// Fired straight up or down the bullet never gets out to the chronograph: one message (through
// the prompt, which the program points at standard error) and status 2, not a silent 1.
TEST_F(SideCommandsTest, ChronoAtAnAngleTheBulletNeverReachesIsAMessage) {
    for (const char* angle : {"90", "89.9", "-90"}) {
        SCOPED_TRACE(angle);
        prompts.clear();
        const Outcome r = chrono({"2600", "100", ".5", "--angle", angle});
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.isEmpty());
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_TRUE(prompts.lastText().contains("does not reach a chronograph 100 ft out"))
            << prompts.lastText().toStdString();
    }
    prompts.clear();
    EXPECT_EQ(chrono({"2600", "100", ".5", "--angle", "45"}).status, 0);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(SideCommandsTest, TheProgramsCommandLineRunsThem) {
    std::vector<QByteArray> words{"quorvel", "--chrono", "2800", "10", "0.5", "--angle", "3"};
    std::vector<char*> argv;
    for (QByteArray& w : words)
        argv.push_back(w.data());
    const Outcome r =
        capture([&] { return CommandLine::run(int(argv.size()), argv.data()).value_or(-1); });
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("Calculated Muzzle Velocity (ft/sec): 28"));
    words = {"quorvel", "--point-blank", "--target", "6"};
    argv.clear();
    for (QByteArray& w : words)
        argv.push_back(w.data());
    const Outcome pb =
        capture([&] { return CommandLine::run(int(argv.size()), argv.data()).value_or(-1); });
    EXPECT_EQ(pb.status, 0) << pb.err.toStdString();
    EXPECT_EQ(pb.out, expectedPointBlank(QString(), 6, 0, QString()));
}

} // namespace

// --- truing --------------------------------------------------------------------------------------

Outcome trueVelocity(const QStringList& args) {
    return capture([&] { return SideCommands::trueVelocity(args); });
}

// The height the load's model gives at `range` with `velocity`, as the file is opened.
double heightOf(const QString& file, float range, double velocity) {
    LoadModel model;
    CliLoad::startModel(model);
    EXPECT_TRUE(CliLoad::openLoad(model, file));
    return Truing::heightAt(model.snapshot(), range, velocity).value_or(0);
}

TEST_F(SideCommandsTest, TrueVelocityFindsTheVelocityBehindAHeightInEitherModel) {
    for (const QString& file : {sample, TestAppFolder::dataDir() + "/308win-precision.qvt"}) {
        const double height = heightOf(file, 800, 2580);
        const Outcome r =
            trueVelocity({file, "--range", "800", "--height", QString::number(height, 'f', 4)});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 3) << r.out.toStdString();
        EXPECT_EQ(lines[0], "Load muzzle velocity (ft/sec): 2650");
        EXPECT_TRUE(lines[1].startsWith("Height with it (in): -"));
        ASSERT_TRUE(lines[2].startsWith("Trued muzzle velocity (ft/sec): "));
        EXPECT_NEAR(lines[2].section(": ", 1).toDouble(), 2580, 0.15) << file.toStdString();
    }
}

TEST_F(SideCommandsTest, TrueVelocityRefusesWhatItCannotAnswer) {
    const std::pair<QStringList, const char*> cases[] = {
        {{sample, "--range", "500"}, "--true-velocity needs --height"},
        {{"--range", "500", "--height", "-3"}, "--true-velocity needs one load file"},
        {{sample, "--range", "far", "--height", "-3"}, "'far' is not a number"},
        {{sample, "--range", "5000", "--height", "-3"}, "The range must be between 1 and 2000"},
        {{TestAppFolder::dataDir() + "/repro/bc_0.qvt", "--range", "500", "--height", "-3"},
         "BC: Ballistic Coefficient must be between 0.001 and 1.0."},
    };
    for (const auto& [args, message] : cases) {
        const Outcome r = trueVelocity(args);
        EXPECT_EQ(r.status, 2) << message;
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(message)) << r.err.toStdString();
    }
    // Good arguments and a search without a result: no result, status 1 as documented.
    const Outcome none = trueVelocity({sample, "--range", "500", "--height", "900"});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.out.isEmpty());
    EXPECT_EQ(none.err.count('\n'), 1) << none.err.toStdString();
    EXPECT_TRUE(none.err.contains(
        "No muzzle velocity from 300 to 4500 fps gives a height of 900 in at 500 yards"))
        << none.err.toStdString();
}
