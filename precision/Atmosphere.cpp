#include "precision/Atmosphere.h"

#include "units/Units.h"

#include <algorithm>
#include <cmath>

namespace precision {

namespace {

constexpr double standardTemperatureR = standardTemperatureF + Units::RankineAtZeroFahrenheit;
constexpr double hPaPerInHg = 33.8638866667;
// Troposphere: temperature falls 0.0019812 R per ft (6.5 K per km) to the tropopause.
constexpr double lapseRatePerFt = 6.87558563e-6; // lapse rate / sea-level temperature
constexpr double pressureExponent = 5.25587611;  // g M / (R L)
constexpr double tropopauseFt = 36089.24;
constexpr double tropopausePressureInHg = 6.683245; // 22632.1 Pa
constexpr double tropopauseScaleHeightFt = 20805.8; // R T / (g M) at 216.65 K

constexpr double vapourWeightDeficit = 1.0 - 0.621981; // 1 - M_water / M_dry air

} // namespace

double saturationVapourPressureInHg(double temperatureF) {
    const double c = (temperatureF - 32.0) * 5.0 / 9.0;
    const double hPa = 6.1121 * std::exp((18.678 - c / 234.5) * (c / (257.14 + c)));
    return hPa / hPaPerInHg;
}

double standardPressureAtInHg(double altitudeFt) {
    if (altitudeFt <= tropopauseFt)
        return standardPressureInHg * std::pow(1.0 - lapseRatePerFt * altitudeFt, pressureExponent);
    return tropopausePressureInHg *
           std::exp(-(altitudeFt - tropopauseFt) / tropopauseScaleHeightFt);
}

double airDensityLbPerFt3(double temperatureF, double pressureInHg, double humidityPct) {
    const double vapourInHg =
        std::clamp(humidityPct, 0.0, 100.0) / 100.0 * saturationVapourPressureInHg(temperatureF);
    const double temperatureR = temperatureF + Units::RankineAtZeroFahrenheit;
    return standardDensityLbPerFt3 * (pressureInHg - vapourWeightDeficit * vapourInHg) /
           standardPressureInHg * standardTemperatureR / temperatureR;
}

double speedOfSoundFps(double temperatureF) {
    return 49.0223 * std::sqrt(temperatureF + Units::RankineAtZeroFahrenheit);
}

Atmosphere airAt(double temperatureF, double pressureInHg, double humidityPct, double altitudeFt) {
    Atmosphere air;
    air.temperatureF = temperatureF;
    air.pressureInHg = pressureInHg > 0 ? pressureInHg : standardPressureAtInHg(altitudeFt);
    air.densityLbPerFt3 = airDensityLbPerFt3(temperatureF, air.pressureInHg, humidityPct);
    air.speedOfSoundFps = speedOfSoundFps(temperatureF);
    return air;
}

} // namespace precision
