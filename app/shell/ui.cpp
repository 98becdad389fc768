#include "shell/ui.h"

#include "load/TableRefresh.h"
#include "services/MSmallBallStruct.h"
#include "shell/CGraph.h"
#include "shell/FileChooser.h"
#include "shell/GraphMenus.h"
#include "shell/GraphTab.h"
#include "shell/HelpViewer.h"
#include "shell/InputTab.h"
#include "shell/Printing.h"
#include "shell/TableTab.h"
#include "shell/frmAbout.h"
#include "shell/frmOptions.h"
#include "sim/widgets/SimController.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cstdio>
#include <exception>

namespace {

constexpr long UnexpectedError = 51; // "Internal error"

struct TabInfo {
    const char* caption;
    const char* name; // picture and object names
};

constexpr std::array<TabInfo, ui::TabCount> tabs{{
    {"Input", "input"},
    {"Table", "table"},
    {"Graph", "graph"},
    {"Simulator Controls", "controls"},
    {"Shooting Simulator", "simulator"},
}};

struct MenuInfo {
    const char* name;
    const char* caption;
};

constexpr std::array<MenuInfo, 3> menus{{
    {"mnuFile", "&File"},
    {"mnuOptions", "Op&tions"},
    {"mnuHelp", "&Help"},
}};

// One row per menu item, in menu order. Items without a handler of the window run the command
// registered under their name (setCommand), or nothing.
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
    {"mnuFile", "mnuOpen", "&Open", "Ctrl+O", &ui::mnuOpen_Click},
    {"mnuFile", "mnuSave", "&Save", "Ctrl+S", &ui::mnuSave_Click},
    {"mnuFile", "mnuSaveAs", "Save &As", nullptr, &ui::mnuSaveAs_Click},
    {"mnuFile", "mnuPrint", "&Print", "Ctrl+P", &ui::mnuPrint_Click, false, false, true},
    // Entry 0 of the recent-file list: hidden until the first file is added.
    {"mnuFile", "mnuMRU", "MRU FileList", nullptr, nullptr, false, false, true},
    {"mnuFile", "mnuExit", "E&xit", nullptr, &ui::mnuExit_Click, false, false, true},
    {"mnuOptions", "mnuOptionsTop", "Options", nullptr, &ui::mnuOptionsTop_Click},
    {"mnuOptions", "mnuHUD", "&HUD", nullptr, nullptr},
    {"mnuOptions", "mnuUseCompare", "&Use Compare", nullptr, nullptr, true, true},
    {"mnuOptions", "mnuCompare", "&Compare File", nullptr, nullptr},
    {"mnuOptions", "mnuPointBlankRange", "&Point Blank Range", nullptr, nullptr},
    {"mnuOptions", "mnuVelocityChronoCorrection", "&Velocity Chrono Correction", nullptr, nullptr},
    {"mnuHelp", "mnuContents", "&Contents", "Ctrl+H", &ui::mnuContents_Click},
    {"mnuHelp", "mnuAbout", "&About", nullptr, &ui::mnuAbout_Click},
};

// The busy flag and the wait cursor of one refresh; both end with the refresh however it ends.
class BusyGuard {
public:
    explicit BusyGuard(bool& flag) : flag(flag) {
        flag = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyGuard() {
        QApplication::restoreOverrideCursor();
        flag = false;
    }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    bool& flag;
};

// Shift state as the simulator reads it: 1 Shift, 2 Ctrl, 4 Alt.
int16_t shiftState(Qt::KeyboardModifiers modifiers) {
    int16_t state = 0;
    if (modifiers & Qt::ShiftModifier) state |= 1;
    if (modifiers & Qt::ControlModifier) state |= 2;
    if (modifiers & Qt::AltModifier) state |= 4;
    return state;
}

} // namespace

ui::ui(const QString& commandLine, QWidget* parent)
    : QMainWindow(parent), loadDoc(model), commandLine(commandLine) {
    setObjectName(QStringLiteral("ui"));
    setWindowTitle(QStringLiteral("Quorvel Tables"));
    buildTabs();
    buildMenus();
    connectDocument();
    installParts();
    qApp->installEventFilter(this);
    // The designed size: the layout scaler records every control's proportions at this size.
    QWidget::resize(1180, 840);
    formLoad();
}

