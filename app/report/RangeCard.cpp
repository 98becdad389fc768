#include "report/RangeCard.h"

#include "load/CTextOutput.h"
#include "load/HitTable.h"
#include "load/InputFields.h"
#include "load/LoadSnapshot.h"
#include "load/MPrint.h"
#include "report/PdfFile.h"
#include "services/CDrag.h"
#include "services/ErrorNumbers.h"
#include "services/MNumber.h"
#include "services/UnitText.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <exception>
#include <numeric>

namespace RangeCard {

namespace {

using TableColumns::Column;

// The card's wind: a full-value crosswind from the left at this speed.
constexpr int16_t CardWindMph = 10;
constexpr int16_t FromTheLeft = 90;

QString fixed(float value, int decimals) {
    return MPrint::formatFixed(value, decimals);
}

QStringList factsOf(const LoadSnapshot& model, const CInput& in1) {
    using Units::Quantity;
    const MainValues& v = model.values;
    const Units::ShownUnits& units = model.units;
    const bool advanced = model.form.isAdvanced();
    const bool metres = units.rangeInMetres(model.form.isMetric());
    const double rangeScale = units.rangeScale(model.form.isMetric());
    const QString rangeUnit = metres ? QStringLiteral(" m") : QStringLiteral(" yd");
    const QStringList drags = CDrag::names();
    const PrecisionForm& precision = model.form.precision;
    const QString drag = precision.on ? QFileInfo(precision.dragTable).fileName()
                         : advanced && in1.dragIndex >= 0 && in1.dragIndex < drags.size()
                             ? drags[in1.dragIndex]
                             : drags.first();
    // A value as the classic card writes it, or in the shooter's unit.
    const auto value = [&units](Quantity q, double stored, const QString& classic,
                                const char* classicUnit) {
        return UnitText::valueText(units, q, stored,
                                   classic + ' ' + QString::fromUtf8(classicUnit));
    };
    QStringList facts;
    facts << QStringLiteral("Bullet: %1, BC %2 (%3)")
                 .arg(value(Quantity::Weight, in1.ibweight, QString::number(in1.ibweight), "gr"),
                      MNumber::shortText(in1.bcoef), drag);
    facts << QStringLiteral("Muzzle velocity: %1")
                 .arg(value(Quantity::Velocity, in1.imvel, QString::number(in1.imvel), "ft/s"));
    facts << QStringLiteral("Zero: %1%2, sight height %3")
                 .arg(rangeScale == 1.0 ? QString::number(in1.izrange)
                                        : MNumber::shortText(MNumber::roundDecimals(
                                              float(in1.izrange * rangeScale), 1)))
                 .arg(rangeUnit, value(Quantity::SightHeight, in1.sightheight,
                                       MNumber::shortText(in1.sightheight), "in"));
    if (advanced)
        facts << QStringLiteral("Air: %1, %2, %3, %4 % humidity")
                     .arg(value(Quantity::Altitude, in1.alt, MNumber::shortText(in1.alt), "ft"),
                          value(Quantity::Temperature, in1.temp, MNumber::shortText(in1.temp),
                                "\u00B0F"),
                          value(Quantity::Pressure, v.pressure,
                                MNumber::fieldText(v.pressure, false), "inHg"),
                          MNumber::shortText(v.humidity));
    else
        facts << QStringLiteral("Air: standard (sea level, %1)")
                     .arg(value(Quantity::Temperature, 59, QStringLiteral("59"), "\u00B0F"));
    facts << QStringLiteral("Wind: %1 full value from the left. Dial: up +, left -")
                 .arg(value(Quantity::WindSpeed, CardWindMph, QStringLiteral("10"), "mph"));
    if (precision.on)
        facts << QStringLiteral("Precision model: wind includes spin drift and Coriolis");
    return facts;
}

// For a load with hit inputs: where the first shot's chance falls below 50 %, between the rows
// that straddle it, on the table's own rows (not the card's, which may skip it).
QString hitFact(const LoadSnapshot& snapshot) {
    if (!snapshot.form.hit) return {};
    const HitInputs& in = *snapshot.form.hit;
    const HitTable::Result hits = HitTable::compute(snapshot, in);
    if (!hits.ok()) return {};
    const double scale = snapshot.units.rangeScale(snapshot.form.isMetric());
    const QString unit = snapshot.units.rangeInMetres(snapshot.form.isMetric())
                             ? QStringLiteral(" m")
                             : QStringLiteral(" yd");
    // The target in the shooter's length unit, to two decimals as the hit probability's boxes
    // show it.
    const Units::ShownUnits& units = snapshot.units;
    const Units::Quantity length = Units::Quantity::Length;
    const auto size = [&](double inches) {
        return units.isStored(length) ? MNumber::shortText(float(inches))
                                      : UnitText::decimalText(units.shown(length, inches), 2);
    };
    const QString lengthUnit = UnitText::symbol(units, length);
    const QString target =
        in.circle() ? QStringLiteral("%1 %2 circle").arg(size(in.circleDiameterIn), lengthUnit)
                    : QStringLiteral("%1 x %2 %3 target")
                          .arg(size(in.targetWidthIn), size(in.targetHeightIn), lengthUnit);
    const auto rangeText = [&](double range) {
        return QString::number(std::lround(range * scale)) + unit;
    };
    const std::vector<HitTable::Row>& rows = hits.rows;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].hitPct >= 50) continue;
        double at = rows[i].range;
        if (i > 0) {
            const HitTable::Row& a = rows[i - 1];
            at =
                a.range + (rows[i].range - a.range) * (a.hitPct - 50) / (a.hitPct - rows[i].hitPct);
        }
        return QStringLiteral("Hit: below 50 % past %1 (%2, %3 MOA group)")
            .arg(rangeText(at), target, MNumber::shortText(float(in.groupMoa)));
    }
    return QStringLiteral("Hit: 50 % or better to %1 (%2, %3 MOA group)")
        .arg(rangeText(rows.back().range), target, MNumber::shortText(float(in.groupMoa)));
}

} // namespace

