// The session file: every record written and read back, damaged files, the fix-ups, the load file
// it names, the caption and the stepping between numbered sessions.
#include "sim_test_support.h"

#include "services/AppFolders.h"
#include "sim/SessionFile.h"
#include "sim/SimHost.h"

#include <gtest/gtest.h>

namespace {

// A window stand-in that logs what the simulator tells it.
struct FakeWindow : SimHost {
    QString loadFile;
    int changes = 0; // settingsChanged calls
    QString shownCaption;
    QString loadFileName() const override { return loadFile; }
    void settingsChanged() override { ++changes; }
    void setCaption(const QString& c) override { shownCaption = c; }
};

// Every control away from its default, so a record read into the wrong place shows.
SimSettings unusualSettings() {
    SimSettings s;
    s.propertiesPreLoad();
    s.txtGroupSize = "2.5";
    s.cboTarget = "redBlue.gif";
    s.sldZoom = 7;
    s.sldWind = -12;
    s.txtWidth = "6";
    s.txtHeight = "18";
    s.cboReticle = "duplex.bmp";
    s.sldRange = 420;
    s.txtFov = "12";
    s.sldAngle = 135;
    s.chkTransparent = 1;
    s.txtRedScore = "5";
    s.txtBlueScore = "-3";
    s.txtMissScore = "-1";
    s.txtNumberOfRounds = "7";
    s.flyerIndex = 2;
    s.cboBackground = "desert.jpg";
    s.sldSpeed = -9;
    s.chkUserGraphic = 1;
    s.chkGroupCircle = 1;
    s.chkPOA = 0;
    s.optSimMetric1 = true;
    s.txtSimNotes = "windy day\r\nsecond line, with a comma";
    s.txtSimMaxRange = "800";
    s.chkShowHits = 1;
    return s;
}

struct SessionTest : ::testing::Test {
    SimFixture f;
    FakeWindow window;

    SessionTest() {
        f.sim.setHost(&window);
        f.sim.setUp();
        f.sim.sessionFile = f.folder.file("range3.ssn");
    }
    // Writes `lines` as a session file (CR LF) and reads it (a damaged one before may have left
    // no session file).
    void readLines(const QStringList& lines) {
        f.folder.write("range3.ssn", (lines.join("\r\n") + "\r\n").toLatin1());
        f.sim.sessionFile = f.folder.file("range3.ssn");
        f.sim.init(true);
    }
};

} // namespace

TEST_F(SessionTest, RoundTripKeepsEveryRecordButTwelve) {
    f.sim.settings = unusualSettings();
    f.sim.session.sight = 3;
    f.sim.session.viewOffsetX = -37.25f;
    f.sim.session.viewOffsetY = 1.5f;
    window.loadFile = f.folder.write("load.qvt", "7.62\r\n");
    ASSERT_TRUE(f.sim.dataSave());
    const SimSettings saved = f.sim.settings;

    // Change everything, then read the file back.
    f.sim.settings = SimSettings();
    f.sim.session.sight = 0;
    f.sim.session.viewOffsetX = f.sim.session.viewOffsetY = 0;
    window.changes = 0;
    f.sim.init(true);
    const SimSettings& r = f.sim.settings;
    for (auto member :
         {&SimSettings::txtGroupSize, &SimSettings::cboTarget, &SimSettings::txtWidth,
          &SimSettings::txtHeight, &SimSettings::cboReticle, &SimSettings::txtFov,
          &SimSettings::txtRedScore, &SimSettings::txtBlueScore, &SimSettings::txtMissScore,
          &SimSettings::txtNumberOfRounds, &SimSettings::cboBackground, &SimSettings::txtSimNotes,
          &SimSettings::txtSimMaxRange})
        EXPECT_EQ(r.*member, saved.*member);
    for (auto member :
         {&SimSettings::sldZoom, &SimSettings::sldWind, &SimSettings::sldRange,
          &SimSettings::sldAngle, &SimSettings::flyerIndex, &SimSettings::sldSpeed,
          &SimSettings::chkUserGraphic, &SimSettings::chkGroupCircle, &SimSettings::chkPOA,
          &SimSettings::chkTransparent, &SimSettings::chkShowHits})
        EXPECT_EQ(r.*member, saved.*member);
    EXPECT_TRUE(r.optSimMetric1);
    EXPECT_EQ(f.sim.session.sight, 3);
    EXPECT_EQ(f.sim.session.viewOffsetX, -37.25f);
    EXPECT_EQ(f.sim.session.viewOffsetY, 1.5f);
    EXPECT_EQ(f.sim.session.flyerProbability, 1.0f);
    // Record 12 carried the transparency switch; the field of view decides milsPerScreen.
    EXPECT_FLOAT_EQ(f.sim.scene.milsPerScreen, 12.0f * 12.0f / 3.6f);
    EXPECT_EQ(r.lblRoundsLeft, "Rounds Left: 7");
    EXPECT_EQ(r.txtRange, "420");
    EXPECT_EQ(r.txtZoom, "7");
    EXPECT_EQ(r.rangeRange.maximum, 800);
    // The window hears of the session once, when all of it is in place.
    EXPECT_EQ(window.changes, 1);
}

