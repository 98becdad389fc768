// The two simulator tabs in the main window: their controls as built, a whole session of
// shooting with the mouse and the Fire button, the coupled sliders and boxes, and the view
// following the window's size.
#include "SimWindowSupport.h"

#include <QAccessible>

using namespace WindowFixture;
using namespace SimWindowSupport;

class SimWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir;

private slots:
    void initTestCase() { isolateSettings(settingsDir); }

    void pagesHoldEveryControlAsDesigned() {
        TestAppFolder folder(true, true);
        QuietQtPrompt prompts; // an unscripted message fails the test
        ui w;
        SimController* sim = w.simulator;
        QVERIFY(sim);
        QCOMPARE(w.sstUI->widget(ui::SimControlsPage), sim->controlsTab);
        QCOMPARE(w.sstUI->widget(ui::SimulatorPage), sim->simulatorTab);
        QCOMPARE(w.sstUI->widget(ui::SimControlsPage), sim->controlsTab);
        QCOMPARE(w.sstUI->widget(ui::SimulatorPage), sim->simulatorTab);
        QVERIFY(sim->isStarted());

        SimulatorTab* v = sim->simulatorTab;
        SimControlsTab* c = sim->controlsTab;
        struct Range {
            QSlider* slider;
            int low, high, page, tick;
        };
        const Range ranges[] = {{v->sldWind, -40, 40, 10, 10},
                                {v->sldSpeed, -30, 30, 1, 5},
                                {v->sldZoom, 1, 50, 1, 5},
                                {v->sldAngle, 0, 359, 10, 45},
                                {v->sldRange, 2, 1000, 50, 100}};
        for (const Range& r : ranges) {
            QCOMPARE(r.slider->minimum(), r.low);
            QCOMPARE(r.slider->maximum(), r.high);
            QCOMPARE(r.slider->pageStep(), r.page);
            QCOMPARE(r.slider->tickInterval(), r.tick);
        }
        QCOMPARE(v->CmdFire->text(), QStringLiteral("Fire"));
        QCOMPARE(v->cmdResetScore->text(), QStringLiteral("Reset Session"));
        QCOMPARE(v->cmdResetTotal->text(), QStringLiteral("Reset Total"));
        QCOMPARE(v->cmdCenterTarget->text(), QStringLiteral("Center"));
        QCOMPARE(v->cmdNext[0]->text(), QStringLiteral("<"));
        QCOMPARE(v->cmdNext[1]->text(), QStringLiteral(">"));
        QVERIFY(v->findChild<QLabel*>("lblNextSession"));
        QCOMPARE(v->findChild<QLabel*>("lblNextSession")->text(), QStringLiteral("Next Session"));
        QCOMPARE(v->chkShowHits->text(), QStringLiteral("Show Hits"));
        QCOMPARE(v->chkGroupCircle->text(), QStringLiteral("Show Group Circle"));
        QCOMPARE(v->chkPOA->text(), QStringLiteral("Show Point of Aim"));
        QCOMPARE(c->chkTransparent->text(), QStringLiteral("Transparent"));
        QCOMPARE(c->chkUserGraphic->text(), QStringLiteral("User Graphic"));
        const QStringList flyers{"10%", "5%", "1%"};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(c->optFlyer[size_t(i)]->text(), flyers[i]);
        const QStringList sights{"MOA Crosshair", "Mildot", "Red Dot", "Ghost Ring", "None"};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(c->optSights[size_t(i)]->text(), sights[i]);
        QCOMPARE(c->optSimMetric[0]->text(), QStringLiteral("Yard"));
        QCOMPARE(c->optSimMetric[1]->text(), QStringLiteral("Meter"));
        QCOMPARE(v->lblRange->text(), QStringLiteral("Range (yd)"));
        QCOMPARE(c->lblMaxrange->text(), QStringLiteral("Maximum Range (yd)"));
        QCOMPARE(c->txtGroupSize->toolTip(),
                 QStringLiteral("Group size must be between 0.001 and 30.0 in."));
        QCOMPARE(c->txtWidth->toolTip(),
                 QStringLiteral("Target width must be between 0.001 and 300.0 in."));
        QCOMPARE(v->txtZoom->toolTip(), QStringLiteral("Scale must be between 0.1 and 10.0x."));
        // A screen reader names each slider, box and button by itself, not by its group.
        const auto spoken = [](QWidget* widget) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
            return a ? a->text(QAccessible::Name) : QString();
        };
        QCOMPARE(spoken(v->sldRange), QStringLiteral("Range (yd)"));
        QCOMPARE(spoken(v->txtWind), QStringLiteral("Crosswind"));
        QCOMPARE(spoken(c->txtFov), QStringLiteral("Field of View (ft @ 100 yd)"));
        QCOMPARE(spoken(v->cmdNext[1]), QStringLiteral("Next session"));
        QCOMPARE(spoken(v->picHUD), QStringLiteral("Scope view"));
        QCOMPARE(v->picHUD->property("tag").toString(), QStringLiteral("noresize"));
        QCOMPARE(v->lblRoundsLeft->text(), QStringLiteral("Rounds Left: 10"));
        QCOMPARE(v->ucAngle->indicatorColor(), 255);
        // The lists offer the pictures of their folders.
        QVERIFY(c->cboTarget->count() > 0);
        QVERIFY(c->cboBackground->count() > 0);
    }

    void aWholeSessionOfShooting() {
        TestAppFolder folder(true, true);
        writePictures(folder);
        QuietQtPrompt prompts; // an unscripted message fails the test
        ui w;
        w.resize(1100, 800);
        showActive(w);
        SimController* sim = w.simulator;
        SimulatorTab* v = sim->simulatorTab;
        SimControlsTab* c = sim->controlsTab;

        w.sstUI->setCurrentIndex(ui::SimControlsPage);
        // The built-in folders came with the program; our pictures are found as well.
        choose(c->cboTarget, "zones.bmp");
        choose(c->cboBackground, "field.bmp");
        typeAndLeave(c->txtGroupSize, "0.001");
        c->optSights[4]->click();
        QCOMPARE(sim->sim.session.sight, int16_t(4));
        QCOMPARE(sim->sim.settings.cboTarget, QStringLiteral("zones.bmp"));
        sim->sim.session.targetRed = Raster::toColorValue(Red);
        sim->sim.session.targetBlue = Raster::toColorValue(Blue);

        w.sstUI->setCurrentIndex(ui::SimulatorPage);
        QApplication::processEvents();
        const QImage& scene = v->picHUD->scene();
        QVERIFY(!scene.isNull());
        QCOMPARE(scene.width(), scene.height());
        QCOMPARE(v->picHUD->size(), scene.size());
        QVERIFY(scene.width() <=
                int(0.89 * std::min(w.frameGeometry().width(), w.frameGeometry().height())));

        // Zoom in until the target fills a good part of the view.
        v->sldZoom->setValue(10);
        QCOMPARE(v->txtZoom->text(), QStringLiteral("10"));
        QCOMPARE(v->sldRange->value(), 50);

        QTest::mouseClick(v->CmdFire, Qt::LeftButton);
        QCOMPARE(v->lblRoundsLeft->text(), QStringLiteral("Rounds Left: 9"));
        QCOMPARE(sim->sim.session.roundsFired, 1);
        const int scored =
            sim->sim.session.redHits + sim->sim.session.blueHits + sim->sim.session.misses;
        QCOMPARE(scored, 1);

        // A click that lands far off the target (the top-left corner) is a miss.
        const int missesBefore = sim->sim.session.misses;
        QTest::mouseClick(v->picHUD, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(sim->sim.session.misses, missesBefore + 1);
        QCOMPARE(v->lblMisses->text(), QStringLiteral("Misses: %1").arg(sim->sim.session.misses));
        QCOMPARE(v->lblRoundsLeft->text(), QStringLiteral("Rounds Left: 8"));

        // B and a click on the blue ring picks its colour and does not shoot.
        sim->sim.session.targetBlue = 0;
        QTest::keyClick(v->picHUD, Qt::Key_B);
        QCOMPARE(w.keyPress, int16_t(66));
        const int side = v->picHUD->width();
        const QPoint ring(side / 2 + side / 8, side / 2);

        QCOMPARE(QColor(scene.pixel(ring)).rgb() & 0xFFFFFF, Blue & 0xFFFFFF);
        QTest::mouseClick(v->picHUD, Qt::LeftButton, {}, ring);
        QCOMPARE(sim->sim.session.targetBlue, Raster::toColorValue(Blue));
        QCOMPARE(sim->sim.session.roundsFired, 2);
        QTest::keyClick(v->picHUD, Qt::Key_Space); // another key: clicks shoot again

        // Show Hits: every shot redraws the scene with the recorded hits.
        v->chkShowHits->click();
        const QImage before = v->picHUD->scene().copy();
        QTest::mouseClick(v->CmdFire, Qt::LeftButton);
        QCOMPARE(sim->sim.session.roundsFired, 3);
        QVERIFY(v->picHUD->scene() != before);

        // The right button brings the point to the centre; Center puts the target back.
        QTest::mouseClick(v->picHUD, Qt::RightButton, {}, QPoint(side / 2 + 20, side / 2));
        QVERIFY(sim->sim.session.viewOffsetX < 0);
        QCOMPARE(sim->sim.session.roundsFired, 3);
        QTest::mouseClick(v->cmdCenterTarget, Qt::LeftButton);
        QCOMPARE(sim->sim.session.viewOffsetX, 0.0f);

        // A session reset clears the hits and gives the rounds back; the total stays.
        const float total = sim->sim.session.totalScore;
        QTest::mouseClick(v->cmdResetScore, Qt::LeftButton);
        QCOMPARE(v->lblRoundsLeft->text(), QStringLiteral("Rounds Left: 10"));
        QCOMPARE(v->lblMisses->text(), QStringLiteral("Misses: 0"));
        QCOMPARE(v->lblSessionScore->text(), QStringLiteral("Session Score: 0"));
        QCOMPARE(sim->sim.session.totalScore, total);
        QTest::mouseClick(v->cmdResetTotal, Qt::LeftButton);
        QCOMPARE(v->lblTotalScore->text(), QStringLiteral("Total Score: 0"));

        // Ten rounds, then clicks change nothing.
        for (int i = 0; i < 10; ++i)
            QTest::mouseClick(v->CmdFire, Qt::LeftButton);
        QCOMPARE(v->lblRoundsLeft->text(),
                 QStringLiteral("Rounds Left: 0 \u2014 Reset Session to shoot again"));
        const QString session = v->lblSessionScore->text();
        QTest::mouseClick(v->CmdFire, Qt::LeftButton);
        QCOMPARE(sim->sim.session.roundsFired, 10);
        QCOMPARE(v->lblSessionScore->text(), session);
        prompts.answers = {PromptAnswer::No, PromptAnswer::No};
        w.close();
    }

    void slidersBoxesAndTheDialMoveTogether() {
        TestAppFolder folder(true, true);
        QuietQtPrompt prompts; // an unscripted message fails the test
        ui w;
        showActive(w);
        SimController* sim = w.simulator;
        SimulatorTab* v = sim->simulatorTab;
        w.sstUI->setCurrentIndex(ui::SimulatorPage);

        v->txtAngle->setFocus();
        v->txtAngle->selectAll();
        QTest::keyClicks(v->txtAngle, "370");
        QCOMPARE(v->txtAngle->text(), QStringLiteral("370")); // as typed, until Enter or Tab
        QTest::keyClick(v->txtAngle, Qt::Key_Return);
        QCOMPARE(v->txtAngle->text(), QStringLiteral("10"));
        QCOMPARE(v->sldAngle->value(), 10);
        const QPoint c = v->ucAngle->centre();
        QPoint tip = v->ucAngle->indicatorEnd();
        QVERIFY(tip.x() > c.x() && tip.y() < c.y()); // just right of up

        // A negative angle typed key by key arrives whole: -90 is 270, the dial points left.
        v->txtAngle->selectAll();
        QTest::keyClicks(v->txtAngle, "-90");
        QCOMPARE(v->txtAngle->text(), QStringLiteral("-90"));
        QTest::keyClick(v->txtAngle, Qt::Key_Tab);
        QCOMPARE(v->txtAngle->text(), QStringLiteral("270"));
        tip = v->ucAngle->indicatorEnd();
        QVERIFY(tip.x() < c.x());
        QVERIFY(std::abs(tip.y() - c.y()) <= 1); // pointing left

        // Dragging to the end shows the end at once; the value follows when let go.
        v->sldRange->setSliderDown(true);
        v->sldRange->setSliderPosition(v->sldRange->maximum());
        QCOMPARE(v->txtRange->text(), QString::number(v->sldRange->maximum()));
        v->sldRange->setSliderDown(false);
        QCOMPARE(sim->sim.settings.sldRange, v->sldRange->maximum());

        // A typed range beyond the load's maximum is refused with its message.
        prompts.expected = {QStringLiteral("Range must be between 2 and 1000 yd.")};
        typeAndLeave(v->txtRange, "99999");
        QCOMPARE(prompts.lastText(), QStringLiteral("Range must be between 2 and 1000 yd."));
        QCOMPARE(QApplication::focusWidget(), v->txtRange);
        prompts.clear();
        typeAndLeave(v->txtRange, "300");
        QCOMPARE(v->sldRange->value(), 300);

        // The wind box moves the wind slider and the trajectory follows.
        typeAndLeave(v->txtWind, "30");
        QCOMPARE(v->sldWind->value(), 30);
        QCOMPARE(sim->sim.settings.sldWind, 30);

        // A score box cleared stays empty while it has the focus (a number may follow); left
        // empty it becomes "1". A negative score is typed like any other.
        SimControlsTab* ct = sim->controlsTab;
        w.sstUI->setCurrentIndex(ui::SimControlsPage);
        ct->txtBlueScore->setFocus();
        ct->txtBlueScore->selectAll();
        QTest::keyClick(ct->txtBlueScore, Qt::Key_Delete);
        QCOMPARE(ct->txtBlueScore->text(), QString());
        QTest::keyClick(ct->txtBlueScore, Qt::Key_Tab);
        QCOMPARE(ct->txtBlueScore->text(), QStringLiteral("1"));
        typeAndLeave(ct->txtBlueScore, "-3");
        QCOMPARE(ct->txtBlueScore->text(), QStringLiteral("-3"));
        QCOMPARE(sim->sim.settings.txtBlueScore, QStringLiteral("-3"));

        // Group size 35 passes, 41 is refused with the message of 30.
        typeAndLeave(ct->txtGroupSize, "35");
        prompts.expected = {QStringLiteral("Group size must be between 0.001 and 30.0 in.")};
        typeAndLeave(ct->txtGroupSize, "41");
        QCOMPARE(prompts.lastText(),
                 QStringLiteral("Group size must be between 0.001 and 30.0 in."));
        QCOMPARE(w.model.values.groupSize, 35.0f);
        prompts.answers = {PromptAnswer::No, PromptAnswer::No};
        w.close();
    }

    void viewFollowsTheWindowSize() {
        TestAppFolder folder(true, true);
        QuietQtPrompt prompts; // an unscripted message fails the test
        ui w;
        w.resize(1200, 850);
        showActive(w);
        w.sstUI->setCurrentIndex(ui::SimulatorPage);
        QApplication::processEvents();
        HudView* hud = w.simulator->simulatorTab->picHUD;
        const int large = hud->width();
        QCOMPARE(hud->height(), large);
        w.resize(900, 600);
        QApplication::processEvents();
        QVERIFY(hud->width() < large);
        QCOMPARE(hud->height(), hud->width());
        QCOMPARE(w.simulator->sim.scene.viewPixels, hud->size());
        QCOMPARE(hud->scene().size(), hud->size());
        prompts.answers = {PromptAnswer::No, PromptAnswer::No};
        w.close();
    }
};

QTEST_MAIN(SimWindowTest)
#include "tst_simwindow.moc"
