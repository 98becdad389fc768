// The precision model's reach: the pressure's reference in the load file (field 42), a drag file
// that travels with its load, the wider limits and the messages that name them, the header's
// station pressure, density altitude and stability, the rows where the bullet turns transonic
// and subsonic, and the two small calculators beside the fields.
#include "table_support.h"

#include "load/CsvExport.h"
#include "load/DragTables.h"
#include "load/InputFields.h"
#include "load/LoadCheck.h"
#include "load/LoadFile.h"
#include "load/PrecisionFields.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace InputFields;

namespace {

QByteArray readBytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class PrecisionAirTest : public TableTest {
protected:
    void SetUp() override {
        TableTest::SetUp();
        const std::pair<int, const char*> texts[] = {
            {MuzzleVelocity, "2650"}, {BulletWeight, "175"}, {Bc, "0.243"},
            {MaxRange, "1500"},       {Increments, "50"},    {ZeroRange, "100"},
            {XwindSpeed, "0"},        {XwindAngle, "90"},    {Altitude, "0"},
            {Temperature, "59"},      {SightHeight, "1.5"},  {Angle, "0"},
            {Pressure, "29.92"},      {Humidity, "0"},       {TargetSpeed, "0"}};
        for (const auto& [index, text] : texts)
            set(index, text);
        model.form.precision.setOn(true);
        model.form.precision.dragTable = "G7";
    }

    LoadFile::ReadReport read(const QString& file, LoadForm& form) {
        return LoadFile::read(file, form);
    }
    bool save(const QString& file, const LoadForm& form) {
        return LoadFile::dataSaveTable(file, form);
    }
    QString headerLine(const QString& text, const QString& label) {
        for (const QString& line : text.split("\r\n"))
            if (line.contains(label)) return line;
        return {};
    }
};

// --- field 42 ----------------------------------------------------------------------------------

TEST_F(PrecisionAirTest, TheSeaLevelChoiceIsField42AndOnlyThenWritten) {
    ASSERT_TRUE(save(folder.file("station.qvt"), model.form));
    const QByteArray station = readBytes(folder.file("station.qvt"));
    EXPECT_EQ(station.count("\r\n"), 41); // as a precision load saved before the choice existed

    model.form.precision.seaLevelPressure = true;
    ASSERT_TRUE(save(folder.file("sea.qvt"), model.form));
    const QByteArray sea = readBytes(folder.file("sea.qvt"));
    // Fields 42 to 45 are written together: the cant, jump and wind zones at their defaults.
    EXPECT_EQ(sea.count("\r\n"), 45);
    EXPECT_EQ(sea, station + "Sea level\r\n0\r\nFalse\r\n\r\n");

    LoadForm back = LoadForm::initial();
    ASSERT_TRUE(read(folder.file("sea.qvt"), back).whole());
    EXPECT_TRUE(back.precision.seaLevelPressure);
    ASSERT_TRUE(read(folder.file("station.qvt"), back).whole());
    EXPECT_FALSE(back.precision.seaLevelPressure); // a file without it reads the default

    // Anything else in field 42 stops the reading there and says so.
    const QString odd = folder.write("odd.qvt", station + "sealevel\r\n");
    const LoadFile::ReadReport report = read(odd, back);
    EXPECT_EQ(report.stoppedAt, 42);
    EXPECT_TRUE(LoadFile::damageMessage(odd, report, back).contains("field 42 of 45"));
}

TEST_F(PrecisionAirTest, ASeaLevelPressureIsTheStationsThroughTheAltitude) {
    set(Altitude, "10000");
    set(Temperature, "23.34"); // the standard day there
    set(Pressure, "29.92");
    model.form.precision.seaLevelPressure = true;
    const QString sea = table();
    // The standard atmosphere: 20.58 inHg at 10,000 ft, and its density altitude is the altitude.
    EXPECT_TRUE(headerLine(sea, "Pressure (SL)").contains(": 29.92 inHg")) << sea.toStdString();
    const QString station = headerLine(sea, "Station Press.");
    EXPECT_TRUE(station.contains(": 20.58 inHg")) << station.toStdString();
    const int densityAltitude = station.section(':', -1).trimmed().section(' ', 0, 0).toInt();
    EXPECT_NEAR(densityAltitude, 10000, 30) << station.toStdString();

    // Typed as the station's, the same 29.92 is far denser air: the bullet drops much more.
    const double seaDrop = parsed().number(20, "Height");
    model.form.precision.seaLevelPressure = false;
    const QString dense = table();
    EXPECT_TRUE(headerLine(dense, "Station Press.").contains(": 29.92 inHg"));
    EXPECT_LT(parsed().number(20, "Height"), seaDrop - 20);
}

// --- the drag file travels with the load -------------------------------------------------------

TEST_F(PrecisionAirTest, ARelativeDragFileIsFoundBesideTheLoadAfterTheFolderMoved) {
    QTemporaryDir first, second;
    const QByteArray drag = "header line\n0.25 0.0\n0.40 1.2\n0.30 3.0\n";
    QFile out(first.filePath("radar.drg"));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(drag);
    out.close();
    // Picked in the load's own folder: stored by its bare name.
    model.form.precision.loadFolder = first.path();
    model.form.precision.dragTable =
        DragTables::storedPath(first.filePath("radar.drg"), first.path());
    EXPECT_EQ(model.form.precision.dragTable, QStringLiteral("radar.drg"));
    ASSERT_TRUE(save(first.filePath("load.qvt"), model.form));
    const QString text = table();

    // The folder copied elsewhere and the original gone.
    for (const QString name : {"load.qvt", "radar.drg"})
        ASSERT_TRUE(QFile::copy(first.filePath(name), second.filePath(name)));
    ASSERT_TRUE(first.remove());
    LoadForm moved = LoadForm::initial();
    ASSERT_TRUE(read(second.filePath("load.qvt"), moved).whole());
    EXPECT_EQ(moved.precision.dragTable, QStringLiteral("radar.drg"));
    const DragTables::Loaded found = DragTables::load(moved.precision);
    ASSERT_TRUE(found.curve) << found.problem.toStdString();
    EXPECT_EQ(found.curve->mach, (std::vector<double>{0.0, 1.2, 3.0}));
    model.applyForm(moved);
    EXPECT_EQ(table(), text);

    // Gone from beside the load too: the message names where it was looked for first.
    QFile::remove(second.filePath("radar.drg"));
    EXPECT_TRUE(DragTables::load(moved.precision).problem.contains(second.filePath("radar.drg")));
}

TEST_F(PrecisionAirTest, ADragFileOutsideTheLoadsFolderKeepsItsWholePath) {
    QTemporaryDir loads, elsewhere;
    QDir(loads.path()).mkdir("drag files");
    const QString below = loads.filePath("drag files/mine.csv");
    EXPECT_EQ(DragTables::storedPath(below, loads.path()), QStringLiteral("drag files/mine.csv"));
    const QString outside = elsewhere.filePath("mine.csv");
    EXPECT_EQ(DragTables::storedPath(outside, loads.path()), outside);
    EXPECT_EQ(DragTables::storedPath(outside, QString()), outside);

    // Saved into another folder, a relative name is rewritten to reach the same file.
    QFile file(below);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("mach,cd\n0,0.2\n2,0.3\n");
    file.close();
    PrecisionForm form;
    form.loadFolder = loads.path();
    form.dragTable = "drag files/mine.csv";
    DragTables::moveLoad(form, elsewhere.path());
    EXPECT_EQ(form.dragTable, below);
    EXPECT_TRUE(DragTables::load(form).curve);
    DragTables::moveLoad(form, loads.filePath("drag files"));
    EXPECT_EQ(form.dragTable, below); // an absolute name stays what it is
}

// --- limits ------------------------------------------------------------------------------------

TEST_F(PrecisionAirTest, ThePrecisionModelReachesFartherAndSaysWhereItStops) {
    const struct {
        int index;
        const char* inside;
        const char* outside;
        const char* message;
    } cases[] = {
        {MaxRange, "5000", "5001", "5000 yards or less with the precision model"},
        {Temperature, "-40", "141", "between -40 and 140 degrees with the precision model"},
        {Altitude, "-1000", "15001", "between -1000 and 15000 ft with the precision model"},
        {XwindSpeed, "60", "61", "between 0 and 60 mph with the precision model"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const QString before = model.form.fields[size_t(c.index)];
        set(c.index, c.inside);
        EXPECT_FALSE(model.txtInputValidate(c.index).hasMessage());
        set(c.index, c.outside);
        EXPECT_TRUE(model.txtInputValidate(c.index).message.contains(c.message))
            << model.txtInputValidate(c.index).message.toStdString();
        // The classic model keeps its own limits and messages.
        model.form.precision.setOn(false);
        set(c.index, c.inside);
        const QString classic = model.txtInputValidate(c.index).message;
        EXPECT_EQ(classic, QString::fromUtf8(field(c.index).message));
        model.form.precision.setOn(true);
        set(c.index, before);
    }
    // Metric ranges: 4572 m.
    model.form.optMetric1 = true;
    set(MaxRange, "4573");
    EXPECT_TRUE(model.txtInputValidate(MaxRange).message.contains("4572 meters or less"));
}

TEST_F(PrecisionAirTest, TheRangeMessageNamesTheLimitThatApplies) {
    set(MaxRange, "5001");
    EXPECT_TRUE(LoadCheck::computable(model.form).message.contains("5000 yards or less"));
    set(MaxRange, "5000");
    EXPECT_TRUE(LoadCheck::computable(model.form).ok());
    // The classic solver counts 16 steps a yard in 16 bits: 2047 yd is its last whole range.
    model.form.precision.setOn(false);
    set(MaxRange, "2047");
    EXPECT_TRUE(LoadCheck::computable(model.form).ok());
    set(MaxRange, "2048");
    EXPECT_EQ(LoadCheck::computable(model.form).message,
              QStringLiteral("Max Range: Maximum range must be 2047 yards or less."));
}

TEST_F(PrecisionAirTest, AFiveThousandYardTableAtOneYardSteps) {
    set(MuzzleVelocity, "3000");
    set(Bc, "0.4");
    set(MaxRange, "5000");
    set(Increments, "1");
    const ParsedTable t = parsed();
    ASSERT_EQ(t.rows.size(), 5001u);
    EXPECT_EQ(t.number(5000, "Range"), 5000.0);
}

// --- stability and the sound barrier -----------------------------------------------------------

TEST_F(PrecisionAirTest, TheHeaderWarnsOfAnUnstableOrMarginalBullet) {
    QString& twist = model.form.precision.fields[PrecisionFields::Twist];
    model.form.precision.fields[PrecisionFields::Length] = "1.24";
    model.form.precision.fields[PrecisionFields::Diameter] = "0.308";
    // Miller: Sg goes with 1 / twist^2, so each twist gives one side of each threshold.
    const struct {
        const char* twist;
        const char* word;
        double lowest, highest;
    } cases[] = {{"10", "", 1.3, 99}, {"14.5", " marginal", 1.0, 1.3}, {"18", " unstable", 0, 1.0}};
    for (const auto& c : cases) {
        twist = c.twist;
        const QString line = headerLine(table(), "Stability (Sg)");
        const QString shown = line.section(": ", -1).trimmed();
        const double sg = shown.section(' ', 0, 0).toDouble();
        EXPECT_EQ(shown, shown.section(' ', 0, 0) + c.word) << line.toStdString();
        EXPECT_GE(sg, c.lowest) << line.toStdString();
        EXPECT_LT(sg, c.highest) << line.toStdString();
    }
}

TEST_F(PrecisionAirTest, TheRowsWhereTheBulletTurnsTransonicAndSubsonicAreMarked) {
    // 2650 ft/s slows below Mach 1.2 (1340 ft/s) and Mach 1 (1116 ft/s) within 1500 yd.
    QString problem;
    QList<Problem> failures;
    const QByteArray csv = CsvExport::tableCsv(model.snapshot(), txt, problem, failures);
    QList<QByteArray> rows = csv.trimmed().split('\n');
    const QList<QByteArray> names = rows.takeFirst().split(',');
    ASSERT_EQ(names.back(), "mach");
    int transonic = -1, subsonic = -1;
    for (int i = 0; i < rows.size(); ++i) {
        const double mach = rows[i].split(',').back().toDouble();
        const double velocity = rows[i].split(',')[names.indexOf("velocity_fps")].toDouble();
        EXPECT_NEAR(mach, velocity / 1116.45, 0.01) << i; // still air of the standard day
        if (transonic < 0 && mach < 1.2) transonic = i;
        if (subsonic < 0 && mach < 1.0) subsonic = i;
    }
    ASSERT_GT(transonic, 0);
    ASSERT_GT(subsonic, transonic);
    const ParsedTable t = parsed();
    int marked = 0;
    for (size_t i = 0; i < t.rows.size(); ++i) {
        const QString last = t.rows[i].back();
        const QString expected = int(i) == transonic  ? QStringLiteral("transonic")
                                 : int(i) == subsonic ? QStringLiteral("subsonic")
                                                      : QString();
        if (!expected.isEmpty()) {
            EXPECT_EQ(last, expected) << i;
        }
        marked += last == "transonic" || last == "subsonic";
    }
    EXPECT_EQ(marked, 2);
}

// --- the calculators beside the fields ---------------------------------------------------------

TEST(PrecisionCalculators, PowderSensitivityFromTwoReadings) {
    QString problem;
    EXPECT_DOUBLE_EQ(*PrecisionFields::powderSensitivity(2600, 20, 2680, 100, problem), 1.0);
    EXPECT_DOUBLE_EQ(*PrecisionFields::powderSensitivity(2680, 100, 2600, 20, problem), 1.0);
    EXPECT_FALSE(PrecisionFields::powderSensitivity(2600, 59, 2650, 59, problem));
    EXPECT_EQ(problem, QStringLiteral("The two temperatures must differ."));
    // Faster when colder, or 25 fps a degree: not what the field takes.
    EXPECT_FALSE(PrecisionFields::powderSensitivity(2600, 100, 2680, 20, problem));
    EXPECT_TRUE(problem.startsWith("The readings give -1 fps per degree F"))
        << problem.toStdString();
    EXPECT_FALSE(PrecisionFields::powderSensitivity(2600, 50, 2850, 60, problem));
}

TEST(PrecisionCalculators, ABcImplausibleForItsTableIsPointedOut) {
    EXPECT_TRUE(PrecisionFields::implausibleBc("G7", 0.243).isEmpty());
    EXPECT_TRUE(PrecisionFields::implausibleBc("G7", 0.55).isEmpty());
    EXPECT_TRUE(PrecisionFields::implausibleBc("G7", 0.62).contains("62"));
    EXPECT_FALSE(PrecisionFields::implausibleBc("G7", 0.04).isEmpty());
    EXPECT_TRUE(PrecisionFields::implausibleBc("G1", 0.462).isEmpty());
    EXPECT_FALSE(PrecisionFields::implausibleBc("G1", 1.25).isEmpty());
}

} // namespace
