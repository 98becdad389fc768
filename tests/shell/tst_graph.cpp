// The Graph tab's chart: series data, pens, axis titles, legend; the page's refresh and the
// comparison commands in the window.
#include "WindowFixture.h"
#include "load/LoadModel.h"
#include "load/TableRefresh.h"
#include "services/AppFolders.h"
#include "shell/CGraph.h"
#include "shell/GraphScreenshots.h"
#include "shell/GraphTab.h"
#include "shell/InputTab.h"
#include "shell/dlgChronoVel.h"
#include "shell/dlgPointBlank.h"
#include "shell/ui.h"
#include "sim/widgets/SimController.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QValueAxis>

using namespace WindowFixture;

namespace {

GraphData sample(bool comparing) {
    GraphData d;
    d.series1.x = {0, 100, 200, 300};
    d.series1.y = {2700, 2500, 2300, 2120};
    d.series1.legend = QStringLiteral("308 Win");
    if (comparing) {
        d.series2.x = {0, 100, 200, 300, 400};
        d.series2.y = {2850, 2700, 2560, 2420, 2290};
        d.series2.legend = QStringLiteral("6.5x47");
    } else {
        d.series2.x = {0};
        d.series2.y = {0};
    }
    d.xTitle = QStringLiteral("Range / Yards");
    d.yTitle = QStringLiteral("Velocity / fps");
    d.comparing = comparing;
    return d;
}

QList<QPointF> pointsOf(const std::vector<float>& x, const std::vector<float>& y) {
    QList<QPointF> out;
    for (size_t i = 0; i < x.size(); ++i)
        out.append(QPointF(x[i], y[i]));
    return out;
}

// Runs `act` on the modal dialog of type T as soon as it shows (a dialog's exec would block).
template <typename T, typename F> void whenModal(QObject* context, F act) {
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, context, [timer, act] {
        if (auto* d = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(d);
        }
    });
    timer->start(10);
}

bool markerVisible(QChart* chart, QLineSeries* series) {
    const auto markers = chart->legend()->markers(series);
    return !markers.isEmpty() && markers.front()->isVisible();
}

} // namespace

class GraphTest : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir;

