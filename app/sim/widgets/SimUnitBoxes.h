// The simulator's boxes and captions that follow the shooter's units: the group size and target
// boxes (lengths) of the controls tab, the crosswind and target speed boxes of the simulator
// tab. The settings keep the session's units; a box that already shows the value in force keeps
// the text as typed.
#pragma once

class SimControls;
class SimControlsTab;
class SimulatorTab;

namespace SimUnitBoxes {

// Shows the boxes' texts, captions and range messages for the settings and units in force.
void show(const SimControls& controls, SimulatorTab& view, SimControlsTab& controlsTab);

} // namespace SimUnitBoxes
