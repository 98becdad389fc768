#include "services/CChronoVelocity.h"

#include "services/CSmallBall.h"
#include "services/ErrorNumbers.h"
#include "services/MNumber.h"
#include "units/Units.h"

#include <cmath>
#include <exception>

namespace {

constexpr float flightTime = 0.2f; // s: far enough for any chronograph distance
constexpr int16_t stepRate = 5000; // 1000 steps over the flight
constexpr int16_t dragG1 = 1;
// A guess that keeps moving without meeting the speed ends the search all the same.
constexpr int maxRuns = 10000;

} // namespace

void CChronoVelocity::fail(long number, const QString& text) {
    lastFailure = Problem::failure(QStringLiteral("CChronoVelocity"),
                                   QStringLiteral("chronoCorrect"), number, text);
}

QList<Problem> CChronoVelocity::problems() const {
    QList<Problem> all = solverFailures;
    if (lastFailure) all.append(*lastFailure);
    return all;
}

float CChronoVelocity::chronoCorrect(float bc, float chronoDist, float chronoVel,
                                     const QString& angleText) {
    runs = 0;
    lastFailure.reset();
    CSmallBall sb;
    sb.isTable = false;
    // However the call ends, the binding's failures go with its result.
    struct HandOver {
        QList<Problem>& to;
        CSmallBall& sb;
        ~HandOver() { to = sb.takeFailures(); }
    } handOver{solverFailures, sb};
    const auto angle = MNumber::parse(angleText);
    const auto angleSingle = angle ? MNumber::toSingle(*angle) : std::nullopt;
    if (!angleSingle) {
        fail(ErrorNumbers::TypeMismatch, QStringLiteral("Type mismatch"));
        return 0;
    }
    try {
        SolverRecord record{};
        record.muzzleVelocity = chronoVel;
        record.ballisticCoef = bc;
        record.flightTime = flightTime;
        record.departureAngle = *angleSingle;
        record.dragModel = dragG1;
        record.stepRate = stepRate;
        if (!sb.allocMem(record)) return 0;

        // The solver's ranges are yards; the chronograph stands a number of feet out.
        const float rowRange = chronoDist / Units::FeetPerYard;
        SolverRow row{};
        float guess = chronoDist * 3.0f + chronoVel;
        float last = guess;
        float diff = 0;
        bool reached = false;
        do {
            record.muzzleVelocity = guess;
            sb.calcAll(record);
            ++runs;
            // 0: the chronograph lies beyond the flight (fired steeply up or down, the bullet
            // never gets that far out), and the row is only an extrapolation; the guesses made
            // from it run off to no number at all.
            reached = sb.getOneResult(row, rowRange, 1) > 0 && std::isfinite(row.V);
            last = guess;
            diff = row.V - chronoVel;
            guess = guess - diff / 2;
        } while (std::fabs(diff) >= tolerance && guess <= chronoVel * ceilingFactor &&
                 runs < maxRuns);
        sb.deAllocMem();
        if (!reached || !std::isfinite(last)) {
            fail(ErrorNumbers::InvalidCall,
                 QStringLiteral("Invalid procedure call: at an angle of %1 degrees the bullet "
                                "does not reach a chronograph %2 ft out")
                     .arg(angleText.trimmed(), MNumber::shortText(chronoDist)));
            return 0;
        }
        return last;
    } catch (const std::exception& e) {
        fail(ErrorNumbers::InvalidCall, QString::fromLocal8Bit(e.what()));
        return 0;
    }
}
