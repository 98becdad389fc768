#include "sim/SimControls.h"

#include "load/LoadModel.h"
#include "services/FieldChecks.h"
#include "services/MNumber.h"
#include "sim/CSim.h"
#include "sim/SimHost.h"
#include "sim/SimLengths.h"
#include "sim/SimSpeeds.h"

#include <array>
#include <cmath>
#include <limits>

namespace {

// One slider: its value, its partner box and its range in the settings.
struct SliderInfo {
    int SimSettings::*value;
    QString SimSettings::*box;
    SliderRange SimSettings::*range;
};

constexpr std::array<SliderInfo, 5> sliders{{
    {&SimSettings::sldRange, &SimSettings::txtRange, &SimSettings::rangeRange},
    {&SimSettings::sldWind, &SimSettings::txtWind, &SimSettings::rangeWind},
    {&SimSettings::sldZoom, &SimSettings::txtZoom, &SimSettings::rangeZoom},
    {&SimSettings::sldSpeed, &SimSettings::txtSpeed, &SimSettings::rangeSpeed},
    {&SimSettings::sldAngle, &SimSettings::txtAngle, &SimSettings::rangeAngle},
}};

const SliderInfo& info(SimControls::Slider s) {
    return sliders.at(static_cast<size_t>(s));
}

// One checked box: its text in the settings and the name its tooltip is kept under.
struct BoxInfo {
    QString SimSettings::*text;
    const char* name;
};

constexpr std::array<BoxInfo, 8> boxes{{
    {&SimSettings::txtGroupSize, "txtGroupSize"},
    {&SimSettings::txtWidth, "txtWidth"},
    {&SimSettings::txtHeight, "txtHeight"},
    {&SimSettings::txtFov, "txtFov"},
    {&SimSettings::txtSimMaxRange, "txtSimMaxRange"},
    {&SimSettings::txtRange, "txtRange"},
    {&SimSettings::txtWind, "txtWind"},
    {&SimSettings::txtZoom, "txtZoom"},
}};

const BoxInfo& info(SimControls::Box b) {
    return boxes.at(static_cast<size_t>(b));
}

// The maximum range box has no tooltip of its own in the simulator; a refused value always says
// what is accepted.
constexpr const char* MaxRangeTooltip = "Maximum range must be between 50 and 1300.";

constexpr std::array<QString SimSettings::*, 4> scoreBoxes{
    &SimSettings::txtRedScore, &SimSettings::txtBlueScore, &SimSettings::txtMissScore,
    &SimSettings::txtNumberOfRounds};

// A rounded value that fits an int; values beyond are pinned to the ends (sliders clamp anyway).
int toInt(double value) {
    const double r = MNumber::roundHalfEven(value);
    if (!(r > std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (!(r < std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(r);
}

} // namespace

SimControls::SimControls(CSim& sim) : sim(sim) {}

// --- Sliders -------------------------------------------------------------------------------------

int SimControls::sliderValue(Slider slider) const {
    return sim.settings.*info(slider).value;
}
int SimControls::sliderMinimum(Slider slider) const {
    return (sim.settings.*info(slider).range).minimum;
}
int SimControls::sliderMaximum(Slider slider) const {
    return (sim.settings.*info(slider).range).maximum;
}

void SimControls::setSlider(Slider slider, int value, bool force) {
    const SliderInfo& s = info(slider);
    const int clamped = (sim.settings.*s.range).clamp(value);
    const bool changed = clamped != sim.settings.*s.value;
    sim.settings.*s.value = clamped;
    if ((changed || force) && slider != Slider::Angle) sliderChange(slider);
}

void SimControls::sliderChange(Slider slider) {
    if (slider == Slider::Angle) return sldAngleMove(sim.settings.sldAngle);
    const SliderInfo& s = info(slider);
    sim.settings.*s.box = QString::number(sim.settings.*s.value);
    if (slider == Slider::Wind) {
        reinit();
        if (simStarted) sim.drawAll();
        return;
    }
    sim.drawAll();
}

void SimControls::sliderScroll(Slider slider, int value) {
    const SliderInfo& s = info(slider);
    const SliderRange& r = sim.settings.*s.range;
    if (value == r.minimum || value == r.maximum) sim.settings.*s.box = QString::number(value);
}

void SimControls::sldAngleMove(int value) {
    SimSettings& s = sim.settings;
    // A full turn can be set once the slider has been moved.
    s.rangeAngle.maximum = 360;
    s.sldAngle = s.rangeAngle.clamp(value);
    s.ucAngle = s.sldAngle;
    txtAngleChange(QString::number(s.sldAngle));
}

// --- Text boxes ----------------------------------------------------------------------------------

void SimControls::setText(Box box, const QString& text) {
    switch (box) {
    case Box::Fov:
        return txtFovChange(text);
    default:
        sim.settings.*info(box).text = text;
    }
}

QString SimControls::text(Box box) const {
    return sim.settings.*info(box).text;
}

void SimControls::txtAngleChange(const QString& text) {
    SimSettings& s = sim.settings;
    s.txtAngle = text;
    auto value = MNumber::parse(text);
    if (!value) {
        s.txtAngle = QStringLiteral("0");
        value = 0.0;
    }
    // Each rewrite of the box runs this handler again, so the angle folds one turn at a time
    // until it lies in 0 to 359.
    double v = *value;
    bool folded = false;
    while (v > 359 || v < 0) {
        v = v > 359 ? v - 360 : 360 + v;
        folded = true;
        if (!std::isfinite(v) || std::fabs(v) > 1e9) {
            v = 0;
            break;
        }
    }
    if (folded) s.txtAngle = MNumber::shortText(static_cast<float>(v));
    s.ucAngle = v;
    s.sldAngle = s.rangeAngle.clamp(toInt(v));
    sim.drawAll();
}

void SimControls::txtAngleTyped(const QString& text) {
    const auto value = MNumber::parse(text);
    const bool final = value && *value >= 0 && *value <= 359;
    if (final || !(value || MNumber::isPartialNumber(text))) return txtAngleChange(text);
    sim.settings.txtAngle = text;
}

void SimControls::txtSpeedChange(const QString& text) {
    sim.settings.txtSpeed = text;
    if (const auto v = MNumber::parse(text)) setSlider(Slider::Speed, toInt(*v));
}

void SimControls::txtSpeedTyped(const QString& shown) {
    if (SimSpeeds::classic(units())) return txtSpeedChange(shown);
    // The slider takes the nearest whole mph at once; the box keeps what is typed until it is
    // left, rather than turning "1" of "16" into 1 mph's text in the shown unit.
    const QString stored = SimSpeeds::storedText(units(), shown);
    txtSpeedChange(stored);
    sim.settings.txtSpeed = stored;
}

void SimControls::txtSpeedLeft() {
    // Leaving the box shows the whole mph in force, in the shown unit.
    if (!SimSpeeds::classic(units()))
        sim.settings.txtSpeed = QString::number(sim.settings.sldSpeed);
}

void SimControls::scoreBoxChange(ScoreBox box, const QString& text) {
    QString& target = sim.settings.*scoreBoxes.at(static_cast<size_t>(box));
    target = text;
    if (!MNumber::isNumeric(text) && !MNumber::isPartialNumber(text)) target = QStringLiteral("1");
}

void SimControls::scoreBoxCommit(ScoreBox box) {
    QString& target = sim.settings.*scoreBoxes.at(static_cast<size_t>(box));
    if (!MNumber::isNumeric(target)) target = QStringLiteral("1");
}

void SimControls::txtFovChange(const QString& text) {
    sim.settings.txtFov = text;
    txtFovValidate();
}

void SimControls::txtSimNotesChange(const QString& text) {
    sim.settings.txtSimNotes = text;
}

float SimControls::lowerBound(Box box) const {
    switch (box) {
    case Box::GroupSize:
        return SimSettings::GroupSizeMin;
    case Box::Width:
    case Box::Height:
        return 0.001f;
    case Box::Fov:
        return 1.0f;
    case Box::SimMaxRange:
        return 50.0f;
    case Box::Range:
        return static_cast<float>(sim.settings.rangeRange.minimum);
    case Box::Wind:
        return static_cast<float>(sim.settings.rangeWind.minimum);
    case Box::Zoom:
        return static_cast<float>(sim.settings.rangeZoom.minimum);
    }
    return 0;
}

float SimControls::upperBound(Box box) const {
    switch (box) {
    case Box::GroupSize:
        return SimSettings::GroupSizeMax;
    case Box::Width:
    case Box::Height:
        return 300.0f;
    case Box::Fov:
        return 200.0f;
    case Box::SimMaxRange:
        return 1300.0f;
    case Box::Range:
        // The load's maximum range, whatever the slider's own maximum.
        return sim.loadModel ? static_cast<float>(sim.loadModel->values.in1.imaxyds) : 0.0f;
    case Box::Wind:
        return static_cast<float>(sim.settings.rangeWind.maximum);
    case Box::Zoom:
        return static_cast<float>(sim.settings.rangeZoom.maximum);
    }
    return 0;
}

QString SimControls::tooltip(Box box) {
    if (box == Box::Fov) return CSim::fovMessage();
    if (box == Box::SimMaxRange) return QString::fromLatin1(MaxRangeTooltip);
    const QString name = QString::fromLatin1(info(box).name);
    for (const auto& [control, text] : CSim::tooltips())
        if (control == name) return text;
    return {};
}

const Units::ShownUnits& SimControls::units() const {
    return sim.units;
}

std::optional<SimLengths::Box> SimControls::lengthBox(Box box) {
    switch (box) {
    case Box::GroupSize:
        return SimLengths::Box::GroupSize;
    case Box::Width:
        return SimLengths::Box::Width;
    case Box::Height:
        return SimLengths::Box::Height;
    default:
        return std::nullopt;
    }
}

QString SimControls::shownText(Box box) const {
    const QString& stored = sim.settings.*info(box).text;
    if (box == Box::Wind) return SimSpeeds::shownText(units(), stored);
    if (box == Box::Fov) return SimLengths::Fov::shownText(units(), stored);
    return lengthBox(box) ? SimLengths::shownText(units(), stored) : stored;
}

QString SimControls::storedText(Box box, const QString& shown) const {
    if (box == Box::Wind) return SimSpeeds::storedText(units(), shown);
    if (box == Box::Fov) return SimLengths::Fov::storedText(units(), shown);
    return lengthBox(box) ? SimLengths::storedText(units(), shown) : shown;
}

UnitText::ShownLimit SimControls::shownLimit(Box box) const {
    if (box == Box::Wind)
        return SimSpeeds::windLimit(units(), lowerBound(box), upperBound(box), tooltip(box));
    return {lowerBound(box), upperBound(box), message(box)};
}

QString SimControls::message(Box box) const {
    if (box == Box::Wind) return shownLimit(box).message;
    if (box == Box::Fov)
        return SimLengths::Fov::message(units(), lowerBound(box), upperBound(box), tooltip(box));
    if (const auto length = lengthBox(box))
        return SimLengths::message(units(), *length, lowerBound(box), upperBound(box),
                                   tooltip(box));
    // The range box's bounds come from the load: the refusal names them.
    if (box == Box::Range)
        return QStringLiteral("Range must be between %1 and %2 yd.")
            .arg(MNumber::shortText(lowerBound(box)), MNumber::shortText(upperBound(box)));
    return tooltip(box);
}

bool SimControls::validate(Box box) {
    const QString text = sim.settings.*info(box).text;
    // The field of view is checked at every key as well: a text on its way (empty, "0.") must not
    // bring up a message there, so that box keeps the silent refusal. The crosswind is checked
    // in the unit it is typed in.
    bool refused = false;
    if (box == Box::Fov) {
        refused = MSmallBallStruct::textValidateAndWarn(lowerBound(box), upperBound(box), text,
                                                        message(box));
    } else if (box != Box::Wind) {
        refused =
            MSmallBallStruct::boxRefuses(lowerBound(box), upperBound(box), text, message(box));
    } else if (!SimSpeeds::showsWholeMph(units(), text, lowerBound(box), upperBound(box))) {
        const UnitText::ShownLimit limit = shownLimit(box);
        refused = MSmallBallStruct::boxRefuses(limit.lower, limit.upper,
                                               SimSpeeds::typedText(units(), text), limit.message);
    }
    if (refused) return false;
    const double value = MNumber::parse(text).value_or(0.0);
    switch (box) {
    case Box::GroupSize:
        if (sim.loadModel) sim.loadModel->values.groupSize = static_cast<float>(value);
        sim.drawAll();
        break;
    case Box::Width:
    case Box::Height:
        sim.drawAll();
        break;
    case Box::Fov:
        return txtFovValidate();
    case Box::SimMaxRange:
        reinit();
        break;
    case Box::Range:
        setSlider(Slider::Range, toInt(value), true);
        break;
    case Box::Wind:
        setSlider(Slider::Wind, toInt(value), true);
        break;
    case Box::Zoom:
        setSlider(Slider::Zoom, toInt(value), true);
        break;
    }
    return true;
}

bool SimControls::txtFovValidate() {
    return sim.checkFov();
}

// --- Lists, check boxes, options, buttons
// ---------------------------------------------------------

void SimControls::listChange(List list, const QString& text) {
    switch (list) {
    case List::Background:
        sim.settings.cboBackground = text;
        sim.cboBackgroundValidate();
        sim.drawAll();
        break;
    case List::Target:
        sim.settings.cboTarget = text;
        sim.cboTargetValidate();
        break;
    case List::Reticle:
        sim.settings.cboReticle = text;
        sim.cboReticleValidate();
        break;
    }
}

void SimControls::checkClick(Check check, int state) {
    SimSettings& s = sim.settings;
    switch (check) {
    case Check::Transparent:
        s.chkTransparent = state;
        break;
    case Check::UserGraphic:
        s.chkUserGraphic = state;
        break;
    case Check::GroupCircle:
        // Each click turns the circle over, whatever the box shows.
        s.chkGroupCircle = state;
        sim.session.showGroupCircle = !sim.session.showGroupCircle;
        break;
    case Check::POA:
        s.chkPOA = state;
        sim.session.showPOA = !sim.session.showPOA;
        break;
    case Check::ShowHits:
        // Takes effect at the next shot.
        s.chkShowHits = state;
        return;
    }
    sim.drawAll();
}

void SimControls::optFlyerClick(int index) {
    sim.settings.flyerIndex = std::clamp(index, 0, 2);
    sim.session.flyerProbability = sim.settings.flyerProbability();
}

void SimControls::optSightsClick(int index) {
    // The view shows the new sight at its next redraw.
    sim.session.sight = static_cast<int16_t>(std::clamp(index, 0, 4));
}

void SimControls::optSimMetricClick(bool metric) {
    sim.settings.optSimMetric1 = metric;
    reinit();
}

void SimControls::cmdCenterTarget_Click() {
    sim.cmdCenterTarget_Click();
}
void SimControls::cmdResetScore_Click() {
    sim.scoreResetSession();
}
void SimControls::cmdResetTotal_Click() {
    sim.scoreResetTotal();
}

void SimControls::newSession() {
    SimSettings& s = sim.settings;
    // The values, in the order the controls take them, each with its handler.
    const SimSettings fresh;
    s.txtGroupSize = fresh.txtGroupSize;
    listChange(List::Target, fresh.cboTarget);
    setSlider(Slider::Zoom, fresh.sldZoom);
    setSlider(Slider::Wind, fresh.sldWind);
    s.txtWidth = fresh.txtWidth;
    s.txtHeight = fresh.txtHeight;
    listChange(List::Reticle, fresh.cboReticle);
    setSlider(Slider::Range, fresh.sldRange);
    s.txtFov = fresh.txtFov;
    s.ucAngle = 90; // the dial only: the angle slider and box stay as they were
    s.txtRedScore = fresh.txtRedScore;
    s.txtBlueScore = fresh.txtBlueScore;
    s.txtMissScore = fresh.txtMissScore;
    s.txtNumberOfRounds = fresh.txtNumberOfRounds;
    optFlyerClick(0);
    listChange(List::Background, fresh.cboBackground);
    s.lblRoundsLeft = QStringLiteral("Shots Left = 10");
    setSlider(Slider::Speed, fresh.sldSpeed);
    txtFovValidate();
}

void SimControls::reinit() {
    if (simStarted) sim.init(false);
}
