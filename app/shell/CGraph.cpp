#include "shell/CGraph.h"

#include <QChart>
#include <QEvent>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPalette>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QList<QPointF> points(const std::vector<float>& x, const std::vector<float>& y) {
    QList<QPointF> out;
    const size_t n = std::min(x.size(), y.size());
    out.reserve(static_cast<qsizetype>(n));
    for (size_t i = 0; i < n; ++i)
        out.append(QPointF(x[i], y[i]));
    return out;
}

struct Bounds {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();

    void add(const QList<QPointF>& pts, bool useX) {
        for (const QPointF& p : pts) {
            const double v = useX ? p.x() : p.y();
            if (!std::isfinite(v)) continue;
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    // An empty or flat set of values still gets an axis of some height.
    void widen() {
        if (low > high) low = 0, high = 1;
        if (high - low < 1e-6) low -= 1, high += 1;
    }
};

void applyPen(QLineSeries* series, const QColor& colour, Qt::PenStyle style) {
    QPen pen(colour);
    pen.setWidthF(2.0);
    pen.setStyle(style);
    series->setPen(pen);
    series->setPointsVisible(false);
}

} // namespace

CGraph::CGraph(QWidget* parent) : QChartView(parent) {
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(6, 6, 12, 6));
    line1 = new QLineSeries(chart);
    line2 = new QLineSeries(chart);
    line1->setObjectName(QStringLiteral("series1"));
    line2->setObjectName(QStringLiteral("series2"));
    // On the chart only while there is a place to mark, so a classic graph is as it was.
    subsonic = new QLineSeries(this);
    subsonic->setObjectName(QStringLiteral("subsonic"));
    chart->addSeries(line1);
    chart->addSeries(line2);
    xAxis = new QValueAxis(chart);
    yAxis = new QValueAxis(chart);
    for (QValueAxis* axis : {xAxis, yAxis}) {
        axis->setLabelFormat(QStringLiteral("%g"));
        axis->setTitleVisible(true);
        axis->setMinorTickCount(1);
    }
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    for (QLineSeries* s : {line1, line2}) {
        s->attachAxis(xAxis);
        s->attachAxis(yAxis);
    }
    applyPen(line1, inkColour(), Qt::SolidLine);
    applyPen(line2, compareColour(), Qt::DashLine);
    applyPen(subsonic, QColor(0xc0, 0x30, 0x30), Qt::DotLine);
    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    QFont legendFont = chart->legend()->font();
    legendFont.setPointSize(legendPointSize);
    chart->legend()->setFont(legendFont);
    // The view made a chart of its own, which setChart hands back to us rather than deleting.
    QChart* initial = QChartView::chart();
    setChart(chart);
    delete initial;
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(360, 260);
    followPalette();
}

QColor CGraph::inkColour() const {
    return palette().color(QPalette::Text);
}

void CGraph::changeEvent(QEvent* event) {
    QChartView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) followPalette();
}

void CGraph::followPalette() {
    const QPalette colours = palette();
    const QColor base = colours.color(QPalette::Base);
    const QColor ink = inkColour();
    // Grid lines a little way from the background towards the text: faint on either theme.
    const QColor grid = QColor::fromRgbF(base.redF() * 0.82f + ink.redF() * 0.18f,
                                         base.greenF() * 0.82f + ink.greenF() * 0.18f,
                                         base.blueF() * 0.82f + ink.blueF() * 0.18f);
    QChart* shown = chart();
    shown->setBackgroundBrush(base);
    shown->setPlotAreaBackgroundVisible(false);
    shown->setTitleBrush(ink);
    shown->legend()->setLabelColor(ink);
    for (QValueAxis* axis : {xAxis, yAxis}) {
        axis->setLabelsColor(ink);
        axis->setTitleBrush(ink);
        axis->setLinePenColor(ink);
        axis->setGridLineColor(grid);
        axis->setMinorGridLineColor(grid.lighter(base.lightness() > 127 ? 106 : 80));
    }
    applyPen(line1, ink, Qt::SolidLine);
    setBackgroundBrush(base);
}

void CGraph::graphShow(const std::vector<float>& dropArray1, const std::vector<float>& dropArray2,
                       const std::vector<float>& rangeArray1, const std::vector<float>& rangeArray2,
                       int16_t chChartType, const QString& legend1, const QString& legend2,
                       const QString& yAxisTitle, const QString& xAxisTitle) {
    chartCode = chChartType; // either code draws the XY chart below
    chart()->legend()->setVisible(true);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    setAxisTitles(yAxisTitle, xAxisTitle);

    const QList<QPointF> p1 = points(rangeArray1, dropArray1);
    const QList<QPointF> p2 = points(rangeArray2, dropArray2);
    rows = static_cast<int>(std::max(p1.size(), p2.size()));

    line1->replace(p1);
    line1->setName(legend1);
    applyPen(line1, inkColour(), Qt::SolidLine);
    line2->replace(p2);
    line2->setName(legend2);
    applyPen(line2, compareColour(), Qt::DashLine);

    // The single point that stands for "no comparison" neither names itself in the legend nor
    // stretches the axes.
    const bool comparing = !(p2.size() <= 1 && legend2.isEmpty());
    for (QLegendMarker* marker : chart()->legend()->markers(line2))
        marker->setVisible(comparing);
    fitAxes(comparing);
    showSubsonic(std::nullopt);
}

void CGraph::graphShow(const GraphData& data) {
    graphShow(data.series1.y, data.series2.y, data.series1.x, data.series2.x, data.chartType,
              data.series1.legend, data.series2.legend, data.yTitle, data.xTitle);
    showSubsonic(data.subsonicRange);
}

void CGraph::showSubsonic(std::optional<float> range) {
    const bool shown = chart()->series().contains(subsonic);
    if (!range) {
        if (shown) {
            chart()->removeSeries(subsonic);
            subsonic->setParent(this);
        }
        subsonic->clear();
        return;
    }
    if (!shown) {
        chart()->addSeries(subsonic);
        subsonic->attachAxis(xAxis);
        subsonic->attachAxis(yAxis);
    }
    // Across the whole height of the plot, after the axes were fitted to the curves.
    subsonic->replace({QPointF(*range, yAxis->min()), QPointF(*range, yAxis->max())});
    subsonic->setName(QStringLiteral("Subsonic at %1").arg(double(*range)));
}

void CGraph::setAxisTitles(const QString& yAxisTitle, const QString& xAxisTitle) {
    const std::pair<QValueAxis*, QString> titles[] = {{yAxis, yAxisTitle}, {xAxis, xAxisTitle}};
    for (const auto& [axis, title] : titles) {
        QFont font = axis->titleFont();
        font.setPointSize(axisTitlePointSize);
        axis->setTitleFont(font);
        axis->setTitleText(title);
        axis->setTitleVisible(true);
    }
}

void CGraph::fitAxes(bool withSeries2) {
    Bounds bx, by;
    bx.add(line1->points(), true);
    by.add(line1->points(), false);
    if (withSeries2) {
        bx.add(line2->points(), true);
        by.add(line2->points(), false);
    }
    bx.low = std::min(bx.low, 0.0); // ranges are read from the muzzle
    bx.widen();
    by.widen();
    xAxis->setRange(bx.low, bx.high);
    xAxis->setTickCount(11);
    xAxis->applyNiceNumbers();
    yAxis->setRange(by.low, by.high);
    yAxis->setTickCount(9);
    yAxis->applyNiceNumbers();
}

QImage CGraph::picture() const {
    return const_cast<CGraph*>(this)->grab().toImage();
}