TEST_F(SessionTest, WrittenFileIsThirtyLinesInTheDocumentedForm) {
    f.sim.settings = unusualSettings();
    f.sim.session.sight = 1;
    f.sim.session.viewOffsetX = 0.5f;
    window.loadFile = "C:\\loads\\a.qvt";
    ASSERT_TRUE(f.sim.dataSave());
    const QByteArray bytes = f.folder.read("range3.ssn");
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 31);    // 30 lines, each ending in CR LF
    EXPECT_EQ(lines[2], "7\r");     // zoom
    EXPECT_EQ(lines[3], "-12\r");   // wind
    EXPECT_EQ(lines[8], "1\r");     // sight
    EXPECT_EQ(lines[11], "1\r");    // record 12: the transparency switch
    EXPECT_EQ(lines[22], "True\r"); // metric
    EXPECT_EQ(lines[23], "C:\\loads\\a.qvt\r");
    EXPECT_EQ(lines[24], "windy day|@|{second line|~ with a comma\r");
    EXPECT_EQ(lines[27], "0.5\r");
}

TEST_F(SessionTest, SavingKeepsScoresOutAndReadingResetsThem) {
    ASSERT_TRUE(f.sim.dataSave());
    f.sim.session.totalScore = 12;
    f.sim.session.sessionScore = 3;
    f.sim.session.redHits = 2;
    f.sim.session.roundsFired = 4;
    f.sim.init(true);
    EXPECT_EQ(f.sim.session.totalScore, 0.0f);
    EXPECT_EQ(f.sim.session.sessionScore, 0.0f);
    EXPECT_EQ(f.sim.session.redHits, 0);
    EXPECT_EQ(f.sim.session.roundsFired, 0);
    EXPECT_EQ(f.sim.captions().lblTotalScore, "Total Score: 0");
}

TEST_F(SessionTest, NonNumericScoresAndCountsAreFixedUp) {
    f.sim.settings.txtBlueScore = "lots";
    f.sim.settings.txtRedScore = "";
    f.sim.settings.txtMissScore = "x";
    f.sim.settings.txtNumberOfRounds = "many";
    f.sim.settings.txtSimMaxRange = "?";
    ASSERT_TRUE(f.sim.dataSave());
    f.sim.init(true);
    EXPECT_EQ(f.sim.settings.txtBlueScore, "-1"); // not the "-2" of a new session
    EXPECT_EQ(f.sim.settings.txtRedScore, "1");
    EXPECT_EQ(f.sim.settings.txtMissScore, "0");
    EXPECT_EQ(f.sim.settings.txtNumberOfRounds, "10");
    EXPECT_EQ(f.sim.settings.txtSimMaxRange, "1000");
    EXPECT_EQ(f.sim.session.shotPositions.size(), 11u);
}

