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

// The same lapse rate per foot, in degrees Rankine (or Fahrenheit).
constexpr double lapseRateRPerFt = 0.00356616;

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

double stationPressureInHg(double seaLevelPressureInHg, double altitudeFt) {
    return seaLevelPressureInHg * standardPressureAtInHg(altitudeFt) / standardPressureInHg;
}

double seaLevelPressureInHg(double stationPressureInHg, double altitudeFt) {
    return stationPressureInHg * standardPressureInHg / standardPressureAtInHg(altitudeFt);
}

double densityAltitudeFt(double densityRatio) {
    // In the troposphere the standard density ratio is (1 - k h)^(n - 1); above the tropopause
    // it falls exponentially with the isothermal layer's scale height.
    const double tropopauseRatio =
        std::pow(1.0 - lapseRatePerFt * tropopauseFt, pressureExponent - 1);
    if (densityRatio >= tropopauseRatio)
        return (1.0 - std::pow(densityRatio, 1.0 / (pressureExponent - 1))) / lapseRatePerFt;
    return tropopauseFt - tropopauseScaleHeightFt * std::log(densityRatio / tropopauseRatio);
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

AirColumn::AirColumn(double temperatureF, double pressureInHg, double humidityPct)
    : temperatureR_(temperatureF + Units::RankineAtZeroFahrenheit), pressureInHg_(pressureInHg),
      humidityFraction_(std::clamp(humidityPct, 0.0, 100.0) / 100.0) {
    station_ = at(0);
}

AirColumn::Sample AirColumn::at(double heightFt) const {
    if (temperatureR_ <= 0) return station_;
    // Temperature falls linearly; the barometric formula for a constant lapse rate gives
    // P = P0 (T / T0)^n, independent of T0. Kept above a tenth of the station's absolute
    // temperature so a flight that goes astray never takes a root of a negative number.
    const double temperatureR =
        std::max(temperatureR_ - lapseRateRPerFt * heightFt, 0.1 * temperatureR_);
    const double ratio = temperatureR / temperatureR_;
    double pressureInHg = pressureInHg_ * std::exp(pressureExponent * std::log(ratio));
    if (humidityFraction_ > 0)
        pressureInHg -= vapourWeightDeficit * humidityFraction_ *
                        saturationVapourPressureInHg(temperatureR - Units::RankineAtZeroFahrenheit);
    const double densityRatio =
        pressureInHg / standardPressureInHg * standardTemperatureR / temperatureR;
    return {densityRatio, 1 / (49.0223 * std::sqrt(temperatureR))};
}

} // namespace precision
