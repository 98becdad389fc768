#include "sim/CSimFiring.h"
#include "services/ErrorNumbers.h"

#include "load/LoadModel.h"
#include "load/LoadSnapshot.h"

#include "services/MNumber.h"
#include "services/Prompt.h"
#include "sim/CHUD.h"
#include "sim/CSim.h"
#include "sim/Raster.h"
#include "sim/SimDispersion.h"
#include "sim/SimHost.h"
#include "sim/SimLengths.h"
#include "units/Units.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

std::optional<float> single(const QString& text) {
    const auto v = MNumber::parse(text);
    if (!v) return std::nullopt;
    return MNumber::toSingle(*v);
}

// The rounds caption; with none left it says what to do, since Fire then does nothing.
QString roundsLeftCaption(int32_t left) {
    QString caption = QStringLiteral("Rounds Left: ") + QString::number(left);
    if (left < 1) caption += QStringLiteral(" \u2014 Reset Session to shoot again");
    return caption;
}

// The group size box's message, in the shooter's length unit.
QString groupSizeMessage(const Units::ShownUnits& units) {
    QString classic;
    for (const auto& [control, text] : CSim::tooltips())
        if (control == QLatin1String("txtGroupSize")) classic = text;
    return SimLengths::message(units, SimLengths::Box::GroupSize, SimSettings::GroupSizeMin,
                               SimSettings::GroupSizeMax, classic);
}

Problem mismatch(const QString& what) {
    return Problem::failure(QStringLiteral("CSim"), QStringLiteral("picHUD_MouseDown"),
                            ErrorNumbers::TypeMismatch, QStringLiteral("Type mismatch: ") + what);
}

} // namespace

CSimFiring::CSimFiring(CSim& sim) : sim(sim) {}

float CSimFiring::zoom() const {
    return static_cast<float>(std::max(sim.settings.sldZoom, 1));
}

int16_t CSimFiring::random(int16_t lowerbound, int16_t upperbound) {
    const double u = sim.normalDist.uniform();
    const double v = std::floor((upperbound - lowerbound + 1) * u + lowerbound);
    return static_cast<int16_t>(v);
}

CSimFiring::Outcome CSimFiring::picHUD_MouseDown(int16_t button, int16_t shift, float x, float y,
                                                 int16_t keyPress) {
    (void)shift;
    problem.reset();
    if (button == RightButton) {
        // The point pressed becomes the centre of the view.
        sim.session.viewOffsetX += (sim.scene.geo.centreX - x) / zoom();
        sim.session.viewOffsetY += (sim.scene.geo.centreY - y) / zoom();
        sim.drawAll();
        return Outcome::Recentred;
    }
    return fire(x, y, keyPress);
}

CSimFiring::Outcome CSimFiring::CmdFire_Click(int16_t keyPress) {
    sim.drawTwips();
    return picHUD_MouseDown(FireButton, 0, sim.scene.geo.viewWidth / 2,
                            sim.scene.geo.viewHeight / 2, keyPress);
}

std::optional<SimDispersion::Spread> CSimFiring::spread() {
    const SimSettings& s = sim.settings;
    // The load's hit inputs set the group; without them the group size box does, and only a
    // box left empty takes the inputs' defaults.
    if (sim.scene.hitInputs || SimDispersion::noGroupSet(s.txtGroupSize)) {
        const HitInputs inputs = sim.scene.hitInputs.value_or(HitInputs{});
        double moaPerFps = 0;
        const auto range = single(s.txtRange);
        if (sim.loadModel && range && inputs.velocitySdFps > 0) {
            const double yards = *range * (s.isSimMetric() ? Units::YardsPerMetre : 1.0);
            moaPerFps = SimDispersion::verticalMoaPerFps(
                            LoadSnapshot::of(sim.loadModel->form, sim.loadModel->values), yards)
                            .value_or(0);
        }
        return SimDispersion::ofHitInputs(inputs, moaPerFps);
    }
    // Never fire with a group size that is no size (a text the box refused, a negative or
    // oversized number): the shooter gets the box's own message. 0, a perfect rifle, fires.
    const auto group = single(s.txtGroupSize);
    if (!group || *group < 0.0f || *group > SimSettings::GroupSizeMax) {
        showMessage(groupSizeMessage(sim.units), QStringLiteral("Number out of Range"));
        return std::nullopt;
    }
    return SimDispersion::ofGroupBox(*group, sim.session.flyerProbability);
}

bool CSimFiring::scatter(float& dx, float& dy) {
    const auto group = spread();
    if (!group) return false;
    lastSpread = *group;
    // Independent normal errors across and up: a two-dimensional normal group.
    dx = sim.normalDist.rndNormal(0.0f, float(group->sigmaXMoa * group->sigmaXMoa));
    dy = sim.normalDist.rndNormal(0.0f, float(group->sigmaYMoa * group->sigmaYMoa));
    return true;
}

