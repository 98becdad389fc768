#include "load/HitFields.h"

namespace HitFields {

namespace {

// A group beyond 20 MOA or a velocity spread beyond 100 ft/s is no rifle a table serves; a
// wind call off by more than 20 mph is no call at all.
constexpr std::array<Field, Count> fields{{
    {"txtTargetWidth",
     "Target width",
     "in",
     &HitInputs::targetWidthIn,
     {0.1f, 200, "Target width must be between 0.1 and 200 inches."}},
    {"txtTargetHeight",
     "Target height",
     "in",
     &HitInputs::targetHeightIn,
     {0.1f, 200, "Target height must be between 0.1 and 200 inches."}},
    {"txtCircle",
     "Circle diameter",
     "in, 0: rectangle",
     &HitInputs::circleDiameterIn,
     {0, 200, "Circle diameter must be between 0 and 200 inches (0: the rectangle counts)."}},
    {"txtGroup",
     "Group, 5-shot spread",
     "MOA",
     &HitInputs::groupMoa,
     {0, 20, "Group size must be between 0 and 20 MOA (the extreme spread of 5 shots)."}},
    {"txtVelocitySd",
     "Muzzle velocity SD",
     "ft/s",
     &HitInputs::velocitySdFps,
     {0, 100, "Muzzle velocity SD must be between 0 and 100 ft/s."}},
    {"txtBcSd",
     "BC SD",
     "%",
     &HitInputs::bcSdPct,
     {0, 25, "BC SD must be between 0 and 25 % of the BC."}},
    {"txtRangeSd",
     "Range SD",
     nullptr,
     &HitInputs::rangeSd,
     {0, 200, "Range SD must be between 0 and 200 (0 with a laser rangefinder)."}},
    {"txtWindSd",
     "Wind call SD",
     "mph",
     &HitInputs::windSdMph,
     {0, 20, "Wind call SD must be between 0 and 20 mph."}},
}};

} // namespace

const std::array<Field, Count>& table() {
    return fields;
}

QString caption(int index, bool metric) {
    const Field& f = field(index);
    const QString unit =
        f.unit ? QString::fromUtf8(f.unit) : (metric ? QStringLiteral("m") : QStringLiteral("yd"));
    return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(f.caption), unit);
}

} // namespace HitFields
