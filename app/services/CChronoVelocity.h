// Chronograph correction: the muzzle velocity that, flown through the solver, gives the speed a
// chronograph measured some feet in front of the muzzle.
#pragma once

#include "services/InputLimit.h"
#include "services/Problem.h"

#include <QList>
#include <QString>
#include <optional>

class CChronoVelocity {
public:
    // Muzzle velocity (ft/s) for a speed `chronoVel` (ft/s) measured `chronoDist` feet from the
    // muzzle with coefficient `bc` (G1, no atmosphere correction), fired at the angle typed in
    // `angleText` (degrees). Each call uses a binding of its own to the simulator library,
    // released before it returns. 0 after a failure: problems() says why, for the entry point to
    // report.
    float chronoCorrect(float bc, float chronoDist, float chronoVel, const QString& angleText);
    const std::optional<Problem>& failure() const { return lastFailure; }
    // The last call's failures in the order they arose: the solver binding's, then failure().
    QList<Problem> problems() const;

    // Integrations run by the last call.
    int iterations() const { return runs; }

    // The search ends when the measured speed is met this closely (ft/s) ...
    static constexpr float tolerance = 0.1f;
    // ... or when the next guess would exceed the measured speed by this factor.
    static constexpr float ceilingFactor = 1.2f;

    // The inputs accepted; the messages of the coefficient and the distance name slightly
    // different bounds than are checked.
    static constexpr InputLimit velocityLimit{300.0f, 4500.0f, "Velocity must be 300 to 4500 fps."};
    static constexpr InputLimit distanceLimit{0.01f, 100.0f,
                                              "Distance must be between 0 and 100 feet."};
    static constexpr InputLimit bcLimit{0.01f, 1.0f,
                                        "Ballistic Coefficient must be between 0.001 and 1.0."};

private:
    void fail(long number, const QString& text);

    int runs = 0;
    std::optional<Problem> lastFailure;
    QList<Problem> solverFailures;
};