Collected collect(const LoadSnapshot& snapshot, const Rows& chosen) {
    Collected out;
    out.problem = snapshot.loadProblem();
    if (!out.problem.isEmpty()) return out;
    const CInput& shown = snapshot.values.in1;
    out.problem = rowsProblem(chosen, shown.imaxyds, snapshot.form.isMetric() ? "m" : "yd");
    if (!out.problem.isEmpty()) return out;
    // The card's rows are the table's of a load that steps and ends where the shooter asked.
    LoadSnapshot model = snapshot;
    CInput& steps = model.values.in1;
    if (chosen.step > 0) steps.iydsinc = int16_t(chosen.step);
    if (chosen.last > 0) steps.imaxyds = int16_t(chosen.last);
    try {
        CTextOutput txt;
        const CInput& in1 = model.values.in1;
        // Either table failing leaves the card empty with its reason.
        const auto failed = [&out](const TableResult& result) {
            out.solverFailures += result.solverFailures;
            if (result.ok()) return false;
            out.problem = result.reason;
            out.failure = result.problem;
            return true;
        };
        const TableResult level = txt.rows(model, in1, in1);
        if (failed(level)) return out;
        // In the shooter's units (clicks of the chosen value).
        const TableColumns::Options options = CTextOutput::tableOptions(model);
        const std::vector<TableRow> rows = TableColumns::shownRows(level.rows, options);
        CInput windy = in1;
        windy.ixwvel = CardWindMph;
        windy.ixwangl = FromTheLeft;
        const TableResult windRows = txt.rows(model, in1, windy);
        if (failed(windRows)) return out;
        const std::vector<TableRow> wind = TableColumns::shownRows(windRows.rows, options);

        Card& card = out.card;
        card.title = model.form.fields[InputFields::Cartridge];
        card.facts = factsOf(model, in1);
        if (const QString hit = hitFact(snapshot); !hit.isEmpty()) card.facts << hit;
        card.correctionUnit =
            model.values.isMoa ? QStringLiteral("clicks") : QStringLiteral("mils");
        card.rangeUnit = model.units.rangeInMetres(model.form.isMetric()) ? QStringLiteral("m")
                                                                          : QStringLiteral("yd");
        card.velocityUnit = UnitText::symbol(model.units, Units::Quantity::Velocity);
        card.date = QDate::currentDate();
        for (size_t i = 0; i < rows.size() && i < wind.size(); ++i) {
            if (rows[i][Column::Range] < float(chosen.first) - 0.5f) continue;
            Line line;
            line.range = rows[i][Column::Range];
            // Below the line of sight the sight goes up: the correction to dial is the opposite
            // of the angle the height subtends.
            line.elevation = -rows[i][Column::HeightCorrection];
            line.wind = -wind[i][Column::WindCorrection];
            line.velocity = rows[i][Column::Velocity];
            line.time = rows[i][Column::Time];
            line.soundBarrier = TableColumns::soundBarrierText(rows[i][Column::SoundBarrier]);
            card.lines.push_back(line);
        }
        out.collected = true;
    } catch (const ErrorNumbers::Failure& f) {
        out.card = Card();
        out.failure = Problem::failure(QStringLiteral("RangeCard"), QStringLiteral("collect"),
                                       f.number, QString::fromLocal8Bit(f.what()));
    }
    return out;
}

