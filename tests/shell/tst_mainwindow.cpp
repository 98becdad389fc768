// The main window: tabs and menus as built, start-up, the caption, the Table tab, the refresh's
// busy flag, key recording and closing with its questions.
#include "UserDataHome.h"
#include "WindowFixture.h"
#include "load/TableRefresh.h"
#include "services/AppFolders.h"
#include "services/FileChooser.h"
#include "shell/InputTab.h"
#include "shell/TableTab.h"
#include "shell/ui.h"
#include "sim/widgets/SimController.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTest>
#include <stdexcept>

using namespace WindowFixture;

class MainWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir;

private slots:
    void initTestCase() { isolateSettings(settingsDir); }

    void tabsAndMenusAsDesigned() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ui w;
        const QStringList captions{"Input", "Table", "Graph", "Simulator Controls",
                                   "Shooting Simulator"};
        QCOMPARE(w.sstUI->count(), captions.size());
        for (int i = 0; i < captions.size(); ++i)
            QCOMPARE(w.sstUI->tabText(i), captions[i]);
        QCOMPARE(w.sstUI->currentIndex(), 0);

        struct Expect {
            const char* name;
            const char* caption;
            const char* shortcut;
        };
        const Expect items[] = {
            {"mnuNew", "&New", "Ctrl+N"},
            {"mnuOpen", "&Open\u2026", "Ctrl+O"},
            {"mnuSave", "&Save", "Ctrl+S"},
            {"mnuSaveAs", "Save &As\u2026", "Ctrl+Shift+S"},
            {"mnuPrint", "&Print\u2026", "Ctrl+P"},
            {"mnuExit", "E&xit", "Ctrl+Q"},
            {"mnuOptionsTop", "Options\u2026", ""},
            {"mnuUseCompare", "&Use Compare", ""},
            {"mnuCompare", "&Compare File\u2026", ""},
            {"mnuPointBlankRange", "&Point Blank Range\u2026", ""},
            {"mnuVelocityChronoCorrection", "&Velocity Chrono Correction\u2026", ""},
            {"mnuContents", "&Contents", "Ctrl+H"},
            {"mnuAbout", "&About", ""},
        };
        for (const Expect& e : items) {
            QAction* a = w.action(e.name);
            QVERIFY2(a, e.name);
            QCOMPARE(a->text(), QString::fromUtf8(e.caption));
            QCOMPARE(a->shortcut(), QKeySequence(QString::fromLatin1(e.shortcut)));
        }
        QVERIFY(w.action("mnuContents")->shortcuts().contains(QKeySequence(Qt::Key_F1)));
        QVERIFY(w.action("mnuUseCompare")->isCheckable());
        QVERIFY(w.action("mnuUseCompare")->isChecked());
        QVERIFY(!w.action("mnuMRU")->isVisible());
        QStringList menus;
        for (QAction* m : w.menuBar()->actions())
            menus << m->text();
        QCOMPARE(menus, (QStringList{"&File", "Op&tions", "&Help"}));
        QVERIFY2(prompts.messages.isEmpty(), messagesText(prompts).constData());
    }

    void inputTabControls() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ui w;
        InputTab& page = *w.inputTab;
        QCOMPARE(page.txtInput(1)->objectName(), QStringLiteral("txtInput_1"));
        QCOMPARE(page.txtInput(1)->toolTip(),
                 QStringLiteral("Bullet weight must be between 1 and 600 grains."));
        QVERIFY(page.txtInput(11)->toolTip().isEmpty());
        QCOMPARE(page.label1(21)->text(), QStringLiteral("Target Speed"));
        QCOMPARE(page.label1(20)->text(), QStringLiteral("Compare to:"));
        QCOMPARE(page.label1(22)->text(), QStringLiteral("Drag Model"));
        QCOMPARE(page.label1(18)->text(), QStringLiteral("Pressure \"Hg"));
        QCOMPARE(page.cboDrag->toolTip(), QStringLiteral("G1 is what manufacturers use"));
        QCOMPARE(page.cboDrag->count(), 8);
        QCOMPARE(page.optMetric[0]->toolTip(), QStringLiteral("Only affects range"));
        QCOMPARE(page.chkMilrange->toolTip(),
                 QStringLiteral("Show MilInch ranging system in Table"));
        QCOMPARE(w.model.values.killZone, 10.0f);
    }

    void advancedShowsAndHidesExactlyTheExtras() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ui w;
        w.show();
        InputTab& page = *w.inputTab;
        page.chkAdvanced->setChecked(true);
        page.chkAdvanced->setChecked(false);
        const QList<int> hiddenFields{8, 9, 11, 12, 13, 14, 17, 18, 19, 20};
        const QList<int> hiddenLabels{8, 9, 11, 12, 13, 14, 17, 18, 19, 21, 22};
        for (int i = 0; i < 21; ++i) {
            if (i == 16) continue; // follows MilRange
            QCOMPARE(page.txtInput(i)->isVisible(), !hiddenFields.contains(i));
        }
        for (int i : hiddenLabels)
            QVERIFY(!page.label1(i)->isVisible());
        QVERIFY(!page.cboDrag->isVisible());
        QVERIFY(page.cboCompare->isVisible());
        QVERIFY(page.label1(20)->isVisible()); // "Compare to:" stays with its list
        QCOMPARE(w.model.form.chkAdvanced, 0);

        page.chkAdvanced->setChecked(true);
        QCOMPARE(w.model.form.chkAdvanced, 1);
        for (int i : hiddenFields)
            QVERIFY(page.txtInput(i)->isVisible());
        QVERIFY(page.cboDrag->isVisible());

        page.chkMilrange->setChecked(false);
        QVERIFY(!page.txtInput(16)->isVisible());
        page.chkMilrange->setChecked(true);
        QVERIFY(page.txtInput(16)->isVisible());
        QVERIFY(page.label1(16)->isVisible());
    }

    void startUpOpensTheCommandLineFile() {
        TestAppFolder folder;
        PromptRecorder prompts;
        const QString path = writeLoad(folder, "cmd load.qvt", sampleForm("308 Win"));
        {
            ui quoted('"' + path + '"');
            QCOMPARE(quoted.loadDoc.filename, path);
        }
        ui w(path);
        QCOMPARE(w.loadDoc.filename, path);
        QCOMPARE(w.windowTitle().remove(QStringLiteral("[*]")),
                 QStringLiteral("Quorvel Tables -     Load: 308 Win"));
        QCOMPARE(w.inputTab->txtInput(0)->text(), QStringLiteral("308 Win"));
        QCOMPARE(w.model.values.in1.ibweight, int16_t(168));
        QVERIFY2(prompts.messages.isEmpty(), messagesText(prompts).constData());
    }

    void startUpIgnoresAMissingCommandLineFile() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ui w(folder.file("no such load.qvt"));
        QVERIFY(w.loadDoc.filename.isEmpty());
        QCOMPARE(w.inputTab->txtInput(0)->text(), QStringLiteral("7.62"));
        // The designed altitude sets the standard temperature.
        QCOMPARE(w.inputTab->txtInput(9)->text(), QStringLiteral("41.17"));
        QVERIFY2(prompts.messages.isEmpty(), messagesText(prompts).constData());
    }

    void startUpKeepsTheFilesTemperatureAndPressure() {
        TestAppFolder folder;
        PromptRecorder prompts;
        LoadForm form = sampleForm("Cold");
        form.fields[8] = QStringLiteral("3000");
        form.fields[9] = QStringLiteral("20");
        form.fields[18] = QStringLiteral("27.1");
        ui w(writeLoad(folder, "cold.qvt", form));
        QCOMPARE(w.inputTab->txtInput(9)->text(), QStringLiteral("20"));
        QCOMPARE(w.inputTab->txtInput(18)->text(), QStringLiteral("27.1"));
        QCOMPARE(w.model.values.in1.temp, 20.0f);
        QCOMPARE(w.model.values.pressure, 27.1f);
    }

    void compareListHoldsTheLoadsOfTheAppFolder() {
        TestAppFolder folder;
        PromptRecorder prompts;
        writeLoad(folder, "b.qvt", sampleForm("B"));
        writeLoad(folder, "a.qvt", sampleForm("A"));
        folder.write("notes.txt", "x");
        ui w;
        QComboBox* box = w.inputTab->cboCompare;
        QStringList names;
        for (int i = 0; i < box->count(); ++i)
            names << box->itemText(i);
        QCOMPARE(names, (QStringList{"a.qvt", "b.qvt"}));
    }

    // An installed copy's folder holds no loads of the user's: the list uses the per-user data
    // folder instead, and the file dialogs start in the user's own folders.
    void anInstalledCopyListsAndOpensTheUsersLoads() {
        TestAppFolder folder;
        folder.write(QString::fromLatin1(MSmallBallStruct::installedMarker), "installed\n");
        writeLoad(folder, "shipped.qvt", sampleForm("Shipped"));
        // The per-user folder of this test (test mode would put it under the real home).
        QStandardPaths::setTestModeEnabled(false);
        const auto restore = qScopeGuard([] { QStandardPaths::setTestModeEnabled(true); });
        UserDataHome user;
        const QString mine = user.quorvel("mine.qvt");
        QDir().mkpath(QFileInfo(mine).path());
        QVERIFY(QFile::copy(folder.file("shipped.qvt"), mine));
        PromptRecorder prompts;
        ui w;
        QComboBox* box = w.inputTab->cboCompare;
        QCOMPARE(box->count(), 1);
        QCOMPARE(box->itemText(0), QStringLiteral("mine.qvt"));
        QVERIFY(fileChooser().folder != folder.path());
        QVERIFY(QFileInfo(fileChooser().folder).isDir());
    }

    void editsReachTheRecordAndAltitudeRefreshShows() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ui w;
        InputTab& page = *w.inputTab;
        page.txtInput(1)->setText("12.5");
        QCOMPARE(w.model.values.in1.ibweight, int16_t(12));
        page.txtInput(8)->setText("0");
        QCOMPARE(page.txtInput(9)->text(), QStringLiteral("59"));
        QCOMPARE(w.model.form.fields[9], QStringLiteral("59"));
        QCOMPARE(w.model.values.in1.temp, 59.0f);
        QCOMPARE(page.txtInput(18)->text(), w.model.form.fields[18]);
        page.txtNotes->setPlainText("line one\nline, two");
        QCOMPARE(w.model.form.notes, QStringLiteral("line one\r\nline, two"));
        page.cboDrag->setCurrentIndex(4);
        QCOMPARE(w.model.form.dragIndex, 4);
        page.optMetric[1]->setChecked(true);
        QVERIFY(w.model.form.optMetric1);
        page.optYaxis[3]->setChecked(true);
        QCOMPARE(w.model.form.yAxis, 3);
    }

    void tableTabShowsTheTableOfTheForm() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ui w;
        w.inputTab->txtInput(3)->setText("1500");
        w.inputTab->txtInput(5)->setText("100");
        w.sstUI->setCurrentIndex(ui::TablePage);
        const QString shown = w.tableTab->txtOutput->toPlainText();
        LoadModel copy;
        copy.applyForm(w.model.form);
        CTextOutput txt;
        QString expected = TableRefresh::shownText(TableRefresh::table(copy.snapshot(), txt));
        expected.replace("\r\n", "\n");
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown, expected);
        QVERIFY(!shown.contains('\r'));
        QVERIFY(shown.contains("Range"));
        QVERIFY(w.tableTab->txtOutput->isReadOnly());
        QCOMPARE(w.tableTab->txtOutput->lineWrapMode(), QPlainTextEdit::NoWrap);
        // Fixed width as drawn: a narrow and a wide letter take the same room.
        const QFontMetricsF metrics(w.tableTab->txtOutput->font());
        QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')),
                 metrics.horizontalAdvance(QLatin1Char('W')));
        QVERIFY(!w.isBusy());

        // A changed field shows at the next switch to the tab.
        w.sstUI->setCurrentIndex(ui::InputPage);
        w.inputTab->txtInput(0)->setText("Changed Name");
        w.sstUI->setCurrentIndex(ui::TablePage);
        QVERIFY(w.tableTab->txtOutput->toPlainText().startsWith("Changed Name"));
    }

    void bcCaptionShowsTheCorrectedCoefficient() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ui w;
        QLabel* caption = w.inputTab->label1(10);
        QCOMPARE(caption->text(), QStringLiteral("BC"));
        w.inputTab->chkAdvanced->setChecked(true); // 5000 ft: the air corrects the coefficient
        w.sstUI->setCurrentIndex(ui::TablePage);
        QVERIFY2(caption->text().startsWith("BC ("), qPrintable(caption->text()));
        const std::optional<float> handed = w.model.snapshot().handedBc();
        QVERIFY(handed);
        QCOMPARE(caption->text(), TableRefresh::bcCaption(w.model.snapshot(), *handed));
        w.sstUI->setCurrentIndex(ui::InputPage);
        w.inputTab->chkAdvanced->setChecked(false);
        w.sstUI->setCurrentIndex(ui::TablePage);
        QCOMPARE(caption->text(), QStringLiteral("BC"));
    }

    void busyFlagIsClearedAfterAFailure() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ui w;
        int calls = 0;
        QObject::connect(&w, &ui::tabShown, &w, [&calls](int tab) {
            if (tab != ui::GraphPage) return;
            ++calls;
            throw std::runtime_error("chart failed");
        });
        w.sstUI->setCurrentIndex(ui::GraphPage);
        QCOMPARE(calls, 1);
        QVERIFY(!w.isBusy());
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastText(), QStringLiteral("ui showTableOrGraph: 51 - chart failed"));
        QVERIFY(QApplication::overrideCursor() == nullptr);
        // Later refreshes are not blocked.
        w.sstUI->setCurrentIndex(ui::TablePage);
        QVERIFY(!w.tableTab->txtOutput->toPlainText().isEmpty());
        w.sstUI->setCurrentIndex(ui::GraphPage);
        QCOMPARE(calls, 2);
    }

    void captionFollowsLoadsAndSessions() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ScriptedFileChooser chooser;
        ui w;
        QCOMPARE(w.windowTitle().remove(QStringLiteral("[*]")), QStringLiteral("Quorvel Tables"));
        w.loadDoc.filename = writeLoad(folder, "any name.qvt", sampleForm("308 Win"));
        QVERIFY(w.loadDoc.dataLoad());
        QCOMPARE(w.windowTitle().remove(QStringLiteral("[*]")),
                 QStringLiteral("Quorvel Tables -     Load: 308 Win"));
        static_cast<SimWindow&>(w).setSessionCaption("deer.ssn");
        QCOMPARE(w.windowTitle().remove(QStringLiteral("[*]")),
                 QStringLiteral("Quorvel Tables -     Load: 308 Win      Session: deer.ssn"));
        // Typing a new name does not change the caption until a file is read.
        w.inputTab->txtInput(0)->setText("Other");
        QVERIFY(w.windowTitle().remove(QStringLiteral("[*]")).contains("308 Win"));
    }

    void fileMenuActsOnTheDocumentOfTheTab() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ScriptedFileChooser chooser;
        ui w;
        w.sstUI->setCurrentIndex(ui::SimControlsPage);
        QVERIFY(w.isSimTab());
        QCOMPARE(&w.currentDocument(), static_cast<Document*>(&w.simulator->document));
        w.action("mnuSave")->trigger(); // no session file yet: Save As, cancelled
        QCOMPARE(chooser.requests.size(), 1);
        QVERIFY(chooser.requests.last().request.filter.startsWith("Simulation Files (*.ssn)"));
        w.sstUI->setCurrentIndex(ui::GraphPage);
        QVERIFY(!w.isSimTab());
        QCOMPARE(&w.currentDocument(), static_cast<Document*>(&w.loadDoc));
        w.action("mnuSaveAs")->trigger(); // load data: the save dialog, cancelled
        QCOMPARE(chooser.requests.size(), 2);
        QCOMPARE(chooser.requests.last().request.title, QStringLiteral("Save As"));
        QVERIFY(chooser.requests.last().request.filter.startsWith("Quorvel Tables Files (*.qvt)"));
    }

    void closingAsksSessionThenLoadAndCancelKeepsTheWindow() {
        TestAppFolder folder(true, true);
        PromptRecorder prompts;
        ScriptedFileChooser chooser;
        const QString path = writeLoad(folder, "308.qvt", sampleForm("308 Win"));
        ui w(path);
        w.show();
        w.sstUI->setCurrentIndex(ui::SimulatorPage); // the simulator computes its trajectory
        QVERIFY(w.simulator->sim.hud.isComputed());
        w.simulator->sim.settings.txtGroupSize = QStringLiteral("2.25"); // a session edit
        w.inputTab->txtInput(1)->setText("150");                         // a load edit

        prompts.answers = {PromptAnswer::Cancel}; // Cancel in the session question
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastTitle(), QStringLiteral("Unsaved Changes to Simulator Data"));
        QVERIFY(w.simulator->sim.hud.isComputed());

        prompts.answers = {PromptAnswer::No, PromptAnswer::Cancel};
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(prompts.lastTitle(), QStringLiteral("Unsaved Changes to Load Data"));
        QVERIFY(w.simulator->sim.hud.isComputed());

        prompts.answers = {PromptAnswer::No, PromptAnswer::No};
        QVERIFY(w.close());
        QVERIFY(!w.simulator->sim.hud.isComputed()); // the simulator let go of its trajectory
    }

    void keysAreRecorded() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ui w;
        w.show();
        QTest::keyClick(w.inputTab->txtInput(0), Qt::Key_R);
        QCOMPARE(w.keyPress, int16_t(82));
        QTest::keyClick(w.inputTab->txtInput(0), Qt::Key_B, Qt::ShiftModifier);
        QCOMPARE(w.keyPress, int16_t(66));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
