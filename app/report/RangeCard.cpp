#include "report/RangeCard.h"

#include "load/CTextOutput.h"
#include "load/InputFields.h"
#include "load/LoadSnapshot.h"
#include "load/MPrint.h"
#include "report/PdfFile.h"
#include "services/CDrag.h"
#include "services/ErrorNumbers.h"
#include "services/MNumber.h"
#include "services/UnitText.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <exception>

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
        if (units.isStored(q)) return classic + ' ' + QString::fromUtf8(classicUnit);
        return UnitText::withUnit(units, q, stored);
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

} // namespace

Collected collect(const LoadSnapshot& model) {
    Collected out;
    out.problem = model.loadProblem();
    if (!out.problem.isEmpty()) return out;
    try {
        CTextOutput txt;
        const CInput& in1 = model.values.in1;
        // Either table failing leaves the card empty with its reason.
        const auto failed = [&out](const TableResult& result) {
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
        card.correctionUnit =
            model.values.isMoa ? QStringLiteral("clicks") : QStringLiteral("mils");
        card.rangeUnit = model.units.rangeInMetres(model.form.isMetric()) ? QStringLiteral("m")
                                                                          : QStringLiteral("yd");
        card.velocityUnit = UnitText::symbol(model.units, Units::Quantity::Velocity);
        card.date = QDate::currentDate();
        for (size_t i = 0; i < rows.size() && i < wind.size(); ++i) {
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

void draw(QPainter& painter, const QRectF& page, const Card& card) {
    painter.save();
    painter.fillRect(page, Qt::white);
    painter.setPen(Qt::black);
    const int lineCount = int(card.lines.size()) + card.facts.size() + 4;
    // Type as large as the page allows, within what reads well on a card.
    const qreal lineHeight = std::clamp(page.height() / std::max(lineCount, 1), 6.0, 60.0);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(4, int(lineHeight * 0.72)));
    QFont bold = font;
    bold.setBold(true);
    qreal y = page.top();
    const auto text = [&](const QRectF& box, const QString& s, int align, const QFont& f) {
        painter.setFont(f);
        painter.drawText(box, align | Qt::AlignVCenter, s);
    };
    const auto row = [&](const QStringList& cells, const QFont& f) {
        const qreal w = page.width() / cells.size();
        for (int i = 0; i < cells.size(); ++i)
            text(QRectF(page.left() + i * w, y, w * 0.92, lineHeight), cells[i], Qt::AlignRight, f);
        y += lineHeight;
    };

    QFont title = bold;
    title.setPixelSize(int(lineHeight * 0.9));
    text(QRectF(page.left(), y, page.width() * 0.7, lineHeight), card.title, Qt::AlignLeft, title);
    text(QRectF(page.left(), y, page.width(), lineHeight), card.date.toString(Qt::ISODate),
         Qt::AlignRight, font);
    y += lineHeight;
    for (const QString& fact : card.facts) {
        text(QRectF(page.left(), y, page.width(), lineHeight), fact, Qt::AlignLeft, font);
        y += lineHeight;
    }
    y += lineHeight / 2;
    // A column for the sound barrier only on a card that has a row to mark.
    const bool marks = std::any_of(card.lines.begin(), card.lines.end(),
                                   [](const Line& l) { return !l.soundBarrier.isEmpty(); });
    QStringList headings{QStringLiteral("Range (%1)").arg(card.rangeUnit),
                         QStringLiteral("Elev (%1)").arg(card.correctionUnit),
                         QStringLiteral("Wind 10 (%1)").arg(card.correctionUnit),
                         QStringLiteral("Vel (%1)").arg(card.velocityUnit),
                         QStringLiteral("TOF (s)")};
    if (marks) headings << QStringLiteral("Speed");
    row(headings, bold);
    painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
    const int decimals = card.correctionUnit == QLatin1String("clicks") ? 0 : 1;
    for (const Line& l : card.lines) {
        QStringList cells{MNumber::shortText(l.range), fixed(l.elevation, decimals),
                          fixed(l.wind, decimals), fixed(l.velocity, 0), fixed(l.time, 3)};
        if (marks) cells << l.soundBarrier;
        row(cells, font);
    }
    painter.restore();
}

bool writePdf(const QString& path, const Card& card, QString& problem) {
    const PdfFile::Result result = PdfFile::write(path, [&card](QPdfWriter& writer) {
        writer.setTitle(QStringLiteral("Quorvel Range Card: ") + card.title);
        writer.setCreator(QStringLiteral("Quorvel"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        writer.setResolution(300);
        QPainter painter;
        if (!painter.begin(&writer)) return false;
        draw(painter, QRectF(0, 0, writer.width(), writer.height()), card);
        return painter.end();
    });
    problem = result.written || !result.problem.isEmpty() ? result.problem
                                                          : QStringLiteral("Printer error");
    return result.written;
}

} // namespace RangeCard
