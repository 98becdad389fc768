// The Graph tab's content as plain data: the points of the load on screen and of the comparison
// load, the axis titles and the legends. The chart widget only draws what this produces.
#pragma once

#include "load/CInput.h"
#include "load/CTextOutput.h"
#include "load/LoadSnapshot.h"
#include "services/Problem.h"

#include <QList>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

// One curve: x and y of each point (same length), and its legend text.
struct GraphSeries {
    std::vector<float> x;
    std::vector<float> y;
    QString legend;

    size_t size() const { return x.size(); }
};

struct GraphData {
    GraphSeries series1;   // the load on screen: solid black
    GraphSeries series2;   // the comparison load, or the single point (0, 0)
    QString xTitle;        // "Range / Yards" or "Range / Meters"
    QString yTitle;        // by the y-axis choice
    int16_t chartType = 3; // 3 for 2D, 2 for 3D; both end as the same XY chart
    bool comparing = false;
    QString problem; // why the load on screen has no curve (the precision model could not fly it)
    QString compareProblem;  // why the comparison, saved with the precision model, has none
    float handedBc = 0;      // the coefficient handed to the solver for the load on screen (0:
                             // no curve)
    QList<Problem> failures; // for the entry point to report, in order
    // Where the load on screen goes subsonic (precision model), in the range unit.
    std::optional<float> subsonicRange;

    // Rows of the chart's grid: enough for the longer of the two series.
    size_t rowCount() const { return std::max(series1.size(), series2.size()); }
};

namespace GraphText {
// Titles of the y axis by choice: 0 Drop, 1 Velocity, 2 Energy, 3 Wind Drift.
QString yAxisTitle(int yAxis);
// The same naming the shooter's unit when it is not the classic one ("Drop / cm"); the drift
// names its wind when the wind unit is not mph ("Wind Drift 16.1 km/h / cm").
QString yAxisTitle(int yAxis, const Units::ShownUnits& units);
// The wind the drift choice is captioned with.
inline constexpr double DriftWindMph = 10;
// The y-axis choice of the drift: "Wind Drift 10mph", or that wind in the shooter's wind unit
// ("Wind Drift 16.1 km/h", "Wind Drift 4.47 m/s").
QString windDriftChoice(const Units::ShownUnits& units);
QString xAxisTitle(bool metric);
// The chart code handed to the chart: 2 for the 3D choice, 3 for 2D.
int16_t chartType(bool is3D);

// What the comparison list shows when Use Compare is switched off, and after a load file is
// read while it is off.
QString notComparing();
QString noComparison();
} // namespace GraphText

// A load file the comparison list offers: the name it shows, and the file.
struct CompareChoice {
    QString name;
    QString path;
};

class GraphModel {
public:
    CInput compareInput;            // the comparison load of the last refresh
    PrecisionForm comparePrecision; // and its precision part
    // The file of the load on screen: a comparison naming it is not drawn (a load compared with
    // itself).
    QString loadFile;

    // The graph part of the view refresh: the snapshot's points, and the comparison's when Use
    // Compare is on and the comparison file exists (the load on screen overwritten by its first
    // 17 fields). `comparison` is the form's, whose path may become the application folder's
    // copy of the file.
    GraphData refresh(const LoadSnapshot& snapshot, Comparison& comparison, CTextOutput& txt);

    // Titles and legends for two computed curves (graphShow2D3D).
    GraphData compose(std::vector<float> range1, std::vector<float> drop1,
                      std::vector<float> range2, std::vector<float> drop2,
                      const LoadSnapshot& snapshot, bool comparing) const;

    // What the graph plots for a row: 0 drop, 1 velocity, 2 energy, 3 drift at the load's wind.
    static float plotted(const TableRow& row, int yAxis);

    // A comparison file chosen through the open dialog: it becomes the comparison, is read into
    // compareInput, and Use Compare is switched on. What was wrong with the file, for the entry
    // point to report.
    QList<Problem> chooseCompareFile(const QString& path, Comparison& comparison);

    // The load files the comparison list offers beside the load at `loadFile` (empty: none on
    // screen): the "*.qvt" files of its own folder, then of the program's folder for the user's
    // loads (MSmallBallStruct::documentFolder), then of the per-user data folder. A name is
    // offered once, from the first folder that has it; the load itself is not offered.
    static QList<CompareChoice> compareChoices(const QString& loadFile = QString());
    // A name chosen (or typed) in the comparison list: the path of that file among
    // compareChoices(loadFile), or "" when there is no such file.
    static QString compareFileFor(const QString& listText, const QString& loadFile = QString());
    // True when `compareFile` is the load at `loadFile` itself.
    static bool isSameFile(const QString& compareFile, const QString& loadFile);
    // The comparison file as the graph finds it (the application folder's copy when only that
    // exists), or "" when it is not there.
    static QString existingCompareFile(const QString& compareFile);
};
