#include "sim/CSim.h"

#include "load/LoadModel.h"
#include "services/MNumber.h"
#include "services/MSmallBallStruct.h"
#include "sim/SessionFile.h"
#include "sim/SimHost.h"
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

// The arrays are sized for a session's rounds; an absurd count reserves no more than this.
constexpr int32_t MostRoundsReserved = 10000;

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
        {"txtWidth", "Target width must be between 0.001 and 00.0 in."},
        {"txtZoom", "Scale must be between 0.1 and 10.0x."},
        {"txtRange", "Range must be between 1500 and 1 yd."},
        {"txtWind", "Crosswind speed must be between -25 and 25 mph."},
    };
    return list;
}

// --- Session -----------------------------------------------------------------------------------

void CSim::init(bool reLoad) {
    canDraw = false;
    if (fileNum != 4) return;
    if (!initialised) {
        initialised = true;
        if (!viewPixels.isEmpty()) picBuffer = pictures.sceneBackground(QString(), viewPixels);
        const QString pattern = QStringLiteral("*.jpg;*.jpeg;*.gif;*.bmp");
        backgroundList.clear();
        targetList.clear();
        reticleList.clear();
        MSmallBallStruct::fillComboBox(backgroundList, pattern, MSmallBallStruct::appPath("back"));
        MSmallBallStruct::fillComboBox(targetList, pattern, MSmallBallStruct::appPath("targetw"));
        MSmallBallStruct::fillComboBox(reticleList, pattern, MSmallBallStruct::appPath("sightw"));
    } else {
        dat.closeText(fileNum);
    }
    if (reLoad) dataLoad();
    picHUDToolTip = settings.txtSimNotes;
    lblRange = isSimMetric() ? QStringLiteral("Range (m)") : QStringLiteral("Range (yd)");
    lblMaxrange = QStringLiteral("Maximum ") + lblRange;
    formHudInit();
    canDraw = true;
    host().settingsChanged();
}

void CSim::dataLoad() {
    if (!dat.openTextInput(fileNum)) return;
    canDraw = false;
    host().propertiesPreLoad(settings);
    readRecords();
}

bool CSim::readRecords() {
    SessionFile::Values v{settings, sight, milsPerScreen, viewOffsetX, viewOffsetY, QString()};
    for (int n = 1; n <= SessionFile::RecordCount; ++n) {
        const QString text =
            SessionFile::isMultiline(n) ? dat.readMultilineText(fileNum) : dat.readText(fileNum);
        const bool tooLong = dat.fieldTooLong(fileNum); // reported by the file layer
        const auto failure = tooLong ? std::nullopt : SessionFile::apply(n, text, v);
        if (tooLong || failure) {
            // The records read so far keep their new values; the rest of the reading is skipped.
            // The file is the session now (Save writes there), and the caption says so.
            dat.closeText(fileNum);
            if (failure)
                MSmallBallStruct::HandleError("CSim", "dataLoad", failure->number,
                                              QStringLiteral("%1: record %2 of %3")
                                                  .arg(failure->description)
                                                  .arg(n)
                                                  .arg(dat.filename));
            showCaption();
            host().settingsChanged();
            return false;
        }
        settings = v.settings;
        sight = v.sight;
        milsPerScreen = v.milsPerScreen;
        viewOffsetX = v.viewOffsetX;
        viewOffsetY = v.viewOffsetY;
        if (n == 17) flyerProbability = settings.flyerProbability();
        if (n == 18)
            settings.lblRoundsLeft = QStringLiteral("Shots Left = ") + settings.txtNumberOfRounds;
        if (n == 21) showGroupCircle = settings.chkGroupCircle != 0;
        if (n == 22) showPOA = settings.chkPOA != 0;
        host().recordRead(n);
        // The window's handlers may have changed what they were given.
        v.settings = settings;
        v.sight = sight;
    }
    dat.closeText(fileNum);
    afterReading(v.loadFile);
    return true;
}

void CSim::afterReading(const QString& loadFile) {
    QString path = loadFile;
    unfoundLoadFile.clear();
    if (MSmallBallStruct::FileExists(path)) {
        if (path != host().loadFileName()) host().loadDataFile(path);
    } else if (!loadFile.isEmpty()) {
        // The load stays what it was; the session keeps naming its own (see loadFileToSave).
        MSmallBallStruct::reportNotFound(loadFile);
        unfoundLoadFile = loadFile;
        loadWhenNotFound = host().loadFileName();
    }
    if (!MNumber::isNumeric(settings.txtNumberOfRounds)) settings.txtNumberOfRounds = "10";
    if (!MNumber::isNumeric(settings.txtRedScore)) settings.txtRedScore = "1";
    if (!MNumber::isNumeric(settings.txtBlueScore)) settings.txtBlueScore = "-1";
    if (!MNumber::isNumeric(settings.txtMissScore)) settings.txtMissScore = "0";
    if (!MNumber::isNumeric(settings.txtSimMaxRange)) settings.txtSimMaxRange = "1000";
    host().propertiesPostLoad(settings);
    txtNumberOfShots_Change();
    host().optSightsClick(*this, sight);
    settings.txtZoom = QString::number(settings.sldZoom);
    scoreResetTotal();
    host().txtFovValidate(*this);
    canDraw = true;
    showCaption();
    host().settingsChanged();
}

void CSim::showCaption() {
    const QString cartridge = loadModel ? loadModel->form.fields[0] : QString();
    caption = SessionFile::windowCaption(cartridge, dat.filename);
    host().setCaption(caption);
}

