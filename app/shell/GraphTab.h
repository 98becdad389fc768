// The Graph tab: the comparison list (borrowed from the Input tab while this page shows) above
// the chart of the load on screen and the comparison load. The window tells it when it shows.
#pragma once

#include "load/GraphModel.h"

#include <QWidget>

class CGraph;
class CTextOutput;
class LoadModel;
class QBoxLayout;
class QComboBox;
class QLabel;

class GraphTab : public QWidget {
    Q_OBJECT
public:
    GraphTab(LoadModel& model, CTextOutput& txt, QWidget* parent = nullptr);

    GraphModel state; // the comparison load and Use Compare
    CGraph* graph = nullptr;
    QLabel* compareLabel = nullptr;
    QLabel* problemLabel = nullptr; // shown instead of the chart when the load cannot be drawn
    QLabel* compareProblemLabel = nullptr; // under the chart when the comparison cannot be drawn
    QBoxLayout* compareSlot = nullptr;

    // The graph part of the view refresh (after the fields were copied and the table writer
    // primed): computes both curves and draws them. A load no trajectory can be computed from
    // shows why in place of the chart; a failure is reported and leaves the chart hidden until
    // the next draw that succeeds.
    void refresh(float angle);
    // The data of the last successful draw.
    const GraphData& lastData() const { return data; }

    // Puts the comparison list on this page.
    void borrowCompareBox(QComboBox* box);

    // The window showed tab `tab`: this page draws itself when it is the one (after the window
    // primed the refresh), and returns nothing else.
    void tabShown(int tab, int ownIndex);

private:
    // Shows `problem` in place of the graph; an empty one hides it.
    void showProblem(const QString& problem);
    LoadModel& model;
    CTextOutput& txt;
    GraphData data;
};
