// The windowed program: application set-up, the real message boxes and dialogs, the main window,
// and the event loop. `--screenshots DIR` shows the window, pictures each finished tab into DIR
// and quits.
#pragma once

class QString;
class ui;

namespace Application {

// Runs the program with the window; returns the exit status.
int run(int argc, char** argv);

// Selects each finished tab of `window` in turn and saves a picture of the window as
// DIR/<tab>.png. False when a picture could not be written.
bool takeScreenshots(ui& window, const QString& folder);

} // namespace Application
