// The precision model in the window as two shooters use it: a mountain hunter with a sea-level
// pressure from the weather report, shooting steeply up and down at 8,000 ft; and a long-range
// shooter with a 3000-yd table, a G1 coefficient typed against the G7 table, and the offer of
// the equivalent coefficient when the table is switched. Then the powder-sensitivity calculator.
#include "WindowFixture.h"
#include "load/InputFields.h"
#include "shell/CGraph.h"
#include "shell/GraphTab.h"
#include "shell/InputTab.h"
#include "shell/PrecisionBox.h"
#include "shell/TableTab.h"
#include "shell/dlgPowderSensitivity.h"
#include "shell/ui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace WindowFixture;
using namespace InputFields;

class PrecisionAirWindowTest : public QObject {
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
        PrecisionBox& box() { return *w.inputTab->precisionBox; }
        bool focusOn(QWidget* widget) {
            widget->setFocus();
            return QTest::qWaitFor([&] { return QApplication::focusWidget() == widget; }, 2000);
        }
        // Types into a load field and leaves it with Tab, as a shooter does.
        void type(int index, const char* text) {
            QLineEdit* edit = input().txtInput(index);
            QVERIFY(focusOn(edit));
            edit->selectAll();
            QTest::keyClicks(edit, text);
            QTest::keyClick(edit, Qt::Key_Tab);
        }
        QString tableText() {
            w.sstUI->setCurrentIndex(ui::TablePage);
            const QString text = w.tableTab->txtOutput->toPlainText();
            w.sstUI->setCurrentIndex(ui::InputPage);
            return text;
        }
        // The cell under `heading` in the row for `range`.
        double cell(const QString& text, int range, const QString& heading) {
            const QStringList lines = text.split('\n');
            QStringList headings;
            for (const QString& line : lines) {
                const QStringList cells = line.simplified().split(' ');
                if (cells.contains("Range") && cells.contains("Height"))
                    headings = cells;
                else if (!headings.isEmpty() && !cells.isEmpty() &&
                         cells[0] == QString::number(range))
                    return cells.value(headings.indexOf(heading)).toDouble();
            }
            return qQNaN();
        }
    };

    static QString line(const QString& text, const QString& label) {
        for (const QString& l : text.split('\n'))
            if (l.contains(label)) return l.trimmed();
        return {};
    }

