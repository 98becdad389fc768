// What the simulator tells the window that owns its controls, and the two things it asks of it.
// Every step has a default that does nothing, so a simulator without a window (tests, printing)
// needs none; no step changes the simulator.
#pragma once

#include <QImage>
#include <QString>

class SimHost {
public:
    virtual ~SimHost() = default;

    // The window's current load data file.
    virtual QString loadFileName() const { return {}; }
    // The window caption for the session changed.
    virtual void setCaption(const QString& caption) { (void)caption; }
    // Values the simulator changed itself (a session read, fix-ups, emptied lists, scores): the
    // window shows CSim's settings and captions in its controls.
    virtual void settingsChanged() {}

    // Drawing: whether the "Shooting Simulator" tab shows, and the composed scene for picHUD.
    virtual bool isSceneShowing() const { return true; }
    virtual void showScene(const QImage& scene) { (void)scene; }
};