namespace {

constexpr qreal PointsPerInch = 72.0;
// Line pitch in points: 11 pt lines carry 8 pt type, the least a card reads at arm's length;
// a short card stops growing at 20 pt lines.
constexpr qreal LeastLinePoints = 11.0;
constexpr qreal LargestLinePoints = 20.0;
constexpr qreal TypePerLine = 0.72;
// The pocket card's rows when the shooter picks none.
constexpr int PocketStep = 100;

// Device units per point of the painter's device (1 on a device that says nothing).
qreal unitsPerPoint(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    const int dpi = device ? device->logicalDpiY() : 0;
    return dpi > 0 ? dpi / PointsPerInch : 1.0;
}

QStringList headingsOf(const Card& card, bool marks) {
    QStringList headings{QStringLiteral("Range (%1)").arg(card.rangeUnit),
                         QStringLiteral("Elev (%1)").arg(card.correctionUnit),
                         QStringLiteral("Wind 10 (%1)").arg(card.correctionUnit),
                         QStringLiteral("Vel (%1)").arg(card.velocityUnit),
                         QStringLiteral("TOF (s)")};
    if (marks) headings << QStringLiteral("Speed");
    return headings;
}

QStringList cellsOf(const Card& card, const Line& l, bool marks) {
    const int decimals = card.correctionUnit == QLatin1String("clicks") ? 0 : 1;
    QStringList cells{MNumber::shortText(l.range), fixed(l.elevation, decimals),
                      fixed(l.wind, decimals), fixed(l.velocity, 0), fixed(l.time, 3)};
    if (marks) cells << l.soundBarrier;
    return cells;
}

// A heading on two lines, its unit under its name: "Wind 10" over "(clicks)".
QStringList stacked(const QString& heading) {
    const qsizetype cut = heading.lastIndexOf(QLatin1Char(' '));
    if (cut < 0) return {heading, QString()};
    return {heading.left(cut), heading.mid(cut + 1)};
}

// Each column's width: its widest heading part or cell.
QList<qreal> columnWidths(const QFontMetricsF& body, const QFontMetricsF& bold,
                          const QStringList& headings, bool stackHeadings,
                          const std::vector<QStringList>& cells) {
    QList<qreal> widths;
    for (int c = 0; c < headings.size(); ++c) {
        qreal w = 0;
        for (const QString& part : stackHeadings ? stacked(headings[c]) : QStringList{headings[c]})
            w = std::max(w, bold.horizontalAdvance(part));
        for (const QStringList& row : cells)
            w = std::max(w, body.horizontalAdvance(row[c]));
        widths << w;
    }
    return widths;
}

qreal sum(const QList<qreal>& values) {
    return std::accumulate(values.begin(), values.end(), 0.0);
}

} // namespace

Rows defaultRows(Size size, int maxRange, int increment) {
    if (size == Size::Page) return Rows{0, maxRange, increment};
    return Rows{0, maxRange, std::max(PocketStep, increment)};
}

QString rowsProblem(const Rows& rows, int maxRange, const QString& unit) {
    const int last = rows.last > 0 ? rows.last : maxRange;
    if (rows.first < 0 || rows.step < 0 || rows.last < 0 || last > maxRange || rows.first > last)
        return QStringLiteral("The card's rows must lie between 0 and the maximum range (%1 %2), "
                              "the first not beyond the last")
            .arg(maxRange)
            .arg(unit);
    return {};
}

