// The ballistics table text: rows, columns, header, options and the uphill/downhill correction.
#include "table_support.h"

#include "load/InputFields.h"
#include "load/TableText.h"
#include "services/CBallUtil.h"
#include "services/MNumber.h"

#include <QFile>
#include <cmath>

using namespace InputFields;

namespace {
const QString DefaultHeadingsMils =
    " " + QStringLiteral("   Range   Height    Hmils     Wind    Wmils      Vel   Energy      TOF "
                         "    Lead  LClicks ");

// One header item: 30 characters wide, then a blank.
QString item(const QString& text) {
    return text.leftJustified(30, ' ', true) + ' ';
}

QByteArray goldenDefaultTable() {
    QFile f(TestAppFolder::dataDir() + "/default_table.txt");
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST_F(TableTest, DefaultLoadGivesTwentyOneRowsFromZeroToOneThousand) {
    const ParsedTable t = parsed();
    ASSERT_EQ(t.rows.size(), 21u);
    for (size_t i = 0; i < t.rows.size(); ++i) {
        EXPECT_EQ(t.rows[i].size(), 10) << "row " << i;
        EXPECT_EQ(t.cell(i, "Range"), QString::number(i * 50));
    }
    EXPECT_EQ(t.cell(0, "Height"), "-2.60");
    EXPECT_EQ(t.cell(0, "Hmils"), "0.0");
    EXPECT_EQ(t.cell(0, "TOF"), "0.000");
    EXPECT_EQ(t.cell(0, "Vel"), "2635.0");
    EXPECT_TRUE(t.lines.contains(DefaultHeadingsMils));
    EXPECT_EQ(t.lines.value(0), "7.62 ");
    EXPECT_FLOAT_EQ(last.flightTime, CTextOutput::BaseFlightTime);
}

TEST_F(TableTest, DefaultTableMatchesTheGoldenTextByteForByte) {
    const QByteArray golden = goldenDefaultTable();
    ASSERT_FALSE(golden.isEmpty());
    EXPECT_EQ(table().toLatin1(), golden);
}

TEST_F(TableTest, HeaderRepeatsTheLoadInFixedWidthItems) {
    const ParsedTable t = parsed();
    ASSERT_GE(t.lines.size(), 9);
    // Without the extra inputs the bullet flies in standard air, whatever the hidden fields hold.
    EXPECT_EQ(t.lines[1], " " + item("Altitude        : 0 ft") +
                              item("Temperature      : 59  \u00B0F") + "(standard sea-level air) ");
    EXPECT_EQ(t.lines[2],
              " " + item("Bullet Weight   : 175 gr") + item("BC               : 0.495"));
    // The first-start load's lower coefficient takes over below 1800 ft/s, before 1000 yd.
    EXPECT_EQ(t.lines[3],
              " " + item("Lower BC        : 0.485") + item("Below            : 1800 fps"));
    EXPECT_EQ(t.lines[4],
              " " + item("Xwind Speed     : 10 mph") + item("Xwind Angle      : 90 \u00B0"));
    EXPECT_EQ(t.lines[5],
              " " + item("Muzzle Velocity : 2635 fps") + item("Zero Range       : 127 yards"));
    EXPECT_EQ(t.lines[6], " " + item("Target Speed    : 0 mph"));
    EXPECT_EQ(t.lines[7], " ");
    // The degree sign is the single Latin-1 byte 0xB0.
    EXPECT_TRUE(table().toLatin1().contains("59  \xB0"
                                            "F"));
}

TEST_F(TableTest, HeaderNamesTheAirOfTheExtraInputsWhenTheyCount) {
    model.form.chkAdvanced = 1;
    const ParsedTable t = parsed();
    EXPECT_EQ(t.lines[1],
              " " + item("Altitude        : 5000 ft") + item("Temperature      : 41.17  \u00B0F"));
    // The table's numbers change with the air; without the extra inputs they do not.
    set(Altitude, "0");
    model.form.chkAdvanced = 0;
    const ParsedTable seaLevel = parsed();
    set(Altitude, "8000");
    EXPECT_EQ(parsed().rows, seaLevel.rows);
}

TEST_F(TableTest, HeaderNamesOnlyTheBandsTheBulletReaches) {
    set(MaxRange, "300"); // still above 2000 ft/s at 300 yd
    EXPECT_FALSE(table().contains("Lower BC"));
    set(MaxRange, "1000");
    set(LowestBc, "0.4");
    set(LowestVel, "1400");
    const ParsedTable t = parsed();
    ASSERT_LT(t.number(20, "Vel"), 1400);
    EXPECT_EQ(t.lines[3],
              " " + item("Lower BC        : 0.485") + item("Below            : 1800 fps"));
    EXPECT_EQ(t.lines[4],
              " " + item("Lowest BC       : 0.4") + item("Below            : 1400 fps"));
    // A band with no coefficient is never flown on.
    set(LowerBc, "0");
    set(LowestBc, "0");
    EXPECT_FALSE(table().contains(" BC        :"));
}

TEST_F(TableTest, HeaderShowsTheAngleOnlyWithTheAdvancedInputs) {
    set(Angle, "-12.5");
    EXPECT_FALSE(table().contains("Angle            :"));
    model.form.chkAdvanced = 1;
    const ParsedTable t = parsed();
    // Below the first-start load's lower coefficient line.
    EXPECT_EQ(t.lines[6],
              " " + item("Target Speed    : 0 mph") + item("Angle            : -12.5 degrees"));
}

TEST_F(TableTest, HundredYardStepsInMoaGiveElevenRowsAndTenColumns) {
    set(Increments, "100");
    model.form.optMoa1 = true;
    const ParsedTable t = parsed();
    ASSERT_EQ(t.rows.size(), 11u);
    EXPECT_EQ(t.headings, QStringList({"Range", "Height", "Hclicks", "Wind", "Wclicks", "Vel",
                                       "Energy", "TOF", "Lead", "LClicks"}));
    EXPECT_EQ(t.cell(10, "Range"), "1000");
    // Clicks are whole numbers.
    for (const QStringList& row : t.rows)
        EXPECT_FALSE(row.value(2).contains('.'));
}

TEST_F(TableTest, MilsGiveOneDecimalCorrectionsAndAWideLeadColumn) {
    set(TargetSpeed, "10");
    const ParsedTable t = parsed();
    ASSERT_EQ(t.rows.size(), 21u);
    const QRegularExpression oneDecimal(QStringLiteral("^-?\\d+\\.\\d$"));
    for (const char* h : {"Hmils", "Wmils", "LClicks"})
        EXPECT_TRUE(oneDecimal.match(t.cell(20, h)).hasMatch()) << h;
    // Lead in mils at 1000 yd sits in a full 8-character column.
    const QString row20 = t.lines[t.lines.size() - 2];
    EXPECT_EQ(row20.size(), 1 + 10 * 9);
}

TEST_F(TableTest, EnergyAndLeadFollowVelocityWeightAndFlightTime) {
    set(TargetSpeed, "10");
    // The target speed is an extra input: hidden, it leads nothing.
    const ParsedTable hidden = parsed();
    for (size_t i = 0; i < hidden.rows.size(); ++i)
        EXPECT_EQ(hidden.cell(i, "Lead"), "0.0") << "row " << i;
    model.form.chkAdvanced = 1;
    const ParsedTable t = parsed();
    for (size_t i = 0; i < t.rows.size(); ++i) {
        const double v = t.number(i, "Vel");
        EXPECT_NEAR(t.number(i, "Energy"), v * v * 175 / 450400, 0.2) << "row " << i;
        EXPECT_NEAR(t.number(i, "Lead"), 10 * t.number(i, "TOF") * 1.4667 * 12, 0.15)
            << "row " << i;
    }
}

TEST_F(TableTest, LeadIsTheTargetsTravelDuringTheFlight) {
    model.form.optMoa1 = true;
    model.form.chkAdvanced = 1;
    model.values.speed = 10;
    SolverRow row{};
    row.t = 1.0f;
    row.V = 2000.0f;
    const TableRows::RowSettings settings{true, false, 0.0f, 10.0f, 175};
    CBallUtil util;
    QString line;
    const TableRow values = TableRows::rowValues(row, 100, 0, settings, util);
    TableText::appendRow(
        line, TableText::rowCells({values}, CTextOutput::columns(model.snapshot())).front(),
        values[TableColumns::SoundBarrier]);
    EXPECT_FALSE(util.overflowed());
    const QStringList cells = splitCells(line, false);
    ASSERT_EQ(cells.size(), 10);
    EXPECT_EQ(cells[5], "2000.0");
    EXPECT_EQ(cells[6], "1554.2"); // 2000^2 x 175 / 450400
    EXPECT_EQ(cells[7], "1.000");
    EXPECT_EQ(cells[8], "176.0");
    EXPECT_EQ(cells[9], "672"); // 176 in at 100 yd in quarter-MOA clicks
}

TEST_F(TableTest, MilRangeAddsTheNoteAndTheRangingColumn) {
    model.form.chkMilrange = 1;
    set(ScopeMag, "10");
    const QString text = table();
    EXPECT_TRUE(text.contains("\r\n MilRange is the number of inches covered by one Mildot.  "
                              "Scope Magnification: x10 \r\n"));
    const ParsedTable t = parseTable(text);
    ASSERT_EQ(t.headings.value(1), "MilRange");
    EXPECT_EQ(t.cell(10, "Range"), "500");
    EXPECT_EQ(t.cell(10, "MilRange"), "18.0");
    EXPECT_EQ(t.rows[10].size(), 11);
}

TEST_F(TableTest, MetricRangesSayMetersAndConvertForTheCorrections) {
    model.form.optMetric1 = true;
    const QString text = table();
    EXPECT_TRUE(text.contains("Zero Range       : 127 meters"));
    const ParsedTable t = parseTable(text);
    ASSERT_EQ(t.rows.size(), 21u);
    EXPECT_EQ(t.cell(20, "Range"), "1000");
    // Metres carry further than yards: more drop at the last row than the yard table.
    model.form.optMetric1 = false;
    const ParsedTable yards = parsed();
    EXPECT_LT(t.number(20, "Height"), yards.number(20, "Height"));
}

TEST_F(TableTest, CommaSeparatorKeepsWidthsForSpreadsheets) {
    model.form.optComma1 = true;
    const QString text = table();
    EXPECT_TRUE(text.contains("\r\n    Range,  Height,   Hmils,    Wind,   Wmils,     Vel,  Energy,"
                              "     TOF,    Lead, LClicks,\r\n"));
    const ParsedTable t = parseTable(text, true);
    ASSERT_EQ(t.rows.size(), 21u);
    EXPECT_EQ(t.cell(0, "Height"), "-2.60");
    EXPECT_EQ(t.rows[5].size(), 10);
    // Header items keep their blanks.
    EXPECT_TRUE(text.contains(item("Altitude        : 0 ft") + "Temperature"));
}

TEST_F(TableTest, CrosswindAngleResolvesTheWind) {
    auto windColumn = [this](const char* angle) {
        set(XwindAngle, angle);
        const ParsedTable t = parsed();
        std::vector<double> wind;
        for (size_t i = 0; i < t.rows.size(); ++i)
            wind.push_back(t.number(i, "Wind"));
        return wind;
    };
    const auto full = windColumn("90");
    const auto along = windColumn("0");
    const auto tail = windColumn("180");
    const auto other = windColumn("270");
    const auto half = windColumn("30");
    ASSERT_EQ(full.size(), 21u);
    EXPECT_GT(full[20], 10.0);
    for (size_t i = 0; i < full.size(); ++i) {
        EXPECT_EQ(along[i], 0.0) << "row " << i;
        EXPECT_EQ(tail[i], 0.0) << "row " << i;
        EXPECT_NEAR(other[i], -full[i], 0.051) << "row " << i;
        EXPECT_NEAR(half[i], full[i] / 2, 0.3) << "row " << i;
    }
}

TEST_F(TableTest, CosineDropScalesTheLevelHeight) {
    model.form.chkAdvanced = 1;
    model.form.optRR1 = true;
    const std::vector<float> level = tableValues();
    const ParsedTable levelText = parseTable(last.text);
    set(Angle, "30");
    const std::vector<float> sloped = tableValues();
    const ParsedTable slopedText = parseTable(last.text);
    ASSERT_EQ(level.size(), 21u);
    ASSERT_EQ(sloped.size(), 21u);
    for (size_t i = 0; i < level.size(); ++i) {
        EXPECT_NEAR(sloped[i], level[i] * std::cos(30 * M_PI / 180), 1e-4) << "row " << i;
        EXPECT_EQ(slopedText.cell(i, "Vel"), levelText.cell(i, "Vel"));
        EXPECT_EQ(slopedText.cell(i, "TOF"), levelText.cell(i, "TOF"));
    }
    EXPECT_NEAR(sloped[6], level[6] * 0.866, 0.01 * std::fabs(level[6]));
    EXPECT_TRUE(last.text.contains("Angle            : 30 degrees"));
}

TEST_F(TableTest, CosineRangeReadsTheLevelHeightAtTheHorizontalDistance) {
    model.form.chkAdvanced = 1;
    model.form.optRR1 = false;
    set(Angle, "30");
    const std::vector<float> sloped = tableValues();
    const ParsedTable slopedText = parseTable(last.text);

    // The level trajectory read at 300 yd x cos 30 = 259.8 yd.
    SolverRecord record{};
    ASSERT_NO_THROW(record = model.snapshot().record(model.values.in1, model.values.in1));
    ASSERT_TRUE(txt.sbDll.allocMem(record));
    txt.sbDll.calcAll(record);
    SolverRow row{};
    txt.sbDll.getOneResult(row, float(300 * std::cos(30 * 0.0174532925199433)), 1);
    txt.sbDll.deAllocMem();
    EXPECT_NEAR(sloped[6], row.y, 1e-3);
    EXPECT_NEAR(row.x, 259.8, 0.05);

    model.form.optRR1 = true;
    tableValues();
    const ParsedTable dropText = parseTable(last.text);
    for (size_t i = 0; i < slopedText.rows.size(); ++i)
        EXPECT_EQ(slopedText.cell(i, "Vel"), dropText.cell(i, "Vel")) << "row " << i;
}

TEST_F(TableTest, AngleWithoutAdvancedInputsChangesNothing) {
    const QString level = table();
    set(Angle, "30");
    const QString sloped = table();
    EXPECT_EQ(sloped, level);
    EXPECT_FALSE(sloped.contains("Angle            :"));
}

TEST_F(TableTest, AdvancedInputsCorrectTheCoefficientAndShowItInTheCaption) {
    table();
    EXPECT_FLOAT_EQ(last.handedBc, 0.495f);
    EXPECT_EQ(TableRefresh::bcCaption(model.snapshot(), last.handedBc), "BC");
    model.form.chkAdvanced = 1;
    model.form.dragIndex = 4;
    const QString text = table();
    EXPECT_GT(last.handedBc, 0.495f); // thinner air at 5000 ft
    // The snapshot tells the same coefficient without computing a table.
    EXPECT_EQ(model.snapshot().handedBc(), std::optional<float>(last.handedBc));
    const QString expected =
        "BC (" + MNumber::shortText(MNumber::roundDecimals(last.handedBc, 3)) + ")";
    EXPECT_EQ(TableRefresh::bcCaption(model.snapshot(), last.handedBc), expected);
    EXPECT_TRUE(QRegularExpression("^BC \\(0\\.\\d{1,3}\\)$").match(expected).hasMatch());
    // The header still shows the load's own coefficient.
    EXPECT_TRUE(text.contains("BC               : 0.495"));
}

TEST_F(TableTest, GraphGetsFourPointsPerTableRowAndNoText) {
    std::vector<float> ranges;
    const std::vector<float> drops = tableValues(false, &ranges);
    EXPECT_TRUE(last.text.isEmpty());
    ASSERT_EQ(drops.size(), 81u);
    ASSERT_EQ(ranges.size(), 81u);
    for (size_t i = 0; i < ranges.size(); ++i)
        EXPECT_FLOAT_EQ(ranges[i], i * 12.5f);
    EXPECT_FLOAT_EQ(drops[0], -2.6f);
    model.form.yAxis = 1;
    const std::vector<float> velocity = tableValues(false);
    EXPECT_FLOAT_EQ(velocity[0], 2635.0f);
    EXPECT_LT(velocity[80], velocity[40]);
    model.form.yAxis = 2;
    EXPECT_NEAR(tableValues(false)[0], 2635.0 * 2635.0 * 175 / 450400, 0.01);
    model.form.yAxis = 3;
    EXPECT_GT(tableValues(false)[80], 10.0f);
}

TEST_F(TableTest, SlowDraggyLoadFliesLongerInsteadOfExtrapolating) {
    set(BulletWeight, "140");
    set(MuzzleVelocity, "2710");
    set(Bc, "0.3");
    set(MaxRange, "1500");
    set(Altitude, "0");
    model.form.chkAdvanced = 1;
    model.form.dragIndex = 4; // G7
    const ParsedTable t = parsed();
    ASSERT_EQ(t.rows.size(), 31u);
    EXPECT_FLOAT_EQ(last.flightTime, 4.0f);
    EXPECT_GT(t.number(30, "TOF"), 2.3);
    for (size_t i = 1; i < t.rows.size(); ++i)
        EXPECT_GT(t.number(i, "TOF"), t.number(i - 1, "TOF")) << "row " << i;

    // Reference: a finer integration over 3 s reaches 1500 yd without extrapolating.
    SolverRecord record{};
    ASSERT_NO_THROW(record = model.snapshot().record(model.values.in1, model.values.in1));
    auto dropAt1500 = [&](float flightTime, int16_t stepRate) {
        record.flightTime = flightTime;
        record.stepRate = stepRate;
        EXPECT_TRUE(txt.sbDll.allocMem(record));
        txt.sbDll.calcAll(record);
        SolverRow row{};
        txt.sbDll.getOneResult(row, 1500, 1);
        txt.sbDll.deAllocMem();
        return row.y;
    };
    const float reference = dropAt1500(3.0f, 10000);
    const float extrapolated = dropAt1500(2.0f, 12000);
    EXPECT_NEAR(t.number(30, "Height"), reference, 0.5);
    EXPECT_GT(std::fabs(extrapolated - reference), 20.0f);
}

TEST_F(TableTest, VerySlowLoadFliesTheLongestFlight) {
    set(MuzzleVelocity, "700");
    set(Bc, "0.15");
    set(ZeroRange, "50");
    const ParsedTable t = parsed();
    ASSERT_EQ(t.rows.size(), 21u);
    EXPECT_FLOAT_EQ(last.flightTime, CTextOutput::LongestFlightTime);
    EXPECT_GT(t.number(20, "TOF"), 4.0);
    EXPECT_LT(t.number(20, "TOF"), 8.0);

    SolverRecord record{};
    ASSERT_NO_THROW(record = model.snapshot().record(model.values.in1, model.values.in1));
    record.flightTime = 7.5f;
    record.stepRate = 4000;
    ASSERT_TRUE(txt.sbDll.allocMem(record));
    txt.sbDll.calcAll(record);
    SolverRow row{};
    EXPECT_NE(txt.sbDll.getOneResult(row, 1000, 1), 0);
    txt.sbDll.deAllocMem();
    EXPECT_NEAR(t.number(20, "Height"), row.y, 0.02 * std::fabs(row.y));
    EXPECT_NEAR(t.number(20, "TOF"), row.t, 0.005);
}

TEST_F(TableTest, NegativeRangeValuesAreASanityCheckNotATable) {
    // The refresh names the field and computes nothing.
    set(Increments, "-50");
    EXPECT_EQ(table(), "Increments: Range increment must be between 1 and maximum range.");

    // The table writer itself still refuses such a load, and says why once its caller reports it.
    const TableResult refused = txt.table(model.snapshot());
    EXPECT_FALSE(refused.ok());
    ASSERT_TRUE(refused.problem);
    prompts.expected = {"Range Values wrong"};
    Problems::report(*refused.problem);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.lastText(), "Range Values wrong");
    EXPECT_EQ(prompts.lastTitle(), "Sanity Check");

    Problem why;
    EXPECT_FALSE(CTextOutput::steps(model.snapshot(), true, why));
    EXPECT_EQ(why.messageText(), "Range Values wrong");
}

TEST_F(TableTest, RowCountRoundsUpToCoverTheMaximumRange) {
    set(Increments, "30");
    Problem why;
    const auto steps = CTextOutput::steps(model.snapshot(), true, why);
    ASSERT_TRUE(steps);
    EXPECT_EQ(steps->count, 35);
    EXPECT_EQ(parsed().cell(34, "Range"), "1020");
}

TEST_F(TableTest, RangesThatOverflowAreReportedAndLeaveNoTable) {
    // The refresh names the field at fault; nothing reaches the solver.
    const QString maxRangeMessage = "Max Range: Maximum range must be 1500 yards or less.";
    set(Increments, "0");
    EXPECT_EQ(table(), "Increments: Range increment must be between 1 and maximum range.");
    set(Increments, "1000");
    set(MaxRange, "5000"); // 16 steps per yard no longer fit a step count
    // The limit that applies here is the step count's, and the message names it.
    EXPECT_EQ(table(), "Max Range: Maximum range must be 2047 yards or less.");
    set(MaxRange, "0");
    EXPECT_EQ(table(), maxRangeMessage);

    // The table writer reports such a load once and leaves no table.
    set(MaxRange, "1000");
    set(Increments, "0");
    const TableResult refused = txt.table(model.snapshot());
    ASSERT_TRUE(refused.problem);
    prompts.expected = {"CTextOutput getNumSteps: 6 - Overflow"};
    Problems::report(*refused.problem);
    EXPECT_EQ(prompts.lastText(), "CTextOutput getNumSteps: 6 - Overflow");
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(refused.text.isEmpty());
    EXPECT_FALSE(txt.sbDll.isAllocated());
}

TEST(TableWithoutSolver, MissingLibraryIsReportedAndLeavesNoTable) {
    TestAppFolder folder(false);
    QuietPrompt prompts; // nothing shown: the failures go with the result
    LoadModel model;
    model.refreshAllFields();
    CTextOutput txt;
    const TableResult result = TableRefresh::table(model.snapshot(), txt);
    EXPECT_TRUE(result.text.isEmpty());
    EXPECT_FALSE(result.ok());
    // As many as the binding made, each attempt's, ahead of any problem of the table's own.
    ASSERT_FALSE(result.solverFailures.isEmpty());
    for (const Problem& failure : result.solverFailures)
        EXPECT_TRUE(failure.messageText().startsWith("CSmallBall allocMem"))
            << failure.messageText().toStdString();
    EXPECT_EQ(result.problems().size(), result.solverFailures.size());
    // Handed over once: the writer keeps none for its next table.
    EXPECT_TRUE(txt.flight.takeFailures().isEmpty());
}

// The bands' coefficients are quoted in the same standard air as the main one: at altitude the
// same air corrects them all.
TEST_F(TableTest, BandCoefficientsAreCorrectedForTheAirLikeTheMainOne) {
    model.form.chkAdvanced = 1;
    set(Altitude, "5000");
    set(LowerBc, "0");
    const ParsedTable plain = parsed();
    // A band with the main coefficient is the same bullet.
    set(LowerBc, "0.495");
    EXPECT_EQ(parsed().rows, plain.rows);
    // A better coefficient below 1800 ft/s can only keep the bullet faster.
    set(LowerBc, "0.55");
    const ParsedTable better = parsed();
    EXPECT_GT(better.number(20, "Vel"), plain.number(20, "Vel"));
    for (size_t i = 0; i < plain.rows.size(); ++i)
        EXPECT_GE(better.number(i, "Vel"), plain.number(i, "Vel")) << "row " << i;
}
