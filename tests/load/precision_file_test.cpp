// The precision model's part of a load: the nine fields after the classic 32 (written only for a
// load that used the model), the checks of its seven boxes, and the drag tables it reads.
#include "load/DragTables.h"
#include "load/InputFields.h"
#include "load/LoadCheck.h"
#include "load/LoadFile.h"
#include "load/PrecisionFields.h"

#include "QuietPrompt.h"
#include "TestAppFolder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray readBytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int lineCount(const QByteArray& bytes) {
    return int(bytes.count("\r\n"));
}

class PrecisionFileTest : public ::testing::Test {
protected:
    QuietPrompt prompts;
    TestAppFolder folder;
    QString datFile;

    LoadFile::ReadReport read(const QString& file, LoadForm& form) {
        datFile = file;
        return LoadFile::read(datFile, form);
    }
    bool save(const QString& file, const LoadForm& form) {
        datFile = file;
        return LoadFile::dataSaveTable(datFile, form);
    }
    QString golden() const { return TestAppFolder::dataDir() + "/308win.qvt"; }

    // The golden load with the model switched on and every input of its own.
    LoadForm precise() {
        LoadForm form = LoadForm::initial();
        EXPECT_TRUE(read(golden(), form).whole());
        form.precision.setOn(true);
        form.precision.dragTable = "C:\\drag\\my, own.csv";
        form.precision.fields = {"-9.5", "1.215", "0.308", "-33.5", "270", "1.4", "77"};
        return form;
    }
};

TEST_F(PrecisionFileTest, ALoadThatNeverUsedTheModelSavesAsBefore) {
    LoadForm form = LoadForm::initial();
    ASSERT_TRUE(read(golden(), form).whole());
    EXPECT_FALSE(form.precision.used);
    EXPECT_EQ(form.precision, PrecisionForm());
    ASSERT_TRUE(save(folder.file("copy.qvt"), form));
    EXPECT_EQ(readBytes(folder.file("copy.qvt")), readBytes(golden()));
}

TEST_F(PrecisionFileTest, TheNineFieldsFollowTheClassicOnesAndReadBack) {
    const LoadForm saved = precise();
    ASSERT_TRUE(save(folder.file("p.qvt"), saved));
    const QByteArray bytes = readBytes(folder.file("p.qvt"));
    EXPECT_EQ(lineCount(bytes), 41);
    EXPECT_TRUE(bytes.startsWith(readBytes(golden()))) << "the classic reader stops at field 32";
    EXPECT_TRUE(bytes.endsWith("True\r\nC:\\drag\\my|~ own.csv\r\n-9.5\r\n1.215\r\n0.308\r\n"
                               "-33.5\r\n270\r\n1.4\r\n77\r\n"));

    LoadForm back = LoadForm::initial();
    ASSERT_TRUE(read(folder.file("p.qvt"), back).whole());
    EXPECT_EQ(back, saved);
    // Saved again: the same bytes.
    ASSERT_TRUE(save(folder.file("again.qvt"), back));
    EXPECT_EQ(readBytes(folder.file("again.qvt")), bytes);
}

TEST_F(PrecisionFileTest, SwitchedOffTheModelKeepsItsFields) {
    LoadForm form = precise();
    form.precision.setOn(false);
    ASSERT_TRUE(save(folder.file("off.qvt"), form));
    const QByteArray bytes = readBytes(folder.file("off.qvt"));
    EXPECT_EQ(lineCount(bytes), 41);
    LoadForm back = LoadForm::initial();
    ASSERT_TRUE(read(folder.file("off.qvt"), back).whole());
    EXPECT_TRUE(back.precision.used);
    EXPECT_FALSE(back.precision.on);
    EXPECT_FALSE(back.isPrecision());
    EXPECT_EQ(back.precision.fields, form.precision.fields);
}

TEST_F(PrecisionFileTest, AFileWithoutTheFieldsResetsThoseOfThePreviousLoad) {
    LoadForm form = precise();
    ASSERT_TRUE(read(golden(), form).whole());
    EXPECT_EQ(form.precision, PrecisionForm());
    EXPECT_EQ(form.precision.dragTable, "G7");
    EXPECT_EQ(form.precision.fields[PrecisionFields::PowderTemp], "59");
    EXPECT_EQ(form.precision.fields[PrecisionFields::Latitude], "");
}

TEST_F(PrecisionFileTest, AFileCutInsideThePrecisionFieldsIsDamaged) {
    ASSERT_TRUE(save(folder.file("p.qvt"), precise()));
    const QList<QByteArray> lines = readBytes(folder.file("p.qvt")).split('\n');
    for (int kept = 33; kept <= 40; ++kept) {
        QByteArray cut;
        for (int i = 0; i < kept; ++i)
            cut += lines[i] + '\n';
        LoadForm form = LoadForm::initial();
        const LoadFile::ReadReport report = read(folder.write("cut.qvt", cut), form);
        EXPECT_FALSE(report.whole()) << kept;
        EXPECT_EQ(report.stoppedAt, kept + 1) << kept;
        const QString message = LoadFile::damageMessage("cut.qvt", report, form);
        EXPECT_TRUE(message.contains(QStringLiteral("ends after field %1 of 41").arg(kept)))
            << message.toStdString();
    }
}

