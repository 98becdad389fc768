// Firing and scoring: where a shot lands, how its colour scores, the rounds of a session, zone
// colour picking, recentring and dragging the view, and the scatter of the flyer choices.
#include "ZonesTarget.h"
#include "sim_test_support.h"

#include "sim/CSimFiring.h"
#include "sim/Raster.h"
#include "sim/SimSights.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QRgb Grey = qRgb(128, 128, 128);
using ZonesTarget::Blue;
using ZonesTarget::Red;

// A 400-pixel view at zoom 10 and 100 yards: the 12-inch target spans about 133 pixels in the
// middle of a grey scene, with no sight drawn, so every colour under an impact is known.
struct FiringTest : ::testing::Test {
    SimFixture f{400};
    CSimFiring firing{f.sim};

    FiringTest() {
        QImage grey(32, 32, QImage::Format_RGB32);
        grey.fill(Grey);
        Raster::saveBitmap(grey, f.folder.file("back/grey.bmp"));
        Raster::saveBitmap(ZonesTarget::picture(), f.folder.file("targetw/zones.bmp"));
        SimSettings& s = f.sim.settings;
        s.cboBackground = "grey.bmp";
        s.cboTarget = "zones.bmp";
        s.cboReticle.clear();
        s.sldZoom = 10;
        s.sldRange = 100;
        s.txtRange = "100";
        s.txtGroupSize = "0";
        s.txtRedScore = "5";
        s.txtBlueScore = "2";
        s.txtMissScore = "-1";
        s.txtNumberOfRounds = "10";
        f.sim.session.sight = SimSights::None;
        f.sim.session.targetRed = Raster::toColorValue(Red);
        f.sim.session.targetBlue = Raster::toColorValue(Blue);
        f.sim.txtNumberOfShots_Change();
        f.sim.normalDist.seed(12345);
        f.sim.normalDist.setClock([] { return uint64_t{42}; });
        f.sim.draw(s); // the aim values of the scene
    }

    // Twips of one view pixel.
    float k() const { return f.sim.scene.geo.twipsPerPixel(); }
    QPointF centre() const { return {f.sim.scene.geo.centreX, f.sim.scene.geo.centreY}; }

    // Where to aim so that a shot without scatter lands at `impact` (twips).
    QPointF aimFor(QPointF impact) const {
        const CSim& s = f.sim;
        return {impact.x() -
                    (s.scene.aim.leadXMoa + s.scene.aim.windMoa) * s.scene.geo.zoomTwipsPerMoaX,
                impact.y() +
                    (s.scene.aim.leadYMoa + s.scene.aim.dropMoa) * s.scene.geo.zoomTwipsPerMoaY};
    }

    CSimFiring::Outcome shootAt(QPointF impact, int16_t key = 0) {
        const QPointF aim = aimFor(impact);
        return firing.picHUD_MouseDown(CSimFiring::LeftButton, 0, float(aim.x()), float(aim.y()),
                                       key);
    }
};

} // namespace

TEST_F(FiringTest, ZonesScoreByTheColourUnderTheImpact) {
    using O = CSimFiring::Outcome;
    EXPECT_EQ(shootAt(centre()), O::RedHit);
    EXPECT_EQ(shootAt(centre() + QPointF(30 * k(), 0)), O::BlueHit);
    EXPECT_EQ(shootAt(centre() + QPointF(0, -62 * k())), O::Miss); // white card
    EXPECT_EQ(shootAt(QPointF(10 * k(), 10 * k())), O::Miss);      // grey scene
    EXPECT_EQ(shootAt(QPointF(-50 * k(), 10 * k())), O::Miss);     // off the view

    EXPECT_EQ(f.sim.session.redHits, 1);
    EXPECT_EQ(f.sim.session.blueHits, 1);
    EXPECT_EQ(f.sim.session.misses, 3);
    EXPECT_FLOAT_EQ(f.sim.session.sessionScore, 5 + 2 - 3);
    EXPECT_FLOAT_EQ(f.sim.session.totalScore, 4);
    EXPECT_EQ(f.sim.session.roundsFired, 5);
    EXPECT_EQ(f.sim.captions().lblHits, "Red Hits: 1");
    EXPECT_EQ(f.sim.captions().lblBlueHits, "Blue Hits: 1");
    EXPECT_EQ(f.sim.captions().lblMisses, "Misses: 3");
    EXPECT_EQ(f.sim.captions().lblSessionScore, "Session Score: 4");
    EXPECT_EQ(f.sim.captions().lblTotalScore, "Total Score: 4");
    EXPECT_EQ(f.sim.settings.lblRoundsLeft, "Rounds Left: 5");
}