double CSimFiring::hitChance(float X, float Y) const {
    // The target's rectangle as drawn, and the impact the aim gives without the scatter.
    const SimGeometry& geo = sim.scene.geo;
    const auto range = single(sim.settings.txtRange);
    const auto width = single(sim.settings.txtWidth), height = single(sim.settings.txtHeight);
    // Without a target picture, or with no zone colour picked, nothing can be hit.
    const bool zones =
        sim.session.targetRed != CSim::NoColour || sim.session.targetBlue != CSim::NoColour;
    if (!zones || !sim.scene.targetShown() || !range || !width || !height) return 0;
    const double a = sim.hud.inch2mil(*width / 2, *range) * geo.zoomTwipsPerMilX;
    const double b = sim.hud.inch2mil(*height / 2, *range) * geo.zoomTwipsPerMilY;
    const QRectF target(sim.targetCenterX() - a, sim.targetCenterY() - b, 2 * a, 2 * b);
    const QPointF mean(X - lastScatterMoa.x() * geo.zoomTwipsPerMoaX,
                       Y + lastScatterMoa.y() * geo.zoomTwipsPerMoaY);
    return SimDispersion::rectangleChance(target, mean, lastSpread.sigmaXMoa * geo.zoomTwipsPerMoaX,
                                          lastSpread.sigmaYMoa * geo.zoomTwipsPerMoaY);
}

CSimFiring::Outcome CSimFiring::fire(float x, float y, int16_t keyPress) {
    float dx = 0, dy = 0;
    if (!scatter(dx, dy)) return Outcome::Nothing;
    if (sim.roundsLeft() < 1) {
        sim.settings.lblRoundsLeft = roundsLeftCaption(0);
        sim.host().settingsChanged();
        return Outcome::NoRoundsLeft;
    }

    const bool picking = keyPress == RedKey || keyPress == BlueKey;
    sim.scene.drawTarget(sim.settings, sim.session, sim.hud);
    if (picking) {
        // The zone takes the colour of the target picture under the pointer, never of a
        // reticle line or the background; pressing beside the target picks nothing. The key
        // stays in force: every press picks again until another key is pressed.
        const int32_t picked = sim.targetColourAt(x, y);
        sim.scene.drawExtras(sim.settings, sim.session, sim.hud);
        if (picked == CSim::NoColour) return Outcome::Nothing;
        (keyPress == RedKey ? sim.session.targetRed : sim.session.targetBlue) = picked;
        return keyPress == RedKey ? Outcome::PickedRed : Outcome::PickedBlue;
    }

    lastScatterMoa = QPointF(dx, dy);
    const float X =
        x + (sim.scene.aim.leadXMoa + sim.scene.aim.windMoa + dx) * sim.scene.geo.zoomTwipsPerMoaX;
    const float Y =
        y - (sim.scene.aim.leadYMoa + sim.scene.aim.dropMoa + dy) * sim.scene.geo.zoomTwipsPerMoaY;
    lastImpact = QPointF(X, Y);
    return score(X, Y);
}

CSimFiring::Outcome CSimFiring::score(float X, float Y) {
    SimSettings& s = sim.settings;
    // Only the target picture scores: sky, ground and reticle lines are misses, and a zone whose
    // colour was never picked scores nothing.
    const int32_t c = sim.targetColourAt(X, Y);
    Outcome outcome;
    const QString* pointsText;
    // Red is tested first: with both zone colours the same, a hit on it counts red.
    if (c != CSim::NoColour && c == sim.session.targetRed) {
        outcome = Outcome::RedHit;
        sim.session.redHits += 1;
        pointsText = &s.txtRedScore;
    } else if (c != CSim::NoColour && c == sim.session.targetBlue) {
        outcome = Outcome::BlueHit;
        sim.session.blueHits += 1;
        pointsText = &s.txtBlueScore;
    } else {
        outcome = Outcome::Miss;
        sim.session.misses += 1;
        pointsText = &s.txtMissScore;
    }
    const auto points = single(*pointsText);
    if (!points) problem = mismatch(QStringLiteral("score \"") + *pointsText + '"');
    sim.session.expectedHits += hitChance(X, Y);
    sim.session.sessionScore += points.value_or(0.0f);
    sim.session.totalScore += points.value_or(0.0f);

    sim.shotRecord(X, Y);
    sim.session.roundsFired += 1;
    s.lblRoundsLeft = roundsLeftCaption(sim.roundsLeft());
    if (s.chkShowHits == 1) sim.drawAll();
    sim.host().settingsChanged();
    return outcome;
}

CSimFiring::Outcome CSimFiring::picHUD_MouseMove(int16_t button, int16_t shift, float x, float y) {
    (void)shift;
    if (button == BothButtons) {
        sim.session.viewOffsetX = sim.session.viewOffsetY = 0;
        sim.drawAll();
        return Outcome::Recentred;
    }
    if (button != RightButton) return Outcome::Nothing;
    // The target's centre follows the pointer, but stays within 80 % of the half view.
    sim.session.viewOffsetX += (x - sim.targetCenterX()) / zoom();
    sim.session.viewOffsetY += (y - sim.targetCenterY()) / zoom();
    const auto limit = [](float& offset, float half) {
        const float most = 0.8f * half;
        if (std::fabs(offset) > most) offset = offset < 0 ? -most : most;
    };
    limit(sim.session.viewOffsetX, sim.scene.geo.centreX);
    limit(sim.session.viewOffsetY, sim.scene.geo.centreY);
    sim.drawAll();
    return Outcome::Recentred;
}
