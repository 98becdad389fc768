#include "load/TableRefresh.h"

#include "load/InputFields.h"
#include "load/PrecisionFields.h"
#include "services/FieldChecks.h"
#include "services/MNumber.h"

namespace TableRefresh {

TableResult table(const LoadSnapshot& snapshot, CTextOutput& txt) {
    if (QString problem = snapshot.loadProblem(); !problem.isEmpty()) {
        TableResult result;
        result.reason = std::move(problem);
        return result;
    }
    return txt.table(snapshot);
}

QString shownText(const TableResult& result) {
    if (!result.reason.isEmpty()) return result.reason;
    return result.text;
}

QString precisionBcCaption(const PrecisionForm& precision) {
    return "BC (" + PrecisionFields::dragTableName(precision.dragTable) + ")";
}

QString bcCaption(const LoadSnapshot& snapshot, float handedBc) {
    // The precision model reads the BC as typed, against its drag table.
    if (snapshot.form.isPrecision()) return precisionBcCaption(snapshot.form.precision);
    const auto field = MNumber::parse(snapshot.form.fields[InputFields::Bc]);
    const float fieldBc = field ? MNumber::toSingle(*field).value_or(0.0f) : 0.0f;
    if (!MSmallBallStruct::isNonZero(handedBc - fieldBc)) return QStringLiteral("BC");
    return "BC (" + MNumber::shortText(MNumber::roundDecimals(handedBc, 3)) + ")";
}

} // namespace TableRefresh
