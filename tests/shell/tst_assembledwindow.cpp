// The whole main window driven the way a person drives it: shown, resized, files opened from the
// menu and the recent-file list, damaged and missing files, the Table and Graph tabs after each.
// The parts have tests of their own; these catch what only the assembled window shows.
#include "ScriptedFileChooser.h"
#include "WindowFixture.h"
#include "services/CMru.h"
#include "shell/CGraph.h"
#include "shell/CResize.h"
#include "shell/GraphTab.h"
#include "shell/InputTab.h"
#include "shell/TableTab.h"
#include "shell/ui.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <cmath>

using namespace WindowFixture;

namespace {

QByteArray reproBytes(const QString& name) {
    return bytesOf(TestAppFolder::dataDir() + QStringLiteral("/repro/") + name);
}

// The load file's lines, with `count` fields kept (a file cut short).
QByteArray firstFields(const QByteArray& file, int count) {
    const QList<QByteArray> lines = file.split('\n');
    QByteArray out;
    for (int i = 0; i < count && i < lines.size(); ++i)
        out += lines[i] + '\n';
    return out;
}

bool sameShare(double a, double b, double tolerance) {
    return std::abs(a - b) <= tolerance;
}

} // namespace

class AssembledWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir;

    static void showTab(ui& w, int tab) {
        w.sstUI->setCurrentIndex(tab);
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase() { isolateSettings(settingsDir); }
    void init() { QSettings().remove(QStringLiteral("MRUFiles")); }

    // The first resize of the shown window used to shrink the tab control to the size it had
    // before the window was laid out, emptying the window for good.
    void resizingKeepsTheLayoutInProportion() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ui w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QWidget* area = w.centralWidget();
        QLineEdit* velocity = w.inputTab->txtInput(2);
        const QSize start = area->size();
        const QRect startTabs = w.sstUI->geometry();
        const double startShare = double(velocity->width()) / start.width();

        for (const QSize size : {QSize(900, 600), QSize(1400, 1000), QSize(700, 500)}) {
            w.resize(size);
            QCoreApplication::processEvents();
            // Below the readable size the tabs keep that size and scroll.
            const QSize inner = CResize::innerSize(&w);
            QVERIFY2(
                sameShare(w.sstUI->width(), 0.98 * inner.width(), 2),
                qPrintable(
                    QStringLiteral("tab width %1 of %2").arg(w.sstUI->width()).arg(inner.width())));
            QVERIFY(sameShare(w.sstUI->height(), 0.96 * inner.height(), 2));
            QVERIFY(w.sstUI->x() >= 0 && w.sstUI->x() <= 0.01 * inner.width() + 1);
            // A field keeps about its share of the width, and stays on screen.
            const double share = double(velocity->width()) / inner.width();
            QVERIFY2(sameShare(share, startShare, 0.06), qPrintable(QString::number(share)));
            QVERIFY(velocity->isVisible() && velocity->width() > 40);
        }
        w.resize(start + (w.size() - area->size()));
        QCoreApplication::processEvents();
        QCOMPARE(area->size(), start);
        QCOMPARE(w.sstUI->geometry(), startTabs);
        QCOMPARE(double(velocity->width()) / start.width(), startShare);
        QVERIFY2(prompts.messages.isEmpty(), messagesText(prompts).constData());
    }

    // A recent file deleted since: one message, the entry goes, and the load on screen stays
    // the one Save writes to.
    void aMissingRecentFileIsDroppedAndNothingElseChanges() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ScriptedFileChooser chooser;
        const QString a = writeLoad(folder, QStringLiteral("a.qvt"), sampleForm("Alpha"));
        const QString b = writeLoad(folder, QStringLiteral("b.qvt"), sampleForm("Bravo"));
        ui w;
        chooser.files << b << a;
        w.mnuOpen_Click();
        w.mnuOpen_Click();
        QCOMPARE(w.mru.captions(), (QStringList{a, b}));
        QVERIFY(w.windowTitle().remove(QStringLiteral("[*]")).endsWith(QStringLiteral("Alpha")));
        QFile::remove(b);

        w.mnuMRU_Click(1);
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastTitle(), QStringLiteral("File Not Found"));
        QVERIFY(prompts.lastText().contains(b));
        QCOMPARE(w.mru.captions(), QStringList{a});
        QVERIFY(w.windowTitle().remove(QStringLiteral("[*]")).endsWith(QStringLiteral("Alpha")));
        QCOMPARE(w.loadDoc.fileName(), a);

        w.inputTab->txtInput(1)->setText(QStringLiteral("190"));
        w.mnuSave_Click();
        QVERIFY(!QFile::exists(b));
        LoadForm saved = LoadForm::initial();
        QString datFile;
        datFile = a;
        QVERIFY(LoadFile::dataLoad(datFile, saved));
        QCOMPARE(saved.fields[1], QStringLiteral("190"));
    }

    // A file cut short says so once, naming the field it ends after and the fields that hold
    // nothing usable; the Table tab then shows the field's message, never numbers from the load
    // that was on screen before.
    void aDamagedFileIsReportedOnceAndNeverComputedFrom() {
        TestAppFolder folder;
        PromptRecorder prompts;
        const QString good = writeLoad(folder, QStringLiteral("good.qvt"), sampleForm("Good"));
        const QString cut = folder.write(QStringLiteral("cut.qvt"), firstFields(bytesOf(good), 10));
        ui w;
        QVERIFY(w.loadDoc.loadFile(cut));
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastTitle(), QStringLiteral("Damaged Load File"));
        QVERIFY(prompts.lastText().contains(cut));
        QVERIFY(prompts.lastText().contains(QStringLiteral("ends after field 10 of 32")));
        QVERIFY(prompts.lastText().contains(QStringLiteral("BC")));
        prompts.clear();

        for (int round = 0; round < 2; ++round) {
            showTab(w, ui::TablePage);
            QCOMPARE(w.tableTab->tableText(),
                     QStringLiteral("BC: Ballistic Coefficient must be between 0.001 and 1.0."));
            showTab(w, ui::GraphPage);
            QVERIFY(!w.graphTab->graph->isVisibleTo(w.graphTab));
            QVERIFY(w.graphTab->problemLabel->text().startsWith(QStringLiteral("BC:")));
            showTab(w, ui::InputPage);
        }
        QVERIFY2(prompts.messages.isEmpty(), messagesText(prompts).constData());
    }

    // 3 KB of noise opened as the current load, with two messages and garbage in every box and
    // the caption; a file cut short blamed a setting it never reached, stayed the current file,
    // and the next Open offered to save over it.
    void noiseIsRefusedWholeAndACutFileIsNotSavedOver() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ScriptedFileChooser chooser;
        const QString good = writeLoad(folder, QStringLiteral("good.qvt"), sampleForm("Good"));
        QByteArray noise(3000, '\0');
        quint32 seed = 3000;
        for (char& b : noise) {
            seed = seed * 1664525u + 1013904223u;
            b = char(seed >> 24);
        }
        const QString junk = folder.write(QStringLiteral("junk.qvt"), noise);
        ui w(good);
        const QString caption = w.windowTitle();
        chooser.files << junk;
        w.mnuOpen_Click();
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastTitle(), QStringLiteral("Not a Load File"));
        QCOMPARE(prompts.lastText(), '"' + junk +
                                         QStringLiteral("\" is not a Quorvel load file; nothing "
                                                        "was taken from it."));
        QCOMPARE(w.windowTitle(), caption);
        QCOMPARE(w.inputTab->txtInput(0)->text(), QStringLiteral("Good"));
        QCOMPARE(w.loadDoc.filename, good);
        QVERIFY(!w.mru.captions().contains(junk));
        prompts.clear();
        QVERIFY(w.loadDoc.queryUnsaved()); // the load on screen is still its file's
        QVERIFY(prompts.messages.isEmpty());

        // 60 bytes: the fields in order as far as they go, and the field the file ends after.
        const QByteArray cutBytes = bytesOf(good).left(60);
        const QString cut = folder.write(QStringLiteral("cut.qvt"), cutBytes);
        chooser.files << cut;
        w.mnuOpen_Click();
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastTitle(), QStringLiteral("Damaged Load File"));
        QVERIFY2(prompts.lastText().contains(QStringLiteral("is cut short: it ends after field")),
                 qPrintable(prompts.lastText()));
        QVERIFY(!prompts.lastText().contains(QStringLiteral("field 19")));
        // It is not the document: unchanged, nothing is asked; changed, Yes asks for a new name.
        QVERIFY(w.loadDoc.filename.isEmpty());
        prompts.clear();
        QVERIFY(w.loadDoc.queryUnsaved());
        QVERIFY(prompts.messages.isEmpty());
        w.inputTab->txtInput(1)->setText(QStringLiteral("150"));
        prompts.answers = {PromptAnswer::Yes};
        const int requests = int(chooser.requests.size());
        w.mnuOpen_Click(); // Save As cancelled: the whole Open is
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(!prompts.lastText().contains(QStringLiteral("cut.qvt")));
        QCOMPARE(chooser.requests.size(), requests + 1);
        QVERIFY(!chooser.requests.last().open);
        QCOMPARE(bytesOf(cut), cutBytes);
        prompts.answers = {PromptAnswer::No};
    }

    // A muzzle velocity of -0 or a coefficient of 0 used to give 120 overflow boxes and a table
    // of NaN at every tab switch.
    void aLoadWithoutATrajectoryShowsTheFieldsMessage_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("velocity -0") << "mv_neg0.qvt"
                                     << "Muzzle Velocity: Velocity must be 300 to 4500 fps.";
        QTest::newRow("coefficient 0")
            << "bc_0.qvt"
            << "BC: Ballistic Coefficient must be between 0.001 and 1.0.";
    }
    void aLoadWithoutATrajectoryShowsTheFieldsMessage() {
        QFETCH(QString, file);
        QFETCH(QString, message);
        TestAppFolder folder;
        PromptRecorder prompts;
        const QString path = folder.write(file, reproBytes(file));
        ui w;
        QVERIFY(w.loadDoc.loadFile(path));
        for (int tab : {ui::TablePage, ui::GraphPage, ui::TablePage, ui::InputPage}) {
            showTab(w, tab);
            if (tab == ui::TablePage) QCOMPARE(w.tableTab->tableText(), message);
        }
        QCOMPARE(w.graphTab->problemLabel->text(), message);
        QVERIFY2(prompts.messages.isEmpty(), messagesText(prompts).constData());

        // Typing a velocity the trajectory can be computed from brings the table back.
        w.inputTab->txtInput(2)->setText(QStringLiteral("2650"));
        w.inputTab->txtInput(10)->setText(QStringLiteral(".462"));
        showTab(w, ui::TablePage);
        QVERIFY(w.tableTab->tableText().contains(QStringLiteral("Range")));
        QVERIFY(!w.tableTab->tableText().contains(QStringLiteral("nan"), Qt::CaseInsensitive));
    }

    // LF line ends are what an editor here writes: opening such a file and closing again asks
    // nothing; a file that ends early still asks, since saving adds fields.
    void lineEndsDoNotCountAsChanges() {
        TestAppFolder folder;
        PromptRecorder prompts;
        QByteArray bytes = bytesOf(writeLoad(folder, QStringLiteral("crlf.qvt"), sampleForm("L")));
        bytes.replace("\r\n", "\n");
        const QString lf = folder.write(QStringLiteral("lf.qvt"), bytes);
        {
            ui w;
            QVERIFY(w.loadDoc.loadFile(lf));
            QVERIFY(w.queryUnload());
            QVERIFY2(prompts.messages.isEmpty(), messagesText(prompts).constData());
        }
        const QString short24 = folder.write(QStringLiteral("short.qvt"), firstFields(bytes, 24));
        ui w;
        QVERIFY(w.loadDoc.loadFile(short24));
        QVERIFY2(prompts.messages.isEmpty(), messagesText(prompts).constData());
        prompts.answers << PromptAnswer::No;
        QVERIFY(w.queryUnload());
        QCOMPARE(prompts.lastTitle(), QStringLiteral("Unsaved Changes to Load Data"));
    }

    // With Advanced off the hidden inputs do not count: no lead from a target speed the shooter
    // cannot see, and each caption goes with its own control.
    void hiddenInputsDoNotCount() {
        TestAppFolder folder;
        PromptRecorder prompts;
        LoadForm form = sampleForm("Hidden");
        form.fields[20] = QStringLiteral("5");
        form.chkAdvanced = 0;
        const QString path = writeLoad(folder, QStringLiteral("hidden.qvt"), form);
        ui w;
        QVERIFY(w.loadDoc.loadFile(path));
        w.show();
        showTab(w, ui::TablePage);
        const QStringList lines = w.tableTab->tableText().split('\n');
        QVERIFY(lines.size() > 12);
        // Lead is the ninth column of the last row.
        const QStringList last = lines[lines.size() - 2].split(' ', Qt::SkipEmptyParts);
        QCOMPARE(last.value(8), QStringLiteral("0.0"));
        showTab(w, ui::InputPage);
        QVERIFY(!w.inputTab->label1(22)->isVisible()); // "Drag Model" goes with its list
        QVERIFY(w.inputTab->label1(20)->isVisible());  // "Compare to:" stays with its list
        w.inputTab->chkAdvanced->setChecked(true);
        QVERIFY(w.inputTab->label1(22)->isVisible());
        showTab(w, ui::TablePage);
        const QStringList advanced = w.tableTab->tableText().split('\n');
        QVERIFY(advanced[advanced.size() - 2].split(' ', Qt::SkipEmptyParts).value(8) !=
                QStringLiteral("0.0"));
    }

    // A first start has no file: the drag list stands on G1, and a load saved then says so.
    void aFirstStartSelectsG1() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ScriptedFileChooser chooser;
        ui w;
        QCOMPARE(w.inputTab->cboDrag->currentIndex(), 0);
        chooser.files << folder.file(QStringLiteral("first.qvt"));
        w.mnuSaveAs_Click();
        const QList<QByteArray> lines = bytesOf(folder.file("first.qvt")).split('\n');
        QCOMPARE(lines.value(30).trimmed(), QByteArray("0"));
    }

    // The table's columns line up whatever screen font is chosen; the other controls take it.
    void aProportionalScreenFontKeepsTheTableFixedPitch() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ScriptedFileChooser chooser;
        ui w;
        chooser.fonts << QFont(QStringLiteral("DejaVu Sans"), 14);
        w.screenFont.FormFont(&w);
        const QFont table = w.tableTab->txtOutput->font();
        QCOMPARE(table.pointSizeF(), 14.0);
        const QFontMetricsF metrics(table);
        QCOMPARE(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'));
        QCOMPARE(w.inputTab->txtInput(1)->font().family(), QStringLiteral("DejaVu Sans"));
    }

    // Numbers the window writes into fields have at most 7 significant digits.
    void theAltitudeRefreshWritesSevenDigits() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ui w;
        w.inputTab->txtInput(8)->setText(QStringLiteral("5000"));
        QCOMPARE(w.inputTab->txtInput(18)->text(), QStringLiteral("24.9094"));
        QCOMPARE(w.inputTab->txtInput(9)->text(), QStringLiteral("41.17"));
    }

    // A record naming a path of megabytes is refused at once with one message naming the file;
    // the start goes on with the defaults.
    void anOverlongLastFileRecordIsRefused() {
        TestAppFolder folder;
        PromptRecorder prompts;
        const QByteArray path = "/tmp/" + QByteArray(4 * 1024 * 1024, 'a') + ".qvt";
        folder.write(QStringLiteral("lastfile.dat"), path + "\r\n\r\n0\r\n0\r\n");
        QElapsedTimer clock;
        clock.start();
        ui w;
        QVERIFY(w.queryUnload());
        QVERIFY2(clock.elapsed() < 20000, "reading and closing must not take minutes");
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.lastText().contains(QStringLiteral("lastfile.dat")));
        QVERIFY(w.loadDoc.fileName().isEmpty());
    }

    // Notes of megabytes are a load's own text: read, shown and saved back whole.
    void longNotesSurviveOpenAndSave() {
        TestAppFolder folder;
        PromptRecorder prompts;
        LoadForm form = sampleForm("Notes");
        QString notes;
        for (int i = 0; i < 60000; ++i)
            notes += QStringLiteral("Shot %1: 2650 fps, SD 9\r\n").arg(i);
        form.notes = notes;
        const QString path = writeLoad(folder, QStringLiteral("notes.qvt"), form);
        ui w;
        QVERIFY(w.loadDoc.loadFile(path));
        QCOMPARE(w.model.form.notes, notes);
        QVERIFY(w.queryUnload()); // nothing changed, nothing asked
        QVERIFY2(prompts.messages.isEmpty(), messagesText(prompts).constData());
        const QString copy = folder.file(QStringLiteral("copy.qvt"));
        w.loadDoc.filename = copy;
        QVERIFY(w.loadDoc.save());
        QCOMPARE(bytesOf(copy), bytesOf(path));
    }
};

QTEST_MAIN(AssembledWindowTest)
#include "tst_assembledwindow.moc"
