// Plugs the Graph tab and the commands around it into the main window: the page and its
// refresh, the Compare File menu item, the comparison list, and the Point Blank Range and
// Velocity Chrono Correction dialogs.
#pragma once

#include <QString>

class GraphTab;
class ui;

namespace GraphMenus {

// Creates the Graph tab page and connects everything; returns the page (owned by the window).
GraphTab* install(ui& window);

// Compare File: the open dialog for load files; a chosen file becomes the comparison (and a
// recent file), Use Compare is checked and the view refreshed. The current load file name is
// kept whatever happens.
void mnuCompare_Click(ui& window, GraphTab& page);
// A name chosen or typed in the comparison list: the application folder's file of that name
// becomes the comparison (none when it does not exist), then the view is refreshed.
void cboCompare_Click(ui& window, const QString& text);

void mnuPointBlankRange_Click(ui& window);
void mnuVelocityChronoCorrection_Click(ui& window);

} // namespace GraphMenus
