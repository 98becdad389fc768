#include "sim/SimScene.h"

#include "services/CBallUtil.h"
#include "services/ErrorNumbers.h"
#include "services/MNumber.h"
#include "units/Units.h"

#include "sim/CHUD.h"
#include "sim/Raster.h"
#include "sim/SimDispersion.h"
#include "sim/SimPainter.h"
#include "sim/SimSession.h"
#include "sim/SimSettings.h"
#include "sim/SimSights.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

double number(const QString& text) {
    return MNumber::parse(text).value_or(0.0);
}

constexpr float SmallestViewTwips = 100.0f;

// Pixel rectangles beyond this are not drawn (far beyond any view).
constexpr double LargestPixelExtent = 1.0e9;

} // namespace

bool SimScene::tooSmall() const {
    return geo.toTwips(static_cast<float>(viewPixels.height())) < SmallestViewTwips;
}

void SimScene::computeGeometry(const SimSettings& s, const CHUD& hud) {
    geo.dpi = dpi > 0 ? dpi : 96;
    const auto range = static_cast<float>(number(s.txtRange));
    geo.compute(viewPixels, milsPerScreen, s.sldZoom, hud.inch2moa(1.0f, range));
}

void SimScene::sampleZoneColours(int32_t& red, int32_t& blue) const {
    const QImage& w = pictures.targetW;
    blue = Raster::pixelValue(w, 0, 0);
    red = Raster::pixelValue(w, w.width() / 2, w.height() / 2);
}

int32_t SimScene::targetColourAt(float x, float y) const {
    const double px = std::floor(geo.toPixels(x));
    const double py = std::floor(geo.toPixels(y));
    if (targetRect.isEmpty() || !(px >= targetRect.left() && px <= targetRect.right() &&
                                  py >= targetRect.top() && py <= targetRect.bottom()))
        return SimSession::NoColour;
    // The pixel of the picture that the drawing put there (the same nearest-pixel mapping).
    const QImage& source = pictures.targetW;
    const auto sx = static_cast<int>((static_cast<int64_t>(px) - targetRect.left()) *
                                     source.width() / targetRect.width());
    const auto sy = static_cast<int>((static_cast<int64_t>(py) - targetRect.top()) *
                                     source.height() / targetRect.height());
    if (!source.valid(sx, sy)) return SimSession::NoColour;
    const int32_t colour = Raster::pixelValue(source, sx, sy);
    constexpr int32_t White = 0xFFFFFF;
    return targetTransparent && colour == White ? SimSession::NoColour : colour;
}

float SimScene::shotCoordinate(const SimSession& session, int i, bool x,
                               const SimSettings& s) const {
    if (i < 0 || static_cast<size_t>(i) >= session.shotPositions.size()) return 0;
    const auto zoom = static_cast<float>(s.sldZoom);
    const auto range = static_cast<float>(number(s.txtRange));
    // Shots keep their place on the target when the range changes; with no range, as fired.
    const float scale = range != 0.0f ? session.shotRanges[static_cast<size_t>(i)] / range : 1.0f;
    const QPointF& at = session.shotPositions[static_cast<size_t>(i)];
    const float centre =
        x ? zoom * session.viewOffsetX + geo.centreX : zoom * session.viewOffsetY + geo.centreY;
    return centre + scale * zoom * static_cast<float>(x ? at.x() : at.y());
}

// --- Composition -------------------------------------------------------------------------------

const QImage& SimScene::compose(const SimSettings& s, const SimSession& session, CHUD& hud) {
    if (viewPixels.isEmpty()) {
        picture = QImage();
        return picture;
    }
    pictures.follow(s.cboBackground, s.cboTarget, s.cboReticle, viewPixels);
    drawBackground(s);
    drawTarget(s, session, hud);
    drawExtras(s, session, hud);
    return picture;
}

void SimScene::draw(QPainter& painter, const QRectF& rect, const SimSettings& s,
                    const SimSession& session, CHUD& hud) {
    const QImage& scene = compose(s, session, hud);
    if (!scene.isNull()) painter.drawImage(rect, scene);
}

void SimScene::drawBackground(const SimSettings& s) {
    try {
        picture = pictures.sceneBackground(s.cboBackground, viewPixels);
        if (picture.size() != viewPixels) {
            picture = QImage(viewPixels, QImage::Format_RGB32);
            picture.fill(Qt::white);
        }
    } catch (const std::exception& e) {
        pictures.fail("drawBackground", ErrorNumbers::InvalidCall,
                      QString::fromLocal8Bit(e.what()));
    }
}

void SimScene::drawTarget(const SimSettings& s, const SimSession& session, const CHUD& hud) {
    computeGeometry(s, hud);
    const float halfW = static_cast<float>(number(s.txtWidth)) / 2.0f;
    const float halfH = static_cast<float>(number(s.txtHeight)) / 2.0f;
    const auto range = static_cast<float>(number(s.txtRange));
    const float a = hud.inch2mil(halfW, range) * geo.zoomTwipsPerMilX;
    const float b = hud.inch2mil(halfH, range) * geo.zoomTwipsPerMilY;
    // The width goes across and the height up: a 12 x 24 in silhouette stands.
    drawTargetBitmap(s, session, geo.centreX - a, geo.centreY - b, 2 * a, 2 * b);
}

