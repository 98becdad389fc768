#include "sim/widgets/SimController.h"

#include "controls/LeaveCheck.h"
#include "load/LoadModel.h"
#include "services/AppFolders.h"
#include "services/Problem.h"
#include "sim/widgets/HudView.h"
#include "sim/widgets/SimControlsTab.h"
#include "sim/widgets/SimUnitBoxes.h"
#include "sim/widgets/SimulatorTab.h"
#include "sim/widgets/UserControl1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <algorithm>

namespace {

using Slider = SimControls::Slider;
using Box = SimControls::Box;

// Room the controls beside the view keep when the window is narrow.
constexpr int PanelWidth = 380;

void setText(QLineEdit* edit, const QString& text) {
    if (edit->text() == text) return; // keeps the cursor where the user is typing
    const QSignalBlocker block(edit);
    edit->setText(text);
}

void showCaption(QLabel* label, const QString& text) {
    if (!text.isEmpty() && label->text() != text) label->setText(text);
}

void setSlider(QSlider* slider, const SliderRange& range, int value) {
    const QSignalBlocker block(slider);
    slider->setRange(range.minimum, range.maximum);
    // While the user drags it, the slider keeps the place under the pointer.
    if (!slider->isSliderDown()) slider->setValue(value);
}

void setChecked(QAbstractButton* button, bool on) {
    const QSignalBlocker block(button);
    button->setChecked(on);
}

void setList(QComboBox* box, const QStringList& items, const QString& text) {
    const QSignalBlocker block(box);
    QStringList present;
    for (int i = 0; i < box->count(); ++i)
        present << box->itemText(i);
    if (present != items) {
        box->clear();
        box->addItems(items);
    }
    if (box->currentText() != text) box->setEditText(text);
}

// Notes are kept with CR LF line breaks, as session files hold them.
QString notesForFile(const QString& shown) {
    QString t = shown;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace('\n', QStringLiteral("\r\n"));
    return t;
}

QString notesForScreen(const QString& stored) {
    QString t = stored;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

} // namespace

SimController::SimController(LoadModel& model, SimWindow& window, QObject* parent)
    : QObject(parent), controlsTab(new SimControlsTab), simulatorTab(new SimulatorTab),
      model(model), window(window) {
    setObjectName(QStringLiteral("simulator"));
    sim.loadModel = &model;
    sim.setHost(this);

    document.restart = [this] { restart(); };
    document.newSession = [this] {
        controls.newSession();
        showSettings();
    };
    document.renamed = [this] { sessionCaption(); };
    // A session that brings another load replaces that load too: its edits are asked about.
    document.mayReplaceLoad = [this](const QString& session) {
        return sim.loadNamedBy(session).isEmpty() || this->window.queryUnsavedLoad();
    };
    // Sessions join the same recent-file list as the load data files.
    document.addToMru = [this](const QString& path) { this->window.addRecentFile(path); };

    for (const auto& [name, tip] : CSim::tooltips()) {
        if (auto* edit = controlsTab->findChild<QLineEdit*>(name)) edit->setToolTip(tip);
        if (auto* edit = simulatorTab->findChild<QLineEdit*>(name)) edit->setToolTip(tip);
    }
    controlsTab->txtFov->setToolTip(SimControls::tooltip(Box::Fov));
    controlsTab->txtSimMaxRange->setToolTip(SimControls::tooltip(Box::SimMaxRange));

    connectSimulatorTab();
    connectControlsTab();
    simulatorTab->installEventFilter(this);
    // The pages belong to the window's tab control, which goes before this object does.
    for (QWidget* page : {static_cast<QWidget*>(controlsTab), static_cast<QWidget*>(simulatorTab)})
        connect(page, &QObject::destroyed, this, [this] { pagesGone = true; });
    showSettings();
}

// The window is being destroyed when this runs (its pages are gone already): only the
// simulator's own state is left to let go.
SimController::~SimController() {
    sim.setHost(nullptr);
}

// --- Wiring --------------------------------------------------------------------------------------

void SimController::handle(const std::function<void()>& handler) {
    if (pagesGone) return;
    handler();
    reportProblems();
    showSettings();
}

void SimController::reportProblems() {
    Problems::report(sim.takeProblems());
}

void SimController::connectCheckedBox(QLineEdit* edit, Box box) {
    connect(edit, &QLineEdit::textEdited, this, [this, box](const QString& t) {
        handle([&] { controls.setText(box, controls.storedText(box, t)); });
    });
    // Leaving the box checks it; a refused value keeps the focus there.
    LeaveCheck::attach(edit, [this, box] {
        bool refused = false;
        handle([&] { refused = !controls.validate(box); });
        return refused;
    });
    connect(edit, &QLineEdit::returnPressed, this,
            [this, box] { handle([&] { controls.validate(box); }); });
}

void SimController::connectSimulatorTab() {
    SimulatorTab* t = simulatorTab;
    struct SliderWiring {
        QSlider* slider;
        Slider which;
    };
    const SliderWiring sliders[] = {{t->sldRange, Slider::Range},
                                    {t->sldWind, Slider::Wind},
                                    {t->sldZoom, Slider::Zoom},
                                    {t->sldSpeed, Slider::Speed}};
    for (const SliderWiring& s : sliders) {
        // The value changes when the slider is let go (or stepped with keys or clicks); while
        // it is dragged, the box follows only at the two ends.
        s.slider->setTracking(false);
        const Slider which = s.which;
        connect(s.slider, &QSlider::valueChanged, this,
                [this, which](int v) { handle([&] { controls.setSlider(which, v, true); }); });
        connect(s.slider, &QSlider::sliderMoved, this,
                [this, which](int v) { handle([&] { controls.sliderScroll(which, v); }); });
    }
    connect(t->sldAngle, &QSlider::valueChanged, this,
            [this](int v) { handle([&] { controls.sldAngleMove(v); }); });

    connectCheckedBox(t->txtRange, Box::Range);
    connectCheckedBox(t->txtWind, Box::Wind);
    connectCheckedBox(t->txtZoom, Box::Zoom);
    connect(t->txtAngle, &QLineEdit::textEdited, this,
            [this](const QString& s) { handle([&] { controls.txtAngleTyped(s); }); });
    // What stands in the box when it is left (or on Enter) takes the box's rule.
    const auto commitAngle = [this] {
        handle([&] { controls.txtAngleChange(sim.settings.txtAngle); });
        return false;
    };
    LeaveCheck::attach(t->txtAngle, commitAngle);
    connect(t->txtAngle, &QLineEdit::returnPressed, this, commitAngle);
    connect(t->txtSpeed, &QLineEdit::textEdited, this,
            [this](const QString& s) { handle([&] { controls.txtSpeedTyped(s); }); });
    connect(t->txtSpeed, &QLineEdit::editingFinished, this,
            [this] { handle([&] { controls.txtSpeedLeft(); }); });

    connect(t->picHUD, &HudView::pressed, this, &SimController::press);
    connect(t->picHUD, &HudView::moved, this, &SimController::move);
    connect(t->CmdFire, &QPushButton::clicked, this, [this] {
        handle([&] {
            firing.CmdFire_Click(window.lastKey());
            reportProblems(); // the drawing's, which came first
            Problems::report(firing.problem);
        });
    });
    connect(t->cmdResetScore, &QPushButton::clicked, this,
            [this] { handle([&] { controls.cmdResetScore_Click(); }); });
    connect(t->cmdResetTotal, &QPushButton::clicked, this,
            [this] { handle([&] { controls.cmdResetTotal_Click(); }); });
    connect(t->cmdCenterTarget, &QPushButton::clicked, this,
            [this] { handle([&] { controls.cmdCenterTarget_Click(); }); });
    for (int i = 0; i < 2; ++i) {
        connect(t->cmdNext[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] {
            handle([&] {
                // Like Open: unsaved edits of the session, and of a load the next session
                // replaces, are asked about first.
                const QString next = sim.steppedSessionFile(i);
                if (!next.isEmpty()) document.openRecent(next);
            });
        });
    }

    struct CheckWiring {
        QCheckBox* box;
        SimControls::Check which;
    };
    const CheckWiring checks[] = {{t->chkShowHits, SimControls::Check::ShowHits},
                                  {t->chkGroupCircle, SimControls::Check::GroupCircle},
                                  {t->chkPOA, SimControls::Check::POA},
                                  {controlsTab->chkTransparent, SimControls::Check::Transparent},
                                  {controlsTab->chkUserGraphic, SimControls::Check::UserGraphic}};
    for (const CheckWiring& c : checks) {
        const auto which = c.which;
        connect(c.box, &QCheckBox::clicked, this, [this, which](bool on) {
            handle([&] { controls.checkClick(which, on ? 1 : 0); });
        });
    }
}

void SimController::connectControlsTab() {
    SimControlsTab* t = controlsTab;
    connectCheckedBox(t->txtGroupSize, Box::GroupSize);
    connectCheckedBox(t->txtWidth, Box::Width);
    connectCheckedBox(t->txtHeight, Box::Height);
    connectCheckedBox(t->txtSimMaxRange, Box::SimMaxRange);
    // The field of view is checked at every change as well as on leaving.
    connect(t->txtFov, &QLineEdit::textEdited, this, [this](const QString& s) {
        handle([&] { controls.txtFovChange(controls.storedText(Box::Fov, s)); });
    });
    LeaveCheck::attach(t->txtFov, [this] {
        bool refused = false;
        handle([&] { refused = !controls.validate(Box::Fov); });
        return refused;
    });

    struct ScoreWiring {
        QLineEdit* edit;
        SimControls::ScoreBox which;
    };
    const ScoreWiring scores[] = {{t->txtRedScore, SimControls::ScoreBox::Red},
                                  {t->txtBlueScore, SimControls::ScoreBox::Blue},
                                  {t->txtMissScore, SimControls::ScoreBox::Miss},
                                  {t->txtNumberOfRounds, SimControls::ScoreBox::Rounds}};
    for (const ScoreWiring& s : scores) {
        const auto which = s.which;
        connect(s.edit, &QLineEdit::textEdited, this, [this, which](const QString& text) {
            handle([&] { controls.scoreBoxChange(which, text); });
        });
        const auto commit = [this, which] {
            handle([&] { controls.scoreBoxCommit(which); });
            return false;
        };
        LeaveCheck::attach(s.edit, commit);
        connect(s.edit, &QLineEdit::returnPressed, this, commit);
    }
    connect(t->txtSimNotes, &QPlainTextEdit::textChanged, this, [this] {
        handle([&] {
            controls.txtSimNotesChange(notesForFile(controlsTab->txtSimNotes->toPlainText()));
        });
    });

    struct ListWiring {
        QComboBox* box;
        SimControls::List which;
    };
    const ListWiring lists[] = {{t->cboBackground, SimControls::List::Background},
                                {t->cboTarget, SimControls::List::Target},
                                {t->cboReticle, SimControls::List::Reticle}};
    for (const ListWiring& l : lists) {
        // A picture is loaded when one is chosen from the list, or when the focus leaves a
        // typed name; not at every key, which would empty the text of a half-typed name.
        const auto which = l.which;
        QComboBox* box = l.box;
        connect(box, &QComboBox::textActivated, this, [this, which](const QString& text) {
            handle([&] { controls.listChange(which, text); });
        });
        connect(box->lineEdit(), &QLineEdit::editingFinished, this, [this, which, box] {
            handle([&] { controls.listChange(which, box->currentText()); });
        });
    }

    for (int i = 0; i < 3; ++i)
        connect(t->optFlyer[static_cast<size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { handle([&] { controls.optFlyerClick(i); }); });
    for (int i = 0; i < 5; ++i)
        connect(t->optSights[static_cast<size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { handle([&] { controls.optSightsClick(i); }); });
    for (int i = 0; i < 2; ++i)
        connect(t->optSimMetric[static_cast<size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { handle([&] { controls.optSimMetricClick(i == 1); }); });
}

void SimController::press(int16_t button, int16_t shift, QPointF pixels) {
    handle([&] {
        const float k = sim.scene.geo.twipsPerPixel();
        firing.picHUD_MouseDown(button, shift, static_cast<float>(pixels.x()) * k,
                                static_cast<float>(pixels.y()) * k, window.lastKey());
        reportProblems(); // the drawing's, which came first
        Problems::report(firing.problem);
    });
}

void SimController::move(int16_t button, int16_t shift, QPointF pixels) {
    handle([&] {
        const float k = sim.scene.geo.twipsPerPixel();
        firing.picHUD_MouseMove(button, shift, static_cast<float>(pixels.x()) * k,
                                static_cast<float>(pixels.y()) * k);
    });
}

// --- Lifecycle ----------------------------------------------------------------------------------

void SimController::runInit(bool reLoad) {
    const QString load = sim.init(reLoad);
    // A damaged session left no session file: what shows counts as unchanged until edited.
    if (reLoad && sim.sessionFile.isEmpty()) document.markClean();
    // A session's field of view that the box refuses is shown as the box shows it.
    if (reLoad && sim.fovRefused()) controls.txtFovValidate();
    reportProblems();
    openSessionLoad(load);
}

void SimController::openSessionLoad(const QString& path) {
    // The window reads the load once the whole session is in place; a started simulator then
    // follows the new load as after any load read (reinit).
    if (!path.isEmpty()) window.openLoad(path);
}

void SimController::start() {
    // The zone colours of the last run (the window restores them before start-up) outlast the
    // colours a session's built-in target sets while it is read. A record that holds none (0
    // and 0 from an older run, or nothing picked) leaves the zones unpicked.
    SimSession& session = sim.session;
    const int32_t red = session.targetRed;
    const int32_t blue = session.targetBlue;
    const bool recorded = !(red == blue && (red == 0 || red == CSim::NoColour));
    session.targetRed = session.targetBlue = CSim::NoColour;
    sim.setUp();
    formResize();
    sim.settings.propertiesPreLoad();
    // A preset that fixes the range unit sets the simulator's own until a session says otherwise.
    if (sim.units.range != Units::RangeChoice::LoadOwn)
        sim.settings.optSimMetric1 = sim.units.range == Units::RangeChoice::Metres;
    controls.simStarted = true;
    const QString load = sim.init(true);
    if (sim.fovRefused()) controls.txtFovValidate();
    reportProblems();
    // Without a session to read, the sliders' boxes and the dial follow the sliders, and the
    // view takes its scale from the field of view.
    sim.settings.propertiesPostLoad();
    controls.txtAngleChange(sim.settings.txtAngle);
    if (sim.scene.milsPerScreen <= 0) sim.applyFov();
    if (recorded) {
        session.targetRed = red;
        session.targetBlue = blue;
    }
    // The scores from zero (a session read has done so already; a damaged one or none has not).
    sim.scoreResetTotal();
    reportProblems();
    openSessionLoad(load);
    document.markClean();
    sim.drawAll();
    reportProblems();
    showSettings();
}

void SimController::restart() {
    runInit(true);
    sim.drawAll();
    reportProblems();
    showSettings();
}

void SimController::reinit() {
    controls.reinit();
    reportProblems();
    showSettings();
}

void SimController::refresh() {
    Problems::report(sim.formHudInit());
    sim.drawAll();
    reportProblems();
    showSettings();
}

void SimController::setUnits(const Units::ShownUnits& units) {
    sim.units = units;
    if (isStarted()) showSettings();
}

void SimController::finish() {
    sim.final();
}

void SimController::formResize() {
    // The view is square, 0.89 of the window's smaller side, but never larger than its page.
    const QSize outer = simulatorTab->window()->frameGeometry().size();
    int side = static_cast<int>(0.89 * std::max(0, std::min(outer.width(), outer.height())));
    const QSize room = simulatorTab->viewRoom();
    if (room.height() > 100) side = std::min(side, room.height());
    if (room.width() > PanelWidth + 100) side = std::min(side, room.width() - PanelWidth);
    side = std::max(side, 10);
    simulatorTab->picHUD->setSide(side);
    if (sim.scene.viewPixels == QSize(side, side) && !sim.scene.picture.isNull()) return;
    sim.scene.dpi = static_cast<float>(simulatorTab->picHUD->logicalDpiX());
    sim.setViewSize(QSize(side, side));
    if (sim.isSetUp()) sim.Form_Resize();
    reportProblems();
}

bool SimController::eventFilter(QObject* watched, QEvent* event) {
    if (!pagesGone && watched == simulatorTab && event->type() == QEvent::Resize) formResize();
    return QObject::eventFilter(watched, event);
}

// --- SimHost ------------------------------------------------------------------------------------

QString SimController::loadFileName() const {
    return window.loadFileName();
}

void SimController::setCaption(const QString&) {
    sessionCaption();
}

void SimController::sessionCaption() {
    window.setSessionCaption(MSmallBallStruct::shortFilename(sim.sessionFile));
}

void SimController::settingsChanged() {
    showSettings();
}

bool SimController::isSceneShowing() const {
    return !pagesGone && window.isShowing(simulatorTab);
}

void SimController::showScene(const QImage& scene) {
    if (!pagesGone) simulatorTab->picHUD->setScene(scene);
}

// --- Showing the settings -----------------------------------------------------------------------

void SimController::showSettings() {
    if (pagesGone) return;
    const SimSettings& s = sim.settings;
    const SimCaptions captions = sim.captions();
    SimulatorTab* v = simulatorTab;
    SimControlsTab* c = controlsTab;

    setSlider(v->sldRange, s.rangeRange, s.sldRange);
    setSlider(v->sldWind, s.rangeWind, s.sldWind);
    setSlider(v->sldZoom, s.rangeZoom, s.sldZoom);
    setSlider(v->sldSpeed, s.rangeSpeed, s.sldSpeed);
    setSlider(v->sldAngle, s.rangeAngle, s.sldAngle);
    setText(v->txtRange, s.txtRange);
    setText(v->txtZoom, s.txtZoom);
    setText(v->txtAngle, s.txtAngle);
    if (v->ucAngle->value() != s.ucAngle) v->ucAngle->setValue(s.ucAngle);

    showCaption(v->lblRange, captions.lblRange);
    showCaption(c->lblMaxrange, captions.lblMaxrange);
    showCaption(v->lblFovZoom, captions.lblFovZoom);
    showCaption(v->lblHits, captions.lblHits);
    showCaption(v->lblBlueHits, captions.lblBlueHits);
    showCaption(v->lblMisses, captions.lblMisses);
    showCaption(v->lblSessionScore, captions.lblSessionScore);
    showCaption(v->lblTotalScore, captions.lblTotalScore);
    showCaption(v->lblExpectedHits, captions.lblExpectedHits);
    showCaption(v->lblRoundsLeft, s.lblRoundsLeft);
    v->picHUD->setToolTip(captions.picHUDToolTip);

    SimUnitBoxes::show(controls, *v, *c);
    setText(c->txtSimMaxRange, s.txtSimMaxRange);
    setText(c->txtRedScore, s.txtRedScore);
    setText(c->txtBlueScore, s.txtBlueScore);
    setText(c->txtMissScore, s.txtMissScore);
    setText(c->txtNumberOfRounds, s.txtNumberOfRounds);
    const QString notes = notesForScreen(s.txtSimNotes);
    if (c->txtSimNotes->toPlainText() != notes) {
        const QSignalBlocker block(c->txtSimNotes);
        c->txtSimNotes->setPlainText(notes);
    }

    setList(c->cboBackground, sim.lists.background, s.cboBackground);
    setList(c->cboTarget, sim.lists.target, s.cboTarget);
    setList(c->cboReticle, sim.lists.reticle, s.cboReticle);

    setChecked(c->chkTransparent, s.chkTransparent != 0);
    setChecked(c->chkUserGraphic, s.chkUserGraphic != 0);
    setChecked(v->chkGroupCircle, s.chkGroupCircle != 0);
    setChecked(v->chkPOA, s.chkPOA != 0);
    setChecked(v->chkShowHits, s.chkShowHits != 0);
    setChecked(c->optFlyer[static_cast<size_t>(std::clamp(s.flyerIndex, 0, 2))], true);
    setChecked(c->optSights[static_cast<size_t>(std::clamp<int>(sim.session.sight, 0, 4))], true);
    setChecked(c->optSimMetric[s.optSimMetric1 ? 1 : 0], true);
}
