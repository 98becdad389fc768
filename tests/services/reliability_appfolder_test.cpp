// The program's own files when its folder cannot be written: "temp.tmp", "lastfile.dat" and the
// generated masks go to the per-user data folder, and the readers find them there.
#include "PromptRecorder.h"
#include "TestAppFolder.h"
#include "UserDataHome.h"
#include "load/GraphModel.h"
#include "services/AppFolders.h"
#include "services/CLastFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

namespace MS = MSmallBallStruct;

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

const QString unwritableFolder = UserDataHome::unwritableAppFolder();

class AppFolderTest : public ::testing::Test {
protected:
    UserDataHome user;
    PromptRecorder prompts;
};

TEST_F(AppFolderTest, UserFolderFollowsXdgDataHome) {
    EXPECT_EQ(MS::userFolder() + "/x", user.quorvel("x"));
}

TEST_F(AppFolderTest, AWritableApplicationFolderKeepsEverything) {
    TestAppFolder app(false);
    for (const QString& name : {QStringLiteral("temp.tmp"), QStringLiteral("lastfile.dat"),
                                QStringLiteral("targetb/a b.bmp"), QStringLiteral("sightb/x")})
        EXPECT_EQ(MS::writablePath(name), app.file(name)) << name.toStdString();
    // Nothing is created by asking, and no probe file is left behind.
    EXPECT_FALSE(QFileInfo::exists(app.file("targetb")));
    EXPECT_TRUE(QDir(app.path())
                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                    .isEmpty());
    EXPECT_FALSE(QFileInfo::exists(user.quorvel("")));
}

TEST_F(AppFolderTest, AnUnwritableApplicationFolderSendsWritesToTheUserFolder) {
    MS::setAppFolder(unwritableFolder);
    EXPECT_EQ(MS::writablePath("temp.tmp"), user.quorvel("temp.tmp"));
    EXPECT_EQ(MS::writablePath("targetb/t.bmp"), user.quorvel("targetb/t.bmp"));
    EXPECT_TRUE(QFileInfo(user.quorvel("targetb")).isDir()); // made for the writer
    MS::setAppFolder(QString());
}

TEST_F(AppFolderTest, APlainFileInPlaceOfAFolderSendsThatFolderToTheUserFolder) {
    TestAppFolder app(false);
    app.write("targetb", "not a folder");
    EXPECT_EQ(MS::writablePath("targetb/t.bmp"), user.quorvel("targetb/t.bmp"));
    EXPECT_EQ(MS::writablePath("sightb/t.bmp"), app.file("sightb/t.bmp"));
    EXPECT_EQ(MS::writablePath("temp.tmp"), app.file("temp.tmp"));
}

TEST_F(AppFolderTest, ReadersFindTheCopyWhereTheWriterPutsItFirst) {
    TestAppFolder app(false);
    // Only an older copy in the user folder (left by a run with a read-only folder): found.
    writeBytes(user.quorvel("lastfile.dat"), "user\r\n");
    EXPECT_EQ(MS::dataPath("lastfile.dat"), user.quorvel("lastfile.dat"));
    // Once the application folder has its own, written last, that one counts.
    app.write("lastfile.dat", "app\r\n");
    EXPECT_EQ(MS::dataPath("lastfile.dat"), app.file("lastfile.dat"));
    // Neither: where the writer will put it.
    EXPECT_EQ(MS::dataPath("sightb/none.bmp"), app.file("sightb/none.bmp"));
}

