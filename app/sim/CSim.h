// The shooting simulator without its widgets: the running state of a session (scores, hits,
// recorded shots, view offset), the session file, the simulator trajectory and scatter, the
// view geometry and the composition of the scope view into an off-screen picture.
//
// The window owns one CSim, keeps `settings` in step with the simulator's controls, sets `host`
// to itself, `loadModel` to its load, `fileNum` to 4 and `dat.filename` to the session file, and
// shows `picBuffer` (SimHost::showScene) after each drawAll.
#pragma once

#include "services/CFileData.h"
#include "sim/CHUD.h"
#include "sim/CNormalDist.h"
#include "sim/SimGeometry.h"
#include "sim/SimPictures.h"
#include "sim/SimSettings.h"

#include <QImage>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <utility>
#include <vector>

class LoadModel;
class SimHost;
class SimPainter;

class CSim {
public:
    CSim();
    ~CSim();
    CSim(const CSim&) = delete;
    CSim& operator=(const CSim&) = delete;

    // --- Running state -------------------------------------------------------------------
    int32_t roundsFired = 0;
    float sessionScore = 0, totalScore = 0;
    int32_t redHits = 0, misses = 0, blueHits = 0;
    // Zone colours of the target picture, 0xBBGGRR; NoColour while none has been picked, and
    // then that zone scores nothing.
    static constexpr int32_t NoColour = -1;
    int32_t targetRed = NoColour, targetBlue = NoColour;
    float flyerProbability = 0; // 10, 5 or 1; 0 before any choice (fires like 10)
    float milsPerScreen = 0;    // angular width of the view at zoom 1
    bool showPOA = false, showGroupCircle = false;
    CFileData dat;       // the session file: dat.filename
    int16_t fileNum = 0; // 4 once the window has set the simulator up
    bool canDraw = false;
    int16_t sight = 0; // 0 MOA crosshair .. 4 none
    CHUD hud;
    float viewOffsetX = 0, viewOffsetY = 0; // target offset from the centre, twips at zoom 1
    // Shot i: offset from the target centre in twips at zoom 1, and the range it was fired at.
    // Both grow as shots are recorded; they never overflow.
    std::vector<QPointF> shotPositions;
    std::vector<float> shotRanges;
    CNormalDist normalDist;
    SimGeometry geo; // computed by drawTwips
    // Aim-point values of the last drawing, read by the firing code.
    float dropMoa = 0, windMoa = 0, leadXMoa = 0, leadYMoa = 0;

    // --- The window's side ------------------------------------------------------------------
    SimSettings settings;           // the controls' values
    LoadModel* loadModel = nullptr; // the main window's load (for the trajectory and caption)
    void setHost(SimHost* h);       // nullptr: a host with every default
    SimHost& host() const { return *hostPtr; }

    // Texts the window shows, kept here so they are decided in one place.
    QStringList backgroundList, targetList, reticleList; // the three picture lists
    QString lblRange, lblMaxrange, lblFovZoom, picHUDToolTip, caption;
    QString lblHits, lblBlueHits, lblMisses, lblSessionScore, lblTotalScore;
    // Tooltips the simulator gives its boxes (control name, text); also their range messages.
    static const std::vector<std::pair<QString, QString>>& tooltips();

    // --- Session (start, file, stepping) ------------------------------------------------------
    // Starts the simulator; with reLoad, reads the session file first. Only clears canDraw
    // until fileNum is 4.
    void init(bool reLoad);
    // Reads dat.filename; a missing file changes nothing. Called by init.
    void dataLoad();
    // Writes dat.filename (record 24 is the host's load data file). False when not written.
    bool dataSave();
    void final();
    bool isSimMetric() const { return settings.optSimMetric1; }
    // "<" (0) and ">" (1): the neighbouring numbered session, when it exists, read and drawn.
    bool cmdNext(int index);

    // --- Rounds and scores (the firing code builds on these) -------------------------------
    void txtNumberOfShots_Change();
    void scoreResetSession();
    void scoreResetTotal();
    int32_t roundsLeft() const;
    float targetCenterX() const;
    float targetCenterY() const;
    float shotX(int i) const;
    float shotY(int i) const;
    // Records a shot that landed at (x, y) on the view as the next entry.
    void shotRecord(float x, float y);

    // --- Controls -------------------------------------------------------------------------------
    void formHudInit(); // the trajectory for the wind slider's value
    void cmdCenterTarget_Click();
    // milsPerScreen and lblFovZoom from txtFov when it lies in 1..200 (then the geometry and a
    // redraw); false, nothing changed, otherwise. The window shows the range message.
    bool applyFov();

    // --- View and drawing ---------------------------------------------------------------------
    float dpi = 96;   // the screen's logical resolution
    QSize viewPixels; // picHUD's size
    QImage picBuffer; // the composed scene

    // The square view for a main window of `windowOuter` pixels (0.89 of its smaller side).
    void formHudResize(QSize windowOuter);
    void setViewSize(QSize pixels);
    void Form_Resize();
    bool hudTooSmall() const;
    void drawTwips();
    // Composes and shows the scene when drawing is allowed and the scene's tab shows.
    void drawAll();
    // Composes the whole scene for `s` into picBuffer and returns it (no checks, no showing).
    const QImage& draw(const SimSettings& s);
    void drawBackground(const SimSettings& s);
    void drawTarget(const SimSettings& s);
    void drawExtras(const SimSettings& s);
    // The colour of the target picture under a point of the view (twips), as last drawn:
    // NoColour off the target, and on its see-through white when drawn transparent. The
    // background and the reticle never count.
    int32_t targetColourAt(float x, float y) const;
    void cboBackgroundValidate();
    void cboTargetValidate();
    void cboReticleValidate();
    bool reticleLoaded() const { return pictures.reticleLoaded; }
    const QString& targetFileW() const { return pictures.targetFileW; }
    const QString& targetFileB() const { return pictures.targetFileB; }
    SimPictures pictures;

    // Target size in twips on the view for `inches` at the current range and zoom.
    float inch2twipsX(float inches) const;
    float inch2twipsY(float inches) const;

private:
    void drawTwips(const SimSettings& s);
    void drawTargetBitmap(const SimSettings& s, float x, float y, float broad, float high);
    void drawStretchedReticle(const SimSettings& s);
    void drawAllHits(SimPainter& p, const SimSettings& s);
    void drawHit(SimPainter& p, float x, float y);
    void drawAimPoints(SimPainter& p, const SimSettings& s);
    void targetColors();
    float shotCoordinate(int i, bool x, const SimSettings& s) const;
    void updateScoreLabels();
    bool readRecords();
    void afterReading(const QString& loadFile);
    void showCaption();
    // Record 24 as the next save writes it.
    QString loadFileToSave() const;

    SimHost* hostPtr;
    bool initialised = false;
    QString unfoundLoadFile;        // the load the session read named, when it was not found
    QString loadWhenNotFound;       // the window's load at that moment
    QRect targetRect;               // where the target was last drawn, pixels of picBuffer
    bool targetTransparent = false; // drawn see-through (its white shows the background)
};
