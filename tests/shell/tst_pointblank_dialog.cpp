// The point-blank dialog: captions, tooltips, the size boxes' checks and change rules, the
// calculation and its roundings, closing.
#include "PromptRecorder.h"
#include "TestAppFolder.h"
#include "load/CPointBlank.h"
#include "load/CTextOutput.h"
#include "load/LoadModel.h"
#include "load/TableRefresh.h"
#include "services/MNumber.h"
#include "shell/dlgPointBlank.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString vitalTip = QStringLiteral("Target Size must be between 0 and 80\".");
const QString groupTip = QStringLiteral("Group size must be between 0 and 30\".");

struct Fixture {
    TestAppFolder folder;
    PromptRecorder prompts;
    LoadModel model;
    CTextOutput txt;

    Fixture() {
        model.form = LoadForm::initial();
        model.refreshAllFields();
    }
};

} // namespace

class PointBlankDialogTest : public QObject {
    Q_OBJECT

private slots:
    void captionsAndTooltips() {
        Fixture f;
        dlgPointBlank dlg(f.model, f.txt);
        QCOMPARE(dlg.windowTitle(),
                 QStringLiteral("Maximum Point Blank Range for the Current Load"));
        QVERIFY(dlg.isModal());
        QCOMPARE(dlg.Label1[0]->text(), QStringLiteral("Target Size: (in)"));
        QCOMPARE(dlg.Label1[1]->text(), QStringLiteral("Group Size @100 Yard: (in)"));
        QCOMPARE(dlg.Label1[3]->text(), QStringLiteral("Maximum Range (yd)"));
        QCOMPARE(dlg.Label1[4]->text(), QStringLiteral("100 Yard Sight in (in)"));
        QCOMPARE(dlg.Label1[5]->text(), QStringLiteral("Point Blank Zero (yd)"));
        QCOMPARE(dlg.Label1[2]->text(),
                 QStringLiteral("If you aim for the center of the target, you will hit it out to "
                                "the Point Blank Range without sight adjustment, if you shoot "
                                "0.0\" groups with no crosswind.\nGroup size reduces this "
                                "distance, scaled for range."));
        QCOMPARE(dlg.txtVitalZone->toolTip(), vitalTip);
        QCOMPARE(dlg.txtGroupSize->toolTip(), groupTip);
        QCOMPARE(dlg.btnCalculate->text(), QStringLiteral("Calculate"));
        QCOMPARE(dlg.cmdCancel->text(), QStringLiteral("Cancel"));
        // The window's sizes fill the boxes; the results stay hidden until computed.
        QCOMPARE(dlg.txtVitalZone->text(), QStringLiteral("10"));
        QCOMPARE(dlg.txtGroupSize->text(), QStringLiteral("0"));
        for (QLineEdit* box : {dlg.txtMaxRange, dlg.txtSightIn, dlg.txtPointBlankZero})
            QVERIFY(box->isHidden());

        f.model.form.optMetric1 = true;
        dlgPointBlank metric(f.model, f.txt);
        QCOMPARE(metric.Label1[1]->text(), QStringLiteral("Group Size @100 Meter: (in)"));
        QCOMPARE(metric.Label1[3]->text(), QStringLiteral("Maximum Range (m)"));
        QCOMPARE(metric.Label1[4]->text(), QStringLiteral("100 Meter Sight in (in)"));
        QCOMPARE(metric.Label1[5]->text(), QStringLiteral("Point Blank Zero (m)"));
        QVERIFY(f.prompts.messages.isEmpty());
    }

    void editingTheSizesSetsTheWindowValues() {
        Fixture f;
        f.model.values.isPointBlank = false;
        dlgPointBlank dlg(f.model, f.txt);
        // Even the same value marks the point-blank values as set.
        dlg.txtVitalZone->setText(QStringLiteral("10"));
        QVERIFY(f.model.values.isPointBlank);
        dlg.txtVitalZone->setText(QStringLiteral("12.5"));
        QCOMPARE(f.model.values.killZone, 12.5f);
        dlg.txtVitalZone->setText(QStringLiteral("abc"));
        QVERIFY(!f.model.values.isPointBlank);
        QCOMPARE(f.model.values.killZone, 12.5f);
        dlg.txtVitalZone->setText(QStringLiteral("-5"));
        QVERIFY(!f.model.values.isPointBlank);
        dlg.txtGroupSize->setText(QStringLiteral("1.5"));
        QCOMPARE(f.model.values.groupSize, 1.5f);
        dlg.txtGroupSize->setText(QStringLiteral("x"));
        QCOMPARE(f.model.values.groupSize, 1.5f);
    }

