// The simulator tabs as a shooter meets them: edits are not thrown away without the question,
// a refused box keeps the focus against a tab click, a session naming a missing load says so and
// still counts as unchanged.
#include <QApplication>

#include "../shell/ScriptedFileChooser.h"
#include "../shell/WindowFixture.h"
#include "QuietQtPrompt.h"
#include "shell/ui.h"
#include "sim/widgets/HudView.h"
#include "sim/widgets/SimController.h"
#include "sim/widgets/SimControlsTab.h"
#include "sim/widgets/SimulatorTab.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace WindowFixture;

namespace {

void showActive(ui& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

// A session saved from the window, with the notes given; its path.
QString saveSession(ui& w, ScriptedFileChooser& chooser, const QString& path) {
    chooser.files = {path};
    w.sstUI->setCurrentIndex(ui::SimControlsPage);
    w.action("mnuSaveAs")->trigger();
    return w.simulator->sim.sessionFile;
}

void typeNotes(SimControlsTab* c, const QString& text) {
    c->txtSimNotes->setFocus();
    QTest::keyClicks(c->txtSimNotes, text);
}

} // namespace

class SimAsUsedTest : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir;

private slots:
    void initTestCase() { isolateSettings(settingsDir); }

    // Picking a session from the recent files, or New, asks about unsaved session edits, as
    // the load side does; Cancel keeps the edit.
    void sessionEditsAreNotDroppedWithoutTheQuestion() {
        TestAppFolder folder(true, true);
        QuietQtPrompt prompts; // an unscripted message fails the test
        ScriptedFileChooser chooser;
        ui w;
        showActive(w);
        SimControlsTab* c = w.simulator->controlsTab;
        const QString notes = saveSession(w, chooser, folder.file("notes.ssn"));
        QCOMPARE(notes, folder.file("notes.ssn"));
        QCOMPARE(w.mru.caption(0), notes);
        prompts.clear();

        typeNotes(c, QStringLiteral("wind gusting"));
        prompts.answers = {PromptAnswer::Cancel};
        w.mnuMRU_Click(0);
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastTitle(), QStringLiteral("Unsaved Changes to Simulator Data"));
        QVERIFY(c->txtSimNotes->toPlainText().contains(QStringLiteral("wind gusting")));

