#include "load/TableText.h"

#include "load/MPrint.h"
#include "services/MNumber.h"

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
} // namespace

QStringList bandLines(const CInput& load, const std::vector<TableRow>& rows) {
    if (rows.empty()) return {};
    float fastestFps = rows.front()[TableColumns::Velocity];
    float slowestFps = fastestFps;
    for (const TableRow& row : rows) {
        fastestFps = std::max(fastestFps, row[TableColumns::Velocity]);
        slowestFps = std::min(slowestFps, row[TableColumns::Velocity]);
    }
    const auto line = [](const char* label, float bc, float belowFps) {
        // Two header items, as appendHeader writes them.
        return MPrint::padRight(QString::fromLatin1(label) + numberText(bc), ItemWidth) + ' ' +
               MPrint::padRight("Below            : " + numberText(belowFps) + " fps", ItemWidth);
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

std::vector<int> columnWidths(const std::vector<TableRow>& rows,
                              const std::vector<TableColumns::Format>& columns) {
    std::vector<int> widths;
    for (const TableColumns::Format& f : columns) {
        if (!f.inText) continue;
        int width = MPrint::ColumnWidth;
        for (const TableRow& row : rows)
            width = std::max(width, int(TableColumns::cellText(f, row[f.column]).size()));
        widths.push_back(width);
    }
    return widths;
}

void appendHeader(QString& out, const CInput& in1, const HeaderSettings& h,
                  const std::vector<TableColumns::Format>& columns, const QString& separator,
                  const std::vector<int>& widths) {
    using namespace MPrint;
    const auto item = [&out](const QString& text) { appendWord(out, padRight(text, ItemWidth)); };
    const QString unit = h.metric ? QStringLiteral(" meters") : QStringLiteral(" yards");

    appendWord(out, h.cartridge);
    printNewLine(out);
    const float altFt = h.advanced ? in1.alt : StandardAltitudeFt;
    const float tempF = h.advanced ? in1.temp : StandardTemperatureF;
    item("Altitude        : " + numberText(altFt) + " ft");
    item("Temperature      : " + numberText(tempF) + QStringLiteral("  \u00B0F"));
    if (!h.advanced) appendWord(out, QStringLiteral("(standard sea-level air)"));
    printNewLine(out);
    item("Bullet Weight   : " + QString::number(in1.ibweight) + " gr");
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
        item("Xwind Speed     : " + QString::number(in1.ixwvel) + " mph");
        item("Xwind Angle      : " + QString::number(in1.ixwangl) + QStringLiteral(" \u00B0"));
    }
    printNewLine(out);
    item("Muzzle Velocity : " + QString::number(in1.imvel) + " fps");
    item("Zero Range       : " + QString::number(in1.izrange) + unit);
    printNewLine(out);
    item("Target Speed    : " + h.targetSpeed + " mph");
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
    printColumns(out, dashes, separator, widths);
}

void appendRow(QString& out, const TableRow& row, const std::vector<TableColumns::Format>& columns,
               const QString& separator, const std::vector<int>& widths) {
    MPrint::Columns cells;
    for (const TableColumns::Format& f : columns)
        if (f.inText) cells << TableColumns::cellText(f, row[f.column]);
    MPrint::printColumns(out, cells, separator, widths);
    // The precision model marks where the bullet turns transonic and subsonic after the row.
    const QString mark = TableColumns::soundBarrierText(row[TableColumns::SoundBarrier]);
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
