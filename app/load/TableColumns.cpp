#include "load/TableColumns.h"

#include "load/MPrint.h"
#include "services/MNumber.h"

using Units::Quantity;

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
    Quantity quantity;   // Count: a value in no shooter's unit (time, Mach, clicks, range)
    const char* csvBase; // the CSV name before its unit, for units other than the files'
};

constexpr int CorrectionDecimals = -2;
constexpr int CorrectionWidth = -1;

constexpr Row rows[] = {
    {Range, "Range", "Range", "range_yd", "range_m", -1, 5, false, false, true, Quantity::Count,
     "range"},
    {MilRange, "MilRange", "MilRange", "milrange", "milrange", 1, 8, false, false, true,
     Quantity::Length, "milrange"},
    {Height, "Height", "Height", "height_in", "height_in", 2, 8, false, false, true,
     Quantity::Length, "height"},
    {HeightCorrection, "Hclicks", "Hmils", "height_clicks", "height_mil", CorrectionDecimals, 5,
     true, false, true, Quantity::Count, "height"},
    {Wind, "Wind", "Wind", "wind_in", "wind_in", 1, 8, false, false, true, Quantity::Length,
     "wind"},
    {WindCorrection, "Wclicks", "Wmils", "wind_clicks", "wind_mil", CorrectionDecimals, 8, true,
     false, true, Quantity::Count, "wind"},
    {Velocity, "Vel", "Vel", "velocity_fps", "velocity_fps", 1, 8, false, false, true,
     Quantity::Velocity, "velocity"},
    {Energy, "Energy", "Energy", "energy_ftlbf", "energy_ftlbf", 1, 8, false, false, true,
     Quantity::Energy, "energy"},
    {Time, "TOF", "TOF", "tof_s", "tof_s", 3, 5, false, false, true, Quantity::Count, "tof"},
    {Lead, "Lead", "Lead", "lead_in", "lead_in", 1, 8, false, false, true, Quantity::Length,
     "lead"},
    {LeadCorrection, "LClicks", "LClicks", "lead_clicks", "lead_mil", CorrectionDecimals,
     CorrectionWidth, true, false, true, Quantity::Count, "lead"},
    {Spin, "Spin", "Spin", "spin_in", "spin_in", 1, 8, false, true, true, Quantity::Length, "spin"},
    {CoriolisVertical, "CorV", "CorV", "coriolis_v_in", "coriolis_v_in", 1, 8, false, true, false,
     Quantity::Length, "coriolis_v"},
    {CoriolisHorizontal, "CorH", "CorH", "coriolis_h_in", "coriolis_h_in", 1, 8, false, true, false,
     Quantity::Length, "coriolis_h"},
    {Mach, "Mach", "Mach", "mach", "mach", 2, 8, false, true, false, Quantity::Count, "mach"},
};

} // namespace

std::vector<Format> columns(const Options& options) {
    const Units::ShownUnits& units = options.units;
    std::vector<Format> out;
    for (const Row& r : rows) {
        if (r.column == MilRange && !options.milRange) continue;
        if (r.precisionOnly && !options.precision) continue;
        // The range's CSV name follows the range unit, a correction's the angular unit.
        const bool other = r.column == Range ? units.rangeInMetres(options.metric) : !options.moa;
        Format f;
        f.column = r.column;
        f.heading = QString::fromLatin1(r.correction && other ? r.headingOther : r.heading);
        f.csvName = QString::fromLatin1(other ? r.csvNameOther : r.csvName);
        f.quantity = r.quantity;
        if (r.quantity != Quantity::Count) {
            f.unit = QString::fromUtf8(units.symbol(r.quantity));
            if (!units.isStored(r.quantity))
                f.csvName = QString::fromLatin1(r.csvBase) + '_' +
                            QString::fromLatin1(units.info(r.quantity).tag);
        } else if (r.column == Range) {
            f.unit = other ? QStringLiteral("m") : QStringLiteral("yd");
        } else if (r.correction) {
            f.unit = options.moa ? QStringLiteral("clicks") : QStringLiteral("mils");
        } else if (r.column == Time) {
            f.unit = QStringLiteral("s");
        }
        f.decimals = r.decimals == CorrectionDecimals ? (options.moa ? 0 : 1) : r.decimals;
        f.innerWidth = r.innerWidth == CorrectionWidth ? (options.moa ? 5 : 8) : r.innerWidth;
        f.correction = r.correction;
        f.inText = r.inText;
        out.push_back(f);
    }
    return out;
}

TableRow shownRow(const TableRow& row, const Options& options) {
    const Units::ShownUnits& units = options.units;
    if (units.isImperial()) return row;
    TableRow shown = row;
    shown[Range] = float(double(row[Range]) * units.rangeScale(options.metric));
    for (const Row& r : rows) {
        const size_t at = size_t(r.column);
        if (r.quantity != Quantity::Count)
            shown.value[at] = float(units.shown(r.quantity, double(row.value[at])));
        // Clicks are computed as quarter minutes; another turret counts its own.
        else if (r.correction && options.moa && units.click != Units::Click::QuarterMoa)
            shown.value[at] =
                float(units.clicksForMoa(double(row.value[at]) / double(Units::ClicksPerMoa)));
    }
    return shown;
}

std::vector<TableRow> shownRows(const std::vector<TableRow>& rows, const Options& options) {
    if (options.units.isImperial()) return rows;
    std::vector<TableRow> shown;
    shown.reserve(rows.size());
    for (const TableRow& row : rows)
        shown.push_back(shownRow(row, options));
    return shown;
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
