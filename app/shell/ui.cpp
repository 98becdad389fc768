#include "shell/ui.h"

#include "shell/UnitsSettings.h"

#include "controls/WaitCursor.h"
#include "controls/WidgetTags.h"
#include "load/TableRefresh.h"
#include "services/AppFolders.h"
#include "services/ErrorNumbers.h"
#include "services/FileChooser.h"
#include "shell/ComparisonList.h"
#include "shell/GraphTab.h"
#include "shell/InputTab.h"
#include "shell/MainMenus.h"
#include "shell/TableTab.h"
#include "sim/widgets/SimController.h"
#include "sim/widgets/SimControlsTab.h"
#include "sim/widgets/SimulatorTab.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLayout>
#include <QScrollArea>
#include <QTabWidget>
#include <array>
#include <cstdio>
#include <exception>

namespace {

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

// The busy flag and the wait cursor of one refresh; both end with the refresh however it ends.
class BusyGuard {
public:
    explicit BusyGuard(bool& flag) : flag(flag) { flag = true; }
    ~BusyGuard() { flag = false; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    bool& flag;
    WaitCursor wait;
};

} // namespace

ui::ui(const QString& commandLine, QWidget* parent)
    : QMainWindow(parent), loadDoc(model), commandLine(commandLine) {
    setObjectName(QStringLiteral("ui"));
    setWindowTitle(QStringLiteral("Quorvel Tables[*]"));
    modifiedCheck.setSingleShot(true);
    modifiedCheck.setInterval(100);
    connect(&modifiedCheck, &QTimer::timeout, this, &ui::showModified);
    buildTabs();
    menus = std::make_unique<MainMenus>(*this);
    connectParts();
    qApp->installEventFilter(this);
    model.units = UnitsSettings::load();
    inputTab->applyUnits();
    simulator->setUnits(model.units);
    // The designed size: the layout scaler records every control's proportions at this size.
    QWidget::resize(1180, 840);
    formLoad();
}

ui::~ui() {
    qApp->removeEventFilter(this);
    // A window destroyed without closing (an embedding program, a test) still gives the
    // solver's buffers back.
    if (!finished) emit closing();
    model.fieldTextChangedByModel = nullptr;
}

void ui::buildTabs() {
    // The tabs sit on a canvas in a scroll area: a window too small to show them at a readable
    // size scrolls them instead of shrinking their text further.
    auto* scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("scroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    // Keys go to the tabs' controls: the area itself takes no focus, nor Ctrl+Tab from them.
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->installEventFilter(this);
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("central"));
    for (QWidget* carrier : {static_cast<QWidget*>(scroller), central})
        carrier->setProperty(WidgetTags::carrierProperty, true);
    scroller->setWidget(central);
    setCentralWidget(scroller);
    sstUI = new QTabWidget(central);
    sstUI->setObjectName(QStringLiteral("sstUI"));
    inputTab = new InputTab(model);
    tableTab = new TableTab(txt);
    graphTab = new GraphTab(model, txt);
    simulator = new SimController(model, *this, this);
    QWidget* const pages[TabCount] = {inputTab, tableTab, graphTab, simulator->controlsTab,
                                      simulator->simulatorTab};
    for (int i = 0; i < TabCount; ++i) {
        pages[i]->setObjectName(QStringLiteral("tab_") + QString::fromLatin1(tabs[i].name));
        sstUI->addTab(pages[i], QString::fromLatin1(tabs[i].caption));
    }
    comparisonList = new ComparisonList(inputTab->cboCompare, model, this);
}

void ui::connectParts() {
    connect(sstUI, &QTabWidget::currentChanged, this, [this] { showTableOrGraph(); });
    connect(inputTab, &InputTab::fieldNeedsAttention, this,
            [this] { sstUI->setCurrentIndex(InputPage); });
    connect(this, &ui::tabShown, tableTab,
            [this](int tab) { tableTab->tabShown(tab, TablePage, shown); });
    connect(this, &ui::tabShown, graphTab,
            [this](int tab) { graphTab->tabShown(tab, GraphPage, shown); });
    connect(tableTab, &TableTab::coefficientHanded, this, [this](float bc) { handedBc = bc; });
    connect(graphTab, &GraphTab::coefficientHanded, this, [this](float bc) { handedBc = bc; });
    connect(this, &ui::tabShown, simulator, [this](int tab) {
        if (tab == SimulatorPage) simulator->refresh();
    });
    connect(this, &ui::loadRead, simulator, [this] {
        if (simulator->isStarted()) simulator->reinit();
    });
    connect(this, &ui::closing, simulator, [this] { simulator->finish(); });
    connect(comparisonList, &ComparisonList::changed, this, [this] {
        action(QStringLiteral("mnuUseCompare"))->setChecked(model.form.comparison.on);
        showTableOrGraph();
    });
    loadDoc.addToMru = [this](const QString& path) { mru.AddMRUItem(path); };
    loadDoc.formReplaced = [this] { inputTab->showForm(); };
    loadDoc.loaded = [this] { afterLoadRead(); };
    mru.changed = [this] { menus->showRecentFiles(mru); };
}

QAction* ui::action(const QString& name) const {
    return menus->action(name);
}

void ui::stepTab(int step) {
    const int count = sstUI->count();
    sstUI->setCurrentIndex(((sstUI->currentIndex() + step) % count + count) % count);
}

QString ui::tabName(int index) {
    if (index < 0 || index >= TabCount) return {};
    return QString::fromLatin1(tabs[static_cast<size_t>(index)].name);
}

// ---- start-up ---------------------------------------------------------------------------------

QString ui::commandLineFile() {
    // The whole command line names the file; a desktop may have quoted it.
    QString named = commandLine.trimmed();
    if (named.size() >= 2 && named.startsWith('"') && named.endsWith('"'))
        named = named.mid(1, named.size() - 2);
    if (named.isEmpty()) return {};
    // The start goes on with the last load, but not without a word.
    const QString why = MSmallBallStruct::whyNotAFile(named);
    if (!why.isEmpty()) {
        std::fprintf(stderr, "quorvel: cannot open '%s': %s; opening the last load\n",
                     qPrintable(named), qPrintable(why));
        return {};
    }
    MSmallBallStruct::FileExists(named); // the application folder's copy, if that
    return named;
}

void ui::formLoad() {
    runGuarded("Form_Load", [this] {
        sstUI->setCurrentIndex(InputPage);
        inputTab->applyToolTips();
        Problems::report(lastFile.load());
        loadDoc.filename = lastFile.dataFileName;
        simulator->sim.sessionFile = lastFile.simFileName;
        simulator->sim.session.targetRed = lastFile.targetRed;
        simulator->sim.session.targetBlue = lastFile.targetBlue;
        // A session opened from the desktop goes to the simulator, a load to the tables.
        const QString named = commandLineFile();
        const bool namedSession = named.endsWith(QLatin1String(".ssn"), Qt::CaseInsensitive);
        if (namedSession)
            simulator->sim.sessionFile = named;
        else if (!named.isEmpty())
            loadDoc.filename = named;
        fileChooser().folder = MSmallBallStruct::dialogFolder(loadDoc.filename);
        mru.MRUCount = -1;
        Problems::report(mru.GetMRUFileList());
        menus->showRecentFiles(mru);
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
        static_cast<QScrollArea*>(centralWidget())
            ->widget()
            ->setMinimumSize(resizer.readableSize());
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
        simulator->start();
    });
}

void ui::fillCompareList() {
    // The loads beside the current one, and those in the user's folders.
    comparisonList->fill(loadDoc.filename);
}

void ui::layoutTabs() {
    const QSize area = CResize::innerSize(this);
    const int w = area.width();
    const int h = area.height();
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
        shown = model.snapshot();
        Problems::report(shown.fieldProblems);
        graphTab->state.loadFile = loadDoc.filename;
        const int tab = sstUI->currentIndex();
        placeCompareBox(tab);
        emit tabShown(tab);
        // Before the first trajectory no coefficient has been handed to the solver: the caption
        // stays plain rather than showing a corrected coefficient of 0.
        if (handedBc != 0.0f) inputTab->setBcCaption(TableRefresh::bcCaption(shown, handedBc));
    } catch (const std::exception& e) {
        Problems::report(Problem::failure(QStringLiteral("ui"), QStringLiteral("showTableOrGraph"),
                                          ErrorNumbers::Internal,
                                          QString::fromLocal8Bit(e.what())));
    }
}