TEST_F(FiringTest, NoScatterLandsOnAimPlusDropDriftAndLead) {
    f.sim.settings.sldSpeed = 20;
    f.sim.settings.txtAngle = "90";
    f.sim.settings.sldWind = 10;
    f.sim.formHudInit();
    f.sim.draw(f.sim.settings);
    ASSERT_NE(f.sim.scene.aim.leadXMoa, 0.0f);
    ASSERT_NE(f.sim.scene.aim.windMoa, 0.0f);
    const float x = 3000, y = 2500;
    firing.picHUD_MouseDown(CSimFiring::LeftButton, 0, x, y, 0);
    const CSim& s = f.sim;
    EXPECT_FLOAT_EQ(float(firing.lastImpact.x()), x + (s.scene.aim.leadXMoa + s.scene.aim.windMoa) *
                                                          s.scene.geo.zoomTwipsPerMoaX);
    EXPECT_FLOAT_EQ(float(firing.lastImpact.y()), y - (s.scene.aim.leadYMoa + s.scene.aim.dropMoa) *
                                                          s.scene.geo.zoomTwipsPerMoaY);
    // The recorded shot is the impact relative to the target centre, at zoom 1.
    EXPECT_FLOAT_EQ(s.shotX(0), float(firing.lastImpact.x()));
    EXPECT_FLOAT_EQ(s.shotY(0), float(firing.lastImpact.y()));
}

TEST_F(FiringTest, EleventhShotOfTenChangesNothingAndSaysNothing) {
    for (int i = 0; i < 10; ++i)
        shootAt(centre());
    const float session = f.sim.session.sessionScore, total = f.sim.session.totalScore;
    const QString roundsCaption = f.sim.settings.lblRoundsLeft;
    EXPECT_EQ(roundsCaption, "Rounds Left: 0 \u2014 Reset Session to shoot again");
    EXPECT_EQ(shootAt(centre()), CSimFiring::Outcome::NoRoundsLeft);
    EXPECT_EQ(f.sim.session.roundsFired, 10);
    EXPECT_EQ(f.sim.session.redHits, 10);
    EXPECT_FLOAT_EQ(f.sim.session.sessionScore, session);
    EXPECT_FLOAT_EQ(f.sim.session.totalScore, total);
    EXPECT_EQ(f.sim.settings.lblRoundsLeft, roundsCaption);
    // Picking a colour needs a round left as well.
    EXPECT_EQ(shootAt(centre(), CSimFiring::BlueKey), CSimFiring::Outcome::NoRoundsLeft);
    EXPECT_EQ(f.sim.session.targetBlue, Raster::toColorValue(Blue));

    // A session reset gives the rounds back and clears the session, not the total.
    f.sim.scoreResetSession();
    EXPECT_EQ(f.sim.roundsLeft(), 10);
    EXPECT_EQ(shootAt(centre()), CSimFiring::Outcome::RedHit);
    EXPECT_FLOAT_EQ(f.sim.session.sessionScore, 5);
    EXPECT_FLOAT_EQ(f.sim.session.totalScore, total + 5);
    f.sim.scoreResetTotal();
    EXPECT_FLOAT_EQ(f.sim.session.totalScore, 0);
    EXPECT_EQ(f.sim.captions().lblTotalScore, "Total Score: 0");
}