    void sizeChecksUseTheirRangesAndTooltips() {
        Fixture f;
        dlgPointBlank dlg(f.model, f.txt);
        // Target: 0 to 80, as its message says.
        dlg.txtVitalZone->setText(QStringLiteral("50"));
        QVERIFY(!dlg.txtVitalZone_Validate());
        QVERIFY(f.prompts.messages.isEmpty());
        dlg.txtVitalZone->setText(QStringLiteral("81"));
        QVERIFY(dlg.txtVitalZone_Validate());
        QCOMPARE(f.prompts.lastText(), vitalTip);
        QCOMPARE(f.prompts.lastTitle(), QStringLiteral("Number out of Range"));
        // Group: 0 to 30.
        dlg.txtGroupSize->setText(QStringLiteral("30"));
        QVERIFY(!dlg.txtGroupSize_Validate());
        dlg.txtGroupSize->setText(QStringLiteral("30.5"));
        QVERIFY(dlg.txtGroupSize_Validate());
        QCOMPARE(f.prompts.lastText(), groupTip);
        // Not a number: refused with the box's message.
        f.prompts.clear();
        dlg.txtGroupSize->setText(QStringLiteral("two"));
        QVERIFY(dlg.txtGroupSize_Validate());
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.lastText(), groupTip);
        QCOMPARE(f.prompts.lastTitle(), QStringLiteral("Not a Number"));
    }

    void leavingARefusedBoxKeepsTheFocus() {
        Fixture f;
        dlgPointBlank dlg(f.model, f.txt);
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.txtVitalZone->setFocus();
        QTRY_VERIFY(dlg.txtVitalZone->hasFocus());
        dlg.txtVitalZone->setText(QStringLiteral("90"));
        QTest::keyClick(dlg.txtVitalZone, Qt::Key_Tab);
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.lastText(), vitalTip);
        QTRY_VERIFY(dlg.txtVitalZone->hasFocus());
        // Corrected, the focus moves on.
        dlg.txtVitalZone->setText(QStringLiteral("8"));
        QTest::keyClick(dlg.txtVitalZone, Qt::Key_Tab);
        QTRY_VERIFY(dlg.txtGroupSize->hasFocus());
        QCOMPARE(f.prompts.messages.size(), 1);
    }

    void aGroupAsLargeAsTheTargetIsRefused() {
        Fixture f;
        dlgPointBlank dlg(f.model, f.txt);
        dlg.txtVitalZone->setText(QStringLiteral("10"));
        dlg.txtGroupSize->setText(QStringLiteral("10"));
        dlg.btnCalculate_Click();
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.lastText(),
                 QStringLiteral("Group Size must be smaller than Target Size"));
        QCOMPARE(f.prompts.lastTitle(), QStringLiteral("Invalid Number"));
        QCOMPARE(f.prompts.messages.back().buttons, PromptButtons::OkCancel);
        for (QLineEdit* box : {dlg.txtMaxRange, dlg.txtSightIn, dlg.txtPointBlankZero})
            QVERIFY(box->isHidden());
    }

    void calculateShowsTheRoundedResults() {
        Fixture f;
        dlgPointBlank dlg(f.model, f.txt);
        dlg.txtVitalZone->setText(QStringLiteral("8"));
        dlg.txtGroupSize->setText(QStringLiteral("1"));
        dlg.btnCalculate_Click();
        QVERIFY(f.prompts.messages.isEmpty());
        for (QLineEdit* box : {dlg.txtMaxRange, dlg.txtSightIn, dlg.txtPointBlankZero})
            QVERIFY(!box->isHidden());

        // The same calculation directly, for the expected texts.
        LoadModel model;
        model.form = LoadForm::initial();
        model.refreshAllFields();
        model.values.killZone = 8;
        model.values.groupSize = 1;
        CPointBlank pb;
        QVERIFY(pb.pointBlankRange(model.snapshot()));
        QCOMPARE(dlg.txtMaxRange->text(), QString::number(int(pb.pbRange)));
        QCOMPARE(dlg.txtPointBlankZero->text(), MNumber::shortText(pb.pbZero, true));
        QCOMPARE(dlg.txtSightIn->text(),
                 MNumber::shortText(MNumber::roundDecimals(pb.zero100, 1), true));
        QVERIFY(dlg.txtSightIn->text().section('.', 1).size() <= 1);

        // Another click hides the old results first: an invalid pair leaves them hidden.
        dlg.txtGroupSize->setText(QStringLiteral("9"));
        dlg.btnCalculate_Click();
        QVERIFY(dlg.txtMaxRange->isHidden());
    }

    void escapeCloses() {
        Fixture f;
        dlgPointBlank dlg(f.model, f.txt);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.txtVitalZone->setText(QStringLiteral("14"));
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        // The sizes keep what the boxes gave them.
        QCOMPARE(f.model.values.killZone, 14.0f);
        QVERIFY(f.prompts.messages.isEmpty());
    }
};

QTEST_MAIN(PointBlankDialogTest)
#include "tst_pointblank_dialog.moc"