private slots:
    void initTestCase() { isolateSettings(settingsDir); }

    void aMountainHunterWithTheWeatherReportsPressure() {
        Window s;
        QVERIFY(QTest::qWaitForWindowActive(&s.w));
        s.input().chkPrecision->click();
        s.type(MaxRange, "1000");
        s.type(Increments, "100");
        s.type(Temperature, "40");
        // Sea level first: the altitude then resets the pressure to the standard sea-level one,
        // not to the station pressure at 8,000 ft.
        QComboBox* reference = s.box().pressureReference();
        QCOMPARE(reference->currentText(), QStringLiteral("Station"));
        // The choice is where the pressure is typed: on its row, just after it.
        QLineEdit* pressure = s.input().txtInput(Pressure);
        QVERIFY(reference->isVisible());
        const auto placed = [&] {
            const QRect field(pressure->mapTo(&s.w, QPoint()), pressure->size());
            const QRect choice(reference->mapTo(&s.w, QPoint()), reference->size());
            return choice.left() > field.right() && choice.left() - field.right() < 20 &&
                   std::abs(choice.center().y() - field.center().y()) < 4;
        };
        QTRY_VERIFY(placed());
        reference->setCurrentIndex(1);
        QVERIFY(s.w.model.form.precision.seaLevelPressure);
        s.type(Altitude, "8000");
        const double reset = s.input().txtInput(Pressure)->text().toDouble();
        QVERIFY2(std::abs(reset - 29.92) < 0.02, qPrintable(s.input().txtInput(Pressure)->text()));
        s.type(Pressure, "30.10");
        s.type(Angle, "35");
        QVERIFY2(s.prompts.messages.isEmpty(), messagesText(s.prompts));

        const QString up = s.tableText();
        QVERIFY2(line(up, "Pressure (SL)").contains(": 30.1 inHg"), qPrintable(up));
        // 30.10 reduced through 8,000 ft of the standard atmosphere: 30.10 x 22.225 / 29.921.
        QVERIFY2(line(up, "Station Press.").contains(": 22.36 inHg"), qPrintable(up));
        // The 40 F typed before the altitude stays (what the shooter measured): warmer than the
        // standard 30.5 F at 8,000 ft, thinner air, a density altitude above.
        QCOMPARE(s.input().txtInput(Temperature)->text(), QStringLiteral("40"));
        const int densityAltitude =
            line(up, "Density Altitude").section(':', -1).trimmed().section(' ', 0, 0).toInt();
        QVERIFY2(densityAltitude > 8000 && densityAltitude < 10000, qPrintable(up));

        // Downhill as well; then the same 30.10 taken as the pressure at 8,000 ft itself, air a
        // third denser than the report means: the bullet is much slower at 1000 yd.
        s.type(Angle, "-35");
        const QString down = s.tableText();
        QVERIFY2(!std::isnan(s.cell(down, 1000, "Vel")), qPrintable(down));
        reference->setCurrentIndex(0);
        const QString asStation = s.tableText();
        QVERIFY2(line(asStation, "Station Press.").contains(": 30.10 inHg"), qPrintable(asStation));
        QVERIFY2(s.cell(asStation, 1000, "Vel") < s.cell(down, 1000, "Vel") - 50,
                 qPrintable(asStation));
        reference->setCurrentIndex(1);

        // Saved and opened again: the choice travels with the load.
        const QString path = s.folder.file("mountain.qvt");
        s.files.files = {path};
        s.w.action(QStringLiteral("mnuSaveAs"))->trigger();
        QVERIFY(s.folder.read("mountain.qvt").contains("\r\nSea level\r\n"));
        QVERIFY2(s.prompts.messages.isEmpty(), messagesText(s.prompts));
        // Changed back on screen, then the file opened again without saving that change.
        reference->setCurrentIndex(0);
        s.prompts.answers = {PromptAnswer::No};
        s.files.files = {path};
        s.w.action(QStringLiteral("mnuOpen"))->trigger();
        QCOMPARE(s.prompts.messages.size(), 1); // the question about the unsaved change
        QCOMPARE(reference->currentText(), QStringLiteral("Sea level"));
        QCOMPARE(s.tableText(), down);
    }

    void aLongRangeShooterWithAG1CoefficientOnTheG7Table() {
        Window s;
        QVERIFY(QTest::qWaitForWindowActive(&s.w));
        // The classic model stops at 1500 yards and says so.
        s.type(MaxRange, "3000");
        QCOMPARE(s.prompts.messages.size(), 1);
        QCOMPARE(s.prompts.lastText(), QString::fromUtf8(field(MaxRange).message));
        QTRY_COMPARE(QApplication::focusWidget(), s.input().txtInput(MaxRange));
        s.prompts.clear();
        s.input().txtInput(MaxRange)->setText(QStringLiteral("1000"));

        s.input().chkPrecision->click();
        QCOMPARE(s.input().label1(Bc)->text(), QStringLiteral("BC (G7)"));
        s.type(MaxRange, "3000");
        s.type(Increments, "100");
        s.type(MuzzleVelocity, "2650");
        QVERIFY2(s.prompts.messages.isEmpty(), messagesText(s.prompts));

        // A heavy bullet's G1 figure from the box typed against G7: pointed out once, not
        // refused.
        s.type(Bc, ".62");
        QCOMPARE(s.prompts.messages.size(), 1);
        QCOMPARE(s.prompts.lastTitle(), QStringLiteral("BC (G7)"));
        QVERIFY(s.prompts.lastText().contains("62"));
        s.type(Bc, ".62");
        QCOMPARE(s.prompts.messages.size(), 1);
        QCOMPARE(s.w.model.form.fields[Bc], QStringLiteral(".62"));

        // Switching to G1 (the list's first entry) works out the coefficient flying the same
        // there: about twice the G7 figure.
        QComboBox* tables = s.box().dragTables();
        s.prompts.answers = {PromptAnswer::No};
        QVERIFY(s.focusOn(tables));
        QTest::keyClick(tables, Qt::Key_Home);
        QCOMPARE(s.w.model.form.precision.dragTable, QStringLiteral("G1"));
        QCOMPARE(s.input().label1(Bc)->text(), QStringLiteral("BC (G1)"));
        QCOMPARE(s.prompts.messages.size(), 2);
        QCOMPARE(s.prompts.lastTitle(), QStringLiteral("BC (G1)"));
        QVERIFY2(s.prompts.lastText().contains("same drop at 1000 yards"),
                 qPrintable(s.prompts.lastText()));
        // That is above what the BC field takes (a heavy bullet's figure read against the wrong
        // table twice over): it is only told.
        QVERIFY2(s.prompts.lastText().contains("outside what the BC field takes"),
                 qPrintable(s.prompts.lastText()));
        QCOMPARE(s.prompts.messages.back().buttons, PromptButtons::Ok);
        QCOMPARE(s.input().txtInput(Bc)->text(), QStringLiteral(".62"));

        // Back to G7 with Yes: the G7 equivalent of .62 read as G1 goes in (about half).
        s.prompts.answers = {PromptAnswer::Yes};
        QTest::keyClick(tables, Qt::Key_Down);
        QCOMPARE(s.w.model.form.precision.dragTable, QStringLiteral("G7"));
        QCOMPARE(s.prompts.messages.size(), 3);
        const double g7 = s.input().txtInput(Bc)->text().toDouble();
        QVERIFY2(g7 > 0.28 && g7 < 0.35, qPrintable(s.input().txtInput(Bc)->text()));
        QCOMPARE(s.w.model.form.fields[Bc], s.input().txtInput(Bc)->text());
        QCOMPARE(s.prompts.messages.size(), 3); // plausible now: no warning

        // The 3000-yd table runs to its end and marks the sound barrier.
        const QString table = s.tableText();
        QVERIFY(!std::isnan(s.cell(table, 3000, "Height")));
        QCOMPARE(table.count("transonic"), 1);
        QCOMPARE(table.count("subsonic"), 1);
        s.w.sstUI->setCurrentIndex(ui::GraphPage);
        QLineSeries* subsonic = s.w.graphTab->graph->subsonicMark();
        QTRY_COMPARE(subsonic->count(), 2);
        QVERIFY(subsonic->at(0).x() > 1000 && subsonic->at(0).x() < 3000);
        QVERIFY(subsonic->name().startsWith("Subsonic at "));
        QCOMPARE(s.prompts.messages.size(), 3);
    }

    void aDragFileBesideTheLoadTravelsWithItAndKeepsWorkingAfterSaveAs() {
        Window s;
        QVERIFY(QTest::qWaitForWindowActive(&s.w));
        s.input().chkPrecision->click();
        QDir(s.folder.path()).mkpath("loads");
        QDir(s.folder.path()).mkpath("elsewhere");
        const QString loadPath = s.folder.file("loads/a.qvt");
        s.files.files = {loadPath};
        s.w.action(QStringLiteral("mnuSaveAs"))->trigger();
        const QString drag =
            s.folder.write("loads/radar.drg", "CFM radar\n0.25 0.0\n0.42 1.2\n0.30 3.0\n");
        s.files.files = {drag};
        QComboBox* tables = s.box().dragTables();
        QVERIFY(s.focusOn(tables));
        QTest::keyClick(tables, Qt::Key_End); // "Custom…"
        QCOMPARE(s.w.model.form.precision.dragTable, QStringLiteral("radar.drg"));
        QCOMPARE(tables->currentText(), QStringLiteral("radar.drg"));
        QCOMPARE(s.input().label1(Bc)->text(), QStringLiteral("BC (radar)"));
        const QString table = s.tableText();
        QVERIFY2(table.contains("drag table radar.drg"), qPrintable(table));

        // Saved into a folder the drag file is not in: the whole path is stored, the same table.
        const QString otherPath = s.folder.file("elsewhere/b.qvt");
        s.files.files = {otherPath};
        s.w.action(QStringLiteral("mnuSaveAs"))->trigger();
        QCOMPARE(s.w.model.form.precision.dragTable, QFileInfo(drag).absoluteFilePath());
        QVERIFY(
            s.folder.read("elsewhere/b.qvt").contains(QFileInfo(drag).absoluteFilePath().toUtf8()));
        QCOMPARE(tables->currentText(), QStringLiteral("radar.drg"));
        QCOMPARE(s.tableText(), table);
        QVERIFY2(s.prompts.messages.isEmpty(), messagesText(s.prompts));
    }

    void thePowderSensitivityCalculatorFillsItsField() {
        Window s;
        QVERIFY(QTest::qWaitForWindowExposed(&s.w));
        s.input().chkPrecision->click();
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<dlgPowderSensitivity*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->input(dlgPowderSensitivity::FirstVelocity)->setText("2600");
            dialog->input(dlgPowderSensitivity::FirstTemperature)->setText("20");
            dialog->input(dlgPowderSensitivity::SecondVelocity)->setText("2690");
            dialog->input(dlgPowderSensitivity::SecondTemperature)->setText("95");
            QCOMPARE(dialog->result()->text(), QStringLiteral("1.2 fps/\u00B0F"));
            dialog->accept();
        });
        s.box().sensitivityCalculator()->click();
        QCOMPARE(s.box().input(PrecisionFields::Sensitivity)->text(), QStringLiteral("1.2"));
        QCOMPARE(s.w.model.form.precision.fields[PrecisionFields::Sensitivity],
                 QStringLiteral("1.2"));
        QVERIFY2(s.prompts.messages.isEmpty(), messagesText(s.prompts));
    }
};

QTEST_MAIN(PrecisionAirWindowTest)
#include "tst_precision_air.moc"