ui::~ui() {
    qApp->removeEventFilter(this);
    // A window destroyed without closing (an embedding program, a test) still gives the
    // solver's buffers back.
    finishSimulator();
    model.fieldTextChangedByModel = nullptr;
}

void ui::buildTabs() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    central->installEventFilter(this);
    setCentralWidget(central);
    sstUI = new QTabWidget(central);
    sstUI->setObjectName(QStringLiteral("sstUI"));
    inputTab = new InputTab(model);
    tableTab = new TableTab;
    for (int i = 0; i < TabCount; ++i) {
        const bool built = i == InputPage || i == TablePage;
        QWidget* page = i == InputPage   ? static_cast<QWidget*>(inputTab)
                        : i == TablePage ? static_cast<QWidget*>(tableTab)
                                         : new QWidget;
        page->setObjectName(QStringLiteral("tab_") + QString::fromLatin1(tabs[i].name));
        sstUI->addTab(page, QString::fromLatin1(tabs[i].caption));
        finished[static_cast<size_t>(i)] = built;
    }
    connect(sstUI, &QTabWidget::currentChanged, this, [this] { showTableOrGraph(); });
    connect(inputTab, &InputTab::fieldNeedsAttention, this,
            [this] { sstUI->setCurrentIndex(InputPage); });
}

void ui::buildMenus() {
    QHash<QString, QMenu*> byName;
    for (const MenuInfo& m : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(m.caption));
        menu->setObjectName(QString::fromLatin1(m.name));
        byName.insert(QString::fromLatin1(m.name), menu);
    }
    mnuFile = byName.value(QStringLiteral("mnuFile"));
    for (const MenuItem& item : menuItems) {
        QMenu* menu = byName.value(QString::fromLatin1(item.menu));
        if (item.separatorBefore) menu->addSeparator();
        QAction* a = menu->addAction(QString::fromLatin1(item.caption));
        const QString name = QString::fromLatin1(item.name);
        a->setObjectName(name);
        if (item.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
        a->setCheckable(item.checkable);
        a->setChecked(item.checked);
        actions.insert(name, a);
        const auto handler = item.handler;
        connect(a, &QAction::triggered, this, [this, handler, name] {
            if (handler)
                (this->*handler)();
            else
                runCommand(name);
        });
    }
    // Entries 1 to 9 of the recent-file list follow entry 0; all stay hidden until used.
    QAction* first = action(QStringLiteral("mnuMRU"));
    QAction* exitItem = action(QStringLiteral("mnuExit"));
    QAction* before = mnuFile->actions().value(mnuFile->actions().indexOf(exitItem) - 1);
    recentItems.append(first);
    for (int i = 1; i < CMru::MaxEntries; ++i) {
        auto* item = new QAction(mnuFile);
        item->setObjectName(QStringLiteral("mnuMRU_%1").arg(i));
        mnuFile->insertAction(before, item);
        recentItems.append(item);
    }
    for (int i = 0; i < recentItems.size(); ++i) {
        recentItems[i]->setVisible(false);
        connect(recentItems[i], &QAction::triggered, this, [this, i] { mnuMRU_Click(i); });
    }
    setCommand(QStringLiteral("mnuUseCompare"), [this] { mnuUseCompare_Click(); });
}

void ui::installParts() {
    graphTab = GraphMenus::install(*this);
    simulator = SimController::install(*this);
}

void ui::connectDocument() {
    loadDoc.addToMru = [this](const QString& path) { mru.AddMRUItem(path); };
    mru.changed = [this] { showRecentFiles(); };
    loadDoc.formReplaced = [this] { inputTab->showForm(); };
    loadDoc.loaded = [this] { afterLoadRead(); };
}

QAction* ui::action(const QString& name) const {
    return actions.value(name);
}

void ui::setCommand(const QString& actionName, std::function<void()> command) {
    commands.insert(actionName, std::move(command));
}

