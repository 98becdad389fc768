// What was open when the program last closed: the load data file, the simulator session and the
// simulator's two target colours, kept in "lastfile.dat" in the application folder (four text
// fields, one per line).
//
// How the window uses it: at start-up `Problems::report(lastFile.load());` then open
// `dataFileName` (unless the command line names a file) and hand `simFileName`, `targetRed` and
// `targetBlue` to the simulator; at exit fill the four fields and report what `save()` gives.
// A missing file leaves the defaults and gives no problem.
#pragma once

#include "services/Problem.h"

#include <QString>
#include <cstdint>

class CLastFile {
public:
    QString dataFileName;
    QString simFileName;
    int32_t targetRed = 0; // 0 and 0: nothing recorded
    int32_t targetBlue = 0;

    // The problems of a damaged record, in the order they were met, for the caller to report.
    QList<Problem> load();
    std::optional<Problem> save();

    // The record's full path: in the application folder, or in the user's data folder when the
    // application folder cannot be written (MSmallBallStruct::dataPath).
    static QString path();
};
