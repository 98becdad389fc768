#include "load/TableText.h"

#include "load/MPrint.h"
#include "services/MNumber.h"
#include "services/UnitText.h"

#include <algorithm>

namespace TableText {

namespace {
constexpr int ItemWidth = 30;
constexpr const char* Dashes = "-------";
// Without the extra inputs the coefficient is not corrected: the bullet flies in standard
// sea-level air, whatever altitude and temperature the hidden fields hold.
constexpr float StandardAltitudeFt = 0;
constexpr float StandardTemperatureF = 59;
// The solver ignores a band whose coefficient is this or less.
constexpr float UnusedBandBc = 0.001f;

QString numberText(float value) {
    return MNumber::shortText(value);
}

using Units::Quantity;

// A header value with its unit: in the files' unit as the classic header writes it (`stored`,
// then `suffix`), in another unit at that unit's decimals.
QString valueText(const Units::ShownUnits& units, Quantity q, float value, const QString& stored,
                  const QString& suffix) {
    // The classic spacing before the unit stays ("59  °F" and "15  °C").
    return UnitText::valueText(units, q, double(value), stored + suffix,
                               suffix.left(suffix.size() - suffix.trimmed().size()));
}
} // namespace

QStringList bandLines(const CInput& load, const std::vector<TableRow>& rows,
                      const Units::ShownUnits& units) {
    if (rows.empty()) return {};
    float fastestFps = rows.front()[TableColumns::Velocity];
    float slowestFps = fastestFps;
    for (const TableRow& row : rows) {
        fastestFps = std::max(fastestFps, row[TableColumns::Velocity]);
        slowestFps = std::min(slowestFps, row[TableColumns::Velocity]);
    }
    const auto line = [&units](const char* label, float bc, float belowFps) {
        // Two header items, as appendHeader writes them.
        return MPrint::padRight(QString::fromLatin1(label) + numberText(bc), ItemWidth) + ' ' +
               MPrint::padRight("Below            : " + valueText(units, Quantity::Velocity,
                                                                  belowFps, numberText(belowFps),
                                                                  QStringLiteral(" fps")),
                                ItemWidth);
    };
    QStringList lines;
    // The lower band holds between the lowest band's velocity and its own.
    if (load.bcMed > UnusedBandBc && load.vMed > load.vLow && slowestFps <= load.vMed &&
        fastestFps > load.vLow)
        lines << line("Lower BC        : ", load.bcMed, load.vMed);
    if (load.bcLow > UnusedBandBc && slowestFps <= load.vLow)
        lines << line("Lowest BC       : ", load.bcLow, load.vLow);
    return lines;
}

std::vector<MPrint::Columns> rowCells(const std::vector<TableRow>& rows,
                                      const std::vector<TableColumns::Format>& columns) {
    std::vector<MPrint::Columns> cells;
    cells.reserve(rows.size());
    for (const TableRow& row : rows) {
        MPrint::Columns texts;
        for (const TableColumns::Format& f : columns)
            if (f.inText) texts << TableColumns::cellText(f, row[f.column]);
        cells.push_back(std::move(texts));
    }
    return cells;
}

std::vector<int> columnWidths(const std::vector<MPrint::Columns>& cells,
                              const std::vector<TableColumns::Format>& columns) {
    // The columns give the count when there are no rows: the header still needs its widths.
    const auto shown = std::count_if(columns.begin(), columns.end(),
                                     [](const TableColumns::Format& f) { return f.inText; });
    std::vector<int> widths(size_t(shown), MPrint::ColumnWidth);
    for (const MPrint::Columns& texts : cells)
        for (size_t i = 0; i < widths.size(); ++i)
            widths[i] = std::max(widths[i], int(texts[qsizetype(i)].size()));
    return widths;
}

void appendHeader(QString& out, const CInput& in1, const HeaderSettings& h,
                  const std::vector<TableColumns::Format>& columns, const QString& separator,
                  const std::vector<int>& widths) {
    using namespace MPrint;
    const auto item = [&out](const QString& text) { appendWord(out, padRight(text, ItemWidth)); };
    const double rangeScale = h.units.rangeScale(h.metric);
    // A converted range has decimals: its unit is abbreviated to keep the item's width.
    const bool metres = h.units.rangeInMetres(h.metric);
    const QString unit = rangeScale != 1.0 ? (metres ? QStringLiteral(" m") : QStringLiteral(" yd"))
                         : metres          ? QStringLiteral(" meters")
                                           : QStringLiteral(" yards");

    appendWord(out, h.cartridge);
    printNewLine(out);
    const float altFt = h.advanced ? in1.alt : StandardAltitudeFt;
    const float tempF = h.advanced ? in1.temp : StandardTemperatureF;
    const Units::ShownUnits& u = h.units;
    item("Altitude        : " +
         valueText(u, Quantity::Altitude, altFt, numberText(altFt), QStringLiteral(" ft")));
    item("Temperature      : " + valueText(u, Quantity::Temperature, tempF, numberText(tempF),
                                           QStringLiteral("  \u00B0F")));
    if (!h.advanced) appendWord(out, QStringLiteral("(standard sea-level air)"));
    printNewLine(out);
    item("Bullet Weight   : " + valueText(u, Quantity::Weight, float(in1.ibweight),
                                          QString::number(in1.ibweight), QStringLiteral(" gr")));
    item("BC               : " + numberText(in1.bcoef));
    printNewLine(out);
    for (const QString& line : h.bands) {
        appendWord(out, line);
        printNewLine(out);
    }
    if (h.windByZone) {
        // The one wind of the load is not what the table used: the zones below are.
        item(QStringLiteral("Xwind Speed     : by zone"));
        item(QStringLiteral("Xwind Angle      : by zone"));
    } else {
        item("Xwind Speed     : " + valueText(u, Quantity::WindSpeed, float(in1.ixwvel),
                                              QString::number(in1.ixwvel), QStringLiteral(" mph")));
        item("Xwind Angle      : " + QString::number(in1.ixwangl) + QStringLiteral(" \u00B0"));
    }
    printNewLine(out);
    item("Muzzle Velocity : " + valueText(u, Quantity::Velocity, float(in1.imvel),
                                          QString::number(in1.imvel), QStringLiteral(" fps")));
    item("Zero Range       : " +
         (rangeScale == 1.0
              ? QString::number(in1.izrange)
              : numberText(MNumber::roundDecimals(float(in1.izrange * rangeScale), 1))) +
         unit);
    printNewLine(out);
    const float targetMph = float(MNumber::parse(h.targetSpeed).value_or(0));
    item("Target Speed    : " +
         valueText(u, Quantity::WindSpeed, targetMph, h.targetSpeed, QStringLiteral(" mph")));
    if (h.advanced) item("Angle            : " + h.angle + " degrees");
    printNewLine(out);
    for (const QString& line : h.extra) {
        appendWord(out, line);
        printNewLine(out);
    }
    printNewLine(out);

    if (h.milRange) {
        appendWord(out, QStringLiteral("MilRange is the number of inches covered by one Mildot. "));
        appendWord(out, "Scope Magnification: x" + numberText(h.scopeMag));
        printNewLine(out);
    }

    Columns headings, dashes;
    for (const TableColumns::Format& f : columns) {
        if (!f.inText) continue;
        headings << f.heading;
        // A widened column's dashes widen with it.
        const size_t at = size_t(dashes.size());
        const int extra = at < widths.size() ? widths[at] - ColumnWidth : 0;
        dashes << QString::fromLatin1(Dashes) + QString(std::max(extra, 0), '-');
    }
    // Without MilRange the classic headings had an empty eleventh text; it changed nothing.
    printColumns(out, headings, separator, widths);
    // Units other than the classic ones are named under the headings.
    if (!h.units.isImperial()) {
        Columns units;
        for (const TableColumns::Format& f : columns)
            if (f.inText) units << f.unit;
        printColumns(out, units, separator, widths);
    }
    printColumns(out, dashes, separator, widths);
}

void appendRow(QString& out, const MPrint::Columns& cells, float soundBarrierMark,
               const QString& separator, const std::vector<int>& widths) {
    MPrint::printColumns(out, cells, separator, widths);
    // The precision model marks where the bullet turns transonic and subsonic after the row.
    const QString mark = TableColumns::soundBarrierText(soundBarrierMark);
    const qsizetype lineEnd = out.lastIndexOf(QStringLiteral("\r\n"));
    if (!mark.isEmpty() && lineEnd >= 0) out.insert(lineEnd, mark);
}

void appendShortEnd(QString& out, float lastRange, float maxRange, bool metric) {
    const QString unit = metric ? QStringLiteral(" meters") : QStringLiteral(" yards");
    MPrint::printNewLine(out);
    MPrint::appendWord(out, "The bullet does not reach " + numberText(maxRange) + unit +
                                "; the table ends at " + numberText(lastRange) + unit + '.');
    MPrint::printNewLine(out);
}

} // namespace TableText
