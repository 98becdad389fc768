// "Hit Probability": the target and the shooter's error spreads in, and at every table row the
// chance of a first-round hit, the impact's sigmas and what costs the most (the error budget),
// as a table and a graph against range. The flights are made once on opening; a change of an
// input only propagates them again, so the numbers follow the typing. The boxes, rows and graph
// are in the shooter's units; OK keeps the inputs with the load in the file's units.
#pragma once

#include "load/HitFields.h"
#include "load/HitTable.h"
#include "load/InputUnits.h"
#include "services/UnitText.h"

#include <QDialog>
#include <array>
#include <optional>

class CGraph;
class LoadModel;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class dlgHitProbability : public QDialog {
    Q_OBJECT
public:
    explicit dlgHitProbability(LoadModel& model, QWidget* parent = nullptr);

    std::array<QLineEdit*, HitFields::Count> txtHit{};
    QTableWidget* tblHits = nullptr;
    CGraph* graph = nullptr;
    QLabel* lblBudget = nullptr;  // the chosen row's budget in words
    QLabel* lblProblem = nullptr; // why there are no rows
    QDialogButtonBox* buttons = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // The inputs as the boxes hold them, in the file's units; none while a box holds no number
    // within its limit.
    std::optional<HitInputs> inputs() const;
    const HitTable::Result& hits() const { return table; }

    // Keeps the inputs with the load (a box out of its limit: its message, the dialog stays).
    void accept() override;

    static const QStringList& headings();

private:
    void build();
    void showInputs(const HitInputs& in);
    // The box's check as the focus leaves it: its message when out of its limit.
    bool refuses(int index) const;
    // The rows again for the boxes' inputs (no flight).
    void recompute();
    void showRows();
    void showBudget(int row);

    LoadModel& model;
    bool metric = false; // the load's own range unit, which the rows and the range SD are in
    InputUnits::FieldUnits units;
    std::array<UnitText::ShownLimit, HitFields::Count> limits{};
    // The inputs the boxes were filled with, and their texts.
    HitInputs shown;
    std::array<QString, HitFields::Count> shownTexts;
    HitTable::Result table;
};
