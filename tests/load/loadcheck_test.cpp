// Which loads a trajectory can be computed from, and what a file read only in part reports.
#include "load/LoadCheck.h"
#include "load/LoadFile.h"

#include "QuietPrompt.h"
#include "TestAppFolder.h"

#include <gtest/gtest.h>

namespace {

using namespace InputFields;

LoadForm withField(int index, const QString& text, bool advanced = false) {
    LoadForm form = LoadForm::initial();
    form.fields[size_t(index)] = text;
    form.chkAdvanced = advanced ? 1 : 0;
    return form;
}

TEST(LoadCheck, TheDesignedLoadCanBeComputed) {
    EXPECT_TRUE(LoadCheck::computable(LoadForm::initial()).ok());
    LoadForm advanced = LoadForm::initial();
    advanced.chkAdvanced = 1;
    advanced.chkMilrange = 1;
    EXPECT_TRUE(LoadCheck::computable(advanced).ok());
}

TEST(LoadCheck, ValuesNoTrajectoryExistsForNameTheirField) {
    struct Case {
        int field;
        const char* text;
    };
    const Case cases[] = {
        {MuzzleVelocity, "-0"},
        {MuzzleVelocity, "0"},
        {MuzzleVelocity, "299.4"},
        {Bc, "0"},
        {Bc, "-.2"},
        {MaxRange, "0"},
        {MaxRange, "-5"},
        {MaxRange, "2100"},
        {Increments, "0.4"},
        {BulletWeight, "x"},
        {BulletWeight, "4e4"},
        {SightHeight, ""},
        {LowerBc, "abc"},
        {Bc, "1e39"},
    };
    for (const Case& c : cases) {
        const LoadCheck::Finding f = LoadCheck::computable(withField(c.field, c.text));
        EXPECT_EQ(f.field, c.field) << c.text;
        EXPECT_TRUE(f.message.startsWith(QString::fromUtf8(field(c.field).caption) + ": "))
            << f.message.toStdString();
    }
    EXPECT_EQ(LoadCheck::computable(withField(MuzzleVelocity, "-0")).message,
              QStringLiteral("Muzzle Velocity: Velocity must be 300 to 4500 fps."));
    // Fields without a message of their own are named with their range.
    EXPECT_EQ(LoadCheck::computable(withField(LowerBc, "abc")).message,
              QStringLiteral("Lower BC: Lower BC must be between 0 and 1."));
}

TEST(LoadCheck, OutOfRangeButComputableValuesPass) {
    // 299.6 rounds to the 300 the record holds; the others are outside their fields' ranges
    // but a trajectory exists for them.
    const std::pair<int, const char*> cases[] = {
        {MuzzleVelocity, "299.6"}, {MuzzleVelocity, "6000"}, {BulletWeight, "900"},
        {ZeroRange, "5000"},       {XwindSpeed, "60"},       {Bc, "2.5"},
        {MaxRange, "2047"},
    };
    for (const auto& [index, text] : cases)
        EXPECT_TRUE(LoadCheck::computable(withField(index, text)).ok()) << text;
}

TEST(LoadCheck, HiddenFieldsCountOnlyWhileShown) {
    for (int index : {Altitude, Temperature, Angle, TargetSpeed}) {
        EXPECT_TRUE(LoadCheck::computable(withField(index, "n/a", false)).ok()) << index;
        EXPECT_EQ(LoadCheck::computable(withField(index, "n/a", true)).field, index);
    }
    // Pressure and humidity do not enter the trajectory.
    EXPECT_TRUE(LoadCheck::computable(withField(Pressure, "n/a", true)).ok());
    LoadForm mag = withField(ScopeMag, "n/a");
    EXPECT_TRUE(LoadCheck::computable(mag).ok());
    mag.chkMilrange = 1;
    EXPECT_EQ(LoadCheck::computable(mag).field, ScopeMag);
}

TEST(LoadCheck, FailingFieldsAreThoseTheLeaveCheckRefuses) {
    LoadForm form = LoadForm::initial();
    form.fields[BulletWeight] = QStringLiteral("\x01\x02");
    form.fields[ZeroRange] = QStringLiteral("1001"); // above the maximum range of 1000
    form.fields[Humidity] = QStringLiteral("101");
    // The designed pressure text, 56, is outside its field's range as well.
    EXPECT_EQ(LoadCheck::failingFields(form),
              QStringList({"Bullet Weight", "Zero Range", "Pressure \"Hg", "Humidity %"}));
}

class LoadFileReportTest : public ::testing::Test {
protected:
    QuietPrompt prompts; // a message the test did not script fails it
    TestAppFolder folder{false};
    QString datFile;