void ui::runCommand(const QString& name) {
    const auto command = commands.value(name);
    if (command) command();
}

// ---- start-up ---------------------------------------------------------------------------------

void ui::formLoad() {
    runGuarded("Form_Load", [this] {
        sstUI->setCurrentIndex(InputPage);
        inputTab->applyToolTips();
        lastFile.fileNum = 3;
        lastFile.load();
        loadDoc.dat.filename = lastFile.dataFileName;
        if (simulator) {
            simulator->sim.dat.filename = lastFile.simFileName;
            simulator->sim.targetRed = lastFile.targetRed;
            simulator->sim.targetBlue = lastFile.targetBlue;
        }
        // The whole command line names the file; a desktop may have quoted it. A session file
        // (what the desktop passes for a double-clicked ".ssn") opens in the simulator.
        QString named = commandLine.trimmed();
        if (named.size() >= 2 && named.startsWith('"') && named.endsWith('"'))
            named = named.mid(1, named.size() - 2);
        bool namedSession = false;
        if (!named.isEmpty()) {
            // The start goes on with the last load, but not without a word.
            const QString why = MSmallBallStruct::whyNotAFile(named);
            if (why.isEmpty()) {
                MSmallBallStruct::FileExists(named); // the application folder's copy, if that
                namedSession =
                    simulator && named.endsWith(QLatin1String(".ssn"), Qt::CaseInsensitive);
                if (namedSession)
                    simulator->sim.dat.filename = named;
                else
                    loadDoc.dat.filename = named;
            } else {
                std::fprintf(stderr, "quorvel: cannot open '%s': %s; opening the last load\n",
                             qPrintable(named), qPrintable(why));
            }
        }
        fileChooser().folder = MSmallBallStruct::documentFolder();
        mru.MRUCount = -1;
        mru.GetMRUFileList();
        showRecentFiles();
        model.values.killZone = 10.0f;
        fillCompareList();
        // The central widget gets its size from the window's layout, which runs on its own only
        // when the window is first shown: the tab control's place and every control's recorded
        // proportions must come from the window's real inner size.
        if (layout()) layout()->activate();
        layoutTabs();
        model.values.metro.setReference();
        formInit();
        resizer.Resize_Initialize(this);
        inputTab->applyMilRange();
        if (namedSession) sstUI->setCurrentIndex(SimControlsPage);
    });
}

void ui::formInit() {
    runGuarded("FormInit", [this] {
        inputTab->applyAdvanced();
        inputTab->applyMilRange();
        inputTab->fillDragList();
        loadDoc.startUp();
        if (hooks.startSimulator) hooks.startSimulator();
    });
}

void ui::fillCompareList() {
    QStringList names;
    MSmallBallStruct::fillComboBox(names, QStringLiteral("*.qvt"),
                                   MSmallBallStruct::documentFolder());
    inputTab->cboCompare->addItems(names);
    inputTab->cboCompare->setCurrentIndex(-1);
}

void ui::layoutTabs() {
    const QWidget* area = centralWidget();
    const int w = area->width();
    const int h = area->height();
    // The tab control takes nearly the whole window: a thin margin left, 98% of the width and
    // 96% of the height, centred vertically.
    sstUI->setGeometry(qRound(0.005 * w), qRound(0.02 * h), qRound(0.98 * w), qRound(0.96 * h));
}

// ---- refresh ----------------------------------------------------------------------------------

bool ui::isSimTab() const {
    const int tab = sstUI->currentIndex();
    return tab == SimControlsPage || tab == SimulatorPage;
}

