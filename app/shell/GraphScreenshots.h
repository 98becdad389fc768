// Pictures of the Graph tab and the two side calculators for the documentation. Used by the
// program's --screenshots mode.
#pragma once

class QString;
class ui;

namespace GraphScreenshots {

// Saves DIR/graph.png (the load compared with a second load), DIR/graph_nocompare.png,
// DIR/pointblank.png and DIR/chrono.png. False when one was not written. The window's
// comparison settings are restored afterwards.
bool take(ui& window, const QString& folder);

} // namespace GraphScreenshots