TEST_F(AppFolderTest, AnInstalledCopyWritesNothingIntoItsFolderEvenWhenItCould) {
    TestAppFolder app(false); // writable, as the installed application folder is for root
    app.write(MS::installedMarker, "installed\n");
    app.write("lastfile.dat", "/loads/installed.qvt\r\n\r\n0\r\n0\r\n");
    for (const QString& name : {QStringLiteral("temp.tmp"), QStringLiteral("lastfile.dat"),
                                QStringLiteral("targetb/a.bmp")})
        EXPECT_EQ(MS::writablePath(name), user.quorvel(name)) << name.toStdString();
    // Files installed with the program are read until the user has a copy of their own.
    EXPECT_EQ(MS::dataPath("lastfile.dat"), app.file("lastfile.dat"));
    CLastFile record;
    record.load();
    record.save();
    EXPECT_EQ(MS::dataPath("lastfile.dat"), user.quorvel("lastfile.dat"));
    EXPECT_EQ(QDir(app.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({QString::fromLatin1(MS::installedMarker), "lastfile.dat"}));
}

TEST_F(AppFolderTest, AnInstalledCopyKeepsTheUsersLoadsInTheUserFolder) {
    TestAppFolder app(false);
    EXPECT_EQ(MS::documentFolder(), app.path());
    app.write(MS::installedMarker, "installed\n");
    const QString folder = QFileInfo(user.quorvel("x")).path();
    EXPECT_EQ(MS::documentFolder(), folder);
    EXPECT_TRUE(QFileInfo(folder).isDir()); // the dialogs can start there at once
    writeBytes(user.quorvel("mine.qvt"), "x\r\n");
    EXPECT_EQ(GraphModel::compareFileFor("mine.qvt"), user.quorvel("mine.qvt"));
    EXPECT_EQ(GraphModel::compareFileFor("other.qvt"), QString());
}

TEST_F(AppFolderTest, DialogsStartBesideTheDocumentElseInTheUsersOwnFolders) {
    TestAppFolder app(false);
    app.write(MS::installedMarker, "installed\n");
    QTemporaryDir loads;
    const QString load = loads.filePath("308.qvt");
    EXPECT_EQ(MS::dialogFolder(load), loads.path());
    // No document, or one named without a folder: never the program's own folder.
    for (const QString& document : {QString(), QStringLiteral("308.qvt")}) {
        const QString start = MS::dialogFolder(document);
        EXPECT_NE(start, app.path());
        EXPECT_TRUE(QFileInfo(start).isDir()) << start.toStdString();
    }
}

TEST_F(AppFolderTest, TheLastFileRecordRoundTripsThroughTheUserFolder) {
    MS::setAppFolder(unwritableFolder);
    CLastFile out;
    out.dataFileName = "/home/shooter/loads/308 Win.qvt";
    out.simFileName = QString::fromUtf8("/home/shooter/Schießstand/range3.ssn");
    out.targetRed = 255;
    out.targetBlue = 16711680;
    const std::optional<Problem> problem = out.save();
    EXPECT_FALSE(problem) << problem->messageText().toStdString();
    EXPECT_TRUE(QFileInfo::exists(user.quorvel("lastfile.dat")));
    EXPECT_EQ(CLastFile::path(), user.quorvel("lastfile.dat"));

    CLastFile in;
    in.load();
    EXPECT_EQ(in.dataFileName, out.dataFileName);
    EXPECT_EQ(in.simFileName, out.simFileName);
    EXPECT_EQ(in.targetRed, 255);
    EXPECT_EQ(in.targetBlue, 16711680);
    MS::setAppFolder(QString());
}

TEST_F(AppFolderTest, APermissionProtectedFolderCountsAsReadOnly) {
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root: permission bits do not stop root's writes, so a 0555 "
                        "folder is writable here (the /proc and plain-file cases cover the rule)";
    TestAppFolder app(false);
    app.write("lastfile.dat", "/loads/installed.qvt\r\n\r\n0\r\n0\r\n");
    QFile::setPermissions(app.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                          QFileDevice::ReadGroup | QFileDevice::ExeGroup);
    EXPECT_EQ(MS::writablePath("temp.tmp"), user.quorvel("temp.tmp"));
    // The installed record is still read until the user's own exists.
    CLastFile record;
    record.load();
    EXPECT_EQ(record.dataFileName, "/loads/installed.qvt");
    record.save();
    EXPECT_TRUE(QFileInfo::exists(user.quorvel("lastfile.dat")));
    EXPECT_EQ(bytesOf(app.file("lastfile.dat")),
              QByteArray("/loads/installed.qvt\r\n\r\n0\r\n0\r\n"));
    QFile::setPermissions(app.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace
