// "True Muzzle Velocity": from the height the shooter saw at one range, the muzzle velocity that
// makes the load's model give it. OK puts the trued velocity into the load's Muzzle Velocity.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class LoadModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class dlgTrueVelocity : public QDialog {
    Q_OBJECT
public:
    explicit dlgTrueVelocity(LoadModel& model, QWidget* parent = nullptr);

    QLineEdit* txtRange = nullptr;
    QLineEdit* txtHeight = nullptr;
    QComboBox* cboHeightUnit = nullptr; // inches, or the table's correction unit
    QLineEdit* txtLoadMv = nullptr;
    QLineEdit* txtTruedMv = nullptr;
    QPushButton* TrueButton = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // Finds and shows the trued velocity (a range or height refused, or no velocity found:
    // one message, nothing shown).
    void TrueButton_Click();
    // The velocity found by the last True, one decimal; none before.
    std::optional<double> truedVelocity() const { return trued; }

private:
    void build();
    void showResults(bool visible);
    bool rangeRefused();
    bool heightRefused();

    LoadModel& model;
    std::optional<double> trued;
    // The range box's message when ranges show in another unit than the load's.
    QString rangeMessage;
};
