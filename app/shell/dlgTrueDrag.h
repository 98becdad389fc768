// "True Drag": ranges with the heights the shooter saw there; True finds the drag scale (one, or
// one per side of Mach 1.2) that makes the precision model pass through them and shows the fit.
// OK keeps it with the load (the caller stores it).
#pragma once

#include "load/TrueDrag.h"

#include <QDialog>
#include <optional>

class LoadModel;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

class dlgTrueDrag : public QDialog {
    Q_OBJECT
public:
    explicit dlgTrueDrag(LoadModel& model, QWidget* parent = nullptr);

    QTableWidget* tblObservations = nullptr;
    QComboBox* cboHeightUnit = nullptr; // inches, or the table's correction unit
    QPlainTextEdit* txtFit = nullptr;
    QLabel* lblWarning = nullptr;
    QPushButton* TrueButton = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // Reads the rows and finds the scales (a row that does not read, or no scale found: one
    // message, nothing shown).
    void TrueButton_Click();
    // The last True's result; none before or after a change.
    const std::optional<TrueDrag::Result>& result() const { return trued; }

private:
    void showResults(bool visible);

    LoadModel& model;
    std::optional<TrueDrag::Result> trued;
};
