#include "sim/CSim.h"

#include "load/LoadModel.h"
#include "services/AppFolders.h"
#include "services/FieldChecks.h"
#include "services/MNumber.h"
#include "sim/SimHost.h"
#include "sim/SimLengths.h"
#include "units/Units.h"

#include <algorithm>

namespace {

SimHost& defaultHost() {
    static SimHost host;
    return host;
}

// Text of a box as a number; 0 when it is not one.
double number(const QString& text) {
    return MNumber::parse(text).value_or(0.0);
}

// The field of view box has no tooltip of its own in the simulator; a refused value says what
// is accepted.
constexpr const char* FovMessage = "Field of view must be between 1 and 200 ft at 100 yd.";

} // namespace

CSim::CSim() : hostPtr(&defaultHost()) {}
CSim::~CSim() = default;

void CSim::setHost(SimHost* h) {
    hostPtr = h ? h : &defaultHost();
}

const std::vector<std::pair<QString, QString>>& CSim::tooltips() {
    static const std::vector<std::pair<QString, QString>> list{
        {"txtGroupSize", "Group size must be between 0.001 and 30.0 in."},
        {"txtHeight", "Target height must be between 0.001 and 300.0 in."},
        {"txtWidth", "Target width must be between 0.001 and 300.0 in."},
        {"txtZoom", "Scale must be between 0.1 and 10.0x."},
        {"txtRange", "Range must be between 1 yd and the load's maximum range."},
        {"txtWind", "Crosswind speed must be between -25 and 25 mph."},
    };
    return list;
}

QString CSim::fovMessage() {
    return QString::fromLatin1(FovMessage);
}

QString CSim::cartridge() const {
    return loadModel ? loadModel->form.fields[0] : QString();
}

SimCaptions CSim::captions() const {
    return SimCaptions::of(settings, session, scene.fovFeet, cartridge(), sessionFile, units);
}

// --- Session -----------------------------------------------------------------------------------

QString CSim::init(bool reLoad) {
    drawing = false;
    if (!ready) return {};
    if (!initialised) {
        initialised = true;
        if (!scene.viewPixels.isEmpty())
            scene.picture = scene.pictures.sceneBackground(QString(), scene.viewPixels);
        const QString pattern = QStringLiteral("*.jpg;*.jpeg;*.gif;*.bmp");
        lists = SimPictureLists();
        MSmallBallStruct::fillComboBox(lists.background, pattern,
                                       MSmallBallStruct::appPath("back"));
        MSmallBallStruct::fillComboBox(lists.target, pattern, MSmallBallStruct::appPath("targetw"));
        MSmallBallStruct::fillComboBox(lists.reticle, pattern, MSmallBallStruct::appPath("sightw"));
    }
    QString load;
    if (reLoad) {
        const SessionFile::Read read = readSession(sessionFile);
        // A missing file changes nothing; one that cannot be read is reported.
        if (read.report.opened) {
            load = applySession(read);
        } else {
            Problems::report(takeProblems());
            reportProblem(read.report.problem);
        }
    }
    Problems::report(takeProblems());
    Problems::report(formHudInit());
    drawing = true;
    host().settingsChanged();
    return load;
}

SessionFile::Read CSim::readSession(const QString& path) const {
    // The sliders take a session's values within the ranges they have for reading.
    SessionFile::Values start = fileValues();
    start.settings.propertiesPreLoad();
    return SessionFile::read(path, start);
}

