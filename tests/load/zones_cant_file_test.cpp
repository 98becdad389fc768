// Fields 42 to 45 (pressure reference, cant, aerodynamic jump, wind zones): written only when one
// differs from its default, read back as written, checked before a table is computed.
#include "load/LoadCheck.h"
#include "load/LoadFile.h"
#include "load/ZonesCantJump.h"

#include "PromptRecorder.h"
#include "TestAppFolder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray readBytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ZonesCantFileTest : public ::testing::Test {
protected:
    PromptRecorder prompts;
    TestAppFolder folder;
    LoadFile::ReadReport read(const QString& file, LoadForm& form) {
        return LoadFile::read(file, form);
    }
    bool save(const QString& file, const LoadForm& form) {
        return LoadFile::dataSaveTable(file, form);
    }
    QString golden() const { return TestAppFolder::dataDir() + "/308win-precision.qvt"; }
};

TEST_F(ZonesCantFileTest, AFileWithoutThemSavesByteForByte) {
    LoadForm form = LoadForm::initial();
    ASSERT_TRUE(read(golden(), form).whole());
    EXPECT_FALSE(form.precision.hasLaterFields());
    ASSERT_TRUE(save(folder.file("copy.qvt"), form));
    EXPECT_EQ(readBytes(folder.file("copy.qvt")), readBytes(golden()));
}

TEST_F(ZonesCantFileTest, AnyOneOfThemWritesAllFourAndTheyReadBack) {
    LoadForm base = LoadForm::initial();
    ASSERT_TRUE(read(golden(), base).whole());
    const QByteArray plain = readBytes(golden());
    for (int which = 0; which < 3; ++which) {
        LoadForm form = base;
        if (which == 0) form.precision.cantDeg = "-7.5";
        if (which == 1) form.precision.aerodynamicJump = true;
        if (which == 2) form.precision.windZones = "300 5 90; 700 10 60; 1000 12 45";
        ASSERT_TRUE(save(folder.file("later.qvt"), form));
        const QByteArray bytes = readBytes(folder.file("later.qvt"));
        EXPECT_TRUE(bytes.startsWith(plain));
        EXPECT_EQ(bytes.mid(plain.size()).count("\r\n"), 4) << which;
        LoadForm back = LoadForm::initial();
        ASSERT_TRUE(read(folder.file("later.qvt"), back).whole());
        EXPECT_EQ(back.precision, form.precision);
        ASSERT_TRUE(save(folder.file("again.qvt"), back));
        EXPECT_EQ(readBytes(folder.file("again.qvt")), bytes);
    }
}

TEST_F(ZonesCantFileTest, AFileCutShortAmongThemOrWithABadJumpSaysWhere) {
    QFile out(folder.file("cut.qvt"));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(readBytes(golden()) + "Station\r\n5\r\n");
    out.close();
    LoadForm form = LoadForm::initial();
    EXPECT_EQ(read(folder.file("cut.qvt"), form).stoppedAt, 44);

    QFile bad(folder.file("bad.qvt"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(readBytes(golden()) + "Station\r\n0\r\nMaybe\r\n\r\n");
    bad.close();
    EXPECT_EQ(read(folder.file("bad.qvt"), form).stoppedAt, 44);
}

TEST_F(ZonesCantFileTest, CantAndZonesAreCheckedBeforeATable) {
    LoadForm form = LoadForm::initial();
    ASSERT_TRUE(read(golden(), form).whole());
    form.precision.setOn(true);
    EXPECT_TRUE(LoadCheck::precisionComputable(form.precision).ok());
    form.precision.cantDeg = "46";
    EXPECT_EQ(LoadCheck::precisionComputable(form.precision).message,
              "Cant: Cant must be between -45 and 45 degrees.");
    form.precision.cantDeg = "-45";
    form.precision.windZones = "300 5";
    EXPECT_FALSE(LoadCheck::precisionComputable(form.precision).ok());
    // Metric ends become yards for the engine.
    form.precision.windZones = "100 5 90";
    precision::Shot shot;
    ZonesCantJump::applyTo(form.precision, true, shot);
    ASSERT_EQ(shot.windZones.size(), 1u);
    EXPECT_NEAR(shot.windZones[0].endYd, 109.361, 1e-3);
    EXPECT_EQ(shot.cantDeg, -45);
}

} // namespace
