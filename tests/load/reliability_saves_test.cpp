// Saves that cannot lose data: a load data file or the last-file record is replaced only when the
// new text is completely on disk. A full disk, a missing folder or a folder in the file's place
// leaves the previous file byte for byte and reaches the user as one message.
#include "PromptRecorder.h"
#include "TestAppFolder.h"
#include "load/LoadFile.h"
#include "services/CLastFile.h"

#include "FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class SaveTest : public ::testing::Test {
protected:
    TestAppFolder app{false};
    PromptRecorder prompts;
    QString datFile;
    LoadForm form = LoadForm::initial();
    const QByteArray oldBytes = "old load\r\n150\r\n";

    void SetUp() override {
        form.notes = QString(2000, 'n'); // well beyond the limit below
        app.write("308.qvt", oldBytes);
        datFile = app.file("308.qvt");
    }

    QStringList entries() const {
        return QDir(app.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
};

TEST_F(SaveTest, AFullDiskKeepsThePreviousFileAndSaysSo) {
    {
        FileSizeLimit limit(512);
        EXPECT_FALSE(LoadFile::dataSaveTable(datFile, form));
    }
    EXPECT_EQ(app.read("308.qvt"), oldBytes);
    EXPECT_EQ(entries(), QStringList{"308.qvt"}); // the partial temporary file is gone
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.lastText().startsWith("CFileData closeText: 57 - Device I/O error: "))
        << prompts.lastText().toStdString();

    // Space again: the same save goes through and replaces the file whole.
    prompts.clear();
    EXPECT_TRUE(LoadFile::dataSaveTable(datFile, form));
    EXPECT_TRUE(prompts.messages.isEmpty());
    LoadForm back = LoadForm::initial();
    ASSERT_TRUE(LoadFile::dataLoad(datFile, back));
    EXPECT_EQ(back.notes, form.notes);
}

TEST_F(SaveTest, AMissingFolderIsReportedAndNothingIsCreated) {
    datFile = app.file("gone/308.qvt");
    EXPECT_FALSE(LoadFile::dataSaveTable(datFile, form));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.lastText().startsWith("CFileData openTextOutput: 75 - "));
    EXPECT_FALSE(QFileInfo::exists(app.file("gone")));
}

TEST_F(SaveTest, AFolderInPlaceOfTheFileStaysAFolder) {
    QDir().mkpath(app.file("folder.qvt"));
    app.write("folder.qvt/inside.txt", "kept");
    datFile = app.file("folder.qvt");
    EXPECT_FALSE(LoadFile::dataSaveTable(datFile, form));
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(QFileInfo(app.file("folder.qvt")).isDir());
    EXPECT_EQ(app.read("folder.qvt/inside.txt"), QByteArray("kept"));
}

TEST_F(SaveTest, AReadOnlyFolderKeepsThePreviousFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root: permission bits do not stop root's writes (the full "
                        "disk and missing folder cases cover the failure path)";
    QFile::setPermissions(app.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(LoadFile::dataSaveTable(datFile, form));
    QFile::setPermissions(app.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(app.read("308.qvt"), oldBytes);
    EXPECT_EQ(prompts.messages.size(), 1);
}

TEST_F(SaveTest, TheUnsavedChangesComparisonSeesTheSameBytes) {
    ASSERT_TRUE(LoadFile::dataSaveTable(datFile, form));
    const QString saved = datFile;
    datFile = app.file("temp.tmp");
    ASSERT_TRUE(LoadFile::dataSaveTable(datFile, form));
    EXPECT_TRUE(CFileDiff().isSame(saved, datFile));
    form.fields[1] = "151";
    ASSERT_TRUE(LoadFile::dataSaveTable(datFile, form));
    EXPECT_FALSE(CFileDiff().isSame(saved, datFile));
    EXPECT_EQ(entries(), (QStringList{"308.qvt", "temp.tmp"}));
}

TEST_F(SaveTest, ASavedFileKeepsItsPermissions) {
    QFile::setPermissions(datFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const auto before = QFileInfo(datFile).permissions();
    ASSERT_TRUE(LoadFile::dataSaveTable(datFile, form));
    EXPECT_EQ(QFileInfo(datFile).permissions(), before);
}

TEST_F(SaveTest, TheLastFileRecordSurvivesAFullDisk) {
    const QByteArray record = "/loads/a.qvt\r\n/range1.ssn\r\n255\r\n0\r\n";
    app.write("lastfile.dat", record);
    CLastFile last;
    last.dataFileName = QString(4000, 'p');
    std::optional<Problem> problem;
    {
        FileSizeLimit limit(256);
        problem = last.save();
    }
    EXPECT_EQ(app.read("lastfile.dat"), record);
    ASSERT_TRUE(problem);
    EXPECT_TRUE(problem->messageText().startsWith("CFileData closeText: 57 - "));
    CLastFile back;
    back.load();
    EXPECT_EQ(back.dataFileName, "/loads/a.qvt");
    EXPECT_EQ(back.targetRed, 255);
}

TEST_F(SaveTest, WritingToADeviceGoesStraightToIt) {
    // A device cannot be replaced by renaming: /dev/null is written in place and stays a device.
    if (!QFileInfo::exists("/dev/null")) GTEST_SKIP() << "no /dev/null";
    datFile = "/dev/null";
    EXPECT_TRUE(LoadFile::dataSaveTable(datFile, form));
    EXPECT_FALSE(QFileInfo("/dev/null").isFile());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

} // namespace
