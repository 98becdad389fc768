// What the table prints and what it refuses to print: a value never loses a character (its sign
// least of all), a value no number can hold is named with its input instead of shown as "Inf",
// and files are replaced only when written whole.
#include "table_support.h"

#include "load/CsvExport.h"
#include "load/DragTables.h"
#include "load/FiniteRows.h"
#include "load/InputFields.h"
#include "load/TableText.h"
#include "services/CBallUtil.h"
#include "services/WholeFile.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <limits>
#include <sys/mount.h>
#include <unistd.h>

using namespace InputFields;
using TableColumns::Column;

namespace {

constexpr float Infinite = std::numeric_limits<float>::infinity();

// A bullet at the slowest velocity the load takes, out to the longest range: heights of tens of
// thousands of inches, hundreds of mils and times of flight beyond 10 s, all wider than the
// classic columns.
class WideValuesTest : public TableTest {
protected:
    void SetUp() override {
        TableTest::SetUp();
        const std::pair<int, const char*> texts[] = {{MuzzleVelocity, "300"}, {Bc, "0.1"},
                                                     {MaxRange, "1500"},      {Increments, "250"},
                                                     {ZeroRange, "100"},      {XwindSpeed, "25"}};
        for (const auto& [index, text] : texts)
            set(index, text);
        model.form.optMoa1 = false; // mils: one decimal in a 5-character inner width
    }
};

TEST_F(WideValuesTest, EveryValueKeepsItsSignAndDigitsAndTheColumnsStayAligned) {
    const QString text = table();
    const ParsedTable t = parseTable(text);
    QString problem;
    QList<Problem> failures;
    CTextOutput csvTxt;
    const LoadSnapshot snapshot = model.snapshot();
    const QByteArray csv = CsvExport::tableCsv(snapshot, csvTxt, problem, failures);
    ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
    ASSERT_FALSE(csv.isEmpty());
    const TableResult result = csvTxt.rows(snapshot, snapshot.values.in1, snapshot.values.in1);
    const std::vector<TableRow>& rows = result.rows;
    ASSERT_EQ(rows.size(), t.rows.size());
    const auto formats = CTextOutput::columns(snapshot);

    bool widened = false;
    for (size_t i = 0; i < rows.size(); ++i)
        for (size_t k = 0; k < formats.size(); ++k) {
            const float value = rows[i][formats[k].column];
            const QString shown = t.rows[i].value(int(k));
            widened = widened || shown.size() > 8 ||
                      (formats[k].innerWidth < 8 && shown.size() > formats[k].innerWidth);
            // The text read back is the value to its column's decimals: a lost leading digit or
            // sign would be off by a power of ten or by twice the value.
            const double tolerance = formats[k].decimals < 0 ? 1e-3 * std::abs(value) + 1e-6
                                                             : 0.051 + std::abs(value) * 1e-6;
            EXPECT_NEAR(shown.toDouble(), value, formats[k].correction ? 1.0 : tolerance)
                << formats[k].heading.toStdString() << " row " << i << " shown "
                << shown.toStdString();
        }
    // The load is the one that made the classic columns cut: heights beyond -10000 in.
    EXPECT_TRUE(widened);
    EXPECT_LT(rows.back()[Column::Height], -10000.0f);
    EXPECT_GT(rows.back()[Column::Time], 10.0f);

    // The headings, dashes and rows are the same width: the widened columns widen every line.
    const qsizetype headingAt =
        t.lines.indexOf(*std::find_if(t.lines.begin(), t.lines.end(), [](const QString& line) {
            return line.contains("Range") && line.contains("Height");
        }));
    for (qsizetype i = headingAt; i < headingAt + 2 + qsizetype(rows.size()); ++i)
        EXPECT_EQ(t.lines[i].size(), t.lines[headingAt].size()) << t.lines[i].toStdString();
}

// Values that fit keep the classic widths byte for byte (the golden tables say so in full).
TEST(TableWidths, ValuesThatFitKeepEightCharactersAndWiderOnesWidenTheirColumnOnly) {
    const auto formats = TableColumns::columns({false, false, false, false, {}});
    TableRow fits, wide;
    fits[Column::Range] = 1000;
    fits[Column::Height] = -1234.56f;
    fits[Column::HeightCorrection] = -34.3f;
    fits[Column::Time] = 9.999f;
    wide = fits;
    wide[Column::Height] = -11409.64f;
    wide[Column::HeightCorrection] = -101.3f;
    wide[Column::Time] = 11.155f;

    const auto cells = TableText::rowCells({fits, wide}, formats);
    const std::vector<int> classic = TableText::columnWidths({cells[0]}, formats);
    EXPECT_EQ(classic, std::vector<int>(formats.size(), 8));
    QString fitLine;
    TableText::appendRow(fitLine, cells[0], fits[Column::SoundBarrier], " ", classic);
    EXPECT_TRUE(fitLine.startsWith("    1000 -1234.56    -34.3 ")) << fitLine.toStdString();

    const std::vector<int> widths = TableText::columnWidths(cells, formats);
    QString line;
    TableText::appendRow(line, cells[1], wide[Column::SoundBarrier], " ", widths);
    EXPECT_TRUE(line.startsWith("    1000 -11409.64   -101.3 ")) << line.toStdString();
    EXPECT_TRUE(line.contains(" 11.155 ")) << line.toStdString();
    EXPECT_EQ(widths[1], 9); // the height's column, one wider; the others as they were
    EXPECT_EQ(widths[0], 8);
}

TEST(FiniteRows, AValueNoNumberHoldsIsNamedWithItsInputAndRange) {
    std::vector<TableRow> rows(3);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i][Column::Range] = float(i) * 100;
    EXPECT_TRUE(FiniteRows::problem(rows, true, false).isEmpty());

