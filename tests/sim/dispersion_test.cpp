// The shot group: its scatter against its own group circle (Rayleigh: a circular normal of sigma
// s leaves exp(-r^2 / 2s^2) of its shots beyond r), the group of the hit inputs, and the expected
// hits against the normal distribution's closed forms.
#include "ZonesTarget.h"
#include "sim_test_support.h"

#include "load/HitMath.h"
#include "sim/CSimFiring.h"
#include "sim/Raster.h"
#include "sim/SimDispersion.h"
#include "sim/SimSights.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double InchesPerMoa = 1.0473039; // at 100 yd

// The seeded simulator of the firing tests: a grey scene with the zones target at 100 yd.
struct DispersionTest : ::testing::Test {
    SimFixture f{60};
    CSimFiring firing{f.sim};

    DispersionTest() {
        QImage grey(32, 32, QImage::Format_RGB32);
        grey.fill(qRgb(128, 128, 128));
        Raster::saveBitmap(grey, f.folder.file("back/grey.bmp"));
        Raster::saveBitmap(ZonesTarget::picture(), f.folder.file("targetw/zones.bmp"));
        SimSettings& s = f.sim.settings;
        s.cboBackground = "grey.bmp";
        s.cboTarget = "zones.bmp";
        s.cboReticle.clear();
        s.sldZoom = 10;
        s.sldRange = 100;
        s.txtRange = "100";
        s.txtNumberOfRounds = "1000000";
        f.sim.session.sight = SimSights::None;
        f.sim.session.targetRed = Raster::toColorValue(ZonesTarget::Red);
        f.sim.session.targetBlue = Raster::toColorValue(ZonesTarget::Blue);
        f.sim.txtNumberOfShots_Change();
        f.sim.normalDist.seed(12345);
        f.sim.normalDist.setClock([] { return uint64_t{42}; });
        f.sim.draw(s);
    }

    QPointF centre() const { return {f.sim.scene.geo.centreX, f.sim.scene.geo.centreY}; }

    // Fires at `aim` (twips) and gives the shot's scatter in MOA.
    QPointF fireAt(QPointF aim) {
        firing.picHUD_MouseDown(CSimFiring::LeftButton, 0, float(aim.x()), float(aim.y()), 0);
        return firing.lastScatterMoa;
    }

    // Shares of `n` shots of a `groupInches` group beyond `outerMoa` and within `innerMoa`.
    std::pair<double, double> shares(const char* groupInches, float flyerPercent, double outerMoa,
                                     double innerMoa, int n) {
        f.sim.settings.txtGroupSize = groupInches;
        f.sim.session.flyerProbability = flyerPercent;
        int outside = 0, inside = 0;
        for (int i = 0; i < n; ++i) {
            const QPointF d = fireAt(centre());
            const double r = std::hypot(d.x(), d.y());
            outside += r > outerMoa;
            inside += r < innerMoa;
        }
        return {double(outside) / n, double(inside) / n};
    }
};

// Four standard deviations of a share of n trials of chance p.
double binomialTolerance(double p, int n) {
    return 4 * std::sqrt(p * (1 - p) / n);
}

// The chance, closed form, that a normal error of sigma about 0 falls within [lo, hi]: from
// tabulated values of the normal distribution.
constexpr double PhiOneMinusPhiZero = 0.3413447461;   // P(0 < z < 1)
constexpr double PhiTwoMinusPhiMinus1 = 0.8185946141; // P(-1 < z < 2)

} // namespace

// A circle that should leave 10 %, 5 % or 1 % of the shots outside does; and the shots near the
// aim are as few as a circular normal has: 1 - p^((r/R)^2) within r of a circle of radius R that
// leaves p outside (Rayleigh).
TEST_F(DispersionTest, TheGroupCircleLeavesTheFlyerShareOutside) {
    const int n = 20000;
    const double circleRadiusMoa = 2 / InchesPerMoa / 2; // the 2-inch group's circle
    const double near = 0.17;
    for (const float p : {10.0f, 5.0f, 1.0f}) {
        const auto [outside, within] = shares("2", p, circleRadiusMoa, near, n);
        const double share = p / 100.0;
        EXPECT_NEAR(outside, share, binomialTolerance(share, n)) << p << " %";
        const double expectedWithin =
            1 - std::pow(share, (near / circleRadiusMoa) * (near / circleRadiusMoa));
        EXPECT_NEAR(within, expectedWithin, binomialTolerance(expectedWithin, n)) << p << " %";
    }
    // Before any flyer choice the group is that of 10 %.
    const auto [outside, within] = shares("2", 0.0f, circleRadiusMoa, near, n);
    EXPECT_NEAR(outside, 0.10, binomialTolerance(0.10, n));
    (void)within;
}

