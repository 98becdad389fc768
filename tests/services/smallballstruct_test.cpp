#include "services/AppFolders.h"
#include "services/FieldChecks.h"
#include "services/Problem.h"

#include "PromptRecorder.h"
#include "TestAppFolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace MSmallBallStruct;

TEST(MSmallBallStruct, FailureReportTextFormat) {
    PromptRecorder recorder;
    Problems::report(Problem::failure("CSmallBall", "allocMem", 53, "text"));
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_EQ(recorder.lastText(), "CSmallBall allocMem: 53 - text");
    EXPECT_EQ(recorder.lastTitle(), "");
    EXPECT_EQ(recorder.messages.back().buttons, PromptButtons::Ok);
    EXPECT_EQ(recorder.messages.back().icon, PromptIcon::None);
    Problems::report(Problem::failure("frmOptions", "cmdOK_Click", -5, ""));
    EXPECT_EQ(recorder.lastText(), "frmOptions cmdOK_Click: -5 - ");
    // A message keeps its title and icon on the way to the prompt (the leak report warns).
    Problems::report(Problem::message("3", "Memory Leak", PromptIcon::Exclamation));
    EXPECT_EQ(recorder.lastTitle(), "Memory Leak");
    EXPECT_EQ(recorder.messages.back().icon, PromptIcon::Exclamation);
}

TEST(MSmallBallStruct, FileExistsFindsAppFolderCopyAndRewritesPath) {
    TestAppFolder app(false);
    QTemporaryDir elsewhere;
    app.write("308 win.qvt", "x");
    QString path = elsewhere.path() + "/308 win.qvt";
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(path, app.file("308 win.qvt"));

    // A path written on another desktop, with backslashes, still finds the copy.
    QString windowsPath = "C:\\loads\\308 win.qvt";
    EXPECT_TRUE(FileExists(windowsPath));
    EXPECT_EQ(windowsPath, app.file("308 win.qvt"));

    QString missing = elsewhere.path() + "/none.qvt";
    const QString before = missing;
    EXPECT_FALSE(FileExists(missing));
    EXPECT_EQ(missing, before);
}

TEST(MSmallBallStruct, FileExistsPrefersThePathItself) {
    TestAppFolder app(false);
    QTemporaryDir elsewhere;
    app.write("a.qvt", "app");
    const QString own = elsewhere.path() + "/a.qvt";
    QFile f(own);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    QString path = own;
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(path, own);
}

TEST(MSmallBallStruct, FileExistsRejectsEmptyAndFolderPaths) {
    TestAppFolder app(false);
    QString empty;
    EXPECT_FALSE(FileExists(empty));
    QString folder = app.path() + "/";
    EXPECT_FALSE(FileExists(folder));
    QString backslashFolder = "C:\\loads\\";
    EXPECT_FALSE(FileExists(backslashFolder));
    EXPECT_EQ(backslashFolder, "C:\\loads\\");
    QString folderWithoutSeparator = app.path(); // a folder is not a file
    EXPECT_FALSE(FileExists(folderWithoutSeparator));
}

