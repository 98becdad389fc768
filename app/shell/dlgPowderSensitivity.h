// "Powder Sensitivity": the muzzle velocity measured at two temperatures, typed in the shooter's
// units, gives the change per degree; OK hands it over in ft/s per degree F for the precision
// model's sensitivity field.
#pragma once

#include "load/SensitivityReadings.h"

#include <QDialog>
#include <array>
#include <optional>

class QLabel;
class QLineEdit;

class dlgPowderSensitivity : public QDialog {
    Q_OBJECT
public:
    explicit dlgPowderSensitivity(const Units::ShownUnits& units, QWidget* parent = nullptr);

    enum Reading { FirstVelocity, FirstTemperature, SecondVelocity, SecondTemperature };
    QLineEdit* input(Reading reading) const { return inputs.at(size_t(reading)); }
    QLabel* result() const { return lblResult; }

    // The sensitivity from the four boxes, as shown (two decimals) and as the field keeps it;
    // none, with the reason in `problem`, when they do not give one.
    std::optional<SensitivityReadings::Sensitivity> sensitivity(QString& problem) const;

    void accept() override;

    // The text OK accepted, in ft/s per degree F.
    QString accepted() const { return acceptedText; }

private:
    void showResult();

    Units::ShownUnits units;
    std::array<QLineEdit*, 4> inputs{};
    QLabel* lblResult = nullptr;
    QString acceptedText;
};
