// The "Simulator Controls" tab: the pictures (background, target, reticle), the target's size,
// the shooter's group and flyers, the scope's field of view and sight style, the range unit and
// maximum range, the scoring values and rounds per session, and the session notes. The page only
// holds the controls; SimController connects them to the simulator.
#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

class SimControlsTab : public QWidget {
    Q_OBJECT
public:
    explicit SimControlsTab(QWidget* parent = nullptr);

    QComboBox* cboBackground = nullptr;
    QComboBox* cboTarget = nullptr;
    QComboBox* cboReticle = nullptr;
    QCheckBox* chkTransparent = nullptr;
    QCheckBox* chkUserGraphic = nullptr;

    QLineEdit* txtWidth = nullptr;
    QLineEdit* txtHeight = nullptr;
    QLineEdit* txtGroupSize = nullptr;
    QLineEdit* txtFov = nullptr;
    QLineEdit* txtSimMaxRange = nullptr;
    QLabel* lblMaxrange = nullptr;
    // The length boxes' captions name the shooter's unit.
    QLabel* lblGroupSize = nullptr;
    QLabel* lblFov = nullptr;
    QLabel* lblWidth = nullptr;
    QLabel* lblHeight = nullptr;

    QLineEdit* txtRedScore = nullptr;
    QLineEdit* txtBlueScore = nullptr;
    QLineEdit* txtMissScore = nullptr;
    QLineEdit* txtNumberOfRounds = nullptr;

    std::array<QRadioButton*, 3> optFlyer{};
    std::array<QRadioButton*, 5> optSights{};
    std::array<QRadioButton*, 2> optSimMetric{};

    QPlainTextEdit* txtSimNotes = nullptr;

private:
    QWidget* buildPictures();
    QWidget* buildShooting();
    QWidget* buildScope();
    QWidget* buildScoring();
    QWidget* buildNotes();
};
