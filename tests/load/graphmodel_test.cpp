// The Graph tab's content: points of the load and of the comparison load, titles and legends.
#include "QuietPrompt.h"
#include "TestAppFolder.h"
#include "UserDataHome.h"
#include "load/GraphModel.h"
#include "load/LoadFile.h"
#include "load/LoadModel.h"
#include "load/TableRefresh.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class GraphModelTest : public ::testing::Test {
protected:
    TestAppFolder folder;
    QuietPrompt prompts;
    LoadModel model;
    CTextOutput txt;
    GraphModel graph;

    void SetUp() override {
        model.form = LoadForm::initial();
        model.refreshAllFields();
    }

    // Saves a load file into the application folder; `edit` changes the screen's form first.
    QString saveLoad(const QString& name, const std::function<void(LoadForm&)>& edit) {
        LoadForm form = model.form;
        edit(form);
        const QString path = folder.file(name);
        EXPECT_TRUE(LoadFile::dataSaveTable(path, form));
        return path;
    }

    GraphData refresh() { return graph.refresh(model.snapshot(), model.form.comparison, txt); }
};

TEST(GraphText, AxisTitlesByChoiceAndUnit) {
    EXPECT_EQ(GraphText::yAxisTitle(0), QStringLiteral("Drop / Inches"));
    EXPECT_EQ(GraphText::yAxisTitle(1), QStringLiteral("Velocity / fps"));
    EXPECT_EQ(GraphText::yAxisTitle(2), QStringLiteral("Energy / Foot Pounds"));
    EXPECT_EQ(GraphText::yAxisTitle(3), QStringLiteral("Wind Drift / Inches"));
    EXPECT_EQ(GraphText::xAxisTitle(false), QStringLiteral("Range / Yards"));
    EXPECT_EQ(GraphText::xAxisTitle(true), QStringLiteral("Range / Meters"));
    EXPECT_EQ(GraphText::chartType(true), 2);
    EXPECT_EQ(GraphText::chartType(false), 3);
}

TEST_F(GraphModelTest, WithoutComparisonSeriesTwoIsTheSinglePointAtZero) {
    model.form.comparison.setFile(saveLoad("other.qvt", [](LoadForm& f) { f.fields[2] = "3000"; }));
    model.form.comparison.on = false;
    const GraphData d = refresh();
    // 1000 yd in steps of 50 / 4: 81 points, one every 12.5.
    ASSERT_EQ(d.series1.size(), 81u);
    EXPECT_FLOAT_EQ(d.series1.x[1], 12.5f);
    EXPECT_FLOAT_EQ(d.series1.x.back(), 1000.0f);
    EXPECT_FLOAT_EQ(d.series1.y[0], -2.6f); // drop at the muzzle: minus the sight height
    ASSERT_EQ(d.series2.size(), 1u);
    EXPECT_EQ(d.series2.x[0], 0.0f);
    EXPECT_EQ(d.series2.y[0], 0.0f);
    EXPECT_FALSE(d.comparing);
    EXPECT_EQ(d.series1.legend, QStringLiteral("7.62"));
    EXPECT_TRUE(d.series2.legend.isEmpty());
    EXPECT_EQ(d.rowCount(), 81u);
    EXPECT_EQ(d.xTitle, QStringLiteral("Range / Yards"));
    EXPECT_EQ(d.yTitle, QStringLiteral("Drop / Inches"));
}

TEST_F(GraphModelTest, AMissingComparisonFileIsSkipped) {
    model.form.comparison.setFile(folder.file("gone.qvt"));
    const GraphData d = refresh();
    ASSERT_EQ(d.series2.size(), 1u);
    EXPECT_EQ(d.series2.y[0], 0.0f);
    EXPECT_FALSE(d.comparing);
}