void ui::placeCompareBox(int tab) {
    // One comparison list serves the Input and the Graph tab; it shows on those two only.
    QComboBox* box = inputTab->cboCompare;
    if (tab == GraphPage)
        graphTab->borrowCompareBox(box);
    else if (tab == InputPage)
        inputTab->takeBackCompareBox();
    box->setVisible(tab == InputPage || tab == GraphPage);
}

void ui::afterLoadRead() {
    loadCaption = LoadDocument::caption(model.form.fields[InputFields::Cartridge]);
    showCaption();
    fillCompareList();
    comparisonList->showAfterLoad(tellMissingComparison);
    emit loadRead();
    showTableOrGraph();
}

// ---- caption ----------------------------------------------------------------------------------

void ui::showCaption() {
    // Before a load file is read the caption is the program's name.
    const QString load = loadCaption.isEmpty() ? QStringLiteral("Quorvel Tables") : loadCaption;
    // "[*]" is where the desktop shows that a document has unsaved changes.
    setWindowTitle(
        (sessionName.isEmpty() ? load : load + QStringLiteral("      Session: ") + sessionName) +
        QStringLiteral("[*]"));
    showModified();
}

void ui::showModified() {
    if (unloading || finished || !simulator) return;
    setWindowModified(loadDoc.isModified() || simulator->document.isModified());
}