void ui::showTableOrGraph() {
    if (busy) return;
    const BusyGuard guard(busy);
    try {
        const float angle = TableRefresh::prepareRefresh(model, txt);
        const int tab = sstUI->currentIndex();
        placeCompareBox(tab);
        switch (tab) {
        case TablePage:
            tableTab->setTableText(TableRefresh::tableText(model, txt));
            break;
        case GraphPage:
            if (hooks.refreshGraph) hooks.refreshGraph(angle);
            break;
        case SimulatorPage:
            if (hooks.refreshSimulator) hooks.refreshSimulator();
            break;
        default:
            break;
        }
        // Before the first trajectory no coefficient has been handed to the solver: the caption
        // stays plain rather than showing a corrected coefficient of 0.
        if (model.values.metroBc != 0.0f) inputTab->setBcCaption(TableRefresh::bcCaption(model));
    } catch (const std::exception& e) {
        MSmallBallStruct::HandleError(QStringLiteral("ui"), QStringLiteral("showTableOrGraph"),
                                      UnexpectedError, QString::fromLocal8Bit(e.what()));
    }
}

void ui::placeCompareBox(int tab) {
    // One comparison list serves the Input and the Graph tab; it shows on those two only.
    QComboBox* box = inputTab->cboCompare;
    box->setVisible(tab == InputPage || tab == GraphPage);
}

void ui::afterLoadRead() {
    setLoadCaption(model.form.fields[InputFields::Cartridge]);
    QString name, folder, extension;
    if (loadDoc.dat.filenameSubstrings(model.form.compareFile, name, folder, extension))
        compareName = name;
    compareFile = model.form.compareFile;
    const bool comparing = action(QStringLiteral("mnuUseCompare"))->isChecked();
    inputTab->cboCompare->setEditText(comparing ? compareName : QStringLiteral("No Comparison"));
    if (simStarted && hooks.reinitSimulator) hooks.reinitSimulator();
    showTableOrGraph();
}

void ui::mnuUseCompare_Click() {
    // The menu item toggles its own check mark; the next refresh uses the new state.
    const bool comparing = action(QStringLiteral("mnuUseCompare"))->isChecked();
    inputTab->cboCompare->setEditText(comparing ? compareName : QStringLiteral("Not comparing"));
}

// ---- caption ----------------------------------------------------------------------------------

void ui::setLoadCaption(const QString& cartridge) {
    loadCaption = LoadDocument::caption(cartridge);
    setWindowTitle(loadCaption + sessionCaption);
}

void ui::setSessionCaption(const QString& sessionName) {
    sessionCaption =
        sessionName.isEmpty() ? QString() : QStringLiteral("      Session: ") + sessionName;
    setWindowTitle((loadCaption.isEmpty() ? QStringLiteral("Quorvel Tables") : loadCaption) +
                   sessionCaption);
}

// ---- pages ------------------------------------------------------------------------------------

void ui::setPage(int index, QWidget* page, bool isFinished) {
    if (index <= TablePage || index >= TabCount || !page) return;
    const bool current = sstUI->currentIndex() == index;
    const QSignalBlocker block(sstUI);
    QWidget* old = sstUI->widget(index);
    sstUI->removeTab(index);
    page->setObjectName(QStringLiteral("tab_") + QString::fromLatin1(tabs[index].name));
    sstUI->insertTab(index, page, QString::fromLatin1(tabs[index].caption));
    delete old;
    finished[static_cast<size_t>(index)] = isFinished;
    if (current) sstUI->setCurrentIndex(index);
}

QString ui::tabName(int index) {
    if (index < 0 || index >= TabCount) return {};
    return QString::fromLatin1(tabs[static_cast<size_t>(index)].name);
}

// ---- documents --------------------------------------------------------------------------------

Document& ui::currentDocument() {
    if (isSimTab() && sessionDocument) return *sessionDocument;
    return loadDoc;
}

void ui::mnuNew_Click() {
    runGuarded("mnuNew_Click", [this] { currentDocument().newDocument(); });
}

void ui::mnuOpen_Click() {
    runGuarded("mnuOpen_Click", [this] { currentDocument().open(); });
}

void ui::mnuSave_Click() {
    runGuarded("mnuSave_Click", [this] { currentDocument().save(); });
}

void ui::mnuSaveAs_Click() {
    runGuarded("mnuSaveAs_Click", [this] { currentDocument().saveAs(); });
}

