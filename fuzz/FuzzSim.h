// What the simulator targets share: a GUI application (the scene's text needs fonts), the default
// load, the window's side of the simulator without its widgets, and the picture folders of the
// application folder.
#pragma once

#include "sim/CSim.h"
#include "sim/SimControls.h"
#include "sim/SimHost.h"

#include <QByteArrayView>
#include <QString>

class LoadModel;

namespace fuzz {

void ensureGuiApplication();

// The default load, every field handler run, as the window has it at start-up; made once.
LoadModel& defaultLoad();

// The window's side of the simulator: its controls' handlers. A session read loads the pictures
// it names itself; load files a session names are not opened.
class WindowHost : public SimHost {
public:
    explicit WindowHost(CSim& sim) : controls(sim) {}
    SimControls controls;
};

// A simulator started as the window starts it (SimController::start): the default load, a square
// view of `side` pixels sized before anything is read, then the session `sessionFile` read (none
// when empty), the field of view applied and the scene drawn. With `picturesOnly` it has no load
// and no sight lines: the trajectory, the aim marks, the drop of a shot and the sight's numbers
// are left out. None of them depends on the pictures, and computing the trajectory and laying
// out the numbers' text would take most of each run.
class Simulator {
public:
    Simulator(int side, const QString& sessionFile, bool picturesOnly = false);
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    CSim sim;
    WindowHost host{sim};
};

// Writes `bytes` as `relative` ("back/x.jpg", "hello.bmp") in the application folder, making its
// folder; a null view removes the file.
void putPicture(const QString& relative, QByteArrayView bytes);

// Removes the masks earlier inputs made (targetb/ and sightb/; the fuzzers' application folder
// takes writes, so they are made there): every input starts from the pictures it brings.
void clearMasks();

// Whether a picture is too large to hand to the simulator here: a whole picture of more than
// about a megapixel (the shipped ones have at most 800 x 800). The simulator loads each picture
// several times per input, and a picture of 256 MB (the largest it takes) costs seconds without
// reaching any other code; the size limit itself is tested by RasterLoad.SizeLimit.
bool tooLargeToSimulate(QByteArrayView bytes);

// A file name for a picture of these bytes, its suffix that of the format the bytes start like
// ("stem.bmp", "stem.jpg", "stem.gif"; "stem.jpg" for anything else, as a damaged file is named).
QString pictureName(const QString& stem, QByteArrayView bytes);

} // namespace fuzz
