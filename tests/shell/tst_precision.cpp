// The precision model in the window: the Precision check box and its group, the boxes' checks on
// leaving them, a drag file of one's own, and truing the muzzle velocity from the Options menu.
#include "WindowFixture.h"
#include "load/InputFields.h"
#include "load/Truing.h"
#include "shell/InputTab.h"
#include "shell/PrecisionBox.h"
#include "shell/TableTab.h"
#include "shell/dlgTrueDrag.h"
#include "shell/dlgTrueVelocity.h"
#include "shell/dlgWindZones.h"
#include "shell/ui.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace WindowFixture;

class PrecisionWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir;

    struct Window {
        TestAppFolder folder;
        PromptRecorder prompts;
        ScriptedFileChooser files;
        ui w;
        Window() {
            w.show();
            w.activateWindow();
        }
        InputTab& input() { return *w.inputTab; }
        QLineEdit* box(int i) { return w.inputTab->precisionBox->input(i); }
        bool focusOn(QWidget* widget) {
            widget->setFocus();
            return QTest::qWaitFor([&] { return QApplication::focusWidget() == widget; }, 2000);
        }
        QString tableText() {
            w.sstUI->setCurrentIndex(ui::TablePage);
            return w.tableTab->txtOutput->toPlainText();
        }
    };

    // Runs `steps` on the dialog the next modal exec() shows.
    template <class Dialog> static void onNextDialog(std::function<void(Dialog&)> steps) {
        QTimer::singleShot(0, [steps] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            steps(*dialog);
        });
    }

