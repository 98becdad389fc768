// Files chosen by mistake never exhaust memory: a data file many megabytes long is refused with
// a message and the load on screen stays as it was.
#include "QuietPrompt.h"
#include "TestAppFolder.h"
#include "load/CompareFile.h"
#include "load/LoadFile.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class LargeInputTest : public ::testing::Test {
protected:
    TestAppFolder app{false};
    QuietPrompt prompts; // a message the test did not script fails it

    // A sparse file: large on paper, nothing written.
    QString largeFile(const QString& name, qint64 size) {
        QFile f(app.file(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("308 Win\r\n");
        EXPECT_TRUE(f.resize(size));
        return f.fileName();
    }
};

TEST_F(LargeInputTest, AHugeLoadFileIsRefusedAndChangesNothing) {
    const QString datFile = largeFile("movie.qvt", 2LL * 1024 * 1024 * 1024);
    LoadForm form = LoadForm::initial();
    const LoadForm before = form;
    prompts.answers = {PromptAnswer::Ok}; // the one message, its text checked below
    EXPECT_FALSE(LoadFile::dataLoad(datFile, form));
    EXPECT_TRUE(form == before);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.lastText().startsWith("CFileData openTextInput: 7 - Out of memory: "));
}

TEST_F(LargeInputTest, TheLimitLiesFarAboveAnyDataFile) {
    // Notes of a megabyte and a pasted line of tens of megabytes still load (cut to what a
    // field holds); only files far beyond that are refused, without reading them.
    static_assert(CFileData::MaxInputBytes >= 64LL * 1024 * 1024);
    CFileData::ReadReport report;
    const QStringList fields = CFileData::readFields(
        largeFile("too big.qvt", CFileData::MaxInputBytes + 1), CFileData::Limits(), report);
    EXPECT_FALSE(report.opened);
    EXPECT_TRUE(fields.isEmpty());
    // The reader says why and leaves the telling to its caller.
    ASSERT_TRUE(report.problem);
    EXPECT_EQ(report.problem->number, 7);
    EXPECT_TRUE(report.problem->text.startsWith("Out of memory: "));
}

TEST_F(LargeInputTest, AHugeComparisonFileIsRefused) {
    QString compareFile = largeFile("compare.qvt", 4LL * 1024 * 1024 * 1024);
    CInput record{};
    record.imvel = 2650;
    QList<Problem> problems; // the one message, for the graph's entry point to show
    EXPECT_FALSE(CompareFile::dataLoadCompare(record, compareFile, problems));
    EXPECT_EQ(record.imvel, 2650);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems.front().messageText().startsWith("CFileData openTextInput: 7 - "));
}

} // namespace
