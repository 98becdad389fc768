// The composed scope view: geometry, target size and drawing modes, sights, hits and pictures.
#include "sim_test_support.h"

#include "sim/Raster.h"
#include "sim/SimSights.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPainter>
#include <cmath>

namespace {

const QRgb Grey = qRgb(128, 128, 128);

QImage filled(QSize size, QRgb colour) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

// Bounding box of the pixels of one colour.
QRect boxOf(const QImage& img, QRgb colour) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) box |= QRect(x, y, 1, 1);
    return box;
}

int countOf(const QImage& img, QRgb colour) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

// A scene with a plain grey background, no sight and no marks, and test pictures of our own.
struct SceneTest : ::testing::Test {
    SimFixture f{400};

    SceneTest() {
        Raster::saveBitmap(filled({64, 64}, Grey), f.folder.file("back/grey.bmp"));
        Raster::saveBitmap(filled({100, 100}, qRgb(255, 0, 0)), f.folder.file("targetw/red.bmp"));
        // White card with a black disc: transparency shows the disc only.
        QImage card = filled({100, 100}, qRgb(255, 255, 255));
        {
            QPainter p(&card);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawEllipse(QPoint(50, 50), 20, 20);
        }
        Raster::saveBitmap(card, f.folder.file("targetw/card.bmp"));
        SimSettings& s = f.sim.settings;
        s.cboBackground = "grey.bmp";
        s.cboTarget = "red.bmp";
        s.cboReticle.clear();
        f.sim.session.sight = SimSights::None;
        s.txtRange = "100";
    }

    QImage drawn() { return f.sim.draw(f.sim.settings).copy(); }
    QRect targetBox() { return boxOf(drawn(), qRgb(255, 0, 0)); }
};

} // namespace

TEST_F(SceneTest, GeometryFollowsViewFieldOfViewAndZoom) {
    const SimGeometry& g = f.sim.scene.geo;
    EXPECT_FLOAT_EQ(g.viewWidth, 400 * 15.0f); // 96 dpi: 15 twips per pixel
    EXPECT_FLOAT_EQ(g.centreX, 3000);
    EXPECT_FLOAT_EQ(g.viewUnitX, 0.6f);
    EXPECT_FLOAT_EQ(f.sim.scene.milsPerScreen, 100); // 30 ft at 100 yd
    EXPECT_FLOAT_EQ(g.twipsPerMilX, 60);
    EXPECT_FLOAT_EQ(g.twipsPerMoaX, 60 / 3.4377387f);
    EXPECT_EQ(f.sim.captions().lblFovZoom, "90 feet @ zoom of: 1");
    f.sim.settings.sldZoom = 4;
    f.sim.drawTwips();
    EXPECT_FLOAT_EQ(g.zoomTwipsPerMilX, 240);
    // The caption is made from the zoom in force, whoever set it.
    EXPECT_EQ(f.sim.captions().lblFovZoom, "22.5 feet @ zoom of: 4");
}

TEST_F(SceneTest, TargetShrinksWithRangeAndGrowsWithZoom) {
    const QRect at100 = targetBox();
    // 12 in at 100 yd is 3.33 mils of 100 across a 400-pixel view.
    EXPECT_NEAR(at100.width(), 13, 1);
    EXPECT_EQ(at100.center(), QPoint(199, 199));
    f.sim.settings.txtRange = "200";
    const QRect at200 = targetBox();
    EXPECT_NEAR(at200.width() * 2, at100.width(), 1);
    f.sim.settings.sldZoom = 2;
    const QRect zoomed = targetBox();
    EXPECT_NEAR(zoomed.width(), at100.width(), 1);
    f.sim.settings.sldZoom = 10;
    EXPECT_NEAR(targetBox().width(), 5 * at100.width(), 3);
}

// The width goes across and the height up: a 12 x 24 in silhouette stands.
TEST_F(SceneTest, WidthGoesAcrossAndHeightUp) {
    f.sim.settings.sldZoom = 5;
    QRect box = targetBox();
    EXPECT_EQ(box.width(), box.height()); // 12 x 12 is square
    f.sim.settings.txtHeight = "24";
    box = targetBox();
    EXPECT_NEAR(box.height(), 2 * box.width(), 1);
    f.sim.settings.txtHeight = "12";
    f.sim.settings.txtWidth = "6";
    box = targetBox();
    EXPECT_NEAR(2 * box.width(), box.height(), 1);
}

