// The "Shooting Simulator" tab: the scope view picHUD beside the controls a shooter uses between
// shots (range, crosswind, zoom, target speed and direction with the angle dial), the Fire
// button, the scores, the resets, the session stepping and the display switches. The page only
// holds the controls; SimController connects them to the simulator.
#pragma once

#include <QWidget>
#include <array>

class HudView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class UserControl1;

class SimulatorTab : public QWidget {
    Q_OBJECT
public:
    explicit SimulatorTab(QWidget* parent = nullptr);

    HudView* picHUD = nullptr;

    QSlider* sldRange = nullptr;
    QSlider* sldWind = nullptr;
    QSlider* sldZoom = nullptr;
    QSlider* sldSpeed = nullptr;
    QSlider* sldAngle = nullptr;
    QLineEdit* txtRange = nullptr;
    QLineEdit* txtWind = nullptr;
    QLineEdit* txtZoom = nullptr;
    QLineEdit* txtSpeed = nullptr;
    QLineEdit* txtAngle = nullptr;
    QLabel* lblRange = nullptr;
    QLabel* lblWind = nullptr; // the captions name the shooter's wind speed unit
    QLabel* lblSpeed = nullptr;
    QLabel* lblFovZoom = nullptr;
    UserControl1* ucAngle = nullptr;

    QPushButton* CmdFire = nullptr;
    QPushButton* cmdResetScore = nullptr;
    QPushButton* cmdResetTotal = nullptr;
    QPushButton* cmdCenterTarget = nullptr;
    std::array<QPushButton*, 2> cmdNext{};

    QLabel* lblHits = nullptr;
    QLabel* lblBlueHits = nullptr;
    QLabel* lblMisses = nullptr;
    QLabel* lblSessionScore = nullptr;
    QLabel* lblTotalScore = nullptr;
    QLabel* lblRoundsLeft = nullptr;
    QLabel* lblExpectedHits = nullptr;

    QCheckBox* chkShowHits = nullptr;
    QCheckBox* chkGroupCircle = nullptr;
    QCheckBox* chkPOA = nullptr;

    // The part of the page the scope view may take.
    QSize viewRoom() const;

private:
    QWidget* buildAim();
    QWidget* buildScores();
    QWidget* buildButtons();
    QWidget* buildDisplay();
};
