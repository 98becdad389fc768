// "Powder Sensitivity": the muzzle velocity measured at two temperatures gives the change in
// ft/s per degree F; OK puts it into the precision model's sensitivity field.
#pragma once

#include <QDialog>
#include <array>
#include <optional>

class QLabel;
class QLineEdit;

class dlgPowderSensitivity : public QDialog {
    Q_OBJECT
public:
    explicit dlgPowderSensitivity(QWidget* parent = nullptr);

    enum Reading { FirstVelocity, FirstTemperature, SecondVelocity, SecondTemperature };
    QLineEdit* input(Reading reading) const { return inputs.at(size_t(reading)); }
    QLabel* result() const { return lblResult; }

    // The sensitivity from the four boxes, ready for the field (two decimals); none, with the
    // reason in `problem`, when they do not give one.
    std::optional<QString> sensitivityText(QString& problem) const;

    void accept() override;

    // The text OK accepted.
    QString accepted() const { return acceptedText; }

private:
    void showResult();

    std::array<QLineEdit*, 4> inputs{};
    QLabel* lblResult = nullptr;
    QString acceptedText;
};
