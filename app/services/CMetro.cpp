#include "services/CMetro.h"

#include <cmath>

// Every formula runs in double precision on the single-precision inputs; only the results are
// stored as Single. Constants are used exactly as the atmosphere model defines them; the few
// that the model takes in their single-precision values are written with an f suffix.

namespace {

// Saturation vapour pressure (inHg) at a temperature in degrees Celsius (Magnus form).
double saturationVapour(double celsius) {
    return 0.1804281 * std::pow(10.0, 7.5 * celsius / (celsius + 237.7));
}

double toCelsius(double fahrenheit) {
    return (fahrenheit - 32.0) * 5.0 / 9.0;
}

} // namespace

void CMetro::setReference() {
    refPressure = 29.921f;
    refTemperature = 59.0f;
    refHumidity = 0.0f;
}

void CMetro::standardTemperature(float alt, float& temp) const {
    temp = static_cast<float>(static_cast<double>(refTemperature) - 0.003566 * alt);
}

void CMetro::standardPressure(float alt, float& pressure) const {
    const double x = static_cast<double>(alt) / 100.0;
    pressure =
        static_cast<float>(static_cast<double>(refPressure) - 0.1075886 * x + 0.000151965 * x * x -
                           9.783709e-8 * x * x * x + 2.394314e-11 * x * x * x * x);
}

void CMetro::stationPressure(float alt, float altimeter, float& pressure) const {
    constexpr double exponent = 0.190284f;
    constexpr double hpaPerInHg = 33.86388f;
    constexpr double lapse = 8.4288e-5f;
    const double h = static_cast<float>(static_cast<double>(alt) / 3.2804); // metres
    const double a = static_cast<double>(altimeter) * hpaPerInHg;           // hectopascals
    pressure = static_cast<float>(
        (std::pow(std::pow(a, exponent) - lapse * h, 1.0 / exponent) + 0.3) / hpaPerInHg);
}

void CMetro::correctionFactors(float alt, float temp, float& vapourFactor,
                               float& densityRatio) const {
    // Reference air.
    const double refP = refPressure;
    const double e0 = saturationVapour(toCelsius(refTemperature)) * refHumidity / 100.0;
    const double f0 = (refP - 0.3783 * e0) / refP;
    const double rho0 = f0 * refP * 0.02289205 /
                        ((static_cast<double>(refTemperature) - 32.0) * 0.5555556 + 273.15);

    // Pressure at the firing altitude, derived from the reference pressure.
    float p = 0;
    if (useStationPressure)
        stationPressure(alt, refPressure, p);
    else
        standardPressure(alt, p);
    const double pressure = p;

    // Firing air; its humidity is the reference humidity.
    const double e = saturationVapour(toCelsius(temp)) * refHumidity / 100.0;
    const double vf = (pressure - 0.3783 * e) / pressure;
    const double rho = vf * pressure * 0.02289205 /
                       ((static_cast<double>(temp) - 32.0) * 0.5555556 + 273.1499938964844);

    vapourFactor = static_cast<float>(vf);
    densityRatio = static_cast<float>(rho / rho0);
}