// The scatter is centred, and its two axes spread alike and independently.
TEST_F(DispersionTest, TheGroupIsANormalOfOneSigmaEachWay) {
    f.sim.settings.txtGroupSize = "5";
    f.sim.session.flyerProbability = 5;
    // A 5 % circle is sqrt(2 ln 20) = 2.4477 sigmas in radius.
    const double sigma = 5 / InchesPerMoa / 2 / 2.4477468;
    const int n = 20000;
    double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (int i = 0; i < n; ++i) {
        const QPointF d = fireAt(centre());
        sx += d.x();
        sy += d.y();
        sxx += d.x() * d.x();
        syy += d.y() * d.y();
        sxy += d.x() * d.y();
    }
    const double se = sigma / std::sqrt(double(n));
    EXPECT_NEAR(sx / n, 0, 4 * se);
    EXPECT_NEAR(sy / n, 0, 4 * se);
    EXPECT_NEAR(std::sqrt(sxx / n), sigma, 0.02 * sigma);
    EXPECT_NEAR(std::sqrt(syy / n), sigma, 0.02 * sigma);
    EXPECT_NEAR(sxy / n / (sigma * sigma), 0, 0.04);
    EXPECT_DOUBLE_EQ(firing.lastSpread.sigmaXMoa, firing.lastSpread.sigmaYMoa);
}

// The circle drawn and the scatter use the same conversion: the scatter's circle is the box's
// group in MOA.
TEST(SimDispersion, TheScattersCircleIsTheBoxsGroup) {
    for (const float p : {10.0f, 5.0f, 1.0f, 0.0f}) {
        const auto spread = SimDispersion::ofGroupBox(3, p);
        EXPECT_NEAR(SimDispersion::circleDiameterMoa(spread, p), 3 / InchesPerMoa, 1e-6) << p;
    }
}

TEST(SimDispersion, RectangleChanceIsTheProductOfTheAxesChances) {
    // Centred: the hit probability's own closed form.
    EXPECT_NEAR(SimDispersion::rectangleChance(QRectF(-5, -3, 10, 6), {0, 0}, 2, 1.5),
                HitMath::rectangleProbability(10, 6, 1.5, 2), 1e-12);
    EXPECT_NEAR(SimDispersion::rectangleChance(QRectF(-5, -3, 10, 6), {0, 0}, 2, 1.5),
                std::erf(5 / (2 * std::sqrt(2.0))) * std::erf(3 / (1.5 * std::sqrt(2.0))), 1e-12);
    // Off the aim: across from the mean to one sigma, up from one sigma below to two above.
    EXPECT_NEAR(SimDispersion::rectangleChance(QRectF(4, 7, 3, 9), {4, 10}, 3, 3),
                PhiOneMinusPhiZero * PhiTwoMinusPhiMinus1, 1e-9);
    // A perfect rifle hits or misses outright; a target of no size is never hit.
    EXPECT_EQ(SimDispersion::rectangleChance(QRectF(-1, -1, 2, 2), {0.5, -0.5}, 0, 0), 1.0);
    EXPECT_EQ(SimDispersion::rectangleChance(QRectF(-1, -1, 2, 2), {1.5, 0}, 0, 0), 0.0);
    EXPECT_EQ(SimDispersion::rectangleChance(QRectF(0, 0, 0, 2), {0, 1}, 1, 1), 0.0);
}

