// The scope view: its geometry, its pictures and the composition of the scene (background,
// target, reticle picture, sight lines, the shots and the aim points) in one pass. Drawing
// takes the controls' values, the session and the trajectory; the composed picture is kept for
// the window and for the firing code, which reads the target's colours under an impact.
#pragma once

#include "load/HitInputs.h"
#include "sim/SimGeometry.h"
#include "sim/SimPictures.h"

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <cstdint>
#include <optional>

class CHUD;
class QPainter;
class SimPainter;
class SimSession;
struct SimSettings;

// The aim-point values of the last drawing, read by the firing code.
struct AimPoint {
    float dropMoa = 0, windMoa = 0, leadXMoa = 0, leadYMoa = 0;
};

class SimScene {
public:
    SimGeometry geo;
    SimPictures pictures;
    QImage picture;          // the composed scene
    QSize viewPixels;        // picHUD's size
    float dpi = 96;          // the screen's logical resolution
    float milsPerScreen = 0; // angular width of the view at zoom 1
    double fovFeet = 0;      // the field of view that set milsPerScreen (0 before any)
    AimPoint aim;
    // The load's hit inputs, when it has them: they set the group instead of the group size box.
    std::optional<HitInputs> hitInputs;

    // The geometry for the view's size, milsPerScreen, the zoom and the range.
    void computeGeometry(const SimSettings& s, const CHUD& hud);
    // Views under 100 twips high (a minimised window) are never drawn into.
    bool tooSmall() const;

    // Composes the whole scene into `picture` and returns it.
    const QImage& compose(const SimSettings& s, const SimSession& session, CHUD& hud);
    // The scene composed for `s` and `session`, laid into `rect` of any painter (the screen, a
    // print, a test's picture).
    void draw(QPainter& painter, const QRectF& rect, const SimSettings& s,
              const SimSession& session, CHUD& hud);

    // What drawing and loading pictures could not do since the last take (see SimPictures).
    // The solver binding's failures while reading the trajectory are among them, in order.
    QList<Problem> takeProblems();

    void drawBackground(const SimSettings& s);
    void drawTarget(const SimSettings& s, const SimSession& session, const CHUD& hud);
    void drawExtras(const SimSettings& s, const SimSession& session, CHUD& hud);

    // The target picture was drawn into the view at the last drawing.
    bool targetShown() const { return !targetRect.isEmpty(); }
    // Where shot i lies on the view for the values `s` (twips); 0 for no such shot.
    float shotCoordinate(const SimSession& session, int i, bool x, const SimSettings& s) const;
    // The colour of the target picture under a point of the view (twips), as last drawn:
    // NoColour off the target, and on its see-through white when drawn transparent. The
    // background and the reticle never count.
    int32_t targetColourAt(float x, float y) const;
    // The zone colours of the built-in red and blue target: its corner and its centre.
    void sampleZoneColours(int32_t& red, int32_t& blue) const;

private:
    void drawTargetBitmap(const SimSettings& s, const SimSession& session, float x, float y,
                          float broad, float high);
    void drawStretchedReticle(const SimSettings& s);
    void drawAllHits(SimPainter& p, const SimSettings& s, const SimSession& session);
    void drawHit(SimPainter& p, float x, float y);
    void drawAimPoints(SimPainter& p, const SimSettings& s, const SimSession& session, CHUD& hud);
    // The group circle's diameter, MOA.
    float groupCircleMoa(const SimSettings& s, const SimSession& session) const;

    QRect targetRect;               // where the target was last drawn, pixels of `picture`
    bool targetTransparent = false; // drawn see-through (its white shows the background)
    QList<Problem> problems;        // taken from the pictures and the trajectory, in order
};