void ui::mnuPrint_Click() {
    runGuarded("mnuPrint_Click", [this] {
        const int tab = sstUI->currentIndex();
        if (!Printing::checkPrintableTab(tab)) return;
        const QImage chart = tab == GraphPage && graphTab && graphTab->graph
                                 ? graphTab->graph->grab().toImage()
                                 : QImage();
        Printing::printWithDialog(this, tab, tableTab->txtOutput->toPlainText(), chart);
    });
}

void ui::mnuOptionsTop_Click() {
    frmOptions dialog(model.form, model.values, screenFont, this);
    dialog.exec();
    // The choices take effect at the next refresh; show them now.
    showTableOrGraph();
}

void ui::mnuContents_Click() {
    HelpViewer::showContents(this);
}

void ui::mnuAbout_Click() {
    frmAbout about(this);
    about.exec();
}

void ui::mnuExit_Click() {
    close();
}

void ui::finishSimulator() {
    if (simulatorFinished || !hooks.finishSimulator) return;
    simulatorFinished = true;
    hooks.finishSimulator();
}

void ui::showRecentFiles() {
    for (int i = 0; i < recentItems.size(); ++i) {
        QString caption = mru.caption(i);
        caption.replace('&', QStringLiteral("&&")); // a path is shown as it is, not as mnemonics
        recentItems[i]->setText(caption);
        recentItems[i]->setVisible(i <= mru.MRUCount);
    }
}

void ui::mnuMRU_Click(int index) {
    runGuarded("mnuMRU_Click", [this, index] {
        const CMru::Choice chosen = mru.choice(index);
        if (chosen.path.isEmpty()) return;
        // A file deleted or moved since it was listed: say so and drop it; whatever is open
        // stays open, and Save still writes to it.
        if (QString found = chosen.path; !MSmallBallStruct::FileExists(found)) {
            MSmallBallStruct::reportNotFound(chosen.path);
            mru.RemoveMRUItem(index);
            return;
        }
        if (chosen.isSession) {
            if (simulator && simulator->document.openRecent(chosen.path))
                mru.ReorderMRUList(chosen.path, index);
        } else if (loadDoc.queryUnsaved()) {
            // Like Open: edits of the load on screen are not dropped without asking, and the
            // file read moves to the top of the list.
            loadDoc.loadFile(chosen.path);
        }
    });
}

// ---- closing ----------------------------------------------------------------------------------

bool ui::queryUnload() {
    if (sessionDocument && !sessionDocument->queryUnsaved()) return false;
    if (!loadDoc.queryUnsaved()) return false;
    runGuarded("Form_Unload", [this] {
        finishSimulator();
        mru.SaveMRUFileList();
        lastFile.dataFileName = loadDoc.dat.filename;
        if (simulator) {
            lastFile.simFileName = simulator->sim.dat.filename;
            lastFile.targetRed = simulator->sim.targetRed;
            lastFile.targetBlue = simulator->sim.targetBlue;
        }
        lastFile.save();
    });
    return true;
}

void ui::closeEvent(QCloseEvent* event) {
    // A second close while the first one is closing the windows ends at once.
    if (unloading) {
        event->accept();
        return;
    }
    if (!queryUnload()) {
        event->ignore();
        return;
    }
    unloading = true;
    event->accept();
    // Other windows of the program (dialogs left open) close with the main window.
    const auto windows = QApplication::topLevelWidgets();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (*it != this && (*it)->isVisible()) (*it)->close();
    }
}

void ui::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!resizer.records().empty()) resizer.Form_Resize(this);
}

// ---- events -----------------------------------------------------------------------------------

bool ui::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            const auto* key = static_cast<QKeyEvent*>(event);
            keyPress = static_cast<int16_t>(key->key() & 0x7FFF);
            keyShift = shiftState(key->modifiers());
        }
    } else if (event->type() == QEvent::Resize && watched == centralWidget()) {
        layoutTabs();
    }
    return QMainWindow::eventFilter(watched, event);
}

void ui::runGuarded(const char* operation, const std::function<void()>& body) {
    try {
        body();
    } catch (const std::exception& e) {
        MSmallBallStruct::HandleError(QStringLiteral("ui"), QString::fromLatin1(operation),
                                      UnexpectedError, QString::fromLocal8Bit(e.what()));
    }
}
