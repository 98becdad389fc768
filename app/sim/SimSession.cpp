#include "sim/SimSession.h"

#include "services/MNumber.h"

#include <algorithm>

namespace {

// The arrays are sized for a session's rounds; an absurd count reserves no more than this.
constexpr int32_t MostRoundsReserved = 10000;

// Text of a box as a number; 0 when it is not one.
double number(const QString& text) {
    return MNumber::parse(text).value_or(0.0);
}

} // namespace

void SimSession::startRounds(const QString& roundsText) {
    const auto rounds = MNumber::toInt32(number(roundsText)).value_or(0);
    const auto entries = static_cast<size_t>(std::clamp(rounds, 0, MostRoundsReserved) + 1);
    shotPositions.assign(entries, QPointF());
    shotRanges.assign(entries, 0.0f);
    roundsFired = 0;
}

void SimSession::resetSession() {
    roundsFired = 0;
    sessionScore = 0;
    redHits = misses = blueHits = 0;
    expectedHits = 0;
}

void SimSession::resetTotal() {
    resetSession();
    totalScore = 0;
}

int32_t SimSession::roundsLeft(const QString& roundsText) const {
    const double left = number(roundsText) - roundsFired;
    return MNumber::toInt32(left).value_or(0);
}

void SimSession::recordShot(QPointF offset, float range) {
    const auto i = static_cast<size_t>(std::max(roundsFired, 0));
    if (i >= shotPositions.size()) {
        shotPositions.resize(i + 1);
        shotRanges.resize(i + 1);
    }
    shotPositions[i] = offset;
    shotRanges[i] = range;
}

SessionFile::Values SimSession::fileValues(const SimSettings& settings, float milsPerScreen,
                                           const QString& loadFile) const {
    return SessionFile::Values{settings, sight, milsPerScreen, viewOffsetX, viewOffsetY, loadFile};
}

void SimSession::takeFileValues(const SessionFile::Values& values) {
    sight = values.sight;
    viewOffsetX = values.viewOffsetX;
    viewOffsetY = values.viewOffsetY;
}
