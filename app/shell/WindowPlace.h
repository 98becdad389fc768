// Where the main window was when the shooter last closed it: its geometry, whether it was
// maximised, and the tab it showed, kept in the per-user settings store so that the next start
// looks as he left it.
#pragma once

class QTabWidget;
class QWidget;

namespace WindowPlace {

// Puts the window where it was last closed and shows it; false (nothing shown) when no place is
// stored or the stored one no longer fits a screen.
bool restoreAndShow(QWidget& window);
// The tab last shown, or `fallback` when none is stored.
int lastTab(const QTabWidget& tabs, int fallback);
void save(const QWidget& window, const QTabWidget& tabs);

} // namespace WindowPlace
