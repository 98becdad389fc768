// The point-blank and chronograph dialogs for a metric shooter: the boxes show and take the
// shooter's units, the captions and messages name them, and the results are the imperial
// calculation converted.
#include "PromptRecorder.h"
#include "TestAppFolder.h"
#include "load/CPointBlank.h"
#include "load/CTextOutput.h"
#include "load/LoadModel.h"
#include "services/CChronoVelocity.h"
#include "services/MNumber.h"
#include "shell/dlgChronoVel.h"
#include "shell/dlgPointBlank.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

struct Fixture {
    TestAppFolder folder;
    PromptRecorder prompts;
    LoadModel model;
    CTextOutput txt;

    Fixture() {
        model.form = LoadForm::initial();
        model.refreshAllFields();
        model.units = Units::ShownUnits::metric();
    }
};

double number(const QLineEdit* box) {
    return MNumber::parse(box->text()).value_or(-1);
}

} // namespace

class MetricDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void pointBlankSizesAreTypedInCentimetres() {
        Fixture f;
        dlgPointBlank dlg(f.model, f.txt);
        QCOMPARE(dlg.Label1[0]->text(), QStringLiteral("Target Size: (cm)"));
        QCOMPARE(dlg.Label1[1]->text(), QStringLiteral("Group Size @100 Yard: (cm)"));
        QCOMPARE(dlg.Label1[3]->text(), QStringLiteral("Maximum Range (m)"));
        QCOMPARE(dlg.Label1[4]->text(), QStringLiteral("100 Yard Sight in (cm)"));
        QVERIFY(dlg.Label1[2]->text().contains(QStringLiteral("0.0 cm groups")));
        // The window's 10 in target shows as 25.4 cm.
        QCOMPARE(dlg.txtVitalZone->text(), QStringLiteral("25.4"));
        QCOMPARE(dlg.txtVitalZone->toolTip(),
                 QStringLiteral("Target Size must be between 0 and 203.2 cm."));

        dlg.txtVitalZone->setText(QStringLiteral("20.32"));
        dlg.txtGroupSize->setText(QStringLiteral("2.54"));
        QCOMPARE(f.model.values.killZone, 8.0f);
        QCOMPARE(f.model.values.groupSize, 1.0f);
        // 80 cm is 31.5 in, more than the 30 in a group may be.
        dlg.txtGroupSize->setText(QStringLiteral("80"));
        QVERIFY(dlg.txtGroupSize_Validate());
        QCOMPARE(f.prompts.lastText(), QStringLiteral("Group size must be between 0 and 76.2 cm."));
        dlg.txtGroupSize->setText(QStringLiteral("2.54"));

        dlg.btnCalculate_Click();
        QCOMPARE(f.prompts.messages.size(), 1);
        LoadModel imperial;
        imperial.form = LoadForm::initial();
        imperial.refreshAllFields();
        imperial.values.killZone = 8;
        imperial.values.groupSize = 1;
        CPointBlank pb;
        QVERIFY(pb.pointBlankRange(imperial.snapshot()));
        QCOMPARE(number(dlg.txtMaxRange), std::round(pb.pbRange * 0.9144 * 10) / 10);
        QVERIFY(std::abs(number(dlg.txtSightIn) - pb.zero100 * 2.54) <= 0.05 + 1e-6);
        QVERIFY(std::abs(number(dlg.txtPointBlankZero) - pb.pbZero * 0.9144) <= 0.05 + 1e-6);
    }

    void chronographTakesMetresPerSecondAndMetres() {
        Fixture f;
        dlgChronoVel dlg(f.model);
        QCOMPARE(dlg.Label1[0]->text(), QStringLiteral("Calculated Muzzle Velocity (m/s)"));
        QCOMPARE(dlg.Label1[4]->text(), QStringLiteral("Chronograph Velocity (m/s)"));
        QCOMPARE(dlg.Label1[5]->text(), QStringLiteral("Chronograph Distance (m)"));
        QCOMPARE(dlg.txtChronoVel->toolTip(),
                 QStringLiteral("Velocity must be between 91.5 and 1371.6 m/s."));
        QCOMPARE(dlg.txtChronoDist->toolTip(),
                 QStringLiteral("Distance must be between 0.01 and 30.48 m."));
        // The load's muzzle velocity in m/s.
        const double mvFps = f.model.form.fields[InputFields::MuzzleVelocity].toDouble();
        QVERIFY(std::abs(number(dlg.txtChronoVel) - mvFps * 0.3048) <= 0.05 + 1e-6);

        dlg.txtChronoVel->setText(QStringLiteral("822.96")); // 2700 ft/s
        dlg.txtChronoDist->setText(QStringLiteral("4.572")); // 15 ft
        dlg.txtBc->setText(QStringLiteral("0.45"));
        dlg.cmdCalculate_Click();
        QVERIFY(f.prompts.messages.isEmpty());
        CChronoVelocity chrono;
        const float mv = chrono.chronoCorrect(0.45f, 15, 2700, QStringLiteral("0"));
        QVERIFY(std::abs(number(dlg.txtCalcMv) - mv * 0.3048) <= 0.05 + 1e-3);
        QVERIFY(std::abs(number(dlg.txtVelDiff) - (mv - 2700) * 0.3048) <= 0.05 + 1e-3);

        // 40 m is beyond the 100 ft a chronograph may stand.
        dlg.txtChronoDist->setText(QStringLiteral("40"));
        QVERIFY(dlg.txtChronoDist_Validate());
        QCOMPARE(f.prompts.lastText(),
                 QStringLiteral("Distance must be between 0.01 and 30.48 m."));
    }
};

QTEST_MAIN(MetricDialogsTest)
#include "tst_metric_dialogs.moc"