bool CSim::dataSave() {
    if (!dat.openTextOutput(fileNum)) return false;
    SessionFile::Values v{settings,    sight,       milsPerScreen,
                          viewOffsetX, viewOffsetY, loadFileToSave()};
    const QStringList records = SessionFile::records(v);
    for (int n = 1; n <= records.size(); ++n) {
        const QString& text = records.at(n - 1);
        if (SessionFile::isMultiline(n))
            dat.writeMultilineText(text, fileNum);
        else
            dat.writeText(text, fileNum);
    }
    const bool ok = dat.writeOk(fileNum);
    dat.closeText(fileNum);
    return ok && dat.writeOk(fileNum);
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

bool CSim::cmdNext(int index) {
    const auto next = SessionFile::steppedName(dat.filename, index == 1);
    if (!next) return false;
    QString path = *next;
    if (!MSmallBallStruct::FileExists(path)) return false;
    dat.filename = path;
    init(true);
    drawAll();
    return true;
}

// --- Rounds and scores -------------------------------------------------------------------------

void CSim::txtNumberOfShots_Change() {
    const auto rounds = MNumber::toInt32(number(settings.txtNumberOfRounds)).value_or(0);
    const auto entries = static_cast<size_t>(std::clamp(rounds, 0, MostRoundsReserved) + 1);
    shotPositions.assign(entries, QPointF());
    shotRanges.assign(entries, 0.0f);
    roundsFired = 0;
}

void CSim::updateScoreLabels() {
    lblHits = QStringLiteral("Red Hits: ") + QString::number(redHits);
    lblBlueHits = QStringLiteral("Blue Hits: ") + QString::number(blueHits);
    lblMisses = QStringLiteral("Misses: ") + QString::number(misses);
    lblSessionScore = QStringLiteral("Session Score: ") + MNumber::shortText(sessionScore);
    lblTotalScore = QStringLiteral("Total Score: ") + MNumber::shortText(totalScore);
}

void CSim::scoreResetSession() {
    roundsFired = 0;
    settings.lblRoundsLeft = QStringLiteral("Rounds Left: ") + settings.txtNumberOfRounds;
    sessionScore = 0;
    redHits = misses = blueHits = 0;
    updateScoreLabels();
    drawAll();
}

void CSim::scoreResetTotal() {
    scoreResetSession();
    totalScore = 0;
    updateScoreLabels();
}

int32_t CSim::roundsLeft() const {
    const double left = number(settings.txtNumberOfRounds) - roundsFired;
    return MNumber::toInt32(left).value_or(0);
}

float CSim::targetCenterX() const {
    return static_cast<float>(settings.sldZoom) * viewOffsetX + geo.centreX;
}

float CSim::targetCenterY() const {
    return static_cast<float>(settings.sldZoom) * viewOffsetY + geo.centreY;
}

float CSim::shotCoordinate(int i, bool x, const SimSettings& s) const {
    if (i < 0 || static_cast<size_t>(i) >= shotPositions.size()) return 0;
    const auto zoom = static_cast<float>(s.sldZoom);
    const auto range = static_cast<float>(number(s.txtRange));
    // Shots keep their place on the target when the range changes; with no range, as fired.
    const float scale = range != 0.0f ? shotRanges[static_cast<size_t>(i)] / range : 1.0f;
    const QPointF& at = shotPositions[static_cast<size_t>(i)];
    const float centre = x ? zoom * viewOffsetX + geo.centreX : zoom * viewOffsetY + geo.centreY;
    return centre + scale * zoom * static_cast<float>(x ? at.x() : at.y());
}

float CSim::shotX(int i) const {
    return shotCoordinate(i, true, settings);
}
float CSim::shotY(int i) const {
    return shotCoordinate(i, false, settings);
}

void CSim::shotRecord(float x, float y) {
    const auto zoom = static_cast<float>(std::max(settings.sldZoom, 1));
    const auto i = static_cast<size_t>(std::max(roundsFired, 0));
    if (i >= shotPositions.size()) {
        shotPositions.resize(i + 1);
        shotRanges.resize(i + 1);
    }
    shotPositions[i] = QPointF((x - targetCenterX()) / zoom, (y - targetCenterY()) / zoom);
    shotRanges[i] = static_cast<float>(number(settings.txtRange));
}

// --- Controls ----------------------------------------------------------------------------------

void CSim::formHudInit() {
    if (!loadModel) return;
    hud.init(static_cast<float>(settings.sldWind),
             LoadSnapshot::of(loadModel->form, loadModel->values), settings.txtSimMaxRange,
             !settings.optSimMetric1);
}

void CSim::cmdCenterTarget_Click() {
    viewOffsetX = viewOffsetY = 0;
    drawAll();
}

bool CSim::applyFov() {
    if (MSmallBallStruct::textValidate(1.0f, 200.0f, settings.txtFov, QString()).reject)
        return false;
    const double fov = number(settings.txtFov);
    milsPerScreen = static_cast<float>(fov * Units::InchesPerFoot / Units::MilInchesAt100);
    const int zoom = std::max(settings.sldZoom, 1);
    lblFovZoom = MNumber::shortText(static_cast<float>(fov * 3.0 / zoom)) +
                 QStringLiteral(" feet @ zoom of: ") + QString::number(settings.sldZoom);
    drawTwips();
    drawAll();
    return true;
}
