// The simulator's group size and target boxes for a metric shooter: shown and typed in
// centimetres, kept in inches in the session, the captions and messages naming the unit.
#include "SimWindowSupport.h"
#include "shell/UnitsSettings.h"
#include "sim/SimSettings.h"

using namespace WindowFixture;
using namespace SimWindowSupport;

class SimMetricTest : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir;

private slots:
    void initTestCase() { isolateSettings(settingsDir); }

    void lengthBoxesAreTypedInCentimetres() {
        TestAppFolder folder(true, true);
        PromptRecorder prompts;
        ui w;
        showActive(w);
        SimController* sim = w.simulator;
        SimControlsTab* c = sim->controlsTab;
        QCOMPARE(c->lblGroupSize->text(), QStringLiteral("Group Size (in @ 100 yd)"));
        const QString groupInches = sim->sim.settings.txtGroupSize;
        QCOMPARE(c->txtGroupSize->text(), groupInches);

        w.applyUnits(Units::ShownUnits::metric());
        QCOMPARE(c->lblGroupSize->text(), QStringLiteral("Group Size (cm @ 100 yd)"));
        QCOMPARE(c->lblWidth->text(), QStringLiteral("Width (cm)"));
        QCOMPARE(c->lblHeight->text(), QStringLiteral("Height (cm)"));
        // The bounds the box takes, 0.001 to 40 in.
        QCOMPARE(c->txtGroupSize->toolTip(),
                 QStringLiteral("Group size must be between 0.01 and 101.6 cm."));
        QVERIFY(std::abs(c->txtGroupSize->text().toDouble() - groupInches.toDouble() * 2.54) <
                0.006);

        w.sstUI->setCurrentIndex(ui::SimControlsPage);
        typeAndLeave(c->txtGroupSize, QStringLiteral("5.08"));
        QCOMPARE(sim->sim.settings.txtGroupSize, QStringLiteral("2"));
        QCOMPARE(w.model.values.groupSize, 2.0f);
        QCOMPARE(c->txtGroupSize->text(), QStringLiteral("5.08"));
        typeAndLeave(c->txtWidth, QStringLiteral("30.48"));
        QCOMPARE(sim->sim.settings.txtWidth, QStringLiteral("12"));
        QVERIFY(prompts.messages.isEmpty());

        // 110 cm is more than the 40 in a group may be: the message is in centimetres.
        typeAndLeave(c->txtGroupSize, QStringLiteral("110"));
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastText(),
                 QStringLiteral("Group size must be between 0.01 and 101.6 cm."));

        // The field of view in metres at 100 yd, kept in feet; the view's width in metres.
        QCOMPARE(c->lblFov->text(), QStringLiteral("Field of View (m @ 100 yd)"));
        QCOMPARE(c->txtFov->text(), QStringLiteral("9.14"));
        typeAndLeave(c->txtFov, QStringLiteral("12.192"));
        QCOMPARE(sim->sim.settings.txtFov, QStringLiteral("40"));
        QCOMPARE(c->txtFov->text(), QStringLiteral("12.192"));
        QVERIFY(sim->simulatorTab->lblFovZoom->text().contains(QStringLiteral(" m @ zoom of: ")));
        QCOMPARE(prompts.messages.size(), 1);

        w.applyUnits(Units::ShownUnits::imperial());
        QCOMPARE(c->lblWidth->text(), QStringLiteral("Width (in)"));
        QCOMPARE(c->txtWidth->text(), QStringLiteral("12"));
        QCOMPARE(c->lblFov->text(), QStringLiteral("Field of View (ft @ 100 yd)"));
        QCOMPARE(c->txtFov->text(), QStringLiteral("40"));
        QVERIFY(
            sim->simulatorTab->lblFovZoom->text().contains(QStringLiteral(" feet @ zoom of: ")));
    }

    // A shooter who chose metres starts a fresh simulator in metres; one who keeps the load's
    // own unit starts it in yards, as always.
    void aFreshSimulatorTakesTheRangeUnitThePresetFixes() {
        const struct {
            Units::ShownUnits units;
            bool metres;
            const char* caption;
        } cases[] = {{Units::ShownUnits::metric(), true, "Range (m)"},
                     {Units::ShownUnits::imperial(), false, "Range (yd)"}};
        for (const auto& c : cases) {
            UnitsSettings::save(c.units);
            TestAppFolder folder(true, true);
            PromptRecorder prompts;
            ui w;
            showActive(w);
            SimController* sim = w.simulator;
            QCOMPARE(sim->sim.settings.optSimMetric1, c.metres);
            QCOMPARE(sim->controlsTab->optSimMetric[1]->isChecked(), c.metres);
            QCOMPARE(sim->simulatorTab->lblRange->text(), QString::fromLatin1(c.caption));
        }
        UnitsSettings::save(Units::ShownUnits::imperial());
    }

    void speedBoxesAreTypedInTheShootersUnit() {
        TestAppFolder folder(true, true);
        PromptRecorder prompts;
        ui w;
        showActive(w);
        SimController* sim = w.simulator;
        SimulatorTab* v = sim->simulatorTab;
        QCOMPARE(v->lblWind->text(), QStringLiteral("Crosswind (mph)"));
        QCOMPARE(v->lblSpeed->text(), QStringLiteral("Target Speed (mph)"));

        Units::ShownUnits units = Units::ShownUnits::metric();
        units.set(Units::Quantity::WindSpeed, Units::Unit::KilometresPerHour);
        w.applyUnits(units);
        QCOMPARE(v->lblWind->text(), QStringLiteral("Crosswind (km/h)"));
        QCOMPARE(v->lblSpeed->text(), QStringLiteral("Target Speed (km/h)"));
        // The slider's 40 mph, rounded inwards.
        const QString message =
            QStringLiteral("Crosswind speed must be between -64.3 and 64.3 km/h.");
        QCOMPARE(v->txtWind->toolTip(), message);

        w.sstUI->setCurrentIndex(ui::SimulatorPage);
        // 16 km/h is 9.94 mph: the session's whole 10 mph, shown as 16.1 km/h.
        typeAndLeave(v->txtWind, QStringLiteral("16"));
        QCOMPARE(sim->sim.settings.sldWind, 10);
        QCOMPARE(v->sldWind->value(), 10);
        QCOMPARE(v->txtWind->text(), QStringLiteral("16.1"));
        // 20 km/h is 12.4 mph: 12 mph, 19.3 km/h, once the box is left.
        typeAndLeave(v->txtSpeed, QStringLiteral("20"));
        QCOMPARE(sim->sim.settings.sldSpeed, 12);
        QCOMPARE(v->sldSpeed->value(), 12);
        QCOMPARE(v->txtSpeed->text(), QStringLiteral("19.3"));
        QVERIFY(prompts.messages.isEmpty());

        // 70 km/h is past the slider's end: told in km/h, the box keeps the focus.
        typeAndLeave(v->txtWind, QStringLiteral("70"));
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(sim->sim.settings.sldWind, 10);

        // The session keeps mph: records 4 and 19 hold the sliders' whole values.
        typeAndLeave(v->txtWind, QStringLiteral("16.1"));
        QCOMPARE(prompts.messages.size(), 1);
        // At the slider's end the box shows 64.4 km/h, past the message's bound: leaving it
        // untouched is no refusal.
        v->sldWind->setValue(40);
        QCOMPARE(v->txtWind->text(), QStringLiteral("64.4"));
        v->txtWind->setFocus();
        QTest::keyClick(v->txtWind, Qt::Key_Tab);
        QCOMPARE(prompts.messages.size(), 1);
        typeAndLeave(v->txtWind, QStringLiteral("16.1"));
        QCOMPARE(sim->sim.settings.sldWind, 10);
        const QString path = folder.file(QStringLiteral("metric.ssn"));
        QVERIFY(sim->sim.saveTo(path));
        const QStringList records = sessionText(path).split(QStringLiteral("\r\n"));
        QCOMPARE(records.value(3), QStringLiteral("10"));
        QCOMPARE(records.value(18), QStringLiteral("12"));

        // Back under mph the boxes show the session's values as they are.
        w.applyUnits(Units::ShownUnits::imperial());
        QCOMPARE(v->lblWind->text(), QStringLiteral("Crosswind (mph)"));
        QCOMPARE(v->txtWind->text(), QStringLiteral("10"));
        QCOMPARE(v->txtSpeed->text(), QStringLiteral("12"));
        QCOMPARE(v->txtWind->toolTip(),
                 QStringLiteral("Crosswind speed must be between -25 and 25 mph."));
    }
};

QTEST_MAIN(SimMetricTest)
#include "tst_simmetric.moc"
