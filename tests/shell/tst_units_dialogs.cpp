// The powder-sensitivity calculator, the hit probability, True Drag and the graph's drift choice
// for a metric shooter: values typed in metric reach the load in its own units, captions name
// the shown unit, and a value out of range is refused with a message in that unit. The expected
// figures are worked out by hand from the units' definitions (1 in = 2.54 cm, 1 ft = 0.3048 m,
// 1 mph = 0.44704 m/s = 1.609344 km/h, 1 yd = 0.9144 m, a degree C is 1.8 degrees F).
#include "WindowFixture.h"
#include "load/CTextOutput.h"
#include "load/GraphModel.h"
#include "load/HitFields.h"
#include "load/LoadModel.h"
#include "load/PrecisionFields.h"
#include "load/TrueDrag.h"
#include "shell/CGraph.h"
#include "shell/GraphTab.h"
#include "shell/InputTab.h"
#include "shell/PrecisionBox.h"
#include "shell/dlgHitProbability.h"
#include "shell/dlgPowderSensitivity.h"
#include "shell/dlgTrueDrag.h"
#include "shell/ui.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QValueAxis>

using namespace WindowFixture;

namespace {

struct Model {
    TestAppFolder folder;
    PromptRecorder prompts;
    LoadModel model;
    explicit Model(const Units::ShownUnits& units = Units::ShownUnits::metric()) {
        model.form = LoadForm::initial();
        model.refreshAllFields();
        model.units = units;
    }
};

Units::ShownUnits metricWithKmh() {
    Units::ShownUnits units = Units::ShownUnits::metric();
    units.set(Units::Quantity::WindSpeed, Units::Unit::KilometresPerHour);
    return units;
}

QLineEdit* box(dlgHitProbability& dlg, double HitInputs::*member) {
    for (int i = 0; i < HitFields::Count; ++i)
        if (HitFields::field(i).member == member) return dlg.txtHit[size_t(i)];
    return nullptr;
}

QString caption(dlgHitProbability& dlg, double HitInputs::*member) {
    auto* label =
        qobject_cast<QLabel*>(dlg.findChild<QFormLayout*>()->labelForField(box(dlg, member)));
    return label ? label->text() : QString();
}

QString heading(const dlgHitProbability& dlg, int column) {
    return dlg.tblHits->horizontalHeaderItem(column)->text();
}

void fill(dlgPowderSensitivity& dialog, const char* v1, const char* t1, const char* v2,
          const char* t2) {
    dialog.input(dlgPowderSensitivity::FirstVelocity)->setText(QString::fromLatin1(v1));
    dialog.input(dlgPowderSensitivity::FirstTemperature)->setText(QString::fromLatin1(t1));
    dialog.input(dlgPowderSensitivity::SecondVelocity)->setText(QString::fromLatin1(v2));
    dialog.input(dlgPowderSensitivity::SecondTemperature)->setText(QString::fromLatin1(t2));
}

QString labelOf(QWidget& dialog, QLineEdit* edit) {
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->buddy() == edit) return label->text();
    return {};
}

QLabel* labelContaining(QWidget& dialog, const QString& part) {
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text().contains(part)) return label;
    return nullptr;
}

} // namespace

class UnitsDialogsTest : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir;

