// The main window: it assembles the five tabs, the menu bar and the two documents, and tells its
// parts what happened through signals (a load was read, a tab shows, the window closes). The
// pages and documents do the work; the simulator reaches the window only through SimWindow.
#pragma once

#include "load/CTextOutput.h"
#include "load/LoadDocument.h"
#include "load/LoadModel.h"
#include "services/CLastFile.h"
#include "services/CMru.h"
#include "shell/CResize.h"
#include "shell/ScreenFont.h"
#include "sim/widgets/SimWindow.h"

#include <QMainWindow>
#include <QTimer>
#include <cstdint>
#include <memory>

class ComparisonList;
class GraphTab;
class InputTab;
class MainMenus;
class SimController;
class TableTab;
class QAction;
class QTabWidget;

class ui : public QMainWindow, public SimWindow {
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
    // opened instead of the last one (a session file in the simulator).
    explicit ui(const QString& commandLine = QString(), QWidget* parent = nullptr);
    ~ui() override;

    // The parts, for the screenshots and the tests to look at.
    LoadModel model;       // the load on screen
    LoadDocument loadDoc;  // the current load data file
    CMru mru;              // the recent-file list of the File menu
    ScreenFont screenFont; // the options dialog's screen font
    QTabWidget* sstUI = nullptr;
    InputTab* inputTab = nullptr;
    TableTab* tableTab = nullptr;
    GraphTab* graphTab = nullptr;
    SimController* simulator = nullptr;
    int16_t keyPress = 0; // key code of the last key pressed in the window

    // The refresh of the view for the tab showing.
    void showTableOrGraph();
    // The window in the shooter's units `units` (a preference): fields, captions, the load's
    // range unit when they fix it, and the tab showing.
    void applyUnits(const Units::ShownUnits& units);
    bool isBusy() const { return busy; }
    bool isSimTab() const;
    // The document the File menu acts on.
    Document& currentDocument();
    QAction* action(const QString& name) const;
    static QString tabName(int index); // "input", "table", ... for file names

    // Menu commands.
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuExportTable_Click();
    void mnuPrint_Click();
    void mnuPrintCard_Click();
    void mnuExit_Click();
    void mnuOptionsTop_Click();
    void mnuUnits_Click();
    void mnuUseCompare_Click();
    void mnuCompare_Click();
    void mnuPointBlankRange_Click();
    void mnuVelocityChronoCorrection_Click();
    void mnuTrueVelocity_Click();
    void mnuTrueDrag_Click();
    void mnuHitProbability_Click();
    void mnuContents_Click();
    void mnuAbout_Click();
    // A recent file chosen in the File menu (entry `index`, 0 the newest).
    void mnuMRU_Click(int index);

    // Shows the next tab (`step` 1) or the previous one (-1), round from the last to the first.
    void stepTab(int step);

    // Steps 1 to 5 of closing: false when the user cancelled one of the questions.
    bool queryUnload();

signals:
    void loadRead();        // a load data file was read into the window
    void tabShown(int tab); // the view of tab `tab` is being refreshed (busy flag set)
    void closing();         // the window closes: release what you hold

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTabs();
    void connectParts();
    void formLoad();
    void formInit();
    void layoutTabs();
    void fillCompareList();
    void afterLoadRead();
    void placeCompareBox(int tab);
    void showCaption();
    // Marks the title while the load or the session has unsaved changes.
    void showModified();
    void runGuarded(const char* operation, const std::function<void()>& body);
    QString commandLineFile();

    // SimWindow (the simulator calls these through the interface)
    QString loadFileName() const override;
    void openLoad(const QString& path) override;
    bool queryUnsavedLoad() override { return loadDoc.queryUnsaved(); }
    void setSessionCaption(const QString& sessionName) override;
    void addRecentFile(const QString& path) override;
    int16_t lastKey() const override { return keyPress; }
    bool isShowing(const QWidget* page) const override;

    CTextOutput txt;    // the table writer of the Table and Graph tabs
    LoadSnapshot shown; // the load as the view being refreshed shows it
    float handedBc = 0; // the coefficient the last table or graph handed to the solver
    CLastFile lastFile; // what was open at the last exit
    CResize resizer;    // layout scaling
    std::unique_ptr<MainMenus> menus;
    ComparisonList* comparisonList = nullptr;
    QString commandLine;
    QString sessionName;
    QString loadCaption; // set when a load file is read
    // A refresh in progress. A refresh may show a message, and the message's event loop runs
    // queued work: a field left by the tab switch asks for its page back (fieldNeedsAttention,
    // a tab change), a comparison list may change. Those must not start a second refresh inside
    // the first. No signal blocker can stand in: the tab must still change, only the refresh
    // waits, and the calls come from more than one sender.
    bool busy = false;
    // A load is being opened by the user's own command: a comparison file it names that is not
    // there is said (not at start-up, nor for the load a session brings).
    bool tellMissingComparison = false;
    bool unloading = false;
    bool finished = false; // the simulator has let go of its trajectory
    QTimer modifiedCheck;  // showModified() once the shooter's input has been handled
};