QPageLayout pageLayout(Size size) {
    if (size == Size::Pocket)
        return QPageLayout(QPageSize(QPageSize::A6), QPageLayout::Landscape, QMarginsF(5, 5, 5, 5),
                           QPageLayout::Millimeter);
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

int draw(QPainter& painter, const QRectF& page, const Card& card, int firstLine) {
    painter.save();
    painter.fillRect(page, Qt::white);
    painter.setPen(Qt::black);
    const qreal unit = unitsPerPoint(painter);
    // A column for the sound barrier only on a card that has a row to mark.
    const bool marks = std::any_of(card.lines.begin(), card.lines.end(),
                                   [](const Line& l) { return !l.soundBarrier.isEmpty(); });
    const QStringList headings = headingsOf(card, marks);
    std::vector<QStringList> cells;
    for (const Line& l : card.lines)
        cells.push_back(cellsOf(card, l, marks));
    const int left = std::clamp(firstLine, 0, int(cells.size()));

    // Type as large as the page allows for the lines left, within what reads well on a card.
    const qreal above = 1 + card.facts.size() + 0.5 + 2; // title, facts, a gap, the headings
    const qreal pagePoints = page.height() / unit;
    // Every page of a long card has the type of its first.
    qreal linePoints =
        std::clamp(pagePoints / (above + int(cells.size())), LeastLinePoints, LargestLinePoints);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(linePoints * TypePerLine);
    QFont bold = font;
    bold.setBold(true);
    // Headings on one line when the columns fit so, else each unit under its name; the type
    // shrinks only for a table still wider than the page.
    bool stack = false;
    QList<qreal> widths;
    qreal gap = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QFontMetricsF body(font, painter.device()), heavy(bold, painter.device());
        gap = body.horizontalAdvance(QStringLiteral("  "));
        widths = columnWidths(body, heavy, headings, stack, cells);
        const qreal needed = sum(widths) + gap * (widths.size() - 1);
        if (needed <= page.width()) break;
        if (!stack) {
            stack = true;
            continue;
        }
        const qreal scale = page.width() / needed;
        font.setPointSizeF(font.pointSizeF() * scale);
        bold.setPointSizeF(font.pointSizeF());
    }
    const qreal lineHeight = linePoints * unit;
    // The columns share the width left over, right-aligned under their headings.
    const qreal spare = std::max(0.0, page.width() - sum(widths) - gap * (widths.size() - 1));
    const qreal spread = widths.size() > 1 ? spare / (widths.size() - 1) : 0;

    qreal y = page.top();
    const auto text = [&](const QRectF& box, const QString& s, int align, const QFont& f) {
        painter.setFont(f);
        painter.drawText(box, align | Qt::AlignVCenter, s);
    };
    const auto row = [&](const QStringList& texts, const QFont& f) {
        qreal x = page.left();
        for (int i = 0; i < texts.size(); ++i) {
            text(QRectF(x, y, widths[i], lineHeight), texts[i], Qt::AlignRight, f);
            x += widths[i] + gap + spread;
        }
        y += lineHeight;
    };

    QFont title = bold;
    title.setPointSizeF(font.pointSizeF() * 1.25);
    text(QRectF(page.left(), y, page.width() * 0.7, lineHeight), card.title, Qt::AlignLeft, title);
    text(QRectF(page.left(), y, page.width(), lineHeight), card.date.toString(Qt::ISODate),
         Qt::AlignRight, font);
    y += lineHeight;
    for (const QString& fact : card.facts) {
        text(QRectF(page.left(), y, page.width(), lineHeight), fact, Qt::AlignLeft, font);
        y += lineHeight;
    }
    y += lineHeight / 2;
    if (stack) {
        QStringList names, units;
        for (const QString& heading : headings) {
            names << stacked(heading)[0];
            units << stacked(heading)[1];
        }
        row(names, bold);
        row(units, bold);
    } else {
        row(headings, bold);
    }
    painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
    int next = left;
    // At least one line a page, so that a card always ends.
    while (next < int(cells.size()) && (next == left || y + lineHeight <= page.bottom() + 0.5))
        row(cells[size_t(next++)], font);
    painter.restore();
    return next;
}

bool print(QPagedPaintDevice& device, const Card& card) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const QRectF page(0, 0, device.width(), device.height());
    int next = draw(painter, page, card);
    while (next < int(card.lines.size())) {
        if (!device.newPage()) return false;
        next = draw(painter, page, card, next);
    }
    return painter.end();
}

bool writePdf(const QString& path, const Card& card, QString& problem, Size size) {
    const PdfFile::Result result = PdfFile::write(path, [&card, size](QPdfWriter& writer) {
        writer.setTitle(QStringLiteral("Quorvel Range Card: ") + card.title);
        writer.setCreator(QStringLiteral("Quorvel"));
        writer.setResolution(300);
        writer.setPageLayout(pageLayout(size));
        return print(writer, card);
    });
    problem = result.written || !result.problem.isEmpty() ? result.problem
                                                          : QStringLiteral("Printer error");
    return result.written;
}

} // namespace RangeCard