TEST_F(PrecisionFileTest, AnUnreadableSwitchOrAnEmptyDragTableStopsTheReading) {
    ASSERT_TRUE(save(folder.file("p.qvt"), precise()));
    const QByteArray bytes = readBytes(folder.file("p.qvt"));
    for (const auto& [from, to, field] : {std::tuple{"True\r\nC:", "Maybe\r\nC:", 33},
                                          std::tuple{"C:\\drag\\my|~ own.csv", "", 34}}) {
        QByteArray damaged = bytes;
        damaged.replace(from, to);
        LoadForm form = LoadForm::initial();
        EXPECT_EQ(read(folder.write("bad.qvt", damaged), form).stoppedAt, field);
    }
}

// --- the checks on leaving a box -------------------------------------------------------------

TEST(PrecisionFieldsTest, EachBoxAcceptsItsRangeAndRefusesBeyondIt) {
    using namespace PrecisionFields;
    struct Case {
        int index;
        const char* inside[3];
        const char* outside[3];
    };
    const Case cases[] = {
        {Twist, {"-30", "0", "7.5"}, {"-30.5", "31", "ten"}},
        // No barrel is rifled quicker than about 1:3: 0.1 gave Sg 24,003 and 617 in of spin
        // drift at 100 yd, 1e-20 an overflow.
        {Twist, {"3", "-3", "-0"}, {"2.99", "-2.9", "1e-20"}},
        {Length, {"0", "0.1", "3"}, {"0.05", "3.01", ""}},
        {Diameter, {"0", ".308", "1"}, {"0.09", "1.5", "-0.3"}},
        {Latitude, {"", "-90", "51.5"}, {"90.5", "-91", "N"}},
        {Azimuth, {"0", "359.9", "360"}, {"-1", "361", ""}},
        {Sensitivity, {"0", "1.5", "10"}, {"-0.1", "11", "x"}},
        {PowderTemp, {"0", "59", "120"}, {"-1", "121", ""}},
    };
    for (const Case& c : cases) {
        for (const char* text : c.inside)
            EXPECT_TRUE(check(c.index, text).isEmpty()) << c.index << " '" << text << "'";
        for (const char* text : c.outside)
            EXPECT_EQ(check(c.index, text), QString::fromUtf8(field(c.index).message))
                << c.index << " '" << text << "'";
    }
}

TEST(PrecisionFieldsTest, EveryNewLoadTextPassesItsOwnCheck) {
    const PrecisionForm fresh;
    for (int i = 0; i < PrecisionFields::Count; ++i)
        EXPECT_TRUE(PrecisionFields::check(i, fresh.fields[size_t(i)]).isEmpty()) << i;
    EXPECT_TRUE(LoadCheck::precisionComputable(fresh).ok());
}

TEST(PrecisionLoadCheckTest, WithTheModelOnItsBoxesAndTheAirMustBeNumbers) {
    LoadForm form = LoadForm::initial();
    form.chkAdvanced = 0;
    // Off: the pressure is not read, so letters there do not matter.
    form.fields[InputFields::Pressure] = "high";
    form.precision.fields[PrecisionFields::Azimuth] = "400";
    EXPECT_TRUE(LoadCheck::computable(form).ok());

    form.precision.setOn(true);
    const LoadCheck::Finding air = LoadCheck::computable(form);
    EXPECT_EQ(air.field, int(InputFields::Pressure));

    form.fields[InputFields::Pressure] = "29.92";
    const LoadCheck::Finding own = LoadCheck::computable(form);
    EXPECT_EQ(own.field, InputFields::Count + PrecisionFields::Azimuth);
    EXPECT_TRUE(own.message.contains("Azimuth of fire must be between 0 and 360"))
        << own.message.toStdString();

    form.precision.fields[PrecisionFields::Azimuth] = "180";
    EXPECT_TRUE(LoadCheck::computable(form).ok());
}

// --- drag tables -------------------------------------------------------------------------------

TEST(DragTablesTest, EveryStandardTableIsShippedAndUsable) {
    TestAppFolder folder;
    for (const QString& name : PrecisionFields::standardDragTables()) {
        const DragTables::Loaded table = DragTables::load(name);
        EXPECT_TRUE(table.curve) << name.toStdString() << ": " << table.problem.toStdString();
    }
}

TEST(DragTablesTest, AFileOfOnesOwnIsReadOrRefusedNamingTheLine) {
    TestAppFolder folder;
    const QString good = folder.write("mine.csv", "mach,cd\n0.0,0.2\n1.0,0.4\n3.0,0.3\n");
    EXPECT_TRUE(DragTables::load(good).curve) << DragTables::load(good).problem.toStdString();

    const QString bad = folder.write("bad.csv", "mach,cd\n0.0,0.2\n0.5,-0.4\n1.0,0.3\n");
    const DragTables::Loaded refused = DragTables::load(bad);
    EXPECT_FALSE(refused.curve);
    EXPECT_TRUE(refused.problem.contains(bad)) << refused.problem.toStdString();
    EXPECT_TRUE(refused.problem.contains("line 3")) << refused.problem.toStdString();

    const QString missing = folder.file("gone.csv");
    const DragTables::Loaded none = DragTables::load(missing);
    EXPECT_FALSE(none.curve);
    EXPECT_EQ(none.problem, QStringLiteral("The drag table \"%1\" was not found.").arg(missing));
}

TEST(DragTablesTest, AFileChangedOnDiskIsReadAgain) {
    TestAppFolder folder;
    const QString path = folder.write("mine.csv", "0,0.2\n2,0.3\n");
    ASSERT_TRUE(DragTables::load(path).curve);
    folder.write("mine.csv", "0,0.2\n2,0.3\n1,0.25\n"); // Mach no longer increasing
    EXPECT_FALSE(DragTables::load(path).curve);
}

} // namespace
