// Files chosen by mistake never exhaust memory: a data file many megabytes long is refused with
// a message and the load on screen stays as it was.
#include "PromptRecorder.h"
#include "TestAppFolder.h"
#include "load/CompareFile.h"
#include "load/LoadFile.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class LargeInputTest : public ::testing::Test {
protected:
    TestAppFolder app{false};
    PromptRecorder prompts;

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
    CFileData dat;
    dat.filename = largeFile("movie.qvt", 2LL * 1024 * 1024 * 1024);
    LoadForm form = LoadForm::initial();
    const LoadForm before = form;
    EXPECT_FALSE(LoadFile::dataLoad(dat, form));
    EXPECT_TRUE(form == before);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.lastText().startsWith("CFileData openTextInput: 7 - Out of memory: "));
    EXPECT_TRUE(dat.atEnd(LoadFile::FileNumber)); // nothing left open
}

TEST_F(LargeInputTest, TheLimitLiesFarAboveAnyDataFile) {
    // Notes of a megabyte and a pasted line of tens of megabytes still load (cut to what a
    // field holds); only files far beyond that are refused, without reading them.
    static_assert(CFileData::MaxInputBytes >= 64LL * 1024 * 1024);
    CFileData dat;
    dat.filename = largeFile("too big.qvt", CFileData::MaxInputBytes + 1);
    EXPECT_FALSE(dat.openTextInput(1));
    EXPECT_EQ(prompts.messages.size(), 1);
}

TEST_F(LargeInputTest, AHugeComparisonFileIsRefused) {
    QString compareFile = largeFile("compare.qvt", 4LL * 1024 * 1024 * 1024);
    CFileData dat;
    CInput record{};
    record.imvel = 2650;
    EXPECT_FALSE(CompareFile::dataLoadCompare(dat, record, compareFile));
    EXPECT_EQ(record.imvel, 2650);
    EXPECT_EQ(prompts.messages.size(), 1);
}

} // namespace