private slots:
    void initTestCase() { isolateSettings(settingsDir); }

    void theCheckBoxShowsTheGroupAndTheFieldsTheModelReads() {
        Window s;
        QVERIFY(QTest::qWaitForWindowExposed(&s.w));
        s.input().chkAdvanced->setChecked(false);
        QVERIFY(s.input().precisionBox->isHidden());
        QVERIFY(s.input().txtInput(InputFields::Pressure)->isHidden());
        const QString classic = s.tableText();
        s.w.sstUI->setCurrentIndex(ui::InputPage);

        s.input().chkPrecision->click();
        QVERIFY(s.w.model.form.precision.on);
        QVERIFY(s.input().precisionBox->isVisible());
        QVERIFY(s.input().txtInput(InputFields::Pressure)->isVisible());
        QVERIFY(!s.input().cboDrag->isEnabled());
        QCOMPARE(s.input().precisionBox->dragTables()->currentText(), QStringLiteral("G7"));
        QVERIFY(s.tableText().contains(QStringLiteral("Model           : Precision, G7")));

        s.w.sstUI->setCurrentIndex(ui::InputPage);
        s.input().chkPrecision->click();
        QVERIFY(s.input().precisionBox->isHidden());
        QVERIFY(s.input().txtInput(InputFields::Pressure)->isHidden());
        QVERIFY(s.input().cboDrag->isEnabled());
        QCOMPARE(s.tableText(), classic);
        QVERIFY(s.w.model.form.precision.used); // its fields stay with the load
        QVERIFY2(s.prompts.messages.isEmpty(), messagesText(s.prompts));
    }

    void leavingABoxChecksItOnce() {
        Window s;
        QVERIFY(QTest::qWaitForWindowActive(&s.w));
        s.input().chkPrecision->setChecked(true);
        QLineEdit* twist = s.box(PrecisionFields::Twist);
        QVERIFY(s.focusOn(twist));
        twist->selectAll();
        QTest::keyClicks(twist, "45");
        QTest::keyClick(twist, Qt::Key_Tab);
        QCOMPARE(s.prompts.messages.size(), 1);
        QCOMPARE(s.prompts.lastText(),
                 QString::fromUtf8(PrecisionFields::field(PrecisionFields::Twist).message));
        QTRY_COMPARE(QApplication::focusWidget(), twist);

        twist->selectAll();
        QTest::keyClicks(twist, "-9");
        QTest::keyClick(twist, Qt::Key_Tab);
        QCOMPARE(s.prompts.messages.size(), 1);
        QVERIFY(QApplication::focusWidget() != twist);
        QCOMPARE(s.w.model.form.precision.fields[PrecisionFields::Twist], QStringLiteral("-9"));

        // An empty latitude means no Coriolis; letters there are refused.
        QLineEdit* latitude = s.box(PrecisionFields::Latitude);
        QVERIFY(s.focusOn(latitude));
        latitude->clear();
        QTest::keyClick(latitude, Qt::Key_Tab);
        QCOMPARE(s.prompts.messages.size(), 1);
        QVERIFY(s.focusOn(latitude));
        QTest::keyClicks(latitude, "north");
        QTest::keyClick(latitude, Qt::Key_Tab);
        QCOMPARE(s.prompts.messages.size(), 2);
        QTRY_COMPARE(QApplication::focusWidget(), latitude);
    }

    void aDragFileOfOnesOwnIsCheckedBeforeItIsTaken() {
        Window s;
        QVERIFY(QTest::qWaitForWindowActive(&s.w));
        s.input().chkPrecision->setChecked(true);
        QComboBox* list = s.input().precisionBox->dragTables();
        const QString bad = s.folder.write("bad.csv", "mach,cd\n0.5,0.3\n0.4,0.3\n");
        const QString good = s.folder.write("mine.csv", "mach,cd\n0,0.25\n1,0.45\n4,0.2\n");
        s.files.files = {bad, good};

        // Picked with the keyboard, as "Custom…" is the last entry.
        QVERIFY(s.focusOn(list));
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(s.prompts.messages.size(), 1);
        QCOMPARE(s.prompts.lastTitle(), QStringLiteral("Drag Table"));
        QVERIFY(s.prompts.lastText().contains(QStringLiteral("line 3")));
        QCOMPARE(s.w.model.form.precision.dragTable, QStringLiteral("G7"));
        QCOMPARE(list->currentText(), QStringLiteral("G7"));

        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(s.prompts.messages.size(), 1);
        QCOMPARE(s.w.model.form.precision.dragTable, good);
        QCOMPARE(list->currentText(), QStringLiteral("mine.csv"));
        QVERIFY(s.tableText().contains(QStringLiteral("mine.csv")));
    }

    // The load file keeps the path in Latin-1: a path beyond it would be saved as "?" and lost,
    // so it is refused when picked, with the way out.
    void aDragFilePathTheLoadCannotHoldIsRefusedWhenPicked() {
        Window s;
        QVERIFY(QTest::qWaitForWindowActive(&s.w));
        s.input().chkPrecision->setChecked(true);
        QComboBox* list = s.input().precisionBox->dragTables();
        QDir().mkpath(s.folder.file(QString::fromUtf8("Пули")));
        const QString cyrillic =
            s.folder.write(QString::fromUtf8("Пули/mine.csv"), "mach,cd\n0,0.25\n1,0.45\n4,0.2\n");
        s.files.files = {cyrillic};

        QVERIFY(s.focusOn(list));
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(s.prompts.messages.size(), 1);
        QCOMPARE(s.prompts.lastTitle(), QStringLiteral("Drag Table"));
        QVERIFY2(s.prompts.lastText().contains(QStringLiteral("Copy the file into the folder")),
                 qPrintable(s.prompts.lastText()));
        QCOMPARE(s.w.model.form.precision.dragTable, QStringLiteral("G7"));
        QCOMPARE(list->currentText(), QStringLiteral("G7"));
    }

    void truingPutsTheVelocityFoundIntoTheLoad() {
        Window s;
        QVERIFY(QTest::qWaitForWindowExposed(&s.w));
        s.input().chkPrecision->setChecked(true);
        const double height = *Truing::heightAt(s.w.model.snapshot(), 700, 2550);
        onNextDialog<dlgTrueVelocity>([height](dlgTrueVelocity& dialog) {
            QVERIFY(!dialog.OKButton->isEnabled());
            dialog.txtRange->setText(QStringLiteral("700"));
            dialog.txtHeight->setText(QString::number(height, 'f', 3));
            dialog.TrueButton->click();
            QVERIFY(dialog.txtTruedMv->isVisible());
            QVERIFY(std::abs(dialog.txtTruedMv->text().toDouble() - 2550) <= 0.15);
            QVERIFY(dialog.OKButton->isEnabled());
            dialog.OKButton->click();
        });
        s.w.action(QStringLiteral("mnuTrueVelocity"))->trigger();
        const QString velocity = s.input().txtInput(InputFields::MuzzleVelocity)->text();
        QVERIFY2(std::abs(velocity.toDouble() - 2550) <= 0.15, qPrintable(velocity));
        QCOMPARE(s.w.model.form.fields[InputFields::MuzzleVelocity], velocity);
        QVERIFY2(s.prompts.messages.isEmpty(), messagesText(s.prompts));
    }

    void aHeightNoVelocityGivesIsOneMessageAndCancelKeepsTheLoad() {
        Window s;
        QVERIFY(QTest::qWaitForWindowExposed(&s.w));
        const QString before = s.input().txtInput(InputFields::MuzzleVelocity)->text();
        onNextDialog<dlgTrueVelocity>([](dlgTrueVelocity& dialog) {
            dialog.txtRange->setText(QStringLiteral("300"));
            dialog.txtHeight->setText(QStringLiteral("400"));
            dialog.TrueButton->click();
            QVERIFY(dialog.txtTruedMv->isHidden());
            QVERIFY(!dialog.OKButton->isEnabled());
            dialog.CancelButton->click();
        });
        s.w.action(QStringLiteral("mnuTrueVelocity"))->trigger();
        QCOMPARE(s.prompts.messages.size(), 1);
        QCOMPARE(s.prompts.lastTitle(), QStringLiteral("True Muzzle Velocity"));
        QVERIFY(s.prompts.lastText().startsWith(QStringLiteral("No muzzle velocity from 300")));
        QCOMPARE(s.input().txtInput(InputFields::MuzzleVelocity)->text(), before);
    }

    // Heights "observed" with a drag 4 % above the load's (its BC divided by 1.04: one scale on
    // the whole curve is the same as a BC that much lower) give that scale back, and OK puts the
    // BC that flies it into the load.
    void truingTheDragFindsTheScaleThatMadeTheObservations() {
        Window s;
        QVERIFY(QTest::qWaitForWindowExposed(&s.w));
        s.input().chkPrecision->setChecked(true);
        const double bc = s.w.model.form.fields[InputFields::Bc].toDouble();
        const double scale = 1.04;
        LoadModel observed = s.w.model;
        observed.form.fields[InputFields::Bc] = QString::number(bc / scale, 'g', 9);
        const double velocity = s.w.model.form.fields[InputFields::MuzzleVelocity].toDouble();
        const double at700 = *Truing::heightAt(observed.snapshot(), 700, velocity);
        const double at900 = *Truing::heightAt(observed.snapshot(), 900, velocity);
        onNextDialog<dlgTrueDrag>([&](dlgTrueDrag& dialog) {
            const auto put = [&](int row, double range, double height) {
                dialog.tblObservations->setItem(row, 0,
                                                new QTableWidgetItem(QString::number(range)));
                dialog.tblObservations->setItem(
                    row, 1, new QTableWidgetItem(QString::number(height, 'f', 2)));
            };
            put(0, 700, at700);
            put(1, 900, at900);
            dialog.TrueButton->click();
            QVERIFY(dialog.result());
            QVERIFY(!dialog.result()->truth.twoBands);
            QVERIFY2(std::abs(dialog.result()->truth.supersonicScale / scale - 1) < 0.005,
                     qPrintable(dialog.txtFit->toPlainText()));
            QVERIFY(dialog.txtFit->isVisible());
            QVERIFY(dialog.lblWarning->isHidden()); // 900 yd tells about the drag
            dialog.OKButton->click();
        });
        s.w.action(QStringLiteral("mnuTrueDrag"))->trigger();
        const double trued = s.w.model.form.fields[InputFields::Bc].toDouble();
        QVERIFY2(std::abs(trued / (bc / scale) - 1) < 0.005, qPrintable(QString::number(trued)));
        QVERIFY2(s.prompts.messages.isEmpty(), messagesText(s.prompts));
    }

    // Three zones typed into the dialog are the text the load keeps; zones out
    // of order are refused with one message and the dialog stays open.
    void windZonesTypedInTheDialogAreWhatTheLoadKeeps() {
        dlgWindZones dialog(QString(), false);
        const QString rows[][3] = {{"300", "5", "90"}, {"700", "10", "60"}, {"1000", "12", "45"}};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                dialog.table->setItem(r, c, new QTableWidgetItem(rows[r][c]));
        QCOMPARE(dialog.zonesText(), QStringLiteral("300 5 90; 700 10 60; 1000 12 45"));

        PromptRecorder prompts;
        dialog.table->item(1, 0)->setText(QStringLiteral("200"));
        dialog.show();
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY2(prompts.lastText().contains(QStringLiteral("Wind zone 2")),
                 qPrintable(prompts.lastText()));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(PrecisionWindowTest)
#include "tst_precision.moc"