private slots:
    void initTestCase() { isolateSettings(settingsDir); }

    // 800 m/s at 5 C and 822 m/s at 45 C: 0.55 m/s per degree C, which is 0.55 / 0.3048 ft/s
    // per 1.8 degrees F = 1.00248 ft/s per degree F in the load.
    void powderSensitivityIsTypedInMetresPerSecondAndCelsius() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ScriptedFileChooser files;
        ui w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.inputTab->chkPrecision->click();
        w.applyUnits(Units::ShownUnits::metric());
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<dlgPowderSensitivity*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(labelOf(*dialog, dialog->input(dlgPowderSensitivity::FirstVelocity)),
                     QStringLiteral("Velocity (m/s)"));
            QCOMPARE(labelOf(*dialog, dialog->input(dlgPowderSensitivity::SecondTemperature)),
                     QString::fromUtf8("at \u00B0C"));
            fill(*dialog, "800", "5", "822", "45");
            QCOMPARE(dialog->result()->text(), QString::fromUtf8("0.55 m/s/\u00B0C"));
            dialog->accept();
        });
        w.inputTab->precisionBox->sensitivityCalculator()->click();
        const QString stored = w.model.form.precision.fields[PrecisionFields::Sensitivity];
        QVERIFY2(std::abs(stored.toDouble() - 0.55 / 0.3048 / 1.8) < 1e-5, qPrintable(stored));
        QCOMPARE(w.inputTab->precisionBox->input(PrecisionFields::Sensitivity)->text(),
                 QStringLiteral("0.55"));
        QVERIFY2(prompts.messages.isEmpty(), messagesText(prompts));
    }

    // 100 m/s over 10 degrees C is 10 m/s per degree C; the field takes up to 10 ft/s per
    // degree F, 10 x 0.3048 / (5 / 9) = 5.4864 m/s per degree C.
    void aSensitivityOutOfRangeIsNamedInTheShownUnits() {
        Model m;
        dlgPowderSensitivity dialog(m.model.units);
        fill(dialog, "800", "0", "900", "10");
        const QString message =
            QStringLiteral("The readings give 10 m/s per degree C: Powder sensitivity must be "
                           "between 0 and 5.48 m/s per degree C.");
        QCOMPARE(dialog.result()->text(), message);
        dialog.accept();
        QCOMPARE(dialog.result()->text(), message);
        QCOMPARE(m.prompts.lastText(), message);
        QVERIFY(dialog.accepted().isEmpty());
    }

    void underImperialTheCalculatorIsAsItWas() {
        Model m(Units::ShownUnits::imperial());
        dlgPowderSensitivity dialog(m.model.units);
        QCOMPARE(labelOf(dialog, dialog.input(dlgPowderSensitivity::SecondVelocity)),
                 QStringLiteral("Velocity (fps)"));
        QCOMPARE(labelOf(dialog, dialog.input(dlgPowderSensitivity::FirstTemperature)),
                 QString::fromUtf8("at \u00B0F"));
        fill(dialog, "2600", "20", "3500", "30");
        QCOMPARE(dialog.result()->text(),
                 QStringLiteral("The readings give 90 fps per degree F: Powder sensitivity must "
                                "be between 0 and 10 fps per degree F."));
    }

    void hitBoxesNameTheirUnits() {
        Model m;
        dlgHitProbability dlg(m.model);
        QCOMPARE(caption(dlg, &HitInputs::targetWidthIn), QStringLiteral("Target width (cm)"));
        QCOMPARE(caption(dlg, &HitInputs::circleDiameterIn),
                 QStringLiteral("Circle diameter (cm, 0: rectangle)"));
        QCOMPARE(caption(dlg, &HitInputs::groupMoa), QStringLiteral("Group, 5-shot spread (MOA)"));
        QCOMPARE(caption(dlg, &HitInputs::velocitySdFps),
                 QStringLiteral("Muzzle velocity SD (m/s)"));
        // The load keeps yards; the metric shooter reads metres.
        QVERIFY(!m.model.form.isMetric());
        QCOMPARE(caption(dlg, &HitInputs::rangeSd), QStringLiteral("Range SD (m)"));
        QCOMPARE(caption(dlg, &HitInputs::windSdMph), QStringLiteral("Wind call SD (m/s)"));
        // The defaults: 10 in, 10 ft/s and 2 mph.
        QCOMPARE(box(dlg, &HitInputs::targetWidthIn)->text(), QStringLiteral("25.4"));
        QCOMPARE(box(dlg, &HitInputs::velocitySdFps)->text(), QStringLiteral("3.05"));
        QCOMPARE(box(dlg, &HitInputs::windSdMph)->text(), QStringLiteral("0.89"));

        Model kmh(metricWithKmh());
        dlgHitProbability other(kmh.model);
        QCOMPARE(caption(other, &HitInputs::windSdMph), QStringLiteral("Wind call SD (km/h)"));
        QCOMPARE(box(other, &HitInputs::windSdMph)->text(), QStringLiteral("3.22"));
    }

    // 50.8 cm is 20 in, 20.32 cm is 8 in, 4.572 m/s is 15 ft/s, 9.144 m is 10 yd and
    // 1.34112 m/s is 3 mph.
    void typedMetricReachesTheLoadInItsOwnUnits() {
        Model m;
        {
            dlgHitProbability dlg(m.model);
            box(dlg, &HitInputs::targetWidthIn)->setText(QStringLiteral("50.8"));
            box(dlg, &HitInputs::circleDiameterIn)->setText(QStringLiteral("20.32"));
            box(dlg, &HitInputs::velocitySdFps)->setText(QStringLiteral("4.572"));
            box(dlg, &HitInputs::rangeSd)->setText(QStringLiteral("9.144"));
            box(dlg, &HitInputs::windSdMph)->setText(QStringLiteral("1.34112"));
            dlg.show();
            dlg.OKButton->click();
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
        }
        QVERIFY(m.model.form.hit);
        const HitInputs& hit = *m.model.form.hit;
        QVERIFY(std::abs(hit.targetWidthIn - 20) < 1e-9);
        QVERIFY(std::abs(hit.circleDiameterIn - 8) < 1e-9);
        QVERIFY(std::abs(hit.velocitySdFps - 15) < 1e-9);
        QVERIFY(std::abs(hit.rangeSd - 10) < 1e-9);
        QVERIFY(std::abs(hit.windSdMph - 3) < 1e-9);
        // Boxes left as shown keep the load's values (10 in), not their rounded texts.
        QCOMPARE(hit.targetHeightIn, 10.0);
        QCOMPARE(hit.groupMoa, 1.0);
        QCOMPARE(hit.bcSdPct, 2.0);

        // Opened again, the boxes show what was typed.
        dlgHitProbability again(m.model);
        QCOMPARE(box(again, &HitInputs::targetWidthIn)->text(), QStringLiteral("50.8"));
        QCOMPARE(box(again, &HitInputs::velocitySdFps)->text(), QStringLiteral("4.57"));
        QCOMPARE(box(again, &HitInputs::rangeSd)->text(), QStringLiteral("9.14"));
        QVERIFY2(m.prompts.messages.isEmpty(), messagesText(m.prompts));
    }

    void hitRowsAndGraphAreInMetresAndCentimetres() {
        Model m;
        dlgHitProbability dlg(m.model);
        QCOMPARE(heading(dlg, 0), QStringLiteral("Range (m)"));
        QCOMPARE(heading(dlg, 2), QString::fromUtf8("Vert. \u03C3 cm"));
        QCOMPARE(heading(dlg, 3), QString::fromUtf8("Horiz. \u03C3 cm"));
        QCOMPARE(dlg.tblHits->rowCount(), 21);
        // 1000 yd is 914.4 m.
        QCOMPARE(dlg.tblHits->item(20, 0)->text(), QStringLiteral("914"));
        const HitTable::Row& last = dlg.hits().rows.back();
        QCOMPARE(dlg.tblHits->item(20, 2)->text(), QString::number(last.sigmaVIn * 2.54, 'f', 1));
        QCOMPARE(dlg.tblHits->item(20, 3)->text(), QString::number(last.sigmaHIn * 2.54, 'f', 1));
        QCOMPARE(dlg.graph->axisX()->titleText(), QStringLiteral("Range (m)"));
        QVERIFY(std::abs(dlg.graph->series1()->at(20).x() - 914.4) < 1e-6);
        dlg.tblHits->setCurrentCell(20, 0);
        QVERIFY2(dlg.lblBudget->text().startsWith(QStringLiteral("At 914 m the first shot")),
                 qPrintable(dlg.lblBudget->text()));
    }

    // 0.1 to 200 in is 0.254 to 508 cm; 100 ft/s is 30.48 m/s; 200 yd is 182.88 m; 20 mph is
    // 8.9408 m/s and 32.18688 km/h. The bounds are rounded inwards to hundredths.
    void anOutOfRangeHitBoxIsRefusedInTheShownUnit() {
        Model m;
        dlgHitProbability dlg(m.model);
        dlg.show();
        const std::pair<double HitInputs::*, std::pair<const char*, const char*>> cases[] = {
            {&HitInputs::targetWidthIn, {"600", "Target width must be between 0.26 and 508 cm."}},
            {&HitInputs::targetHeightIn,
             {"0.25", "Target height must be between 0.26 and 508 cm."}},
            {&HitInputs::circleDiameterIn,
             {"509", "Circle diameter must be between 0 and 508 cm (0: the rectangle counts)."}},
            {&HitInputs::velocitySdFps,
             {"30.5", "Muzzle velocity SD must be between 0 and 30.48 m/s."}},
            {&HitInputs::rangeSd,
             {"183", "Range SD must be between 0 and 182.88 m (0 with a laser rangefinder)."}},
            {&HitInputs::windSdMph, {"9", "Wind call SD must be between 0 and 8.94 m/s."}},
        };
        for (const auto& [member, typed] : cases) {
            QLineEdit* edit = box(dlg, member);
            const QString before = edit->text();
            edit->setText(QString::fromLatin1(typed.first));
            QVERIFY(!dlg.inputs());
            QCOMPARE(edit->toolTip(), QString::fromLatin1(typed.second));
            dlg.accept();
            QVERIFY(dlg.isVisible());
            QCOMPARE(m.prompts.lastText(), QString::fromLatin1(typed.second));
            edit->setText(before);
            QVERIFY(dlg.inputs());
        }
        QCOMPARE(m.prompts.messages.size(), 6);
        // Just inside the bound is taken: 508 cm is 200 in.
        box(dlg, &HitInputs::targetWidthIn)->setText(QStringLiteral("508"));
        QVERIFY(dlg.inputs());
        QVERIFY(!m.model.form.hit);

        Model kmh(metricWithKmh());
        dlgHitProbability other(kmh.model);
        QCOMPARE(box(other, &HitInputs::windSdMph)->toolTip(),
                 QStringLiteral("Wind call SD must be between 0 and 32.18 km/h."));
    }

    void underImperialTheHitRowsAreAsTheyWere() {
        Model m(Units::ShownUnits::imperial());
        dlgHitProbability dlg(m.model);
        QCOMPARE(heading(dlg, 0), QStringLiteral("Range (yd)"));
        QCOMPARE(heading(dlg, 2), QString::fromUtf8("Vert. \u03C3 in"));
        QCOMPARE(dlg.tblHits->item(20, 0)->text(), QStringLiteral("1000"));
        QCOMPARE(dlg.graph->axisX()->titleText(), QStringLiteral("Range (yd)"));
    }

    // 600 yd is 548.64 m.
    void trueDragNamesItsNearRangeInMetres() {
        Model m;
        m.model.form.precision.setOn(true);
        dlgTrueDrag dialog(m.model);
        QVERIFY(labelContaining(dialog, QStringLiteral("observations past 549 m.")));
        QVERIFY(!labelContaining(dialog, QStringLiteral("600 yd")));
        QVERIFY(dialog.lblWarning->text().startsWith(
            QStringLiteral("All observations are inside 549 m: there")));

        Model imperial(Units::ShownUnits::imperial());
        imperial.model.form.optMetric1 = true; // a metric load under Imperial: as it was
        dlgTrueDrag classic(imperial.model);
        QVERIFY(labelContaining(classic, QStringLiteral("observations past 600 yd.")));
        QVERIFY(classic.lblWarning->text().startsWith(
            QStringLiteral("All observations are inside 600 yd: there")));
    }

    // 10 mph is 4.4704 m/s and 16.09344 km/h.
    void theDriftChoiceNamesItsWindInTheShownUnit() {
        TestAppFolder folder;
        PromptRecorder prompts;
        ScriptedFileChooser files;
        ui w;
        w.show();
        QRadioButton* drift = w.inputTab->optYaxis[3];
        QCOMPARE(drift->text(), QStringLiteral("Wind Drift 10mph"));
        w.applyUnits(Units::ShownUnits::metric());
        QCOMPARE(drift->text(), QStringLiteral("Wind Drift 4.47 m/s"));
        w.applyUnits(metricWithKmh());
        QCOMPARE(drift->text(), QStringLiteral("Wind Drift 16.1 km/h"));
        w.applyUnits(Units::ShownUnits::imperial());
        QCOMPARE(drift->text(), QStringLiteral("Wind Drift 10mph"));
        QVERIFY2(prompts.messages.isEmpty(), messagesText(prompts));
    }

    void theGraphsDriftTitleNamesItsWind() {
        Model m;
        m.model.form.yAxis = 3;
        CTextOutput txt;
        GraphTab page(m.model, txt);
        page.refresh(m.model.snapshot());
        QCOMPARE(page.graph->axisY()->titleText(), QStringLiteral("Wind Drift 4.47 m/s / cm"));
        // Inches and km/h: the classic length word, the wind named.
        Units::ShownUnits mixed = Units::ShownUnits::imperial();
        mixed.set(Units::Quantity::WindSpeed, Units::Unit::KilometresPerHour);
        QCOMPARE(GraphText::yAxisTitle(3, mixed), QStringLiteral("Wind Drift 16.1 km/h / Inches"));
        // A wind in mph names none, as the classic title.
        Units::ShownUnits centimetres = Units::ShownUnits::imperial();
        centimetres.set(Units::Quantity::Length, Units::Unit::Centimetre);
        QCOMPARE(GraphText::yAxisTitle(3, centimetres), QStringLiteral("Wind Drift / cm"));
        QCOMPARE(GraphText::yAxisTitle(3, Units::ShownUnits::imperial()),
                 QStringLiteral("Wind Drift / Inches"));
    }
};

QTEST_MAIN(UnitsDialogsTest)
#include "tst_units_dialogs.moc"