TEST(MSmallBallStruct, FillComboBoxMatchesPatternsIgnoringCaseAndAppends) {
    QTemporaryDir dir;
    for (const char* name : {"b.JPG", "a.jpeg", "c.gif", "d.Bmp", "e.png", "f.txt", "g.jpg.bak"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QDir(dir.path()).mkdir("sub.jpg");
    QStringList list{"keep"};
    fillComboBox(list, "*.jpg;*.jpeg;*.gif;*.bmp", dir.path());
    EXPECT_EQ(list, (QStringList{"keep", "a.jpeg", "b.JPG", "c.gif", "d.Bmp"}));
    fillComboBox(list, "*.png", dir.path());
    EXPECT_EQ(list.back(), "e.png");
    fillComboBox(list, "*.jpg", dir.path() + "/missing");
    EXPECT_EQ(list.size(), 6);
}

TEST(MSmallBallStruct, ShortFilenameAcceptsBothSeparators) {
    EXPECT_EQ(shortFilename("C:\\loads\\308 win.qvt"), "308 win.qvt");
    EXPECT_EQ(shortFilename("/home/u/loads/308 win.qvt"), "308 win.qvt");
    EXPECT_EQ(shortFilename("readme"), "readme");
    EXPECT_EQ(shortFilename("C:\\loads\\"), "");
    EXPECT_EQ(shortFilename(""), "");
}

TEST(MSmallBallStruct, TextValidateBoundsAreInclusive) {
    const QString tip = "Muzzle velocity must be between 300 and 4500 ft/s";
    Verdict v = textValidate(300, 4500, "4500", tip);
    EXPECT_FALSE(v.reject);
    EXPECT_TRUE(v.message.isEmpty());
    EXPECT_FALSE(textValidate(300, 4500, "300", tip).reject);

    v = textValidate(300, 4500, "4500.5", tip);
    EXPECT_TRUE(v.reject);
    EXPECT_EQ(v.message, tip);
    EXPECT_EQ(v.title, "Number out of Range");
    EXPECT_TRUE(textValidate(300, 4500, "299.9", tip).reject);

    // Not a number: rejected without a message of its own.
    v = textValidate(300, 4500, "fast", tip);
    EXPECT_TRUE(v.reject);
    EXPECT_TRUE(v.title.isEmpty());
    EXPECT_TRUE(v.message.isEmpty());
    EXPECT_TRUE(textValidate(300, 4500, "", tip).reject);
}

TEST(MSmallBallStruct, TextValidateComparesInSinglePrecision) {
    // The typed 0.1 and 0.3 lie just below their single-precision bounds when compared as
    // doubles; as singles they are equal to them.
    EXPECT_FALSE(textValidate(0.1f, 0.2f, "0.1", "tip").reject);
    EXPECT_FALSE(textValidate(0.3f, 1.0f, "0.3", "tip").reject);
    EXPECT_TRUE(textValidate(0.0f, 1.0f, "1e39", "tip").reject);
}

TEST(MSmallBallStruct, TextValidateAndWarnShowsTheTooltip) {
    PromptRecorder recorder;
    const QString tip = "Between 300 and 4500";
    EXPECT_FALSE(textValidateAndWarn(300, 4500, "4500", tip));
    EXPECT_TRUE(recorder.messages.isEmpty());
    EXPECT_TRUE(textValidateAndWarn(300, 4500, "4500.5", tip));
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_EQ(recorder.lastText(), tip);
    EXPECT_EQ(recorder.lastTitle(), "Number out of Range");
    EXPECT_TRUE(textValidateAndWarn(300, 4500, "abc", tip));
    EXPECT_EQ(recorder.messages.size(), 1);
}

TEST(MSmallBallStruct, EvenAndNonZero) {
    EXPECT_TRUE(isEven(0));
    EXPECT_TRUE(isEven(-4));
    EXPECT_FALSE(isEven(7));
    EXPECT_FALSE(isEven(-3));
    EXPECT_FALSE(isNonZero(0.0001f));
    EXPECT_FALSE(isNonZero(-0.0001f));
    EXPECT_FALSE(isNonZero(0.0f));
    EXPECT_TRUE(isNonZero(0.00011f));
    EXPECT_TRUE(isNonZero(-0.00011f));
    EXPECT_TRUE(isNonZero(-5.0f));
}

TEST(MSmallBallStruct, AppFolderOverride) {
    {
        TestAppFolder app(false);
        EXPECT_EQ(appFolder(), app.path());
        EXPECT_EQ(appPath("lastfile.dat"), app.path() + "/lastfile.dat");
    }
    setAppFolder("/tmp/some/../quorvel");
    EXPECT_EQ(appFolder(), "/tmp/quorvel");
    setAppFolder(QString());
    EXPECT_FALSE(appFolder().isEmpty());
}

} // namespace
