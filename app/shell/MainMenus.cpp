#include "shell/MainMenus.h"

#include "services/CMru.h"
#include "shell/ui.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <array>

namespace {

struct MenuInfo {
    const char* name;
    const char* caption;
};

constexpr std::array<MenuInfo, 3> menus{{
    {"mnuFile", "&File"},
    {"mnuOptions", "Op&tions"},
    {"mnuHelp", "&Help"},
}};

// One row per menu item, in menu order.
struct MenuItem {
    const char* menu;
    const char* name;
    const char* caption;
    const char* shortcut;
    void (ui::*handler)();
    bool checkable = false;
    bool checked = false;
    bool separatorBefore = false;
};

const MenuItem menuItems[] = {
    {"mnuFile", "mnuNew", "&New", "Ctrl+N", &ui::mnuNew_Click},
    {"mnuFile", "mnuOpen", "&Open\u2026", "Ctrl+O", &ui::mnuOpen_Click},
    {"mnuFile", "mnuSave", "&Save", "Ctrl+S", &ui::mnuSave_Click},
    {"mnuFile", "mnuSaveAs", "Save &As\u2026", "Ctrl+Shift+S", &ui::mnuSaveAs_Click},
    {"mnuFile", "mnuExportTable", "&Export Table\u2026", nullptr, &ui::mnuExportTable_Click, false,
     false, true},
    {"mnuFile", "mnuPrint", "&Print\u2026", "Ctrl+P", &ui::mnuPrint_Click, false, false, true},
    {"mnuFile", "mnuPrintCard", "Print &Range Card\u2026", nullptr, &ui::mnuPrintCard_Click},
    // Entry 0 of the recent-file list: hidden until the first file is added.
    {"mnuFile", "mnuMRU", "MRU FileList", nullptr, nullptr, false, false, true},
    {"mnuFile", "mnuExit", "E&xit", "Ctrl+Q", &ui::mnuExit_Click, false, false, true},
    {"mnuOptions", "mnuOptionsTop", "Options\u2026", nullptr, &ui::mnuOptionsTop_Click},
    {"mnuOptions", "mnuUnits", "U&nits\u2026", nullptr, &ui::mnuUnits_Click},
    {"mnuOptions", "mnuUseCompare", "&Use Compare", nullptr, &ui::mnuUseCompare_Click, true, true},
    {"mnuOptions", "mnuCompare", "&Compare File\u2026", nullptr, &ui::mnuCompare_Click},
    {"mnuOptions", "mnuPointBlankRange", "&Point Blank Range\u2026", nullptr,
     &ui::mnuPointBlankRange_Click},
    {"mnuOptions", "mnuVelocityChronoCorrection", "&Velocity Chrono Correction\u2026", nullptr,
     &ui::mnuVelocityChronoCorrection_Click},
    {"mnuOptions", "mnuTrueVelocity", "&True Muzzle Velocity\u2026", nullptr,
     &ui::mnuTrueVelocity_Click},
    {"mnuOptions", "mnuTrueDrag", "True &Drag\u2026", nullptr, &ui::mnuTrueDrag_Click},
    {"mnuOptions", "mnuHitProbability", "&Hit Probability\u2026", nullptr,
     &ui::mnuHitProbability_Click},
    {"mnuHelp", "mnuContents", "&Contents", "Ctrl+H", &ui::mnuContents_Click},
    {"mnuHelp", "mnuAbout", "&About", nullptr, &ui::mnuAbout_Click},
};

} // namespace

MainMenus::MainMenus(ui& window) {
    QHash<QString, QMenu*> byName;
    for (const MenuInfo& m : menus) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(m.caption));
        menu->setObjectName(QString::fromLatin1(m.name));
        byName.insert(QString::fromLatin1(m.name), menu);
    }
    file = byName.value(QStringLiteral("mnuFile"));
    for (const MenuItem& item : menuItems) {
        QMenu* menu = byName.value(QString::fromLatin1(item.menu));
        if (item.separatorBefore) menu->addSeparator();
        QAction* a = menu->addAction(QString::fromUtf8(item.caption));
        const QString name = QString::fromLatin1(item.name);
        a->setObjectName(name);
        if (item.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
        a->setCheckable(item.checkable);
        a->setChecked(item.checked);
        actions.insert(name, a);
        if (const auto handler = item.handler)
            QObject::connect(a, &QAction::triggered, &window,
                             [&window, handler] { (window.*handler)(); });
    }
    // Help answers the desktop's own key as well as the classic one.
    action(QStringLiteral("mnuContents"))
        ->setShortcuts(
            {QKeySequence(QStringLiteral("Ctrl+H")), QKeySequence(QKeySequence::HelpContents)});
    // Ctrl+PgDn and Ctrl+PgUp step through the tabs, as in other tabbed programs.
    const std::pair<const char*, int> steps[] = {{"actNextTab", 1}, {"actPreviousTab", -1}};
    for (const auto& [name, step] : steps) {
        auto* a = new QAction(&window);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(
            QKeySequence(step > 0 ? Qt::CTRL | Qt::Key_PageDown : Qt::CTRL | Qt::Key_PageUp));
        a->setShortcutContext(Qt::WindowShortcut);
        window.addAction(a);
        actions.insert(a->objectName(), a);
        QObject::connect(a, &QAction::triggered, &window,
                         [&window, step = step] { window.stepTab(step); });
    }
    // Entries 1 to 9 of the recent-file list follow entry 0; all stay hidden until used.
    QAction* first = action(QStringLiteral("mnuMRU"));
    QAction* exitItem = action(QStringLiteral("mnuExit"));
    QAction* before = file->actions().value(file->actions().indexOf(exitItem) - 1);
    recentItems.append(first);
    for (int i = 1; i < 10; ++i) {
        auto* item = new QAction(file);
        item->setObjectName(QStringLiteral("mnuMRU_%1").arg(i));
        file->insertAction(before, item);
        recentItems.append(item);
    }
    for (int i = 0; i < recentItems.size(); ++i) {
        recentItems[i]->setVisible(false);
        QObject::connect(recentItems[i], &QAction::triggered, &window,
                         [&window, i] { window.mnuMRU_Click(i); });
    }
}

void MainMenus::showRecentFiles(const CMru& mru) {
    for (int i = 0; i < recentItems.size(); ++i) {
        QString caption = mru.caption(i);
        caption.replace('&', QStringLiteral("&&")); // a path is shown as it is, not as mnemonics
        recentItems[i]->setText(caption);
        recentItems[i]->setVisible(i <= mru.MRUCount);
    }
}
