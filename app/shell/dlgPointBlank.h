// "Maximum Point Blank Range for the Current Load": the target and group sizes in, the zero, the
// maximum point-blank range and the sight-in height at 100 out. The sizes are the main window's
// values, edited in place.
#pragma once

#include "services/UnitText.h"

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

class CPointBlank;
class CTextOutput;
class LoadModel;
class QLabel;
class QLineEdit;
class QPushButton;

class dlgPointBlank : public QDialog {
    Q_OBJECT
public:
    dlgPointBlank(LoadModel& model, CTextOutput& txt, QWidget* parent = nullptr);
    ~dlgPointBlank() override;

    QLineEdit* txtVitalZone = nullptr;
    QLineEdit* txtGroupSize = nullptr;
    QLineEdit* txtMaxRange = nullptr;
    QLineEdit* txtSightIn = nullptr;
    QLineEdit* txtPointBlankZero = nullptr;
    QPushButton* btnCalculate = nullptr;
    QPushButton* cmdCancel = nullptr;
    std::array<QLabel*, 6> Label1{};

    void btnCalculate_Click();
    // Leaving a size box: true keeps the focus (out of range: the box's tooltip is shown).
    bool txtGroupSize_Validate();
    bool txtVitalZone_Validate();

    static QString vitalZoneTip();
    static QString groupSizeTip();

private:
    void build();
    void Form_Load();
    void txtGroupSize_Change(const QString& text);
    void txtVitalZone_Change(const QString& text);
    void showResults(bool visible);
    // A size in inches as a box shows it, and the inches of a typed size (none when it is no
    // number or below zero).
    QString sizeText(float inches) const;
    std::optional<float> typedInches(const QString& text) const;

    LoadModel& model;
    CTextOutput& txt;
    std::unique_ptr<CPointBlank> pointBlank; // created at the first calculation
    // The size boxes' limits in the shown length unit.
    UnitText::ShownLimit targetLimit, groupLimit;
};