    // A saved load with its lines cut after `fields` fields.
    QString cutAfter(int fields) {
        datFile = folder.file(QStringLiteral("whole.qvt"));
        LoadForm form = LoadForm::initial();
        form.dragIndex = 4;
        form.notes = QStringLiteral("notes");
        EXPECT_TRUE(LoadFile::dataSaveTable(datFile, form));
        const QList<QByteArray> lines = folder.read(QStringLiteral("whole.qvt")).split('\n');
        QByteArray cut;
        for (int i = 0; i < fields; ++i)
            cut += lines[i] + '\n';
        return folder.write(QStringLiteral("cut%1.qvt").arg(fields), cut);
    }
};

TEST_F(LoadFileReportTest, OlderLayoutsAreWholeOtherEndsAreNot) {
    for (int fields : {24, 30, 31, 32}) {
        datFile = cutAfter(fields);
        LoadForm form = LoadForm::initial();
        const LoadFile::ReadReport report = LoadFile::read(datFile, form);
        EXPECT_TRUE(report.whole()) << fields << " stopped at " << report.stoppedAt;
        EXPECT_TRUE(LoadFile::damageMessage(datFile, report, form).isEmpty());
    }
    for (int fields : {10, 18, 20, 23}) {
        datFile = cutAfter(fields);
        LoadForm form = LoadForm::initial();
        const LoadFile::ReadReport report = LoadFile::read(datFile, form);
        EXPECT_TRUE(report.opened);
        EXPECT_EQ(report.stoppedAt, std::max(fields + 1, 19)) << fields;
        const QString message = LoadFile::damageMessage(datFile, report, form);
        EXPECT_TRUE(message.contains(datFile)) << message.toStdString();
        // The field the file really ends after, not the first setting found missing.
        EXPECT_TRUE(message.contains(QStringLiteral("ends after field %1 of 32").arg(fields)))
            << message.toStdString();
    }
}

// Bytes that are no load once filled every box with garbage and named them all unusable.
TEST_F(LoadFileReportTest, ABinaryFileIsRefusedAsNoLoad) {
    QByteArray garbage;
    for (int i = 0; i < 600; ++i)
        garbage += char((i * 37 + 11) % 256);
    datFile = folder.write(QStringLiteral("binary.qvt"), garbage);
    LoadForm form = LoadForm::initial();
    const LoadFile::ReadReport report = LoadFile::read(datFile, form);
    ASSERT_TRUE(report.opened);
    EXPECT_TRUE(report.refused);
    EXPECT_EQ(form, LoadForm::initial());
    const QString message = LoadFile::damageMessage(datFile, report, form);
    EXPECT_EQ(message, '"' + datFile +
                           QStringLiteral("\" is not a Quorvel load file; nothing was "
                                          "taken from it."));
}

TEST_F(LoadFileReportTest, AFieldLongerThanAnyFieldRefusesTheFileWithOneMessage) {
    datFile = cutAfter(32);
    QByteArray bytes = folder.read(QStringLiteral("cut32.qvt"));
    bytes.replace("\r\n175\r\n", "\r\n" + QByteArray(40000, '7') + "\r\n");
    datFile = folder.write(QStringLiteral("long.qvt"), bytes);
    LoadForm form = LoadForm::initial();
    form.fields[0] = QStringLiteral("kept");
    prompts.answers = {PromptAnswer::Ok}; // the one message, its text checked below
    const LoadFile::ReadReport report = LoadFile::read(datFile, form);
    EXPECT_TRUE(report.refused);
    EXPECT_EQ(form.fields[0], QStringLiteral("kept"));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.lastText().contains(datFile));

    // Notes are a multi-line text of any length.
    form = LoadForm::initial();
    form.notes = QString(3 * 1024 * 1024, 'n');
    datFile = folder.file(QStringLiteral("notes.qvt"));
    ASSERT_TRUE(LoadFile::dataSaveTable(datFile, form));
    LoadForm back;
    EXPECT_TRUE(LoadFile::read(datFile, back).whole());
    EXPECT_EQ(back.notes.size(), form.notes.size());
}

TEST_F(LoadFileReportTest, LineEndsDoNotMakeTwoFilesDifferent) {
    const QString crlf = folder.write(QStringLiteral("a.txt"), "one\r\ntwo\r\n\r\nthree");
    const QString lf = folder.write(QStringLiteral("b.txt"), "one\ntwo\n\nthree");
    const QString cr = folder.write(QStringLiteral("c.txt"), "one\rtwo\r\rthree");
    const QString fewer = folder.write(QStringLiteral("d.txt"), "one\ntwo\nthree");
    const QString other = folder.write(QStringLiteral("e.txt"), "one\ntwo\n\nthreE");
    EXPECT_TRUE(CFileDiff().isSameText(crlf, lf));
    EXPECT_TRUE(CFileDiff().isSameText(cr, crlf));
    EXPECT_FALSE(CFileDiff().isSameText(crlf, fewer));
    EXPECT_FALSE(CFileDiff().isSameText(lf, other));
    EXPECT_FALSE(CFileDiff().isSameText(lf, folder.file(QStringLiteral("missing.txt"))));
    EXPECT_FALSE(CFileDiff().isSame(crlf, lf)); // byte for byte they differ
}

} // namespace
