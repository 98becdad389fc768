// The scope view: geometry, pictures and the composition of the scene in one pass.
#include "services/CBallUtil.h"
#include "services/ErrorNumbers.h"
#include "services/MNumber.h"
#include "services/MSmallBallStruct.h"
#include "sim/CSim.h"
#include "sim/Raster.h"
#include "sim/SimHost.h"
#include "sim/SimPainter.h"
#include "sim/SimSights.h"
#include "units/Units.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double number(const QString& text) {
    return MNumber::parse(text).value_or(0.0);
}

// Views under 100 twips high (a minimised window) are never drawn into.
constexpr float SmallestViewTwips = 100.0f;

// Pixel rectangles beyond this are not drawn (far beyond any view).
constexpr double LargestPixelExtent = 1.0e9;

} // namespace

void CSim::formHudResize(QSize windowOuter) {
    int s = std::min(windowOuter.width(), windowOuter.height());
    if (s < 0) s = 10;
    const int side = static_cast<int>(0.89 * s);
    setViewSize(QSize(side, side));
}

void CSim::setViewSize(QSize pixels) {
    viewPixels = pixels;
    drawTwips();
}

void CSim::Form_Resize() {
    canDraw = false;
    drawTwips();
    cboReticleValidate();
    cboBackgroundValidate();
    cboTargetValidate();
    canDraw = true;
    drawAll();
}

bool CSim::hudTooSmall() const {
    return geo.toTwips(static_cast<float>(viewPixels.height())) < SmallestViewTwips;
}

void CSim::drawTwips() {
    drawTwips(settings);
}

void CSim::drawTwips(const SimSettings& s) {
    geo.dpi = dpi > 0 ? dpi : 96;
    const auto range = static_cast<float>(number(s.txtRange));
    geo.compute(viewPixels, milsPerScreen, s.sldZoom, hud.inch2moa(1.0f, range));
}

float CSim::inch2twipsX(float inches) const {
    return hud.inch2mil(inches, static_cast<float>(number(settings.txtRange))) *
           geo.zoomTwipsPerMilX;
}

float CSim::inch2twipsY(float inches) const {
    return hud.inch2mil(inches, static_cast<float>(number(settings.txtRange))) *
           geo.zoomTwipsPerMilY;
}

// --- List validations --------------------------------------------------------------------------

void CSim::cboBackgroundValidate() {
    if (hudTooSmall()) return;
    if (pictures.validateBackground(settings.cboBackground, viewPixels)) {
        drawBackground(settings);
        host().settingsChanged();
    }
}

void CSim::cboTargetValidate() {
    if (hudTooSmall()) return;
    if (!pictures.validateTarget(settings.cboTarget, viewPixels)) return;
    if (settings.cboTarget == QLatin1String(SimPictures::RedBlueTarget) &&
        pictures.targetName == settings.cboTarget && !pictures.targetW.isNull())
        targetColors();
    host().settingsChanged();
    drawAll();
}

void CSim::cboReticleValidate() {
    if (hudTooSmall()) return;
    pictures.validateReticle(settings.cboReticle, viewPixels);
}

void CSim::targetColors() {
    const QImage& w = pictures.targetW;
    targetBlue = Raster::pixelValue(w, 0, 0);
    targetRed = Raster::pixelValue(w, w.width() / 2, w.height() / 2);
}

int32_t CSim::targetColourAt(float x, float y) const {
    const double px = std::floor(geo.toPixels(x));
    const double py = std::floor(geo.toPixels(y));
    if (targetRect.isEmpty() || !(px >= targetRect.left() && px <= targetRect.right() &&
                                  py >= targetRect.top() && py <= targetRect.bottom()))
        return NoColour;
    // The pixel of the picture that the drawing put there (the same nearest-pixel mapping).
    const QImage& picture = pictures.targetW;
    const auto sx = static_cast<int>((static_cast<int64_t>(px) - targetRect.left()) *
                                     picture.width() / targetRect.width());
    const auto sy = static_cast<int>((static_cast<int64_t>(py) - targetRect.top()) *
                                     picture.height() / targetRect.height());
    if (!picture.valid(sx, sy)) return NoColour;
    const int32_t colour = Raster::pixelValue(picture, sx, sy);
    constexpr int32_t White = 0xFFFFFF;
    return targetTransparent && colour == White ? NoColour : colour;
}

// --- Composition -------------------------------------------------------------------------------

void CSim::drawAll() {
    if (!canDraw || !host().isSceneShowing() || hudTooSmall()) return;
    draw(settings);
    host().showScene(picBuffer);
}

const QImage& CSim::draw(const SimSettings& s) {
    if (viewPixels.isEmpty()) {
        picBuffer = QImage();
        return picBuffer;
    }
    pictures.follow(s.cboBackground, s.cboTarget, s.cboReticle, viewPixels);
    drawBackground(s);
    drawTarget(s);
    drawExtras(s);
    return picBuffer;
}