        prompts.clear();
        prompts.answers = {PromptAnswer::Cancel};
        w.action("mnuNew")->trigger(); // Ctrl+N on a simulator tab
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastTitle(), QStringLiteral("Unsaved Changes to Simulator Data"));
        QVERIFY(c->txtSimNotes->toPlainText().contains(QStringLiteral("wind gusting")));

        // No: the recent session is read again, the edit gone as asked.
        prompts.clear();
        prompts.answers = {PromptAnswer::No};
        w.mnuMRU_Click(0);
        QVERIFY(!c->txtSimNotes->toPlainText().contains(QStringLiteral("wind gusting")));
        prompts.answers = {PromptAnswer::No, PromptAnswer::No};
        w.close();
    }

    // A group size the box refused keeps the focus even when another tab is clicked, and Fire
    // never shoots with it.
    void aRefusedBoxHoldsAgainstATabClick() {
        TestAppFolder folder(true, true);
        QuietQtPrompt prompts; // an unscripted message fails the test
        ui w;
        showActive(w);
        SimControlsTab* c = w.simulator->controlsTab;
        w.sstUI->setCurrentIndex(ui::SimControlsPage);
        c->txtGroupSize->setFocus();
        c->txtGroupSize->selectAll();
        QTest::keyClicks(c->txtGroupSize, QStringLiteral("abc"));
        prompts.expected = {QStringLiteral("Group size must be between 0.001 and 30.0 in.")};
        w.sstUI->setCurrentIndex(ui::SimulatorPage); // what a click on the tab does
        QTRY_COMPARE(w.sstUI->currentIndex(), int(ui::SimControlsPage));
        QTRY_VERIFY(c->txtGroupSize->hasFocus());
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastTitle(), QStringLiteral("Not a Number"));

        prompts.clear();
        const int fired = w.simulator->sim.session.roundsFired;
        prompts.expected = {QStringLiteral("Group size must be between 0.001 and 30.0 in.")};
        w.simulator->firing.CmdFire_Click(0);
        QCOMPARE(w.simulator->sim.session.roundsFired, fired);
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastText(),
                 QStringLiteral("Group size must be between 0.001 and 30.0 in."));
        prompts.answers = {PromptAnswer::No, PromptAnswer::No};
        c->txtGroupSize->setText(QStringLiteral("3"));
        w.close();
    }

    // A session whose load file is gone: one message naming it, the load on screen stays, and
    // the session does not count as changed (no question at the next Open or at exit).
    void aSessionNamingAMissingLoadSaysSoAndStaysUnchanged() {
        TestAppFolder folder(true, true);
        QuietQtPrompt prompts; // an unscripted message fails the test
        ScriptedFileChooser chooser;
        const QString gone = writeLoad(folder, QStringLiteral("gone.qvt"), sampleForm("Gone"));
        QString session;
        {
            ui w(gone);
            showActive(w);
            session = saveSession(w, chooser, folder.file("range1.ssn"));
            prompts.answers = {PromptAnswer::No, PromptAnswer::No};
            w.close();
        }
        QFile::remove(gone);
        const QString other = writeLoad(folder, QStringLiteral("other.qvt"), sampleForm("Other"));
        prompts.clear();
        ui w(other);
        showActive(w);
        // The session of the last run is read at start-up: it says so once there too.
        QVERIFY2(prompts.messages.size() == 1, messagesText(prompts).constData());
        QVERIFY(w.windowTitle().contains(QStringLiteral("Load: Other")));
        prompts.clear();
        w.sstUI->setCurrentIndex(ui::SimControlsPage);
        chooser.files = {session};
        w.action("mnuOpen")->trigger();
        QVERIFY2(prompts.messages.size() == 1, messagesText(prompts).constData());
        QCOMPARE(prompts.lastTitle(), QStringLiteral("File Not Found"));
        QVERIFY(prompts.lastText().contains(gone));
        QVERIFY(w.windowTitle().contains(QStringLiteral("Load: Other")));
        prompts.clear();
        QVERIFY(w.simulator->document.queryUnsaved());
        QVERIFY2(prompts.messages.isEmpty(), qPrintable(prompts.lastText()));
        w.close();
    }

    // On a 1024 x 640 screen the window with its frame fits, and the scope view fits its tab.
    void theWindowAndTheViewFitASmallScreen() {
        TestAppFolder folder(true, true);
        QuietQtPrompt prompts; // an unscripted message fails the test
        ui w;
        showActive(w);
        const QSize least = w.minimumSizeHint().expandedTo(w.minimumSize());
        QVERIFY2(least.height() <= 560 && least.width() <= 1000,
                 qPrintable(QStringLiteral("%1 x %2").arg(least.width()).arg(least.height())));
        w.resize(1000, 560);
        w.sstUI->setCurrentIndex(ui::SimulatorPage);
        QCoreApplication::processEvents();
        SimulatorTab* page = w.simulator->simulatorTab;
        const QRect view(page->picHUD->mapTo(page, QPoint(0, 0)), page->picHUD->size());
        QVERIFY2(page->rect().contains(view),
                 qPrintable(QStringLiteral("view %1 x %2 at %3, page %4 x %5")
                                .arg(view.width())
                                .arg(view.height())
                                .arg(view.top())
                                .arg(page->width())
                                .arg(page->height())));
        QVERIFY(view.width() > 300);
        prompts.answers = {PromptAnswer::No, PromptAnswer::No};
        w.close();
    }
};

QTEST_MAIN(SimAsUsedTest)
#include "tst_simasused.moc"