TEST_F(GraphModelTest, ComparesWithTheSavedLoadUnderTheScreensConditions) {
    model.form.yAxis = 1; // velocity
    model.form.comparison.setFile(saveLoad("fast.qvt", [](LoadForm& f) {
        f.fields[0] = "Fast";
        f.fields[2] = "3000";
    }));
    const GraphData d = refresh();
    ASSERT_TRUE(d.comparing);
    EXPECT_EQ(d.series2.legend, QStringLiteral("Fast"));
    EXPECT_EQ(graph.compareInput.imvel, 3000);
    ASSERT_EQ(d.series2.size(), d.series1.size());
    EXPECT_FLOAT_EQ(d.series2.y[0], 3000.0f);
    EXPECT_FLOAT_EQ(d.series1.y[0], 2635.0f);
    for (size_t i = 0; i < d.series1.size(); ++i)
        EXPECT_GT(d.series2.y[i], d.series1.y[i]);
    EXPECT_EQ(d.yTitle, QStringLiteral("Velocity / fps"));
}

TEST_F(GraphModelTest, TheComparisonUsesTheScreensDragModelAngleAndAir) {
    // Advanced inputs on: drag model, atmosphere and angle all take part.
    model.setFieldText(InputFields::Angle, QStringLiteral("20"));
    model.form.chkAdvanced = 1;
    model.form.dragIndex = 0;
    // The same bullet saved with another drag model, angle and air: only its first 17 fields
    // are read, so its curve is the screen's own.
    model.form.comparison.setFile(saveLoad("same.qvt", [](LoadForm& f) {
        f.dragIndex = 3;
        f.fields[InputFields::Angle] = "-30";
        f.fields[InputFields::Pressure] = "20";
        f.fields[InputFields::Humidity] = "5";
        f.fields[InputFields::TargetSpeed] = "40";
        f.optRR1 = !f.optRR1;
    }));
    const GraphData d = refresh();
    ASSERT_TRUE(d.comparing);
    ASSERT_EQ(d.series1.y.size(), d.series2.y.size());
    for (size_t i = 0; i < d.series1.size(); ++i) {
        EXPECT_EQ(d.series1.y[i], d.series2.y[i]) << i;
        EXPECT_EQ(d.series1.x[i], d.series2.x[i]) << i;
    }
    EXPECT_EQ(graph.compareInput.dragIndex, 0);
}

TEST_F(GraphModelTest, TheBcCaptionKeepsTheScreensCoefficient) {
    model.form.chkAdvanced = 1;
    model.form.comparison.setFile(saveLoad("low.qvt", [](LoadForm& f) { f.fields[10] = "0.25"; }));
    const GraphData both = refresh();
    CTextOutput alone;
    const TableResult own = alone.graph(model.snapshot(), model.values.in1);
    ASSERT_TRUE(own.ok());
    EXPECT_FLOAT_EQ(both.handedBc, own.handedBc);
}

TEST_F(GraphModelTest, MetricRangesChangeTheXTitle) {
    model.form.optMetric1 = true;
    EXPECT_EQ(refresh().xTitle, QStringLiteral("Range / Meters"));
}

TEST_F(GraphModelTest, WindDriftAndEnergyChoices) {
    model.form.yAxis = 3;
    GraphData d = refresh();
    EXPECT_EQ(d.yTitle, QStringLiteral("Wind Drift / Inches"));
    EXPECT_EQ(d.series1.y[0], 0.0f);
    EXPECT_GT(d.series1.y.back(), 10.0f); // 10 mph drifts a 175 gr bullet many inches at 1000
    model.form.yAxis = 2;
    d = refresh();
    EXPECT_EQ(d.yTitle, QStringLiteral("Energy / Foot Pounds"));
    EXPECT_NEAR(d.series1.y[0], 2635.0 * 2635.0 * 175 / 450400, 0.5);
}

// The comparison is one value: its file, the name the list shows, and Use Compare.
TEST_F(GraphModelTest, TheComparisonKeepsItsNameAndItsSwitch) {
    Comparison& c = model.form.comparison;
    c.setFile(QStringLiteral("C:\\loads\\65x47.qvt"));
    EXPECT_EQ(c.listText(GraphText::notComparing()), QStringLiteral("65x47.qvt"));
    c.on = false;
    EXPECT_EQ(c.listText(GraphText::notComparing()), QStringLiteral("Not comparing"));
    c.on = true;
    // A load without a comparison file leaves the name the list showed.
    c.setFile(QString());
    EXPECT_TRUE(c.file.isEmpty());
    EXPECT_EQ(c.listText(GraphText::noComparison()), QStringLiteral("65x47.qvt"));
}