void SimScene::drawTargetBitmap(const SimSettings& s, const SimSession& session, float x, float y,
                                float broad, float high) {
    targetRect = QRect();
    if (s.cboTarget.isEmpty() || pictures.targetName != s.cboTarget || pictures.targetW.isNull())
        return;
    if (picture.size() != viewPixels) drawBackground(s);
    const double zoom = s.sldZoom;
    const double left =
        geo.toPixels(x) + geo.toPixels(static_cast<float>(zoom * session.viewOffsetX));
    const double top =
        geo.toPixels(y) + geo.toPixels(static_cast<float>(zoom * session.viewOffsetY));
    const double width = geo.toPixels(broad);
    const double height = geo.toPixels(high);
    for (double v : {left, top, width, height})
        if (!std::isfinite(v) || std::fabs(v) > LargestPixelExtent) return;
    const QRect dest(static_cast<int>(MNumber::roundHalfEven(left)),
                     static_cast<int>(MNumber::roundHalfEven(top)),
                     static_cast<int>(MNumber::roundHalfEven(width)),
                     static_cast<int>(MNumber::roundHalfEven(height)));
    const QSize source = pictures.targetW.size();
    targetRect = dest;
    targetTransparent = s.chkTransparent == 1;
    if (s.chkTransparent == 1) {
        Raster::stretchBlt(picture, dest, pictures.targetB, source, Raster::Op::Or);
        Raster::stretchBlt(picture, dest, pictures.targetW, source, Raster::Op::And);
    } else {
        Raster::stretchBlt(picture, dest, pictures.targetW, source, Raster::Op::Copy);
    }
}

void SimScene::drawStretchedReticle(const SimSettings& s) {
    if (s.chkUserGraphic == 0 || !pictures.reticleLoaded) return;
    const QRect all = picture.rect();
    Raster::stretchBlt(picture, all, pictures.reticleB, pictures.reticleB.size(), Raster::Op::Or);
    Raster::stretchBlt(picture, all, pictures.reticleW, pictures.reticleW.size(), Raster::Op::And);
}

void SimScene::drawExtras(const SimSettings& s, const SimSession& session, CHUD& hud) {
    if (picture.isNull()) return;
    drawStretchedReticle(s);
    SimPainter p(picture, geo);
    SimSights::drawYAxis(p, geo, session.sight);
    SimSights::drawXAxis(p, geo, session.sight);
    drawAllHits(p, s, session);
    drawAimPoints(p, s, session, hud);
}

void SimScene::drawAllHits(SimPainter& p, const SimSettings& s, const SimSession& session) {
    const int count =
        std::min<int>(session.roundsFired, static_cast<int>(session.shotPositions.size()));
    for (int i = 0; i < count; ++i)
        drawHit(p, shotCoordinate(session, i, true, s), shotCoordinate(session, i, false, s));
}

void SimScene::drawHit(SimPainter& p, float x, float y) {
    p.setFilled(true);
    p.setOutline(Qt::white);
    p.circle({x, y}, 35 * geo.viewUnitX);
    p.setOutline(Qt::black);
    p.circle({x, y}, 12 * geo.viewUnitX);
    p.setFilled(false);
}

float SimScene::groupCircleMoa(const SimSettings& s, const SimSession& session) const {
    // Hit inputs set no circle of their own: it is the one that leaves the flyer share outside.
    if (hitInputs || SimDispersion::noGroupSet(s.txtGroupSize))
        return float(SimDispersion::circleDiameterMoa(
            SimDispersion::ofHitInputs(hitInputs.value_or(HitInputs{}), 0),
            session.flyerProbability));
    // The group is measured at 100 yards whatever the range unit.
    return SimDispersion::groupMoa(static_cast<float>(number(s.txtGroupSize)));
}

QList<Problem> SimScene::takeProblems() {
    problems += pictures.takeProblems();
    return std::exchange(problems, {});
}

void SimScene::drawAimPoints(SimPainter& p, const SimSettings& s, const SimSession& session,
                             CHUD& hud) {
    try {
        const auto range = static_cast<float>(number(s.txtRange));
        float drop = aim.dropMoa, drift = aim.windMoa, t = 0;
        const bool found = hud.oneResult(drop, drift, range, t);
        problems += pictures.takeProblems(); // what came first
        problems += hud.takeFailures();
        if (!found) return;
        aim.dropMoa = drop;
        aim.windMoa = drift;
        // A target moving at `speed` mph travels this far during the flight.
        const double lead = static_cast<double>(s.sldSpeed) * Units::LeadInchesPerMphSecond * t;
        const double angle = number(s.txtAngle) * Units::RadiansPerDegree;
        aim.leadXMoa = static_cast<float>(-std::sin(angle) * lead * geo.moaPerInch);
        aim.leadYMoa = static_cast<float>(-std::cos(angle) * lead * geo.moaPerInch);
        const float dX = (aim.leadXMoa + aim.windMoa) * geo.zoomTwipsPerMoaX;
        const float dY = (aim.leadYMoa + aim.dropMoa) * geo.zoomTwipsPerMoaY;

        if (session.showGroupCircle) {
            const float groupMoa = groupCircleMoa(s, session);
            p.setOutline(Qt::white);
            p.setFilled(false);
            p.setXor(true);
            p.setWidth(3);
            p.circle({geo.centreX + dX, geo.centreY - dY}, groupMoa / 2 * geo.zoomTwipsPerMoaX);
        }
        if (session.showPOA) {
            // Where to hold so that the shot lands on the centre; the pen mode and width stay
            // as the group circle left them.
            const QPointF at(geo.centreX - dX, geo.centreY + dY);
            const float u = geo.viewUnitX;
            p.setOutline(Qt::white);
            p.setFilled(false);
            p.circle(at, 100 * u);
            p.setOutline(Qt::black);
            p.circle(at, 110 * u);
            p.line(at + QPointF(0, -120 * u), at + QPointF(0, 120 * u));
            p.line(at + QPointF(-120 * u, 0), at + QPointF(120 * u, 0));
        }
        p.setDefaults();
    } catch (const std::exception& e) {
        pictures.fail("drawAimPoints", ErrorNumbers::InvalidCall, QString::fromLocal8Bit(e.what()));
    }
}
