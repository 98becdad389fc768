// The air the bullet flies through, relative to a reference atmosphere: reference temperature
// and pressure at an altitude, and the factors that correct a ballistic coefficient for the
// firing conditions. Imperial units: feet, degrees Fahrenheit, inches of mercury.
#pragma once

#include <cstdint>

class CMetro {
public:
    int16_t useStationPressure = 0; // 0 false, -1 true
    float refPressure = 0;
    float refTemperature = 0;
    float refHumidity = 0;

    void setReference();
    void standardTemperature(float alt, float& temp) const;
    void standardPressure(float alt, float& pressure) const;
    void stationPressure(float alt, float altimeter, float& pressure) const;
    void correctionFactors(float alt, float temp, float& vapourFactor, float& densityRatio) const;
};
