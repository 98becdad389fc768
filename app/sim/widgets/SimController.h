// The shooting simulator inside the main window: owns the simulator (CSim) with its controls'
// handlers, the firing code and the session document, builds the two simulator pages, and keeps
// the controls and the simulator's settings in step.
//
// How the window uses it:
//   - it puts controlsTab and simulatorTab into its tabs 3 and 4; `document` is the session
//     document of its File menu;
//   - before start-up it may set sim.sessionFile, sim.session.targetRed and
//     sim.session.targetBlue from the last-file record; start() reads that session and keeps the
//     two colours; at exit it reads them back;
//   - it calls setUnits() with the shooter's units at start-up and when they change;
//   - it calls start() once the load is read, reinit() after a load file was read, refresh()
//     when tab 4 shows, finish() when closing; a recent ".ssn" file opens with
//     document.openRecent(path);
//   - the view follows the window's size by itself (formResize on every resize of the page).
// Everything it needs of the window goes through SimWindow.
#pragma once

#include "sim/CSim.h"
#include "sim/CSimFiring.h"
#include "sim/SessionDocument.h"
#include "sim/SimControls.h"
#include "sim/SimHost.h"
#include "sim/widgets/SimWindow.h"

#include <QObject>
#include <functional>

class LoadModel;
class SimControlsTab;
class SimulatorTab;
class QAbstractButton;
class QLineEdit;

class SimController : public QObject, public SimHost {
    Q_OBJECT
public:
    SimController(LoadModel& model, SimWindow& window, QObject* parent = nullptr);
    ~SimController() override;

    CSim sim;
    SimControls controls{sim};
    CSimFiring firing{sim};
    SessionDocument document{sim};
    SimControlsTab* controlsTab = nullptr;
    SimulatorTab* simulatorTab = nullptr;

    // FormInit's simulator step: read the current session, start, draw.
    void start();
    bool isStarted() const { return controls.simStarted; }
    // Start again on the session named by sim.sessionFile (Open, a recent session).
    void restart();
    // A load data file was read: the trajectory follows the new load.
    void reinit();
    // Tab 4 shown: the trajectory for the wind, then the scene.
    void refresh();
    // The window closes: release the simulator's trajectory.
    void finish();
    // The view's size for the window's present size, and the scene relaid out.
    void formResize();

    // Shows the simulator's settings, captions and lists in the controls.
    void showSettings();
    // The shooter's units (the window's preference): the boxes and captions that have a unit
    // show it; the session keeps its own units.
    void setUnits(const Units::ShownUnits& units);

    // SimHost: what the simulator tells the window.
    QString loadFileName() const override;
    void setCaption(const QString& caption) override;
    void settingsChanged() override;
    bool isSceneShowing() const override;
    void showScene(const QImage& scene) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectSimulatorTab();
    void connectControlsTab();
    void connectCheckedBox(QLineEdit* edit, SimControls::Box box);
    // Runs a handler the user started, then shows the outcome. Writing the controls blocks
    // their signals, so no handler runs for the simulator's own changes.
    void handle(const std::function<void()>& handler);
    // Reports what the scene's pictures and drawing could not do since the last report.
    void reportProblems();
    // Starts the simulator (reading the session first with reLoad), then opens the load the
    // session names.
    void runInit(bool reLoad);
    void openSessionLoad(const QString& path);
    void sessionCaption();
    void press(int16_t button, int16_t shift, QPointF pixels);
    void move(int16_t button, int16_t shift, QPointF pixels);

    LoadModel& model;
    SimWindow& window;
    bool pagesGone = false;
};
