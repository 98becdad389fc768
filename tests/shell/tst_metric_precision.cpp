// The precision model's boxes and wind zones for a metric shooter: typed in millimetres,
// degrees C, m/s per degree C, metres and m/s, kept in the file's units, shown back as typed,
// the captions and messages naming the shown unit.
#include "WindowFixture.h"
#include "load/PrecisionFields.h"
#include "load/Truing.h"
#include "shell/InputTab.h"
#include "shell/PrecisionBox.h"
#include "shell/ZonesCantBox.h"
#include "shell/dlgTrueDrag.h"
#include "shell/dlgTrueVelocity.h"
#include "shell/dlgWindZones.h"
#include "shell/ui.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace WindowFixture;
using namespace PrecisionFields;

class MetricPrecisionTest : public QObject {
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
            w.inputTab->chkPrecision->setChecked(true);
        }
        PrecisionBox& box() { return *w.inputTab->precisionBox; }
        const QString& stored(int index) { return w.model.form.precision.fields[size_t(index)]; }
        bool focusOn(QWidget* widget) {
            widget->setFocus();
            return QTest::qWaitFor([&] { return QApplication::focusWidget() == widget; }, 2000);
        }
    };

private slots:
    void initTestCase() { isolateSettings(settingsDir); }

    void boxesTypedInMetricAreKeptInTheFilesUnits() {
        Window s;
        s.w.applyUnits(Units::ShownUnits::metric());
        QCOMPARE(s.box().caption(Length)->text(), QStringLiteral("Bullet Length (mm)"));
        QCOMPARE(s.box().caption(PowderTemp)->text(), QString::fromUtf8("MV Temp \u00B0C"));
        // A new load's 59 F shows as 15 C.
        QCOMPARE(s.box().input(PowderTemp)->text(), QStringLiteral("15"));

        s.box().input(Length)->setText(QStringLiteral("31.2"));
        s.box().input(Diameter)->setText(QStringLiteral("7.82"));
        s.box().input(PowderTemp)->setText(QStringLiteral("21"));
        s.box().input(Sensitivity)->setText(QStringLiteral("0.55"));
        QCOMPARE(s.stored(Length).toDouble(), std::round(31.2 / 25.4 * 1e6) / 1e6);
        QCOMPARE(s.stored(PowderTemp), QStringLiteral("69.8"));
        QVERIFY(std::abs(s.stored(Sensitivity).toDouble() - 0.55 / (0.3048 * 1.8)) < 1e-5);
        QVERIFY(std::abs(s.stored(Diameter).toDouble() - 0.3079) < 1e-4);

        // Imperial shows the file's values; metric again shows what was typed.
        s.w.applyUnits(Units::ShownUnits::imperial());
        QCOMPARE(s.box().caption(Length)->text(), QStringLiteral("Bullet Length"));
        QCOMPARE(s.box().input(PowderTemp)->text(), QStringLiteral("69.8"));
        QCOMPARE(s.box().input(Length)->text(), s.stored(Length));
        s.w.applyUnits(Units::ShownUnits::metric());
        QCOMPARE(s.box().input(Length)->text(), QStringLiteral("31.2"));
        QCOMPARE(s.box().input(Diameter)->text(), QStringLiteral("7.82"));
        QCOMPARE(s.box().input(PowderTemp)->text(), QStringLiteral("21"));
        QCOMPARE(s.box().input(Sensitivity)->text(), QStringLiteral("0.55"));
        QVERIFY2(s.prompts.messages.isEmpty(), messagesText(s.prompts));
    }

    void leavingABoxChecksItInTheShownUnit() {
        Window s;
        QVERIFY(QTest::qWaitForWindowActive(&s.w));
        s.w.applyUnits(Units::ShownUnits::metric());
        QLineEdit* length = s.box().input(Length);
        const QString message =
            QStringLiteral("Bullet length must be between 2.54 and 76.2 mm, or 0 when not known.");
        QCOMPARE(length->toolTip(), message);
        QVERIFY(s.focusOn(length));
        length->selectAll();
        QTest::keyClicks(length, "80"); // 3.15 in
        QTest::keyClick(length, Qt::Key_Tab);
        QCOMPARE(s.prompts.messages.size(), 1);
        QCOMPARE(s.prompts.lastText(), message);
        QTRY_COMPARE(QApplication::focusWidget(), length);
        // 70 mm is 2.76 in, which the classic box takes.
        length->selectAll();
        QTest::keyClicks(length, "70");
        QTest::keyClick(length, Qt::Key_Tab);
        QCOMPARE(s.prompts.messages.size(), 1);
        QVERIFY(QApplication::focusWidget() != length);
    }

    void windZonesAreEditedInMetresAndMetresPerSecond() {
        Window s;
        s.w.applyUnits(Units::ShownUnits::metric());
        // A load kept in yards.
        QVERIFY(!s.w.model.form.isMetric());
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<dlgWindZones*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->table->horizontalHeaderItem(0)->text(), QStringLiteral("Ends at (m)"));
            QCOMPARE(dialog->table->horizontalHeaderItem(1)->text(), QStringLiteral("Speed (m/s)"));
            const char* row[] = {"300", "5", "90"};
            for (int c = 0; c < 3; ++c)
                dialog->table->setItem(0, c, new QTableWidgetItem(QString::fromLatin1(row[c])));
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        s.w.inputTab->zonesCantBox->editZones();
        const QStringList zone = s.w.model.form.precision.windZones.split(' ');
        QCOMPARE(zone.size(), 3);
        QVERIFY(std::abs(zone[0].toDouble() - 300 / 0.9144) < 1e-3);
        QVERIFY(std::abs(zone[1].toDouble() - 5 / 0.44704) < 1e-4);
        QCOMPARE(s.w.inputTab->zonesCantBox->lblZones->text(), QStringLiteral("300 5 90"));
        s.w.applyUnits(Units::ShownUnits::imperial());
        QCOMPARE(s.w.inputTab->zonesCantBox->lblZones->text(), s.w.model.form.precision.windZones);
        QVERIFY2(s.prompts.messages.isEmpty(), messagesText(s.prompts));
    }

    // 700 yd typed as 640.08 m and the height the load gives there at 2550 ft/s typed in
    // centimetres give 2550 ft/s back, shown as 777.2 m/s.
    void trueVelocityTakesMetresAndCentimetres() {
        Window s;
        QVERIFY(QTest::qWaitForWindowExposed(&s.w));
        s.w.applyUnits(Units::ShownUnits::metric());
        const double heightCm = *Truing::heightAt(s.w.model.snapshot(), 700, 2550) * 2.54;
        QTimer::singleShot(0, [heightCm] {
            auto* dialog = qobject_cast<dlgTrueVelocity*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->cboHeightUnit->itemText(0), QStringLiteral("cm"));
            QCOMPARE(dialog->txtRange->toolTip(),
                     QStringLiteral("Range must be between 1 and 1828.8 m."));
            dialog->txtRange->setText(QStringLiteral("640.08"));
            dialog->txtHeight->setText(QString::number(heightCm, 'f', 3));
            dialog->TrueButton->click();
            QVERIFY(dialog->truedVelocity());
            QVERIFY(std::abs(*dialog->truedVelocity() - 2550) <= 0.15);
            QVERIFY2(std::abs(dialog->txtTruedMv->text().toDouble() - 777.24) <= 0.1,
                     qPrintable(dialog->txtTruedMv->text()));
            dialog->OKButton->click();
        });
        s.w.action(QStringLiteral("mnuTrueVelocity"))->trigger();
        const double stored = s.w.model.form.fields[InputFields::MuzzleVelocity].toDouble();
        QVERIFY2(std::abs(stored - 2550) <= 0.15, qPrintable(QString::number(stored)));
        QVERIFY2(s.prompts.messages.isEmpty(), messagesText(s.prompts));
    }

    void trueDragRowsAreInMetres() {
        Window s;
        QVERIFY(QTest::qWaitForWindowExposed(&s.w));
        s.w.applyUnits(Units::ShownUnits::metric());
        dlgTrueDrag dialog(s.w.model);
        QCOMPARE(dialog.tblObservations->horizontalHeaderItem(0)->text(),
                 QStringLiteral("Range (m)"));
        QCOMPARE(dialog.cboHeightUnit->itemText(0), QStringLiteral("cm"));
        // 1900 m is beyond the 2000 yd an observation may be at.
        dialog.tblObservations->setItem(0, 0, new QTableWidgetItem(QStringLiteral("1900")));
        dialog.tblObservations->setItem(0, 1, new QTableWidgetItem(QStringLiteral("-500")));
        dialog.TrueButton_Click();
        QCOMPARE(s.prompts.lastText(),
                 QStringLiteral("Row 1: give a range from 1 to 1828.8 and a height."));
    }
};

QTEST_MAIN(MetricPrecisionTest)
#include "tst_metric_precision.moc"
