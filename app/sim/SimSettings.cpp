#include "sim/SimSettings.h"

#include "services/MNumber.h"

#include <algorithm>

int SliderRange::clamp(int value) const {
    return std::clamp(value, minimum, maximum);
}

float SimSettings::flyerProbability() const {
    static constexpr std::array<float, 3> percent{10.0f, 5.0f, 1.0f};
    return percent.at(static_cast<size_t>(std::clamp(flyerIndex, 0, 2)));
}

void SimSettings::propertiesPreLoad() {
    rangeWind = {-40, 40};
    rangeSpeed = {-30, 30};
    rangeZoom = {1, 50};
    rangeAngle = {0, 359};
    rangeRange = {2, 2000};
    sldWind = rangeWind.clamp(sldWind);
    sldSpeed = rangeSpeed.clamp(sldSpeed);
    sldZoom = rangeZoom.clamp(sldZoom);
    sldAngle = rangeAngle.clamp(sldAngle);
    sldRange = rangeRange.clamp(sldRange);
}

void SimSettings::propertiesPostLoad() {
    // A maximum that is not a whole number in the slider's reach leaves the maximum as it was.
    if (const auto v = MNumber::parse(txtSimMaxRange)) {
        if (const auto top = MNumber::toInt16(*v); top && *top >= rangeRange.minimum)
            rangeRange.maximum = *top;
    }
    sldRange = rangeRange.clamp(sldRange);
    txtRange = QString::number(sldRange);
    txtZoom = QString::number(sldZoom);
    txtAngle = QString::number(sldAngle);
    txtSpeed = QString::number(sldSpeed);
    txtWind = QString::number(sldWind);
}

void SimSettings::newSession() {
    const SimSettings fresh;
    txtGroupSize = fresh.txtGroupSize;
    cboTarget = fresh.cboTarget;
    sldZoom = rangeZoom.clamp(fresh.sldZoom);
    sldWind = rangeWind.clamp(fresh.sldWind);
    txtWidth = fresh.txtWidth;
    txtHeight = fresh.txtHeight;
    cboReticle = fresh.cboReticle;
    sldRange = rangeRange.clamp(fresh.sldRange);
    txtFov = fresh.txtFov;
    ucAngle = 90;
    txtRedScore = fresh.txtRedScore;
    txtBlueScore = fresh.txtBlueScore;
    txtMissScore = fresh.txtMissScore;
    txtNumberOfRounds = fresh.txtNumberOfRounds;
    flyerIndex = 0;
    cboBackground = fresh.cboBackground;
    lblRoundsLeft = QStringLiteral("Shots Left = 10");
    sldSpeed = rangeSpeed.clamp(fresh.sldSpeed);
    // The sliders' change handlers keep their boxes in step.
    txtZoom = QString::number(sldZoom);
    txtWind = QString::number(sldWind);
    txtRange = QString::number(sldRange);
    txtSpeed = QString::number(sldSpeed);
}
