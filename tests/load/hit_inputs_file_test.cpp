// Fields 46 to 53 (the hit probability's target, group and spreads): written only for a load that
// has them, read back as written; a file without them reads the defaults and saves as before.
#include "load/LoadFile.h"

#include "PromptRecorder.h"
#include "TestAppFolder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray readBytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class HitInputsFileTest : public ::testing::Test {
protected:
    PromptRecorder prompts;
    TestAppFolder folder;
    QString golden(const char* name) const { return TestAppFolder::dataDir() + '/' + name; }

    static HitInputs someInputs() {
        HitInputs in;
        in.targetWidthIn = 12.5;
        in.targetHeightIn = 18;
        in.circleDiameterIn = 0;
        in.groupMoa = 0.75;
        in.velocitySdFps = 8.3;
        in.bcSdPct = 1.5;
        in.rangeSd = 7;
        in.windSdMph = 1.25;
        return in;
    }
};

TEST_F(HitInputsFileTest, AFileWithoutThemReadsNoneAndSavesByteForByte) {
    for (const char* name : {"308win.qvt", "308win-precision.qvt"}) {
        LoadForm form = LoadForm::initial();
        form.hit = someInputs(); // whatever the window held before is not kept
        ASSERT_TRUE(LoadFile::read(golden(name), form).whole()) << name;
        EXPECT_FALSE(form.hit.has_value()) << name;
        EXPECT_EQ(LoadFile::bytesOf(form), readBytes(golden(name))) << name;
    }
}

TEST_F(HitInputsFileTest, TheyFollowThePrecisionFieldsAndReadBack) {
    for (const char* name : {"308win.qvt", "308win-precision.qvt"}) {
        LoadForm form = LoadForm::initial();
        ASSERT_TRUE(LoadFile::read(golden(name), form).whole());
        const QByteArray plain = readBytes(golden(name));
        form.hit = someInputs();
        ASSERT_TRUE(LoadFile::dataSaveTable(folder.file("hit.qvt"), form));
        const QByteArray bytes = readBytes(folder.file("hit.qvt"));
        EXPECT_TRUE(bytes.startsWith(plain)) << name;
        EXPECT_EQ(bytes.count("\r\n"), 53) << name;
        EXPECT_TRUE(bytes.endsWith("12.5\r\n18\r\n0\r\n0.75\r\n8.3\r\n1.5\r\n7\r\n1.25\r\n"))
            << name;

        LoadForm back = LoadForm::initial();
        ASSERT_TRUE(LoadFile::read(folder.file("hit.qvt"), back).whole()) << name;
        ASSERT_TRUE(back.hit.has_value());
        EXPECT_EQ(*back.hit, someInputs());
        EXPECT_EQ(back.fields, form.fields);
        EXPECT_EQ(LoadFile::bytesOf(back), bytes) << name;
    }
}

TEST_F(HitInputsFileTest, ACircleAndTheDefaultsReadBackExactly) {
    LoadForm form = LoadForm::initial();
    ASSERT_TRUE(LoadFile::read(golden("308win.qvt"), form).whole());
    HitInputs circle;
    circle.circleDiameterIn = 0.1 + 0.2; // no short decimal: the text must still read back
    for (const HitInputs& in : {HitInputs(), circle}) {
        form.hit = in;
        ASSERT_TRUE(LoadFile::dataSaveTable(folder.file("c.qvt"), form));
        LoadForm back = LoadForm::initial();
        ASSERT_TRUE(LoadFile::read(folder.file("c.qvt"), back).whole());
        ASSERT_TRUE(back.hit.has_value());
        EXPECT_EQ(*back.hit, in);
    }
}

TEST_F(HitInputsFileTest, AReaderThatKnowsFewerFieldsStillReadsTheLoad) {
    // What an older reader sees: the first 45 fields, the rest not split.
    LoadForm form = LoadForm::initial();
    ASSERT_TRUE(LoadFile::read(golden("308win-precision.qvt"), form).whole());
    form.hit = someInputs();
    form.precision.cantDeg = "3";
    const QByteArray bytes = LoadFile::bytesOf(form);
    CFileData::Limits older;
    older.multilineFields = {32};
    older.mostFields = 45;
    writeBytes(folder.file("new.qvt"), bytes);
    CFileData::ReadReport report;
    const QStringList fields = CFileData::readFields(folder.file("new.qvt"), older, report);
    ASSERT_EQ(fields.size(), 45);
    EXPECT_EQ(fields[42], "3");
    EXPECT_EQ(fields[44], ""); // the wind zones, not the first hit field
}

TEST_F(HitInputsFileTest, AFileCutShortOrWithAWordAmongThemSaysWhere) {
    const QByteArray plain =
        readBytes(golden("308win-precision.qvt")) + "Station\r\n0\r\nFalse\r\n\r\n";
    writeBytes(folder.file("cut.qvt"), plain + "10\r\n10\r\n0\r\n");
    LoadForm form = LoadForm::initial();
    LoadFile::ReadReport report = LoadFile::read(folder.file("cut.qvt"), form);
    EXPECT_EQ(report.stoppedAt, 49);
    EXPECT_TRUE(LoadFile::damageMessage("cut.qvt", report, form).contains("of 53"));

    writeBytes(folder.file("bad.qvt"), plain + "10\r\n10\r\n0\r\n1\r\nten\r\n2\r\n0\r\n2\r\n");
    report = LoadFile::read(folder.file("bad.qvt"), form);
    EXPECT_EQ(report.stoppedAt, 50);
    writeBytes(folder.file("neg.qvt"), plain + "10\r\n-10\r\n0\r\n1\r\n10\r\n2\r\n0\r\n2\r\n");
    EXPECT_EQ(LoadFile::read(folder.file("neg.qvt"), form).stoppedAt, 47);
    writeBytes(folder.file("ok.qvt"), plain + "10\r\n10\r\n0\r\n1\r\n10\r\n2\r\n0\r\n2\r\n");
    EXPECT_TRUE(LoadFile::read(folder.file("ok.qvt"), form).whole());
}

} // namespace