TEST_F(SessionTest, ShortFileStopsAtTheFirstMissingNumber) {
    f.sim.settings.txtWidth = "99";
    // Records 1 and 2 only: record 3 (zoom) is missing.
    f.prompts.expected = {"CSim dataLoad: 13 - Type mismatch: record 3 of " + f.sim.sessionFile};
    readLines({"4", "gong.gif"});
    // One message naming the file and the record.
    ASSERT_EQ(f.prompts.messages.size(), 1);
    EXPECT_EQ(f.prompts.lastText(),
              "CSim dataLoad: 13 - Type mismatch: record 3 of " + f.folder.file("range3.ssn"));
    EXPECT_EQ(f.sim.settings.txtGroupSize, "4");
    EXPECT_EQ(f.sim.settings.cboTarget, "gong.gif");
    EXPECT_EQ(f.sim.settings.txtWidth, "99"); // never reached
    // The damaged file is not the session: Save has no file to write over it, and the caption
    // does not name it.
    EXPECT_TRUE(f.sim.sessionFile.isEmpty());
    EXPECT_FALSE(window.shownCaption.contains("range3.ssn")) << window.shownCaption.toStdString();
    EXPECT_TRUE(f.sim.canDraw()); // init still finishes
}

TEST_F(SessionTest, MissingTextFieldsAtTheEndBecomeEmpty) {
    // Everything up to record 24; notes, max range and the rest are missing: the notes become
    // empty, then the max range (text), then record 27 fails.
    QStringList lines{"3", "",   "1", "0",  "12", "12", "",  "50", "0", "30", "0",     "0",
                      "1", "-2", "0", "10", "0",  "",   "0", "0",  "0", "0",  "False", ""};
    f.sim.settings.txtSimNotes = "old notes";
    f.prompts.expected = {"CSim dataLoad: 13 - Type mismatch: record 27 of " + f.sim.sessionFile,
                          "CHUD init: 13 - Type mismatch"};
    readLines(lines);
    EXPECT_EQ(f.sim.settings.txtSimNotes, "");
    EXPECT_EQ(f.sim.settings.txtSimMaxRange, "");
    // The reading stops at record 27; the trajectory then cannot use the empty maximum range.
    ASSERT_EQ(f.prompts.messages.size(), 2);
    EXPECT_EQ(f.prompts.messages[0].text,
              "CSim dataLoad: 13 - Type mismatch: record 27 of " + f.folder.file("range3.ssn"));
    EXPECT_EQ(f.prompts.messages[1].text, "CHUD init: 13 - Type mismatch");
}

TEST_F(SessionTest, GarbledFilesNeverCrash) {
    const QList<QByteArray> garbage{
        QByteArray(),                                                 // empty file
        QByteArray(5000, '\xff'),                                     // one long binary line
        QByteArray("\r\n\r\n\r\n"),                                   // blank lines
        QByteArray("3\r\nx\r\n99999999\r\n"),                         // zoom out of any range
        QByteArray("3\r\nx\r\n1\r\n0\r\n1\r\n1\r\nr\r\n50\r\n9\r\n"), // sight 9
        QByteArray("1\n2\n3\n4\n5\n6\n7\n8\n1\n10\n11\n0\n"),         // bare LF lines
    };
    for (const QByteArray& bytes : garbage) {
        f.prompts.clear();
        f.prompts.answers = {PromptAnswer::Ok}; // at most one message, checked below
        f.folder.write("range3.ssn", bytes);
        f.sim.sessionFile = f.folder.file("range3.ssn");
        f.sim.init(true);
        EXPECT_TRUE(f.sim.canDraw());
        EXPECT_LE(f.prompts.messages.size(), 1);
        for (const auto& m : f.prompts.messages)
            EXPECT_TRUE(m.text.startsWith("CSim dataLoad: "));
    }
    // An out-of-range slider value from a file is clamped, not refused.
    f.prompts.clear();
    f.prompts.answers = {PromptAnswer::Ok}; // the file stops short: said once
    readLines({"3", "", "500"});
    EXPECT_EQ(f.sim.settings.sldZoom, 50);
}