// Each shot adds its chance on the target's 12-inch square at 100 yd to the expected hits.
TEST_F(DispersionTest, ExpectedHitsSumTheChanceOfEveryShot) {
    f.sim.settings.txtGroupSize = "20";
    f.sim.session.flyerProbability = 10;
    const double sigma = 20 / InchesPerMoa / 2 / std::sqrt(2 * std::log(10.0));
    const double half = 6 / InchesPerMoa; // the target's half size, MOA
    const double centred = std::pow(std::erf(half / (sigma * std::sqrt(2.0))), 2);
    // Aimed so that the group's centre is on the target's centre (range 100: no drop to speak
    // of, but the aim takes what there is).
    const AimPoint& aim = f.sim.scene.aim;
    const SimGeometry& geo = f.sim.scene.geo;
    const QPointF onCentre(centre().x() - (aim.leadXMoa + aim.windMoa) * geo.zoomTwipsPerMoaX,
                           centre().y() + (aim.leadYMoa + aim.dropMoa) * geo.zoomTwipsPerMoaY);
    const int n = 4000;
    int onTarget = 0;
    for (int i = 0; i < n; ++i) {
        fireAt(onCentre);
        const QPointF off = firing.lastImpact - centre();
        onTarget += std::fabs(off.x() / geo.zoomTwipsPerMoaX) <= half &&
                    std::fabs(off.y() / geo.zoomTwipsPerMoaY) <= half;
    }
    EXPECT_NEAR(f.sim.session.expectedHits, n * centred, 1e-3 * n);
    // The shots themselves land on the square as often.
    EXPECT_NEAR(double(onTarget) / n, centred, binomialTolerance(centred, n));

    // Held so that the group's centre is on the square's right edge: half the across chance.
    f.sim.scoreResetSession();
    EXPECT_EQ(f.sim.session.expectedHits, 0.0);
    fireAt(onCentre + QPointF(half * geo.zoomTwipsPerMoaX, 0));
    const double edge = 0.5 * std::erf(2 * half / (sigma * std::sqrt(2.0))) *
                        std::erf(half / (sigma * std::sqrt(2.0)));
    EXPECT_NEAR(f.sim.session.expectedHits, edge, 1e-3);
    const int hits = f.sim.session.redHits + f.sim.session.blueHits;
    EXPECT_EQ(f.sim.captions().lblExpectedHits,
              QStringLiteral("Expected Hits: %1 (Hits: %2)").arg(edge, 0, 'f', 1).arg(hits));
}

// Without a target picture no shot can hit, and none is expected to.
TEST_F(DispersionTest, NoTargetNoExpectedHits) {
    f.sim.settings.txtGroupSize = "20";
    fireAt(centre());
    EXPECT_GT(f.sim.session.expectedHits, 0.5);
    f.sim.settings.cboTarget.clear();
    f.sim.scoreResetSession();
    fireAt(centre());
    EXPECT_EQ(f.sim.session.expectedHits, 0.0);
    EXPECT_EQ(f.sim.captions().lblExpectedHits, "Expected Hits: 0.0 (Hits: 0)");
    // Nor with the target shown but no zone colour picked: no shot can score a hit.
    f.sim.settings.cboTarget = "zones.bmp";
    f.sim.session.targetRed = f.sim.session.targetBlue = CSim::NoColour;
    f.sim.draw(f.sim.settings);
    fireAt(centre());
    EXPECT_EQ(f.sim.session.expectedHits, 0.0);
}

// With the box left empty the hit inputs' defaults set the group: a 1-MOA 5-shot group is 1 / 3.07
// MOA a side, and the velocity spread stretches it upward only. A group in the box stays the
// source.
TEST_F(DispersionTest, AnEmptyGroupBoxTakesTheHitInputsDefaults) {
    f.sim.settings.sldRange = 600;
    f.sim.settings.txtRange = "600";
    f.sim.draw(f.sim.settings);
    f.sim.settings.txtGroupSize = "";
    fireAt(centre());
    EXPECT_TRUE(f.prompts.messages.isEmpty());
    EXPECT_NEAR(firing.lastSpread.sigmaXMoa, 1 / 3.07, 1e-12);
    EXPECT_GT(firing.lastSpread.sigmaYMoa, 1.02 * firing.lastSpread.sigmaXMoa);
    EXPECT_EQ(f.sim.session.roundsFired, 1);

    f.sim.settings.txtGroupSize = "3";
    f.sim.session.flyerProbability = 10;
    fireAt(centre());
    EXPECT_NEAR(firing.lastSpread.sigmaXMoa, 3 / InchesPerMoa / 2 / std::sqrt(2 * std::log(10.0)),
                1e-6);
    EXPECT_DOUBLE_EQ(firing.lastSpread.sigmaYMoa, firing.lastSpread.sigmaXMoa);

    // The load's own inputs, when it has them, set the group whatever the box holds.
    HitInputs load;
    load.groupMoa = 0.5;
    load.velocitySdFps = 0;
    f.sim.scene.hitInputs = load;
    fireAt(centre());
    EXPECT_NEAR(firing.lastSpread.sigmaXMoa, 0.5 / 3.07, 1e-12);
    EXPECT_NEAR(firing.lastSpread.sigmaYMoa, 0.5 / 3.07, 1e-12);
}

// The velocity spread's share grows with the range: the drop changes more per ft/s further out.
TEST_F(DispersionTest, TheVelocitySpreadWeighsMoreFurtherOut) {
    const LoadSnapshot load = LoadSnapshot::of(f.model->form, f.model->values);
    const auto near = SimDispersion::verticalMoaPerFps(load, 200);
    const auto far = SimDispersion::verticalMoaPerFps(load, 800);
    ASSERT_TRUE(near && far);
    EXPECT_GT(*near, 0);
    EXPECT_GT(*far, *near);
}
