#include "load/TableColumns.h"

#include "load/MPrint.h"
#include "services/MNumber.h"

namespace TableColumns {

namespace {

// One row per column: its headings and CSV names for MOA and for mils (or for yards and
// metres), its decimals and inner width. Corrections take one decimal in mils, none in clicks.
struct Row {
    Column column;
    const char* heading;
    const char* headingOther; // mils / metres
    const char* csvName;
    const char* csvNameOther;
    int decimals;   // -2: 0 in clicks, 1 in mils
    int innerWidth; // -1: 5 in clicks, 8 in mils
    bool correction;
    bool precisionOnly;
    bool inText;
};

constexpr int CorrectionDecimals = -2;
constexpr int CorrectionWidth = -1;

constexpr Row rows[] = {
    {Range, "Range", "Range", "range_yd", "range_m", -1, 5, false, false, true},
    {MilRange, "MilRange", "MilRange", "milrange", "milrange", 1, 8, false, false, true},
    {Height, "Height", "Height", "height_in", "height_in", 2, 8, false, false, true},
    {HeightCorrection, "Hclicks", "Hmils", "height_clicks", "height_mil", CorrectionDecimals, 5,
     true, false, true},
    {Wind, "Wind", "Wind", "wind_in", "wind_in", 1, 8, false, false, true},
    {WindCorrection, "Wclicks", "Wmils", "wind_clicks", "wind_mil", CorrectionDecimals, 8, true,
     false, true},
    {Velocity, "Vel", "Vel", "velocity_fps", "velocity_fps", 1, 8, false, false, true},
    {Energy, "Energy", "Energy", "energy_ftlbf", "energy_ftlbf", 1, 8, false, false, true},
    {Time, "TOF", "TOF", "tof_s", "tof_s", 3, 5, false, false, true},
    {Lead, "Lead", "Lead", "lead_in", "lead_in", 1, 8, false, false, true},
    {LeadCorrection, "LClicks", "LClicks", "lead_clicks", "lead_mil", CorrectionDecimals,
     CorrectionWidth, true, false, true},
    {Spin, "Spin", "Spin", "spin_in", "spin_in", 1, 8, false, true, true},
    {CoriolisVertical, "CorV", "CorV", "coriolis_v_in", "coriolis_v_in", 1, 8, false, true, false},
    {CoriolisHorizontal, "CorH", "CorH", "coriolis_h_in", "coriolis_h_in", 1, 8, false, true,
     false},
    {Mach, "Mach", "Mach", "mach", "mach", 2, 8, false, true, false},
};

} // namespace

std::vector<Format> columns(const Options& options) {
    std::vector<Format> out;
    for (const Row& r : rows) {
        if (r.column == MilRange && !options.milRange) continue;
        if (r.precisionOnly && !options.precision) continue;
        // The range's CSV name follows the range unit, a correction's the angular unit.
        const bool other = r.column == Range ? options.metric : !options.moa;
        Format f{r.column, QString::fromLatin1(r.correction && other ? r.headingOther : r.heading),
                 QString::fromLatin1(other ? r.csvNameOther : r.csvName)};
        f.decimals = r.decimals == CorrectionDecimals ? (options.moa ? 0 : 1) : r.decimals;
        f.innerWidth = r.innerWidth == CorrectionWidth ? (options.moa ? 5 : 8) : r.innerWidth;
        f.correction = r.correction;
        f.inText = r.inText;
        out.push_back(f);
    }
    return out;
}

QString soundBarrierText(float mark) {
    if (mark == SubsonicMark) return QStringLiteral("subsonic");
    if (mark == TransonicMark) return QStringLiteral("transonic");
    return {};
}

QString cellText(const Format& format, float value) {
    if (format.decimals < 0) return MPrint::fitLeft(MNumber::shortText(value), format.innerWidth);
    // A correction is rounded to a tenth first and then to its column's decimals, as the
    // classic table did: 2.46 clicks shows as 2, not 3.
    const float shown = format.correction ? MNumber::roundDecimals(value, 1) : value;
    return MPrint::fitLeft(MPrint::formatFixed(shown, format.decimals), format.innerWidth);
}

} // namespace TableColumns
