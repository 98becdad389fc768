// The Input tab: the 21 load fields with their captions, the drag model and comparison lists, the
// range unit, the display switches, the graph's y-axis choice and the load notes. The page only
// shows and forwards: every edit goes to the LoadModel, which owns the values and the checks.
#pragma once

#include "load/InputFields.h"

#include <QHash>
#include <QWidget>
#include <array>

class LoadModel;
class PrecisionBox;
class ZonesCantBox;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

class InputTab : public QWidget {
    Q_OBJECT
public:
    explicit InputTab(LoadModel& model, QWidget* parent = nullptr);

    // Shows the whole form of the model (after a load was read or New), without running the
    // change handlers a second time.
    void showForm();
    // Shows the texts of one field the model changed itself (the altitude refresh).
    void showFieldText(int index);

    // Puts the validation messages into the fields' tool tips.
    void applyToolTips();
    // The shooter's units changed (or were read at start-up): captions, range messages and
    // every field's text follow them; the range unit choice is theirs when they fix one.
    void applyUnits();
    // chkAdvanced_Click / chkMilrange_Click: show or hide the extra fields and captions.
    void applyAdvanced();
    void applyMilRange();
    // chkPrecision: the precision group, and the extra fields the model reads.
    void applyPrecision();
    // Fills the drag model list (keeps the model's selection).
    void fillDragList();

    void setBcCaption(const QString& caption);

    QLineEdit* txtInput(int index) const { return fields.at(static_cast<size_t>(index)); }
    QLabel* label1(int index) const { return labels.at(static_cast<size_t>(index)); }
    QComboBox* cboDrag = nullptr;
    QComboBox* cboCompare = nullptr;
    QRadioButton* optMetric[2] = {};
    QRadioButton* optYaxis[4] = {};
    QCheckBox* chkAdvanced = nullptr;
    QCheckBox* chkMilrange = nullptr;
    QCheckBox* chkPrecision = nullptr;
    PrecisionBox* precisionBox = nullptr;
    ZonesCantBox* zonesCantBox = nullptr;
    QPlainTextEdit* txtNotes = nullptr;
    // Where cboCompare sits on this page (the Graph tab borrows it while it shows).
    QBoxLayout* compareSlot = nullptr;
    // Puts the comparison list back on this page after the Graph tab borrowed it.
    void takeBackCompareBox();

signals:
    // A field refused its text after the focus had already gone elsewhere on the window; the
    // window brings this page back so the user sees the field.
    void fieldNeedsAttention(int index);

private:
    void build();
    QWidget* buildFieldGrid();
    void arrangeFields();
    QWidget* buildChoices();
    void connectEdits();
    // Leaving a field: runs the check once, keeps the focus when the check says so.
    void onFocusChanged(QWidget* old, QWidget* now);

    LoadModel& model;
    QGridLayout* fieldGrid = nullptr;
    QWidget* pressureCell = nullptr; // the pressure field and its station / sea level choice
    std::array<QLineEdit*, InputFields::Count> fields{};
    std::array<QLabel*, 23> labels{}; // Label1(0..22); 20 captions cboCompare, 22 cboDrag
    QHash<const QWidget*, int> fieldIndex;
    bool validating = false; // a check is running (its message box moves the focus around)
    int restoringField = -1; // a refused field the page is about to focus again
};
