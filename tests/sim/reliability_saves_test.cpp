// A session save that fails half way (a full disk) or cannot start (a missing folder) keeps the
// previous session file byte for byte, says so once, and returns false to the window.
#include "sim_test_support.h"

#include "FileSizeLimit.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

struct SessionSaveTest : ::testing::Test {
    SimFixture f{200};
    const QByteArray oldBytes = "old session\r\n";

    void SetUp() override {
        f.sim.setUp();
        f.sim.sessionFile = f.folder.write("range1.ssn", oldBytes);
        f.sim.settings.txtSimNotes = QString(3000, 'n');
    }
};

} // namespace

TEST_F(SessionSaveTest, AFullDiskKeepsThePreviousSession) {
    {
        FileSizeLimit limit(400);
        f.prompts.answers = {PromptAnswer::Ok}; // the one message, its text checked below
        EXPECT_FALSE(f.sim.dataSave());
    }
    EXPECT_EQ(f.folder.read("range1.ssn"), oldBytes);
    ASSERT_EQ(f.prompts.messages.size(), 1);
    EXPECT_TRUE(f.prompts.lastText().startsWith("CFileData closeText: 57 - "));
    const QStringList left = QDir(f.folder.path()).entryList({"range1.ssn*"}, QDir::Files);
    EXPECT_EQ(left, QStringList{"range1.ssn"});

    f.prompts.clear();
    EXPECT_TRUE(f.sim.dataSave());
    EXPECT_GT(QFileInfo(f.sim.sessionFile).size(), 3000);
}

TEST_F(SessionSaveTest, AMissingFolderIsReported) {
    f.sim.sessionFile = f.folder.file("no folder/range1.ssn");
    f.prompts.answers = {PromptAnswer::Ok}; // the one message, its text checked below
    EXPECT_FALSE(f.sim.dataSave());
    ASSERT_EQ(f.prompts.messages.size(), 1);
    EXPECT_TRUE(f.prompts.lastText().startsWith("CFileData openTextOutput: 75 - "));
}
