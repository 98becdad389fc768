// Options > Units…: the shooter's units, by preset (Imperial, Metric) or one by one (Custom),
// and the click value of the scope's turrets.
#pragma once

#include "units/ShownUnits.h"

#include <QDialog>
#include <array>

class QComboBox;

class UnitsDialog : public QDialog {
    Q_OBJECT
public:
    explicit UnitsDialog(const Units::ShownUnits& units, QWidget* parent = nullptr);

    // The units the dialog shows now.
    Units::ShownUnits units() const;

    QComboBox* cboPreset = nullptr;
    QComboBox* cboRange = nullptr;
    std::array<QComboBox*, Units::QuantityCount> cboQuantity{}; // [0] unused: the range's is
                                                                // cboRange
    QComboBox* cboClick = nullptr;

private:
    void show(const Units::ShownUnits& units);
    void presetChosen(int index);
    void choiceChanged();
};
