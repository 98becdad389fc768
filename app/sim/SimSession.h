// The running state of a simulator session beside its controls' values: the sight, where the
// target sits in the view, the display switches, the zone colours, and the rounds, scores and
// shots. A plain value: the session file carries the sight and the view offset (fileValues),
// the scene draws the shots, the captions are made from the scores.
#pragma once

#include "sim/SessionFile.h"

#include <QPointF>
#include <QString>
#include <cstdint>
#include <vector>

class SimSession {
public:
    // Zone colours of the target picture, 0xBBGGRR; NoColour while none has been picked, and
    // then that zone scores nothing.
    static constexpr int32_t NoColour = -1;

    int16_t sight = 0;                      // 0 MOA crosshair .. 4 none
    float viewOffsetX = 0, viewOffsetY = 0; // target offset from the centre, twips at zoom 1
    bool showPOA = false, showGroupCircle = false;
    float flyerProbability = 0; // 10, 5 or 1; 0 before any choice (fires like 10)
    int32_t targetRed = NoColour, targetBlue = NoColour;

    int32_t roundsFired = 0;
    float sessionScore = 0, totalScore = 0;
    int32_t redHits = 0, misses = 0, blueHits = 0;
    // The hits the session's shots should have made: each shot's chance on the target's
    // rectangle, summed.
    double expectedHits = 0;
    // Shot i: offset from the target centre in twips at zoom 1, and the range it was fired at.
    // Both grow as shots are recorded; they never overflow.
    std::vector<QPointF> shotPositions;
    std::vector<float> shotRanges;

    // A new count of rounds (`roundsText`, the rounds box): room for that many shots, none fired.
    void startRounds(const QString& roundsText);
    // The session's scores, hits and rounds fired back to zero; resetTotal clears the total too.
    void resetSession();
    void resetTotal();
    int32_t roundsLeft(const QString& roundsText) const;
    // Records the next shot, `offset` twips at zoom 1 from the target's centre, fired at `range`.
    void recordShot(QPointF offset, float range);

    // The session as its file holds it, with the controls' values and the load file it names.
    SessionFile::Values fileValues(const SimSettings& settings, float milsPerScreen,
                                   const QString& loadFile) const;
    // Takes what a session file read gave beyond the controls' values.
    void takeFileValues(const SessionFile::Values& values);

    bool operator==(const SimSession&) const = default;
};
