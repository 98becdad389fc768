// The hit-probability dialog: its inputs go into the load on OK and come back when it opens
// again, Cancel and Escape leave the load alone, a bigger target never lowers a row's chance, and
// the graph has a point for every row of the table.
#include "PromptRecorder.h"
#include "TestAppFolder.h"
#include "WindowFixture.h"
#include "load/HitFields.h"
#include "load/LoadModel.h"
#include "shell/CGraph.h"
#include "shell/dlgHitProbability.h"
#include "shell/ui.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QValueAxis>

using namespace WindowFixture;

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

QLineEdit* box(dlgHitProbability& dlg, double HitInputs::*member) {
    for (int i = 0; i < HitFields::Count; ++i)
        if (HitFields::field(i).member == member) return dlg.txtHit[size_t(i)];
    return nullptr;
}

std::vector<double> hitColumn(const dlgHitProbability& dlg) {
    std::vector<double> out;
    for (int r = 0; r < dlg.tblHits->rowCount(); ++r)
        out.push_back(dlg.tblHits->item(r, 1)->text().toDouble());
    return out;
}

} // namespace

class HitDialogTest : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir;

private slots:
    void initTestCase() { isolateSettings(settingsDir); }

    void opensWithTheDefaultsAndARowPerTableRow() {
        Fixture f;
        QElapsedTimer clock;
        clock.start();
        dlgHitProbability dlg(f.model);
        // The linear method: no visible pause before the dialog shows.
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Hit Probability"));
        QCOMPARE(box(dlg, &HitInputs::groupMoa)->text(), QStringLiteral("1"));
        QCOMPARE(box(dlg, &HitInputs::velocitySdFps)->text(), QStringLiteral("10"));
        QCOMPARE(box(dlg, &HitInputs::bcSdPct)->text(), QStringLiteral("2"));
        QCOMPARE(box(dlg, &HitInputs::rangeSd)->text(), QStringLiteral("0"));
        QCOMPARE(box(dlg, &HitInputs::windSdMph)->text(), QStringLiteral("2"));
        QCOMPARE(dlg.tblHits->rowCount(), 21); // 0 to 1000 yd by 50
        QCOMPARE(dlg.tblHits->item(20, 0)->text(), QStringLiteral("1000"));
        QVERIFY(dlg.lblProblem->isHidden());
        // Farther is harder.
        const std::vector<double> hits = hitColumn(dlg);
        for (size_t i = 2; i < hits.size(); ++i)
            QVERIFY2(hits[i] <= hits[i - 1], qPrintable(QString::number(i)));
        QVERIFY(hits.back() < 50);
        QVERIFY(dlg.lblBudget->text().contains(QStringLiteral("The miss comes from")));
        QVERIFY(f.prompts.messages.isEmpty());
    }

    void theGraphHasAPointPerRow() {
        Fixture f;
        dlgHitProbability dlg(f.model);
        QCOMPARE(dlg.graph->series1()->count(), dlg.tblHits->rowCount());
        for (int r = 0; r < dlg.tblHits->rowCount(); ++r) {
            const QPointF p = dlg.graph->series1()->at(r);
            QCOMPARE(p.x(), dlg.tblHits->item(r, 0)->text().toDouble());
            QVERIFY(std::abs(p.y() - dlg.tblHits->item(r, 1)->text().toDouble()) <= 0.05);
        }
        // A change of an input redraws every point.
        box(dlg, &HitInputs::windSdMph)->setText(QStringLiteral("6"));
        QCOMPARE(dlg.graph->series1()->count(), dlg.tblHits->rowCount());
        QCOMPARE(dlg.graph->series1()->at(18).y(), dlg.hits().rows[18].hitPct);
        QCOMPARE(dlg.graph->axisY()->max(), 100.0);
    }

    void aBiggerTargetNeverLowersTheChance() {
        Fixture f;
        dlgHitProbability dlg(f.model);
        std::vector<double> before = hitColumn(dlg);
        for (const char* width : {"12", "20", "40"}) {
            box(dlg, &HitInputs::targetWidthIn)->setText(QString::fromLatin1(width));
            const std::vector<double> after = hitColumn(dlg);
            QCOMPARE(after.size(), before.size());
            for (size_t i = 0; i < after.size(); ++i)
                QVERIFY2(after[i] >= before[i], width);
            QVERIFY(after.back() > before.back()); // the wind's spread is sideways: width helps
            before = after;
        }
        box(dlg, &HitInputs::targetHeightIn)->setText(QStringLiteral("30"));
        const std::vector<double> taller = hitColumn(dlg);
        for (size_t i = 0; i < taller.size(); ++i)
            QVERIFY(taller[i] >= before[i]);
    }

    void okKeepsTheInputsWithTheLoadAndTheyComeBack() {
        Fixture f;
        QVERIFY(!f.model.form.hit);
        {
            dlgHitProbability dlg(f.model);
            box(dlg, &HitInputs::circleDiameterIn)->setText(QStringLiteral("8"));
            box(dlg, &HitInputs::groupMoa)->setText(QStringLiteral("0.75"));
            box(dlg, &HitInputs::windSdMph)->setText(QStringLiteral("1.5"));
            box(dlg, &HitInputs::rangeSd)->setText(QStringLiteral("10"));
            dlg.show();
            dlg.OKButton->click();
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
        }
        QVERIFY(f.model.form.hit);
        HitInputs expected;
        expected.circleDiameterIn = 8;
        expected.groupMoa = 0.75;
        expected.windSdMph = 1.5;
        expected.rangeSd = 10;
        QVERIFY(*f.model.form.hit == expected);
        dlgHitProbability again(f.model);
        QCOMPARE(box(again, &HitInputs::groupMoa)->text(), QStringLiteral("0.75"));
        QCOMPARE(box(again, &HitInputs::circleDiameterIn)->text(), QStringLiteral("8"));
        QCOMPARE(again.inputs()->rangeSd, 10.0);
        QVERIFY(f.prompts.messages.isEmpty());
    }

    void aBoxOutOfItsLimitKeepsTheDialogOpen() {
        Fixture f;
        dlgHitProbability dlg(f.model);
        dlg.show();
        box(dlg, &HitInputs::groupMoa)->setText(QStringLiteral("50"));
        QVERIFY(!dlg.inputs());
        QVERIFY(!dlg.OKButton->isEnabled());
        QCOMPARE(dlg.tblHits->rowCount(), 0);
        dlg.accept();
        QVERIFY(dlg.isVisible());
        QVERIFY(!f.model.form.hit);
        QCOMPARE(f.prompts.messages.size(), 1);
    }

    void cancelAndEscapeLeaveTheLoadAlone() {
        Fixture f;
        for (bool escape : {false, true}) {
            dlgHitProbability dlg(f.model);
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            box(dlg, &HitInputs::groupMoa)->setText(QStringLiteral("2"));
            if (escape)
                QTest::keyClick(&dlg, Qt::Key_Escape);
            else
                dlg.CancelButton->click();
            QVERIFY(!dlg.isVisible());
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
            QVERIFY(!f.model.form.hit);
        }
    }

    void theMenuItemOpensItAndOkMarksTheLoadChanged() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ScriptedFileChooser files;
        ui w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QAction* item = w.action(QStringLiteral("mnuHitProbability"));
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("&Hit Probability\u2026"));
        const bool modifiedBefore = w.isWindowModified();
        const QByteArray before = LoadFile::bytesOf(w.model.form);
        QTimer::singleShot(0, [] {
            auto* dlg = qobject_cast<dlgHitProbability*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            dlg->txtHit[0]->setText(QStringLiteral("16"));
            dlg->OKButton->click();
        });
        item->trigger();
        QVERIFY(w.model.form.hit);
        QCOMPARE(w.model.form.hit->targetWidthIn, 16.0);
        QVERIFY(LoadFile::bytesOf(w.model.form) != before);
        QVERIFY(!modifiedBefore);
        QVERIFY(w.isWindowModified());
        QVERIFY(prompts.messages.isEmpty());
    }
};

QTEST_MAIN(HitDialogTest)
#include "tst_hit_dialog.moc"
