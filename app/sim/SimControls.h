// What the simulator's controls do, without the widgets: each handler takes the value the user
// gave a control, updates CSim::settings and the simulator, and runs the handlers that follow
// from it (a slider writes its partner box, a box moves its slider, the wind recomputes the
// trajectory). The widget layer forwards its signals here and then shows `sim.settings` again.
//
// Checked boxes are checked when the focus leaves them (`validate`): a refused value shows the
// box's message through the prompt and keeps the focus in the box; the value in force stays.
#pragma once

#include "services/UnitText.h"
#include "sim/SimLengths.h"
#include "units/ShownUnits.h"

#include <QString>
#include <cstdint>
#include <optional>

class CSim;

class SimControls {
public:
    explicit SimControls(CSim& sim);

    enum class Slider { Range, Wind, Zoom, Speed, Angle };
    // The boxes checked when the focus leaves them.
    enum class Box { GroupSize, Width, Height, Fov, SimMaxRange, Range, Wind, Zoom };
    // Boxes whose text is turned into "1" as soon as it is not a number.
    enum class ScoreBox { Red, Blue, Miss, Rounds };
    enum class Check { Transparent, UserGraphic, GroupCircle, POA, ShowHits };
    enum class List { Background, Target, Reticle };

    CSim& sim;
    // True once the simulator has been started; until then nothing re-initialises it.
    bool simStarted = false;

    // --- Sliders ------------------------------------------------------------------------------
    // The value a slider takes from a handler or a typed box: clamped into its range; the
    // change handler runs when the value changed (or always, with `force`).
    void setSlider(Slider slider, int value, bool force = false);
    // A slider's change: its box shows the value and the view is redrawn; the wind also
    // recomputes the trajectory. The angle slider's change is its move (sldAngleMove).
    void sliderChange(Slider slider);
    // The slider is being dragged to `value`: the box follows only at the two ends.
    void sliderScroll(Slider slider, int value);
    // The user moved the angle slider.
    void sldAngleMove(int value);
    int sliderValue(Slider slider) const;
    int sliderMinimum(Slider slider) const;
    int sliderMaximum(Slider slider) const;

    // --- Text boxes ---------------------------------------------------------------------------
    // Typing in a box: the text is kept; the boxes with change handlers run them.
    void setText(Box box, const QString& text);
    QString text(Box box) const;
    // The angle box's rule (folded into 0..359, not a number becomes "0"), for a text set by
    // code or standing when the user leaves the box.
    void txtAngleChange(const QString& text);
    // The user typing in the angle box: an angle of 0..359 turns the dial at once; a text on its
    // way to a number ("-", "-9", "37" of 370) stays as typed until the box is left.
    void txtAngleTyped(const QString& text);
    void txtSpeedChange(const QString& text);
    // Typing in the target speed box, in the shown unit: the slider takes the nearest whole mph,
    // the box keeps the typing (in mph, as txtSpeedChange).
    void txtSpeedTyped(const QString& shown);
    // Leaving the target speed box: it shows the slider's whole mph (in mph, the typing stays).
    void txtSpeedLeft();
    // Typing in a score box: the text stays while it is or can become a number; other text
    // becomes "1" at once.
    void scoreBoxChange(ScoreBox box, const QString& text);
    // Leaving a score box (or Enter): what stands there becomes "1" unless it is a number.
    void scoreBoxCommit(ScoreBox box);
    void txtFovChange(const QString& text);
    void txtSimNotesChange(const QString& text);
    // Leaving a checked box: false when the text was refused (the box keeps the focus).
    bool validate(Box box);
    // The range the box accepts, both ends included.
    float lowerBound(Box box) const;
    float upperBound(Box box) const;
    // The box's tooltip, which is also its out-of-range message.
    static QString tooltip(Box box);
    // What a refused value is told: the tooltip, or for the range box its bounds from the load.
    QString message(Box box) const;
    // The shooter's units, as the window gave them to the simulator.
    const Units::ShownUnits& units() const;
    // The group size and target boxes show the shooter's length unit; the session keeps inches.
    static std::optional<SimLengths::Box> lengthBox(Box box);
    // The box's text as shown, and the settings' text for a text typed into it (the crosswind
    // in the shooter's wind speed unit, the session's in mph).
    QString shownText(Box box) const;
    QString storedText(Box box, const QString& shown) const;
    // The bounds a typed value is checked against, in the unit it is typed in, and the message.
    UnitText::ShownLimit shownLimit(Box box) const;
    // Field of view: milsPerScreen, the zoom label, the geometry and a redraw when the box holds
    // 1 to 200; the range message otherwise. False when refused.
    bool txtFovValidate();

    // --- Lists, check boxes, options, buttons --------------------------------------------------
    void listChange(List list, const QString& text);
    void checkClick(Check check, int state);
    void optFlyerClick(int index);
    void optSightsClick(int index);
    void optSimMetricClick(bool metric);
    void cmdCenterTarget_Click();
    void cmdResetScore_Click();
    void cmdResetTotal_Click();

    // "New" on a simulator tab: the new-session values in their order, each control's handler
    // run, then the field-of-view check.
    void newSession();
    // The trajectory again (wind, unit or maximum range changed), once the simulator runs.
    void reinit();
};
