// What the simulator asks of the window that owns its controls. Every step has a default that
// works without a window (tests, printing), so the window overrides only what it shows.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>

class CSim;
struct SimSettings;

class SimHost {
public:
    virtual ~SimHost() = default;

    // Session reading. preLoad and postLoad set the sliders' ranges and partner boxes; the
    // defaults do that on the settings, a window also syncs its controls.
    virtual void propertiesPreLoad(SimSettings& settings);
    virtual void propertiesPostLoad(SimSettings& settings);
    // Record `number` (1..30) has just been read into CSim::settings (or, for 9, 12, 28 and 29,
    // into CSim's own fields): set the matching control as the user would, running its handlers.
    virtual void recordRead(int number) { (void)number; }
    // The window's current load data file (its `dat.filename`).
    virtual QString loadFileName() const { return {}; }
    // Make `path` the window's load data file and read it (the load data reader).
    virtual void loadDataFile(const QString& path) { (void)path; }
    virtual QString cartridgeName() const { return {}; }
    // Selects the option button of sight style `index`; the default sets CSim::sight.
    virtual void optSightsClick(CSim& sim, int16_t index);
    // The field-of-view check and update; the default recomputes milsPerScreen and the view
    // geometry and redraws when txtFov is in range.
    virtual void txtFovValidate(CSim& sim);
    virtual void setCaption(const QString& caption) { (void)caption; }

    // Values the simulator changed itself (fix-ups, emptied lists, captions, scores): the window
    // copies them from CSim to its controls.
    virtual void settingsChanged() {}

    // Drawing: whether the "Shooting Simulator" tab shows, and the composed scene for picHUD.
    virtual bool isSceneShowing() const { return true; }
    virtual void showScene(const QImage& scene) { (void)scene; }
};
