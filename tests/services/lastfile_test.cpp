#include "QuietPrompt.h"
#include "TestAppFolder.h"
#include "UserDataHome.h"
#include "services/CLastFile.h"

#include <gtest/gtest.h>

namespace {

class LastFileTest : public ::testing::Test {
protected:
    UserDataHome user; // a record left by the user's own runs is not read
    TestAppFolder app{false};
    QuietPrompt recorder;
};

TEST_F(LastFileTest, RoundTripThroughTheApplicationFolder) {
    CLastFile out;
    out.dataFileName = QStringLiteral("/home/me/loads/308 win, 168gr.qvt");
    out.simFileName = QStringLiteral("/home/me/range.ssn");
    out.targetRed = 255;
    out.targetBlue = 16711680;
    EXPECT_FALSE(out.save());

    EXPECT_EQ(CLastFile::path(), app.file(QStringLiteral("lastfile.dat")));
    EXPECT_EQ(app.read(QStringLiteral("lastfile.dat")),
              QByteArray("/home/me/loads/308 win|~ 168gr.qvt\r\n/home/me/range.ssn\r\n255\r\n"
                         "16711680\r\n"));

    CLastFile in;
    EXPECT_TRUE(in.load().isEmpty());
    EXPECT_EQ(in.dataFileName, out.dataFileName);
    EXPECT_EQ(in.simFileName, out.simFileName);
    EXPECT_EQ(in.targetRed, 255);
    EXPECT_EQ(in.targetBlue, 16711680);
}

TEST_F(LastFileTest, MissingFileKeepsDefaultsSilently) {
    CLastFile in;
    EXPECT_TRUE(in.load().isEmpty());
    EXPECT_TRUE(in.dataFileName.isEmpty());
    EXPECT_TRUE(in.simFileName.isEmpty());
    EXPECT_EQ(in.targetRed, 0);
    EXPECT_EQ(in.targetBlue, 0);
}

TEST_F(LastFileTest, NonNumericRedIsATypeMismatchAndLaterFieldsKeepDefaults) {
    app.write(QStringLiteral("lastfile.dat"), "/a.qvt\r\n/b.ssn\r\nred\r\n42\r\n");
    CLastFile in;
    in.targetBlue = 7;
    const QList<Problem> problems = in.load();
    EXPECT_EQ(in.dataFileName, QStringLiteral("/a.qvt"));
    EXPECT_EQ(in.simFileName, QStringLiteral("/b.ssn"));
    EXPECT_EQ(in.targetRed, 0);
    EXPECT_EQ(in.targetBlue, 7);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_EQ(problems.front().messageText(), QStringLiteral("CLastFile load: 13 - Type mismatch"));
}

TEST_F(LastFileTest, NonNumericBlueKeepsOnlyBlueAtItsDefault) {
    app.write(QStringLiteral("lastfile.dat"), "/a.qvt\r\n/b.ssn\r\n255\r\n\r\n");
    CLastFile in;
    const QList<Problem> problems = in.load();
    EXPECT_EQ(in.targetRed, 255);
    EXPECT_EQ(in.targetBlue, 0);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_EQ(problems.back().messageText(), QStringLiteral("CLastFile load: 13 - Type mismatch"));
}

TEST_F(LastFileTest, ShortRecordKeepsTheMissingFieldsSilently) {
    app.write(QStringLiteral("lastfile.dat"), "/a.qvt\r\n");
    CLastFile in;
    EXPECT_TRUE(in.load().isEmpty());
    EXPECT_EQ(in.dataFileName, QStringLiteral("/a.qvt"));
    EXPECT_TRUE(in.simFileName.isEmpty());
    EXPECT_EQ(in.targetRed, 0);
}

TEST_F(LastFileTest, ColourBeyondThirtyTwoBitsIsReportedNotWrapped) {
    app.write(QStringLiteral("lastfile.dat"), "/a.qvt\r\n/b.ssn\r\n99999999999\r\n5\r\n");
    CLastFile in;
    const QList<Problem> problems = in.load();
    EXPECT_EQ(in.targetRed, 0);
    EXPECT_EQ(in.targetBlue, 0);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_EQ(problems.back().messageText(), QStringLiteral("CLastFile load: 6 - Overflow"));
}

TEST_F(LastFileTest, SavingReplacesTheWholeRecord) {
    app.write(QStringLiteral("lastfile.dat"), "old\r\nold\r\n1\r\n2\r\nextra\r\n");
    CLastFile out;
    EXPECT_FALSE(out.save());
    EXPECT_EQ(app.read(QStringLiteral("lastfile.dat")), QByteArray("\r\n\r\n0\r\n0\r\n"));
}

} // namespace