TEST_F(FiringTest, MoreRoundsThanTheArraysWereSizedForAreRecorded) {
    f.sim.settings.txtNumberOfRounds = "3";
    f.sim.txtNumberOfShots_Change();
    f.sim.settings.txtNumberOfRounds = "20"; // raised afterwards: the arrays grow
    for (int i = 0; i < 12; ++i)
        shootAt(centre() + QPointF(i * k(), 0));
    EXPECT_EQ(f.sim.session.roundsFired, 12);
    ASSERT_GE(f.sim.session.shotPositions.size(), 12u);
    EXPECT_NEAR(f.sim.shotX(11) - f.sim.shotX(0), 11 * k(), 0.5);
}

TEST_F(FiringTest, RedTakesPrecedenceWhenBothZoneColoursAreTheSame) {
    f.sim.session.targetBlue = f.sim.session.targetRed;
    EXPECT_EQ(shootAt(centre()), CSimFiring::Outcome::RedHit);
    EXPECT_EQ(shootAt(centre() + QPointF(30 * k(), 0)), CSimFiring::Outcome::Miss);
    EXPECT_EQ(f.sim.session.blueHits, 0);
}

TEST_F(FiringTest, PickingZoneColoursDoesNotFireAndStaysOnUntilAnotherKey) {
    f.sim.session.targetRed = f.sim.session.targetBlue = CSim::NoColour;
    const QPointF ring = centre() + QPointF(30 * k(), 0);
    using O = CSimFiring::Outcome;
    EXPECT_EQ(firing.picHUD_MouseDown(1, 0, float(ring.x()), float(ring.y()), CSimFiring::BlueKey),
              O::PickedBlue);
    EXPECT_EQ(f.sim.session.targetBlue, Raster::toColorValue(Blue));
    // Beside the target there is nothing to pick: the zone keeps its colour.
    EXPECT_EQ(firing.picHUD_MouseDown(1, 0, 10 * k(), 10 * k(), CSimFiring::BlueKey), O::Nothing);
    EXPECT_EQ(f.sim.session.targetBlue, Raster::toColorValue(Blue));
    // The Fire button after R picks the colour at the centre of the view.
    EXPECT_EQ(firing.CmdFire_Click(CSimFiring::RedKey), O::PickedRed);
    EXPECT_EQ(f.sim.session.targetRed, Raster::toColorValue(Red));
    EXPECT_EQ(f.sim.session.roundsFired, 0);
    EXPECT_EQ(f.sim.session.redHits + f.sim.session.blueHits + f.sim.session.misses, 0);
    // Another key: pressing fires again.
    EXPECT_EQ(shootAt(centre(), int16_t(Qt::Key_A)), O::RedHit);
}

// Only the target picture scores. A zone never picked scores nothing, even where the scene
// shows black (a reticle line) and the old default colour was black.
TEST_F(FiringTest, SkyAndReticleLinesNeverScore) {
    using O = CSimFiring::Outcome;
    f.sim.session.sight = SimSights::MoaCrosshair;
    f.sim.draw(f.sim.settings);
    f.sim.session.targetRed = f.sim.session.targetBlue = CSim::NoColour;
    EXPECT_EQ(shootAt(centre()), O::Miss); // red zone, but red never picked
    // Black crosshair lines run through the whole view: not the target, not a hit.
    f.sim.session.targetRed = 0;
    f.sim.session.targetBlue = Raster::toColorValue(Grey);
    for (const QPointF p : {centre() + QPointF(0, 150 * k()), centre() + QPointF(-170 * k(), 0),
                            QPointF(5 * k(), 5 * k())})
        EXPECT_EQ(shootAt(p), O::Miss);
    EXPECT_EQ(f.sim.session.redHits + f.sim.session.blueHits, 0);
    f.sim.session.targetRed = Raster::toColorValue(Red);
    EXPECT_EQ(shootAt(centre()), O::RedHit);
}

