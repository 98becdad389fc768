// What a desktop user expects of the main window and its dialogs: captions of items that open a
// dialog end in "…", Ctrl+PgUp/PgDn step through the tabs, the title marks unsaved changes, Tab
// leaves the session notes, dialog buttons answer Enter and Esc in the desktop's order, the graph
// and the table follow a dark theme, and a small window keeps its text readable and scrolls.
#include "WindowFixture.h"
#include "load/CTextOutput.h"
#include "load/InputFields.h"
#include "load/LoadModel.h"
#include "shell/CGraph.h"
#include "shell/InputTab.h"
#include "shell/ScreenFont.h"
#include "shell/dlgPointBlank.h"
#include "shell/dlgTrueVelocity.h"
#include "shell/frmOptions.h"
#include "shell/ui.h"
#include "sim/widgets/SimController.h"
#include "sim/widgets/SimControlsTab.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QValueAxis>
#include <QWindow>

using namespace WindowFixture;

class DesktopConventionsTest : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir;

    static bool activate(QWidget& w) {
        w.show();
        QApplication::setActiveWindow(&w);
        return QTest::qWaitForWindowActive(&w);
    }

private slots:
    void initTestCase() { isolateSettings(settingsDir); }

    void itemsThatOpenADialogEndInAnEllipsisAndHudIsGone() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ui w;
        QVERIFY(!w.action(QStringLiteral("mnuHUD")));
        for (const char* name :
             {"mnuOpen", "mnuSaveAs", "mnuExportTable", "mnuPrint", "mnuPrintCard", "mnuOptionsTop",
              "mnuCompare", "mnuPointBlankRange", "mnuVelocityChronoCorrection", "mnuTrueVelocity",
              "mnuTrueDrag"})
            QVERIFY2(w.action(QString::fromLatin1(name))->text().endsWith(QChar(0x2026)), name);
        // Items that act at once do not promise a dialog.
        for (const char* name : {"mnuNew", "mnuSave", "mnuExit", "mnuUseCompare", "mnuContents"})
            QVERIFY2(!w.action(QString::fromLatin1(name))->text().endsWith(QChar(0x2026)), name);
        QVERIFY(prompts.messages.isEmpty());
    }

    void ctrlPageKeysStepThroughTheTabs() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ui w;
        QVERIFY(activate(w));
        // The scroll area around the tabs takes no focus: Ctrl+Tab from wherever the focus
        // starts reaches the tabs.
        QVERIFY(qobject_cast<QScrollArea*>(QApplication::focusWidget()) == nullptr);
        if (QApplication::focusWidget()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(w.sstUI->currentIndex(), int(ui::TablePage));
            w.sstUI->setCurrentIndex(ui::InputPage);
        }
        w.inputTab->txtInput(InputFields::MuzzleVelocity)->setFocus();
        QCOMPARE(w.sstUI->currentIndex(), int(ui::InputPage));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(w.sstUI->currentIndex(), int(ui::TablePage));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(w.sstUI->currentIndex(), int(ui::GraphPage));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(w.sstUI->currentIndex(), int(ui::InputPage));
        // Round from the first to the last.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(w.sstUI->currentIndex(), int(ui::SimulatorPage));
    }

    void theTitleMarksUnsavedChangesAndKeepsItsText() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ScriptedFileChooser chooser;
        const QString path = writeLoad(folder, "mark.qvt", sampleForm("308 Win"));
        ui w;
        QVERIFY(activate(w));
        QVERIFY(w.loadDoc.loadFile(path));
        QTRY_VERIFY(!w.isWindowModified());
        const QString text = QStringLiteral("Quorvel Tables -     Load: 308 Win");
        QCOMPARE(w.windowHandle()->title(), text);

        QLineEdit* velocity = w.inputTab->txtInput(InputFields::MuzzleVelocity);
        velocity->setFocus();
        velocity->selectAll();
        QTest::keyClicks(velocity, QStringLiteral("2700"));
        QTRY_VERIFY(w.isWindowModified());
        QCOMPARE(w.windowHandle()->title(), text + '*');
        QCOMPARE(w.windowTitle().remove(QStringLiteral("[*]")), text);

        // Typed back as it was: nothing to save, no mark.
        velocity->selectAll();
        QTest::keyClicks(velocity, QStringLiteral("2650"));
        QTRY_VERIFY(!w.isWindowModified());

        QTest::keyClicks(velocity, QStringLiteral("1"));
        QTRY_VERIFY(w.isWindowModified());
        w.mnuSave_Click();
        QVERIFY(!w.isWindowModified());
        QCOMPARE(w.windowHandle()->title(), text);
        QVERIFY2(prompts.messages.isEmpty(), messagesText(prompts).constData());
    }

    void tabLeavesTheSessionNotesAsItLeavesTheLoadNotes() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ui w;
        QVERIFY(activate(w));
        w.sstUI->setCurrentIndex(ui::SimControlsPage);
        QPlainTextEdit* notes = w.simulator->controlsTab->txtSimNotes;
        notes->setFocus();
        QTRY_VERIFY(notes->hasFocus());
        const QString before = notes->toPlainText();
        QTest::keyClick(notes, Qt::Key_Tab);
        QCOMPARE(notes->toPlainText(), before);
        QVERIFY(!notes->hasFocus());
        QVERIFY(!w.simulator->document.isModified());
    }

    void optionsButtonsAnswerEnterAndEscAndTabVisitsThemInOrder() {
        LoadForm form;
        MainValues values;
        ScreenFont font;
        frmOptions d(form, values, font, nullptr);
        QVERIFY(activate(d));
        // From the last tool button, Tab meets the buttons left to right.
        QList<QWidget*> visited;
        QWidget* at = d.cmdAssociate;
        for (int i = 0; i < 3; ++i) {
            at = at->nextInFocusChain();
            while (!(at->focusPolicy() & Qt::TabFocus))
                at = at->nextInFocusChain();
            visited << at;
        }
        QCOMPARE(QSet<QWidget*>(visited.begin(), visited.end()),
                 (QSet<QWidget*>{d.cmdOK, d.cmdCancel, d.cmdApply}));
        for (int i = 1; i < visited.size(); ++i)
            QVERIFY(visited[i - 1]->mapToGlobal(QPoint()).x() <
                    visited[i]->mapToGlobal(QPoint()).x());

        d.optMoa[1]->setChecked(!values.isMoa);
        const bool chosen = d.optMoa[1]->isChecked();
        d.optRR[0]->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(values.isMoa, chosen);

        frmOptions again(form, values, font, nullptr);
        QVERIFY(activate(again));
        again.optMoa[1]->setChecked(!values.isMoa);
        QTest::keyClick(&again, Qt::Key_Escape);
        QCOMPARE(again.result(), int(QDialog::Rejected));
        QCOMPARE(values.isMoa, chosen);
    }

    void sideDialogsHaveTheirButtonsInABox() {
        TestAppFolder folder;
        PromptRecorder prompts;
        LoadModel model;
        model.form = LoadForm::initial();
        model.refreshAllFields();
        CTextOutput txt;
        dlgPointBlank pointBlank(model, txt);
        auto* box = pointBlank.findChild<QDialogButtonBox*>();
        QVERIFY(box);
        QCOMPARE(box->buttonRole(pointBlank.cmdCancel), QDialogButtonBox::RejectRole);
        QCOMPARE(box->buttonRole(pointBlank.btnCalculate), QDialogButtonBox::ActionRole);
        QVERIFY(pointBlank.btnCalculate->isDefault());
        QVERIFY(activate(pointBlank));
        QTest::keyClick(&pointBlank, Qt::Key_Escape);
        QVERIFY(!pointBlank.isVisible());

        dlgTrueVelocity truing(model);
        box = truing.findChild<QDialogButtonBox*>();
        QVERIFY(box);
        QCOMPARE(box->buttonRole(truing.OKButton), QDialogButtonBox::AcceptRole);
        QCOMPARE(box->buttonRole(truing.CancelButton), QDialogButtonBox::RejectRole);
        QCOMPARE(box->buttonRole(truing.TrueButton), QDialogButtonBox::ActionRole);
        QVERIFY(activate(truing));
        QTest::keyClick(&truing, Qt::Key_Escape);
        QCOMPARE(truing.result(), int(QDialog::Rejected));
        QVERIFY(prompts.messages.isEmpty());
    }

    void theGraphFollowsADarkPalette() {
        CGraph light;
        QCOMPARE(light.chart()->backgroundBrush().color(), light.palette().color(QPalette::Base));
        QCOMPARE(light.series1()->pen().color(), light.palette().color(QPalette::Text));

        CGraph dark;
        QPalette night = dark.palette();
        night.setColor(QPalette::Base, QColor(30, 30, 30));
        night.setColor(QPalette::Window, QColor(40, 40, 40));
        night.setColor(QPalette::Text, QColor(230, 230, 230));
        night.setColor(QPalette::WindowText, QColor(230, 230, 230));
        dark.setPalette(night);
        QCOMPARE(dark.chart()->backgroundBrush().color(), QColor(30, 30, 30));
        QCOMPARE(dark.series1()->pen().color(), QColor(230, 230, 230));
        QCOMPARE(dark.axisX()->labelsColor(), QColor(230, 230, 230));
        QVERIFY(dark.axisY()->gridLineColor().lightness() < 100);
        // A new graph keeps the palette's ink after drawing.
        dark.graphShow({-1, -2, -4}, {}, {0, 100, 200}, {}, 3, QStringLiteral("a"), {},
                       QStringLiteral("Drop"), QStringLiteral("Range"));
        QCOMPARE(dark.series1()->pen().color(), QColor(230, 230, 230));
    }

    void aProportionalFixedFontFallsBackToMonospace() {
        const QFont proportional(QStringLiteral("DejaVu Sans"), 11);
        const QFontMetricsF wide(proportional);
        if (wide.horizontalAdvance('i') == wide.horizontalAdvance('W'))
            QSKIP("no proportional font installed");
        const QFont table = ScreenFont::fixedPitchOr(proportional);
        const QFontMetricsF metrics(table);
        QCOMPARE(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'));
        QCOMPARE(table.pointSizeF(), 11.0);
        // A fixed-pitch font is kept as it is.
        QCOMPARE(ScreenFont::fixedPitchOr(table), table);
    }

    void aSmallWindowKeepsItsTextReadableAndScrolls() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ui w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QLineEdit* velocity = w.inputTab->txtInput(InputFields::MuzzleVelocity);
        const qreal designed = velocity->font().pointSizeF();
        QVERIFY(designed >= CResize::ReadablePoints);
        const QSize start = w.size();
        auto* scroller = qobject_cast<QScrollArea*>(w.centralWidget());
        QVERIFY(scroller);
        QCOMPARE(scroller->horizontalScrollBar()->maximum(), 0);

        w.resize(420, 300);
        QCoreApplication::processEvents();
        for (QWidget* control : w.sstUI->findChildren<QWidget*>()) {
            const qreal points = control->font().pointSizeF();
            if (points > 0 && control->isVisible())
                QVERIFY2(points >= CResize::ReadablePoints - 0.01,
                         qPrintable(control->objectName() + ' ' + QString::number(points)));
        }
        QVERIFY(scroller->horizontalScrollBar()->maximum() > 0);
        QVERIFY(scroller->verticalScrollBar()->maximum() > 0);
        // Every field can still be reached.
        scroller->ensureWidgetVisible(velocity);
        QVERIFY(scroller->viewport()->rect().intersects(
            QRect(velocity->mapTo(scroller->viewport(), QPoint()), velocity->size())));

        w.resize(start);
        QCoreApplication::processEvents();
        QVERIFY(std::abs(velocity->font().pointSizeF() - designed) < 0.05);
        QCOMPARE(scroller->horizontalScrollBar()->maximum(), 0);
        QVERIFY(prompts.messages.isEmpty());
    }
};

QTEST_MAIN(DesktopConventionsTest)
#include "tst_desktopconventions.moc"
