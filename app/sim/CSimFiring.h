// Firing and scoring on the scope view: a press of the left button (or the Fire button) shoots
// at the point pressed, the bullet lands where the aim, the drop and drift at the range, the lead
// of a moving target and a random scatter put it, and the colour of the target under the impact
// scores it. The right button recentres the view on the point pressed; dragging with it moves the
// target with the pointer. After the R or B key a press picks the red or blue zone colour instead
// of shooting, until another key is pressed.
//
// Positions are in twips on the view (SimGeometry converts pixels). The window hands in the key
// code of the last key pressed and shows the captions CSim holds after each call
// (SimHost::settingsChanged).
#pragma once

#include "services/Problem.h"
#include "sim/SimDispersion.h"

#include <QImage>
#include <QPointF>
#include <cstdint>
#include <optional>

class CSim;

class CSimFiring {
public:
    explicit CSimFiring(CSim& sim);

    // Mouse button codes: 1 left, 2 right, 3 both (moves); the Fire button presses with 555.
    static constexpr int16_t LeftButton = 1;
    static constexpr int16_t RightButton = 2;
    static constexpr int16_t BothButtons = 3;
    static constexpr int16_t FireButton = 555;
    // Key codes that switch a press to picking a zone colour.
    static constexpr int16_t RedKey = 82;  // R
    static constexpr int16_t BlueKey = 66; // B

    enum class Outcome {
        Nothing,      // a move with no button that drags, or a refused press
        Recentred,    // right button
        NoRoundsLeft, // the session's rounds are used up: no shot, no message
        PickedRed,
        PickedBlue,
        RedHit,
        BlueHit,
        Miss,
    };

    // A button pressed on the view at (x, y) twips, with the window's last key code.
    Outcome picHUD_MouseDown(int16_t button, int16_t shift, float x, float y, int16_t keyPress);
    // The pointer moved with `button` held: 3 puts the target back in the middle, 2 drags it.
    Outcome picHUD_MouseMove(int16_t button, int16_t shift, float x, float y);
    // The Fire button: a press at the centre of the view (the middle of the reticle).
    Outcome CmdFire_Click(int16_t keyPress);

    // A uniform random integer from lower to upper, both included.
    int16_t random(int16_t lowerbound, int16_t upperbound);

    // What the last press could not do (a score box that holds no number: the shot counts
    // nothing), for the window to report once the press is handled.
    std::optional<Problem> problem;

    // Where the last shot landed (twips on the view), its scatter in MOA and the group it was
    // scattered by.
    QPointF lastImpact;
    QPointF lastScatterMoa;
    SimDispersion::Spread lastSpread;

private:
    Outcome fire(float x, float y, int16_t keyPress);
    // The group in force: the load's hit inputs, or the group size box with the flyer share;
    // nothing when the box holds a text it would refuse (its message shown).
    std::optional<SimDispersion::Spread> spread();
    // Scatter of one shot in MOA; false when there is no group to scatter by.
    bool scatter(float& dx, float& dy);
    // The chance that the shot that landed at (X, Y) twips hits the target's rectangle.
    double hitChance(float X, float Y) const;
    Outcome score(float X, float Y);
    float zoom() const;

    CSim& sim;
};
