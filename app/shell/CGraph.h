// The chart of the Graph tab: two line series over linear axes, the load on screen solid in the
// text colour (black on the usual light desktop) and the comparison load dashed, with the
// cartridge names in a legend at the bottom. The chart takes its background, text and grid from
// the widget's palette, so a dark desktop theme gets a dark graph.
#pragma once

#include "load/GraphModel.h"

#include <QChartView>
#include <QColor>
#include <QImage>
#include <cstdint>
#include <optional>
#include <vector>

class QChart;
class QLineSeries;
class QValueAxis;

class CGraph : public QChartView {
    Q_OBJECT
public:
    explicit CGraph(QWidget* parent = nullptr);

    // Draws both series with their legends and titles. chChartType is 3 for 2D and 2 for 3D;
    // both end as the same XY chart, which two-column series need.
    void graphShow(const std::vector<float>& dropArray1, const std::vector<float>& dropArray2,
                   const std::vector<float>& rangeArray1, const std::vector<float>& rangeArray2,
                   int16_t chChartType, const QString& legend1, const QString& legend2,
                   const QString& yAxisTitle, const QString& xAxisTitle);
    void graphShow(const GraphData& data);
    // The upright line where the bullet goes subsonic, or none.
    void showSubsonic(std::optional<float> range);

    QLineSeries* series1() const { return line1; }
    QLineSeries* series2() const { return line2; }
    QLineSeries* subsonicMark() const { return subsonic; }
    QValueAxis* axisX() const { return xAxis; }
    QValueAxis* axisY() const { return yAxis; }
    // Rows of the grid the last draw filled: the longer of the two series.
    int rowCount() const { return rows; }
    int16_t chartType() const { return chartCode; }

    // The chart as shown, as a picture (printing, screenshots).
    QImage picture() const;

    static QColor compareColour() { return QColor(220, 120, 55); }
    // The load's line: the palette's text colour.
    QColor inkColour() const;
    static constexpr int axisTitlePointSize = 12;
    static constexpr int legendPointSize = 11; // the cartridge names read at a glance

protected:
    void changeEvent(QEvent* event) override;

private:
    // Background, texts, axes and grid in the palette's colours.
    void followPalette();
    void setAxisTitles(const QString& yAxisTitle, const QString& xAxisTitle);
    // Nice bounds and ticks around the values shown.
    void fitAxes(bool withSeries2);

    QLineSeries* line1 = nullptr;
    QLineSeries* line2 = nullptr;
    QLineSeries* subsonic = nullptr; // an upright line where the bullet goes subsonic
    QValueAxis* xAxis = nullptr;
    QValueAxis* yAxis = nullptr;
    int rows = 0;
    int16_t chartCode = 3;
};