TEST_F(SceneTest, ViewOffsetMovesTheTargetWithTheZoom) {
    f.sim.settings.sldZoom = 2;
    const QRect centred = targetBox();
    f.sim.session.viewOffsetX = 150; // twips at zoom 1: 10 pixels, 20 at zoom 2
    EXPECT_EQ(targetBox().center().x(), centred.center().x() + 20);
}

// The view keeps the frame it shows while the next one is drawn: no frame held anywhere may
// change under its holder, however many frames are drawn while it is held.
TEST_F(SceneTest, AFrameHeldElsewhereIsNeverDrawnOver) {
    const QImage shown = f.sim.draw(f.sim.settings); // shared, as the view holds it
    const QImage shownPixels = shown.copy();
    const QRect first = boxOf(shownPixels, qRgb(255, 0, 0));
    f.sim.settings.txtRange = "50"; // the target twice as large
    QImage next = f.sim.draw(f.sim.settings);
    EXPECT_EQ(shown, shownPixels);
    EXPECT_NEAR(boxOf(next, qRgb(255, 0, 0)).width(), 2 * first.width(), 1);
    // The first frame let go of, and a third drawn while the second is held.
    const QImage secondPixels = next.copy();
    f.sim.settings.txtRange = "200";
    const QImage third = f.sim.draw(f.sim.settings).copy();
    EXPECT_EQ(next, secondPixels);
    EXPECT_EQ(shown, shownPixels);
    EXPECT_NEAR(2 * boxOf(third, qRgb(255, 0, 0)).width(), first.width(), 1);
    // Nothing held: the scene still starts from the background every time.
    next = QImage();
    f.sim.settings.cboTarget.clear();
    EXPECT_EQ(countOf(drawn(), Grey), 400 * 400);
}

TEST_F(SceneTest, HugeTargetsAreClippedToTheView) {
    f.sim.settings.txtRange = "2";
    f.sim.settings.sldZoom = 50;
    f.sim.settings.txtWidth = f.sim.settings.txtHeight = "300";
    const QImage img = drawn();
    EXPECT_EQ(countOf(img, qRgb(255, 0, 0)), 400 * 400);
}

TEST_F(SceneTest, OpaqueShowsTheWhiteCardTransparentOnlyItsMarks) {
    f.sim.settings.cboTarget = "card.bmp";
    f.sim.settings.sldZoom = 10;
    f.sim.settings.chkTransparent = 0;
    const QImage opaque = drawn();
    const int white = countOf(opaque, qRgb(255, 255, 255));
    EXPECT_GT(white, 1000);
    EXPECT_EQ(opaque.pixel(200, 200) & 0xFFFFFF, 0u);
    f.sim.settings.chkTransparent = 1;
    const QImage clear = drawn();
    EXPECT_EQ(countOf(clear, qRgb(255, 255, 255)), 0);
    EXPECT_EQ(clear.pixel(200, 200) & 0xFFFFFF, 0u); // the disc stays
    EXPECT_EQ(countOf(clear, qRgb(0, 0, 0)), countOf(opaque, qRgb(0, 0, 0)));
    EXPECT_EQ(countOf(clear, Grey), 400 * 400 - countOf(clear, qRgb(0, 0, 0)));
}

TEST_F(SceneTest, RedBlueTargetSetsTheZoneColours) {
    f.sim.settings.cboTarget = "redBlue.gif";
    f.sim.cboTargetValidate();
    EXPECT_EQ(f.sim.session.targetBlue, 0xFF0000); // 0xBBGGRR of pure blue, from the corner
    EXPECT_EQ(f.sim.session.targetRed, 0x0000FF);  // pure red, from the centre
    // Other targets leave the colours alone.
    f.sim.settings.cboTarget = "gong.gif";
    f.sim.cboTargetValidate();
    EXPECT_EQ(f.sim.session.targetRed, 0x0000FF);
}

TEST_F(SceneTest, MissingTargetEmptiesTheListAndDrawsNothing) {
    f.sim.settings.cboTarget = "nothere.gif";
    f.sim.cboTargetValidate();
    EXPECT_TRUE(f.sim.settings.cboTarget.isEmpty());
    EXPECT_EQ(countOf(drawn(), Grey), 400 * 400);
}

