// "Chronograph Correction for Current Atmospheric Conditions": from a speed measured some feet
// in front of the muzzle, the muzzle velocity to use in the load. Calculate shows the result (the
// user copies it into the load); OK or Cancel close the dialog.
#pragma once

#include "services/UnitText.h"

#include <QDialog>
#include <array>
#include <memory>

class CChronoVelocity;
class LoadModel;
class QLabel;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;

class dlgChronoVel : public QDialog {
    Q_OBJECT
public:
    explicit dlgChronoVel(LoadModel& model, QWidget* parent = nullptr);
    ~dlgChronoVel() override;

    QLineEdit* txtChronoVel = nullptr;
    QLineEdit* txtChronoDist = nullptr;
    QLineEdit* txtBc = nullptr;
    QLineEdit* txtCalcMv = nullptr;
    QLineEdit* txtVelDiff = nullptr;
    QPushButton* cmdCalculate = nullptr;
    QDialogButtonBox* buttons = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    std::array<QLabel*, 8> Label1{};
    // Shown when the load's precision model flies another drag table than the G1 the correction
    // reads its coefficient against.
    QLabel* lblDragModel = nullptr;

    // Computes and shows the muzzle velocity; the dialog stays open.
    void cmdCalculate_Click();
    // Leaving a box: true keeps the focus (out of range: the box's tooltip is shown).
    bool txtBc_Validate();
    bool txtChronoDist_Validate();
    bool txtChronoVel_Validate();

private:
    void build();
    void Form_Load();
    void showResults(bool visible);

    LoadModel& model;
    std::unique_ptr<CChronoVelocity> chrono; // created at the first OK
    // The velocity and distance boxes' limits in the shown units.
    UnitText::ShownLimit velocityLimit, distanceLimit;
};
