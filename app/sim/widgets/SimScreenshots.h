// Pictures of the two simulator tabs for the documentation: the controls, and the scope view with
// a background, a target, a reticle and a few hits. Used by the program's --screenshots mode.
#pragma once

class QString;
class ui;

namespace SimScreenshots {

// Saves DIR/sim_controls.png and DIR/sim_view.png of `window`. False when one was not written.
bool take(ui& window, const QString& folder);

} // namespace SimScreenshots