// A group size the box refuses is never fired with: its own message, no shot.
TEST_F(FiringTest, AGroupSizeThatIsNoSizeIsNotFiredWith) {
    for (const char* text : {"abc", "-", "-2", "41"}) {
        f.prompts.clear();
        f.sim.settings.txtGroupSize = text;
        f.prompts.expected = {"Group size must be between 0.001 and 30.0 in."};
        EXPECT_EQ(shootAt(centre()), CSimFiring::Outcome::Nothing) << text;
        ASSERT_EQ(f.prompts.messages.size(), 1) << text;
        EXPECT_EQ(f.prompts.lastText(), "Group size must be between 0.001 and 30.0 in.");
    }
    EXPECT_EQ(f.sim.session.roundsFired, 0);
}

// Under centimetres the refusal names the bounds the box takes, in centimetres.
TEST_F(FiringTest, AGroupSizeThatIsNoSizeIsToldInTheShootersUnit) {
    f.sim.units = Units::ShownUnits::metric();
    f.sim.settings.txtGroupSize = "41";
    f.prompts.expected = {"Group size must be between 0.01 and 101.6 cm."};
    EXPECT_EQ(shootAt(centre()), CSimFiring::Outcome::Nothing);
    EXPECT_EQ(f.prompts.lastText(), "Group size must be between 0.01 and 101.6 cm.");
    EXPECT_EQ(f.sim.session.roundsFired, 0);
}

// With every round fired the caption says what to do.
TEST_F(FiringTest, TheLastRoundSaysHowToGoOn) {
    f.sim.settings.txtNumberOfRounds = "2";
    f.sim.txtNumberOfShots_Change();
    shootAt(centre());
    EXPECT_EQ(f.sim.settings.lblRoundsLeft, "Rounds Left: 1");
    shootAt(centre());
    EXPECT_TRUE(f.sim.settings.lblRoundsLeft.startsWith("Rounds Left: 0 "));
    EXPECT_TRUE(f.sim.settings.lblRoundsLeft.contains("Reset Session"));
    EXPECT_EQ(shootAt(centre()), CSimFiring::Outcome::NoRoundsLeft);
    f.sim.scoreResetSession();
    EXPECT_EQ(shootAt(centre()), CSimFiring::Outcome::RedHit);
}

TEST_F(FiringTest, FireButtonShootsAtTheViewCentre) {
    firing.CmdFire_Click(0);
    EXPECT_FLOAT_EQ(float(firing.lastImpact.x()),
                    f.sim.scene.geo.centreX + (f.sim.scene.aim.leadXMoa + f.sim.scene.aim.windMoa) *
                                                  f.sim.scene.geo.zoomTwipsPerMoaX);
    EXPECT_EQ(f.sim.session.roundsFired, 1);
}

TEST_F(FiringTest, RightClickBringsThePointToTheCentre) {
    f.sim.settings.sldZoom = 2;
    f.sim.draw(f.sim.settings);
    const QPointF point = centre() + QPointF(600, -300);
    // The target point under the pointer, as an offset from the target centre at zoom 1.
    const QPointF onTarget = (point - QPointF(f.sim.targetCenterX(), f.sim.targetCenterY())) / 2;
    EXPECT_EQ(
        firing.picHUD_MouseDown(CSimFiring::RightButton, 0, float(point.x()), float(point.y()), 0),
        CSimFiring::Outcome::Recentred);
    const QPointF nowAt = QPointF(f.sim.targetCenterX(), f.sim.targetCenterY()) + onTarget * 2;
    EXPECT_NEAR(nowAt.x(), centre().x(), 1e-3);
    EXPECT_NEAR(nowAt.y(), centre().y(), 1e-3);
    EXPECT_EQ(f.sim.session.roundsFired, 0);
}