TEST_F(SceneTest, MasksAreMadeOnceAndSavedAsBitmaps) {
    const QString mask = f.folder.file("targetb/bullseye.gif");
    ASSERT_FALSE(QFileInfo::exists(mask));
    f.sim.settings.cboTarget = "bullseye.gif";
    f.sim.cboTargetValidate();
    ASSERT_TRUE(QFileInfo::exists(mask));
    EXPECT_TRUE(f.folder.read("targetb/bullseye.gif").startsWith("BM"));
    const QImage black = Raster::loadPicture(mask);
    EXPECT_EQ(black.pixel(0, 0) & 0xFFFFFF, 0u); // the white corner turned black

    // A later run reads the saved mask instead of making it again.
    Raster::saveBitmap(filled(black.size(), qRgb(0, 255, 0)), mask);
    CSim again;
    again.loadModel = f.model.get();
    again.setViewSize(QSize(400, 400));
    again.settings.cboTarget = "bullseye.gif";
    again.cboTargetValidate();
    EXPECT_EQ(again.scene.pictures.targetB.pixel(0, 0) & 0xFFFFFF, 0x00FF00u);

    // Reticles too, into sightb/.
    f.sim.settings.cboReticle = "duplex.bmp";
    f.sim.cboReticleValidate();
    EXPECT_TRUE(f.sim.reticleLoaded());
    EXPECT_TRUE(QFileInfo::exists(f.folder.file("sightb/duplex.bmp")));
    EXPECT_EQ(f.sim.scene.pictures.reticleW.size(), QSize(400, 400));
}

TEST_F(SceneTest, ReticlePictureOnlyWithUserGraphic) {
    f.sim.settings.cboTarget.clear();
    f.sim.settings.cboReticle = "duplex.bmp";
    f.sim.cboReticleValidate();
    const QImage without = drawn();
    EXPECT_EQ(countOf(without, Grey), 400 * 400);
    f.sim.settings.chkUserGraphic = 1;
    const QImage with = drawn();
    EXPECT_GT(countOf(with, qRgb(0, 0, 0)), 400 * 4);
    EXPECT_EQ(countOf(with, qRgb(255, 255, 255)), 0); // the reticle's white is transparent
}

TEST_F(SceneTest, NoSightStyleDrawsNothingAndCodeSightsKeepTheirSize) {
    f.sim.settings.cboTarget.clear();
    EXPECT_EQ(countOf(drawn(), Grey), 400 * 400); // style 4
    for (int style : {0, 1, 2, 3}) {
        f.sim.session.sight = static_cast<int16_t>(style);
        f.sim.settings.sldZoom = 1;
        const QImage z1 = drawn();
        EXPECT_LT(countOf(z1, Grey), 400 * 400) << style;
        f.sim.settings.sldZoom = 6;
        EXPECT_EQ(drawn(), z1) << style;
    }
}

TEST_F(SceneTest, RedDotIsThreeMoaAcross) {
    f.sim.settings.cboTarget.clear();
    f.sim.session.sight = SimSights::RedDot;
    const QImage img = drawn();
    const QRect dot = boxOf(img, qRgb(255, 25, 15));
    const double expected = 3 * f.sim.scene.geo.twipsPerMoaX / 15.0; // pixels
    EXPECT_NEAR(dot.width(), expected, 2.5);
    EXPECT_NEAR(dot.center().x(), 200, 1.5);
}

TEST_F(SceneTest, MildotDotsSitOneMilApart) {
    f.sim.settings.cboTarget.clear();
    f.sim.settings.txtFov = "6"; // 20 mils across: 20 pixels per mil
    ASSERT_TRUE(f.sim.applyFov());
    f.sim.session.sight = SimSights::Mildot;
    const QImage img = drawn();
    // Two pixels below the horizontal line only the dots (radius 1/7 mil) reach.
    const int row = 202;
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(img.pixel(200 - 20 * i, row) & 0xFFFFFF, 0u) << i;
        EXPECT_EQ(img.pixel(200 + 20 * i, row) & 0xFFFFFF, 0u) << i;
    }
    EXPECT_EQ(img.pixel(200 - 10, row), Grey);
    // The bars, one mil thick, run from 5 mils out to the edges.
    EXPECT_EQ(img.pixel(10, 200 + 8) & 0xFFFFFF, 0u);
    EXPECT_EQ(img.pixel(200 - 110, 200 + 8) & 0xFFFFFF, 0u);
    EXPECT_EQ(img.pixel(200 - 90, 200 + 8), Grey);
    EXPECT_EQ(img.pixel(200 + 8, 390) & 0xFFFFFF, 0u);
}

