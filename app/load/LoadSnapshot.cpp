#include "load/LoadSnapshot.h"

#include "load/DragTables.h"
#include "load/InputFields.h"
#include "load/LoadCheck.h"
#include "load/LoadRecord.h"
#include "services/ErrorNumbers.h"
#include "services/MNumber.h"

LoadSnapshot LoadSnapshot::of(const LoadForm& form, const MainValues& values) {
    LoadSnapshot s;
    s.form = form;
    s.values = values;
    const auto angle = MNumber::parse(form.fields[InputFields::Angle]);
    s.angleDeg = angle ? MNumber::toSingle(*angle).value_or(0.0f) : 0.0f;
    s.muzzleVelocityFps = MNumber::parse(form.fields[InputFields::MuzzleVelocity]).value_or(0.0);
    return s;
}

QString LoadSnapshot::problemOf(const LoadForm& form) {
    const QString field = LoadCheck::computable(form).message;
    if (!field.isEmpty() || !form.isPrecision()) return field;
    return DragTables::load(form.precision).problem;
}

SolverRecord LoadSnapshot::record(const CInput& load, const CInput& conditions) const {
    return LoadRecord::build(load, conditions, {advanced(), metric()}, values.metro, values.drag);
}

PrecisionRows::Inputs LoadSnapshot::precisionInputs(const CInput& load, const CInput& conditions,
                                                    const PrecisionForm& precisionForm,
                                                    double velocityFps) const {
    return {&load,           &conditions, &precisionForm, values.pressure,
            values.humidity, angleDeg,    metric(),       velocityFps};
}

PrecisionRows::Inputs LoadSnapshot::precisionInputs() const {
    return precisionInputs(values.in1, values.in1, form.precision, muzzleVelocityFps);
}

std::optional<float> LoadSnapshot::handedBc() const {
    if (precision()) return values.in1.bcoef;
    try {
        return record(values.in1, values.in1).ballisticCoef;
    } catch (const ErrorNumbers::Failure&) {
        return std::nullopt;
    }
}
