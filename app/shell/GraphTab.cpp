#include "shell/GraphTab.h"

#include "load/CTextOutput.h"
#include "load/LoadModel.h"
#include "load/LoadSnapshot.h"
#include "services/ErrorNumbers.h"
#include "services/Problem.h"
#include "shell/CGraph.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <exception>

GraphTab::GraphTab(LoadModel& model, CTextOutput& txt, QWidget* parent)
    : QWidget(parent), model(model), txt(txt) {
    compareLabel = new QLabel(QStringLiteral("Compare to:"), this);
    compareLabel->setObjectName(QStringLiteral("lblGraphCompare"));
    compareSlot = new QHBoxLayout;
    compareSlot->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    top->addWidget(compareLabel);
    top->addLayout(compareSlot);
    top->addStretch();

    graph = new CGraph(this);
    graph->setAccessibleName(QStringLiteral("Trajectory graph"));
    graph->setObjectName(QStringLiteral("graph"));
    graph->setVisible(false); // nothing drawn yet

    problemLabel = new QLabel(this);
    problemLabel->setObjectName(QStringLiteral("lblGraphProblem"));
    problemLabel->setAlignment(Qt::AlignCenter);
    problemLabel->setWordWrap(true);
    problemLabel->setVisible(false);

    compareProblemLabel = new QLabel(this);
    compareProblemLabel->setObjectName(QStringLiteral("lblCompareProblem"));
    compareProblemLabel->setWordWrap(true);
    compareProblemLabel->setVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(graph, 1);
    layout->addWidget(problemLabel, 1);
    layout->addWidget(compareProblemLabel);
}

void GraphTab::showProblem(const QString& problem) {
    problemLabel->setText(problem);
    problemLabel->setVisible(!problem.isEmpty());
    if (!problem.isEmpty()) graph->setVisible(false);
}

void GraphTab::refresh(const LoadSnapshot& snapshot) {
    compareProblemLabel->setVisible(false);
    const QString problem = snapshot.loadProblem();
    showProblem(problem);
    if (!problem.isEmpty()) return;
    try {
        GraphData next = state.refresh(snapshot, model.form.comparison, txt);
        Problems::report(next.failures);
        if (next.handedBc != 0.0f) emit coefficientHanded(next.handedBc);
        // The precision model can find a load it cannot fly (its zero out of reach).
        showProblem(next.problem);
        if (!next.problem.isEmpty()) return;
        graph->graphShow(next);
        compareProblemLabel->setText(next.compareProblem);
        compareProblemLabel->setVisible(!next.compareProblem.isEmpty());
        data = std::move(next);
        graph->setVisible(true);
    } catch (const std::exception& e) {
        graph->setVisible(false);
        Problems::report(Problem::failure(QStringLiteral("ui"), QStringLiteral("graphShow2D3D"),
                                          ErrorNumbers::Internal,
                                          QString::fromLocal8Bit(e.what())));
    }
}

void GraphTab::tabShown(int tab, int ownIndex, const LoadSnapshot& snapshot) {
    if (tab == ownIndex) refresh(snapshot);
}

void GraphTab::borrowCompareBox(QComboBox* box) {
    if (!box || compareSlot->indexOf(box) >= 0) return;
    compareLabel->setBuddy(box);
    compareSlot->addWidget(box);
    box->setVisible(true);
}