TEST(SceneHits, HitIsABlackDiscWithAWhiteRim) {
    SimFixture f(2000);
    Raster::saveBitmap(filled({8, 8}, Grey), f.folder.file("back/grey.bmp"));
    f.sim.settings.cboBackground = "grey.bmp";
    f.sim.settings.cboTarget.clear();
    f.sim.session.sight = SimSights::None;
    f.sim.txtNumberOfShots_Change();
    f.sim.shotRecord(f.sim.scene.geo.centreX, f.sim.scene.geo.centreY);
    f.sim.session.roundsFired = 1;
    const QImage img = f.sim.draw(f.sim.settings);
    const int c = 1000;
    const double rim = 35.0 / 10000 * 2000; // 7 pixels
    EXPECT_EQ(img.pixel(c, c) & 0xFFFFFF, 0u);
    EXPECT_EQ(img.pixel(c + 4, c) & 0xFFFFFF, 0u);
    EXPECT_EQ(img.pixel(c, c - 4) & 0xFFFFFF, 0u);
    bool rimFound = false;
    for (int d = int(rim) - 1; d <= int(rim) + 1; ++d)
        rimFound |= (img.pixel(c + d, c) & 0xFFFFFF) == 0xFFFFFFu;
    EXPECT_TRUE(rimFound);
    EXPECT_EQ(img.pixel(c + int(rim) + 3, c), Grey);
}

TEST(SceneHits, ShotArraysGrowBeyondTheRounds) {
    SimFixture f;
    f.sim.settings.txtNumberOfRounds = "2";
    f.sim.txtNumberOfShots_Change();
    for (int i = 0; i < 5; ++i) {
        f.sim.shotRecord(100.0f * i, 0);
        ++f.sim.session.roundsFired;
    }
    ASSERT_GE(f.sim.session.shotPositions.size(), 5u);
    EXPECT_FLOAT_EQ(f.sim.shotX(4), 400.0f);
}

TEST(SceneBackground, EmptyChoiceShowsTheEmptyScenePicture) {
    SimFixture f(300);
    f.sim.session.sight = SimSights::None;
    f.sim.settings.cboBackground.clear();
    const QImage img = f.sim.draw(f.sim.settings);
    ASSERT_EQ(img.size(), QSize(300, 300));
    const QImage hello = Raster::loadPicture(f.folder.file("hello.bmp"))
                             .scaled(300, 300, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_EQ(img.pixel(5, 5), hello.pixel(5, 5) | 0xFF000000u);
    // A background that no longer exists empties the list and falls back the same way.
    f.sim.settings.cboBackground = "gone.jpg";
    f.sim.cboBackgroundValidate();
    EXPECT_TRUE(f.sim.settings.cboBackground.isEmpty());
}

TEST(SceneBackground, BrokenPicturesNeverCrash) {
    SimFixture f(200);
    f.folder.write("back/broken.jpg", QByteArray("\xff\xd8\xff\xe0 truncated"));
    f.folder.write("targetw/broken.gif", QByteArray("GIF89a\x10\x00\x10\x00"));
    f.folder.write("sightw/broken.bmp", QByteArray("BM\x00\x01"));
    f.sim.settings.cboBackground = "broken.jpg";
    f.sim.settings.cboTarget = "broken.gif";
    f.sim.settings.cboReticle = "broken.bmp";
    f.sim.settings.chkUserGraphic = 1;
    // One refusal per picture, their texts checked below.
    f.prompts.answers = {PromptAnswer::Ok, PromptAnswer::Ok, PromptAnswer::Ok};
    f.sim.Form_Resize();
    const QImage img = f.sim.draw(f.sim.settings);
    f.reportProblems();
    EXPECT_EQ(img.size(), QSize(200, 200));
    EXPECT_FALSE(f.sim.reticleLoaded());
    for (const auto& m : f.prompts.messages)
        EXPECT_TRUE(m.text.startsWith("CSim ")) << m.text.toStdString();
}

TEST(SceneAimPoints, LeadUsesTheTargetSpeedAndFlightTime) {
    SimFixture f;
    f.sim.settings.txtRange = "300";
    f.sim.settings.sldSpeed = 10;
    f.sim.settings.txtAngle = "90"; // moving right
    f.sim.draw(f.sim.settings);
    float drop = 0, drift = 0, t = 0;
    ASSERT_TRUE(f.sim.hud.oneResult(drop, drift, 300, t));
    const float leadInches = 10 * 17.6004f * t;
    EXPECT_NEAR(f.sim.scene.aim.leadXMoa, -leadInches * f.sim.hud.inch2moa(1, 300), 1e-3);
    EXPECT_NEAR(f.sim.scene.aim.leadYMoa, 0, 1e-4);
    EXPECT_FLOAT_EQ(f.sim.scene.aim.dropMoa, drop);
}
