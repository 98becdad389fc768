// The options dialog "Quorvel Options": the four presentation choices, the screen font and the
// file association.
//
// How the window uses it (mnuOptionsTop):
//     frmOptions dlg(model.form, model.values, screenFont, this);
//     dlg.exec();
//     // then refresh the view (showTableOrGraph) so the choices take effect
// The dialog opens with the window variables (MainValues), centred on the screen. Apply copies
// the choices into the load form's pending flags and the window variables and stays open; OK
// does the same and closes; Cancel or Esc close without copying. "Screen Font" runs
// screenFont.FormFont(mainWindow).
#pragma once

#include <QDialog>
#include <array>

class QGroupBox;
class QPushButton;
class QRadioButton;
class ScreenFont;
struct LoadForm;
struct MainValues;

class frmOptions : public QDialog {
    Q_OBJECT
public:
    frmOptions(LoadForm& form, MainValues& values, ScreenFont& screenFont, QWidget* mainWindow,
               QWidget* parent = nullptr);

    using OptionPair = std::array<QRadioButton*, 2>; // option 0, option 1
    OptionPair optRR{};    // "Vertical Angle Calculation": option 1 = cosine drop
    OptionPair optComma{}; // "Text Separator": option 1 = comma
    OptionPair opt3D{};    // "Graph": option 1 = 3D
    OptionPair optMoa{};   // "Point Of Aim Adjustment": option 1 = MOA clicks

    QPushButton* cmdFonts = nullptr;
    QPushButton* cmdAssociate = nullptr;
    QPushButton* cmdApply = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdOK = nullptr;

    // Sets every option 1 from its window variable and option 0 to the negation.
    void loadFromVariables();
    // Copies every option 1 into the pending flag and the window variable.
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdFonts_Click();
    void cmdAssociate_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    LoadForm& form;
    MainValues& values;
    ScreenFont& screenFont;
    QWidget* mainWindow;

    OptionPair* pairs[4] = {&optRR, &optComma, &opt3D, &optMoa};
    void centreOnScreen();
};
