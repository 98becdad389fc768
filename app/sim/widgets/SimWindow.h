// What the simulator's views ask of the main window, and nothing more: the window implements
// it, so the simulator never reaches into the window's parts.
#pragma once

#include <QString>
#include <cstdint>

class QWidget;

class SimWindow {
public:
    virtual ~SimWindow() = default;

    // The load data file on screen, and opening the one a session names.
    virtual QString loadFileName() const = 0;
    virtual void openLoad(const QString& path) = 0;
    // Before a session replaces the load on screen with the one it names: the question about
    // the load's unsaved edits; false when the user cancelled.
    virtual bool queryUnsavedLoad() = 0;
    // The session part of the window caption (the session file's name, or empty).
    virtual void setSessionCaption(const QString& sessionName) = 0;
    // A session file opened or saved belongs in the window's recent files.
    virtual void addRecentFile(const QString& path) = 0;
    // The key code of the last key pressed in the window (R and B pick zone colours).
    virtual int16_t lastKey() const = 0;
    // True while `page` is the tab on show.
    virtual bool isShowing(const QWidget* page) const = 0;
};