QString CSim::applySession(const SessionFile::Read& read) {
    const SessionFile::ReadReport& report = read.report;
    const SessionFile::Values& v = read.values;
    // The file is the session now (Save writes there), unless it was damaged: what shows then is
    // part of it and part of the session before, which must not be saved over the file.
    sessionFile = report.damaged() ? QString() : report.path;
    drawing = false;
    settings = v.settings;
    session.takeFileValues(v);
    // What the controls made of each record the file gave: the sliders' boxes follow their
    // sliders, the options their switches, and the lists load their pictures.
    const auto reached = [&](int record) { return report.reached(record); };
    if (reached(3)) settings.txtZoom = QString::number(settings.sldZoom);
    if (reached(4)) settings.txtWind = QString::number(settings.sldWind);
    if (reached(8)) settings.txtRange = QString::number(settings.sldRange);
    if (reached(17)) session.flyerProbability = settings.flyerProbability();
    if (reached(18))
        settings.lblRoundsLeft = QStringLiteral("Shots Left = ") + settings.txtNumberOfRounds;
    if (reached(19)) settings.txtSpeed = QString::number(settings.sldSpeed);
    if (reached(21)) session.showGroupCircle = settings.chkGroupCircle != 0;
    if (reached(22)) session.showPOA = settings.chkPOA != 0;
    if (reached(2)) validateTarget();
    if (reached(7)) validateReticle();
    // A field of view out of range leaves the view's scale as it was; the window says so.
    if (reached(10)) applyFov();
    if (reached(18) && validateBackground()) scene.drawBackground(settings);
    if (report.damaged()) {
        // The records before the damaged one keep their new values; the rest stay.
        Problems::report(takeProblems());
        reportProblem(report.problem);
        notifyCaption();
        return {};
    }

    QString load;
    QString path = v.loadFile;
    unfoundLoadFile.clear();
    if (MSmallBallStruct::FileExists(path)) {
        if (path != host().loadFileName()) load = path;
    } else if (!v.loadFile.isEmpty()) {
        // The load stays what it was; the session keeps naming its own (see loadFileToSave).
        Problems::report(takeProblems());
        MSmallBallStruct::reportNotFound(v.loadFile);
        unfoundLoadFile = v.loadFile;
        loadWhenNotFound = host().loadFileName();
    }
    if (!MNumber::isNumeric(settings.txtNumberOfRounds)) settings.txtNumberOfRounds = "10";
    if (!MNumber::isNumeric(settings.txtRedScore)) settings.txtRedScore = "1";
    if (!MNumber::isNumeric(settings.txtBlueScore)) settings.txtBlueScore = "-1";
    if (!MNumber::isNumeric(settings.txtMissScore)) settings.txtMissScore = "0";
    if (!MNumber::isNumeric(settings.txtSimMaxRange)) settings.txtSimMaxRange = "1000";
    settings.propertiesPostLoad();
    // The angle box was written from its slider, which lies in 0..359: the dial follows.
    settings.ucAngle = settings.sldAngle;
    session.sight = static_cast<int16_t>(std::clamp<int>(session.sight, 0, 4));
    txtNumberOfShots_Change();
    scoreResetTotal();
    notifyCaption();
    return load;
}

void CSim::notifyCaption() {
    host().setCaption(captions().caption);
}

SessionFile::Values CSim::fileValues() const {
    return session.fileValues(settings, scene.milsPerScreen, loadFileToSave());
}

bool CSim::saveTo(const QString& path) {
    const std::optional<FileProblem> problem = SessionFile::write(path, fileValues());
    reportProblem(problem);
    return !problem;
}

QString CSim::loadFileToSave() const {
    // A session whose load could not be found keeps naming it while the window still shows the
    // load it showed then: reading and saving such a session unchanged changes nothing.
    const QString current = host().loadFileName();
    return !unfoundLoadFile.isEmpty() && current == loadWhenNotFound ? unfoundLoadFile : current;
}

void CSim::final() {
    hud.final();
}

QString CSim::steppedSessionFile(int index) const {
    const auto next = SessionFile::steppedName(sessionFile, index == 1);
    if (!next) return {};
    QString path = *next;
    return MSmallBallStruct::FileExists(path) ? path : QString();
}

QString CSim::loadNamedBy(const QString& path) const {
    const SessionFile::Read read = readSession(path);
    if (!read.report.opened || read.report.damaged()) return {};
    QString load = read.values.loadFile;
    if (!MSmallBallStruct::FileExists(load) || load == host().loadFileName()) return {};
    return load;
}

bool CSim::cmdNext(int index, QString* loadToOpen) {
    const QString path = steppedSessionFile(index);
    if (path.isEmpty()) return false;
    sessionFile = path;
    const QString load = init(true);
    if (loadToOpen) *loadToOpen = load;
    drawAll();
    return true;
}

// --- Rounds and scores -------------------------------------------------------------------------

void CSim::txtNumberOfShots_Change() {
    session.startRounds(settings.txtNumberOfRounds);
}

void CSim::scoreResetSession() {
    session.resetSession();
    settings.lblRoundsLeft = QStringLiteral("Rounds Left: ") + settings.txtNumberOfRounds;
    drawAll();
}

void CSim::scoreResetTotal() {
    scoreResetSession();
    session.totalScore = 0;
}

int32_t CSim::roundsLeft() const {
    return session.roundsLeft(settings.txtNumberOfRounds);
}

float CSim::targetCenterX() const {
    return static_cast<float>(settings.sldZoom) * session.viewOffsetX + scene.geo.centreX;
}

