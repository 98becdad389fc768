// The chronograph dialog: captions, tooltips, the boxes' checks, the computed velocity and its
// roundings, staying open on Calculate (Enter), closing on OK and Escape, and the drag model
// its coefficient is read against.
#include "PromptRecorder.h"
#include "TestAppFolder.h"
#include "load/LoadModel.h"
#include "services/CChronoVelocity.h"
#include "services/MNumber.h"
#include "shell/dlgChronoVel.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

struct Fixture {
    TestAppFolder folder;
    PromptRecorder prompts;
    LoadModel model;

    Fixture() {
        model.form = LoadForm::initial();
        model.refreshAllFields();
    }
};

} // namespace

class ChronoDialogTest : public QObject {
    Q_OBJECT

private slots:
    void captionsAndTooltips() {
        Fixture f;
        dlgChronoVel dlg(f.model);
        QCOMPARE(dlg.windowTitle(),
                 QStringLiteral("Chronograph Correction for Current Atmospheric Conditions"));
        QVERIFY(dlg.isModal());
        const QStringList captions{
            "Calculated Muzzle Velocity (ft/sec)",
            "Calculates muzzle velocity from a velocity at a given downrange distance.",
            "Velocity Difference (ft/sec)",
            "Includes muzzle blast \"rocket effect\", so you can use this value as your ",
            "Chronograph Velocity (ft/sec)",
            "Chronograph Distance (ft)",
            "Ballistic Coefficient",
            "muzzle velocity in ballistic calculations."};
        for (int i = 0; i < captions.size(); ++i)
            QCOMPARE(dlg.Label1[size_t(i)]->text(), captions[i]);
        QCOMPARE(dlg.txtChronoVel->toolTip(), QStringLiteral("Velocity must be 300 to 4500 fps."));
        QCOMPARE(dlg.txtChronoDist->toolTip(),
                 QStringLiteral("Distance must be between 0 and 100 feet."));
        QCOMPARE(dlg.txtBc->toolTip(),
                 QStringLiteral("Ballistic Coefficient must be between 0.001 and 1.0."));
        QCOMPARE(dlg.OKButton->text(), QStringLiteral("OK"));
        QCOMPARE(dlg.CancelButton->text(), QStringLiteral("Cancel"));
        QVERIFY(dlg.txtCalcMv->isHidden());
        QVERIFY(dlg.txtVelDiff->isHidden());
    }

    void startsFromTheLoadOrItsCorrectedCoefficient() {
        Fixture f;
        dlgChronoVel fresh(f.model);
        QCOMPARE(fresh.txtBc->text(), QStringLiteral(".495")); // the BC field as typed
        QCOMPARE(fresh.txtChronoVel->text(), QStringLiteral("2635"));
        QVERIFY(fresh.txtChronoDist->text().isEmpty());
        // With the extra inputs the air at 5000 ft corrects the coefficient, whether or not a
        // table was computed before.
        f.model.form.chkAdvanced = 1;
        dlgChronoVel corrected(f.model);
        const float bc = corrected.txtBc->text().toFloat();
        QVERIFY2(bc > 0.495f && bc < 0.6f, qPrintable(corrected.txtBc->text()));
    }

