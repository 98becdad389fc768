// The main window's menu bar, built from one table of items: caption, shortcut and the window's
// handler for each, plus the ten entries of the recent-file list in the File menu.
#pragma once

#include <QHash>
#include <QList>
#include <QString>

class CMru;
class QAction;
class QMenu;
class ui;

class MainMenus {
public:
    // Builds the menus into `window`'s menu bar; each item runs its handler on `window`.
    explicit MainMenus(ui& window);

    // The item named `name` ("mnuNew", "mnuUseCompare", ...).
    QAction* action(const QString& name) const { return actions.value(name); }
    QMenu* fileMenu() const { return file; }
    // Shows the list's entries in the File menu, entry 0 on top; hides the unused ones.
    void showRecentFiles(const CMru& mru);

private:
    QMenu* file = nullptr;
    QHash<QString, QAction*> actions;
    QList<QAction*> recentItems; // mnuMRU(0..9)
};
