// The Input tab's row for the precision model's cant, aerodynamic jump and wind zones: a cant
// box, a jump check box, and the zones in one line with a "Wind Zones…" button that edits them
// in a small table. The values live in the load model's form, like the rest of the page.
#pragma once

#include <QWidget>

class LoadModel;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class ZonesCantBox : public QWidget {
    Q_OBJECT
public:
    explicit ZonesCantBox(LoadModel& model, QWidget* parent = nullptr);

    // Shows the model's values (after a load was read).
    void showForm();
    // The check made on leaving the cant box: true (and its message shown) when it refuses.
    bool cantRefuses() const;
    // Opens the zones' table; OK stores them.
    void editZones();

    QLineEdit* txtCant = nullptr;
    QCheckBox* chkAeroJump = nullptr;
    QLabel* lblZones = nullptr;
    QPushButton* ZonesButton = nullptr;

private:
    LoadModel& model;
};
