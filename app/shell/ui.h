// The main window: the five tabs, the menu bar, the two documents and the objects that do the
// work. It assembles pages and dispatches commands; each page and each document is its own class.
#pragma once

#include "load/CTextOutput.h"
#include "load/LoadModel.h"
#include "services/CLastFile.h"
#include "services/CMru.h"
#include "shell/CResize.h"
#include "shell/LoadDocument.h"
#include "shell/ScreenFont.h"

#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>

class GraphTab;
class InputTab;
class SimController;
class TableTab;
class QAction;
class QMenu;
class QTabWidget;

class ui : public QMainWindow {
    Q_OBJECT
public:
    enum TabIndex {
        InputPage = 0,
        TablePage = 1,
        GraphPage = 2,
        SimControlsPage = 3,
        SimulatorPage = 4
    };
    static constexpr int TabCount = 5;

    // commandLine: the whole command-line text; when it names an existing file, that file is
    // opened instead of the last one: a ".ssn" as the simulator session (shown on the Simulator
    // Controls tab), anything else as the load.
    explicit ui(const QString& commandLine = QString(), QWidget* parent = nullptr);
    ~ui() override;

    // Window state other parts read.
    LoadModel model;                     // in1, the window values and the input texts
    CTextOutput txt;                     // the table writer
    LoadDocument loadDoc;                // the current load data file (loadDoc.dat)
    Document* sessionDocument = nullptr; // the simulator's session document, when there is one
    SimController* simulator = nullptr;  // the simulator, its two tabs and its session document
    bool simStarted = false;
    int16_t keyPress = 0;
    int16_t keyShift = 0;
    QString compareFile;
    QString compareName;
    ScreenFont screenFont; // the options dialog's screen font
    CResize resizer;       // layout scaling
    CMru mru;              // the recent-file list of the File menu
    CLastFile lastFile;    // what was open at the last exit

    // What later parts plug in: the Graph tab's refresh, the simulator's start, redraw and
    // finish. Empty hooks do nothing.
    struct Hooks {
        std::function<void(float angle)> refreshGraph; // tab 2 of showTableOrGraph
        std::function<void()> refreshSimulator;        // tab 4 of showTableOrGraph
        std::function<void()> startSimulator;          // FormInit, after the load
        std::function<void()> reinitSimulator;         // after a load file was read
        std::function<void()> finishSimulator;         // unload, after the questions
    } hooks;

    QTabWidget* sstUI = nullptr;
    InputTab* inputTab = nullptr;
    TableTab* tableTab = nullptr;
    GraphTab* graphTab = nullptr; // owned by sstUI

    // Start-up (Form_Load); the constructor runs it.
    void formLoad();
    // The refresh of the view for the tab showing.
    void showTableOrGraph();
    bool isBusy() const { return busy; }
    bool isSimTab() const;
    // The document the File menu acts on.
    Document& currentDocument();

    // Replaces the page of a tab (the later tabs start as empty pages).
    void setPage(int index, QWidget* page, bool finished = true);
    bool isPageFinished(int index) const { return finished.at(static_cast<size_t>(index)); }
    static QString tabName(int index); // "input", "table", ... for file names

    // Caption: the load part is set when a load file is read, the session part when a session is.
    void setLoadCaption(const QString& cartridge);
    void setSessionCaption(const QString& sessionName);

    // The menu items by their names ("mnuNew", "mnuUseCompare", ...).
    QAction* action(const QString& name) const;
    // The command a menu item runs, for the items whose work lives in other classes (print,
    // options, compare file, point blank, chronograph, help, about, recent files).
    void setCommand(const QString& actionName, std::function<void()> command);
    QMenu* fileMenu() const { return mnuFile; }

    // File menu commands.
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuExit_Click();
    void mnuPrint_Click();
    void mnuOptionsTop_Click();
    void mnuContents_Click();
    void mnuAbout_Click();
    // A recent file chosen in the File menu (entry `index`, 0 the newest).
    void mnuMRU_Click(int index);

    // Steps 1 to 5 of closing: false when the user cancelled one of the questions.
    bool queryUnload();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTabs();
    void buildMenus();
    void installParts();
    void showRecentFiles();
    void finishSimulator();
    void connectDocument();
    void formInit();
    void layoutTabs();
    void fillCompareList();
    void afterLoadRead();
    void placeCompareBox(int tab);
    void mnuUseCompare_Click();
    void runGuarded(const char* operation, const std::function<void()>& body);

    void runCommand(const QString& name);

    QMenu* mnuFile = nullptr;
    QHash<QString, QAction*> actions;
    QList<QAction*> recentItems; // mnuMRU(0..9)
    QHash<QString, std::function<void()>> commands;
    QString commandLine;
    QString loadCaption;
    QString sessionCaption;
    std::array<bool, TabCount> finished{};
    bool busy = false;
    bool unloading = false;
    bool simulatorFinished = false;
};
