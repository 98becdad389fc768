// The precision model in the table, the CSV and the point-blank search, and truing the muzzle
// velocity in either model. Figures are checked against what can be worked out by hand: the
// velocity that follows the powder temperature, the zero, the Coriolis deflection of flat fire,
// and against the classic solver where both model the same G1 bullet in the same air.
#include "table_support.h"

#include "load/CPointBlank.h"
#include "load/CsvExport.h"
#include "load/InputFields.h"
#include "load/PrecisionFields.h"
#include "load/Truing.h"
#include "services/CBallUtil.h"

#include <cmath>

using namespace InputFields;

namespace {

class PrecisionTableTest : public TableTest {
protected:
    void SetUp() override {
        TableTest::SetUp();
        // A G1 bullet in the air its coefficient is defined for (59 F, 29.53 inHg, 78 %),
        // fired level; the classic model reads the same air from the altitude and temperature.
        const std::pair<int, const char*> texts[] = {
            {MuzzleVelocity, "2800"}, {BulletWeight, "168"}, {Bc, "0.5"},
            {MaxRange, "1000"},       {Increments, "100"},   {ZeroRange, "100"},
            {XwindSpeed, "0"},        {XwindAngle, "90"},    {Altitude, "0"},
            {Temperature, "59"},      {SightHeight, "1.5"},  {Angle, "0"},
            {Pressure, "29.53"},      {Humidity, "78"},      {TargetSpeed, "0"}};
        for (const auto& [index, text] : texts)
            set(index, text);
        model.form.dragIndex = 0; // G1
        model.form.precision.dragTable = "G1";
    }

    void precise(bool on = true) { model.form.precision.setOn(on); }
    QString& input(int index) { return model.form.precision.fields[size_t(index)]; }

