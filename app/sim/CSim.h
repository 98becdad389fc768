// The shooting simulator without its widgets: a thin facade over the controls' values
// (SimSettings), the running session (SimSession), the scope view (SimScene), the simulator's
// trajectory (CHUD) and the label texts made from them (SimCaptions).
//
// The window owns one CSim, keeps `settings` in step with the simulator's controls, sets `host`
// to itself, `loadModel` to its load, `units` to the shooter's and `sessionFile` to the session
// file, calls setUp(), and shows the scene (SimHost::showScene) after each drawAll.
#pragma once

#include "sim/CHUD.h"
#include "sim/CNormalDist.h"
#include "sim/SessionFile.h"
#include "sim/SimCaptions.h"
#include "sim/SimScene.h"
#include "sim/SimSession.h"
#include "sim/SimSettings.h"
#include "units/ShownUnits.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <utility>
#include <vector>

class LoadModel;
class SimHost;

// The picture files the three lists offer.
struct SimPictureLists {
    QStringList background, target, reticle;
};

class CSim {
public:
    CSim();
    ~CSim();
    CSim(const CSim&) = delete;
    CSim& operator=(const CSim&) = delete;

    static constexpr int32_t NoColour = SimSession::NoColour;

    SimSettings settings;           // the controls' values
    SimSession session;             // sight, view offset, scores and shots
    SimScene scene;                 // geometry, pictures, the composed view
    CHUD hud;                       // the trajectory
    CNormalDist normalDist;         // the scatter of the shots
    SimPictureLists lists;          // filled at the first start
    LoadModel* loadModel = nullptr; // the main window's load (for the trajectory and caption)
    Units::ShownUnits units;        // the shooter's, as the window gives them; the session's
                                    // values stay in their own units
    QString sessionFile;            // the session file, empty while none is named

    void setHost(SimHost* h); // nullptr: a host with every default
    SimHost& host() const { return *hostPtr; }
    // The window has set the simulator up: from now on init starts it.
    void setUp() { ready = true; }
    bool isSetUp() const { return ready; }
    bool canDraw() const { return drawing; }
    // Drawing allowed or not, for a simulator driven without init (a print, a test).
    void setCanDraw(bool on) { drawing = on; }

    // The texts the labels show now.
    SimCaptions captions() const;
    // Tooltips the simulator gives its boxes (control name, text); also their range messages.
    static const std::vector<std::pair<QString, QString>>& tooltips();
    // What the field of view box accepts, its tooltip and its range message.
    static QString fovMessage();

    // --- Session (start, file, stepping) ------------------------------------------------------
    // Starts the simulator once it is set up; with reLoad, reads the session file first and
    // applies it. A damaged session is applied up to its damaged record and leaves no session
    // file: it is not the document, and nothing may save over it. Returns the load data file the
    // session names when it exists and is not the window's (SimHost::loadFileName): the caller
    // opens it, after all of the session is in place.
    QString init(bool reLoad);
    // The session file at `path` read into a value over the values in force; no control, no
    // window.
    SessionFile::Read readSession(const QString& path) const;
    // Puts a session read into force: the controls' values, the pictures they name, the field of
    // view, the rounds and scores; reports what was damaged. The load to open as for init.
    QString applySession(const SessionFile::Read& read);
    // Writes the session to `path` (record 24 is the host's load data file). False, the failure
    // reported, when not written.
    bool saveTo(const QString& path);
    bool dataSave() { return saveTo(sessionFile); }
    // The session's records as a save would write them.
    SessionFile::Values fileValues() const;
    void final();
    bool isSimMetric() const { return settings.optSimMetric1; }
    // "<" (0) and ">" (1): the neighbouring numbered session, when it exists, read and drawn.
    // The load it names is returned as by init.
    bool cmdNext(int index, QString* loadToOpen = nullptr);
    // The session file "<" (0) or ">" (1) steps to, when it exists; empty otherwise.
    QString steppedSessionFile(int index) const;
    // The load data file reading the session at `path` would open (as init returns it): empty
    // when the session is missing or damaged, names no load that exists, or names the load on
    // screen.
    QString loadNamedBy(const QString& path) const;

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
    // The trajectory for the wind slider's value; what stopped it, for the caller to report.
    QList<Problem> formHudInit();
    void cmdCenterTarget_Click();
    // The field of view from txtFov when it lies in 1..200 (then the geometry and a redraw);
    // false, nothing changed, otherwise. The window shows the range message.
    bool applyFov();
    // applyFov after the range check that shows the box's message when the value is refused.
    bool checkFov();
    // The field of view box holds a value applyFov refuses.
    bool fovRefused() const;

    // --- View and drawing ---------------------------------------------------------------------
    // The square view for a main window of `windowOuter` pixels (0.89 of its smaller side).
    void formHudResize(QSize windowOuter);
    void setViewSize(QSize pixels);
    void Form_Resize();
    bool hudTooSmall() const { return scene.tooSmall(); }
    void drawTwips();
    // Composes and shows the scene when drawing is allowed and the scene's tab shows.
    void drawAll();
    // The pictures' and the drawing's failures since the last take, in the order they arose:
    // the window's handlers report them when they are done. A message the simulator gives itself
    // first reports those before it, so the user sees them in order.
    QList<Problem> takeProblems() { return scene.takeProblems(); }
    // Composes the whole scene for `s` and returns it (no checks, no showing).
    const QImage& draw(const SimSettings& s);
    const QImage& picture() const { return scene.picture; }
    int32_t targetColourAt(float x, float y) const { return scene.targetColourAt(x, y); }
    // The list validations: the picture the list names is loaded (a name without a file empties
    // the list's text), and the window is told.
    void cboBackgroundValidate();
    void cboTargetValidate();
    void cboReticleValidate();
    bool reticleLoaded() const { return scene.pictures.reticleLoaded; }
    const QString& targetFileW() const { return scene.pictures.targetFileW; }
    const QString& targetFileB() const { return scene.pictures.targetFileB; }

    // Target size in twips on the view for `inches` at the current range and zoom.
    float inch2twipsX(float inches) const;
    float inch2twipsY(float inches) const;

private:
    bool validateBackground();
    bool validateTarget();
    bool validateReticle();
    void notifyCaption();
    // Record 24 as the next save writes it.
    QString loadFileToSave() const;
    QString cartridge() const;

    SimHost* hostPtr;
    bool ready = false;
    bool drawing = false; // the scene may be drawn (false while the simulator starts)
    bool initialised = false;
    QString unfoundLoadFile;  // the load the session read named, when it was not found
    QString loadWhenNotFound; // the window's load at that moment
};