TEST_F(GraphModelTest, ListNamesResolveInTheApplicationFolder) {
    const QString path = saveLoad("there.qvt", [](LoadForm&) {});
    EXPECT_EQ(GraphModel::compareFileFor(QStringLiteral("there.qvt")), path);
    EXPECT_EQ(GraphModel::compareFileFor(QStringLiteral("not there.qvt")), QString());
    EXPECT_EQ(GraphModel::compareFileFor(QString()), QString());
}

TEST_F(GraphModelTest, ChoosingAFileReadsItAndSwitchesComparingOn) {
    const QString path = saveLoad("chosen.qvt", [](LoadForm& f) { f.fields[0] = "Chosen"; });
    model.form.comparison.on = false;
    EXPECT_TRUE(graph.chooseCompareFile(path, model.form.comparison).isEmpty());
    EXPECT_EQ(model.form.comparison.name, QStringLiteral("chosen.qvt"));
    EXPECT_TRUE(model.form.comparison.on);
    EXPECT_EQ(model.form.comparison.file, path);
    EXPECT_EQ(graph.compareInput.cart, QStringLiteral("Chosen"));
}

} // namespace

TEST_F(GraphModelTest, AComparisonThePrecisionModelCannotFlySaysWhyAndTheLoadStillDraws) {
    // Saved with the model on and a drag table of its own that is gone by now.
    model.form.comparison.setFile(saveLoad("gone-table.qvt", [this](LoadForm& f) {
        f.fields[0] = "Own table";
        f.precision.setOn(true);
        f.precision.dragTable = folder.file("deleted.csv");
    }));
    GraphData d = refresh();
    EXPECT_FALSE(d.comparing);
    EXPECT_TRUE(d.series2.legend.isEmpty());
    EXPECT_EQ(d.series1.size(), 81u);
    EXPECT_TRUE(d.problem.isEmpty());
    EXPECT_TRUE(d.compareProblem.startsWith("The comparison load is not drawn: "))
        << d.compareProblem.toStdString();
    EXPECT_TRUE(d.compareProblem.contains("deleted.csv")) << d.compareProblem.toStdString();

    // The same comparison with a standard table flies, and nothing is said.
    model.form.comparison.setFile(saveLoad("standard.qvt", [](LoadForm& f) {
        f.fields[0] = "Standard";
        f.precision.setOn(true);
    }));
    d = refresh();
    EXPECT_TRUE(d.comparing);
    EXPECT_EQ(d.series2.legend, QStringLiteral("Standard"));
    EXPECT_TRUE(d.compareProblem.isEmpty()) << d.compareProblem.toStdString();
}

// The list once offered only the program's folder, empty and read-only for an installed copy.
TEST(CompareChoices, TheLoadsFolderThenTheProgramsThenTheUsersOwn) {
    UserDataHome user;
    TestAppFolder app(false);
    QTemporaryDir loads;
    const auto write = [](const QString& path) {
        QFile f(path);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x\r\n");
    };
    const QString current = loads.filePath("current.qvt");
    write(current);
    write(loads.filePath("beside.qvt"));
    write(loads.filePath("both.qvt"));
    write(loads.filePath("notes.txt"));
    write(app.file("program.qvt"));
    write(app.file("both.qvt"));
    write(user.quorvel("mine.qvt"));

    QStringList names, paths;
    for (const CompareChoice& c : GraphModel::compareChoices(current)) {
        names << c.name;
        paths << c.path;
    }
    // Each folder sorted by name; a name once, from the load's own folder; never the load itself.
    EXPECT_EQ(names, (QStringList{"beside.qvt", "both.qvt", "program.qvt", "mine.qvt"}));
    EXPECT_EQ(paths[1], loads.filePath("both.qvt"));
    EXPECT_EQ(paths[3], user.quorvel("mine.qvt"));
    EXPECT_EQ(GraphModel::compareFileFor("mine.qvt", current), user.quorvel("mine.qvt"));
    EXPECT_EQ(GraphModel::compareFileFor("beside.qvt", current), loads.filePath("beside.qvt"));
    EXPECT_EQ(GraphModel::compareFileFor("beside.qvt"), QString()); // no load on screen
    // Without a load on screen the program's and the user's folders remain.
    names.clear();
    for (const CompareChoice& c : GraphModel::compareChoices())
        names << c.name;
    EXPECT_EQ(names, (QStringList{"both.qvt", "program.qvt", "mine.qvt"}));
}