float CSim::targetCenterY() const {
    return static_cast<float>(settings.sldZoom) * session.viewOffsetY + scene.geo.centreY;
}

float CSim::shotX(int i) const {
    return scene.shotCoordinate(session, i, true, settings);
}
float CSim::shotY(int i) const {
    return scene.shotCoordinate(session, i, false, settings);
}

void CSim::shotRecord(float x, float y) {
    const auto zoom = static_cast<float>(std::max(settings.sldZoom, 1));
    session.recordShot(QPointF((x - targetCenterX()) / zoom, (y - targetCenterY()) / zoom),
                       static_cast<float>(number(settings.txtRange)));
}

// --- Controls ----------------------------------------------------------------------------------

QList<Problem> CSim::formHudInit() {
    if (!loadModel) return {};
    // A load that knows its rifle's precision and velocity spread scatters the shots by them.
    scene.hitInputs = loadModel->form.hit;
    return hud.init(static_cast<float>(settings.sldWind),
                    LoadSnapshot::of(loadModel->form, loadModel->values), settings.txtSimMaxRange,
                    !settings.optSimMetric1);
}

void CSim::cmdCenterTarget_Click() {
    session.viewOffsetX = session.viewOffsetY = 0;
    drawAll();
}

bool CSim::applyFov() {
    if (MSmallBallStruct::textValidate(1.0f, 200.0f, settings.txtFov, QString()).reject)
        return false;
    const double fov = number(settings.txtFov);
    scene.fovFeet = fov;
    scene.milsPerScreen = static_cast<float>(fov * Units::InchesPerFoot / Units::MilInchesAt100);
    drawTwips();
    drawAll();
    return true;
}

bool CSim::fovRefused() const {
    return MSmallBallStruct::textValidate(1.0f, 200.0f, settings.txtFov, QString()).reject;
}

bool CSim::checkFov() {
    const QString message = SimLengths::Fov::message(units, 1.0f, 200.0f, fovMessage());
    if (MSmallBallStruct::textValidateAndWarn(1.0f, 200.0f, settings.txtFov, message)) return false;
    return applyFov();
}

// --- View and drawing ----------------------------------------------------------------------------

void CSim::formHudResize(QSize windowOuter) {
    int s = std::min(windowOuter.width(), windowOuter.height());
    if (s < 0) s = 10;
    const int side = static_cast<int>(0.89 * s);
    setViewSize(QSize(side, side));
}

void CSim::setViewSize(QSize pixels) {
    scene.viewPixels = pixels;
    drawTwips();
}

void CSim::Form_Resize() {
    drawing = false;
    drawTwips();
    cboReticleValidate();
    cboBackgroundValidate();
    cboTargetValidate();
    drawing = true;
    drawAll();
}

void CSim::drawTwips() {
    scene.computeGeometry(settings, hud);
}

float CSim::inch2twipsX(float inches) const {
    return hud.inch2mil(inches, static_cast<float>(number(settings.txtRange))) *
           scene.geo.zoomTwipsPerMilX;
}

float CSim::inch2twipsY(float inches) const {
    return hud.inch2mil(inches, static_cast<float>(number(settings.txtRange))) *
           scene.geo.zoomTwipsPerMilY;
}

bool CSim::validateBackground() {
    return !hudTooSmall() &&
           scene.pictures.validateBackground(settings.cboBackground, scene.viewPixels);
}

bool CSim::validateTarget() {
    if (hudTooSmall() || !scene.pictures.validateTarget(settings.cboTarget, scene.viewPixels))
        return false;
    const SimPictures& p = scene.pictures;
    if (settings.cboTarget == QLatin1String(SimPictures::RedBlueTarget) &&
        p.targetName == settings.cboTarget && !p.targetW.isNull())
        scene.sampleZoneColours(session.targetRed, session.targetBlue);
    return true;
}

bool CSim::validateReticle() {
    return !hudTooSmall() && scene.pictures.validateReticle(settings.cboReticle, scene.viewPixels);
}

void CSim::cboBackgroundValidate() {
    if (!validateBackground()) return;
    scene.drawBackground(settings);
    host().settingsChanged();
}

void CSim::cboTargetValidate() {
    if (!validateTarget()) return;
    host().settingsChanged();
    drawAll();
}

void CSim::cboReticleValidate() {
    validateReticle();
}

void CSim::drawAll() {
    if (!drawing || !host().isSceneShowing() || hudTooSmall()) return;
    draw(settings);
    host().showScene(scene.picture);
}

const QImage& CSim::draw(const SimSettings& s) {
    return scene.compose(s, session, hud);
}