// ---- documents --------------------------------------------------------------------------------

Document& ui::currentDocument() {
    if (isSimTab()) return simulator->document;
    return loadDoc;
}

// ---- closing ----------------------------------------------------------------------------------

bool ui::queryUnload() {
    if (!simulator->document.queryUnsaved()) return false;
    if (!loadDoc.queryUnsaved()) return false;
    runGuarded("Form_Unload", [this] {
        if (!finished) emit closing();
        finished = true;
        Problems::report(mru.SaveMRUFileList());
        lastFile.dataFileName = loadDoc.filename;
        lastFile.simFileName = simulator->sim.sessionFile;
        lastFile.targetRed = simulator->sim.session.targetRed;
        lastFile.targetBlue = simulator->sim.session.targetBlue;
        Problems::report(lastFile.save());
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
        if (widget && widget->window() == this)
            keyPress = static_cast<int16_t>(static_cast<QKeyEvent*>(event)->key() & 0x7FFF);
    } else if (event->type() == QEvent::KeyRelease || event->type() == QEvent::MouseButtonRelease ||
               event->type() == QEvent::Wheel) {
        // Whatever the shooter did may have changed a document: look once the event is handled.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) modifiedCheck.start();
    } else if (event->type() == QEvent::Resize && watched == centralWidget()) {
        layoutTabs();
    }
    return QMainWindow::eventFilter(watched, event);
}

void ui::runGuarded(const char* operation, const std::function<void()>& body) {
    try {
        body();
        showModified();
    } catch (const std::exception& e) {
        Problems::report(Problem::failure(QStringLiteral("ui"), QString::fromLatin1(operation),
                                          ErrorNumbers::Internal,
                                          QString::fromLocal8Bit(e.what())));
    }
}

// ---- what the simulator asks of the window ----------------------------------------------------

QString ui::loadFileName() const {
    return loadDoc.filename;
}

void ui::openLoad(const QString& path) {
    // A load that could not be read leaves the load on screen, and its file, current.
    const QString current = loadDoc.filename;
    loadDoc.filename = path;
    if (!loadDoc.dataLoad()) loadDoc.filename = current;
}

void ui::setSessionCaption(const QString& name) {
    sessionName = name;
    showCaption();
}

void ui::addRecentFile(const QString& path) {
    mru.AddMRUItem(path);
}

bool ui::isShowing(const QWidget* page) const {
    return sstUI && sstUI->currentWidget() == page;
}