TEST_F(GraphModelTest, ALoadNamingItselfIsNotComparedWithItself) {
    const QString own = saveLoad("own.qvt", [](LoadForm&) {});
    model.form.comparison.setFile(own);
    graph.loadFile = folder.path() + "/./own.qvt"; // the same file, spelt another way
    GraphData d = refresh();
    EXPECT_FALSE(d.comparing);
    EXPECT_EQ(d.series2.size(), 1u);
    EXPECT_EQ(d.compareProblem,
              "The comparison file is this load itself: it is not compared with itself.");
    // The same file under another load is a comparison as before.
    graph.loadFile = folder.file("other.qvt");
    d = refresh();
    EXPECT_TRUE(d.comparing);
    EXPECT_TRUE(d.compareProblem.isEmpty());
}

TEST_F(GraphModelTest, AMissingComparisonFileIsNamedUnderTheChart) {
    model.form.comparison.setFile("C:\\loads\\6.5x47 Lapua.qvt");
    GraphData d = refresh();
    EXPECT_FALSE(d.comparing);
    EXPECT_EQ(d.compareProblem,
              "The comparison file \"C:\\loads\\6.5x47 Lapua.qvt\" is not there.");
    model.form.comparison.on = false; // not comparing: nothing to say
    EXPECT_TRUE(refresh().compareProblem.isEmpty());
}

TEST_F(GraphModelTest, AComparisonFileThatIsNoLoadIsNotDrawn) {
    QByteArray noise(3000, '\0');
    quint32 seed = 7;
    for (char& b : noise) {
        seed = seed * 1664525u + 1013904223u;
        b = char(seed >> 24);
    }
    model.form.comparison.setFile(folder.write("noise.qvt", noise));
    const GraphData d = refresh();
    EXPECT_FALSE(d.comparing);
    EXPECT_TRUE(d.series2.legend.isEmpty());
    EXPECT_EQ(d.compareProblem, "The comparison file \"" + folder.file("noise.qvt") +
                                    "\" is not a Quorvel load file.");
}

// A missing solver library and a damaged comparison file: the graph's entry point shows the
// library's failures first and the file's after, as they arose.
TEST(GraphWithoutSolver, FailuresKeepTheOrderTheyAroseIn) {
    TestAppFolder folder(false);
    QuietPrompt prompts; // nothing is shown before the entry point reports
    LoadModel model;
    model.form = LoadForm::initial();
    model.refreshAllFields();
    const QString damaged =
        folder.write("damaged.qvt", "Damaged\r\n" + QByteArray(CFileData::MaxLineField + 10, '1') +
                                        "\r\n2650\r\n");
    model.form.comparison.setFile(damaged);
    model.form.comparison.on = true;
    CTextOutput txt;
    GraphModel graph;
    const GraphData d = graph.refresh(model.snapshot(), model.form.comparison, txt);
    qsizetype i = 0;
    while (i < d.failures.size() && d.failures[i].messageText().startsWith("CSmallBall allocMem: "))
        ++i;
    EXPECT_GT(i, 0);
    ASSERT_LT(i, d.failures.size());
    for (; i < d.failures.size(); ++i)
        EXPECT_TRUE(d.failures[i].messageText().startsWith("CFileData "))
            << d.failures[i].messageText().toStdString();
    EXPECT_FALSE(d.comparing);
}
