// The window in a metric shooter's units: captions name the unit, a typed value is kept in the
// file's unit and shows what the table computes with, a saved load reads back to the same texts,
// and the Table tab is in metric.
#include "WindowFixture.h"
#include "load/CTextOutput.h"
#include "load/InputFields.h"
#include "shell/InputTab.h"
#include "shell/TableTab.h"
#include "shell/UnitsDialog.h"
#include "shell/UnitsSettings.h"
#include "shell/ui.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace WindowFixture;
using namespace InputFields;

class UnitsTest : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir;

    struct Window {
        TestAppFolder folder;
        PromptRecorder prompts;
        std::unique_ptr<ui> w;
        explicit Window(const QString& file = {}) : w(std::make_unique<ui>(file)) {
            w->show();
            w->activateWindow();
        }
        QLineEdit* field(int i) { return w->inputTab->txtInput(i); }
        void type(int i, const QString& text) {
            field(i)->setFocus();
            QVERIFY(QTest::qWaitFor([&] { return QApplication::focusWidget() == field(i); }));
            field(i)->selectAll();
            QTest::keyClicks(field(i), text);
            QTest::keyClick(field(i), Qt::Key_Tab);
        }
    };

private slots:
    void initTestCase() { isolateSettings(settingsDir); }
    void cleanup() { UnitsSettings::save(Units::ShownUnits::imperial()); }

    void captionsAndFieldsFollowTheUnits() {
        Window s;
        QVERIFY(QTest::qWaitForWindowActive(s.w.get()));
        const QString velocity = s.field(MuzzleVelocity)->text();
        s.w->applyUnits(Units::ShownUnits::metric());
        QCOMPARE(s.w->inputTab->label1(MuzzleVelocity)->text(),
                 QStringLiteral("Muzzle Velocity (m/s)"));
        QCOMPARE(s.w->inputTab->label1(SightHeight)->text(), QStringLiteral("Sight Height (mm)"));
        QCOMPARE(s.field(MuzzleVelocity)->text(), QStringLiteral("803.1")); // 2635 ft/s
        QCOMPARE(s.w->model.form.fields[MuzzleVelocity], velocity);         // the file's unit
        // Back to imperial: every caption and text as before.
        s.w->applyUnits(Units::ShownUnits::imperial());
        QCOMPARE(s.field(MuzzleVelocity)->text(), velocity);
        QCOMPARE(s.w->inputTab->label1(MuzzleVelocity)->text(),
                 QString::fromUtf8(field(MuzzleVelocity).caption));
        QVERIFY2(s.prompts.messages.isEmpty(), messagesText(s.prompts).constData());
    }

    void aTypedValueShowsWhatTheRecordComputesWith() {
        Window s;
        QVERIFY(QTest::qWaitForWindowActive(s.w.get()));
        s.w->applyUnits(Units::ShownUnits::metric());
        s.type(MuzzleVelocity, QStringLiteral("853"));
        QCOMPARE(s.field(MuzzleVelocity)->text(), QStringLiteral("853.1"));
        QCOMPARE(s.w->model.form.fields[MuzzleVelocity], QStringLiteral("2799"));
        QCOMPARE(s.w->model.snapshot().values.in1.imvel, int16_t(2799));
        // Out of range in metres per second is refused in metres per second.
        s.type(MuzzleVelocity, QStringLiteral("1500"));
        QCOMPARE(s.prompts.messages.size(), 1);
        QVERIFY(s.prompts.lastText().contains(QStringLiteral("m/s")));
    }

    void aMetricLoadReadsBackAsTyped() {
        const QTemporaryDir folder;
        const QString path = [&folder] {
            Window s;
            [&] { QVERIFY(QTest::qWaitForWindowActive(s.w.get())); }();
            s.w->applyUnits(Units::ShownUnits::metric());
            s.w->mnuNew_Click(); // a new load in metres
            s.type(BulletWeight, QStringLiteral("11"));
            s.type(MuzzleVelocity, QStringLiteral("800"));
            s.type(Bc, QStringLiteral("0.462"));
            s.type(SightHeight, QStringLiteral("45"));
            s.type(MaxRange, QStringLiteral("1000"));
            s.type(ZeroRange, QStringLiteral("100"));
            s.type(Increments, QStringLiteral("50"));
            const QString file = folder.filePath(QStringLiteral("762.qvt"));
            LoadFile::dataSaveTable(file, s.w->model.form);
            return file;
        }();
        UnitsSettings::save(Units::ShownUnits::metric());
        Window again(path);
        QVERIFY(QTest::qWaitForWindowActive(again.w.get()));
        QCOMPARE(again.field(BulletWeight)->text(), QStringLiteral("11.02"));   // 170 gr
        QCOMPARE(again.field(MuzzleVelocity)->text(), QStringLiteral("800.1")); // 2625 ft/s
        QCOMPARE(again.field(SightHeight)->text(), QStringLiteral("45"));
        QCOMPARE(again.field(ZeroRange)->text(), QStringLiteral("100"));
        QVERIFY(again.w->model.form.isMetric());
        // The Table tab in metric: the 300 m row and the units under the headings.
        again.w->sstUI->setCurrentIndex(1);
        const QString table = again.w->tableTab->tableText();
        QVERIFY(table.contains(QStringLiteral("Muzzle Velocity : 800.1 m/s")));
        QVERIFY(table.contains(QStringLiteral("       m       cm")));
        // The 300 m row is the imperial table's row, converted.
        LoadSnapshot imperial = again.w->model.snapshot();
        imperial.units = Units::ShownUnits::imperial();
        CTextOutput txt;
        const QString inches = txt.table(imperial).text;
        const auto row300 = [](const QString& text) {
            for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r?\n"))))
                if (line.startsWith(QStringLiteral("      300 ")))
                    return line.split(' ', Qt::SkipEmptyParts);
            return QStringList();
        };
        const QStringList metricRow = row300(table), imperialRow = row300(inches);
        QVERIFY2(metricRow.size() > 6 && imperialRow.size() > 6, qPrintable(table));
        QVERIFY(std::abs(metricRow[1].toDouble() - imperialRow[1].toDouble() * 2.54) < 0.01);
        QVERIFY(std::abs(metricRow[5].toDouble() - imperialRow[5].toDouble() * 0.3048) < 0.05);
    }

    void theDialogsPresetFollowsItsChoices() {
        UnitsDialog dialog(Units::ShownUnits::imperial());
        QCOMPARE(dialog.cboPreset->currentText(), QStringLiteral("Imperial"));
        dialog.cboPreset->setCurrentIndex(1);
        QCOMPARE(dialog.units(), Units::ShownUnits::metric());
        // One line changed makes it a custom choice, kept as chosen.
        QComboBox* energy = dialog.cboQuantity[size_t(Units::Quantity::Energy)];
        energy->setCurrentIndex(energy->findText(QStringLiteral("ft-lbf")));
        QCOMPARE(dialog.cboPreset->currentText(), QStringLiteral("Custom"));
        QCOMPARE(dialog.units().unit(Units::Quantity::Energy), Units::Unit::FootPound);
        QCOMPARE(dialog.units().unit(Units::Quantity::Velocity), Units::Unit::MetresPerSecond);
        // And it is what the next start reads.
        UnitsSettings::save(dialog.units());
        QCOMPARE(UnitsSettings::load(), dialog.units());
    }
};

QTEST_MAIN(UnitsTest)
#include "tst_units.moc"
