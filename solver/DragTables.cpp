#include "DragTables.h"

#include <array>
#include <cmath>
#include <limits>

namespace trajcore {
namespace {

constexpr double kBelow = -std::numeric_limits<double>::infinity();

// m/s -> ft/s for G1 and G2.
constexpr double kFeetPerMetre = 3.280839895013123;
// m/s -> ft/s for G5 to G8: the single-precision value of 3.28084.
constexpr double kFeetPerMetreSingle = static_cast<double>(3.2808399f);
// ft/s^2 -> m/s^2: the reciprocal of the single-precision feet-per-metre factor.
constexpr double kMetresPerFootSingle = 0.30479999767456056;

// Speeds in ft/s.
constexpr DragZone kG1[] = {
    {4230, 1.9565, 1.477404177730177e-04}, {3680, 1.925, 1.920339268755614e-04},
    {3450, 1.875, 2.894751026819746e-04},  {3295, 1.825, 4.349905111115636e-04},
    {3130, 1.775, 6.520421871892662e-04},  {2960, 1.725, 9.748073694078696e-04},
    {2830, 1.675, 1.453721560187286e-03},  {2680, 1.625, 2.162887202930376e-03},
    {2460, 1.575, 3.209559783129881e-03},  {2225, 1.55, 3.904368218691249e-03},
    {2015, 1.575, 3.222942271262336e-03},  {1890, 1.625, 2.203329542297809e-03},
    {1810, 1.675, 1.511001028891904e-03},  {1730, 1.75, 8.609957592468259e-04},
    {1595, 1.85, 4.086146797305117e-04},   {1520, 1.95, 1.954473210037398e-04},
    {1420, 2.125, 5.431896266462351e-05},  {1360, 2.375, 8.847742581674416e-06},
    {1315, 2.625, 1.456922328720298e-06},  {1280, 2.875, 2.419485191895565e-07},
    {1220, 3.25, 1.657956321067612e-08},   {1185, 3.75, 4.745469537157371e-10},
    {1150, 4.25, 1.379746590025088e-11},   {1100, 4.75, 4.070157961147882e-13},
    {1060, 5.125, 2.938236954847331e-14},  {1025, 5.25, 1.228597370774746e-14},
    {980, 5.125, 2.916938264100495e-14},   {945, 4.75, 3.855099424807451e-13},
    {905, 4.25, 1.185097045689854e-11},    {860, 3.75, 3.566129470974951e-10},
    {810, 3.25, 1.045513263966272e-08},    {780, 2.875, 1.291159200846216e-07},
    {750, 2.625, 6.824429329105383e-07},   {700, 2.375, 3.569169672385163e-06},
    {640, 2.125, 1.839015095899579e-05},   {600, 1.95, 5.71117468873424e-05},
    {550, 1.875, 9.226557091973427e-05},   {250, 1.875, 9.337991957131389e-05},
    {100, 1.925, 7.225247327590413e-05},   {65, 1.975, 5.792684957074546e-05},
    {kBelow, 2, 5.206214107320588e-05},
};

constexpr DragZone kG2[] = {
    {1674, 1.36999902851493, 0.0079470052136733},     {1172, 1.65392237010294, 0.00100419763721974},
    {1060, 7.91913562392361, 7.15571228255369e-23},   {949, 3.81439537623717, 1.39589807205091e-10},
    {670, 1.71869536324748, 0.000234364342818625},    {335, 1.76877550388679, 0.000177962438921838},
    {kBelow, 1.98160270524632, 5.18033561289704e-05},
};

constexpr DragZone kG5[] = {
    {1730, 1.41538574492812, 0.00724854775171929},
    {1228, 2.13077307854948, 3.50563361516117e-05},
    {1116, 4.81927320350395, 1.84029481181151e-13},
    {1004, 7.8100555281422, 1.34713064017409e-22},
    {837, 2.84204791809926, 1.03965974081168e-07},
    {335, 1.81096361579504, 0.000109301593869823},
    {kBelow, 2.00477856801111, 3.51963178524273e-05},
};

constexpr DragZone kG6[] = {
    {3236, 1.15997674041274, 0.0455384883480781},     {2065, 1.10704436538885, 0.0716726184965377},
    {1311, 1.60085100195952, 0.00166676386084348},    {1144, 2.9569674731838, 1.01482730119215e-07},
    {1004, 6.34106317069757, 4.31542773103552e-18},   {670, 2.11688446325998, 2.04835650496866e-05},
    {kBelow, 1.92031057847052, 7.50912466084823e-05},
};

constexpr DragZone kG7[] = {
    {4200, 3.24121295355962, 1.29081656775919e-09},
    {3000, 1.27907168025204, 0.0171422231434847},
    {1470, 1.52693913274526, 0.00233355948302505},
    {1260, 1.67688974440324, 0.000797592111627665},
    {1110, 4.3212826264889, 5.71086414289273e-12},
    {960, 5.99074203776707, 3.02865108244904e-17},
    {670, 2.1738019851075, 7.52285155782535e-06},
    {540, 2.08774690257991, 1.31766281225189e-05},
    {kBelow, 2.08702306738884, 1.34504843776525e-05},
};

constexpr DragZone kG8[] = {
    {3571, 1.33207346655961, 0.0112263766252305},  {1841, 1.28662041261785, 0.0167252613732636},
    {1120, 1.55636358091189, 0.00220172456619625}, {1088, 5.80410776994789, 2.0538037167098e-16},
    {976, 4.29275576134191, 5.92182174254121e-12}, {kBelow, 1.99978116283334, 4.3917343795117e-05},
};

// Speeds in m/s; the bounds are 2600, 1800, 1370, 1230, 970 and 790 ft/s.
constexpr DragZone kMayevski[] = {
    {792.48, 1.55, 0.007813394824668}, {548.64, 1.7, 0.0028667335304},
    {417.576, 2, 0.0004317622192537},  {374.904, 3, 1.03008336722e-06},
    {295.656, 5, 7.341948762102e-12},  {240.792, 3, 6.388708526449e-07},
    {kBelow, 2, 0.000153418042557},
};

// Speeds in m/s; the bounds are 2600, 2000, 1460, 1190, 1040 and 840 ft/s.
constexpr DragZone kBritish1909[] = {
    {792.48, 1.67, 0.00340620517059},    {609.6, 1.5, 0.01059525135209},
    {445.008, 1.8, 0.001547358255244},   {362.712, 3, 1.026963165037e-06},
    {316.992, 6.45, 1.517245393852e-15}, {256.032, 3, 6.451780264672e-07},
    {kBelow, 1.6, 0.00151807196279},
};

// G1 restated in m/s and m/s^2 so the default model needs no unit conversion per evaluation:
// bounds scale by 0.3048, and A * (3.2808 v)^M * 0.3048 folds into a new coefficient.
std::array<DragZone, std::size(kG1)> metricG1() {
    std::array<DragZone, std::size(kG1)> zones{};
    for (std::size_t i = 0; i < zones.size(); ++i) {
        const DragZone& z = kG1[i];
        zones[i] = {z.bound * 0.3048, z.m, z.a * std::pow(3.280839895, z.m) * 0.3048};
    }
    return zones;
}

const std::array<DragZone, std::size(kG1)> kG1Metric = metricG1();

const DragModel kModels[] = {
    {"G1 (metric)", kG1Metric, 1.0, 1.0},
    {"G1", kG1, kFeetPerMetre, kMetresPerFootSingle},
    {"G2", kG2, kFeetPerMetre, kMetresPerFootSingle},
    {"G5", kG5, kFeetPerMetreSingle, kMetresPerFootSingle},
    {"G6", kG6, kFeetPerMetreSingle, kMetresPerFootSingle},
    {"G7", kG7, kFeetPerMetreSingle, kMetresPerFootSingle},
    {"G8", kG8, kFeetPerMetreSingle, kMetresPerFootSingle},
    {"Mayevski", kMayevski, 1.0, 1.0},
    {"British 1909", kBritish1909, 1.0, 1.0},
};

// Solver code -> index into kModels; codes not listed use entry 0.
struct CodeEntry {
    int16_t code;
    std::size_t model;
};

constexpr CodeEntry kCodes[] = {
    {1, 1}, {2, 2}, {5, 3}, {6, 4}, {7, 5}, {8, 6}, {10, 7}, {11, 8},
};

} // namespace

const DragModel& dragModel(int16_t code) noexcept {
    for (const CodeEntry& entry : kCodes)
        if (entry.code == code) return kModels[entry.model];
    return kModels[0];
}

double retardation(const DragModel& model, double speedMs) noexcept {
    const double v = speedMs * model.speedFactor;
    const DragZone& zone = zoneAt(model, v);
    return zone.a * std::pow(v, zone.m) * model.resultFactor;
}

} // namespace trajcore