TEST_F(SessionTest, MissingSessionFileChangesNothing) {
    f.sim.settings.txtGroupSize = "7";
    f.sim.sessionFile = f.folder.file("nothere.ssn");
    f.sim.init(true);
    EXPECT_EQ(f.sim.settings.txtGroupSize, "7");
    EXPECT_EQ(f.sim.sessionFile, f.folder.file("nothere.ssn"));
}

TEST_F(SessionTest, NamedLoadFileIsReadOnlyWhenItExistsAndDiffers) {
    const QString load = f.folder.write("other.qvt", "x\r\n");
    window.loadFile = load;
    ASSERT_TRUE(f.sim.dataSave());
    EXPECT_TRUE(f.sim.init(true).isEmpty()); // the current load: not reloaded

    window.loadFile = f.folder.file("current.qvt");
    EXPECT_EQ(f.sim.init(true), load); // for the caller to open once the session is in place

    // A session naming a load that has gone keeps the current load.
    window.loadFile = f.folder.file("gone.qvt");
    ASSERT_TRUE(f.sim.dataSave());
    window.loadFile = load;
    f.prompts.clear();
    f.prompts.answers = {PromptAnswer::Ok}; // "File Not Found", its text checked below
    EXPECT_TRUE(f.sim.init(true).isEmpty());
    ASSERT_EQ(f.prompts.messages.size(), 1); // "File Not Found"
    EXPECT_TRUE(f.prompts.lastText().contains("gone.qvt"));
}

TEST_F(SessionTest, CaptionNamesCartridgeAndSessionFile) {
    f.model->setFieldText(InputFields::Cartridge, "6.5 Creedmoor");
    ASSERT_TRUE(f.sim.dataSave());
    f.sim.init(true);
    EXPECT_EQ(window.shownCaption,
              "Quorvel Tables -     Load: 6.5 Creedmoor      Session: range3.ssn");
}

// "<" steps down as ">" steps up, across the tens as well.
TEST(SessionSteppingNames, TheNumberBeforeTheExtension) {
    using SessionFile::steppedName;
    EXPECT_FALSE(steppedName("/s/range1.ssn", false));
    EXPECT_EQ(steppedName("/s/range1.ssn", true), "/s/range2.ssn");
    EXPECT_EQ(steppedName("/s/range9.ssn", true), "/s/range10.ssn");
    EXPECT_EQ(steppedName("/s/range10.ssn", true), "/s/range11.ssn");
    EXPECT_EQ(steppedName("/s/range10.ssn", false), "/s/range9.ssn");
    EXPECT_EQ(steppedName("/s/range11.ssn", false), "/s/range10.ssn");
    EXPECT_EQ(steppedName("/s/range19.ssn", true), "/s/range20.ssn");
    EXPECT_EQ(steppedName("/s/range09.ssn", true), "/s/range10.ssn");
    EXPECT_EQ(steppedName("/s/range09.ssn", false), "/s/range08.ssn");
    EXPECT_EQ(steppedName("/s/range5.ssn", false), "/s/range4.ssn");
    EXPECT_FALSE(steppedName("/s/range.ssn", true));
    EXPECT_FALSE(steppedName("", true));
    EXPECT_EQ(steppedName("C:\\a.b\\day2.ssn", true), "C:\\a.b\\day3.ssn");
}