    // The CSV of the load, its columns by name.
    std::vector<std::map<QString, double>> csvRows() {
        QString problem;
        QList<Problem> failures;
        const QByteArray bytes = CsvExport::tableCsv(model.snapshot(), txt, problem, failures);
        EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
        QList<QByteArray> lines = bytes.trimmed().split('\n');
        const QStringList names = QString::fromLatin1(lines.takeFirst()).split(',');
        std::vector<std::map<QString, double>> rows;
        for (const QByteArray& line : lines) {
            const QList<QByteArray> cells = line.split(',');
            std::map<QString, double> row;
            for (qsizetype i = 0; i < names.size(); ++i)
                row[names[i]] = cells.value(i).toDouble();
            rows.push_back(row);
        }
        return rows;
    }
};

TEST_F(PrecisionTableTest, SwitchedOffTheModelChangesNoByteOfTheTable) {
    const QString classic = table();
    precise(true);
    input(PrecisionFields::Twist) = "10";
    input(PrecisionFields::Latitude) = "45";
    ASSERT_NE(table(), classic);
    precise(false);
    EXPECT_EQ(table(), classic);
}

TEST_F(PrecisionTableTest, TheSameG1BulletFliesAsInTheClassicModel) {
    const ParsedTable classic = parsed();
    precise();
    const ParsedTable modern = parsed();
    ASSERT_EQ(modern.rows.size(), classic.rows.size());
    EXPECT_EQ(modern.headings, classic.headings + QStringList{"Spin"});
    for (size_t row = 1; row < classic.rows.size(); ++row) {
        const double range = classic.number(row, "Range");
        EXPECT_EQ(modern.number(row, "Range"), range);
        EXPECT_NEAR(modern.number(row, "Vel"), classic.number(row, "Vel"),
                    0.01 * classic.number(row, "Vel"))
            << range;
        EXPECT_NEAR(modern.number(row, "TOF"), classic.number(row, "TOF"),
                    0.01 * classic.number(row, "TOF") + 0.001)
            << range;
        // Heights: 2 % of the drop below the bore line, and the rounding of the text.
        const double drop = std::fabs(classic.number(row, "Height")) + 1.5 * range / 100;
        EXPECT_NEAR(modern.number(row, "Height"), classic.number(row, "Height"), 0.02 * drop + 0.02)
            << range;
    }
    // Both hit the zero; the muzzle sits a sight height below the line of sight.
    EXPECT_NEAR(modern.number(1, "Height"), 0.0, 0.011);
    EXPECT_EQ(modern.cell(0, "Height"), "-1.50");
}

TEST_F(PrecisionTableTest, TheVelocityFollowsThePowderTemperature) {
    precise();
    set(Temperature, "20");
    input(PrecisionFields::Sensitivity) = "1.5";
    input(PrecisionFields::PowderTemp) = "70";
    const ParsedTable t = parsed();
    // 2800 + 1.5 * (20 - 70)
    EXPECT_EQ(t.cell(0, "Vel"), "2725.0");
    EXPECT_TRUE(t.lines.join(QStringLiteral("\n")).contains("MV used         : 2725.0 fps"))
        << t.lines.join(QStringLiteral("\n")).toStdString();
}

TEST_F(PrecisionTableTest, WithWindZonesTheHeaderDoesNotNameTheOneCrosswind) {
    precise();
    const QString oneWind = parsed().lines.join(QStringLiteral("\n"));
    EXPECT_TRUE(oneWind.contains(QStringLiteral("Xwind Speed     : "))) << oneWind.toStdString();
    EXPECT_FALSE(oneWind.contains(QStringLiteral("by zone")));
    model.form.precision.windZones = QStringLiteral("300 5 90; 1000 12 45");
    const QString zoned = parsed().lines.join(QStringLiteral("\n"));
    EXPECT_TRUE(zoned.contains(QStringLiteral("Xwind Speed     : by zone"))) << zoned.toStdString();
    EXPECT_TRUE(zoned.contains(QStringLiteral("0-300 yd 5 mph at 90")));
}

TEST_F(PrecisionTableTest, SpinDriftGoesWithTheTwistAndIsPartOfTheWind) {
    precise();
    input(PrecisionFields::Length) = "1.21";
    input(PrecisionFields::Diameter) = "0.308";
    input(PrecisionFields::Twist) = "0";
    const auto none = csvRows();
    input(PrecisionFields::Twist) = "10";
    const auto right = csvRows();
    input(PrecisionFields::Twist) = "-10";
    const auto left = csvRows();
    ASSERT_EQ(right.size(), none.size());
    for (size_t i = 1; i < none.size(); ++i) {
        EXPECT_EQ(none[i].at("spin_in"), 0.0);
        EXPECT_GT(right[i].at("spin_in"), 0.0) << i;
        EXPECT_NEAR(left[i].at("spin_in"), -right[i].at("spin_in"), 1e-4);
        EXPECT_NEAR(right[i].at("wind_in") - none[i].at("wind_in"), right[i].at("spin_in"), 1e-3);
    }
    // A few inches at 1000 yards, as the published figures for such bullets say.
    EXPECT_GT(right.back().at("spin_in"), 5.0);
    EXPECT_LT(right.back().at("spin_in"), 25.0);
}

TEST_F(PrecisionTableTest, CoriolisOfFlatFireFollowsTheRatioOfSideToForwardSpeed) {
    // Fired north with drag along the velocity, the sideways speed grows as vz = 2 W t vx
    // (W = Omega sin latitude) whatever the drag, so the deflection at range X reached at time T
    // is 2 W (X T - integral of x dt), which a vacuum's constant speed makes W X T.
    precise();
    set(Increments, "25");
    input(PrecisionFields::Latitude) = "60";
    input(PrecisionFields::Azimuth) = "0";
    const auto north = csvRows();
    const double w = 7.292115e-5 * std::sin(M_PI / 3);
    double integral = 0; // of x dt, inch seconds, by trapezoids
    for (size_t i = 1; i < north.size(); ++i) {
        const double x0 = north[i - 1].at("range_yd") * 36, x1 = north[i].at("range_yd") * 36;
        integral += (x0 + x1) / 2 * (north[i].at("tof_s") - north[i - 1].at("tof_s"));
        const double expected = 2 * w * (x1 * north[i].at("tof_s") - integral);
        EXPECT_NEAR(north[i].at("coriolis_h_in"), expected, 0.01 * expected + 0.015) << i;
        EXPECT_LT(north[i].at("coriolis_h_in"), w * x1 * north[i].at("tof_s") + 0.015);
        EXPECT_NEAR(north[i].at("coriolis_v_in"), 0.0, 0.02) << i;
    }
    // Fired east the bullet is lifted (the Eötvös effect), west it drops; south of the equator
    // the deflection is to the left.
    input(PrecisionFields::Azimuth) = "90";
    EXPECT_GT(csvRows().back().at("coriolis_v_in"), 0.5);
    input(PrecisionFields::Azimuth) = "270";
    EXPECT_LT(csvRows().back().at("coriolis_v_in"), -0.5);
    input(PrecisionFields::Latitude) = "-60";
    input(PrecisionFields::Azimuth) = "0";
    // The falling bullet's small push east stays the same in both hemispheres.
    EXPECT_NEAR(csvRows().back().at("coriolis_h_in"), -north.back().at("coriolis_h_in"), 0.03);
}

TEST_F(PrecisionTableTest, TheCsvAddsItsColumnsAfterTheLeadAndGivesTotals) {
    precise();
    set(XwindSpeed, "10");
    input(PrecisionFields::Latitude) = "45";
    input(PrecisionFields::Twist) = "12";
    QString problem;
    QList<Problem> failures;
    const QByteArray bytes = CsvExport::tableCsv(model.snapshot(), txt, problem, failures);
    EXPECT_TRUE(bytes.startsWith("range_yd,height_in,height_mil,wind_in,wind_mil,velocity_fps,"
                                 "energy_ftlbf,tof_s,lead_in,lead_mil,spin_in,coriolis_v_in,"
                                 "coriolis_h_in,mach\n"))
        << bytes.left(200).toStdString();
    // The table's Wind is the CSV's total, rounded.
    const ParsedTable t = parsed();
    const auto rows = csvRows();
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_NEAR(t.number(i, "Wind"), rows[i].at("wind_in"), 0.051) << i;
}

TEST_F(PrecisionTableTest, ADragTableThatCannotBeReadIsTheTable) {
    precise();
    model.form.precision.dragTable = folder.file("none.csv");
    const QString text = TableRefresh::shownText(TableRefresh::table(model.snapshot(), txt));
    EXPECT_TRUE(text.contains("was not found")) << text.toStdString();
    EXPECT_TRUE(text.contains(folder.file("none.csv")));
}

TEST_F(PrecisionTableTest, ATableCutShortByASteepClimbSaysWhereItEnds) {
    // 300 ft/s at 80 degrees up: even in a vacuum the bullet stops advancing along the line of
    // sight after v^2 / (2 g sin 80) = 1420 ft, 473 yd, so the 1000 yd table cannot be whole.
    model.form.chkAdvanced = 1;
    set(MuzzleVelocity, "300");
    set(Angle, "80");
    precise();
    const ParsedTable t = parsed();
    ASSERT_GE(t.lines.size(), 2);
    // The last line before the final line end holds the note; every row before it is a range.
    const QString note = t.lines[t.lines.size() - 2].trimmed();
    ASSERT_TRUE(note.startsWith("The bullet does not reach 1000 yards; the table ends at "))
        << note.toStdString();
    ASSERT_GE(t.rows.size(), 3u); // the rows and the note
    const double last = t.number(t.rows.size() - 2, "Range");
    EXPECT_GE(last, 100.0);
    EXPECT_LE(last, 473.0);
    EXPECT_TRUE(note.endsWith(QStringLiteral("%1 yards.").arg(last))) << note.toStdString();

    // Level fire reaches every range: no note.
    set(Angle, "0");
    set(MuzzleVelocity, "2800");
    EXPECT_FALSE(table().contains("does not reach"));
}

// The CSV of such a table says so too, in a last comment line: a spreadsheet would otherwise
// show a table that simply ends.
TEST_F(PrecisionTableTest, ACsvCutShortEndsWithACommentSayingWhere) {
    model.form.chkAdvanced = 1;
    set(MuzzleVelocity, "300");
    set(Angle, "80");
    precise();
    QString problem;
    QList<Problem> failures;
    const QByteArray csv = CsvExport::tableCsv(model.snapshot(), txt, problem, failures);
    ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
    const QList<QByteArray> lines = csv.trimmed().split('\n');
    ASSERT_GE(lines.size(), 3);
    const QByteArray lastRow = lines[lines.size() - 2];
    const QByteArray lastRange = lastRow.left(lastRow.indexOf(','));
    EXPECT_EQ(lines.back(),
              "# The bullet does not reach 1000 yards; the table ends at " + lastRange + " yards.");
    EXPECT_LE(lastRange.toDouble(), 473.0);
    for (qsizetype i = 1; i + 1 < lines.size(); ++i)
        EXPECT_FALSE(lines[i].startsWith('#')) << i;

    // Level fire reaches every range: no comment.
    set(Angle, "0");
    set(MuzzleVelocity, "2800");
    EXPECT_FALSE(CsvExport::tableCsv(model.snapshot(), txt, problem, failures).contains('#'));
}

TEST_F(PrecisionTableTest, PointBlankRangeAgreesWithTheClassicModel) {
    model.values.killZone = 10;
    model.values.groupSize = 0;
    auto search = [this] {
        CPointBlank pb;
        EXPECT_TRUE(pb.pointBlankRange(model.snapshot()));
        return pb;
    };
    const CPointBlank classic = search();
    precise();
    const CPointBlank modern = search();
    EXPECT_NEAR(modern.pbRange, classic.pbRange, 0.02 * classic.pbRange);
    EXPECT_NEAR(modern.pbZero, classic.pbZero, 0.03 * classic.pbZero);
    // The sight-in height keeps the path within half the target.
    EXPECT_GT(modern.zero100, 0.0f);
    EXPECT_LE(modern.zero100, 5.0f);
}

// --- truing ------------------------------------------------------------------------------------

class TruingTest : public PrecisionTableTest {};

TEST_F(TruingTest, AHeightTheModelGaveGivesItsVelocityBack) {
    for (bool on : {false, true}) {
        precise(on);
        for (const auto& [range, velocity] :
             {std::pair{600.0f, 2650.0}, std::pair{1000.0f, 3000.0}, std::pair{300.0f, 1800.0}}) {
            const auto height = Truing::heightAt(model.snapshot(), range, velocity);
            ASSERT_TRUE(height) << on << " " << range;
            const Truing::Result result = Truing::trueVelocity(model.snapshot(), range, *height);
            ASSERT_TRUE(result.velocity) << result.problem.toStdString();
            EXPECT_NEAR(*result.velocity, velocity, 0.15) << on << " " << range;
            EXPECT_EQ(result.loadVelocity, 2800.0);
        }
    }
}

TEST_F(TruingTest, ACorrectionInTheTablesUnitStandsForItsInches) {
    const CBallUtil util;
    for (bool moa : {false, true}) {
        for (bool metric : {false, true}) {
            const double clicks = util.correction(-42.0f, 700.0f, moa, metric);
            EXPECT_NEAR(Truing::inchesFromCorrection(clicks, 700.0f, moa, metric), -42.0, 1e-3);
        }
    }
}

TEST_F(TruingTest, AHeightNoVelocityGivesIsRefusedWithTheHeightsThereAre) {
    for (bool on : {false, true}) {
        precise(on);
        const Truing::Result result = Truing::trueVelocity(model.snapshot(), 600.0f, 500.0);
        EXPECT_FALSE(result.velocity);
        EXPECT_TRUE(result.problem.startsWith("No muzzle velocity from 300 to 4500 fps gives a "
                                              "height of 500 in at 600 yards: with this load the "
                                              "heights there lie between "))
            << result.problem.toStdString();
    }
    const Truing::Result far = Truing::trueVelocity(model.snapshot(), 2500.0f, -100.0);
    EXPECT_EQ(far.problem, "The range must be between 1 and 2000 yards.");
}

} // namespace
