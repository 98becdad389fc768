#include "load/TableRefresh.h"

#include "load/DragTables.h"
#include "load/InputFields.h"
#include "load/LoadCheck.h"
#include "load/PrecisionFields.h"
#include "services/MNumber.h"
#include "services/MSmallBallStruct.h"

#include <vector>

namespace TableRefresh {

namespace {
// The number in a field as single precision; 0 when the text is not a usable number.
float fieldNumber(const LoadModel& model, int index) {
    const auto value = MNumber::parse(model.form.fields[size_t(index)]);
    if (!value) return 0.0f;
    return MNumber::toSingle(*value).value_or(0.0f);
}
} // namespace

float angleOf(const LoadModel& model) {
    return fieldNumber(model, InputFields::Angle);
}

float prepareRefresh(LoadModel& model, CTextOutput& txt) {
    model.dataUiToInput(model.values.in1);
    const float angle = angleOf(model);
    model.applyPendingOptions();
    const MainValues& v = model.values;
    txt.init(v.isCosineDrop, v.isMoa, model.form.isAdvanced(), v.isPointBlank, v.killZone,
             v.groupSize);
    return angle;
}

QString loadProblem(const LoadModel& model) {
    const QString field = LoadCheck::computable(model.form).message;
    if (!field.isEmpty() || !model.form.isPrecision()) return field;
    return DragTables::load(model.form.precision).problem;
}

QString tableText(LoadModel& model, CTextOutput& txt) {
    const float angle = prepareRefresh(model, txt);
    if (const QString problem = loadProblem(model); !problem.isEmpty()) return problem;
    std::vector<float> drops;
    std::vector<float> ranges;
    // The refresh, and only it, keeps the coefficient handed to the solver for the BC caption
    // and the chronograph.
    if (txt.printTextTable(model.values.in1, true, drops, ranges, angle, model))
        model.values.metroBc = txt.handedBc();
    else if (!txt.problem().isEmpty())
        return txt.problem();
    return txt.text();
}

QString bcCaption(const LoadModel& model) {
    // The precision model reads the BC as typed, against its drag table.
    if (model.form.isPrecision())
        return "BC (" + PrecisionFields::dragTableName(model.form.precision.dragTable) + ")";
    const float bc = model.values.metroBc;
    if (!MSmallBallStruct::isNonZero(bc - fieldNumber(model, InputFields::Bc)))
        return QStringLiteral("BC");
    return "BC (" + MNumber::shortText(MNumber::roundDecimals(bc, 3)) + ")";
}

} // namespace TableRefresh