TEST_F(SessionTest, NextSessionOpensOnlyExistingFiles) {
    f.sim.sessionFile = f.folder.file("range9.ssn");
    f.sim.settings.txtGroupSize = "9";
    ASSERT_TRUE(f.sim.dataSave());
    EXPECT_FALSE(f.sim.cmdNext(1)); // range10.ssn does not exist yet
    EXPECT_EQ(f.sim.sessionFile, f.folder.file("range9.ssn"));

    f.sim.sessionFile = f.folder.file("range10.ssn");
    f.sim.settings.txtGroupSize = "10";
    ASSERT_TRUE(f.sim.dataSave());
    f.sim.sessionFile = f.folder.file("range9.ssn");
    f.sim.settings.txtGroupSize = "0";
    ASSERT_TRUE(f.sim.cmdNext(1));
    EXPECT_EQ(f.sim.sessionFile, f.folder.file("range10.ssn"));
    EXPECT_EQ(f.sim.settings.txtGroupSize, "10");
    // "<" steps back across the tens as ">" stepped up.
    ASSERT_TRUE(f.sim.cmdNext(0));
    EXPECT_EQ(f.sim.sessionFile, f.folder.file("range9.ssn"));
    EXPECT_EQ(f.sim.settings.txtGroupSize, "9");
    ASSERT_TRUE(f.sim.cmdNext(1));
    EXPECT_FALSE(f.sim.cmdNext(1)); // range11.ssn is missing
    EXPECT_EQ(f.sim.sessionFile, f.folder.file("range10.ssn"));
}

// The session as a value: written and read back with no simulator and no window.
TEST(SessionValue, RoundTripWithoutASimulator) {
    TestAppFolder folder{false};
    PromptRecorder prompts;
    SessionFile::Values values{unusualSettings(), 3, 0, -37.25f, 1.5f, "/loads/a.qvt"};
    const QString path = folder.file("value.ssn");
    ASSERT_FALSE(SessionFile::write(path, values));

    SessionFile::Values start;
    start.settings.propertiesPreLoad();
    const SessionFile::Read read = SessionFile::read(path, start);
    EXPECT_TRUE(read.report.opened);
    EXPECT_FALSE(read.report.damaged());
    EXPECT_FALSE(read.report.problem);
    EXPECT_EQ(read.report.path, path);
    // Every record comes back; record 12 carries the transparency switch, not a scale.
    EXPECT_EQ(SessionFile::records(read.values), SessionFile::records(values));
    EXPECT_EQ(read.values.sight, 3);
    EXPECT_EQ(read.values.viewOffsetX, -37.25f);
    EXPECT_EQ(read.values.loadFile, "/loads/a.qvt");
    EXPECT_TRUE(prompts.messages.isEmpty());
}

// A damaged record stops the reading there: the records before it are taken, the rest keep the
// values read over, and the report names the record and the file for the caller to show.
TEST(SessionValue, DamagedRecordIsReportedNotShown) {
    TestAppFolder folder{false};
    PromptRecorder prompts;
    const QString path = folder.write("bad.ssn", "4\r\ngong.gif\r\nlots\r\n0\r\n99\r\n");
    SessionFile::Values start;
    start.settings.propertiesPreLoad();
    start.settings.txtWidth = "12";
    const SessionFile::Read read = SessionFile::read(path, start);
    EXPECT_TRUE(read.report.opened);
    EXPECT_EQ(read.report.stoppedAt, 3);
    EXPECT_TRUE(read.report.reached(2));
    EXPECT_FALSE(read.report.reached(3));
    EXPECT_EQ(read.values.settings.txtGroupSize, "4");
    EXPECT_EQ(read.values.settings.cboTarget, "gong.gif");
    EXPECT_EQ(read.values.settings.txtWidth, "12"); // record 5 never reached
    ASSERT_TRUE(read.report.problem);
    EXPECT_TRUE(prompts.messages.isEmpty());
    read.report.problem->report();
    EXPECT_EQ(prompts.lastText(), "CSim dataLoad: 13 - Type mismatch: record 3 of " + path);

    // A missing file is no damage and no problem.
    const SessionFile::Read none = SessionFile::read(folder.file("none.ssn"), start);
    EXPECT_FALSE(none.report.opened);
    EXPECT_FALSE(none.report.problem);
    EXPECT_EQ(none.values.settings, start.settings);
}
