#include "sim/CSimFiring.h"
#include "services/ErrorNumbers.h"

#include "services/MNumber.h"
#include "services/Prompt.h"
#include "sim/CHUD.h"
#include "sim/CSim.h"
#include "sim/Raster.h"
#include "sim/SimHost.h"
#include "units/Units.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// A group of g inches at 100 yards holds the given share of shots within this many standard
// deviations, so the flyer probability picks how far the scatter reaches: 1 % of shots outside
// the group, 5 % or 10 %.
struct FlyerSpread {
    float percent;
    float groupInSigmas;
};
constexpr FlyerSpread flyerSpreads[] = {{1.0f, 5.1f}, {5.0f, 3.92f}, {10.0f, 3.29f}};

float sigmaFor(float groupMoa, float flyerProbability) {
    for (const FlyerSpread& f : flyerSpreads)
        if (f.percent == flyerProbability) return groupMoa / f.groupInSigmas;
    return groupMoa / 3.29f; // 10 %, also before any choice was made
}

// Radians in a tenth of a degree.
constexpr double RadiansPerTenthDegree = Units::RadiansPerDegree / 10.0;

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

QString groupSizeMessage() {
    for (const auto& [control, text] : CSim::tooltips())
        if (control == QLatin1String("txtGroupSize")) return text;
    return {};
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

bool CSimFiring::scatter(float& dx, float& dy) {
    // Never fire with a group size that is no size (a text the box refused, a negative or
    // oversized number): the shooter gets the box's own message. 0, a perfect rifle, fires.
    const auto group = single(sim.settings.txtGroupSize);
    if (!group || *group < 0.0f || *group > SimSettings::GroupSizeMax) {
        showMessage(groupSizeMessage(), QStringLiteral("Number out of Range"));
        return false;
    }
    const float g = *group * Units::MoaInchesAt100;
    const float sigma = sigmaFor(g, sim.session.flyerProbability);
    // The distance from the aim may come out negative: the shot then goes the opposite way.
    const float r = sim.normalDist.rndNormal(0.0f, sigma * sigma);
    const double theta = random(0, 3599) * RadiansPerTenthDegree;
    dx = static_cast<float>(r * std::sin(theta));
    dy = static_cast<float>(r * std::cos(theta));
    return true;
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
