// Pictures of the two simulator tabs for the documentation: the controls, and the scope view with
// a background, a target, a reticle and a few hits. Used by the program's --screenshots mode.
#pragma once

#include <functional>

class QString;
class QWidget;
class SimController;

namespace SimScreenshots {

// Saves DIR/sim_controls.png and DIR/sim_view.png of `window`, which shows one of the
// simulator's pages through `showPage`. False when one was not written.
bool take(QWidget& window, SimController& sim, const std::function<void(QWidget*)>& showPage,
          const QString& folder);

} // namespace SimScreenshots
