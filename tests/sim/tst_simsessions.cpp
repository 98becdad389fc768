// The simulator's session document on the File menu, with scripted dialogs and answers: Save,
// Save As, Open, the questions about unsaved changes, a session named on the command line and
// the numbered sessions stepped through with the Next Session buttons.
#include "SimWindowSupport.h"

using namespace WindowFixture;
using namespace SimWindowSupport;

class SimSessionsTest : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir;

private slots:
    void initTestCase() { isolateSettings(settingsDir); }

    void sessionDocumentOnTheFileMenu() {
        TestAppFolder folder(true, true);
        QuietQtPrompt prompts; // an unscripted message fails the test
        ScriptedFileChooser chooser;
        const QString load = writeLoad(folder, "308.qvt", sampleForm("308 Win"));
        ui w(load);
        showActive(w);
        QStringList recent;
        w.mru.changed = [&w, &recent] { recent = w.mru.captions(); };
        SimController* sim = w.simulator;
        SimControlsTab* c = sim->controlsTab;
        w.sstUI->setCurrentIndex(ui::SimControlsPage);

        // Nothing changed since start-up and no session file: no question on the way out.
        QVERIFY(sim->document.queryUnsaved());

        // Save As with the session filter; the typed name gets the dialog's default extension.
        typeAndLeave(c->txtGroupSize, "2.5");
        chooser.files = {folder.file("range0")};
        w.action("mnuSaveAs")->trigger();
        QCOMPARE(chooser.requests.last().request.filter,
                 QStringLiteral("Simulation Files (*.ssn)|*.ssn|All Files (*.*)|*.*"));
        const QString txt = folder.file("range0.ssn");
        QCOMPARE(sim->sim.sessionFile, txt);
        QVERIFY(sessionText(txt).startsWith("2.5\r\n"));
        QCOMPARE(recent, QStringList{txt});
        QVERIFY(
            w.windowTitle().remove(QStringLiteral("[*]")).endsWith("      Session: range0.ssn"));

        // A proper session file to open.
        QFile::copy(txt, folder.file("range1.ssn"));
        typeAndLeave(c->txtGroupSize, "4");
        prompts.answers = {PromptAnswer::Cancel};
        chooser.files = {folder.file("range1.ssn")};
        w.action("mnuOpen")->trigger();
        QCOMPARE(prompts.lastTitle(), QStringLiteral("Unsaved Changes to Simulator Data"));
        QCOMPARE(prompts.lastText(), QStringLiteral("Do you want to Save changes to range0.ssn ?"));
        QCOMPARE(sim->sim.sessionFile, txt); // cancelled: nothing opened
        QCOMPARE(chooser.files.size(), 1);

        prompts.answers = {PromptAnswer::No};
        w.action("mnuOpen")->trigger();
        QCOMPARE(chooser.requests.last().request.filter,
                 QStringLiteral("Simulator Files (*.ssn)|*.ssn|All Files (*.*)|*.*"));
        QCOMPARE(sim->sim.sessionFile, folder.file("range1.ssn"));
        QCOMPARE(c->txtGroupSize->text(), QStringLiteral("2.5"));
        QCOMPARE(w.windowTitle().remove(QStringLiteral("[*]")),
                 QStringLiteral("Quorvel Tables -     Load: 308 Win      Session: range1.ssn"));
        QCOMPARE(recent.first(), folder.file("range1.ssn"));
        QVERIFY(sessionText(txt).startsWith("2.5\r\n")); // No: the old file was left alone

        // Save writes the current session and puts it on top of the recent files.
        typeAndLeave(c->txtGroupSize, "1.5");
        w.action("mnuSave")->trigger();
        QVERIFY(sessionText(folder.file("range1.ssn")).startsWith("1.5\r\n"));
        QCOMPARE(recent.first(), folder.file("range1.ssn"));

        // New on a simulator tab: the new-session values, the file stays.
        sim->simulatorTab->sldZoom->setValue(7);
        // The changed zoom is asked about first; Yes saves it.
        prompts.expected = {QStringLiteral("Do you want to Save changes to range1.ssn ?")};
        prompts.answers = {PromptAnswer::Yes};
        w.action("mnuNew")->trigger();
        QVERIFY(prompts.expected.isEmpty());
        QCOMPARE(c->txtGroupSize->text(), QStringLiteral("3"));
        QCOMPARE(sim->simulatorTab->txtZoom->text(), QStringLiteral("1"));
        QCOMPARE(sim->simulatorTab->ucAngle->value(), 90.0);
        QCOMPARE(sim->simulatorTab->lblRoundsLeft->text(), QStringLiteral("Shots Left = 10"));
        QCOMPARE(sim->sim.sessionFile, folder.file("range1.ssn"));

        // Closing asks about the session first; Yes saves it, then the load is asked about.
        w.inputTab->txtInput(1)->setText("150");
        prompts.clear();
        prompts.answers = {PromptAnswer::Yes, PromptAnswer::No};
        QVERIFY(w.close());
        QCOMPARE(prompts.messages.size(), 2);
        QCOMPARE(prompts.messages[0].title, QStringLiteral("Unsaved Changes to Simulator Data"));
        QCOMPARE(prompts.messages[1].title, QStringLiteral("Unsaved Changes to Load Data"));
        QVERIFY(sessionText(folder.file("range1.ssn")).startsWith("3\r\n"));
    }

    void sessionQuestionsWithoutAFileAndOpenCancelled() {
        TestAppFolder folder(true, true);
        QuietQtPrompt prompts; // an unscripted message fails the test
        ScriptedFileChooser chooser;
        ui w;
        showActive(w);
        SimController* sim = w.simulator;
        SimControlsTab* c = sim->controlsTab;
        w.sstUI->setCurrentIndex(ui::SimulatorPage);
        QVERIFY(sim->sim.sessionFile.isEmpty());

        // Save without a session file asks for one; cancelling saves nothing.
        w.action("mnuSave")->trigger();
        QCOMPARE(chooser.requests.size(), 1);
        QCOMPARE(chooser.requests.last().request.title, QStringLiteral("Save As"));
        QVERIFY(sim->sim.sessionFile.isEmpty());

        // A change without a file: asked about, and Yes asks for a file; cancelling that
        // dialog cancels the command, so the edits are not lost.
        typeAndLeave(c->txtWidth, "20");
        prompts.answers = {PromptAnswer::Yes};
        QVERIFY(!sim->document.queryUnsaved());
        QCOMPARE(prompts.lastTitle(), QStringLiteral("Unsaved Changes to Simulator Data"));
        QCOMPARE(prompts.lastText(), QStringLiteral("Do you want to Save changes to Untitled ?"));
        QCOMPARE(chooser.requests.size(), 2);
        QCOMPARE(chooser.requests.last().request.title, QStringLiteral("Save As"));
        QVERIFY(QFile::exists(folder.file("temp.tmp")));
        QCOMPARE(QDir(folder.path()).entryList({"*.ssn", "*.txt"}, QDir::Files).size(), 0);
        // A name given there saves the session under it.
        chooser.files = {folder.file("first.ssn")};
        prompts.answers = {PromptAnswer::Yes};
        QVERIFY(sim->document.queryUnsaved());
        QCOMPARE(sim->sim.sessionFile, folder.file("first.ssn"));
        QVERIFY(QFile::exists(folder.file("first.ssn")));
        typeAndLeave(c->txtWidth, "20");
        QVERIFY(sim->document.queryUnsaved()); // saved: nothing to ask

        // Cancel keeps everything as it is.
        typeAndLeave(c->txtWidth, "25");
        prompts.answers = {PromptAnswer::Cancel};
        QVERIFY(!sim->document.queryUnsaved());
        QCOMPARE(c->txtWidth->text(), QStringLiteral("25"));

        // Open reads the current session again even when the dialog is cancelled.
        chooser.files = {folder.file("s.ssn")};
        w.action("mnuSaveAs")->trigger();
        QVERIFY(QFile::exists(folder.file("s.ssn")));
        typeAndLeave(c->txtWidth, "30");
        prompts.answers = {PromptAnswer::No};
        w.action("mnuOpen")->trigger(); // nothing scripted: the dialog is cancelled
        QCOMPARE(sim->sim.sessionFile, folder.file("s.ssn"));
        QCOMPARE(c->txtWidth->text(), QStringLiteral("25"));
        prompts.clear();
        QVERIFY(sim->document.queryUnsaved()); // as read: nothing to ask
        QVERIFY(prompts.messages.isEmpty());
        prompts.answers = {PromptAnswer::No, PromptAnswer::No};
        w.close();
    }

    // What the desktop does for a double-clicked ".ssn": the session opens in the simulator, on
    // its controls tab, and the load stays the last one (here none).
    void startUpOpensASessionNamedOnTheCommandLine() {
        TestAppFolder folder(true, true);
        QuietQtPrompt prompts; // an unscripted message fails the test
        ScriptedFileChooser chooser;
        const QString path = folder.file("Range 2.SSN");
        {
            ui first;
            first.sstUI->setCurrentIndex(ui::SimControlsPage);
            typeAndLeave(first.simulator->controlsTab->txtWidth, "20");
            chooser.files = {path};
            first.action("mnuSaveAs")->trigger();
        }
        QVERIFY(QFile::exists(path));
        prompts.clear();

        ui w('"' + path + '"');
        QCOMPARE(w.simulator->sim.sessionFile, path);
        QCOMPARE(w.simulator->controlsTab->txtWidth->text(), QStringLiteral("20"));
        QCOMPARE(w.sstUI->currentIndex(), int(ui::SimControlsPage));
        QVERIFY(w.loadDoc.filename.isEmpty());
        QVERIFY(w.windowTitle()
                    .remove(QStringLiteral("[*]"))
                    .endsWith(QStringLiteral("Session: Range 2.SSN")));
        QVERIFY2(prompts.messages.isEmpty(), messagesText(prompts).constData());
    }

    // A session naming another load: the load is read once the whole session is in place, and
    // the simulator's trajectory is then the new load's.
    void anOpenedSessionReadsItsLoadAfterwards() {
        TestAppFolder folder(true, true);
        QuietQtPrompt prompts; // an unscripted message fails the test
        const QString slow = writeLoad(folder, "308.qvt", sampleForm("308 Win"));
        LoadForm fastForm = sampleForm("Fast");
        fastForm.fields[2] = QStringLiteral("3200");
        const QString fast = writeLoad(folder, "fast.qvt", fastForm);
        ui w(slow);
        showActive(w);
        SimController* sim = w.simulator;
        QCOMPARE(sim->sim.hud.record().muzzleVelocity, 2650.0f);

        SessionFile::Values values = sim->sim.fileValues();
        values.settings.txtGroupSize = QStringLiteral("1.25");
        values.loadFile = fast;
        const QString session = folder.file("fast.ssn");
        QVERIFY(!SessionFile::write(session, values));
        prompts.answers = {PromptAnswer::No};
        QVERIFY(sim->document.openRecent(session));
        QCOMPARE(w.loadDoc.filename, fast);
        QCOMPARE(sim->controlsTab->txtGroupSize->text(), QStringLiteral("1.25"));
        QCOMPARE(sim->sim.hud.record().muzzleVelocity, 3200.0f);
        QVERIFY(w.windowTitle()
                    .remove(QStringLiteral("[*]"))
                    .endsWith(QStringLiteral("Load: Fast      Session: fast.ssn")));
        for (const RecordedMessage& m : prompts.messages)
            QCOMPARE(m.title, QStringLiteral("Unsaved Changes to Simulator Data"));
    }

    // A session naming another load replaced a load with unsaved edits (a typed MV of 2999 was
    // lost); Next Session dropped unsaved session edits; after a damaged session failed to load,
    // the next Open offered to save over it.
    void everyPathThatReplacesADocumentAsksFirst() {
        TestAppFolder folder(true, true);
        PromptRecorder prompts;
        ScriptedFileChooser chooser;
        const QString slow = writeLoad(folder, "308.qvt", sampleForm("308 Win"));
        const QString fast = writeLoad(folder, "fast.qvt", sampleForm("Fast"));
        const QByteArray slowBytes = bytesOf(slow);
        ui w(slow);
        showActive(w);
        SimController* sim = w.simulator;
        SessionFile::Values values = sim->sim.fileValues();
        values.loadFile = fast;
        QVERIFY(!SessionFile::write(folder.file("fast1.ssn"), values));
        values.loadFile = slow;
        values.settings.txtGroupSize = QStringLiteral("2");
        QVERIFY(!SessionFile::write(folder.file("fast2.ssn"), values));

        w.inputTab->txtInput(2)->setText(QStringLiteral("2999"));
        w.sstUI->setCurrentIndex(ui::SimControlsPage);
        chooser.files = {folder.file("fast1.ssn")};
        prompts.answers = {PromptAnswer::Cancel};
        w.action("mnuOpen")->trigger();
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastTitle(), QStringLiteral("Unsaved Changes to Load Data"));
        QCOMPARE(prompts.lastText(), QStringLiteral("Do you want to Save changes to 308.qvt ?"));
        QCOMPARE(w.loadDoc.filename, slow);
        QCOMPARE(w.inputTab->txtInput(2)->text(), QStringLiteral("2999"));
        QVERIFY(sim->sim.sessionFile.isEmpty()); // nothing opened

        // A recent session asks the same; No opens the session and its load, saving nothing.
        prompts.clear();
        prompts.answers = {PromptAnswer::No};
        QVERIFY(sim->document.openRecent(folder.file("fast1.ssn")));
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastTitle(), QStringLiteral("Unsaved Changes to Load Data"));
        QCOMPARE(w.loadDoc.filename, fast);
        QCOMPARE(bytesOf(slow), slowBytes);

        // Next Session with unsaved session edits asks, as Open does.
        typeAndLeave(sim->controlsTab->txtGroupSize, "5");
        prompts.clear();
        prompts.answers = {PromptAnswer::Cancel};
        sim->simulatorTab->cmdNext[1]->click();
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastTitle(), QStringLiteral("Unsaved Changes to Simulator Data"));
        QCOMPARE(prompts.lastText(), QStringLiteral("Do you want to Save changes to fast1.ssn ?"));
        QCOMPARE(sim->sim.sessionFile, folder.file("fast1.ssn"));
        QCOMPARE(sim->controlsTab->txtGroupSize->text(), QStringLiteral("5"));
        prompts.clear();
        prompts.answers = {PromptAnswer::No};
        sim->simulatorTab->cmdNext[1]->click();
        QCOMPARE(prompts.messages.size(), 1); // the load it brings back is unchanged
        QCOMPARE(sim->sim.sessionFile, folder.file("fast2.ssn"));
        QCOMPARE(sim->controlsTab->txtGroupSize->text(), QStringLiteral("2"));
        QCOMPARE(w.loadDoc.filename, slow);

        // A damaged session: read as far as it goes, it is not the document.
        const QList<QByteArray> lines = bytesOf(folder.file("fast2.ssn")).split('\n');
        QByteArray cut;
        for (int i = 0; i < 10; ++i)
            cut += lines[i] + '\n';
        const QString trunc = folder.write("trunc10.ssn", cut);
        prompts.clear();
        chooser.files = {trunc};
        w.action("mnuOpen")->trigger();
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.lastText().contains(QStringLiteral("record 11")));
        QVERIFY(sim->sim.sessionFile.isEmpty());
        QVERIFY(!w.windowTitle().contains(QStringLiteral("trunc10.ssn")));
        // Unchanged since, nothing is asked; changed, Yes asks for a new name, never trunc10.ssn.
        prompts.clear();
        QVERIFY(sim->document.queryUnsaved());
        QVERIFY(prompts.messages.isEmpty());
        typeAndLeave(sim->controlsTab->txtGroupSize, "7");
        prompts.answers = {PromptAnswer::Yes};
        chooser.files = {QString()}; // Save As cancelled: the whole Open is
        w.action("mnuOpen")->trigger();
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastText(), QStringLiteral("Do you want to Save changes to Untitled ?"));
        QVERIFY(!chooser.requests.last().open);
        QCOMPARE(bytesOf(trunc), cut);
        prompts.answers = {PromptAnswer::No, PromptAnswer::No};
        w.close();
    }

    void nextSessionStepsThroughNumberedFiles() {
        TestAppFolder folder(true, true);
        QuietQtPrompt prompts; // an unscripted message fails the test
        ScriptedFileChooser chooser;
        ui w;
        showActive(w);
        SimController* sim = w.simulator;
        SimControlsTab* c = sim->controlsTab;
        for (const char* size : {"1", "2"}) {
            typeAndLeave(c->txtGroupSize, size);
            chooser.files = {folder.file(QStringLiteral("step%1.ssn").arg(size))};
            w.sstUI->setCurrentIndex(ui::SimControlsPage);
            w.action("mnuSaveAs")->trigger();
        }
        QTest::mouseClick(sim->simulatorTab->cmdNext[0], Qt::LeftButton);
        QCOMPARE(sim->sim.sessionFile, folder.file("step1.ssn"));
        QCOMPARE(c->txtGroupSize->text(), QStringLiteral("1"));
        QTest::mouseClick(sim->simulatorTab->cmdNext[0], Qt::LeftButton); // no step0
        QCOMPARE(sim->sim.sessionFile, folder.file("step1.ssn"));
        QTest::mouseClick(sim->simulatorTab->cmdNext[1], Qt::LeftButton);
        QCOMPARE(c->txtGroupSize->text(), QStringLiteral("2"));
        QVERIFY(w.windowTitle().remove(QStringLiteral("[*]")).endsWith("Session: step2.ssn"));
        // A recent session opens without a question.
        sim->document.openRecent(folder.file("step1.ssn"));
        QCOMPARE(c->txtGroupSize->text(), QStringLiteral("1"));
        QVERIFY(prompts.messages.isEmpty());
        prompts.answers = {PromptAnswer::No, PromptAnswer::No};
        w.close();
    }
};

QTEST_MAIN(SimSessionsTest)
#include "tst_simsessions.moc"