    rows[1][Column::Spin] = Infinite;
    EXPECT_EQ(FiniteRows::problem(rows, true, false),
              "The spin drift at 100 yards cannot be computed with this load: check the Twist.");
    rows[1][Column::Spin] = 0;
    rows[2][Column::Height] = std::nanf("");
    EXPECT_EQ(FiniteRows::problem(rows, false, true),
              "The height at 200 meters cannot be computed with this load: check the BC.");
    EXPECT_EQ(FiniteRows::problem(rows, true, false),
              "The height at 200 yards cannot be computed with this load: check the drag table.");
}

// A correction the table computes overflows quietly: the table names its cause once, instead of
// an internal "CBallUtil inch2moa: 6 - Overflow" line.
TEST(FiniteRows, TheTablesCorrectionsOverflowWithoutAnInternalMessage) {
    QuietPrompt prompts;
    const CBallUtil quiet(CBallUtil::Overflow::Keep);
    EXPECT_FALSE(std::isfinite(quiet.correction(3e38f, 0.001f, false, false)));
    EXPECT_TRUE(quiet.overflowed());
    // The other mode shows the correction as 0 and keeps the overflow for its entry point.
    const CBallUtil reporting;
    EXPECT_EQ(reporting.correction(3e38f, 0.001f, false, false), 0.0f);
    ASSERT_TRUE(reporting.problem().has_value());
}

// The load file holds a drag file's path in Latin-1: a path beyond it is refused when picked.
TEST(DragTablePath, APathTheLoadFileCannotHoldIsRefusedWithAWayOut) {
    EXPECT_TRUE(DragTables::unsavablePath("/home/shooter/café/own.csv").isEmpty());
    EXPECT_TRUE(DragTables::unsavablePath("").isEmpty());
    const QString problem = DragTables::unsavablePath(QString::fromUtf8("/home/шутер/G7 ✓.csv"));
    // Each character it cannot hold is named once.
    EXPECT_TRUE(problem.contains(QString::fromUtf8("(шутер✓)"))) << problem.toStdString();
    EXPECT_TRUE(problem.contains("Copy the file into the folder of the load"));
}

TEST(WholeFileTest, AFailedWriteLeavesTheFileAsItWasAndSaysWhy) {
    TestAppFolder folder;
    const QString path = folder.write("kept.csv", "old\n");
    EXPECT_FALSE(WholeFile::write(folder.file("no/such/folder/x.csv"), "new\n").isEmpty());
    EXPECT_EQ(WholeFile::write(path, "new\n"), QString());
    QFile read(path);
    ASSERT_TRUE(read.open(QIODevice::ReadOnly));
    EXPECT_EQ(read.readAll(), "new\n");
    // A device is written in place, and a full one says so.
    if (QFile::exists("/dev/full")) {
        EXPECT_TRUE(WholeFile::write("/dev/full", "x").contains("space"));
        EXPECT_TRUE(QFile::exists("/dev/full"));
    }
    EXPECT_EQ(WholeFile::write("/dev/null", "x"), QString());
}

// A file of a few kilobytes onto a full disk: the written bytes sit in a buffer until the file is
// put in place, and a failed write of that buffer must stop it (it once did not).
TEST(WholeFileTest, ASmallFileOntoAFullDiskKeepsTheEarlierOne) {
    TestAppFolder folder;
    const QString disk = folder.file("disk");
    QDir().mkpath(disk);
    if (geteuid() != 0 ||
        ::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "mounting a small file system needs root";
    const struct Unmount {
        QByteArray path;
        ~Unmount() { ::umount(path.constData()); }
    } unmount{QFile::encodeName(disk)};
    const QString path = disk + "/table.csv";
    ASSERT_EQ(WholeFile::write(path, "old\n"), QString());
    QFile filler(disk + "/filler");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(4096, 'x')) == 4096) {
    }
    filler.close();

    EXPECT_TRUE(WholeFile::write(path, QByteArray(6000, 'y')).contains("space"));
    QFile read(path);
    ASSERT_TRUE(read.open(QIODevice::ReadOnly));
    EXPECT_EQ(read.readAll(), "old\n");
    EXPECT_EQ(QDir(disk).entryList(QDir::Files | QDir::Hidden),
              QStringList({"filler", "table.csv"}));

    // With a few blocks free, part of a larger file fits: the message still names the reason
    // (the partly taken write once gave "Unknown error").
    ASSERT_TRUE(filler.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
    ASSERT_TRUE(filler.resize(filler.size() - 3 * 4096));
    filler.close();
    EXPECT_TRUE(WholeFile::write(path, QByteArray(40000, 'z')).contains("space"));
    ASSERT_TRUE(read.seek(0));
    EXPECT_EQ(read.readAll(), "old\n");
}

} // namespace
