// The air the bullet flies through: density from station pressure, temperature and humidity,
// the speed of sound from temperature, and how both change with height above the shooter.
#pragma once

namespace precision {

// The International Standard Atmosphere at sea level: 59 F, 29.92126 inHg (101325 Pa), dry.
inline constexpr double standardDensityLbPerFt3 = 0.0764742;
inline constexpr double standardPressureInHg = 29.92126;
inline constexpr double standardTemperatureF = 59.0;

struct Atmosphere {
    double temperatureF = standardTemperatureF;
    double pressureInHg = standardPressureInHg; // station pressure
    double densityLbPerFt3 = standardDensityLbPerFt3;
    double speedOfSoundFps = 1116.45;

    double densityRatio() const { return densityLbPerFt3 / standardDensityLbPerFt3; }
};

// Saturation vapour pressure of water over a liquid surface (Buck's 1996 formula).
double saturationVapourPressureInHg(double temperatureF);

// Pressure of the standard atmosphere at a geopotential altitude (troposphere and the
// isothermal layer above it, to 65 600 ft).
double standardPressureAtInHg(double altitudeFt);

// Moist air as a mixture of ideal gases: the vapour's partial pressure weighs 0.378 less than
// dry air's (1 - the ratio of the molar masses of water and dry air).
double airDensityLbPerFt3(double temperatureF, double pressureInHg, double humidityPct);

// Speed of sound in dry air: sqrt(gamma R T), 49.0223 ft/s per square root of a degree Rankine.
double speedOfSoundFps(double temperatureF);

// Pressure reduced to sea level (an altimeter setting, as weather reports give it) and the
// station pressure at altitudeFt, through the standard atmosphere's pressure ratio: each
// undoes the other.
double stationPressureInHg(double seaLevelPressureInHg, double altitudeFt);
double seaLevelPressureInHg(double stationPressureInHg, double altitudeFt);

// The altitude of the standard atmosphere whose density has this ratio to the sea-level one.
double densityAltitudeFt(double densityRatio);

// The air at the shooter: station pressure when given (> 0), else the standard atmosphere's
// pressure at altitudeFt; temperature and humidity as given.
Atmosphere airAt(double temperatureF, double pressureInHg, double humidityPct, double altitudeFt);

// The air along the flight: the station's air lifted through the standard lapse rate (6.5 K per
// km) from the station temperature, the pressure following the barometric formula from the
// station pressure, the relative humidity held as given. Density and the speed of sound by
// height above the station, cheap enough for every force evaluation.
class AirColumn {
public:
    AirColumn() = default; // the standard sea-level air, the same at every height
    AirColumn(double temperatureF, double pressureInHg, double humidityPct);

    struct Sample {
        double densityRatio; // air density / standard sea-level density
        double machPerFps;   // 1 / speed of sound
    };
    Sample at(double heightFt) const;
    Sample atStation() const { return station_; }

private:
    double temperatureR_ = 0; // 0: the same air at every height
    double pressureInHg_ = 0;
    double humidityFraction_ = 0;
    Sample station_{1.0, 1 / 1116.45};
};

} // namespace precision
