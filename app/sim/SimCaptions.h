// The texts the simulator's labels show, made from the session and the controls' values alone:
// nothing here is kept, so no label can lag behind what it describes.
#pragma once

#include "units/ShownUnits.h"

#include <QString>

struct SimSettings;
class SimSession;

struct SimCaptions {
    QString lblRange, lblMaxrange, lblFovZoom, picHUDToolTip;
    QString lblHits, lblBlueHits, lblMisses, lblSessionScore, lblTotalScore;
    QString lblExpectedHits; // "Expected Hits: 2.4 (Hits: 3)": the group's odds beside the score
    QString caption;         // the window's: "Quorvel Tables -     Load: ...      Session: ..."

    // `fovFeet` is the field of view in force (feet at 100 yd, zoom 1; 0 before any was taken),
    // `cartridge` the load's name, `sessionFile` the session file's path and `units` the
    // shooter's.
    static SimCaptions of(const SimSettings& settings, const SimSession& session, double fovFeet,
                          const QString& cartridge, const QString& sessionFile,
                          const Units::ShownUnits& units = Units::ShownUnits::imperial());

    // "<width> feet @ zoom of: <zoom>": what the view spans at the zoom; empty without a field
    // of view. Under a length unit other than inches the width is in metres ("8.23 m @ ...").
    static QString fovZoom(double fovFeet, int zoom,
                           const Units::ShownUnits& units = Units::ShownUnits::imperial());
    // The expected hits, to a tenth, beside the hits made (red and blue).
    static QString expectedHits(double expected, int hits);
};
