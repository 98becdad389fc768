// The load on screen and the values the main window keeps beside it. Field edits arrive here as
// texts; the model copies them into the load record, checks them on leaving a field, and
// refreshes temperature and pressure when the altitude changes (only those still holding the
// standard air of the last accepted altitude: a measured value is never replaced). No widgets: the
// window forwards its controls' texts and shows what the model decides.
#pragma once

#include "load/InputUnits.h"
#include "load/LoadForm.h"
#include "load/LoadSnapshot.h"
#include "load/MainValues.h"
#include "services/Problem.h"

#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <optional>

// What leaving a field decided: keep the focus (cancel) and a message to show, if any.
struct FieldVerdict {
    bool cancel = false;
    QString message; // may be empty even when a warning is due (fields 11 to 14 and 16)
    QString title;   // empty: nothing to show
    // A limit that could not be read (a maximum range that is no number): reported as a failure.
    std::optional<Problem> problem;

    bool hasMessage() const { return !title.isEmpty(); }
};

class LoadModel {
public:
    LoadModel();

    LoadForm form;
    MainValues values;
    // The shooter's units: what the fields show and the range messages name. The form keeps
    // the files' units whatever they are.
    Units::ShownUnits units;
    // The units the fields show: the shooter's, with the load's own range unit.
    InputUnits::FieldUnits fieldUnits() const { return {units, form.isMetric()}; }

    // Called with the index of every field whose text the model itself changed (the altitude
    // refresh rewrites fields 9 and 18), so the window can show the new text.
    std::function<void(int index)> fieldTextChangedByModel;

    // Copying a field's text into the record gives a problem when its number does not fit the
    // record's type ("ui dataUiToInputIndex: 6 - Overflow"; the record keeps its value). The
    // calls below return those problems, in the order they arose, for the entry point to report.

    // txtInput_Change: the text of field `index` is now `text`.
    QList<Problem> setFieldText(int index, const QString& text);
    // Runs the change handler of every field 0..20 in order (start-up).
    QList<Problem> refreshAllFields();

    // dataUiToInputIndex / dataUiToInput over the form's texts.
    std::optional<Problem> dataUiToInputIndex(CInput& inp, int index);
    QList<Problem> dataUiToInput(CInput& inp);
    // Altitude refresh (index 8 only): an altitude within its range puts the standard
    // temperature and pressure of that altitude into those of the two fields that still hold the
    // standard values of the last accepted altitude; a refused or non-numeric altitude puts back
    // what they held at the last accepted one.
    QList<Problem> dataUiMetro(CInput& inp, int index);

    // The field's text once it is left and let go: a whole-number field of the record typed in
    // another unit takes the whole value the record uses (the window then shows it). The
    // precision model keeps the exact value.
    QList<Problem> settleField(int index);

    // txtInput_Validate: the verdict for leaving field `index` (no message shown here).
    FieldVerdict txtInputValidate(int index) const;
    // txtInputValidate, then shows its message (if any) through the prompt; returns cancel.
    // An altitude let go is the accepted one the next altitude refresh starts from.
    bool validateAndWarn(int index);

    // Takes a whole form (a load file just read): field texts are put in index order, each one
    // that differs going through setFieldText as if typed, so a file's temperature and pressure
    // stand after its altitude; the other controls are copied as they are.
    QList<Problem> applyForm(const LoadForm& next);

    // New: the new-load texts into every field (each through setFieldText), in the range unit
    // the shooter's units fix, if they fix one.
    QList<Problem> newLoad();

    // Sets the window's option variables from the pending choices (what Apply does).
    void applyPendingOptions();

    // The refresh's start: every field copied into values.in1 and the pending options applied;
    // then the load as it now stands, for the calculations to read. The copy's problems are
    // the snapshot's fieldProblems.
    LoadSnapshot snapshot();

private:
    // The last accepted altitude and the temperature and pressure texts as they stood at it, or
    // as entered since.
    struct AltitudeAir {
        bool set = false; // none yet: the first refresh writes the standard air (start-up)
        float altFt = 0;
        QString temperature;
        QString pressure;
    };
    AltitudeAir accepted;

    bool refreshing = false; // the altitude refresh is writing temperature and pressure

    // The altitude now in the record becomes the accepted one, with the two fields' texts.
    void acceptAltitude();
    // The text field `index` (temperature or pressure) gets for the altitude `altFt`, or the
    // accepted text when that is not the standard value or `altFt` is none.
    QString airText(int index, std::optional<float> altFt) const;
    float standardValue(int index, float altFt) const;

    // Puts `text` into field `index` through the change handler when it differs from the field's
    // text, and tells the window.
    QList<Problem> putFieldText(int index, const QString& text);
    void reportChange(int index);
};
