#include "sim/widgets/SimUnitBoxes.h"

#include "sim/CSim.h"
#include "sim/SimControls.h"
#include "sim/SimLengths.h"
#include "sim/SimSpeeds.h"
#include "sim/widgets/SimControlsTab.h"
#include "sim/widgets/SimulatorTab.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <utility>

namespace SimUnitBoxes {

namespace {

using Box = SimControls::Box;

// A box whose text stands for `stored` keeps it (and the cursor where the user is typing).
void showBox(QLineEdit* edit, const QString& typedAsStored, const QString& stored,
             const QString& shown) {
    if (typedAsStored == stored || edit->text() == shown) return;
    const QSignalBlocker block(edit);
    edit->setText(shown);
}

void showCaption(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

} // namespace

void show(const SimControls& controls, SimulatorTab& view, SimControlsTab& controlsTab) {
    const Units::ShownUnits& units = controls.units();
    const std::pair<QLineEdit*, Box> boxes[] = {{controlsTab.txtGroupSize, Box::GroupSize},
                                                {controlsTab.txtWidth, Box::Width},
                                                {controlsTab.txtHeight, Box::Height},
                                                {controlsTab.txtFov, Box::Fov},
                                                {view.txtWind, Box::Wind}};
    for (const auto& [edit, box] : boxes) {
        showBox(edit, controls.storedText(box, edit->text()), controls.text(box),
                controls.shownText(box));
        edit->setToolTip(controls.message(box));
    }
    // The target speed box has no check of its own: the slider bounds it.
    const QString& speed = controls.sim.settings.txtSpeed;
    showBox(view.txtSpeed, SimSpeeds::storedText(units, view.txtSpeed->text()), speed,
            SimSpeeds::shownText(units, speed));

    showCaption(controlsTab.lblGroupSize, SimLengths::caption(units, SimLengths::Box::GroupSize));
    showCaption(controlsTab.lblWidth, SimLengths::caption(units, SimLengths::Box::Width));
    showCaption(controlsTab.lblHeight, SimLengths::caption(units, SimLengths::Box::Height));
    showCaption(controlsTab.lblFov, SimLengths::Fov::caption(units));
    showCaption(view.lblWind, SimSpeeds::caption(units, SimSpeeds::Box::Wind));
    showCaption(view.lblSpeed, SimSpeeds::caption(units, SimSpeeds::Box::Speed));
}

} // namespace SimUnitBoxes