    void boxChecksUseTheirRanges() {
        Fixture f;
        dlgChronoVel dlg(f.model);
        struct Case {
            QLineEdit* box;
            bool (dlgChronoVel::*check)();
            const char* text;
            bool refused;
        };
        const Case cases[] = {
            {dlg.txtBc, &dlgChronoVel::txtBc_Validate, "0.005", true},
            {dlg.txtBc, &dlgChronoVel::txtBc_Validate, "0.01", false},
            {dlg.txtBc, &dlgChronoVel::txtBc_Validate, "1", false},
            {dlg.txtBc, &dlgChronoVel::txtBc_Validate, "1.01", true},
            {dlg.txtChronoDist, &dlgChronoVel::txtChronoDist_Validate, "0", true},
            {dlg.txtChronoDist, &dlgChronoVel::txtChronoDist_Validate, "0.01", false},
            {dlg.txtChronoDist, &dlgChronoVel::txtChronoDist_Validate, "100", false},
            {dlg.txtChronoDist, &dlgChronoVel::txtChronoDist_Validate, "101", true},
            {dlg.txtChronoVel, &dlgChronoVel::txtChronoVel_Validate, "299", true},
            {dlg.txtChronoVel, &dlgChronoVel::txtChronoVel_Validate, "4500", false},
            {dlg.txtChronoVel, &dlgChronoVel::txtChronoVel_Validate, "4501", true},
        };
        for (const Case& c : cases) {
            f.prompts.clear();
            c.box->setText(QString::fromLatin1(c.text));
            QCOMPARE((dlg.*c.check)(), c.refused);
            if (c.refused) {
                QCOMPARE(f.prompts.messages.size(), 1);
                QCOMPARE(f.prompts.lastText(), c.box->toolTip());
                QCOMPARE(f.prompts.lastTitle(), QStringLiteral("Number out of Range"));
            } else {
                QVERIFY(f.prompts.messages.isEmpty());
            }
        }
        // An empty box is refused with its own message rather than in silence.
        f.prompts.clear();
        dlg.txtChronoDist->clear();
        QVERIFY(dlg.txtChronoDist_Validate());
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.lastText(), dlg.txtChronoDist->toolTip());
        QCOMPARE(f.prompts.lastTitle(), QStringLiteral("Not a Number"));
    }

    void calculateComputesAndStaysOpen() {
        Fixture f;
        dlgChronoVel dlg(f.model);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.txtChronoVel->setText(QStringLiteral("2700"));
        dlg.txtChronoDist->setText(QStringLiteral("15"));
        dlg.txtBc->setText(QStringLiteral("0.45"));
        dlg.cmdCalculate_Click();
        QVERIFY(f.prompts.messages.isEmpty());
        QVERIFY(dlg.isVisible());
        QVERIFY(!dlg.txtCalcMv->isHidden());
        QVERIFY(!dlg.txtVelDiff->isHidden());

        CChronoVelocity chrono;
        const float mv = chrono.chronoCorrect(0.45f, 15, 2700, QStringLiteral("0"));
        QCOMPARE(dlg.txtCalcMv->text(), MNumber::shortText(MNumber::roundDecimals(mv, 1), true));
        QCOMPARE(dlg.txtVelDiff->text(),
                 MNumber::shortText(MNumber::roundDecimals(mv - 2700, 1), true));
        const QString first = dlg.txtCalcMv->text();
        dlg.cmdCalculate_Click();
        QCOMPARE(dlg.txtCalcMv->text(), first);

        // At the smallest distance the first guess stands: 3000.03 shown as 3000.
        dlg.txtChronoVel->setText(QStringLiteral("3000"));
        dlg.txtChronoDist->setText(QStringLiteral("0.01"));
        dlg.cmdCalculate_Click();
        QCOMPARE(dlg.txtCalcMv->text(), QStringLiteral("3000"));
        QCOMPARE(dlg.txtVelDiff->text(), QStringLiteral("0"));
    }

    void calculateWithAnEmptyDistanceKeepsTheFocusThere() {
        Fixture f;
        dlgChronoVel dlg(f.model);
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.cmdCalculate_Click();
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.lastTitle(), QStringLiteral("Not a Number"));
        QVERIFY(dlg.txtCalcMv->isHidden());
        QTRY_VERIFY(dlg.txtChronoDist->hasFocus());
    }

    void enterCalculatesAndOkCloses() {
        Fixture f;
        dlgChronoVel dlg(f.model);
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.txtChronoDist->setText(QStringLiteral("15"));
        dlg.txtChronoDist->setFocus();
        QTest::keyClick(dlg.txtChronoDist, Qt::Key_Return);
        QVERIFY(dlg.isVisible());
        QVERIFY(!dlg.txtCalcMv->isHidden());
        QVERIFY(!dlg.txtCalcMv->text().isEmpty());
        QVERIFY(f.prompts.messages.isEmpty());
        QCOMPARE(dlg.buttons->buttonRole(dlg.OKButton), QDialogButtonBox::AcceptRole);
        QCOMPARE(dlg.buttons->buttonRole(dlg.CancelButton), QDialogButtonBox::RejectRole);
        dlg.OKButton->click();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(f.prompts.messages.isEmpty());
    }

    void aPrecisionLoadOnAnotherDragTableIsToldTheModelOfItsBc() {
        struct Case {
            bool precision;
            const char* table;
            bool told;
        };
        for (const Case& c : {Case{true, "G7", true}, Case{true, "G1", false},
                              Case{false, "G7", false}, Case{true, "drag/my bullet.drg", true}}) {
            Fixture f;
            f.model.form.precision.on = c.precision;
            f.model.form.precision.dragTable = QString::fromLatin1(c.table);
            dlgChronoVel dlg(f.model);
            QCOMPARE(!dlg.lblDragModel->isHidden(), c.told);
            if (c.told) {
                QVERIFY(dlg.lblDragModel->text().contains(QStringLiteral("G1")));
                QVERIFY2(dlg.lblDragModel->text().contains(QFileInfo(c.table).fileName()),
                         qPrintable(dlg.lblDragModel->text()));
            }
        }
    }

    void escapeCloses() {
        Fixture f;
        dlgChronoVel dlg(f.model);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QVERIFY(f.prompts.messages.isEmpty());
    }
};

QTEST_MAIN(ChronoDialogTest)
#include "tst_chrono_dialog.moc"