void CSim::drawBackground(const SimSettings& s) {
    try {
        picBuffer = pictures.sceneBackground(s.cboBackground, viewPixels);
        if (picBuffer.size() != viewPixels) {
            picBuffer = QImage(viewPixels, QImage::Format_RGB32);
            picBuffer.fill(Qt::white);
        }
    } catch (const std::exception& e) {
        MSmallBallStruct::HandleError("CSim", "drawBackground", ErrorNumbers::InvalidCall,
                                      QString::fromLocal8Bit(e.what()));
    }
}

void CSim::drawTarget(const SimSettings& s) {
    drawTwips(s);
    const float halfW = static_cast<float>(number(s.txtWidth)) / 2.0f;
    const float halfH = static_cast<float>(number(s.txtHeight)) / 2.0f;
    const auto range = static_cast<float>(number(s.txtRange));
    const float a = hud.inch2mil(halfW, range) * geo.zoomTwipsPerMilX;
    const float b = hud.inch2mil(halfH, range) * geo.zoomTwipsPerMilY;
    // The width goes across and the height up: a 12 x 24 in silhouette stands.
    drawTargetBitmap(s, geo.centreX - a, geo.centreY - b, 2 * a, 2 * b);
}

void CSim::drawTargetBitmap(const SimSettings& s, float x, float y, float broad, float high) {
    targetRect = QRect();
    if (s.cboTarget.isEmpty() || pictures.targetName != s.cboTarget || pictures.targetW.isNull())
        return;
    if (picBuffer.size() != viewPixels) drawBackground(s);
    const double zoom = s.sldZoom;
    const double left = geo.toPixels(x) + geo.toPixels(static_cast<float>(zoom * viewOffsetX));
    const double top = geo.toPixels(y) + geo.toPixels(static_cast<float>(zoom * viewOffsetY));
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
        Raster::stretchBlt(picBuffer, dest, pictures.targetB, source, Raster::Op::Or);
        Raster::stretchBlt(picBuffer, dest, pictures.targetW, source, Raster::Op::And);
    } else {
        Raster::stretchBlt(picBuffer, dest, pictures.targetW, source, Raster::Op::Copy);
    }
}

void CSim::drawStretchedReticle(const SimSettings& s) {
    if (s.chkUserGraphic == 0 || !pictures.reticleLoaded) return;
    const QRect all = picBuffer.rect();
    Raster::stretchBlt(picBuffer, all, pictures.reticleB, pictures.reticleB.size(), Raster::Op::Or);
    Raster::stretchBlt(picBuffer, all, pictures.reticleW, pictures.reticleW.size(),
                       Raster::Op::And);
}

void CSim::drawExtras(const SimSettings& s) {
    if (picBuffer.isNull()) return;
    drawStretchedReticle(s);
    SimPainter p(picBuffer, geo);
    SimSights::drawYAxis(p, geo, sight);
    SimSights::drawXAxis(p, geo, sight);
    drawAllHits(p, s);
    drawAimPoints(p, s);
}

void CSim::drawAllHits(SimPainter& p, const SimSettings& s) {
    const int count = std::min<int>(roundsFired, static_cast<int>(shotPositions.size()));
    for (int i = 0; i < count; ++i)
        drawHit(p, shotCoordinate(i, true, s), shotCoordinate(i, false, s));
}

void CSim::drawHit(SimPainter& p, float x, float y) {
    p.setFilled(true);
    p.setOutline(Qt::white);
    p.circle({x, y}, 35 * geo.viewUnitX);
    p.setOutline(Qt::black);
    p.circle({x, y}, 12 * geo.viewUnitX);
    p.setFilled(false);
}

void CSim::drawAimPoints(SimPainter& p, const SimSettings& s) {
    try {
        const auto range = static_cast<float>(number(s.txtRange));
        float drop = dropMoa, drift = windMoa, t = 0;
        if (!hud.oneResult(drop, drift, range, t)) return;
        dropMoa = drop;
        windMoa = drift;
        // A target moving at `speed` mph travels this far during the flight.
        const double lead = static_cast<double>(s.sldSpeed) * Units::LeadInchesPerMphSecond * t;
        const double angle = number(s.txtAngle) * Units::RadiansPerDegree;
        leadXMoa = static_cast<float>(-std::sin(angle) * lead * geo.moaPerInch);
        leadYMoa = static_cast<float>(-std::cos(angle) * lead * geo.moaPerInch);
        const float dX = (leadXMoa + windMoa) * geo.zoomTwipsPerMoaX;
        const float dY = (leadYMoa + dropMoa) * geo.zoomTwipsPerMoaY;

        if (showGroupCircle) {
            // The group is measured at 100 yards whatever the range unit.
            const auto groupMoa =
                static_cast<float>(number(s.txtGroupSize)) / Units::MoaInchesAt100;
            p.setOutline(Qt::white);
            p.setFilled(false);
            p.setXor(true);
            p.setWidth(3);
            p.circle({geo.centreX + dX, geo.centreY - dY}, groupMoa / 2 * geo.zoomTwipsPerMoaX);
        }
        if (showPOA) {
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
        MSmallBallStruct::HandleError("CSim", "drawAimPoints", ErrorNumbers::InvalidCall,
                                      QString::fromLocal8Bit(e.what()));
    }
}
