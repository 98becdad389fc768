// The Input tab's group for the precision model: the drag table list (the standard tables, the
// shooter's own file, and "Custom…" to pick one), the seven number boxes, the pressure's
// reference (station or sea level) and the powder-sensitivity calculator. It shows and forwards
// like the rest of the page: the values live in the load model's form. Switching between
// standard tables offers the BC that flies the same on the new one; a BC implausible for its
// table is pointed out once.
#pragma once

#include "load/PrecisionFields.h"

#include <QGroupBox>
#include <array>

class LoadModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

class PrecisionBox : public QGroupBox {
    Q_OBJECT
public:
    explicit PrecisionBox(LoadModel& model, QWidget* parent = nullptr);

    // Shows the model's precision part (after a load was read).
    void showForm();

    QComboBox* dragTables() const { return cboDragTable; }
    QComboBox* pressureReference() const { return cboPressure; }
    QLineEdit* input(int index) const { return inputs.at(size_t(index)); }
    QLabel* caption(int index) const { return labels.at(size_t(index)); }
    QToolButton* sensitivityCalculator() const { return cmdSensitivity; }

    // Warns, once for each BC and table, when the load's BC is implausible for its table.
    void warnImplausibleBc();

    // The check made on leaving box `index`: true (and its message shown) when it refuses.
    bool refuses(int index) const;

signals:
    // The drag table changed: the BC caption names it.
    void dragTableChanged();

private:
    void fillDragList();
    // "Custom…" was picked: a drag file is chosen and read; a file that cannot be used is
    // reported and the previous table stays.
    void chooseCustomTable();
    void selectCurrentTable();
    // A standard table was picked in place of another: offers the BC that gives the same drop.
    void switchTable(const QString& table);
    void offerEquivalentBc(const QString& from, const QString& to);
    void calculateSensitivity();

    LoadModel& model;
    QComboBox* cboDragTable = nullptr;
    QComboBox* cboPressure = nullptr;
    QToolButton* cmdSensitivity = nullptr;
    QString warnedBc; // "table|bc" last warned about
    std::array<QLineEdit*, PrecisionFields::Count> inputs{};
    std::array<QLabel*, PrecisionFields::Count> labels{};
};
