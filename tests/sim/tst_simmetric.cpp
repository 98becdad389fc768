// The simulator's group size and target boxes for a metric shooter: shown and typed in
// centimetres, kept in inches in the session, the captions and messages naming the unit.
#include "SimWindowSupport.h"
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

        w.applyUnits(Units::ShownUnits::imperial());
        QCOMPARE(c->lblWidth->text(), QStringLiteral("Width (in)"));
        QCOMPARE(c->txtWidth->text(), QStringLiteral("12"));
    }
};

QTEST_MAIN(SimMetricTest)
#include "tst_simmetric.moc"
