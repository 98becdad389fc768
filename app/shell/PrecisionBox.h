// The Input tab's group for the precision model: the drag table list (the standard tables, the
// shooter's own file, and "Custom…" to pick one) and the seven number boxes. It shows and
// forwards like the rest of the page: the values live in the load model's form.
#pragma once

#include "load/PrecisionFields.h"

#include <QGroupBox>
#include <array>

class LoadModel;
class QComboBox;
class QLineEdit;

class PrecisionBox : public QGroupBox {
    Q_OBJECT
public:
    explicit PrecisionBox(LoadModel& model, QWidget* parent = nullptr);

    // Shows the model's precision part (after a load was read).
    void showForm();

    QComboBox* dragTables() const { return cboDragTable; }
    QLineEdit* input(int index) const { return inputs.at(size_t(index)); }

    // The check made on leaving box `index`: true (and its message shown) when it refuses.
    bool refuses(int index) const;

private:
    void fillDragList();
    // "Custom…" was picked: a drag file is chosen and read; a file that cannot be used is
    // reported and the previous table stays.
    void chooseCustomTable();
    void selectCurrentTable();

    LoadModel& model;
    QComboBox* cboDragTable = nullptr;
    std::array<QLineEdit*, PrecisionFields::Count> inputs{};
    bool showing = false;
};