private slots:
    void initTestCase() { isolateSettings(settingsDir); }

    void chartShowsBothSeriesWithTheirStyles() {
        CGraph graph;
        const GraphData d = sample(true);
        graph.graphShow(d);
        QChart* chart = graph.chart();
        QCOMPARE(chart->series().size(), 2);
        QCOMPARE(graph.series1()->points(), pointsOf(d.series1.x, d.series1.y));
        QCOMPARE(graph.series2()->points(), pointsOf(d.series2.x, d.series2.y));
        // The grid is sized for the longer series.
        QCOMPARE(graph.rowCount(), 5);

        QCOMPARE(graph.series1()->pen().style(), Qt::SolidLine);
        QCOMPARE(graph.series1()->pen().color(), QColor(0, 0, 0));
        QCOMPARE(graph.series2()->pen().style(), Qt::DashLine);
        QCOMPARE(graph.series2()->pen().color(), QColor(220, 120, 55));
        QCOMPARE(graph.series1()->name(), QStringLiteral("308 Win"));
        QCOMPARE(graph.series2()->name(), QStringLiteral("6.5x47"));

        QVERIFY(chart->legend()->isVisible());
        QCOMPARE(chart->legend()->alignment(), Qt::AlignBottom);
        QVERIFY(markerVisible(chart, graph.series1()));
        QVERIFY(markerVisible(chart, graph.series2()));

        QCOMPARE(graph.axisX()->titleText(), QStringLiteral("Range / Yards"));
        QCOMPARE(graph.axisY()->titleText(), QStringLiteral("Velocity / fps"));
        for (QValueAxis* axis : {graph.axisX(), graph.axisY()}) {
            QVERIFY(axis->isTitleVisible());
            QCOMPARE(axis->titleFont().pointSize(), 12);
            QCOMPARE(axis->type(), QAbstractAxis::AxisTypeValue);
        }
        QCOMPARE(chart->axes(Qt::Horizontal).size(), 1);
        QCOMPARE(chart->axes(Qt::Vertical).size(), 1);
        // Every point lies inside the axes, which start at round numbers.
        QCOMPARE(graph.axisX()->min(), 0.0);
        QVERIFY(graph.axisX()->max() >= 400);
        QVERIFY(graph.axisY()->min() <= 2120 && graph.axisY()->max() >= 2850);
        QVERIFY(graph.axisY()->min() > 1000); // the axes are not forced through zero
    }

    void withoutComparisonTheZeroPointNeitherNamesNorStretches() {
        CGraph graph;
        graph.graphShow(sample(false));
        QCOMPARE(graph.series2()->points(), QList<QPointF>{QPointF(0, 0)});
        QVERIFY(!markerVisible(graph.chart(), graph.series2()));
        QVERIFY(markerVisible(graph.chart(), graph.series1()));
        QVERIFY(graph.axisY()->min() > 1000);
        QCOMPARE(graph.rowCount(), 4);
        // Drawing a comparison again brings its legend back.
        graph.graphShow(sample(true));
        QVERIFY(markerVisible(graph.chart(), graph.series2()));
    }

    void bothChartCodesDrawTheSameXYChart() {
        CGraph a, b;
        GraphData d = sample(true);
        d.chartType = 2;
        a.graphShow(d);
        d.chartType = 3;
        b.graphShow(d);
        QCOMPARE(a.chartType(), int16_t(2));
        QCOMPARE(a.series1()->points(), b.series1()->points());
        QCOMPARE(a.series1()->type(), QAbstractSeries::SeriesTypeLine);
        QCOMPARE(a.axisY()->min(), b.axisY()->min());
    }

    void aFlatCurveStillGetsAnAxis() {
        CGraph graph;
        GraphData d = sample(false);
        d.series1.y = {0, 0, 0, 0};
        graph.graphShow(d);
        QVERIFY(graph.axisY()->max() > graph.axisY()->min());
    }

    void pageRefreshDrawsTheLoad() {
        TestAppFolder folder;
        PromptRecorder prompts;
        LoadModel model;
        model.form = LoadForm::initial();
        model.refreshAllFields();
        model.form.optMetric1 = true;
        CTextOutput txt;
        QString datFile;
        GraphTab page(model, txt);
        model.form.comparison.on = false;
        QVERIFY(!page.graph->isVisibleTo(&page));
        page.refresh(model.snapshot());
        QVERIFY(page.graph->isVisibleTo(&page));
        QCOMPARE(page.graph->series1()->count(), 81);
        QCOMPARE(page.graph->series1()->at(0), QPointF(0, -2.6f));
        QCOMPARE(page.graph->series2()->count(), 1);
        QCOMPARE(page.graph->axisX()->titleText(), QStringLiteral("Range / Meters"));
        QCOMPARE(page.graph->series1()->name(), QStringLiteral("7.62"));
        QVERIFY(prompts.messages.isEmpty());
    }

    void aComparisonThatCannotBeFlownIsNamedUnderTheChart() {
        TestAppFolder folder;
        PromptRecorder prompts;
        LoadModel model;
        model.form = LoadForm::initial();
        model.refreshAllFields();
        LoadForm saved = sampleForm("Own table");
        saved.precision.setOn(true);
        saved.precision.dragTable = folder.file("deleted.csv");
        model.form.comparison.setFile(writeLoad(folder, "own.qvt", saved));
        CTextOutput txt;
        GraphTab page(model, txt);
        page.refresh(model.snapshot());
        QVERIFY(page.graph->isVisibleTo(&page));
        QCOMPARE(page.graph->series1()->count(), 81);
        QCOMPARE(page.graph->series2()->count(), 1);
        QVERIFY(page.compareProblemLabel->isVisibleTo(&page));
        QVERIFY(page.compareProblemLabel->text().contains(QStringLiteral("deleted.csv")));
        QVERIFY(prompts.messages.isEmpty());

        // Not comparing any more: the note goes with the curve.
        model.form.comparison.on = false;
        page.refresh(model.snapshot());
        QVERIFY(!page.compareProblemLabel->isVisibleTo(&page));
    }

    void windowGraphTabComparesAndToggles() {
        TestAppFolder folder;
        PromptRecorder prompts;
        const QString other = writeLoad(folder, "other.qvt", sampleForm("Other 6.5"));
        ui w;
        GraphTab* page = w.graphTab;
        QCOMPARE(w.sstUI->widget(ui::GraphPage), page);
        QComboBox* box = w.inputTab->cboCompare;
        QVERIFY(box->findText(QStringLiteral("other.qvt")) >= 0);

        w.sstUI->setCurrentIndex(ui::GraphPage);
        // The list shows on the Graph tab.
        QVERIFY(page->isAncestorOf(box));
        QCOMPARE(page->graph->series2()->count(), 1);

        // Choosing in the list compares with that file at once.
        box->setCurrentIndex(box->findText(QStringLiteral("other.qvt")));
        emit box->textActivated(QStringLiteral("other.qvt"));
        QCOMPARE(w.model.form.comparison.file, other);
        QCOMPARE(page->graph->series2()->count(), page->graph->series1()->count());
        QCOMPARE(page->graph->series2()->name(), QStringLiteral("Other 6.5"));

        // Use Compare off: the list says so, and the graph is drawn again without it.
        QAction* use = w.action(QStringLiteral("mnuUseCompare"));
        use->trigger();
        QCOMPARE(box->currentText(), QStringLiteral("Not comparing"));
        QVERIFY(!w.model.form.comparison.on);
        QCOMPARE(page->graph->series2()->points(), QList<QPointF>{QPointF(0, 0)});
        use->trigger();
        QCOMPARE(box->currentText(), QStringLiteral("other.qvt"));
        QCOMPARE(page->graph->series2()->count(), page->graph->series1()->count());

        // A typed name that does not exist clears the comparison, and says why.
        QVERIFY(prompts.messages.isEmpty());
        emit box->textActivated(QStringLiteral("nothing.qvt"));
        QVERIFY(w.model.form.comparison.file.isEmpty());
        QCOMPARE(page->graph->series2()->count(), 1);
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastTitle(), QStringLiteral("File Not Found"));
        QVERIFY(prompts.lastText().contains(QStringLiteral("nothing.qvt")));
        prompts.clear();

        // Back on the Input tab the list returns there.
        w.sstUI->setCurrentIndex(ui::InputPage);
        QVERIFY(!page->isAncestorOf(box));
        QVERIFY(w.inputTab->isAncestorOf(box));
        QVERIFY(prompts.messages.isEmpty());
    }

    void compareFileMenuChoosesOrKeepsEverything() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ScriptedFileChooser chooser;
        const QString other = writeLoad(folder, "chosen.qvt", sampleForm("Chosen"));
        ui w;
        GraphTab* page = w.graphTab;
        w.loadDoc.filename = folder.file("current.qvt");
        w.model.form.comparison.setFile(QString());
        QAction* use = w.action(QStringLiteral("mnuUseCompare"));
        use->trigger(); // off
        QVERIFY(!use->isChecked());
        QStringList added;
        w.mru.changed = [&w, &added] { added = w.mru.captions(); };

        // Cancel: nothing changes.
        const QString shown = w.inputTab->cboCompare->currentText();
        w.mnuCompare_Click();
        QVERIFY(w.model.form.comparison.file.isEmpty());
        QCOMPARE(w.loadDoc.filename, folder.file("current.qvt"));
        QCOMPARE(w.inputTab->cboCompare->currentText(), shown);
        QVERIFY(!use->isChecked());
        QVERIFY(added.isEmpty());

        // A chosen file becomes the comparison; the current load file stays current.
        chooser.files << other;
        w.sstUI->setCurrentIndex(ui::GraphPage);
        w.mnuCompare_Click();
        QCOMPARE(w.model.form.comparison.file, other);
        QCOMPARE(w.loadDoc.filename, folder.file("current.qvt"));
        QCOMPARE(w.inputTab->cboCompare->currentText(), QStringLiteral("chosen.qvt"));
        QVERIFY(use->isChecked());
        QCOMPARE(added, QStringList{other});
        QCOMPARE(page->state.compareInput.cart, QStringLiteral("Chosen"));
        QCOMPARE(page->graph->series2()->name(), QStringLiteral("Chosen"));
        QCOMPARE(chooser.requests.size(), 2);
        QVERIFY(chooser.requests.front().request.filter.startsWith("Quorvel Table Files (*.qvt)"));
        QVERIFY(prompts.messages.isEmpty());
    }

    // The list offered only the program's folder (empty for an installed copy), showed the name
    // of a comparison file that was not there with no curve, and let a load compare with itself.
    void comparisonListFindsTheUsersLoadsAndSaysWhatIsMissing() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ScriptedFileChooser chooser;
        QTemporaryDir loads;
        LoadForm own = sampleForm("Own");
        own.comparison.setFile(loads.filePath("gone.qvt"));
        const QString current = loads.filePath("current.qvt");
        QVERIFY(LoadFile::dataSaveTable(current, own));
        QVERIFY(LoadFile::dataSaveTable(loads.filePath("beside.qvt"), sampleForm("Beside")));
        // The per-user data folder (the test mode's own); the file goes with the test.
        QVERIFY(QDir().mkpath(MSmallBallStruct::userFolder()));
        const QString mine = MSmallBallStruct::userFolder() + QStringLiteral("/mine-h22.qvt");
        QVERIFY(LoadFile::dataSaveTable(mine, sampleForm("Mine")));
        const auto removeMine = qScopeGuard([&mine] { QFile::remove(mine); });
        {
            // Started with it (the desktop, a session): no message, the list says it all.
            ui started(current);
            QCOMPARE(started.inputTab->cboCompare->currentText(), QStringLiteral("No Comparison"));
            QVERIFY2(prompts.messages.isEmpty(), messagesText(prompts).constData());
        }
        ui w;
        QComboBox* box = w.inputTab->cboCompare;
        chooser.files << current;
        w.mnuOpen_Click();
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastTitle(), QStringLiteral("Comparison File Not Found"));
        QVERIFY(prompts.lastText().contains(loads.filePath("gone.qvt")));
        QCOMPARE(box->currentText(), QStringLiteral("No Comparison"));
        QVERIFY(box->findText(QStringLiteral("beside.qvt")) >= 0);
        QVERIFY(box->findText(QStringLiteral("mine-h22.qvt")) >= 0);
        QCOMPARE(box->findText(QStringLiteral("current.qvt")), -1);
        prompts.clear();

        GraphTab* page = w.graphTab;
        w.sstUI->setCurrentIndex(ui::GraphPage);
        QCOMPARE(page->graph->series2()->count(), 1);
        QVERIFY(page->compareProblemLabel->isVisibleTo(page));
        QVERIFY(page->compareProblemLabel->text().contains(QStringLiteral("gone.qvt")));

        // A load beside it, and one in the user's folder, compare at once.
        emit box->textActivated(QStringLiteral("beside.qvt"));
        QCOMPARE(w.model.form.comparison.file, loads.filePath("beside.qvt"));
        QCOMPARE(page->graph->series2()->name(), QStringLiteral("Beside"));
        emit box->textActivated(QStringLiteral("mine-h22.qvt"));
        QCOMPARE(w.model.form.comparison.file, mine);
        QCOMPARE(page->graph->series2()->name(), QStringLiteral("Mine"));
        QVERIFY(!page->compareProblemLabel->isVisibleTo(page));

        // The load itself chosen with Compare File: no second curve of the same load.
        chooser.files << current;
        w.mnuCompare_Click();
        QCOMPARE(page->graph->series2()->count(), 1);
        QVERIFY(page->compareProblemLabel->text().contains(QStringLiteral("itself")));
        QVERIFY2(prompts.messages.isEmpty(), messagesText(prompts).constData());
    }

    void sideDialogsOpenFromTheMenuAndLeaveTheSimulatorWhole() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ui w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // The simulator's view computes its trajectory and keeps it.
        w.sstUI->setCurrentIndex(ui::SimulatorPage);
        w.sstUI->setCurrentIndex(ui::InputPage);
        QString velocity, range;
        // The chronograph correction shares the simulator's library: no leak is reported.
        whenModal<dlgChronoVel>(&w, [&](dlgChronoVel* d) {
            d->txtChronoDist->setText(QStringLiteral("15"));
            d->cmdCalculate_Click();
            velocity = d->txtCalcMv->text();
            d->reject();
        });
        w.action(QStringLiteral("mnuVelocityChronoCorrection"))->trigger();
        QVERIFY(!velocity.isEmpty());
        whenModal<dlgPointBlank>(&w, [&](dlgPointBlank* d) {
            d->btnCalculate_Click();
            range = d->txtMaxRange->text();
            d->reject();
        });
        w.action(QStringLiteral("mnuPointBlankRange"))->trigger();
        QVERIFY(!range.isEmpty());
        // The simulator takes its trajectory back and releases it without a leak.
        w.sstUI->setCurrentIndex(ui::SimulatorPage);
        emit w.closing();
        QVERIFY(!w.simulator->sim.hud.isComputed());
        QVERIFY(prompts.messages.isEmpty());
    }

    void documentationPicturesAreWritten() {
        TestAppFolder folder;
        PromptRecorder prompts;
        QTemporaryDir shots;
        ui w;
        w.resize(1280, 900);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QString compareBefore = w.model.form.comparison.file;
        QVERIFY(GraphScreenshots::take(w, shots.path()));
        for (const char* name :
             {"graph.png", "graph_nocompare.png", "pointblank.png", "chrono.png"}) {
            const QImage image(QDir(shots.path()).filePath(QString::fromLatin1(name)));
            QVERIFY2(!image.isNull(), name);
            QVERIFY(image.width() > 300 && image.height() > 150);
        }
        // The window's own comparison is as it was.
        QCOMPARE(w.model.form.comparison.file, compareBefore);
        QVERIFY(w.action(QStringLiteral("mnuUseCompare"))->isChecked());
        QVERIFY(prompts.messages.isEmpty());
    }
};

QTEST_MAIN(GraphTest)
#include "tst_graph.moc"
