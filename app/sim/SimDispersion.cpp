#include "sim/SimDispersion.h"

#include "load/HitMath.h"
#include "load/HitTable.h"
#include "load/LoadSnapshot.h"
#include "units/Units.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace SimDispersion {

double flyerPercent(float flyerProbability) {
    // Only the three options exist; anything else is the first, 10 %.
    if (flyerProbability == 5.0f || flyerProbability == 1.0f) return flyerProbability;
    return 10.0;
}

double circleRadiusInSigmas(float flyerProbability) {
    return std::sqrt(2.0 * std::log(100.0 / flyerPercent(flyerProbability)));
}

float groupMoa(float groupInches) {
    return groupInches / Units::MoaInchesAt100;
}

Spread ofGroupBox(double groupInches, float flyerProbability) {
    const double sigma =
        double(groupMoa(float(groupInches))) / 2 / circleRadiusInSigmas(flyerProbability);
    return {sigma, sigma};
}

Spread ofHitInputs(const HitInputs& inputs, double verticalMoaPerFps) {
    const double rifle = inputs.groupMoa / HitMath::FiveShotSpreadPerSigma;
    const double velocity = verticalMoaPerFps * inputs.velocitySdFps;
    return {rifle, std::hypot(rifle, velocity)};
}

double circleDiameterMoa(const Spread& spread, float flyerProbability) {
    return 2 * spread.sigmaXMoa * circleRadiusInSigmas(flyerProbability);
}

bool noGroupSet(const QString& groupText) {
    return groupText.trimmed().isEmpty();
}

std::optional<double> verticalMoaPerFps(const LoadSnapshot& load, double rangeYd) {
    // The table's velocity flights only; the other inputs do not change the slope.
    const HitTable::Result table = HitTable::compute(load, HitInputs{});
    if (!table.ok()) return std::nullopt;
    const double toYards = load.metric() ? Units::YardsPerMetre : 1.0;
    const auto& rows = table.rows;
    size_t j = 1;
    while (j + 1 < rows.size() && rows[j].range * toYards < rangeYd)
        ++j;
    double inchesPerFps = rows.front().slopeV(HitTable::Velocity);
    if (rows.size() > 1) {
        const HitTable::Row &a = rows[j - 1], &b = rows[j];
        const double span = (b.range - a.range) * toYards;
        const double f = span > 0 ? std::clamp((rangeYd - a.range * toYards) / span, 0.0, 1.0) : 0;
        inchesPerFps = a.slopeV(HitTable::Velocity) +
                       f * (b.slopeV(HitTable::Velocity) - a.slopeV(HitTable::Velocity));
    }
    return std::fabs(double(Units::moaForInches(float(inchesPerFps), float(rangeYd))));
}

double intervalChance(double low, double high, double mean, double sigma) {
    if (!(high > low)) return 0;
    if (!(sigma > 0)) return mean >= low && mean <= high ? 1 : 0;
    const double scale = sigma * std::numbers::sqrt2;
    return 0.5 * (std::erf((high - mean) / scale) - std::erf((low - mean) / scale));
}

double rectangleChance(const QRectF& target, QPointF mean, double sigmaX, double sigmaY) {
    const QRectF r = target.normalized();
    return intervalChance(r.left(), r.right(), mean.x(), sigmaX) *
           intervalChance(r.top(), r.bottom(), mean.y(), sigmaY);
}

} // namespace SimDispersion