TEST_F(FiringTest, RightDragFollowsThePointerWithinEightyPercent) {
    f.sim.settings.sldZoom = 1;
    f.sim.draw(f.sim.settings);
    const float cx = f.sim.scene.geo.centreX, cy = f.sim.scene.geo.centreY;
    firing.picHUD_MouseMove(CSimFiring::RightButton, 0, cx + 500, cy - 200);
    EXPECT_NEAR(f.sim.targetCenterX(), cx + 500, 1e-3);
    EXPECT_NEAR(f.sim.targetCenterY(), cy - 200, 1e-3);
    firing.picHUD_MouseMove(CSimFiring::RightButton, 0, 0, 2 * cy);
    EXPECT_FLOAT_EQ(f.sim.session.viewOffsetX, -0.8f * cx);
    EXPECT_FLOAT_EQ(f.sim.session.viewOffsetY, 0.8f * cy);
    // The left button alone does not drag; both buttons put the target back.
    firing.picHUD_MouseMove(CSimFiring::LeftButton, 0, cx, cy);
    EXPECT_FLOAT_EQ(f.sim.session.viewOffsetX, -0.8f * cx);
    firing.picHUD_MouseMove(CSimFiring::BothButtons, 0, 0, 0);
    EXPECT_EQ(f.sim.session.viewOffsetX, 0.0f);
    EXPECT_EQ(f.sim.session.viewOffsetY, 0.0f);
}

TEST_F(FiringTest, ShotsStayOnTheTargetWhenTheRangeChanges) {
    shootAt(centre() + QPointF(20 * k(), 10 * k()));
    const float dx100 = f.sim.shotX(0) - f.sim.targetCenterX();
    f.sim.settings.txtRange = "200";
    const float dx200 = f.sim.shotX(0) - f.sim.targetCenterX();
    EXPECT_NEAR(dx200, dx100 / 2, 1e-3); // the target is half as large at twice the range
    f.sim.settings.txtRange = "100";
    f.sim.settings.sldZoom = 20;
    EXPECT_NEAR(f.sim.shotX(0) - f.sim.targetCenterX(), dx100 * 2, 1e-2);
}

TEST_F(FiringTest, RandomCoversItsBoundsAndNothingElse) {
    int low = 1000, high = -1000;
    for (int i = 0; i < 20000; ++i) {
        const int v = firing.random(-3, 4);
        low = std::min(low, v);
        high = std::max(high, v);
    }
    EXPECT_EQ(low, -3);
    EXPECT_EQ(high, 4);
    EXPECT_EQ(firing.random(7, 7), 7);
}

// Spread of the scatter, in MOA, over many shots of one flyer choice.
static double scatterSpread(FiringTest& t, int flyerPercent) {
    t.f.sim.settings.txtGroupSize = "2";
    t.f.sim.settings.txtNumberOfRounds = "100000";
    t.f.sim.session.flyerProbability = float(flyerPercent);
    t.f.sim.setViewSize(QSize(60, 60));
    t.f.sim.draw(t.f.sim.settings);
    double sum2 = 0;
    const int n = 3000;
    for (int i = 0; i < n; ++i) {
        t.firing.picHUD_MouseDown(CSimFiring::LeftButton, 0, 300, 300, 0);
        const QPointF d = t.firing.lastScatterMoa;
        sum2 += d.x() * d.x() + d.y() * d.y();
    }
    return std::sqrt(sum2 / n);
}

TEST_F(FiringTest, FewerFlyersMeanATighterScatter) {
    const double radius = 2 / 1.0473039 / 2; // the 2-inch group's circle, MOA
    const double ten = scatterSpread(*this, 10);
    const double one = scatterSpread(*this, 1);
    const double five = scatterSpread(*this, 5);
    // A circular normal of sigma s per axis leaves exp(-R^2 / 2s^2) of its shots beyond R, so
    // the circle leaves the flyer share p outside with s = R / sqrt(2 ln(1 / p)); its shots lie
    // at a root-mean-square distance of s * sqrt(2).
    const auto rms = [&](double p) { return radius / std::sqrt(2 * std::log(1 / p)) * M_SQRT2; };
    EXPECT_NEAR(ten, rms(0.10), 0.05 * rms(0.10));
    EXPECT_NEAR(five, rms(0.05), 0.05 * rms(0.05));
    EXPECT_NEAR(one, rms(0.01), 0.05 * rms(0.01));
    EXPECT_LT(one, five);
    EXPECT_LT(five, ten);
    // Before any choice the scatter is that of 10 %.
    const double none = scatterSpread(*this, 0);
    EXPECT_NEAR(none, ten, 0.08 * ten);
}
